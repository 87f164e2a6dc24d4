// Presets: rules that the object inspector applies to the rows it builds. A preset matches rows by
// property name, type, the class of the inspected object or the row's parent property, and gives each
// matching row an alias, read-only and visibility flags, a hint, an edit style with its pick list or
// button handler, an edit mask, value-access and validation handlers and fonts, as its Actions say.
//
// The inspector owns a TQXPropertyPresets collection and applies every active, matching preset to every
// row after each scan, after loading and whenever a preset changes; new inspectors start with one preset
// of each class in the process-wide preset registry.
#pragma once

#include "Collection.h"
#include "EditStyle.h"
#include "QXCustomDeltaFont.h"
#include "QXItemProp.h"
#include "QXItemProperty.h"
#include "StringList.h"
#include "ThreadList.h"
#include "TypeInfo.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <initializer_list>

class TQXCustomObjectInspector;
class TQXPropertyPresets;

/// Which tests a preset makes (bit n of the set is value n).
struct QXINSPECTORCORE_EXPORT TQXPresetMatchTypes_
{
    Q_GADGET
public:
    enum TQXPresetMatchType : quint32 {
        mtPropertyName = 1u << 0,
        mtFullPropertyName = 1u << 1,
        mtPropertyType = 1u << 2,
        mtClassName = 1u << 3,
        mtParentPropertyName = 1u << 4,
        mtParentFullPropertyName = 1u << 5,
        mtParentPropertyType = 1u << 6,
    };
    Q_DECLARE_FLAGS(TQXPresetMatchTypes, TQXPresetMatchType)
    Q_FLAG(TQXPresetMatchTypes)

    /// What a preset does to a matching row (bit n is value n).
    enum TQXPropertyPresetType : quint32 {
        pftCustom = 1u << 0,
        pftAlias = 1u << 1,
        pftReadOnly = 1u << 2,
        pftWritable = 1u << 3,
        pftVisible = 1u << 4,
        pftHidden = 1u << 5,
        pftHint = 1u << 6,
        pftEditStyle = 1u << 7,
        pftEditMask = 1u << 8,
        pftValidate = 1u << 9,
        pftFont = 1u << 10,
        pftValueFont = 1u << 11,
    };
    Q_DECLARE_FLAGS(TQXPropertyPresetTypes, TQXPropertyPresetType)
    Q_FLAG(TQXPropertyPresetTypes)
};
using TQXPresetMatchType = TQXPresetMatchTypes_::TQXPresetMatchType;
using TQXPresetMatchTypes = TQXPresetMatchTypes_::TQXPresetMatchTypes;
using TQXPropertyPresetType = TQXPresetMatchTypes_::TQXPropertyPresetType;
using TQXPropertyPresetTypes = TQXPresetMatchTypes_::TQXPropertyPresetTypes;
using enum TQXPresetMatchTypes_::TQXPresetMatchType;
using enum TQXPresetMatchTypes_::TQXPropertyPresetType;
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXPresetMatchTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXPropertyPresetTypes)

