#include "ValueAdapters.h"

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QLocale>
#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QScopedValueRollback>
#include <QSize>
#include <QUrl>
#include <QWidget>

namespace QXPlatform {

namespace {

// The adapters made so far, by object and property index. An object's adapters go with it.
struct AdapterKey
{
    const QObject *object;
    int property;
    bool operator==(const AdapterKey &other) const
    {
        return object == other.object && property == other.property;
    }
};
size_t qHash(const AdapterKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.object, key.property);
}

QHash<AdapterKey, QObject *> &adapters()
{
    static QHash<AdapterKey, QObject *> registry;
    return registry;
}

QObject *makeAdapter(QObject *object, const QMetaProperty &property)
{
    switch (property.metaType().id()) {
    case QMetaType::QFont:
        return new TFontAdapter(object, property);
    case QMetaType::QSize:
    case QMetaType::QSizeF:
        return new TSizeAdapter(object, property);
    case QMetaType::QPoint:
        return new TPointAdapter(object, property);
    case QMetaType::QRect:
        return new TRectAdapter(object, property);
    case QMetaType::QStringList:
        return new TStringListAdapter(object, property);
    case QMetaType::QSizePolicy:
        return new TSizePolicyAdapter(object, property);
    case QMetaType::QPixmap:
    case QMetaType::QIcon:
        return new TPictureAdapter(object, property);
    default:
        if (property.metaType() == QMetaType::fromType<QMargins>())
            return new TMarginsAdapter(object, property);
        return nullptr;
    }
}

} // namespace

bool HasValueAdapter(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QFont:
    case QMetaType::QSize:
    case QMetaType::QSizeF:
    case QMetaType::QPoint:
    case QMetaType::QRect:
    case QMetaType::QStringList:
    case QMetaType::QSizePolicy:
    case QMetaType::QPixmap:
    case QMetaType::QIcon:
        return true;
    default:
        return type == QMetaType::fromType<QMargins>();
    }
}

QObject *ValueAdapter(QObject *object, const QMetaProperty &property)
{
    if (!object || !property.isValid() || !HasValueAdapter(property.metaType()))
        return nullptr;
    const AdapterKey key { object, property.propertyIndex() };
    QObject *adapter = adapters().value(key);
    if (!adapter) {
        adapter = makeAdapter(object, property);
        adapters().insert(key, adapter);
        QObject::connect(object, &QObject::destroyed, adapter, [key, adapter] {
            adapters().remove(key);
            FreeObject(adapter);
        });
    }
    // The value may have changed on the object since the last request.
    if (auto *lines = qobject_cast<TStringListAdapter *>(adapter))
        lines->Reload();
    else if (auto *picture = qobject_cast<TPictureAdapter *>(adapter))
        picture->Reload();
    return adapter;
}

// ---------------------------------------------------------------------------------------------------

TValueAdapter::TValueAdapter(QObject *Owner, const QMetaProperty &Property)
    : m_owner(Owner)
    , m_property(Property)
{ }

TValueAdapter::~TValueAdapter() = default;

QVariant TValueAdapter::Read() const
{
    return m_owner ? m_property.read(m_owner) : QVariant();
}

void TValueAdapter::Write(const QVariant &Value)
{
    if (m_owner && m_property.isWritable())
        m_property.write(m_owner, Value);
}

// ---------------------------------------------------------------------------------------------------
// Fonts

TColor TFontAdapter::Color() const
{
    auto *widget = qobject_cast<QWidget *>(GetOwner());
    return widget ? QColorToColor(widget->palette().color(widget->foregroundRole())) : clWindowText;
}

void TFontAdapter::SetColor(TColor Value)
{
    auto *widget = qobject_cast<QWidget *>(GetOwner());
    if (!widget || Value == Color())
        return;
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), ColorToQColor(Value));
    widget->setPalette(palette);
}

void TFontAdapter::SetName(const QString &Value)
{
    QFont value = font();
    if (value.family() == Value)
        return;
    value.setFamily(Value);
    Write(value);
}

