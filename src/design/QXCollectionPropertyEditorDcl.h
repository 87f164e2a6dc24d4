// The design-time collection editor: the collection editor working with a form designer instead of an
// object inspector of the application. The selected items are shown in an inspector of its own (Qt
// Designer's property editor shows widgets only), every change marks the designed form modified, and the
// editor closes itself when the edited widget leaves the form or the form closes. The "Edit Presets..."
// task menu entry of an object inspector in Designer opens it through ShowCollectionEditorDcl.
#pragma once

#include "QXFormDesigner.h"

#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXTCollectionEditor.h>

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

#include <memory>

class QDesignerFormWindowInterface;

class TfrmCollectionEditorDcl : public TfrmCollectionEditor
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TfrmCollectionEditorDcl(QObject *Owner = nullptr);
    ~TfrmCollectionEditorDcl() override;
    Q_DISABLE_COPY_MOVE(TfrmCollectionEditorDcl)

    void AfterConstruction() override;
    void BeforeDestruction() override;

    /// The designer of the form that owns the edited collection; the editor owns it.
    TQXDesigner *Designer() const { return m_designer.get(); }
    void SetDesigner(std::unique_ptr<TQXDesigner> Designer);
    /// Where the selected items (or, with none selected, the collection) are shown and edited.
    TQXObjectInspector *SelectionInspector() const { return m_selection; }
    /// Whether the editor is shutting down: from then on it answers no notification.
    bool IsClosing() const { return m_closing; }
    bool IsLocked() const { return m_lockCount > 0; }

    /// Closes the editor for good: detaches the collection and closes (which frees) the window.
    void CloseIt();

protected:
    void AddItem(const QMetaObject *ItemClass) override;
    void MoveSelected(bool Up) override;
    /// A change of a row's selection queues one selection update (message QX_DESIGNUPDATE), unless one
    /// is already waiting or the editor is locked.
    void ChangeItem(QTreeWidgetItem *Item, TItemChange Change) override;
    /// Does nothing: selection updates wait for the queued message, so a burst of row changes ends in
    /// one update.
    void SelectItem(QTreeWidgetItem *Item, bool Selected) override;
    void DeleteSelected() override;
    void SelectAll(bool Update) override;
    void SelectNone(bool Update) override;
    /// Shows the selected items, in row order, in the selection inspector; the collection with none.
    void UpdateSelected() override;
    void ResetPresets() override;
    void RefreshView() override;

    /// Deselects all rows when the form's selection is not made of items of the collection.
    virtual void UpdateListViewSelected();
    /// Object left the form: closes the editor when it is the collection, its owning component or on
    /// the collection's owner chain; refreshes the rows once the deletion is over when it held items.
    virtual void ItemDeleted(QObject *Object);
    virtual void ItemInserted(QObject *Object);
    virtual void SelectionChanged(const QList<QObject *> &Selection);
    virtual void DesignerOpened();
    virtual void DesignerClosed();
    virtual void ItemsModified();
    virtual void Lock();
    virtual void Unlock();

    void Dispatch(QXPlatform::TMessage &Message) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    /// The form designer's selection becomes what the selection inspector shows.
    void SetSelections(const QList<QObject *> &Objects);
    QList<QObject *> Selections() const;
    /// Whether Objects are items of the collection (the first one is the collection or one of its items)
    /// and no more than it holds.
    bool BelongsToCollection(const QList<QObject *> &Objects) const;
    void Modified();

    std::unique_ptr<TQXDesigner> m_designer;
    TQXObjectInspector *m_selection = nullptr;
    int m_lockCount = 0;
    bool m_closing = false;
    // One of each kind of waiting design update, kept apart so that one never stands in for the other.
    bool m_selectionPending = false;
    bool m_refreshPending = false;
};

/// Opens a design-time editor of class EditorClass (TfrmCollectionEditorDcl or a descendant) on Collection
/// for Designer, captioned "Editing " + PropertyName. With ReuseExisting, an open design-time editor of the
/// same form and collection is brought to the front and returned instead (Designer is then dropped).
TfrmCollectionEditorDcl *ShowCollectionEditorDcl(const QMetaObject *EditorClass,
                                                 std::unique_ptr<TQXDesigner> Designer,
                                                 QXPlatform::TCollection *Collection,
                                                 const QString &PropertyName, bool ReuseExisting);

/// The task menu of an object inspector on a Designer form: "Edit Presets...", also the action a double
/// click runs.
class TQXPresetsTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    TQXPresetsTaskMenu(TQXObjectInspector *Inspector, QObject *parent);
    ~TQXPresetsTaskMenu() override;
    Q_DISABLE_COPY_MOVE(TQXPresetsTaskMenu)

    QAction *preferredEditAction() const override { return m_editPresets; }
    QList<QAction *> taskActions() const override { return { m_editPresets }; }

    /// Opens (or brings back) the design-time editor of the inspector's presets.
    TfrmCollectionEditorDcl *EditPresets();

private:
    QPointer<TQXObjectInspector> m_inspector;
    QAction *m_editPresets;
};

/// Makes the task menu of object inspectors for Designer's extension manager.
class TQXPresetsTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT

public:
    explicit TQXPresetsTaskMenuFactory(QExtensionManager *parent);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};
