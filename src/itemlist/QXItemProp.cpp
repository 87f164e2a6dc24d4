#include "QXItemProp.h"

#include "QXConsts.h"
#include "QXCustomDeltaFont.h"
#include "QXCustomItemListEditor.h"
#include "QXException.h"
#include "QXItemStrings.h"
#include "Variants.h"

#include <QHash>
#include <QScopeGuard>
#include <QScopedValueRollback>

using namespace QXPlatform;

namespace {

// The values text as items show it: lines joined, trailing blanks and line breaks removed.
QString trimRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TQXItemProp: construction and destruction

TQXItemProp::TQXItemProp(TCollection *Collection)
    : TCollectionItem(Collection)
{
    // Nothing is made here: the fonts, the child collection, the values and the pick list are made on
    // first request. Until its font is asked for, an item that takes its font from its parent shares it.
}

void TQXItemProp::AfterConstruction()
{
    // Inserting fires the add notification, which already sees the whole item.
    TCollectionItem::AfterConstruction();
    m_readOnly = false;
    m_editStyle = esSimple;
    SetVisible(true);
}

void TQXItemProp::BeforeDestruction()
{
    // Leave the grid's shown lines before the item leaves the tree.
    SetVisible(false);
    TCollectionItem::BeforeDestruction();
}

TQXItemProp::~TQXItemProp()
{
    FreeAndNil(m_items);
    FreeAndNil(m_values);
    if (!m_pickListShared)
        FreeAndNil(m_pickList);
    FreeAndNil(m_font);
    FreeAndNil(m_valueFont);
}

TQXItemProps *TQXItemProp::CreateItems()
{
    return Create<TQXItemProps>(this, metaObject());
}

void TQXItemProp::ensureChildren() const
{
    if (m_items)
        return;
    auto *self = const_cast<TQXItemProp *>(this);
    TQXCustomItemListEditor *editor = GetEditor();
    TQXItemProps *items = editor ? editor->CreateItems(self) : self->CreateItems();
    if (TQXItemProps *collection = Collection())
        items->m_sorted = collection->Sorted();
    m_items = items;
}

TQXItemProps *TQXItemProp::Items() const
{
    ensureChildren();
    return m_items;
}

void TQXItemProp::SetItems(TQXItemProps *Value)
{
    Items()->Assign(Value);
}

bool TQXItemProp::HasChildren() const
{
    return m_items && m_items->Count() > 0;
}

TQXItemPropValueStrings *TQXItemProp::valueStrings() const
{
    if (!m_values) {
        auto *self = const_cast<TQXItemProp *>(this);
        auto *values = new TQXItemPropValueStrings(self);
        // The list is the connection's context: the item frees it before going itself.
        QObject::connect(values, &TStrings::changed, values, [self] { self->ValuesChanged(); });
        m_values = values;
    }
    return m_values;
}

void TQXItemProp::FitValueLines() const
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (!editor)
        return;
    const int wanted = editor->GetGridCount(gcValueLineCount) - 1;
    if (wanted < 0 || m_valueLines.size() == wanted)
        return;
    // Bookkeeping, not an edit: nobody hears of it.
    while (m_valueLines.size() < wanted)
        m_valueLines.append(QString());
    m_valueLines.resize(wanted);
}

QString TQXItemProp::ValueLine(int Index) const
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (editor && Index < editor->GetGridCount(gcValueLineCount) - 1)
        FitValueLines();
    if (Index < 0 || Index >= m_valueLines.size())
        StringListIndexError(Index);
    return m_valueLines.at(Index);
}

