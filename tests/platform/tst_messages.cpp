// Posted messages (order, no merging, taking back exactly one) and the exception guard around our event
// handlers.
#include <QXInspector/Exceptions.h>
#include <QXInspector/Guarded.h>
#include <QXInspector/Messages.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace QXPlatform;

namespace {
constexpr int Refresh = 2475;
constexpr int Rescan = 2476;
constexpr int LowNumber = 770;
} // namespace

class Receiver : public TGuarded<QWidget>
{
    Q_OBJECT
public:
    QList<TMessage> received;
    bool throwOnMessage = false;
    bool throwOnPaint = false;

protected:
    void Dispatch(TMessage &message) override
    {
        received.append(message);
        message.Result = message.WParam * 2;
        if (throwOnMessage)
            throw EConvertError(QStringLiteral("cannot handle %1").arg(message.Msg));
    }
    void paintEvent(QPaintEvent *) override
    {
        if (throwOnPaint)
            throw std::runtime_error("paint failed");
    }
};

class tst_Messages : public QObject
{
    Q_OBJECT

    std::vector<QString> handled;
    TExceptionHandler previous;

private slots:
    void init()
    {
        handled.clear();
        previous
            = SetExceptionHandler([this](std::exception_ptr e) { handled.push_back(ExceptionMessage(e)); });
    }
    void cleanup() { SetExceptionHandler(previous); }

    // Posting
    void registeredUnderTheirOwnNumber()
    {
        QCOMPARE(int(MessageEventType(Refresh)), Refresh);
        QCOMPARE(int(MessageEventType(Rescan)), Rescan);
        QCOMPARE(MessageEventType(Refresh), MessageEventType(Refresh)); // registered once
        QVERIFY(int(MessageEventType(LowNumber)) >= QEvent::User);
    }
    void deliveredInOrderNeverMerged()
    {
        Receiver receiver;
        PostMessage(&receiver, Refresh, 1);
        PostMessage(&receiver, Rescan);
        PostMessage(&receiver, Refresh, 2);
        PostMessage(&receiver, Refresh, 2);
        PostMessage(&receiver, LowNumber, 7);
        QCOMPARE(WaitingMessageCount(&receiver, Refresh), 3);
        QVERIFY(receiver.received.isEmpty()); // nothing runs inside the posting call
        QCoreApplication::sendPostedEvents(&receiver);
        QCOMPARE(receiver.received.size(), 5);
        const QList<int> numbers
            = { receiver.received[0].Msg, receiver.received[1].Msg, receiver.received[2].Msg,
                receiver.received[3].Msg, receiver.received[4].Msg };
        QCOMPARE(numbers, QList<int>({ Refresh, Rescan, Refresh, Refresh, LowNumber }));
        QCOMPARE(receiver.received[2].WParam, qintptr(2));
        QCOMPARE(receiver.received[4].WParam, qintptr(7));
        QVERIFY(!IsMessageWaiting(&receiver, Refresh));
    }
    void removeTakesBackExactlyTheOldestOne()
    {
        Receiver receiver;
        PostMessage(&receiver, Refresh, 1);
        PostMessage(&receiver, Rescan);
        PostMessage(&receiver, Refresh, 2);
        PostMessage(&receiver, Refresh, 3);
        TMessage removed;
        QVERIFY(RemoveWaitingMessage(&receiver, Refresh, &removed));
        QCOMPARE(removed.WParam, qintptr(1));
        QCOMPARE(WaitingMessageCount(&receiver, Refresh), 2);
        QVERIFY(IsMessageWaiting(&receiver, Rescan));
        QCoreApplication::sendPostedEvents(&receiver);
        QCOMPARE(receiver.received.size(), 3);
        QCOMPARE(receiver.received[0].Msg, Rescan);
        QCOMPARE(receiver.received[1].WParam, qintptr(2));
        QCOMPARE(receiver.received[2].WParam, qintptr(3));
        QVERIFY(!RemoveWaitingMessage(&receiver, Refresh));
    }
    void waitingMessagesAreForReceiverOnly()
    {
        Receiver a, b;
        PostMessage(&a, Rescan);
        QVERIFY(IsMessageWaiting(&a, Rescan));
        QVERIFY(!IsMessageWaiting(&b, Rescan));
        QVERIFY(!RemoveWaitingMessage(&b, Rescan));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(a.received.size(), 1);
        QVERIFY(b.received.isEmpty());
    }
    void destroyedReceiverLeavesNoRecord()
    {
        auto *receiver = new Receiver;
        PostMessage(receiver, Rescan);
        const QObject *address = receiver;
        delete receiver;
        QVERIFY(!IsMessageWaiting(address, Rescan));
        QCoreApplication::sendPostedEvents();
    }
    void sendDeliversAtOnceWithResult()
    {
        Receiver receiver;
        QCOMPARE(SendMessage(&receiver, Refresh, 21), qintptr(42));
        QCOMPARE(receiver.received.size(), 1);
        QVERIFY(!PostMessage(nullptr, Refresh));
    }

    // Exceptions never cross the event loop
    void exceptionInMessageHandlerReachesApplicationHandler()
    {
        Receiver receiver;
        receiver.throwOnMessage = true;
        PostMessage(&receiver, Rescan);
        PostMessage(&receiver, Refresh);
        QCoreApplication::sendPostedEvents(&receiver);
        QCOMPARE(receiver.received.size(), 2); // the first failure did not stop delivery of the second
        QCOMPARE(handled, (std::vector<QString> { "cannot handle 2476", "cannot handle 2475" }));
    }
    void exceptionInPaintReachesApplicationHandler()
    {
        Receiver receiver;
        receiver.throwOnPaint = true;
        receiver.resize(50, 50);
        const QPixmap pixmap = receiver.grab();
        QVERIFY(!pixmap.isNull());
        QVERIFY(!handled.empty());
        QCOMPARE(handled.front(), QStringLiteral("paint failed"));
    }
    void guardedReportsFailure()
    {
        QVERIFY(Guarded([] {}));
        QVERIFY(!Guarded([] { throw 42; }));
        QCOMPARE(handled, std::vector<QString> { "Unknown exception" });
    }
    void defaultHandlerIsRestoredAndSilentForAbort()
    {
        SetExceptionHandler({});
        // With the default handler in place an abort is dropped; the call must simply return.
        QVERIFY(!Guarded([] { Abort(); }));
        QVERIFY(handled.empty());
    }
};

QTEST_MAIN(tst_Messages)
#include "tst_messages.moc"
