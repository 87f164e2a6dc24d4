#include "QXPropertyPreset.h"

#include "ClassRegistry.h"
#include "QXCustomObjectInspector.h"
#include "QXInspectorObjects.h"
#include "QXItemProperty.h"
#include "Streaming.h"

#include <QMetaEnum>
#include <QScopedValueRollback>
#include <memory>

using namespace QXPlatform;

// ---------------------------------------------------------------------------------------------------
// TQXPropertyPreset

namespace {

// A preset's font is stored as what the preset changes of the inspector's font: the attributes it
// overrides, and which they are. A preset read back, or read where the inspector's font is another,
// overrides the same attributes and follows the inspector in all others; a stored font records nothing
// of the font the inspector had when it was written. (Stored fonts without the record of overrides,
// of older files, come back with every attribute stored as the preset's own.)
class TQXPresetFont : public TQXCustomDeltaFont
{
public:
    bool IsStoredProperty(const char *Name) const override
    {
        const QByteArray name(Name);
        if (name == "Name")
            return IsNameOverridden();
        if (name == "Size")
            return IsSizeOverridden();
        if (name == "Height")
            return false; // the size says it
        if (name == "Color")
            return IsColorOverridden();
        if (name == "Style")
            return AddedStyles() || RemovedStyles();
        return TQXCustomDeltaFont::IsStoredProperty(Name);
    }

    void DefineProperties(TFiler *Filer) override
    {
        TQXCustomDeltaFont::DefineProperties(Filer);
        Filer->DefineProperty(
            QStringLiteral("Overrides"),
            [this](TReader *Reader) {
                Reader->ReadListBegin();
                const QStringList own = Reader->ReadSet();
                const qint64 added = Reader->ReadInteger();
                const qint64 removed = Reader->ReadInteger();
                Reader->ReadListEnd();
                const qint64 styles = fsBold | fsItalic | fsUnderline | fsStrikeOut;
                if ((added & ~styles) || (removed & ~styles))
                    throw EReadError(QStringLiteral("Error reading %1: invalid styles").arg(Reader->Path()));
                if (Reader->Checking())
                    return;
                SetOverrides(own.contains(QLatin1String("Name")), own.contains(QLatin1String("Size")),
                             own.contains(QLatin1String("Color")), TFontStyles(int(added)),
                             TFontStyles(int(removed)));
                // Read into a preset of an inspector: the attributes that are not its own follow at once.
                OriginalFontChanged(OriginalFont());
            },
            [this](TWriter *Writer) {
                QStringList own;
                if (IsNameOverridden())
                    own << QStringLiteral("Name");
                if (IsSizeOverridden())
                    own << QStringLiteral("Size");
                if (IsColorOverridden())
                    own << QStringLiteral("Color");
                Writer->WriteListBegin();
                Writer->WriteSet(own);
                Writer->WriteInteger(AddedStyles().toInt());
                Writer->WriteInteger(RemovedStyles().toInt());
                Writer->WriteListEnd();
            },
            HasDelta());
    }
};

} // namespace

TQXPropertyPreset::TQXPropertyPreset(TCollection *Collection)
    : TCollectionItem(Collection)
{
    m_typeNames = makeList();
    m_parentClassNames = makeList();
    m_propNames = makeList();
    m_parentPropNames = makeList();
    m_parentTypeNames = makeList();

    m_font = Create<TQXPresetFont>();
    m_valueFont = Create<TQXPresetFont>();
    // Bound to their references first, so that taking the inspector's fonts records no difference of
    // the preset's own, and before their changes are heard, so that it adds no pftFont.
    for (TQXCustomDeltaFont *font : { m_font, m_valueFont })
        font->OnGetOriginalFont = [this](QObject *Sender, TFont *&Font) { getOriginalFont(Sender, Font); };
    followInspectorFonts();
    // The preset follows its fonts and lists through their signals: their events are the application's.
    // Each is the context of its own connection, freed by the preset before it goes itself.
    for (TQXCustomDeltaFont *font : { m_font, m_valueFont })
        QObject::connect(font, &TFont::changed, font, [this, font] { fontChanged(font); });
}

TQXPropertyPreset::~TQXPropertyPreset()
{
    // Lists and fonts first, then the item leaves its collection in the base destructor.
    Free(m_pickList);
    Free(m_valueFont);
    Free(m_font);
    Free(m_parentTypeNames);
    Free(m_parentPropNames);
    Free(m_propNames);
    Free(m_parentClassNames);
    Free(m_typeNames);
}

