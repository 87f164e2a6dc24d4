/// \file
/// Presets: rules that the object inspector applies to the rows it builds. A preset matches rows by
/// property name, type, the class of the inspected object or the row's parent property, and gives each
/// matching row an alias, read-only and visibility flags, a hint, an edit style with its pick list or
/// button handler, an edit mask, value-access and validation handlers and fonts, as its Actions say.
///
/// The inspector owns a TQXPropertyPresets collection and applies every active, matching preset to every
/// row after each scan, after loading and whenever a preset changes; new inspectors start with one preset
/// of each class in the process-wide preset registry.
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
#include <QPair>
#include <QPointer>
#include <array>
#include <functional>
#include <initializer_list>

class TQXCustomObjectInspector;
class TQXPropertyPresets;

/// The two sets a preset is made of: which tests it makes and what it does to a matching row (bit n of
/// a set is value n). Declared in a gadget so that both sets are Q_FLAGs a preset can publish and store.
struct QXINSPECTORCORE_EXPORT TQXPresetMatchTypes_
{
    Q_GADGET
public:
    /// Which tests a preset makes (bit n of the set is value n). A row matches when it passes every test
    /// the set names; the parent tests look at the row's nearest ancestor of class type.
    enum TQXPresetMatchType : quint32 {
        mtPropertyName = 1u << 0, ///< the row's name is in PropNames
        mtFullPropertyName = 1u << 1, ///< the row's full path name is in PropNames
        /// The row's type kind is in TypeKinds and its type name in TypeNames (any name while TypeNames
        /// is empty); a class-typed row also matches the names of its class's ancestors.
        mtPropertyType = 1u << 2,
        /// The class of the first inspected object, or one of its ancestors, is in ParentClassNames (any
        /// class while the list is empty).
        mtClassName = 1u << 3,
        mtParentPropertyName = 1u << 4, ///< the parent's name is in ParentPropNames
        mtParentFullPropertyName = 1u << 5, ///< the parent's full path name is in ParentPropNames
        /// The parent's type, as for mtPropertyType, against ParentTypeKinds and ParentTypeNames.
        mtParentPropertyType = 1u << 6,
    };
    Q_DECLARE_FLAGS(TQXPresetMatchTypes, TQXPresetMatchType)
    Q_FLAG(TQXPresetMatchTypes)

    /// What a preset does to a matching row (bit n is value n).
    enum TQXPropertyPresetType : quint32 {
        /// OnCustomPreset (or, without it, the inspector's OnCustomPreset) equips the row as it likes.
        pftCustom = 1u << 0,
        pftAlias = 1u << 1, ///< the row shows Alias as its name
        pftReadOnly = 1u << 2, ///< the row becomes read-only
        pftWritable = 1u << 3, ///< the row becomes writable
        pftVisible = 1u << 4, ///< the row is shown
        pftHidden = 1u << 5, ///< the row is hidden
        pftHint = 1u << 6, ///< the row's hint is Hint
        /// The row takes EditStyle, with OnEditButtonClick for an ellipsis, or the pick list (when it
        /// has lines) and OnGetPickList for a drop-down list.
        pftEditStyle = 1u << 7,
        pftEditMask = 1u << 8, ///< the row's edit mask is EditMask
        /// The row reads, writes and validates its value through the preset's OnGetProperty,
        /// OnSetProperty, OnValidate, OnValidated and OnValidateError.
        pftValidate = 1u << 9,
        pftFont = 1u << 10, ///< the row's name is drawn in Font
        pftValueFont = 1u << 11, ///< the row's value is drawn in ValueFont
    };
    Q_DECLARE_FLAGS(TQXPropertyPresetTypes, TQXPropertyPresetType)
    Q_FLAG(TQXPropertyPresetTypes)
};
/// TQXPresetMatchTypes_::TQXPresetMatchType at namespace level.
using TQXPresetMatchType = TQXPresetMatchTypes_::TQXPresetMatchType;
/// A set of match types.
using TQXPresetMatchTypes = TQXPresetMatchTypes_::TQXPresetMatchTypes;
/// TQXPresetMatchTypes_::TQXPropertyPresetType at namespace level.
using TQXPropertyPresetType = TQXPresetMatchTypes_::TQXPropertyPresetType;
/// A set of actions.
using TQXPropertyPresetTypes = TQXPresetMatchTypes_::TQXPropertyPresetTypes;
using enum TQXPresetMatchTypes_::TQXPresetMatchType;
using enum TQXPresetMatchTypes_::TQXPropertyPresetType;
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXPresetMatchTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXPropertyPresetTypes)

