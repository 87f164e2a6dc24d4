#include "DataSet.h"

#include "Collection.h"
#include "FormatSettings.h"

#include <QDateTime>
#include <QScopeGuard>
#include <algorithm>
#include <iterator>

namespace QXPlatform {

namespace {

// What a field type is, beside the Qt type of its values.
enum FieldTypeTrait : unsigned {
    Plain = 0x0, // a value that fits a line, whose empty text is null
    Text = 0x1, // an empty text is an empty string, not null
    Blob = 0x2, // does not fit a line: long text, binary data, nested structures
    Hidden = 0x4, // data-aware controls that give each field a line leave it out
};

struct FieldTypeRow
{
    TFieldType type;
    QMetaType::Type qtType;
    unsigned traits;
};

// In the order of TFieldType, one row per type. Of the blob types, the large objects (ftOraBlob,
// ftOraClob) keep their line in data-aware controls; the others are hidden.
constexpr FieldTypeRow fieldTypeTable[] = {
    { ftUnknown, QMetaType::QString, Text },
    { ftString, QMetaType::QString, Text },
    { ftSmallint, QMetaType::LongLong, Plain },
    { ftInteger, QMetaType::LongLong, Plain },
    { ftWord, QMetaType::LongLong, Plain },
    { ftBoolean, QMetaType::Bool, Plain },
    { ftFloat, QMetaType::Double, Plain },
    { ftCurrency, QMetaType::Double, Plain },
    { ftBCD, QMetaType::Double, Plain },
    { ftDate, QMetaType::QDate, Plain },
    { ftTime, QMetaType::QTime, Plain },
    { ftDateTime, QMetaType::QDateTime, Plain },
    { ftBytes, QMetaType::QByteArray, Blob | Hidden },
    { ftVarBytes, QMetaType::QByteArray, Blob | Hidden },
    { ftAutoInc, QMetaType::LongLong, Plain },
    { ftBlob, QMetaType::QByteArray, Blob | Hidden },
    { ftMemo, QMetaType::QString, Text | Blob | Hidden },
    { ftGraphic, QMetaType::QByteArray, Blob | Hidden },
    { ftFmtMemo, QMetaType::QString, Text | Blob | Hidden },
    { ftParadoxOle, QMetaType::QByteArray, Blob | Hidden },
    { ftDBaseOle, QMetaType::QByteArray, Blob | Hidden },
    { ftTypedBinary, QMetaType::QByteArray, Blob | Hidden },
    { ftCursor, QMetaType::QByteArray, Blob | Hidden },
    { ftFixedChar, QMetaType::QString, Text },
    { ftWideString, QMetaType::QString, Text },
    { ftLargeint, QMetaType::LongLong, Plain },
    { ftADT, QMetaType::QByteArray, Blob | Hidden },
    { ftArray, QMetaType::QByteArray, Blob | Hidden },
    { ftReference, QMetaType::QByteArray, Blob | Hidden },
    { ftDataSet, QMetaType::QByteArray, Blob | Hidden },
    { ftOraBlob, QMetaType::QByteArray, Blob },
    { ftOraClob, QMetaType::QString, Text | Blob },
    { ftVariant, QMetaType::QString, Plain },
    { ftInterface, QMetaType::QString, Plain },
    { ftIDispatch, QMetaType::QString, Plain },
    { ftGuid, QMetaType::QString, Text },
    { ftTimeStamp, QMetaType::QDateTime, Plain },
    { ftFMTBcd, QMetaType::Double, Plain },
};
static_assert(std::size(fieldTypeTable) == FieldTypeCount, "one row per field type");

constexpr bool inTypeOrder()
{
    for (int i = 0; i < FieldTypeCount; ++i)
        if (fieldTypeTable[i].type != i)
            return false;
    return true;
}
static_assert(inTypeOrder(), "the rows stand in the order of TFieldType");

// Binary data is held in QByteArray, and long text in QString, like any text.
constexpr bool blobsAgreeWithQtTypes()
{
    for (const FieldTypeRow &row : fieldTypeTable) {
        const bool binary = (row.traits & (Text | Blob)) == Blob;
        if (binary != (row.qtType == QMetaType::QByteArray))
            return false;
        if ((row.traits & Text) && row.qtType != QMetaType::QString)
            return false;
    }
    return true;
}
static_assert(blobsAgreeWithQtTypes(), "binary types are held in QByteArray, text types in QString");

const FieldTypeRow &rowOf(TFieldType Type)
{
    // A number outside the enumeration is held as it comes, as a variant is.
    const int index = int(Type);
    return index >= 0 && index < FieldTypeCount ? fieldTypeTable[index] : fieldTypeTable[ftVariant];
}

/// Long text: text values that do not fit a line.
bool isMemoType(TFieldType Type)
{
    return (rowOf(Type).traits & (Text | Blob)) == (Text | Blob);
}

bool parseBool(const QString &Text, bool &Value)
{
    const QString text = Text.trimmed();
    for (const auto &[word, value] :
         { std::pair { BoolToStr(true), true }, std::pair { BoolToStr(false), false },
           std::pair { QStringLiteral("1"), true }, std::pair { QStringLiteral("0"), false } })
        if (text.compare(word, Qt::CaseInsensitive) == 0) {
            Value = value;
            return true;
        }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TField

TField::TField(TDataSet *DataSet, const QString &FieldName, TFieldType DataType)
    : m_dataSet(DataSet)
    , m_fieldName(FieldName)
    , m_dataType(DataType)
{ }

TField::~TField() = default;

int TField::Index() const
{
    for (int i = 0; i < m_dataSet->FieldCount(); ++i)
        if (m_dataSet->Fields(i) == this)
            return i;
    return -1;
}

bool TField::IsBlobType(TFieldType Type)
{
    return rowOf(Type).traits & FieldTypeTrait::Blob;
}

bool TField::IsTextType(TFieldType Type)
{
    return rowOf(Type).traits & FieldTypeTrait::Text;
}

bool TField::IsShownType(TFieldType Type)
{
    return !(rowOf(Type).traits & FieldTypeTrait::Hidden);
}

QMetaType TField::QtTypeOf(TFieldType Type)
{
    return QMetaType(rowOf(Type).qtType);
}

void TField::layoutChanged()
{
    if (m_dataSet->Active())
        m_dataSet->dataEvent(TDataSet::deLayoutChange);
}

void TField::SetDisplayLabel(const QString &Value)
{
    // The field name stays the label until another text is set.
    const QString label = Value == m_fieldName ? QString() : Value;
    if (label == m_displayLabel)
        return;
    m_displayLabel = label;
    layoutChanged();
}

void TField::SetVisible(bool Value)
{
    if (Value == m_visible)
        return;
    m_visible = Value;
    layoutChanged();
}

void TField::SetReadOnly(bool Value)
{
    if (Value == m_readOnly)
        return;
    m_readOnly = Value;
    layoutChanged();
}

void TField::SetEditMask(const QString &Value)
{
    if (Value == m_editMask)
        return;
    m_editMask = Value;
    layoutChanged();
}

void TField::SetLookup(bool Value)
{
    if (Value == m_lookup)
        return;
    m_lookup = Value;
    layoutChanged();
}

QVariant TField::Value() const
{
    return m_dataSet->fieldValue(this);
}

void TField::SetValue(const QVariant &Value)
{
    m_dataSet->setFieldValue(this, Value);
}

QString TField::Text() const
{
    const QVariant value = Value();
    if (value.isNull())
        return QString();
    switch (QtTypeOf(m_dataType).id()) {
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        return FloatToStr(value.toDouble());
    case QMetaType::Bool:
        return BoolToStr(value.toBool());
    case QMetaType::QDate:
        return DateToStr(value.toDate());
    case QMetaType::QTime:
        return TimeToStr(value.toTime());
    case QMetaType::QDateTime:
        return DateTimeToStr(value.toDateTime());
    case QMetaType::QByteArray:
        return QStringLiteral("(BLOB)");
    default:
        return value.toString();
    }
}

void TField::SetText(const QString &Value)
{
    if (Value.isEmpty() && !IsTextType(m_dataType)) {
        SetValue(QVariant());
        return;
    }
    switch (QtTypeOf(m_dataType).id()) {
    case QMetaType::LongLong:
        SetValue(StrToInt64(Value.trimmed()));
        break;
    case QMetaType::Double:
        SetValue(StrToFloat(Value.trimmed()));
        break;
    case QMetaType::Bool: {
        bool value = false;
        if (!parseBool(Value, value))
            throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(Value));
        SetValue(value);
        break;
    }
    case QMetaType::QDate:
        SetValue(StrToDate(Value));
        break;
    case QMetaType::QTime:
        SetValue(StrToTime(Value));
        break;
    case QMetaType::QDateTime:
        SetValue(StrToDateTime(Value));
        break;
    case QMetaType::QByteArray:
        throw EConvertError(
            QStringLiteral("Field '%1' holds binary data and takes no text").arg(m_fieldName));
    default:
        SetValue(Value);
        break;
    }
}

QString TField::DisplayText() const
{
    if (isMemoType(m_dataType))
        return QStringLiteral("(MEMO)");
    return Text();
}

// ---------------------------------------------------------------------------------------------------
// TDataSet

TDataSet::TDataSet(QObject *AOwner)
    : TComponent(this, AOwner)
{ }

TDataSet::~TDataSet()
{
    // Reached without Free: nobody may keep reading from this dataset.
    for (const QPointer<TDataSource> &source : std::as_const(m_sources))
        if (source)
            source->m_dataSet = nullptr;
}

void TDataSet::BeforeDestruction()
{
    PostOnTeardown();
    if (m_state == dsEdit)
        Cancel();
    if (Active()) {
        InternalClose();
        setState(dsInactive);
    }
    const QList<QPointer<TDataSource>> sources = m_sources;
    for (const QPointer<TDataSource> &source : sources)
        if (source)
            source->SetDataSet(nullptr);
    TComponent::BeforeDestruction();
}

void TDataSet::SetActive(bool Value)
{
    if (Value)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active())
        return;
    InternalOpen();
    m_cursor = InternalRecordCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_cursor < 0;
    setState(dsBrowse);
}

TCursorKeeper::~TCursorKeeper()
{
    if (m_dataSet && m_dataSet->Active() && m_record >= 0 && m_record < m_dataSet->RecordCount())
        m_dataSet->setCursorQuietly(m_record);
}

void TDataSet::PostOnTeardown() noexcept
{
    // A modified record is written as Close would write it; nobody is left to catch a failure, so it goes
    // to the application's handler, naming the record. The edit is dropped either way.
    if (m_state != dsEdit || !m_modified)
        return;
    const int record = m_editRecord;
    try {
        Post();
    } catch (const Exception &error) {
        HandleException(std::make_exception_ptr(
            EDatabaseError(QStringLiteral("The edit of record %1 was lost when its dataset was destroyed: %2")
                               .arg(record + 1)
                               .arg(error.Message()))));
    } catch (...) {
        HandleException(std::current_exception());
    }
    if (m_state == dsEdit)
        Cancel();
}

void TDataSet::Refresh()
{
    if (!Active())
        return;
    CheckBrowseMode();
    const int record = m_cursor;
    std::vector<const TField *> before;
    for (const std::unique_ptr<TField> &field : m_fields)
        before.push_back(field.get());
    auto closed = qScopeGuard([&] {
        m_cursor = -1;
        m_bof = m_eof = true;
        setState(dsInactive);
    });
    InternalClose();
    InternalOpen();
    closed.dismiss();
    const int count = InternalRecordCount();
    m_cursor = count == 0 ? -1 : std::clamp(record, 0, count - 1);
    m_bof = m_cursor <= 0;
    m_eof = m_cursor < 0 || m_cursor == count - 1;
    bool sameFields = before.size() == m_fields.size();
    for (size_t i = 0; sameFields && i < before.size(); ++i)
        sameFields = before[i] == m_fields[i].get();
    dataEvent(sameFields ? deDataSetChange : deLayoutChange);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    CheckBrowseMode();
    InternalClose();
    m_cursor = -1;
    m_bof = m_eof = true;
    setState(dsInactive);
}

TField *TDataSet::Fields(int Index) const
{
    if (Index < 0 || Index >= FieldCount())
        ListIndexError(Index);
    return m_fields[size_t(Index)].get();
}

TField *TDataSet::FindField(const QString &Name) const
{
    for (const auto &field : m_fields)
        if (field->FieldName().compare(Name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &Name) const
{
    TField *field = FindField(Name);
    if (!field)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(Name));
    return field;
}

void TDataSet::SetFieldDefs(const QList<TFieldDef> &Defs)
{
    std::vector<std::unique_ptr<TField>> fields;
    fields.reserve(size_t(Defs.size()));
    for (const TFieldDef &def : Defs) {
        auto kept = std::find_if(m_fields.begin(), m_fields.end(), [&](const std::unique_ptr<TField> &field) {
            return field && field->FieldName() == def.Name && field->DataType() == def.DataType;
        });
        if (kept != m_fields.end())
            fields.push_back(std::move(*kept));
        else
            fields.push_back(std::make_unique<TField>(this, def.Name, def.DataType));
    }
    m_fields = std::move(fields);
}

int TDataSet::RecordCount() const
{
    return Active() ? InternalRecordCount() : 0;
}

void TDataSet::moveTo(int Record)
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    CheckBrowseMode();
    const int count = InternalRecordCount();
    const int old = m_cursor;
    m_cursor = count == 0 ? -1 : std::clamp(Record, 0, count - 1);
    m_bof = count == 0 || Record < 0;
    m_eof = count == 0 || Record >= count;
    if (m_cursor != old)
        dataEvent(deDataSetScroll, nullptr, m_cursor - old);
}

void TDataSet::First()
{
    moveTo(0);
    m_bof = true;
}

void TDataSet::Last()
{
    moveTo(RecordCount() - 1);
    m_eof = true;
}

void TDataSet::Next()
{
    moveTo(m_cursor + 1);
}

void TDataSet::Prior()
{
    moveTo(m_cursor - 1);
}

int TDataSet::MoveBy(int Distance)
{
    const int old = m_cursor;
    moveTo(m_cursor + Distance);
    return m_cursor - old;
}

void TDataSet::Edit()
{
    if (m_state == dsEdit && m_editRecord == m_cursor)
        return;
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    if (m_cursor < 0)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const int record = m_cursor;
    CheckBrowseMode();
    m_cursor = record;
    m_editRecord = record;
    m_editValues.clear();
    for (int i = 0; i < FieldCount(); ++i)
        m_editValues.append(InternalGetValue(record, i));
    m_modified = false;
    setState(dsEdit);
}

void TDataSet::Post()
{
    if (m_state != dsEdit)
        return;
    dataEvent(deUpdateRecord);
    if (m_modified)
        InternalPost(m_editRecord, m_editValues);
    m_editValues.clear();
    m_editRecord = -1;
    m_modified = false;
    setState(dsBrowse);
    dataEvent(deDataSetChange);
}

void TDataSet::Cancel()
{
    if (m_state != dsEdit)
        return;
    m_editValues.clear();
    m_editRecord = -1;
    m_modified = false;
    setState(dsBrowse);
    dataEvent(deDataSetChange);
}

void TDataSet::CheckBrowseMode()
{
    if (!Active())
        return;
    dataEvent(deCheckBrowseMode);
    Post();
}

QVariant TDataSet::fieldValue(const TField *Field) const
{
    if (!Active() || m_cursor < 0)
        return QVariant();
    const int index = Field->Index();
    if (m_state == dsEdit && m_cursor == m_editRecord)
        return m_editValues.value(index);
    return InternalGetValue(m_cursor, index);
}

void TDataSet::setFieldValue(TField *Field, const QVariant &Value)
{
    if (m_state != dsEdit || m_cursor != m_editRecord)
        throw EDatabaseError(QStringLiteral("Dataset not in edit mode"));
    if (Field->ReadOnly())
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(Field->DisplayLabel()));
    m_editValues[Field->Index()] = Value;
    m_modified = true;
    dataEvent(deFieldChange, Field);
}

