#include "Exceptions.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace QXPlatform {

Exception::Exception(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{ }

Exception::~Exception() = default;

void Exception::SetMessage(const QString &message)
{
    m_message = message;
    m_utf8 = message.toUtf8();
}

EAbort::EAbort()
    : Exception(QStringLiteral("Operation aborted"))
{ }

void Abort()
{
    throw EAbort();
}

namespace {

TExceptionHandler &handlerSlot()
{
    static TExceptionHandler handler;
    return handler;
}

void defaultHandler(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort &) {
        return;
    } catch (...) { }
    const QString message = ExceptionMessage(error);
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (app && QThread::currentThread() == app->thread()
        && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        QMessageBox::critical(QApplication::activeWindow(), QCoreApplication::applicationName(), message);
    } else {
        std::fprintf(stderr, "QXInspector: unhandled exception: %s\n", message.toLocal8Bit().constData());
    }
}

} // namespace

TExceptionHandler SetExceptionHandler(TExceptionHandler handler)
{
    return std::exchange(handlerSlot(), std::move(handler));
}

void HandleException(const std::exception_ptr &error) noexcept
{
    try {
        if (handlerSlot())
            handlerSlot()(error);
        else
            defaultHandler(error);
    } catch (...) {
        std::fprintf(stderr, "QXInspector: the exception handler raised an exception\n");
    }
}

QString ExceptionMessage(const std::exception_ptr &error)
{
    if (!error)
        return QString();
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) { }
    return QStringLiteral("Unknown exception");
}

} // namespace QXPlatform