/// One rule of an inspector's presets: which rows it matches (MatchTypes and the lists and kinds they
/// test, Inclusive, OnMatchPreset) and what it gives them (Actions and the settings they name). Every
/// change of a setting is reported to the collection, so the inspector equips its rows again. Preset
/// classes derive from it and fill in a rule in their constructors.
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
    /// A preset in Collection (null: none) that is active and inclusive, makes no tests and has no
    /// actions; its fonts follow the fonts of the collection's inspector.
    Q_INVOKABLE explicit TQXPropertyPreset(QXPlatform::TCollection *Collection);
    ~TQXPropertyPreset() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPreset)

    ///@{
    /// Whether the inspector applies the preset at all.
    bool Active() const { return m_active; }
    void SetActive(bool Value);
    ///@}
    ///@{
    /// The tests the preset makes; none means the preset matches no row (before Inclusive). Filling or
    /// emptying a name list sets or clears the test that reads it.
    TQXPresetMatchTypes MatchTypes() const { return m_matchTypes; }
    void SetMatchTypes(TQXPresetMatchTypes Value);
    ///@}
    ///@{
    /// The type kinds mtPropertyType accepts; exactly tkUnknown accepts every row.
    QXPlatform::TTypeKinds TypeKinds() const { return m_typeKinds; }
    void SetTypeKinds(QXPlatform::TTypeKinds Value);
    ///@}
    ///@{
    /// The type names mtPropertyType accepts (any case); owned, the setter copies the lines.
    QXPlatform::TStrings *TypeNames() const { return m_typeNames; }
    void SetTypeNames(QXPlatform::TStrings *Value);
    ///@}
    ///@{
    /// The classes mtClassName accepts for the first inspected object (any case, ancestors count); owned,
    /// the setter copies the lines.
    QXPlatform::TStrings *ParentClassNames() const { return m_parentClassNames; }
    void SetParentClassNames(QXPlatform::TStrings *Value);
    ///@}
    ///@{
    /// The name pftAlias gives a matching row; a non-empty alias adds pftAlias, an empty one removes it.
    QString Alias() const { return m_alias; }
    void SetAlias(const QString &Value);
    ///@}
    ///@{
    /// Whether the preset matches the rows that pass its tests (true) or those that fail them (false).
    bool Inclusive() const { return m_inclusive; }
    void SetInclusive(bool Value);
    ///@}
    ///@{
    /// The font pftFont gives a matching row's name: the inspector's font with the preset's own
    /// differences. Owned, the setter copies Value; a change of the preset's own adds pftFont.
    QXPlatform::TFont *Font() const { return m_font; }
    void SetFont(QXPlatform::TFont *Value);
    ///@}
    ///@{
    /// The font pftValueFont gives a matching row's value: the inspector's value font with the preset's
    /// own differences. Owned, the setter copies Value; a change of the preset's own adds pftValueFont.
    QXPlatform::TFont *ValueFont() const { return m_valueFont; }
    void SetValueFont(QXPlatform::TFont *Value);
    ///@}
    ///@{
    /// The preset's display name; empty shows the class name.
    QString Name() const { return m_name; }
    void SetName(const QString &Value);
    ///@}
    ///@{
    /// The row names (mtPropertyName) or full path names (mtFullPropertyName) the preset accepts, any
    /// case; owned, the setter copies the lines.
    QXPlatform::TStrings *PropNames() const { return m_propNames; }
    void SetPropNames(QXPlatform::TStrings *Value);
    ///@}
    ///@{
    /// The parent names (mtParentPropertyName) or full path names (mtParentFullPropertyName) the preset
    /// accepts, any case; owned, the setter copies the lines.
    QXPlatform::TStrings *ParentPropNames() const { return m_parentPropNames; }
    void SetParentPropNames(QXPlatform::TStrings *Value);
    ///@}
    ///@{
    /// The type kinds mtParentPropertyType accepts; exactly tkUnknown accepts every parent.
    QXPlatform::TTypeKinds ParentTypeKinds() const { return m_parentTypeKinds; }
    void SetParentTypeKinds(QXPlatform::TTypeKinds Value);
    ///@}
    ///@{
    /// The type names mtParentPropertyType accepts (any case); owned, the setter copies the lines.
    QXPlatform::TStrings *ParentTypeNames() const { return m_parentTypeNames; }
    void SetParentTypeNames(QXPlatform::TStrings *Value);
    ///@}
    ///@{
    /// The hint pftHint gives a matching row; a non-empty hint adds pftHint, an empty one removes it.
    QString Hint() const { return m_hint; }
    void SetHint(const QString &Value);
    ///@}
    ///@{
    /// The edit style pftEditStyle gives a matching row; setting another style adds pftEditStyle.
    QXPlatform::TEditStyle EditStyle() const { return m_editStyle; }
    void SetEditStyle(QXPlatform::TEditStyle Value);
    ///@}
    ///@{
    /// The edit mask pftEditMask gives a matching row; a non-empty mask adds pftEditMask, an empty one
    /// removes it.
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &Value);
    ///@}
    ///@{
    /// The entries a matching row's drop-down list offers (esPickList). Owned and made on first use; the
    /// setter copies the lines. Filling the list turns esSimple into esPickList, emptying it turns
    /// esPickList back into esSimple.
    QXPlatform::TStrings *PickList() const;
    void SetPickList(QXPlatform::TStrings *Value);
    ///@}
    /// Whether the pick list exists and has lines.
    bool HasPickList() const;
    ///@{
    /// What the preset does to a matching row. A set holding both pftReadOnly and pftWritable, or both
    /// pftVisible and pftHidden, is ignored.
    TQXPropertyPresetTypes Actions() const { return m_actions; }
    void SetActions(TQXPropertyPresetTypes Value);
    ///@}

    /// Name, or the class name while Name is empty.
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
    ///@{
    /// The inspector's font or value font changed: the preset's fonts follow, keeping their differences.
    virtual void ParentFontChanged();
    virtual void ParentValueFontChanged();
    ///@}

    /// From another preset: every setting, the lists, the fonts' differences and the handlers it gives to
    /// rows, with one change notification; a handler the source bound to itself is bound to this preset
    /// instead.
    void Assign(const QObject *Source) override;
    /// Stores what the published properties cannot say: which lists were emptied, and the match types,
    /// edit style and actions where they differ from what reading the other properties makes of them.
    void DefineProperties(QXPlatform::TFiler *Filer) override;

    /// Equips a matching row as it likes (pftCustom); without it the inspector's OnCustomPreset does.
    TQXItemPropertyEvent OnCustomPreset;
    /// Last word on whether the preset matches a row; Result arrives as the tests decided. Without it the
    /// inspector's OnMatchPreset has it.
    TQXItemPropertyQueryEvent OnMatchPreset;
    /// Given to matching rows of edit style esEllipsis (pftEditStyle): the ellipsis button's handler.
    QXPlatform::TNotifyEvent OnEditButtonClick;
    /// Given to matching rows of edit style esPickList (pftEditStyle): fills their drop-down list.
    TQXGetPickListEvent OnGetPickList;
    /// Given to matching rows (pftValidate): reads the text a row shows.
    TQXItemGetPropertyEvent OnGetProperty;
    /// Given to matching rows (pftValidate): writes a row's text to its objects.
    TQXItemSetPropertyEvent OnSetProperty;
    /// Given to matching rows (pftValidate): checks an edited value; raising refuses it.
    TQXOnValidateEvent OnValidate;
    /// Given to matching rows (pftValidate): told that an edited value was accepted.
    TQXOnValidateEvent OnValidated;
    /// Given to matching rows (pftValidate): receives a refused value's error.
    TQXOnValidateErrorEvent OnValidateError;

