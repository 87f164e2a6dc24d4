#include "TypeInfo.h"

#include "ValueAdapters.h"

#include "Component.h"
#include "Events.h"
#include "FormatSettings.h"
#include "Graphics.h"
#include "ListViews_p.h"
#include "Persistent.h"
#include "Variants.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMargins>
#include <QMetaClassInfo>
#include <QMutex>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTextEdit>
#include <QThread>
#include <QTime>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <functional>

namespace QXPlatform {

void RaiseInvalidPropertyElement(const QString &Element)
{
    throw EPropertyConvertError(QStringLiteral("Invalid property element: %1").arg(Element));
}

void RaiseInvalidPropertyType(const QString &TypeName)
{
    throw EPropertyConvertError(QStringLiteral("Invalid property type: %1").arg(TypeName));
}

void RaiseMissingProperty(const QString &Name)
{
    throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(Name));
}

namespace {

// ---------------------------------------------------------------------------------------------------
// Error texts

[[noreturn]] void raiseMissing(const QString &name)
{
    RaiseMissingProperty(name);
}

[[noreturn]] void raiseInvalidType(const TPropInfo &info)
{
    RaiseInvalidPropertyType(info.TypeName);
}

[[noreturn]] void raiseInvalidElement(const QString &element)
{
    RaiseInvalidPropertyElement(element);
}

// ---------------------------------------------------------------------------------------------------
// Event types

struct MethodTypes
{
    QMutex lock;
    QList<int> ids { QMetaType::fromType<TNotifyEvent>().id() };
};

MethodTypes &methodTypes()
{
    static MethodTypes types;
    return types;
}

// ---------------------------------------------------------------------------------------------------
// Classification

QString withoutNamespace(const QString &name)
{
    const qsizetype cut = name.lastIndexOf(QLatin1String("::"));
    return cut < 0 ? name : name.mid(cut + 2);
}

QString declaredTypeName(const QMetaObject *metaObject, const char *property)
{
    const QByteArray key = QByteArrayLiteral("QX.type.") + property;
    // indexOfClassInfo searches the class chain, most derived class first.
    const int index = metaObject->indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromUtf8(metaObject->classInfo(index).value());
}

struct Classified
{
    TTypeKind kind;
    QString typeName;
};

Classified classify(const QMetaProperty &property)
{
    if (property.isEnumType()) {
        const QMetaEnum enumerator = property.enumerator();
        if (property.isFlagType())
            return { tkSet, QString::fromLatin1(enumerator.name()) };
        return { tkEnumeration, QString::fromLatin1(enumerator.enumName()) };
    }
    const QMetaType type = property.metaType();
    if (!type.isValid())
        return { tkUnknown, QString::fromLatin1(property.typeName()) };
    const auto fixed = [](TTypeKind kind, const char *name) {
        return Classified { kind, QString::fromLatin1(name) };
    };
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        return fixed(tkInteger, "Integer");
    case QMetaType::Long:
    case QMetaType::ULong:
        return sizeof(long) == 4 ? fixed(tkInteger, "Integer") : fixed(tkInt64, "Int64");
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return fixed(tkInt64, "Int64");
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return fixed(tkChar, "Char");
    case QMetaType::QChar:
    case QMetaType::Char16:
        return fixed(tkWChar, "WideChar");
    case QMetaType::Bool:
        return fixed(tkEnumeration, "Boolean");
    case QMetaType::Double:
        return fixed(tkFloat, "Double");
    case QMetaType::Float:
        return fixed(tkFloat, "Single");
    case QMetaType::QDate:
        return fixed(tkFloat, "TDate");
    case QMetaType::QTime:
        return fixed(tkFloat, "TTime");
    case QMetaType::QDateTime:
        return fixed(tkFloat, "TDateTime");
    case QMetaType::QString:
        return fixed(tkLString, "string");
    case QMetaType::QByteArray:
        return fixed(tkString, "AnsiString");
    case QMetaType::QVariant:
        return fixed(tkVariant, "Variant");
    case QMetaType::QColor:
        return fixed(tkInteger, "TColor");
    case QMetaType::QCursor:
        return fixed(tkInteger, "TCursor");
    case QMetaType::QFont:
        return fixed(tkClass, "TFont");
    case QMetaType::QStringList:
        return fixed(tkClass, "TStrings");
    case QMetaType::QPixmap:
    case QMetaType::QIcon:
        return fixed(tkClass, "TPicture");
    case QMetaType::QSize:
    case QMetaType::QSizeF:
    case QMetaType::QPoint:
    case QMetaType::QRect:
    case QMetaType::QSizePolicy:
        return { tkClass, QString::fromLatin1(type.name()) };
    default:
        break;
    }
    if (type == QMetaType::fromType<QMargins>())
        return { tkClass, QString::fromLatin1(type.name()) };
    if (type.flags().testFlag(QMetaType::PointerToQObject))
        return { tkClass, ClassNameOf(type.metaObject()) };
    if (IsMethodType(type))
        return { tkMethod, withoutNamespace(QString::fromLatin1(type.name())) };
    const QString name = QString::fromLatin1(type.name());
    if (name.startsWith(QLatin1String("QList<")))
        return { tkDynArray, name };
    return { tkRecord, name };
}