TStringList *TQXPropertyPreset::makeList()
{
    auto *list = Create<TStringList>();
    list->SetCaseSensitive(false);
    QObject::connect(list, &TStrings::changed, list, [this, list] { StringsChange(list); });
    return list;
}

void TQXPropertyPreset::setAction(TQXPropertyPresetType Action, bool On)
{
    m_actions.setFlag(Action, On);
}

void TQXPropertyPreset::SetActive(bool Value)
{
    if (Value == m_active)
        return;
    m_active = Value;
    Changed(false);
}

void TQXPropertyPreset::SetMatchTypes(TQXPresetMatchTypes Value)
{
    if (Value == m_matchTypes)
        return;
    m_matchTypes = Value;
    Changed(false);
}

void TQXPropertyPreset::SetTypeKinds(TTypeKinds Value)
{
    if (Value == m_typeKinds)
        return;
    m_typeKinds = Value;
    Changed(false);
}

void TQXPropertyPreset::SetParentTypeKinds(TTypeKinds Value)
{
    if (Value == m_parentTypeKinds)
        return;
    m_parentTypeKinds = Value;
    Changed(false);
}

void TQXPropertyPreset::SetTypeNames(TStrings *Value)
{
    m_typeNames->Assign(Value);
}

void TQXPropertyPreset::SetParentClassNames(TStrings *Value)
{
    m_parentClassNames->Assign(Value);
}

void TQXPropertyPreset::SetPropNames(TStrings *Value)
{
    m_propNames->Assign(Value);
}

void TQXPropertyPreset::SetParentPropNames(TStrings *Value)
{
    m_parentPropNames->Assign(Value);
}

void TQXPropertyPreset::SetParentTypeNames(TStrings *Value)
{
    m_parentTypeNames->Assign(Value);
}

void TQXPropertyPreset::SetAlias(const QString &Value)
{
    if (Value == m_alias)
        return;
    m_alias = Value;
    setAction(pftAlias, !Value.isEmpty());
    Changed(false);
}

void TQXPropertyPreset::SetInclusive(bool Value)
{
    if (Value == m_inclusive)
        return;
    m_inclusive = Value;
    Changed(false);
}

void TQXPropertyPreset::SetFont(TFont *Value)
{
    m_font->Assign(Value);
}

void TQXPropertyPreset::SetValueFont(TFont *Value)
{
    m_valueFont->Assign(Value);
}

void TQXPropertyPreset::SetName(const QString &Value)
{
    if (Value == m_name)
        return;
    m_name = Value;
    Changed(false);
}

void TQXPropertyPreset::SetHint(const QString &Value)
{
    if (Value == m_hint)
        return;
    m_hint = Value;
    setAction(pftHint, !Value.isEmpty());
    Changed(false);
}

void TQXPropertyPreset::SetEditStyle(TEditStyle Value)
{
    if (Value == m_editStyle)
        return;
    m_editStyle = Value;
    setAction(pftEditStyle, true);
    Changed(false);
}

void TQXPropertyPreset::SetEditMask(const QString &Value)
{
    if (Value == m_editMask)
        return;
    m_editMask = Value;
    setAction(pftEditMask, !Value.isEmpty());
    Changed(false);
}

TStrings *TQXPropertyPreset::PickList() const
{
    if (!m_pickList) {
        m_pickList = Create<TStringList>();
        auto *self = const_cast<TQXPropertyPreset *>(this);
        QObject::connect(m_pickList, &TStrings::changed, m_pickList, [self] { self->PickListChange(); });
    }
    return m_pickList;
}

void TQXPropertyPreset::SetPickList(TStrings *Value)
{
    PickList()->Assign(Value);
}

bool TQXPropertyPreset::HasPickList() const
{
    return m_pickList && m_pickList->Count() > 0;
}

void TQXPropertyPreset::SetActions(TQXPropertyPresetTypes Value)
{
    if (Value == m_actions)
        return;
    if ((Value.testFlag(pftReadOnly) && Value.testFlag(pftWritable))
        || (Value.testFlag(pftVisible) && Value.testFlag(pftHidden)))
        return;
    m_actions = Value;
    Changed(false);
}

std::array<QPair<TStringList *, TQXPresetMatchType>, 5> TQXPropertyPreset::listMatchTypes() const
{
    return { {
        { m_propNames, mtPropertyName },
        { m_typeNames, mtPropertyType },
        { m_parentClassNames, mtClassName },
        { m_parentPropNames, mtParentPropertyName },
        { m_parentTypeNames, mtParentPropertyType },
    } };
}

