/// \file
/// Events: object-bound callables with the sender first. Each event type is a distinct type (not a bare
/// std::function alias) so that it can be registered with QMetaType under its own name and shown by an
/// inspector as a method-kind property.
#pragma once

#include "QXGlobal.h"

#include <QMetaType>
#include <QObject>
#include <functional>

namespace QXPlatform {

/// The base of every event type: a std::function of Signature that QMetaType can compare.
template<class Signature> struct TEventBase : std::function<Signature>
{
    using std::function<Signature>::function;
    using std::function<Signature>::operator=;
    TEventBase() = default;
    /// Events compare equal only when both are unassigned. A std::function cannot compare its targets, so
    /// an assigned handler never compares equal, not even to itself: "is a handler set" is asked of the
    /// event itself (if (OnChange)). The operator lets QMetaType and QVariant compare events.
    bool operator==(const TEventBase &other) const { return !*this && !other; }
};

} // namespace QXPlatform

/// Declares an event type Name in namespace QXPlatform-independent scope (use inside a namespace).
/// Copies from a non-const event must be copies, not wrappers: std::function's template constructor and
/// assignment would otherwise take the event as a callable and make an empty one look assigned.
#define QX_DECLARE_EVENT(Name, ...)                                                                          \
    struct Name : ::QXPlatform::TEventBase<__VA_ARGS__>                                                      \
    {                                                                                                        \
        using ::QXPlatform::TEventBase<__VA_ARGS__>::TEventBase;                                             \
        using ::QXPlatform::TEventBase<__VA_ARGS__>::operator=;                                              \
        Name() = default;                                                                                    \
        Name(const Name &) = default;                                                                        \
        Name(Name &&) = default;                                                                             \
        Name(Name &other)                                                                                    \
            : Name(static_cast<const Name &>(other))                                                         \
        { }                                                                                                  \
        Name &operator=(const Name &) = default;                                                             \
        Name &operator=(Name &&) = default;                                                                  \
        Name &operator=(Name &other) { return *this = static_cast<const Name &>(other); }                    \
    };

namespace QXPlatform {
/// A plain notification: Sender only.
QX_DECLARE_EVENT(TNotifyEvent, void(QObject *Sender))
} // namespace QXPlatform

Q_DECLARE_METATYPE(QXPlatform::TNotifyEvent)
