// Number, date and time texts, and the variant helpers built on them.
#include <QXInspector/Exceptions.h>
#include <QXInspector/FormatSettings.h>
#include <QXInspector/Variants.h>

#include <QTest>

#include <cmath>

using namespace QXPlatform;

class tst_Formats : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FormatSettings() = TFormatSettings(); }

    // Floats
    void floatText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integral") << 3.0 << "3";
        QTest::newRow("fraction") << 1.5 << "1.5";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("negative") << -2.25 << "-2.25";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("small") << 1.5e-7 << "1.5E-7";
        QTest::newRow("fifteen digits") << 3.14159265358979 << "3.14159265358979";
    }
    void floatText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FloatToStr(value), text);
        QCOMPARE(StrToFloat(text), value);
    }
    void decimalSeparatorIsHonoured()
    {
        FormatSettings().DecimalSeparator = QLatin1Char(',');
        QCOMPARE(FloatToStr(2.5), QStringLiteral("2,5"));
        QCOMPARE(StrToFloat(QStringLiteral("2,5")), 2.5);
    }
    void badFloatRaisesConvertError()
    {
        try {
            StrToFloat(QStringLiteral("1.2.3"));
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("'1.2.3' is not a valid floating point value"));
        }
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(QString()));
    }

    // Integers
    void integerText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("value");
        QTest::newRow("decimal") << " 42 " << true << qint64(42);
        QTest::newRow("negative") << "-7" << true << qint64(-7);
        QTest::newRow("dollar hex") << "$FF" << true << qint64(255);
        QTest::newRow("0x hex") << "0x10" << true << qint64(16);
        QTest::newRow("max") << "9223372036854775807" << true << std::numeric_limits<qint64>::max();
        QTest::newRow("min") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
        QTest::newRow("overflow") << "9223372036854775808" << false << qint64(0);
        QTest::newRow("double sign") << "--1" << false << qint64(0);
        QTest::newRow("letters") << "12a" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
    }
    void integerText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, value);
        qint64 parsed = 0;
        QCOMPARE(TryStrToInt64(text, parsed), valid);
        if (valid)
            QCOMPARE(parsed, value);
        else
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt64(text));
    }
    void intRangeIsChecked()
    {
        QCOMPARE(StrToInt(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
        QCOMPARE(StrToInt(QStringLiteral("$FFFFFFFF")), -1);
        try {
            StrToInt(QStringLiteral("2147483648"));
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("'2147483648' is not a valid integer value"));
        }
    }

    // Dates and times
    void dateTimeTexts()
    {
        const QDateTime moment(QDate(2024, 3, 9), QTime(14, 5, 7));
        QCOMPARE(DateToStr(moment.date()), QStringLiteral("3/9/2024"));
        QCOMPARE(TimeToStr(moment.time()), QStringLiteral("2:05:07 PM"));
        QCOMPARE(DateTimeToStr(moment), QStringLiteral("3/9/2024 2:05:07 PM"));
        QCOMPARE(DateTimeToStr(QDateTime(QDate(2024, 3, 9), QTime(0, 0))), QStringLiteral("3/9/2024"));
        QCOMPARE(StrToDateTime(DateTimeToStr(moment)), moment);
    }
    void maskedTextsParse()
    {
        // What the default masks leave behind: blanks for skipped optional digits.
        QCOMPARE(StrToDate(QStringLiteral(" 3/09/2024")), QDate(2024, 3, 9));
        QCOMPARE(StrToTime(QStringLiteral(" 2:05:07 PM")), QTime(14, 5, 7));
        QCOMPARE(StrToTime(QStringLiteral("14:05")), QTime(14, 5));
    }
    void badDatesRaise()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToDate(QStringLiteral("2/30/2024")));
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToTime(QStringLiteral("25:00:00 PM")));
        try {
            StrToDateTime(QStringLiteral("soon"));
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("'soon' is not a valid date and time"));
        }
    }
    void dateTimeAsFloat_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<double>("value");
        QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        QTest::newRow("noon next day") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
        QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("modern") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << 36526.0;
    }
    void dateTimeAsFloat()
    {
        QFETCH(QDateTime, moment);
        QFETCH(double, value);
        QCOMPARE(DateTimeToFloat(moment), value);
        QCOMPARE(FloatToDateTime(value), moment);
    }

    // Variants
    void variantKinds()
    {
        QVERIFY(VarIsEmpty(QVariant()));
        QVERIFY(VarIsNull(QVariant(QMetaType::fromType<QString>())));
        QVERIFY(VarIsOrdinal(QVariant(true)));
        QVERIFY(VarIsOrdinal(QVariant(QChar(u'x'))));
        QVERIFY(VarIsOrdinal(QVariant(qint64(5))));
        QVERIFY(!VarIsOrdinal(QVariant(1.5)));
        QVERIFY(!VarIsOrdinal(QVariant(QStringLiteral("1"))));
        QVERIFY(VarIsBoolean(QVariant(false)));
        QVERIFY(!VarIsBoolean(QVariant(0)));
        QVERIFY(VarIsFloat(QVariant(1.5f)));
    }
    void variantText()
    {
        QCOMPARE(VarToStr(QVariant()), QString());
        QCOMPARE(VarToStr(QVariant(true)), QStringLiteral("True"));
        QCOMPARE(VarToStr(QVariant(0.1)), QStringLiteral("0.1"));
        QCOMPARE(VarToStr(QVariant(QDate(2024, 1, 2))), QStringLiteral("1/2/2024"));
        QCOMPARE(VarToStr(QVariant(-12)), QStringLiteral("-12"));
    }
    void variantComparison()
    {
        QCOMPARE(VarCompare(QVariant(2), QVariant(10)), -1);
        QCOMPARE(VarCompare(QVariant(2), QVariant(2.0)), 0);
        QCOMPARE(VarCompare(QVariant(QStringLiteral("b")), QVariant(QStringLiteral("a"))), 1);
        QCOMPARE(VarCompare(QVariant(), QVariant(1)), -1);
        QVERIFY(!VarSameValue(QVariant(QStringLiteral("A")), QVariant(QStringLiteral("a"))));
        QVERIFY(VarSameValue(QVariant(), QVariant()));
        QCOMPARE(VarToInt64(QVariant(QStringLiteral("$10"))), qint64(16));
        QVERIFY_THROWS_EXCEPTION(EConvertError, VarToInt64(QVariant(QDate(2024, 1, 1))));
    }
};

QTEST_GUILESS_MAIN(tst_Formats)
#include "tst_formats.moc"
