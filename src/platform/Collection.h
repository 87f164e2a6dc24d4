/// \file
/// Collections of persistent items: the base of every item tree in the library.
///
/// A collection owns its items. An item is created from the collection's item class (a meta-object with a
/// Q_INVOKABLE constructor taking QXPlatform::TCollection*), fully constructed, and only then inserted, so
/// the add notification already sees the whole item. Notifications, in the order they come:
///   adding:     Notify(item, cnAdded), then Update(nullptr) unless inside BeginUpdate/EndUpdate
///   extracting: Notify(item, cnExtracting), removal, then Update(nullptr) unless inside an update
///   Delete:     Notify(item, cnDeleting), then the item is freed (which extracts it as above)
///   item edits: TCollectionItem::Changed(false) gives Update(item); Changed(true) and EndUpdate give
///               Update(nullptr), both only outside an update.
/// Every Update is followed by the signal changed(item) with the same argument, for whoever is not the
/// collection itself.
#pragma once

#include "Persistent.h"

#include <QList>
#include <QObject>

namespace QXPlatform {

class TCollection;

/// What a collection tells its Notify of an item: added, being extracted, being deleted.
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

/// An item of a collection: owned by its collection, with an index, an ID that stays and a display name.
class QXINSPECTORCORE_EXPORT TCollectionItem : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// Collection is where AfterConstruction will insert the item; it may be null.
    Q_INVOKABLE explicit TCollectionItem(QXPlatform::TCollection *Collection);
    ~TCollectionItem() override;
    Q_DISABLE_COPY_MOVE(TCollectionItem)

    void AfterConstruction() override;
    void BeforeDestruction() override;

    /// The collection that owns the item, or null.
    TCollection *Collection() const { return m_collection; }
    /// Moves the item to another collection: extract from the old, add to the new (which gives a new ID).
    virtual void SetCollection(TCollection *Value);
    /// The item's position in its collection, or -1.
    int Index() const;
    /// Moves the item to position Value of its collection.
    virtual void SetIndex(int Value);
    /// The item's identifier, unique in its collection and kept when the item moves within it.
    int ID() const { return m_id; }
    /// The text shown for the item in lists (GetDisplayName).
    QString DisplayName() const { return GetDisplayName(); }
    /// The text shown for the item in lists; the class name unless overridden.
    virtual QString GetDisplayName() const;
    /// Sets the display name; the base only reports the change.
    virtual void SetDisplayName(const QString &Value);

    QObject *GetOwner() const override;
    QString GetNamePath() const override;

protected:
    /// Reports a change of this item (AllItems false) or of the whole collection's contents (true).
    void Changed(bool AllItems);
    /// The collection given to the constructor, for use before the item is inserted.
    TCollection *ConstructingCollection() const { return m_constructingCollection; }

private:
    friend class TCollection;
    // The collection owns the item; it clears this pointer when the item leaves it.
    TCollection *m_collection = nullptr;
    mutable int m_indexHint = -1; // where the item was last found in its collection
    TCollection *m_constructingCollection = nullptr;
    int m_id = 0;
};

/// A list of items of one class (or its descendants) that owns them, reports their changes and stores
/// them with its owner's settings.
class QXINSPECTORCORE_EXPORT TCollection : public QObject, public TPersistent
{
    Q_OBJECT
public:
    /// An empty collection of items of ItemClass, a TCollectionItem descendant.
    explicit TCollection(const QMetaObject *ItemClass);
    ~TCollection() override;
    Q_DISABLE_COPY_MOVE(TCollection)

    void BeforeDestruction() override;

    /// A new item of the item class, appended.
    TCollectionItem *Add();
    /// A new item of the item class, placed at Index.
    TCollectionItem *Insert(int Index);
    /// Starts an update: changes are reported once, when the outermost update ends.
    virtual void BeginUpdate();
    /// Ends an update; the outermost one reports the changes.
    virtual void EndUpdate();
    /// Frees every item, inside one update.
    void Clear();
    /// Notifies cnDeleting, then frees the item at Index.
    void Delete(int Index);
    /// The item with ID, or null.
    TCollectionItem *FindItemID(int ID) const;