void TDataSet::setState(TDataSetState Value)
{
    if (Value == m_state)
        return;
    m_state = Value;
    dataEvent(deUpdateState);
}

void TDataSet::dataEvent(TDataEvent Event, TField *Field, int Distance)
{
    // A receiver may detach links or sources while it is told; copies keep the walk valid.
    const QList<QPointer<TDataSource>> sources = m_sources;
    for (const QPointer<TDataSource> &source : sources) {
        if (!source || source->m_dataSet != this)
            continue;
        const QList<TDataLink *> links = source->m_links;
        for (TDataLink *link : links)
            if (source && source->m_links.contains(link))
                link->dataEvent(Event, Field, Distance);
    }
}

// ---------------------------------------------------------------------------------------------------
// TDataSource

TDataSource::TDataSource(QObject *AOwner)
    : TComponent(this, AOwner)
{ }

TDataSource::~TDataSource()
{
    detachLinks();
    if (m_dataSet)
        m_dataSet->m_sources.removeAll(this);
}

void TDataSource::BeforeDestruction()
{
    // Those that asked to hear of it let go first; the links still attached are told that the data is gone.
    TComponent::BeforeDestruction();
    SetDataSet(nullptr);
    detachLinks();
}

void TDataSource::detachLinks()
{
    const QList<TDataLink *> links = std::exchange(m_links, {});
    for (TDataLink *link : links) {
        link->m_dataSource = nullptr;
        link->updateActive(false);
    }
}

