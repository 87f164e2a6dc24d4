// The data-aware inspector over the sample table: which items it makes and in what order, the records on
// its value lines, edits written through to the dataset, filters and the events of data refreshes.
#include "QXTestSupport.h"
#include "helper_database.h"

#include <QXInspector/QXDBInspector.h>
#include <QXInspector/QXException.h>
#include <QXInspector/SqlDataSet.h>

#include <QScopeGuard>
#include <QtTest>

using namespace QXPlatform;

class tst_DBInspector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Items from fields
    void itemsFollowFieldList();
    void shownFieldTypes_data();
    void shownFieldTypes();
    void fieldMadeVisibleIsAppended();
    void reopenKeepsOrOrdersItems_data();
    void reopenKeepsOrOrdersItems();
    void fieldSettingsReachItem();
    void categoryChildrenFollowCategoryLink();
    void invalidFieldNameKeepsOldName();
    void freedDataSourceLeavesItemsDisabled();

    // Records on value lines
    void recordLines_data();
    void recordLines();
    void editInSecondLineReachesSecondRecord();
    void refusedPostLeavesUserText();
    void linesPastBufferedRecordsAreEmptyAndRefuseEdits();
    void twoInspectorsOnOneDataSet();
    void detailDataSourceOnChildren();
    void refusedValueIsWrappedOnce();

    // Filters and events
    void filtersApplyAfterQueue_data();
    void filtersApplyAfterQueue();
    void collectionHandlerSilencesInspector_data();
    void collectionHandlerSilencesInspector();
    void itemHandlerSilencesInspector_data();
    void itemHandlerSilencesInspector();

private:
    TQXDBItemProp *item(const QString &Name) const
    {
        return m_inspector->GetItems()->FindItemByFullPathName(Name);
    }
    QStringList itemNames() const;
    /// Puts Text into value line Line of the item and confirms it, as the grid does after an edit.
    QString edit(const QString &Name, int Line, const QString &Text)
    {
        return edit(m_inspector, Name, Line, Text);
    }
    static QString edit(TQXDBInspector *Inspector, const QString &Name, int Line, const QString &Text);

    TQXSqlDataSet *m_dataSet = nullptr;
    TDataSource *m_source = nullptr;
    TQXDBInspector *m_inspector = nullptr;
};

void tst_DBInspector::initTestCase()
{
    QString error;
    QVERIFY2(TestDatabase::start(&error), qPrintable(error));
}

void tst_DBInspector::cleanupTestCase()
{
    TestDatabase::stop();
}

void tst_DBInspector::init()
{
    QVERIFY(TestDatabase::createSample());
    m_dataSet = Create<TQXSqlDataSet>(nullptr);
    m_dataSet->SetConnectionName(TestDatabase::connectionName());
    m_dataSet->SetTableName(QStringLiteral("sample"));
    m_source = Create<TDataSource>(nullptr);
    m_source->SetDataSet(m_dataSet);
    m_inspector = Create<TQXDBInspector>(nullptr);
    m_inspector->SetDataSource(m_source);
}

void tst_DBInspector::cleanup()
{
    FreeAndNil(m_inspector);
    m_dataSet->Cancel();
    FreeAndNil(m_source);
    FreeAndNil(m_dataSet);
}

QStringList tst_DBInspector::itemNames() const
{
    QStringList names;
    for (int i = 0; i < m_inspector->GetItems()->Count(); ++i)
        names << m_inspector->GetItems()->Items(i)->Name();
    return names;
}

QString tst_DBInspector::edit(TQXDBInspector *Inspector, const QString &Name, int Line, const QString &Text)
{
    QString refused;
    Inspector->OnValidateError
        = [&](QObject *, TQXItemProp *, int, const Exception &E) { refused = E.Message(); };
    TQXDBItemProp *target = Inspector->GetItems()->FindItemByFullPathName(Name);
    Inspector->SetSelected(target);
    Inspector->SetGridCount(gcCurValuePos, Line);
    target->SetValue(Text);
    target->Validate();
    Inspector->OnValidateError = {};
    return refused;
}

void tst_DBInspector::itemsFollowFieldList()
{
    m_dataSet->Open();
    // Binary data and memos have no item; the auto-increment key has one.
    QCOMPARE(itemNames(), QStringList({ "id", "qty", "price", "name", "born", "active", "colour" }));
    QCOMPARE(item("born")->ValueLine(0), QStringLiteral("1/1/2020"));
    QVERIFY(item("id")->IsReadOnly());
}

