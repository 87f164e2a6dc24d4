#include "QXTCollectionEditor.h"

#include "CommonDialogs.h"
#include "QXCustomObjectInspector.h"
#include "QXInspectorObjects.h"
#include "QXPropertyPreset.h"
#include "ui_QXTCollectionEditor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <memory>

using namespace QXPlatform;

namespace {

// Made by the first request that asks for reuse, freed with the library; the editors are not its own.
std::unique_ptr<TThreadList<TfrmCollectionEditor *>> &registry()
{
    static std::unique_ptr<TThreadList<TfrmCollectionEditor *>> list;
    return list;
}

// The editors ShowCollectionEditor made: the application's, freed when it quits unless freed before.
QList<QPointer<TfrmCollectionEditor>> &applicationEditors()
{
    static QList<QPointer<TfrmCollectionEditor>> list;
    return list;
}

void freeApplicationEditors()
{
    const QList<QPointer<TfrmCollectionEditor>> editors = std::exchange(applicationEditors(), {});
    for (const QPointer<TfrmCollectionEditor> &editor : editors)
        Free(editor.data());
}

// The stored item of a row: QPointer, so that an item freed behind the editor's back reads null.
class CollectionRow : public QTreeWidgetItem
{
public:
    CollectionRow(const QString &caption, TCollectionItem *item)
        : QTreeWidgetItem(QStringList(caption))
        , Item(item)
    { }
    QPointer<TCollectionItem> Item;
};

// Move up, move down, delete, add, reset: the order the actions pick them by. Pictures in the library's
// resources, each with a twice as large one for high-density screens.
QList<QIcon> editorImages()
{
    QList<QIcon> images;
    for (const char *name : { "moveup", "movedown", "delete", "add", "reset" })
        images.append(QIcon(QStringLiteral(":/qxinspector/dialogs/%1.png").arg(QLatin1String(name))));
    return images;
}

enum { imgMoveUp, imgMoveDown, imgDelete, imgAdd, imgReset };

} // namespace

// ---------------------------------------------------------------------------------------------------
// The list

TQXCollectionListView::TQXCollectionListView(QWidget *parent)
    : QTreeWidget(parent)
{ }

TCollectionItem *TQXCollectionListView::RowItem(const QTreeWidgetItem *Row) const
{
    const auto *row = static_cast<const CollectionRow *>(Row);
    return row ? row->Item.data() : nullptr;
}

TCollectionItem *TQXCollectionListView::RowItem(int Row) const
{
    return RowItem(topLevelItem(Row));
}

QTreeWidgetItem *TQXCollectionListView::AddRow(const QString &Caption, TCollectionItem *Item)
{
    auto *row = new CollectionRow(Caption, Item);
    row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    addTopLevelItem(row);
    return row;
}

void TQXCollectionListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this)
        QTreeWidget::dragEnterEvent(event);
    else
        event->ignore();
}

void TQXCollectionListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() == this)
        QTreeWidget::dragMoveEvent(event);
    else
        event->ignore();
}