protected:
    /// One of the five name lists changed: its match type follows whether it has lines.
    virtual void StringsChange(QXPlatform::TStrings *Sender);
    /// The pick list changed: the edit style follows between esSimple and esPickList.
    virtual void PickListChange();
    /// Into a row: CopyPreset; anything else as a collection item.
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
    /// The name lists, each with the match type it drives: a list with lines sets its type.
    std::array<QPair<QXPlatform::TStringList *, TQXPresetMatchType>, 5> listMatchTypes() const;
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
        QString lastTypeName; // the type name looked up last (null: none) and what byTypeName said
        signed char lastByTypeName = -1;
        // Within one match pass (its serial): the class-typed row tested last and the answer for it.
        QPointer<const TQXItemProperty> lastRow;
        quint64 lastPass = 0;
        bool lastResult = false;
        void clear()
        {
            byTypeName.clear();
            byClass.clear();
            lastTypeName = QString();
            lastRow.clear();
        }
    };
    /// The class test of typeTest for a class-typed row, through Known.
    bool classTest(ClassMatches &Known, TQXItemProperty *Item, const QXPlatform::TStrings *Names) const;
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

///@{
/// What a reader or writer bound to a preset does once its preset is gone: it reads or writes the
/// property as a row without a preset does (a row keeps its handlers until the rows are brought in step
/// with the presets, and an edit must never pass for written when it was not). Other handlers do nothing.
/// A writer whose row belongs to no inspector raises EPropertyConvertError.
QXINSPECTORCORE_EXPORT void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &PropName,
                                              QString &Value);
