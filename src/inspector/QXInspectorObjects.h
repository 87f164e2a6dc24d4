/// \file
/// The objects an inspector shows: a small collection of entries, each referring to one live object and,
/// optionally, to a component whose destruction must remove the entry (the object may be a sub-object of
/// it). The collection tells its owner before the list changes (the inspector drops its rows) and after
/// (the inspector schedules a rescan), once per batch. Working copies without an owner tell nobody.
#pragma once

#include "Collection.h"
#include "Component.h"

#include <QPointer>

class TQXInspectorObject;
class TQXInspectorObjects;

/// What a collection of inspected objects tells its owner (the object inspector).
class QXINSPECTORCORE_EXPORT TQXInspectorObjectsOwner
{
public:
    virtual ~TQXInspectorObjectsOwner();
    /// The list is about to change: drop everything built from it.
    virtual void ListUpdating() = 0;
    /// The list changed (Item: one entry; nullptr: the list as a whole).
    virtual void ListUpdate(TQXInspectorObject *Item) = 0;
};

/// One inspected object of an inspector, with the component that owns it.
class QXINSPECTORCORE_EXPORT TQXInspectorObject : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    /// The object when it is a component; only this is stored with the inspector's settings.
    Q_PROPERTY(QObject *Component READ GetComponent WRITE SetComponent)

public:
    Q_INVOKABLE explicit TQXInspectorObject(QXPlatform::TCollection *Collection);
    ~TQXInspectorObject() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorObject)

    /// The list the entry is in.
    TQXInspectorObjects *GetCollection() const;
    /// The inspected object, or null once it is destroyed.
    QObject *Objects() const { return m_object; }
    /// Whether the entry was given Obj as object (also while Obj is being destroyed).
    bool HoldsObject(const QObject *Obj) const { return m_objectKey == Obj; }
    /// Whether the entry was given Owner as owner component (also while Owner is being destroyed).
    bool HoldsOwner(const QObject *Owner) const { return m_ownerKey == Owner; }
    /// Makes Obj the inspected object; the free notification moves from the old object to the new one.
    void SetObjects(QObject *Obj);
    ///@{
    /// The component that owns the object (a form for a widget on it), watched for its destruction.
    QObject *OwnerComponent() const { return m_ownerComponent; }
    void SetOwnerComponent(QObject *Value);
    ///@}
    ///@{
    /// The object when it is a component, or null; setting it sets the object.
    QObject *GetComponent() const;
    void SetComponent(QObject *Value);
    ///@}
    /// The component that registers for the objects' free notification: the collection's owner.
    QXPlatform::TComponent *GetNotifyComponent() const;

    QString GetDisplayName() const override;
    void Assign(const QObject *Source) override;

protected:
    /// Tells the list, and through it the inspector, that the entry is about to change.
    virtual void Changing();

private:
    // QPointer reads null once its object's destruction has begun, which is exactly when the entry must still
    // be found by it; the keys keep the identities for that and are never dereferenced.
    QPointer<QObject> m_object;
    QPointer<QObject> m_ownerComponent;
    const QObject *m_objectKey = nullptr;
    const QObject *m_ownerKey = nullptr;
};

/// The objects an inspector shows: entries of object and owner component, whose changes the owning
/// inspector hears of (TQXInspectorObjectsOwner).
class QXINSPECTORCORE_EXPORT TQXInspectorObjects : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
public:
    /// Owner may be null (a working copy); an owner that implements TQXInspectorObjectsOwner is told of
    /// changes, and one that is a TComponent receives the objects' free notifications.
    explicit TQXInspectorObjects(QObject *Owner);
    ~TQXInspectorObjects() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorObjects)

    /// The entry at Index; EListError outside the list.
    TQXInspectorObject *Items(int Index) const
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::Items(Index));
    }
    /// A new entry without an object, appended.
    TQXInspectorObject *Add();
    /// The entry holding Obj (made when there is none), inside one batch.
    TQXInspectorObject *Add(QObject *Obj);
    /// The entry holding Obj, with Owner as its owner component.
    TQXInspectorObject *Add(QObject *Owner, QObject *Obj);
    /// A new entry without an object, placed at Index.
    TQXInspectorObject *Insert(int Index)
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::Insert(Index));
    }
    /// The entry with ID, or null.
    TQXInspectorObject *FindItemID(int ID) const
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::FindItemID(ID));
    }
    /// The index of the entry holding Obj, or -1.
    int IndexOf(const QObject *Obj) const;
    /// The index of the first entry whose owner component is Owner, or -1.
    int IndexOfOwner(const QObject *Owner) const;
    /// Deletes the first entry whose object or owner component is Obj; returns its index, or -1.
    int Remove(const QObject *Obj);
    /// Deletes every entry whose object or owner component is Obj, inside one batch; returns how many.
    int RemoveAll(const QObject *Obj);
    /// Clears, then copies the entries of Source that have an object, inside one batch.
    void AssignNonEmpty(TQXInspectorObjects *Source);

    /// The owner when it is a component: it receives the objects' free notifications.
    QXPlatform::TComponent *NotifyComponent() const;
    /// The owner when it implements TQXInspectorObjectsOwner, or null.
    TQXInspectorObjectsOwner *GetInspector() const;

    /// Tells the inspector that the list is about to change, then begins the update.
    void BeginUpdate() override;
    /// Outside an update, tells the inspector that the list is about to change (Item: the entry, or null).
    virtual void Changing(TQXInspectorObject *Item);

protected:
    void Update(QXPlatform::TCollectionItem *Item) override;
};