class QXINSPECTORCORE_EXPORT TQXPropertyPreset : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    // Declaration order is the order in which the properties are stored and read.
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TQXPresetMatchTypes_::TQXPresetMatchTypes MatchTypes READ MatchTypes WRITE SetMatchTypes)
    Q_PROPERTY(QXPlatform::TTypeKindSet::TTypeKinds TypeKinds READ TypeKindSet WRITE SetTypeKindSet)
    Q_PROPERTY(QXPlatform::TStrings *TypeNames READ TypeNames WRITE SetTypeNames)
    Q_PROPERTY(QXPlatform::TStrings *ParentClassNames READ ParentClassNames WRITE SetParentClassNames)
    Q_PROPERTY(QString Alias READ Alias WRITE SetAlias)
    Q_PROPERTY(bool Inclusive READ Inclusive WRITE SetInclusive)
    Q_PROPERTY(QXPlatform::TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(QXPlatform::TFont *ValueFont READ ValueFont WRITE SetValueFont)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QXPlatform::TStrings *PropNames READ PropNames WRITE SetPropNames)
    Q_PROPERTY(QXPlatform::TStrings *ParentPropNames READ ParentPropNames WRITE SetParentPropNames)
    Q_PROPERTY(QXPlatform::TTypeKindSet::TTypeKinds ParentTypeKinds READ ParentTypeKindSet WRITE
                   SetParentTypeKindSet)
    Q_PROPERTY(QXPlatform::TStrings *ParentTypeNames READ ParentTypeNames WRITE SetParentTypeNames)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    // Spelled with the class that declares the enumeration: through the alias moc would not see an
    // enumeration, and the property would be neither shown as one nor stored.
    Q_PROPERTY(QXPlatform::TEditStyles::TEditStyle EditStyle READ EditStyle WRITE SetEditStyle)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(TQXItemPropertyEvent OnCustomPreset MEMBER OnCustomPreset)
    Q_PROPERTY(TQXItemPropertyQueryEvent OnMatchPreset MEMBER OnMatchPreset)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnEditButtonClick MEMBER OnEditButtonClick)
    Q_PROPERTY(TQXGetPickListEvent OnGetPickList MEMBER OnGetPickList)
    Q_PROPERTY(TQXItemGetPropertyEvent OnGetProperty MEMBER OnGetProperty)
    Q_PROPERTY(TQXItemSetPropertyEvent OnSetProperty MEMBER OnSetProperty)
    Q_PROPERTY(TQXOnValidateEvent OnValidate MEMBER OnValidate)
    Q_PROPERTY(TQXOnValidateEvent OnValidated MEMBER OnValidated)
    Q_PROPERTY(TQXOnValidateErrorEvent OnValidateError MEMBER OnValidateError)
    Q_PROPERTY(QXPlatform::TStrings *PickList READ PickList WRITE SetPickList)
    Q_PROPERTY(TQXPresetMatchTypes_::TQXPropertyPresetTypes Actions READ Actions WRITE SetActions)
    QX_DEFAULT(Active, "True")
    QX_DEFAULT(MatchTypes, "[]")
    QX_DEFAULT(TypeKinds, "[]")
    QX_DEFAULT(Alias, "")
    QX_DEFAULT(Inclusive, "True")
    QX_DEFAULT(Name, "")
    QX_DEFAULT(ParentTypeKinds, "[]")
    QX_DEFAULT(Hint, "")
    QX_DEFAULT(EditStyle, "esSimple")
    QX_DEFAULT(EditMask, "")

