// Type information of published properties: kinds and type names, property lists, typed and text access,
// set texts, conversion errors, declared and prototype defaults, stored flags.
#include "QXTestSupport.h"

#include <QXInspector/Events.h>
#include <QXInspector/Exceptions.h>
#include <QXInspector/FormatSettings.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/Persistent.h>
#include <QXInspector/TypeInfo.h>
#include <QXInspector/ValueAdapters.h>

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QSize>
#include <QTest>

using namespace QXPlatform;

// One published property of every kind the type information tells apart.
class TTypeSubject : public QObject, public TPersistent
{
    Q_OBJECT
    QX_TYPE_NAME(FileName, "TFileName")
    QX_TYPE_NAME(ColorValue, "TColor")
    QX_DEFAULT(IntValue, "7")
    QX_DEFAULT(BoolValue, "True")
    QX_DEFAULT(Choice, "chSecond")
    QX_DEFAULT(Options, "[opA,opC]")
    QX_DEFAULT(DoubleValue, "1.5")
    QX_DEFAULT(Caption, "")
    QX_DEFAULT(ColorValue, "clRed")
    Q_PROPERTY(int IntValue MEMBER m_int)
    Q_PROPERTY(char CharValue MEMBER m_char)
    Q_PROPERTY(QChar WideCharValue MEMBER m_wideChar)
    Q_PROPERTY(bool BoolValue MEMBER m_bool)
    Q_PROPERTY(TChoice Choice MEMBER m_choice)
    Q_PROPERTY(TOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(double DoubleValue MEMBER m_double)
    Q_PROPERTY(float SingleValue MEMBER m_single)
    Q_PROPERTY(QDate DateValue MEMBER m_date)
    Q_PROPERTY(QTime TimeValue MEMBER m_time)
    Q_PROPERTY(QDateTime DateTimeValue MEMBER m_dateTime)
    Q_PROPERTY(QString Caption MEMBER m_caption)
    Q_PROPERTY(QString FileName MEMBER m_fileName)
    Q_PROPERTY(QByteArray Bytes MEMBER m_bytes STORED false)
    Q_PROPERTY(qint64 BigValue MEMBER m_big)
    Q_PROPERTY(QVariant Anything MEMBER m_anything)
    Q_PROPERTY(QColor Colour MEMBER m_colour)
    Q_PROPERTY(int ColorValue MEMBER m_colorValue)
    Q_PROPERTY(QCursor Cursor MEMBER m_cursor)
    Q_PROPERTY(QFont Font MEMBER m_font)
    Q_PROPERTY(QStringList Lines MEMBER m_lines)
    Q_PROPERTY(QSize Extent MEMBER m_extent)
    Q_PROPERTY(QObject *Child MEMBER m_child)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(QList<int> Numbers MEMBER m_numbers)
    Q_PROPERTY(QPalette Palette MEMBER m_palette)
    Q_PROPERTY(int Hidden MEMBER m_hidden DESIGNABLE false)
public:
    enum TChoice { chUnset = -1, chFirst, chSecond, chThird };
    Q_ENUM(TChoice)
    enum TOption { opA = 1, opB = 2, opC = 4 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

    TTypeSubject() = default;
    Q_DISABLE_COPY_MOVE(TTypeSubject)

    TOptions Options() const { return m_options; }
    void SetOptions(TOptions Value) { m_options = Value; }
    // Accessors rather than MEMBER: moc's MEMBER read assigns from a non-const lvalue, which the event
    // type's callable-assignment template takes as a new handler wrapping the old one.
    TNotifyEvent OnChange() const { return m_onChange; }
    void SetOnChange(const TNotifyEvent &Value) { m_onChange = Value; }
    bool IsStoredProperty(const char *Name) const override { return qstrcmp(Name, "Caption") != 0; }

    int m_int = 7;
    char m_char = 'A';
    QChar m_wideChar = QLatin1Char('x');
    bool m_bool = true;
    TChoice m_choice = chSecond;
    TOptions m_options = TOptions(opA | opC);
    double m_double = 1.5;
    float m_single = 0.25f;
    QDate m_date = QDate(2000, 1, 1);
    QTime m_time = QTime(6, 0);
    QDateTime m_dateTime = QDateTime(QDate(2000, 1, 1), QTime(12, 0));
    QString m_caption;
    QString m_fileName;
    QByteArray m_bytes;
    qint64 m_big = 0;
    QVariant m_anything;
    QColor m_colour = Qt::red;
    int m_colorValue = clRed;
    QCursor m_cursor;
    QFont m_font;
    QStringList m_lines;
    QSize m_extent;
    QObject *m_child = nullptr;
    TNotifyEvent m_onChange;
    QList<int> m_numbers;
    QPalette m_palette;
    int m_hidden = 0;
};

// Inherits every property above, declares Caption again under another type name, and adds two of its
// own, one of them read-only.
class TDerivedSubject : public TTypeSubject
{
    Q_OBJECT
    QX_TYPE_NAME(Caption, "TCaption")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Extra MEMBER m_extra)
    Q_PROPERTY(int Count READ Count)
public:
    TDerivedSubject() = default;
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &Value) { m_caption = Value.trimmed(); }
    int Count() const { return 3; }
    int m_extra = 0;
};