void TFontAdapter::SetSize(int Value)
{
    QFont value = font();
    if (Value <= 0 || value.pointSize() == Value)
        return;
    value.setPointSize(Value);
    Write(value);
}

TFont::TFontStyles TFontAdapter::Style() const
{
    const QFont value = font();
    TFont::TFontStyles style;
    style.setFlag(fsBold, value.bold());
    style.setFlag(fsItalic, value.italic());
    style.setFlag(fsUnderline, value.underline());
    style.setFlag(fsStrikeOut, value.strikeOut());
    return style;
}

void TFontAdapter::SetStyle(TFont::TFontStyles Value)
{
    if (Value == Style())
        return;
    QFont value = font();
    value.setBold(Value & fsBold);
    value.setItalic(Value & fsItalic);
    value.setUnderline(Value & fsUnderline);
    value.setStrikeOut(Value & fsStrikeOut);
    Write(value);
}

// ---------------------------------------------------------------------------------------------------
// Geometry

void TSizeAdapter::SetWidth(int Value)
{
    QSize size = Read().toSize();
    size.setWidth(Value);
    Write(Property().metaType().id() == QMetaType::QSizeF ? QVariant(QSizeF(size)) : QVariant(size));
}

void TSizeAdapter::SetHeight(int Value)
{
    QSize size = Read().toSize();
    size.setHeight(Value);
    Write(Property().metaType().id() == QMetaType::QSizeF ? QVariant(QSizeF(size)) : QVariant(size));
}

void TPointAdapter::SetX(int Value)
{
    Modify<QPoint>([&](QPoint &point) { point.setX(Value); });
}

void TPointAdapter::SetY(int Value)
{
    Modify<QPoint>([&](QPoint &point) { point.setY(Value); });
}

void TRectAdapter::SetLeft(int Value)
{
    Modify<QRect>([&](QRect &rect) { rect.moveLeft(Value); });
}

void TRectAdapter::SetTop(int Value)
{
    Modify<QRect>([&](QRect &rect) { rect.moveTop(Value); });
}

void TRectAdapter::SetWidth(int Value)
{
    Modify<QRect>([&](QRect &rect) { rect.setWidth(Value); });
}

void TRectAdapter::SetHeight(int Value)
{
    Modify<QRect>([&](QRect &rect) { rect.setHeight(Value); });
}

void TMarginsAdapter::SetLeft(int Value)
{
    Modify<QMargins>([&](QMargins &margins) { margins.setLeft(Value); });
}

void TMarginsAdapter::SetTop(int Value)
{
    Modify<QMargins>([&](QMargins &margins) { margins.setTop(Value); });
}

void TMarginsAdapter::SetRight(int Value)
{
    Modify<QMargins>([&](QMargins &margins) { margins.setRight(Value); });
}

void TMarginsAdapter::SetBottom(int Value)
{
    Modify<QMargins>([&](QMargins &margins) { margins.setBottom(Value); });
}

void TSizePolicyAdapter::SetHorizontalPolicy(QSizePolicy::Policy Value)
{
    Modify<QSizePolicy>([&](QSizePolicy &policy) { policy.setHorizontalPolicy(Value); });
}

void TSizePolicyAdapter::SetVerticalPolicy(QSizePolicy::Policy Value)
{
    Modify<QSizePolicy>([&](QSizePolicy &policy) { policy.setVerticalPolicy(Value); });
}

void TSizePolicyAdapter::SetHorizontalStretch(int Value)
{
    Modify<QSizePolicy>([&](QSizePolicy &policy) { policy.setHorizontalStretch(Value); });
}

void TSizePolicyAdapter::SetVerticalStretch(int Value)
{
    Modify<QSizePolicy>([&](QSizePolicy &policy) { policy.setVerticalStretch(Value); });
}

// ---------------------------------------------------------------------------------------------------
// Pictures

TPictureAdapter::TPictureAdapter(QObject *Owner, const QMetaProperty &Property)
    : m_owner(Owner)
    , m_property(Property)
{
    Reload();
}

TPictureAdapter::~TPictureAdapter() = default;