// Qt's list and tree widgets publish their items as "Items" (a TListItems, a TTreeNodes), a property
// declared apart and read through the adapters of ListViews.h.
QMetaProperty pseudoItemsProperty(const QMetaObject *metaObject)
{
    const QMetaObject *host = nullptr;
    if (metaObject && metaObject->inherits(&QListWidget::staticMetaObject))
        host = &TListWidgetItemsProperty::staticMetaObject;
    else if (metaObject && metaObject->inherits(&QTreeWidget::staticMetaObject))
        host = &TTreeWidgetItemsProperty::staticMetaObject;
    return host ? host->property(host->indexOfProperty("Items")) : QMetaProperty();
}

bool isPseudoProperty(const QMetaProperty &property)
{
    const QMetaObject *host = property.enclosingMetaObject();
    return host == &TListWidgetItemsProperty::staticMetaObject
        || host == &TTreeWidgetItemsProperty::staticMetaObject;
}

TPropInfo makeInfo(const QMetaObject *metaObject, const QMetaProperty &property)
{
    TPropInfo info;
    info.Name = QString::fromLatin1(property.name());
    info.Property = property;
    info.MetaObject = metaObject;
    const Classified classified = classify(property);
    info.Kind = classified.kind;
    info.TypeName = classified.typeName;
    const QString declared = declaredTypeName(metaObject, property.name());
    if (!declared.isEmpty())
        info.TypeName = declared;
    if (property.isEnumType())
        info.Enumerator = property.enumerator();
    info.DefaultText = DeclaredDefault(metaObject, property.name());
    if (isPseudoProperty(property))
        info.DefaultText = QLatin1String(""); // no prototype has the property to read a default from
    return info;
}

// Form-only properties: a class lists, in its QXFormOnlyProperties class info (comma separated), the
// Qt-typed twins it declares for Qt Designer and uic forms. They stand for properties that are published
// already, so the type layer neither lists nor streams them. Read once per class, with its ancestors.
struct FormOnlyNames
{
    QMutex lock;
    QHash<const QMetaObject *, QSet<QByteArray>> byClass;
};

bool isFormOnly(const QMetaObject *metaObject, const QMetaProperty &property)
{
    static FormOnlyNames store;
    QMutexLocker locker(&store.lock);
    auto it = store.byClass.constFind(metaObject);
    if (it == store.byClass.constEnd()) {
        QSet<QByteArray> names;
        for (int i = 0; i < metaObject->classInfoCount(); ++i) {
            const QMetaClassInfo info = metaObject->classInfo(i);
            if (qstrcmp(info.name(), "QXFormOnlyProperties") == 0)
                for (const QByteArray &name : QByteArray(info.value()).split(','))
                    names.insert(name.trimmed());
        }
        it = store.byClass.insert(metaObject, names);
    }
    return it->contains(property.name());
}

bool isPublished(const QMetaObject *metaObject, const QMetaProperty &property)
{
    return property.isReadable() && property.isDesignable() && !isFormOnly(metaObject, property);
}

template<class Subject> TPropInfo requireInfo(const Subject *subject, const QString &name)
{
    TPropInfo info = GetPropInfo(subject, name);
    if (!info)
        raiseMissing(name);
    return info;
}

// ---------------------------------------------------------------------------------------------------
// Values

// Whether integers of this type count as unsigned. Characters count as codes, so plain char does too.
bool isUnsignedInteger(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Char16:
        return true;
    default:
        return type.flags().testFlag(QMetaType::IsUnsignedEnumeration);
    }
}

// The integer an integer-like value holds (integers, characters, enumerations, flags), read by its
// size, so that no conversion of QVariant's is needed for enumerations and flags.
qint64 rawInteger(const QVariant &value)
{
    const QMetaType type = value.metaType();
    const void *data = value.constData();
    const bool isUnsigned = isUnsignedInteger(type);
    switch (type.sizeOf()) {
    case 1: {
        quint8 v;
        std::memcpy(&v, data, 1);
        return isUnsigned ? qint64(v) : qint64(qint8(v));
    }
    case 2: {
        quint16 v;
        std::memcpy(&v, data, 2);
        return isUnsigned ? qint64(v) : qint64(qint16(v));
    }
    case 4: {
        quint32 v;
        std::memcpy(&v, data, 4);
        return isUnsigned ? qint64(v) : qint64(qint32(v));
    }
    case 8: {
        qint64 v;
        std::memcpy(&v, data, 8);
        return v;
    }
    default:
        return value.toLongLong();
    }
}

