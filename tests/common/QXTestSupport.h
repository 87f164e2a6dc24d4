// Helpers every test folder shares: running queued messages, and catching what a call raises.
#pragma once

#include <QXInspector/Exceptions.h>

#include <QCoreApplication>
#include <QPair>
#include <QString>

namespace QXTest {

/// Runs the queued rescans and refreshes. A posted message may post another (a refresh after a write,
/// a rescan after a refresh), so the queue is drained a few times.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

/// Runs f and gives the class name and message of the library exception it raised ("" when it raised
/// nothing). Any other exception passes through and fails the test.
template<class F> QPair<QString, QString> raised(F &&f)
{
    try {
        f();
    } catch (const QXPlatform::Exception &e) {
        return { e.ClassName(), e.Message() };
    }
    return {};
}

/// Runs f and gives the message of the exception of class E it raised ("<nothing raised>" when none).
template<class E, class F> QString raisedMessage(F &&f)
{
    try {
        f();
    } catch (const E &e) {
        return e.Message();
    }
    return QStringLiteral("<nothing raised>");
}

} // namespace QXTest