void TQXItemProp::SetValuesText(const QString &Text)
{
    if (m_values) {
        m_values->SetText(Text);
        return;
    }
    // The same splitting as the list's text; one change notice when anything differs.
    QStringList lines;
    qsizetype start = 0;
    while (start < Text.size()) {
        qsizetype end = start;
        while (end < Text.size() && Text.at(end) != QLatin1Char('\n') && Text.at(end) != QLatin1Char('\r'))
            ++end;
        lines.append(Text.mid(start, end - start));
        if (end < Text.size() && Text.at(end) == QLatin1Char('\r') && end + 1 < Text.size()
            && Text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    if (lines == m_valueLines)
        return;
    m_valueLines = lines;
    ValuesChanged();
}

void TQXItemProp::SetValueLines(const QStringList &Lines)
{
    if (Lines == m_valueLines)
        return;
    m_valueLines = Lines;
    ValuesChanged();
}

TStrings *TQXItemProp::Values() const
{
    return valueStrings();
}

void TQXItemProp::SetValues(TStrings *Value)
{
    Values()->Assign(Value);
}

void TQXItemProp::ValuesChanged()
{
    Changed(false);
}

// ---------------------------------------------------------------------------------------------------
// Navigation

TQXItemProps *TQXItemProp::Collection() const
{
    return static_cast<TQXItemProps *>(TCollectionItem::Collection());
}

TCollection *TQXItemProp::ownerCollection() const
{
    if (TCollection *collection = TCollectionItem::Collection())
        return collection;
    return ConstructingCollection();
}

TQXCustomItemListEditor *TQXItemProp::GetEditor() const
{
    auto *collection = qobject_cast<TQXItemProps *>(ownerCollection());
    return collection ? collection->GetEditor() : nullptr;
}

TQXItemProp *TQXItemProp::GetParent() const
{
    TQXItemProps *collection = Collection();
    return collection ? collection->GetParent() : nullptr;
}

int TQXItemProp::GetLevel() const
{
    int level = 0;
    for (TQXItemProp *parent = GetParent(); parent; parent = parent->GetParent())
        ++level;
    return level;
}

int TQXItemProp::GetAbsoluteIndex() const
{
    TQXCustomItemListEditor *editor = GetEditor();
    return editor ? editor->AbsoluteIndexOf(this) : -1;
}

int TQXItemProp::GetAbsoluteVIndex() const
{
    TQXCustomItemListEditor *editor = GetEditor();
    return editor ? editor->AbsoluteVIndexOf(this) : -1;
}

QString TQXItemProp::GetPathDelimiter() const
{
    TQXCustomItemListEditor *editor = GetEditor();
    return editor ? editor->PathDelimiter() : QStringLiteral(".");
}

QString TQXItemProp::GetFullPathName() const
{
    TQXItemProp *parent = GetParent();
    if (!parent)
        return m_name;
    return parent->GetFullPathName() + GetPathDelimiter() + m_name;
}

QString TQXItemProp::ValuesText() const
{
    return trimRight(m_valueLines.join(QLatin1Char('\n')));
}

QString TQXItemProp::GetDisplayName() const
{
    return m_name + QLatin1Char('=') + ValuesText();
}

// ---------------------------------------------------------------------------------------------------
// Name and values

void TQXItemProp::SetName(const QString &NewName)
{
    if (NewName == m_name)
        return;
    TQXItemProps *collection = Collection();
    TQXCustomItemListEditor *editor = GetEditor();
    if (collection && editor && (editor->PropertyOptions() & TQXCustomItemListEditor::propUnique)
        && !NewName.isEmpty()) {
        // Only unique names are checked, so only then is the collection searched. A change of letter
        // case alone finds the item itself, which is no conflict.
        collection->IsValid(NewName, collection->IndexOf(NewName) != Index());
    }
    Changing();
    MoveProp(NewName);
    m_name = NewName;
    editor = GetEditor(); // MoveProp may have moved the item
    if (editor && IsVisible())
        editor->InvalidateGrid();
    Changed(false);
}

void TQXItemProp::MoveProp(const QString &NewName)
{
    // While it is being placed the item is out of order, and so is an item that a category placed in
    // the meantime: searches pass over both.
    const bool wasPlacing = std::exchange(m_placing, true);
    const auto placed = qScopeGuard([&] { m_placing = wasPlacing; });
    TQXItemProps *collection = Collection();
    if (!collection)
        return;
    TQXCustomItemListEditor *editor = GetEditor();
    if (!m_category && editor && editor->ArrangeByCategory()) {
        TQXItemProp *category = editor->Categorize(this, NewName, collection->Categories());
        if (category && category->m_items != collection && category != this) {
            SetCollection(category->Items());
            collection = Collection();
        }
    }
    if (collection->Sorted()) {
        const int k = collection->sortedPlace(NewName);
        const int c = Index();
        const int target = k <= c ? k : k - 1;
        if (target != c && target >= 0 && target < collection->Count())
            SetIndex(target);
    }
}

QString TQXItemProp::GetValue() const
{
    if (TQXCustomItemListEditor *editor = GetEditor()) {
        const int position = editor->GetGridCount(gcCurValuePos);
        // Reading the entry first fits the list to the grid's value lines.
        if (editor->GetSelected() == this && position > 0)
            return ValueLine(position - 1);
    }
    return ValuesText();
}

void TQXItemProp::SetValue(const QString &Value)
{
    if (TQXCustomItemListEditor *editor = GetEditor()) {
        const int position = editor->GetGridCount(gcCurValuePos);
        if (editor->GetSelected() == this && position > 0) {
            Values()->SetStrings(position - 1, Value);
            return;
        }
    }
    SetValuesText(Value);
}

bool TQXItemProp::IsValuesEmpty() const
{
    for (const QString &line : std::as_const(m_valueLines))
        if (!line.trimmed().isEmpty())
            return false;
    return true;
}

TQXItemProp::Extras &TQXItemProp::extras()
{
    if (!m_extras)
        m_extras = std::make_unique<Extras>();
    return *m_extras;
}

void TQXItemProp::SetHint(const QString &Value)
{
    if (Value == Hint())
        return;
    extras().hint = Value;
    Changed(false);
}

// ---------------------------------------------------------------------------------------------------
// Editing

void TQXItemProp::SetEditStyle(TEditStyle Value)
{
    assignAndNotify(m_editStyle, Value);
}

void TQXItemProp::SetEditMask(const QString &Value)
{
    if (Value == EditMask())
        return;
    extras().editMask = Value;
    Changed(false);
}

void TQXItemProp::SetExpressionMask(bool Value)
{
    assignAndNotify(m_expressionMask, Value);
}

TStrings *TQXItemProp::GetPickList() const
{
    if (!m_pickList || m_pickListShared) {
        // A shared list is read by many items: the one who asks gets a copy of its own to change.
        auto *list = new TStringList;
        if (m_pickList)
            list->Assign(m_pickList);
        auto *self = const_cast<TQXItemProp *>(this);
        QObject::connect(list, &TStrings::changed, list, [self, list] { self->PickListChange(list); });
        m_pickList = list;
        m_pickListShared = false;
    }
    return m_pickList;
}

namespace {
/// The shared pick lists, one per text; they live as long as the program.
TStringList *sharedPickList(const QStringList &lines)
{
    static auto *lists = new QHash<QString, TStringList *>; // never freed, like the lists
    const QString text = lines.join(QLatin1Char('\n'));
    TStringList *&list = (*lists)[text];
    if (!list) {
        list = new TStringList;
        list->SetText(text);
    }
    return list;
}
} // namespace

void TQXItemProp::SetPickListLines(const QStringList &Lines)
{
    if (!m_pickListShared)
        FreeAndNil(m_pickList);
    m_pickList = sharedPickList(Lines);
    m_pickListShared = true;
    PickListChange(m_pickList);
}

void TQXItemProp::SetPickList(TStrings *Value)
{
    GetPickList()->Assign(Value);
}

bool TQXItemProp::HasPickList() const
{
    return m_pickList && m_pickList->Count() > 0;
}

void TQXItemProp::PickListChange(QObject *)
{
    // The pick list decides between plain and drop-down editing; an ellipsis stays.
    if (m_editStyle == esSimple && HasPickList())
        SetEditStyle(esPickList);
    else if (m_editStyle == esPickList && !HasPickList())
        SetEditStyle(esSimple);
}

void TQXItemProp::SetItemObject(QObject *Value)
{
    if (Value == ItemObject())
        return;
    extras().itemObject = Value;
    Changed(false);
}

// ---------------------------------------------------------------------------------------------------
// State: read-only, enabled, visibility, expansion

bool TQXItemProp::IsReadOnly() const
{
    return m_readOnly || !m_enabled;
}

void TQXItemProp::SetReadOnly(bool Value)
{
    if (Value == IsReadOnly())
        return;
    m_readOnly = Value;
    TQXCustomItemListEditor *editor = GetEditor();
    if (editor && !(editor->DisplayOptions() & TQXCustomItemListEditor::doShowReadOnly))
        VisibleChanged();
    Changed(false);
}

void TQXItemProp::SetEnabled(bool Value)
{
    if (Value == m_enabled)
        return;
    const bool wasReadOnly = IsReadOnly();
    m_enabled = Value;
    TQXCustomItemListEditor *editor = GetEditor();
    // A disabled item is read-only: where read-only items are hidden, it must leave the shown lines.
    if (editor && wasReadOnly != IsReadOnly()
        && !(editor->DisplayOptions() & TQXCustomItemListEditor::doShowReadOnly))
        VisibleChanged();
    InvalidateOwnRow();
    Changed(false);
}

void TQXItemProp::InvalidateOwnRow()
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (!editor || !IsVisible())
        return;
    const int line = GetAbsoluteVIndex();
    if (line < 0)
        return;
    const int fixed = editor->GetGridCount(gcFixedItemLines);
    if (editor->Orientation() == TQXCustomItemListEditor::goVertical)
        editor->InvalidateRow(line + fixed);
    else
        editor->InvalidateCol(line + fixed);
}

void TQXItemProp::SetVisible(bool Value)
{
    if (Value == GetVisible())
        return;
    m_visible = Value;
    VisibleChanged();
}

bool TQXItemProp::IsVisibleItem() const
{
    if (!GetVisible())
        return false;
    TQXCustomItemListEditor *editor = GetEditor();
    return !editor || (editor->DisplayOptions() & TQXCustomItemListEditor::doShowReadOnly) || !IsReadOnly()
        || m_category;
}

bool TQXItemProp::IsVisible() const
{
    if (!IsVisibleItem())
        return false;
    for (TQXItemProp *parent = GetParent(); parent; parent = parent->GetParent())
        if (!parent->IsExpanded() || !parent->IsVisibleItem())
            return false;
    return true;
}

bool TQXItemProp::IsExpandable() const
{
    return HasChildren();
}

bool TQXItemProp::IsExpanded() const
{
    return m_expanded && HasChildren();
}

void TQXItemProp::SetExpanded(bool Value)
{
    if (Value == IsExpanded())
        return;
    if (Value)
        Expand();
    else
        Collapse();
}

void TQXItemProp::Expand()
{
    if (IsExpanded())
        return;
    m_expanded = true;
    if (IsExpanded())
        VisibleChanged();
}

void TQXItemProp::Collapse()
{
    if (!IsExpanded())
        return;
    m_expanded = false;
    VisibleChanged();
}

void TQXItemProp::setExpandedDeep(bool Expanded)
{
    if (!m_items) {
        m_expanded = Expanded;
        return;
    }
    // One visibility change for the whole subtree, also when a child raises.
    const TScopeExit visibleChanged([this] { VisibleChanged(); }); // once the update below has ended
    const TUpdateLock lock(*m_items);
    m_expanded = Expanded;
    for (int i = 0; i < m_items->Count(); ++i) {
        TQXItemProp *child = m_items->Items(i);
        Expanded ? child->FullExpand() : child->FullCollapse();
    }
}

void TQXItemProp::FullExpand()
{
    setExpandedDeep(true);
}

void TQXItemProp::FullCollapse()
{
    setExpandedDeep(false);
}

bool TQXItemProp::HasVisibleChildren() const
{
    if (!m_items)
        return false;
    for (int i = 0; i < m_items->Count(); ++i)
        if (m_items->Items(i)->IsVisibleItem())
            return true;
    return false;
}

int TQXItemProp::GetVisibleChildCount() const
{
    if (m_visibleChildCache < 0) {
        int count = 0;
        if (GetVisible() && IsExpanded()) {
            for (int i = 0; i < m_items->Count(); ++i) {
                TQXItemProp *child = m_items->Items(i);
                if (child->IsVisibleItem())
                    count += child->GetVisibleChildCount() + 1;
            }
        }
        m_visibleChildCache = count;
    }
    return m_visibleChildCache;
}

namespace {
// The item a visibility notification began at, while the notification travels up to the grid.
thread_local TQXItemProp *visibleOrigin = nullptr;
} // namespace

TQXItemProp *TQXItemProp::takeVisibleOrigin()
{
    return std::exchange(visibleOrigin, nullptr);
}

void TQXItemProp::VisibleChanged()
{
    m_visibleChildCache = -1;
    TQXItemProps *collection = Collection();
    if (!collection)
        return;
    // The grid hears of the top-level item above the change; it also learns where the change began, so
    // that it rewrites the lines of that item's subtree alone. Ancestors passing the notice on are no
    // origin.
    const bool begins = !visibleOrigin;
    if (begins)
        visibleOrigin = this;
    const auto done = qScopeGuard([&] {
        if (begins)
            visibleOrigin = nullptr;
    });
    collection->VisibleChanged(this);
}

// ---------------------------------------------------------------------------------------------------
// Categories

void TQXItemProp::SetCategory(bool Value)
{
    if (Value == m_category)
        return;
    m_category = Value;
    if (!Value)
        SetDefaultCategory(false);
    // Categories are shown where read-only items are hidden: a read-only item may appear or go.
    TQXCustomItemListEditor *editor = GetEditor();
    if (editor && IsReadOnly() && !(editor->DisplayOptions() & TQXCustomItemListEditor::doShowReadOnly))
        VisibleChanged();
    ParentFontChanged(nullptr);
    Changed(false);
}

void TQXItemProp::SetDefaultCategory(bool Value)
{
    if (Value == m_defaultCategory)
        return;
    m_defaultCategory = Value;
    if (Value)
        SetCategory(true);
    if (TQXItemProps *collection = Collection())
        collection->DefaultCategoryChanged(this);
}

// ---------------------------------------------------------------------------------------------------
// Fonts

// An item's fonts follow its ancestors while ParentFont (ParentValueFont) is set: the name font is the
// one of the nearest ancestor of the same kind (category or not), or the grid's font for that kind; the
// value font is the parent's, or the grid's value font. A TFont object of the item's own is made only
// when the font is asked for or changed; until then the font is read from where it comes from, so a tree
// of many items holds no font objects for them.

namespace {
const TFont &fallbackFont()
{
    static TFont *font = new TFont; // for items without a grid
    return *font;
}
} // namespace

TQXItemProp *TQXItemProp::sameKindAncestor() const
{
    TQXItemProp *ancestor = GetParent();
    while (ancestor && ancestor->m_category != m_category)
        ancestor = ancestor->GetParent();
    return ancestor;
}

const TFont *TQXItemProp::inheritedFont() const
{
    if (TQXItemProp *ancestor = sameKindAncestor())
        return ancestor->EffectiveFont();
    if (TQXCustomItemListEditor *editor = GetEditor())
        return m_category ? static_cast<const TFont *>(editor->CategoryFont()) : editor->Font();
    return &fallbackFont();
}

const TFont *TQXItemProp::inheritedValueFont() const
{
    if (TQXItemProp *parent = GetParent())
        return parent->EffectiveValueFont();
    if (TQXCustomItemListEditor *editor = GetEditor())
        return editor->ValueFont();
    return &fallbackFont();
}

const TFont *TQXItemProp::EffectiveFont() const
{
    return m_font ? m_font : inheritedFont();
}

const TFont *TQXItemProp::EffectiveValueFont() const
{
    return m_valueFont ? m_valueFont : inheritedValueFont();
}

TFont *TQXItemProp::GetFont() const
{
    if (!m_font) {
        auto *font = new TFont;
        font->Assign(inheritedFont());
        auto *self = const_cast<TQXItemProp *>(this);
        QObject::connect(font, &TFont::changed, font, [self, font] { self->FontChanged(font); });
        m_font = font;
    }
    return m_font;
}

void TQXItemProp::SetFont(TFont *Value)
{
    GetFont()->Assign(Value);
}

TFont *TQXItemProp::GetValueFont() const
{
    if (!m_valueFont) {
        auto *font = new TFont;
        font->Assign(inheritedValueFont());
        auto *self = const_cast<TQXItemProp *>(this);
        QObject::connect(font, &TFont::changed, font, [self, font] { self->FontChanged(font); });
        m_valueFont = font;
    }
    return m_valueFont;
}

void TQXItemProp::SetValueFont(TFont *Value)
{
    // Into the item's own font: an override of GetValueFont may hand out a font other rows share (the
    // inspector's changed-value font), which a write here must never change.
    TQXItemProp::GetValueFont()->Assign(Value);
}

const TFont *TQXItemProp::GetIndividualValueFont(int) const
{
    // For drawing: the font is read, not changed, so an inherited font is handed out as it is.
    return EffectiveValueFont();
}

void TQXItemProp::FontChanged(QObject *Sender)
{
    if (m_followingParent)
        return; // ParentFontChanged / ParentValueFontChanged pass the change on themselves
    if (Sender == m_font) {
        m_parentFont = false;
        if (m_items)
            for (int i = 0; i < m_items->Count(); ++i)
                m_items->Items(i)->ParentFontChanged(this);
    } else if (Sender == m_valueFont) {
        m_parentValueFont = false;
        if (m_items)
            for (int i = 0; i < m_items->Count(); ++i)
                m_items->Items(i)->ParentValueFontChanged();
    }
    InvalidateOwnRow();
    Changed(false);
}

void TQXItemProp::followFont(TFont *font, const TFont *from)
{
    // The item's own copy takes the font it inherits again; FontChanged must not take that for the
    // user's change (the callers pass it on to the children themselves).
    if (!font)
        return;
    const QScopedValueRollback<bool> following(m_followingParent, true);
    font->Assign(from);
}

void TQXItemProp::ParentFontChanged(TQXItemProp *)
{
    if (!m_parentFont)
        return;
    followFont(m_font, m_font ? inheritedFont() : nullptr);
    InvalidateOwnRow();
    // Descendants of either kind may hold copies that follow this item or an ancestor above it.
    if (m_items)
        for (int i = 0; i < m_items->Count(); ++i)
            m_items->Items(i)->ParentFontChanged(this);
}

void TQXItemProp::ParentValueFontChanged()
{
    if (!m_parentValueFont)
        return;
    followFont(m_valueFont, m_valueFont ? inheritedValueFont() : nullptr);
    InvalidateOwnRow();
    if (m_items)
        for (int i = 0; i < m_items->Count(); ++i)
            m_items->Items(i)->ParentValueFontChanged();
}

void TQXItemProp::SetParentFont(bool Value)
{
    if (Value == m_parentFont)
        return;
    if (!Value)
        GetFont(); // the font stays what it is now, as the item's own
    m_parentFont = Value;
    ParentFontChanged(GetParent());
}

void TQXItemProp::SetParentValueFont(bool Value)
{
    if (Value == m_parentValueFont)
        return;
    if (!Value)
        GetValueFont();
    m_parentValueFont = Value;
    ParentValueFontChanged();
}

bool TQXItemProp::IsFontStored() const
{
    TQXItemProp *parent = GetParent();
    return !m_parentFont || (parent && parent->m_category != m_category);
}

bool TQXItemProp::IsStoredProperty(const char *Name) const
{
    const QByteArrayView name(Name);
    if (name == "Font")
        return IsFontStored();
    if (name == "ValueFont")
        return !m_parentValueFont;
    return TCollectionItem::IsStoredProperty(Name);
}

// ---------------------------------------------------------------------------------------------------
// Notifications

void TQXItemProp::Changing()
{
    TQXItemProps *collection = Collection();
    if (!collection || collection->UpdateCount() > 0)
        return;
    TQXCustomItemListEditor *editor = collection->GetEditor();
    if (editor && editor->EditUpdateCount() == 0)
        editor->UpdatingItemProp(this);
}

void TQXItemProp::ItemNotify(TQXItemProp *Item, TCollectionNotification Action)
{
    // The count follows whole subtrees, so it stays the subtree size when items with children move.
    const int size = 1 + Item->m_descendantCount;
    if (Action == cnAdded)
        m_descendantCount += size;
    else if (Action == cnExtracting)
        m_descendantCount -= size;
    m_visibleChildCache = -1;
    if (TQXItemProps *collection = Collection())
        collection->Notify(Item, Action);
}

void TQXItemProp::UpdateItemProp(TQXItemProp *Item)
{
    TQXItemProps *collection = Collection();
    if (collection && collection->UpdateCount() == 0)
        collection->Update(Item);
}

// ---------------------------------------------------------------------------------------------------
// Validation

void TQXItemProp::Validate()
{
    try {
        DoValidate();
        DoValidated();
    } catch (const EAbort &) {
        throw;
    } catch (const Exception &) {
        DoValidateError(std::current_exception());
    }
}

void TQXItemProp::DoValidate()
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (OnValidate)
        OnValidate(editor, this, editor ? editor->GetGridCount(gcCurValuePos) : 0);
    else if (editor)
        editor->DoValidate(this, editor->GetGridCount(gcCurValuePos));
}

