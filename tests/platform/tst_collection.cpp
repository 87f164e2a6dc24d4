// Collections: creation order, notification order through add, extract, update and batches, the Free
// path, IDs, moves and assignment.
#include <QXInspector/Collection.h>
#include <QXInspector/Exceptions.h>

#include <QStringList>
#include <QTest>

using namespace QXPlatform;

namespace Fixtures {

class LoggedCollection;

class LoggedItem : public TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    Q_INVOKABLE explicit LoggedItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
        , m_constructed(true)
    { }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value)
    {
        if (value == m_caption)
            return;
        m_caption = value;
        Changed(false);
    }
    void ChangeAll() { Changed(true); }
    bool Constructed() const { return m_constructed; }
    void Assign(const QObject *Source) override
    {
        if (auto *source = qobject_cast<const LoggedItem *>(Source)) {
            m_caption = source->m_caption;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    void BeforeDestruction() override;

    static QStringList *log;

private:
    QString m_caption;
    bool m_constructed = false;
};

QStringList *LoggedItem::log = nullptr;

void LoggedItem::BeforeDestruction()
{
    if (log)
        log->append(QStringLiteral("before-destruction %1 index %2").arg(m_caption).arg(Index()));
    TCollectionItem::BeforeDestruction();
}

class OtherItem : public TCollectionItem
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit OtherItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
};

class NoConstructorItem : public TCollectionItem
{
    Q_OBJECT
public:
    explicit NoConstructorItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
};

class LoggedCollection : public TOwnedCollection
{
    Q_OBJECT
public:
    explicit LoggedCollection(QObject *owner, const QMetaObject *itemClass = &LoggedItem::staticMetaObject)
        : TOwnedCollection(owner, itemClass)
    { }
    QStringList log;

protected:
    void Notify(TCollectionItem *Item, TCollectionNotification Action) override
    {
        static const char *names[] = { "added", "extracting", "deleting" };
        auto *logged = qobject_cast<LoggedItem *>(Item);
        // The added notification must see the whole item: its most derived class, constructed.
        log.append(QStringLiteral("%1 %2%3").arg(
            QLatin1String(names[Action]), logged ? logged->Caption() : ClassNameOf(Item),
            logged && !logged->Constructed() ? QStringLiteral(" (unconstructed)") : QString()));
        TOwnedCollection::Notify(Item, Action);
    }
    void Update(TCollectionItem *Item) override
    {
        auto *logged = qobject_cast<LoggedItem *>(Item);
        log.append(Item ? QStringLiteral("update %1").arg(logged ? logged->Caption() : QString())
                        : QStringLiteral("update all"));
    }
};

class Owner : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *Lines READ Lines)
public:
    Owner() { setObjectName(QStringLiteral("Grid1")); }
    QObject *Lines() const { return lines; }
    QObject *lines = nullptr;
};

class TwoPhase : public QObject, public TLifecycle
{
    Q_OBJECT
public:
    explicit TwoPhase(QStringList *log, bool failAfter = false)
        : m_log(log)
        , m_failAfter(failAfter)
    { }
    ~TwoPhase() override { m_log->append(QStringLiteral("destructor")); }
    void AfterConstruction() override
    {
        m_log->append(QStringLiteral("after-construction %1").arg(describe()));
        if (m_failAfter)
            throw EAbort();
    }
    void BeforeDestruction() override
    {
        m_log->append(QStringLiteral("before-destruction %1").arg(describe()));
    }
    virtual QString describe() const { return QStringLiteral("TwoPhase"); }

private:
    QStringList *m_log;
    bool m_failAfter;
};

class DerivedTwoPhase : public TwoPhase
{
    Q_OBJECT
public:
    using TwoPhase::TwoPhase;
    QString describe() const override { return QStringLiteral("Derived"); }
};

} // namespace Fixtures

using namespace Fixtures;

class tst_Collection : public QObject
{
    Q_OBJECT

private:
    Owner owner;
    LoggedCollection *collection = nullptr;
    QStringList itemLog;

