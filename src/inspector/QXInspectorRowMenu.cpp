// What a user does with one row besides typing into it: the row menu (copying and pasting its value,
// copying its path, putting it back to its default, opening or closing everything below it), its tool
// tip, the check box of a Boolean row, the thumbnail of a picture row and the shade of a class band.
#include "QXCustomObjectInspector.h"

#include "Graphics.h"
#include "TypeInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QInputDialog>
#include <QToolTip>

using namespace QXPlatform;

namespace {

/// The object and property information a row stands for on one inspected object (no object: invalid).
struct RowProperty
{
    QObject *instance = nullptr;
    TPropInfo info;
};

RowProperty rowProperty(const TQXCustomObjectInspector *Inspector, TQXItemProperty *Item, int ObjectIndex)
{
    RowProperty result;
    if (!Item || !Item->IsRealProperty())
        return result;
    QString name = Item->GetFullPathPropName();
    result.instance = Inspector->GetInstance(Inspector->ShownObject(ObjectIndex), name, Item);
    if (result.instance)
        result.info = GetPropInfo(result.instance, name);
    if (!result.info)
        result.instance = nullptr;
    return result;
}

} // namespace

QString TQXCustomObjectInspector::DefaultText(TQXItemProperty *Item) const
{
    const RowProperty property = ShownObjectCount() > 0 ? rowProperty(this, Item, 0) : RowProperty();
    return property.instance ? GetDefaultText(property.info) : QString();
}

bool TQXCustomObjectInspector::CanResetToDefault(TQXItemProperty *Item) const
{
    if (!Item || Item->IsReadOnly() || ShownObjectCount() == 0)
        return false;
    const RowProperty first = rowProperty(this, Item, 0);
    if (!first.instance)
        return false;
    if (first.info.Property.isResettable())
        return true;
    if (GetDefaultText(first.info).isNull())
        return false;
    for (int i = 0; i < ShownObjectCount(); ++i) {
        const RowProperty property = rowProperty(this, Item, i);
        if (property.instance && !IsDefaultValue(property.instance, property.info))
            return true;
    }
    return false;
}

void TQXCustomObjectInspector::ResetToDefault(TQXItemProperty *Item)
{
    if (!CanResetToDefault(Item))
        return;
    const RowProperty first = rowProperty(this, Item, 0);
    if (first.info.Property.isResettable()) {
        // The class knows its default best; the reset is a write like any other (events, undo, refresh).
        resetEach(Item);
        return;
    }
    Item->SetValue(GetDefaultText(first.info));
    Item->Validate();
}

QMenu *TQXCustomObjectInspector::CreateRowMenu(TQXItemProperty *Item, QWidget *Parent)
{
    auto *menu = new QMenu(Parent);
    // The menu may outlive the row (a rescan while it is open): each action checks it is still there.
    const QPointer<TQXItemProperty> row(Item);
    const auto add
        = [&](const char *name, const QString &text, const QKeySequence &keys, bool enabled, auto &&act) {
              QAction *action = menu->addAction(text);
              action->setObjectName(QLatin1String(name));
              action->setEnabled(enabled && row);
              // Shown in the menu; the grid's KeyDown runs the action of a key pressed on the selected row.
              action->setShortcut(keys);
              action->setShortcutContext(Qt::WidgetShortcut);
              QObject::connect(action, &QAction::triggered, this, [row, act] {
                  Guarded([&] {
                      if (row)
                          act(row.data());
                  });
              });
          };
    const bool writable = Item && !Item->IsReadOnly();
    add("copyValue", tr("Copy value"), QKeySequence::Copy, true,
        [](TQXItemProperty *r) { QApplication::clipboard()->setText(r->GetValue()); });
    add("pasteValue", tr("Paste value"), QKeySequence::Paste, writable, [](TQXItemProperty *r) {
        r->SetValue(QApplication::clipboard()->text());
        r->Validate();
    });
    add("copyPath", tr("Copy property path"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), true,
        [](TQXItemProperty *r) { QApplication::clipboard()->setText(r->GetFullPathName()); });
    add("resetToDefault", tr("Reset to default"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
        writable && CanResetToDefault(Item), [this](TQXItemProperty *r) { ResetToDefault(r); });
    menu->addSeparator();
    const bool parent = Item && Item->HasChildren();
    add("expandAll", tr("Expand all"), QKeySequence(Qt::Key_Asterisk), parent,
        [](TQXItemProperty *r) { r->FullExpand(); });
    add("collapseAll", tr("Collapse all"), QKeySequence(Qt::Key_Slash), parent,
        [](TQXItemProperty *r) { r->FullCollapse(); });
    if (m_dynamicProperties) {
        menu->addSeparator();
        add("addDynamicProperty", tr("Add dynamic property..."), QKeySequence(), ShownObjectCount() > 0,
            [this](TQXItemProperty *) {
                bool ok = false;
                const QString name = QInputDialog::getText(this, tr("Add dynamic property"), tr("Name:"),
                                                           QLineEdit::Normal, QString(), &ok);
                if (ok)
                    AddDynamicProperty(name);
            });
        add("removeDynamicProperty", tr("Remove dynamic property"), QKeySequence(),
            IsDynamicPropertyRow(Item),
            [this](TQXItemProperty *r) { RemoveDynamicProperty(r->RealPropName()); });
    }
    return menu;
}

bool TQXCustomObjectInspector::RowMenuKey(const QKeySequence &Keys)
{
    TQXItemProperty *item = GetSelected();
    if (!m_rowMenu || !item || Keys.isEmpty())
        return false;
    const std::unique_ptr<QMenu> menu(CreateRowMenu(item));
    for (QAction *action : menu->actions())
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == Keys) {
            action->trigger();
            return true;
        }
    return false;
}

