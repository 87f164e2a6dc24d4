/// \file
/// Run-time type information of published properties: which properties a class publishes, what kind of
/// value each holds and under which type name, and typed and text access to their values. Built on
/// QMetaObject and QMetaProperty; the object inspector scans, shows and writes properties through it.
///
/// A published property is a Q_PROPERTY that is readable and designable. Names are looked up without
/// regard to case. Every access to a property that does not exist raises EPropertyError.
#pragma once

#include "Exceptions.h"
#include "QXGlobal.h"

#include <QList>
#include <QMetaEnum>
#include <QMetaObject>
#include <QMetaProperty>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>

namespace QXPlatform {

/// Holds the type kinds as a Q_ENUM so that their names ("tkInteger") are known at run time.
struct QXINSPECTORCORE_EXPORT TTypeInfo
{
    Q_GADGET
public:
    /// The kinds of type a published property can be of.
    enum TTypeKind {
        tkUnknown,
        tkInteger,
        tkChar,
        tkEnumeration,
        tkFloat,
        tkString,
        tkSet,
        tkClass,
        tkMethod,
        tkWChar,
        tkLString,
        tkWString,
        tkVariant,
        tkArray,
        tkRecord,
        tkInterface,
        tkInt64,
        tkDynArray
    };
    Q_ENUM(TTypeKind)
};

/// TTypeInfo::TTypeKind at namespace level.
using TTypeKind = TTypeInfo::TTypeKind;
using enum TTypeInfo::TTypeKind;

/// A set of type kinds (kind k is bit k).
class TTypeKinds
{
public:
    constexpr TTypeKinds() = default;
    /// The set of kind alone.
    constexpr TTypeKinds(TTypeKind kind)
        : m_bits(bit(kind))
    { }
    /// The set of the kinds listed.
    constexpr TTypeKinds(std::initializer_list<TTypeKind> kinds)
    {
        for (TTypeKind kind : kinds)
            m_bits |= bit(kind);
    }

    /// Whether kind is in the set.
    constexpr bool testFlag(TTypeKind kind) const { return (m_bits & bit(kind)) != 0; }
    /// Whether kind is in the set (testFlag).
    constexpr bool contains(TTypeKind kind) const { return testFlag(kind); }
    /// Whether the set holds no kind.
    constexpr bool isEmpty() const { return m_bits == 0; }
    /// The set's bits: kind k is bit k.
    constexpr quint32 toInt() const { return m_bits; }

    /// The kinds in either set.
    constexpr TTypeKinds operator|(TTypeKinds other) const { return fromBits(m_bits | other.m_bits); }
    /// The kinds in both sets.
    constexpr TTypeKinds operator&(TTypeKinds other) const { return fromBits(m_bits & other.m_bits); }
    /// The kinds of this set that are not in other.
    constexpr TTypeKinds operator-(TTypeKinds other) const { return fromBits(m_bits & ~other.m_bits); }
    /// Adds the kinds of other.
    constexpr TTypeKinds &operator|=(TTypeKinds other)
    {
        m_bits |= other.m_bits;
        return *this;
    }
    /// Removes the kinds of other.
    constexpr TTypeKinds &operator-=(TTypeKinds other)
    {
        m_bits &= ~other.m_bits;
        return *this;
    }
    /// Whether both sets hold the same kinds.
    constexpr bool operator==(const TTypeKinds &other) const = default;
    /// The set whose bits are bits (toInt reversed).
    static constexpr TTypeKinds FromInt(quint32 bits) { return fromBits(bits); }

private:
    static constexpr quint32 bit(TTypeKind kind) { return quint32(1) << int(kind); }
    static constexpr TTypeKinds fromBits(quint32 bits)
    {
        TTypeKinds kinds;
        kinds.m_bits = bits;
        return kinds;
    }
    quint32 m_bits = 0;
};

/// The type kinds as a set type that a property can publish (bit k is kind k), named TTypeKinds, so that
/// an inspector lists it as a set with one member row per kind.
struct QXINSPECTORCORE_EXPORT TTypeKindSet
{
    Q_GADGET
public:
    /// The type kinds as flags (kind k is bit k), so that a set of them is a Q_FLAG.
    enum TTypeKind : quint32 {
        tkUnknown = 1u << 0,
        tkInteger = 1u << 1,
        tkChar = 1u << 2,
        tkEnumeration = 1u << 3,
        tkFloat = 1u << 4,
        tkString = 1u << 5,
        tkSet = 1u << 6,
        tkClass = 1u << 7,
        tkMethod = 1u << 8,
        tkWChar = 1u << 9,
        tkLString = 1u << 10,
        tkWString = 1u << 11,
        tkVariant = 1u << 12,
        tkArray = 1u << 13,
        tkRecord = 1u << 14,
        tkInterface = 1u << 15,
        tkInt64 = 1u << 16,
        tkDynArray = 1u << 17,
    };
    Q_DECLARE_FLAGS(TTypeKinds, TTypeKind)
    Q_FLAG(TTypeKinds)