// A Qt widget subclass that cannot be constructed through its meta-object.
class TPlainButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int Level MEMBER m_level)
public:
    TPlainButton() = default;
    int m_level = 3;
};

namespace {

using QXTest::raised;
QStringList names(const TPropList &list)
{
    QStringList result;
    for (const TPropInfo &info : list)
        result.append(info.Name);
    return result;
}

} // namespace

class tst_TypeInfo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Classification
    void kindsAndTypeNames_data();
    void kindsAndTypeNames();
    void fontNamesAreOfTypeTFontName();
    void qtWidgetKinds_data();
    void qtWidgetKinds();

    // Property lists and look-up
    void propListInheritedFirstInDeclarationOrder();
    void propListSorted();
    void propListKinds();
    void lookupIgnoresCase();
    void missingPropertyRaises();

    // Values per kind
    void charactersAreCodes();
    void ordinals();
    void datesAreNumbers();
    void stringsInt64AndVariants();
    void objectsAndEvents();
    void propValueByKind();

    // Sets and enumerations
    void setTexts_data();
    void setTexts();
    void setMembers();
    void enumNamesAndValues();

    // Conversion errors
    void conversionErrors_data();
    void conversionErrors();

    // Defaults and storage
    void declaredDefaults();
    void storedFlags();
    void qtClassDefaultsFromPrototype();

private:
    TTypeSubject *m_subject = nullptr;
};

void tst_TypeInfo::init()
{
    m_subject = Create<TTypeSubject>();
}

void tst_TypeInfo::cleanup()
{
    FreeAndNil(m_subject);
}

// ---------------------------------------------------------------------------------------------------
// Classification

void tst_TypeInfo::kindsAndTypeNames_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typeName");

    const auto row = [](const char *property, TTypeKind kind, const char *typeName) {
        QTest::newRow(property) << QString::fromLatin1(property) << int(kind)
                                << QString::fromLatin1(typeName);
    };
    row("IntValue", tkInteger, "Integer");
    row("CharValue", tkChar, "Char");
    row("WideCharValue", tkWChar, "WideChar");
    row("BoolValue", tkEnumeration, "Boolean");
    row("Choice", tkEnumeration, "TChoice");
    row("Options", tkSet, "TOptions");
    row("DoubleValue", tkFloat, "Double");
    row("SingleValue", tkFloat, "Single");
    row("DateValue", tkFloat, "TDate");
    row("TimeValue", tkFloat, "TTime");
    row("DateTimeValue", tkFloat, "TDateTime");
    row("Caption", tkLString, "string");
    row("FileName", tkLString, "TFileName");
    row("Bytes", tkString, "AnsiString");
    row("BigValue", tkInt64, "Int64");
    row("Anything", tkVariant, "Variant");
    row("Colour", tkInteger, "TColor");
    row("ColorValue", tkInteger, "TColor");
    row("Cursor", tkInteger, "TCursor");
    row("Font", tkClass, "TFont");
    row("Lines", tkClass, "TStrings");
    row("Extent", tkClass, "QSize");
    row("Child", tkClass, "QObject");
    row("OnChange", tkMethod, "TNotifyEvent");
    row("Numbers", tkDynArray, "QList<int>");
    row("Palette", tkRecord, "QPalette");
    row("objectName", tkLString, "string");
}

void tst_TypeInfo::kindsAndTypeNames()
{
    QFETCH(QString, property);
    QFETCH(int, kind);
    QFETCH(QString, typeName);

    QCOMPARE(TypeKindName(PropType(m_subject, property)), TypeKindName(TTypeKind(kind)));
    QCOMPARE(PropTypeName(m_subject, property), typeName);
    // The class answers as its objects do.
    QCOMPARE(int(PropType(&TTypeSubject::staticMetaObject, property)), kind);
    const TPropInfo info = GetPropInfo(m_subject, property);
    QCOMPARE(info.Name, property);
    QCOMPARE(info.MetaObject, &TTypeSubject::staticMetaObject);
    QCOMPARE(info.Enumerator.isValid(), kind == tkSet || (kind == tkEnumeration && typeName != "Boolean"));
}

