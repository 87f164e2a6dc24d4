// The string views of the tree: the grid's Strings (path=value lines) and an item's value list.
#include <QXInspector/QXItemListEditor.h>

#include <QTest>

using namespace QXPlatform;

class tst_ItemStrings : public QObject
{
    Q_OBJECT

    TQXItemListEditor *grid = nullptr;

    QStringList lines() const { return grid->Strings()->ToStringList(); }

private slots:
    void init() { grid = Create<TQXItemListEditor>(); }
    void cleanup() { FreeAndNil(grid); }

    void roundTripThroughStrings()
    {
        grid->Strings()->SetText(QStringLiteral("a=1\nb.c=2\n"));
        TQXItemProps *items = grid->Items();
        QCOMPARE(items->Count(), 2);
        QCOMPARE(items->Items(0)->GetDisplayName(), QStringLiteral("a=1"));
        QCOMPARE(items->Items(1)->Name(), QStringLiteral("b"));
        QCOMPARE(items->Items(1)->Items()->Items(0)->GetDisplayName(), QStringLiteral("c=2"));
        QCOMPARE(lines(), QStringList({ "a=1", "b=", "b.c=2" }));
        auto *view = static_cast<TQXItemStrings *>(grid->Strings());
        view->SetShowVisibleOnly(true);
        QCOMPARE(lines(), QStringList({ "a=1", "b=" })); // b is collapsed
        items->Items(1)->Expand();
        QCOMPARE(lines(), QStringList({ "a=1", "b=", "b.c=2" }));
    }
    void addingALineFollowsUniqueness()
    {
        grid->Strings()->SetText(QStringLiteral("a=1\nb.c=2"));
        grid->Strings()->Add(QStringLiteral("a=3"));
        QCOMPARE(lines(), QStringList({ "a=1", "b=", "b.c=2", "a=3" }));
        grid->Strings()->Delete(3);
        grid->SetPropertyOptions(TQXCustomItemListEditor::propUnique);
        grid->Strings()->Add(QStringLiteral("a=3"));
        QCOMPARE(lines(), QStringList({ "a=3", "b=", "b.c=2" }));
    }
    void lineWithoutEqualsIsAPath()
    {
        grid->Strings()->Add(QStringLiteral("x.y"));
        QCOMPARE(lines(), QStringList({ "x=", "x.y=" }));
    }
    void indexOfNameAndDelete()
    {
        grid->Strings()->SetText(QStringLiteral("a=1\nb.c=2\nd=4"));
        QCOMPARE(grid->Strings()->IndexOfName(QStringLiteral("b.c")), 2);
        QCOMPARE(grid->Strings()->IndexOfName(QStringLiteral("b.x")), -1);
        QCOMPARE(grid->Strings()->IndexOfName(QStringLiteral("zz")), -1);
        auto *view = static_cast<TQXItemStrings *>(grid->Strings());
        view->SetShowVisibleOnly(true);
        QCOMPARE(view->IndexOfName(QStringLiteral("b.c")), -1); // not shown
        QCOMPARE(view->IndexOfName(QStringLiteral("d")), 2);
        view->SetShowVisibleOnly(false);
        grid->Strings()->Delete(1); // b with its child
        QCOMPARE(lines(), QStringList({ "a=1", "d=4" }));
    }
    void outOfRangeLinesRaiseListErrors()
    {
        grid->Strings()->Add(QStringLiteral("a=1"));
        QVERIFY_THROWS_EXCEPTION(EStringListError, grid->Strings()->Insert(5, QStringLiteral("x=1")));
        QVERIFY_THROWS_EXCEPTION(EStringListError, grid->Strings()->Strings(1));
        QVERIFY_THROWS_EXCEPTION(EStringListError, grid->Strings()->Delete(-1));
    }
    void objectsAreItemObjects()
    {
        QObject tag;
        grid->Strings()->AddObject(QStringLiteral("a=1"), &tag);
        QCOMPARE(grid->Items()->Items(0)->ItemObject(), &tag);
        QCOMPARE(grid->Strings()->Objects(0), &tag);
    }

    // Value lists
    void valueListChangesReachTheItem()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("a"), QString());
        item->Values()->SetText(QStringLiteral("1"));
        QCOMPARE(item->GetDisplayName(), QStringLiteral("a=1"));
        QCOMPARE(grid->GetCell(1, 1), QStringLiteral("1"));
        item->Values()->SetStrings(0, QStringLiteral("2"));
        QCOMPARE(grid->GetCell(1, 1), QStringLiteral("2"));
    }
    void valueLinesFitWithoutNotifying()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("x\ny\nz"));
        int changes = 0;
        auto *values = static_cast<TQXItemPropValueStrings *>(item->Values());
        values->OnChange = [&](QObject *) { ++changes; };
        QCOMPARE(values->Strings(0), QStringLiteral("x"));
        QCOMPARE(values->Count(), 1);
        QCOMPARE(changes, 0);
        values->SetStrings(0, QStringLiteral("x")); // same text: no write
        QCOMPARE(changes, 0);
        values->SetStrings(0, QStringLiteral("w"));
        QCOMPARE(changes, 1);
    }
};

QTEST_MAIN(tst_ItemStrings)
#include "tst_itemstrings.moc"
