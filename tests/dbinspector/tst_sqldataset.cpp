// The dataset over Qt SQL: field types from the columns, edit texts, the record window of a link, and
// posting (what reaches the database, and what stays when the database refuses).
#include "DataSet.h"
#include "FormatSettings.h"
#include "QXTestSupport.h"
#include "SqlDataSet.h"
#include "helper_database.h"

#include <QSqlQuery>
#include <QtTest>

using namespace QXPlatform;

class WindowLink : public TDataLink
{
};

class tst_SqlDataSet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Fields
    void fieldTypes_data();
    void fieldTypes();
    void textRoundTrip_data();
    void textRoundTrip();
    void unconvertibleTextChangesNothing_data();
    void unconvertibleTextChangesNothing();

    // The record window
    void windowContainsCursor_data();
    void windowContainsCursor();

    // Posting
    void moveToAnotherRecordPosts();
    void refusedPostKeepsEditedRecord_data();
    void refusedPostKeepsEditedRecord();

private:
    TQXSqlDataSet *m_dataSet = nullptr;
};

void tst_SqlDataSet::initTestCase()
{
    QString error;
    QVERIFY2(TestDatabase::start(&error), qPrintable(error));
}

void tst_SqlDataSet::cleanupTestCase()
{
    TestDatabase::stop();
}

void tst_SqlDataSet::init()
{
    QVERIFY(TestDatabase::createSample());
    m_dataSet = Create<TQXSqlDataSet>(nullptr);
    m_dataSet->SetConnectionName(TestDatabase::connectionName());
    m_dataSet->SetTableName(QStringLiteral("sample"));
    m_dataSet->Open();
}

void tst_SqlDataSet::cleanup()
{
    m_dataSet->Cancel();
    FreeAndNil(m_dataSet);
}

void tst_SqlDataSet::fieldTypes_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("auto-increment key") << "id" << int(ftAutoInc) << true;
    QTest::newRow("integer") << "qty" << int(ftInteger) << false;
    QTest::newRow("float") << "price" << int(ftFloat) << false;
    QTest::newRow("varchar") << "name" << int(ftString) << false;
    QTest::newRow("date") << "born" << int(ftDate) << false;
    QTest::newRow("Boolean") << "active" << int(ftBoolean) << false;
    QTest::newRow("binary") << "photo" << int(ftBlob) << false;
    QTest::newRow("memo") << "notes" << int(ftMemo) << false;
}

void tst_SqlDataSet::fieldTypes()
{
    QFETCH(QString, column);
    QFETCH(int, type);
    QFETCH(bool, readOnly);
    TField *field = m_dataSet->FieldByName(column);
    QCOMPARE(int(field->DataType()), type);
    QCOMPARE(field->ReadOnly(), readOnly);
    QCOMPARE(field->DisplayLabel(), column);
}

void tst_SqlDataSet::textRoundTrip_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("integer") << "qty"
                             << "42" << QVariant(42);
    QTest::newRow("float") << "price"
                           << "2.25" << QVariant(2.25);
    QTest::newRow("date") << "born"
                          << "3/14/2021" << QVariant(QDate(2021, 3, 14));
    QTest::newRow("Boolean") << "active"
                             << "False" << QVariant(false);
    QTest::newRow("text") << "name"
                          << "Zed" << QVariant(QStringLiteral("Zed"));
    QTest::newRow("empty number is null") << "qty"
                                          << "" << QVariant();
}

void tst_SqlDataSet::textRoundTrip()
{
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(QVariant, stored);
    m_dataSet->Next();
    m_dataSet->Edit();
    m_dataSet->FieldByName(column)->SetText(text);
    m_dataSet->Post();

    // What the database holds, read past the dataset, in the type the column stores.
    const QVariant raw = TestDatabase::stored(2, column);
    QCOMPARE(raw.isNull(), stored.isNull());
    if (stored.typeId() == QMetaType::QDate)
        QCOMPARE(QDate::fromString(raw.toString().left(10), Qt::ISODate), stored.toDate());
    else if (stored.typeId() == QMetaType::Bool)
        QCOMPARE(raw.toInt() != 0 || raw.toString() == QLatin1String("true"), stored.toBool());
    else if (!stored.isNull())
        QCOMPARE(raw.toString(), stored.toString());

    m_dataSet->Close();
    m_dataSet->Open();
    m_dataSet->Next();
    QCOMPARE(m_dataSet->FieldByName(column)->Text(), text);
}

void tst_SqlDataSet::unconvertibleTextChangesNothing_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << "qty"
                             << "12abc";
    QTest::newRow("float") << "price"
                           << "1.2.3";
    QTest::newRow("date") << "born"
                          << "14/31/2021";
    QTest::newRow("Boolean") << "active"
                             << "maybe";
}

