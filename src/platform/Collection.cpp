#include "Collection.h"

#include "Exceptions.h"

#include <QHash>
#include <QMetaProperty>
#include <QScopeGuard>

namespace QXPlatform {

void ListIndexError(qsizetype Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

// ---------------------------------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection *Collection)
    : m_constructingCollection(Collection)
{ }

TCollectionItem::~TCollectionItem()
{
    // Only a plain delete gets here still inside a collection; Free extracts in BeforeDestruction.
    if (m_collection)
        m_collection->RemoveItem(this);
}

void TCollectionItem::AfterConstruction()
{
    TPersistent::AfterConstruction();
    TCollection *target = std::exchange(m_constructingCollection, nullptr);
    if (target)
        SetCollection(target);
}

void TCollectionItem::BeforeDestruction()
{
    SetCollection(nullptr);
    TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection *Value)
{
    if (m_collection == Value)
        return;
    // Refuse before leaving the old collection, so a refused move leaves the item where it was.
    if (Value)
        Value->CheckItemClass(this);
    if (m_collection)
        m_collection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!m_collection)
        return -1;
    // Items mostly stay where they were since the last question: the remembered place is checked first.
    const QList<TCollectionItem *> &items = m_collection->m_items;
    if (m_indexHint >= 0 && m_indexHint < items.size() && items.at(m_indexHint) == this)
        return m_indexHint;
    m_indexHint = int(items.indexOf(const_cast<TCollectionItem *>(this)));
    return m_indexHint;
}

void TCollectionItem::SetIndex(int Value)
{
    const int current = Index();
    if (current < 0 || current == Value)
        return;
    if (Value < 0 || Value >= m_collection->Count())
        ListIndexError(Value);
    m_collection->m_items.move(current, Value);
    Changed(true);
}

QString TCollectionItem::GetDisplayName() const
{
    return ClassNameOf(this);
}

void TCollectionItem::SetDisplayName(const QString &)
{
    Changed(false);
}

QObject *TCollectionItem::GetOwner() const
{
    return m_collection;
}

QString TCollectionItem::GetNamePath() const
{
    if (!m_collection)
        return ClassNameOf(this);
    return QStringLiteral("%1[%2]").arg(m_collection->GetNamePath()).arg(Index());
}

void TCollectionItem::Changed(bool AllItems)
{
    TCollection *collection = m_collection;
    if (collection && collection->m_updateCount == 0) {
        TCollectionItem *item = AllItems ? nullptr : this;
        collection->Update(item);
        Q_EMIT collection->changed(item);
    }
}

// ---------------------------------------------------------------------------------------------------
// TCollection

TCollection::TCollection(const QMetaObject *ItemClass)
    : m_itemClass(ItemClass ? ItemClass : &TCollectionItem::staticMetaObject)
{ }

TCollection::~TCollection()
{
    // Reached without Free only by a plain delete: free what is left without telling anyone.
    m_updateCount = 1;
    while (!m_items.isEmpty()) {
        TCollectionItem *item = m_items.takeLast();
        item->m_collection = nullptr;
        Free(item);
    }
}

void TCollection::BeforeDestruction()
{
    // No Update calls while the items go: the owner is tearing the collection down.
    m_updateCount = 1;
    Clear();
    TPersistent::BeforeDestruction();
}

namespace {

// QMetaObject::newInstance looks the constructor up by its signature text on every call; the index is
// found once per item class and thread instead (collections are made by the thousand: one per item that
// has children), and the constructor called directly.
int collectionConstructorOf(const QMetaObject *ItemClass)
{
    thread_local QHash<const QMetaObject *, int> constructors;
    auto known = constructors.constFind(ItemClass);
    if (known == constructors.constEnd()) {
        const QByteArray signature
            = QByteArray(ItemClass->className()).split(':').last() + "(QXPlatform::TCollection*)";
        known = constructors.insert(
            ItemClass, ItemClass->indexOfConstructor(QMetaObject::normalizedSignature(signature)));
    }
    return *known;
}

/// Calls the item class's constructor taking a collection (index constructor, -1 when it has none).
TCollectionItem *constructItem(const QMetaObject *ItemClass, int constructor, TCollection *Collection)
{
    QObject *object = nullptr;
    if (constructor >= 0) {
        void *argv[] = { &object, &Collection };
        ItemClass->static_metacall(QMetaObject::CreateInstance, constructor, argv);
    }
    auto *item = qobject_cast<TCollectionItem *>(object);
    if (!item) {
        delete object;
        throw EInvalidOperation(QStringLiteral("Cannot create an item of class %1: it needs a Q_INVOKABLE "
                                               "constructor taking QXPlatform::TCollection *")
                                    .arg(ItemClass ? ClassNameOf(ItemClass) : QStringLiteral("(none)")));
    }
    return item;
}

} // namespace

TCollectionItem *CreateDetachedItem(const QMetaObject *ItemClass)
{
    TCollectionItem *item
        = constructItem(ItemClass, ItemClass ? collectionConstructorOf(ItemClass) : -1, nullptr);
    auto freeOnFailure = qScopeGuard([item] { Free(item); });
    item->AfterConstruction();
    freeOnFailure.dismiss();
    return item;
}

TCollectionItem *TCollection::CreateItemInstance(const QMetaObject *ItemClass)
{
    int constructor;
    if (ItemClass == m_itemClass) {
        if (m_constructorIndex == -2)
            m_constructorIndex = collectionConstructorOf(ItemClass);
        constructor = m_constructorIndex;
    } else {
        constructor = collectionConstructorOf(ItemClass);
    }
    return constructItem(ItemClass, constructor, this);
}

TCollectionItem *TCollection::Add()
{
    return AddItemOfClass(m_itemClass);
}

TCollectionItem *TCollection::AddItemOfClass(const QMetaObject *ItemClass)
{
    if (!ItemClass || !InheritsFrom(ItemClass, m_itemClass))
        throw EInvalidCast(QStringLiteral("A %1 cannot be an item of a collection of %2")
                               .arg(ItemClass ? ClassNameOf(ItemClass) : QStringLiteral("null class"),
                                    ClassNameOf(m_itemClass)));
    TCollectionItem *item = CreateItemInstance(ItemClass);
    TScopeExit freeOnError([item] { Free(item); });
    item->AfterConstruction();
    freeOnError.Dismiss();
    return item;
}

TCollectionItem *TCollection::Insert(int Index)
{
    TCollectionItem *item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::BeginUpdate()
{
    ++m_updateCount;
}

void TCollection::EndUpdate()
{
    --m_updateCount;
    Changed();
}

void TCollection::Clear()
{
    if (m_items.isEmpty())
        return;
    const TUpdateLock lock(*this);
    while (!m_items.isEmpty())
        Free(m_items.last());
}

void TCollection::Delete(int Index)
{
    TCollectionItem *item = Items(Index);
    Notify(item, cnDeleting);
    Free(item);
}

TCollectionItem *TCollection::FindItemID(int ID) const
{
    for (TCollectionItem *item : m_items)
        if (item->m_id == ID)
            return item;
    return nullptr;
}

TCollectionItem *TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= m_items.size())
        ListIndexError(Index);
    return m_items.at(Index);
}

