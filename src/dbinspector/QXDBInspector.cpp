#include "QXDBInspector.h"

#include "QXDefaultCategories.h"
#include "QXException.h"
#include "QXMessages.h"
#include "StringList.h"

#include <QScopedValueRollback>

using namespace QXPlatform;

namespace {

/// Puts Text into value line Index of Item (lines before it are made, empty, when missing).
void setValueLine(TQXItemProp *Item, int Index, const QString &Text)
{
    QStringList lines = Item->ValueLines();
    if (Index < lines.size() && lines[Index] == Text)
        return;
    while (lines.size() <= Index)
        lines.append(QString());
    lines[Index] = Text;
    Item->SetValueLines(lines);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TQXDBInspectorDataLink

TQXDBInspectorDataLink::TQXDBInspectorDataLink(TQXDBItemProps *Items)
    : m_items(Items)
{ }

TQXDBInspectorDataLink::~TQXDBInspectorDataLink() = default;

int TQXDBInspectorDataLink::GetFieldCount() const
{
    return DataSet() ? DataSet()->FieldCount() : 0;
}

TField *TQXDBInspectorDataLink::GetFields(int Index) const
{
    if (Index < 0 || Index >= GetFieldCount())
        return nullptr;
    return DataSet()->Fields(Index);
}

void TQXDBInspectorDataLink::ActiveChanged()
{
    m_items->ActiveChanged();
}

void TQXDBInspectorDataLink::DataSetChanged()
{
    m_items->DataChanged(this);
}

void TQXDBInspectorDataLink::DataSetScrolled(int)
{
    m_items->DataChanged(this);
}

void TQXDBInspectorDataLink::LayoutChanged()
{
    m_items->LayoutChanged();
}

void TQXDBInspectorDataLink::RecordChanged(TField *)
{
    m_items->DataChanged(this);
}

// ---------------------------------------------------------------------------------------------------
// TQXDBItemProps

TQXDBItemProps::TQXDBItemProps(QObject *AOwner, const QMetaObject *ItemClass)
    : TQXItemProps(AOwner, ItemClass)
    , m_dataLink(std::make_unique<TQXDBInspectorDataLink>(this))
{ }

TQXDBItemProps::~TQXDBItemProps() = default;

void TQXDBItemProps::BeforeDestruction()
{
    // The link leaves its data source without telling this collection, which is going.
    m_dataLink.reset();
    TQXItemProps::BeforeDestruction();
}

TQXDBItemProp *TQXDBItemProps::Items(int Index) const
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::Items(Index));
}

TQXDBItemProp *TQXDBItemProps::Add()
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::Add());
}

TQXDBItemProp *TQXDBItemProps::Add(TField *Field)
{
    Changing();
    TQXDBItemProp *item = Add();
    item->SetField(Field);
    Changed();
    return item;
}

TQXDBItemProp *TQXDBItemProps::Add(const QString &Name, const QString &Value)
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::Add(Name, Value));
}

TQXDBItemProp *TQXDBItemProps::AddCategory(const QString &Name)
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::AddCategory(Name, true));
}

int TQXDBItemProps::IndexOf(TField *Field) const
{
    if (!Field)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->DataField() == Field->FieldName())
            return i;
    return -1;
}

TQXDBItemProp *TQXDBItemProps::FindItemByFullPathName(const QString &Path) const
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::FindItemByFullPathName(Path));
}

TQXDBItemProp *TQXDBItemProps::GetParent() const
{
    return static_cast<TQXDBItemProp *>(TQXItemProps::GetParent());
}

TQXDBInspector *TQXDBItemProps::GetEditor() const
{
    return qobject_cast<TQXDBInspector *>(TQXItemProps::GetEditor());
}

void TQXDBItemProps::SetDataSource(TDataSource *Value)
{
    if (Value == DataSource())
        return;
    TQXDBInspector *editor = GetEditor();
    if (editor && DataSource())
        editor->RemoveFreeNotification(DataSource());
    m_dataLink->SetDataSource(Value);
    if (editor && Value)
        editor->FreeNotification(Value);
}

void TQXDBItemProps::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXDBItemProps *>(Source))
        SetDataSource(source->DataSource());
    TQXItemProps::Assign(Source);
}

void TQXDBItemProps::ActiveChanged()
{
    if (m_dataLink->Active())
        if (TQXDBInspector *editor = GetEditor())
            m_dataLink->SetBufferCount(editor->recordLines());
    LayoutChanged();
    DataChanged(m_dataLink.get());
}

