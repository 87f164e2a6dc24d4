#include "QXCollectionPropertyEditorDcl.h"

#include <QXInspector/QXMessages.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

using namespace QXPlatform;

namespace {

// The value of the design update message: refresh the rows, or push the selection.
constexpr qintptr RefreshRows = 1;
constexpr qintptr PushSelection = 0;

} // namespace

TfrmCollectionEditorDcl::TfrmCollectionEditorDcl(QObject *Owner)
    : TfrmCollectionEditor(Owner)
{ }

TfrmCollectionEditorDcl::~TfrmCollectionEditorDcl() = default;

void TfrmCollectionEditorDcl::AfterConstruction()
{
    TfrmCollectionEditor::AfterConstruction();
    m_selection = Create<TQXObjectInspector>();
    m_selection->setObjectName(QStringLiteral("SelectionInspector"));
    m_selection->OnPropertyChanged = [this](QObject *, TQXItemProperty *) { Modified(); };
    auto *dock = new QDockWidget(tr("Properties"), this);
    dock->setObjectName(QStringLiteral("SelectionDock"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setWidget(m_selection);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    resize(width() + 80, height() + 260);
}

void TfrmCollectionEditorDcl::BeforeDestruction()
{
    m_closing = true;
    if (m_designer)
        m_designer->disconnect(this);
    FreeAndNil(m_selection);
    TfrmCollectionEditor::BeforeDestruction();
}

void TfrmCollectionEditorDcl::SetDesigner(std::unique_ptr<TQXDesigner> Designer)
{
    if (m_designer)
        m_designer->disconnect(this);
    m_designer = std::move(Designer);
    TQXDesigner *designer = m_designer.get();
    if (!designer)
        return;
    auto guarded = [](auto f) { return [f](auto &&...args) { Guarded([&] { f(args...); }); }; };
    connect(designer, &TQXDesigner::ItemDeleted, this,
            guarded([this](QObject *object) { ItemDeleted(object); }));
    connect(designer, &TQXDesigner::ItemsModified, this, guarded([this] { ItemsModified(); }));
    connect(designer, &TQXDesigner::SelectionChanged, this,
            guarded([this](const QList<QObject *> &selection) { SelectionChanged(selection); }));
    connect(designer, &TQXDesigner::DesignerClosed, this, guarded([this] { DesignerClosed(); }));
}

void TfrmCollectionEditorDcl::CloseIt()
{
    m_closing = true;
    SetCollection(nullptr);
    close();
}

void TfrmCollectionEditorDcl::Lock()
{
    ++m_lockCount;
}

void TfrmCollectionEditorDcl::Unlock()
{
    --m_lockCount;
}

void TfrmCollectionEditorDcl::Modified()
{
    if (m_designer && !m_closing)
        m_designer->Modified();
}

// ---------------------------------------------------------------------------------------------------
// What the user does

void TfrmCollectionEditorDcl::AddItem(const QMetaObject *ItemClass)
{
    TfrmCollectionEditor::AddItem(ItemClass);
    Modified();
}

void TfrmCollectionEditorDcl::MoveSelected(bool Up)
{
    TfrmCollectionEditor::MoveSelected(Up);
    Modified();
}

void TfrmCollectionEditorDcl::DeleteSelected()
{
    TfrmCollectionEditor::DeleteSelected();
    SetSelections({});
    Modified();
}

void TfrmCollectionEditorDcl::ResetPresets()
{
    TfrmCollectionEditor::ResetPresets();
    Modified();
}

void TfrmCollectionEditorDcl::RefreshView()
{
    if (m_closing)
        return;
    Lock();
    const TScopeExit unlock([this] { Unlock(); });
    TfrmCollectionEditor::RefreshView();
}

void TfrmCollectionEditorDcl::SelectAll(bool Update)
{
    {
        Lock();
        const TScopeExit unlock([this] { Unlock(); });
        TfrmCollectionEditor::SelectAll(Update);
    }
    if (Update)
        UpdateSelected();
}

void TfrmCollectionEditorDcl::SelectNone(bool Update)
{
    {
        Lock();
        const TScopeExit unlock([this] { Unlock(); });
        TfrmCollectionEditor::SelectNone(Update);
    }
    if (Update)
        UpdateSelected();
}

// ---------------------------------------------------------------------------------------------------
// The selection: pushed once after a burst of row changes

void TfrmCollectionEditorDcl::ChangeItem(QTreeWidgetItem *Item, TItemChange Change)
{
    TfrmCollectionEditor::ChangeItem(Item, Change);
    if (Change == ctState && !IsLocked() && !m_selectionPending) {
        m_selectionPending = true;
        PostMessage(this, QX_DESIGNUPDATE, PushSelection);
    }
}

void TfrmCollectionEditorDcl::SelectItem(QTreeWidgetItem *, bool)
{ }

void TfrmCollectionEditorDcl::Dispatch(TMessage &Message)
{
    if (Message.Msg != QX_DESIGNUPDATE) {
        TfrmCollectionEditor::Dispatch(Message);
        return;
    }
    if (IsLocked() && !m_closing) {
        // Postponed, not merged: a pending refresh and a pending selection update stay two messages.
        PostMessage(this, QX_DESIGNUPDATE, Message.WParam, Message.LParam);
        return;
    }
    if (Message.WParam != PushSelection) {
        m_refreshPending = false;
        ItemsModified();
    } else {
        m_selectionPending = false;
        UpdateSelected();
    }
}

void TfrmCollectionEditorDcl::UpdateSelected()
{
    if (!Collection() || IsDestroying() || m_closing)
        return;
    try {
        QList<QObject *> selected;
        TQXCollectionListView *list = ListView();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->isSelected())
                if (TCollectionItem *item = list->RowItem(i))
                    selected.append(item);
        }
        SetSelections(selected.isEmpty() ? QList<QObject *>({ Collection() }) : selected);
    } catch (...) {
        // A selection the designer cannot take ends the editor: it could only go on showing the wrong one.
        m_closing = true;
        HandleException(std::current_exception());
        close();
    }
}

