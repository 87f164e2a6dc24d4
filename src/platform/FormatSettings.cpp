#include "FormatSettings.h"

#include "Exceptions.h"

#include <QLocale>
#include <QTimeZone>

#include <cmath>

namespace QXPlatform {

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    QString text = QString::number(value, 'g', FormatSettings().FloatDigits);
    // Qt writes exponents as "e+20" / "e-05"; show them as "E20" / "E-5".
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantissa = text.left(e);
        int exponent = text.mid(e + 1).toInt();
        text = mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    if (FormatSettings().DecimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
    return text;
}

bool TryStrToFloat(const QString &text, double &value)
{
    QString s = text.trimmed();
    if (FormatSettings().DecimalSeparator != QLatin1Char('.'))
        s.replace(FormatSettings().DecimalSeparator, QLatin1Char('.'));
    if (s.isEmpty())
        return false;
    bool ok = false;
    const double parsed = QLocale::c().toDouble(s, &ok);
    if (!ok) {
        // Accept a leading '+' and the textual infinities that FloatToStr writes.
        if (s.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0)
            return value = HUGE_VAL, true;
        if (s.compare(QLatin1String("-INF"), Qt::CaseInsensitive) == 0)
            return value = -HUGE_VAL, true;
        if (s.compare(QLatin1String("NAN"), Qt::CaseInsensitive) == 0)
            return value = std::nan(""), true;
        return false;
    }
    value = parsed;
    return true;
}

double StrToFloat(const QString &text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

bool TryStrToInt64(const QString &text, qint64 &value)
{
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.startsWith(QLatin1Char('-'));
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s.remove(0, 2);
    }
    if (s.isEmpty() || s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+')))
        return false;
    bool ok = false;
    const quint64 magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return false;
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    // Hexadecimal texts may give the full 64-bit pattern ($FFFFFFFFFFFFFFFF is -1).
    if (magnitude > limit && !(base == 16 && !negative))
        return false;
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

qint64 StrToInt64(const QString &text)
{
    qint64 value = 0;
    if (!TryStrToInt64(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int StrToInt(const QString &text)
{
    qint64 value = 0;
    const bool ok = TryStrToInt64(text, value);
    const bool hex
        = text.contains(QLatin1Char('$')) || text.contains(QLatin1String("0x"), Qt::CaseInsensitive);
    if (ok && hex && value >= 0 && value <= 0xFFFFFFFFLL)
        return int(quint32(value));
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return int(value);
}

QString DateToStr(const QDate &date)
{
    return QLocale::c().toString(date, FormatSettings().ShortDateFormat);
}

QString TimeToStr(const QTime &time)
{
    return QLocale::c().toString(time, FormatSettings().LongTimeFormat);
}

QString DateTimeToStr(const QDateTime &dateTime)
{
    QString date = DateToStr(dateTime.date());
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + TimeToStr(dateTime.time());
}

namespace {

// Masked input leaves blanks where optional digits were skipped (" 1/05/2024", " 9:05:00 AM").
QString compact(const QString &text)
{
    QString s = text.simplified();
    s.replace(QLatin1String("/ "), QLatin1String("/"));
    s.replace(QLatin1String(": "), QLatin1String(":"));
    return s;
}

QTime parseTime(const QString &text)
{
    const QString s = compact(text);
    const QLocale c = QLocale::c();
    for (const QString &format :
         { FormatSettings().LongTimeFormat, QStringLiteral("h:mm:ss"), QStringLiteral("h:mm"),
           QStringLiteral("h:mm AP"), QStringLiteral("h:mm:ss.zzz") }) {
        const QTime time = c.toTime(s, format);
        if (time.isValid())
            return time;
    }
    return QTime();
}

QDate parseDate(const QString &text)
{
    const QString s = compact(text);
    const QLocale c = QLocale::c();
    QDate date = c.toDate(s, FormatSettings().ShortDateFormat);
    if (!date.isValid())
        date = QDate::fromString(s, Qt::ISODate);
    return date;
}

} // namespace

QDate StrToDate(const QString &text)
{
    const QDate date = parseDate(text);
    if (!date.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QTime StrToTime(const QString &text)
{
    const QTime time = parseTime(text);
    if (!time.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return time;
}

QDateTime StrToDateTime(const QString &text)
{
    const QString s = compact(text);
    const qsizetype space = s.indexOf(QLatin1Char(' '));
    const QDate date = parseDate(space < 0 ? s : s.left(space));
    const QTime time = space < 0 ? QTime(0, 0) : parseTime(s.mid(space + 1));
    if (!date.isValid() || !time.isValid()) {
        QDateTime iso = QDateTime::fromString(s, Qt::ISODate);
        if (iso.isValid())
            return iso;
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
    return QDateTime(date, time);
}

namespace {
const QDate &floatEpoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}
constexpr double msecsPerDay = 86400000.0;
} // namespace

double DateTimeToFloat(const QDateTime &dateTime)
{
    const double days = double(floatEpoch().daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / msecsPerDay;
    // Days before the epoch count down while the time of day still counts up from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FloatToDateTime(double value)
{
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    qint64 msecs = qint64(std::llround(fraction * msecsPerDay));
    qint64 days = qint64(whole);
    if (msecs >= qint64(msecsPerDay)) {
        msecs -= qint64(msecsPerDay);
        days += value >= 0 ? 1 : -1;
    }
    return QDateTime(floatEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QString BoolToStr(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace QXPlatform