// A value of an integer-like type holding number (cut to the type's size).
QVariant integerVariant(QMetaType type, qint64 number)
{
    QVariant value(type);
    void *data = value.data();
    switch (type.sizeOf()) {
    case 1: {
        const quint8 v = quint8(number);
        std::memcpy(data, &v, 1);
        break;
    }
    case 2: {
        const quint16 v = quint16(number);
        std::memcpy(data, &v, 2);
        break;
    }
    case 4: {
        const quint32 v = quint32(number);
        std::memcpy(data, &v, 4);
        break;
    }
    case 8:
        std::memcpy(data, &number, 8);
        break;
    default:
        return QVariant(number);
    }
    return value;
}

int typeId(const TPropInfo &info)
{
    return info.Property.metaType().id();
}

QVariant readValue(const QObject *object, const TPropInfo &info)
{
    if (isPseudoProperty(info.Property)) {
        auto *view = const_cast<QAbstractItemView *>(qobject_cast<const QAbstractItemView *>(object));
        if (auto *tree = qobject_cast<QTreeWidget *>(view))
            return QVariant::fromValue(TreeNodesOf(tree));
        return QVariant::fromValue(ListItemsOf(view));
    }
    return info.Property.read(object);
}

void writeValue(QObject *object, const TPropInfo &info, const QVariant &value)
{
    if (!info.Property.isWritable())
        throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(info.Name));
    if (!info.Property.write(object, value))
        throw EPropertyConvertError(QStringLiteral("Invalid value for property %1").arg(info.Name));
}

bool isOrdinalKind(TTypeKind kind)
{
    switch (kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
        return true;
    default:
        return false;
    }
}

qint64 ordinalOf(const TPropInfo &info, const QVariant &value)
{
    switch (typeId(info)) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QChar:
        return value.value<QChar>().unicode();
    case QMetaType::QColor:
        return QColorToColor(value.value<QColor>());
    case QMetaType::QCursor:
        return int(value.value<QCursor>().shape());
    default:
        return rawInteger(value);
    }
}

QVariant ordinalValue(const TPropInfo &info, qint64 number)
{
    switch (typeId(info)) {
    case QMetaType::Bool:
        return QVariant(number != 0);
    case QMetaType::QChar:
        return QVariant::fromValue(QChar(char16_t(number)));
    case QMetaType::QColor:
        return QVariant::fromValue(ColorToQColor(TColor(number)));
    case QMetaType::QCursor:
        return QVariant::fromValue(QCursor(Qt::CursorShape(number)));
    default:
        return integerVariant(info.Property.metaType(), number);
    }
}

bool isDateTimeType(int id)
{
    return id == QMetaType::QDate || id == QMetaType::QTime || id == QMetaType::QDateTime;
}

double floatOf(const TPropInfo &info, const QVariant &value)
{
    switch (typeId(info)) {
    case QMetaType::QDate:
        return DateTimeToFloat(QDateTime(value.toDate(), QTime(0, 0)));
    case QMetaType::QTime:
        return DateTimeToFloat(QDateTime(QDate(1899, 12, 30), value.toTime()));
    case QMetaType::QDateTime:
        return DateTimeToFloat(value.toDateTime());
    default:
        return value.toDouble();
    }
}

QVariant floatValue(const TPropInfo &info, double number)
{
    switch (typeId(info)) {
    case QMetaType::QDate:
        return FloatToDateTime(number).date();
    case QMetaType::QTime:
        return FloatToDateTime(number).time();
    case QMetaType::QDateTime:
        return FloatToDateTime(number);
    case QMetaType::Float:
        return QVariant(float(number));
    default:
        return QVariant(number);
    }
}

