// Components: free notification over QObject::destroyed and our own early notification, component
// state, and the class registry.
#include <QXInspector/ClassRegistry.h>
#include <QXInspector/Collection.h>
#include <QXInspector/Component.h>
#include <QXInspector/Events.h>
#include <QXInspector/Exceptions.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace QXPlatform;

namespace Fixtures {

class Watcher : public QObject, public TComponent
{
    Q_OBJECT
public:
    explicit Watcher(QObject *owner = nullptr)
        : TComponent(this, owner)
    { }
    QStringList heard;
    QStringList *log = nullptr; // outlives the watcher: a notification after Free would show here
    QPointer<QObject> watched; // the kind of reference a receiver drops when told

protected:
    void Notification(QObject *AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove)
            return;
        // Our components are told while the departing one is still whole: read it through a virtual.
        const TComponent *component = AsComponent(AComponent);
        const auto *described = dynamic_cast<const Watcher *>(component);
        heard << (described ? described->describe()
                            : QStringLiteral("object %1").arg(AComponent->objectName()));
        if (log)
            *log << heard.constLast();
        if (watched == AComponent)
            watched = nullptr;
    }

public:
    virtual QString describe() const { return QStringLiteral("watcher %1").arg(Name()); }
};

class LoadingAware : public Watcher
{
    Q_OBJECT
public:
    using Watcher::Watcher;
    int loadedCalls = 0;
    void Loaded() override
    {
        Watcher::Loaded();
        ++loadedCalls;
    }
    QString describe() const override { return QStringLiteral("loading-aware %1").arg(Name()); }
};

class Registered : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE Registered() = default;
};

class WithEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TNotifyEvent OnPing MEMBER onPing)
public:
    QXPlatform::TNotifyEvent onPing;
};

} // namespace Fixtures

namespace Other {
class Registered : public QObject
{
    Q_OBJECT
};
} // namespace Other

using namespace Fixtures;

class tst_Component : public QObject
{
    Q_OBJECT

private slots:
    // Free notification
    void deletedButtonNotifiesOnce()
    {
        auto *watcher = Create<Watcher>();
        auto *button = new QPushButton;
        button->setObjectName(QStringLiteral("OK"));
        watcher->watched = button;
        watcher->FreeNotification(button);
        watcher->FreeNotification(button); // asking twice must not give two notifications
        QVERIFY(watcher->IsFreeNotified(button));
        delete button;
        QCOMPARE(watcher->heard, QStringList({ "object OK" }));
        QVERIFY(watcher->watched.isNull());
        QVERIFY(!watcher->IsFreeNotified(button));
        Free(watcher);
    }
    void removedFreeNotificationIsSilent()
    {
        auto *watcher = Create<Watcher>();
        auto *button = new QPushButton;
        watcher->FreeNotification(button);
        watcher->RemoveFreeNotification(button);
        delete button;
        QVERIFY(watcher->heard.isEmpty());
        Free(watcher);
    }
    void ourComponentNotifiesWhileStillWhole()
    {
        auto *watcher = Create<Watcher>();
        auto *watched = Create<LoadingAware>();
        watched->SetName(QStringLiteral("Inspector1"));
        watcher->FreeNotification(watched);
        Free(watched);
        QCOMPARE(watcher->heard, QStringList({ "loading-aware Inspector1" }));
        Free(watcher);
    }
    void plainDeleteOfOurComponentStillNotifies()
    {
        auto *watcher = Create<Watcher>();
        auto *watched = Create<Watcher>();
        watched->SetName(QStringLiteral("w"));
        watcher->FreeNotification(watched);
        delete watched;
        QCOMPARE(watcher->heard.size(), 1);
        Free(watcher);
    }
    void watcherGoingFirstLeavesNothingBehind()
    {
        QStringList freedWatcherHeard;
        auto *watcher = Create<Watcher>();
        watcher->log = &freedWatcherHeard;
        auto *bystander = Create<Watcher>();
        auto *watched = Create<Watcher>();
        watched->SetName(QStringLiteral("w"));
        auto *button = new QPushButton;
        button->setObjectName(QStringLiteral("b"));
        for (Watcher *each : { watcher, bystander }) {
            each->FreeNotification(watched);
            each->FreeNotification(button);
        }
        Free(watcher);
        // Neither the component nor the button may call back into the freed watcher; the other one still
        // hears both.
        Free(watched);
        delete button;
        QVERIFY(freedWatcherHeard.isEmpty());
        QCOMPARE(bystander->heard, QStringList({ "watcher w", "object b" }));
        Free(bystander);
    }
    void mutualWatchersBothHear()
    {
        auto *a = Create<Watcher>();
        auto *b = Create<Watcher>();
        a->SetName(QStringLiteral("a"));
        b->SetName(QStringLiteral("b"));
        a->FreeNotification(b);
        b->FreeNotification(a);
        Free(a);
        QCOMPARE(b->heard, QStringList({ "watcher a" }));
        QVERIFY(!b->IsFreeNotified(a));
        Free(b);
    }
    void persistentSubObjectsAreNoComponents()
    {
        QPushButton button;
        auto *watcher = Create<Watcher>();
        auto *collection = Create<TCollection>(&TCollectionItem::staticMetaObject);
        QVERIFY(IsComponent(&button));
        QVERIFY(IsComponent(watcher));
        QVERIFY(!IsComponent(collection));
        QVERIFY(!IsComponent(nullptr));
        Free(collection);
        Free(watcher);
    }