void TQXDBItemProps::DataChanged(TQXDBInspectorDataLink *Link)
{
    if (!Link || !Link->Active() || !Link->DataSet())
        return;
    TQXDBInspector *editor = GetEditor();
    {
        const TUpdateLock lock(*this);
        const int records = Link->RecordCount();
        for (int i = 0; i < records; ++i) {
            const TCursorKeeper keep(Link->DataSet());
            Link->SetActiveRecord(i);
            DoDataChanged(Link, i);
            if (OnDataChanged)
                OnDataChanged(editor, this, Link->DataSource());
            else if (editor && editor->OnItemsDataChanged)
                editor->OnItemsDataChanged(editor, this, Link->DataSource());
        }
        clearUnbufferedLines(records);
    }
    if (editor)
        editor->InvalidateGrid();
}

void TQXDBItemProps::clearUnbufferedLines(int RecordCount)
{
    for (int i = 0; i < Count(); ++i) {
        TQXDBItemProp *item = Items(i);
        if (item->Category() || item->DataField().isEmpty() || item->IsUpdating())
            continue;
        QStringList lines = item->ValueLines();
        bool cleared = false;
        for (int line = RecordCount; line < lines.size(); ++line)
            if (!lines[line].isEmpty()) {
                lines[line].clear();
                cleared = true;
            }
        if (cleared)
            item->SetValueLines(lines);
    }
}

void TQXDBItemProps::DoDataChanged(TQXDBInspectorDataLink *Link, int Index)
{
    for (int i = 0; i < Count(); ++i) {
        TQXDBItemProp *item = Items(i);
        if (item->Category())
            item->GetItems()->DataChanged(Link);
        else
            item->DataChanged(Link->DataSource(), Index);
    }
}

void TQXDBItemProps::LayoutChanged()
{
    TQXDBInspector *editor = GetEditor();
    {
        const TUpdateLock lock(*this);
        if (!editor || !editor->PreserveLayout()) {
            Clear();
        } else {
            for (int i = Count() - 1; i >= 0; --i) {
                TQXDBItemProp *item = Items(i);
                if (item->Category() && item->HasChildren())
                    item->GetItems()->LayoutChanged();
                if (item->DataField().isEmpty())
                    continue;
                TQXDBInspectorDataLink *link = item->GetDataLink();
                // An item shows a visible field: a field that went, or was hidden, takes its item along.
                const TField *field = link && link->Active() && link->DataSet()
                    ? link->DataSet()->FindField(item->DataField())
                    : nullptr;
                if (link && link->Active() && link->DataSet() && (!field || !field->Visible()))
                    Free(item);
                else if (link)
                    item->SetEnabled(link->Active());
            }
        }
        if (m_dataLink->Active())
            DoLayoutChanged();
    }
    if (OnLayoutChanged)
        OnLayoutChanged(editor, this, DataSource());
    else if (editor && editor->OnItemsLayoutChanged)
        editor->OnItemsLayoutChanged(editor, this, DataSource());
}

TQXDBItemProp *TQXDBItemProps::findBound(const QString &FieldName) const
{
    for (int i = 0; i < Count(); ++i) {
        TQXDBItemProp *item = Items(i);
        if (item->DataField() == FieldName)
            return item;
        if (item->Category() && item->HasChildren())
            if (TQXDBItemProp *child = item->GetItems()->findBound(FieldName))
                return child;
    }
    return nullptr;
}

void TQXDBItemProps::DoLayoutChanged()
{
    TQXDBInspector *editor = GetEditor();
    const bool preserve = editor && editor->PreserveLayout();
    for (int i = 0; i < m_dataLink->GetFieldCount(); ++i) {
        TField *field = m_dataLink->GetFields(i);
        if (!field->Visible() || !TField::IsShownType(field->DataType()))
            continue;
        TQXDBItemProp *item = preserve ? findBound(field->FieldName()) : nullptr;
        if (!item)
            Add(field);
        else if (item->m_boundField == field)
            item->LayoutChanged(field);
        else
            item->SetField(field);
    }
    if (editor)
        editor->RemoveFilterProperties();
}

void TQXDBItemProps::UpdateBufferCount(int Count)
{
    m_dataLink->SetBufferCount(Count);
    for (int i = 0; i < this->Count(); ++i)
        if (Items(i)->HasChildren())
            Items(i)->GetItems()->UpdateBufferCount(Count);
}

void TQXDBItemProps::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation != opRemove || !AComponent || AComponent != DataSource())
        return;
    SetDataSource(nullptr);
    for (int i = 0; i < Count(); ++i)
        Items(i)->Notification(AComponent, Operation);
}

