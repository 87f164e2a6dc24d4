#include "QXProbeWindow.h"

#include <QXInspector/Persistent.h>
#include <QXInspector/QXInspectorSearchBox.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/TypeInfo.h>

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <functional>

using namespace QXPlatform;

namespace {

QString describe(const QObject *Object)
{
    const QString name = Object->objectName();
    const QString className = QString::fromLatin1(Object->metaObject()->className());
    return name.isEmpty() ? className : QStringLiteral("%1 \"%2\"").arg(className, name);
}

} // namespace

TQXProbeWindow::TQXProbeWindow(QWidget *parent)
    : TGuarded<QWidget>(parent)
    , m_chord(QKeySequence(QStringLiteral("Ctrl+Shift+I")))
{
    setWindowTitle(QStringLiteral("qx-inspect: %1").arg(QCoreApplication::applicationName()));
    m_filter = new QLineEdit;
    m_filter->setPlaceholderText(QStringLiteral("Find objects by class or name"));
    m_filter->setClearButtonEnabled(true);
    m_picker = new QCheckBox(QStringLiteral("Ctrl+click picks"));
    m_picker->setChecked(true);
    m_tree = new QTreeWidget;
    m_tree->setHeaderLabels({ QStringLiteral("Class"), QStringLiteral("Object name") });
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    m_inspector = Create<TQXObjectInspector>(nullptr);
    // The options a Qt developer expects: live values, undo, kept expansion and the Qt look.
    m_inspector->SetHideSelection(false);
    m_inspector->SetUndoEnabled(true);
    m_inspector->SetLiveUpdate(true);
    m_inspector->SetKeepExpansion(true);
    // The Qt look without its bands: a row's path stays the property's own path ("font.Size"), as --set
    // names it.
    m_inspector->SetQtLook(true);
    m_inspector->SetArrangeByClass(false);
    m_inspector->SetArrangeByCategory(false);
    auto *search = new TQXInspectorSearchBox;
    search->setPlaceholderText(QStringLiteral("Find properties"));
    search->SetInspector(m_inspector);

    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto *filterLine = new QHBoxLayout;
    filterLine->addWidget(m_filter, 1);
    filterLine->addWidget(m_picker);
    leftLayout->addLayout(filterLine);
    leftLayout->addWidget(m_tree, 1);
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(search);
    rightLayout->addWidget(m_inspector, 1);
    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setSizes({ 360, 420 });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(820, 640);

    connect(m_filter, &QLineEdit::textChanged, this, [this] { Guarded([this] { filterTree(); }); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this,
            [this] { Guarded([this] { selectionChanged(); }); });
    connect(m_inspector, &TQXCustomObjectInspector::scanned, this, [this] {
        Guarded([this] {
            const QString text = InspectedText();
            if (text != std::exchange(m_inspected, text))
                Q_EMIT inspectedChanged(text);
        });
    });
    qApp->installEventFilter(this);
    RefreshTree();
}

TQXProbeWindow::~TQXProbeWindow()
{
    qApp->removeEventFilter(this);
    // Objects still listed are alive (each entry goes with its destroyed()); one may be destroyed by this
    // window's own end (a timer that has it as context), after this destructor.
    for (auto it = m_itemOf.cbegin(); it != m_itemOf.cend(); ++it)
        disconnect(it.key(), &QObject::destroyed, this, &TQXProbeWindow::objectDestroyed);
    // The inspector goes before the tree whose selection it shows.
    FreeAndNil(m_inspector);
}

bool TQXProbeWindow::Picker() const
{
    return m_picker->isChecked();
}

void TQXProbeWindow::SetPicker(bool Value)
{
    m_picker->setChecked(Value);
}

bool TQXProbeWindow::IsOwn(const QObject *Object) const
{
    // The library's prototypes (hidden widgets it reads default values from) are the inspector's too.
    if (IsPrototype(Object))
        return true;
    for (const QObject *object = Object; object; object = object->parent())
        if (object == this)
            return true;
    return false;
}

QObjectList TQXProbeWindow::RootObjects() const
{
    QObjectList roots { QCoreApplication::instance() };
    QWidgetList widgets = QApplication::topLevelWidgets();
    // Qt gives them in no set order: by class and name, so that the tree reads the same each time.
    std::sort(widgets.begin(), widgets.end(),
              [](const QWidget *a, const QWidget *b) { return describe(a) < describe(b); });
    for (QWidget *widget : std::as_const(widgets))
        if (!widget->parent() && !IsOwn(widget))
            roots << widget;
    // Windows of their own (Qt Quick, plain QWindow); every widget window is listed as its widget.
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (QWindow *window : windows)
        if (!window->parent() && !window->inherits("QWidgetWindow"))
            roots << window;
    return roots;
}

QObjectList TQXProbeWindow::ChildObjects(const QObject *Object) const
{
    QObjectList children;
    for (QObject *child : Object->children())
        if (!IsOwn(child))
            children << child;
    return children;
}

QObject *TQXProbeWindow::FindObject(const QString &Name) const
{
    QObjectList all = RootObjects();
    for (qsizetype i = 0; i < all.size(); ++i)
        all << ChildObjects(all.at(i));
    for (QObject *object : std::as_const(all))
        if (object->objectName() == Name)
            return object;
    for (QObject *object : std::as_const(all))
        if (QLatin1String(object->metaObject()->className()) == Name)
            return object;
    return nullptr;
}

QString TQXProbeWindow::TreeText() const
{
    QString text;
    std::function<void(const QObject *, qsizetype)> add = [&](const QObject *object, qsizetype depth) {
        text += QString(depth * 2, QLatin1Char(' ')) + describe(object) + QLatin1Char('\n');
        for (const QObject *child : ChildObjects(object))
            add(child, depth + 1);
    };
    for (const QObject *root : RootObjects())
        add(root, 0);
    return text;
}

void TQXProbeWindow::RefreshTree()
{
    const QObjectList selected = Selected();
    {
        const QSignalBlocker blocker(m_tree);
        m_itemOf.clear();
        m_objectOf.clear();
        m_tree->clear();
        for (QObject *root : RootObjects())
            addObject(root, nullptr);
    }
    filterTree();
    Select(selected);
}

void TQXProbeWindow::addObject(QObject *Object, QTreeWidgetItem *Parent)
{
    auto *item = Parent ? new QTreeWidgetItem(Parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, QString::fromLatin1(Object->metaObject()->className()));
    item->setText(1, Object->objectName());
    m_itemOf.insert(Object, item);
    m_objectOf.insert(item, Object);
    // Unique: an object listed again after a refresh stays connected once.
    connect(Object, &QObject::destroyed, this, &TQXProbeWindow::objectDestroyed, Qt::UniqueConnection);
    for (QObject *child : ChildObjects(Object))
        addObject(child, item);
}

void TQXProbeWindow::forget(QTreeWidgetItem *Item)
{
    for (int i = 0; i < Item->childCount(); ++i)
        forget(Item->child(i));
    if (QObject *object = m_objectOf.take(Item))
        m_itemOf.remove(object);
}

void TQXProbeWindow::objectDestroyed(QObject *Object)
{
    // Object is half destroyed: only its address is used, to find its item.
    Guarded([&] {
        QTreeWidgetItem *item = m_itemOf.take(Object);
        if (!item)
            return;
        m_objectOf.remove(item);
        forget(item);
        // Deleting a selected item changes the selection, and the inspector follows it.
        delete item;
    });
}

void TQXProbeWindow::Select(const QObjectList &Objects)
{
    const bool missing = std::any_of(Objects.cbegin(), Objects.cend(),
                                     [this](const QObject *object) { return !m_itemOf.contains(object); });
    if (missing && !Objects.isEmpty())
        RefreshTree(); // keeps the old selection, which is replaced next
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->clearSelection();
        for (const QObject *object : Objects)
            if (QTreeWidgetItem *item = m_itemOf.value(object)) {
                item->setSelected(true);
                for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
                    parent->setExpanded(true);
            }
        if (QTreeWidgetItem *first = Objects.isEmpty() ? nullptr : m_itemOf.value(Objects.first())) {
            m_tree->setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
            m_tree->scrollToItem(first);
        }
    }
    selectionChanged();
}

