// The dataset over Qt SQL: field types from the columns, edit texts, the record window of a link, and
// posting (what reaches the database, and what stays when the database refuses).
#include "QXTestSupport.h"
#include "helper_database.h"

#include <QXInspector/DataSet.h>
#include <QXInspector/FormatSettings.h>
#include <QXInspector/SqlDataSet.h>

#include <QScopeGuard>
#include <QSqlDriver>
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
    void textByFieldType_data();
    void textByFieldType();
    void textRoundTrip_data();
    void textRoundTrip();
    void unconvertibleTextChangesNothing_data();
    void unconvertibleTextChangesNothing();

    // The record window
    void windowContainsCursor_data();
    void windowContainsCursor();

    // Posting
    void moveToAnotherRecordPosts();
    void largeTableIsReadInWindows_data();
    void largeTableIsReadInWindows();
    void refusedPostKeepsEditedRecord_data();
    void refusedPostKeepsEditedRecord();

    // Other clients, teardown and the connection
    void otherClientsChange_data();
    void otherClientsChange();
    void tableWithoutKey_data();
    void tableWithoutKey();
    void namesAsTheServerKeepsThem_data();
    void namesAsTheServerKeepsThem();
    void quotedIdentifiers();
    void teardownPostsModifiedRecord_data();
    void teardownPostsModifiedRecord();
    void postJoinsApplicationTransaction_data();
    void postJoinsApplicationTransaction();
    void serverGoneWhileEditing();
    void sqlThatIsNotAQueryIsRefused_data();
    void sqlThatIsNotAQueryIsRefused();

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

void tst_SqlDataSet::textByFieldType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("emptyIsText");
    struct Row
    {
        TFieldType type;
        QVariant value;
        const char *text;
        const char *display;
        bool emptyIsText;
    };
    const QVariant word = QStringLiteral("abc"), number = 7, real = 2.5, bytes = QByteArray("\x01\x02");
    const QVariant date = QDate(2020, 1, 1), time = QTime(10, 30),
                   stamp = QDateTime(QDate(2020, 1, 1), QTime(10, 30));
    const Row rows[] = {
        { ftUnknown, word, "abc", "abc", true },
        { ftString, word, "abc", "abc", true },
        { ftSmallint, number, "7", "7", false },
        { ftInteger, number, "7", "7", false },
        { ftWord, number, "7", "7", false },
        { ftBoolean, true, "True", "True", false },
        { ftFloat, real, "2.5", "2.5", false },
        { ftCurrency, real, "2.5", "2.5", false },
        { ftBCD, real, "2.5", "2.5", false },
        { ftDate, date, "1/1/2020", "1/1/2020", false },
        { ftTime, time, "10:30:00 AM", "10:30:00 AM", false },
        { ftDateTime, stamp, "1/1/2020 10:30:00 AM", "1/1/2020 10:30:00 AM", false },
        { ftBytes, bytes, "(BLOB)", "(BLOB)", false },
        { ftVarBytes, bytes, "(BLOB)", "(BLOB)", false },
        { ftAutoInc, number, "7", "7", false },
        { ftBlob, bytes, "(BLOB)", "(BLOB)", false },
        { ftMemo, word, "abc", "(MEMO)", true },
        { ftGraphic, bytes, "(BLOB)", "(BLOB)", false },
        { ftFmtMemo, word, "abc", "(MEMO)", true },
        { ftParadoxOle, bytes, "(BLOB)", "(BLOB)", false },
        { ftDBaseOle, bytes, "(BLOB)", "(BLOB)", false },
        { ftTypedBinary, bytes, "(BLOB)", "(BLOB)", false },
        { ftCursor, bytes, "(BLOB)", "(BLOB)", false },
        { ftFixedChar, word, "abc", "abc", true },
        { ftWideString, word, "abc", "abc", true },
        { ftLargeint, number, "7", "7", false },
        { ftADT, bytes, "(BLOB)", "(BLOB)", false },
        { ftArray, bytes, "(BLOB)", "(BLOB)", false },
        { ftReference, bytes, "(BLOB)", "(BLOB)", false },
        { ftDataSet, bytes, "(BLOB)", "(BLOB)", false },
        { ftOraBlob, bytes, "(BLOB)", "(BLOB)", false },
        { ftOraClob, word, "abc", "(MEMO)", true },
        { ftVariant, word, "abc", "abc", false },
        { ftInterface, word, "abc", "abc", false },
        { ftIDispatch, word, "abc", "abc", false },
        { ftGuid, word, "abc", "abc", true },
        { ftTimeStamp, stamp, "1/1/2020 10:30:00 AM", "1/1/2020 10:30:00 AM", false },
        { ftFMTBcd, real, "2.5", "2.5", false },
    };
    QCOMPARE(int(std::size(rows)), FieldTypeCount);
    for (const Row &row : rows)
        QTest::addRow("type %d", int(row.type)) << int(row.type) << row.value << QString::fromLatin1(row.text)
                                                << QString::fromLatin1(row.display) << row.emptyIsText;
}

