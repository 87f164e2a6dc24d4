/// \file
/// Components: any QObject counts as one (its Name is objectName); our own component classes mix in
/// TComponent for an owner, a component state, Loaded and free notification.
///
/// Free notification tells a component that another object it refers to is going away, so it can drop
/// the reference. It rides on QObject::destroyed for every QObject; our own components also notify at the
/// start of their destruction (BeforeDestruction), while they can still be read. Each receiver hears of an
/// object once, however often it asked.
#pragma once

#include "Persistent.h"

#include <QFlags>
#include <QHash>
#include <QList>
#include <QPointer>

namespace QXPlatform {

/// What a component is told of another one: it was inserted, or it is going (Notification).
enum TOperation { opInsert, opRemove };

/// The states of a component: being read (loading, reading), being written, being destroyed, designed.
enum TComponentStateFlag {
    csLoading = 0x1,
    csReading = 0x2,
    csWriting = 0x4,
    csDestroying = 0x8,
    csDesigning = 0x10,
};
Q_DECLARE_FLAGS(TComponentState, TComponentStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TComponentState)

/// A QObject counts as a component unless it is one of our persistent sub-objects (fonts, string
/// lists, collections, collection items).
QXINSPECTORCORE_EXPORT bool IsComponent(const QObject *object);
/// The same for a class: any QObject class but those of the persistent sub-objects (fonts, pictures,
/// string lists, collections, collection items, value adapters, list items, tree nodes, image lists) and
/// their descendants.
QXINSPECTORCORE_EXPORT bool IsComponentClass(const QMetaObject *AClass);

/// The component mixin: an owner, a name, a state (loading, designing) and free notifications.
class QXINSPECTORCORE_EXPORT TComponent : public TPersistent
{
public:
    /// self is the QObject this mixin is part of; Owner may be null.
    TComponent(QObject *self, QObject *Owner);
    ~TComponent() override;

    /// The owner given at construction, or null.
    QObject *Owner() const { return m_owner; }
    QObject *GetOwner() const override { return m_owner; }
    ///@{
    /// The component's name: its QObject's objectName.
    QString Name() const { return m_self->objectName(); }
    void SetName(const QString &name) { m_self->setObjectName(name); }
    ///@}
    QString GetNamePath() const override;

    /// Whether the component is being read (csLoading) or designed (csDesigning).
    TComponentState ComponentState() const { return m_state; }
    /// Marks the component as being read from a stream; Loaded ends that state.
    void Loading() { m_state |= csLoading; }
    /// Called once a stream has been read; overrides call the inherited one first.
    virtual void Loaded() { m_state &= ~TComponentState(csLoading); }
    /// Puts the component in or out of design state (csDesigning).
    void SetDesigning(bool designing);

    /// Asks to hear (once) through Notification(object, opRemove) when object is destroyed.
    void FreeNotification(QObject *object);
    /// Takes back FreeNotification; no notification for object arrives afterwards.
    void RemoveFreeNotification(QObject *object);
    /// Whether FreeNotification(object) is in force.
    bool IsFreeNotified(const QObject *object) const { return m_watched.contains(object); }

    void BeforeDestruction() override;

    /// The QObject this mixin is part of.
    QObject *ComponentSelf() const { return m_self; }

protected:
    /// Told of objects that are going away (opRemove). Overrides call the inherited one.
    virtual void Notification(QObject *AComponent, TOperation Operation);
    /// Replaces the state flags, for descendants that manage them themselves.
    void SetComponentState(TComponentState state) { m_state = state; }

private:
    struct Watch
    {
        QMetaObject::Connection connection;
        TComponent *component = nullptr; // set when the watched object is one of our components
    };

    void objectGone(QObject *object);
    void notifyWatchers();
    void detachAll();

    QObject *m_self;
    QPointer<QObject> m_owner;
    TComponentState m_state;
    // Kept in step from both sides: a watcher removes itself from the watched component's list when it
    // stops watching or is destroyed, so the raw pointers here are never stale.
    QHash<const QObject *, Watch> m_watched;
    QList<TComponent *> m_watchers;
};

/// The component mixin of object, or null when it has none.
QXINSPECTORCORE_EXPORT TComponent *AsComponent(const QObject *object);

} // namespace QXPlatform
