#include "QXPropertyPresets.h"

#include "Component.h"
#include "Cursors.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "Graphics.h"
#include "ListViews.h"
#include "QXCustomItemsDialog.h"
#include "QXCustomObjectInspector.h"
#include "QXInspectorObjects.h"
#include "QXTCollectionEditor.h"
#include "QXTDateEditor.h"
#include "QXTStringsEditor.h"
#include "StringList.h"
#include "TypeInfo.h"
#include "ValueAdapters.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImageReader>
#include <QScreen>
#include <memory>

using namespace QXPlatform;

QString DateMaskFormat = QStringLiteral("90/00/0000");
QString TimeMaskFormat = QStringLiteral("90:00:00 >LL");

namespace {

QString defaultName(TQXPresetDefaultType Type)
{
    return QString::fromLatin1(PresetDefaultTypeNames[Type]);
}

TQXItemProperty *senderRow(QObject *Sender)
{
    return qobject_cast<TQXItemProperty *>(Sender);
}

/// A row held across a modal dialog, during which queued rescans may build the rows again: afterwards
/// the row of the same path takes the answer, and when there is none, the answer is reported, not lost.
class RowAcrossDialog
{
public:
    explicit RowAcrossDialog(TQXItemProperty *Row)
        : m_row(Row)
        , m_inspector(Row->GetEditor())
        , m_path(Row->GetFullPathName())
    { }
    TQXItemProperty *operator->() const { return row(); }
    TQXItemProperty *row() const
    {
        if (m_row)
            return m_row.data();
        if (TQXItemProperty *row
            = m_inspector ? m_inspector->GetItems()->FindItemByFullPathName(m_path) : nullptr)
            return row;
        throw EInvalidOperation(QStringLiteral("The property %1 is no longer shown").arg(m_path));
    }

private:
    QPointer<TQXItemProperty> m_row;
    QPointer<TQXCustomObjectInspector> m_inspector;
    QString m_path;
};

[[noreturn]] void raiseNotA(const QObject *Value, const char *ClassName)
{
    throw EInvalidCast(
        QStringLiteral("Invalid class typecast: %1 is not a %2")
            .arg(Value ? ClassNameOf(Value) : QStringLiteral("nil"), QLatin1String(ClassName)));
}

/// The date and time a row's real value stands for: a QDate, QTime or QDateTime, or days as a float.
QDateTime dateTimeOf(const QVariant &Value)
{
    switch (Value.metaType().id()) {
    case QMetaType::QDateTime:
        return Value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(Value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), Value.toTime());
    default:
        return FloatToDateTime(Value.toDouble());
    }
}

/// The row's real value on the value line of the current cell.
QVariant currentRealValue(TQXItemProperty *Item, TQXCustomObjectInspector *Inspector)
{
    const int line = Inspector ? qMax(0, Inspector->GetGridCount(gcCurValuePos) - 1) : 0;
    return Item->RealValues(line);
}

/// Shows Editor on the date of Item; true when the user chose a day.
bool chooseDate(TfrmDateEditor *Editor, TQXItemProperty *Item, TQXCustomObjectInspector *Inspector,
                const QPoint &TopLeft)
{
    Editor->SetDate(dateTimeOf(currentRealValue(Item, Inspector)));
    if (Inspector)
        Editor->move(TopLeft);
    return Editor->exec() == QDialog::Accepted;
}

bool isQColorProperty(const QObject *Instance, const QString &PropName)
{
    const TPropInfo info = GetPropInfo(Instance, PropName);
    return info && info.Property.metaType().id() == QMetaType::QColor;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// 1: component references

TQXTComponentPropertyPreset::TQXTComponentPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTComponentDD));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TComponent"));
    SetEditStyle(esPickList);
    OnGetPickList = PresetMethod(this, &TQXTComponentPropertyPreset::GetPickList);
    OnSetProperty = PresetMethod(this, &TQXTComponentPropertyPreset::SetComponent);
    Font()->SetColor(clMaroon);
}