    // State
    void loadingAndDestroyingState()
    {
        auto *component = Create<LoadingAware>();
        component->Loading();
        QVERIFY(component->ComponentState() & csLoading);
        component->Loaded();
        QVERIFY(!(component->ComponentState() & csLoading));
        QCOMPARE(component->loadedCalls, 1);
        component->SetDesigning(true);
        QVERIFY(component->ComponentState() & csDesigning);
        Free(component);
    }
    void nameIsObjectName()
    {
        QObject owner;
        owner.setObjectName(QStringLiteral("Form1"));
        auto *component = Create<Watcher>(&owner);
        component->SetName(QStringLiteral("Grid"));
        QCOMPARE(component->objectName(), QStringLiteral("Grid"));
        QCOMPARE(component->Owner(), &owner);
        QCOMPARE(component->GetNamePath(), QStringLiteral("Grid"));
        Free(component);
    }

    // Events
    void copiedEventsStayEmptyOrAssigned()
    {
        TNotifyEvent empty;
        TNotifyEvent copy(empty); // from a non-const event
        QVERIFY(!copy);
        copy = empty;
        QVERIFY(!copy);
        int calls = 0;
        TNotifyEvent handler = [&](QObject *) { ++calls; };
        copy = handler;
        QVERIFY(copy);
        copy(nullptr);
        QCOMPARE(calls, 1);
        WithEvent object; // a property read copies the event as well
        QVERIFY(!object.property("OnPing").value<TNotifyEvent>());
        object.onPing = handler;
        QVERIFY(object.property("OnPing").value<TNotifyEvent>());
    }

    // Class registry
    void registryFindsByNameWithoutNamespace()
    {
        RegisterClasses({ &Registered::staticMetaObject });
        RegisterClass(&Registered::staticMetaObject); // again: no error, no duplicate
        QCOMPARE(GetClass(QStringLiteral("registered")), &Registered::staticMetaObject);
        QCOMPARE(ClassNameOf(&Registered::staticMetaObject), QStringLiteral("Registered"));
        QObject *made = FindClass(QStringLiteral("Registered"))->newInstance();
        QVERIFY(qobject_cast<Registered *>(made));
        delete made;
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, RegisterClass(&Other::Registered::staticMetaObject));
        UnRegisterClass(&Registered::staticMetaObject);
        QCOMPARE(GetClass(QStringLiteral("Registered")), nullptr);
        try {
            FindClass(QStringLiteral("Registered"));
            QFAIL("no exception");
        } catch (const EClassNotFound &e) {
            QCOMPARE(e.Message(), QStringLiteral("Class Registered not found"));
        }
    }
};

QTEST_MAIN(tst_Component)
#include "tst_component.moc"