public:
    Q_INVOKABLE explicit TQXPropertyPreset(QXPlatform::TCollection *Collection);
    ~TQXPropertyPreset() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPreset)

    bool Active() const { return m_active; }
    void SetActive(bool Value);
    TQXPresetMatchTypes MatchTypes() const { return m_matchTypes; }
    void SetMatchTypes(TQXPresetMatchTypes Value);
    QXPlatform::TTypeKinds TypeKinds() const { return m_typeKinds; }
    void SetTypeKinds(QXPlatform::TTypeKinds Value);
    QXPlatform::TStrings *TypeNames() const { return m_typeNames; }
    void SetTypeNames(QXPlatform::TStrings *Value);
    QXPlatform::TStrings *ParentClassNames() const { return m_parentClassNames; }
    void SetParentClassNames(QXPlatform::TStrings *Value);
    QString Alias() const { return m_alias; }
    void SetAlias(const QString &Value);
    bool Inclusive() const { return m_inclusive; }
    void SetInclusive(bool Value);
    QXPlatform::TFont *Font() const { return m_font; }
    void SetFont(QXPlatform::TFont *Value);
    QXPlatform::TFont *ValueFont() const { return m_valueFont; }
    void SetValueFont(QXPlatform::TFont *Value);
    QString Name() const { return m_name; }
    void SetName(const QString &Value);
    QXPlatform::TStrings *PropNames() const { return m_propNames; }
    void SetPropNames(QXPlatform::TStrings *Value);
    QXPlatform::TStrings *ParentPropNames() const { return m_parentPropNames; }
    void SetParentPropNames(QXPlatform::TStrings *Value);
    QXPlatform::TTypeKinds ParentTypeKinds() const { return m_parentTypeKinds; }
    void SetParentTypeKinds(QXPlatform::TTypeKinds Value);
    QXPlatform::TStrings *ParentTypeNames() const { return m_parentTypeNames; }
    void SetParentTypeNames(QXPlatform::TStrings *Value);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &Value);
    QXPlatform::TEditStyle EditStyle() const { return m_editStyle; }
    void SetEditStyle(QXPlatform::TEditStyle Value);
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &Value);
    /// Made on first use.
    QXPlatform::TStrings *PickList() const;
    void SetPickList(QXPlatform::TStrings *Value);
    /// Whether the pick list exists and has lines.
    bool HasPickList() const;
    TQXPropertyPresetTypes Actions() const { return m_actions; }
    /// A set holding both pftReadOnly and pftWritable, or both pftVisible and pftHidden, is ignored.
    void SetActions(TQXPropertyPresetTypes Value);

    QString GetDisplayName() const override;
    /// The inspector owning the preset's collection; null otherwise.
    TQXCustomObjectInspector *GetInspector() const;
    /// Sender itself when it is a row; else the inspector's row at path PropName; else null. For the
    /// handlers a preset gives to rows.
    TQXItemProperty *GetItemProperty(QObject *Sender, const QString &PropName) const;

    /// Whether the preset applies to Item: the tests MatchTypes names, Inclusive, then OnMatchPreset
    /// (or the inspector's MatchPreset) has the last word.
    virtual bool Matches(TQXItemProperty *Item);
    /// Copies what Actions name onto Item.
    virtual void CopyPreset(TQXItemProperty *Item);
    /// The inspector's font or value font changed: the preset's fonts follow, keeping their differences.
    virtual void ParentFontChanged();
    virtual void ParentValueFontChanged();

    void Assign(const QObject *Source) override;
    void DefineProperties(QXPlatform::TFiler *Filer) override;

    TQXItemPropertyEvent OnCustomPreset;
    TQXItemPropertyQueryEvent OnMatchPreset;
    QXPlatform::TNotifyEvent OnEditButtonClick;
    TQXGetPickListEvent OnGetPickList;
    TQXItemGetPropertyEvent OnGetProperty;
    TQXItemSetPropertyEvent OnSetProperty;
    TQXOnValidateEvent OnValidate;
    TQXOnValidateEvent OnValidated;
    TQXOnValidateErrorEvent OnValidateError;

protected:
    /// One of the five name lists changed: its match type follows whether it has lines.
    virtual void StringsChange(QXPlatform::TStrings *Sender);
    /// The pick list changed: the edit style follows between esSimple and esPickList.
    virtual void PickListChange();
    void AssignTo(QObject *Dest) const override;

