// The inspected-objects collection: one entry per object, batches that tell the inspector once, and
// entries leaving when the objects they refer to are destroyed.
#include <QXInspector/QXInspectorObjects.h>

#include <QPushButton>
#include <QTest>

using namespace QXPlatform;

namespace {

// Stands in for the inspector: records what the collection tells it and drops destroyed objects.
class FakeInspector : public QObject, public TComponent, public TQXInspectorObjectsOwner
{
public:
    FakeInspector()
        : TComponent(this, nullptr)
    { }
    TQXInspectorObjects *objects = nullptr;
    int updating = 0;
    int updates = 0;

    void ListUpdating() override { ++updating; }
    void ListUpdate(TQXInspectorObject *) override { ++updates; }

protected:
    void Notification(QObject *AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && objects)
            objects->RemoveAll(AComponent);
    }
};

// A sub-object: a persistent object of ours, not a component.
class Settings : public TCollection
{
public:
    Settings()
        : TCollection(&TCollectionItem::staticMetaObject)
    { }
};

} // namespace

class tst_InspectorObjects : public QObject
{
    Q_OBJECT

    FakeInspector *inspector = nullptr;
    TQXInspectorObjects *objects = nullptr;

private slots:
    void init()
    {
        inspector = Create<FakeInspector>();
        objects = Create<TQXInspectorObjects>(inspector);
        inspector->objects = objects;
    }
    void cleanup()
    {
        inspector->objects = nullptr;
        FreeAndNil(objects);
        FreeAndNil(inspector);
    }

    void addingTheSameObjectTwiceKeepsOneEntry()
    {
        QPushButton button;
        TQXInspectorObject *first = objects->Add(&button);
        QCOMPARE(objects->Add(&button), first);
        QCOMPARE(objects->Count(), 1);
        QCOMPARE(objects->IndexOf(&button), 0);
    }
    void oneBatchTellsTheInspectorOnce()
    {
        QPushButton a, b;
        objects->BeginUpdate();
        objects->Add(&a);
        objects->Add(&b);
        objects->EndUpdate();
        QCOMPARE(inspector->updating, 1);
        QCOMPARE(inspector->updates, 1);
    }
    void destroyedComponentLeavesEveryEntryInOneBatch()
    {
        auto *button = new QPushButton;
        Settings settings;
        QPushButton other;
        objects->Add(button);
        objects->Add(button, &settings); // a sub-object of the button
        objects->Add(&other);
        inspector->updating = inspector->updates = 0;
        delete button;
        QCOMPARE(objects->Count(), 1);
        QCOMPARE(objects->Items(0)->Objects(), &other);
        QCOMPARE(inspector->updates, 1); // one rescan for the whole removal
        QCOMPARE(inspector->updating, 1);
    }
    void removeTakesOneEntryPerCall()
    {
        QPushButton owner;
        Settings a, b;
        objects->Add(&owner, &a);
        objects->Add(&owner, &b);
        QCOMPARE(objects->Remove(&owner), 0);
        QCOMPARE(objects->Count(), 1);
        QCOMPARE(objects->Items(0)->Objects(), &b);
        QCOMPARE(objects->Remove(&owner), 0);
        QCOMPARE(objects->Remove(&owner), -1);
    }
    void removeNothingTakesAnEntryWithoutObjectOrOwner()
    {
        QPushButton button;
        objects->Add(&button)->SetOwnerComponent(&button);
        objects->Add();
        QCOMPARE(objects->Remove(nullptr), 1);
        QCOMPARE(objects->Count(), 1);
    }
    void componentPropertyAndDisplayName()
    {
        QPushButton button;
        Settings settings;
        TQXInspectorObject *entry = objects->Add(&settings);
        QCOMPARE(entry->GetComponent(), nullptr);
        entry->SetComponent(nullptr); // reads as nothing already: unchanged
        QCOMPARE(entry->Objects(), &settings);
        QCOMPARE(entry->GetDisplayName(),
                 QStringLiteral("TCollection")); // the class, as its meta-object names it
        entry->SetComponent(&button);
        QCOMPARE(entry->GetDisplayName(), QStringLiteral("TQXInspectorObject")); // a component without a name
        button.setObjectName(QStringLiteral("OkButton"));
        QCOMPARE(entry->GetDisplayName(), QStringLiteral("OkButton"));
        QCOMPARE(entry->property("Component").value<QObject *>(), &button);
    }
    void assignNonEmptyCopiesOnlyEntriesWithObjects()
    {
        QPushButton a;
        auto *copy = Create<TQXInspectorObjects>(nullptr);
        auto *source = Create<TQXInspectorObjects>(nullptr);
        source->Add();
        source->Add(&a);
        source->Add();
        copy->AssignNonEmpty(source);
        QCOMPARE(copy->Count(), 1);
        QCOMPARE(copy->Items(0)->Objects(), &a);
        source->Clear();
        source->Add();
        copy->AssignNonEmpty(source);
        QCOMPARE(copy->Count(), 0);
        Free(source);
        Free(copy);
    }
    void workingCopiesRegisterNothing()
    {
        auto *copy = Create<TQXInspectorObjects>(nullptr);
        auto *button = new QPushButton;
        copy->Add(button);
        QVERIFY(!inspector->IsFreeNotified(button));
        delete button;
        QCOMPARE(copy->Items(0)->Objects(), nullptr); // the reference does not dangle
        Free(copy);
    }
    void replacingTheObjectStopsWatchingTheOldOne()
    {
        QPushButton a, b;
        TQXInspectorObject *entry = objects->Add(&a);
        QVERIFY(inspector->IsFreeNotified(&a));
        entry->SetObjects(&b);
        QVERIFY(!inspector->IsFreeNotified(&a));
        QVERIFY(inspector->IsFreeNotified(&b));
    }
    void sharedObjectStaysWatchedWhileAnEntryRefersToIt_data()
    {
        QTest::addColumn<bool>("replaceOwner");
        QTest::newRow("owner replaced") << true;
        QTest::newRow("object replaced") << false;
    }
    void sharedObjectStaysWatchedWhileAnEntryRefersToIt()
    {
        // Two entries share an owner component; one of them lets go of it. Destroying the owner must still
        // take the other entry away, never leave it behind with a destroyed object.
        QFETCH(bool, replaceOwner);
        auto *owner = new QPushButton;
        QPushButton other;
        Settings a, b;
        // The first entry refers to the owner as its owner component, or as its object.
        TQXInspectorObject *first = replaceOwner ? objects->Add(owner, &a) : objects->Add(owner);
        objects->Add(owner, &b);
        if (replaceOwner)
            first->SetOwnerComponent(&other);
        else
            first->SetObjects(&other);
        QVERIFY(inspector->IsFreeNotified(owner));
        delete owner;
        QCOMPARE(objects->Count(), 1);
        QCOMPARE(objects->Items(0), first);
        for (int i = 0; i < objects->Count(); ++i)
            QVERIFY(objects->Items(i)->Objects());
    }
};

QTEST_MAIN(tst_InspectorObjects)
#include "tst_inspectorobjects.moc"
