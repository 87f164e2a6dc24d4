/// \file
/// The messages the inspectors post to themselves (see Messages.h for how posting works).
#pragma once

#include "Messages.h"

/// Refresh one property row after a write: WParam is the row's absolute index.
constexpr int QX_INVALIDATEPROPERTY = 2475;
/// Rebuild all rows from the inspected objects; no parameters.
constexpr int QX_INVALIDATESCAN = 2476;
/// Deferred refresh of the design-time collection editor.
constexpr int QX_DESIGNUPDATE = 2477;

/// The refresh message as its receiver reads it.
struct TQXInvalidateProperty
{
    /// The message number, QX_INVALIDATEPROPERTY.
    int Msg = QX_INVALIDATEPROPERTY;
    int Index = -1; ///< absolute index of the row to refresh
    /// The answer the receiver gives the sender.
    qintptr Result = 0;

    /// Reads the refresh message out of a posted message.
    static TQXInvalidateProperty From(const QXPlatform::TMessage &message)
    {
        return TQXInvalidateProperty { message.Msg, int(message.WParam), message.Result };
    }
};