void TDataSource::SetDataSet(TDataSet *Value)
{
    if (Value == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->m_sources.removeAll(this);
    m_dataSet = Value;
    if (Value)
        Value->m_sources.append(this);
    const QList<TDataLink *> links = m_links;
    for (TDataLink *link : links)
        if (m_links.contains(link))
            link->reattach();
}

void TDataSource::Edit()
{
    if (m_autoEdit && m_dataSet && m_dataSet->Active())
        m_dataSet->Edit();
}

// ---------------------------------------------------------------------------------------------------
// TDataLink

TDataLink::TDataLink() = default;

TDataLink::~TDataLink()
{
    if (m_dataSource)
        m_dataSource->m_links.removeAll(this);
}

void TDataLink::SetDataSource(TDataSource *Value)
{
    if (Value == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->m_links.removeAll(this);
    m_dataSource = Value;
    if (Value)
        Value->m_links.append(this);
    reattach();
}

void TDataLink::reattach()
{
    // A change of dataset is a close of the old one and an open of the new one.
    updateActive(false);
    const TDataSet *dataSet = DataSet();
    updateActive(dataSet && dataSet->Active());
}

void TDataLink::updateActive(bool Active)
{
    if (Active == m_active)
        return;
    m_active = Active;
    m_firstRecord = 0;
    if (Active)
        fitWindow();
    ActiveChanged();
}

void TDataLink::fitWindow()
{
    const TDataSet *dataSet = DataSet();
    if (!m_active || !dataSet)
        return;
    const int cursor = dataSet->RecNo();
    if (cursor < m_firstRecord)
        m_firstRecord = cursor;
    else if (cursor >= m_firstRecord + m_bufferCount)
        m_firstRecord = cursor - m_bufferCount + 1;
    // Near the end the window shows as many records as it can rather than empty lines.
    m_firstRecord = std::max(0, std::min(m_firstRecord, dataSet->RecordCount() - m_bufferCount));
}

void TDataLink::SetBufferCount(int Value)
{
    m_bufferCount = std::max(1, Value);
    fitWindow();
}

int TDataLink::RecordCount() const
{
    const TDataSet *dataSet = DataSet();
    if (!m_active || !dataSet)
        return 0;
    return std::clamp(dataSet->RecordCount() - m_firstRecord, 0, m_bufferCount);
}

int TDataLink::ActiveRecord() const
{
    const TDataSet *dataSet = DataSet();
    if (!m_active || !dataSet || dataSet->RecNo() < 0)
        return 0;
    return dataSet->RecNo() - m_firstRecord;
}

void TDataLink::SetActiveRecord(int Value)
{
    if (!m_active)
        return;
    if (Value < 0 || Value >= RecordCount())
        throw EDatabaseError(QStringLiteral("Record %1 of the window is not buffered").arg(Value));
    DataSet()->setCursorQuietly(m_firstRecord + Value);
}

void TDataLink::Edit()
{
    if (m_dataSource)
        m_dataSource->Edit();
}

void TDataLink::dataEvent(int Event, TField *Field, int Distance)
{
    switch (Event) {
    case TDataSet::deFieldChange:
        RecordChanged(Field);
        break;
    case TDataSet::deDataSetChange:
        fitWindow();
        DataSetChanged();
        break;
    case TDataSet::deDataSetScroll:
        fitWindow();
        DataSetScrolled(Distance);
        break;
    case TDataSet::deLayoutChange:
        LayoutChanged();
        break;
    case TDataSet::deUpdateRecord:
        UpdateData();
        break;
    case TDataSet::deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case TDataSet::deUpdateState: {
        const TDataSet *dataSet = DataSet();
        const bool active = dataSet && dataSet->Active();
        if (active != m_active)
            updateActive(active);
        else
            EditingChanged();
        break;
    }
    default:
        break;
    }
}

} // namespace QXPlatform