void TfrmCollectionEditorDcl::SetSelections(const QList<QObject *> &Objects)
{
    if (!m_selection)
        return;
    TQXInspectorObjects *objects = m_selection->Objects();
    InUpdate(*objects, [&] {
        objects->Clear();
        for (QObject *object : Objects)
            objects->Add(OwningComponent(), object);
    });
}

QList<QObject *> TfrmCollectionEditorDcl::Selections() const
{
    QList<QObject *> selection;
    if (!m_selection)
        return selection;
    TQXInspectorObjects *objects = m_selection->Objects();
    for (int i = 0; i < objects->Count(); ++i)
        if (QObject *object = objects->Items(i)->Objects())
            selection.append(object);
    return selection;
}

bool TfrmCollectionEditorDcl::BelongsToCollection(const QList<QObject *> &Objects) const
{
    TCollection *collection = Collection();
    if (!collection || Objects.isEmpty() || Objects.size() > collection->Count())
        return false;
    QObject *first = Objects.first();
    if (first == collection)
        return true;
    const TPersistent *persistent = AsPersistent(first);
    return persistent && persistent->GetOwner() == collection;
}

void TfrmCollectionEditorDcl::UpdateListViewSelected()
{
    const QList<QObject *> selection = Selections();
    if (!BelongsToCollection(selection))
        SelectNone(false);
    else if (ListView()->topLevelItemCount() < selection.size())
        RefreshView();
}

// ---------------------------------------------------------------------------------------------------
// News from the form

void TfrmCollectionEditorDcl::ItemDeleted(QObject *Object)
{
    if (m_closing || !Object)
        return;
    TCollection *collection = Collection();
    QObject *owning = OwningComponent();
    bool onOwnerChain = false;
    if (collection) {
        for (QObject *owner = collection->GetOwner(); owner && !onOwnerChain;) {
            onOwnerChain = owner == Object;
            if (IsComponent(owner))
                break;
            const TPersistent *persistent = AsPersistent(owner);
            owner = persistent ? persistent->GetOwner() : nullptr;
        }
    }
    const TComponent *owningComponent = AsComponent(owning);
    if (!owning || (owningComponent && (owningComponent->ComponentState() & csDestroying)) || Object == owning
        || Object == collection || onOwnerChain) {
        CloseIt();
        return;
    }
    // An item of the collection, or something inside one: the rows are rebuilt once the deletion is over.
    for (const TPersistent *persistent = AsPersistent(Object); persistent;) {
        QObject *owner = persistent->GetOwner();
        if (owner == collection) {
            if (!m_refreshPending) {
                m_refreshPending = true;
                PostMessage(this, QX_DESIGNUPDATE, RefreshRows);
            }
            return;
        }
        persistent = AsPersistent(owner);
    }
}