QObjectList TQXProbeWindow::Selected() const
{
    QObjectList objects;
    for (const QTreeWidgetItem *item : m_tree->selectedItems())
        if (QObject *object = m_objectOf.value(item))
            objects << object;
    return objects;
}

void TQXProbeWindow::selectionChanged()
{
    TQXInspectorObjects *objects = m_inspector->Objects();
    const QObjectList selected = Selected();
    // One batch: the inspector drops its rows once and scans once.
    InUpdate(*objects, [&] {
        objects->Clear();
        for (QObject *object : selected)
            objects->Add(object);
    });
}

void TQXProbeWindow::filterTree()
{
    const QString text = m_filter->text().trimmed();
    // An item stays shown when it or one below it matches; matches are opened up to.
    std::function<bool(QTreeWidgetItem *)> filter = [&](QTreeWidgetItem *item) {
        bool below = false;
        for (int i = 0; i < item->childCount(); ++i)
            below |= filter(item->child(i));
        const bool match = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive)
            || item->text(1).contains(text, Qt::CaseInsensitive);
        item->setHidden(!match && !below);
        if (!text.isEmpty() && below)
            item->setExpanded(true);
        return match || below;
    };
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        filter(m_tree->topLevelItem(i));
}

bool TQXProbeWindow::TypeInto(const QString &Path, const QString &Text)
{
    // The rows of the selection, built now rather than on the next turn of the event loop.
    m_inspector->Rescan();
    const QString delimiter = m_inspector->PathDelimiter();
    const QStringList parts = Path.split(delimiter);
    for (qsizetype i = 1; i < parts.size(); ++i)
        if (TQXItemProperty *parent
            = m_inspector->GetItems()->FindItemByFullPathName(parts.first(i).join(delimiter)))
            parent->Expand();
    TQXItemProperty *row = m_inspector->GetItems()->FindItemByFullPathName(Path);
    if (!row)
        return false;
    m_inspector->SetSelected(row);
    m_inspector->SetGridCount(gcCurValuePos, 1);
    m_inspector->setFocus();
    m_inspector->ShowEditor();
    QLineEdit *editor = m_inspector->InplaceEditor();
    if (!editor || editor->isReadOnly())
        return false;
    editor->selectAll();
    editor->insert(Text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &press);
    QCoreApplication::sendEvent(editor, &release);
    return true;
}