void TQXItemProp::DoValidated()
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (OnValidated)
        OnValidated(editor, this, editor ? editor->GetGridCount(gcCurValuePos) : 0);
    else if (editor)
        editor->DoValidated(this, editor->GetGridCount(gcCurValuePos));
}

QString TQXItemProp::InvalidValueMessage(const QString &Reason) const
{
    return QXConsts::InvalidPropertyValue(GetValue(), Reason);
}

void TQXItemProp::DoValidateError(std::exception_ptr E)
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (editor && editor->HasInplaceEditor()) {
        // The user sees which value was refused and why; the editor's last change is undone.
        const QString message = InvalidValueMessage(ExceptionMessage(E));
        editor->UndoEditor();
        E = std::make_exception_ptr(EVESKException(message));
    }
    const int column = editor ? editor->GetGridCount(gcCurValuePos) : 0;
    if (OnValidateError) {
        try {
            std::rethrow_exception(E);
        } catch (const Exception &error) {
            OnValidateError(editor, this, column, error);
        }
    } else if (editor) {
        editor->DoValidateError(this, column, E);
    } else {
        // Nobody to tell: the caller hears of it, rather than the edit passing for done.
        std::rethrow_exception(E);
    }
}

// ---------------------------------------------------------------------------------------------------
// Copying