void tst_SqlDataSet::textByFieldType()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(bool, emptyIsText);
    MemoryDataSet memory({ { QStringLiteral("field"), TFieldType(type) } }, { { value } });
    memory.Open();
    TField *field = memory.Fields(0);
    QCOMPARE(field->Text(), text);
    QCOMPARE(field->DisplayText(), display);

    memory.Edit();
    field->SetText(QStringLiteral(""));
    QCOMPARE(field->IsNull(), !emptyIsText);
    // Binary data takes no text; every other type reads back the text it was given.
    const QString raised = QXTest::raised([&] { field->SetText(text); }).first;
    if (display == QLatin1String("(BLOB)")) {
        QCOMPARE(raised, QStringLiteral("EConvertError"));
    } else {
        QCOMPARE(raised, QString());
        QCOMPARE(field->Text(), text);
    }
    memory.Cancel();
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

void tst_SqlDataSet::largeTableIsReadInWindows_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("table") << "big";
    QTest::newRow("query") << "SELECT * FROM big ORDER BY id";
}

void tst_SqlDataSet::largeTableIsReadInWindows()
{
    QFETCH(QString, source);
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS big")));
    QVERIFY(
        TestDatabase::exec(QStringLiteral("CREATE TABLE big (id INTEGER PRIMARY KEY, name VARCHAR(20))")));
    QVERIFY(TestDatabase::exec(
        TestDatabase::isPostgres()
            ? QStringLiteral("INSERT INTO big SELECT x, 'Name ' || x FROM generate_series(1, 3000) x")
            : QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 3000) "
                             "INSERT INTO big SELECT x, 'Name ' || x FROM c")));
    TQXSqlDataSet dataSet;
    dataSet.SetConnectionName(TestDatabase::connectionName());
    if (source == QLatin1String("big"))
        dataSet.SetTableName(source);
    else
        dataSet.SetSQL(source);
    dataSet.Open();
    QCOMPARE(dataSet.RecordCount(), 3000);
    TField *name = dataSet.FieldByName(QStringLiteral("name"));
    // A record far from the first ones is read when the cursor reaches it, not when the dataset opens.
    QVERIFY(TestDatabase::execOther(QStringLiteral("UPDATE big SET name = 'Later' WHERE id = 2900")));
    dataSet.Last();
    QCOMPARE(name->Text(), QStringLiteral("Name 3000"));
    QCOMPARE(dataSet.MoveBy(-100), -100);
    QCOMPARE(name->Text(), QStringLiteral("Later"));
    // Moves across windows, both ways, and through more windows than are held.
    for (int record : { 1536, 1535, 1536, 10, 2000, 700, 2999, 0 }) {
        dataSet.MoveBy(record - dataSet.RecNo());
        QCOMPARE(dataSet.RecNo(), record);
        QCOMPARE(name->Text(),
                 record == 2899 ? QStringLiteral("Later") : QStringLiteral("Name %1").arg(record + 1));
    }
    if (source != QLatin1String("big"))
        return;
    dataSet.MoveBy(1500);
    dataSet.Edit();
    name->SetText(QStringLiteral("Edited"));
    dataSet.Post();
    QSqlQuery query(TestDatabase::database());
    QVERIFY(query.exec(QStringLiteral("SELECT name FROM big WHERE id = 1501")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("Edited"));
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

namespace {

int rowCount(const QString &Table)
{
    QSqlQuery query(TestDatabase::database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(Table)) || !query.next())
        return -1;
    return query.value(0).toInt();
}

} // namespace

void tst_SqlDataSet::otherClientsChange_data()
{
    QTest::addColumn<QString>("otherClient");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("storedQty");
    QTest::addColumn<QString>("colourShown");
    // The column this dataset writes changed since it was read: writing would drop that change.
    QTest::newRow("same column changed") << "UPDATE sample SET qty = 99 WHERE id = 1" << true << 99 << "Red";
    QTest::newRow("row deleted") << "DELETE FROM sample WHERE id = 1" << true << -1 << "Green";
    // Another column changed: both changes stand, and the post reads the row back.
    QTest::newRow("other column changed")
        << "UPDATE sample SET colour = 'Pink' WHERE id = 1" << false << 7 << "Pink";
}