    /// The number of items.
    int Count() const { return int(m_items.size()); }
    /// The item at Index; EListError "List index out of bounds (n)" outside the collection.
    TCollectionItem *Items(int Index) const;
    /// Assigns Value into the item at Index.
    void SetItem(int Index, TCollectionItem *Value);
    /// The items in order.
    const QList<TCollectionItem *> &ItemList() const { return m_items; }
    /// The class of the items, given at construction.
    const QMetaObject *ItemClass() const { return m_itemClass; }
    /// How many updates are open.
    int UpdateCount() const { return m_updateCount; }
    /// The ID the next item added gets.
    int NextID() const { return m_nextID; }

    /// From another collection: Clear, then Add and Assign each of its items, inside one update.
    void Assign(const QObject *Source) override;
    QString GetNamePath() const override;
    /// The name of the owner's property that holds this collection, or empty.
    QString PropName() const;

protected:
    /// Told after Item joined the collection; the base does nothing.
    virtual void Added(TCollectionItem *Item);
    /// Told before Item leaves the collection to be freed; the base does nothing.
    virtual void Deleting(TCollectionItem *Item);
    /// Told of Item joining, being extracted or being deleted; the base calls Added and Deleting.
    virtual void Notify(TCollectionItem *Item, TCollectionNotification Action);
    /// Gives a new item a name; the base gives none.
    virtual void SetItemName(TCollectionItem *Item);
    /// Told of changes: Item for one item's properties, nullptr for the structure or all items.
    virtual void Update(TCollectionItem *Item);
    /// Update(nullptr), then changed(nullptr), unless inside an update.
    void Changed();
    /// Builds, but does not insert, an item of the item class.
    /// A new item of ItemClass (the item class or a descendant), not yet in the collection.
    TCollectionItem *CreateItemInstance(const QMetaObject *ItemClass);
    /// Adds an item of ItemClass, a descendant of the item class (collections of mixed item classes);
    /// EInvalidCast for any other class.
    TCollectionItem *AddItemOfClass(const QMetaObject *ItemClass);

Q_SIGNALS:
    /// Emitted right after each Update with its argument: Item for one item's properties, nullptr for the
    /// structure or all items.
    void changed(QXPlatform::TCollectionItem *Item);

private:
    friend class TCollectionItem;
    void CheckItemClass(const TCollectionItem *Item) const;
    void InsertItem(TCollectionItem *Item);
    void RemoveItem(TCollectionItem *Item);

    const QMetaObject *m_itemClass;
    QList<TCollectionItem *> m_items;
    int m_updateCount = 0;
    int m_nextID = 0;
    int m_constructorIndex = -2; // of the item class's constructor taking a collection; -2: not looked up
};

/// A collection with an owner, which is the collection's GetOwner for naming and notification.
class QXINSPECTORCORE_EXPORT TOwnedCollection : public TCollection
{
    Q_OBJECT
public:
    /// An empty collection of items of ItemClass, owned by AOwner.
    TOwnedCollection(QObject *AOwner, const QMetaObject *ItemClass);
    QObject *GetOwner() const override { return m_owner; }
    /// The owner given at construction.
    QObject *Owner() const { return m_owner; }

private:
    // The owner owns this collection and frees it before it goes itself.
    QObject *m_owner;
};

/// A new item of ItemClass in no collection, constructed and after construction; moved into a collection
/// with SetCollection. Readers build items apart like this so that a failure leaves the collection as it was.
QXINSPECTORCORE_EXPORT TCollectionItem *CreateDetachedItem(const QMetaObject *ItemClass);

/// EListError "List index out of bounds (n)".
[[noreturn]] QXINSPECTORCORE_EXPORT void ListIndexError(qsizetype Index);

} // namespace QXPlatform