void TQXItemProp::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TQXItemProp *>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    m_category = source->m_category;
    SetDefaultCategory(source->m_defaultCategory);
    m_name = source->m_name;
    if (source->m_extras || m_extras)
        extras().hint = source->Hint();
    m_readOnly = source->IsReadOnly();
    m_editStyle = source->m_editStyle;
    if (source->m_extras || m_extras)
        extras().editMask = source->EditMask();
    if (source->m_pickListShared) {
        if (!m_pickListShared)
            FreeAndNil(m_pickList);
        m_pickList = source->m_pickList;
        m_pickListShared = true;
    } else {
        GetPickList()->Assign(source->GetPickList());
    }
    m_editStyle = source->m_editStyle; // the pick list's change handler may have switched it
    m_expressionMask = source->m_expressionMask;
    m_expanded = source->IsExpanded();
    if (source->m_extras || m_extras)
        extras().itemObject = source->ItemObject();
    Tag = source->Tag;
    // A font the source inherits is inherited by the copy too; a font of its own is copied.
    {
        const QScopedValueRollback<bool> following(m_followingParent, true);
        if (!source->m_parentFont || m_font)
            GetFont()->Assign(source->EffectiveFont());
        if (!source->m_parentValueFont || m_valueFont)
            GetValueFont()->Assign(source->EffectiveValueFont());
    }
    m_parentFont = source->m_parentFont;
    m_parentValueFont = source->m_parentValueFont;
    if (m_values) {
        m_values->Assign(source->Values());
    } else if (m_valueLines != source->m_valueLines) {
        m_valueLines = source->m_valueLines;
        ValuesChanged();
    }
    SetVisible(source->GetVisible());
    if (source->HasChildren() || HasChildren())
        Items()->Assign(source->Items());
    Changed(false);
}

