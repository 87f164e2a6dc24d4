#include "QXInspectorObjects.h"

using namespace QXPlatform;

TQXInspectorObjectsOwner::~TQXInspectorObjectsOwner() = default;

namespace {

// Whether an entry of the collection other than Self, or Self in its other role, still refers to Obj: the
// free notification for Obj must stay as long as any entry would keep it after its destruction.
bool stillReferenced(const TQXInspectorObject *Self, const QObject *Obj, bool AsObject)
{
    if (AsObject ? Self->HoldsOwner(Obj) : Self->HoldsObject(Obj))
        return true;
    TQXInspectorObjects *collection = Self->GetCollection();
    if (!collection)
        return false;
    for (int i = 0; i < collection->Count(); ++i) {
        const TQXInspectorObject *entry = collection->Items(i);
        if (entry != Self && (entry->HoldsObject(Obj) || entry->HoldsOwner(Obj)))
            return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TQXInspectorObject

TQXInspectorObject::TQXInspectorObject(TCollection *Collection)
    : TCollectionItem(Collection)
{ }

TQXInspectorObject::~TQXInspectorObject() = default;

TQXInspectorObjects *TQXInspectorObject::GetCollection() const
{
    return qobject_cast<TQXInspectorObjects *>(Collection());
}

TComponent *TQXInspectorObject::GetNotifyComponent() const
{
    TQXInspectorObjects *collection = GetCollection();
    return collection ? collection->NotifyComponent() : nullptr;
}

void TQXInspectorObject::SetObjects(QObject *Obj)
{
    if (Obj == m_objectKey && Obj == m_object)
        return;
    Changing();
    TComponent *notify = GetNotifyComponent();
    if (notify && m_object && IsComponent(m_object) && !stillReferenced(this, m_object, true))
        notify->RemoveFreeNotification(m_object);
    m_object = Obj;
    m_objectKey = Obj;
    if (notify && Obj && IsComponent(Obj))
        notify->FreeNotification(Obj);
    Changed(false);
}

void TQXInspectorObject::SetOwnerComponent(QObject *Value)
{
    if (Value == m_ownerKey && Value == m_ownerComponent)
        return;
    TComponent *notify = GetNotifyComponent();
    if (notify && m_ownerComponent && !stillReferenced(this, m_ownerComponent, false))
        notify->RemoveFreeNotification(m_ownerComponent);
    m_ownerComponent = Value;
    m_ownerKey = Value;
    if (notify && Value)
        notify->FreeNotification(Value);
}

QObject *TQXInspectorObject::GetComponent() const
{
    return m_object && IsComponent(m_object) ? m_object.data() : nullptr;
}

void TQXInspectorObject::SetComponent(QObject *Value)
{
    if (Value != GetComponent())
        SetObjects(Value);
}

QString TQXInspectorObject::GetDisplayName() const
{
    QString name;
    if (m_object)
        name = IsComponent(m_object) ? m_object->objectName() : ClassNameOf(m_object.data());
    return name.isEmpty() ? TCollectionItem::GetDisplayName() : name;
}

void TQXInspectorObject::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXInspectorObject *>(Source)) {
        SetObjects(source->m_object);
        SetOwnerComponent(source->m_ownerComponent);
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

void TQXInspectorObject::Changing()
{
    if (TQXInspectorObjects *collection = GetCollection())
        collection->Changing(this);
}

// ---------------------------------------------------------------------------------------------------
// TQXInspectorObjects

TQXInspectorObjects::TQXInspectorObjects(QObject *Owner)
    : TOwnedCollection(Owner, &TQXInspectorObject::staticMetaObject)
{ }

TQXInspectorObjects::~TQXInspectorObjects() = default;

TComponent *TQXInspectorObjects::NotifyComponent() const
{
    return AsComponent(Owner());
}

TQXInspectorObjectsOwner *TQXInspectorObjects::GetInspector() const
{
    return dynamic_cast<TQXInspectorObjectsOwner *>(Owner());
}

TQXInspectorObject *TQXInspectorObjects::Add()
{
    return static_cast<TQXInspectorObject *>(TOwnedCollection::Add());
}

TQXInspectorObject *TQXInspectorObjects::Add(QObject *Obj)
{
    TQXInspectorObject *entry = nullptr;
    InUpdate(*this, [&] {
        const int index = IndexOf(Obj);
        entry = index >= 0 ? Items(index) : Add();
        entry->SetObjects(Obj);
    });
    return entry;
}

TQXInspectorObject *TQXInspectorObjects::Add(QObject *Owner, QObject *Obj)
{
    TQXInspectorObject *entry = Add(Obj);
    entry->SetOwnerComponent(Owner);
    return entry;
}

int TQXInspectorObjects::IndexOf(const QObject *Obj) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->HoldsObject(Obj))
            return i;
    return -1;
}

int TQXInspectorObjects::IndexOfOwner(const QObject *Owner) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->HoldsOwner(Owner))
            return i;
    return -1;
}

int TQXInspectorObjects::Remove(const QObject *Obj)
{
    int removed = -1;
    InUpdate(*this, [&] {
        for (int i = 0; i < Count(); ++i) {
            TQXInspectorObject *entry = Items(i);
            if (entry->HoldsObject(Obj) || entry->HoldsOwner(Obj)) {
                Delete(i);
                removed = i;
                return;
            }
        }
    });
    return removed;
}

int TQXInspectorObjects::RemoveAll(const QObject *Obj)
{
    int count = 0;
    InUpdate(*this, [&] {
        while (Remove(Obj) >= 0)
            ++count;
    });
    return count;
}

void TQXInspectorObjects::AssignNonEmpty(TQXInspectorObjects *Source)
{
    InUpdate(*this, [&] {
        Clear();
        for (int i = 0; i < Source->Count(); ++i)
            if (Source->Items(i)->Objects())
                Add()->Assign(Source->Items(i));
    });
}

void TQXInspectorObjects::Changing(TQXInspectorObject *)
{
    if (UpdateCount() == 0)
        if (TQXInspectorObjectsOwner *inspector = GetInspector())
            inspector->ListUpdating();
}

void TQXInspectorObjects::BeginUpdate()
{
    Changing(nullptr);
    TOwnedCollection::BeginUpdate();
}

void TQXInspectorObjects::Update(TCollectionItem *Item)
{
    if (TQXInspectorObjectsOwner *inspector = GetInspector())
        inspector->ListUpdate(static_cast<TQXInspectorObject *>(Item));
}