// Qt's own move would reorder the rows only; the collection is what moves, and the rows follow it.
void TQXCollectionListView::dropEvent(QDropEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction); // keeps Qt from removing the dragged rows afterwards
    event->accept();
    const QModelIndex target = indexAt(event->position().toPoint());
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *editor = qobject_cast<TfrmCollectionEditor *>(w)) {
            Guarded([&] { editor->DropSelected(target.isValid() ? target.row() : -1); });
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// The editor

TfrmCollectionEditor::TfrmCollectionEditor(QObject *Owner)
    : TGuarded<QMainWindow>(nullptr)
    , TComponent(this, Owner)
    , m_ui(new Ui::frmCollectionEditor)
    , m_images(editorImages())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmCollectionEditor"));
    auto *panel = new QLabel(m_ui->StatusBar1);
    panel->setFixedWidth(50);
    m_ui->StatusBar1->addWidget(panel);
    m_ui->StatusBar1->setSizeGripEnabled(true);

    m_ui->AddItem1->setIcon(m_images.at(imgAdd));
    m_ui->DeleteSelected1->setIcon(m_images.at(imgDelete));
    m_ui->MoveSelectedUp1->setIcon(m_images.at(imgMoveUp));
    m_ui->MoveSelectedDown1->setIcon(m_images.at(imgMoveDown));
    m_ui->Reset1->setIcon(m_images.at(imgReset));
    const QList<QAction *> actions { m_ui->AddItem1,        m_ui->DeleteSelected1,
                                     m_ui->MoveSelectedUp1, m_ui->MoveSelectedDown1,
                                     m_ui->SelectAll1,      m_ui->SelectNone1,
                                     m_ui->Reset1 };
    for (QAction *action : actions) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // shortcuts work wherever the focus is in the window
    }

    m_addMenu = new QMenu(this);
    m_listMenu = new QMenu(this);
    m_addNewAction = m_listMenu->addAction(m_images.at(imgAdd), tr("Add New"));
    m_addNewAction->setStatusTip(tr("Add New"));
    m_addNewAction->setToolTip(tr("Add New"));
    m_addNewAction->setShortcut(QKeySequence(Qt::Key_Insert));
    m_addNewAction->setShortcutContext(Qt::WidgetShortcut); // the Add Item action owns the key
    m_listMenu->addSeparator();
    m_listMenu->addActions({ m_ui->MoveSelectedUp1, m_ui->MoveSelectedDown1, m_ui->DeleteSelected1,
                             m_ui->SelectAll1, m_ui->SelectNone1 });
    m_listMenu->addSeparator();
    m_toolbarAction = m_listMenu->addAction(tr("Toolbar"));
    m_toolbarAction->setCheckable(true);
    m_toolbarAction->setChecked(true);
    m_listMenu->addSeparator();
    m_helpAction = m_listMenu->addAction(tr("Help"));
    m_helpAction->setShortcuts(QKeySequence::HelpContents);
    m_helpAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_helpAction);

    auto guarded = [](auto f) { return [f] { Guarded(f); }; };
    connect(m_ui->AddItem1, &QAction::triggered, this, guarded([this] {
                if (m_collection)
                    AddItem(m_collection->ItemClass());
            }));
    connect(m_addNewAction, &QAction::triggered, this, guarded([this] {
                if (m_collection)
                    AddItem(m_collection->ItemClass());
            }));
    connect(m_ui->DeleteSelected1, &QAction::triggered, this, guarded([this] { DeleteSelected(); }));
    connect(m_ui->MoveSelectedUp1, &QAction::triggered, this, guarded([this] { MoveSelected(true); }));
    connect(m_ui->MoveSelectedDown1, &QAction::triggered, this, guarded([this] { MoveSelected(false); }));
    connect(m_ui->SelectAll1, &QAction::triggered, this, guarded([this] { SelectAll(true); }));
    connect(m_ui->SelectNone1, &QAction::triggered, this, guarded([this] { SelectNone(true); }));
    connect(m_ui->Reset1, &QAction::triggered, this, guarded([this] { ResetPresets(); }));
    connect(m_toolbarAction, &QAction::toggled, m_ui->ToolBar1, &QWidget::setVisible);
    connect(m_helpAction, &QAction::triggered, this, guarded([] { ShowHelp(HelpContext); }));
    connect(m_ui->ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_listMenu->popup(m_ui->ListView1->viewport()->mapToGlobal(pos)); });
    connect(m_ui->ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                Guarded([&] { SelectionChanged(selected, deselected); });
            });

    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

TfrmCollectionEditor::~TfrmCollectionEditor()
{
    // However the editor goes (Free, delete, deleteLater, WA_DeleteOnClose), the registry lets go of it.
    RemoveCollectionEditor(this);
    // A plain delete passes by BeforeDestruction, so the snapshot of inspected objects is freed here.
    FreeAndNil(m_snapshot);
    delete m_ui;
}

void TfrmCollectionEditor::AfterConstruction()
{
    TComponent::AfterConstruction();
    m_snapshot = Create<TQXInspectorObjects>(this);
    // Registered only once whole, so that a search of the registry never meets a half-made editor.
    if (auto &list = registry())
        list->Add(this);
    UpdateActions();
}

void TfrmCollectionEditor::BeforeDestruction()
{
    if (auto &list = registry())
        list->Remove(this);
    TComponent::BeforeDestruction(); // marks the form as being destroyed
    SetInspector(nullptr);
    SetCollection(nullptr);
    FreeAndNil(m_snapshot);
}