private:
    QXPlatform::TTypeKindSet::TTypeKinds TypeKindSet() const
    {
        return QXPlatform::TTypeKindSet::From(m_typeKinds);
    }
    void SetTypeKindSet(QXPlatform::TTypeKindSet::TTypeKinds Value)
    {
        SetTypeKinds(QXPlatform::TTypeKindSet::To(Value));
    }
    QXPlatform::TTypeKindSet::TTypeKinds ParentTypeKindSet() const
    {
        return QXPlatform::TTypeKindSet::From(m_parentTypeKinds);
    }
    void SetParentTypeKindSet(QXPlatform::TTypeKindSet::TTypeKinds Value)
    {
        SetParentTypeKinds(QXPlatform::TTypeKindSet::To(Value));
    }
    friend class TQXPropertyPresets;
    QXPlatform::TStringList *makeList();
    /// The inspector whose fonts the preset's fonts follow: also while the preset is being constructed.
    TQXCustomObjectInspector *fontInspector() const;
    /// Both fonts take the inspector's fonts again, keeping their own differences, without a change
    /// notification (the callers' own notification follows).
    void followInspectorFonts();
    void fontChanged(QObject *Sender);
    void assignFrom(const TQXPropertyPreset *source);
    void getOriginalFont(QObject *Sender, QXPlatform::TFont *&Font) const;
    void setAction(TQXPropertyPresetType Action, bool On);
    bool nameTest(TQXItemProperty *Item, const QXPlatform::TStrings *Names, bool CheckName,
                  bool CheckFullName) const;
    bool typeTest(TQXItemProperty *Item, QXPlatform::TTypeKinds Kinds,
                  const QXPlatform::TStrings *Names) const;

    /// Whether the class a type name stands for matches a type name list, worked out once per type name
    /// and not per row; forgotten when the list or the class registry changes.
    struct ClassMatches
    {
        quint64 registryGeneration = 0;
        QHash<QString, signed char> byTypeName; // 1 matches, 0 does not, -1 names no registered class
        QHash<const QMetaObject *, bool> byClass; // the classes of rows' objects
        void clear()
        {
            byTypeName.clear();
            byClass.clear();
        }
    };
    mutable ClassMatches m_typeNameClasses; // for TypeNames
    mutable ClassMatches m_parentTypeNameClasses; // for ParentTypeNames

    bool m_active = true;
    bool m_inclusive = true;
    TQXPresetMatchTypes m_matchTypes;
    TQXPropertyPresetTypes m_actions;
    QXPlatform::TTypeKinds m_typeKinds;
    QXPlatform::TTypeKinds m_parentTypeKinds;
    QString m_alias;
    QString m_name;
    QString m_hint;
    QString m_editMask;
    QXPlatform::TEditStyle m_editStyle = QXPlatform::esSimple;
    QXPlatform::TStringList *m_typeNames = nullptr;
    QXPlatform::TStringList *m_parentClassNames = nullptr;
    QXPlatform::TStringList *m_propNames = nullptr;
    QXPlatform::TStringList *m_parentPropNames = nullptr;
    QXPlatform::TStringList *m_parentTypeNames = nullptr;
    mutable QXPlatform::TStringList *m_pickList = nullptr;
    TQXCustomDeltaFont *m_font = nullptr;
    TQXCustomDeltaFont *m_valueFont = nullptr;
    bool m_assigning = false; // Assign copying: the lists and fonts send no notification of their own
    // The fonts are following the inspector's: not the preset's own change, so no action is added.
    bool m_followingFonts = false;
};

/// What a reader or writer bound to a preset does once its preset is gone: it reads or writes the
/// property as a row without a preset does (a row keeps its handlers until the rows are brought in step
/// with the presets, and an edit must never pass for written when it was not). Other handlers do nothing.
QXINSPECTORCORE_EXPORT void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &PropName,
                                              QString &Value);
QXINSPECTORCORE_EXPORT void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &PropName,
                                              const QString &Value);
template<class... Args> void PresetHandlerGone(Args &&...)
{ }

/// A handler that a preset gives itself: one of its own methods, bound to it. Assign hands a copy the
/// same method bound to the copy, so that a copy serves the inspector it was copied into, whatever
/// becomes of the preset it was copied from.
template<class... Args> class TQXPresetMethod
{
public:
    template<class Preset>
    TQXPresetMethod(Preset *Owner, void (Preset::*Method)(Args...))
        : m_preset(Owner)
        , m_class(&Preset::staticMetaObject)
        , m_call([Method](TQXPropertyPreset *preset, Args... args) {
            (static_cast<Preset *>(preset)->*Method)(std::forward<Args>(args)...);
        })
    { }

    void operator()(Args... args) const
    {
        if (m_preset)
            m_call(m_preset.data(), std::forward<Args>(args)...);
        else
            PresetHandlerGone(std::forward<Args>(args)...);
    }
    /// The preset the method is bound to; null once it is gone.
    const TQXPropertyPreset *Preset() const { return m_preset.data(); }
    /// Whether Other is of the class that declares the method.
    bool Fits(const TQXPropertyPreset *Other) const
    {
        return Other && Other->metaObject()->inherits(m_class);
    }
    /// The same method bound to Other, which must fit.
    TQXPresetMethod BoundTo(TQXPropertyPreset *Other) const
    {
        TQXPresetMethod result(*this);
        result.m_preset = Other;
        return result;
    }

private:
    QPointer<TQXPropertyPreset> m_preset;
    const QMetaObject *m_class;
    std::function<void(TQXPropertyPreset *, Args...)> m_call;
};