void tst_DBInspector::shownFieldTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("shown");
    const QList<TFieldType> hidden { ftBytes,   ftVarBytes,   ftBlob,      ftMemo,        ftGraphic,
                                     ftFmtMemo, ftParadoxOle, ftDBaseOle,  ftTypedBinary, ftCursor,
                                     ftADT,     ftArray,      ftReference, ftDataSet };
    for (int type = ftUnknown; type < FieldTypeCount; ++type)
        QTest::addRow("type %d", type) << type << !hidden.contains(TFieldType(type));
}

void tst_DBInspector::shownFieldTypes()
{
    QFETCH(int, type);
    QFETCH(bool, shown);
    MemoryDataSet memory(
        { { QStringLiteral("before"), ftInteger }, { QStringLiteral("field"), TFieldType(type) } },
        { { 1, QVariant() } });
    m_source->SetDataSet(&memory);
    memory.Open();
    QCOMPARE(itemNames(), shown ? QStringList({ "before", "field" }) : QStringList({ "before" }));
    m_source->SetDataSet(nullptr);
    memory.Close();
}

void tst_DBInspector::fieldMadeVisibleIsAppended()
{
    m_dataSet->Open();
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetVisible(false);
    QVERIFY(!itemNames().contains(QStringLiteral("qty")));
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetVisible(true);
    QCOMPARE(itemNames(), QStringList({ "id", "price", "name", "born", "active", "colour", "qty" }));
    QCOMPARE(item("qty")->ValueLine(0), QStringLiteral("10"));
}

void tst_DBInspector::reopenKeepsOrOrdersItems_data()
{
    QTest::addColumn<bool>("preserve");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("preserved") << true << QStringList { "name", "id", "qty", "price", "born", "active" };
    QTest::newRow("rebuilt") << false << QStringList { "id", "qty", "price", "name", "born", "active" };
}

void tst_DBInspector::reopenKeepsOrOrdersItems()
{
    QFETCH(bool, preserve);
    QFETCH(QStringList, names);
    m_inspector->SetPreserveLayout(preserve);
    m_dataSet->Open();
    item("name")->SetIndex(0);
    m_dataSet->Close();
    // The column goes while the dataset is closed: its item goes with it at the reopen.
    QVERIFY(TestDatabase::exec(QStringLiteral("ALTER TABLE sample DROP COLUMN colour")));
    m_dataSet->Open();
    QCOMPARE(itemNames(), names);
    QCOMPARE(item("name")->ValueLine(0), QStringLiteral("Name 1"));
    QVERIFY(item("name")->Enabled());
}

void tst_DBInspector::fieldSettingsReachItem()
{
    m_dataSet->Open();
    m_dataSet->FieldByName(QStringLiteral("colour"))->SetLookup(true);
    m_dataSet->FieldByName(QStringLiteral("qty"))->SetReadOnly(true);
    m_dataSet->FieldByName(QStringLiteral("price"))->SetDisplayLabel(QStringLiteral("Unit price"));
    QCOMPARE(item("colour")->EditStyle(), esPickList);
    QVERIFY(item("qty")->IsReadOnly());
    QVERIFY(!item("name")->IsReadOnly());
    QCOMPARE(itemNames().at(2), QStringLiteral("Unit price"));
    QCOMPARE(item("Unit price")->DataField(), QStringLiteral("price"));
    // A read-only field takes no edit: the record is not even put into edit state.
    QVERIFY(
        edit(QStringLiteral("qty"), 1, QStringLiteral("3")).contains(QLatin1String("cannot be modified")));
    QCOMPARE(m_dataSet->State(), dsBrowse);
}

void tst_DBInspector::categoryChildrenFollowCategoryLink()
{
    m_dataSet->Open();
    TQXDBItemProp *stock = m_inspector->GetItems()->AddCategory(QStringLiteral("Stock"));
    item("qty")->SetCollection(stock->GetItems());
    m_dataSet->Next();
    QCOMPARE(item("Stock.qty")->ValueLine(0), QStringLiteral("20"));
    // An edit there is written through the category's link.
    QCOMPARE(edit(QStringLiteral("Stock.qty"), 1, QStringLiteral("21")), QString());
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("21"));
    m_dataSet->Cancel();
    // Reopened, the item is found in its category: it stays there and is not made again at the top.
    m_dataSet->Close();
    m_dataSet->Open();
    QCOMPARE(item("Stock.qty")->ValueLine(0), QStringLiteral("10"));
    QVERIFY(!itemNames().contains(QStringLiteral("qty")));
}

