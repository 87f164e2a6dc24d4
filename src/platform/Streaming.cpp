#include "Streaming.h"

#include "ClassRegistry.h"
#include "Collection.h"
#include "Component.h"
#include "Persistent.h"
#include "TypeInfo.h"

#include <QCborValue>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QJsonDocument>
#include <QSaveFile>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>

#include <cmath>
#include <limits>

namespace QXPlatform {

namespace {

const QString FormatKey = QStringLiteral("@format");
const QString FormatName = QStringLiteral("QXInspector");
const QString VersionKey = QStringLiteral("@version");
const QString ClassKey = QStringLiteral("@class");
const QString DefinedKey = QStringLiteral("@defined");

// Integers whose every value a JSON number (a double) holds exactly; larger ones are written as text.
constexpr qint64 MaxExactInteger = qint64(1) << 53;

QJsonValue integerValue(qint64 value)
{
    if (value >= -MaxExactInteger && value <= MaxExactInteger)
        return double(value);
    return QString::number(value);
}

/// A JSON number holds every finite double exactly (written in its shortest round-trip form); the
/// others are written as text.
QJsonValue floatValue(double value)
{
    if (std::isfinite(value))
        return value;
    if (std::isnan(value))
        return QStringLiteral("nan");
    return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
}

bool toInteger(const QJsonValue &value, qint64 &result)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number != std::trunc(number) || number < -double(MaxExactInteger)
            || number > double(MaxExactInteger))
            return false;
        result = qint64(number);
        return true;
    }
    if (value.isString()) {
        bool ok = false;
        result = value.toString().toLongLong(&ok);
        return ok;
    }
    return false;
}

bool toFloat(const QJsonValue &value, double &result)
{
    if (value.isDouble()) {
        result = value.toDouble();
        return true;
    }
    const QString text = value.toString();
    if (text == QLatin1String("nan"))
        result = std::numeric_limits<double>::quiet_NaN();
    else if (text == QLatin1String("inf"))
        result = std::numeric_limits<double>::infinity();
    else if (text == QLatin1String("-inf"))
        result = -std::numeric_limits<double>::infinity();
    else
        return false;
    return true;
}

QJsonObject tagged(const char *tag, const QJsonValue &value)
{
    return QJsonObject { { QLatin1String(tag), value } };
}

/// The tag of a one-key object ("float", "int64", ...), or empty for anything else.
QString tagOf(const QJsonValue &value)
{
    if (!value.isObject())
        return {};
    const QJsonObject object = value.toObject();
    return object.size() == 1 ? object.begin().key() : QString();
}

/// The value of a one-key object.
QJsonValue payload(const QJsonValue &value)
{
    return value.toObject().begin().value();
}

bool isBoolean(const TPropInfo &info)
{
    return info.Property.metaType().id() == QMetaType::Bool;
}

int depthOf(const QJsonValue &value, int depth)
{
    if (depth > MaxStreamDepth)
        return depth;
    int deepest = depth;
    if (value.isArray()) {
        for (const QJsonValue element : value.toArray())
            deepest = std::max(deepest, depthOf(element, depth + 1));
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            deepest = std::max(deepest, depthOf(it.value(), depth + 1));
    }
    return deepest;
}

QString nameForPath(const QObject *object)
{
    return object->objectName().isEmpty() ? ClassNameOf(object) : object->objectName();
}

} // namespace

// ---------------------------------------------------------------------------------------------------------
// TFiler

TFiler::TFiler(QObject *Root)
    : m_root(Root)
{ }

TFiler::~TFiler() = default;

// ---------------------------------------------------------------------------------------------------------
// TWriter

struct TWriter::Private
{
    // The values of the defined property being written; lists nest.
    QList<QJsonArray> sequences;
    // The defined properties of the object being written.
    QJsonObject *defined = nullptr;
    int depth = 0;
};

TWriter::TWriter(QObject *Root)
    : TFiler(Root)
    , d(std::make_unique<Private>())
{ }

TWriter::~TWriter() = default;

void TWriter::DefineProperty(const QString &Name, const TReaderProc &, const TWriterProc &WriteData,
                             bool HasData)
{
    if (!HasData || !WriteData || !d->defined)
        return;
    const qsizetype level = d->sequences.size();
    d->sequences.append(QJsonArray());
    WriteData(this);
    if (d->sequences.size() != level + 1)
        throw EWriteError(QStringLiteral("Defined property %1 left a list open").arg(Name));
    d->defined->insert(Name, d->sequences.takeLast());
}

namespace {
void append(QList<QJsonArray> &sequences, const QJsonValue &value)
{
    if (sequences.isEmpty())
        throw EWriteError(QStringLiteral("A value can only be written by a defined property's writer"));
    sequences.last().append(value);
}
} // namespace

