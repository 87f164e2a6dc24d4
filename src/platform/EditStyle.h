/// \file
/// How a cell is edited: plain text, text with an ellipsis button, or text with a drop-down list.
#pragma once

#include "QXGlobal.h"

#include <QMetaType>
#include <QObject>

namespace QXPlatform {

/// Holds the edit styles as a Q_ENUM, so that their names ("esPickList") are known to the meta-object
/// system.
struct QXINSPECTORCORE_EXPORT TEditStyles
{
    Q_GADGET
public:
    /// How a cell is edited: plain text, text with an ellipsis button, or text with a drop-down list.
    enum TEditStyle { esSimple, esEllipsis, esPickList };
    Q_ENUM(TEditStyle)
};

/// TEditStyles::TEditStyle at namespace level.
using TEditStyle = TEditStyles::TEditStyle;
using enum TEditStyles::TEditStyle;

} // namespace QXPlatform