void TQXItemProp::SetIndex(int Value)
{
    // The grid takes the subtree out of its lists before the move and puts it back at its new place;
    // a move the collection refuses changes nothing.
    const int current = Index();
    TQXCustomItemListEditor *editor
        = current >= 0 && Value != current && Value >= 0 && Value < Collection()->Count() ? GetEditor()
                                                                                          : nullptr;
    if (!editor) {
        TCollectionItem::SetIndex(Value);
        return;
    }
    editor->itemMoving(this);
    const auto placed = qScopeGuard([&] { editor->itemMoved(this); });
    TCollectionItem::SetIndex(Value);
}

void TQXItemProp::AssignEvents(TQXItemProp *Source)
{
    if (!Source)
        return;
    OnEditButtonClick = Source->OnEditButtonClick;
    OnGetPickList = Source->OnGetPickList;
    OnValidate = Source->OnValidate;
}

// ---------------------------------------------------------------------------------------------------
// TQXItemProps

TQXItemProps::TQXItemProps(QObject *AOwner, const QMetaObject *ItemClass)
    : TOwnedCollection(AOwner, ItemClass ? ItemClass : &TQXItemProp::staticMetaObject)
    , m_ownerItem(qobject_cast<TQXItemProp *>(AOwner))
    , m_ownerEditor(qobject_cast<TQXCustomItemListEditor *>(AOwner))
    , m_defaultCategoryName(QXConsts::DefaultCategoryName())
{ }