    /// The flags of a set of type kinds.
    static TTypeKinds From(::QXPlatform::TTypeKinds Kinds) { return TTypeKinds::fromInt(Kinds.toInt()); }
    /// The set of type kinds of Flags.
    static ::QXPlatform::TTypeKinds To(TTypeKinds Flags)
    {
        return ::QXPlatform::TTypeKinds::FromInt(Flags.toInt());
    }
};

/// Every kind.
inline constexpr TTypeKinds tkAny
    = { tkUnknown, tkInteger, tkChar,    tkEnumeration, tkFloat, tkString, tkSet,       tkClass, tkMethod,
        tkWChar,   tkLString, tkWString, tkVariant,     tkArray, tkRecord, tkInterface, tkInt64, tkDynArray };
/// Every kind but events.
inline constexpr TTypeKinds tkProperties = tkAny - tkMethod;
/// What GetPropList lists unless asked otherwise: the kinds that have a value text or are objects.
/// Records and lists have neither, so a caller who wants them names them.
inline constexpr TTypeKinds tkListedByDefault = tkProperties - TTypeKinds { tkUnknown, tkRecord, tkDynArray };

/// What the type information knows of one published property. Invalid (IsValid() false) when the
/// property does not exist.
struct QXINSPECTORCORE_EXPORT TPropInfo
{
    /// The property's name as declared (Qt's own names: "objectName", "flat").
    QString Name;
    /// The property's meta-property.
    QMetaProperty Property;
    /// The class the property was looked up on (a descendant of the declaring class, or that class).
    const QMetaObject *MetaObject = nullptr;
    /// The kind of the property's type.
    TTypeKind Kind = tkUnknown;
    /// "Integer", "TColor", "TFontStyles", "TNotifyEvent", ...
    QString TypeName;
    /// The enumeration of an enumeration or set property; invalid otherwise.
    QMetaEnum Enumerator;
    /// The default declared with QX_DEFAULT, or a null string.
    QString DefaultText;

