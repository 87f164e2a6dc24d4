// The item tree: defaults, names and renames, paths, sorting, categories, visibility and expansion,
// fonts, copying, validation, with and without a grid.
#include <QXInspector/QXConsts.h>
#include <QXInspector/QXCustomDeltaFont.h>
#include <QXInspector/QXException.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/Streaming.h>

#include <QTest>

using namespace QXPlatform;

namespace {

QStringList names(TQXItemProps *items)
{
    QStringList result;
    for (int i = 0; i < items->Count(); ++i)
        result << items->Items(i)->Name();
    return result;
}

QString exceptionText(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Exception &e) {
        return e.ClassName() + QLatin1String(": ") + e.Message();
    }
    return QString();
}

// A tree without a grid: a top collection owned by a plain object.
struct LooseTree
{
    QObject owner;
    TQXItemProps *items = Create<TQXItemProps>(&owner, &TQXItemProp::staticMetaObject);
    ~LooseTree() { Free(items); }
};

// Counts the sorts that reach the collection through the overridable operation.
class CountingItems : public TQXItemProps
{
public:
    using TQXItemProps::TQXItemProps;
    int sorts = 0;
    void Sort(bool ThisLevelOnly) override
    {
        ++sorts;
        TQXItemProps::Sort(ThisLevelOnly);
    }
};

} // namespace

class tst_ItemTree : public QObject
{
    Q_OBJECT

    TQXItemListEditor *grid = nullptr;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { grid = Create<TQXItemListEditor>(); }
    void cleanup() { FreeAndNil(grid); }

    // Defaults
    void newItemDefaults()
    {
        LooseTree tree;
        TQXItemProp *item = tree.items->Add();
        QVERIFY(item->GetVisible());
        QVERIFY(item->Enabled());
        QVERIFY(item->ParentFont());
        QVERIFY(item->ParentValueFont());
        QCOMPARE(item->EditStyle(), esSimple);
        QVERIFY(!item->IsReadOnly());
        QCOMPARE(item->Items()->Count(), 0);
        QCOMPARE(item->GetPathDelimiter(), QStringLiteral("."));
        QCOMPARE(item->GetEditor(), nullptr);
        QCOMPARE(tree.items->DefaultCategoryName(), QStringLiteral("Miscellaneous"));
    }
    void itemFontsStartFromTheGrid()
    {
        grid->ValueFont()->SetColor(clRed);
        TQXItemProp *item = grid->Items()->Add();
        QCOMPARE(item->GetValueFont()->Color(), clRed);
        QCOMPARE(item->GetFont()->Name(), grid->Font()->Name());
        TQXItemProp *child = item->Items()->Add();
        QCOMPARE(child->GetValueFont()->Color(), clRed);
    }