void tst_DBInspector::invalidFieldNameKeepsOldName()
{
    m_dataSet->Open();
    TQXDBItemProp *qty = item("qty");
    QCOMPARE(QXTest::raised([&] { qty->SetDataField(QStringLiteral("nothing")); }),
             qMakePair(QStringLiteral("EQXException"), QStringLiteral("Invalid Field Name")));
    QCOMPARE(qty->DataField(), QStringLiteral("qty"));
}

void tst_DBInspector::freedDataSourceLeavesItemsDisabled()
{
    m_dataSet->Open();
    FreeAndNil(m_source);
    QCOMPARE(m_inspector->DataSource(), nullptr);
    QVERIFY(!item("qty")->Enabled());
    QCOMPARE(item("qty")->ValueLine(0), QStringLiteral("10"));
    // The dataset no longer reaches the inspector.
    m_dataSet->Next();
    QCOMPARE(item("qty")->ValueLine(0), QStringLiteral("10"));
}

void tst_DBInspector::recordLines_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("sizedWhenOpen");
    QTest::newRow("one line") << int(TQXCustomItemListEditor::goVertical) << 1 << false;
    QTest::newRow("three lines") << int(TQXCustomItemListEditor::goVertical) << 3 << false;
    QTest::newRow("three lines, horizontal") << int(TQXCustomItemListEditor::goHorizontal) << 3 << false;
    QTest::newRow("three lines made when open") << int(TQXCustomItemListEditor::goVertical) << 3 << true;
}

void tst_DBInspector::recordLines()
{
    QFETCH(int, orientation);
    QFETCH(int, records);
    QFETCH(bool, sizedWhenOpen);
    m_inspector->SetOrientation(TQXGridOrientation(orientation));
    if (sizedWhenOpen)
        m_dataSet->Open();
    m_inspector->SetGridCount(gcValueLineCount, records + 1);
    m_dataSet->Open();
    m_dataSet->Next();
    QCOMPARE(m_inspector->GetItems()->DataLink()->BufferCount(), records);
    // The window holds the current record; value line 1 shows the window's first record.
    const int first = records == 1 ? 1 : 0;
    QStringList expected;
    for (int i = 0; i < records; ++i)
        expected << QStringLiteral("Name %1").arg(first + i + 1);
    QCOMPARE(item("name")->ValueLines(), expected);
}

void tst_DBInspector::editInSecondLineReachesSecondRecord()
{
    m_inspector->SetGridCount(gcValueLineCount, 4);
    m_dataSet->Open();
    QCOMPARE(edit(QStringLiteral("qty"), 2, QStringLiteral("77")), QString());
    QCOMPARE(m_dataSet->State(), dsEdit);
    QCOMPARE(m_dataSet->RecNo(), 1);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("77"));
    QCOMPARE(item("qty")->ValueLines(), QStringList({ "10", "77", "30" }));
    QCOMPARE(TestDatabase::stored(2, QStringLiteral("qty")).toInt(), 20);
    m_dataSet->Post();
    QCOMPARE(TestDatabase::stored(2, QStringLiteral("qty")).toInt(), 77);
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 10);
}

void tst_DBInspector::refusedPostLeavesUserText()
{
    m_dataSet->Open();
    edit(QStringLiteral("qty"), 1, QStringLiteral("-5"));
    const QString message = QXTest::raisedMessage<EDatabaseError>([&] { m_dataSet->Post(); });
    QVERIFY2(message.contains(QLatin1String("qty_not_negative")), qPrintable(message));
    m_inspector->RefreshDataSources(false);
    QCOMPARE(item("qty")->ValueLine(0), QStringLiteral("-5"));
    QCOMPARE(m_dataSet->State(), dsEdit);
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 10);
}

void tst_DBInspector::linesPastBufferedRecordsAreEmptyAndRefuseEdits()
{
    m_inspector->SetGridCount(gcValueLineCount, 4);
    m_dataSet->Open();
    QCOMPARE(item("name")->ValueLine(2), QStringLiteral("Name 3"));
    // The selected item takes the field's text on its current line only when it is bound again.
    m_inspector->SetSelected(item("name"));
    m_inspector->SetGridCount(gcCurValuePos, 1);
    m_dataSet->Close();
    QVERIFY(TestDatabase::exec(QStringLiteral("DELETE FROM sample WHERE id > 2")));
    m_dataSet->Open();
    QCOMPARE(item("name")->ValueLines(), QStringList({ "Name 1", "Name 2", "" }));

    const QString refused = edit(QStringLiteral("name"), 3, QStringLiteral("Ghost"));
    QVERIFY2(refused.contains(QLatin1String("shows no record")), qPrintable(refused));
    QCOMPARE(m_dataSet->State(), dsBrowse);
    QCOMPARE(TestDatabase::stored(2, QStringLiteral("name")).toString(), QStringLiteral("Name 2"));
}

