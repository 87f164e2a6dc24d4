#include "QXCustomItemListEditor.h"
#include "QXItemListEditor.h"

#include "InplaceEdit.h"
#include "QXConsts.h"
#include "QXCustomDeltaFont.h"
#include "QXException.h"
#include "QXHintWindow.h"
#include "QXInplaceEditList.h"
#include "QXItemStrings.h"
#include "TypeInfo.h"
#include "Variants.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <QEvent>

using namespace QXPlatform;

namespace {

template<class F> void withEditUpdatesDisabled(TQXCustomItemListEditor *editor, F &&f)
{
    editor->DisableEditUpdate();
    const TScopeExit enable([editor] { editor->EnableEditUpdate(); });
    f();
}

// The tree glyphs: 9 x 9 pixels, a black square outline on white with a five-pixel bar across the
// middle row; the plus has a five-pixel bar down the middle column as well.
QPixmap treeGlyph(bool plus)
{
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb black = qRgb(0, 0, 0);
    for (int i = 0; i < 9; ++i) {
        image.setPixel(i, 0, black);
        image.setPixel(i, 8, black);
        image.setPixel(0, i, black);
        image.setPixel(8, i, black);
    }
    for (int i = 2; i <= 6; ++i) {
        image.setPixel(i, 4, black);
        if (plus)
            image.setPixel(4, i, black);
    }
    return QPixmap::fromImage(image);
}

bool isAncestor(const TQXItemProp *ancestor, const TQXItemProp *item)
{
    for (TQXItemProp *parent = item->GetParent(); parent; parent = parent->GetParent())
        if (parent == ancestor)
            return true;
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Construction and destruction

TQXCustomItemListEditor::TQXCustomItemListEditor(QWidget *parent)
    : TCustomDrawGrid(parent)
{
    // The grid's events are method properties wherever a descendant publishes them.
    static const bool eventTypesRegistered = [] {
        RegisterEventType<TQXGetCategoryEvent>();
        RegisterEventType<TQXOnShowHintsEvent>();
        RegisterEventType<TQXItemPropEvent>();
        RegisterEventType<TQXGetPickListEvent>();
        RegisterEventType<TQXOnValidateEvent>();
        RegisterEventType<TQXOnValidateErrorEvent>();
        return true;
    }();
    Q_UNUSED(eventTypesRegistered);
    m_titleCaptions = new TStringList;
    m_titleCaptions->Add(QXConsts::PropertyTitle());
    m_titleCaptions->Add(QXConsts::ValueTitle());
    // The grid follows its fonts, captions and glyphs through their signals: their OnChange events are
    // the application's.
    connect(m_titleCaptions, &TStrings::changed, this, [this] { TitleCaptionsChange(); });
    m_filters = new TStringList;
    m_filters->SetCaseSensitive(false);
    connect(m_filters, &TStrings::changing, this, [this] { ChangingFilters(m_filters); });
    connect(m_filters, &TStrings::changed, this, [this] { ChangeFilters(m_filters); });

    m_font = new TFont;
    m_font->SetQFont(font());
    connect(m_font, &TFont::changed, this, [this] {
        if (!m_syncingFont)
            setFont(m_font->ToQFont());
    });
    auto makeDeltaFont = [this](void (TQXCustomItemListEditor::*reaction)()) {
        auto *deltaFont = new TQXCustomDeltaFont;
        deltaFont->OnGetOriginalFont
            = [this](QObject *sender, TFont *&font) { GetOriginalFont(sender, font); };
        deltaFont->Assign(m_font);
        connect(deltaFont, &TFont::changed, this, [this, reaction] { (this->*reaction)(); });
        return deltaFont;
    };
    m_valueFont = makeDeltaFont(&TQXCustomItemListEditor::InternalValueFontChanged);
    m_categoryFont = makeDeltaFont(&TQXCustomItemListEditor::InternalCategoryFontChanged);
    m_titleCaptionFont = makeDeltaFont(&TQXCustomItemListEditor::InternalTitleCaptionFontChanged);
    {
        // Bold purple is where the category font starts, no change for the grid to follow.
        const TFont::TFontStyles bold = m_categoryFont->Style() | fsBold;
        const QSignalBlocker quiet(m_categoryFont);
        m_categoryFont->SetStyle(bold);
        m_categoryFont->SetColor(clPurple);
    }

    m_strings = new TQXItemStrings(this);

    m_hintWindow = new TQXHintWindow(this);
    m_hintWindow->SetSubComponent(true);
    m_hintWindow->SetInterval(0);

    m_minusGlyph = new TPicture;
    m_minusGlyph->SetPixmap(treeGlyph(false));
    connect(m_minusGlyph, &TPicture::changed, this, [this] { InvalidateGrid(); });
    m_plusGlyph = new TPicture;
    m_plusGlyph->SetPixmap(treeGlyph(true));
    connect(m_plusGlyph, &TPicture::changed, this, [this] { InvalidateGrid(); });

    SetColCount(2);
    SetRowCount(2);
    SetFixedCols(0);
    SetDefaultColWidth(150);
    SetDefaultRowHeight(18);
    resize(306, 300);
    SetOptions(TGridOptions(goFixedVertLine) | goFixedHorzLine | goVertLine | goHorzLine | goColSizing
               | goEditing | goAlwaysShowEditor | goThumbTracking);
    m_displayOptions = TILEDisplayOptions(doColumnTitles) | doAutoColResize | doKeyColFixed | doShowReadOnly;
    moveCursor([&] { SetCol(1); });
}

void TQXCustomItemListEditor::AfterConstruction()
{
    TCustomDrawGrid::AfterConstruction();
    ensureItems();
}

void TQXCustomItemListEditor::ensureItems() const
{
    if (m_items || m_destroying)
        return;
    // The item classes come from an overridable operation, so the tree is built once the object is
    // whole: by AfterConstruction, or on first use when the grid was made with a plain new. The grid
    // owns the tree and the factory may change it, so the factory is called on the grid made non-const.
    auto *self = const_cast<TQXCustomItemListEditor *>(this);
    m_items = self->CreateItems(self);
    self->FillCategories();
}

void TQXCustomItemListEditor::BeforeDestruction()
{
    // Nothing is refreshed while the items die.
    ++m_editUpdateCount;
    m_destroying = true;
    TCustomDrawGrid::BeforeDestruction();
}

TQXCustomItemListEditor::~TQXCustomItemListEditor()
{
    // Also reached by a plain delete (a parent widget deleting its children): from here on the grid
    // answers no notification, and its lists are dropped before the items go.
    ++m_editUpdateCount;
    m_destroying = true;
    m_allItems.clear();
    m_visibleItems.clear();
    FreeAndNil(m_hintWindow);
    FreeAndNil(m_strings);
    FreeAndNil(m_items);
    FreeAndNil(m_valueFont);
    FreeAndNil(m_categoryFont);
    FreeAndNil(m_titleCaptionFont);
    FreeAndNil(m_font);
    FreeAndNil(m_minusGlyph);
    FreeAndNil(m_plusGlyph);
    FreeAndNil(m_titleCaptions);
    FreeAndNil(m_filters);
}

TQXItemProps *TQXCustomItemListEditor::CreateItems(QObject *Owner)
{
    if (auto *item = qobject_cast<TQXItemProp *>(Owner))
        return Create<TQXItemProps>(item, item->metaObject());
    return Create<TQXItemProps>(Owner, &TQXItemProp::staticMetaObject);
}

void TQXCustomItemListEditor::FillCategories()
{ }

TQXItemProps *TQXCustomItemListEditor::Items() const
{
    ensureItems();
    return m_items;
}

void TQXCustomItemListEditor::SetItems(TQXItemProps *Value)
{
    Items()->Assign(Value);
}

TStrings *TQXCustomItemListEditor::Strings() const
{
    return m_strings;
}

void TQXCustomItemListEditor::SetStrings(TStrings *Value)
{
    m_strings->Assign(Value);
}

// ---------------------------------------------------------------------------------------------------
// The two item lists
//
// Outside a batch every change is applied where it happens: an added or moved subtree is put in at its
// place, a removed one taken out, and a visibility change rewrites the shown lines of the subtree it
// concerns. So a change costs what it touches (and a shift of the list's tail), never a walk of the tree.
// A batch marks the lists stale, and its end builds them once.

namespace {

/// Renumbers the positions cached in the items of List from From on; Field is m_absIndex or m_absVIndex.
template<class Field> void renumber(const QList<TQXItemProp *> &list, qsizetype &indexed, Field field)
{
    for (qsizetype i = indexed; i < list.size(); ++i)
        field(list.at(i)) = int(i);
    indexed = list.size();
}

/// The end of the block of Item's descendants that follows Item at Line in List.
qsizetype blockEnd(const QList<TQXItemProp *> &list, qsizetype line, const TQXItemProp *item)
{
    qsizetype last = line + 1;
    while (last < list.size() && isAncestor(item, list.at(last)))
        ++last;
    return last;
}

/// Appends the shown items below Item, in pre-order: what the shown list holds after Item.
void appendShownBelow(TQXItemProp *item, QList<TQXItemProp *> &out)
{
    if (!item->IsExpanded())
        return;
    TQXItemProps *children = item->Items();
    for (int i = 0; i < children->Count(); ++i) {
        TQXItemProp *child = children->Items(i);
        // A hidden item hides its subtree: its children are not visited.
        if (!child->IsVisibleItem())
            continue;
        out.append(child);
        appendShownBelow(child, out);
    }
}

} // namespace

void TQXCustomItemListEditor::markIndexStale(QList<TQXItemProp *> &list, qsizetype from)
{
    qsizetype &indexed = &list == &m_allItems ? m_allIndexed : m_visibleIndexed;
    indexed = qMin(indexed, from);
}

int TQXCustomItemListEditor::AbsoluteIndexOf(const TQXItemProp *Item) const
{
    const QList<TQXItemProp *> &list = allItems();
    if (!Item || list.isEmpty())
        return -1;
    const int index = Item->m_absIndex;
    if (index >= 0 && index < m_allIndexed && list.at(index) == Item)
        return index;
    if (m_allIndexed == list.size())
        return -1; // every position is numbered, and the item's is not among them
    renumber(list, m_allIndexed, [](TQXItemProp *item) -> int & { return item->m_absIndex; });
    const int fresh = Item->m_absIndex;
    return fresh >= 0 && fresh < list.size() && list.at(fresh) == Item ? fresh : -1;
}

int TQXCustomItemListEditor::AbsoluteVIndexOf(const TQXItemProp *Item) const
{
    const QList<TQXItemProp *> &list = visibleItems();
    if (!Item || list.isEmpty())
        return -1;
    const int index = Item->m_absVIndex;
    if (index >= 0 && index < m_visibleIndexed && list.at(index) == Item)
        return index;
    if (m_visibleIndexed == list.size())
        return -1;
    renumber(list, m_visibleIndexed, [](TQXItemProp *item) -> int & { return item->m_absVIndex; });
    const int line = Item->m_absVIndex;
    return line >= 0 && line < list.size() && list.at(line) == Item ? line : -1;
}

const QList<TQXItemProp *> &TQXCustomItemListEditor::staleLists() const
{
    static const QList<TQXItemProp *> none;
    return none;
}

void TQXCustomItemListEditor::rebuildLists()
{
    RefreshAllItems();
    RefreshVisibleItems();
}

void TQXCustomItemListEditor::RefreshAllItems()
{
    m_listsStale = false;
    m_allItems.clear();
    m_allIndexed = 0;
    if (!m_items)
        return;
    std::function<void(TQXItemProps *)> walk = [&](TQXItemProps *items) {
        for (int i = 0; i < items->Count(); ++i) {
            TQXItemProp *item = items->Items(i);
            m_allItems.append(item);
            if (item->HasChildren())
                walk(item->m_items);
        }
    };
    walk(m_items);
}

void TQXCustomItemListEditor::withEditorHidden(const std::function<void()> &f)
{
    // The editor comes back afterwards when it was showing, also when f raises.
    const bool editing = EditorMode();
    HideEditor();
    const TScopeExit showAgain([&] {
        if (editing)
            ShowEditor();
    });
    f();
}

void TQXCustomItemListEditor::RefreshVisibleItems()
{
    withEditorHidden([&] {
        m_visibleItems.clear();
        m_visibleIndexed = 0;
        if (m_items) {
            std::function<void(TQXItemProps *)> walk = [&](TQXItemProps *items) {
                for (int i = 0; i < items->Count(); ++i) {
                    TQXItemProp *item = items->Items(i);
                    item->m_visibleChildCache = -1;
                    // A hidden item hides its subtree: its children are not visited.
                    if (!item->IsVisibleItem())
                        continue;
                    m_visibleItems.append(item);
                    if (item->IsExpanded())
                        walk(item->m_items);
                }
            };
            walk(m_items);
        }
        AdjustGridCount();
    });
}

void TQXCustomItemListEditor::placeInAllItems(TQXItemProp *Item)
{
    // The subtree comes in whole: a moved item brings its descendants. It goes right after the subtree
    // of its preceding sibling, or right after its parent when it is the first child.
    QList<TQXItemProp *> subtree { Item };
    if (Item->HasChildren()) {
        std::function<void(TQXItemProps *)> walk = [&](TQXItemProps *items) {
            for (int i = 0; i < items->Count(); ++i) {
                subtree.append(items->Items(i));
                if (items->Items(i)->HasChildren())
                    walk(items->Items(i)->m_items);
            }
        };
        walk(Item->m_items);
    }
    TQXItemProps *collection = Item->Collection();
    const int index = Item->Index();
    qsizetype position = -1;
    if (index > 0) {
        TQXItemProp *previous = collection->Items(index - 1);
        const int previousIndex = AbsoluteIndexOf(previous);
        if (previousIndex >= 0)
            position = previousIndex + previous->DescendantCount() + 1;
    } else if (TQXItemProp *parent = Item->GetParent()) {
        const int parentIndex = AbsoluteIndexOf(parent);
        if (parentIndex >= 0)
            position = parentIndex + 1;
    } else {
        position = 0;
    }
    if (position < 0 || position > m_allItems.size()) {
        // The neighbour is not listed: the lists are built again when next read.
        m_listsStale = true;
        return;
    }
    m_allItems.insert(position, subtree.size(), nullptr);
    std::copy(subtree.cbegin(), subtree.cend(), m_allItems.begin() + position);
    markIndexStale(m_allItems, position);
}

qsizetype TQXCustomItemListEditor::visiblePlace(TQXItemProp *Item)
{
    qsizetype position = m_visibleItems.size();
    if (TQXItemProp *parent = Item->GetParent()) {
        const int parentLine = AbsoluteVIndexOf(parent);
        position = parentLine + 1;
        const int index = Item->Index();
        const bool parentIsLast = parentLine == m_visibleItems.size() - 1;
        if (index > 0 && !parentIsLast && parentLine + 1 < m_visibleItems.size()
            && m_visibleItems.at(parentLine + 1)->GetParent() == parent) {
            TQXItemProps *siblings = parent->m_items;
            for (int i = index - 1; i >= 0; --i) {
                TQXItemProp *sibling = siblings->Items(i);
                const int line = sibling->IsVisibleItem() ? AbsoluteVIndexOf(sibling) : -1;
                if (line >= 0) {
                    position = line + sibling->GetVisibleChildCount() + 1;
                    break;
                }
            }
        }
    } else {
        const int index = Item->Index();
        if (index == 0) {
            position = 0;
        } else if (index < m_items->Count() - 1) {
            position = 0;
            for (int i = index - 1; i >= 0; --i) {
                TQXItemProp *sibling = m_items->Items(i);
                const int line = sibling->IsVisibleItem() ? AbsoluteVIndexOf(sibling) : -1;
                if (line >= 0) {
                    position = line + sibling->GetVisibleChildCount() + 1;
                    break;
                }
            }
        }
    }
    return qBound<qsizetype>(0, position, m_visibleItems.size());
}

void TQXCustomItemListEditor::addVisibleItem(TQXItemProp *Item)
{
    const qsizetype position = visiblePlace(Item);
    m_visibleItems.insert(position, Item);
    markIndexStale(m_visibleItems, position);
}

void TQXCustomItemListEditor::removeVisibleItem(TQXItemProp *Item)
{
    const int line = AbsoluteVIndexOf(Item);
    if (line < 0)
        return;
    m_visibleItems.removeAt(line);
    markIndexStale(m_visibleItems, line);
}

void TQXCustomItemListEditor::removeFromLists(TQXItemProp *Item)
{
    // The item leaves with its whole subtree: no list may keep a pointer to any of them.
    const int first = AbsoluteIndexOf(Item);
    if (first >= 0) {
        m_allItems.remove(first, blockEnd(m_allItems, first, Item) - first);
        markIndexStale(m_allItems, first);
    }
    const int line = AbsoluteVIndexOf(Item);
    if (line >= 0) {
        m_visibleItems.remove(line, blockEnd(m_visibleItems, line, Item) - line);
        markIndexStale(m_visibleItems, line);
    }
}

void TQXCustomItemListEditor::itemMoving(TQXItemProp *Item)
{
    if (m_destroying || m_listsStale || m_movingItem)
        return;
    if (m_items && m_items->UpdateCount() > 0) {
        m_listsStale = true; // the batch's end builds the lists again
        return;
    }
    removeFromLists(Item);
    m_movingItem = Item;
}

void TQXCustomItemListEditor::placeMovedItem()
{
    TQXItemProp *item = std::exchange(m_movingItem, nullptr);
    if (!item)
        return;
    placeInAllItems(item);
    if (!m_listsStale)
        VisibleChanged(item, true);
}

void TQXCustomItemListEditor::itemMoved(TQXItemProp *Item)
{
    // Normally the change report of the move has put the item back already.
    if (m_movingItem != Item)
        return;
    placeMovedItem();
    Refresh();
}

void TQXCustomItemListEditor::UpdatingItemProp(TQXItemProp *)
{
    if (m_editUpdateCount == 0) {
        // The change may move or reload the line being edited: what was typed is taken first.
        validatePendingEdit(true);
        HideEditor();
    }
}

void TQXCustomItemListEditor::ItemNotify(TQXItemProp *Item, TCollectionNotification Action)
{
    if (m_destroying)
        return;
    if (m_items && m_items->UpdateCount() > 0) {
        // Inside a batch the lists are only marked stale: the batch's end rebuilds them once, and nothing
        // reads them before that without rebuilding them first.
        if (Action == cnExtracting)
            UpdatingItemProp(Item);
        m_listsStale = true;
        m_allIndexed = m_visibleIndexed = 0;
        return;
    }
    if (m_listsStale) {
        // Built again from the tree, the lists already hold an added item.
        rebuildLists();
        if (Action == cnAdded) {
            Refresh();
            return;
        }
    }
    if (Action == cnAdded) {
        placeInAllItems(Item);
        if (!m_listsStale)
            VisibleChanged(Item);
    } else if (Action == cnExtracting) {
        UpdatingItemProp(Item);
        removeFromLists(Item);
    }
    Refresh();
}

void TQXCustomItemListEditor::UpdateItemProp(TQXItemProp *Item)
{
    if (m_destroying)
        return;
    const bool inUpdate = m_items && m_items->UpdateCount() > 0;
    if (!Item)
        placeMovedItem();
    // Structural changes outside a batch have been applied to the lists as they came; only the end of a
    // batch (or a change the lists could not follow) leaves them to be built again, once. The edit-update
    // bracket stays, so a change of the shown count still refreshes the grid.
    if (!inUpdate && ((m_editUpdateCount == 0 && !Item) || m_listsStale)) {
        // Lists left stale are built before the edit updates are held, so that the line count those start
        // from is the tree's.
        if (m_listsStale && m_editUpdateCount == 0)
            rebuildLists();
        withEditUpdatesDisabled(this, [this] {
            if (m_listsStale)
                rebuildLists();
        });
    }
    // The editor shows the text of its own item: it reloads only when that item or the structure changed.
    if (EditorMode() && !inUpdate && m_editUpdateCount == 0 && (!Item || Item == GetSelected()))
        InvalidateEditor();
}

void TQXCustomItemListEditor::VisibleChanged(TQXItemProp *Item)
{
    // Item is the top-level item whose subtree changed; the item where the change began, when known,
    // narrows the work to its own subtree.
    TQXItemProp *origin = TQXItemProp::takeVisibleOrigin();
    if (m_destroying || !m_items)
        return;
    if (m_items->UpdateCount() > 0) {
        m_listsStale = true; // the batch's end builds the lists again
        return;
    }
    if (m_listsStale)
        rebuildLists();
    // Lines are about to appear or vanish: the edit is validated while its item is still on its line.
    validatePendingEdit(true);
    TQXItemProp *selected = GetSelected();
    VisibleChanged(origin && (origin == Item || isAncestor(Item, origin)) ? origin : Item, true);
    Refresh();
    const int line = AbsoluteVIndexOf(selected);
    if (line >= 0)
        moveCursor([&] { SetGridCount(gcCurItemPos, line + GetGridCount(gcFixedItemLines)); });
}

void TQXCustomItemListEditor::VisibleChanged(TQXItemProp *Item, bool Shown)
{
    // Item's lines, and those of its subtree, become exactly the shown ones: the old block of lines is
    // replaced by the new one in one step.
    const bool shown = Shown && Item->IsVisible();
    const int line = AbsoluteVIndexOf(Item);
    if (line < 0 && !shown)
        return; // neither listed before nor now: no line below it was listed either
    QList<TQXItemProp *> block;
    if (shown) {
        if (line < 0)
            block.append(Item);
        appendShownBelow(Item, block);
    }
    qsizetype from = line;
    if (line >= 0) {
        const qsizetype end = blockEnd(m_visibleItems, line, Item);
        if (shown)
            ++from; // Item keeps its line; the lines below it are replaced
        m_visibleItems.remove(from, end - from);
    } else {
        from = visiblePlace(Item);
    }
    m_visibleItems.insert(from, block.size(), nullptr);
    std::copy(block.cbegin(), block.cend(), m_visibleItems.begin() + from);
    markIndexStale(m_visibleItems, from);
}

void TQXCustomItemListEditor::DisableEditUpdate()
{
    if (m_editUpdateCount == 0)
        m_visibleCountSnapshot = GetVisibleItemCount();
    ++m_editUpdateCount;
}

void TQXCustomItemListEditor::EnableEditUpdate()
{
    --m_editUpdateCount;
    if (m_editUpdateCount == 0 && GetVisibleItemCount() != m_visibleCountSnapshot)
        Refresh();
}

void TQXCustomItemListEditor::Refresh()
{
    if (m_editUpdateCount > 0)
        return;
    validatePendingEdit(true);
    AdjustGridCount();
    InvalidateGrid();
    InvalidateEditor();
}

void TQXCustomItemListEditor::setExpandedAll(bool Expanded)
{
    validatePendingEdit(false);
    TQXItemProps *items = Items();
    const TScopeExit refresh([this] { RefreshVisibleItems(); }); // once the update below has ended
    const TUpdateLock lock(*items);
    for (int i = 0; i < items->Count(); ++i)
        Expanded ? items->Items(i)->FullExpand() : items->Items(i)->FullCollapse();
}

void TQXCustomItemListEditor::FullExpand()
{
    setExpandedAll(true);
}

void TQXCustomItemListEditor::FullCollapse()
{
    setExpandedAll(false);
}

// ---------------------------------------------------------------------------------------------------
// Orientation-neutral access and cell mapping

int TQXCustomItemListEditor::GetGridCount(int Index) const
{
    const bool vertical = m_orientation == goVertical;
    switch (Index) {
    case gcValueLineCount:
        return vertical ? ColCount() : RowCount();
    case gcCurValuePos:
        return vertical ? Col() : Row();
    case gcFixedValueLines:
        return vertical ? FixedCols() : FixedRows();
    case gcItemLineCount:
        return vertical ? RowCount() : ColCount();
    case gcCurItemPos:
        return vertical ? Row() : Col();
    default: // gcFixedItemLines
        return vertical ? FixedRows() : FixedCols();
    }
}

void TQXCustomItemListEditor::SetGridCount(int Index, int Value)
{
    const bool vertical = m_orientation == goVertical;
    switch (Index) {
    case gcValueLineCount:
        vertical ? SetColCount(Value) : SetRowCount(Value);
        break;
    case gcCurValuePos:
        vertical ? SetCol(Value) : SetRow(Value);
        break;
    case gcFixedValueLines:
        vertical ? SetFixedCols(Value) : SetFixedRows(Value);
        break;
    case gcItemLineCount:
        vertical ? SetRowCount(Value) : SetColCount(Value);
        break;
    case gcCurItemPos:
        vertical ? SetRow(Value) : SetCol(Value);
        break;
    default: // gcFixedItemLines
        vertical ? SetFixedRows(Value) : SetFixedCols(Value);
        break;
    }
}

TItemGridInfo TQXCustomItemListEditor::GetGridInfo(int ACol, int ARow) const
{
    const bool vertical = m_orientation == goVertical;
    TItemGridInfo info;
    info.ValuePos = vertical ? ACol : ARow;
    info.ItemPos = vertical ? ARow : ACol;
    info.ValueLineCount = GetGridCount(gcValueLineCount);
    info.CurValuePos = GetGridCount(gcCurValuePos);
    info.FixedValueLines = GetGridCount(gcFixedValueLines);
    info.ItemLineCount = GetGridCount(gcItemLineCount);
    info.CurItemPos = GetGridCount(gcCurItemPos);
    info.FixedItemLines = GetGridCount(gcFixedItemLines);
    return info;
}

bool TQXCustomItemListEditor::IsValueCell(int ACol, int ARow) const
{
    return (m_orientation == goVertical ? ACol : ARow) != 0;
}

TQXItemProp *TQXCustomItemListEditor::FindItemProp(int ACol, int ARow, bool AdjustForFixed) const
{
    const QList<TQXItemProp *> &shown = visibleItems();
    if (shown.isEmpty())
        return nullptr;
    int index = m_orientation == goVertical ? ARow : ACol;
    if (AdjustForFixed)
        index -= GetGridCount(gcFixedItemLines);
    return index >= 0 && index < shown.size() ? shown.at(index) : nullptr;
}

TQXItemProp *TQXCustomItemListEditor::GetSelected() const
{
    return FindItemProp(Col(), Row(), true);
}

void TQXCustomItemListEditor::SetSelected(TQXItemProp *Item)
{
    if (Item == GetSelected())
        return;
    // A refused edit keeps the cursor, and the tree, as they are.
    validatePendingEdit(false);
    if (!Item) {
        HideEditor();
        return;
    }
    for (TQXItemProp *parent = Item->GetParent(); parent; parent = parent->GetParent())
        parent->Expand();
    if (Item->IsVisible()) {
        const int line = AbsoluteVIndexOf(Item);
        // A move like the user's: SelectCell removes a blank line left behind and asks OnSelectCell.
        if (line >= 0) {
            const int itemLine = GetGridCount(gcFixedItemLines) + line;
            if (m_orientation == goVertical)
                MoveColRow(Col(), itemLine, true, true);
            else
                MoveColRow(itemLine, Row(), true, true);
        }
    }
}

QString TQXCustomItemListEditor::GetCell(int ACol, int ARow) const
{
    const TItemGridInfo info = GetGridInfo(ACol, ARow);
    if (info.ItemPos == 0 && (m_displayOptions & doColumnTitles))
        return info.ValuePos >= 0 && info.ValuePos < m_titleCaptions->Count()
            ? m_titleCaptions->Strings(info.ValuePos)
            : QString();
    const int index = info.ItemPos - info.FixedItemLines;
    const QList<TQXItemProp *> &shown = visibleItems();
    if (index < 0 || index >= shown.size())
        return QString();
    TQXItemProp *item = shown.at(index);
    if (info.ValuePos == 0)
        return item->Name();
    if (info.ValuePos < 0)
        return QString();
    // Reading fits the values to the value lines, so the entry exists for every value line.
    return info.ValuePos - 1 < qMax(item->ValueLineCount(), info.ValueLineCount - 1)
        ? item->ValueLine(info.ValuePos - 1)
        : QString();
}

void TQXCustomItemListEditor::SetCell(int ACol, int ARow, const QString &Value)
{
    const TItemGridInfo info = GetGridInfo(ACol, ARow);
    const int index = info.ItemPos - info.FixedItemLines;
    if (index < 0)
        return;
    TQXItemProp *item = index < visibleItems().size() ? visibleItems().at(index) : Items()->Add();
    if (info.ValuePos == 0) {
        item->SetName(Value);
    } else if (info.ValuePos > 0) {
        TStrings *values = item->Values();
        while (values->Count() < info.ValuePos)
            values->Add(QString());
        values->SetStrings(info.ValuePos - 1, Value);
    }
}

// ---------------------------------------------------------------------------------------------------
// Line counts, orientation, titles, options

void TQXCustomItemListEditor::AdjustGridCount()
{
    const int fixed = GetGridCount(gcFixedItemLines);
    const int wanted = fixed + qMax(1, GetVisibleItemCount());
    if (wanted == GetGridCount(gcItemLineCount))
        return;
    if (wanted < GetGridCount(gcCurItemPos))
        moveCursor([&] { SetGridCount(gcCurItemPos, wanted - 1); });
    SetGridCount(gcItemLineCount, wanted);
    if ((m_displayOptions & doColumnTitles) && GetGridCount(gcCurItemPos) == 0 && wanted > 1)
        moveCursor([&] { SetGridCount(gcCurItemPos, 1); });
}

void TQXCustomItemListEditor::SetOrientation(TQXGridOrientation Value)
{
    if (Value == m_orientation)
        return;
    validatePendingEdit(false);
    m_orientation = Value;
    OrientationChange();
}

void TQXCustomItemListEditor::OrientationChange()
{
    withEditorHidden([&] {
        const TGridRect selection = Selection();
        const int cols = ColCount();
        const int rows = RowCount();
        if (m_orientation == goVertical) {
            SetColCount(rows);
            SetRowCount(cols);
        } else {
            SetRowCount(cols);
            SetColCount(rows);
        }
        SetColumnTitles(m_displayOptions & doColumnTitles);
        if (GetGridCount(gcFixedValueLines) == 1)
            SetGridCount(gcFixedValueLines, 0);
        TGridRect swapped;
        swapped.Left = selection.Top;
        swapped.Top = selection.Left;
        swapped.Right = selection.Bottom;
        swapped.Bottom = selection.Right;
        SetSelection(swapped);
        Refresh();
    });
}

void TQXCustomItemListEditor::SetColumnTitles(bool Value)
{
    if (m_orientation == goVertical) {
        if (Value) {
            if (RowCount() < 2)
                SetRowCount(2);
            SetFixedRows(1);
        } else {
            SetFixedRows(0);
        }
    } else {
        if (Value) {
            if (ColCount() < 2)
                SetColCount(2);
            SetFixedCols(1);
        } else {
            SetFixedCols(0);
        }
    }
}

void TQXCustomItemListEditor::SetDisplayOptions(TILEDisplayOptions Value)
{
    if (Value == m_displayOptions)
        return;
    validatePendingEdit(false);
    const TILEDisplayOptions old = m_displayOptions;
    if ((old ^ Value) & doColumnTitles)
        SetColumnTitles(Value & doColumnTitles);
    if ((old & doMultiColValues) && !(Value & doMultiColValues))
        SetGridCount(gcValueLineCount, 2);
    m_displayOptions = Value;
    AdjustColWidths();
    if ((old ^ Value) & doShowReadOnly) {
        // Read-only items change visibility everywhere, collapsed subtrees included.
        std::function<void(TQXItemProps *)> reset = [&](TQXItemProps *items) {
            for (int i = 0; i < items->Count(); ++i) {
                TQXItemProp *item = items->Items(i);
                item->m_visibleChildCache = -1;
                if (item->HasChildren())
                    reset(item->m_items);
            }
        };
        reset(Items());
        RefreshVisibleItems();
    }
    Refresh();
}

void TQXCustomItemListEditor::SetPathDelimiter(const QString &Value)
{
    m_pathDelimiter = Value;
}

void TQXCustomItemListEditor::SetCaseSensitive(bool Value)
{
    if (Value == m_caseSensitive)
        return;
    m_caseSensitive = Value;
    if (IsSorted()) {
        // Sort every level again with the new comparison: the flag is set, so lift it for the sort.
        TQXItemProps *items = Items();
        items->SetSorted(false);
        items->SetSorted(true);
    }
}

bool TQXCustomItemListEditor::IsSorted() const
{
    return Items()->Sorted();
}

void TQXCustomItemListEditor::SetSorted(bool Value)
{
    Items()->SetSorted(Value);
}

void TQXCustomItemListEditor::SetArrangeByCategory(bool Value)
{
    if (Value == m_arrangeByCategory)
        return;
    m_arrangeByCategory = Value;
    InvalidateGrid();
}

void TQXCustomItemListEditor::SetIndent(int Value)
{
    if (Value < 0 || Value == m_indent)
        return;
    m_indent = Value;
    InvalidateGrid();
}

void TQXCustomItemListEditor::SetTitleCaptions(TStrings *Value)
{
    m_titleCaptions->Assign(Value);
}

void TQXCustomItemListEditor::TitleCaptionsChange()
{
    if (m_displayOptions & doColumnTitles)
        Refresh();
}

void TQXCustomItemListEditor::AdjustColWidths()
{
    if (m_sizing || !isVisible() || !(m_displayOptions & doAutoColResize))
        return;
    const QScopedValueRollback<bool> sizing(m_sizing, true);
    const int clientWidth = viewport()->width();
    const int available = clientWidth - 2;
    int total = 0;
    for (int i = 0; i < ColCount(); ++i)
        total += ColWidths(i);
    if (total != available) {
        if (m_displayOptions & doKeyColFixed) {
            if (ColCount() > 1) {
                const int width = (clientWidth - ColWidths(0) - 2) / (ColCount() - 1);
                for (int i = 1; i < ColCount(); ++i)
                    SetColWidths(i, width);
            }
        } else {
            SetColWidths(0, available / 2);
            if (ColCount() > 1) {
                const int width = (ColWidths(0) + available % 2) / (ColCount() - 1);
                for (int i = 1; i < ColCount(); ++i)
                    SetColWidths(i, width);
            }
        }
    }
}

void TQXCustomItemListEditor::SetHideSelection(bool Value)
{
    if (Value == m_hideSelection)
        return;
    m_hideSelection = Value;
    InvalidateGrid();
}

void TQXCustomItemListEditor::SetDropDownRows(int Value)
{
    if (Value <= 0)
        return;
    m_dropDownRows = Value;
    if (TQXInplaceEditList *editor = InplaceEditList())
        editor->SetDropDownRows(Value);
}

void TQXCustomItemListEditor::SetValueFont(TFont *Value)
{
    m_valueFont->Assign(Value);
}

void TQXCustomItemListEditor::SetCategoryFont(TFont *Value)
{
    m_categoryFont->Assign(Value);
}

void TQXCustomItemListEditor::SetTitleCaptionFont(TFont *Value)
{
    m_titleCaptionFont->Assign(Value);
}

QString TQXCustomItemListEditor::GetPropNames(int Index) const
{
    return m_orientation == goVertical ? GetCell(0, Index) : GetCell(Index, 0);
}

void TQXCustomItemListEditor::SetPropNames(int Index, const QString &Value)
{
    m_orientation == goVertical ? SetCell(0, Index, Value) : SetCell(Index, 0, Value);
}

QString TQXCustomItemListEditor::GetPropValues(int Index) const
{
    return m_orientation == goVertical ? GetCell(1, Index) : GetCell(Index, 1);
}

void TQXCustomItemListEditor::SetPropValues(int Index, const QString &Value)
{
    m_orientation == goVertical ? SetCell(1, Index, Value) : SetCell(Index, 1, Value);
}

const TFont *TQXCustomItemListEditor::GetCellFont(int ACol, int ARow) const
{
    if (TQXItemProp *item = FindItemProp(ACol, ARow, true))
        return item->GetIndividualValueFont(GetGridCount(gcCurValuePos) - 1);
    return m_valueFont;
}

bool TQXCustomItemListEditor::IsActiveControl() const
{
    // The window's focus widget stays while the window is inactive: the grid stays its active control.
    const QWidget *focus = window()->focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

int TQXCustomItemListEditor::CompareStrings(const QString &S1, const QString &S2) const
{
    return m_caseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

// ---------------------------------------------------------------------------------------------------
// What the in-place editor is told

QString TQXCustomItemListEditor::GetEditText(int ACol, int ARow)
{
    QString value = GetCell(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

QString TQXCustomItemListEditor::GetEditMask(int ACol, int ARow)
{
    QString value;
    TQXItemProp *item = FindItemProp(ACol, ARow, true);
    if (item && !item->ExpressionMask())
        value = item->EditMask();
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

bool TQXCustomItemListEditor::CanEditModify()
{
    if (!TCustomDrawGrid::CanEditModify())
        return false;
    TQXItemProp *item = GetSelected();
    return !item || !item->IsReadOnly();
}

// ---------------------------------------------------------------------------------------------------
// Editing: text from the editor, moving, keys, inserting and deleting

void TQXCustomItemListEditor::SetEditText(int ACol, int ARow, const QString &Value)
{
    if (m_editUpdateCount > 0)
        return;
    // The text on its way into the item is no edit to validate yet, whatever its writing moves.
    const QScopedValueRollback<bool> typing(m_validatingPending, true);
    TCustomDrawGrid::SetEditText(ACol, ARow, Value);
    withEditUpdatesDisabled(this, [&] {
        const TItemGridInfo info = GetGridInfo(ACol, ARow);
        if (info.ItemPos - info.FixedItemLines >= GetVisibleItemCount() && !Value.isEmpty()) {
            // Typing on the empty line makes its item; it is no reason to refresh afterwards.
            Items()->Add();
            m_visibleCountSnapshot = GetVisibleItemCount();
        }
        if (Value == GetCell(ACol, ARow))
            return;
        // A name that is not unique is held back once and written (and so reported) when it comes again.
        if (!IsValueCell(ACol, ARow) && !Items()->IsValid(Value, false) && Value != m_heldBackName) {
            m_heldBackName = Value;
            return;
        }
        m_heldBackName.clear();
        SetCell(ACol, ARow, Value);
    });
}

void TQXCustomItemListEditor::moveCursor(const std::function<void()> &move)
{
    // The grid keeps its cursor on the same item, or inside the lines, by itself: such moves are no user's
    // moves, so they neither remove a blank line nor ask OnSelectCell. What was typed is validated all the
    // same, and a refused value keeps the cursor where it is.
    validatePendingEdit(false);
    const QScopedValueRollback<int> internal(m_internalMoves, m_internalMoves + 1);
    move();
}

void TQXCustomItemListEditor::validatePendingEdit(bool Report)
{
    TInplaceEdit *editor = InplaceEditor();
    if (m_validatingPending || m_destroying || !EditorMode() || !editor || !editor->Modified())
        return;
    if (!Report) {
        Validate();
        return;
    }
    try {
        Validate();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

bool TQXCustomItemListEditor::SelectCell(int ACol, int ARow)
{
    if (m_accessibleTable && QAccessible::isActive()) {
        // The cell is current once the move is over: assistive tools hear of it on the next turn, as the
        // table's child (row * columns + column) that has the focus now. Without an assistive tool
        // running Qt drops the event, so none is made.
        QTimer::singleShot(0, this, [this] {
            const TItemGridInfo current = GetGridInfo(Col(), Row());
            const int row = current.CurItemPos - current.FixedItemLines;
            if (!m_accessibleTable || row < 0 || row >= GetVisibleItemCount())
                return;
            QAccessibleEvent event(this, QAccessible::Focus);
            event.setChild(row * GetGridCount(gcValueLineCount) + current.CurValuePos);
            QAccessible::updateAccessibility(&event);
        });
    }
    if (m_internalMoves > 0)
        return true;
    const TItemGridInfo info = GetGridInfo(ACol, ARow);
    if (m_deleteBlanks && info.ItemPos != info.CurItemPos && GetVisibleItemCount() > 0 && IsEmptyItem()
        && !m_deleting) {
        const int deletedLine = info.CurItemPos;
        if (m_orientation == goVertical)
            DeleteRow(Row());
        else
            DeleteColumn(Col());
        if (info.ItemPos < deletedLine)
            return true;
        // The target moved up by one line with the deletion: go there instead of the asked-for cell.
        if (m_orientation == goVertical)
            FocusCell(ACol, qMax(FixedRows(), ARow - 1), true);
        else
            FocusCell(qMax(FixedCols(), ACol - 1), ARow, true);
        return false;
    }
    Validate();
    if (!TCustomDrawGrid::SelectCell(ACol, ARow))
        return false;
    return (Options() & goRowSelect) || IsValueCell(ACol, ARow) || (m_propertyOptions & propEdit);
}

void TQXCustomItemListEditor::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    const Qt::KeyboardModifiers modifiers = Shift & ~Qt::KeypadModifier;
    const bool exactlyCtrl = modifiers == Qt::ControlModifier;
    const TItemGridInfo info = GetGridInfo(Col(), Row());
    const bool canAdd = (m_propertyOptions & propAdd) && !GetPropNames(info.CurItemPos).isEmpty();
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (TInplaceEdit *editor = InplaceEditor(); editor && editor->Modified())
            SetEditText(Col(), Row(),
                        editor->Text()); // the text is submitted again: a held-back name is written
        Validate();
        if (TInplaceEdit *editor = InplaceEditor())
            editor->TextAssigned();
        // With the accessible table, Ctrl+Enter presses the ellipsis button as a click would.
        if (m_accessibleTable && exactlyCtrl && GetEditStyle(Col(), Row()) == esEllipsis) {
            EditButtonClick(this);
            Key = 0;
        }
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
        // With the accessible table, Ctrl+Plus and Ctrl+Minus open and close the current row.
        if (TQXItemProp *item = GetSelected();
            m_accessibleTable && exactlyCtrl && item && item->IsExpandable()) {
            item->SetExpanded(Key != Qt::Key_Minus);
            Key = 0;
        }
        break;
    case Qt::Key_Escape:
        RestoreCurrentItem();
        break;
    case Qt::Key_Up:
        if (exactlyCtrl) {
            SetGridCount(gcCurItemPos, info.FixedItemLines);
            Key = 0;
        }
        break;
    case Qt::Key_Down:
        if (exactlyCtrl) {
            SetGridCount(gcCurItemPos, info.ItemLineCount - 1);
            Key = 0;
        } else if (modifiers == Qt::NoModifier && info.CurItemPos == info.ItemLineCount - 1 && canAdd) {
            validatePendingEdit(false);
            SetGridCount(gcCurItemPos, InsertItem(QString(), QString(), true));
            Key = 0;
        }
        break;
    case Qt::Key_Insert:
        if (canAdd) {
            validatePendingEdit(false);
            SetGridCount(gcCurItemPos, InsertItem(QString(), QString(), false));
            Key = 0;
        }
        break;
    case Qt::Key_Delete:
        // Nothing to delete on the empty typing line.
        if (exactlyCtrl && (m_propertyOptions & propDelete) && GetSelected()) {
            DeleteItem(Col(), Row());
            Key = 0;
        }
        break;
    default:
        break;
    }
    TCustomDrawGrid::KeyDown(Key, Shift);
}

bool TQXCustomItemListEditor::FindItem(const QString &Name, int &Index) const
{
    const QList<TQXItemProp *> &shown = visibleItems();
    for (int i = 0; i < shown.size(); ++i) {
        if (CompareStrings(shown.at(i)->Name(), Name) == 0) {
            Index = i;
            return true;
        }
    }
    Index = -1;
    return false;
}

TQXItemProp *TQXCustomItemListEditor::FindItemProp(const QVariant &Index, bool Create)
{
    const QList<TQXItemProp *> &shown = visibleItems();
    if (shown.isEmpty())
        return nullptr;
    int position = -1;
    if (VarIsOrdinal(Index)) {
        position = int(Index.toLongLong());
    } else {
        const QString display = VarToStr(Index);
        for (int i = 0; i < shown.size() && position < 0; ++i)
            if (CompareStrings(shown.at(i)->GetDisplayName(), display) == 0)
                position = i;
        if (position < 0 && Create)
            throw EVESKException(QXConsts::PropertyNotFound(display));
    }
    if (position >= 0 && position < shown.size())
        return shown.at(position);
    if (Create && position >= 0)
        return Items()->Insert(qMin(position, Items()->Count()));
    return nullptr;
}

bool TQXCustomItemListEditor::IsEmptyItem() const
{
    TQXItemProp *item = GetSelected();
    return item && item->Name().isEmpty() && item->IsValuesEmpty();
}

int TQXCustomItemListEditor::InsertItem(const QString &Name, const QString &Value, bool Append)
{
    const int line = GetGridCount(gcCurItemPos);
    const int fixed = GetGridCount(gcFixedItemLines);
    if (line - fixed <= GetVisibleItemCount() && IsEmptyItem()) {
        SetPropNames(line, Name);
        SetPropValues(line, Value);
        return line;
    }
    // The new item goes beside the item shown on the current line (in its collection, at its index), or
    // at the end; the line returned is the new item's own, wherever nested items above put it.
    TQXItemProp *item = nullptr;
    TQXItemProp *beside = Append ? nullptr : FindItemProp(Col(), Row(), true);
    if (beside)
        item = beside->Collection()->Insert(beside->Index());
    else
        item = Items()->Add();
    item->SetName(Name);
    item->SetValuesText(Value);
    const int shownAt = item->GetAbsoluteVIndex();
    return shownAt >= 0 ? shownAt + fixed : GetGridCount(gcItemLineCount) - 1;
}

void TQXCustomItemListEditor::DeleteItem(int ACol, int ARow)
{
    if (m_deleting)
        return;
    const QScopedValueRollback<bool> deleting(m_deleting, true);
    const bool vertical = m_orientation == goVertical;
    const int line = vertical ? ARow : ACol;
    TQXItemProp *item = FindItemProp(vertical ? 0 : line, vertical ? line : 0, true);
    if (!item)
        return;
    if (vertical) {
        if (Row() == RowCount() - 1 && GetVisibleItemCount() > 1)
            moveCursor([&] { SetRow(Row() - 1); });
    } else {
        if (Col() == ColCount() - 1 && GetVisibleItemCount() > 1)
            moveCursor([&] { SetCol(Col() - 1); });
    }
    Free(item);
}

void TQXCustomItemListEditor::DeleteRow(int ARow)
{
    if (m_orientation == goVertical)
        DeleteItem(Col(), ARow);
}

void TQXCustomItemListEditor::DeleteColumn(int ACol)
{
    if (m_orientation == goHorizontal)
        DeleteItem(ACol, Row());
}

bool TQXCustomItemListEditor::RestoreCurrentItem()
{
    TQXInplaceEditList *editor = InplaceEditList();
    if (editor && editor->Modified()) {
        const QString before = editor->Text();
        editor->RestoreContents();
        if (editor->Text() != before) {
            editor->selectAll();
            return true;
        }
    }
    if (IsEmptyItem()) {
        DeleteItem(Col(), Row());
        return true;
    }
    return false;
}

void TQXCustomItemListEditor::SetPropertyOptions(TILEPropOptions Value)
{
    const TILEPropOptions old = m_propertyOptions;
    if ((old & propEdit) && !(Value & propEdit))
        Value &= ~TILEPropOptions(propAdd);
    if (!(old & propAdd) && (Value & propAdd))
        Value |= propEdit;
    if (!(Value & propEdit) && GetGridCount(gcCurValuePos) == 0)
        moveCursor([&] { SetGridCount(gcCurValuePos, 1); });
    m_propertyOptions = Value;
    if ((Value & propEdit) && (ComponentState() & csLoading))
        moveCursor([&] { SetGridCount(gcCurValuePos, 0); });
}

void TQXCustomItemListEditor::DoExit()
{
    try {
        Validate();
    } catch (...) {
        // The value stays in front of the user: the focus comes back once the focus change is over.
        QMetaObject::invokeMethod(
            this, [this] { setFocus(); }, Qt::QueuedConnection);
        throw;
    }
    TCustomDrawGrid::DoExit();
    HideEditor();
}

void TQXCustomItemListEditor::RowMoved(int FromIndex, int ToIndex)
{
    // Grid lines are translated to the items shown on them; the move happens within their collection.
    TQXItemProp *from = FindItemProp(m_orientation == goVertical ? 0 : FromIndex,
                                     m_orientation == goVertical ? FromIndex : 0, true);
    TQXItemProp *to = FindItemProp(m_orientation == goVertical ? 0 : ToIndex,
                                   m_orientation == goVertical ? ToIndex : 0, true);
    if (from && to && from != to && from->Collection() == to->Collection())
        from->Collection()->Exchange(from->Index(), to->Index());
    TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---------------------------------------------------------------------------------------------------
// Mouse and hints

void TQXCustomItemListEditor::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton) {
        TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    const bool vertical = m_orientation == goVertical;
    if (col >= 0 && row >= 0 && !IsValueCell(col, row)) {
        TQXItemProp *item = FindItemProp(col, row, true);
        if (item && item->IsExpandable() && !DoubleClicking()) {
            const QRect cell = CellRect(col, row);
            const QPixmap glyph = m_minusGlyph->Pixmap();
            const int offset = item->GetLevel() * m_indent;
            QRect glyphRect(
                IsRightToLeft() ? cell.right() + 1 - offset - glyph.width() : cell.left() + offset,
                cell.top() + (DefaultRowHeight() - glyph.height()) / 2, glyph.width(), glyph.height());
            if (glyphRect.contains(X, Y)) {
                // The focus stays where it is, so nothing else would take what was typed.
                validatePendingEdit(false);
                item->SetExpanded(!item->IsExpanded());
                return;
            }
        }
        if (Options() & goEditing) {
            const int itemLine = vertical ? row : col;
            if (itemLine != GetGridCount(gcCurItemPos) && itemLine >= GetGridCount(gcFixedItemLines)) {
                if (vertical)
                    FocusCell(1, row, !(Shift & Qt::ShiftModifier));
                else
                    FocusCell(col, 1, !(Shift & Qt::ShiftModifier));
            }
        }
    }
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
}

void TQXCustomItemListEditor::ShowHints(TQXItemProp *Item, int ACol, int ARow, QString &HintString)
{
    const QString cell = GetCell(ACol, ARow);
    if (!IsValueCell(ACol, ARow)) {
        HintString = cell;
    } else {
        switch (m_showItemHintStyle) {
        case shValueOnly:
            HintString = cell;
            break;
        case shHintOnly:
            HintString = Item->Hint();
            break;
        case shValueAndHint:
            HintString = Item->Hint().isEmpty()
                ? cell
                : cell + QStringLiteral("\r\n(") + Item->Hint() + QLatin1Char(')');
            break;
        case shNone:
            break;
        }
    }
    if (OnShowHints)
        OnShowHints(this, Item, HintString);
}

QRect TQXCustomItemListEditor::CalcHintRect(int MaxWidth, const QString &Text, const TFont *Font) const
{
    const QFontMetrics metrics(Font ? Font->ToQFont() : font());
    QRect rect = metrics.boundingRect(QRect(0, 0, MaxWidth, 0),
                                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Text);
    rect.moveTopLeft(QPoint(0, 0));
    rect.setRight(rect.right() + 6);
    rect.setBottom(rect.bottom() + 2);
    return rect;
}

void TQXCustomItemListEditor::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (m_showItemHintStyle != shNone && QPoint(X, Y) != m_lastHintPoint) {
        m_lastHintPoint = QPoint(X, Y);
        int col = -1, row = -1;
        MouseToCell(X, Y, col, row);
        const int itemLine = m_orientation == goVertical ? row : col;
        if (col < 0 || row < 0 || itemLine < GetGridCount(gcFixedItemLines)) {
            m_hintWindow->ReleaseHint();
        } else if (TQXItemProp *item = FindItemProp(col, row, true)) {
            QString text;
            ShowHints(item, col, row, text);
            if (text.isEmpty()) {
                m_hintWindow->ReleaseHint();
            } else {
                const bool valueCell = IsValueCell(col, row);
                const TFont *cellFont = valueCell
                    ? item->GetIndividualValueFont(GetGridInfo(col, row).ValuePos - 1)
                    : item->EffectiveFont();
                const int shift = valueCell ? 0 : (item->GetLevel() + 1) * m_indent;
                const QRect cell = CellRect(col, row);
                QRect measured = CalcHintRect(screen() ? screen()->geometry().width() : 1024, text, cellFont);
                measured.translate(shift, 0);
                if (text != GetCell(col, row) || cell.width() < measured.right()) {
                    const QPoint topLeft = viewport()->mapToGlobal(QPoint(cell.left() + shift, cell.top()));
                    m_hintWindow->ActivateHint(topLeft, text);
                } else {
                    m_hintWindow->ReleaseHint();
                }
            }
        }
    }
    TCustomDrawGrid::MouseMove(Shift, X, Y);
}

bool TQXCustomItemListEditor::GuardedViewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave) {
        m_hintWindow->ReleaseHint();
        m_lastHintPoint = QPoint(-1, -1);
    }
    return TCustomDrawGrid::GuardedViewportEvent(event);
}

// ---------------------------------------------------------------------------------------------------
// Drawing and sizing

void TQXCustomItemListEditor::DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState)
{
    QPainter *canvas = Canvas();
    if (!DefaultDrawing() || !canvas) {
        TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    QRect rect = ARect;
    const TItemGridInfo info = GetGridInfo(ACol, ARow);
    const bool rightToLeft = IsRightToLeft();
    // Indentation eats into the cell from its reading start.
    auto indent = [&](int pixels) {
        if (rightToLeft)
            rect.setRight(rect.right() - pixels);
        else
            rect.setLeft(rect.left() + pixels);
    };
    const TFont *font = nullptr;
    TColor color = clWindowText;
    const QString text = GetCell(ACol, ARow);
    if (TQXItemProp *item = FindItemProp(ACol, ARow, true)) {
        const bool valueCell = IsValueCell(ACol, ARow);
        const bool highlighted
            = (AState & gdSelected) && (!(AState & gdFocused) || (Options() & goDrawFocusSelected));
        if (const QColor background = highlighted ? QColor() : RowBackground(item); background.isValid())
            canvas->fillRect(ARect, background);
        font = valueCell ? item->GetIndividualValueFont(info.ValuePos - 1) : item->EffectiveFont();
        color = item->Enabled() ? font->Color() : clInactiveCaptionText;
        if (const QColor swatch = valueCell ? ValueSwatch(item, text) : QColor(); swatch.isValid()) {
            // A square as high as the text line, outlined, before the text.
            const QRect box = ValueMarkRect(rect);
            canvas->fillRect(box, swatch);
            canvas->setPen(palette().color(QPalette::Mid));
            canvas->drawRect(box.adjusted(0, 0, -1, -1));
            indent(box.width() + 4);
        }
        if (const QPixmap picture = valueCell ? ValueThumbnail(item) : QPixmap(); !picture.isNull()) {
            // Scaled to fit the same square, centred in it.
            const QRect box = ValueMarkRect(rect);
            const QSize size = picture.size().scaled(box.size(), Qt::KeepAspectRatio);
            canvas->drawPixmap(
                QRect(box.topLeft()
                          + QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2),
                      size),
                picture);
            indent(box.width() + 4);
        }
        if (const int checked = valueCell ? ValueCheckState(item, text) : -1; checked >= 0) {
            QStyleOptionButton option;
            option.initFrom(this);
            option.rect = ValueMarkRect(rect);
            option.state |= checked == Qt::Checked ? QStyle::State_On
                : checked == Qt::PartiallyChecked  ? QStyle::State_NoChange
                                                   : QStyle::State_Off;
            option.state.setFlag(QStyle::State_Enabled, item->Enabled() && !item->IsReadOnly());
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, canvas, this);
            indent(option.rect.width() + 4);
        }
        if (!valueCell) {
            const int level = item->GetLevel();
            if (item->IsExpandable() && item->HasVisibleChildren()) {
                indent(level * m_indent);
                const QPixmap glyph = (item->IsExpanded() ? m_minusGlyph : m_plusGlyph)->Pixmap();
                const int top = rect.top() + (DefaultRowHeight() - glyph.height()) / 2;
                canvas->drawPixmap(rightToLeft ? rect.right() + 1 - glyph.width() : rect.left(), top, glyph);
                indent(m_indent);
            } else {
                indent((level + 1) * m_indent);
            }
        }
    } else {
        if (info.ItemPos < info.FixedItemLines)
            font = m_titleCaptionFont;
        else if (IsValueCell(ACol, ARow))
            font = m_valueFont;
        else
            font = m_font;
        color = font->Color();
    }
    if (ACol == Col() && ARow == Row()) {
        if (m_hideSelection && !IsActiveControl()) {
            canvas->fillRect(rect, ColorToQColor(Color()));
        } else if ((AState & gdSelected)
                   && (!(AState & gdFocused) || (Options() & (goDrawFocusSelected | goRowSelect)))) {
            color = clHighlightText;
        }
    }
    canvas->setFont(font->ToQFont());
    canvas->setPen(ColorToQColor(color));
    const QRect textRect = rect.adjusted(rightToLeft ? 0 : 2, 2, rightToLeft ? -2 : 0, 0);
    if (textRect.width() > 0) {
        canvas->save();
        canvas->setClipRect(rect, Qt::IntersectClip);
        const int flags
            = int((rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop) | Qt::TextSingleLine;
        canvas->drawText(textRect, flags, text);
        canvas->restore();
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

QColor TQXCustomItemListEditor::ValueSwatch(TQXItemProp *, const QString &) const
{
    return {};
}

int TQXCustomItemListEditor::ValueCheckState(TQXItemProp *, const QString &) const
{
    return -1;
}

QPixmap TQXCustomItemListEditor::ValueThumbnail(TQXItemProp *) const
{
    return {};
}

QColor TQXCustomItemListEditor::RowBackground(TQXItemProp *) const
{
    return {};
}

QRect TQXCustomItemListEditor::ValueMarkRect(const QRect &Cell) const
{
    const int side = qMax(4, DefaultRowHeight() - 6);
    const int left = IsRightToLeft() ? Cell.right() - 2 - side : Cell.left() + 2;
    return QRect(left, Cell.top() + (DefaultRowHeight() - side) / 2, side, side);
}

void TQXCustomItemListEditor::CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                              int &SizingOfs)
{
    // Lines can be sized anywhere in the client area, not only along the fixed cells.
    State = gsNormal;
    Index = -1;
    const TGridOptions options = Options();
    if (!(options & (goColSizing | goRowSizing)))
        return;
    TGridDrawInfo drawInfo;
    CalcDrawInfo(drawInfo);
    const bool columns = options & goColSizing;
    const TGridAxisDrawInfo &axis = columns ? drawInfo.Horz : drawInfo.Vert;
    int position = columns ? X : Y;
    if (columns && IsRightToLeft())
        position = viewport()->width() - X;
    const int lineWidth = axis.EffectiveLineWidth;
    int bandStart = 0;
    int bandWidth = 7;
    if (lineWidth >= 7) {
        bandWidth = lineWidth;
    } else {
        bandStart = (7 - lineWidth) / 2;
    }
    int line = axis.FixedBoundary;
    const int count = columns ? ColCount() : RowCount();
    for (int i = axis.FirstGridCell; i < count; ++i) {
        line += (columns ? ColWidths(i) : RowHeights(i)) + lineWidth;
        if (line > axis.GridBoundary)
            break;
        const int start = line - lineWidth - bandStart;
        if (position >= start && position < start + bandWidth) {
            State = columns ? gsColSizing : gsRowSizing;
            Index = i;
            SizingPos = line - lineWidth;
            SizingOfs = SizingPos - position;
            return;
        }
    }
    // The cells run past the client area's edge: the cut-off cell's own line cannot be reached, so the
    // band at the edge sizes it.
    const int cutOff = axis.LastFullVisibleCell + 1;
    if (axis.GridBoundary == axis.GridExtent && cutOff < count && position >= axis.GridExtent - bandStart
        && position <= axis.GridExtent) {
        State = columns ? gsColSizing : gsRowSizing;
        Index = cutOff;
        SizingPos = axis.GridExtent;
        SizingOfs = SizingPos - position;
        return;
    }
    TCustomDrawGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
}

void TQXCustomItemListEditor::SizeChanged(int OldColCount, int OldRowCount)
{
    TCustomDrawGrid::SizeChanged(OldColCount, OldRowCount);
    if (OldColCount != ColCount())
        AdjustColWidths();
}

void TQXCustomItemListEditor::ColWidthsChanged()
{
    AdjustColWidths();
    TCustomDrawGrid::ColWidthsChanged();
}

void TQXCustomItemListEditor::Resize()
{
    TCustomDrawGrid::Resize();
    AdjustColWidths();
}

void TQXCustomItemListEditor::showEvent(QShowEvent *event)
{
    TCustomDrawGrid::showEvent(event);
    AdjustColWidths();
}

// ---------------------------------------------------------------------------------------------------
// Fonts

bool TQXCustomItemListEditor::GuardedEvent(QEvent *e)
{
    const bool result = TCustomDrawGrid::GuardedEvent(e);
    if (e->type() == QEvent::FontChange && m_font && !m_destroying) {
        {
            const QScopedValueRollback<bool> syncing(m_syncingFont, true);
            m_font->SetQFont(font());
        }
        FontChanged();
    }
    return result;
}

void TQXCustomItemListEditor::FontChanged()
{
    // The delta fonts follow first, so that categories take the new category font.
    m_valueFont->OriginalFontChanged(m_font);
    m_categoryFont->OriginalFontChanged(m_font);
    m_titleCaptionFont->OriginalFontChanged(m_font);
    if (m_items)
        for (int i = 0; i < m_items->Count(); ++i)
            m_items->Items(i)->ParentFontChanged(nullptr);
    InvalidateGrid();
}

void TQXCustomItemListEditor::InternalValueFontChanged()
{
    if (m_items)
        for (int i = 0; i < m_items->Count(); ++i)
            m_items->Items(i)->ParentValueFontChanged();
    InvalidateGrid();
}

void TQXCustomItemListEditor::InternalCategoryFontChanged()
{
    // Category items hold copies of the category font: they take it again.
    if (m_items)
        for (int i = 0; i < m_items->Count(); ++i)
            if (m_items->Items(i)->Category())
                m_items->Items(i)->ParentFontChanged(nullptr);
    InvalidateGrid();
}

void TQXCustomItemListEditor::InternalTitleCaptionFontChanged()
{
    if (m_displayOptions & doColumnTitles)
        InvalidateGrid();
}

void TQXCustomItemListEditor::GetOriginalFont(QObject *, TFont *&Font)
{
    Font = m_font;
}

// ---------------------------------------------------------------------------------------------------
// Validation

void TQXCustomItemListEditor::DoValidate(TQXItemProp *Item, int ACol)
{
    if (OnValidate)
        OnValidate(this, Item, ACol);
}

void TQXCustomItemListEditor::DoValidated(TQXItemProp *Item, int ACol)
{
    if (OnValidated)
        OnValidated(this, Item, ACol);
}

void TQXCustomItemListEditor::DoValidateError(TQXItemProp *Item, int ACol, const std::exception_ptr &E)
{
    if (!OnValidateError)
        std::rethrow_exception(E);
    try {
        std::rethrow_exception(E);
    } catch (const Exception &error) {
        OnValidateError(this, Item, ACol, error);
    }
}

TEditStyle TQXCustomItemListEditor::GetEditStyle(int ACol, int ARow)
{
    if (!IsValueCell(ACol, ARow))
        return esSimple;
    if (TQXItemProp *item = FindItemProp(ACol, ARow, true))
        return item->EditStyle();
    TStringList probe;
    return GetPickList(nullptr, &probe, true) ? esPickList : esSimple;
}

QString TQXCustomItemListEditor::GetExpressionMask(int ACol, int ARow)
{
    TQXItemProp *item = FindItemProp(ACol, ARow, true);
    return item && item->ExpressionMask() ? item->EditMask() : QString();
}

void TQXCustomItemListEditor::Validate()
{
    DoValidate();
}

void TQXCustomItemListEditor::DoValidate()
{
    TInplaceEdit *editor = InplaceEditor();
    if (!editor || !editor->Modified())
        return;
    // What the item's handlers change must not validate the same text again.
    const QScopedValueRollback<bool> validating(m_validatingPending, true);
    struct ClearModified
    {
        TInplaceEdit *editor;
        ~ClearModified() { editor->SetModified(false); }
    } clear { editor };
    if (TQXItemProp *item = FindItemProp(Col(), Row(), true)) {
        item->Validate();
        return;
    }
    try {
        DoValidated(nullptr, 0);
    } catch (const EAbort &) {
        throw;
    } catch (const Exception &) {
        DoValidateError(nullptr, 0, std::current_exception());
    }
}

bool TQXCustomItemListEditor::GetPickList(TQXItemProp *Item, TStrings *Values, bool ClearFirst)
{
    if (GetPropNames(GetGridCount(gcCurItemPos)).isEmpty())
        return false;
    {
        const TUpdateLock lock(*Values);
        if (ClearFirst)
            Values->Clear();
        if (Item && Item->OnGetPickList)
            Item->OnGetPickList(Item, Item->GetFullPathName(), Values);
        else if (OnGetPickList)
            OnGetPickList(this, Item ? Item->GetFullPathName() : QString(), Values);
    }
    const bool loaded = Values->Count() > 0;
    if (TQXInplaceEditList *editor = InplaceEditList())
        editor->SetPickListLoaded(loaded);
    return loaded;
}

void TQXCustomItemListEditor::EditListGetItems(int ACol, int ARow, TStrings *Items)
{
    if (!IsValueCell(ACol, ARow))
        return;
    TQXItemProp *item = FindItemProp(ACol, ARow, true);
    if (item && item->HasPickList())
        Items->Assign(item->GetPickList());
    else
        Items->Clear();
    GetPickList(item, Items, false);
}

void TQXCustomItemListEditor::EditButtonClick(QObject *)
{
    TQXItemProp *item = GetSelected();
    if (item && item->OnEditButtonClick)
        item->OnEditButtonClick(item);
    else if (OnEditButtonClick)
        OnEditButtonClick(item);
}

TQXInplaceEditList *TQXCustomItemListEditor::InplaceEditList() const
{
    return qobject_cast<TQXInplaceEditList *>(InplaceEditor());
}

TInplaceEdit *TQXCustomItemListEditor::CreateEditor()
{
    auto *editor = new TQXInplaceEditList(this);
    editor->SetDropDownRows(m_dropDownRows);
    editor->OnEditButtonClick = [this](QObject *sender) { EditButtonClick(sender); };
    editor->OnGetPickListItems
        = [this](int ACol, int ARow, TStrings *Items) { EditListGetItems(ACol, ARow, Items); };
    return editor;
}

bool TQXCustomItemListEditor::HasInplaceEditor() const
{
    return InplaceEditor() != nullptr;
}

bool TQXCustomItemListEditor::UndoEditor()
{
    TInplaceEdit *editor = InplaceEditor();
    if (!editor)
        return false;
    editor->Undo();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Categories

int TQXCustomItemListEditor::IndexOfName(TStrings *Strings, int StartIndex, const QString &Name) const
{
    if (!Strings || StartIndex < 0)
        return -1;
    for (int i = StartIndex; i < Strings->Count(); ++i) {
        const QString line = Strings->Strings(i);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0 && CompareStrings(line.left(equals), Name) == 0)
            return i;
    }
    return -1;
}

void TQXCustomItemListEditor::Categorize(TQXItemProp *Item, TStrings *Categories, bool AsCopy)
{
    if (ComponentState() & csLoading)
        AsCopy = false;
    TQXItemProp *category = Categorize(Item, Item->Name(), Categories);
    if (!category)
        return;
    auto copyInto = [&](TQXItemProp *target) {
        TQXItemProp *copy = Item->Collection()->Add();
        copy->Assign(Item);
        copy->SetCollection(target->Items());
    };
    if (!AsCopy)
        Item->SetCollection(category->Items());
    else if (category != Item->GetParent())
        copyInto(category);
    const int first = IndexOfName(Categories, 0, Item->Name());
    if (first < 0)
        return;
    for (int line = IndexOfName(Categories, first + 1, Item->Name()); line >= 0;
         line = IndexOfName(Categories, line + 1, Item->Name())) {
        const QString text = Categories->Strings(line);
        const QString name = text.mid(text.indexOf(QLatin1Char('=')) + 1);
        TQXItemProp *parent = Item->GetParent();
        if (AsCopy) {
            if (!parent || !parent->Category() || CompareStrings(parent->Name(), name) != 0) {
                TQXItemProps *beside
                    = parent && parent->Category() ? parent->Collection() : Item->Collection();
                copyInto(Categorize(beside, name));
            }
        } else {
            TQXItemProps *beside = parent && parent->Category() ? parent->Collection() : Item->Collection();
            Item->SetCollection(Categorize(beside, name)->Items());
        }
    }
}

void TQXCustomItemListEditor::Categorize(TQXItemProps *Items, TStrings *Categories, bool AsCopy)
{
    QList<TCollectionItem *> snapshot = Items->ItemList(); // a copy: categorizing moves the items
    for (TCollectionItem *item : snapshot)
        Categorize(static_cast<TQXItemProp *>(item), Categories, AsCopy);
}

void TQXCustomItemListEditor::Categorize(TStrings *Categories, bool)
{
    QList<TQXItemProp *> snapshot;
    for (int i = 0; i < Items()->Count(); ++i)
        if (!Items()->Items(i)->Category())
            snapshot << Items()->Items(i);
    for (TQXItemProp *item : std::as_const(snapshot))
        if (TQXItemProp *category = Categorize(item, item->Name(), Categories))
            if (category != item && category->m_items != item->Collection())
                item->SetCollection(category->Items());
}

void TQXCustomItemListEditor::Categorize(bool Flag)
{
    Categorize(Items()->Categories(), Flag);
}

TQXItemProp *TQXCustomItemListEditor::Categorize(TQXItemProps *Items, const QString &Name)
{
    return Items->AddCategory(Name, false);
}

TQXItemProp *TQXCustomItemListEditor::Categorize(TQXItemProp *Item, const QString &PropName,
                                                 TStrings *Categories)
{
    if (ComponentState() & csLoading)
        return Item->GetParent();
    TQXItemProp *parent = Item->GetParent();
    TQXItemProps *collection = parent && parent->Category() ? parent->Collection() : Item->Collection();
    if (!collection)
        return nullptr;
    TQXItemProp *defaultCategory = collection->DefaultCategoryItem();
    if (!defaultCategory)
        defaultCategory = collection->CreateDefaultCategory();
    QString category = Categories ? Categories->Values(PropName) : QString();
    if (OnCategorize)
        OnCategorize(this, Item, PropName, category);
    if (!category.isEmpty())
        return Categorize(collection, category);
    return defaultCategory;
}

// ---------------------------------------------------------------------------------------------------
// TQXItemListEditor

TQXItemListEditor::TQXItemListEditor(QWidget *parent)
    : TQXCustomItemListEditor(parent)
{ }

TQXItemListEditor::~TQXItemListEditor() = default;

bool TQXItemListEditor::IsStoredProperty(const char *Name) const
{
    // The captions are stored only when they differ from the default "Property" and "Value" lines.
    if (QByteArrayView(Name) == "TitleCaptions")
        return TitleCaptions()->Text()
            != QXConsts::PropertyTitle() + sLineBreak + QXConsts::ValueTitle() + sLineBreak;
    return TQXCustomItemListEditor::IsStoredProperty(Name);
}

// ---------------------------------------------------------------------------------------------------
// The settings in Qt's own types

QFont TQXCustomItemListEditor::valueFont() const
{
    return ValueFont()->ToQFont();
}

void TQXCustomItemListEditor::setValueFont(const QFont &font)
{
    ValueFont()->SetQFont(font);
}

QFont TQXCustomItemListEditor::categoryFont() const
{
    return CategoryFont()->ToQFont();
}

void TQXCustomItemListEditor::setCategoryFont(const QFont &font)
{
    CategoryFont()->SetQFont(font);
}

QFont TQXCustomItemListEditor::titleCaptionFont() const
{
    return TitleCaptionFont()->ToQFont();
}

void TQXCustomItemListEditor::setTitleCaptionFont(const QFont &font)
{
    TitleCaptionFont()->SetQFont(font);
}

QStringList TQXCustomItemListEditor::titleCaptions() const
{
    return TitleCaptions()->ToStringList();
}

void TQXCustomItemListEditor::setTitleCaptions(const QStringList &lines)
{
    TitleCaptions()->SetStrings(lines);
}

QColor TQXCustomItemListEditor::color() const
{
    return ColorToQColor(Color(), palette());
}

void TQXCustomItemListEditor::setColor(const QColor &value)
{
    SetColor(QColorToColor(value));
}

QColor TQXCustomItemListEditor::fixedColor() const
{
    return ColorToQColor(FixedColor(), palette());
}

void TQXCustomItemListEditor::setFixedColor(const QColor &value)
{
    SetFixedColor(QColorToColor(value));
}

QStringList TQXCustomItemListEditor::filters() const
{
    return m_filters->ToStringList();
}

void TQXCustomItemListEditor::setFilters(const QStringList &lines)
{
    m_filters->SetStrings(lines);
}

// ---------------------------------------------------------------------------------------------------
// Filters

void TQXCustomItemListEditor::SetFiltersEnabled(bool Value)
{
    if (Value == m_filtersEnabled)
        return;
    m_filtersEnabled = Value;
    InvalidateFilters();
}

void TQXCustomItemListEditor::SetFilterOptions(TILEFilterOptions Value)
{
    if (Value == m_filterOptions)
        return;
    m_filterOptions = Value;
    m_filters->SetCaseSensitive(Value & foCaseSensitive);
    if (m_filtersEnabled)
        InvalidateFilters();
}

void TQXCustomItemListEditor::SetFilters(TStrings *Value)
{
    m_filters->Assign(Value);
}

void TQXCustomItemListEditor::AssignFilters(const TQXCustomItemListEditor *Source)
{
    m_filtersEnabled = Source->m_filtersEnabled;
    m_filterOptions = Source->m_filterOptions;
    m_filters->SetCaseSensitive(m_filterOptions & foCaseSensitive);
    m_filters->Assign(Source->m_filters);
}

void TQXCustomItemListEditor::ChangingFilters(QObject *)
{
    if (OnFiltersChanging)
        OnFiltersChanging(this);
}

void TQXCustomItemListEditor::ChangeFilters(QObject *)
{
    if (OnFiltersChanged)
        OnFiltersChanged(this);
    if (m_filtersEnabled)
        InvalidateFilters();
}

void TQXCustomItemListEditor::InvalidateFilters()
{ }

bool TQXCustomItemListEditor::IsFiltered(TQXItemProp *Item) const
{
    const bool found
        = m_filters->IndexOf(Item->Name()) >= 0 || m_filters->IndexOf(Item->GetFullPathName()) >= 0;
    return (m_filterOptions & foInclusive) ? !found : found;
}

void TQXCustomItemListEditor::RemoveFilterProperties()
{
    if (!m_filtersEnabled || m_filters->Count() == 0)
        return;
    // Depth-first, in the order of the list of all items (which a batch may leave stale, so the tree is
    // walked); a removed item takes its children along.
    std::function<void(TQXItemProps *)> walk = [&](TQXItemProps *items) {
        int i = 0;
        while (i < items->Count()) {
            TQXItemProp *item = items->Items(i);
            if (IsFiltered(item)) {
                Free(item);
                continue;
            }
            if (item->HasChildren())
                walk(item->Items());
            ++i;
        }
    };
    walk(Items());
}