QXINSPECTORCORE_EXPORT void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &PropName,
                                              const QString &Value);
template<class... Args> void PresetHandlerGone(Args &&...)
{ }
///@}

/// A handler that a preset gives itself: one of its own methods, bound to it. Assign hands a copy the
/// same method bound to the copy, so that a copy serves the inspector it was copied into, whatever
/// becomes of the preset it was copied from.
template<class... Args> class TQXPresetMethod
{
public:
    /// Method of Owner; Owner's class is the class that declares the method.
    template<class Preset>
    TQXPresetMethod(Preset *Owner, void (Preset::*Method)(Args...))
        : m_preset(Owner)
        , m_class(&Preset::staticMetaObject)
        , m_call([Method](TQXPropertyPreset *preset, Args... args) {
            (static_cast<Preset *>(preset)->*Method)(std::forward<Args>(args)...);
        })
    { }

    /// Calls the method on its preset; once the preset is gone, does what PresetHandlerGone does.
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

/// The presets of an inspector, applied to each row in collection order: a later preset overrides an
/// earlier one for what both set. Every preset added, removed or changed is reported to the inspector,
/// which equips its rows again.
class QXINSPECTORCORE_EXPORT TQXPropertyPresets : public QXPlatform::TOwnedCollection
{
    Q_OBJECT
public:
    /// An empty collection of TQXPropertyPreset items owned by AOwner (the inspector, as a rule).
    explicit TQXPropertyPresets(QObject *AOwner);
    ~TQXPropertyPresets() override;
    Q_DISABLE_COPY_MOVE(TQXPropertyPresets)

    ///@{
    /// The preset at position Index.
    TQXPropertyPreset *Items(int Index) const
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::Items(Index));
    }
    void SetItem(int Index, TQXPropertyPreset *Value) { TOwnedCollection::SetItem(Index, Value); }
    ///@}
    /// A new TQXPropertyPreset at the end.
    TQXPropertyPreset *Add() { return static_cast<TQXPropertyPreset *>(TOwnedCollection::Add()); }
    /// A new preset of PresetClass (a TQXPropertyPreset class).
    TQXPropertyPreset *Add(const QMetaObject *PresetClass);
    /// A new TQXPropertyPreset at position Index.
    TQXPropertyPreset *Insert(int Index)
    {
        return static_cast<TQXPropertyPreset *>(TOwnedCollection::Insert(Index));
    }
    /// The preset whose identifier is ID; null when there is none.
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

    /// One pass of the presets over many rows, as the inspector makes after a scan. While one is open,
    /// the class of a class-typed row whose type name names no registered class (which the type tests
    /// then read from the row's object) is worked out once, not once per preset, and each preset keeps
    /// its answer for the row it tested last: the rows below one object all test that object's row as
    /// their parent. Applying a preset to a row runs the application's code, so it forgets both.
    class QXINSPECTORCORE_EXPORT TMatchPass
    {
    public:
        /// Opens a pass; one opened while another is open serves until it closes.
        TMatchPass();
        /// Closes the pass; the one open around it forgets what it knew.
        ~TMatchPass();
        Q_DISABLE_COPY_MOVE(TMatchPass)

        /// The open pass, or null.
        static TMatchPass *Current() { return s_current; }
        /// Tells the rows' classes apart from here on: what the pass knew is forgotten.
        void Forget();
        /// Item->GetObjectPropertyClass(), worked out once per row while the pass knows the row.
        const QMetaObject *ObjectClassOf(const TQXItemProperty *Item);
        /// Tells the pass's answers apart from those of another pass, or of the same before a Forget.
        quint64 Serial() const { return m_serial; }

    private:
        struct Known
        {
            QPointer<const TQXItemProperty> row;
            const QMetaObject *objectClass = nullptr;
        };
        static inline TMatchPass *s_current = nullptr;
        TMatchPass *m_outer;
        quint64 m_serial = 0;
        std::array<Known, 2> m_known; // a row and its parent: the tests of one row read both
        int m_next = 0;
    };