void TQXPropertyPreset::StringsChange(TStrings *Sender)
{
    if (Sender == m_typeNames)
        m_typeNameClasses.clear();
    else if (Sender == m_parentTypeNames)
        m_parentTypeNameClasses.clear();
    for (const auto &[list, matchType] : listMatchTypes())
        if (list == Sender)
            m_matchTypes.setFlag(matchType, list->Count() > 0);
    if (!m_assigning)
        Changed(false);
}

void TQXPropertyPreset::PickListChange()
{
    if (m_assigning) // Assign copies the edit style after the list
        return;
    if (m_editStyle == esSimple && HasPickList())
        SetEditStyle(esPickList);
    else if (m_editStyle == esPickList && !HasPickList())
        SetEditStyle(esSimple);
    Changed(false);
}

void TQXPropertyPreset::fontChanged(QObject *Sender)
{
    const TQXPropertyPresetType action = Sender == m_font ? pftFont : pftValueFont;
    if (m_followingFonts) {
        // Following the inspector is no change of the preset's own; rows that show the font get it.
        if (m_actions.testFlag(action) && !m_assigning)
            Changed(false);
        return;
    }
    setAction(action, true);
    if (!m_assigning)
        Changed(false);
}

TQXCustomObjectInspector *TQXPropertyPreset::fontInspector() const
{
    if (TQXCustomObjectInspector *inspector = GetInspector())
        return inspector;
    auto *presets = qobject_cast<TQXPropertyPresets *>(ConstructingCollection());
    return presets ? presets->GetInspector() : nullptr;
}

void TQXPropertyPreset::getOriginalFont(QObject *Sender, TFont *&Font) const
{
    TQXCustomObjectInspector *inspector = fontInspector();
    if (!inspector)
        Font = nullptr;
    else if (Sender == m_font)
        Font = inspector->Font();
    else
        Font = inspector->ValueFont();
}

void TQXPropertyPreset::followInspectorFonts()
{
    TQXCustomObjectInspector *inspector = fontInspector();
    if (!inspector)
        return;
    const QScopedValueRollback<bool> following(m_followingFonts, true);
    const QScopedValueRollback<bool> quiet(m_assigning, true);
    m_font->OriginalFontChanged(inspector->Font());
    m_valueFont->OriginalFontChanged(inspector->ValueFont());
}

void TQXPropertyPreset::ParentFontChanged()
{
    TQXCustomObjectInspector *inspector = GetInspector();
    if (!inspector)
        return;
    const QScopedValueRollback<bool> following(m_followingFonts, true);
    m_font->OriginalFontChanged(inspector->Font());
}

void TQXPropertyPreset::ParentValueFontChanged()
{
    TQXCustomObjectInspector *inspector = GetInspector();
    if (!inspector)
        return;
    const QScopedValueRollback<bool> following(m_followingFonts, true);
    m_valueFont->OriginalFontChanged(inspector->ValueFont());
}

QString TQXPropertyPreset::GetDisplayName() const
{
    return m_name.isEmpty() ? TCollectionItem::GetDisplayName() : m_name;
}

TQXCustomObjectInspector *TQXPropertyPreset::GetInspector() const
{
    auto *presets = qobject_cast<TQXPropertyPresets *>(Collection());
    return presets ? presets->GetInspector() : nullptr;
}

TQXItemProperty *TQXPropertyPreset::GetItemProperty(QObject *Sender, const QString &PropName) const
{
    if (auto *item = qobject_cast<TQXItemProperty *>(Sender))
        return item;
    if (TQXCustomObjectInspector *inspector = GetInspector())
        return inspector->GetItems()->FindItemByFullPathName(PropName);
    return nullptr;
}

bool TQXPropertyPreset::nameTest(TQXItemProperty *Item, const TStrings *Names, bool CheckName,
                                 bool CheckFullName) const
{
    if (!Item)
        return false;
    return (CheckFullName && Names->IndexOf(Item->GetFullPathName()) >= 0)
        || (CheckName && Names->IndexOf(Item->Name()) >= 0);
}