TQXCollectionListView *TfrmCollectionEditor::ListView() const
{
    return m_ui->ListView1;
}

QToolBar *TfrmCollectionEditor::ToolBar() const
{
    return m_ui->ToolBar1;
}

QAction *TfrmCollectionEditor::AddItemAction() const
{
    return m_ui->AddItem1;
}
QAction *TfrmCollectionEditor::DeleteSelectedAction() const
{
    return m_ui->DeleteSelected1;
}
QAction *TfrmCollectionEditor::MoveSelectedUpAction() const
{
    return m_ui->MoveSelectedUp1;
}
QAction *TfrmCollectionEditor::MoveSelectedDownAction() const
{
    return m_ui->MoveSelectedDown1;
}
QAction *TfrmCollectionEditor::SelectAllAction() const
{
    return m_ui->SelectAll1;
}
QAction *TfrmCollectionEditor::SelectNoneAction() const
{
    return m_ui->SelectNone1;
}
QAction *TfrmCollectionEditor::ResetAction() const
{
    return m_ui->Reset1;
}

void TfrmCollectionEditor::UpdateActions()
{
    const bool attached = m_collection;
    const bool selected = attached && !m_ui->ListView1->selectedItems().isEmpty();
    m_ui->AddItem1->setEnabled(attached);
    m_addNewAction->setEnabled(attached);
    m_ui->DeleteSelected1->setEnabled(selected);
    m_ui->MoveSelectedUp1->setEnabled(selected);
    m_ui->MoveSelectedDown1->setEnabled(selected);
    m_ui->SelectAll1->setEnabled(m_ui->ListView1->topLevelItemCount() > 0);
    m_ui->SelectNone1->setEnabled(!m_ui->ListView1->selectedItems().isEmpty());
    const bool resettable = qobject_cast<TQXPropertyPresets *>(m_collection.data())
        && qobject_cast<TQXCustomObjectInspector *>(m_owningComponent.data());
    m_ui->Reset1->setVisible(resettable);
    // The separator before Reset goes with it, so the toolbar does not end in one.
    const QList<QAction *> tools = m_ui->ToolBar1->actions();
    const qsizetype reset = tools.indexOf(m_ui->Reset1);
    if (reset > 0 && tools.at(reset - 1)->isSeparator())
        tools.at(reset - 1)->setVisible(resettable);
}

void TfrmCollectionEditor::SetInspector(TQXCustomObjectInspector *Inspector)
{
    if (Inspector == m_inspector)
        return;
    RemoveFreeNotification(const_cast<QObject *>(m_inspectorKey));
    m_inspector = Inspector;
    m_inspectorKey = Inspector;
    {
        const QScopedValueRollback refreshing(m_refreshing, true);
        m_ui->ListView1->clear();
    }
    if (m_snapshot)
        m_snapshot->Clear();
    if (m_inspector)
        FreeNotification(m_inspector);
    else
        SetCollection(nullptr);
    UpdateActions();
}

void TfrmCollectionEditor::SetCollection(TCollection *Collection)
{
    RemoveFreeNotification(const_cast<QObject *>(m_owningKey));
    disconnect(m_collectionGone);
    m_collection = Collection;
    m_owningComponent = nullptr;
    m_owningKey = nullptr;
    if (Collection) {
        m_collectionGone = connect(Collection, &QObject::destroyed, this, [this] { CollectionDestroyed(); });
        for (QObject *owner = Collection->GetOwner(); owner && !m_owningKey;) {
            if (IsComponent(owner))
                m_owningKey = m_owningComponent = owner;
            else
                owner = AsPersistent(owner) ? AsPersistent(owner)->GetOwner() : nullptr;
        }
        FreeNotification(m_owningComponent);
    }
    if (!IsDestroying()) {
        if (qobject_cast<TQXPropertyPresets *>(Collection)) {
            BuildAddMenu();
        } else if (auto *button
                   = qobject_cast<QToolButton *>(m_ui->ToolBar1->widgetForAction(m_ui->AddItem1))) {
            m_addMenu->clear();
            button->setMenu(nullptr);
            button->setPopupMode(QToolButton::DelayedPopup);
        }
    }
    if (m_snapshot) {
        m_snapshot->Clear();
        if (m_inspector && !IsDestroying())
            m_snapshot->AssignNonEmpty(m_inspector->Objects());
    }
    RefreshView();
    UpdateActions();
}