QList<QObject *> TQXTComponentPropertyPreset::Candidates(const QMetaObject *AClass) const
{
    QList<QObject *> result;
    TQXCustomObjectInspector *inspector = GetInspector();
    QObject *owner = inspector ? inspector->Owner() : nullptr;
    if (!owner || !AClass)
        return result;
    // A component is found by its name, so unnamed objects and Qt's own parts ("qt_...") are left out.
    const QList<QObject *> held = owner->findChildren<QObject *>();
    for (QObject *object : held) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && IsComponent(object)
            && InheritsFrom(object->metaObject(), AClass))
            result.append(object);
    }
    return result;
}

void TQXTComponentPropertyPreset::GetPickList(QObject *Sender, const QString &PropName, TStrings *Values)
{
    TQXItemProperty *item = GetItemProperty(Sender, PropName);
    if (!item || !Values)
        return;
    const TUpdateLock lock(*Values);
    const QList<QObject *> candidates = Candidates(item->GetObjectPropertyClass());
    for (QObject *component : candidates)
        Values->Add(component->objectName());
    // The empty line clears the reference.
    if (Values->Count() == 0)
        Values->Add(QString());
}

void TQXTComponentPropertyPreset::SetComponent(QObject *Sender, QObject *Instance, const QString &PropName,
                                               const QString &Value)
{
    if (!Instance)
        return;
    const QString name = Value.trimmed();
    QObject *component = nullptr;
    if (!name.isEmpty()) {
        const QMetaObject *propertyClass = GetObjectPropClass(Instance, PropName);
        const QList<QObject *> candidates = Candidates(propertyClass);
        for (QObject *candidate : candidates) {
            if (candidate->objectName().compare(name, Qt::CaseInsensitive) == 0) {
                component = candidate;
                break;
            }
        }
        // A name that stands for nothing must not clear the reference as if it had been emptied.
        if (!component)
            throw EPropertyConvertError(
                QStringLiteral("There is no %1 named %2")
                    .arg(propertyClass ? ClassNameOf(propertyClass) : QStringLiteral("component"), name));
    }
    SetObjectProp(Instance, PropName, component);
    // The rows below the reference are those of the component it now holds.
    if (TQXItemProperty *item = senderRow(Sender))
        if (TQXCustomObjectInspector *inspector = item->GetEditor())
            inspector->InvalidateScan();
}

// ---------------------------------------------------------------------------------------------------
// 2: sub-properties of component references

TQXTParentComponentPropertyPreset::TQXTParentComponentPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTParentComponent));
    SetActions(pftFont);
    SetParentTypeKinds(tkClass);
    ParentTypeNames()->Add(QStringLiteral("TComponent"));
    Font()->SetColor(clGreen);
}

// ---------------------------------------------------------------------------------------------------
// 3: font names

TQXTFontNamePropertyPreset::TQXTFontNamePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTFontNameDD));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds({ tkString, tkLString, tkWString });
    TypeNames()->Add(QStringLiteral("TFontName"));
    SetEditStyle(esPickList);
    OnGetPickList = PresetMethod(this, &TQXTFontNamePropertyPreset::GetPickList);
}

void TQXTFontNamePropertyPreset::GetPickList(QObject *Sender, const QString &PropName, TStrings *Values)
{
    if (!GetItemProperty(Sender, PropName) || !Values)
        return;
    const TUpdateLock lock(*Values);
    Values->Clear();
    Values->AddStrings(QFontDatabase::families());
}

// ---------------------------------------------------------------------------------------------------
// 4: colours

TQXTColorPropertyPreset::TQXTColorPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTColorDD));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkInteger);
    TypeNames()->Add(QStringLiteral("TColor"));
    SetEditStyle(esPickList);
    OnGetPickList = PresetMethod(this, &TQXTColorPropertyPreset::GetPickList);
    OnGetProperty = PresetMethod(this, &TQXTColorPropertyPreset::GetColorProperty);
    OnSetProperty = PresetMethod(this, &TQXTColorPropertyPreset::SetColorProperty);
}

void TQXTColorPropertyPreset::GetPickList(QObject *, const QString &, TStrings *Values)
{
    if (!Values)
        return;
    const TUpdateLock lock(*Values);
    GetColorValues([Values](const QString &ident) { Values->Add(ident); });
}

