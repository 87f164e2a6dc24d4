#include "QXItemStrings.h"

#include "QXCustomItemListEditor.h"
#include "QXItemProp.h"

using namespace QXPlatform;

// ---------------------------------------------------------------------------------------------------
// TQXItemStrings

TQXItemStrings::TQXItemStrings(TQXCustomItemListEditor *Editor)
    : m_editor(Editor)
{ }

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
{ }

TQXItemPropValueStrings::~TQXItemPropValueStrings() = default;

QStringList &TQXItemPropValueStrings::lines() const
{
    return m_item->m_valueLines;
}

int TQXItemPropValueStrings::GetCount() const
{
    return int(lines().size());
}

QString TQXItemPropValueStrings::Get(int Index) const
{
    return m_item->ValueLine(Index);
}

void TQXItemPropValueStrings::Put(int Index, const QString &S)
{
    if (S == Get(Index))
        return;
    Changing();
    lines()[Index] = S;
    Changed();
}

void TQXItemPropValueStrings::Insert(int Index, const QString &S)
{
    if (Index < 0 || Index > GetCount())
        StringListIndexError(Index);
    Changing();
    lines().insert(Index, S);
    Changed();
}

void TQXItemPropValueStrings::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        StringListIndexError(Index);
    Changing();
    lines().removeAt(Index);
    Changed();
}

void TQXItemPropValueStrings::Clear()
{
    if (lines().isEmpty())
        return;
    Changing();
    lines().clear();
    Changed();
}

void TQXItemPropValueStrings::Changed()
{
    if (m_initializing || UpdateCount() > 0)
        return;
    Q_EMIT changed();
    if (OnChange)
        OnChange(this);
}

void TQXItemPropValueStrings::Changing()
{
    if (m_initializing || UpdateCount() > 0)
        return;
    Q_EMIT changing();
    if (OnChanging)
        OnChanging(this);
}

void TQXItemPropValueStrings::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}