void TCollection::SetItem(int Index, TCollectionItem *Value)
{
    Items(Index)->Assign(Value);
}

void TCollection::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TCollection *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    const TUpdateLock lock(*this);
    Clear();
    for (int i = 0; i < source->Count(); ++i)
        Add()->Assign(source->Items(i));
}

QString TCollection::PropName() const
{
    QObject *owner = GetOwner();
    if (!owner)
        return QString();
    const QMetaObject *meta = owner->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!(property.metaType().flags() & QMetaType::PointerToQObject))
            continue;
        if (property.read(owner).value<QObject *>() == this)
            return QString::fromLatin1(property.name());
    }
    return QString();
}

QString TCollection::GetNamePath() const
{
    QString name = ClassNameOf(this);
    QObject *owner = GetOwner();
    if (!owner)
        return name;
    TPersistent *persistent = AsPersistent(owner);
    const QString ownerPath = persistent ? persistent->GetNamePath() : owner->objectName();
    const QString prop = PropName();
    if (ownerPath.isEmpty() || prop.isEmpty())
        return name;
    return ownerPath + QLatin1Char('.') + prop;
}

void TCollection::Added(TCollectionItem *)
{ }

void TCollection::Deleting(TCollectionItem *)
{ }

void TCollection::Notify(TCollectionItem *Item, TCollectionNotification Action)
{
    if (Action == cnAdded)
        Added(Item);
    else if (Action == cnDeleting)
        Deleting(Item);
}

void TCollection::SetItemName(TCollectionItem *)
{ }

void TCollection::Update(TCollectionItem *)
{ }

void TCollection::Changed()
{
    if (m_updateCount == 0) {
        Update(nullptr);
        Q_EMIT changed(nullptr);
    }
}

void TCollection::CheckItemClass(const TCollectionItem *Item) const
{
    if (!InheritsFrom(Item->metaObject(), m_itemClass))
        throw EInvalidCast(QStringLiteral("A %1 cannot be an item of a collection of %2")
                               .arg(ClassNameOf(Item), ClassNameOf(m_itemClass)));
}

void TCollection::InsertItem(TCollectionItem *Item)
{
    CheckItemClass(Item);
    m_items.append(Item);
    Item->m_collection = this;
    Item->m_indexHint = int(m_items.size()) - 1;
    Item->m_id = m_nextID++;
    SetItemName(Item);
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem *Item)
{
    Notify(Item, cnExtracting);
    if (!m_items.isEmpty() && m_items.last() == Item)
        m_items.removeLast();
    else
        m_items.removeOne(Item);
    Item->m_collection = nullptr;
    Changed();
}

// ---------------------------------------------------------------------------------------------------
// TOwnedCollection

TOwnedCollection::TOwnedCollection(QObject *AOwner, const QMetaObject *ItemClass)
    : TCollection(ItemClass)
    , m_owner(AOwner)
{ }

} // namespace QXPlatform