void tst_SqlDataSet::otherClientsChange()
{
    QFETCH(QString, otherClient);
    QFETCH(bool, refused);
    QFETCH(int, storedQty);
    QFETCH(QString, colourShown);
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("7"));
    QVERIFY(TestDatabase::execOther(otherClient));

    const auto [kind, message] = QXTest::raised([&] { m_dataSet->Post(); });
    if (refused) {
        QCOMPARE(kind, QStringLiteral("EDatabaseError"));
        QVERIFY2(message.contains(QLatin1String("changed or deleted by another user")), qPrintable(message));
        QCOMPARE(m_dataSet->State(), dsEdit);
        QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("7"));
        // Refresh reads what the other client left, for the user to redo the edit.
        m_dataSet->Cancel();
        m_dataSet->Refresh();
        QCOMPARE(m_dataSet->RecordCount(), storedQty < 0 ? 4 : 5);
        QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), storedQty < 0 ? "20" : "99");
    } else {
        QVERIFY2(kind.isEmpty(), qPrintable(message));
        QCOMPARE(m_dataSet->State(), dsBrowse);
    }
    const QVariant stored = TestDatabase::stored(1, QStringLiteral("qty"));
    QCOMPARE(stored.typeId() == QMetaType::QString ? -1 : stored.toInt(), storedQty);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("colour"))->Text(), colourShown);
}

void tst_SqlDataSet::tableWithoutKey_data()
{
    // Columns whose stored value the dataset converts: the row must still be found by what it holds.
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("values");
    QTest::addColumn<int>("copies");
    const bool pg = TestDatabase::isPostgres();
    const QString columns = pg ? "label VARCHAR(10), d DATE, b BOOLEAN, r REAL, n NUMERIC(20,2)"
                               : "label VARCHAR(10), d DATE, b BOOLEAN, r REAL, n NUMERIC(20,2), t TIMESTAMP";
    const QString values = pg ? "'a', '2021-03-14', TRUE, 1.1, 12345678901234567.89"
                              : "'a', '2021-03-14', 'true', 1.1, 0.1, '2021-03-14 10:20:30'";
    QTest::newRow("one row") << columns << values << 1;
    QTest::newRow("two identical rows") << columns << values << 2;
}

void tst_SqlDataSet::tableWithoutKey()
{
    QFETCH(QString, columns);
    QFETCH(QString, values);
    QFETCH(int, copies);
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS nokey")));
    QVERIFY(TestDatabase::exec(QStringLiteral("CREATE TABLE nokey (%1)").arg(columns)));
    for (int i = 0; i < copies; ++i)
        QVERIFY(TestDatabase::exec(QStringLiteral("INSERT INTO nokey VALUES (%1)").arg(values)));
    TQXSqlDataSet dataSet;
    dataSet.SetConnectionName(TestDatabase::connectionName());
    dataSet.SetTableName(QStringLiteral("nokey"));
    dataSet.Open();
    dataSet.Edit();
    dataSet.FieldByName(QStringLiteral("label"))->SetText(QStringLiteral("b"));
    const auto [kind, message] = QXTest::raised([&] { dataSet.Post(); });

    QSqlQuery query(TestDatabase::database());
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM nokey WHERE label = 'a'")) && query.next());
    if (copies == 1) {
        QVERIFY2(kind.isEmpty(), qPrintable(message));
        QCOMPARE(query.value(0).toInt(), 0);
    } else {
        QVERIFY2(message.contains(QLatin1String("not unique")), qPrintable(message));
        QCOMPARE(query.value(0).toInt(), copies);
        QCOMPARE(dataSet.State(), dsEdit);
    }
    dataSet.Cancel();
}

void tst_SqlDataSet::namesAsTheServerKeepsThem_data()
{
    QTest::addColumn<QString>("create");
    QTest::addColumn<QString>("table");
    QTest::newRow("mixed case")
        << "CREATE TABLE \"MixedCase\" (id INTEGER PRIMARY KEY, notes memo, name VARCHAR(10))"
        << "MixedCase";
    QTest::newRow("schema and table")
        << (TestDatabase::isPostgres()
                ? "CREATE TABLE public.qualified (id INTEGER PRIMARY KEY, notes memo, name "
                  "VARCHAR(10))"
                : "CREATE TABLE main.qualified (id INTEGER PRIMARY KEY, notes memo, name "
                  "VARCHAR(10))")
        << (TestDatabase::isPostgres() ? "public.qualified" : "main.qualified");
}