QString stringOf(const TPropInfo &info, const QVariant &value)
{
    if (typeId(info) == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

QVariant stringValue(const TPropInfo &info, const QString &text)
{
    if (typeId(info) == QMetaType::QByteArray)
        return QVariant(text.toUtf8());
    return QVariant(text);
}

bool isStringKind(TTypeKind kind)
{
    return kind == tkString || kind == tkLString || kind == tkWString;
}

QString enumKey(const TPropInfo &info, qint64 value)
{
    if (typeId(info) == QMetaType::Bool)
        return BoolToStr(value != 0);
    return GetEnumName(info.Enumerator, value);
}

bool isColor(const TPropInfo &info)
{
    return info.TypeName == QLatin1String("TColor");
}

// The value of key name, matched without regard to case (QMetaEnum::keyToValue matches with it).
bool findEnumKey(const QMetaEnum &enumerator, const QString &name, int &value)
{
    const QString key = name.trimmed();
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (QString::fromLatin1(enumerator.key(i)).compare(key, Qt::CaseInsensitive) == 0) {
            value = enumerator.value(i);
            return true;
        }
    }
    return false;
}

// The ordinal a text stands for in a property of an ordinal kind.
qint64 ordinalFromText(const TPropInfo &info, const QString &text)
{
    switch (info.Kind) {
    case tkInteger:
        if (isColor(info))
            return StringToColor(text);
        if (typeId(info) == QMetaType::Int)
            return StrToInt(text);
        return StrToInt64(text);
    case tkChar:
    case tkWChar:
        if (text.size() == 1)
            return text.at(0).unicode();
        return StrToInt(text);
    case tkEnumeration: {
        int value = -1;
        // Looked up here rather than through GetEnumValue, whose -1 for a missing key is also a value
        // an enumeration may have.
        const bool found = typeId(info) == QMetaType::Bool
            ? (value = GetEnumValue(QMetaType::fromType<bool>(), text)) >= 0
            : findEnumKey(info.Enumerator, text, value);
        if (!found)
            raiseInvalidElement(text);
        return value;
    }
    case tkSet:
        return StringToSet(info.Enumerator, text);
    case tkInt64:
        return StrToInt64(text);
    default:
        raiseInvalidType(info);
    }
}

// An empty text that is not null: a value text is never "no text".
QString nonNull(QString text)
{
    if (text.isNull())
        text = QString(QLatin1String(""));
    return text;
}

QString textOf(const TPropInfo &info, const QVariant &value)
{
    switch (info.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
        return QString::number(ordinalOf(info, value));
    case tkEnumeration:
        return enumKey(info, ordinalOf(info, value));
    case tkSet:
        return SetToString(info.Enumerator, ordinalOf(info, value), true);
    case tkFloat:
        return FloatToStr(floatOf(info, value));
    case tkString:
    case tkLString:
    case tkWString:
        return nonNull(stringOf(info, value));
    case tkVariant:
        return nonNull(VarToStr(value));
    case tkClass:
        if (info.Property.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
            const QObject *held = value.value<QObject *>();
            return nonNull(held ? held->objectName() : QString());
        }
        return QString();
    default:
        return QString();
    }
}

// ---------------------------------------------------------------------------------------------------
// Prototypes: default-constructed objects of classes that declare no defaults, read for their values.

using Factory = std::function<QObject *()>;

const QHash<const QMetaObject *, Factory> &widgetFactories()
{
    static const QHash<const QMetaObject *, Factory> factories = {
        { &QWidget::staticMetaObject, [] { return new QWidget; } },
        { &QPushButton::staticMetaObject, [] { return new QPushButton; } },
        { &QLineEdit::staticMetaObject, [] { return new QLineEdit; } },
        { &QCheckBox::staticMetaObject, [] { return new QCheckBox; } },
        { &QSpinBox::staticMetaObject, [] { return new QSpinBox; } },
        { &QLabel::staticMetaObject, [] { return new QLabel; } },
        { &QListWidget::staticMetaObject, [] { return new QListWidget; } },
        { &QComboBox::staticMetaObject, [] { return new QComboBox; } },
        { &QTextEdit::staticMetaObject, [] { return new QTextEdit; } },
        { &QPlainTextEdit::staticMetaObject, [] { return new QPlainTextEdit; } },
    };
    return factories;
}

struct Prototypes
{
    // A null entry records a class that cannot be made, so that it is not tried again.
    QHash<const QMetaObject *, QObject *> objects;
    bool cleanupRegistered = false;
};

Prototypes &prototypes()
{
    // Never destroyed: the post routine that frees the prototypes runs when the application object
    // goes, which may be after the static destructors (an application object that is itself static).
    static auto *store = new Prototypes;
    return *store;
}

void freePrototypes()
{
    const QHash<const QMetaObject *, QObject *> objects = std::exchange(prototypes().objects, {});
    for (QObject *object : objects)
        delete object;
}

QObject *makePrototype(const QMetaObject *metaObject)
{
    const bool isWidget = InheritsFrom(metaObject, &QWidget::staticMetaObject);
    if (isWidget && !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    QObject *object = nullptr;
    if (metaObject->constructorCount() > 0)
        object = metaObject->newInstance();
    if (!object) {
        const auto factory = widgetFactories().constFind(metaObject);
        if (factory != widgetFactories().constEnd())
            object = (*factory)();
    }
    // Our own classes declare their defaults, so one of them is never kept as a prototype; the one made
    // here still goes through its whole life cycle.
    if (auto *lifecycle = dynamic_cast<TLifecycle *>(object)) {
        const TScopeExit freeObject([object] { FreeObject(object); });
        object = nullptr;
        lifecycle->AfterConstruction();
    }
    return object;
}

// The prototype of metaObject, made on first request; null when the class cannot be made.
QObject *prototypeOf(const QMetaObject *metaObject)
{
    Prototypes &store = prototypes();
    const auto found = store.objects.constFind(metaObject);
    if (found != store.objects.constEnd())
        return *found;
    QObject *object = makePrototype(metaObject);
    store.objects.insert(metaObject, object);
    if (object && !store.cleanupRegistered) {
        store.cleanupRegistered = true;
        qAddPostRoutine(freePrototypes);
    }
    return object;
}

// The nearest class along the chain that can be made and still has property index.
QObject *prototypeFor(const QMetaObject *metaObject, int index)
{
    if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread())
        return nullptr;
    for (const QMetaObject *m = metaObject; m && index < m->propertyCount(); m = m->superClass())
        if (QObject *object = prototypeOf(m))
            return object;
    return nullptr;
}

} // namespace

bool IsPrototype(const QObject *object)
{
    // A prototype is of exactly the class it is kept for.
    return object && prototypes().objects.value(object->metaObject()) == object;
}

