// The inspector's live values: one connection per inspected object and notify signal, all to one slot
// that tells by the sender and its signal which rows to read again. The rows whose property changed are
// gathered and read on the next turn of the event loop, once each, however often the signal came.
#pragma once

#include "Guarded.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QPair>
#include <QPointer>
#include <QSet>

class TQXCustomObjectInspector;
class TQXItemProperty;

class TQXLiveValues : public QXPlatform::TGuarded<QObject>
{
    Q_OBJECT
public:
    explicit TQXLiveValues(TQXCustomObjectInspector *Inspector);
    ~TQXLiveValues() override;
    Q_DISABLE_COPY_MOVE(TQXLiveValues)

    /// Connects the notify signals of the properties of every row to the shown objects.
    void Connect();
    void Disconnect();
    int ConnectionCount() const { return int(m_connections.size()); }

public Q_SLOTS:
    void propertyNotified();

protected:
    bool GuardedEvent(QEvent *e) override;

private:
    void refreshPending();

    TQXCustomObjectInspector *m_inspector; // the owner
    using TKey = QPair<const QObject *, int>;
    QHash<TKey, QList<QPointer<TQXItemProperty>>> m_rows;
    QList<QMetaObject::Connection> m_connections;
    QList<QPointer<TQXItemProperty>> m_pending;
    QSet<const TQXItemProperty *> m_pendingSet;
    bool m_posted = false;
};