void tst_SqlDataSet::namesAsTheServerKeepsThem()
{
    QFETCH(QString, create);
    QFETCH(QString, table);
    const QString quoted = TestDatabase::database().driver()->escapeIdentifier(table, QSqlDriver::TableName);
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoted)));
    QVERIFY(TestDatabase::exec(create));
    QVERIFY(TestDatabase::exec(
        QStringLiteral("INSERT INTO %1 VALUES (2, 'long', 'b'), (1, 'text', 'a')").arg(quoted)));
    TQXSqlDataSet dataSet;
    dataSet.SetConnectionName(TestDatabase::connectionName());
    dataSet.SetTableName(table);
    dataSet.Open();
    QCOMPARE(int(dataSet.FieldByName(QStringLiteral("notes"))->DataType()), int(ftMemo));
    // The key orders the rows and finds the row to write, even when another client changed its other columns.
    QCOMPARE(dataSet.FieldByName(QStringLiteral("name"))->Text(), QStringLiteral("a"));
    QVERIFY(
        TestDatabase::execOther(QStringLiteral("UPDATE %1 SET notes = 'other' WHERE id = 1").arg(quoted)));
    dataSet.Edit();
    dataSet.FieldByName(QStringLiteral("name"))->SetText(QStringLiteral("z"));
    dataSet.Post();
    QSqlQuery query(TestDatabase::database());
    QVERIFY(query.exec(QStringLiteral("SELECT name FROM %1 WHERE id = 1").arg(quoted)) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("z"));
}

void tst_SqlDataSet::quotedIdentifiers()
{
    // A table name with a space, a column named by a keyword, a key holding a quote.
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS \"odd table\"")));
    QVERIFY(TestDatabase::exec(
        QStringLiteral("CREATE TABLE \"odd table\" (code VARCHAR(10) PRIMARY KEY, \"group\" VARCHAR(10))")));
    QVERIFY(
        TestDatabase::exec(QStringLiteral("INSERT INTO \"odd table\" VALUES ('it''s', 'a'), ('x', 'b')")));
    TQXSqlDataSet dataSet;
    dataSet.SetConnectionName(TestDatabase::connectionName());
    dataSet.SetTableName(QStringLiteral("odd table"));
    dataSet.Open();
    QCOMPARE(dataSet.FieldByName(QStringLiteral("code"))->Text(), QStringLiteral("it's"));
    dataSet.Edit();
    dataSet.FieldByName(QStringLiteral("group"))->SetText(QStringLiteral("c"));
    dataSet.Post();
    QSqlQuery query(TestDatabase::database());
    QVERIFY(query.exec(QStringLiteral("SELECT \"group\" FROM \"odd table\" ORDER BY code")));
    QStringList groups;
    while (query.next())
        groups << query.value(0).toString();
    QCOMPARE(groups, QStringList({ "c", "b" }));
}

void tst_SqlDataSet::teardownPostsModifiedRecord_data()
{
    QTest::addColumn<bool>("byParent");
    QTest::addColumn<bool>("refused");
    QTest::newRow("freed") << false << false;
    QTest::newRow("deleted with its Qt parent") << true << false;
    QTest::newRow("freed, post refused") << false << true;
    QTest::newRow("deleted with its Qt parent, post refused") << true << true;
}

void tst_SqlDataSet::teardownPostsModifiedRecord()
{
    QFETCH(bool, byParent);
    QFETCH(bool, refused);
    QStringList handled;
    const TExceptionHandler previous
        = SetExceptionHandler([&](std::exception_ptr e) { handled << ExceptionMessage(e); });
    auto restore = qScopeGuard([&] { SetExceptionHandler(previous); });
    auto *parent = new QObject;
    auto *dataSet = new TQXSqlDataSet;
    dataSet->setParent(parent);
    dataSet->SetConnectionName(TestDatabase::connectionName());
    dataSet->SetTableName(QStringLiteral("sample"));
    dataSet->Open();
    dataSet->Next();
    dataSet->Edit();
    dataSet->FieldByName(QStringLiteral("qty"))
        ->SetText(refused ? QStringLiteral("-1") : QStringLiteral("7"));
    if (byParent)
        delete parent;
    else
        Free(dataSet);
    if (!byParent)
        delete parent;

    QCOMPARE(TestDatabase::stored(2, QStringLiteral("qty")).toInt(), refused ? 20 : 7);
    if (refused) {
        QCOMPARE(handled.size(), 1);
        QVERIFY2(handled.first().contains(QLatin1String("record 2")), qPrintable(handled.first()));
        QVERIFY2(handled.first().contains(QLatin1String("qty_not_negative")), qPrintable(handled.first()));
    } else {
        QCOMPARE(handled, QStringList());
    }
}