void TfrmCollectionEditorDcl::ItemInserted(QObject *)
{ }

void TfrmCollectionEditorDcl::ItemsModified()
{
    if (!m_closing && Collection())
        RefreshView();
}

void TfrmCollectionEditorDcl::SelectionChanged(const QList<QObject *> &Selection)
{
    if (m_closing || !m_designer || !m_designer->IsActive())
        return;
    SelectNone(false);
    if (!BelongsToCollection(Selection))
        return;
    if (ListView()->topLevelItemCount() < Selection.size())
        RefreshView();
    Lock();
    const TScopeExit unlock([this] { Unlock(); });
    for (QObject *object : Selection)
        if (auto *item = qobject_cast<TCollectionItem *>(object))
            TfrmCollectionEditor::SelectItem(item);
}

void TfrmCollectionEditorDcl::DesignerOpened()
{ }

void TfrmCollectionEditorDcl::DesignerClosed()
{
    if (!m_closing)
        CloseIt();
}

void TfrmCollectionEditorDcl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_closing) {
        if (m_designer)
            m_designer->Activate();
        UpdateSelected();
        return;
    }
    TfrmCollectionEditor::changeEvent(event);
}

void TfrmCollectionEditorDcl::closeEvent(QCloseEvent *event)
{
    TfrmCollectionEditor::closeEvent(event);
    Lock();
    m_closing = true;
    // Freed once the close is over; a design-time editor does not outlive its window.
    QMetaObject::invokeMethod(
        this, [this] { Free(this); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------------
// Opening

TfrmCollectionEditorDcl *ShowCollectionEditorDcl(const QMetaObject *EditorClass,
                                                 std::unique_ptr<TQXDesigner> Designer,
                                                 TCollection *Collection, const QString &PropertyName,
                                                 bool ReuseExisting)
{
    TQXDesigner *designer = Designer.get();
    const auto [made, reused]
        = OpenCollectionEditor(EditorClass, &TfrmCollectionEditorDcl::staticMetaObject, ReuseExisting,
                               [&](TfrmCollectionEditor *open) {
                                   auto *designTime = qobject_cast<TfrmCollectionEditorDcl *>(open);
                                   return designTime && !designTime->IsClosing()
                                       && designTime->Collection() == Collection && designTime->Designer()
                                       && designer && designTime->Designer()->Form() == designer->Form();
                               });
    auto *editor = static_cast<TfrmCollectionEditorDcl *>(made);
    if (reused)
        return editor;
    if (qApp)
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, editor, [editor] { Free(editor); });
    editor->SetDesigner(std::move(Designer));
    editor->SetCollection(Collection);
    editor->setWindowTitle(editor->windowTitle() + QLatin1Char(' ') + PropertyName);
    editor->show();
    return editor;
}

// ---------------------------------------------------------------------------------------------------
// The task menu

TQXPresetsTaskMenu::TQXPresetsTaskMenu(TQXObjectInspector *Inspector, QObject *parent)
    : QObject(parent)
    , m_inspector(Inspector)
    , m_editPresets(new QAction(tr("Edit Presets..."), this))
{
    connect(m_editPresets, &QAction::triggered, this, [this] { Guarded([this] { EditPresets(); }); });
}

TQXPresetsTaskMenu::~TQXPresetsTaskMenu() = default;

TfrmCollectionEditorDcl *TQXPresetsTaskMenu::EditPresets()
{
    if (!m_inspector)
        return nullptr;
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_inspector);
    auto designer = std::make_unique<TQXFormWindowDesigner>(form, m_inspector, "PresetsStream");
    return ShowCollectionEditorDcl(&TfrmCollectionEditorDcl::staticMetaObject, std::move(designer),
                                   m_inspector->Presets(), QString(), true);
}

TQXPresetsTaskMenuFactory::TQXPresetsTaskMenuFactory(QExtensionManager *parent)
    : QExtensionFactory(parent)
{ }

QObject *TQXPresetsTaskMenuFactory::createExtension(QObject *object, const QString &iid,
                                                    QObject *parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto *inspector = qobject_cast<TQXObjectInspector *>(object))
        return new TQXPresetsTaskMenu(inspector, parent);
    return nullptr;
}