// -------------------------------------------------------------------------------------------------------
// Kinds and property lists

QString TypeKindName(TTypeKind kind)
{
    return QString::fromLatin1(QMetaEnum::fromType<TTypeKind>().valueToKey(int(kind)));
}

void RegisterMethodType(QMetaType type)
{
    MethodTypes &types = methodTypes();
    QMutexLocker locker(&types.lock);
    if (!types.ids.contains(type.id()))
        types.ids.append(type.id());
}

bool IsMethodType(QMetaType type)
{
    MethodTypes &types = methodTypes();
    QMutexLocker locker(&types.lock);
    return types.ids.contains(type.id());
}

TPropList GetPropList(const QMetaObject *metaObject, TTypeKinds kinds, bool sorted)
{
    TPropList list;
    if (!metaObject)
        return list;
    // A property declared again further down is listed once, at the first position, as the most
    // derived class declares it.
    QSet<QByteArray> seen;
    for (int i = 0; i < metaObject->propertyCount(); ++i) {
        const QByteArray name = metaObject->property(i).name();
        if (seen.contains(name))
            continue;
        seen.insert(name);
        const int effective = metaObject->indexOfProperty(name.constData());
        const QMetaProperty property = metaObject->property(effective >= 0 ? effective : i);
        if (!isPublished(metaObject, property))
            continue;
        TPropInfo info = makeInfo(metaObject, property);
        if (kinds.testFlag(info.Kind))
            list.append(std::move(info));
    }
    if (const QMetaProperty items = pseudoItemsProperty(metaObject);
        items.isValid() && !seen.contains("Items")) {
        TPropInfo info = makeInfo(metaObject, items);
        if (kinds.testFlag(info.Kind))
            list.append(std::move(info));
    }
    if (sorted)
        std::stable_sort(list.begin(), list.end(), [](const TPropInfo &a, const TPropInfo &b) {
            return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
        });
    return list;
}

TPropList GetPropList(const QObject *object, TTypeKinds kinds, bool sorted)
{
    TPropList list = GetPropList(object ? object->metaObject() : nullptr, kinds, sorted);
    // A name is what makes a component: our persistent sub-objects (fonts, collections and their items)
    // have none to show.
    if (object && !IsComponent(object))
        list.removeIf([](const TPropInfo &info) { return info.Name == QLatin1String("objectName"); });
    return list;
}

TPropInfo GetPropInfo(const QMetaObject *metaObject, const QString &Name)
{
    if (!metaObject || Name.isEmpty())
        return {};
    int index = metaObject->indexOfProperty(Name.toLatin1().constData());
    if (index >= 0 && isFormOnly(metaObject, metaObject->property(index)))
        index = -1; // a form-only twin's name finds the published property it stands for
    if (index < 0) {
        // Most derived first, as indexOfProperty finds them.
        for (int i = metaObject->propertyCount() - 1; i >= 0 && index < 0; --i)
            if (QString::fromLatin1(metaObject->property(i).name()).compare(Name, Qt::CaseInsensitive) == 0
                && !isFormOnly(metaObject, metaObject->property(i)))
                index = i;
    }
    if (index < 0) {
        const QMetaProperty items = pseudoItemsProperty(metaObject);
        if (items.isValid() && Name.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0)
            return makeInfo(metaObject, items);
        return {};
    }
    const QMetaProperty property = metaObject->property(index);
    if (!isPublished(metaObject, property))
        return {};
    return makeInfo(metaObject, property);
}

TPropInfo GetPropInfo(const QObject *object, const QString &Name)
{
    return GetPropInfo(object ? object->metaObject() : nullptr, Name);
}

bool IsPublishedProp(const QMetaObject *metaObject, const QString &Name)
{
    return GetPropInfo(metaObject, Name).IsValid();
}

bool IsPublishedProp(const QObject *object, const QString &Name)
{
    return GetPropInfo(object, Name).IsValid();
}

TTypeKind PropType(const QMetaObject *metaObject, const QString &Name)
{
    return requireInfo(metaObject, Name).Kind;
}

TTypeKind PropType(const QObject *object, const QString &Name)
{
    return requireInfo(object, Name).Kind;
}

QString PropTypeName(const QMetaObject *metaObject, const QString &Name)
{
    return requireInfo(metaObject, Name).TypeName;
}

QString PropTypeName(const QObject *object, const QString &Name)
{
    return requireInfo(object, Name).TypeName;
}

// -------------------------------------------------------------------------------------------------------
// Typed access

qint64 GetOrdProp(const QObject *object, const QString &Name)
{
    return GetOrdProp(object, requireInfo(object, Name));
}

qint64 GetOrdProp(const QObject *object, const TPropInfo &info)
{
    if (!isOrdinalKind(info.Kind))
        raiseInvalidType(info);
    return ordinalOf(info, readValue(object, info));
}

void SetOrdProp(QObject *object, const QString &Name, qint64 Value)
{
    const TPropInfo info = requireInfo(object, Name);
    if (!isOrdinalKind(info.Kind))
        raiseInvalidType(info);
    writeValue(object, info, ordinalValue(info, Value));
}

