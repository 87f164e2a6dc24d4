// How a cell is edited: plain text, text with an ellipsis button, or text with a drop-down list.
#pragma once

#include "QXGlobal.h"

#include <QMetaType>
#include <QObject>

namespace QXPlatform {

struct QXINSPECTORCORE_EXPORT TEditStyles
{
    Q_GADGET
public:
    enum TEditStyle { esSimple, esEllipsis, esPickList };
    Q_ENUM(TEditStyle)
};

using TEditStyle = TEditStyles::TEditStyle;
using enum TEditStyles::TEditStyle;

} // namespace QXPlatform
