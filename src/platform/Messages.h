/// \file
/// Messages that a control posts to itself and handles later in the same thread (a rescan, a refresh).
/// A message is a QEvent whose type is the message number, posted with QCoreApplication::postEvent, so
/// messages arrive in the order they were posted and are never merged. On top of Qt this keeps a record of
/// the messages waiting for each receiver, so a control can ask whether one is already waiting and take
/// back exactly one of them (Qt can only remove all posted events of a type).
#pragma once

#include "QXGlobal.h"

#include <QEvent>
#include <QObject>

namespace QXPlatform {

/// A posted message: its number and parameters, and the result its handler gives.
struct TMessage
{
    /// The message number (QX_INVALIDATEPROPERTY, ...).
    int Msg = 0;
    /// The first parameter; its meaning depends on the message.
    qintptr WParam = 0;
    /// The second parameter; its meaning depends on the message.
    qintptr LParam = 0;
    /// Set by the handler.
    qintptr Result = 0;
};

/// The QEvent that carries a message while it waits in Qt's queue.
class QXINSPECTORCORE_EXPORT TMessageEvent : public QEvent
{
public:
    /// An event of type (MessageEventType(message.Msg)) carrying message.
    TMessageEvent(QEvent::Type type, const TMessage &message);
    ~TMessageEvent() override;

    /// The message carried; its handler may set Result.
    TMessage Message;

private:
    friend class MessageQueue;
    friend QXINSPECTORCORE_EXPORT TMessage *TakeMessage(QEvent *event);
    QObject *m_receiver = nullptr; // set while the event waits in Qt's queue
    bool m_withdrawn = false;
};

/// The QEvent type that carries message number msg. Numbers from QEvent::User up are registered with Qt
/// under their own value (QEvent::registerEventType(2475) gives 2475); lower numbers get a free type.
/// Each number is registered once.
QXINSPECTORCORE_EXPORT QEvent::Type MessageEventType(int msg);

/// Queues a message for receiver. Returns false for a null receiver.
QXINSPECTORCORE_EXPORT bool PostMessage(QObject *receiver, int msg, qintptr wParam = 0, qintptr lParam = 0);
/// Delivers a message at once and returns its Result.
QXINSPECTORCORE_EXPORT qintptr SendMessage(QObject *receiver, int msg, qintptr wParam = 0,
                                           qintptr lParam = 0);
/// Whether a message msg for receiver is waiting.
QXINSPECTORCORE_EXPORT bool IsMessageWaiting(const QObject *receiver, int msg);
/// How many messages msg wait for receiver.
QXINSPECTORCORE_EXPORT int WaitingMessageCount(const QObject *receiver, int msg);
/// Takes back the oldest waiting message msg of receiver; it will not be delivered. Copies it into
/// removed when given. Returns false when none was waiting.
QXINSPECTORCORE_EXPORT bool RemoveWaitingMessage(QObject *receiver, int msg, TMessage *removed = nullptr);

/// For a receiver's event(): the message an event carries, or null when the event is not a message or
/// was taken back. Once taken, a message no longer counts as waiting.
QXINSPECTORCORE_EXPORT TMessage *TakeMessage(QEvent *event);

} // namespace QXPlatform