void tst_TypeInfo::fontNamesAreOfTypeTFontName()
{
    // Both kinds of font name their family alike, so that one rule offers font names on either.
    for (const QMetaObject *font : { &TFont::staticMetaObject, &TFontAdapter::staticMetaObject }) {
        QCOMPARE(PropTypeName(font, QStringLiteral("Name")), QStringLiteral("TFontName"));
        QCOMPARE(PropType(font, QStringLiteral("Name")), tkLString);
    }
}

void tst_TypeInfo::qtWidgetKinds_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typeName");

    QTest::newRow("flat") << "flat" << int(tkEnumeration) << "Boolean";
    QTest::newRow("text") << "text" << int(tkLString) << "string";
    QTest::newRow("focusPolicy") << "focusPolicy" << int(tkEnumeration) << "FocusPolicy";
    QTest::newRow("geometry") << "geometry" << int(tkClass) << "QRect";
    QTest::newRow("sizePolicy") << "sizePolicy" << int(tkClass) << "QSizePolicy";
    QTest::newRow("font") << "font" << int(tkClass) << "TFont";
    QTest::newRow("icon") << "icon" << int(tkClass) << "TPicture";
    QTest::newRow("cursor") << "cursor" << int(tkInteger) << "TCursor";
    QTest::newRow("palette") << "palette" << int(tkRecord) << "QPalette";
    QTest::newRow("locale") << "locale" << int(tkRecord) << "QLocale";
}

void tst_TypeInfo::qtWidgetKinds()
{
    QFETCH(QString, property);
    QFETCH(int, kind);
    QFETCH(QString, typeName);

    const TPropInfo info = GetPropInfo(&QPushButton::staticMetaObject, property);
    QVERIFY(info.IsValid());
    QCOMPARE(TypeKindName(info.Kind), TypeKindName(TTypeKind(kind)));
    QCOMPARE(info.TypeName, typeName);
}

// ---------------------------------------------------------------------------------------------------
// Property lists and look-up

void tst_TypeInfo::propListInheritedFirstInDeclarationOrder()
{
    TDerivedSubject *derived = Create<TDerivedSubject>();
    const auto freeDerived = qScopeGuard([&] { Free(derived); });
    const QStringList expected = { "IntValue",      "CharValue",   "WideCharValue", "BoolValue", "Choice",
                                   "Options",       "DoubleValue", "SingleValue",   "DateValue", "TimeValue",
                                   "DateTimeValue", "Caption",     "FileName",      "Bytes",     "BigValue",
                                   "Anything",      "Colour",      "ColorValue",    "Cursor",    "Font",
                                   "Lines",         "Extent",      "Child",         "Extra",     "Count" };
    const TPropList list = GetPropList(derived);
    QCOMPARE(names(list), expected);
    // A persistent sub-object has no name to show; its class still declares one, and components show it.
    QCOMPARE(names(GetPropList(derived->metaObject())).first(), QStringLiteral("objectName"));
    QPushButton button;
    QVERIFY(names(GetPropList(&button)).contains(QStringLiteral("objectName")));
    // The property declared again keeps its first position but is the descendant's.
    const TPropInfo caption = list.at(expected.indexOf("Caption"));
    QCOMPARE(caption.TypeName, QStringLiteral("TCaption"));
    QCOMPARE(caption.Property.enclosingMetaObject(), &TDerivedSubject::staticMetaObject);
    SetPropValue(derived, "Caption", QStringLiteral("  padded "));
    QCOMPARE(GetStrProp(derived, "Caption"), QStringLiteral("padded"));
    // The ancestor's own property keeps its own type name.
    QCOMPARE(PropTypeName(m_subject, "Caption"), QStringLiteral("string"));

    QCOMPARE(GetOrdProp(derived, "Count"), 3);
    QCOMPARE(raised([&] { SetPropValue(derived, "Count", QStringLiteral("4")); }),
             (QPair<QString, QString> { "EPropertyError", "Property Count is read-only" }));
    QVERIFY(!GetPropInfo(derived, "Count").IsWritable());

    // Undesignable properties are never published.
    QVERIFY(!names(GetPropList(&TDerivedSubject::staticMetaObject, tkAny)).contains("Hidden"));
    QVERIFY(!IsPublishedProp(m_subject, "Hidden"));
}

void tst_TypeInfo::propListSorted()
{
    const QStringList sorted = names(GetPropList(m_subject, tkListedByDefault, true));
    QStringList expected = names(GetPropList(m_subject));
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(sorted, expected);
    QCOMPARE(sorted.first(), QStringLiteral("Anything"));
    // Case does not count: objectName sorts as "objectname".
    const QStringList byClass = names(GetPropList(m_subject->metaObject(), tkListedByDefault, true));
    QCOMPARE(byClass.at(byClass.indexOf("objectName") + 1), QStringLiteral("Options"));
}