void TWriter::WriteListBegin()
{
    if (d->sequences.isEmpty())
        throw EWriteError(QStringLiteral("A value can only be written by a defined property's writer"));
    d->sequences.append(QJsonArray());
}

void TWriter::WriteListEnd()
{
    if (d->sequences.size() < 2)
        throw EWriteError(QStringLiteral("List end without a list"));
    const QJsonArray list = d->sequences.takeLast();
    append(d->sequences, list);
}

void TWriter::WriteInteger(qint64 Value)
{
    append(d->sequences,
           Value >= -MaxExactInteger && Value <= MaxExactInteger
               ? QJsonValue(double(Value))
               : QJsonValue(tagged("int64", QString::number(Value))));
}

void TWriter::WriteFloat(double Value)
{
    append(d->sequences, tagged("float", floatValue(Value)));
}

void TWriter::WriteString(const QString &Value)
{
    append(d->sequences, Value);
}

void TWriter::WriteBoolean(bool Value)
{
    append(d->sequences, Value);
}

void TWriter::WriteIdent(const QString &Value)
{
    append(d->sequences, tagged("ident", Value));
}

void TWriter::WriteSet(const QStringList &Members)
{
    append(d->sequences, tagged("set", QJsonArray::fromStringList(Members)));
}

void TWriter::WriteBinary(const QByteArray &Value)
{
    append(d->sequences, tagged("binary", QString::fromLatin1(Value.toBase64())));
}

