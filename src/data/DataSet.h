/// \file
/// The dataset layer: a dataset (TDataSet) holds records and a cursor, and describes its columns as fields
/// (TField); data sources (TDataSource) connect it to data links (TDataLink), through which controls follow
/// it. A concrete dataset supplies the records (TQXSqlDataSet reads them through Qt SQL).
///
/// Each link sees a window of BufferCount records that always contains the cursor; the link's record i is
/// the dataset's record FirstRecord + i. Every change of the dataset reaches its links as a data event:
/// opening and closing (ActiveChanged), the field list (LayoutChanged), a move of the cursor
/// (DataSetScrolled), the records (DataSetChanged), one record's fields (RecordChanged), the edit state
/// (EditingChanged), and the moment before a post (UpdateData).
#pragma once

#include "Component.h"
#include "Exceptions.h"
#include "QXDataGlobal.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <memory>
#include <vector>

namespace QXPlatform {

class TDataLink;
class TDataSet;
class TDataSource;

/// The kinds of field. The numbering is fixed (stored settings and filters by kind rely on it).
enum TFieldType {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftFmtMemo = 18,
    ftParadoxOle = 19,
    ftDBaseOle = 20,
    ftTypedBinary = 21,
    ftCursor = 22,
    ftFixedChar = 23,
    ftWideString = 24,
    ftLargeint = 25,
    ftADT = 26,
    ftArray = 27,
    ftReference = 28,
    ftDataSet = 29,
    ftOraBlob = 30,
    ftOraClob = 31,
    ftVariant = 32,
    ftInterface = 33,
    ftIDispatch = 34,
    ftGuid = 35,
    ftTimeStamp = 36,
    ftFMTBcd = 37,
};
/// The number of field types; a new type goes last, with its row in the field type table.
constexpr int FieldTypeCount = ftFMTBcd + 1;

/// The state of a dataset: closed, open for browsing, or editing its current record.
enum TDataSetState { dsInactive, dsBrowse, dsEdit };

/// What datasets raise: a refused operation, a failed read or write (with the driver's message).
class QXINSPECTORDATA_EXPORT EDatabaseError : public Exception
{
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EDatabaseError"); }
};

/// One column of a dataset. Its value is the value in the dataset's active record; its settings
/// (label, visibility, read-only state, mask, lookup) belong to the application and survive a reopen.
class QXINSPECTORDATA_EXPORT TField : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName)
    Q_PROPERTY(QString DisplayLabel READ DisplayLabel WRITE SetDisplayLabel)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(bool Lookup READ Lookup WRITE SetLookup)