void TQXTColorPropertyPreset::GetColorProperty(QObject *, QObject *Instance, const QString &PropName,
                                               QString &Value)
{
    if (!Instance)
        return;
    // A TColor has no alpha: a partly transparent QColor keeps it by showing as #aarrggbb.
    if (isQColorProperty(Instance, PropName)) {
        const QColor color = GetVariantProp(Instance, PropName).value<QColor>();
        if (color.isValid() && color.alpha() != 0 && color.alpha() != 255) {
            Value = color.name(QColor::HexArgb);
            return;
        }
    }
    Value = ColorToString(TColor(GetOrdProp(Instance, PropName)));
}

void TQXTColorPropertyPreset::SetColorProperty(QObject *, QObject *Instance, const QString &PropName,
                                               const QString &Value)
{
    if (!Instance)
        return;
    const QString text = Value.trimmed();
    if (text.startsWith(QLatin1Char('#'))) {
        const QColor color(text);
        if (!color.isValid())
            throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(Value));
        if (isQColorProperty(Instance, PropName))
            SetVariantProp(Instance, PropName, QVariant::fromValue(color));
        else
            SetOrdProp(Instance, PropName, QColorToColor(color));
        return;
    }
    SetOrdProp(Instance, PropName, StringToColor(text));
}

// ---------------------------------------------------------------------------------------------------
// 5: cursors

TQXTCursorPropertyPreset::TQXTCursorPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTCursorDD));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkInteger);
    TypeNames()->Add(QStringLiteral("TCursor"));
    SetEditStyle(esPickList);
    OnGetPickList = PresetMethod(this, &TQXTCursorPropertyPreset::GetPickList);
    OnGetProperty = PresetMethod(this, &TQXTCursorPropertyPreset::GetCursorProperty);
    OnSetProperty = PresetMethod(this, &TQXTCursorPropertyPreset::SetCursorProperty);
}

void TQXTCursorPropertyPreset::GetPickList(QObject *, const QString &, TStrings *Values)
{
    if (!Values)
        return;
    const TUpdateLock lock(*Values);
    GetCursorValues([Values](const QString &ident) { Values->Add(ident); });
}

void TQXTCursorPropertyPreset::GetCursorProperty(QObject *, QObject *Instance, const QString &PropName,
                                                 QString &Value)
{
    if (Instance)
        Value = CursorToString(TCursor(GetOrdProp(Instance, PropName)));
}

void TQXTCursorPropertyPreset::SetCursorProperty(QObject *, QObject *Instance, const QString &PropName,
                                                 const QString &Value)
{
    if (Instance)
        SetOrdProp(Instance, PropName, StringToCursor(Value));
}

// ---------------------------------------------------------------------------------------------------
// 6: fonts

TQXTFontDlgPropertyPreset::TQXTFontDlgPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTFontDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TFont"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTFontDlgPropertyPreset::EditButtonClick);
}

void TQXTFontDlgPropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    // A TFont property holds a TFont; a QFont property opens through its value adapter.
    QObject *value = item->GetObjectProperty(-1);
    auto *font = qobject_cast<TFont *>(value);
    auto *adapter = qobject_cast<TFontAdapter *>(value);
    if (!font && !adapter)
        raiseNotA(value, "TFont");
    QFontDialog dialog(font ? font->ToQFont() : adapter->Read().value<QFont>());
    const RowAcrossDialog row(item);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The font object is read again: the rows, and the adapters they hold, may be new.
    value = row->GetObjectProperty(-1);
    font = qobject_cast<TFont *>(value);
    if (!font) {
        row->SetVariantProperty(QVariant::fromValue(dialog.selectedFont()), -1);
        return;
    }
    TFont *chosen = Create<TFont>();
    const TScopeExit freeChosen([chosen] { Free(chosen); });
    chosen->Assign(font); // keeps the colour, which the dialog does not show
    chosen->SetQFont(dialog.selectedFont());
    row->SetObjectProperty(chosen, -1);
}

// ---------------------------------------------------------------------------------------------------
// 7: string lists

TQXTStringsPropertyPreset::TQXTStringsPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTStringsDlg));
    SetActions(TQXPropertyPresetTypes(pftHint) | pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TStrings"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTStringsPropertyPreset::EditButtonClick);
}