void tst_TypeInfo::propListKinds()
{
    const QStringList byDefault = names(GetPropList(m_subject));
    QVERIFY(!byDefault.contains("Numbers"));
    QVERIFY(!byDefault.contains("Palette"));
    QVERIFY(!byDefault.contains("OnChange"));

    QVERIFY(!names(GetPropList(m_subject, tkProperties)).contains("OnChange"));
    QVERIFY(names(GetPropList(m_subject, tkProperties)).contains("Palette"));
    QCOMPARE(names(GetPropList(m_subject, tkDynArray)), QStringList { "Numbers" });
    QCOMPARE(names(GetPropList(m_subject, TTypeKinds { tkMethod, tkRecord })),
             (QStringList { "OnChange", "Palette" }));
    QCOMPARE(names(GetPropList(m_subject, TTypeKinds { tkFloat }, true)),
             (QStringList { "DateTimeValue", "DateValue", "DoubleValue", "SingleValue", "TimeValue" }));
    QVERIFY(GetPropList(static_cast<const QObject *>(nullptr)).isEmpty());
}

void tst_TypeInfo::lookupIgnoresCase()
{
    QCOMPARE(GetPropInfo(m_subject, "intvalue").Name, QStringLiteral("IntValue"));
    QCOMPARE(GetPropInfo(m_subject, "OBJECTNAME").Name, QStringLiteral("objectName"));
    QVERIFY(IsPublishedProp(&TTypeSubject::staticMetaObject, "caption"));
    QVERIFY(!IsPublishedProp(m_subject, "Nope"));
    QVERIFY(!GetPropInfo(m_subject, "Nope"));
    QVERIFY(!GetPropInfo(static_cast<const QObject *>(nullptr), "IntValue"));
    SetOrdProp(m_subject, "INTVALUE", 12);
    QCOMPARE(m_subject->m_int, 12);
}

void tst_TypeInfo::missingPropertyRaises()
{
    const QPair<QString, QString> expected { "EPropertyError", "Property Nope does not exist" };
    QCOMPARE(raised([&] { PropType(m_subject, "Nope"); }), expected);
    QCOMPARE(raised([&] { GetOrdProp(m_subject, "Nope"); }), expected);
    QCOMPARE(raised([&] { GetStrProp(m_subject, "Nope"); }), expected);
    QCOMPARE(raised([&] { GetPropValue(m_subject, "Nope"); }), expected);
    QCOMPARE(raised([&] { SetPropValue(m_subject, "Nope", QStringLiteral("1")); }), expected);
    QCOMPARE(raised([&] { IsStoredProp(m_subject, "Nope"); }), expected);
}

// ---------------------------------------------------------------------------------------------------
// Values per kind

void tst_TypeInfo::charactersAreCodes()
{
    QCOMPARE(GetOrdProp(m_subject, "CharValue"), 65);
    QCOMPARE(GetPropValue(m_subject, "CharValue").toString(), QStringLiteral("65"));
    SetPropValue(m_subject, "CharValue", QStringLiteral("66"));
    QCOMPARE(m_subject->m_char, 'B');
    // A single character is that character, not a digit's value.
    SetPropValue(m_subject, "CharValue", QStringLiteral("7"));
    QCOMPARE(m_subject->m_char, '7');
    SetOrdProp(m_subject, "CharValue", 200);
    QCOMPARE(GetOrdProp(m_subject, "CharValue"), 200);

    QCOMPARE(GetOrdProp(m_subject, "WideCharValue"), 'x');
    SetPropValue(m_subject, "WideCharValue", QStringLiteral("960"));
    QCOMPARE(m_subject->m_wideChar, QChar(0x3C0));
    QCOMPARE(GetPropText(m_subject, "WideCharValue"), QStringLiteral("960"));
}

