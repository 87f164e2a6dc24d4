// The objects an inspector shows: a small collection of entries, each referring to one live object and,
// optionally, to a component whose destruction must remove the entry (the object may be a sub-object of
// it). The collection tells its owner before the list changes (the inspector drops its rows) and after
// (the inspector schedules a rescan), once per batch. Working copies without an owner tell nobody.
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

class QXINSPECTORCORE_EXPORT TQXInspectorObject : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    /// The object when it is a component; only this is stored with the inspector's settings.
    Q_PROPERTY(QObject *Component READ GetComponent WRITE SetComponent)

public:
    Q_INVOKABLE explicit TQXInspectorObject(QXPlatform::TCollection *Collection);
    ~TQXInspectorObject() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorObject)

    TQXInspectorObjects *GetCollection() const;
    QObject *Objects() const { return m_object; }
    /// Whether the entry was given Obj as object (also while Obj is being destroyed).
    bool HoldsObject(const QObject *Obj) const { return m_objectKey == Obj; }
    bool HoldsOwner(const QObject *Owner) const { return m_ownerKey == Owner; }
    void SetObjects(QObject *Obj);
    QObject *OwnerComponent() const { return m_ownerComponent; }
    void SetOwnerComponent(QObject *Value);
    QObject *GetComponent() const;
    void SetComponent(QObject *Value);
    /// The component that registers for the objects' free notification: the collection's owner.
    QXPlatform::TComponent *GetNotifyComponent() const;

    QString GetDisplayName() const override;
    void Assign(const QObject *Source) override;

protected:
    virtual void Changing();

private:
    // QPointer reads null once its object's destruction has begun, which is exactly when the entry must still
    // be found by it; the keys keep the identities for that and are never dereferenced.
    QPointer<QObject> m_object;
    QPointer<QObject> m_ownerComponent;
    const QObject *m_objectKey = nullptr;
    const QObject *m_ownerKey = nullptr;
};

class QXINSPECTORCORE_EXPORT TQXInspectorObjects : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
public:
    /// Owner may be null (a working copy); an owner that implements TQXInspectorObjectsOwner is told of
    /// changes, and one that is a TComponent receives the objects' free notifications.
    explicit TQXInspectorObjects(QObject *Owner);
    ~TQXInspectorObjects() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorObjects)

    TQXInspectorObject *Items(int Index) const
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::Items(Index));
    }
    TQXInspectorObject *Add();
    /// The entry holding Obj (made when there is none), inside one batch.
    TQXInspectorObject *Add(QObject *Obj);
    TQXInspectorObject *Add(QObject *Owner, QObject *Obj);
    TQXInspectorObject *Insert(int Index)
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::Insert(Index));
    }
    TQXInspectorObject *FindItemID(int ID) const
    {
        return static_cast<TQXInspectorObject *>(TOwnedCollection::FindItemID(ID));
    }
    int IndexOf(const QObject *Obj) const;
    int IndexOfOwner(const QObject *Owner) const;
    /// Deletes the first entry whose object or owner component is Obj; returns its index, or -1.
    int Remove(const QObject *Obj);
    /// Deletes every entry whose object or owner component is Obj, inside one batch; returns how many.
    int RemoveAll(const QObject *Obj);
    /// Clears, then copies the entries of Source that have an object, inside one batch.
    void AssignNonEmpty(TQXInspectorObjects *Source);

    QXPlatform::TComponent *NotifyComponent() const;
    TQXInspectorObjectsOwner *GetInspector() const;

    void BeginUpdate() override;
    virtual void Changing(TQXInspectorObject *Item);

protected:
    void Update(QXPlatform::TCollectionItem *Item) override;
};
