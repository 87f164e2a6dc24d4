/// \file
/// Text formats and conversions of numbers, dates and times, kept in one place so that every value text
/// the library shows or parses follows the same settings. The settings are process-wide and may be
/// changed by the application before its inspectors are created.
#pragma once

#include "QXGlobal.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace QXPlatform {

/// The process-wide text formats of numbers, dates and times (FormatSettings()).
struct QXINSPECTORCORE_EXPORT TFormatSettings
{
    /// The character between the whole and the fractional part of a float's text.
    QChar DecimalSeparator = QLatin1Char('.');
    /// Qt date format of short dates; matches the default date edit mask "90/00/0000".
    QString ShortDateFormat = QStringLiteral("M/d/yyyy");
    /// Qt time format of long times; matches the default time edit mask "90:00:00 >LL".
    QString LongTimeFormat = QStringLiteral("h:mm:ss AP");
    /// Significant digits of FloatToStr.
    int FloatDigits = 15;
};

/// The settings in force; change them through this reference.
QXINSPECTORCORE_EXPORT TFormatSettings &FormatSettings();

/// Shortest text of a float with at most FloatDigits significant digits ("1.5", "0.1", "1E20").
QXINSPECTORCORE_EXPORT QString FloatToStr(double value);
/// Parses a float written with the decimal separator (or '.'); EConvertError "'x' is not a valid
/// floating point value".
QXINSPECTORCORE_EXPORT double StrToFloat(const QString &text);
/// StrToFloat without the exception: false, value unchanged, for a text that does not parse.
QXINSPECTORCORE_EXPORT bool TryStrToFloat(const QString &text, double &value);
/// Decimal, or hexadecimal after '$' or "0x"; EConvertError "'x' is not a valid integer value".
QXINSPECTORCORE_EXPORT int StrToInt(const QString &text);
/// StrToInt for 64-bit values.
QXINSPECTORCORE_EXPORT qint64 StrToInt64(const QString &text);
/// StrToInt64 without the exception: false, value unchanged, for a text that does not parse.
QXINSPECTORCORE_EXPORT bool TryStrToInt64(const QString &text, qint64 &value);

/// A date in ShortDateFormat.
QXINSPECTORCORE_EXPORT QString DateToStr(const QDate &date);
/// A time in LongTimeFormat.
QXINSPECTORCORE_EXPORT QString TimeToStr(const QTime &time);
/// Date and time; the time is left out when it is midnight.
QXINSPECTORCORE_EXPORT QString DateTimeToStr(const QDateTime &dateTime);
/// EConvertError "'x' is not a valid date" (time, date and time) when the text does not parse.
QXINSPECTORCORE_EXPORT QDate StrToDate(const QString &text);
/// Parses a time (see StrToDate).
QXINSPECTORCORE_EXPORT QTime StrToTime(const QString &text);
/// Parses a date and time (see StrToDate).
QXINSPECTORCORE_EXPORT QDateTime StrToDateTime(const QString &text);

/// A date and time as a float: whole days since 30 December 1899, the time of day as the fraction.
QXINSPECTORCORE_EXPORT double DateTimeToFloat(const QDateTime &dateTime);
/// DateTimeToFloat reversed.
QXINSPECTORCORE_EXPORT QDateTime FloatToDateTime(double value);

/// "True" or "False".
QXINSPECTORCORE_EXPORT QString BoolToStr(bool value);

} // namespace QXPlatform