void TQXDBItemProps::RefreshDataSources(bool Layout)
{
    if (Layout)
        LayoutChanged();
    DataChanged(m_dataLink.get());
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->HasChildren())
            Items(i)->GetItems()->RefreshDataSources(Layout);
}

// ---------------------------------------------------------------------------------------------------
// TQXDBItemProp

TQXDBItemProp::TQXDBItemProp(TCollection *Collection)
    : TQXItemProp(Collection)
{ }

TQXDBItemProp::~TQXDBItemProp() = default;

void TQXDBItemProp::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXDBItemProp *>(Source))
        SetDataField(source->DataField());
    TQXItemProp::Assign(Source);
}

void TQXDBItemProp::AssignEvents(TQXItemProp *Source)
{
    if (auto *source = qobject_cast<TQXDBItemProp *>(Source)) {
        OnLayoutChanged = source->OnLayoutChanged;
        OnDataChanged = source->OnDataChanged;
    }
    TQXItemProp::AssignEvents(Source);
}

void TQXDBItemProp::SetDataField(const QString &Value)
{
    if (Value == m_dataField)
        return;
    if (!Value.isEmpty()) {
        const TQXDBInspectorDataLink *link = GetDataLink();
        if (link && link->DataSet() && !link->DataSet()->FindField(Value))
            throw EQXException(QStringLiteral("Invalid Field Name"));
    }
    m_dataField = Value;
}

TQXDBInspectorDataLink *TQXDBItemProp::GetDataLink() const
{
    TQXDBItemProps *items = Collection();
    if (!items)
        return nullptr;
    TQXDBItemProp *parent = items->GetParent();
    if (parent && parent->Category())
        return parent->GetDataLink();
    return items->DataLink();
}

TDataSource *TQXDBItemProp::GetDataSource() const
{
    const TQXDBInspectorDataLink *link = GetDataLink();
    return link ? link->DataSource() : nullptr;
}

TField *TQXDBItemProp::GetField() const
{
    const TQXDBInspectorDataLink *link = GetDataLink();
    if (m_dataField.isEmpty() || !link || !link->DataSource() || !link->DataSet())
        return nullptr;
    return link->DataSet()->FindField(m_dataField);
}

void TQXDBItemProp::SetField(TField *Field)
{
    if (Field == m_boundField && Field == GetField())
        return;
    m_dataField = Field ? Field->FieldName() : QString();
    LayoutChanged(Field);
}

void TQXDBItemProp::LayoutChanged(TField *Field)
{
    m_boundField = Field;
    if (Field)
        DoLayoutChanged(Field);
    TQXDBInspector *editor = Collection() ? Collection()->GetEditor() : nullptr;
    if (OnLayoutChanged)
        OnLayoutChanged(editor, this, Field);
    else if (editor && editor->OnItemLayoutChanged)
        editor->OnItemLayoutChanged(editor, this, Field);
}

void TQXDBItemProp::DoLayoutChanged(TField *Field)
{
    SetName(Field->DisplayLabel());
    SetValue(Field->DisplayText());
    SetEditMask(Field->EditMask());
    SetReadOnly(Field->ReadOnly());
    if (Field->Lookup())
        SetEditStyle(esPickList);
}

void TQXDBItemProp::DataChanged(TDataSource *DataSource, int Index)
{
    if (m_updating)
        return;
    DoDataChanged(DataSource, Index);
}

TField *TQXDBItemProp::DoDataChanged(TDataSource *DataSource, int Index)
{
    TField *field = nullptr;
    if (!m_dataField.isEmpty() && DataSource && DataSource->DataSet())
        field = DataSource->DataSet()->FindField(m_dataField);
    if (field)
        setValueLine(this, Index, field->Text());
    TQXDBInspector *editor = Collection() ? Collection()->GetEditor() : nullptr;
    if (OnDataChanged)
        OnDataChanged(editor, this, field);
    else if (editor && editor->OnItemDataChanged)
        editor->OnItemDataChanged(editor, this, field);
    return field;
}

void TQXDBItemProp::Notification(QObject *AComponent, TOperation Operation)
{
    if (HasChildren())
        GetItems()->Notification(AComponent, Operation);
}

TQXItemProps *TQXDBItemProp::CreateItems()
{
    return Create<TQXDBItemProps>(this, metaObject());
}

void TQXDBItemProp::DoValidated()
{
    UpdateField();
    TQXItemProp::DoValidated();
}

void TQXDBItemProp::DoValidateError(std::exception_ptr E)
{
    const TQXCustomItemListEditor *editor = GetEditor();
    if (!editor || !editor->HasInplaceEditor())
        E = std::make_exception_ptr(EVESKException(InvalidValueMessage(ExceptionMessage(E))));
    TQXItemProp::DoValidateError(E);
}