public:
    /// A field of DataSet named FieldName, of type DataType; datasets make their fields (SetFieldDefs).
    TField(TDataSet *DataSet, const QString &FieldName, TFieldType DataType);
    ~TField() override;
    Q_DISABLE_COPY_MOVE(TField)

    /// The dataset the field is a column of.
    TDataSet *DataSet() const { return m_dataSet; }
    /// The column's name, as the dataset reports it.
    QString FieldName() const { return m_fieldName; }
    /// The column's type.
    TFieldType DataType() const { return m_dataType; }
    /// Position in the dataset's field list.
    int Index() const;

    // Settings; a change of one that a control shows is a layout change of the dataset.
    /// The caption controls show; the field name unless set.
    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel; }
    /// Sets the caption; an empty one gives the field name back.
    void SetDisplayLabel(const QString &Value);
    ///@{
    /// Whether controls show the field.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    ///@}
    ///@{
    /// Whether the field refuses values written through it.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value);
    ///@}
    ///@{
    /// The edit mask that controls apply to the field's text.
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &Value);
    ///@}
    ///@{
    /// The field takes its values from a list of choices (which the application supplies).
    bool Lookup() const { return m_lookup; }
    void SetLookup(bool Value);
    ///@}

    // The value in the active record
    /// The value in the active record (the edited value while the record is edited); null without a record.
    QVariant Value() const;
    /// Writes into the record being edited; EDatabaseError outside edit state or for a read-only field.
    void SetValue(const QVariant &Value);
    /// Whether the value is null.
    bool IsNull() const { return Value().isNull(); }
    /// The edit text: numbers, dates and times as FormatSettings writes them, empty for null.
    QString Text() const;
    /// Converts the text by the field's type (EConvertError when it does not convert) and writes it. An
    /// empty text is null, except in a text field.
    void SetText(const QString &Value);
    /// The text shown when not editing: the edit text, "(MEMO)" and "(BLOB)" for long text and binary data.
    QString DisplayText() const;

    // What a field type is (one row of a table per type)
    /// Long text, binary data and nested structures: values that do not fit a line.
    static bool IsBlobType(TFieldType Type);
    /// Whether an empty text is a value of the type (an empty string) rather than null.
    static bool IsTextType(TFieldType Type);
    /// Whether data-aware controls that give each field a line give one to a field of the type: every type
    /// but the blob types, of which the large objects (ftOraBlob, ftOraClob) are shown all the same.
    static bool IsShownType(TFieldType Type);
    /// The Qt type that values of the type are held in: qlonglong, double, bool, QDate, QTime, QDateTime,
    /// QByteArray for binary data, QString for the rest.
    static QMetaType QtTypeOf(TFieldType Type);

private:
    friend class TDataSet;
    void layoutChanged();

    TDataSet *m_dataSet; // the dataset owns its fields
    QString m_fieldName;
    QString m_displayLabel;
    QString m_editMask;
    TFieldType m_dataType;
    bool m_visible = true;
    bool m_readOnly = false;
    bool m_lookup = false;
};

/// A column as a concrete dataset describes it when it opens.
struct TFieldDef
{
    /// The column's name.
    QString Name;
    /// The column's type.
    TFieldType DataType = ftUnknown;
};

/// Records with a cursor. A descendant supplies the records (InternalOpen, InternalClose,
/// InternalRecordCount, InternalGetValue) and writes them (InternalPost); this class keeps the cursor, the
/// fields, the edit state and the links informed.
class QXINSPECTORDATA_EXPORT TDataSet : public QObject, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    /// A closed dataset without fields.
    explicit TDataSet(QObject *AOwner = nullptr);
    ~TDataSet() override;
    Q_DISABLE_COPY_MOVE(TDataSet)

    void BeforeDestruction() override;

    // Opening
    ///@{
    /// Whether the dataset is open; setting it opens or closes it.
    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool Value);
    ///@}
    /// Opens the dataset (InternalOpen) on its first record; nothing when it is open.
    void Open();
    /// Posts a pending edit first (and stays open when that fails).
    void Close();
    /// Reads the records again (as another client left them), posting a pending edit first; the cursor
    /// stays on the same position where the records allow. When reading fails the dataset is closed.
    void Refresh();
    /// Closed, browsing or editing.
    TDataSetState State() const { return m_state; }

    // Fields
    /// The number of fields.
    int FieldCount() const { return int(m_fields.size()); }
    /// The field at Index; EDatabaseError outside the list.
    TField *Fields(int Index) const;
    /// The field named Name (case-insensitive), or null.
    TField *FindField(const QString &Name) const;
    /// The field named Name; EDatabaseError "Field 'Name' not found".
    TField *FieldByName(const QString &Name) const;

    // The cursor
    /// The number of records; 0 while closed.
    int RecordCount() const;
    /// Whether there is no record.
    bool IsEmpty() const { return RecordCount() == 0; }
    /// The current record, from 0; -1 when there is none.
    int RecNo() const { return m_cursor; }
    /// Whether the last move tried to go before the first record, or was First (true after opening).
    bool Bof() const { return m_bof; }
    /// Whether the last move tried to go past the last record, or was Last; true without records.
    bool Eof() const { return m_eof; }
    /// Each move posts a pending edit first.
    void First();
    /// Moves to the last record.
    void Last();
    /// Moves to the next record.
    void Next();
    /// Moves to the previous record.
    void Prior();
    /// Moves Distance records (clipped to the records); returns how far the cursor went.
    int MoveBy(int Distance);

    // Editing
    /// Whether Edit may put the dataset into edit state.
    virtual bool CanModify() const { return Active(); }
    /// Starts editing the current record (a pending edit of another record is posted first).
    void Edit();
    /// Writes the record being edited; on failure the dataset stays in edit state with the edited values.
    void Post();
    /// Drops the edited values.
    void Cancel();
    /// Posts a pending edit, if any.
    void CheckBrowseMode();
    /// Whether a value of the record being edited was changed.
    bool Modified() const { return m_modified; }
    /// The record being edited; -1 outside edit state.
    int EditRecord() const { return m_state == dsEdit ? m_editRecord : -1; }

