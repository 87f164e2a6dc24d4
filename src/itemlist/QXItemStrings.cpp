#include "QXItemStrings.h"

#include "QXCustomItemListEditor.h"
#include "QXItemProp.h"

using namespace QXPlatform;

// ---------------------------------------------------------------------------------------------------
// TQXItemStrings

TQXItemStrings::TQXItemStrings(TQXCustomItemListEditor *Editor)
    : m_editor(Editor)
{
}

TQXItemStrings::~TQXItemStrings() = default;

TQXItemProp *TQXItemStrings::itemAt(int Index) const
{
    const int count = GetCount();
    if (Index < 0 || Index >= count)
        StringListIndexError(Index);
    return m_showVisibleOnly ? m_editor->GetVisibleItem(Index) : m_editor->GetItem(Index);
}

int TQXItemStrings::GetCount() const
{
    return m_showVisibleOnly ? m_editor->GetVisibleItemCount() : m_editor->GetItemCount();
}

QString TQXItemStrings::Get(int Index) const
{
    TQXItemProp *item = itemAt(Index);
    return item->GetFullPathName() + QLatin1Char('=') + item->ValuesText();
}

QObject *TQXItemStrings::GetObject(int Index) const
{
    return itemAt(Index)->ItemObject();
}

void TQXItemStrings::PutObject(int Index, QObject *AObject)
{
    itemAt(Index)->SetItemObject(AObject);
}

void TQXItemStrings::Clear()
{
    m_editor->Items()->Clear();
}

void TQXItemStrings::Delete(int Index)
{
    Free(itemAt(Index));
}

void TQXItemStrings::Insert(int Index, const QString &S)
{
    if (Index < 0 || Index > GetCount())
        StringListIndexError(Index);
    const qsizetype equals = S.indexOf(QLatin1Char('='));
    const QString path = equals < 0 ? S : S.left(equals);
    const QString value = equals < 0 ? QString() : S.mid(equals + 1);
    const bool unique = m_editor->PropertyOptions() & TQXCustomItemListEditor::propUnique;
    m_editor->Items()->AddFullPath(path, value, !unique);
}

int TQXItemStrings::IndexOfName(const QString &Name) const
{
    TQXItemProp *item = m_editor->Items()->FindItemByFullPathName(Name);
    if (!item)
        return -1;
    return m_showVisibleOnly ? item->GetAbsoluteVIndex() : item->GetAbsoluteIndex();
}

// ---------------------------------------------------------------------------------------------------
// TQXItemPropValueStrings

TQXItemPropValueStrings::TQXItemPropValueStrings(TQXItemProp *Item)
    : m_item(Item)
{
}

TQXItemPropValueStrings::~TQXItemPropValueStrings() = default;

void TQXItemPropValueStrings::FitToGrid() const
{
    TQXCustomItemListEditor *editor = m_item ? m_item->GetEditor() : nullptr;
    if (!editor)
        return;
    const int wanted = editor->GetGridCount(0) - 1;
    if (wanted < 0 || GetCount() == wanted)
        return;
    // Fitting is bookkeeping, not an edit: the item hears nothing of it.
    auto *self = const_cast<TQXItemPropValueStrings *>(this);
    const bool initializing = m_initializing;
    self->m_initializing = true;
    try {
        while (self->GetCount() < wanted)
            self->TStringList::Insert(self->GetCount(), QString());
        while (self->GetCount() > wanted)
            self->TStringList::Delete(self->GetCount() - 1);
    } catch (...) {
        self->m_initializing = initializing;
        throw;
    }
    self->m_initializing = initializing;
}

QString TQXItemPropValueStrings::Get(int Index) const
{
    TQXCustomItemListEditor *editor = m_item ? m_item->GetEditor() : nullptr;
    if (editor && Index < editor->GetGridCount(0) - 1)
        FitToGrid();
    return TStringList::Get(Index);
}

void TQXItemPropValueStrings::Put(int Index, const QString &S)
{
    if (S != Get(Index))
        TStringList::Put(Index, S);
}

void TQXItemPropValueStrings::Changed()
{
    if (m_initializing)
        return;
    TStringList::Changed();
}

void TQXItemPropValueStrings::Changing()
{
    if (!m_initializing)
        TStringList::Changing();
}