void TfrmCollectionEditor::CollectionDestroyed()
{
    Guarded([this] { SetCollection(nullptr); });
}

QString TfrmCollectionEditor::RowCaption(int Index, TCollectionItem *Item) const
{
    QString caption = QString::number(Index) + QStringLiteral(" - ") + Item->GetDisplayName();
    if (qobject_cast<TQXPropertyPresets *>(m_collection.data()))
        caption += QStringLiteral(" (") + ClassNameOf(Item) + QLatin1Char(')');
    return caption;
}

void TfrmCollectionEditor::RefreshView()
{
    if (IsDestroying())
        return;
    TQXCollectionListView *list = m_ui->ListView1;
    {
        const QScopedValueRollback refreshing(m_refreshing, true);
        list->setUpdatesEnabled(false);
        const auto updates = qScopeGuard([list] { list->setUpdatesEnabled(true); });
        if (m_collection) {
            QList<const TCollectionItem *> selected;
            for (QTreeWidgetItem *row : list->selectedItems())
                selected << list->RowItem(row);
            list->clear();
            for (int i = 0; i < m_collection->Count(); ++i) {
                TCollectionItem *item = m_collection->Items(i);
                QTreeWidgetItem *row = list->AddRow(RowCaption(i, item), item);
                if (selected.contains(item))
                    row->setSelected(true);
            }
        } else {
            list->clearSelection();
            list->clear();
        }
    }
    UpdateActions();
}

void TfrmCollectionEditor::SelectionChanged(const QItemSelection &Selected, const QItemSelection &Deselected)
{
    auto tell = [this](const QItemSelection &selection, bool selected) {
        for (const QModelIndex &index : selection.indexes()) {
            if (index.column() != 0)
                continue;
            QTreeWidgetItem *row = m_ui->ListView1->topLevelItem(index.row());
            ChangeItem(row, ctState);
            if (!m_refreshing)
                SelectItem(row, selected);
        }
    };
    tell(Deselected, false);
    tell(Selected, true);
    UpdateActions();
}

void TfrmCollectionEditor::ChangeItem(QTreeWidgetItem *, TItemChange)
{ }

void TfrmCollectionEditor::SelectItem(QTreeWidgetItem *, bool)
{
    UpdateSelected();
}

void TfrmCollectionEditor::UpdateSelected()
{
    if (!m_inspector || IsDestroying())
        return;
    TQXInspectorObjects *objects = m_inspector->Objects();
    InUpdate(*objects, [&] {
        objects->Clear();
        TQXCollectionListView *list = m_ui->ListView1;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (!list->topLevelItem(i)->isSelected())
                continue;
            if (TCollectionItem *item = list->RowItem(i))
                objects->Add(m_owningComponent, item);
        }
    });
}

int TfrmCollectionEditor::IndexOfItem(const TCollectionItem *Item) const
{
    for (int i = m_ui->ListView1->topLevelItemCount() - 1; i >= 0; --i) {
        if (m_ui->ListView1->RowItem(i) == Item)
            return i;
    }
    return -1;
}

void TfrmCollectionEditor::SelectItem(TCollectionItem *Item)
{
    const int index = IndexOfItem(Item);
    if (index >= 0)
        m_ui->ListView1->topLevelItem(index)->setSelected(true);
}

void TfrmCollectionEditor::DeselectObjects()
{
    if (!m_inspector)
        return;
    TQXInspectorObjects *objects = m_inspector->Objects();
    InUpdate(*objects, [&] {
        for (int i = objects->Count() - 1; i >= 0; --i) {
            auto *item = qobject_cast<TCollectionItem *>(objects->Items(i)->Objects());
            const int row = item ? IndexOfItem(item) : -1;
            if (row < 0 || !m_ui->ListView1->topLevelItem(row)->isSelected())
                objects->Delete(i);
        }
    });
}