void TQXTStringsPropertyPreset::SetStringsViews(TStringsViews Value)
{
    if (Value == m_stringsViews)
        return;
    m_stringsViews = Value;
    Changed(false);
}

void TQXTStringsPropertyPreset::CopyPreset(TQXItemProperty *Item)
{
    TQXPropertyPreset::CopyPreset(Item);
    if (!Actions().testFlag(pftHint) || !Hint().isEmpty() || !Item->IsRealProperty())
        return;
    // With several objects the lists may differ, and one object's lines would mislead.
    TQXCustomObjectInspector *inspector = GetInspector();
    if (inspector && inspector->Objects()->Count() != 1)
        return;
    auto *lines = qobject_cast<TStrings *>(Item->GetObjectProperty(-1));
    if (!lines)
        return;
    constexpr int shownLines = 4;
    QString hint;
    if (lines->Count() > shownLines) {
        for (int i = 0; i < shownLines; ++i)
            hint += lines->Strings(i) + sLineBreak;
        hint += QLatin1String("...");
    } else {
        hint = lines->Text();
    }
    qsizetype end = hint.size();
    while (end > 0 && hint.at(end - 1) <= QLatin1Char(' '))
        --end;
    hint.truncate(end);
    Item->SetHint(hint);
}

void TQXTStringsPropertyPreset::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXTStringsPropertyPreset *>(Source))
        m_stringsViews = source->m_stringsViews;
    TQXPropertyPreset::Assign(Source);
}

void TQXTStringsPropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    QObject *value = item->GetObjectProperty(-1);
    auto *lines = qobject_cast<TStrings *>(value);
    if (!lines)
        raiseNotA(value, "TStrings");
    TfrmQXStringsEditor editor;
    editor.SetLines(lines);
    editor.SetINIView(m_stringsViews.testFlag(svINI));
    editor.SetMemoView(m_stringsViews.testFlag(svNormal));
    const bool adapted = qobject_cast<TStringListAdapter *>(lines);
    const RowAcrossDialog row(item);
    if (editor.exec() != QDialog::Accepted)
        return;
    // A QStringList property takes the lines as a value; a string-list property copies them from a list.
    if (adapted) {
        row->SetVariantProperty(QVariant(editor.Lines()), -1);
    } else {
        TStringList *edited = Create<TStringList>();
        const TScopeExit freeEdited([edited] { Free(edited); });
        edited->AddStrings(editor.Lines());
        row->SetObjectProperty(edited, -1);
    }
    if (TQXCustomObjectInspector *inspector = row->GetEditor())
        inspector->InvalidateScan();
}

// ---------------------------------------------------------------------------------------------------
// 8: pictures

TQXTPicturePropertyPreset::TQXTPicturePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTPictureDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TPicture"));
    TypeNames()->Add(QStringLiteral("TBitmap"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTPicturePropertyPreset::EditButtonClick);
}

QString TQXTPicturePropertyPreset::ImageFilter()
{
    QStringList patterns;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QByteArray &format : formats)
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    return QStringLiteral("Images (%1);;All files (*)").arg(patterns.join(QLatin1Char(' ')));
}

void TQXTPicturePropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    QFileDialog dialog(nullptr, QString(), QString(), ImageFilter());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The picture loads in place (a QPixmap or QIcon property writes itself back through its adapter);
    // the row's property keeps holding the same object, so nothing else is written.
    if (auto *picture = qobject_cast<TPicture *>(item->GetObjectProperty(-1)))
        picture->LoadFromFile(dialog.selectedFiles().constFirst());
}

// ---------------------------------------------------------------------------------------------------
// 9: collections

TQXTCollectionPropertyPreset::TQXTCollectionPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTCollectionDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TCollection"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTCollectionPropertyPreset::EditButtonClick);
}

void TQXTCollectionPropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    QObject *value = item->GetObjectProperty(-1);
    auto *collection = qobject_cast<TCollection *>(value);
    if (!collection)
        raiseNotA(value, "TCollection");
    TQXCustomObjectInspector *inspector = GetInspector();
    QString name = item->GetFullPathName();
    if (inspector && inspector->GetComponent())
        name = inspector->GetComponent()->objectName() + inspector->PathDelimiter() + name;
    ShowCollectionEditor(inspector, collection, name, true);
}