void tst_DBInspector::twoInspectorsOnOneDataSet()
{
    // A full view of three records and a compact one of the current record, on one data source.
    m_inspector->SetGridCount(gcValueLineCount, 4);
    auto *compact = Create<TQXDBInspector>(nullptr);
    auto freeCompact = qScopeGuard([&] { Free(compact); });
    compact->SetGridCount(gcValueLineCount, 2);
    compact->SetDataSource(m_source);
    m_dataSet->Open();
    const auto qtyLines = [](TQXDBInspector *Inspector) {
        return Inspector->GetItems()->FindItemByFullPathName(QStringLiteral("qty"))->ValueLines();
    };

    // The third record is outside the compact view's window.
    QCOMPARE(edit(QStringLiteral("qty"), 3, QStringLiteral("77")), QString());
    QCOMPARE(m_dataSet->EditRecord(), 2);
    QCOMPARE(m_dataSet->RecNo(), 2);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("77"));
    QCOMPARE(qtyLines(m_inspector), QStringList({ "10", "20", "77" }));
    QCOMPARE(qtyLines(compact), QStringList({ "10" }));

    // An edit in the compact view posts the other record first.
    QCOMPARE(edit(compact, QStringLiteral("qty"), 1, QStringLiteral("55")), QString());
    QCOMPARE(TestDatabase::stored(3, QStringLiteral("qty")).toInt(), 77);
    QCOMPARE(m_dataSet->EditRecord(), 0);
    QCOMPARE(qtyLines(m_inspector), QStringList({ "55", "20", "77" }));
    QCOMPARE(qtyLines(compact), QStringList({ "55" }));
    m_dataSet->Post();
    QCOMPARE(TestDatabase::stored(1, QStringLiteral("qty")).toInt(), 55);
}

void tst_DBInspector::filtersApplyAfterQueue_data()
{
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<int>("options");
    QTest::addColumn<QStringList>("names");
    const QStringList all { "id", "qty", "price", "name", "born", "active", "colour" };
    QTest::newRow("label removes item, any case")
        << QStringList { "PRICE" } << 0 << QStringList { "id", "qty", "name", "born", "active", "colour" };
    QTest::newRow("case-sensitive miss")
        << QStringList { "PRICE" } << int(TQXCustomItemListEditor::foCaseSensitive) << all;
    QTest::newRow("inclusive keeps listed")
        << QStringList { "Qty", "name" } << int(TQXCustomItemListEditor::foInclusive)
        << QStringList { "qty", "name" };
}

void tst_DBInspector::filtersApplyAfterQueue()
{
    QFETCH(QStringList, filters);
    QFETCH(int, options);
    QFETCH(QStringList, names);
    m_dataSet->Open();
    const QStringList before = itemNames();
    m_inspector->SetFilterOptions(TILEFilterOptions(options));
    m_inspector->Filters()->SetText(filters.join(QLatin1Char('\n')));
    QCOMPARE(itemNames(), before);
    QXTest::settle();
    QCOMPARE(itemNames(), names);
}

void tst_DBInspector::collectionHandlerSilencesInspector_data()
{
    QTest::addColumn<bool>("collectionHandler");
    QTest::newRow("inspector's handler") << false;
    QTest::newRow("collection's handler") << true;
}

void tst_DBInspector::collectionHandlerSilencesInspector()
{
    QFETCH(bool, collectionHandler);
    m_inspector->SetGridCount(gcValueLineCount, 4);
    m_dataSet->Open();
    int inspectorCalls = 0;
    int collectionCalls = 0;
    m_inspector->OnItemsDataChanged = [&](QObject *Sender, TQXDBItemProps *, TDataSource *Source) {
        QCOMPARE(Sender, m_inspector);
        QCOMPARE(Source, m_source);
        ++inspectorCalls;
    };
    if (collectionHandler)
        m_inspector->GetItems()->OnDataChanged
            = [&](QObject *, TQXDBItemProps *, TDataSource *) { ++collectionCalls; };
    m_dataSet->Next();
    // Once per buffered record, to one handler only.
    QCOMPARE(inspectorCalls, collectionHandler ? 0 : 3);
    QCOMPARE(collectionCalls, collectionHandler ? 3 : 0);
}

void tst_DBInspector::itemHandlerSilencesInspector_data()
{
    // Which handler is assigned, and which event a reopen fires.
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("event");
    QTest::newRow("item data") << "item"
                               << "data";
    QTest::newRow("item layout") << "item"
                                 << "layout";
    QTest::newRow("collection layout") << "collection"
                                       << "layout";
}