void tst_SqlDataSet::postJoinsApplicationTransaction_data()
{
    QTest::addColumn<bool>("commit");
    QTest::newRow("committed") << true;
    QTest::newRow("rolled back") << false;
}

void tst_SqlDataSet::postJoinsApplicationTransaction()
{
    QFETCH(bool, commit);
    QSqlDatabase db = TestDatabase::database();
    QVERIFY(db.transaction());
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("7"));
    const auto [kind, message] = QXTest::raised([&] { m_dataSet->Post(); });
    QVERIFY2(kind.isEmpty(), qPrintable(message));
    // A refused post inside it rolls back its own part only.
    m_dataSet->Next();
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("-1"));
    QCOMPARE(QXTest::raised([&] { m_dataSet->Post(); }).first, QStringLiteral("EDatabaseError"));
    m_dataSet->Cancel();
    QVERIFY(commit ? db.commit() : db.rollback());
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), commit ? 7 : 10);
    QCOMPARE(TestDatabase::stored(2, QStringLiteral("qty")).toInt(), 20);
}

void tst_SqlDataSet::serverGoneWhileEditing()
{
    if (!TestDatabase::isPostgres())
        QSKIP("only a server can go away");
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("7"));
    m_dataSet->FieldByName(QStringLiteral("price"))->SetText(QStringLiteral("99"));
    QVERIFY(TestDatabase::killServer());
    auto restart = qScopeGuard([] { TestDatabase::restartServer(); });
    const auto [kind, message] = QXTest::raised([&] { m_dataSet->Post(); });
    QCOMPARE(kind, QStringLiteral("EDatabaseError"));
    QVERIFY2(message.contains(QLatin1String("connection to the database was lost")), qPrintable(message));
    QCOMPARE(m_dataSet->State(), dsEdit);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("7"));

    restart.dismiss();
    QVERIFY(TestDatabase::restartServer());
    m_dataSet->Cancel();
    m_dataSet->Close();
    m_dataSet->Open();
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("10"));
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("price"))->Text(), QStringLiteral("1.5"));
    m_dataSet->Edit();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetText(QStringLiteral("7"));
    m_dataSet->Post();
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 7);
}

void tst_SqlDataSet::sqlThatIsNotAQueryIsRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("refused");
    QTest::newRow("delete") << "DELETE FROM sample" << true;
    QTest::newRow("query then delete") << "SELECT * FROM sample; DELETE FROM sample" << true;
    QTest::newRow("delete in a common table expression")
        << "WITH gone AS (SELECT 1) DELETE FROM sample" << true;
    QTest::newRow("select into") << "SELECT * INTO copied FROM sample" << true;
    QTest::newRow("words inside literals") << "SELECT name AS \"delete\" FROM sample -- ; DELETE\n"
                                              "WHERE name <> 'x; DELETE FROM sample'"
                                           << false;
    QTest::newRow("row lock") << (TestDatabase::isPostgres() ? "SELECT name FROM sample FOR UPDATE"
                                                             : "SELECT name FROM sample;")
                              << false;
}

void tst_SqlDataSet::sqlThatIsNotAQueryIsRefused()
{
    QFETCH(QString, sql);
    QFETCH(bool, refused);
    TQXSqlDataSet dataSet;
    dataSet.SetConnectionName(TestDatabase::connectionName());
    dataSet.SetSQL(sql);
    const auto [kind, message] = QXTest::raised([&] { dataSet.Open(); });
    QCOMPARE(rowCount(QStringLiteral("sample")), 5);
    if (refused) {
        QCOMPARE(kind, QStringLiteral("EDatabaseError"));
        QVERIFY2(message.startsWith(QLatin1String("The SQL statement is not run")), qPrintable(message));
        QVERIFY(!dataSet.Active());
        return;
    }
    QVERIFY2(kind.isEmpty(), qPrintable(message));
    // A query's rows are read-only.
    QCOMPARE(dataSet.RecordCount(), 5);
    QVERIFY(!dataSet.CanModify());
    QCOMPARE(QXTest::raised([&] { dataSet.Edit(); }).first, QStringLiteral("EDatabaseError"));
}

QTEST_GUILESS_MAIN(tst_SqlDataSet)
#include "tst_sqldataset.moc"