// ---------------------------------------------------------------------------------------------------
// 10 to 12: dates and times

TQXTDatePropertyPreset::TQXTDatePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTDateDlg));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftEditMask | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkFloat);
    TypeNames()->Add(QStringLiteral("TDate"));
    SetEditStyle(esEllipsis);
    SetEditMask(QLatin1Char('!') + DateMaskFormat + QLatin1String(";1;_"));
    OnEditButtonClick = PresetMethod(this, &TQXTDatePropertyPreset::EditButtonClick);
    OnGetProperty = PresetMethod(this, &TQXTDatePropertyPreset::GetDateProperty);
    OnSetProperty = PresetMethod(this, &TQXTDatePropertyPreset::SetDateProperty);
}

TQXTDatePropertyPreset::~TQXTDatePropertyPreset()
{
    delete m_editor.data();
}

TfrmDateEditor *TQXTDatePropertyPreset::CreateEditor()
{
    return new TfrmDateEditor(GetInspector());
}

void TQXTDatePropertyPreset::GetDateProperty(QObject *, QObject *Instance, const QString &PropName,
                                             QString &Value)
{
    if (Instance)
        Value = DateToStr(FloatToDateTime(GetFloatProp(Instance, PropName)).date());
}

void TQXTDatePropertyPreset::SetDateProperty(QObject *, QObject *Instance, const QString &PropName,
                                             const QString &Value)
{
    if (Instance)
        SetFloatProp(Instance, PropName, DateTimeToFloat(QDateTime(StrToDate(Value), QTime(0, 0))));
}

void TQXTDatePropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    if (!m_editor)
        m_editor = CreateEditor();
    const RowAcrossDialog row(item);
    if (!chooseDate(m_editor, item, GetInspector(), QCursor::pos()))
        return;
    row->SetValue(DateToStr(m_editor->Date().date()));
    row->Validate();
}

TQXTTimePropertyPreset::TQXTTimePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTTimeDlg));
    SetActions(TQXPropertyPresetTypes(pftEditMask) | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkFloat);
    TypeNames()->Add(QStringLiteral("TTime"));
    SetEditMask(QLatin1Char('!') + TimeMaskFormat + QLatin1String(";1;_"));
    OnGetProperty = PresetMethod(this, &TQXTTimePropertyPreset::GetTimeProperty);
    OnSetProperty = PresetMethod(this, &TQXTTimePropertyPreset::SetTimeProperty);
}

void TQXTTimePropertyPreset::GetTimeProperty(QObject *, QObject *Instance, const QString &PropName,
                                             QString &Value)
{
    if (Instance)
        Value = TimeToStr(FloatToDateTime(GetFloatProp(Instance, PropName)).time());
}

void TQXTTimePropertyPreset::SetTimeProperty(QObject *, QObject *Instance, const QString &PropName,
                                             const QString &Value)
{
    // A time alone is the fraction of a day: its date is day 0.
    if (Instance)
        SetFloatProp(Instance, PropName, DateTimeToFloat(QDateTime(QDate(1899, 12, 30), StrToTime(Value))));
}

TQXTDateTimePropertyPreset::TQXTDateTimePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTDateTimeDlg));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftEditMask | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkFloat);
    TypeNames()->Add(QStringLiteral("TDateTime"));
    SetEditStyle(esEllipsis);
    SetEditMask(QLatin1Char('!') + DateMaskFormat + QLatin1Char(' ') + TimeMaskFormat
                + QLatin1String(";1;_"));
    OnEditButtonClick = PresetMethod(this, &TQXTDateTimePropertyPreset::EditButtonClick);
    OnGetProperty = PresetMethod(this, &TQXTDateTimePropertyPreset::GetDateTimeProperty);
    OnSetProperty = PresetMethod(this, &TQXTDateTimePropertyPreset::SetDateTimeProperty);
}

TQXTDateTimePropertyPreset::~TQXTDateTimePropertyPreset()
{
    delete m_editor.data();
}