TQXItemProps::~TQXItemProps()
{
    FreeAndNil(m_categories);
}

void TQXItemProps::BeforeDestruction()
{
    TOwnedCollection::BeforeDestruction();
}

TQXCustomItemListEditor *TQXItemProps::GetEditor() const
{
    return m_ownerItem ? m_ownerItem->GetEditor() : m_ownerEditor;
}

TQXItemProp *TQXItemProps::GetParent() const
{
    return m_ownerItem;
}

QString TQXItemProps::GetPathDelimiter() const
{
    TQXCustomItemListEditor *editor = GetEditor();
    return editor ? editor->PathDelimiter() : QStringLiteral(".");
}

TStrings *TQXItemProps::Categories() const
{
    if (!m_categories) {
        auto *categories = new TStringList;
        categories->SetSorted(m_sorted);
        m_categories = categories;
    }
    return m_categories;
}

void TQXItemProps::SetCategories(TStrings *Value)
{
    Categories()->Assign(Value);
}

void TQXItemProps::Changing()
{
    if (UpdateCount() > 0)
        return;
    if (TQXCustomItemListEditor *editor = GetEditor())
        editor->UpdatingItemProp(nullptr);
}

void TQXItemProps::BeginUpdate()
{
    Changing();
    TOwnedCollection::BeginUpdate();
}

TQXItemProp *TQXItemProps::Add()
{
    Changing();
    auto *item = static_cast<TQXItemProp *>(TOwnedCollection::Add());
    Changed();
    return item;
}

TQXItemProp *TQXItemProps::Add(const QString &Name, const QString &Value)
{
    IsValid(Name, true);
    TQXItemProp *item = Add();
    item->SetName(Name);
    item->SetValuesText(Value);
    return item;
}

TQXItemProp *TQXItemProps::Insert(int Index)
{
    Changing();
    auto *item = static_cast<TQXItemProp *>(TOwnedCollection::Insert(Index));
    Changed();
    return item;
}

TQXItemProp *TQXItemProps::AddCategory(const QString &Name, bool AllowDuplicate)
{
    if (!AllowDuplicate) {
        const int index = IndexOfCategory(Name);
        if (index >= 0)
            return Items(index);
    }
    Changing();
    TQXItemProp *item = Add();
    item->SetCategory(true);
    item->SetReadOnly(true);
    item->SetName(Name);
    return item;
}