bool TQXPropertyPreset::typeTest(TQXItemProperty *Item, TTypeKinds Kinds, const TStrings *Names) const
{
    if (!Item)
        return false;
    if (Kinds == TTypeKinds(tkUnknown))
        return true;
    if (Kinds.contains(Item->TypeKind()) && (Names->Count() == 0 || Names->IndexOf(Item->TypeName()) >= 0))
        return true;
    if (Kinds.contains(tkClass) && Item->TypeKind() == tkClass) {
        // Class-typed rows also match names of their ancestors, when their class can be found: the class
        // a type name stands for, else the class of the row's object.
        ClassMatches &known = Names == m_typeNames ? m_typeNameClasses : m_parentTypeNameClasses;
        const quint64 generation = ClassRegistryGeneration();
        if (known.registryGeneration != generation) {
            known.clear();
            known.registryGeneration = generation;
        }
        TQXPropertyPresets::TMatchPass *pass = TQXPropertyPresets::TMatchPass::Current();
        if (pass && known.lastPass == pass->Serial() && known.lastRow == Item)
            return known.lastResult;
        const bool result = classTest(known, Item, Names);
        if (pass) {
            known.lastRow = Item;
            known.lastPass = pass->Serial();
            known.lastResult = result;
        }
        return result;
    }
    return false;
}

bool TQXPropertyPreset::classTest(ClassMatches &Known, TQXItemProperty *Item, const TStrings *Names) const
{
    TQXPropertyPresets::TMatchPass *pass = TQXPropertyPresets::TMatchPass::Current();
    // Rows of one type come in runs (the items of a collection): the last type name is kept at hand.
    const QString typeName = Item->TypeName();
    if (Known.lastTypeName.isNull() || Known.lastTypeName != typeName) {
        auto byName = Known.byTypeName.constFind(typeName);
        if (byName == Known.byTypeName.constEnd()) {
            const QMetaObject *typeClass = GetClass(typeName);
            byName = Known.byTypeName.insert(
                typeName, static_cast<signed char>(typeClass ? int(IsMatchClassName(typeClass, Names)) : -1));
        }
        Known.lastTypeName = typeName;
        Known.lastByTypeName = *byName;
    }
    if (Known.lastByTypeName >= 0)
        return Known.lastByTypeName == 1;
    const QMetaObject *objectClass = pass ? pass->ObjectClassOf(Item) : Item->GetObjectPropertyClass();
    if (!objectClass)
        return false;
    auto byClass = Known.byClass.constFind(objectClass);
    if (byClass == Known.byClass.constEnd())
        byClass = Known.byClass.insert(objectClass, IsMatchClassName(objectClass, Names));
    return *byClass;
}

bool TQXPropertyPreset::Matches(TQXItemProperty *Item)
{
    // No tests at all: no match (before Inclusive has its say).
    bool result = m_matchTypes != TQXPresetMatchTypes();
    const auto test = [&](bool wanted, const auto &passes) {
        if (result && wanted)
            result = passes();
    };
    // The parent is looked for only by a preset that tests it.
    const bool parentTests = m_matchTypes.testAnyFlags(TQXPresetMatchTypes(mtParentPropertyName)
                                                       | mtParentFullPropertyName | mtParentPropertyType);
    TQXItemProperty *parent = Item && parentTests ? Item->GetParentItem(tkClass, QString()) : nullptr;
    test(m_matchTypes.testAnyFlags(TQXPresetMatchTypes(mtPropertyName) | mtFullPropertyName), [&] {
        return nameTest(Item, m_propNames, m_matchTypes.testFlag(mtPropertyName),
                        m_matchTypes.testFlag(mtFullPropertyName));
    });
    test(m_matchTypes.testFlag(mtPropertyType), [&] { return typeTest(Item, m_typeKinds, m_typeNames); });
    test(m_matchTypes.testFlag(mtClassName), [&] {
        if (m_parentClassNames->Count() == 0)
            return true;
        TQXCustomObjectInspector *inspector = GetInspector();
        if (!inspector || inspector->Objects()->Count() == 0)
            return false;
        QObject *object = inspector->Objects()->Items(0)->Objects();
        return object && IsMatchClassName(object->metaObject(), m_parentClassNames);
    });
    test(m_matchTypes.testFlag(mtParentPropertyType),
         [&] { return typeTest(parent, m_parentTypeKinds, m_parentTypeNames); });
    test(m_matchTypes.testAnyFlags(TQXPresetMatchTypes(mtParentPropertyName) | mtParentFullPropertyName),
         [&] {
             return nameTest(parent, m_parentPropNames, m_matchTypes.testFlag(mtParentPropertyName),
                             m_matchTypes.testFlag(mtParentFullPropertyName));
         });

    if (!m_inclusive)
        result = !result;
    if (OnMatchPreset)
        OnMatchPreset(this, Item, result);
    else if (TQXCustomObjectInspector *inspector = GetInspector())
        inspector->MatchPreset(this, Item, result);
    return result;
}