QString GetEnumProp(const QObject *object, const QString &Name)
{
    return GetEnumProp(object, requireInfo(object, Name));
}

QString GetEnumProp(const QObject *object, const TPropInfo &info)
{
    if (info.Kind != tkEnumeration)
        raiseInvalidType(info);
    return enumKey(info, ordinalOf(info, readValue(object, info)));
}

double GetFloatProp(const QObject *object, const QString &Name)
{
    return GetFloatProp(object, requireInfo(object, Name));
}

double GetFloatProp(const QObject *object, const TPropInfo &info)
{
    if (info.Kind != tkFloat)
        raiseInvalidType(info);
    return floatOf(info, readValue(object, info));
}

void SetFloatProp(QObject *object, const QString &Name, double Value)
{
    const TPropInfo info = requireInfo(object, Name);
    if (info.Kind != tkFloat)
        raiseInvalidType(info);
    writeValue(object, info, floatValue(info, Value));
}

QString GetStrProp(const QObject *object, const QString &Name)
{
    return GetStrProp(object, requireInfo(object, Name));
}

QString GetStrProp(const QObject *object, const TPropInfo &info)
{
    if (!isStringKind(info.Kind))
        raiseInvalidType(info);
    return stringOf(info, readValue(object, info));
}

void SetStrProp(QObject *object, const QString &Name, const QString &Value)
{
    const TPropInfo info = requireInfo(object, Name);
    if (!isStringKind(info.Kind))
        raiseInvalidType(info);
    writeValue(object, info, stringValue(info, Value));
}

QString GetWideStrProp(const QObject *object, const QString &Name)
{
    return GetStrProp(object, Name);
}

qint64 GetInt64Prop(const QObject *object, const QString &Name)
{
    return GetInt64Prop(object, requireInfo(object, Name));
}

qint64 GetInt64Prop(const QObject *object, const TPropInfo &info)
{
    if (!isOrdinalKind(info.Kind))
        raiseInvalidType(info);
    return ordinalOf(info, readValue(object, info));
}

void SetInt64Prop(QObject *object, const QString &Name, qint64 Value)
{
    SetOrdProp(object, Name, Value);
}

QVariant GetVariantProp(const QObject *object, const QString &Name)
{
    return GetVariantProp(object, requireInfo(object, Name));
}

QVariant GetVariantProp(const QObject *object, const TPropInfo &info)
{
    return readValue(object, info);
}

void SetVariantProp(QObject *object, const QString &Name, const QVariant &Value)
{
    const TPropInfo info = requireInfo(object, Name);
    writeValue(object, info, Value);
}

QObject *GetObjectProp(const QObject *object, const QString &Name)
{
    return GetObjectProp(object, requireInfo(object, Name));
}

QObject *GetObjectProp(const QObject *object, const TPropInfo &info)
{
    if (info.Kind != tkClass)
        raiseInvalidType(info);
    if (!info.Property.metaType().flags().testFlag(QMetaType::PointerToQObject))
        return ValueAdapter(const_cast<QObject *>(object), info.Property);
    return readValue(object, info).value<QObject *>();
}

void SetObjectProp(QObject *object, const QString &Name, QObject *Value)
{
    const TPropInfo info = requireInfo(object, Name);
    const QMetaType type = info.Property.metaType();
    if (info.Kind != tkClass || !type.flags().testFlag(QMetaType::PointerToQObject))
        raiseInvalidType(info);
    void *pointer = nullptr;
    if (Value) {
        // qt_metacast gives the pointer as the property's class sees it.
        pointer = Value->qt_metacast(type.metaObject()->className());
        if (!pointer)
            throw EPropertyConvertError(QStringLiteral("Invalid property value: a %1 is not a %2")
                                            .arg(ClassNameOf(Value), info.TypeName));
    }
    writeValue(object, info, QVariant(type, &pointer));
}

const QMetaObject *GetObjectPropClass(const QObject *object, const QString &Name)
{
    return GetObjectPropClass(requireInfo(object, Name));
}

const QMetaObject *GetObjectPropClass(const TPropInfo &info)
{
    const QMetaType type = info.Property.metaType();
    if (info.Kind != tkClass || !type.flags().testFlag(QMetaType::PointerToQObject))
        return nullptr;
    return type.metaObject();
}

QVariant GetMethodProp(const QObject *object, const QString &Name)
{
    const TPropInfo info = requireInfo(object, Name);
    if (info.Kind != tkMethod)
        raiseInvalidType(info);
    return readValue(object, info);
}

void SetMethodProp(QObject *object, const QString &Name, const QVariant &Value)
{
    const TPropInfo info = requireInfo(object, Name);
    if (info.Kind != tkMethod)
        raiseInvalidType(info);
    writeValue(object, info, Value);
}

QString GetSetProp(const QObject *object, const QString &Name, bool Brackets)
{
    return GetSetProp(object, requireInfo(object, Name), Brackets);
}

