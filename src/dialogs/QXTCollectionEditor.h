// The collection editor: a modeless window listing the items of one collection, where the user adds,
// deletes, reorders and selects items while an object inspector shows the selected ones. The collection
// preset opens it; the Qt Designer plugin derives its own editor from it. A process-wide registry of open
// editors lets a second request for the same inspector and collection bring the first window back.
#pragma once

#include "Collection.h"
#include "Component.h"
#include "Guarded.h"
#include "QXCustomObjectInspector.h"
#include "ThreadList.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QTreeWidget>

#include <functional>

class QMenu;
class QToolBar;
namespace Ui {
class frmCollectionEditor;
}

/// What changed on a row of the list, as told to TfrmCollectionEditor::ChangeItem.
enum TItemChange { ctText, ctImage, ctState };

class TfrmCollectionEditor;

/// The list of the collection editor: one row per collection item, in collection order. Rows may be
/// dragged inside the list only; a drop moves the dragged items in the collection (DropSelected).
class QXINSPECTORCORE_EXPORT TQXCollectionListView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TQXCollectionListView(QWidget *parent = nullptr);
    /// The collection item row Row stands for; null once that item is gone.
    QXPlatform::TCollectionItem *RowItem(int Row) const;
    QXPlatform::TCollectionItem *RowItem(const QTreeWidgetItem *Row) const;
    /// Appends a row standing for Item.
    QTreeWidgetItem *AddRow(const QString &Caption, QXPlatform::TCollectionItem *Item);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

class QXINSPECTORCORE_EXPORT TfrmCollectionEditor : public QXPlatform::TGuarded<QMainWindow>,
                                                    public QXPlatform::TComponent
{
    Q_OBJECT
public:
    /// The help context F1 and the Help entry of the list's menu hand to the application's help hook.
    enum { HelpContext = 26000 };

    /// Owner is the component that owns the window (the application for editors made by
    /// ShowCollectionEditor); the window itself is always a top-level window.
    Q_INVOKABLE explicit TfrmCollectionEditor(QObject *Owner = nullptr);
    ~TfrmCollectionEditor() override;
    Q_DISABLE_COPY_MOVE(TfrmCollectionEditor)

    void AfterConstruction() override;
    void BeforeDestruction() override;

    TQXCustomObjectInspector *Inspector() const { return m_inspector; }
    void SetInspector(TQXCustomObjectInspector *Inspector);
    QXPlatform::TCollection *Collection() const { return m_collection; }
    /// Attaches Collection (null detaches); runs also when Collection is the current one.
    void SetCollection(QXPlatform::TCollection *Collection);
    /// The first component on the collection's owner chain, or null.
    QObject *OwningComponent() const { return m_owningComponent; }
    /// The inspector's objects as they stood when the collection was set: whose property is edited.
    TQXInspectorObjects *ObjectSnapshot() const { return m_snapshot; }

    /// The index of the row standing for Item (searched from the last row), or -1.
    int IndexOfItem(const QXPlatform::TCollectionItem *Item) const;
    /// Selects the row standing for Item, if there is one.
    void SelectItem(QXPlatform::TCollectionItem *Item);
    /// Moves the items of the selected rows, in row order, onto row TargetRow (what a drop does);
    /// nothing for a row that does not exist.
    void DropSelected(int TargetRow);

    TQXCollectionListView *ListView() const;
    QToolBar *ToolBar() const;
    /// The drop-down menu of the Add Item button (filled for presets collections only).
    QMenu *AddMenu() const { return m_addMenu; }
    QMenu *ListMenu() const { return m_listMenu; }
    QAction *AddItemAction() const;
    QAction *DeleteSelectedAction() const;
    QAction *MoveSelectedUpAction() const;
    QAction *MoveSelectedDownAction() const;
    QAction *SelectAllAction() const;
    QAction *SelectNoneAction() const;
    QAction *ResetAction() const;
    QAction *ToolbarAction() const { return m_toolbarAction; }
    /// F1, and the last entry of the list's menu.
    QAction *HelpAction() const { return m_helpAction; }

    /// Enables and shows the actions after a change of selection or collection.
    void UpdateActions();

protected:
    // Overridable steps, in the order a descendant needs them; overrides call the inherited one.
    /// Adds an item of ItemClass (the collection's item class or a descendant) and selects it alone.
    virtual void AddItem(const QMetaObject *ItemClass);
    virtual void MoveSelected(bool Up);
    /// Told of every change of a row; does nothing here.
    virtual void ChangeItem(QTreeWidgetItem *Item, TItemChange Change);
    /// Told when a row's selection changes; hands the selection to the inspector.
    virtual void SelectItem(QTreeWidgetItem *Item, bool Selected);
    virtual void BuildAddMenu();
    /// Drops from the inspector's objects all but the selected items of this list.
    virtual void DeselectObjects();
    virtual void DeleteSelected();
    virtual void SelectAll(bool Update);
    virtual void SelectNone(bool Update);
    /// Replaces the inspector's objects with the selected items, in row order.
    virtual void UpdateSelected();
    virtual void ResetPresets();
    /// Rebuilds the rows from the collection, keeping the selected items selected.
    virtual void RefreshView();
    /// The live items of the selected rows, in the collection's order.
    QList<QPointer<QXPlatform::TCollectionItem>> SelectedItems() const;

    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    void closeEvent(QCloseEvent *event) override;
    bool IsDestroying() const { return ComponentState().testFlag(QXPlatform::csDestroying); }
    /// The images of the actions: move up, move down, delete, add, reset.
    const QList<QIcon> &Images() const { return m_images; }

private:
    friend class TQXCollectionListView;
    QString RowCaption(int Index, QXPlatform::TCollectionItem *Item) const;
    void SelectionChanged(const QItemSelection &Selected, const QItemSelection &Deselected);
    void CollectionDestroyed();

    Ui::frmCollectionEditor *m_ui;
    QPointer<TQXCustomObjectInspector> m_inspector;
    // A collection whose owner chain holds no component is only heard of through QObject::destroyed.
    QPointer<QXPlatform::TCollection> m_collection;
    QMetaObject::Connection m_collectionGone;
    QPointer<QObject> m_owningComponent;
    // The identities free notification compares with: a QPointer reads null once destruction has begun.
    const QObject *m_inspectorKey = nullptr;
    const QObject *m_owningKey = nullptr;
    TQXInspectorObjects *m_snapshot = nullptr;
    QMenu *m_addMenu = nullptr;
    QMenu *m_listMenu = nullptr;
    QAction *m_addNewAction = nullptr;
    QAction *m_toolbarAction = nullptr;
    QAction *m_helpAction = nullptr;
    QList<QIcon> m_images;
    bool m_refreshing = false; // row selection changes while the rows are rebuilt are not the user's
};