void TQXPropertyPreset::CopyPreset(TQXItemProperty *Item)
{
    if (m_actions.testFlag(pftAlias))
        Item->SetName(m_alias);
    if (m_actions.testFlag(pftReadOnly))
        Item->SetReadOnly(true);
    else if (m_actions.testFlag(pftWritable))
        Item->SetReadOnly(false);
    if (m_actions.testFlag(pftVisible))
        Item->SetVisible(true);
    else if (m_actions.testFlag(pftHidden))
        Item->SetVisible(false);
    if (m_actions.testFlag(pftHint))
        Item->SetHint(m_hint);
    if (m_actions.testFlag(pftEditStyle)) {
        Item->SetEditStyle(m_editStyle);
        if (m_editStyle == esEllipsis) {
            Item->OnEditButtonClick = OnEditButtonClick;
        } else if (m_editStyle == esPickList) {
            if (HasPickList())
                Item->SetPickList(m_pickList);
            Item->OnGetPickList = OnGetPickList;
        }
    }
    if (m_actions.testFlag(pftEditMask))
        Item->SetEditMask(m_editMask);
    if (m_actions.testFlag(pftValidate)) {
        Item->OnValidate = OnValidate;
        Item->OnValidated = OnValidated;
        Item->OnValidateError = OnValidateError;
        Item->OnGetProperty = OnGetProperty;
        Item->OnSetProperty = OnSetProperty;
    }
    if (m_actions.testFlag(pftFont))
        Item->SetFont(m_font);
    if (m_actions.testFlag(pftValueFont))
        Item->SetValueFont(m_valueFont);
    if (m_actions.testFlag(pftCustom)) {
        if (OnCustomPreset)
            OnCustomPreset(this, Item);
        else if (TQXCustomObjectInspector *inspector = GetInspector())
            inspector->CustomPreset(this, Item);
    }
}

void TQXPropertyPreset::AssignTo(QObject *Dest) const
{
    if (auto *item = qobject_cast<TQXItemProperty *>(Dest)) {
        const_cast<TQXPropertyPreset *>(this)->CopyPreset(item);
        return;
    }
    TCollectionItem::AssignTo(Dest);
}

void TQXPropertyPreset::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TQXPropertyPreset *>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    // The lists and fonts stay quiet while they are copied (each notification would apply the presets to
    // the rows with this one half copied); the copied MatchTypes and Actions then put back exactly the
    // source's sets, and one notification follows.
    {
        const QScopedValueRollback<bool> assigning(m_assigning, true);
        assignFrom(source);
    }
    Changed(false);
}

namespace {

/// A set of a Q_FLAG type, written as the names of its members.
template<class Flags> void writeFlags(TWriter *Writer, Flags Value)
{
    const QByteArray keys = QMetaEnum::fromType<Flags>().valueToKeys(int(Value.toInt()));
    Writer->WriteSet(keys.isEmpty() ? QStringList() : QString::fromLatin1(keys).split(QLatin1Char('|')));
}

template<class Flags> Flags readFlags(TReader *Reader)
{
    const QStringList members = Reader->ReadSet();
    bool ok = true;
    const int value = members.isEmpty() ? 0
                                        : QMetaEnum::fromType<Flags>().keysToValue(
                                            members.join(QLatin1Char('|')).toLatin1().constData(), &ok);
    if (!ok)
        throw EReadError(QStringLiteral("Error reading %1: invalid set members").arg(Reader->Path()));
    return Flags(value);
}

/// Handler, or, when it is a method Source bound to itself and Target is of its class, the same method
/// bound to Target.
template<class Event, class... Args>
Event reboundTo(const Event &Handler, const QXPlatform::TEventBase<void(Args...)> &,
                const TQXPropertyPreset *Source, TQXPropertyPreset *Target)
{
    if (const auto *method = Handler.template target<TQXPresetMethod<Args...>>())
        if (method->Preset() == Source && method->Fits(Target))
            return Event(method->BoundTo(Target));
    return Handler;
}

template<class Event>
Event reboundTo(const Event &Handler, const TQXPropertyPreset *Source, TQXPropertyPreset *Target)
{
    return reboundTo(Handler, Handler, Source, Target);
}

} // namespace

