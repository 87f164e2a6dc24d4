/// \file
/// Helpers for QVariant, the library's variant type: the tests and conversions that value texts and
/// comparisons need.
#pragma once

#include "QXGlobal.h"

#include <QVariant>

namespace QXPlatform {

/// No value at all (an invalid QVariant).
QXINSPECTORCORE_EXPORT bool VarIsEmpty(const QVariant &value);
/// Empty, or a null value of any type.
QXINSPECTORCORE_EXPORT bool VarIsNull(const QVariant &value);
/// Integer-like: the integer types, characters, Booleans and enumerations.
QXINSPECTORCORE_EXPORT bool VarIsOrdinal(const QVariant &value);
/// A double or a float.
QXINSPECTORCORE_EXPORT bool VarIsFloat(const QVariant &value);
/// A Boolean.
QXINSPECTORCORE_EXPORT bool VarIsBoolean(const QVariant &value);
/// Text: a string, a byte array or a character.
QXINSPECTORCORE_EXPORT bool VarIsStr(const QVariant &value);
/// The text of a value: empty for empty and null, "True"/"False", the library's float, date and time
/// texts, QVariant's own conversion otherwise.
QXINSPECTORCORE_EXPORT QString VarToStr(const QVariant &value);
/// Ordinal value; EConvertError when the value has none.
QXINSPECTORCORE_EXPORT qint64 VarToInt64(const QVariant &value);
/// Three-way comparison: numbers as numbers, texts case-sensitively, otherwise by text. Empty sorts first.
QXINSPECTORCORE_EXPORT int VarCompare(const QVariant &a, const QVariant &b);
/// Same type group and same value.
QXINSPECTORCORE_EXPORT bool VarSameValue(const QVariant &a, const QVariant &b);

} // namespace QXPlatform
