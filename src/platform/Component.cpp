#include "Component.h"

#include "Collection.h"
#include "Graphics.h"
#include "ListViews.h"
#include "StringList.h"
#include "ValueAdapters.h"

namespace QXPlatform {

bool IsComponent(const QObject *object)
{
    if (!object)
        return false;
    if (dynamic_cast<const TComponent *>(object))
        return true;
    return !dynamic_cast<const TPersistent *>(object);
}

bool IsComponentClass(const QMetaObject *AClass)
{
    if (!AClass || !InheritsFrom(AClass, &QObject::staticMetaObject))
        return false;
    // A class cannot be asked for its C++ bases; the persistent QObject classes are these roots.
    static const QMetaObject *const persistentRoots[] = {
        &TFont::staticMetaObject,       &TPicture::staticMetaObject,        &TStrings::staticMetaObject,
        &TCollection::staticMetaObject, &TCollectionItem::staticMetaObject, &TValueAdapter::staticMetaObject,
        &TListItems::staticMetaObject,  &TTreeNodes::staticMetaObject,      &TImageList::staticMetaObject,
    };
    for (const QMetaObject *root : persistentRoots)
        if (InheritsFrom(AClass, root))
            return false;
    return true;
}

TComponent *AsComponent(const QObject *object)
{
    return dynamic_cast<TComponent *>(const_cast<QObject *>(object));
}

TComponent::TComponent(QObject *self, QObject *Owner)
    : m_self(self)
    , m_owner(Owner)
{ }

TComponent::~TComponent()
{
    // Reached without Free (a plain delete): the derived parts are gone, but receivers still need to
    // hear of it, and nobody may keep a pointer into this object.
    notifyWatchers();
    detachAll();
}

QString TComponent::GetNamePath() const
{
    return Name();
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        m_state |= csDesigning;
    else
        m_state &= ~TComponentState(csDesigning);
}

void TComponent::BeforeDestruction()
{
    m_state |= csDestroying;
    notifyWatchers();
    detachAll();
    TPersistent::BeforeDestruction();
}

void TComponent::FreeNotification(QObject *object)
{
    if (!object || object == m_self || m_watched.contains(object))
        return;
    Watch watch;
    watch.connection
        = QObject::connect(object, &QObject::destroyed, m_self, [this, object] { objectGone(object); });
    if (TComponent *component = AsComponent(object)) {
        watch.component = component;
        if (!component->m_watchers.contains(this))
            component->m_watchers.append(this);
    }
    m_watched.insert(object, watch);
}

void TComponent::RemoveFreeNotification(QObject *object)
{
    auto it = m_watched.find(object);
    if (it == m_watched.end())
        return;
    QObject::disconnect(it->connection);
    if (it->component)
        it->component->m_watchers.removeAll(this);
    m_watched.erase(it);
}

void TComponent::Notification(QObject *, TOperation)
{ }

void TComponent::objectGone(QObject *object)
{
    if (!m_watched.contains(object))
        return;
    RemoveFreeNotification(object);
    Notification(object, opRemove);
}

void TComponent::notifyWatchers()
{
    // A receiver may stop watching others, or be freed, while it is told; take them one at a time.
    while (!m_watchers.isEmpty()) {
        TComponent *watcher = m_watchers.takeFirst();
        watcher->objectGone(m_self);
    }
}

void TComponent::detachAll()
{
    for (auto it = m_watched.begin(); it != m_watched.end(); ++it) {
        QObject::disconnect(it->connection);
        if (it->component)
            it->component->m_watchers.removeAll(this);
    }
    m_watched.clear();
}

} // namespace QXPlatform