void TQXCustomObjectInspector::contextMenuEvent(QContextMenuEvent *Event)
{
    if (!m_rowMenu) {
        TQXCustomItemListEditor::contextMenuEvent(Event);
        return;
    }
    // The row under the pointer; from the keyboard, the selected row.
    TQXItemProperty *item = GetSelected();
    if (Event->reason() == QContextMenuEvent::Mouse) {
        const TGridCoord cell = MouseCoord(Event->pos().x(), Event->pos().y());
        item = static_cast<TQXItemProperty *>(FindItemProp(cell.X, cell.Y, true));
    }
    if (!item)
        return;
    SetSelected(item);
    const std::unique_ptr<QMenu> menu(CreateRowMenu(item, this));
    menu->exec(Event->globalPos());
    Event->accept();
}

QString TQXCustomObjectInspector::RowToolTip(TQXItemProperty *Item) const
{
    if (!Item)
        return {};
    QStringList lines { Item->TypeName().isEmpty() ? Item->Name()
                                                   : Item->Name() + QLatin1String(": ") + Item->TypeName() };
    if (!Item->Hint().isEmpty())
        lines << Item->Hint();
    if (const QString fallback = DefaultText(Item); !fallback.isNull())
        lines << tr("Default: %1").arg(fallback);
    return lines.join(QLatin1Char('\n'));
}

bool TQXCustomObjectInspector::GuardedViewportEvent(QEvent *Event)
{
    if (m_rowToolTips && Event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(Event);
        const TGridCoord cell = MouseCoord(help->pos().x(), help->pos().y());
        auto *item = static_cast<TQXItemProperty *>(FindItemProp(cell.X, cell.Y, true));
        if (item)
            QToolTip::showText(help->globalPos(), RowToolTip(item), viewport(), CellRect(cell.X, cell.Y));
        else
            QToolTip::hideText();
        return true;
    }
    return TQXCustomItemListEditor::GuardedViewportEvent(Event);
}

void TQXCustomObjectInspector::SetCheckBoxes(bool Value)
{
    if (Value == m_checkBoxes)
        return;
    m_checkBoxes = Value;
    InvalidateGrid();
}

namespace {

bool isBooleanRow(const TQXItemProp *Item)
{
    const auto *row = static_cast<const TQXItemProperty *>(Item);
    return row && row->TypeKind() == tkEnumeration
        && row->TypeName().compare(QLatin1String("Boolean"), Qt::CaseInsensitive) == 0;
}

} // namespace

int TQXCustomObjectInspector::ValueCheckState(TQXItemProp *Item, const QString &Text) const
{
    if (!m_checkBoxes || !isBooleanRow(Item))
        return -1;
    if (Text.isEmpty()) // the objects differ
        return Qt::PartiallyChecked;
    return Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? Qt::Checked : Qt::Unchecked;
}

bool TQXCustomObjectInspector::ToggleCheckBox(TQXItemProperty *Item)
{
    if (!m_checkBoxes || !isBooleanRow(Item) || Item->IsReadOnly())
        return false;
    // A blank (objects that differ) becomes True everywhere, as a checked box would read. With a value
    // line per object, the current line is the one toggled.
    const bool ownLine = DisplayOptions() & doMultiColValues;
    const bool checked = (ownLine || Item->IsAllEqual())
        && Item->GetValue().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    Item->SetValue(checked ? QStringLiteral("False") : QStringLiteral("True"));
    Item->Validate();
    return true;
}

void TQXCustomObjectInspector::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (m_checkBoxes && Button == Qt::LeftButton) {
        const TGridCoord cell = MouseCoord(X, Y);
        auto *item = static_cast<TQXItemProperty *>(FindItemProp(cell.X, cell.Y, true));
        if (item && IsValueCell(cell.X, cell.Y) && ValueMarkRect(CellRect(cell.X, cell.Y)).contains(X, Y)
            && ValueCheckState(item, GetCell(cell.X, cell.Y)) >= 0) {
            // The clicked cell becomes the current one first: with a value line per object, the box
            // toggled is that object's.
            FocusCell(cell.X, cell.Y, true);
            if (ToggleCheckBox(item))
                return;
        }
    }
    TQXCustomItemListEditor::MouseDown(Button, Shift, X, Y);
}

void TQXCustomObjectInspector::SetThumbnails(bool Value)
{
    if (Value == m_thumbnails)
        return;
    m_thumbnails = Value;
    InvalidateGrid();
}

QPixmap TQXCustomObjectInspector::ValueThumbnail(TQXItemProp *Item) const
{
    auto *row = static_cast<TQXItemProperty *>(Item);
    if (!m_thumbnails || !row->IsRealProperty() || row->TypeKind() != tkClass
        || row->TypeName() != QLatin1String("TPicture"))
        return {};
    try {
        // Icons and pixmaps reach the rows as pictures.
        const auto *picture = qobject_cast<const TPicture *>(row->GetObjectProperty(0));
        return picture ? picture->Pixmap() : QPixmap();
    } catch (const Exception &) {
        return {}; // an object path that no longer resolves: the next refresh rescans
    }
}

QColor TQXCustomObjectInspector::RowBackground(TQXItemProp *Item) const
{
    if (!m_arrangeByClass)
        return {};
    TQXItemProp *band = Item;
    while (band->GetParent())
        band = band->GetParent();
    if (!band->Category())
        return {};
    // A light tint per band on light palettes, a dark one on dark palettes, hues far apart.
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    return QColor::fromHsl((band->Index() * 47 + 40) % 360, dark ? 60 : 110, dark ? 55 : 232);
}