    LoggedItem *add(const QString &caption)
    {
        collection->BeginUpdate();
        auto *item = qobject_cast<LoggedItem *>(collection->Add());
        item->SetCaption(caption);
        collection->EndUpdate();
        return item;
    }

private slots:
    void init()
    {
        collection = Create<LoggedCollection>(&owner);
        owner.lines = collection;
        LoggedItem::log = &itemLog;
        itemLog.clear();
    }
    void cleanup()
    {
        LoggedItem::log = nullptr;
        FreeAndNil(collection);
        owner.lines = nullptr;
    }

    // Notification order
    void addNotifiesAddedThenUpdate()
    {
        TCollectionItem *item = collection->Add();
        QCOMPARE(collection->log, QStringList({ "added ", "update all" }));
        QCOMPARE(item->Collection(), collection);
        QCOMPARE(item->Index(), 0);
    }
    void addedNotificationSeesWholeItem()
    {
        collection->Add();
        QVERIFY(!collection->log.first().contains("unconstructed"));
    }
    void itemChangeUpdatesThatItem()
    {
        auto *item = qobject_cast<LoggedItem *>(collection->Add());
        collection->log.clear();
        item->SetCaption(QStringLiteral("a"));
        item->SetCaption(QStringLiteral("a"));
        item->ChangeAll();
        QCOMPARE(collection->log, QStringList({ "update a", "update all" }));
    }
    void batchGivesOneFinalUpdate()
    {
        collection->BeginUpdate();
        auto *a = qobject_cast<LoggedItem *>(collection->Add());
        a->SetCaption(QStringLiteral("a"));
        collection->BeginUpdate();
        collection->Add();
        collection->EndUpdate();
        QCOMPARE(collection->UpdateCount(), 1);
        collection->EndUpdate();
        QCOMPARE(collection->log, QStringList({ "added ", "added ", "update all" }));
    }
    void deleteNotifiesDeletingThenExtracting()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        collection->log.clear();
        collection->Delete(0);
        QCOMPARE(collection->log, QStringList({ "deleting a", "extracting a", "update all" }));
        QCOMPARE(collection->Count(), 1);
        QCOMPARE(qobject_cast<LoggedItem *>(collection->Items(0))->Caption(), QStringLiteral("b"));
    }
    void clearFreesLastFirstInOneUpdate()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        collection->log.clear();
        collection->Clear();
        QCOMPARE(collection->log, QStringList({ "extracting b", "extracting a", "update all" }));
        QCOMPARE(collection->Count(), 0);
        collection->log.clear();
        collection->Clear();
        QVERIFY(collection->log.isEmpty());
    }
    void setCollectionExtractsThenAdds()
    {
        LoggedItem *a = add(QStringLiteral("a"));
        auto *other = Create<LoggedCollection>(&owner);
        other->Add();
        other->Add();
        collection->log.clear();
        other->log.clear();
        a->SetCollection(other);
        QCOMPARE(collection->log, QStringList({ "extracting a", "update all" }));
        QCOMPARE(other->log, QStringList({ "added a", "update all" }));
        QCOMPARE(a->Collection(), other);
        QCOMPARE(a->ID(), 2); // IDs come from the receiving collection
        QCOMPARE(collection->Count(), 0);
        Free(other);
        QCOMPARE(itemLog.count(), 3);
    }
    void freeingAnItemExtractsIt()
    {
        LoggedItem *a = add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        collection->log.clear();
        Free(a);
        QCOMPARE(collection->log, QStringList({ "extracting a", "update all" }));
        QCOMPARE(collection->Count(), 1);
    }

    // The Free path
    void freeReachesMostDerivedBeforeDestructionWhileStillInCollection()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        collection->Delete(1);
        QCOMPARE(itemLog, QStringList({ "before-destruction b index 1" }));
    }
    void createRunsAfterConstructionOnDerivedClass()
    {
        QStringList log;
        auto *object = Create<DerivedTwoPhase>(&log);
        FreeObject(object);
        QCOMPARE(log,
                 QStringList({ "after-construction Derived", "before-destruction Derived", "destructor" }));
    }
    void failingAfterConstructionFreesAndRethrows()
    {
        QStringList log;
        QVERIFY_THROWS_EXCEPTION(EAbort, Create<DerivedTwoPhase>(&log, true));
        QCOMPARE(log,
                 QStringList({ "after-construction Derived", "before-destruction Derived", "destructor" }));
    }
    void destroyingCollectionFreesItemsWithoutUpdates()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        collection->log.clear();
        FreeAndNil(collection);
        QCOMPARE(itemLog, QStringList({ "before-destruction b index 1", "before-destruction a index 0" }));
    }

    // Positions, IDs, lookup
    void setIndexMovesAndChecksBounds()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        LoggedItem *c = add(QStringLiteral("c"));
        collection->log.clear();
        c->SetIndex(0);
        QCOMPARE(collection->log, QStringList({ "update all" }));
        QStringList order;
        for (TCollectionItem *item : collection->ItemList())
            order << qobject_cast<LoggedItem *>(item)->Caption();
        QCOMPARE(order, QStringList({ "c", "a", "b" }));
        QVERIFY_THROWS_EXCEPTION(EListError, c->SetIndex(3));
        QCOMPARE(c->Index(), 0);
    }
    void insertPlacesNewItem()
    {
        add(QStringLiteral("a"));
        add(QStringLiteral("b"));
        TCollectionItem *inserted = collection->Insert(1);
        QCOMPARE(inserted->Index(), 1);
        QCOMPARE(collection->Count(), 3);
    }
    void idsAreNeverReused()
    {
        LoggedItem *a = add(QStringLiteral("a"));
        LoggedItem *b = add(QStringLiteral("b"));
        QCOMPARE(a->ID(), 0);
        QCOMPARE(b->ID(), 1);
        Free(a);
        LoggedItem *c = add(QStringLiteral("c"));
        QCOMPARE(c->ID(), 2);
        QCOMPARE(collection->FindItemID(1), b);
        QCOMPARE(collection->FindItemID(0), nullptr);
    }
    void itemsOutOfRangeRaisesListError()
    {
        add(QStringLiteral("a"));
        try {
            collection->Items(5);
            QFAIL("no exception");
        } catch (const EListError &e) {
            QCOMPARE(e.Message(), QStringLiteral("List index out of bounds (5)"));
        }
        QVERIFY_THROWS_EXCEPTION(EListError, collection->Items(-1));
        QVERIFY_THROWS_EXCEPTION(EListError, collection->Delete(1));
    }
    void foreignItemClassIsRefused()
    {
        auto *others = Create<TOwnedCollection>(&owner, &OtherItem::staticMetaObject);
        TCollectionItem *other = others->Add();
        QVERIFY_THROWS_EXCEPTION(EInvalidCast, other->SetCollection(collection));
        QCOMPARE(collection->Count(), 0);
        QCOMPARE(other->Collection(), others);
        Free(others);
    }
    void itemClassWithoutInvokableConstructorIsReported()
    {
        auto *broken = Create<TOwnedCollection>(&owner, &NoConstructorItem::staticMetaObject);
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, broken->Add());
        QCOMPARE(broken->Count(), 0);
        Free(broken);
    }

    // Names
    void displayAndNamePaths()
    {
        LoggedItem *a = add(QStringLiteral("a"));
        QCOMPARE(a->GetDisplayName(), QStringLiteral("LoggedItem"));
        QCOMPARE(collection->GetNamePath(), QStringLiteral("Grid1.Lines"));
        add(QStringLiteral("b"));
        QCOMPARE(collection->Items(1)->GetNamePath(), QStringLiteral("Grid1.Lines[1]"));
    }

    // Assignment
    void assignCopiesItemsInsideOneUpdate()
    {
        auto *source = Create<LoggedCollection>(&owner);
        for (const char *caption : { "x", "y" }) {
            auto *item = qobject_cast<LoggedItem *>(source->Add());
            item->SetCaption(QString::fromLatin1(caption));
        }
        add(QStringLiteral("old"));
        collection->log.clear();
        collection->Assign(source);
        QCOMPARE(collection->log, QStringList({ "extracting old", "added ", "added ", "update all" }));
        QCOMPARE(collection->Count(), 2);
        QCOMPARE(qobject_cast<LoggedItem *>(collection->Items(1))->Caption(), QStringLiteral("y"));
        Free(source);
    }
    void assignFromIncompatibleSourceRaises()
    {
        QObject plain;
        try {
            collection->Assign(&plain);
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("Cannot assign a QObject to a LoggedCollection"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Collection)
#include "tst_collection.moc"
