#include "Variants.h"

#include "Exceptions.h"
#include "FormatSettings.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace QXPlatform {

bool VarIsEmpty(const QVariant &value)
{
    return !value.isValid();
}

bool VarIsNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

bool VarIsOrdinal(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QChar:
    case QMetaType::Char16:
    case QMetaType::Char32:
        return true;
    default:
        return value.isValid() && (value.metaType().flags() & QMetaType::IsEnumeration);
    }
}

bool VarIsFloat(const QVariant &value)
{
    const int id = value.typeId();
    return id == QMetaType::Double || id == QMetaType::Float;
}

bool VarIsBoolean(const QVariant &value)
{
    return value.typeId() == QMetaType::Bool;
}

bool VarIsStr(const QVariant &value)
{
    const int id = value.typeId();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

QString VarToStr(const QVariant &value)
{
    if (VarIsNull(value))
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return BoolToStr(value.toBool());
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatToStr(value.toDouble());
    case QMetaType::QDate:
        return DateToStr(value.toDate());
    case QMetaType::QTime:
        return TimeToStr(value.toTime());
    case QMetaType::QDateTime:
        return DateTimeToStr(value.toDateTime());
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1Char('\n'));
    default:
        break;
    }
    return value.toString();
}

qint64 VarToInt64(const QVariant &value)
{
    if (VarIsOrdinal(value))
        return value.toLongLong();
    if (VarIsStr(value))
        return StrToInt64(value.toString());
    if (VarIsFloat(value))
        return qint64(value.toDouble());
    throw EConvertError(QStringLiteral("Could not convert variant of type (%1) into type (Int64)")
                            .arg(QString::fromLatin1(value.typeName() ? value.typeName() : "Empty")));
}

int VarCompare(const QVariant &a, const QVariant &b)
{
    if (VarIsNull(a) || VarIsNull(b))
        return int(!VarIsNull(a)) - int(!VarIsNull(b));
    const bool numericA = VarIsOrdinal(a) || VarIsFloat(a);
    const bool numericB = VarIsOrdinal(b) || VarIsFloat(b);
    if (numericA && numericB) {
        if ((VarIsOrdinal(a) && VarIsOrdinal(b))) {
            const qint64 x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    if (order == QPartialOrdering::Equivalent)
        return 0;
    return VarToStr(a).compare(VarToStr(b));
}

bool VarSameValue(const QVariant &a, const QVariant &b)
{
    if (VarIsNull(a) || VarIsNull(b))
        return VarIsNull(a) && VarIsNull(b);
    return VarCompare(a, b) == 0;
}

} // namespace QXPlatform