TQXItemProp *TQXItemProps::AddFullPath(const QString &Path, const QString &Value, bool AllowDuplicate)
{
    Changing();
    const QString delimiter = GetPathDelimiter();
    const qsizetype cut = delimiter.isEmpty() ? -1 : Path.indexOf(delimiter);
    const QString head = cut < 0 ? Path : Path.left(cut);
    const bool last = cut < 0;
    TQXItemProp *item = nullptr;
    const int existing = IndexOf(head);
    if ((AllowDuplicate && last) || existing < 0) {
        item = Add();
        item->SetName(head);
    } else {
        item = Items(existing);
    }
    TQXItemProp *result = nullptr;
    if (last) {
        item->SetValuesText(Value);
        result = item;
    } else {
        result = item->Items()->AddFullPath(Path.mid(cut + delimiter.size()), Value, AllowDuplicate);
    }
    Changed();
    return result;
}

void TQXItemProps::Exchange(int Index1, int Index2)
{
    if (Index1 == Index2)
        return;
    Changing();
    TQXItemProp *first = Items(Index1);
    TQXItemProp *second = Items(Index2);
    first->SetIndex(Index2);
    second->SetIndex(Index1);
    Changed();
}

int TQXItemProps::IndexOf(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Items(i)->Name(), Name) == 0)
            return i;
    return -1;
}

int TQXItemProps::IndexOf(const QString &Name, const QString &Value) const
{
    const QString display = Name + QLatin1Char('=') + Value;
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Items(i)->GetDisplayName(), display) == 0)
            return i;
    return -1;
}

int TQXItemProps::IndexOfCategory(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i) {
        TQXItemProp *item = Items(i);
        if (item->Category() && CompareStrings(item->Name(), Name) == 0)
            return i;
    }
    return -1;
}

TQXItemProp *TQXItemProps::GetItemByName(const QString &Name) const
{
    const int index = IndexOf(Name);
    return index >= 0 ? Items(index) : nullptr;
}

bool TQXItemProps::Find(const QString &Name, int &Index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int comparison = CompareStrings(Items(middle)->Name(), Name);
        if (comparison < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (comparison == 0)
                found = true;
        }
    }
    Index = low;
    return found;
}

TQXItemProp *TQXItemProps::FindItemByFullPathName(const QString &Path) const
{
    const QString delimiter = GetPathDelimiter();
    const qsizetype cut = delimiter.isEmpty() ? -1 : Path.indexOf(delimiter);
    const int index = IndexOf(cut < 0 ? Path : Path.left(cut));
    if (index < 0)
        return nullptr;
    TQXItemProp *item = Items(index);
    if (cut < 0)
        return item;
    if (!item->HasChildren())
        return nullptr;
    return item->Items()->FindItemByFullPathName(Path.mid(cut + delimiter.size()));
}

TQXItemProp *TQXItemProps::FindItemProp(const QVariant &Index, bool Create)
{
    if (Count() == 0)
        return nullptr;
    int index = -1;
    if (VarIsOrdinal(Index)) {
        index = int(Index.toLongLong());
    } else {
        const QString name = VarToStr(Index);
        index = IndexOf(name);
        if (index < 0 && Create)
            throw EVESKException(QXConsts::PropertyNotFound(name));
    }
    if (index >= 0 && index < Count())
        return Items(index);
    if (Create && index >= 0)
        return Insert(index);
    return nullptr;
}

bool TQXItemProps::IsValid(const QString &Name, bool RaiseError) const
{
    TQXCustomItemListEditor *editor = GetEditor();
    if (!editor || !(editor->PropertyOptions() & TQXCustomItemListEditor::propUnique) || Name.isEmpty())
        return true;
    if (IndexOf(Name) == -1)
        return true;
    if (RaiseError)
        throw EVESKException(QXConsts::PropertyNameNotUnique(Name));
    return false;
}

int TQXItemProps::sortedPlace(const QString &Name) const
{
    // Lower bound among the items in order: every item before the result sorts before Name, every one
    // from it on does not. Items still being placed are passed over.
    int low = 0;
    int high = Count();
    // Rows are mostly built in order, so the end is tried first.
    int last = high - 1;
    while (last >= 0 && Items(last)->m_placing)
        --last;
    if (last < 0 || CompareStrings(Items(last)->Name(), Name) < 0)
        return last + 1;
    high = last;
    while (low < high) {
        const int middle = (low + high) / 2;
        int probe = middle;
        while (probe < high && Items(probe)->m_placing)
            ++probe;
        if (probe < high && CompareStrings(Items(probe)->Name(), Name) < 0)
            low = probe + 1;
        else
            high = middle; // also when every item from middle on is being placed
    }
    return low;
}

int TQXItemProps::CompareStrings(const QString &S1, const QString &S2) const
{
    if (TQXCustomItemListEditor *editor = GetEditor())
        return editor->CompareStrings(S1, S2);
    return AnsiCompareText(S1, S2);
}