protected:
    /// A preset added follows the inspector's fonts from now on; the inspector hears of every addition
    /// and removal.
    void Notify(QXPlatform::TCollectionItem *Item, QXPlatform::TCollectionNotification Action) override;
    /// The inspector hears of every change of one preset (Item) or of the whole collection (null).
    void Update(QXPlatform::TCollectionItem *Item) override;
};

/// The registry of preset classes, in registration order; read it under its lock. Null before the first
/// registration.
QXINSPECTORCORE_EXPORT QXPlatform::TThreadList<const QMetaObject *> *RegisteredPresets();
/// Registers PresetClass with the class registry (so stored presets come back by class name) and enters
/// it, then its ancestors up to but not including TQXPropertyPreset, until one is already entered.
/// EInvalidCast for a class that is no preset class.
QXINSPECTORCORE_EXPORT void RegisterPreset(const QMetaObject *PresetClass);
/// RegisterPreset for each of PresetClasses, in order.
QXINSPECTORCORE_EXPORT void RegisterPresets(std::initializer_list<const QMetaObject *> PresetClasses);
/// Removes PresetClass and, while they are entered, its ancestors up to TQXPropertyPreset.
QXINSPECTORCORE_EXPORT void UnregisterPreset(const QMetaObject *PresetClass);
/// UnregisterPreset for each of PresetClasses, in order.
QXINSPECTORCORE_EXPORT void UnregisterPresets(std::initializer_list<const QMetaObject *> PresetClasses);
///@{
/// Whether AClass or one of its ancestors is named in Names, or named Name (letter case ignored); false
/// for no class or no list. "TComponent" names every component class (IsComponentClass).
QXINSPECTORCORE_EXPORT bool IsMatchClassName(const QMetaObject *AClass, const QXPlatform::TStrings *Names);
QXINSPECTORCORE_EXPORT bool IsMatchClassName(const QMetaObject *AClass, const QString &Name);
///@}
