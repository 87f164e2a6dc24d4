// The grid's two item lists and the tree's counts stay right through long random edit sequences: after
// every step they are compared with a recount from scratch.
#include <QXInspector/QXItemListEditor.h>

#include <QRandomGenerator>
#include <QTest>

using namespace QXPlatform;

namespace {

int subtreeSize(TQXItemProp *item)
{
    int size = 0;
    if (item->HasChildren())
        for (int i = 0; i < item->Items()->Count(); ++i)
            size += 1 + subtreeSize(item->Items()->Items(i));
    return size;
}

int shownBelow(TQXItemProp *item)
{
    if (!item->GetVisible() || !item->IsExpanded())
        return 0;
    int count = 0;
    for (int i = 0; i < item->Items()->Count(); ++i) {
        TQXItemProp *child = item->Items()->Items(i);
        if (child->IsVisibleItem())
            count += 1 + shownBelow(child);
    }
    return count;
}

void preOrder(TQXItemProps *items, QList<TQXItemProp *> &all, QList<TQXItemProp *> &shown)
{
    for (int i = 0; i < items->Count(); ++i) {
        TQXItemProp *item = items->Items(i);
        all << item;
        if (item->IsVisible())
            shown << item;
        if (item->HasChildren())
            preOrder(item->Items(), all, shown);
    }
}

} // namespace

class tst_ItemLists : public QObject
{
    Q_OBJECT

    TQXItemListEditor *grid = nullptr;
    QRandomGenerator random;
    int nextName = 0;

    QList<TQXItemProp *> allItems() const
    {
        QList<TQXItemProp *> all, shown;
        preOrder(grid->Items(), all, shown);
        return all;
    }

    TQXItemProp *pick()
    {
        const QList<TQXItemProp *> all = allItems();
        return all.isEmpty() ? nullptr : all.at(random.bounded(int(all.size())));
    }

    QString step()
    {
        TQXItemProp *item = pick();
        const int action = item ? random.bounded(12) : 0;
        switch (action) {
        case 0:
            grid->Items()->Add(QStringLiteral("n%1").arg(nextName++), QString());
            return QStringLiteral("add top");
        case 1:
        case 2:
            item->Items()->Add(QStringLiteral("n%1").arg(nextName++), QString());
            return QStringLiteral("add child");
        case 3:
            Free(item);
            return QStringLiteral("free");
        case 4: {
            // Move under another item that is not inside the moved subtree, or to the top level.
            TQXItemProp *target = pick();
            for (TQXItemProp *p = target; p; p = p->GetParent())
                if (p == item)
                    target = nullptr;
            item->SetCollection(target ? target->Items() : grid->Items());
            return QStringLiteral("move");
        }
        case 5:
            if (item->Collection()->Count() > 1)
                item->SetIndex(random.bounded(item->Collection()->Count()));
            return QStringLiteral("reorder");
        case 6:
        case 7:
            item->SetExpanded(!item->IsExpanded());
            return QStringLiteral("toggle expansion");
        case 8:
            item->SetVisible(!item->GetVisible());
            return QStringLiteral("toggle visible");
        case 9:
            item->SetReadOnly(!item->IsReadOnly());
            return QStringLiteral("toggle read-only");
        case 10:
            grid->SetDisplayOptions(grid->DisplayOptions() ^ TQXCustomItemListEditor::doShowReadOnly);
            return QStringLiteral("toggle show read-only");
        default: {
            // A batch: the lists are rebuilt once when it ends.
            grid->Items()->BeginUpdate();
            for (int i = 0; i < 3; ++i)
                pick()->Items()->Add(QStringLiteral("n%1").arg(nextName++), QString());
            if (TQXItemProp *doomed = pick())
                Free(doomed);
            grid->Items()->EndUpdate();
            return QStringLiteral("batch");
        }
        }
    }