void tst_TypeInfo::ordinals()
{
    QCOMPARE(GetOrdProp(m_subject, "BoolValue"), 1);
    QCOMPARE(GetEnumProp(m_subject, "BoolValue"), QStringLiteral("True"));
    SetPropValue(m_subject, "BoolValue", QStringLiteral("false"));
    QCOMPARE(m_subject->m_bool, false);

    QCOMPARE(GetOrdProp(m_subject, "Choice"), 1);
    QCOMPARE(GetEnumProp(m_subject, "Choice"), QStringLiteral("chSecond"));
    SetPropValue(m_subject, "Choice", QStringLiteral("CHTHIRD"));
    QCOMPARE(m_subject->m_choice, TTypeSubject::chThird);
    SetOrdProp(m_subject, "Choice", 0);
    QCOMPARE(m_subject->m_choice, TTypeSubject::chFirst);
    // A key whose value is -1 is still a key.
    SetPropValue(m_subject, "Choice", QStringLiteral("chunset"));
    QCOMPARE(m_subject->m_choice, TTypeSubject::chUnset);
    QCOMPARE(GetOrdProp(m_subject, "Choice"), -1);
    QCOMPARE(GetEnumProp(m_subject, "Choice"), QStringLiteral("chUnset"));

    QCOMPARE(GetOrdProp(m_subject, "Options"), qint64(TTypeSubject::opA | TTypeSubject::opC));
    SetOrdProp(m_subject, "Options", TTypeSubject::opB);
    QCOMPARE(m_subject->m_options, TTypeSubject::TOptions(TTypeSubject::opB));

    // Colours as TColor ordinals, both as QColor and as a declared TColor integer.
    QCOMPARE(GetOrdProp(m_subject, "Colour"), qint64(clRed));
    SetOrdProp(m_subject, "Colour", clBlue);
    QCOMPARE(m_subject->m_colour, QColor(Qt::blue));
    SetPropValue(m_subject, "ColorValue", QStringLiteral("clLime"));
    QCOMPARE(m_subject->m_colorValue, clLime);
    SetPropValue(m_subject, "Colour", QStringLiteral("clYellow"));
    QCOMPARE(m_subject->m_colour, QColor(Qt::yellow));
    SetPropValue(m_subject, "Colour", QColor(Qt::green));
    QCOMPARE(GetOrdProp(m_subject, "Colour"), qint64(clLime));

    SetOrdProp(m_subject, "Cursor", Qt::WaitCursor);
    QCOMPARE(m_subject->m_cursor.shape(), Qt::WaitCursor);
    QCOMPARE(GetOrdProp(m_subject, "Cursor"), qint64(Qt::WaitCursor));

    SetPropValue(m_subject, "IntValue", QStringLiteral("$10"));
    QCOMPARE(m_subject->m_int, 16);
    SetPropValue(m_subject, "IntValue", 42);
    QCOMPARE(GetPropText(m_subject, "IntValue"), QStringLiteral("42"));
}

void tst_TypeInfo::datesAreNumbers()
{
    QCOMPARE(GetFloatProp(m_subject, "DateValue"), 36526.0);
    QCOMPARE(GetFloatProp(m_subject, "TimeValue"), 0.25);
    QCOMPARE(GetFloatProp(m_subject, "DateTimeValue"), 36526.5);
    QCOMPARE(GetPropValue(m_subject, "DateTimeValue").toDouble(), 36526.5);

    SetPropValue(m_subject, "DateValue", QStringLiteral("36527"));
    QCOMPARE(m_subject->m_date, QDate(2000, 1, 2));
    SetFloatProp(m_subject, "DateTimeValue", 36527.75);
    QCOMPARE(m_subject->m_dateTime, QDateTime(QDate(2000, 1, 2), QTime(18, 0)));
    SetPropValue(m_subject, "TimeValue", QStringLiteral("0.5"));
    QCOMPARE(m_subject->m_time, QTime(12, 0));
    SetPropValue(m_subject, "DateValue", QDate(1999, 12, 31));
    QCOMPARE(GetPropText(m_subject, "DateValue"), QStringLiteral("36525"));

    SetPropValue(m_subject, "DoubleValue", QStringLiteral("2.25"));
    QCOMPARE(m_subject->m_double, 2.25);
    SetFloatProp(m_subject, "SingleValue", 0.5);
    QCOMPARE(m_subject->m_single, 0.5f);
    QCOMPARE(GetPropText(m_subject, "SingleValue"), QStringLiteral("0.5"));
}

void tst_TypeInfo::stringsInt64AndVariants()
{
    SetPropValue(m_subject, "Caption", QStringLiteral("Hello"));
    QCOMPARE(GetStrProp(m_subject, "Caption"), QStringLiteral("Hello"));
    QCOMPARE(GetWideStrProp(m_subject, "Caption"), QStringLiteral("Hello"));
    SetStrProp(m_subject, "Bytes", QStringLiteral("\u00e9t\u00e9"));
    QCOMPARE(m_subject->m_bytes, QStringLiteral("\u00e9t\u00e9").toUtf8());
    QCOMPARE(GetStrProp(m_subject, "Bytes"), QStringLiteral("\u00e9t\u00e9"));

    SetPropValue(m_subject, "BigValue", QStringLiteral("9000000000"));
    QCOMPARE(GetInt64Prop(m_subject, "BigValue"), Q_INT64_C(9000000000));
    SetInt64Prop(m_subject, "BigValue", -5);
    QCOMPARE(GetPropValue(m_subject, "BigValue"), QVariant(qint64(-5)));

    SetPropValue(m_subject, "Anything", QStringLiteral("text"));
    QCOMPARE(GetVariantProp(m_subject, "Anything"), QVariant(QStringLiteral("text")));
    SetVariantProp(m_subject, "Anything", 3.5);
    QCOMPARE(GetPropText(m_subject, "Anything"), QStringLiteral("3.5"));
}

