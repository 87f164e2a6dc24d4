#include "Messages.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QMutex>

namespace QXPlatform {

// The per-receiver record of waiting messages, in posting order. An event leaves it when it is taken
// by its receiver, taken back, or deleted by Qt (delivered, or its receiver destroyed).
class MessageQueue
{
public:
    static MessageQueue &instance()
    {
        static MessageQueue queue;
        return queue;
    }

    void add(QObject *receiver, TMessageEvent *event)
    {
        QMutexLocker lock(&mutex);
        event->m_receiver = receiver;
        waiting[receiver].append(event);
    }

    void forget(TMessageEvent *event)
    {
        QMutexLocker lock(&mutex);
        forgetLocked(event);
    }

    int count(const QObject *receiver, int msg)
    {
        QMutexLocker lock(&mutex);
        int n = 0;
        for (const TMessageEvent *event : waiting.value(receiver))
            if (event->Message.Msg == msg)
                ++n;
        return n;
    }

    bool withdrawOne(QObject *receiver, int msg, TMessage *removed)
    {
        QMutexLocker lock(&mutex);
        auto it = waiting.find(receiver);
        if (it == waiting.end())
            return false;
        for (TMessageEvent *event : *it) {
            if (event->Message.Msg == msg) {
                if (removed)
                    *removed = event->Message;
                event->m_withdrawn = true;
                forgetLocked(event);
                return true;
            }
        }
        return false;
    }

    QEvent::Type typeFor(int msg)
    {
        QMutexLocker lock(&mutex);
        auto it = types.constFind(msg);
        if (it != types.constEnd())
            return *it;
        int type = -1;
        if (msg >= QEvent::User && msg <= QEvent::MaxUser)
            type = QEvent::registerEventType(msg);
        if (type < 0)
            type = QEvent::registerEventType();
        types.insert(msg, QEvent::Type(type));
        return QEvent::Type(type);
    }

private:
    void forgetLocked(TMessageEvent *event)
    {
        if (!event->m_receiver)
            return;
        auto it = waiting.find(event->m_receiver);
        if (it != waiting.end()) {
            it->removeOne(event);
            if (it->isEmpty())
                waiting.erase(it);
        }
        event->m_receiver = nullptr;
    }

    QMutex mutex;
    QHash<const QObject *, QList<TMessageEvent *>> waiting;
    QHash<int, QEvent::Type> types;
};

TMessageEvent::TMessageEvent(QEvent::Type type, const TMessage &message)
    : QEvent(type)
    , Message(message)
{ }

TMessageEvent::~TMessageEvent()
{
    if (m_receiver)
        MessageQueue::instance().forget(this);
}

QEvent::Type MessageEventType(int msg)
{
    return MessageQueue::instance().typeFor(msg);
}

bool PostMessage(QObject *receiver, int msg, qintptr wParam, qintptr lParam)
{
    if (!receiver)
        return false;
    auto *event = new TMessageEvent(MessageEventType(msg), TMessage { msg, wParam, lParam, 0 });
    MessageQueue::instance().add(receiver, event);
    QCoreApplication::postEvent(receiver, event);
    return true;
}

qintptr SendMessage(QObject *receiver, int msg, qintptr wParam, qintptr lParam)
{
    if (!receiver)
        return 0;
    TMessageEvent event(MessageEventType(msg), TMessage { msg, wParam, lParam, 0 });
    QCoreApplication::sendEvent(receiver, &event);
    return event.Message.Result;
}

bool IsMessageWaiting(const QObject *receiver, int msg)
{
    return MessageQueue::instance().count(receiver, msg) > 0;
}

int WaitingMessageCount(const QObject *receiver, int msg)
{
    return MessageQueue::instance().count(receiver, msg);
}

bool RemoveWaitingMessage(QObject *receiver, int msg, TMessage *removed)
{
    return MessageQueue::instance().withdrawOne(receiver, msg, removed);
}

TMessage *TakeMessage(QEvent *event)
{
    // Every message type is a registered type, so at or above QEvent::User: most events stop at the test.
    if (!event || event->type() < QEvent::User)
        return nullptr;
    auto *message = dynamic_cast<TMessageEvent *>(event);
    if (!message || message->m_withdrawn)
        return nullptr;
    MessageQueue::instance().forget(message);
    return &message->Message;
}

} // namespace QXPlatform