protected:
    /// Opens the records and describes the fields (SetFieldDefs); raises (EDatabaseError) when it cannot.
    virtual void InternalOpen() = 0;
    /// Lets the records go.
    virtual void InternalClose() = 0;
    /// The number of records of the open dataset.
    virtual int InternalRecordCount() const = 0;
    /// The value of field Field in record Record.
    virtual QVariant InternalGetValue(int Record, int Field) const = 0;
    /// Writes Values (one per field) into Record; raises (EDatabaseError) when nothing was written.
    virtual void InternalPost(int Record, const QList<QVariant> &Values) = 0;
    /// For destruction: posts a modified record as Close would, handing a failure (naming the record) to
    /// the application's exception handler; the edit is gone afterwards. BeforeDestruction calls it; a
    /// descendant calls it first thing in its destructor, for a dataset deleted without Free (by its Qt
    /// parent), while its InternalPost can still run.
    void PostOnTeardown() noexcept;
    /// For InternalOpen: makes the field list match Defs, keeping the field objects (and their settings)
    /// of names that stay with an unchanged type.
    void SetFieldDefs(const QList<TFieldDef> &Defs);

private:
    friend class TField;
    friend class TDataSource;
    friend class TDataLink;
    friend class TCursorKeeper;

    enum TDataEvent {
        deFieldChange,
        deDataSetChange,
        deDataSetScroll,
        deLayoutChange,
        deUpdateRecord,
        deUpdateState,
        deCheckBrowseMode,
    };
    void dataEvent(TDataEvent Event, TField *Field = nullptr, int Distance = 0);
    void setState(TDataSetState Value);
    void moveTo(int Record);
    /// Moves the cursor inside a link's window without telling anyone (the link's ActiveRecord).
    void setCursorQuietly(int Record) { m_cursor = Record; }
    QVariant fieldValue(const TField *Field) const;
    void setFieldValue(TField *Field, const QVariant &Value);

    std::vector<std::unique_ptr<TField>> m_fields;
    QList<QPointer<TDataSource>> m_sources;
    QList<QVariant> m_editValues;
    TDataSetState m_state = dsInactive;
    int m_cursor = -1;
    int m_editRecord = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
};

/// Puts a dataset's cursor back on the record it was on when the scope ends, without a notification. A
/// walk of one link's window (ActiveRecord) moves the cursor quietly; the record it was on may lie outside
/// that window when another link moved it there, so it is kept by record, not by window position.
class QXINSPECTORDATA_EXPORT TCursorKeeper
{
public:
    /// Remembers DataSet's current record.
    explicit TCursorKeeper(TDataSet *DataSet)
        : m_dataSet(DataSet)
        , m_record(DataSet ? DataSet->RecNo() : -1)
    { }
    ~TCursorKeeper();
    Q_DISABLE_COPY_MOVE(TCursorKeeper)

private:
    QPointer<TDataSet> m_dataSet;
    int m_record;
};