    /// Whether the property exists.
    bool IsValid() const { return MetaObject != nullptr; }
    /// Whether the property exists (IsValid).
    explicit operator bool() const { return IsValid(); }
    /// Whether the property can be written.
    bool IsWritable() const { return Property.isWritable(); }
};

/// A list of published properties (GetPropList).
using TPropList = QList<TPropInfo>;

/// Raises EPropertyConvertError for a set member or enumeration element that does not exist.
[[noreturn]] QXINSPECTORCORE_EXPORT void RaiseInvalidPropertyElement(const QString &Element);
/// Raises EPropertyConvertError for a property whose kind has no such access.
[[noreturn]] QXINSPECTORCORE_EXPORT void RaiseInvalidPropertyType(const QString &TypeName);
/// Raises EPropertyError for a property that does not exist.
[[noreturn]] QXINSPECTORCORE_EXPORT void RaiseMissingProperty(const QString &Name);

/// The name of a kind ("tkInteger").
QXINSPECTORCORE_EXPORT QString TypeKindName(TTypeKind kind);

/// Registers a value type as an event type: its properties have kind tkMethod. TNotifyEvent is
/// registered from the start; other event types register once before their properties are read.
QXINSPECTORCORE_EXPORT void RegisterMethodType(QMetaType type);
/// Whether values of type are events (RegisterMethodType).
QXINSPECTORCORE_EXPORT bool IsMethodType(QMetaType type);
/// Registers event type T (RegisterMethodType).
template<class T> void RegisterEventType()
{
    RegisterMethodType(QMetaType::fromType<T>());
}

/// The published properties of a class whose kind is in kinds: inherited ones first, each class's in
/// declaration order (a property a descendant declares again keeps the first position), or sorted by
/// name without regard to case.
QXINSPECTORCORE_EXPORT TPropList GetPropList(const QMetaObject *metaObject,
                                             TTypeKinds kinds = tkListedByDefault, bool sorted = false);
/// For an object: objectName is left out unless the object is a component (our persistent sub-objects
/// have no name).
QXINSPECTORCORE_EXPORT TPropList GetPropList(const QObject *object, TTypeKinds kinds = tkListedByDefault,
                                             bool sorted = false);

/// The published property Name of a class (without regard to case); invalid when there is none.
QXINSPECTORCORE_EXPORT TPropInfo GetPropInfo(const QMetaObject *metaObject, const QString &Name);
/// The published property Name of object's class; invalid when there is none.
QXINSPECTORCORE_EXPORT TPropInfo GetPropInfo(const QObject *object, const QString &Name);
///@{
/// Whether the class (of object) publishes a property Name.
QXINSPECTORCORE_EXPORT bool IsPublishedProp(const QMetaObject *metaObject, const QString &Name);
QXINSPECTORCORE_EXPORT bool IsPublishedProp(const QObject *object, const QString &Name);
///@}
/// The kind of property Name; EPropertyError when there is none.
QXINSPECTORCORE_EXPORT TTypeKind PropType(const QMetaObject *metaObject, const QString &Name);
/// The kind of property Name of object; EPropertyError when there is none.
QXINSPECTORCORE_EXPORT TTypeKind PropType(const QObject *object, const QString &Name);
/// The type name of property Name; EPropertyError when there is none.
QXINSPECTORCORE_EXPORT QString PropTypeName(const QMetaObject *metaObject, const QString &Name);
/// The type name of property Name of object; EPropertyError when there is none.
QXINSPECTORCORE_EXPORT QString PropTypeName(const QObject *object, const QString &Name);

// Typed access. Ordinal values are integers, characters (their codes), enumerations and Booleans
// (0 and 1), sets (bit masks), colours (TColor) and cursors (Qt::CursorShape). A reader of the
// wrong kind raises EPropertyConvertError naming the type.

///@{
/// An ordinal value.
QXINSPECTORCORE_EXPORT qint64 GetOrdProp(const QObject *object, const QString &Name);
QXINSPECTORCORE_EXPORT void SetOrdProp(QObject *object, const QString &Name, qint64 Value);
///@}
/// The key of an enumeration property's value ("False"/"True" for Booleans); the number when the value
/// has no key.
QXINSPECTORCORE_EXPORT QString GetEnumProp(const QObject *object, const QString &Name);
/// Floats, and dates and times as days since 30 December 1899 with the time as the fraction.
QXINSPECTORCORE_EXPORT double GetFloatProp(const QObject *object, const QString &Name);
/// Writes a float (a date and time as days since 30 December 1899).
QXINSPECTORCORE_EXPORT void SetFloatProp(QObject *object, const QString &Name, double Value);
///@{
/// A string value.
QXINSPECTORCORE_EXPORT QString GetStrProp(const QObject *object, const QString &Name);
QXINSPECTORCORE_EXPORT void SetStrProp(QObject *object, const QString &Name, const QString &Value);
///@}
/// A string value (GetStrProp).
QXINSPECTORCORE_EXPORT QString GetWideStrProp(const QObject *object, const QString &Name);
///@{
/// A 64-bit integer value.
QXINSPECTORCORE_EXPORT qint64 GetInt64Prop(const QObject *object, const QString &Name);
QXINSPECTORCORE_EXPORT void SetInt64Prop(QObject *object, const QString &Name, qint64 Value);
///@}
/// The property's value as a variant (any kind); a variant property gives the variant it holds.
QXINSPECTORCORE_EXPORT QVariant GetVariantProp(const QObject *object, const QString &Name);
/// Writes Value into the property.
QXINSPECTORCORE_EXPORT void SetVariantProp(QObject *object, const QString &Name, const QVariant &Value);
/// The object an object-reference property holds; null for value classes (QFont, QSize, ...).
QXINSPECTORCORE_EXPORT QObject *GetObjectProp(const QObject *object, const QString &Name);
/// Stores Value (or null); EPropertyConvertError when Value is not of the property's class.
QXINSPECTORCORE_EXPORT void SetObjectProp(QObject *object, const QString &Name, QObject *Value);
/// The class an object-reference property holds; null for value classes.
QXINSPECTORCORE_EXPORT const QMetaObject *GetObjectPropClass(const QObject *object, const QString &Name);
/// An event property's value: a variant holding the event.
QXINSPECTORCORE_EXPORT QVariant GetMethodProp(const QObject *object, const QString &Name);
/// Stores an event (a variant holding it) in an event property.
QXINSPECTORCORE_EXPORT void SetMethodProp(QObject *object, const QString &Name, const QVariant &Value);
/// The members of a set property that are set, "A,B", or "[A,B]" with brackets.
QXINSPECTORCORE_EXPORT QString GetSetProp(const QObject *object, const QString &Name, bool Brackets = false);
/// Sets a set property from "[A,B]" or "A,B"; EPropertyConvertError for an unknown member.
QXINSPECTORCORE_EXPORT void SetSetProp(QObject *object, const QString &Name, const QString &Value);

// Enumerations and sets.

/// The key of Value ("False"/"True" for bool); the number as text when the value has no key.
QXINSPECTORCORE_EXPORT QString GetEnumName(const QMetaEnum &enumerator, qint64 Value);
/// The key of Value in the enumeration of type.
QXINSPECTORCORE_EXPORT QString GetEnumName(QMetaType type, qint64 Value);
/// The value of key Name, matched without regard to case; -1 when there is none.
QXINSPECTORCORE_EXPORT int GetEnumValue(const QMetaEnum &enumerator, const QString &Name);
/// The value of key Name in the enumeration of type; -1 when there is none.
QXINSPECTORCORE_EXPORT int GetEnumValue(QMetaType type, const QString &Name);
/// The enumeration registered for an enumeration or flags type (Q_ENUM, Q_FLAG); invalid otherwise.
QXINSPECTORCORE_EXPORT QMetaEnum EnumeratorOf(QMetaType type);
/// The members of a set type: entry k is the key whose value is bit k (empty where no key has that
/// bit), up to the highest bit that has a key; bits above 31 are left out.
QXINSPECTORCORE_EXPORT QStringList GetSetMembers(const QMetaEnum &enumerator);
/// A set's bit mask as member names in bit order, comma-separated, optionally in square brackets.
QXINSPECTORCORE_EXPORT QString SetToString(const QMetaEnum &enumerator, qint64 Value, bool Brackets = false);
/// Parses "[A,B]" or "A,B" (spaces allowed, names without regard to case); EPropertyConvertError for a
/// name that is not a member.
QXINSPECTORCORE_EXPORT qint64 StringToSet(const QMetaEnum &enumerator, const QString &Value);

///@{
/// Readers for a property already looked up on the object's class (GetPropInfo), so that code reading
/// the same properties over and over does not look them up by name each time.
QXINSPECTORCORE_EXPORT qint64 GetOrdProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT QString GetEnumProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT double GetFloatProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT QString GetStrProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT qint64 GetInt64Prop(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT QVariant GetVariantProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT QObject *GetObjectProp(const QObject *object, const TPropInfo &Info);
QXINSPECTORCORE_EXPORT const QMetaObject *GetObjectPropClass(const TPropInfo &Info);
QXINSPECTORCORE_EXPORT QString GetSetProp(const QObject *object, const TPropInfo &Info, bool Brackets);
QXINSPECTORCORE_EXPORT QVariant GetPropValue(const QObject *object, const TPropInfo &Info,
                                             bool PreferStrings);
///@}

// Untyped access.

/// The value by kind: ordinals as integers (Booleans as bool), floats (dates as numbers), strings,
/// 64-bit integers, variants; with PreferStrings enumerations give their key and sets their members
/// without brackets. Object references give the object as a QObject*, other class, event and record
/// values the value itself.
QXINSPECTORCORE_EXPORT QVariant GetPropValue(const QObject *object, const QString &Name,
                                             bool PreferStrings = true);
/// Writes Value, converting text by the property's kind (integers, characters, enumeration keys, set
/// texts, floats and date numbers, strings). EConvertError for text that is not a number,
/// EPropertyConvertError for an unknown key or set member and for kinds that cannot be set from text.
QXINSPECTORCORE_EXPORT void SetPropValue(QObject *object, const QString &Name, const QVariant &Value);
/// The value as the text a declared default is written in: decimal ordinals, keys, "[A,B]" sets, float
/// texts, strings; the object's name for an object reference; a null string for other class values,
/// events and records.
QXINSPECTORCORE_EXPORT QString GetPropText(const QObject *object, const QString &Name);

// Storage and defaults.

/// Whether property Name is written with the object's settings: Qt's STORED flag, and the object's
/// IsStoredProperty when it is one of ours.
QXINSPECTORCORE_EXPORT bool IsStoredProp(const QObject *object, const QString &Name);
/// IsStoredProp for a property already looked up.
QXINSPECTORCORE_EXPORT bool IsStoredProp(const QObject *object, const TPropInfo &Info);
/// The default text of property Name: the declared default (QX_DEFAULT), or, for a class that declares
/// none, the text the property has on a default-constructed object of the class (or of its nearest
/// ancestor that can be made and has the property). A null string when neither is known. Our own
/// classes (TLifecycle) are never prototypes, so their own undeclared properties have no default.
/// Prototypes are made once per class in the GUI thread and freed when the application ends.
QXINSPECTORCORE_EXPORT QString GetDefaultText(const QMetaObject *metaObject, const QString &Name);
/// The default text of property Name of object's class.
QXINSPECTORCORE_EXPORT QString GetDefaultText(const QObject *object, const QString &Name);
/// The same for a property already looked up (on the class it belongs to).
QXINSPECTORCORE_EXPORT QString GetDefaultText(const TPropInfo &Info);
/// Whether object is one of the prototypes GetDefaultText reads (a hidden, parentless widget), which
/// tools that list an application's windows leave out.
QXINSPECTORCORE_EXPORT bool IsPrototype(const QObject *object);
/// Whether the current value equals the default text (compared as values of the property's kind:
/// "clRed" equals 255 for a colour, "[B,A]" equals "[A,B]"); false when no default is known.
QXINSPECTORCORE_EXPORT bool IsDefaultValue(const QObject *object, const QString &Name);
/// IsDefaultValue for a property already looked up.
QXINSPECTORCORE_EXPORT bool IsDefaultValue(const QObject *object, const TPropInfo &Info);

} // namespace QXPlatform