void tst_TypeInfo::objectsAndEvents()
{
    QObject child;
    child.setObjectName("Child1");
    SetObjectProp(m_subject, "Child", &child);
    QCOMPARE(GetObjectProp(m_subject, "Child"), &child);
    QCOMPARE(GetObjectPropClass(m_subject, "Child"), &QObject::staticMetaObject);
    QCOMPARE(GetPropText(m_subject, "Child"), QStringLiteral("Child1"));
    QCOMPARE(GetPropValue(m_subject, "Child").value<QObject *>(), &child);
    SetObjectProp(m_subject, "Child", nullptr);
    QVERIFY(!m_subject->m_child);

    // Value classes open through an adapter object; they have no class of their own to point to.
    QVERIFY(qobject_cast<TFontAdapter *>(GetObjectProp(m_subject, "Font")));
    QVERIFY(!GetObjectPropClass(m_subject, "Font"));
    QVERIFY(GetPropText(m_subject, "Font").isNull());

    const QVariant unassigned = GetMethodProp(m_subject, "OnChange");
    QVERIFY(!unassigned.value<TNotifyEvent>());
    QObject *seen = nullptr;
    SetMethodProp(m_subject, "OnChange",
                  QVariant::fromValue(TNotifyEvent([&](QObject *sender) { seen = sender; })));
    m_subject->m_onChange(m_subject);
    QCOMPARE(seen, static_cast<QObject *>(m_subject));
    QVERIFY(GetMethodProp(m_subject, "OnChange").value<TNotifyEvent>());
}

void tst_TypeInfo::propValueByKind()
{
    QCOMPARE(GetPropValue(m_subject, "BoolValue", false), QVariant(true));
    QCOMPARE(GetPropValue(m_subject, "BoolValue", true), QVariant(QStringLiteral("True")));
    QCOMPARE(GetPropValue(m_subject, "Choice", false), QVariant(1));
    QCOMPARE(GetPropValue(m_subject, "Choice", true), QVariant(QStringLiteral("chSecond")));
    QCOMPARE(GetPropValue(m_subject, "Options", false), QVariant(5));
    QCOMPARE(GetPropValue(m_subject, "Options", true), QVariant(QStringLiteral("opA,opC")));
    QCOMPARE(GetPropValue(m_subject, "IntValue"), QVariant(7));
    QCOMPARE(GetPropValue(m_subject, "DoubleValue"), QVariant(1.5));
    QCOMPARE(GetPropValue(m_subject, "Palette").metaType(), QMetaType::fromType<QPalette>());
    QCOMPARE(GetPropValue(m_subject, "Extent"), QVariant(QSize()));
}

// ---------------------------------------------------------------------------------------------------
// Sets and enumerations

void tst_TypeInfo::setTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("error");

    QTest::newRow("brackets") << "[opA,opC]" << 5 << "";
    QTest::newRow("without brackets") << "opA,opC" << 5 << "";
    QTest::newRow("any order and case") << " [ OPC , opa ] " << 5 << "";
    QTest::newRow("empty") << "[]" << 0 << "";
    QTest::newRow("all") << "opB,opA,opC" << 7 << "";
    QTest::newRow("bad member") << "[opA,opX]" << -1 << "Invalid property element: opX";
    QTest::newRow("composite key is no member") << "opAll" << -1 << "Invalid property element: opAll";
}

void tst_TypeInfo::setTexts()
{
    QFETCH(QString, text);
    QFETCH(int, mask);
    QFETCH(QString, error);

    m_subject->m_options = TTypeSubject::opB;
    const QPair<QString, QString> result = raised([&] { SetPropValue(m_subject, "Options", text); });
    if (!error.isEmpty()) {
        QCOMPARE(result, (QPair<QString, QString> { "EPropertyConvertError", error }));
        QCOMPARE(m_subject->m_options, TTypeSubject::TOptions(TTypeSubject::opB));
        return;
    }
    QCOMPARE(result, (QPair<QString, QString> {}));
    QCOMPARE(int(m_subject->m_options), mask);
    // Read back in bit order, both ways.
    const QString members = SetToString(GetPropInfo(m_subject, "Options").Enumerator, mask);
    QCOMPARE(GetSetProp(m_subject, "Options", true), '[' + members + ']');
    QCOMPARE(GetSetProp(m_subject, "Options", false), members);
    QCOMPARE(GetPropText(m_subject, "Options"), '[' + members + ']');
}