void TQXPropertyPreset::assignFrom(const TQXPropertyPreset *source)
{
    m_active = source->m_active;
    m_alias = source->m_alias;
    m_inclusive = source->m_inclusive;
    m_propNames->Assign(source->m_propNames);
    m_hint = source->m_hint;
    m_editStyle = source->m_editStyle;
    m_editMask = source->m_editMask;
    m_name = source->m_name;
    m_parentClassNames->Assign(source->m_parentClassNames);
    m_parentPropNames->Assign(source->m_parentPropNames);
    m_parentTypeNames->Assign(source->m_parentTypeNames);
    m_typeNames->Assign(source->m_typeNames);
    m_typeKinds = source->m_typeKinds;
    m_parentTypeKinds = source->m_parentTypeKinds;
    // The handlers the source gave itself become this preset's own: a copy serves its own inspector.
    OnEditButtonClick = reboundTo(source->OnEditButtonClick, source, this);
    OnGetPickList = reboundTo(source->OnGetPickList, source, this);
    OnValidate = reboundTo(source->OnValidate, source, this);
    OnValidated = reboundTo(source->OnValidated, source, this);
    OnValidateError = reboundTo(source->OnValidateError, source, this);
    OnGetProperty = reboundTo(source->OnGetProperty, source, this);
    OnSetProperty = reboundTo(source->OnSetProperty, source, this);
    if (source->m_pickList) {
        PickList()->Assign(source->m_pickList);
        m_editStyle = source->m_editStyle;
    } else {
        FreeAndNil(m_pickList);
    }
    // What the source's fonts change of its inspector's fonts, on this preset's inspector's fonts.
    m_font->AssignDelta(source->m_font);
    m_valueFont->AssignDelta(source->m_valueFont);
    m_matchTypes = source->m_matchTypes;
    m_actions = source->m_actions;
}

void TQXPropertyPreset::DefineProperties(TFiler *Filer)
{
    TCollectionItem::DefineProperties(Filer);
    // A list with no lines is not stored at all, so a preset whose constructor fills a list would get
    // the lines back on loading; these markers say that the list was empty.
    const QPair<const char *, TStringList **> lists[] = {
        { "TypeNamesEmpty", &m_typeNames },
        { "ParentClassNamesEmpty", &m_parentClassNames },
        { "PropNamesEmpty", &m_propNames },
        { "ParentPropNamesEmpty", &m_parentPropNames },
        { "ParentTypeNamesEmpty", &m_parentTypeNames },
        { "PickListEmpty", &m_pickList },
    };
    for (const auto &[name, list] : lists) {
        const bool empty = !*list || (*list)->Count() == 0;
        Filer->DefineProperty(
            QString::fromLatin1(name),
            [this, list = list](TReader *Reader) {
                if (Reader->ReadBoolean() && !Reader->Checking()) {
                    TStrings *target = list == &m_pickList ? PickList() : *list;
                    target->Clear();
                }
            },
            [](TWriter *Writer) { Writer->WriteBoolean(true); }, empty);
    }

    // The lists, read after MatchTypes and EditStyle, put their own match types and the pick list's
    // edit style in step as they come in. A preset whose sets are not what its lists imply (a full-name
    // rule, a simple edit style beside a pick list) stores them once more, and they are read last.
    TQXPresetMatchTypes implied = m_matchTypes;
    for (const auto &[list, matchType] : listMatchTypes())
        implied.setFlag(matchType, list->Count() > 0);
    Filer->DefineProperty(
        QStringLiteral("ExactMatchTypes"),
        [this](TReader *Reader) {
            const TQXPresetMatchTypes value = readFlags<TQXPresetMatchTypes>(Reader);
            if (!Reader->Checking())
                SetMatchTypes(value);
        },
        [this](TWriter *Writer) { writeFlags(Writer, m_matchTypes); }, implied != m_matchTypes);
    const QMetaEnum styleEnum = QMetaEnum::fromType<TEditStyle>();
    Filer->DefineProperty(
        QStringLiteral("ExactEditStyle"),
        [this, styleEnum](TReader *Reader) {
            bool ok = false;
            const int value = styleEnum.keyToValue(Reader->ReadIdent().toLatin1().constData(), &ok);
            if (!ok)
                throw EReadError(QStringLiteral("Error reading %1: invalid edit style").arg(Reader->Path()));
            if (Reader->Checking() || value == m_editStyle)
                return;
            // The style as it was stored, with the Actions as they were stored.
            m_editStyle = TEditStyle(value);
            Changed(false);
        },
        [this, styleEnum](TWriter *Writer) {
            Writer->WriteIdent(QString::fromLatin1(styleEnum.valueToKey(m_editStyle)));
        },
        m_editStyle == esSimple && HasPickList());

    // Actions equal to the class's default are not stored, and reading a font of its own, an alias, a
    // hint, a mask or an edit style adds its action: a preset that does without one stores its Actions
    // once more, read last of all.
    const auto adds
        = [this](TQXPropertyPresetType Action, bool Stored) { return Stored && !m_actions.testFlag(Action); };
    const bool actionsAdded = IsDefaultValue(this, QStringLiteral("Actions"))
        && (adds(pftFont, m_font->HasDelta()) || adds(pftValueFont, m_valueFont->HasDelta())
            || adds(pftAlias, !m_alias.isEmpty()) || adds(pftHint, !m_hint.isEmpty())
            || adds(pftEditMask, !m_editMask.isEmpty())
            || adds(pftEditStyle, !IsDefaultValue(this, QStringLiteral("EditStyle"))));
    Filer->DefineProperty(
        QStringLiteral("ExactActions"),
        [this](TReader *Reader) {
            const TQXPropertyPresetTypes value = readFlags<TQXPropertyPresetTypes>(Reader);
            if (Reader->Checking() || value == m_actions)
                return;
            m_actions = value;
            Changed(false);
        },
        [this](TWriter *Writer) { writeFlags(Writer, m_actions); }, actionsAdded);
}