TfrmDateEditor *TQXTDateTimePropertyPreset::CreateEditor()
{
    return new TfrmDateEditor(GetInspector());
}

void TQXTDateTimePropertyPreset::GetDateTimeProperty(QObject *, QObject *Instance, const QString &PropName,
                                                     QString &Value)
{
    if (Instance)
        Value = DateTimeToStr(FloatToDateTime(GetFloatProp(Instance, PropName)));
}

void TQXTDateTimePropertyPreset::SetDateTimeProperty(QObject *, QObject *Instance, const QString &PropName,
                                                     const QString &Value)
{
    if (Instance)
        SetFloatProp(Instance, PropName, DateTimeToFloat(StrToDateTime(Value)));
}

QPoint TQXTDateTimePropertyPreset::PlaceOnScreen(const QPoint &CursorPos, const QSize &Size,
                                                 const QRect &Available)
{
    // At the cursor, but never past the right or bottom edge; a dialog larger than the screen keeps its
    // top-left corner on it.
    const int left
        = qMax(Available.left(), qMin(CursorPos.x(), Available.left() + Available.width() - Size.width()));
    const int top
        = qMax(Available.top(), qMin(CursorPos.y(), Available.top() + Available.height() - Size.height()));
    return { left, top };
}

void TQXTDateTimePropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    if (!m_editor)
        m_editor = CreateEditor();
    TQXCustomObjectInspector *inspector = GetInspector();
    const QPoint cursor = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(cursor, m_editor->size());
    const QDateTime before = dateTimeOf(currentRealValue(item, inspector));
    const RowAcrossDialog row(item);
    if (!chooseDate(m_editor, item, inspector, PlaceOnScreen(cursor, m_editor->size(), available)))
        return;
    // Only the day changes: the time of day stays.
    row->SetValue(DateTimeToStr(QDateTime(m_editor->Date().date(), before.time())));
    row->Validate();
}

// ---------------------------------------------------------------------------------------------------
// 13: file names

TQXTFilenamePropertyPreset::TQXTFilenamePropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTFilenameDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkLString);
    TypeNames()->Add(QStringLiteral("TFilename"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTFilenamePropertyPreset::EditButtonClick);
}

