// The library's exception classes, its texts and its message numbers.
#include <QXInspector/QXConsts.h>
#include <QXInspector/QXException.h>
#include <QXInspector/QXMessages.h>

#include <QTest>

using namespace QXPlatform;

class tst_Exceptions : public QObject
{
    Q_OBJECT

private slots:
    void hierarchyIsCatchableAtEveryLevel()
    {
        try {
            throw EVESKException(QXConsts::PropertyNotFound(QStringLiteral("Width")));
        } catch (const EQXException &e) {
            QCOMPARE(e.ClassName(), QStringLiteral("EVESKException"));
            QCOMPARE(e.Message(), QStringLiteral("Property not found: Width"));
            QCOMPARE(QString::fromUtf8(e.what()), e.Message());
        }
        QVERIFY_THROWS_EXCEPTION(Exception, throw EQXException(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(std::exception, throw EVESKException(QStringLiteral("x")));
        // An abort is not one of ours: handlers that swallow EQXException must let it pass.
        bool caughtAsOurs = false;
        try {
            try {
                Abort();
            } catch (const EQXException &) {
                caughtAsOurs = true;
            }
        } catch (const EAbort &) { }
        QVERIFY(!caughtAsOurs);
    }
    void messageSurvivesRewording()
    {
        EVESKException e(QStringLiteral("first"));
        e.SetMessage(QStringLiteral("second \u00e9"));
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("second \u00e9"));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name title") << QXConsts::PropertyTitle() << "Property";
        QTest::newRow("value title") << QXConsts::ValueTitle() << "Value";
        QTest::newRow("not found") << QXConsts::PropertyNotFound("Font.Size")
                                   << "Property not found: Font.Size";
        QTest::newRow("not unique") << QXConsts::PropertyNameNotUnique("a")
                                    << "Property name is not unique: a";
        QTest::newRow("invalid value")
            << QXConsts::InvalidPropertyValue("x1", "bad") << "\"x1\" is not a valid property value: bad";
        QTest::newRow("category") << QXConsts::DefaultCategoryName() << "Miscellaneous";
        QTest::newRow("not a category") << QXConsts::NotACategory() << "Cannot delete item, not a category";
        QTest::newRow("one line") << QXConsts::LineCounter(1) << "line";
        QTest::newRow("no lines") << QXConsts::LineCounter(0) << "lines";
        QTest::newRow("lines") << QXConsts::LineCounter(3) << "lines";
        QTest::newRow("tree caption") << QXConsts::TreeNodesEditorCaption() << "TreeView Items Editor";
        QTest::newRow("list caption") << QXConsts::ListItemsEditorCaption() << "ListView Items Editor";
        QTest::newRow("not real") << QXConsts::NotARealProperty("Font")
                                  << "Item \"Font\" is not a real property";
        QTest::newRow("invalid typed") << QXConsts::InvalidTypedValue("abc", "Integer", "not a number")
                                       << "\"abc\" is not a valid Integer value: not a number";
        // Arguments that contain placeholders themselves must come out unchanged.
        QTest::newRow("placeholder in argument")
            << QXConsts::InvalidPropertyValue("%2", "%1") << "\"%2\" is not a valid property value: %1";
    }
    void texts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void messageNumbersAndRecord()
    {
        QCOMPARE(int(MessageEventType(QX_INVALIDATEPROPERTY)), 2475);
        QCOMPARE(int(MessageEventType(QX_INVALIDATESCAN)), 2476);
        QCOMPARE(int(MessageEventType(QX_DESIGNUPDATE)), 2477);
        const TQXInvalidateProperty record
            = TQXInvalidateProperty::From(TMessage { QX_INVALIDATEPROPERTY, 12, 0, 0 });
        QCOMPARE(record.Msg, 2475);
        QCOMPARE(record.Index, 12);
    }
};

QTEST_GUILESS_MAIN(tst_Exceptions)
#include "tst_exceptions.moc"
