// Dynamic properties: the names QObject::setProperty gave an object outside its meta-object. With
// DynamicProperties on, those every shown object has are listed after the published ones (in a band of
// their own when the rows are arranged by category), read and written through property() and
// setProperty(), and added or removed from the row menu.
#include "QXCustomObjectInspector.h"

#include "FormatSettings.h"
#include "ValueAdapters.h"

using namespace QXPlatform;

namespace {

/// Qt's own dynamic properties ("_q_...") are no business of the user's.
bool listedDynamic(const QByteArray &Name)
{
    return !Name.startsWith("_q_");
}

bool isIntegerType(int Type)
{
    return Type == QMetaType::Int || Type == QMetaType::Short || Type == QMetaType::Char
        || Type == QMetaType::SChar || Type == QMetaType::UShort || Type == QMetaType::UChar
        || Type == QMetaType::UInt || Type == QMetaType::Long || Type == QMetaType::ULong;
}

TTypeKind dynamicKind(const QVariant &Value)
{
    const int type = Value.metaType().id();
    if (isIntegerType(type))
        return tkInteger;
    if (type == QMetaType::LongLong || type == QMetaType::ULongLong)
        return tkInt64;
    if (type == QMetaType::Double || type == QMetaType::Float)
        return tkFloat;
    return tkString;
}

QString dynamicText(const QVariant &Value)
{
    if (!Value.isValid())
        return {};
    if (Value.metaType().id() == QMetaType::Bool)
        return Value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (QString summary = ValueSummary(Value, true); !summary.isNull())
        return summary;
    if (Value.canConvert<QString>())
        return Value.toString();
    return QLatin1Char('(') + QLatin1String(Value.typeName()) + QLatin1Char(')');
}

/// Text typed into the row of a dynamic property whose value is Current, as a value of Current's type.
QVariant dynamicValue(const QVariant &Current, const QString &Text)
{
    const QMetaType type = Current.metaType();
    QVariant value;
    switch (dynamicKind(Current)) {
    case tkInteger:
        value = StrToInt(Text);
        break;
    case tkInt64:
        value = StrToInt64(Text);
        break;
    case tkFloat:
        value = StrToFloat(Text);
        break;
    default:
        if (type.id() == QMetaType::Bool) {
            if (Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return true;
            if (Text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return false;
            throw EConvertError(QStringLiteral("'%1' is not a valid Boolean value").arg(Text));
        }
        value = Text;
    }
    if (!Current.isValid() || value.metaType() == type)
        return value;
    if (!value.convert(type))
        throw EConvertError(
            QStringLiteral("'%1' is not a valid %2 value").arg(Text, QLatin1String(type.name())));
    return value;
}

} // namespace

QString TQXCustomObjectInspector::DynamicPropertiesBand()
{
    return tr("Dynamic properties");
}

void TQXCustomObjectInspector::SetDynamicProperties(bool Value)
{
    if (Value == m_dynamicProperties)
        return;
    m_dynamicProperties = Value;
    InvalidateScan();
}

QStringList TQXCustomObjectInspector::SharedDynamicPropertyNames() const
{
    QStringList names;
    const QObject *first = m_shownObjects.value(0);
    if (!first)
        return names;
    for (const QByteArray &name : first->dynamicPropertyNames()) {
        if (!listedDynamic(name))
            continue;
        bool shared = true;
        for (const QPointer<QObject> &object : m_shownObjects)
            shared = shared && object && object->dynamicPropertyNames().contains(name);
        if (shared)
            names.append(QString::fromUtf8(name));
    }
    return names;
}

bool TQXCustomObjectInspector::IsDynamicPropertyRow(const TQXItemProp *Item) const
{
    const auto *row = qobject_cast<const TQXItemProperty *>(Item);
    const QObject *first = m_shownObjects.value(0);
    if (!m_dynamicProperties || !row || !first || row->IsRealProperty() || row->RealPropName().isEmpty())
        return false;
    const TQXItemProp *parent = row->GetParent();
    if (parent && !parent->Category())
        return false; // only the inspected objects' own properties are listed
    const QByteArray name = row->RealPropName().toUtf8();
    return first->metaObject()->indexOfProperty(name.constData()) < 0 && first->property(name).isValid();
}

void TQXCustomObjectInspector::BuildDynamicProperties(TQXItemProperties *Properties)
{
    if (!m_dynamicProperties)
        return;
    const QStringList names = SharedDynamicPropertyNames();
    const int lines = DisplayOptions() & doMultiColValues ? ShownObjectCount() : 1;
    InUpdate(*Properties, [&] {
        for (const QString &name : names) {
            const QByteArray key = name.toUtf8();
            const QVariant first = m_shownObjects.value(0)->property(key);
            auto *row = Properties->Add();
            row->SetRealPropName(name); // the band is chosen by it when the name places the row
            row->SetName(name);
            row->SetTypeKind(dynamicKind(first));
            row->SetTypeName(QLatin1String(first.typeName()));
            QStringList texts;
            bool allEqual = true;
            for (int o = 0; o < ShownObjectCount(); ++o) {
                const QString text = dynamicText(m_shownObjects.at(o)->property(key));
                if (o < lines)
                    texts.append(text);
                allEqual = allEqual && text == texts.first();
            }
            if (!allEqual && lines == 1)
                texts.first().clear(); // one line for objects that differ shows a blank
            row->SetValueLines(texts);
            row->SetAllEqual(allEqual);
            row->OnGetProperty = [](QObject *, QObject *Instance, const QString &Name, QString &Text) {
                Text = Instance ? dynamicText(Instance->property(Name.toUtf8())) : QString();
            };
            row->OnSetProperty = [](QObject *, QObject *Instance, const QString &Name, const QString &Text) {
                if (Instance)
                    Instance->setProperty(Name.toUtf8(),
                                          dynamicValue(Instance->property(Name.toUtf8()), Text));
            };
        }
    });
}

void TQXCustomObjectInspector::AddDynamicProperty(const QString &Name, const QVariant &Value)
{
    const QByteArray key = Name.trimmed().toUtf8();
    const QObject *first = m_shownObjects.value(0);
    if (key.isEmpty() || !listedDynamic(key))
        throw EInvalidOperation(tr("\"%1\" cannot name a dynamic property").arg(Name));
    if (first && first->metaObject()->indexOfProperty(key.constData()) >= 0)
        throw EInvalidOperation(tr("%1 already has a property named %2").arg(ClassNameOf(first), Name));
    for (const QPointer<QObject> &object : std::as_const(m_shownObjects))
        if (object)
            object->setProperty(key, Value.isValid() ? Value : QVariant(QString()));
    InvalidateScan();
}

void TQXCustomObjectInspector::RemoveDynamicProperty(const QString &Name)
{
    const QByteArray key = Name.toUtf8();
    for (const QPointer<QObject> &object : std::as_const(m_shownObjects))
        if (object && object->metaObject()->indexOfProperty(key.constData()) < 0)
            object->setProperty(key, QVariant());
    InvalidateScan();
}