void tst_TypeInfo::setMembers()
{
    const QMetaEnum options = QMetaEnum::fromType<TTypeSubject::TOptions>();
    QCOMPARE(GetSetMembers(options), (QStringList { "opA", "opB", "opC" }));
    QCOMPARE(SetToString(options, 5, true), QStringLiteral("[opA,opC]"));
    QCOMPARE(SetToString(options, 0, true), QStringLiteral("[]"));
    // Bits without a member are left out of the text.
    QCOMPARE(SetToString(options, 0x12, false), QStringLiteral("opB"));
    QCOMPARE(StringToSet(options, "opc,OPB"), 6);

    const QMetaEnum alignment = QMetaEnum::fromType<Qt::Alignment>();
    const QStringList members = GetSetMembers(alignment);
    QCOMPARE(members.first(), QStringLiteral("AlignLeft"));
    QCOMPARE(SetToString(alignment, Qt::AlignLeft | Qt::AlignTop, true),
             QStringLiteral("[AlignLeft,AlignTop]"));
}

void tst_TypeInfo::enumNamesAndValues()
{
    const QMetaType choice = QMetaType::fromType<TTypeSubject::TChoice>();
    QCOMPARE(GetEnumName(choice, 2), QStringLiteral("chThird"));
    QCOMPARE(GetEnumName(choice, 9), QStringLiteral("9"));
    QCOMPARE(GetEnumValue(choice, "CHsecond"), 1);
    QCOMPARE(GetEnumValue(choice, "chNone"), -1);
    QCOMPARE(GetEnumName(QMetaType::fromType<bool>(), 1), QStringLiteral("True"));
    QCOMPARE(GetEnumValue(QMetaType::fromType<bool>(), "FALSE"), 0);
    QCOMPARE(GetEnumValue(QMetaType::fromType<bool>(), "maybe"), -1);
    QCOMPARE(EnumeratorOf(QMetaType::fromType<TTypeSubject::TOptions>()).name(), "TOptions");
    QVERIFY(!EnumeratorOf(QMetaType::fromType<int>()).isValid());
    QCOMPARE(GetEnumName(QMetaEnum::fromType<Qt::FocusPolicy>(), Qt::StrongFocus),
             QStringLiteral("StrongFocus"));
}

// ---------------------------------------------------------------------------------------------------
// Conversion errors

void tst_TypeInfo::conversionErrors_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("errorClass");
    QTest::addColumn<QString>("message");

    QTest::newRow("integer") << "IntValue"
                             << "abc"
                             << "EConvertError"
                             << "'abc' is not a valid integer value";
    QTest::newRow("64-bit integer") << "BigValue"
                                    << "1x"
                                    << "EConvertError"
                                    << "'1x' is not a valid integer value";
    QTest::newRow("character") << "CharValue"
                               << "AB"
                               << "EConvertError"
                               << "'AB' is not a valid integer value";
    QTest::newRow("float") << "DoubleValue"
                           << "abc"
                           << "EConvertError"
                           << "'abc' is not a valid floating point value";
    QTest::newRow("enumeration") << "Choice"
                                 << "chNone"
                                 << "EPropertyConvertError"
                                 << "Invalid property element: chNone";
    QTest::newRow("boolean") << "BoolValue"
                             << "yes"
                             << "EPropertyConvertError"
                             << "Invalid property element: yes";
    QTest::newRow("colour") << "ColorValue"
                            << "clNoSuch"
                            << "EConvertError"
                            << "'clNoSuch' is not a valid integer value";
    QTest::newRow("class") << "Font"
                           << "Arial"
                           << "EPropertyConvertError"
                           << "Invalid property type: TFont";
    QTest::newRow("object") << "Child"
                            << "Child1"
                            << "EPropertyConvertError"
                            << "Invalid property type: QObject";
    QTest::newRow("event") << "OnChange"
                           << "x"
                           << "EPropertyConvertError"
                           << "Invalid property type: TNotifyEvent";
    QTest::newRow("record") << "Palette"
                            << "x"
                            << "EPropertyConvertError"
                            << "Invalid property type: QPalette";
    QTest::newRow("list") << "Numbers"
                          << "1,2"
                          << "EPropertyConvertError"
                          << "Invalid property type: QList<int>";
}