    bool verify(const QString &what, int stepNumber)
    {
        QList<TQXItemProp *> all, shown;
        preOrder(grid->Items(), all, shown);
        for (TQXItemProp *item : std::as_const(all)) {
            if (item->DescendantCount() != subtreeSize(item)) {
                qWarning("step %d (%s): %s counts %d descendants, has %d", stepNumber, qPrintable(what),
                         qPrintable(item->Name()), item->DescendantCount(), subtreeSize(item));
                return false;
            }
            if (item->GetVisibleChildCount() != shownBelow(item)) {
                qWarning("step %d (%s): %s caches %d shown lines below, has %d", stepNumber, qPrintable(what),
                         qPrintable(item->Name()), item->GetVisibleChildCount(), shownBelow(item));
                return false;
            }
        }
        QList<TQXItemProp *> listed, listedShown;
        for (int i = 0; i < grid->GetItemCount(); ++i)
            listed << grid->GetItem(i);
        for (int i = 0; i < grid->GetVisibleItemCount(); ++i)
            listedShown << grid->GetVisibleItem(i);
        if (listed != all || listedShown != shown) {
            qWarning("step %d (%s): lists %lld/%lld items, tree has %lld/%lld", stepNumber, qPrintable(what),
                     qlonglong(listed.size()), qlonglong(listedShown.size()), qlonglong(all.size()),
                     qlonglong(shown.size()));
            return false;
        }
        for (int i = 0; i < shown.size(); ++i)
            if (shown.at(i)->GetAbsoluteVIndex() != i)
                return false;
        return grid->RowCount() == grid->FixedRows() + qMax(1, int(shown.size()));
    }

private slots:
    void init() { grid = Create<TQXItemListEditor>(); }
    void cleanup() { FreeAndNil(grid); }

    void randomEditsKeepListsAndCounts_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("startItems");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("checkEvery");
        for (quint32 seed : { 1u, 7u, 42u, 2024u })
            QTest::addRow("seed %u", seed) << seed << 0 << 1500 << 1;
        // Outside a batch every change is applied where it happens: in a large tree, built one item at a
        // time, most changes fall in the middle of the lists, far from both ends. It is checked at every
        // tenth step to stay quick (the small trees are checked at every step).
        QTest::addRow("large tree, seed 5") << 5u << 2000 << 600 << 10;
    }
    void randomEditsKeepListsAndCounts()
    {
        QFETCH(quint32, seed);
        QFETCH(int, startItems);
        QFETCH(int, steps);
        QFETCH(int, checkEvery);
        random.seed(seed);
        QList<TQXItemProp *> built;
        for (int i = 0; i < startItems; ++i) {
            TQXItemProp *parent = i < 20 ? nullptr : built.at(random.bounded(int(built.size())));
            TQXItemProps *items = parent && parent->GetLevel() < 3 ? parent->Items() : grid->Items();
            built << items->Add(QStringLiteral("s%1").arg(i), QString());
            built.last()->SetExpanded(random.bounded(3) > 0);
        }
        QVERIFY(verify(QStringLiteral("built one by one"), -1));
        for (int i = 0; i < steps; ++i) {
            const QString what = step();
            if ((i + 1) % checkEvery == 0 && !verify(what, i))
                QFAIL(qPrintable(QStringLiteral("invariant broken after step %1: %2").arg(i).arg(what)));
        }
    }
    void listsReadEmptyDuringABatchAndRightAfterIt()
    {
        TQXItemProp *a = grid->Items()->Add(QStringLiteral("a"), QString());
        a->Items()->Add(QStringLiteral("a1"), QString());
        grid->Items()->Add(QStringLiteral("b"), QString());
        grid->Items()->BeginUpdate();
        Free(a); // its subtree leaves while the batch runs: no list may hand out the freed items
        QCOMPARE(grid->GetItemCount(), 0);
        QCOMPARE(grid->GetSelected(), nullptr);
        grid->Items()->Add(QStringLiteral("c"), QString());
        grid->Items()->EndUpdate();
        QCOMPARE(grid->GetItemCount(), 2);
        QCOMPARE(grid->GetVisibleItem(1)->Name(), QStringLiteral("c"));
        QCOMPARE(grid->RowCount(), 3);
    }
    void editsWhileEditUpdatesAreDisabledStayIncremental()
    {
        // Inside DisableEditUpdate no full rebuild runs: the incremental placement alone must be right.
        random.seed(99);
        for (int i = 0; i < 20; ++i)
            grid->Items()->Add(QStringLiteral("t%1").arg(i), QString());
        for (int i = 0; i < 400; ++i) {
            grid->DisableEditUpdate();
            TQXItemProp *item = pick();
            QString what;
            switch (random.bounded(4)) {
            case 0:
                item->Items()->Add(QStringLiteral("c%1").arg(i), QString());
                what = QStringLiteral("add child");
                break;
            case 1:
                item->SetExpanded(!item->IsExpanded());
                what = QStringLiteral("toggle expansion");
                break;
            case 2:
                if (grid->Items()->Count() > 3 && item->GetParent())
                    Free(item);
                what = QStringLiteral("free");
                break;
            default:
                grid->Items()->Add(QStringLiteral("t%1").arg(100 + i), QString());
                what = QStringLiteral("add top");
                break;
            }
            grid->EnableEditUpdate();
            if (!verify(what, i))
                QFAIL(qPrintable(QStringLiteral("invariant broken after step %1: %2").arg(i).arg(what)));
        }
    }
};

QTEST_MAIN(tst_ItemLists)
#include "tst_itemlists.moc"