/// Handler bound to Method of Owner, for the preset's own events.
template<class Preset, class... Args>
TQXPresetMethod<Args...> PresetMethod(Preset *Owner, void (Preset::*Method)(Args...))
{
    return TQXPresetMethod<Args...>(Owner, Method);
}

class QXINSPECTORCORE_EXPORT TQXPropertyPresets : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
public:
    explicit TQXPropertyPresets(QObject *AOwner);
    ~TQXPropertyPresets() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPresets)

    TQXPropertyPreset *Items(int Index) const
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::Items(Index));
    }
    void SetItem(int Index, TQXPropertyPreset *Value) { TOwnedCollection::SetItem(Index, Value); }
    TQXPropertyPreset *Add() { return static_cast<TQXPropertyPreset *>(TOwnedCollection::Add()); }
    /// A new preset of PresetClass (a TQXPropertyPreset class).
    TQXPropertyPreset *Add(const QMetaObject *PresetClass);
    TQXPropertyPreset *Insert(int Index)
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::Insert(Index));
    }
    TQXPropertyPreset *FindItemID(int ID) const
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::FindItemID(ID));
    }
    /// The first preset whose class is exactly PresetClass; -1 when there is none.
    int IndexOf(const QMetaObject *PresetClass) const;
    /// The first preset whose display name is Name (case counts); -1 when there is none.
    int IndexOf(const QString &Name) const;
    /// The inspector owning the collection; null otherwise.
    TQXCustomObjectInspector *GetInspector() const;

    /// From another collection of presets: each copy is of its source's class and takes its settings
    /// (its Assign), and belongs to this collection's inspector: the handlers the source preset gave
    /// itself are bound to the copy, and the copy's fonts follow this inspector's fonts.
    void Assign(const QObject *Source) override;

    /// Applies each active preset that matches Item, in collection order, refreshing the row after each;
    /// a refresh that finds the row's object path gone ends the presets for that row.
    void CopyPresetsToProperty(TQXItemProperty *Item);

protected:
    void Notify(QXPlatform::TCollectionItem *Item, QXPlatform::TCollectionNotification Action) override;
    void Update(QXPlatform::TCollectionItem *Item) override;
};

/// The registry of preset classes, in registration order; read it under its lock. Null before the first
/// registration.
QXINSPECTORCORE_EXPORT QXPlatform::TThreadList<const QMetaObject *> *RegisteredPresets();
/// Registers PresetClass with the class registry (so stored presets come back by class name) and enters
/// it, then its ancestors up to but not including TQXPropertyPreset, until one is already entered.
QXINSPECTORCORE_EXPORT void RegisterPreset(const QMetaObject *PresetClass);
QXINSPECTORCORE_EXPORT void RegisterPresets(std::initializer_list<const QMetaObject *> PresetClasses);
/// Removes PresetClass and, while they are entered, its ancestors up to TQXPropertyPreset.
QXINSPECTORCORE_EXPORT void UnregisterPreset(const QMetaObject *PresetClass);
QXINSPECTORCORE_EXPORT void UnregisterPresets(std::initializer_list<const QMetaObject *> PresetClasses);
/// Whether AClass or one of its ancestors is named in Names (letter case ignored); false for no class.
/// "TComponent" names every component class (IsComponentClass).
QXINSPECTORCORE_EXPORT bool IsMatchClassName(const QMetaObject *AClass, const QXPlatform::TStrings *Names);
QXINSPECTORCORE_EXPORT bool IsMatchClassName(const QMetaObject *AClass, const QString &Name);