void tst_TypeInfo::conversionErrors()
{
    QFETCH(QString, property);
    QFETCH(QString, text);
    QFETCH(QString, errorClass);
    QFETCH(QString, message);

    const QString before = GetPropText(m_subject, property);
    QCOMPARE(raised([&] { SetPropValue(m_subject, property, text); }),
             (QPair<QString, QString> { errorClass, message }));
    QCOMPARE(GetPropText(m_subject, property), before);
}

// ---------------------------------------------------------------------------------------------------
// Defaults and storage

void tst_TypeInfo::declaredDefaults()
{
    QCOMPARE(GetDefaultText(m_subject, "IntValue"), QStringLiteral("7"));
    QCOMPARE(GetPropInfo(m_subject, "Options").DefaultText, QStringLiteral("[opA,opC]"));
    QCOMPARE(GetDefaultText(&TDerivedSubject::staticMetaObject, "Choice"), QStringLiteral("chSecond"));
    const QString caption = GetDefaultText(m_subject, "Caption");
    QVERIFY(!caption.isNull());
    QVERIFY(caption.isEmpty());
    // Our classes declare their defaults; what they do not declare has none.
    QVERIFY(GetDefaultText(m_subject, "FileName").isNull());
    QVERIFY(!IsDefaultValue(m_subject, "FileName"));

    for (const char *name :
         { "IntValue", "BoolValue", "Choice", "Options", "DoubleValue", "Caption", "ColorValue" })
        QVERIFY2(IsDefaultValue(m_subject, name), name);

    // Compared as values: member order and the colour ident do not matter.
    m_subject->m_options = TTypeSubject::TOptions(TTypeSubject::opC | TTypeSubject::opA);
    QVERIFY(IsDefaultValue(m_subject, "Options"));
    m_subject->m_colorValue = 0xFF;
    QVERIFY(IsDefaultValue(m_subject, "ColorValue"));

    m_subject->m_int = 8;
    m_subject->m_options = TTypeSubject::opA;
    m_subject->m_choice = TTypeSubject::chFirst;
    m_subject->m_caption = "x";
    QVERIFY(!IsDefaultValue(m_subject, "IntValue"));
    QVERIFY(!IsDefaultValue(m_subject, "Options"));
    QVERIFY(!IsDefaultValue(m_subject, "Choice"));
    QVERIFY(!IsDefaultValue(m_subject, "Caption"));
}

void tst_TypeInfo::storedFlags()
{
    QVERIFY(IsStoredProp(m_subject, "IntValue"));
    // Qt's STORED flag.
    QVERIFY(!IsStoredProp(m_subject, "Bytes"));
    // The object's own condition, asked with the declared name.
    QVERIFY(!IsStoredProp(m_subject, "caption"));

    QPushButton button;
    QVERIFY(IsStoredProp(&button, "text"));
}

void tst_TypeInfo::qtClassDefaultsFromPrototype()
{
    QPushButton button;
    QCOMPARE(GetDefaultText(&button, "flat"), QStringLiteral("False"));
    const QString text = GetDefaultText(&QPushButton::staticMetaObject, "text");
    QVERIFY(!text.isNull());
    QVERIFY(text.isEmpty());
    QVERIFY(IsDefaultValue(&button, "flat"));
    QVERIFY(IsDefaultValue(&button, "text"));
    button.setFlat(true);
    button.setText("OK");
    QVERIFY(!IsDefaultValue(&button, "flat"));
    QVERIFY(!IsDefaultValue(&button, "text"));

    // A subclass without a constructor Qt can call borrows its nearest ancestor's prototype for the
    // properties that ancestor has; its own have no default.
    TPlainButton plain;
    QCOMPARE(GetDefaultText(&plain, "flat"), QStringLiteral("False"));
    QVERIFY(GetDefaultText(&plain, "Level").isNull());
    QVERIFY(!IsDefaultValue(&plain, "Level"));

    // Our classes are never prototypes: TFont's own properties have no default, while the one it
    // inherits from QObject takes QObject's.
    QVERIFY(GetDefaultText(&TFont::staticMetaObject, "Size").isNull());
    TFont *font = Create<TFont>();
    QCOMPARE(GetDefaultText(font, "objectName"), QString(""));
    QVERIFY(IsDefaultValue(font, "objectName"));
    QVERIFY(!IsDefaultValue(font, "Size"));
    Free(font);

    // QObject's constructor is invokable: its prototype is made through the meta-object.
    const QString objectName = GetDefaultText(&QObject::staticMetaObject, "objectName");
    QVERIFY(!objectName.isNull());
    QVERIFY(objectName.isEmpty());
}

QTEST_MAIN(tst_TypeInfo)
#include "tst_typeinfo.moc"
