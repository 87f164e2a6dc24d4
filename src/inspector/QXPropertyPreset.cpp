#include "QXPropertyPreset.h"

#include "ClassRegistry.h"
#include "QXCustomObjectInspector.h"
#include "QXInspectorObjects.h"
#include "QXItemProperty.h"
#include "Streaming.h"

#include <QScopedValueRollback>
#include <memory>

using namespace QXPlatform;

// ---------------------------------------------------------------------------------------------------
// TQXPropertyPreset

TQXPropertyPreset::TQXPropertyPreset(TCollection *Collection)
    : TCollectionItem(Collection)
{
    m_typeNames = makeList();
    m_parentClassNames = makeList();
    m_propNames = makeList();
    m_parentPropNames = makeList();
    m_parentTypeNames = makeList();

    m_font = Create<TQXCustomDeltaFont>();
    m_valueFont = Create<TQXCustomDeltaFont>();
    // The font starts as the inspector's, before its handlers are bound, so that this adds no pftFont.
    if (auto *presets = qobject_cast<TQXPropertyPresets *>(Collection))
        if (TQXCustomObjectInspector *inspector = presets->GetInspector())
            m_font->Assign(inspector->Font());
    // The preset follows its fonts and lists through their signals: their events are the application's.
    // Each is the context of its own connection, freed by the preset before it goes itself.
    for (TQXCustomDeltaFont *font : { m_font, m_valueFont }) {
        QObject::connect(font, &TFont::changed, font, [this, font] { fontChanged(font); });
        font->OnGetOriginalFont = [this](QObject *Sender, TFont *&Font) { getOriginalFont(Sender, Font); };
    }
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

void TQXPropertyPreset::StringsChange(TStrings *Sender)
{
    if (Sender == m_typeNames)
        m_typeNameClasses.clear();
    else if (Sender == m_parentTypeNames)
        m_parentTypeNameClasses.clear();
    const QPair<TStrings *, TQXPresetMatchType> drives[] = {
        { m_propNames, mtPropertyName },
        { m_typeNames, mtPropertyType },
        { m_parentClassNames, mtClassName },
        { m_parentPropNames, mtParentPropertyName },
        { m_parentTypeNames, mtParentPropertyType },
    };
    for (const auto &[list, matchType] : drives)
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
    setAction(Sender == m_font ? pftFont : pftValueFont, true);
    if (!m_assigning)
        Changed(false);
}

void TQXPropertyPreset::getOriginalFont(QObject *Sender, TFont *&Font) const
{
    TQXCustomObjectInspector *inspector = GetInspector();
    if (!inspector)
        Font = nullptr;
    else if (Sender == m_font)
        Font = inspector->Font();
    else
        Font = inspector->ValueFont();
}

void TQXPropertyPreset::ParentFontChanged()
{
    if (TQXCustomObjectInspector *inspector = GetInspector())
        m_font->OriginalFontChanged(inspector->Font());
}

void TQXPropertyPreset::ParentValueFontChanged()
{
    if (TQXCustomObjectInspector *inspector = GetInspector())
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
        auto byName = known.byTypeName.constFind(Item->TypeName());
        if (byName == known.byTypeName.constEnd()) {
            const QMetaObject *typeClass = GetClass(Item->TypeName());
            byName = known.byTypeName.insert(Item->TypeName(),
                                             typeClass ? IsMatchClassName(typeClass, Names) : -1);
        }
        if (*byName >= 0)
            return *byName == 1;
        const QMetaObject *objectClass = Item->GetObjectPropertyClass();
        if (!objectClass)
            return false;
        auto byClass = known.byClass.constFind(objectClass);
        if (byClass == known.byClass.constEnd())
            byClass = known.byClass.insert(objectClass, IsMatchClassName(objectClass, Names));
        return *byClass;
    }
    return false;
}

bool TQXPropertyPreset::Matches(TQXItemProperty *Item)
{
    // No tests at all: no match (before Inclusive has its say).
    bool result = m_matchTypes != TQXPresetMatchTypes();
    const auto test = [&](bool wanted, const auto &passes) {
        if (result && wanted)
            result = passes();
    };
    TQXItemProperty *parent = Item ? Item->GetParentItem(tkClass, QString()) : nullptr;
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
    OnEditButtonClick = source->OnEditButtonClick;
    OnGetPickList = source->OnGetPickList;
    OnValidate = source->OnValidate;
    OnValidated = source->OnValidated;
    OnValidateError = source->OnValidateError;
    OnGetProperty = source->OnGetProperty;
    OnSetProperty = source->OnSetProperty;
    if (source->m_pickList) {
        PickList()->Assign(source->m_pickList);
        m_editStyle = source->m_editStyle;
    } else {
        FreeAndNil(m_pickList);
    }
    m_font->Assign(source->m_font);
    m_valueFont->Assign(source->m_valueFont);
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
        if (!Item->RefreshValue())
            break;
    }
}

void TQXPropertyPresets::Notify(TCollectionItem *Item, TCollectionNotification Action)
{
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