QString GetSetProp(const QObject *object, const TPropInfo &info, bool Brackets)
{
    if (info.Kind != tkSet)
        raiseInvalidType(info);
    return SetToString(info.Enumerator, ordinalOf(info, readValue(object, info)), Brackets);
}

void SetSetProp(QObject *object, const QString &Name, const QString &Value)
{
    const TPropInfo info = requireInfo(object, Name);
    if (info.Kind != tkSet)
        raiseInvalidType(info);
    writeValue(object, info, ordinalValue(info, StringToSet(info.Enumerator, Value)));
}

// -------------------------------------------------------------------------------------------------------
// Enumerations and sets

QString GetEnumName(const QMetaEnum &enumerator, qint64 Value)
{
    if (enumerator.isValid() && Value >= INT_MIN && Value <= INT_MAX)
        if (const char *key = enumerator.valueToKey(int(Value)))
            return QString::fromLatin1(key);
    return QString::number(Value);
}

QString GetEnumName(QMetaType type, qint64 Value)
{
    if (type.id() == QMetaType::Bool)
        return BoolToStr(Value != 0);
    return GetEnumName(EnumeratorOf(type), Value);
}

int GetEnumValue(const QMetaEnum &enumerator, const QString &Name)
{
    int value = -1;
    return findEnumKey(enumerator, Name, value) ? value : -1;
}

int GetEnumValue(QMetaType type, const QString &Name)
{
    if (type.id() == QMetaType::Bool) {
        const QString name = Name.trimmed();
        if (name.compare(BoolToStr(false), Qt::CaseInsensitive) == 0)
            return 0;
        if (name.compare(BoolToStr(true), Qt::CaseInsensitive) == 0)
            return 1;
        return -1;
    }
    return GetEnumValue(EnumeratorOf(type), Name);
}

QMetaEnum EnumeratorOf(QMetaType type)
{
    const QMetaObject *scope = type.metaObject();
    if (!scope)
        return {};
    // A flags type is named after its Q_FLAG ("QFlags<X::E>" registers as the flags name), an
    // enumeration after its enum; match either name of each enumerator.
    QByteArray name = type.name();
    if (name.startsWith("QFlags<") && name.endsWith('>'))
        name = name.mid(7, name.size() - 8);
    const qsizetype cut = name.lastIndexOf("::");
    if (cut >= 0)
        name = name.mid(cut + 2);
    for (int i = 0; i < scope->enumeratorCount(); ++i) {
        const QMetaEnum enumerator = scope->enumerator(i);
        if (name == enumerator.name() || name == enumerator.enumName())
            return enumerator;
    }
    return {};
}

QStringList GetSetMembers(const QMetaEnum &enumerator)
{
    QStringList members;
    for (int bit = 0; bit < 32; ++bit) {
        const int mask = int(quint32(1) << bit);
        for (int i = 0; i < enumerator.keyCount(); ++i) {
            if (enumerator.value(i) == mask) {
                while (members.size() < bit)
                    members.append(QString());
                members.append(QString::fromLatin1(enumerator.key(i)));
                break;
            }
        }
    }
    return members;
}

QString SetToString(const QMetaEnum &enumerator, qint64 Value, bool Brackets)
{
    const QStringList members = GetSetMembers(enumerator);
    QStringList names;
    for (int bit = 0; bit < members.size(); ++bit)
        if (!members.at(bit).isEmpty() && (quint64(Value) & (quint64(1) << bit)))
            names.append(members.at(bit));
    const QString text = names.join(QLatin1Char(','));
    return Brackets ? QLatin1Char('[') + text + QLatin1Char(']') : text;
}

qint64 StringToSet(const QMetaEnum &enumerator, const QString &Value)
{
    QString text = Value.trimmed();
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        text = text.mid(1, text.size() - 2);
    const QStringList members = GetSetMembers(enumerator);
    qint64 result = 0;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        qsizetype bit = -1;
        for (qsizetype k = 0; k < members.size() && bit < 0; ++k)
            if (!members.at(k).isEmpty() && members.at(k).compare(name, Qt::CaseInsensitive) == 0)
                bit = k;
        if (bit < 0)
            raiseInvalidElement(name);
        result |= qint64(quint32(1) << bit);
    }
    return result;
}

// -------------------------------------------------------------------------------------------------------
// Untyped access

QVariant GetPropValue(const QObject *object, const QString &Name, bool PreferStrings)
{
    return GetPropValue(object, requireInfo(object, Name), PreferStrings);
}

