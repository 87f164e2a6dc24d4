/// \file
/// Mouse cursors as published properties hold them: a TCursor is the number of a Qt::CursorShape, and the
/// cursor table gives each standard shape an identifier ("crArrow", "crIBeam"), so that an inspector can
/// show and offer cursors by name.
#pragma once

#include "QXGlobal.h"

#include <QString>
#include <functional>

namespace QXPlatform {

/// A cursor: the value of a Qt::CursorShape (the type layer reads a QCursor property as its shape).
using TCursor = qint16;

/// The ident of a cursor in the cursor table ("crCross"); false when the value has none.
QXINSPECTORCORE_EXPORT bool CursorToIdent(int Cursor, QString &Ident);
/// The cursor of an ident, compared case-insensitively; false when the ident is unknown.
QXINSPECTORCORE_EXPORT bool IdentToCursor(const QString &Ident, int &Cursor);
/// The ident when the cursor has one, else its decimal number.
QXINSPECTORCORE_EXPORT QString CursorToString(TCursor Cursor);
/// An ident, or a number as StrToInt reads it; EConvertError for anything else, and for a number that
/// does not fit in a TCursor.
QXINSPECTORCORE_EXPORT TCursor StringToCursor(const QString &S);
/// Calls Proc with every ident of the cursor table, in the order of Qt::CursorShape.
QXINSPECTORCORE_EXPORT void GetCursorValues(const std::function<void(const QString &)> &Proc);

} // namespace QXPlatform