void TPictureAdapter::Reload()
{
    if (!m_owner)
        return;
    const QVariant value = m_property.read(m_owner);
    const QPixmap pixmap = value.typeId() == QMetaType::QIcon
        ? value.value<QIcon>().pixmap(value.value<QIcon>().availableSizes().value(0, QSize(32, 32)))
        : value.value<QPixmap>();
    const QScopedValueRollback<bool> loading(m_loading, true);
    SetPixmap(pixmap);
}

void TPictureAdapter::Changed()
{
    TPicture::Changed();
    if (m_loading || !m_owner || !m_property.isWritable())
        return;
    if (m_property.metaType().id() == QMetaType::QIcon)
        m_property.write(m_owner, QIcon(Pixmap()));
    else
        m_property.write(m_owner, Pixmap());
}

// ---------------------------------------------------------------------------------------------------
// String lists

TStringListAdapter::TStringListAdapter(QObject *Owner, const QMetaProperty &Property)
    : m_owner(Owner)
    , m_property(Property)
{
    Reload();
}

TStringListAdapter::~TStringListAdapter() = default;

void TStringListAdapter::Reload()
{
    if (!m_owner)
        return;
    const QStringList lines = m_property.read(m_owner).toStringList();
    if (lines == ToStringList())
        return;
    const QScopedValueRollback<bool> loading(m_loading, true);
    SetStrings(lines);
}

void TStringListAdapter::Changed()
{
    TStringList::Changed();
    if (!m_loading && UpdateCount() == 0 && m_owner && m_property.isWritable())
        m_property.write(m_owner, ToStringList());
}

QString ValueSummary(const QVariant &Value, bool Fonts)
{
    const auto number = [](qreal n) { return QString::number(n, 'g', 12); };
    const auto point = [&](qreal x, qreal y) { return QStringLiteral("(%1, %2)").arg(number(x), number(y)); };
    const auto size = [&](qreal w, qreal h) { return QStringLiteral("%1 x %2").arg(number(w), number(h)); };
    const auto rect = [&](const QRectF &r) {
        return QStringLiteral("[%1, %2]").arg(point(r.x(), r.y()), size(r.width(), r.height()));
    };
    const QMetaType type = Value.metaType();
    switch (type.id()) {
    case QMetaType::QRect:
        return rect(Value.toRect());
    case QMetaType::QRectF:
        return rect(Value.toRectF());
    case QMetaType::QSize:
    case QMetaType::QSizeF: {
        const QSizeF s = Value.toSizeF();
        return size(s.width(), s.height());
    }
    case QMetaType::QPoint:
    case QMetaType::QPointF: {
        const QPointF p = Value.toPointF();
        return point(p.x(), p.y());
    }
    case QMetaType::QSizePolicy: {
        const auto policy = Value.value<QSizePolicy>();
        const QMetaEnum names = QMetaEnum::fromType<QSizePolicy::Policy>();
        return QStringLiteral("[%1, %2, %3, %4]")
            .arg(QLatin1String(names.valueToKey(policy.horizontalPolicy())),
                 QLatin1String(names.valueToKey(policy.verticalPolicy())))
            .arg(policy.horizontalStretch())
            .arg(policy.verticalStretch());
    }
    case QMetaType::QKeySequence:
        return Value.value<QKeySequence>().toString(QKeySequence::PortableText);
    case QMetaType::QLocale: {
        const auto locale = Value.value<QLocale>();
        return QLocale::languageToString(locale.language()) + QLatin1String(", ")
            + QLocale::territoryToString(locale.territory());
    }
    case QMetaType::QUrl:
        return Value.toUrl().toString();
    case QMetaType::QFont: {
        if (!Fonts)
            return {};
        const auto font = Value.value<QFont>();
        const qreal points = font.pointSizeF();
        return QStringLiteral("[%1, %2]")
            .arg(font.family(),
                 points > 0 ? number(points) : QString::number(font.pixelSize()) + QLatin1String("px"));
    }
    default:
        break;
    }
    if (type == QMetaType::fromType<QMargins>()) {
        const auto m = Value.value<QMargins>();
        return QStringLiteral("[%1, %2, %3, %4]").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom());
    }
    return {};
}

} // namespace QXPlatform