void TQXTFilenamePropertyPreset::SetDefaultExt(const QString &Value)
{
    if (Value == m_defaultExt)
        return;
    m_defaultExt = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetFilter(const QString &Value)
{
    if (Value == m_filter)
        return;
    m_filter = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetFilterIndex(int Value)
{
    if (Value == m_filterIndex)
        return;
    m_filterIndex = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetInitialDir(const QString &Value)
{
    QString dir = Value;
    const auto isDelimiter = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
    // A root ("/", "C:\") keeps its delimiter: without it, it would name another place.
    if (dir.size() > 1 && isDelimiter(dir.back()) && dir.at(dir.size() - 2) != QLatin1Char(':'))
        dir.chop(1);
    if (dir == m_initialDir)
        return;
    m_initialDir = dir;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetOptions(QFileDialog::Options Value)
{
    if (Value == m_options)
        return;
    m_options = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetTitle(const QString &Value)
{
    if (Value == m_title)
        return;
    m_title = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetAcceptMode(QFileDialog::AcceptMode Value)
{
    if (Value == m_acceptMode)
        return;
    m_acceptMode = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::SetFileMode(QFileDialog::FileMode Value)
{
    if (Value == m_fileMode)
        return;
    m_fileMode = Value;
    Changed(false);
}

void TQXTFilenamePropertyPreset::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXTFilenamePropertyPreset *>(Source)) {
        m_defaultExt = source->m_defaultExt;
        m_filter = source->m_filter;
        m_filterIndex = source->m_filterIndex;
        m_initialDir = source->m_initialDir;
        m_options = source->m_options;
        m_title = source->m_title;
        m_acceptMode = source->m_acceptMode;
        m_fileMode = source->m_fileMode;
    }
    TQXPropertyPreset::Assign(Source);
}

QFileDialog *TQXTFilenamePropertyPreset::CreateDialog(const QString &FileName) const
{
    auto *dialog = new QFileDialog(nullptr, m_title, m_initialDir, m_filter);
    dialog->setOptions(m_options);
    dialog->setAcceptMode(m_acceptMode);
    // Only a single file name fits the row.
    const bool anyName = m_acceptMode == QFileDialog::AcceptSave || m_fileMode == QFileDialog::AnyFile;
    dialog->setFileMode(anyName ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(m_defaultExt);
    const QStringList filters = dialog->nameFilters();
    if (m_filterIndex >= 1 && m_filterIndex <= filters.size())
        dialog->selectNameFilter(filters.at(m_filterIndex - 1));
    if (!FileName.isEmpty())
        dialog->selectFile(FileName);
    return dialog;
}

void TQXTFilenamePropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    const std::unique_ptr<QFileDialog> dialog(CreateDialog(item->GetValue()));
    const RowAcrossDialog row(item);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    row->SetValue(dialog->selectedFiles().constFirst());
    row->Validate();
}

// ---------------------------------------------------------------------------------------------------
// 14: modal results

TQXTModalResultPropertyPreset::TQXTModalResultPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTModalResultDD));
    SetActions(TQXPropertyPresetTypes(pftEditStyle) | pftValidate);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkInteger);
    TypeNames()->Add(QStringLiteral("TModalResult"));
    // Line n names the result n.
    PickList()->AddStrings(
        QStringList { QStringLiteral("mrNone"), QStringLiteral("mrOk"), QStringLiteral("mrCancel"),
                      QStringLiteral("mrAbort"), QStringLiteral("mrRetry"), QStringLiteral("mrIgnore"),
                      QStringLiteral("mrYes"), QStringLiteral("mrNo"), QStringLiteral("mrAll"),
                      QStringLiteral("mrNoToAll"), QStringLiteral("mrYesToAll") });
    SetEditStyle(esPickList);
    OnGetProperty = PresetMethod(this, &TQXTModalResultPropertyPreset::GetResultProperty);
    OnSetProperty = PresetMethod(this, &TQXTModalResultPropertyPreset::SetResultProperty);
}

void TQXTModalResultPropertyPreset::GetResultProperty(QObject *, QObject *Instance, const QString &PropName,
                                                      QString &Value)
{
    if (!Instance)
        return;
    const qint64 result = GetOrdProp(Instance, PropName);
    // An application's own results lie outside the named ones: they show as numbers.
    Value = result >= 0 && result < PickList()->Count() ? PickList()->Strings(int(result))
                                                        : QString::number(result);
}

void TQXTModalResultPropertyPreset::SetResultProperty(QObject *, QObject *Instance, const QString &PropName,
                                                      const QString &Value)
{
    if (!Instance)
        return;
    const QString text = Value.trimmed();
    for (int i = 0; i < PickList()->Count(); ++i) {
        if (PickList()->Strings(i).compare(text, Qt::CaseInsensitive) == 0) {
            SetOrdProp(Instance, PropName, i);
            return;
        }
    }
    bool isNumber = false;
    const int number = text.toInt(&isNumber, 10);
    if (isNumber)
        SetOrdProp(Instance, PropName, number);
    // Any other text is no result: the property keeps its value.
}

// ---------------------------------------------------------------------------------------------------
// 15: strings of value-list and item-list editors

TQXTINIStringsPropertyPreset::TQXTINIStringsPropertyPreset(TCollection *Collection)
    : TQXTStringsPropertyPreset(Collection)
{
    SetStringsViews(svINI);
    SetName(defaultName(pdTINIStringsDlg));
    SetMatchTypes(TQXPresetMatchTypes(mtPropertyName) | mtPropertyType | mtClassName);
    PropNames()->Add(QStringLiteral("Strings"));
    TypeNames()->Add(QStringLiteral("TStrings"));
    ParentClassNames()->Add(QStringLiteral("TValueListEditor"));
    ParentClassNames()->Add(QStringLiteral("TQXCustomItemListEditor"));
}

// ---------------------------------------------------------------------------------------------------
// 16, 17: list items and tree nodes

TQXTListItemsDlgPropertyPreset::TQXTListItemsDlgPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTListItemsDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TListItems"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTListItemsDlgPropertyPreset::EditButtonClick);
}

void TQXTListItemsDlgPropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    QObject *value = item->GetObjectProperty(-1);
    auto *items = qobject_cast<TListItems *>(value);
    if (!items)
        raiseNotA(value, "TListItems");
    // The dialog writes its changes to the view itself (Apply, OK).
    TfrmTListItemsDlg dialog;
    dialog.Copy(items->View());
    dialog.exec();
}

TQXTTreeNodesDlgPropertyPreset::TQXTTreeNodesDlgPropertyPreset(TCollection *Collection)
    : TQXPropertyPreset(Collection)
{
    SetName(defaultName(pdTTreeNodesDlg));
    SetActions(pftEditStyle);
    SetMatchTypes(mtPropertyType);
    SetTypeKinds(tkClass);
    TypeNames()->Add(QStringLiteral("TTreeNodes"));
    SetEditStyle(esEllipsis);
    OnEditButtonClick = PresetMethod(this, &TQXTTreeNodesDlgPropertyPreset::EditButtonClick);
}

void TQXTTreeNodesDlgPropertyPreset::EditButtonClick(QObject *Sender)
{
    TQXItemProperty *item = senderRow(Sender);
    if (!item)
        return;
    QObject *value = item->GetObjectProperty(-1);
    auto *nodes = qobject_cast<TTreeNodes *>(value);
    if (!nodes)
        raiseNotA(value, "TTreeNodes");
    // The dialog writes its changes to the view itself (Apply, OK).
    TfrmTTreeNodesDlg dialog;
    dialog.Copy(nodes->View());
    dialog.exec();
}

// ---------------------------------------------------------------------------------------------------
// 18: string properties named FileName

TQXFilenamePropPropertyPreset::TQXFilenamePropPropertyPreset(TCollection *Collection)
    : TQXTFilenamePropertyPreset(Collection)
{
    SetName(defaultName(pdFilenamePropNameDlg));
    TypeNames()->Clear();
    SetMatchTypes(TQXPresetMatchTypes(mtPropertyName) | mtPropertyType);
    SetTypeKinds(tkLString);
    PropNames()->Add(QStringLiteral("filename"));
}

// ---------------------------------------------------------------------------------------------------
// Registration

namespace {

// Registered while the library is loaded, so that every inspector made meanwhile starts with them.
const QMetaObject *const builtInClasses[] = {
    &TQXTComponentPropertyPreset::staticMetaObject,
    &TQXTFilenamePropertyPreset::staticMetaObject,
    &TQXTFontNamePropertyPreset::staticMetaObject,
    &TQXTFontDlgPropertyPreset::staticMetaObject,
    &TQXTColorPropertyPreset::staticMetaObject,
    &TQXTCursorPropertyPreset::staticMetaObject,
    &TQXTStringsPropertyPreset::staticMetaObject,
    &TQXTCollectionPropertyPreset::staticMetaObject,
    &TQXTPicturePropertyPreset::staticMetaObject,
    &TQXTDatePropertyPreset::staticMetaObject,
    &TQXTTimePropertyPreset::staticMetaObject,
    &TQXTDateTimePropertyPreset::staticMetaObject,
    &TQXTModalResultPropertyPreset::staticMetaObject,
    &TQXTINIStringsPropertyPreset::staticMetaObject,
    &TQXTListItemsDlgPropertyPreset::staticMetaObject,
    &TQXTTreeNodesDlgPropertyPreset::staticMetaObject,
    &TQXTParentComponentPropertyPreset::staticMetaObject,
    &TQXFilenamePropPropertyPreset::staticMetaObject,
};
static_assert(std::size(builtInClasses) == BuiltInPresetCount);

struct BuiltInPresets
{
    BuiltInPresets()
    {
        for (const QMetaObject *presetClass : builtInClasses)
            RegisterPreset(presetClass);
    }
    ~BuiltInPresets()
    {
        for (const QMetaObject *presetClass : builtInClasses)
            UnregisterPreset(presetClass);
    }
    Q_DISABLE_COPY_MOVE(BuiltInPresets)
};

const BuiltInPresets builtInPresets;

} // namespace