void TWriter::WriteVariant(const QVariant &Value)
{
    switch (Value.metaType().id()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        append(d->sequences, QJsonValue::Null);
        break;
    case QMetaType::Bool:
        WriteBoolean(Value.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        WriteInteger(Value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        WriteFloat(Value.toDouble());
        break;
    case QMetaType::QByteArray:
        WriteBinary(Value.toByteArray());
        break;
    default:
        WriteString(Value.toString());
        break;
    }
}

void TWriter::WriteCollection(const TCollection *Collection, bool ItemClasses)
{
    QJsonArray items;
    for (const TCollectionItem *item : Collection->ItemList()) {
        QJsonObject node = WriteObject(item);
        if (ItemClasses)
            node.insert(ClassKey, ClassNameOf(item));
        items.append(node);
    }
    append(d->sequences, tagged("collection", items));
}

QJsonObject TWriter::WriteObject(const QObject *Instance)
{
    if (++d->depth > MaxStreamDepth)
        throw EWriteError(
            QStringLiteral("%1 nests deeper than %2 levels").arg(nameForPath(Instance)).arg(MaxStreamDepth));
    auto leave = qScopeGuard([this] { --d->depth; });

    QJsonObject node;
    for (const TPropInfo &info : GetPropList(Instance, tkProperties)) {
        if (!IsWrittenProperty(Instance, info))
            continue;
        const QJsonValue value = WriteProperty(Instance, info);
        if (!value.isUndefined())
            node.insert(info.Name, value);
    }
    WriteDefinedProperties(Instance, node);
    return node;
}

bool TWriter::IsWrittenProperty(const QObject *Instance, const TPropInfo &Info) const
{
    if (!IsStoredProp(Instance, Info))
        return false;
    if (Info.Kind != tkClass)
        return Info.Property.isWritable() && !IsDefaultValue(Instance, Info);
    // A read-only value opened through an adapter (a widget's sizeHint, rect) cannot be read back;
    // a read-only property holding a sub-object (a font the object owns) can.
    return Info.Property.isWritable()
        || Info.Property.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

QJsonValue TWriter::WriteProperty(const QObject *Instance, const TPropInfo &Info)
{
    switch (Info.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
        return integerValue(GetOrdProp(Instance, Info));
    case tkInt64:
        return integerValue(GetInt64Prop(Instance, Info));
    case tkEnumeration:
        return isBoolean(Info) ? QJsonValue(GetOrdProp(Instance, Info) != 0)
                               : QJsonValue(GetEnumProp(Instance, Info));
    case tkSet:
        return QJsonArray::fromStringList(
            GetSetProp(Instance, Info, false).split(QLatin1Char(','), Qt::SkipEmptyParts));
    case tkFloat:
        return floatValue(GetFloatProp(Instance, Info));
    case tkString:
    case tkLString:
    case tkWString:
        return GetStrProp(Instance, Info);
    case tkVariant: {
        // One tagged value, as a defined property would hold it.
        QScopedValueRollback<QList<QJsonArray>> sequences(d->sequences, { QJsonArray() });
        WriteVariant(GetVariantProp(Instance, Info));
        return d->sequences.first().first();
    }
    case tkClass:
        return WriteObjectProperty(Instance, Info);
    default:
        // Events hold callables with no name to write; records and the rest have no settings form.
        return QJsonValue(QJsonValue::Undefined);
    }
}

QJsonValue TWriter::WriteObjectProperty(const QObject *Instance, const TPropInfo &Info)
{
    QObject *object = GetObjectProp(Instance, Info);
    if (!object)
        return QJsonValue(QJsonValue::Undefined);
    if (IsComponent(object)) {
        // A reference: written by name, found again by name when read.
        if (Info.Property.isWritable() && !object->objectName().isEmpty())
            return object->objectName();
        return QJsonValue(QJsonValue::Undefined);
    }
    if (const auto *collection = qobject_cast<const TCollection *>(object)) {
        QJsonArray items;
        for (const TCollectionItem *item : collection->ItemList())
            items.append(WriteObject(item));
        return items;
    }
    const QJsonObject child = WriteObject(object);
    return child.isEmpty() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(child);
}

void TWriter::WriteDefinedProperties(const QObject *Instance, QJsonObject &Node)
{
    TPersistent *persistent = AsPersistent(Instance);
    if (!persistent)
        return;
    QJsonObject defined;
    QScopedValueRollback<QJsonObject *> target(d->defined, &defined);
    QScopedValueRollback<QList<QJsonArray>> sequences(d->sequences, {});
    persistent->DefineProperties(this);
    if (!defined.isEmpty())
        Node.insert(DefinedKey, defined);
}

// ---------------------------------------------------------------------------------------------------------
// Reading: TStreamLoader walks the document twice. The check pass reads nothing into the objects it is
// given (new collection items are built apart and read for real, then freed; the readers of defined
// properties run with TReader::Checking() set and change nothing); only when it has found nothing wrong
// does the second pass read the document into the objects, then resolve the references. What the second
// pass changes in the objects it was given is journaled, so a setter that still refuses a value puts back
// every property, collection and reference the pass had changed before it.

class TStreamLoader
{
public:
    TStreamLoader(QObject *root, QObject *lookupRoot)
        : m_root(root)
        , m_lookupRoot(lookupRoot)
    { }

    void load(const QJsonObject &document);
    [[noreturn]] void fail(const QString &message) const;
    QString path() const { return m_path.join(QString()); }

    void readObject(QObject *instance, const QJsonObject &node, bool write);
    void readCollection(TCollection *collection, const QJsonArray &items, bool itemClasses, bool write);

private:
    /// Whether a write changes an object the caller gave (not one built apart, which is freed anyway).
    bool journaling() const { return m_applying && m_apartDepth == 0; }
    /// Remembers the value a property of a given object holds, to put it back if the reading fails.
    void remember(QObject *instance, const QMetaProperty &property);
    void rollBack();

    friend class TReader;
    struct Fixup
    {
        QPointer<QObject> instance;
        QString property;
        QString name;
        QString path;
    };

    void readProperty(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    // The kinds readProperty reads: each checks the value against the property's type and, with write,
    // sets it.
    void readInteger(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readInt64(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readEnumeration(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readSet(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readFloat(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readString(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readVariant(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    [[noreturn]] void invalidValue(const TPropInfo &info, const QJsonValue &value) const;
    void readReference(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write);
    void readDefined(QObject *instance, const QJsonObject &defined, bool write);
    QObject *findComponent(const QString &name) const;

    QObject *m_root;
    QObject *m_lookupRoot;
    bool m_applying = false;
    int m_apartDepth = 0;
    QStringList m_path;
    QList<Fixup> m_fixups;
    // Undo steps of the second pass, in the order they were taken.
    QList<std::function<void()>> m_journal;
    // Items taken out of the collections the second pass replaced: freed on success, put back on failure.
    QList<TCollectionItem *> m_replaced;
};

struct TReader::Private
{
    struct Frame
    {
        QJsonArray values;
        qsizetype next = 0;
    };
    TStreamLoader *loader = nullptr;
    QList<Frame> frames;
    // A list or collection that ReadValue has already entered.
    bool enteredList = false;
    QJsonArray enteredCollection;
    bool hasEnteredCollection = false;
    // Defined properties of the object whose DefineProperties is running.
    QJsonObject defined;
    QSet<QString> claimed;
    bool write = false;
};

namespace {
/// Adds a step to the loader's path for the length of a scope.
class PathStep
{
public:
    PathStep(QStringList &path, const QString &step)
        : m_path(path)
    {
        m_path.append(step);
    }
    ~PathStep() { m_path.removeLast(); }
    Q_DISABLE_COPY_MOVE(PathStep)

private:
    QStringList &m_path;
};
} // namespace

void TStreamLoader::fail(const QString &message) const
{
    throw EReadError(QStringLiteral("Error reading %1: %2").arg(path(), message));
}

QObject *TStreamLoader::findComponent(const QString &name) const
{
    // The component being read and what it holds come first, so a document that names its own
    // component or one of its children finds them, whatever else the form holds under that name.
    for (QObject *scope : { m_root, m_lookupRoot }) {
        if (scope->objectName() == name)
            return scope;
        if (QObject *found = scope->findChild<QObject *>(name))
            return found;
    }
    return nullptr;
}

void TStreamLoader::load(const QJsonObject &document)
{
    PathStep step(m_path, nameForPath(m_root));
    if (document.value(FormatKey).toString() != FormatName)
        fail(QStringLiteral("not a settings document (no \"%1\": \"%2\")").arg(FormatKey, FormatName));
    const QJsonValue version = document.value(VersionKey);
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() > StreamFormatVersion)
        fail(QStringLiteral("unsupported format version %1").arg(version.toVariant().toString()));
    const QString className = document.value(ClassKey).toString();
    bool classFits = false;
    for (const QMetaObject *meta = m_root->metaObject(); meta && !classFits; meta = meta->superClass())
        classFits = QString::compare(ClassNameView(meta), className, Qt::CaseInsensitive) == 0;
    if (!classFits)
        fail(QStringLiteral("the document holds a %1, not a %2").arg(className, ClassNameOf(m_root)));
    if (depthOf(document, 0) > MaxStreamDepth)
        fail(QStringLiteral("the document nests deeper than %1 levels").arg(MaxStreamDepth));

    QJsonObject node = document;
    node.remove(FormatKey);
    node.remove(VersionKey);
    node.remove(ClassKey);

    readObject(m_root, node, false);

    m_applying = true;
    TComponent *component = AsComponent(m_root);
    if (component)
        component->Loading();
    // Loaded ends the loading state also when reading fails half way (which the check pass makes rare:
    // only a defined property's reader or a setter can still refuse); its own failure is not reported
    // over the one that stopped the reading, and reaches the caller when the reading went well.
    const TScopeExit loaded([component] {
        if (component && (component->ComponentState() & csLoading))
            component->Loaded();
    });
    auto undo = qScopeGuard([this] { rollBack(); });
    readObject(m_root, node, true);
    for (const Fixup &fixup : std::as_const(m_fixups)) {
        if (!fixup.instance)
            continue;
        const int index
            = fixup.instance->metaObject()->indexOfProperty(fixup.property.toLatin1().constData());
        if (index >= 0)
            remember(fixup.instance, fixup.instance->metaObject()->property(index));
        SetObjectProp(fixup.instance, fixup.property,
                      fixup.name.isEmpty() ? nullptr : findComponent(fixup.name));
    }
    undo.dismiss();
    // The items that collections held before are freed only once the whole document has been taken.
    m_journal.clear();
    for (TCollectionItem *item : std::exchange(m_replaced, {}))
        Free(item);
}

void TStreamLoader::remember(QObject *instance, const QMetaProperty &property)
{
    if (!journaling())
        return;
    m_journal.append([object = QPointer<QObject>(instance), property, value = property.read(instance)] {
        if (object)
            property.write(object, value);
    });
}

void TStreamLoader::rollBack()
{
    // Newest first, so each step finds the state it was taken in. A step that fails cannot stop the
    // others: the failure that started the roll-back is the one reported.
    while (!m_journal.isEmpty()) {
        const std::function<void()> step = m_journal.takeLast();
        try {
            step();
        } catch (...) { }
    }
    for (TCollectionItem *item : std::exchange(m_replaced, {}))
        if (!item->Collection())
            Free(item);
}

void TStreamLoader::readObject(QObject *instance, const QJsonObject &node, bool write)
{
    QSet<QString> unread;
    for (auto it = node.begin(); it != node.end(); ++it)
        unread.insert(it.key());
    unread.remove(DefinedKey);
    unread.remove(ClassKey);

    // Declaration order, not the document's (alphabetical) order: a class may rely on the order in
    // which its properties are set.
    for (const TPropInfo &info : GetPropList(instance, tkAny)) {
        const auto found = node.constFind(info.Name);
        if (found == node.constEnd())
            continue;
        unread.remove(info.Name);
        PathStep step(m_path, QLatin1Char('.') + info.Name);
        readProperty(instance, info, found.value(), write);
    }
    if (!unread.isEmpty()) {
        QStringList names = unread.values();
        names.sort();
        PathStep step(m_path, QLatin1Char('.') + names.first());
        fail(QStringLiteral("property %1 does not exist in %2").arg(names.first(), ClassNameOf(instance)));
    }
    const QJsonValue defined = node.value(DefinedKey);
    if (!defined.isUndefined()) {
        if (!defined.isObject())
            fail(QStringLiteral("%1 must be an object").arg(DefinedKey));
        readDefined(instance, defined.toObject(), write);
    }
}

void TStreamLoader::readProperty(QObject *instance, const TPropInfo &info, const QJsonValue &value,
                                 bool write)
{
    if (info.Kind == tkClass) {
        readReference(instance, info, value, write);
        return;
    }
    if (!info.Property.isWritable())
        fail(QStringLiteral("property is read-only"));
    if (write)
        remember(instance, info.Property);
    try {
        switch (info.Kind) {
        case tkInteger:
        case tkChar:
        case tkWChar:
            readInteger(instance, info, value, write);
            break;
        case tkInt64:
            readInt64(instance, info, value, write);
            break;
        case tkEnumeration:
            readEnumeration(instance, info, value, write);
            break;
        case tkSet:
            readSet(instance, info, value, write);
            break;
        case tkFloat:
            readFloat(instance, info, value, write);
            break;
        case tkString:
        case tkLString:
        case tkWString:
            readString(instance, info, value, write);
            break;
        case tkVariant:
            readVariant(instance, info, value, write);
            break;
        default:
            fail(QStringLiteral("a %1 property cannot be read from a stream").arg(TypeKindName(info.Kind)));
        }
    } catch (const EReadError &) {
        throw;
    } catch (const Exception &error) {
        fail(error.Message());
    }
}

void TStreamLoader::invalidValue(const TPropInfo &info, const QJsonValue &value) const
{
    fail(QStringLiteral("invalid value %1 for a %2")
             .arg(QString::fromUtf8(QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact))
                      .mid(1)
                      .chopped(1),
                  info.TypeName));
}

void TStreamLoader::readInteger(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    qint64 number = 0;
    const QMetaType type = info.Property.metaType();
    const bool unsignedType
        = type.id() == QMetaType::UInt || type.id() == QMetaType::UShort || type.id() == QMetaType::UChar;
    const qint64 low = unsignedType ? 0 : std::numeric_limits<qint32>::min();
    const qint64 high
        = unsignedType ? qint64(std::numeric_limits<quint32>::max()) : std::numeric_limits<qint32>::max();
    if (!toInteger(value, number) || number < low || number > high)
        invalidValue(info, value);
    if (write)
        SetOrdProp(instance, info.Name, number);
}

void TStreamLoader::readInt64(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    qint64 number = 0;
    if (!toInteger(value, number))
        invalidValue(info, value);
    if (write)
        SetInt64Prop(instance, info.Name, number);
}

void TStreamLoader::readEnumeration(QObject *instance, const TPropInfo &info, const QJsonValue &value,
                                    bool write)
{
    qint64 ordinal = 0;
    if (isBoolean(info)) {
        if (!value.isBool())
            invalidValue(info, value);
        ordinal = value.toBool() ? 1 : 0;
    } else {
        bool ok = false;
        if (value.isString())
            ordinal = info.Enumerator.keyToValue(value.toString().toLatin1().constData(), &ok);
        if (!ok)
            invalidValue(info, value);
    }
    if (write)
        SetOrdProp(instance, info.Name, ordinal);
}

void TStreamLoader::readSet(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    if (!value.isArray())
        invalidValue(info, value);
    QStringList members;
    for (const QJsonValue member : value.toArray()) {
        if (!member.isString())
            invalidValue(info, value);
        members.append(member.toString());
    }
    const qint64 bits = StringToSet(info.Enumerator, members.join(QLatin1Char(',')));
    if (write)
        SetOrdProp(instance, info.Name, bits);
}

void TStreamLoader::readFloat(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    double number = 0;
    if (!toFloat(value, number))
        invalidValue(info, value);
    if (write)
        SetFloatProp(instance, info.Name, number);
}

void TStreamLoader::readString(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    if (!value.isString())
        invalidValue(info, value);
    if (write)
        SetStrProp(instance, info.Name, value.toString());
}

void TStreamLoader::readVariant(QObject *instance, const TPropInfo &info, const QJsonValue &value, bool write)
{
    TReader reader(m_root, this);
    reader.d->frames = { { QJsonArray { value }, 0 } };
    const QVariant variant = reader.ReadVariant();
    if (write)
        SetVariantProp(instance, info.Name, variant);
}

void TStreamLoader::readReference(QObject *instance, const TPropInfo &info, const QJsonValue &value,
                                  bool write)
{
    QObject *current = nullptr;
    try {
        current = GetObjectProp(instance, info);
    } catch (const Exception &error) {
        fail(error.Message());
    }
    const bool subObject = current && !IsComponent(current);
    if (value.isArray()) {
        auto *collection = qobject_cast<TCollection *>(current);
        if (!collection)
            fail(QStringLiteral("property holds no collection"));
        readCollection(collection, value.toArray(), false, write);
        return;
    }
    if (value.isObject()) {
        if (!subObject)
            fail(QStringLiteral("property holds no object whose settings can be read"));
        readObject(current, value.toObject(), write);
        return;
    }
    if (subObject || !(value.isString() || value.isNull()))
        fail(QStringLiteral("invalid value for a %1").arg(info.TypeName));
    if (!info.Property.isWritable())
        fail(QStringLiteral("property is read-only"));
    const QString name = value.toString();
    if (!name.isEmpty()) {
        QObject *target = findComponent(name);
        if (!target)
            fail(QStringLiteral("no component named %1").arg(name));
        const QMetaObject *propertyClass = info.Property.metaType().metaObject();
        if (propertyClass && !target->metaObject()->inherits(propertyClass))
            fail(QStringLiteral("%1 is a %2, not a %3")
                     .arg(name, ClassNameOf(target), ClassNameOf(propertyClass)));
    }
    if (write && m_applying)
        m_fixups.append({ instance, info.Name, name, path() });
}

void TStreamLoader::readCollection(TCollection *collection, const QJsonArray &items, bool itemClasses,
                                   bool write)
{
    // Built apart: the collection changes only once every item has been read.
    QList<TCollectionItem *> built;
    auto freeBuilt = qScopeGuard([&built] {
        for (TCollectionItem *item : std::as_const(built))
            Free(item);
    });
    for (qsizetype i = 0; i < items.size(); ++i) {
        PathStep step(m_path, QStringLiteral("[%1]").arg(i));
        if (!items.at(i).isObject())
            fail(QStringLiteral("a collection item must be an object"));
        const QJsonObject node = items.at(i).toObject();
        const QMetaObject *itemClass = collection->ItemClass();
        if (itemClasses) {
            const QString className = node.value(ClassKey).toString();
            itemClass = GetClass(className);
            if (!itemClass)
                fail(QStringLiteral("class %1 is not registered").arg(className));
            if (!InheritsFrom(itemClass, collection->ItemClass()))
                fail(QStringLiteral("a %1 cannot be an item of a collection of %2")
                         .arg(ClassNameOf(itemClass), ClassNameOf(collection->ItemClass())));
        } else if (node.contains(ClassKey)) {
            fail(QStringLiteral("this collection's items take no %1").arg(ClassKey));
        }
        try {
            built.append(CreateDetachedItem(itemClass));
        } catch (const Exception &error) {
            fail(error.Message());
        }
        QScopedValueRollback<int> apart(m_apartDepth, m_apartDepth + 1);
        readObject(built.last(), node, true);
    }
    if (!write)
        return;
    if (!journaling()) {
        freeBuilt.dismiss();
        InUpdate(*collection, [&] {
            collection->Clear();
            for (TCollectionItem *item : std::as_const(built))
                item->SetCollection(collection);
        });
        return;
    }
    // The items the collection held are taken out, not freed, so that a later failure can put them back.
    const QList<TCollectionItem *> previous = collection->ItemList();
    m_replaced.append(previous);
    m_journal.append([target = QPointer<TCollection>(collection), previous] {
        if (!target)
            return;
        InUpdate(*target, [&] {
            while (target->Count() > 0) {
                TCollectionItem *item = target->ItemList().last();
                item->SetCollection(nullptr);
                Free(item);
            }
            for (TCollectionItem *item : previous)
                item->SetCollection(target);
        });
    });
    freeBuilt.dismiss();
    InUpdate(*collection, [&] {
        for (TCollectionItem *item : previous)
            item->SetCollection(nullptr);
        for (TCollectionItem *item : std::as_const(built))
            item->SetCollection(collection);
    });
}

void TStreamLoader::readDefined(QObject *instance, const QJsonObject &defined, bool write)
{
    TPersistent *persistent = AsPersistent(instance);
    if (!persistent) {
        if (!defined.isEmpty())
            fail(QStringLiteral("%1 defines no property %2")
                     .arg(ClassNameOf(instance), defined.begin().key()));
        return;
    }
    TReader reader(m_root, this);
    reader.d->defined = defined;
    reader.d->write = write;
    persistent->DefineProperties(&reader);
    for (auto it = defined.begin(); it != defined.end(); ++it) {
        if (!reader.d->claimed.contains(it.key())) {
            PathStep step(m_path, QLatin1Char('.') + it.key());
            fail(QStringLiteral("%1 defines no property %2").arg(ClassNameOf(instance), it.key()));
        }
    }
}

// ---------------------------------------------------------------------------------------------------------
// TReader

TReader::TReader(QObject *Root, TStreamLoader *Loader)
    : TFiler(Root)
    , d(std::make_unique<Private>())
{
    d->loader = Loader;
}

TReader::~TReader() = default;

bool TReader::Checking() const
{
    return !d->write;
}

QString TReader::Path() const
{
    return d->loader->path();
}

void TReader::DefineProperty(const QString &Name, const TReaderProc &ReadData, const TWriterProc &, bool)
{
    const auto found = d->defined.constFind(Name);
    if (found == d->defined.constEnd())
        return;
    d->claimed.insert(Name);
    if (!ReadData)
        return;
    PathStep step(d->loader->m_path, QLatin1Char('.') + Name);
    if (!found.value().isArray())
        d->loader->fail(QStringLiteral("a defined property holds a list of values"));
    QScopedValueRollback<QList<Private::Frame>> frames(d->frames, { { found.value().toArray(), 0 } });
    QScopedValueRollback<bool> entered(d->enteredList, false);
    QScopedValueRollback<bool> enteredCollection(d->hasEnteredCollection, false);
    ReadData(this);
    if (d->frames.size() != 1 || d->frames.first().next != d->frames.first().values.size())
        d->loader->fail(QStringLiteral("values were left unread"));
}

TValueType TReader::NextValue() const
{
    if (d->frames.isEmpty())
        d->loader->fail(QStringLiteral("values can only be read by a defined property's reader"));
    const Private::Frame &frame = d->frames.last();
    if (frame.next >= frame.values.size())
        return vaNull;
    const QJsonValue value = frame.values.at(frame.next);
    switch (value.type()) {
    case QJsonValue::Null:
        return vaNil;
    case QJsonValue::Bool:
        return value.toBool() ? vaTrue : vaFalse;
    case QJsonValue::String:
        return vaString;
    case QJsonValue::Array:
        return vaList;
    case QJsonValue::Double: {
        qint64 number = 0;
        if (!toInteger(value, number))
            return vaDouble;
        return number >= std::numeric_limits<qint32>::min() && number <= std::numeric_limits<qint32>::max()
            ? vaInteger
            : vaInt64;
    }
    default:
        break;
    }
    const QString tag = tagOf(value);
    if (tag == QLatin1String("int64"))
        return vaInt64;
    if (tag == QLatin1String("float"))
        return vaDouble;
    if (tag == QLatin1String("ident"))
        return vaIdent;
    if (tag == QLatin1String("set"))
        return vaSet;
    if (tag == QLatin1String("binary"))
        return vaBinary;
    if (tag == QLatin1String("collection"))
        return vaCollection;
    d->loader->fail(QStringLiteral("unknown kind of value"));
}

TValueType TReader::ReadValue()
{
    const TValueType type = NextValue();
    if (type == vaList) {
        ReadListBegin();
        d->enteredList = true;
    } else if (type == vaCollection) {
        Private::Frame &frame = d->frames.last();
        d->enteredCollection = payload(frame.values.at(frame.next++)).toArray();
        d->hasEnteredCollection = true;
    }
    return type;
}

bool TReader::EndOfList() const
{
    return NextValue() == vaNull;
}

void TReader::ReadListBegin()
{
    if (std::exchange(d->enteredList, false))
        return;
    if (NextValue() != vaList)
        d->loader->fail(QStringLiteral("a list was expected"));
    Private::Frame &frame = d->frames.last();
    const QJsonArray list = frame.values.at(frame.next++).toArray();
    d->frames.append({ list, 0 });
}

void TReader::ReadListEnd()
{
    if (d->frames.size() < 2 || !EndOfList())
        d->loader->fail(QStringLiteral("the end of a list was expected"));
    d->frames.removeLast();
}

qint64 TReader::ReadInteger()
{
    const TValueType type = NextValue();
    if (type != vaInteger && type != vaInt64)
        d->loader->fail(QStringLiteral("an integer was expected"));
    Private::Frame &frame = d->frames.last();
    const QJsonValue value = frame.values.at(frame.next++);
    qint64 number = 0;
    if (!toInteger(value.isObject() ? payload(value) : value, number))
        d->loader->fail(QStringLiteral("an integer was expected"));
    return number;
}

double TReader::ReadFloat()
{
    const TValueType type = NextValue();
    if (type == vaInteger || type == vaInt64)
        return double(ReadInteger());
    if (type != vaDouble)
        d->loader->fail(QStringLiteral("a number was expected"));
    Private::Frame &frame = d->frames.last();
    const QJsonValue value = frame.values.at(frame.next++);
    double number = 0;
    if (!toFloat(value.isObject() ? payload(value) : value, number))
        d->loader->fail(QStringLiteral("a number was expected"));
    return number;
}

QString TReader::ReadString()
{
    if (NextValue() != vaString)
        d->loader->fail(QStringLiteral("a string was expected"));
    Private::Frame &frame = d->frames.last();
    return frame.values.at(frame.next++).toString();
}

bool TReader::ReadBoolean()
{
    const TValueType type = NextValue();
    if (type != vaTrue && type != vaFalse)
        d->loader->fail(QStringLiteral("a Boolean was expected"));
    ++d->frames.last().next;
    return type == vaTrue;
}

QString TReader::ReadIdent()
{
    if (NextValue() != vaIdent)
        d->loader->fail(QStringLiteral("an identifier was expected"));
    Private::Frame &frame = d->frames.last();
    const QJsonValue value = payload(frame.values.at(frame.next++));
    if (!value.isString())
        d->loader->fail(QStringLiteral("an identifier was expected"));
    return value.toString();
}

QStringList TReader::ReadSet()
{
    if (NextValue() != vaSet)
        d->loader->fail(QStringLiteral("a set was expected"));
    Private::Frame &frame = d->frames.last();
    QStringList members;
    for (const QJsonValue member : payload(frame.values.at(frame.next++)).toArray()) {
        if (!member.isString())
            d->loader->fail(QStringLiteral("a set member must be an identifier"));
        members.append(member.toString());
    }
    return members;
}

QByteArray TReader::ReadBinary()
{
    if (NextValue() != vaBinary)
        d->loader->fail(QStringLiteral("binary data was expected"));
    Private::Frame &frame = d->frames.last();
    const auto decoded
        = QByteArray::fromBase64Encoding(payload(frame.values.at(frame.next++)).toString().toLatin1(),
                                         QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        d->loader->fail(QStringLiteral("binary data is not valid base64"));
    return decoded.decoded;
}

QVariant TReader::ReadVariant()
{
    switch (NextValue()) {
    case vaNil:
        ++d->frames.last().next;
        return {};
    case vaTrue:
    case vaFalse:
        return ReadBoolean();
    case vaInteger:
        return int(ReadInteger());
    case vaInt64:
        return ReadInteger();
    case vaDouble:
        return ReadFloat();
    case vaString:
        return ReadString();
    case vaBinary:
        return ReadBinary();
    default:
        d->loader->fail(QStringLiteral("a simple value was expected"));
    }
}

void TReader::ReadCollection(TCollection *Collection, bool ItemClasses)
{
    QJsonArray items;
    if (std::exchange(d->hasEnteredCollection, false)) {
        items = d->enteredCollection;
    } else {
        if (NextValue() != vaCollection)
            d->loader->fail(QStringLiteral("a collection was expected"));
        Private::Frame &frame = d->frames.last();
        items = payload(frame.values.at(frame.next++)).toArray();
    }
    d->loader->readCollection(Collection, items, ItemClasses, d->write);
}

void TReader::SkipValue()
{
    if (NextValue() == vaNull)
        d->loader->fail(QStringLiteral("no value to pass over"));
    ++d->frames.last().next;
}

// ---------------------------------------------------------------------------------------------------------
// Entry points

QByteArray WriteComponent(const QObject *Instance, TStreamFormat Format)
{
    TWriter writer(const_cast<QObject *>(Instance));
    QJsonObject document = writer.WriteObject(Instance);
    document.insert(FormatKey, FormatName);
    document.insert(VersionKey, StreamFormatVersion);
    document.insert(ClassKey, ClassNameOf(Instance));
    switch (Format) {
    case sfCbor:
        return QCborValue::fromJsonValue(document).toCbor();
    case sfCompactJson:
        return QJsonDocument(document).toJson(QJsonDocument::Compact);
    case sfJson:
        break;
    }
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

void WriteComponent(const QObject *Instance, QIODevice *Device, TStreamFormat Format)
{
    const QByteArray data = WriteComponent(Instance, Format);
    if (Device->write(data) != data.size())
        throw EWriteError(QStringLiteral("Cannot write the settings: %1").arg(Device->errorString()));
}

void ReadComponent(QObject *Instance, const QByteArray &Data)
{
    const QString name = nameForPath(Instance);
    QJsonObject document;
    const qsizetype start = [&] {
        qsizetype i = 0;
        while (i < Data.size() && QChar::isSpace(uchar(Data.at(i))))
            ++i;
        return i;
    }();
    if (start < Data.size() && Data.at(start) == '{') {
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(Data, &error);
        if (error.error != QJsonParseError::NoError)
            throw EReadError(QStringLiteral("Error reading %1: %2 at offset %3")
                                 .arg(name, error.errorString())
                                 .arg(error.offset));
        document = parsed.object();
    } else {
        QCborParserError error;
        const QCborValue parsed = QCborValue::fromCbor(Data, &error);
        if (error.error != QCborError::NoError)
            throw EReadError(QStringLiteral("Error reading %1: %2 at offset %3")
                                 .arg(name, error.errorString())
                                 .arg(error.offset));
        if (!parsed.isMap())
            throw EReadError(
                QStringLiteral("Error reading %1: the document is no settings document").arg(name));
        document = parsed.toJsonValue().toObject();
    }
    QObject *lookupRoot = Instance;
    while (lookupRoot->parent())
        lookupRoot = lookupRoot->parent();
    TStreamLoader(Instance, lookupRoot).load(document);
}

void ReadComponent(QObject *Instance, QIODevice *Device)
{
    ReadComponent(Instance, Device->readAll());
}

void WriteComponentFile(const QString &FileName, const QObject *Instance, TStreamFormat Format)
{
    // Written whole and then renamed into place, so a failure never leaves half a file.
    const QByteArray data = WriteComponent(Instance, Format);
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, file.errorString()));
    if (file.write(data) != data.size() || !file.commit())
        throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, file.errorString()));
}

void ReadComponentFile(const QString &FileName, QObject *Instance)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
    ReadComponent(Instance, file.readAll());
}

} // namespace QXPlatform