    // Expansion
    void expandWithoutChildrenShowsOnceAChildArrives()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("parent"), QString());
        item->Expand();
        QVERIFY(!item->IsExpanded());
        QVERIFY(!item->property("Expanded").toBool());
        TQXItemProp *child = item->Items()->Add(QStringLiteral("child"), QString());
        QVERIFY(item->IsExpanded());
        QVERIFY(child->IsVisible());
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        item->Collapse();
        QVERIFY(!child->IsVisible());
        QCOMPARE(grid->GetVisibleItemCount(), 1);
    }

    // Names
    void uniqueNamesAcceptCaseChangeOfSelf()
    {
        grid->SetPropertyOptions(TQXCustomItemListEditor::propUnique);
        TQXItemProp *width = grid->Items()->Add(QStringLiteral("Width"), QStringLiteral("10"));
        grid->Items()->Add(QStringLiteral("Height"), QStringLiteral("20"));
        width->SetName(QStringLiteral("width"));
        QCOMPARE(width->Name(), QStringLiteral("width"));
        QCOMPARE(exceptionText([&] { width->SetName(QStringLiteral("height")); }),
                 QStringLiteral("EVESKException: Property name is not unique: height"));
        QCOMPARE(width->Name(), QStringLiteral("width"));
        QCOMPARE(exceptionText([&] { grid->Items()->Add(QStringLiteral("HEIGHT"), QString()); }),
                 QStringLiteral("EVESKException: Property name is not unique: HEIGHT"));
        QCOMPARE(grid->Items()->Count(), 2);
        QVERIFY(grid->Items()->IsValid(QString(), true));
    }
    void duplicateNamesAllowedWithoutUnique()
    {
        grid->Items()->Add(QStringLiteral("a"), QString());
        grid->Items()->Add(QStringLiteral("a"), QString());
        QCOMPARE(grid->Items()->Count(), 2);
    }
    void sortedRenames_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("b to d") << "b"
                                << "d" << QStringList({ "a", "c", "d", "e" });
        QTest::newRow("e to aa") << "e"
                                 << "aa" << QStringList({ "a", "aa", "b", "c" });
        QTest::newRow("a to z") << "a"
                                << "z" << QStringList({ "b", "c", "e", "z" });
        QTest::newRow("c to C") << "c"
                                << "C" << QStringList({ "a", "b", "C", "e" });
    }
    void sortedRenames()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, expected);
        LooseTree tree;
        tree.items->SetSorted(true);
        for (const char *name : { "e", "c", "a", "b" })
            tree.items->Add(QString::fromLatin1(name), QString());
        QCOMPARE(names(tree.items), QStringList({ "a", "b", "c", "e" }));
        tree.items->GetItemByName(from)->SetName(to);
        QCOMPARE(names(tree.items), expected);
    }
    void sortOnSortedCollectionChangesNothing()
    {
        LooseTree tree;
        for (const char *name : { "b", "a" })
            tree.items->Add(QString::fromLatin1(name), QString());
        tree.items->Sort(true);
        QCOMPARE(names(tree.items), QStringList({ "a", "b" }));
        tree.items->SetSorted(true);
        tree.items->Items(0)->SetIndex(1); // out of order on purpose
        tree.items->Sort(true);
        QCOMPARE(names(tree.items), QStringList({ "b", "a" }));
    }
    void sortIsOverridable()
    {
        QObject owner;
        auto *items = Create<CountingItems>(&owner, &TQXItemProp::staticMetaObject);
        items->Add(QStringLiteral("b"), QString());
        items->Add(QStringLiteral("a"), QString());
        items->SetSorted(true);
        QCOMPARE(items->sorts, 1);
        QCOMPARE(names(items), QStringList({ "a", "b" }));
        Free(items);
    }
    void sortingReachesEveryLevel()
    {
        LooseTree tree;
        TQXItemProp *z = tree.items->Add(QStringLiteral("z"), QString());
        tree.items->Add(QStringLiteral("m"), QString());
        z->Items()->Add(QStringLiteral("y"), QString());
        z->Items()->Add(QStringLiteral("x"), QString());
        tree.items->SetSorted(true);
        QCOMPARE(names(tree.items), QStringList({ "m", "z" }));
        QCOMPARE(names(z->Items()), QStringList({ "x", "y" }));
        QVERIFY(z->Items()->Sorted());
        // A child collection made after sorting starts sorted too.
        QVERIFY(tree.items->Items(0)->Items()->Sorted());
    }

    // Paths
    void addFullPathReusesOrDuplicates()
    {
        LooseTree tree;
        TQXItemProp *bold
            = tree.items->AddFullPath(QStringLiteral("Font.Style.Bold"), QStringLiteral("True"), false);
        QCOMPARE(bold->GetFullPathName(), QStringLiteral("Font.Style.Bold"));
        QCOMPARE(bold->GetValue(), QStringLiteral("True"));
        TQXItemProp *again
            = tree.items->AddFullPath(QStringLiteral("Font.Style.Bold"), QStringLiteral("False"), false);
        QCOMPARE(again, bold);
        QCOMPARE(bold->GetValue(), QStringLiteral("False"));
        TQXItemProp *second
            = tree.items->AddFullPath(QStringLiteral("Font.Style.Bold"), QStringLiteral("x"), true);
        QVERIFY(second != bold);
        QCOMPARE(tree.items->Count(), 1);
        TQXItemProp *style = tree.items->FindItemByFullPathName(QStringLiteral("Font.Style"));
        QCOMPARE(names(style->Items()), QStringList({ "Bold", "Bold" }));
        QCOMPARE(second->GetParent(), style);
    }
    void findByFullPath()
    {
        grid->Items()->AddFullPath(QStringLiteral("Font.Size"), QStringLiteral("9"), false);
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("Nope.Size")), nullptr);
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("Font.Nope")), nullptr);
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("font.size"))->GetValue(),
                 QStringLiteral("9"));
        grid->SetPathDelimiter(QStringLiteral("/"));
        TQXItemProp *dotted = grid->Items()->AddFullPath(QStringLiteral("a.b/c"), QStringLiteral("1"), false);
        QCOMPARE(dotted->Name(), QStringLiteral("c"));
        QCOMPARE(dotted->GetParent()->Name(), QStringLiteral("a.b"));
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("a.b/c")), dotted);
        QCOMPARE(dotted->GetFullPathName(), QStringLiteral("a.b/c"));
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("Font.Size")), nullptr);
    }
    void findItemPropByPositionOrName()
    {
        LooseTree tree;
        QCOMPARE(tree.items->FindItemProp(QVariant(0), true), nullptr); // nothing to find, even with Create
        TQXItemProp *a = tree.items->Add(QStringLiteral("a"), QString());
        QCOMPARE(tree.items->FindItemProp(QVariant(0), false), a);
        QCOMPARE(tree.items->FindItemProp(QVariant(QStringLiteral("A")), false), a);
        QCOMPARE(tree.items->FindItemProp(QVariant(5), false), nullptr);
        QCOMPARE(tree.items->FindItemProp(QVariant(QStringLiteral("b")), false), nullptr);
        QCOMPARE(exceptionText([&] { tree.items->FindItemProp(QVariant(QStringLiteral("b")), true); }),
                 QStringLiteral("EVESKException: Property not found: b"));
        TQXItemProp *created = tree.items->FindItemProp(QVariant(1), true);
        QVERIFY(created);
        QCOMPARE(tree.items->Count(), 2);
    }

    // Categories
    void deleteCategoryKeepsOrDropsChildren_data()
    {
        QTest::addColumn<bool>("deleteChildren");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("keep") << false << QStringList({ "x", "c1", "c2" });
        QTest::newRow("drop") << true << QStringList({ "x" });
    }
    void deleteCategoryKeepsOrDropsChildren()
    {
        QFETCH(bool, deleteChildren);
        QFETCH(QStringList, expected);
        TQXItemProps *items = grid->Items();
        TQXItemProp *category = items->AddCategory(QStringLiteral("Layout"), false);
        QVERIFY(category->Category());
        QVERIFY(category->IsReadOnly());
        items->Add(QStringLiteral("x"), QString());
        category->Items()->Add(QStringLiteral("c1"), QString());
        category->Items()->Add(QStringLiteral("c2"), QString());
        QCOMPARE(items->AddCategory(QStringLiteral("layout"), false), category);
        items->DeleteCategory(category->Index(), deleteChildren);
        QCOMPARE(names(items), expected);
        QCOMPARE(grid->GetItemCount(), expected.size());
    }
    void deletingANonCategoryFails()
    {
        TQXItemProps *items = grid->Items();
        items->Add(QStringLiteral("x"), QString());
        QCOMPARE(exceptionText([&] { items->DeleteCategory(0, true); }),
                 QStringLiteral("EVESKException: Cannot delete item, not a category"));
        QCOMPARE(items->Count(), 1);
    }
    void defaultCategoryIsUniqueAndForgottenWhenItLeaves()
    {
        LooseTree tree;
        TQXItemProp *misc = tree.items->CreateDefaultCategory();
        QCOMPARE(misc->Name(), QStringLiteral("Miscellaneous"));
        QVERIFY(misc->DefaultCategory());
        TQXItemProp *other = tree.items->AddCategory(QStringLiteral("Other"), false);
        other->SetDefaultCategory(true);
        QVERIFY(!misc->DefaultCategory());
        QCOMPARE(tree.items->DefaultCategoryItem(), other);
        Free(other);
        QCOMPARE(tree.items->DefaultCategoryItem(), nullptr);
        tree.items->SetDefaultCategoryName(QString());
        QCOMPARE(tree.items->CreateDefaultCategory(), nullptr);
    }
    void clearCategories()
    {
        LooseTree tree;
        tree.items->AddCategory(QStringLiteral("A"), false)->Items()->Add(QStringLiteral("a1"), QString());
        tree.items->AddCategory(QStringLiteral("B"), false);
        tree.items->Add(QStringLiteral("plain"), QString());
        tree.items->ClearCategories(false);
        QCOMPARE(names(tree.items), QStringList({ "plain", "a1" }));
    }

    // Read-only and visibility
    void readOnlyOnDisabledItem()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("x"), QString());
        item->SetEnabled(false);
        QVERIFY(item->IsReadOnly());
        item->SetReadOnly(true); // already read-only through being disabled: nothing changes
        item->SetEnabled(true);
        QVERIFY(!item->IsReadOnly());
    }
    void hiddenReadOnlyItemsButVisibleCategories()
    {
        TQXItemProps *items = grid->Items();
        TQXItemProp *category = items->AddCategory(QStringLiteral("Cat"), false);
        TQXItemProp *locked = items->Add(QStringLiteral("locked"), QString());
        TQXItemProp *open = items->Add(QStringLiteral("open"), QString());
        locked->SetReadOnly(true);
        grid->SetDisplayOptions(grid->DisplayOptions() & ~TQXCustomItemListEditor::doShowReadOnly);
        QVERIFY(category->IsVisible());
        QVERIFY(!locked->IsVisible());
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        open->SetEnabled(false); // disabled is read-only: hidden at once
        QCOMPARE(grid->GetVisibleItemCount(), 1);
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doShowReadOnly);
        QCOMPARE(grid->GetVisibleItemCount(), 3);
    }

    // Values
    void valueOfSelectedItemFollowsCursor()
    {
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        grid->SetColCount(3);
        TQXItemProp *a = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("one\ntwo"));
        TQXItemProp *b = grid->Items()->Add(QStringLiteral("b"), QStringLiteral("x\ny\n"));
        grid->SetSelected(a);
        grid->SetCol(2);
        QCOMPARE(grid->GetSelected(), a);
        QCOMPARE(a->GetValue(), QStringLiteral("two"));
        QCOMPARE(b->GetValue(), QStringLiteral("x\ny"));
        a->SetValue(QStringLiteral("deux"));
        QCOMPARE(a->Values()->Text(), QStringLiteral("one\ndeux\n"));
    }
    void valuesFitTheGridsValueLines()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("x\ny\nz"));
        QCOMPARE(item->Values()->Count(), 3); // kept until a cell reads it
        QCOMPARE(grid->GetCell(1, 1), QStringLiteral("x"));
        QCOMPARE(item->Values()->Count(), 1);
        TQXItemProp *wide = grid->Items()->Add(QStringLiteral("b"), QStringLiteral("x\ny\nz"));
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        grid->SetColCount(4);
        QCOMPARE(grid->GetCell(3, 2), QStringLiteral("z"));
        QCOMPARE(wide->Values()->Count(), 3);
        grid->SetColCount(5);
        QCOMPARE(grid->GetCell(4, 2), QString());
        QCOMPARE(wide->Values()->Count(), 4);
    }
    void pickListDrivesEditStyle()
    {
        LooseTree tree;
        TQXItemProp *item = tree.items->Add();
        item->GetPickList()->Add(QStringLiteral("one"));
        QCOMPARE(item->EditStyle(), esPickList);
        item->GetPickList()->Clear();
        QCOMPARE(item->EditStyle(), esSimple);
        item->SetEditStyle(esEllipsis);
        item->GetPickList()->Add(QStringLiteral("one"));
        QCOMPARE(item->EditStyle(), esEllipsis);
    }
    void editStyleIsStoredByName()
    {
        TQXItemProp *item = grid->Items()->Add();
        item->SetName(QStringLiteral("File"));
        item->SetEditStyle(esEllipsis);
        const QByteArray stream = WriteComponent(grid);
        QVERIFY2(stream.contains("\"esEllipsis\""), stream.constData());
        auto *copy = Create<TQXItemListEditor>();
        const TScopeExit freeCopy([copy] { Free(copy); });
        ReadComponent(copy, stream);
        QCOMPARE(copy->Items()->Items(0)->EditStyle(), esEllipsis);
    }

    // Fonts
    void childFontFollowsParentUntilChanged()
    {
        TQXItemProp *parent = grid->Items()->Add(QStringLiteral("p"), QString());
        TQXItemProp *child = parent->Items()->Add(QStringLiteral("c"), QString());
        parent->GetFont()->SetColor(clNavy);
        QVERIFY(!parent->ParentFont());
        QCOMPARE(child->GetFont()->Color(), clNavy);
        QVERIFY(child->ParentFont());
        child->GetFont()->SetSize(20);
        QVERIFY(!child->ParentFont());
        parent->GetFont()->SetColor(clMaroon);
        QCOMPARE(child->GetFont()->Color(), clNavy); // its own font now
        child->SetParentFont(true);
        QCOMPARE(child->GetFont()->Color(), clMaroon);
    }
    void gridFontReachesItemsAndDeltaFonts()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("a"), QString());
        TQXItemProp *category = grid->Items()->AddCategory(QStringLiteral("C"), false);
        QVERIFY(grid->CategoryFont()->Style() & fsBold);
        QCOMPARE(category->GetFont()->Color(), clPurple);
        QFont font = grid->font();
        font.setPointSize(17);
        grid->setFont(font);
        QCOMPARE(grid->Font()->Size(), 17);
        QCOMPARE(item->GetFont()->Size(), 17);
        QCOMPARE(grid->ValueFont()->Size(), 17);
        QCOMPARE(grid->CategoryFont()->Size(), 17);
        QVERIFY(grid->CategoryFont()->Style() & fsBold); // its own bold survives the new reference
        QCOMPARE(category->GetFont()->Size(), 17);
        QCOMPARE(category->GetFont()->Color(), clPurple);
    }
    void categoryFontChangeReachesCategories()
    {
        TQXItemProp *category = grid->Items()->AddCategory(QStringLiteral("C"), false);
        TQXItemProp *plain = grid->Items()->Add(QStringLiteral("p"), QString());
        grid->CategoryFont()->SetColor(clTeal);
        QCOMPARE(category->GetFont()->Color(), clTeal);
        QVERIFY(plain->GetFont()->Color() != clTeal);
    }

    // Copying
    void assignCopiesFontRulesButNotEnabled()
    {
        LooseTree tree;
        TQXItemProp *source = tree.items->Add(QStringLiteral("src"), QStringLiteral("v"));
        source->GetFont()->SetColor(clRed);
        source->SetHint(QStringLiteral("hint"));
        source->Items()->Add(QStringLiteral("kid"), QStringLiteral("k"));
        source->OnValidate = [](QObject *, TQXItemProp *, int) {};
        TQXItemProp *copy = tree.items->Add();
        copy->SetEnabled(false);
        copy->Assign(source);
        QCOMPARE(copy->ParentFont(), source->ParentFont());
        QVERIFY(!copy->ParentFont());
        QCOMPARE(copy->GetFont()->Color(), clRed);
        QVERIFY(!copy->Enabled());
        QCOMPARE(copy->Name(), QStringLiteral("src"));
        QCOMPARE(copy->Hint(), QStringLiteral("hint"));
        QCOMPARE(copy->Items()->Items(0)->GetDisplayName(), QStringLiteral("kid=k"));
        QVERIFY(!copy->OnValidate);
        copy->AssignEvents(source);
        QVERIFY(copy->OnValidate);
    }

    // Validation
    void validationErrorsAreRewrittenAndRouted()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("n"), QStringLiteral("abc"));
        item->OnValidate
            = [](QObject *, TQXItemProp *, int) { throw EConvertError(QStringLiteral("not a number")); };
        QString reported;
        item->OnValidateError = [&](QObject *sender, TQXItemProp *, int, const Exception &e) {
            QCOMPARE(sender, grid);
            reported = e.ClassName() + QLatin1Char(' ') + e.Message();
        };
        item->Validate();
        QCOMPARE(reported, QStringLiteral("EConvertError not a number")); // no in-place editor yet
        item->OnValidateError = {};
        QCOMPARE(exceptionText([&] { item->Validate(); }), QStringLiteral("EConvertError: not a number"));
        item->OnValidate = [](QObject *, TQXItemProp *, int) { Abort(); };
        bool reachedHandler = false;
        item->OnValidateError
            = [&](QObject *, TQXItemProp *, int, const Exception &) { reachedHandler = true; };
        QVERIFY_THROWS_EXCEPTION(EAbort, item->Validate());
        QVERIFY(!reachedHandler);
    }
    void validationWithoutGridUsesItemEventsOnly()
    {
        LooseTree tree;
        TQXItemProp *item = tree.items->Add();
        QList<int> columns;
        item->OnValidate = [&](QObject *sender, TQXItemProp *, int column) {
            QCOMPARE(sender, nullptr);
            columns << column;
        };
        item->OnValidated = [&](QObject *, TQXItemProp *, int column) { columns << column + 100; };
        item->Validate();
        QCOMPARE(columns, QList<int>({ 0, 100 }));
    }
    void validationErrorWithNobodyToTellReachesTheCaller()
    {
        LooseTree tree;
        TQXItemProp *item = tree.items->Add();
        item->OnValidate
            = [](QObject *, TQXItemProp *, int) { throw EConvertError(QStringLiteral("not a number")); };
        bool validated = false;
        item->OnValidated = [&](QObject *, TQXItemProp *, int) { validated = true; };
        QVERIFY_THROWS_EXCEPTION(EConvertError, item->Validate());
        QVERIFY(!validated);
    }
};

QTEST_MAIN(tst_ItemTree)
#include "tst_itemtree.moc"