void TQXItemProps::quickSort(const TQXItemPropCompare &Compare, int Low, int High)
{
    // In place, pivot at the middle; the pivot's position is followed through the swaps.
    while (Low < High) {
        int i = Low;
        int j = High;
        int pivot = (Low + High) / 2;
        while (i <= j) {
            while (Compare(Items(i), Items(pivot)) < 0)
                ++i;
            while (Compare(Items(j), Items(pivot)) > 0)
                --j;
            if (i <= j) {
                if (i != j) {
                    Exchange(i, j);
                    if (pivot == i)
                        pivot = j;
                    else if (pivot == j)
                        pivot = i;
                }
                ++i;
                --j;
            }
        }
        if (Low < j)
            quickSort(Compare, Low, j);
        Low = i;
    }
}

void TQXItemProps::CustomSort(const TQXItemPropCompare &Compare, bool ThisLevelOnly)
{
    if (m_sorted || Count() == 0)
        return;
    InUpdate(*this, [&] {
        quickSort(Compare, 0, Count() - 1);
        if (!ThisLevelOnly)
            for (int i = 0; i < Count(); ++i)
                if (Items(i)->HasChildren())
                    Items(i)->Items()->CustomSort(Compare, false);
    });
}

void TQXItemProps::Sort(bool ThisLevelOnly)
{
    CustomSort([this](TQXItemProp *a, TQXItemProp *b) { return CompareStrings(a->Name(), b->Name()); },
               ThisLevelOnly);
}

void TQXItemProps::SetSorted(bool Value)
{
    if (Value == m_sorted)
        return;
    auto apply = [&] {
        for (int i = 0; i < Count(); ++i)
            if (TQXItemProps *children = Items(i)->m_items)
                children->SetSorted(Value);
        if (Value)
            Sort(true);
        m_sorted = Value;
        if (m_categories)
            m_categories->SetSorted(Value);
    };
    if (!Value) {
        apply();
        return;
    }
    const TScopeExit invalidate([this] {
        if (TQXCustomItemListEditor *editor = GetEditor())
            editor->InvalidateGrid();
    });
    InUpdate(*this, apply);
}

void TQXItemProps::SetDefaultCategory(TQXItemProp *Item)
{
    if (Item == m_defaultCategory)
        return;
    TQXItemProp *previous = m_defaultCategory;
    m_defaultCategory = Item;
    if (previous)
        previous->SetDefaultCategory(false);
    if (Item)
        Item->SetDefaultCategory(true);
}

void TQXItemProps::DefaultCategoryChanged(TQXItemProp *Item)
{
    if (Item->DefaultCategory())
        SetDefaultCategory(Item);
    else if (m_defaultCategory == Item)
        m_defaultCategory = nullptr;
}

void TQXItemProps::SetDefaultCategoryName(const QString &Value)
{
    if (Value == m_defaultCategoryName)
        return;
    m_defaultCategoryName = Value;
    TQXCustomItemListEditor *editor = GetEditor();
    if (editor && editor->ArrangeByCategory())
        CreateDefaultCategory();
}

TQXItemProp *TQXItemProps::CreateDefaultCategory()
{
    if (m_defaultCategoryName.isEmpty())
        return nullptr;
    const int index = IndexOfCategory(m_defaultCategoryName);
    TQXItemProp *category = index >= 0 ? Items(index) : AddCategory(m_defaultCategoryName, true);
    SetDefaultCategory(category);
    return category;
}

void TQXItemProps::DeleteCategory(int Index, bool DeleteChildren)
{
    TQXItemProp *category = Items(Index);
    if (!category->Category())
        throw EVESKException(QXConsts::NotACategory());
    if (!DeleteChildren && category->HasChildren()) {
        TQXItemProps *children = category->Items();
        while (children->Count() > 0)
            children->Items(0)->SetCollection(this);
    }
    Delete(category->Index());
}

void TQXItemProps::ClearCategories(bool DeleteChildren)
{
    int i = 0;
    while (i < Count()) {
        if (Items(i)->Category())
            DeleteCategory(i, DeleteChildren);
        else
            ++i;
    }
}

void TQXItemProps::RemoveCategory(const QString &Name, bool DeleteChildren)
{
    const int index = IndexOfCategory(Name);
    if (index >= 0)
        DeleteCategory(index, DeleteChildren);
}

void TQXItemProps::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXItemProps *>(Source)) {
        if (source->m_categories || m_categories)
            Categories()->Assign(source->Categories());
        m_sorted = source->m_sorted;
        if (m_categories)
            m_categories->SetSorted(m_sorted);
    }
    TOwnedCollection::Assign(Source);
}

void TQXItemProps::Notify(TCollectionItem *Item, TCollectionNotification Action)
{
    auto *item = static_cast<TQXItemProp *>(Item);
    if (Action == cnExtracting && item == m_defaultCategory)
        m_defaultCategory = nullptr;
    TOwnedCollection::Notify(Item, Action);
    if (m_ownerItem)
        m_ownerItem->ItemNotify(item, Action);
    else if (m_ownerEditor)
        m_ownerEditor->ItemNotify(item, Action);
}

void TQXItemProps::Update(TCollectionItem *Item)
{
    TOwnedCollection::Update(Item);
    auto *item = static_cast<TQXItemProp *>(Item);
    if (m_ownerItem)
        m_ownerItem->UpdateItemProp(item);
    else if (m_ownerEditor)
        m_ownerEditor->UpdateItemProp(item);
}

void TQXItemProps::VisibleChanged(TQXItemProp *Item)
{
    if (m_ownerItem)
        m_ownerItem->VisibleChanged();
    else if (m_ownerEditor)
        m_ownerEditor->VisibleChanged(Item);
}