void TfrmCollectionEditor::AddItem(const QMetaObject *ItemClass)
{
    if (!m_collection)
        return;
    DeselectObjects();
    TCollectionItem *item = nullptr;
    if (ItemClass == m_collection->ItemClass()) {
        item = m_collection->Add();
    } else if (auto *presets = qobject_cast<TQXPropertyPresets *>(m_collection.data())) {
        item = presets->Add(ItemClass);
    } else {
        item = CreateDetachedItem(ItemClass);
        TScopeExit freeOnError([item] { Free(item); });
        item->SetCollection(m_collection);
        freeOnError.Dismiss();
    }
    m_ui->ListView1->clearSelection();
    RefreshView();
    SelectItem(item);
}

QList<QPointer<TCollectionItem>> TfrmCollectionEditor::SelectedItems() const
{
    // The rows' own items, in the collection's order: a collection changed behind the list's back
    // never makes an action reach an item other than the one the selected row shows.
    QList<QPointer<TCollectionItem>> items;
    const TQXCollectionListView *list = m_ui->ListView1;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (!list->topLevelItem(i)->isSelected())
            continue;
        TCollectionItem *item = list->RowItem(i);
        if (item && item->Collection() == m_collection)
            items << item;
    }
    std::sort(items.begin(), items.end(),
              [](const QPointer<TCollectionItem> &a, const QPointer<TCollectionItem> &b) {
                  return a->Index() < b->Index();
              });
    return items;
}

void TfrmCollectionEditor::DeleteSelected()
{
    if (!m_collection)
        return;
    const TScopeExit refresh([this] { RefreshView(); });
    const QList<QPointer<TCollectionItem>> items = SelectedItems();
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        TCollectionItem *item = it->data();
        if (!item || item->Collection() != m_collection)
            continue;
        if (m_inspector)
            m_inspector->Objects()->RemoveAll(item);
        m_snapshot->RemoveAll(item);
        m_collection->Delete(item->Index());
    }
}

void TfrmCollectionEditor::MoveSelected(bool Up)
{
    if (!m_collection)
        return;
    const TScopeExit refresh([this] { RefreshView(); });
    QList<QPointer<TCollectionItem>> items = SelectedItems();
    if (!Up)
        std::reverse(items.begin(), items.end());
    for (const QPointer<TCollectionItem> &item : std::as_const(items)) {
        if (!item || item->Collection() != m_collection)
            continue;
        const int index = item->Index();
        if (Up && index > 0)
            item->SetIndex(index - 1);
        else if (!Up && index < m_collection->Count() - 1)
            item->SetIndex(index + 1);
    }
}

void TfrmCollectionEditor::DropSelected(int TargetRow)
{
    TQXCollectionListView *list = m_ui->ListView1;
    if (!m_collection || TargetRow < 0 || TargetRow >= list->topLevelItemCount())
        return;
    QList<QPointer<TCollectionItem>> dragged;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected())
            dragged << list->RowItem(i);
    }
    {
        const TUpdateLock batch(*m_collection);
        int target = TargetRow;
        for (const QPointer<TCollectionItem> &item : dragged) {
            if (!item || item->Collection() != m_collection)
                continue;
            const int from = item->Index();
            item->SetIndex(qMin(target, m_collection->Count() - 1));
            if (from > target && target < m_collection->Count())
                ++target;
        }
    }
    RefreshView();
}

void TfrmCollectionEditor::SelectAll(bool)
{
    m_ui->ListView1->selectAll();
}

void TfrmCollectionEditor::SelectNone(bool)
{
    m_ui->ListView1->clearSelection();
}