void TQXDBItemProp::UpdateField()
{
    TQXDBInspectorDataLink *link = GetDataLink();
    if (m_updating || m_dataField.isEmpty() || !link || !link->DataSource())
        return;
    const QScopedValueRollback updating(m_updating, true);
    TField *field = GetField();
    if (!field)
        return;
    TQXCustomItemListEditor *editor = GetEditor();
    const int position = editor ? editor->GetGridCount(gcCurValuePos) : 0;
    QString text;
    if (editor && editor->GetSelected() == this && position > 0) {
        // A value line past the buffered records shows no record: there is nothing to write into.
        if (position - 1 >= link->RecordCount())
            throw EQXException(QStringLiteral("Value line %1 shows no record").arg(position));
        link->SetActiveRecord(position - 1);
        text = ValueLine(position - 1);
    } else {
        // Outside the grid's cursor the value of the link's active record is written, not every line.
        const int active = link->ActiveRecord();
        text = ValueLineCount() > 1 && active >= 0 && active < ValueLineCount() ? ValueLine(active)
                                                                                : GetValue();
    }
    // A read-only field refuses before the record is put into edit state.
    if (field->ReadOnly())
        throw EQXException(QStringLiteral("Field '%1' cannot be modified").arg(field->DisplayLabel()));
    link->Edit();
    field->SetText(text);
}

// ---------------------------------------------------------------------------------------------------
// TQXDBInspector

TQXDBInspector::TQXDBInspector(QWidget *parent)
    : TQXItemListEditor(parent)
{
    SetDeleteBlanks(false);
    SetCaseSensitive(false);
}

TQXDBInspector::~TQXDBInspector() = default;

void TQXDBInspector::BeforeDestruction()
{
    m_destroyingInspector = true;
    TQXItemListEditor::BeforeDestruction();
}

bool TQXDBInspector::isDestroying() const
{
    return m_destroyingInspector || (ComponentState() & csDestroying);
}

bool TQXDBInspector::isLoading() const
{
    return ComponentState() & csLoading;
}

int TQXDBInspector::recordLines() const
{
    return std::max(1, GetGridCount(gcValueLineCount) - 1);
}

void TQXDBInspector::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TQXDBInspector *>(Source);
    if (!source) {
        TQXItemListEditor::Assign(Source);
        return;
    }
    m_preserveLayout = source->m_preserveLayout;
    AssignFilters(source);
}

TQXItemProps *TQXDBInspector::CreateItems(QObject *Owner)
{
    return Create<TQXDBItemProps>(Owner, &TQXDBItemProp::staticMetaObject);
}

void TQXDBInspector::FillCategories()
{
    TQXItemListEditor::FillCategories();
    TStrings *categories = Items()->Categories();
    const TUpdateLock lock(*categories);
    for (const QString &line : QXDefaultCategoryTable())
        categories->Add(line);
}

void TQXDBInspector::InvalidateFilters()
{
    InvalidateDataSources();
}

void TQXDBInspector::RefreshDataSources(bool Layout)
{
    GetItems()->RefreshDataSources(Layout);
}

void TQXDBInspector::InvalidateDataSources()
{
    if (isLoading() || isDestroying())
        return;
    PostMessage(this, QX_INVALIDATESCAN);
}

void TQXDBInspector::Dispatch(TMessage &Message)
{
    if (Message.Msg == QX_INVALIDATESCAN)
        QXInvalidateScan(Message);
    else
        TQXItemListEditor::Dispatch(Message);
}

void TQXDBInspector::QXInvalidateScan(TMessage &)
{
    if (!isDestroying())
        RefreshDataSources(true);
}

void TQXDBInspector::SizeChanged(int OldColCount, int OldRowCount)
{
    TQXItemListEditor::SizeChanged(OldColCount, OldRowCount);
    const int old = Orientation() == goVertical ? OldColCount : OldRowCount;
    if (old == GetGridCount(gcValueLineCount) || isDestroying())
        return;
    // Every value line after the name line shows one record, as when the link became active.
    GetItems()->UpdateBufferCount(recordLines());
    GetItems()->RefreshDataSources(false);
}

void TQXDBInspector::Notification(QObject *AComponent, TOperation Operation)
{
    TQXItemListEditor::Notification(AComponent, Operation);
    // The collections compare the object with their own data sources (the object may no longer be whole
    // enough to be asked what it is).
    if (Operation == opRemove)
        GetItems()->Notification(AComponent, Operation);
}