// ---------------------------------------------------------------------------------------------------
// TQXPropertyPresets

TQXPropertyPresets::TQXPropertyPresets(QObject *AOwner)
    : TOwnedCollection(AOwner, &TQXPropertyPreset::staticMetaObject)
{ }

TQXPropertyPresets::~TQXPropertyPresets() = default;

TQXPropertyPreset *TQXPropertyPresets::Add(const QMetaObject *PresetClass)
{
    return static_cast<TQXPropertyPreset *>(AddItemOfClass(PresetClass));
}

int TQXPropertyPresets::IndexOf(const QMetaObject *PresetClass) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->metaObject() == PresetClass)
            return i;
    return -1;
}

int TQXPropertyPresets::IndexOf(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->GetDisplayName() == Name)
            return i;
    return -1;
}

TQXCustomObjectInspector *TQXPropertyPresets::GetInspector() const
{
    return qobject_cast<TQXCustomObjectInspector *>(Owner());
}

void TQXPropertyPresets::CopyPresetsToProperty(TQXItemProperty *Item)
{
    const int count = Count();
    for (int i = 0; i < count && i < Count(); ++i) {
        TQXPropertyPreset *preset = Items(i);
        if (!preset->Active() || !preset->Matches(Item))
            continue;
        preset->CopyPreset(Item);
        const bool refreshed = Item->RefreshValue();
        if (TMatchPass *pass = TMatchPass::Current())
            pass->Forget();
        if (!refreshed)
            break;
    }
}

namespace {
quint64 matchPassSerial = 0;
}

TQXPropertyPresets::TMatchPass::TMatchPass()
    : m_outer(s_current)
    , m_serial(++matchPassSerial)
{
    s_current = this;
}

TQXPropertyPresets::TMatchPass::~TMatchPass()
{
    s_current = m_outer;
    if (m_outer)
        m_outer->Forget();
}

void TQXPropertyPresets::TMatchPass::Forget()
{
    m_serial = ++matchPassSerial;
    for (Known &known : m_known)
        known.row.clear();
}

const QMetaObject *TQXPropertyPresets::TMatchPass::ObjectClassOf(const TQXItemProperty *Item)
{
    for (const Known &known : m_known)
        if (known.row == Item)
            return known.objectClass;
    Known &slot = m_known[m_next];
    m_next = (m_next + 1) % int(m_known.size());
    slot.objectClass = Item->GetObjectPropertyClass();
    slot.row = Item;
    return slot.objectClass;
}

void TQXPropertyPresets::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TCollection *>(Source);
    if (!source) {
        TOwnedCollection::Assign(Source);
        return;
    }
    if (source == this)
        return;
    const TUpdateLock lock(*this);
    Clear();
    for (const TCollectionItem *item : source->ItemList()) {
        const QMetaObject *itemClass = item->metaObject();
        AddItemOfClass(InheritsFrom(itemClass, ItemClass()) ? itemClass : ItemClass())->Assign(item);
    }
}