void TfrmCollectionEditor::BuildAddMenu()
{
    if (IsDestroying())
        return;
    m_addMenu->clear();
    m_addMenu->addAction(m_ui->AddItem1);
    if (TThreadList<const QMetaObject *> *presets = RegisteredPresets()) {
        TThreadListLocker lock(*presets);
        for (const QMetaObject *presetClass : lock.List()) {
            QAction *entry = m_addMenu->addAction(QStringLiteral("Add ") + ClassNameOf(presetClass));
            connect(entry, &QAction::triggered, this,
                    [this, presetClass] { Guarded([&] { AddItem(presetClass); }); });
        }
    }
    if (auto *button = qobject_cast<QToolButton *>(m_ui->ToolBar1->widgetForAction(m_ui->AddItem1))) {
        button->setMenu(m_addMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void TfrmCollectionEditor::ResetPresets()
{
    auto *inspector = qobject_cast<TQXCustomObjectInspector *>(m_owningComponent.data());
    if (!inspector)
        return;
    const TScopeExit refresh([this] { RefreshView(); });
    inspector->ResetDefaultPresets();
}

void TfrmCollectionEditor::Notification(QObject *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == m_inspectorKey) {
        SetInspector(nullptr);
    } else if (m_snapshot
               && (m_snapshot->IndexOf(AComponent) >= 0 || m_snapshot->IndexOfOwner(AComponent) >= 0)) {
        m_snapshot->RemoveAll(AComponent);
        SetCollection(nullptr);
    }
    if (AComponent == m_owningKey)
        SetCollection(nullptr);
}

void TfrmCollectionEditor::closeEvent(QCloseEvent *event)
{
    TGuarded<QMainWindow>::closeEvent(event);
    SetInspector(nullptr);
    SetCollection(nullptr);
    event->accept(); // hidden, not freed
}

// ---------------------------------------------------------------------------------------------------
// Opening

TThreadList<TfrmCollectionEditor *> *CollectionEditors()
{
    return registry().get();
}

TThreadList<TfrmCollectionEditor *> *EnsureCollectionEditors()
{
    if (!registry())
        registry() = std::make_unique<TThreadList<TfrmCollectionEditor *>>();
    return registry().get();
}

void RemoveCollectionEditor(TfrmCollectionEditor *Editor)
{
    if (auto &list = registry())
        list->Remove(Editor);
}

TCollectionEditorOpening OpenCollectionEditor(const QMetaObject *EditorClass, const QMetaObject *BaseClass,
                                              bool ReuseExisting,
                                              const std::function<bool(TfrmCollectionEditor *)> &Matches)
{
    std::optional<TThreadListLocker<TfrmCollectionEditor *>> lock;
    if (ReuseExisting) {
        lock.emplace(*EnsureCollectionEditors());
        for (TfrmCollectionEditor *editor : lock->List()) {
            if (Matches(editor)) {
                editor->show();
                editor->raise();
                editor->activateWindow();
                return { editor, true };
            }
        }
    }
    if (!EditorClass || !InheritsFrom(EditorClass, BaseClass))
        throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    QObject *made = EditorClass->newInstance(Q_ARG(QObject *, qApp));
    auto *editor = qobject_cast<TfrmCollectionEditor *>(made);
    if (!editor) {
        delete made;
        throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    }
    TScopeExit freeOnError([editor] { Free(editor); });
    editor->AfterConstruction();
    freeOnError.Dismiss();
    return { editor, false };
}

TfrmCollectionEditor *ShowCollectionEditor(const QMetaObject *EditorClass,
                                           TQXCustomObjectInspector *Inspector, TCollection *Collection,
                                           const QString &PropertyName, bool ReuseExisting)
{
    const auto [editor, reused] = OpenCollectionEditor(
        EditorClass, &TfrmCollectionEditor::staticMetaObject, ReuseExisting, [&](TfrmCollectionEditor *open) {
            return open->Inspector() == Inspector && open->Collection() == Collection;
        });
    if (reused)
        return editor;
    static bool freedOnQuit = false;
    if (!freedOnQuit && qApp) {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, freeApplicationEditors);
        freedOnQuit = true;
    }
    applicationEditors().removeAll(nullptr);
    applicationEditors() << editor;
    editor->SetInspector(Inspector);
    editor->SetCollection(Collection);
    editor->setWindowTitle(editor->windowTitle() + QLatin1Char(' ') + PropertyName);
    editor->show();
    return editor;
}

TfrmCollectionEditor *ShowCollectionEditor(TQXCustomObjectInspector *Inspector, TCollection *Collection,
                                           const QString &PropertyName, bool ReuseExisting)
{
    return ShowCollectionEditor(&TfrmCollectionEditor::staticMetaObject, Inspector, Collection, PropertyName,
                                ReuseExisting);
}
