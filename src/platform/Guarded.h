/// \file
/// The base of every widget and event-handling object of ours: its whole event dispatch is guarded, so an
/// exception raised by any event handler (paint, mouse, keys, posted messages) goes to the application's
/// exception handler instead of crossing Qt's event loop.
///
/// Derive from TGuarded<QSomething>, override the usual virtual event handlers, GuardedEvent instead of
/// event(), GuardedEventFilter instead of eventFilter(), and Dispatch to handle posted messages.
#pragma once

#include "Exceptions.h"
#include "Messages.h"

namespace QXPlatform {

/// A Qt widget or object class whose event handling hands every exception to HandleException, so that
/// none crosses Qt's event loop, and that receives posted messages through Dispatch.
template<class Base> class TGuarded : public Base
{
public:
    using Base::Base;

protected:
    /// Guards GuardedEvent and Dispatch; descendants override those instead.
    bool event(QEvent *e) final
    {
        bool result = true;
        Guarded([&] {
            if (TMessage *message = TakeMessage(e))
                Dispatch(*message);
            else
                result = GuardedEvent(e);
        });
        return result;
    }
    /// Guards GuardedEventFilter; descendants override that instead.
    bool eventFilter(QObject *watched, QEvent *e) final
    {
        bool result = false;
        Guarded([&] { result = GuardedEventFilter(watched, e); });
        return result;
    }

    /// event() of this class; overrides call the inherited one for what they do not handle.
    virtual bool GuardedEvent(QEvent *e) { return Base::event(e); }
    /// eventFilter() of this class; overrides call the inherited one for what they do not handle.
    virtual bool GuardedEventFilter(QObject *watched, QEvent *e) { return Base::eventFilter(watched, e); }
    /// A posted or sent message for this object; set Message.Result to answer a sent one.
    virtual void Dispatch(TMessage &Message) { Q_UNUSED(Message); }
};

} // namespace QXPlatform