/// Connects one dataset to any number of data links.
class QXINSPECTORDATA_EXPORT TDataSource : public QObject, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool AutoEdit READ AutoEdit WRITE SetAutoEdit)

public:
    /// A data source without a dataset.
    explicit TDataSource(QObject *AOwner = nullptr);
    ~TDataSource() override;
    Q_DISABLE_COPY_MOVE(TDataSource)

    void BeforeDestruction() override;

    ///@{
    /// The dataset the links follow; setting it moves every link to the new one.
    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *Value);
    ///@}
    ///@{
    /// Whether Edit may start editing (true by default).
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool Value) { m_autoEdit = Value; }
    ///@}
    /// The dataset's state; dsInactive without a dataset.
    TDataSetState State() const { return m_dataSet ? m_dataSet->State() : dsInactive; }
    /// Starts editing the dataset's current record when AutoEdit allows it.
    void Edit();

private:
    friend class TDataSet;
    friend class TDataLink;
    void detachLinks();

    QPointer<TDataSet> m_dataSet;
    QList<TDataLink *> m_links; // each link removes itself when it goes
    bool m_autoEdit = true;
};

/// Follows a dataset through a data source. Descendants override the notifications they need.
class QXINSPECTORDATA_EXPORT TDataLink
{
public:
    TDataLink();
    virtual ~TDataLink();
    Q_DISABLE_COPY_MOVE(TDataLink)

    /// The data source is set and its dataset is open.
    bool Active() const { return m_active; }
    /// The data source's dataset, or null.
    TDataSet *DataSet() const { return m_dataSource ? m_dataSource->DataSet() : nullptr; }
    ///@{
    /// The data source the link follows.
    TDataSource *DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource *Value);
    ///@}
    ///@{
    /// How many records the link's window holds (at least 1).
    int BufferCount() const { return m_bufferCount; }
    void SetBufferCount(int Value);
    ///@}
    /// The records in the window: BufferCount, or fewer near the end of the dataset.
    int RecordCount() const;
    /// The dataset's record that the window's record 0 is.
    int FirstRecord() const { return m_firstRecord; }
    ///@{
    /// The window's record the dataset's fields read from; setting it moves the cursor inside the window
    /// without a notification (EDatabaseError outside the buffered records).
    int ActiveRecord() const;
    void SetActiveRecord(int Value);
    ///@}
    /// Asks the data source to start editing.
    void Edit();

protected:
    /// The dataset opened or closed (Active changed).
    virtual void ActiveChanged() { }
    /// The records changed as a whole (opened, refreshed, posted); the base reports a record change.
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    /// The cursor moved by Distance records; the base reports a data set change.
    virtual void DataSetScrolled(int Distance)
    {
        Q_UNUSED(Distance);
        DataSetChanged();
    }
    /// The fields or their settings changed; the base reports a data set change.
    virtual void LayoutChanged() { DataSetChanged(); }
    /// Field's value in the active record changed.
    virtual void RecordChanged(TField *Field) { Q_UNUSED(Field); }
    /// The dataset entered or left edit state.
    virtual void EditingChanged() { }
    /// The dataset is about to post: write what the control holds into the fields.
    virtual void UpdateData() { }
    /// The dataset is about to post a pending edit (CheckBrowseMode, before every move).
    virtual void CheckBrowseMode() { }
    /// Asks the control that shows Field to take the focus; the base does nothing.
    virtual void FocusControl(TField *Field) { Q_UNUSED(Field); }

private:
    friend class TDataSet;
    friend class TDataSource;
    void dataEvent(int Event, TField *Field, int Distance);
    /// Takes up the data source's current dataset: leaves the old one, then joins the new one.
    void reattach();
    void updateActive(bool Active);
    void fitWindow();

    QPointer<TDataSource> m_dataSource;
    int m_bufferCount = 1;
    int m_firstRecord = 0;
    bool m_active = false;
};

} // namespace QXPlatform