QString TQXProbeWindow::InspectedText() const
{
    QStringList names;
    for (int i = 0; i < m_inspector->ShownObjectCount(); ++i)
        if (const QObject *object = m_inspector->ShownObject(i))
            names << describe(object);
    return names.isEmpty() ? QStringLiteral("nothing") : names.join(QStringLiteral(", "));
}

bool TQXProbeWindow::pick(QWidget *Widget, bool Add)
{
    QObjectList objects = Add ? Selected() : QObjectList();
    if (!objects.contains(Widget))
        objects << Widget;
    Select(objects);
    show();
    raise();
    return true;
}

bool TQXProbeWindow::GuardedEventFilter(QObject *Watched, QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        // The override is accepted too, so that no shortcut of the program takes the chord first.
        const auto *key = static_cast<QKeyEvent *>(Event);
        const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
        if (m_chord.isEmpty() || pressed != m_chord[0])
            break;
        Event->accept();
        if (Event->type() == QEvent::KeyPress) {
            setVisible(!isVisible());
            if (isVisible()) {
                RefreshTree();
                raise();
                activateWindow();
            }
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Watched is the widget under the mouse (its window's QWindow sees the event first, and is
        // let through).
        auto *widget = qobject_cast<QWidget *>(Watched);
        const auto *mouse = static_cast<QMouseEvent *>(Event);
        if (widget && Picker() && mouse->button() == Qt::LeftButton
            && (mouse->modifiers() & Qt::ControlModifier) && !IsOwn(widget) && !IsOwn(widget->window())) {
            m_swallowRelease = true;
            return pick(widget, mouse->modifiers() & Qt::ShiftModifier);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease && qobject_cast<QWidget *>(Watched)) {
            m_swallowRelease = false;
            return true;
        }
        break;
    default:
        break;
    }
    return TGuarded<QWidget>::GuardedEventFilter(Watched, Event);
}