QVariant GetPropValue(const QObject *object, const TPropInfo &info, bool PreferStrings)
{
    QVariant value = readValue(object, info);
    switch (info.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar: {
        const qint64 ordinal = ordinalOf(info, value);
        if (ordinal >= INT_MIN && ordinal <= INT_MAX)
            return QVariant(int(ordinal));
        return QVariant(ordinal);
    }
    case tkEnumeration:
        if (PreferStrings)
            return enumKey(info, ordinalOf(info, value));
        if (typeId(info) == QMetaType::Bool)
            return QVariant(value.toBool());
        return QVariant(int(ordinalOf(info, value)));
    case tkSet:
        if (PreferStrings)
            return SetToString(info.Enumerator, ordinalOf(info, value), false);
        return QVariant(int(ordinalOf(info, value)));
    case tkFloat:
        return QVariant(floatOf(info, value));
    case tkString:
    case tkLString:
    case tkWString:
        return stringOf(info, value);
    case tkInt64:
        return QVariant(qint64(ordinalOf(info, value)));
    case tkClass:
        if (info.Property.metaType().flags().testFlag(QMetaType::PointerToQObject))
            return QVariant::fromValue(value.value<QObject *>());
        return value;
    case tkUnknown:
        raiseInvalidType(info);
    default:
        return value;
    }
}

void SetPropValue(QObject *object, const QString &Name, const QVariant &Value)
{
    const TPropInfo info = requireInfo(object, Name);
    // A value of the property's own type needs no conversion.
    if (Value.metaType() == info.Property.metaType() && info.Kind != tkUnknown) {
        writeValue(object, info, Value);
        return;
    }
    const bool isText
        = Value.metaType().id() == QMetaType::QString || Value.metaType().id() == QMetaType::QByteArray;
    if (isOrdinalKind(info.Kind)) {
        const qint64 ordinal = isText || !Value.isValid() ? ordinalFromText(info, Value.toString())
            : Value.metaType().id() == QMetaType::Bool    ? qint64(Value.toBool())
                                                          : Value.toLongLong();
        writeValue(object, info, ordinalValue(info, ordinal));
        return;
    }
    switch (info.Kind) {
    case tkFloat:
        if (isText || !Value.isValid())
            writeValue(object, info, floatValue(info, StrToFloat(Value.toString())));
        else if (isDateTimeType(Value.metaType().id()))
            writeValue(object, info, Value);
        else
            writeValue(object, info, floatValue(info, Value.toDouble()));
        return;
    case tkString:
    case tkLString:
    case tkWString:
        writeValue(object, info, stringValue(info, Value.toString()));
        return;
    case tkVariant:
        writeValue(object, info, Value);
        return;
    case tkClass:
        if (info.Property.metaType().flags().testFlag(QMetaType::PointerToQObject)
            && Value.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
            SetObjectProp(object, Name, Value.value<QObject *>());
            return;
        }
        break;
    default:
        break;
    }
    // Kinds without a text form take only a value of their own type.
    if (Value.metaType() != info.Property.metaType())
        raiseInvalidType(info);
    writeValue(object, info, Value);
}

QString GetPropText(const QObject *object, const QString &Name)
{
    const TPropInfo info = requireInfo(object, Name);
    return textOf(info, readValue(object, info));
}

// -------------------------------------------------------------------------------------------------------
// Storage and defaults

bool IsStoredProp(const QObject *object, const QString &Name)
{
    return IsStoredProp(object, requireInfo(object, Name));
}

bool IsStoredProp(const QObject *object, const TPropInfo &info)
{
    if (!info.Property.isStored())
        return false;
    if (const TPersistent *persistent = AsPersistent(object))
        return persistent->IsStoredProperty(info.Property.name());
    return true;
}

QString GetDefaultText(const QMetaObject *metaObject, const QString &Name)
{
    const TPropInfo info = GetPropInfo(metaObject, Name);
    if (!info)
        raiseMissing(Name);
    return GetDefaultText(info);
}

QString GetDefaultText(const TPropInfo &info)
{
    if (!info.DefaultText.isNull())
        return info.DefaultText;
    const QObject *prototype = prototypeFor(info.MetaObject, info.Property.propertyIndex());
    if (!prototype)
        return QString();
    // The prototype is mostly of the class itself, whose information is at hand.
    const TPropInfo prototypeInfo
        = prototype->metaObject() == info.MetaObject ? info : GetPropInfo(prototype, info.Name);
    return prototypeInfo ? textOf(prototypeInfo, readValue(prototype, prototypeInfo)) : QString();
}

QString GetDefaultText(const QObject *object, const QString &Name)
{
    if (!object)
        raiseMissing(Name);
    return GetDefaultText(object->metaObject(), Name);
}

bool IsDefaultValue(const QObject *object, const QString &Name)
{
    return IsDefaultValue(object, requireInfo(object, Name));
}

bool IsDefaultValue(const QObject *object, const TPropInfo &info)
{
    const QString defaultText = GetDefaultText(info);
    if (defaultText.isNull())
        return false;
    const QVariant current = readValue(object, info);
    try {
        if (isOrdinalKind(info.Kind))
            return ordinalOf(info, current) == ordinalFromText(info, defaultText);
        if (info.Kind == tkFloat)
            return floatOf(info, current) == StrToFloat(defaultText);
    } catch (const Exception &) {
        // A default that does not read as a value of the property's kind is compared as text.
    }
    return textOf(info, current)
               .compare(defaultText, isStringKind(info.Kind) ? Qt::CaseSensitive : Qt::CaseInsensitive)
        == 0;
}

} // namespace QXPlatform