void TQXPropertyPresets::Notify(TCollectionItem *Item, TCollectionNotification Action)
{
    // A preset that joins an inspector (read from a stream, moved from another collection) follows its
    // fonts from now on; the update that follows the addition applies it.
    if (Action == cnAdded)
        static_cast<TQXPropertyPreset *>(Item)->followInspectorFonts();
    TOwnedCollection::Notify(Item, Action);
    if (TQXCustomObjectInspector *inspector = GetInspector())
        inspector->PresetNotify(static_cast<TQXPropertyPreset *>(Item), Action);
}

void TQXPropertyPresets::Update(TCollectionItem *Item)
{
    TOwnedCollection::Update(Item);
    if (TQXCustomObjectInspector *inspector = GetInspector())
        inspector->PresetUpdate(static_cast<TQXPropertyPreset *>(Item));
}

// ---------------------------------------------------------------------------------------------------
// The registry

namespace {

std::unique_ptr<TThreadList<const QMetaObject *>> &registry()
{
    static std::unique_ptr<TThreadList<const QMetaObject *>> list;
    return list;
}

// The base class can be created from a stream, like every preset class.
const bool baseRegistered = [] {
    RegisterClass(&TQXPropertyPreset::staticMetaObject);
    return true;
}();

} // namespace

TThreadList<const QMetaObject *> *RegisteredPresets()
{
    return registry().get();
}

void RegisterPreset(const QMetaObject *PresetClass)
{
    if (!PresetClass || !InheritsFrom(PresetClass, &TQXPropertyPreset::staticMetaObject))
        throw EInvalidCast(QStringLiteral("%1 is no preset class")
                               .arg(PresetClass ? ClassNameOf(PresetClass) : QStringLiteral("A null class")));
    RegisterClass(PresetClass);
    if (!registry())
        registry() = std::make_unique<TThreadList<const QMetaObject *>>();
    TThreadListLocker<const QMetaObject *> lock(*registry());
    for (const QMetaObject *presetClass = PresetClass; presetClass
         && presetClass != &TQXPropertyPreset::staticMetaObject && !lock.List().contains(presetClass);
         presetClass = presetClass->superClass())
        lock.List().append(presetClass);
}

void RegisterPresets(std::initializer_list<const QMetaObject *> PresetClasses)
{
    for (const QMetaObject *presetClass : PresetClasses)
        RegisterPreset(presetClass);
}

void UnregisterPreset(const QMetaObject *PresetClass)
{
    if (!registry())
        return;
    TThreadListLocker<const QMetaObject *> lock(*registry());
    for (const QMetaObject *presetClass = PresetClass; presetClass
         && presetClass != &TQXPropertyPreset::staticMetaObject && lock.List().contains(presetClass);
         presetClass = presetClass->superClass())
        lock.List().removeAll(presetClass);
}

void UnregisterPresets(std::initializer_list<const QMetaObject *> PresetClasses)
{
    for (const QMetaObject *presetClass : PresetClasses)
        UnregisterPreset(presetClass);
}

bool IsMatchClassName(const QMetaObject *AClass, const TStrings *Names)
{
    if (!AClass || !Names)
        return false;
    for (int i = 0; i < Names->Count(); ++i)
        if (IsMatchClassName(AClass, Names->Strings(i)))
            return true;
    return false;
}

bool IsMatchClassName(const QMetaObject *AClass, const QString &Name)
{
    // Every QObject but a persistent sub-object counts as a component, whatever its class chain is named.
    if (Name.compare(QLatin1String("TComponent"), Qt::CaseInsensitive) == 0 && IsComponentClass(AClass))
        return true;
    for (const QMetaObject *meta = AClass; meta; meta = meta->superClass())
        if (Name.compare(ClassNameView(meta), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------------
// Handlers whose preset is gone

void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &, QString &Value)
{
    auto *row = qobject_cast<TQXItemProperty *>(Sender);
    TQXCustomObjectInspector *inspector = row ? row->GetEditor() : nullptr;
    Value = inspector ? inspector->GetPlainPropertyValue(Instance, row) : QString();
}

void PresetHandlerGone(QObject *Sender, QObject *Instance, const QString &PropName, const QString &Value)
{
    auto *row = qobject_cast<TQXItemProperty *>(Sender);
    TQXCustomObjectInspector *inspector = row ? row->GetEditor() : nullptr;
    if (!inspector)
        throw EPropertyConvertError(QStringLiteral("The property %1 cannot be written").arg(PropName));
    inspector->SetPlainPropertyValue(Instance, row, PropName, Value);
}
