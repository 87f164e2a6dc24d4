#include "QXPropertyPreset.h"

#include "QXCustomObjectInspector.h"
#include "QXItemProperty.h"

#include <memory>

using namespace QXPlatform;

// ---------------------------------------------------------------------------------------------------
// TQXPropertyPreset

TQXPropertyPreset::TQXPropertyPreset(TCollection *Collection)
    : TCollectionItem(Collection)
{ }

TQXPropertyPreset::~TQXPropertyPreset() = default;

void TQXPropertyPreset::SetActive(bool Value)
{
    if (Value == m_active)
        return;
    m_active = Value;
    Changed(false);
}

void TQXPropertyPreset::SetName(const QString &Value)
{
    if (Value == m_name)
        return;
    m_name = Value;
    Changed(false);
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

bool TQXPropertyPreset::Matches(TQXItemProperty *)
{
    return false;
}

void TQXPropertyPreset::CopyPreset(TQXItemProperty *)
{ }

void TQXPropertyPreset::ParentFontChanged()
{ }

void TQXPropertyPreset::ParentValueFontChanged()
{ }

void TQXPropertyPreset::Assign(QObject *Source)
{
    auto *source = qobject_cast<TQXPropertyPreset *>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    m_active = source->m_active;
    m_name = source->m_name;
    Changed(false);
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
    bool copied = false;
    for (int i = 0; i < Count(); ++i) {
        TQXPropertyPreset *preset = Items(i);
        if (preset->Active() && preset->Matches(Item)) {
            preset->CopyPreset(Item);
            copied = true;
        }
    }
    if (copied)
        Item->RefreshValue();
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
    if (!registry())
        registry() = std::make_unique<TThreadList<const QMetaObject *>>();
    registry()->Add(PresetClass);
}

void UnregisterPreset(const QMetaObject *PresetClass)
{
    if (registry())
        registry()->Remove(PresetClass);
}
