#include "QXInspectorLive_p.h"

#include "Persistent.h"
#include "QXCustomObjectInspector.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaProperty>

using namespace QXPlatform;

namespace {

QEvent::Type refreshEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

} // namespace

TQXLiveValues::TQXLiveValues(TQXCustomObjectInspector *Inspector)
    : m_inspector(Inspector)
{ }

TQXLiveValues::~TQXLiveValues()
{
    Disconnect();
}

void TQXLiveValues::Connect()
{
    Disconnect();
    const int slot = staticMetaObject.indexOfSlot("propertyNotified()");
    TQXCustomObjectInspector *inspector = m_inspector;
    // Once per scan, parents before children: the objects a row's children live on are found once from
    // the row's own (as the refresh of all rows finds them); only rows whose name holds the path
    // delimiter are resolved by name from each shown object.
    QHash<const TQXItemProperty *, TQXCustomObjectInspector::TObjectPath> below;
    for (int i = 0; i < inspector->GetItemCount(); ++i) {
        TQXItemProperty *row = inspector->GetItem(i);
        const TQXItemProperty *parent = row->GetParent();
        const auto parentOwners = parent ? below.constFind(parent) : below.constEnd();
        const TQXCustomObjectInspector::TObjectPath *owners = !parent ? &inspector->m_shownObjects
            : parentOwners != below.constEnd()                        ? &*parentOwners
                                                                      : nullptr;
        if (owners && row->HasChildren()) {
            TQXCustomObjectInspector::TObjectPath result;
            if (inspector->childOwners(row, *owners, result))
                below.insert(row, result);
        }
        if (!row->IsRealProperty() || row->OnGetProperty)
            continue;
        const bool byOwners = owners && !row->RealPropName().contains(inspector->PathDelimiter());
        for (int b = 0; b < inspector->ShownObjectCount(); ++b) {
            QString name = row->RealPropName();
            QObject *instance = nullptr;
            if (byOwners) {
                instance = b < owners->size() ? owners->at(b).data() : nullptr;
            } else {
                name = row->GetFullPathPropName();
                instance = inspector->GetInstance(inspector->ShownObject(b), name, row);
            }
            if (!instance)
                continue;
            const int index = instance->metaObject()->indexOfProperty(name.toLatin1().constData());
            if (index < 0)
                continue;
            const QMetaProperty property = instance->metaObject()->property(index);
            if (!property.hasNotifySignal())
                continue;
            const TKey key(instance, property.notifySignalIndex());
            auto rows = m_rows.find(key);
            if (rows == m_rows.end()) {
                // Properties sharing a signal share its one connection.
                m_connections.append(QMetaObject::connect(instance, key.second, this, slot));
                rows = m_rows.insert(key, {});
            }
            if (!rows->contains(row))
                rows->append(row);
        }
    }
}

void TQXLiveValues::Disconnect()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        QObject::disconnect(connection);
    m_connections.clear();
    m_rows.clear();
    m_pending.clear();
    m_pendingSet.clear();
}

void TQXLiveValues::propertyNotified()
{
    const auto rows = m_rows.constFind(TKey(sender(), senderSignalIndex()));
    if (rows == m_rows.constEnd())
        return;
    for (const QPointer<TQXItemProperty> &row : *rows) {
        if (row && !m_pendingSet.contains(row)) {
            m_pendingSet.insert(row);
            m_pending.append(row);
        }
    }
    // However many signals come in one turn of the event loop, the rows are read once, after it.
    if (!m_posted && !m_pending.isEmpty()) {
        m_posted = true;
        QCoreApplication::postEvent(this, new QEvent(refreshEventType()));
    }
}

bool TQXLiveValues::GuardedEvent(QEvent *e)
{
    if (e->type() != refreshEventType())
        return TGuarded<QObject>::GuardedEvent(e);
    refreshPending();
    return true;
}

void TQXLiveValues::refreshPending()
{
    m_posted = false;
    const QList<QPointer<TQXItemProperty>> pending = std::exchange(m_pending, {});
    m_pendingSet.clear();
    TQXCustomObjectInspector *inspector = m_inspector;
    if (inspector->isDestroying() || inspector->IsScanning() || inspector->Objects()->UpdateCount() > 0)
        return;
    inspector->DisableEditUpdate();
    const TScopeExit enable([inspector] {
        inspector->EnableEditUpdate();
        inspector->viewport()->update();
    });
    for (const QPointer<TQXItemProperty> &row : pending) {
        if (!row)
            continue;
        const QList<QVariant> before = row->GetRealValues();
        if (!row->RefreshValue()) {
            inspector->InvalidateScan();
            return;
        }
        // A set's members read their values from the set row.
        if (row->PropertyKind() == pkSet)
            for (int i = 0; i < row->GetItems()->Count(); ++i)
                row->GetItems()->Items(i)->RefreshValue();
        // The rows below an object property belong to the object it held: another object needs new rows.
        if (row->TypeKind() == tkClass && row->HasChildren() && row->GetRealValues() != before)
            inspector->InvalidateScan();
    }
}
