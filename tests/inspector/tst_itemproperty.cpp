// The inspector's rows: what a property row knows of its property, the typed accessors that read and
// write it on the inspected objects, refreshing the shown texts, writing an edited text back (set
// members included), the changed-value font, and the messages a rejected edit produces.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/FormatSettings.h>
#include <QXInspector/QXException.h>
#include <QXInspector/QXObjectInspector.h>

#include <QApplication>
#include <QTest>

#include <memory>

using namespace QXPlatform;

namespace {

using QXTest::raised;
using QXTest::settle;
/// A row collection that counts the change notifications of its rows.
class CountingRows : public TQXItemProperties
{
    Q_OBJECT
public:
    using TQXItemProperties::TQXItemProperties;
    int updates = 0;

protected:
    void Update(TCollectionItem *Item) override
    {
        ++updates;
        TQXItemProperties::Update(Item);
    }
};

/// A row that shows its value lines in brackets, through the refresh step that reads a line's text.
class BracketedRow : public TQXItemProperty
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit BracketedRow(QXPlatform::TCollection *Collection)
        : TQXItemProperty(Collection)
    { }

protected:
    bool ReadValueText(TQXRefreshedLine &Line) override
    {
        const bool read = TQXItemProperty::ReadValueText(Line);
        Line.Text = QLatin1Char('[') + Line.Text + QLatin1Char(']');
        return read;
    }
};

/// An inspector whose top rows are BracketedRow.
class BracketedInspector : public TQXObjectInspector
{
    Q_OBJECT
public:
    using TQXObjectInspector::TQXObjectInspector;

protected:
    TQXItemProps *CreateItems(QObject *Owner) override
    {
        if (qobject_cast<TQXItemProp *>(Owner))
            return TQXObjectInspector::CreateItems(Owner);
        auto *items = Create<TQXItemProperties>(Owner, &BracketedRow::staticMetaObject);
        items->SetSorted(true);
        return items;
    }
};

} // namespace

class tst_ItemProperty : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;
    QStringList validateErrors;
    QStringList validateErrorClasses;
    QList<int> validateErrorColumns;
    QStringList handled;
    TExceptionHandler previousHandler;

    TQXItemProperty *row(const QString &path) const
    {
        return inspector->GetItems()->FindItemByFullPathName(path);
    }
    /// Inspects the objects and runs the queued scan.
    void inspect(std::initializer_list<QObject *> objects, bool multi = false)
    {
        if (multi)
            inspector->SetDisplayOptions(inspector->DisplayOptions()
                                         | TQXCustomItemListEditor::doMultiColValues);
        for (QObject *object : objects)
            inspector->Objects()->Add(object);
        settle();
    }
    /// The text of a row's value cell in value line Line (1 = the first value line).
    QString cellOf(TQXItemProperty *item, int Line = 1) const
    {
        if (!item || item->GetAbsoluteVIndex() < 0)
            return QStringLiteral("<row not shown>");
        return inspector->GetCell(Line, item->GetAbsoluteVIndex() + inspector->FixedRows());
    }
    /// Shows the inspector and opens its in-place editor on Item's first value cell.
    void editInPlace(TQXItemProperty *Item)
    {
        inspector->SetOptions(inspector->Options() | TCustomDrawGrid::goEditing);
        inspector->resize(400, 600);
        inspector->show();
        QApplication::setActiveWindow(inspector);
        QVERIFY(QTest::qWaitForWindowExposed(inspector));
        inspector->SetSelected(Item);
        inspector->SetCol(1);
        inspector->ShowEditor();
        QVERIFY(inspector->HasInplaceEditor());
    }