/// Opens an editor of class EditorClass (TfrmCollectionEditor or a descendant, made through its
/// Q_INVOKABLE constructor taking the owner) on Collection for Inspector, captioned "Editing " +
/// PropertyName, and shows it modelessly. With ReuseExisting the first open editor of the same inspector
/// and collection is brought to the front and returned as it is. The application owns the editors: they
/// stay, hidden once closed, until freed with Free or until the application quits.
QXINSPECTORCORE_EXPORT TfrmCollectionEditor *
ShowCollectionEditor(const QMetaObject *EditorClass, TQXCustomObjectInspector *Inspector,
                     QXPlatform::TCollection *Collection, const QString &PropertyName, bool ReuseExisting);
QXINSPECTORCORE_EXPORT TfrmCollectionEditor *ShowCollectionEditor(TQXCustomObjectInspector *Inspector,
                                                                  QXPlatform::TCollection *Collection,
                                                                  const QString &PropertyName,
                                                                  bool ReuseExisting);
/// Takes Editor out of the registry of open editors.
QXINSPECTORCORE_EXPORT void RemoveCollectionEditor(TfrmCollectionEditor *Editor);
/// The registry of open editors, in registration order; null until a request asked for reuse.
QXINSPECTORCORE_EXPORT QXPlatform::TThreadList<TfrmCollectionEditor *> *CollectionEditors();
/// The registry of open editors, made when it does not exist yet: for the opening routines of
/// descendants, which search it the way ShowCollectionEditor does.
QXINSPECTORCORE_EXPORT QXPlatform::TThreadList<TfrmCollectionEditor *> *EnsureCollectionEditors();

/// What OpenCollectionEditor gives: the editor, and whether it was an open one brought back.
struct TCollectionEditorOpening
{
    TfrmCollectionEditor *Editor = nullptr;
    bool Reused = false;
};
/// The opening routine every editor class shares. With ReuseExisting, the first registered editor that
/// Matches accepts is brought to the front and returned as it is; otherwise an editor of EditorClass (which
/// must inherit BaseClass, or EInvalidCast is raised) is made and constructed, for the caller to set up
/// and show. The registry stays locked until the editor is made, so two requests never make two editors.
QXINSPECTORCORE_EXPORT TCollectionEditorOpening
OpenCollectionEditor(const QMetaObject *EditorClass, const QMetaObject *BaseClass, bool ReuseExisting,
                     const std::function<bool(TfrmCollectionEditor *)> &Matches);
