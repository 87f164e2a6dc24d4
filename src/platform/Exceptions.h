/// \file
/// The exception family that the library raises, and the one application-level handler that every event
/// handler of ours hands exceptions to, so that no exception ever crosses Qt's event loop.
#pragma once

#include "QXGlobal.h"

#include <QString>
#include <exception>
#include <functional>
#include <utility>

namespace QXPlatform {

/// Base of every exception the library raises: a message, readable as UTF-8 through what().
class QXINSPECTORCORE_EXPORT Exception : public std::exception
{
public:
    /// An exception with message as its text.
    explicit Exception(QString message);
    ~Exception() override;

    ///@{
    /// The text shown to the user; setting it updates what().
    QString Message() const { return m_message; }
    void SetMessage(const QString &message);
    ///@}
    /// The message as UTF-8, valid as long as the exception lives.
    const char *what() const noexcept override { return m_utf8.constData(); }
    /// The class name as reported to users ("EConvertError"); every subclass overrides it.
    virtual QString ClassName() const { return QStringLiteral("Exception"); }

private:
    QString m_message;
    QByteArray m_utf8;
};

/// Declares exception class Name derived from Base, with Base's constructors and its own ClassName.
#define QX_DECLARE_EXCEPTION(Name, Base)                                                                     \
    class QXINSPECTORCORE_EXPORT Name : public Base                                                          \
    {                                                                                                        \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
        QString ClassName() const override { return QStringLiteral(#Name); }                                 \
    };

/// Silent exception: aborts an operation without a message; the application handler ignores it.
class QXINSPECTORCORE_EXPORT EAbort : public Exception
{
public:
    EAbort();
    /// An EAbort that carries a message after all.
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EAbort"); }
};

/// A text that does not convert to the value's type.
QX_DECLARE_EXCEPTION(EConvertError, Exception)
/// A property that cannot be read or written.
QX_DECLARE_EXCEPTION(EPropertyError, Exception)
/// A property's text that does not convert to its type.
QX_DECLARE_EXCEPTION(EPropertyConvertError, Exception)
/// A list index out of range, or an operation a list does not allow.
QX_DECLARE_EXCEPTION(EListError, Exception)
/// A string list operation that fails: a duplicate refused, an index out of range.
QX_DECLARE_EXCEPTION(EStringListError, EListError)
/// An object that is not of the class an operation needs.
QX_DECLARE_EXCEPTION(EInvalidCast, Exception)
/// An operation that the object's state does not allow.
QX_DECLARE_EXCEPTION(EInvalidOperation, Exception)
/// A class name that is not registered (ClassRegistry.h).
QX_DECLARE_EXCEPTION(EClassNotFound, Exception)
/// A file that cannot be opened.
QX_DECLARE_EXCEPTION(EFOpenError, Exception)

/// Raises EAbort.
[[noreturn]] QXINSPECTORCORE_EXPORT void Abort();

/// Receives every exception that reaches an event handler of ours. It must not throw.
using TExceptionHandler = std::function<void(std::exception_ptr)>;

/// Replaces the application-level handler; returns the previous one. An empty handler restores the
/// default, which shows a message box (or prints to stderr without a GUI) and stays silent for EAbort.
QXINSPECTORCORE_EXPORT TExceptionHandler SetExceptionHandler(TExceptionHandler handler);

/// Hands an exception to the application-level handler. Never throws.
QXINSPECTORCORE_EXPORT void HandleException(const std::exception_ptr &error) noexcept;

/// The message of any exception: Exception::Message, std::exception::what, or a generic text.
QXINSPECTORCORE_EXPORT QString ExceptionMessage(const std::exception_ptr &error);

/// Runs f; an exception it raises goes to HandleException instead of propagating. Returns whether f
/// completed. Wrap every Qt entry point (event(), eventFilter(), slots called by Qt) with it.
template<class F> bool Guarded(F &&f) noexcept
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

} // namespace QXPlatform
