/// \file
/// The collection editor: a modeless window listing the items of one collection, where the user adds,
/// deletes, reorders and selects items while an object inspector shows the selected ones. The collection
/// preset opens it; the Qt Designer plugin derives its own editor from it. A process-wide registry of open
/// editors lets a second request for the same inspector and collection bring the first window back.
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
enum TItemChange {
    ctText, ///< the row's caption
    ctImage, ///< the row's image
    ctState ///< the row's selection
};

class TfrmCollectionEditor;

/// The list of the collection editor: one row per collection item, in collection order. Rows may be
/// dragged inside the list only; a drop moves the dragged items in the collection (DropSelected).
class QXINSPECTORCORE_EXPORT TQXCollectionListView : public QTreeWidget
{
    Q_OBJECT
public:
    /// An empty list.
    explicit TQXCollectionListView(QWidget *parent = nullptr);
    ///@{
    /// The collection item row Row stands for; null once that item is gone.
    QXPlatform::TCollectionItem *RowItem(int Row) const;
    QXPlatform::TCollectionItem *RowItem(const QTreeWidgetItem *Row) const;
    ///@}
    /// Appends a row standing for Item.
    QTreeWidgetItem *AddRow(const QString &Caption, QXPlatform::TCollectionItem *Item);

protected:
    ///@{
    /// Accepts only drags that started in this list.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    ///@}
    /// Hands a drop from this list to the editor's DropSelected, with the row under the mouse; the rows
    /// follow the collection rather than moving themselves.
    void dropEvent(QDropEvent *event) override;
};

/// The collection editor window: the list of a collection's items, a toolbar and a menu of actions that add,
/// delete, move and select them, and an object inspector that shows the selected items.
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

    ///@{
    /// The inspector that shows the selected items. Setting another empties the list; null, or the
    /// inspector being freed, also detaches the collection.
    TQXCustomObjectInspector *Inspector() const { return m_inspector; }
    void SetInspector(TQXCustomObjectInspector *Inspector);
    ///@}
    ///@{
    /// The edited collection, or null; it is detached when it, or the component that owns it, is freed.
    QXPlatform::TCollection *Collection() const { return m_collection; }
    /// Attaches Collection (null detaches); runs also when Collection is the current one.
    void SetCollection(QXPlatform::TCollection *Collection);
    ///@}
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

    /// The list of the collection's items, one row per item.
    TQXCollectionListView *ListView() const;
    /// The toolbar of the actions, shown and hidden by ToolbarAction.
    QToolBar *ToolBar() const;
    /// The drop-down menu of the Add Item button (filled for presets collections only).
    QMenu *AddMenu() const { return m_addMenu; }
    /// The context menu of the list: Add New, the move, delete and select actions, Toolbar and Help.
    QMenu *ListMenu() const { return m_listMenu; }
    /// Add Item (Ins): adds an item of the collection's item class; enabled while a collection is set.
    QAction *AddItemAction() const;
    /// Delete Selected (Del): DeleteSelected; enabled while rows are selected.
    QAction *DeleteSelectedAction() const;
    /// Move Selected Up (Ctrl+Up): MoveSelected up; enabled while rows are selected.
    QAction *MoveSelectedUpAction() const;
    /// Move Selected Down (Ctrl+Down): MoveSelected down; enabled while rows are selected.
    QAction *MoveSelectedDownAction() const;
    /// Select All (Ctrl+A): SelectAll; enabled while the list has rows.
    QAction *SelectAllAction() const;
    /// Select None: SelectNone; enabled while rows are selected.
    QAction *SelectNoneAction() const;
    /// Reset: ResetPresets; shown only for a presets collection that an object inspector owns.
    QAction *ResetAction() const;
    /// Toolbar, in the list's menu: shows or hides the toolbar (checked at first).
    QAction *ToolbarAction() const { return m_toolbarAction; }
    /// F1, and the last entry of the list's menu.
    QAction *HelpAction() const { return m_helpAction; }

    /// Enables and shows the actions after a change of selection or collection.
    void UpdateActions();

protected:
    // Overridable steps, in the order a descendant needs them; overrides call the inherited one.
    /// Adds an item of ItemClass (the collection's item class or a descendant) and selects it alone.
    virtual void AddItem(const QMetaObject *ItemClass);
    /// Moves each selected item one place up (Up) or down in the collection; an item already at that end
    /// stays where it is.
    virtual void MoveSelected(bool Up);
    /// Told of every change of a row; does nothing here.
    virtual void ChangeItem(QTreeWidgetItem *Item, TItemChange Change);
    /// Told when a row's selection changes; hands the selection to the inspector.
    virtual void SelectItem(QTreeWidgetItem *Item, bool Selected);
    /// Fills AddMenu with Add Item and one entry per registered preset class, and hangs it on the Add
    /// Item button; runs when a presets collection is set.
    virtual void BuildAddMenu();
    /// Drops from the inspector's objects all but the selected items of this list.
    virtual void DeselectObjects();
    /// Deletes the selected items from the collection, taking them out of the inspector first.
    virtual void DeleteSelected();
    ///@{
    /// Selects every row, or none; the inspector follows the selection. Update is not read here.
    virtual void SelectAll(bool Update);
    virtual void SelectNone(bool Update);
    ///@}
    /// Replaces the inspector's objects with the selected items, in row order.
    virtual void UpdateSelected();
    /// Adds to the presets of the inspector that owns the collection a preset of each registered class
    /// they lack, then rebuilds the rows.
    virtual void ResetPresets();
    /// Rebuilds the rows from the collection, keeping the selected items selected.
    virtual void RefreshView();
    /// The live items of the selected rows, in the collection's order.
    QList<QPointer<QXPlatform::TCollectionItem>> SelectedItems() const;

    /// Detaches what is freed: the inspector, the collection's owning component, or an object whose
    /// property is edited (which detaches the collection).
    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    /// Detaches the inspector and the collection; the window is hidden, not freed.
    void closeEvent(QCloseEvent *event) override;
    /// Whether the editor's destruction has begun.
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
/// ShowCollectionEditor with the editor class TfrmCollectionEditor.
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
    /// The editor: an open one brought to the front, or a new one for the caller to set up and show.
    TfrmCollectionEditor *Editor = nullptr;
    /// Whether Editor was already open.
    bool Reused = false;
};
/// The opening routine every editor class shares. With ReuseExisting, the first registered editor that
/// Matches accepts is brought to the front and returned as it is; otherwise an editor of EditorClass (which
/// must inherit BaseClass, or EInvalidCast is raised) is made and constructed, for the caller to set up
/// and show. The registry stays locked until the editor is made, so two requests never make two editors.
QXINSPECTORCORE_EXPORT TCollectionEditorOpening
OpenCollectionEditor(const QMetaObject *EditorClass, const QMetaObject *BaseClass, bool ReuseExisting,
                     const std::function<bool(TfrmCollectionEditor *)> &Matches);