void tst_SqlDataSet::unconvertibleTextChangesNothing()
{
    QFETCH(QString, column);
    QFETCH(QString, text);
    TField *field = m_dataSet->FieldByName(column);
    const QString before = field->Text();
    m_dataSet->Edit();
    QCOMPARE(QXTest::raised([&] { field->SetText(text); }).first, QStringLiteral("EConvertError"));
    QCOMPARE(field->Text(), before);
    QVERIFY(!m_dataSet->Modified());
}

void tst_SqlDataSet::windowContainsCursor_data()
{
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<int>("firstRecord");
    QTest::addColumn<int>("activeRecord");
    QTest::newRow("opened") << QStringList() << 0 << 0;
    QTest::newRow("inside the window") << QStringList { "Next", "Next" } << 0 << 2;
    QTest::newRow("past its end") << QStringList { "Next", "Next", "Next" } << 1 << 2;
    QTest::newRow("last") << QStringList { "Last" } << 2 << 2;
    QTest::newRow("back before its start") << QStringList { "Last", "Prior", "Prior", "Prior" } << 1 << 0;
    QTest::newRow("first again") << QStringList { "Last", "First" } << 0 << 0;
}

void tst_SqlDataSet::windowContainsCursor()
{
    QFETCH(QStringList, moves);
    QFETCH(int, firstRecord);
    QFETCH(int, activeRecord);
    auto *source = Create<TDataSource>(nullptr);
    source->SetDataSet(m_dataSet);
    WindowLink link;
    link.SetDataSource(source);
    link.SetBufferCount(3);
    for (const QString &move : moves) {
        if (move == QLatin1String("Next"))
            m_dataSet->Next();
        else if (move == QLatin1String("Prior"))
            m_dataSet->Prior();
        else if (move == QLatin1String("Last"))
            m_dataSet->Last();
        else
            m_dataSet->First();
    }
    QCOMPARE(link.FirstRecord(), firstRecord);
    QCOMPARE(link.ActiveRecord(), activeRecord);
    QCOMPARE(link.RecordCount(), 3);
    // The fields read the window's record 0 once it is made active.
    link.SetActiveRecord(0);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("name"))->Text(),
             QStringLiteral("Name %1").arg(firstRecord + 1));
    Free(source);
}

void tst_SqlDataSet::moveToAnotherRecordPosts()
{
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("7"));
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 10);
    m_dataSet->Next();
    QCOMPARE(m_dataSet->State(), dsBrowse);
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 7);
}

void tst_SqlDataSet::refusedPostKeepsEditedRecord_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("named");
    QTest::newRow("check constraint") << "constraint"
                                      << "qty"
                                      << "-5" << QStringList { "qty", "qty_not_negative" };
    QTest::newRow("not null") << "null"
                              << "name"
                              << "" << QStringList { "name" };
    QTest::newRow("read-only database") << "read-only"
                                        << "qty"
                                        << "5" << QStringList { "qty" };
    QTest::newRow("lost connection") << "closed"
                                     << "qty"
                                     << "5" << QStringList { "qty", "closed" };
}

void tst_SqlDataSet::refusedPostKeepsEditedRecord()
{
    QFETCH(QString, failure);
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(QStringList, named);
    m_dataSet->Edit();
    // A second field changed in the same record: the database must get both or neither.
    m_dataSet->FieldByName(QStringLiteral("price"))->SetText(QStringLiteral("99"));
    TField *field = m_dataSet->FieldByName(column);
    if (failure == QLatin1String("null"))
        field->SetValue(QVariant());
    else
        field->SetText(text);
    if (failure == QLatin1String("read-only"))
        QVERIFY(TestDatabase::setReadOnly(true));
    if (failure == QLatin1String("closed"))
        TestDatabase::database().close();

    const auto [kind, message] = QXTest::raised([&] { m_dataSet->Post(); });
    if (failure == QLatin1String("read-only"))
        QVERIFY(TestDatabase::setReadOnly(false));
    if (failure == QLatin1String("closed"))
        QVERIFY(TestDatabase::database().open());

    QCOMPARE(kind, QStringLiteral("EDatabaseError"));
    for (const QString &name : named)
        QVERIFY2(message.contains(name), qPrintable(message));
    QCOMPARE(m_dataSet->State(), dsEdit);
    QCOMPARE(field->Text(), text);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("price"))->Text(), QStringLiteral("99"));
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("price")).toDouble(), 1.5);
    QCOMPARE(TestDatabase::stored(1, column).toString(), column == QLatin1String("qty") ? "10" : "Name 1");
}

QTEST_GUILESS_MAIN(tst_SqlDataSet)
#include "tst_sqldataset.moc"
