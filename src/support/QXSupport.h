/// \file
/// The support library: regular-expression masks, the hint window, delta fonts, the library's exception
/// classes, its texts and the message numbers its controls post to themselves.
#pragma once

#include "GRegularExpression.h"
#include "GSpecialFiler.h"
#include "QXConsts.h"
#include "QXCustomDeltaFont.h"
#include "QXException.h"
#include "QXHintWindow.h"
#include "QXMessages.h"