private slots:
    void init()
    {
        validateErrors.clear();
        validateErrorClasses.clear();
        validateErrorColumns.clear();
        handled.clear();
        previousHandler
            = SetExceptionHandler([this](std::exception_ptr e) { handled << ExceptionMessage(e); });
        inspector = Create<TQXObjectInspector>();
        inspector->resize(400, 600);
        inspector->OnValidateError = [this](QObject *, TQXItemProp *, int ACol, const Exception &e) {
            validateErrorColumns << ACol;
            validateErrors << e.Message();
            validateErrorClasses << e.ClassName();
        };
    }
    void cleanup()
    {
        FreeAndNil(inspector);
        settle();
        SetExceptionHandler(previousHandler);
        QVERIFY2(handled.isEmpty(), qPrintable(handled.join(QLatin1Char('\n'))));
    }

    // ------------------------------------------------------------------------------------------------
    // Property data and navigation

    void fullPathPropNameFollowsRealNamesNotShownNames()
    {
        Part part;
        part.Size = 2;
        Profile profile;
        profile.SetPiece(&part);
        inspect({ &profile });
        TQXItemProperty *piece = row("Piece");
        QVERIFY(piece);
        QCOMPARE(piece->GetFullPathPropName(), QStringLiteral("Piece"));
        // A preset alias renames the row; the property it stands for stays.
        piece->SetName(QStringLiteral("Bit"));
        TQXItemProperty *size = row("Bit.Size");
        QVERIFY(size);
        QCOMPARE(size->RealPropName(), QStringLiteral("Size"));
        QCOMPARE(size->GetFullPathName(), QStringLiteral("Bit.Size"));
        QCOMPARE(size->GetFullPathPropName(), QStringLiteral("Piece.Size"));
        size->SetValue(QStringLiteral("9"));
        size->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(part.Size, 9);
    }
    void fullPathPropNameUsesThePathDelimiter()
    {
        Part part;
        Profile profile;
        profile.SetPiece(&part);
        inspect({ &profile });
        inspector->SetPathDelimiter(QStringLiteral("/"));
        TQXItemProperty *size = row("Piece/Size");
        QVERIFY(size);
        QCOMPARE(size->GetFullPathPropName(), QStringLiteral("Piece/Size"));
        size->SetValue(QStringLiteral("6"));
        size->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(part.Size, 6);
        QCOMPARE(size->GetOrdProperty(0), qint64(6));
    }

    void realPropNameIsTakenFromTheFirstName()
    {
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *item = rows->Add();
        item->SetName(QStringLiteral("Width"));
        QCOMPARE(item->RealPropName(), QStringLiteral("Width"));
        item->SetName(QStringLiteral("Breadth"));
        QCOMPARE(item->Name(), QStringLiteral("Breadth"));
        QCOMPARE(item->RealPropName(), QStringLiteral("Width"));
        QCOMPARE(item->GetFullPathPropName(), QStringLiteral("Width"));
        TQXItemProperty *child = item->GetItems()->Add(QStringLiteral("Part"), QString());
        QCOMPARE(child->GetParent(), item);
        QCOMPARE(child->GetFullPathPropName(), QStringLiteral("Width.Part"));
        Free(rows);
    }
    void addCategoryAlwaysAppendsANewRow()
    {
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *first = rows->AddCategory(QStringLiteral("Visual"));
        TQXItemProperty *second = rows->AddCategory(QStringLiteral("Visual"));
        QVERIFY(first != second);
        QCOMPARE(rows->Count(), 2);
        QVERIFY(first->Category() && second->Category());
        Free(rows);
    }

    void parentItemByTypeKind_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nearest class row") << "Items.Items[0].Name" << int(tkClass) << ""
                                           << "Items.Items[0]";
        QTest::newRow("type name any case") << "Items.Items[0].Name" << int(tkClass) << "tcollection"
                                            << "Items";
        QTest::newRow("item class name") << "Items.Items[0].Name" << int(tkClass) << "SAMPLEITEM"
                                         << "Items.Items[0]";
        QTest::newRow("no such type name") << "Items.Items[0].Name" << int(tkClass) << "TFont"
                                           << "";
        QTest::newRow("no such kind") << "Items.Items[0].Name" << int(tkSet) << ""
                                      << "";
        QTest::newRow("set of a member") << "Options.opSecond" << int(tkSet) << "toptions"
                                         << "Options";
        QTest::newRow("itself is no ancestor") << "Items" << int(tkClass) << ""
                                               << "";
    }
    void parentItemByTypeKind()
    {
        QFETCH(QString, path);
        QFETCH(int, kind);
        QFETCH(QString, typeName);
        QFETCH(QString, expected);
        Sample sample;
        sample.AddItem(QStringLiteral("first"));
        inspector->SetInplaceCollections(true);
        inspect({ &sample });
        TQXItemProperty *item = row(path);
        QVERIFY2(item, qPrintable(path));
        TQXItemProperty *found = item->GetParentItem(TTypeKind(kind), typeName);
        QCOMPARE(found ? found->GetFullPathName() : QString(), expected);
    }
    void parentItemByPropertyKind()
    {
        Sample sample;
        sample.AddItem(QStringLiteral("first"));
        inspector->SetInplaceCollections(true);
        inspect({ &sample });
        TQXItemProperty *name = row("Items.Items[0].Name");
        QVERIFY(name);
        QCOMPARE(name->GetParentItem(pkCollectionItem), row("Items.Items[0]"));
        QCOMPARE(name->GetParentItem(pkCollection), row("Items"));
        QCOMPARE(name->GetParentItem(pkSet), nullptr);
        QCOMPARE(row("Items")->GetParentItem(pkCollection), nullptr); // only ancestors count
        QCOMPARE(row("Options.opThird")->GetParentItem(pkSet), row("Options"));
        QCOMPARE(row("Options.opThird")->GetParentItem(pkNormal), nullptr);
    }

    void settersReportOnlyChanges_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("first"); // notifications of the first call
        QTest::addColumn<int>("second"); // and of the same call again
        QTest::newRow("AllEqual") << "AllEqual" << 1 << 0;
        QTest::newRow("RealPropName") << "RealPropName" << 1 << 0;
        QTest::newRow("TypeKind") << "TypeKind" << 1 << 0;
        QTest::newRow("TypeName") << "TypeName" << 1 << 0;
        QTest::newRow("PropertyKind") << "PropertyKind" << 0 << 0;
        QTest::newRow("IsRealProperty") << "IsRealProperty" << 0 << 0;
        QTest::newRow("RealValues") << "RealValues" << 1 << 0;
    }
    void settersReportOnlyChanges()
    {
        QFETCH(QString, setter);
        QFETCH(int, first);
        QFETCH(int, second);
        auto *rows = Create<CountingRows>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *item = rows->Add();
        item->SetRealPropName(QStringLiteral("Tag"));
        const auto call = [&] {
            if (setter == QLatin1String("AllEqual"))
                item->SetAllEqual(true);
            else if (setter == QLatin1String("RealPropName"))
                item->SetRealPropName(QStringLiteral("Caption"));
            else if (setter == QLatin1String("TypeKind"))
                item->SetTypeKind(tkSet);
            else if (setter == QLatin1String("TypeName"))
                item->SetTypeName(QStringLiteral("TAlign"));
            else if (setter == QLatin1String("PropertyKind"))
                item->SetPropertyKind(pkSet);
            else if (setter == QLatin1String("IsRealProperty"))
                item->SetIsRealProperty(true);
            else
                item->SetRealValues(0, 42);
        };
        rows->updates = 0;
        call();
        QCOMPARE(rows->updates, first);
        rows->updates = 0;
        call();
        QCOMPARE(rows->updates, second);
        // Whatever was reported, the value is stored.
        QVERIFY(item->IsAllEqual() || setter != QLatin1String("AllEqual"));
        QVERIFY(item->PropertyKind() == pkSet || setter != QLatin1String("PropertyKind"));
        QVERIFY(item->IsRealProperty() || setter != QLatin1String("IsRealProperty"));
        Free(rows);
    }
    void setRealValuesComparesAsVariants()
    {
        auto *rows = Create<CountingRows>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *item = rows->Add();
        rows->updates = 0;
        item->SetRealValues(1, QVariant()); // an empty slot takes even an empty value, and says so
        QCOMPARE(rows->updates, 1);
        QCOMPARE(item->GetRealValues().size(), 2);
        item->SetRealValues(1, 7);
        QCOMPARE(rows->updates, 2);
        item->SetRealValues(1, 7.0); // the same number in another type
        QCOMPARE(rows->updates, 2);
        item->SetRealValues(1, 8);
        QCOMPARE(rows->updates, 3);
        QCOMPARE(item->RealValues(1), QVariant(8));
        QVERIFY(!item->RealValues(0).isValid());
        Free(rows);
    }

    void isAllValuesEqual_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<bool>("expected");
        QTest::newRow("none") << QVariantList() << true;
        QTest::newRow("one") << QVariantList { 5 } << true;
        QTest::newRow("same") << QVariantList { 5, 5, 5 } << true;
        QTest::newRow("last differs") << QVariantList { 5, 5, 6 } << false;
        QTest::newRow("second differs") << QVariantList { 5, 6, 5 } << false;
        QTest::newRow("same number, other type") << QVariantList { 5, 5.0 } << true;
        QTest::newRow("texts differ in case")
            << QVariantList { QStringLiteral("a"), QStringLiteral("A") } << false;
        QTest::newRow("same texts") << QVariantList { QStringLiteral("a"), QStringLiteral("a") } << true;
        QTest::newRow("Booleans") << QVariantList { true, false } << false;
    }
    void isAllValuesEqual()
    {
        QFETCH(QVariantList, values);
        QFETCH(bool, expected);
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *item = rows->Add();
        for (int i = 0; i < values.size(); ++i)
            item->SetRealValues(i, values.at(i));
        QCOMPARE(item->IsAllValuesEqual(), expected);
        Free(rows);
    }
    void allValuesEqualFollowsTheObjectsInMultiLayout()
    {
        Profile a, b, c;
        a.Tag = b.Tag = 4;
        c.Tag = 5;
        inspect({ &a, &b }, true);
        QVERIFY(row("Tag")->IsAllValuesEqual());
        inspector->Objects()->Add(&c);
        settle();
        QVERIFY(!row("Tag")->IsAllValuesEqual());
        QCOMPARE(row("Tag")->GetRealValues().size(), 3);
        c.Tag = 4;
        inspector->RefreshProperties();
        QVERIFY(row("Tag")->IsAllValuesEqual());
        // One value line for all objects: one real value.
        inspector->SetDisplayOptions(inspector->DisplayOptions()
                                     & ~TQXCustomItemListEditor::doMultiColValues);
        settle();
        QCOMPARE(row("Tag")->GetRealValues().size(), 1);
    }

    void assignFromAPlainItemChangesOnlyTheItemData()
    {
        Profile profile;
        profile.Tag = 5;
        inspect({ &profile });
        TQXItemProperty *tag = row("Tag");
        auto *plainRows = Create<TQXItemProps>(nullptr, &TQXItemProp::staticMetaObject);
        TQXItemProp *plain = plainRows->Add(QStringLiteral("Other"), QStringLiteral("x"));
        plain->SetHint(QStringLiteral("a hint"));
        tag->Assign(plain);
        QCOMPARE(tag->Name(), QStringLiteral("Other"));
        QCOMPARE(tag->GetValue(), QStringLiteral("x"));
        QCOMPARE(tag->Hint(), QStringLiteral("a hint"));
        QCOMPARE(tag->RealPropName(), QStringLiteral("Tag"));
        QCOMPARE(tag->TypeName(), QStringLiteral("Integer"));
        QCOMPARE(tag->TypeKind(), tkInteger);
        QCOMPARE(tag->PropertyKind(), pkNormal);
        QVERIFY(tag->IsRealProperty());
        QVERIFY(tag->IsAllEqual());
        QCOMPARE(tag->RealValues(0), QVariant(5));
        // The row still reads and writes its own property.
        QCOMPARE(tag->GetOrdProperty(0), qint64(5));
        tag->SetOrdProperty(8, -1);
        QCOMPARE(profile.Tag, 8);
        Free(plainRows);
    }
    void assignFromAPropertyRowCopiesThePropertyData()
    {
        Profile a, b;
        a.Tag = 5;
        b.Tag = 6;
        inspect({ &a, &b });
        TQXItemProperty *tag = row("Tag");
        QVERIFY(!tag->IsAllEqual());
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *copy = rows->Add();
        copy->SetAllEqual(true);
        copy->Assign(tag);
        QCOMPARE(copy->Name(), QStringLiteral("Tag"));
        QCOMPARE(copy->RealPropName(), QStringLiteral("Tag"));
        QCOMPARE(copy->TypeName(), QStringLiteral("Integer"));
        QCOMPARE(copy->TypeKind(), tkInteger);
        QCOMPARE(copy->PropertyKind(), pkNormal);
        QVERIFY(copy->IsRealProperty());
        QVERIFY(!copy->IsAllEqual());
        QCOMPARE(copy->RealValues(0), QVariant(5));
        // A copy, not a share: refreshing the source leaves the copy's values alone.
        a.Tag = 9;
        QVERIFY(tag->RefreshValue());
        QCOMPARE(tag->RealValues(0), QVariant(9));
        QCOMPARE(copy->RealValues(0), QVariant(5));
        Free(rows);
    }

    void assignEventsCopiesThePropertyHandlers()
    {
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *source = rows->Add();
        TQXItemProperty *target = rows->Add();
        QStringList calls;
        source->OnGetProperty = [&](QObject *, QObject *, const QString &, QString &) { calls << "get"; };
        source->OnSetProperty
            = [&](QObject *, QObject *, const QString &, const QString &) { calls << "set"; };
        source->OnRefreshValue = [&](QObject *, TQXItemProperty *) { calls << "refresh"; };
        source->OnValidate = [&](QObject *, TQXItemProp *, int) { calls << "validate"; };
        target->AssignEvents(source);
        QString text;
        target->OnGetProperty(nullptr, nullptr, QString(), text);
        target->OnSetProperty(nullptr, nullptr, QString(), QString());
        target->OnRefreshValue(nullptr, target);
        target->OnValidate(nullptr, target, 0);
        QCOMPARE(calls, QStringList({ "get", "set", "refresh", "validate" }));
        Free(rows);
    }

    // ------------------------------------------------------------------------------------------------
    // State

    void setRowsStayReadOnly()
    {
        Profile profile;
        inspect({ &profile });
        TQXItemProperty *set = row("Members");
        set->SetReadOnly(false);
        QVERIFY(set->IsReadOnly());
        QVERIFY(!row("Members.A")->IsReadOnly());
        QVERIFY(!row("Tag")->IsReadOnly());
    }
    void readOnlyRowsHideWithoutShowReadOnly_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("shown");
        QTest::newRow("read-only integer") << "ReadOnlyTag" << false;
        QTest::newRow("writable integer") << "Tag" << true;
        QTest::newRow("sub-object") << "Font" << true;
        QTest::newRow("set") << "Options" << true;
        QTest::newRow("collection") << "Items" << true;
    }
    void readOnlyRowsHideWithoutShowReadOnly()
    {
        QFETCH(QString, path);
        QFETCH(bool, shown);
        Sample sample;
        inspect({ &sample });
        TQXItemProperty *item = row(path);
        QVERIFY(item);
        QVERIFY(item->IsVisibleItem());
        QVERIFY(item->GetAbsoluteVIndex() >= 0);
        inspector->SetDisplayOptions(inspector->DisplayOptions() & ~TQXCustomItemListEditor::doShowReadOnly);
        QCOMPARE(item->IsVisibleItem(), shown);
        QCOMPARE(item->GetAbsoluteVIndex() >= 0, shown);
        QCOMPARE(cellOf(item, 0) == path, shown);
    }

    // ------------------------------------------------------------------------------------------------
    // Typed access

    void typedReadersReadTheObjectAtTheirIndex()
    {
        Part pa, pb;
        Profile a, b;
        a.Tag = 1;
        b.Tag = 2;
        a.Ratio = 0.25;
        b.Ratio = 4.5;
        a.Big = qint64(1) << 40;
        b.Big = -3;
        a.Caption = QStringLiteral("first");
        b.Caption = QStringLiteral("second");
        a.SetPiece(&pa);
        b.SetPiece(&pb);
        inspect({ &a, &b });
        QCOMPARE(row("Tag")->GetOrdProperty(0), qint64(1));
        QCOMPARE(row("Tag")->GetOrdProperty(1), qint64(2));
        QCOMPARE(row("Ratio")->GetFloatProperty(1), 4.5);
        QCOMPARE(row("Big")->GetInt64Property(0), qint64(1) << 40);
        QCOMPARE(row("Big")->GetInt64Property(1), qint64(-3));
        QCOMPARE(row("Caption")->GetStringProperty(1), QStringLiteral("second"));
        QCOMPARE(row("Caption")->GetVariantProperty(0).toString(), QStringLiteral("first"));
        QCOMPARE(row("Piece")->GetObjectProperty(0), &pa);
        QCOMPARE(row("Piece")->GetObjectProperty(1), &pb);
        QCOMPARE(row("Piece")->GetObjectPropertyClass(), &Part::staticMetaObject);
        // A sub-property row reads through its path.
        pb.Size = 12;
        QCOMPARE(row("Piece.Size")->GetOrdProperty(1), qint64(12));
        // Single-value layout: -1 is the one value line, the first object.
        QCOMPARE(row("Tag")->GetOrdProperty(-1), qint64(1));
    }
    void realRowWithoutInspectorReadsNothing()
    {
        auto *rows = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
        TQXItemProperty *item = rows->Add(QStringLiteral("Tag"), QStringLiteral("12"));
        item->SetIsRealProperty(true);
        item->SetTypeKind(tkInteger);
        QCOMPARE(item->GetEditor(), nullptr);
        QCOMPARE(item->GetOrdProperty(0), qint64(0));
        QCOMPARE(item->GetFloatProperty(0), 0.0);
        QCOMPARE(item->GetInt64Property(0), qint64(0));
        QCOMPARE(item->GetStringProperty(0), QString()); // not the row's own text: there is no object
        QVERIFY(!item->GetVariantProperty(0).isValid());
        QCOMPARE(item->GetObjectProperty(0), nullptr);
        QCOMPARE(item->GetObjectPropertyClass(), nullptr);
        QVERIFY(!item->GetMethodProperty(0).isValid());
        QVERIFY(!item->IsModified());
        QVERIFY(!item->IsModified(0));
        QVERIFY(item->RefreshValue()); // nothing to read, nothing lost
        QCOMPARE(item->GetValue(), QStringLiteral("12"));
        Free(rows);
    }
    void objectWriterChecksTheClassAndStillQueuesTheRefresh()
    {
        Part first, second;
        Node stranger;
        Profile profile;
        profile.SetPiece(&first);
        inspect({ &profile });
        TQXItemProperty *piece = row("Piece");
        int changed = 0;
        inspector->OnPropertyChanged = [&](QObject *, TQXItemProperty *) { ++changed; };
        piece->SetObjectProperty(&second, -1);
        QCOMPARE(profile.Piece(), &second);
        settle();
        QCOMPARE(changed, 1);
        QCOMPARE(raised([&] { piece->SetObjectProperty(&stranger, -1); }).first,
                 QStringLiteral("EPropertyConvertError"));
        QCOMPARE(profile.Piece(), &second);
        settle();
        QCOMPARE(changed, 2);
        piece->SetObjectProperty(nullptr, 0);
        QCOMPARE(profile.Piece(), nullptr);
    }
    void methodRowsReadAndWriteTheHandler()
    {
        Sample sample;
        inspector->SetDisplayKinds(inspector->DisplayKinds() | tkMethod);
        inspect({ &sample });
        TQXItemProperty *onClick = row("OnClick");
        QVERIFY(onClick);
        QCOMPARE(onClick->TypeKind(), tkMethod);
        QVERIFY(onClick->IsReadOnly());
        QCOMPARE(onClick->GetValue(), QStringLiteral("TNotifyEvent"));
        QObject *clickedBy = nullptr;
        TNotifyEvent handler = [&](QObject *Sender) { clickedBy = Sender; };
        onClick->SetMethodProperty(QVariant::fromValue(handler), -1);
        QVERIFY(bool(sample.OnClick));
        sample.OnClick(&sample);
        QCOMPARE(clickedBy, &sample);
        const QVariant read = onClick->GetMethodProperty(0);
        QVERIFY(read.canConvert<TNotifyEvent>());
        QVERIFY(bool(read.value<TNotifyEvent>()));
        settle();
        QCOMPARE(onClick->GetValue(), QStringLiteral("TNotifyEvent")); // a handler does not change the text
    }
    void collectionItemRowsAnswerWithTheirItem()
    {
        Sample sample;
        sample.AddItem(QStringLiteral("first"));
        SampleItem *second = sample.AddItem(QStringLiteral("second"));
        inspector->SetInplaceCollections(true);
        inspect({ &sample });
        TQXItemProperty *item = row("Items.Items[1]");
        QVERIFY(item);
        QVERIFY(!item->IsRealProperty());
        QCOMPARE(item->PropertyKind(), pkCollectionItem);
        QCOMPARE(item->GetObjectProperty(0), second);
        QCOMPARE(item->GetObjectPropertyClass(), &SampleItem::staticMetaObject);
        QCOMPARE(raised([&] { item->GetOrdProperty(0); }).second,
                 QStringLiteral("Item \"Items.Items[1]\" is not a real property"));
        // The item leaves the collection under the row: the row finds nothing, and touches nothing.
        sample.Items()->Delete(1);
        QCOMPARE(item->GetObjectProperty(0), nullptr);
        TQXItemProperty *name = row("Items.Items[1].Name");
        QVERIFY(name);
        QVERIFY(!name->RefreshValue());
        QCOMPARE(name->GetStringProperty(0), QString());
        inspector->RefreshProperties();
        settle();
        QVERIFY(!row("Items.Items[1]"));
        QVERIFY(row("Items.Items[0].Name"));
    }
    // ------------------------------------------------------------------------------------------------
    // Writing

    void writersAnnounceTheChangeAndQueueARefresh_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::newRow("single-value layout") << false;
        QTest::newRow("multi-value layout") << true;
    }
    void writersAnnounceTheChangeAndQueueARefresh()
    {
        QFETCH(bool, multi);
        Profile a, b;
        a.Tag = 1;
        b.Tag = 2;
        inspect({ &a, &b }, multi);
        TQXItemProperty *tag = row("Tag");
        QVERIFY(!tag->IsAllEqual());
        if (!multi)
            QCOMPARE(cellOf(tag), QString()); // objects that differ show a blank value
        QList<int> seenOnChanging;
        QList<TQXItemProperty *> changed;
        inspector->OnPropertyChanging = [&](QObject *, TQXItemProperty *Item) {
            QCOMPARE(Item, tag);
            seenOnChanging << a.Tag << b.Tag;
        };
        inspector->OnPropertyChanged = [&](QObject *, TQXItemProperty *Item) {
            changed << Item;
            QCOMPARE(Item->ValueLine(0), QStringLiteral("7")); // fired once the rows were refreshed
        };
        tag->SetOrdProperty(7, multi ? 0 : -1);
        QCOMPARE(seenOnChanging, QList<int>({ 1, 2 }));
        QCOMPARE(a.Tag, 7);
        QCOMPARE(b.Tag, multi ? 2 : 7);
        QCOMPARE(tag->IsAllEqual(), !multi);
        QVERIFY(changed.isEmpty()); // queued
        settle();
        QCOMPARE(changed, QList<TQXItemProperty *>({ tag }));
        QCOMPARE(cellOf(tag, 1), QStringLiteral("7"));
        if (multi)
            QCOMPARE(cellOf(tag, 2), QStringLiteral("2"));
    }
    void setPropertyHandlerReplacesTheWrite_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("segment");
        QTest::newRow("top row") << "Caption"
                                 << "Caption";
        QTest::newRow("sub-property row") << "Piece.Size"
                                          << "Size";
    }
    void setPropertyHandlerReplacesTheWrite()
    {
        QFETCH(QString, path);
        QFETCH(QString, segment);
        Part part;
        Profile profile;
        profile.Caption = QStringLiteral("old");
        profile.SetPiece(&part);
        inspect({ &profile });
        TQXItemProperty *item = row(path);
        QVERIFY(item);
        QObject *expected = path.contains(QLatin1Char('.')) ? static_cast<QObject *>(&part) : &profile;
        QList<QObject *> instances;
        QStringList names, values;
        item->OnSetProperty
            = [&](QObject *Sender, QObject *Instance, const QString &PropName, const QString &Value) {
                  QCOMPARE(Sender, item);
                  instances << Instance;
                  names << PropName;
                  values << Value;
              };
        item->SetValue(QStringLiteral("12"));
        item->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(instances, QList<QObject *>({ expected }));
        QCOMPARE(names, QStringList({ segment }));
        QCOMPARE(values, QStringList({ "12" }));
        QCOMPARE(profile.Caption, QStringLiteral("old"));
        QCOMPARE(part.Size, 1);
    }
    void setPropertyHandlerOfAPathThatNoLongerResolves()
    {
        // A row with a writer but no reader: once its sub-object is gone there is nothing to read the old
        // value from, and the writer is still asked, with no object.
        Part part;
        Profile profile;
        profile.SetPiece(&part);
        inspect({ &profile });
        TQXItemProperty *size = row("Piece.Size");
        QVERIFY(size);
        QList<QObject *> instances;
        size->OnSetProperty
            = [&](QObject *, QObject *Instance, const QString &, const QString &) { instances << Instance; };
        profile.SetPiece(nullptr);
        QVERIFY(inspector->SetPropertyValue(&profile, size, QStringLiteral("5")));
        QCOMPARE(instances, QList<QObject *>({ nullptr }));
    }
    void validatedEventSeesTheObjectWritten()
    {
        Profile profile;
        inspect({ &profile });
        TQXItemProperty *tag = row("Tag");
        QList<int> seen;
        inspector->OnValidate = [&](QObject *, TQXItemProp *, int) { seen << profile.Tag; };
        inspector->OnValidated = [&](QObject *, TQXItemProp *Item, int) {
            QCOMPARE(Item, tag);
            seen << profile.Tag;
        };
        tag->SetValue(QStringLiteral("33"));
        tag->Validate();
        QCOMPARE(seen, QList<int>({ 0, 33 }));
    }
    void invalidatePropertyMessageRefreshesTheRow()
    {
        Profile profile;
        inspect({ &profile });
        profile.Tag = 17;
        TMessage message;
        message.Msg = 2475;
        message.WParam = row("Tag")->GetAbsoluteIndex();
        row("Tag")->QXInvalidateProperty(message);
        QCOMPARE(message.Result, qintptr(1));
        QCOMPARE(cellOf(row("Tag")), QStringLiteral("17"));
    }

    void stringWriterAddressesObjectsByLayout_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::addColumn<int>("currentLine"); // value line of the grid's cursor (1 = first object)
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("single, every object") << false << 1 << -1 << "S"
                                              << "S";
        QTest::newRow("single, second only") << false << 1 << 1 << "a"
                                             << "S";
        QTest::newRow("single, first only") << false << 1 << 0 << "S"
                                            << "b";
        QTest::newRow("multi, current line 1") << true << 1 << -1 << "S"
                                               << "b";
        QTest::newRow("multi, current line 2") << true << 2 << -1 << "a"
                                               << "S";
        QTest::newRow("multi, second only") << true << 1 << 1 << "a"
                                            << "S";
        QTest::newRow("multi, second only from line 2") << true << 2 << 1 << "a"
                                                        << "S";
        QTest::newRow("beyond the objects") << true << 1 << 2 << "a"
                                            << "b";
    }
    void stringWriterAddressesObjectsByLayout()
    {
        QFETCH(bool, multi);
        QFETCH(int, currentLine);
        QFETCH(int, index);
        QFETCH(QString, first);
        QFETCH(QString, second);
        Profile a, b;
        a.Caption = QStringLiteral("a");
        b.Caption = QStringLiteral("b");
        inspect({ &a, &b }, multi);
        TQXItemProperty *caption = row("Caption");
        inspector->SetSelected(caption);
        inspector->SetCol(currentLine);
        QCOMPARE(inspector->Col(), currentLine);
        // Reading with -1 takes the same object a write with -1 would take first.
        QCOMPARE(caption->GetStringProperty(-1),
                 multi && currentLine == 2 ? QStringLiteral("b") : QStringLiteral("a"));
        int changing = 0;
        inspector->OnPropertyChanging = [&](QObject *, TQXItemProperty *Item) {
            QCOMPARE(Item, caption);
            ++changing;
        };
        caption->SetStringProperty(QStringLiteral("S"), index);
        QCOMPARE(a.Caption, first);
        QCOMPARE(b.Caption, second);
        QCOMPARE(changing, 1);
        // The write asks for a refresh of the rows; the cells then show the objects' values.
        settle();
        QCOMPARE(caption->ValueLine(0), a.Caption);
        if (multi)
            QCOMPARE(caption->ValueLine(1), b.Caption);
    }

    void rowsThatAreNotRealRaiseNamingTheirPath_data()
    {
        QTest::addColumn<QString>("accessor");
        for (const char *name :
             { "GetOrdProperty", "GetObjectProperty", "GetObjectPropertyClass", "GetInterfaceProperty",
               "GetMethodProperty", "SetObjectProperty", "SetMethodProperty", "SetInterfaceProperty" })
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void rowsThatAreNotRealRaiseNamingTheirPath()
    {
        QFETCH(QString, accessor);
        Profile profile;
        profile.Members = Profile::A;
        inspect({ &profile });
        TQXItemProperty *member = row("Members.B");
        QVERIFY(member);
        QVERIFY(!member->IsRealProperty());
        int changing = 0;
        inspector->OnPropertyChanging = [&](QObject *, TQXItemProperty *) { ++changing; };
        const int writes = profile.MemberWrites;
        const auto result = raised([&] {
            if (accessor == QLatin1String("GetOrdProperty"))
                member->GetOrdProperty(-1);
            else if (accessor == QLatin1String("GetObjectProperty"))
                member->GetObjectProperty(0);
            else if (accessor == QLatin1String("GetObjectPropertyClass"))
                member->GetObjectPropertyClass();
            else if (accessor == QLatin1String("GetInterfaceProperty"))
                member->GetInterfaceProperty(0);
            else if (accessor == QLatin1String("GetMethodProperty"))
                member->GetMethodProperty(0);
            else if (accessor == QLatin1String("SetObjectProperty"))
                member->SetObjectProperty(&profile, -1);
            else if (accessor == QLatin1String("SetMethodProperty"))
                member->SetMethodProperty(QVariant(), -1);
            else
                member->SetInterfaceProperty(QVariant(), -1);
        });
        QCOMPARE(result.first, QStringLiteral("EVESKException"));
        QCOMPARE(result.second, QStringLiteral("Item \"Members.B\" is not a real property"));
        // Raised before anything started: no write announced, nothing written.
        QCOMPARE(changing, 0);
        QCOMPARE(profile.MemberWrites, writes);
        QCOMPARE(profile.Members, Profile::TMembers(Profile::A));
    }
    void notRealErrorNamesTheCategoryPath()
    {
        Profile profile;
        inspector->SetArrangeByCategory(true);
        inspect({ &profile });
        TQXItemProperty *member = nullptr;
        for (int i = 0; i < inspector->GetItemCount() && !member; ++i)
            if (inspector->GetItem(i)->Name() == QLatin1String("C")
                && inspector->GetItem(i)->PropertyKind() == pkSetMember)
                member = inspector->GetItem(i);
        QVERIFY(member);
        const QString path = member->GetFullPathPropName();
        QVERIFY2(path.endsWith(QLatin1String(".Members.C")), qPrintable(path));
        QCOMPARE(raised([&] { member->GetOrdProperty(0); }).second,
                 QStringLiteral("Item \"%1\" is not a real property").arg(path));
    }
    void rowsThatAreNotRealAnswerFromTheirValue()
    {
        Profile profile;
        profile.Members = Profile::C;
        inspect({ &profile });
        TQXItemProperty *member = row("Members.C");
        QCOMPARE(member->GetStringProperty(0), QStringLiteral("True"));
        QCOMPARE(member->GetVariantProperty(0), QVariant(QStringLiteral("True")));
        member->SetValue(FloatToStr(2.5));
        QCOMPARE(member->GetFloatProperty(0), 2.5);
        member->SetValue(QStringLiteral("1099511627776"));
        QCOMPARE(member->GetInt64Property(0), qint64(1) << 40);
    }

    void writersOnRowsWithoutAPropertyStoreTheValue_data()
    {
        QTest::addColumn<bool>("withInspector"); // a set member row, or a real row without inspector
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        for (bool withInspector : { true, false }) {
            const char *where = withInspector ? "member row" : "no inspector";
            QTest::addRow("%s, ordinal", where) << withInspector << "Ord"
                                                << "5" << int(tkInteger);
            QTest::addRow("%s, float", where) << withInspector << "Float" << FloatToStr(2.5) << int(tkFloat);
            QTest::addRow("%s, int64", where) << withInspector << "Int64"
                                              << "1099511627776" << int(tkInt64);
            QTest::addRow("%s, string", where) << withInspector << "String"
                                               << "abc" << int(tkString);
            QTest::addRow("%s, variant", where) << withInspector << "Variant"
                                                << "7" << int(tkVariant);
        }
    }
    void writersOnRowsWithoutAPropertyStoreTheValue()
    {
        QFETCH(bool, withInspector);
        QFETCH(QString, writer);
        QFETCH(QString, text);
        QFETCH(int, kind);
        Profile profile;
        profile.Members = Profile::A;
        TQXItemProperties *own = nullptr;
        TQXItemProperty *item;
        if (withInspector) {
            inspect({ &profile });
            item = row("Members.B");
        } else {
            own = Create<TQXItemProperties>(nullptr, &TQXItemProperty::staticMetaObject);
            item = own->Add(QStringLiteral("Tag"), QStringLiteral("1"));
            item->SetIsRealProperty(true);
            item->SetTypeKind(tkEnumeration);
        }
        QVERIFY(item);
        const int writes = profile.MemberWrites;
        if (writer == QLatin1String("Ord"))
            item->SetOrdProperty(5, -1);
        else if (writer == QLatin1String("Float"))
            item->SetFloatProperty(2.5, -1);
        else if (writer == QLatin1String("Int64"))
            item->SetInt64Property(qint64(1) << 40, -1);
        else if (writer == QLatin1String("String"))
            item->SetStringProperty(QStringLiteral("abc"), -1);
        else
            item->SetVariantProperty(QVariant(7), -1);
        QCOMPARE(item->GetValue(), text);
        QCOMPARE(item->TypeKind(), TTypeKind(kind));
        QCOMPARE(profile.MemberWrites, writes);
        QCOMPARE(profile.Members, Profile::TMembers(Profile::A));
        // A real row without inspector has no object: the object writers do nothing there.
        if (!withInspector) {
            item->SetObjectProperty(&profile, -1);
            item->SetMethodProperty(QVariant(), -1);
            QCOMPARE(item->GetValue(), text);
        }
        Free(own);
    }

    void setPropertyValueTellsWhetherTheTextChanged()
    {
        Profile profile;
        profile.Caption = QStringLiteral("Same");
        inspect({ &profile });
        TQXItemProperty *caption = row("Caption");
        QObject *shown = inspector->ShownObject(0);
        QCOMPARE(shown, &profile);
        QVERIFY(!inspector->SetPropertyValue(shown, caption, QStringLiteral("Same")));
        QVERIFY(inspector->SetPropertyValue(shown, caption, QStringLiteral("same"))); // case counts
        QCOMPARE(profile.Caption, QStringLiteral("same"));
        QVERIFY(inspector->SetPropertyValue(shown, caption, QStringLiteral("Other")));
        QCOMPARE(profile.Caption, QStringLiteral("Other"));
    }

    // ------------------------------------------------------------------------------------------------
    // Set rows

    void setMembersAreWrittenAsJoinedNames_data()
    {
        QTest::addColumn<QStringList>("texts"); // of members A, B and C
        QTest::addColumn<int>("initial");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("members");
        QTest::addColumn<QString>("shown");
        QTest::newRow("A and C") << QStringList { "True", "False", "True" } << 0 << "A,C"
                                 << int(Profile::A | Profile::C) << "[A,C]";
        QTest::newRow("all False") << QStringList { "False", "False", "False" } << int(Profile::B) << "" << 0
                                   << "[]";
        QTest::newRow("all True") << QStringList { "True", "True", "True" } << 0 << "A,B,C"
                                  << int(Profile::A | Profile::B | Profile::C) << "[A,B,C]";
        QTest::newRow("Boolean names in any case")
            << QStringList { "false", "TRUE", "False" } << int(Profile::A) << "B" << int(Profile::B) << "[B]";
    }
    void setMembersAreWrittenAsJoinedNames()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, initial);
        QFETCH(QString, written);
        QFETCH(int, members);
        QFETCH(QString, shown);
        Profile profile;
        profile.Members = Profile::TMembers::fromInt(initial);
        inspect({ &profile });
        TQXItemProperty *set = row("Members");
        QCOMPARE(set->PropertyKind(), pkSet);
        QVERIFY(set->IsReadOnly()); // edited through its members
        const QStringList names { "A", "B", "C" };
        for (int i = 0; i < 3; ++i)
            row("Members." + names.at(i))->SetValue(texts.at(i));
        QString textWritten;
        inspector->OnPropertyChanging = [&](QObject *, TQXItemProperty *Item) {
            if (Item == set)
                textWritten = Item->GetValue();
        };
        set->Expand();
        row("Members.C")->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(textWritten, written);
        QCOMPARE(profile.Members.toInt(), members);
        settle();
        QCOMPARE(cellOf(set), shown);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(cellOf(row("Members." + names.at(i))),
                     (members & (1 << i)) ? QStringLiteral("True") : QStringLiteral("False"));
    }
    void setMembersInMultiLayoutWriteEachObjectItsOwnLine()
    {
        Profile a, b;
        a.Members = Profile::A;
        b.Members = Profile::C;
        inspect({ &a, &b }, true);
        TQXItemProperty *member = row("Members.B");
        QCOMPARE(member->ValueLines(), QStringList({ "False", "False" }));
        QCOMPARE(row("Members.C")->ValueLines(), QStringList({ "False", "True" }));
        member->SetValueLines({ QStringLiteral("True"), QStringLiteral("False") });
        member->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(a.Members, Profile::TMembers(Profile::A | Profile::B));
        QCOMPARE(b.Members, Profile::TMembers(Profile::C));
        settle();
        QCOMPARE(cellOf(row("Members"), 1), QStringLiteral("[A,B]"));
        QCOMPARE(cellOf(row("Members"), 2), QStringLiteral("[C]"));
    }
    void setWithUnusedBitsKeepsTheBitPositions()
    {
        Profile profile;
        profile.Gaps = Profile::gHigh;
        inspect({ &profile });
        TQXItemProperty *set = row("Gaps");
        set->Expand();
        QStringList names;
        for (int i = 0; i < set->GetItems()->Count(); ++i)
            names << set->GetItems()->Items(i)->Name();
        QCOMPARE(names, QStringList({ "gLow", "gHigh", "gFar" })); // one row per bit, in bit order
        QCOMPARE(row("Gaps.gLow")->RealValues(0), QVariant(0));
        QCOMPARE(row("Gaps.gHigh")->RealValues(0), QVariant(2));
        QCOMPARE(row("Gaps.gFar")->RealValues(0), QVariant(30));
        QCOMPARE(cellOf(row("Gaps.gLow")), QStringLiteral("False"));
        QCOMPARE(cellOf(row("Gaps.gHigh")), QStringLiteral("True"));
        row("Gaps.gFar")->SetValue(QStringLiteral("True"));
        row("Gaps.gFar")->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(profile.Gaps, Profile::TGaps(Profile::gHigh | Profile::gFar));
        settle();
        QCOMPARE(cellOf(row("Gaps.gFar")), QStringLiteral("True"));
        QCOMPARE(cellOf(row("Gaps.gLow")), QStringLiteral("False"));
        QCOMPARE(cellOf(set), QStringLiteral("[gHigh,gFar]"));
    }
    void setMemberTextThatIsNoBooleanStopsTheWrite_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::newRow("single-value layout") << false;
        QTest::newRow("bad text on the second object's line") << true;
    }
    void setMemberTextThatIsNoBooleanStopsTheWrite()
    {
        QFETCH(bool, multi);
        Profile a, b;
        a.Members = Profile::A;
        b.Members = Profile::A;
        inspect({ &a, &b }, multi);
        const int writesA = a.MemberWrites;
        const int writesB = b.MemberWrites;
        int changing = 0;
        inspector->OnPropertyChanging = [&](QObject *, TQXItemProperty *) { ++changing; };
        // A valid change for the first object, and a text that names no Boolean.
        row("Members.C")->SetValueLines(multi ? QStringList { "True", "False" } : QStringList { "True" });
        TQXItemProperty *member = row("Members.B");
        member->SetValueLines(multi ? QStringList { "False", "Yes" } : QStringList { "Yes" });
        member->Validate();
        QCOMPARE(validateErrorClasses, QStringList({ "EPropertyConvertError" }));
        QVERIFY2(validateErrors.value(0).contains(QLatin1String("Yes")), qPrintable(validateErrors.value(0)));
        QCOMPARE(changing, 0);
        QCOMPARE(a.MemberWrites, writesA);
        QCOMPARE(b.MemberWrites, writesB);
        QCOMPARE(a.Members, Profile::TMembers(Profile::A));
        QCOMPARE(b.Members, Profile::TMembers(Profile::A));
    }

    // ------------------------------------------------------------------------------------------------
    // Refreshing

    void refreshShowsEachObjectOnItsOwnLine()
    {
        Profile a, b;
        a.setObjectName(QStringLiteral("alpha"));
        b.setObjectName(QStringLiteral("beta"));
        inspect({ &a, &b }, true);
        TQXItemProperty *caption = row("Caption");
        QList<QObject *> asked;
        caption->OnGetProperty
            = [&](QObject *Sender, QObject *Instance, const QString &PropName, QString &Value) {
                  QCOMPARE(Sender, caption);
                  QCOMPARE(PropName, QStringLiteral("Caption"));
                  asked << Instance;
                  Value = Instance ? Instance->objectName() : QStringLiteral("none");
              };
        QVERIFY(caption->RefreshValue());
        QCOMPARE(asked, QList<QObject *>({ &a, &b }));
        QCOMPARE(cellOf(caption, 1), QStringLiteral("alpha"));
        QCOMPARE(cellOf(caption, 2), QStringLiteral("beta"));
    }
    void refreshStepsServeDescendantRows()
    {
        Profile profile;
        profile.Caption = QStringLiteral("old");
        auto *bracketed = Create<BracketedInspector>();
        std::unique_ptr<BracketedInspector, void (*)(BracketedInspector *)> owner(
            bracketed, [](BracketedInspector *grid) { Free(grid); });
        bracketed->Objects()->Add(&profile);
        settle();
        TQXItemProperty *caption = bracketed->GetItems()->FindItemByFullPathName(QStringLiteral("Caption"));
        QVERIFY(qobject_cast<BracketedRow *>(caption));
        profile.Caption = QStringLiteral("new");
        QVERIFY(caption->RefreshValue());
        QCOMPARE(caption->GetValue(), QStringLiteral("[new]"));
    }
    void refreshFiresTheRowHandlerInsteadOfTheInspectors()
    {
        Profile profile;
        inspect({ &profile });
        QList<TQXItemProperty *> byInspector, byRow;
        inspector->OnRefreshValue = [&](QObject *Sender, TQXItemProperty *Item) {
            QCOMPARE(Sender, inspector);
            byInspector << Item;
        };
        TQXItemProperty *tag = row("Tag");
        TQXItemProperty *caption = row("Caption");
        tag->OnRefreshValue = [&](QObject *Sender, TQXItemProperty *Item) {
            QCOMPARE(Sender, inspector);
            byRow << Item;
        };
        tag->RefreshValue();
        caption->RefreshValue();
        QCOMPARE(byRow, QList<TQXItemProperty *>({ tag }));
        QCOMPARE(byInspector, QList<TQXItemProperty *>({ caption }));
    }
    void refreshReadsValuesAndRealValuesAgain()
    {
        Profile profile;
        profile.Tag = 1;
        profile.Flag = false;
        inspect({ &profile });
        profile.Tag = 42;
        profile.Flag = true;
        profile.Members = Profile::A | Profile::C;
        QVERIFY(row("Tag")->RefreshValue());
        QCOMPARE(cellOf(row("Tag")), QStringLiteral("42"));
        QCOMPARE(row("Tag")->RealValues(0), QVariant(42));
        QVERIFY(row("Flag")->RefreshValue());
        QCOMPARE(row("Flag")->GetValue(), QStringLiteral("True"));
        QCOMPARE(row("Flag")->RealValues(0), QVariant(true)); // a Boolean stays a Boolean
        // A member row reads its bit from the set row's real value.
        QCOMPARE(row("Members.C")->GetValue(), QStringLiteral("False"));
        QVERIFY(row("Members")->RefreshValue());
        QVERIFY(row("Members.C")->RefreshValue());
        QCOMPARE(row("Members.C")->GetValue(), QStringLiteral("True"));
        QCOMPARE(row("Members")->GetValue(), QStringLiteral("[A,C]"));
    }

    void refreshOfAPathThatNoLongerResolves_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("resolves");
        QTest::newRow("sub-object removed") << "removed" << false;
        QTest::newRow("sub-object deleted") << "deleted" << false;
        QTest::newRow("sub-object replaced") << "replaced" << true;
    }
    void refreshOfAPathThatNoLongerResolves()
    {
        QFETCH(QString, change);
        QFETCH(bool, resolves);
        auto old = std::make_unique<Part>();
        old->Size = 3;
        Part replacement;
        replacement.Size = 8;
        Profile profile;
        profile.SetPiece(old.get());
        inspect({ &profile });
        TQXItemProperty *size = row("Piece.Size");
        QVERIFY(size);
        QCOMPARE(size->GetValue(), QStringLiteral("3"));
        if (change == QLatin1String("removed"))
            profile.SetPiece(nullptr);
        else if (change == QLatin1String("deleted"))
            old.reset();
        else
            profile.SetPiece(&replacement);
        QCOMPARE(size->RefreshValue(), resolves);
        QCOMPARE(size->GetValue(), resolves ? QStringLiteral("8") : QStringLiteral("3"));
        // An edit goes to the object the path leads to now, and never to the old one.
        size->SetValue(QStringLiteral("5"));
        size->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        if (old)
            QCOMPARE(old->Size, 3);
        QCOMPARE(replacement.Size, resolves ? 5 : 8);
        // The refresh that the edit queued finds the path gone and queues a rescan, which drops the row.
        settle();
        QCOMPARE(row("Piece.Size") != nullptr, resolves);
        QVERIFY(row("Piece"));
        QCOMPARE(cellOf(row("Piece")), resolves ? QStringLiteral("(Part)") : QString());
    }
    // ------------------------------------------------------------------------------------------------
    // The changed-value font

    void changedValueFont_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("changed");
        QTest::newRow("stored string, empty") << "Caption" << QVariant(QString()) << true;
        QTest::newRow("stored string") << "Caption" << QVariant(QStringLiteral("x")) << true;
        QTest::newRow("unstored string") << "Scratch" << QVariant(QStringLiteral("x")) << false;
        QTest::newRow("integer at its default") << "Tag" << QVariant(0) << false;
        QTest::newRow("integer off its default") << "Tag" << QVariant(5) << true;
        QTest::newRow("Boolean at its default") << "Flag" << QVariant(false) << false;
        QTest::newRow("Boolean off its default") << "Flag" << QVariant(true) << true;
        QTest::newRow("enumeration at its default")
            << "Shape" << QVariant::fromValue(Profile::shRound) << false;
        QTest::newRow("enumeration at zero, off its default")
            << "Shape" << QVariant::fromValue(Profile::shNone) << true;
        QTest::newRow("set at its default")
            << "Members" << QVariant::fromValue(Profile::TMembers(Profile::B)) << false;
        QTest::newRow("set off its default")
            << "Members" << QVariant::fromValue(Profile::TMembers(Profile::A)) << true;
        QTest::newRow("empty set, off its default")
            << "Members" << QVariant::fromValue(Profile::TMembers()) << true;
        QTest::newRow("float") << "Ratio" << QVariant(1.5) << false;
        // On request, kinds other than ordinals and texts are marked too, against a known default.
        QTest::newRow("float, all kinds") << "Ratio" << QVariant(1.5) << true;
        QTest::newRow("float at its default, all kinds") << "Ratio" << QVariant(0.0) << false;
    }
    void changedValueFont()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(bool, changed);
        Profile profile;
        QVERIFY(profile.setProperty(qPrintable(property), value));
        inspector->SetChangedFontAllKinds(QString::fromLatin1(QTest::currentDataTag()).endsWith("all kinds"));
        inspect({ &profile });
        TQXItemProperty *item = row(property);
        QVERIFY(item);
        TFont *changedFont = inspector->ValueChangedFont();
        QVERIFY(changedFont->Style() & fsBold);
        QCOMPARE(item->GetValueFont() == changedFont, changed);
        QCOMPARE(item->GetIndividualValueFont(0) == changedFont, changed);
        // The option turns it off; rows that are no property never use it.
        inspector->SetShowValueChangedFont(false);
        QVERIFY(item->GetValueFont() != changedFont);
        QVERIFY(item->GetIndividualValueFont(0) != changedFont);
        inspector->SetShowValueChangedFont(true);
        for (const char *member : { "Members.A", "Members.B", "Members.C" }) {
            QVERIFY(row(member)->GetValueFont() != changedFont);
            QVERIFY(row(member)->GetIndividualValueFont(0) != changedFont);
        }
    }
    void changedValueFontPerValueLine_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::addColumn<int>("firstTag");
        QTest::addColumn<int>("secondTag");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<bool>("line0");
        QTest::addColumn<bool>("line1");
        QTest::newRow("multi, second changed") << true << 0 << 5 << true << false << true;
        QTest::newRow("multi, first changed") << true << 5 << 0 << true << true << false;
        QTest::newRow("multi, none changed") << true << 0 << 0 << false << false << false;
        // One value line: the first object decides.
        QTest::newRow("single, second changed") << false << 0 << 5 << false << false << false;
        QTest::newRow("single, first changed") << false << 5 << 0 << true << true << true;
    }
    void changedValueFontPerValueLine()
    {
        QFETCH(bool, multi);
        QFETCH(int, firstTag);
        QFETCH(int, secondTag);
        QFETCH(bool, whole);
        QFETCH(bool, line0);
        QFETCH(bool, line1);
        Profile a, b;
        a.Tag = firstTag;
        b.Tag = secondTag;
        inspect({ &a, &b }, multi);
        TQXItemProperty *tag = row("Tag");
        TFont *changedFont = inspector->ValueChangedFont();
        QCOMPARE(tag->GetValueFont() == changedFont, whole);
        QCOMPARE(tag->GetIndividualValueFont(0) == changedFont, line0);
        QCOMPARE(tag->GetIndividualValueFont(1) == changedFont, line1);
    }
    void changedValueFontIsNotUsedWhileDesigning()
    {
        Profile profile;
        profile.Tag = 5;
        inspect({ &profile });
        TQXItemProperty *tag = row("Tag");
        QCOMPARE(tag->GetValueFont(), inspector->ValueChangedFont());
        inspector->SetDesigning(true);
        QVERIFY(tag->GetValueFont() != inspector->ValueChangedFont());
        QVERIFY(tag->GetIndividualValueFont(0) != inspector->ValueChangedFont());
    }

    // ------------------------------------------------------------------------------------------------
    // Rejected edits

    void unconvertibleTextIsReportedWithTheTypeName_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typeName");
        QTest::newRow("integer") << "Tag"
                                 << "abc"
                                 << "Integer";
        QTest::newRow("float") << "Ratio"
                               << "1,2,3"
                               << "Double";
        QTest::newRow("64-bit integer") << "Big"
                                        << "12x"
                                        << "Int64";
        QTest::newRow("Boolean") << "Flag"
                                 << "Maybe"
                                 << "Boolean";
        QTest::newRow("enumeration") << "Shape"
                                     << "shOval"
                                     << "TShape";
    }
    void unconvertibleTextIsReportedWithTheTypeName()
    {
        QFETCH(QString, property);
        QFETCH(QString, text);
        QFETCH(QString, typeName);
        Profile a, b;
        a.Tag = 5;
        b.Tag = 6;
        a.Ratio = 0.5;
        b.Ratio = 0.75;
        a.Big = 10;
        b.Big = 11;
        a.Flag = true;
        b.Shape = Profile::shSquare;
        inspect({ &a, &b });
        TQXItemProperty *item = row(property);
        QVERIFY(item);
        const QVariant beforeA = a.property(qPrintable(property));
        const QVariant beforeB = b.property(qPrintable(property));
        const QString shownBefore = item->GetValue();
        editInPlace(item);
        item->SetValue(text);
        item->Validate();
        QCOMPARE(validateErrors.size(), 1);
        const QString prefix = QStringLiteral("\"%1\" is not a valid %2 value: ").arg(text, typeName);
        QVERIFY2(validateErrors.at(0).startsWith(prefix), qPrintable(validateErrors.at(0)));
        QVERIFY2(validateErrors.at(0).size() > prefix.size(), "the reason is missing");
        QCOMPARE(validateErrorClasses.at(0), QStringLiteral("EVESKException"));
        QCOMPARE(validateErrorColumns, QList<int>({ inspector->Col() }));
        QCOMPARE(a.property(qPrintable(property)), beforeA);
        QCOMPARE(b.property(qPrintable(property)), beforeB);
        // The refresh that the failed write still queued shows the objects' values again.
        settle();
        QCOMPARE(item->GetValue(), shownBefore);
    }
    void typedTextThatCannotBeConvertedIsUndone()
    {
        Profile a, b;
        a.Tag = 5;
        b.Tag = 6;
        inspect({ &a, &b }, true);
        TQXItemProperty *tag = row("Tag");
        editInPlace(tag);
        inspector->SetCol(2);
        inspector->ShowEditor();
        TInplaceEdit *editor = inspector->InplaceEditor();
        QCOMPARE(editor->Text(), QStringLiteral("6"));
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("x7"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(validateErrors, QStringList({ validateErrors.value(0) }));
        QVERIFY2(validateErrors.value(0).startsWith(QLatin1String("\"x7\" is not a valid Integer value: ")),
                 qPrintable(validateErrors.value(0)));
        QCOMPARE(validateErrorColumns, QList<int>({ 2 }));
        QCOMPARE(editor->Text(), QStringLiteral("6")); // the typing is undone
        QCOMPARE(a.Tag, 5);
        QCOMPARE(b.Tag, 6);
        settle();
        QCOMPARE(cellOf(tag, 1), QStringLiteral("5"));
        QCOMPARE(cellOf(tag, 2), QStringLiteral("6"));
        // A good text typed in the same place reaches only that object.
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("8"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(validateErrors.size(), 1);
        QCOMPARE(a.Tag, 5);
        QCOMPARE(b.Tag, 8);
    }
    void rejectedMemberTextIsReportedAsAPropertyValue()
    {
        Profile profile;
        profile.Members = Profile::A;
        inspect({ &profile });
        row("Members")->Expand();
        TQXItemProperty *member = row("Members.B");
        editInPlace(member);
        member->SetValue(QStringLiteral("Yes"));
        member->Validate();
        QCOMPARE(validateErrors.size(), 1);
        const QString prefix = QStringLiteral("\"Yes\" is not a valid property value: ");
        QVERIFY2(validateErrors.at(0).startsWith(prefix), qPrintable(validateErrors.at(0)));
        QVERIFY2(validateErrors.at(0).mid(prefix.size()).contains(QLatin1String("Yes")),
                 qPrintable(validateErrors.at(0)));
        QCOMPARE(profile.Members, Profile::TMembers(Profile::A));
    }
    void setterThatRejectsIsReportedAndTheRefreshStillQueued()
    {
        Profile profile;
        profile.Tag = 1;
        Stubborn stubborn;
        inspect({ &profile, &stubborn });
        TQXItemProperty *tag = row("Tag");
        QVERIFY(tag);
        editInPlace(tag);
        int changed = 0;
        inspector->OnPropertyChanged = [&](QObject *, TQXItemProperty *Item) {
            QCOMPARE(Item, tag);
            ++changed;
        };
        tag->SetValue(QStringLiteral("7"));
        tag->Validate();
        QCOMPARE(validateErrors, QStringList({ "\"7\" is not a valid Integer value: 7 is refused" }));
        QCOMPARE(stubborn.GetTag(), 3);
        QCOMPARE(profile.Tag, 7); // written before the second object refused
        settle();
        QCOMPARE(changed, 1);
        QCOMPARE(tag->RealValues(0), QVariant(7));
    }
    void withoutInPlaceEditorTheErrorPassesUnchanged()
    {
        Profile profile;
        profile.Tag = 5;
        inspect({ &profile });
        QVERIFY(!inspector->HasInplaceEditor());
        TQXItemProperty *tag = row("Tag");
        tag->SetValue(QStringLiteral("abc"));
        tag->Validate();
        QCOMPARE(validateErrors.size(), 1);
        QVERIFY2(!validateErrors.at(0).startsWith(QLatin1String("\"abc\" is not a valid")),
                 qPrintable(validateErrors.at(0)));
        QVERIFY(validateErrorClasses.at(0) != QLatin1String("EVESKException"));
        QCOMPARE(profile.Tag, 5);
        settle();
        QCOMPARE(tag->GetValue(), QStringLiteral("5"));
    }
    void rowHandlerTakesTheRewrittenErrorBeforeTheInspector()
    {
        Profile profile;
        profile.Tag = 5;
        inspect({ &profile });
        TQXItemProperty *tag = row("Tag");
        editInPlace(tag);
        QStringList byRow;
        tag->OnValidateError = [&](QObject *Sender, TQXItemProp *Item, int, const Exception &e) {
            QCOMPARE(Sender, inspector);
            QCOMPARE(Item, tag);
            byRow << e.Message();
        };
        tag->SetValue(QStringLiteral("x1"));
        tag->Validate();
        QVERIFY(validateErrors.isEmpty());
        QCOMPARE(byRow.size(), 1);
        QVERIFY2(byRow.at(0).startsWith(QLatin1String("\"x1\" is not a valid Integer value: ")),
                 qPrintable(byRow.at(0)));
        QCOMPARE(profile.Tag, 5);
    }

    // ------------------------------------------------------------------------------------------------
    // Regressions

    void refreshOfAllRowsReadsAReplacedSubObject()
    {
        // The refresh of all rows finds the objects below a row afresh from the row's own objects.
        Part first;
        first.Size = 3;
        Part second;
        second.Size = 8;
        Profile profile;
        profile.SetPiece(&first);
        inspect({ &profile });
        inspector->RefreshProperties();
        QCOMPARE(row("Piece.Size")->GetValue(), QStringLiteral("3"));
        profile.SetPiece(&second);
        inspector->RefreshProperties();
        QCOMPARE(row("Piece.Size")->GetValue(), QStringLiteral("8"));
        second.Size = 9;
        inspector->RefreshProperties();
        QCOMPARE(row("Piece.Size")->GetValue(), QStringLiteral("9"));
    }
    void refreshReportsAGoneSubObjectAlsoWithAReadHandler()
    {
        Part part;
        part.Size = 4;
        Profile profile;
        profile.SetPiece(&part);
        inspect({ &profile });
        TQXItemProperty *size = row("Piece.Size");
        QVERIFY(size);
        QList<QObject *> asked;
        size->OnGetProperty = [&](QObject *, QObject *Instance, const QString &, QString &Value) {
            asked << Instance;
            Value
                = Instance ? QString::number(static_cast<Part *>(Instance)->Size * 10) : QStringLiteral("?");
        };
        QVERIFY(size->RefreshValue());
        QCOMPARE(size->GetValue(), QStringLiteral("40"));
        profile.SetPiece(nullptr);
        asked.clear();
        // The path leads nowhere now: the refresh says so, so that the rows are built again.
        QVERIFY(!size->RefreshValue());
        inspector->RefreshProperties();
        settle();
        QVERIFY(!row("Piece.Size"));
        QVERIFY(!asked.contains(nullptr));
    }
    void refreshAfterSubObjectReplacedByAnotherClassQueuesARescan()
    {
        Sample buddy;
        buddy.setObjectName(QStringLiteral("buddy"));
        buddy.Caption = QStringLiteral("hello");
        Node node;
        node.setObjectName(QStringLiteral("node"));
        node.Label = QStringLiteral("label");
        Sample sample;
        sample.SetBuddy(&buddy);
        inspect({ &sample });
        TQXItemProperty *caption = row("Buddy.Caption");
        QVERIFY(caption);
        QCOMPARE(caption->GetValue(), QStringLiteral("hello"));
        // The reference now holds an object of another class, which has no Caption.
        sample.SetBuddy(&node);
        QCOMPARE(raised([&] { (void)caption->GetValueFont(); }).first, QString());
        bool resolved = true;
        const auto result = raised([&] { resolved = caption->RefreshValue(); });
        QVERIFY2(result.first.isEmpty(), qPrintable(result.first + QLatin1String(": ") + result.second));
        QVERIFY(!resolved);
        handled.clear();
        inspector->RefreshProperties();
        settle();
        QVERIFY2(handled.isEmpty(), qPrintable(handled.join(QLatin1Char('\n'))));
        QVERIFY(!row("Buddy.Caption"));
        QVERIFY(row("Buddy.Label"));
        QCOMPARE(row("Buddy.Label")->GetValue(), QStringLiteral("label"));
    }
    void allEqualIsCaseSensitive()
    {
        Profile a, b;
        a.Caption = QStringLiteral("text");
        b.Caption = QStringLiteral("Text");
        inspect({ &a, &b });
        QVERIFY(!row("Caption")->IsAllEqual());
        QCOMPARE(cellOf(row("Caption")), QString());
        b.Caption = QStringLiteral("text");
        inspector->Rescan();
        QVERIFY(row("Caption")->IsAllEqual());
        QCOMPARE(cellOf(row("Caption")), QStringLiteral("text"));
    }
    void typedAccessorsAddressTheShownObjectsOnly()
    {
        Profile a, b;
        a.Caption = QStringLiteral("first");
        b.Caption = QStringLiteral("second");
        inspector->SetDisplayOptions(inspector->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        inspector->Objects()->BeginUpdate();
        inspector->Objects()->Add(&a);
        inspector->Objects()->Add(); // an entry without an object
        inspector->Objects()->Add(&b);
        inspector->Objects()->EndUpdate();
        settle();
        QCOMPARE(inspector->ShownObjectCount(), 2);
        TQXItemProperty *caption = row("Caption");
        QVERIFY(caption);
        QCOMPARE(cellOf(caption, 2), QStringLiteral("second"));
        QCOMPARE(caption->GetStringProperty(1), QStringLiteral("second"));
        caption->SetStringProperty(QStringLiteral("S"), 1);
        QCOMPARE(a.Caption, QStringLiteral("first"));
        QCOMPARE(b.Caption, QStringLiteral("S"));
        settle();
        QCOMPARE(cellOf(caption, 1), QStringLiteral("first"));
        QCOMPARE(cellOf(caption, 2), QStringLiteral("S"));
    }

    void deletedObjectIsSkippedByWritesAndReads_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::addColumn<int>("deleted");
        QTest::newRow("single, first deleted") << false << 0;
        QTest::newRow("single, second deleted") << false << 1;
        QTest::newRow("multi, first deleted") << true << 0;
        QTest::newRow("multi, second deleted") << true << 1;
    }
    void deletedObjectIsSkippedByWritesAndReads()
    {
        QFETCH(bool, multi);
        QFETCH(int, deleted);
        // Profiles are no components: nobody hears of their destruction, so the rows stay.
        auto a = std::make_unique<Profile>();
        auto b = std::make_unique<Profile>();
        a->Tag = 1;
        b->Tag = 2;
        a->Caption = QStringLiteral("a");
        b->Caption = QStringLiteral("b");
        inspect({ a.get(), b.get() }, multi);
        TQXItemProperty *caption = row("Caption");
        TQXItemProperty *tag = row("Tag");
        (deleted == 0 ? a : b).reset();
        Profile *survivor = deleted == 0 ? b.get() : a.get();
        const int alive = 1 - deleted;
        QCOMPARE(inspector->ShownObject(deleted), nullptr);
        QCOMPARE(inspector->ShownObject(alive), survivor);
        QCOMPARE(inspector->ShownObjectCount(), 2);
        QVERIFY(!inspector->SetPropertyValue(inspector->ShownObject(deleted), caption, QStringLiteral("X")));
        // Reads of the missing object give nothing; the other object still answers.
        QCOMPARE(caption->GetStringProperty(deleted), QString());
        QCOMPARE(tag->GetOrdProperty(deleted), qint64(0));
        QVERIFY(!caption->GetVariantProperty(deleted).isValid());
        QCOMPARE(tag->GetOrdProperty(alive), qint64(survivor->Tag));
        // A write to every object reaches the one that is left.
        caption->SetStringProperty(QStringLiteral("Y"), multi ? alive : -1);
        QCOMPARE(survivor->Caption, QStringLiteral("Y"));
        caption->SetValueLines(multi ? QStringList { "X", "X" } : QStringList { "X" });
        caption->Validate();
        QVERIFY2(validateErrors.isEmpty(), qPrintable(validateErrors.join(QLatin1Char('\n'))));
        QCOMPARE(survivor->Caption, QStringLiteral("X"));
        // A refresh reads every object, also those that share one value line: the missing one is
        // reported, so the rows are built again.
        QVERIFY(!tag->RefreshValue());
        QVERIFY(tag->IsModified(deleted)); // no object: counts as changed, and reads nothing
    }
    void typedReadersOfAReferenceNowHoldingAnotherClassReadNothing()
    {
        Sample buddy;
        buddy.setObjectName(QStringLiteral("buddy"));
        buddy.Caption = QStringLiteral("hello");
        buddy.Tag = 4;
        Node node;
        node.setObjectName(QStringLiteral("node"));
        Sample sample;
        sample.SetBuddy(&buddy);
        inspect({ &sample });
        TQXItemProperty *caption = row("Buddy.Caption");
        TQXItemProperty *tag = row("Buddy.Tag");
        TQXItemProperty *font = row("Buddy.Font");
        QVERIFY(caption && tag && font);
        QCOMPARE(tag->GetOrdProperty(0), qint64(4));
        QVERIFY(font->GetObjectProperty(0));
        // The reference now holds an object of another class: the rows below it read nothing on it,
        // as they would for no object at all, until the rescan builds them again. The clipboard
        // commands ask the selected row for its object.
        sample.SetBuddy(&node);
        inspector->SetSelected(font);
        QCOMPARE(raised([&] { inspector->CopyToClipboard(); }).second, QString());
        QCOMPARE(raised([&] { QCOMPARE(font->GetObjectProperty(-1), nullptr); }).second, QString());
        QCOMPARE(raised([&] { QCOMPARE(caption->GetStringProperty(0), QString()); }).second, QString());
        QCOMPARE(raised([&] { QCOMPARE(tag->GetOrdProperty(0), qint64(0)); }).second, QString());
    }
};

QTEST_MAIN(tst_ItemProperty)
#include "tst_itemproperty.moc"