void tst_DBInspector::itemHandlerSilencesInspector()
{
    QFETCH(QString, level);
    QFETCH(QString, event);
    m_dataSet->Open();
    TQXDBItemProp *qty = item("qty");
    TQXDBItemProps *items = m_inspector->GetItems();
    QStringList inspectorSaw;
    QStringList ownSaw;
    const auto itemEvent = [&](QStringList &Log) {
        return [&Log](QObject *, TQXDBItemProp *Item, TField *Field) {
            Log << Item->DataField() + QLatin1Char('=') + (Field ? Field->FieldName() : QString());
        };
    };
    const auto itemsEvent = [&](QStringList &Log) {
        return [&Log](QObject *, TQXDBItemProps *, TDataSource *) { Log << QStringLiteral("items"); };
    };
    const bool data = event == QLatin1String("data");
    if (level == QLatin1String("item")) {
        (data ? m_inspector->OnItemDataChanged : m_inspector->OnItemLayoutChanged) = itemEvent(inspectorSaw);
        (data ? qty->OnDataChanged : qty->OnLayoutChanged) = itemEvent(ownSaw);
    } else {
        m_inspector->OnItemsLayoutChanged = itemsEvent(inspectorSaw);
        items->OnLayoutChanged = itemsEvent(ownSaw);
    }
    if (data)
        m_dataSet->Next();
    else
        m_inspector->RefreshDataSources(true);
    if (level == QLatin1String("item")) {
        // The item's own handler hears of its field; the inspector's hears of every other item only.
        QCOMPARE(ownSaw, QStringList({ "qty=qty" }));
        QVERIFY(!inspectorSaw.contains(QLatin1String("qty=qty")));
        QVERIFY(inspectorSaw.contains(QLatin1String("name=name")));
    } else {
        QCOMPARE(ownSaw, QStringList({ "items" }));
        QCOMPARE(inspectorSaw, QStringList());
    }
}

void tst_DBInspector::detailDataSourceOnChildren()
{
    // A second dataset (the same table, its own cursor) behind the children of one item.
    auto *detail = Create<TQXSqlDataSet>(nullptr);
    auto *detailSource = Create<TDataSource>(nullptr);
    auto freeDetail = qScopeGuard([&] {
        detail->Cancel();
        Free(detailSource);
        Free(detail);
    });
    detail->SetConnectionName(TestDatabase::connectionName());
    detail->SetTableName(QStringLiteral("sample"));
    detailSource->SetDataSet(detail);
    m_dataSet->Open();
    TQXDBItemProp *orders = m_inspector->GetItems()->Add();
    orders->SetName(QStringLiteral("Orders"));
    orders->GetItems()->SetDataSource(detailSource);
    detail->Open();
    detail->Last();
    QCOMPARE(item("Orders.name")->ValueLine(0), QStringLiteral("Name 5"));
    QCOMPARE(item("name")->ValueLine(0), QStringLiteral("Name 1"));

    // Each follows its own dataset, and an edit of a child goes to the detail.
    m_dataSet->Next();
    QCOMPARE(item("Orders.name")->ValueLine(0), QStringLiteral("Name 5"));
    QCOMPARE(item("name")->ValueLine(0), QStringLiteral("Name 2"));
    QCOMPARE(edit(QStringLiteral("Orders.qty"), 1, QStringLiteral("3")), QString());
    QCOMPARE(detail->State(), dsEdit);
    QCOMPARE(m_dataSet->State(), dsBrowse);
    detail->Post();
    QCOMPARE(TestDatabase::stored(5, QStringLiteral("qty")).toInt(), 3);
    // Closed, the detail's items stay, disabled; the master's are untouched.
    detail->Close();
    QVERIFY(!item("Orders.qty")->Enabled());
    QVERIFY(item("qty")->Enabled());
}

void tst_DBInspector::refusedValueIsWrappedOnce()
{
    // No in-place editor is open (a value set by code): the message still names the value, once.
    m_dataSet->Open();
    const QString refused = edit(QStringLiteral("qty"), 1, QStringLiteral("12abc"));
    QVERIFY2(refused.startsWith(QLatin1String("\"12abc\" is not a valid property value: ")),
             qPrintable(refused));
    QCOMPARE(refused.count(QLatin1String("is not a valid property value")), 1);
    QCOMPARE(m_dataSet->FieldByName(QStringLiteral("qty"))->Text(), QStringLiteral("10"));
}

QTEST_MAIN(tst_DBInspector)
#include "tst_dbinspector.moc"
