#include "QXItemProperty.h"

#include "FormatSettings.h"
#include "QXConsts.h"
#include "QXCustomDeltaFont.h"
#include "QXCustomObjectInspector.h"
#include "QXException.h"
#include "Streaming.h"
#include "Variants.h"

#include <unordered_map>

using namespace QXPlatform;

namespace {

// The kinds, besides the strings, whose value is compared with the declared default to show it changed:
// the ordinals that fit an int. Unlike the ordinal kinds of the type information, tkInt64 is not one
// (a 64-bit integer, like a float, is never shown changed).
bool marksChangedValue(TTypeKind kind)
{
    switch (kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TQXItemProperty: construction and navigation

TQXItemProperty::TQXItemProperty(TCollection *Collection)
    : TQXItemProp(Collection)
{ }

TQXItemProperty::~TQXItemProperty() = default;

TQXItemProps *TQXItemProperty::CreateItems()
{
    return Create<TQXItemProperties>(this, &TQXItemProperty::staticMetaObject);
}

TQXCustomObjectInspector *TQXItemProperty::GetEditor() const
{
    TQXCustomItemListEditor *editor = TQXItemProp::GetEditor();
    if (!editor)
        return nullptr;
    auto *inspector = qobject_cast<TQXCustomObjectInspector *>(editor);
    if (!inspector)
        throw EInvalidCast(QStringLiteral("A %1 is no object inspector").arg(ClassNameOf(editor)));
    return inspector;
}

TQXItemProperty *TQXItemProperty::GetParent() const
{
    return static_cast<TQXItemProperty *>(TQXItemProp::GetParent());
}

TQXItemProperties *TQXItemProperty::GetItems() const
{
    return static_cast<TQXItemProperties *>(Items());
}

void TQXItemProperty::SetItems(TQXItemProperties *Value)
{
    TQXItemProp::SetItems(Value);
}

QString TQXItemProperty::GetFullPathPropName() const
{
    TQXItemProperty *parent = GetParent();
    if (!parent)
        return m_realPropName;
    return parent->GetFullPathPropName() + GetPathDelimiter() + m_realPropName;
}

TQXItemProperty *TQXItemProperty::GetParentItem(TQXPropertyKind Kind) const
{
    for (TQXItemProperty *parent = GetParent(); parent; parent = parent->GetParent())
        if (parent->m_propertyKind == Kind)
            return parent;
    return nullptr;
}

TQXItemProperty *TQXItemProperty::GetParentItem(TTypeKind Kind, const QString &TypeName) const
{
    for (TQXItemProperty *parent = GetParent(); parent; parent = parent->GetParent())
        if (parent->m_typeKind == Kind
            && (TypeName.isEmpty() || parent->m_typeName.compare(TypeName, Qt::CaseInsensitive) == 0))
            return parent;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Property data

void TQXItemProperty::SetAllEqual(bool Value)
{
    if (Value == m_allEqual)
        return;
    m_allEqual = Value;
    Changed(false);
}

void TQXItemProperty::SetRealPropName(const QString &Value)
{
    if (Value == m_realPropName)
        return;
    m_realPropName = Value;
    m_info = nullptr;
    Changed(false);
}

void TQXItemProperty::SetTypeKind(TTypeKind Value)
{
    if (Value == m_typeKind)
        return;
    m_typeKind = Value;
    Changed(false);
}

void TQXItemProperty::SetTypeName(const QString &Value)
{
    if (Value == m_typeName)
        return;
    m_typeName = Value;
    Changed(false);
}

void TQXItemProperty::SetPropertyKind(TQXPropertyKind Value)
{
    m_propertyKind = Value;
}

void TQXItemProperty::SetIsRealProperty(bool Value)
{
    m_isRealProperty = Value;
}

const TVariantArray &TQXItemProperty::GetRealValues() const
{
    if (TQXCustomItemListEditor *editor = TQXItemProp::GetEditor())
        m_realValues.resize(qMax(0, editor->GetGridCount(gcValueLineCount) - 1));
    return m_realValues;
}

QVariant TQXItemProperty::RealValues(int Index) const
{
    const TVariantArray &values = GetRealValues();
    return Index >= 0 && Index < values.size() ? values.at(Index) : QVariant();
}

void TQXItemProperty::SetRealValues(int Index, const QVariant &Value)
{
    GetRealValues();
    if (Index < 0)
        return;
    if (Index >= m_realValues.size())
        m_realValues.resize(Index + 1);
    QVariant &slot = m_realValues[Index];
    if (slot.isValid() && slot == Value)
        return;
    slot = Value;
    Changed(false);
}

bool TQXItemProperty::IsAllValuesEqual() const
{
    const TVariantArray &values = GetRealValues();
    for (qsizetype i = 1; i < values.size(); ++i)
        if (!(values.at(i) == values.at(0)))
            return false;
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Resolving objects

void TQXItemProperty::readObjectValues()
{
    TQXCustomObjectInspector *inspector = GetEditor();
    if (!inspector)
        return;
    const qsizetype lines = GetRealValues().size();
    for (int b = 0; b < lines; ++b) {
        QString name = GetFullPathPropName();
        // A value that cannot be read stays unknown: the next refresh reads it, and reports what fails.
        try {
            QObject *instance = inspector->GetInstance(inspector->ShownObject(b), name, this);
            const TPropInfo *info = instance ? &propInfoOn(instance, name) : nullptr;
            if (info && *info)
                m_realValues[b] = QXPlatform::GetPropValue(instance, *info, false);
        } catch (const Exception &) { }
    }
}

int TQXItemProperty::objectIndex(int Index) const
{
    if (Index >= 0)
        return Index;
    TQXCustomItemListEditor *editor = TQXItemProp::GetEditor();
    return editor ? qMax(0, editor->GetGridCount(gcCurValuePos) - 1) : 0;
}

QObject *TQXItemProperty::resolvedInstance(int Index, QString &LastSegment) const
{
    TQXCustomObjectInspector *inspector = GetEditor();
    LastSegment = GetFullPathPropName();
    if (!inspector)
        return nullptr;
    QObject *instance = inspector->GetInstance(inspector->ShownObject(objectIndex(Index)), LastSegment,
                                               const_cast<TQXItemProperty *>(this));
    // A reference that now holds an object of another class may lack the property: nothing to read.
    return instance && propInfoOn(instance, LastSegment) ? instance : nullptr;
}

const TPropInfo &TQXItemProperty::propInfoOn(const QObject *Instance, const QString &Name) const
{
    // Rows are read over and over (every refresh, every paint of a changed-value font) on objects of
    // the same few classes, so the row keeps the information for the last class it was read on.
    const QMetaObject *metaObject = Instance->metaObject();
    // Rows mostly ask with the declared name itself, which an exact comparison settles quickly.
    if (!m_info || m_info->MetaObject != metaObject
        || (m_info->Name != Name && m_info->Name.compare(Name, Qt::CaseInsensitive) != 0))
        m_info = sharedPropInfo(metaObject, Name);
    return *m_info;
}

const TPropInfo *TQXItemProperty::sharedPropInfo(const QMetaObject *MetaObject, const QString &Name)
{
    // Thousands of rows read the same few properties: each keeps a pointer, not a copy. The table
    // lives as long as the program (its classes do too) and is used from the user-interface thread.
    struct Key
    {
        const QMetaObject *metaObject;
        QString name;
        bool operator==(const Key &other) const = default;
    };
    struct KeyHash
    {
        size_t operator()(const Key &key) const { return qHash(key.name, size_t(quintptr(key.metaObject))); }
    };
    static std::unordered_map<Key, TPropInfo, KeyHash> table;
    Key key { MetaObject, Name };
    auto found = table.find(key);
    if (found == table.end())
        found = table.emplace(std::move(key), GetPropInfo(MetaObject, Name)).first;
    return &found->second;
}

void TQXItemProperty::checkReal() const
{
    if (!m_isRealProperty)
        throw EVESKException(QXConsts::NotARealProperty(GetFullPathPropName()));
}

// ---------------------------------------------------------------------------------------------------
// Typed readers

qint64 TQXItemProperty::GetOrdProperty(int Index) const
{
    checkReal();
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetOrdProp(instance, propInfoOn(instance, name)) : 0;
}

QObject *TQXItemProperty::GetObjectProperty(int Index) const
{
    if (!m_isRealProperty) {
        if (m_propertyKind != pkCollectionItem)
            checkReal();
        TQXItemProperty *owner = GetParentItem(pkCollection);
        auto *collection = owner ? qobject_cast<TCollection *>(owner->GetObjectProperty(Index)) : nullptr;
        const int item = RealValues(0).isValid() ? RealValues(0).toInt() : -1;
        return collection && item >= 0 && item < collection->Count() ? collection->Items(item) : nullptr;
    }
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetObjectProp(instance, propInfoOn(instance, name)) : nullptr;
}

const QMetaObject *TQXItemProperty::GetObjectPropertyClass() const
{
    if (!m_isRealProperty) {
        if (m_propertyKind != pkCollectionItem)
            checkReal();
        TQXItemProperty *owner = GetParentItem(pkCollection);
        auto *collection = owner ? qobject_cast<TCollection *>(owner->GetObjectProperty(0)) : nullptr;
        return collection ? collection->ItemClass() : nullptr;
    }
    QString name;
    const QObject *instance = resolvedInstance(0, name);
    return instance ? QXPlatform::GetObjectPropClass(propInfoOn(instance, name)) : nullptr;
}

double TQXItemProperty::GetFloatProperty(int Index) const
{
    if (!m_isRealProperty)
        return StrToFloat(GetValue());
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetFloatProp(instance, propInfoOn(instance, name)) : 0.0;
}

qint64 TQXItemProperty::GetInt64Property(int Index) const
{
    if (!m_isRealProperty)
        return StrToInt64(GetValue());
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetInt64Prop(instance, name) : 0;
}

QVariant TQXItemProperty::GetInterfaceProperty(int) const
{
    // Qt objects publish no interface-typed properties, so a real row never holds one.
    checkReal();
    return QVariant();
}

QVariant TQXItemProperty::GetMethodProperty(int Index) const
{
    checkReal();
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetMethodProp(instance, name) : QVariant();
}

QString TQXItemProperty::GetStringProperty(int Index) const
{
    if (!m_isRealProperty)
        return GetValue();
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetStrProp(instance, propInfoOn(instance, name)) : QString();
}

QVariant TQXItemProperty::GetVariantProperty(int Index) const
{
    if (!m_isRealProperty)
        return QVariant(GetValue());
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    return instance ? QXPlatform::GetVariantProp(instance, propInfoOn(instance, name)) : QVariant();
}

// ---------------------------------------------------------------------------------------------------
// Typed writers

template<class Write> void TQXItemProperty::writeProperty(int Index, const Write &write)
{
    const int absoluteIndex = GetAbsoluteIndex();
    TQXCustomObjectInspector *inspector = GetEditor();
    if (inspector)
        inspector->PropertyChanging(this);
    const TScopeExit changed([&] {
        if (inspector)
            inspector->PropertyChanged(absoluteIndex);
    });
    if (m_isRealProperty && inspector) {
        const bool multi = inspector->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues;
        const int current = objectIndex(-1);
        for (int i = 0; i < inspector->ShownObjectCount(); ++i) {
            if (i != Index && !(Index == -1 && (!multi || i == current)))
                continue;
            QString name;
            if (QObject *instance = resolvedInstance(i, name))
                write(instance, name);
        }
    } else {
        write(nullptr, QString());
    }
}

void TQXItemProperty::SetOrdProperty(qint64 Value, int Index)
{
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance) {
            QXPlatform::SetOrdProp(instance, name, Value);
        } else {
            m_typeKind = tkInteger;
            SetValue(QString::number(Value));
        }
    });
}

void TQXItemProperty::SetFloatProperty(double Value, int Index)
{
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance) {
            QXPlatform::SetFloatProp(instance, name, Value);
        } else {
            m_typeKind = tkFloat;
            SetValue(FloatToStr(Value));
        }
    });
}

void TQXItemProperty::SetInt64Property(qint64 Value, int Index)
{
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance) {
            QXPlatform::SetInt64Prop(instance, name, Value);
        } else {
            m_typeKind = tkInt64;
            SetValue(QString::number(Value));
        }
    });
}

void TQXItemProperty::SetStringProperty(const QString &Value, int Index)
{
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance) {
            QXPlatform::SetStrProp(instance, name, Value);
        } else {
            m_typeKind = tkString;
            SetValue(Value);
        }
    });
}

void TQXItemProperty::SetVariantProperty(const QVariant &Value, int Index)
{
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance) {
            QXPlatform::SetVariantProp(instance, name, Value);
        } else {
            m_typeKind = tkVariant;
            SetValue(VarToStr(Value));
        }
    });
}

void TQXItemProperty::SetObjectProperty(QObject *Value, int Index)
{
    checkReal();
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance)
            QXPlatform::SetObjectProp(instance, name, Value);
    });
}

void TQXItemProperty::SetMethodProperty(const QVariant &Value, int Index)
{
    checkReal();
    writeProperty(Index, [&](QObject *instance, const QString &name) {
        if (instance)
            QXPlatform::SetMethodProp(instance, name, Value);
    });
}

void TQXItemProperty::SetInterfaceProperty(const QVariant &, int)
{
    // No Qt property is interface-typed: there is nothing a real row could write.
    checkReal();
}

// ---------------------------------------------------------------------------------------------------
// Changed values

bool TQXItemProperty::IsModified() const
{
    TQXCustomObjectInspector *inspector = GetEditor();
    if (!inspector || !m_isRealProperty)
        return false;
    if (!(inspector->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues))
        return IsModified(0);
    for (int i = 0; i < inspector->ShownObjectCount(); ++i)
        if (IsModified(i))
            return true;
    return false;
}

bool TQXItemProperty::IsModified(int Index) const
{
    if (!m_isRealProperty || !GetEditor())
        return false;
    QString name;
    const QObject *instance = resolvedInstance(Index, name);
    if (!instance)
        return true; // gone, or no longer has the property
    const TPropInfo &info = propInfoOn(instance, name);
    if (!QXPlatform::IsStoredProp(instance, info))
        return false;
    switch (info.Kind) {
    case tkString:
    case tkLString:
    case tkWString:
        return true; // a stored text always counts as set
    default:
        break;
    }
    if (!marksChangedValue(info.Kind)) {
        // Other kinds are marked only on request, and only against a default that is known.
        const bool valueKind = info.Kind == tkFloat || info.Kind == tkInt64 || info.Kind == tkVariant;
        return valueKind && GetEditor()->ChangedFontAllKinds() && !QXPlatform::GetDefaultText(info).isNull()
            && !IsDefaultValue(instance, info);
    }
    // An ordinal without a known default differs from it by definition (IsDefaultValue is false then).
    return !IsDefaultValue(instance, info);
}

bool TQXItemProperty::changedFontApplies() const
{
    TQXCustomObjectInspector *inspector = GetEditor();
    return inspector && !(inspector->ComponentState() & csDesigning) && inspector->ShowValueChangedFont()
        && inspector->ShownObjectCount() > 0 && m_isRealProperty;
}

TFont *TQXItemProperty::GetValueFont() const
{
    if (changedFontApplies() && IsModified())
        return GetEditor()->ValueChangedFont();
    return TQXItemProp::GetValueFont();
}

const TFont *TQXItemProperty::GetIndividualValueFont(int Index) const
{
    if (changedFontApplies()) {
        const bool multi = GetEditor()->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues;
        if (multi ? IsModified(qMax(0, Index)) : IsModified())
            return GetEditor()->ValueChangedFont();
    }
    return TQXItemProp::GetIndividualValueFont(Index);
}

// ---------------------------------------------------------------------------------------------------
// Refreshing and writing

namespace {

/// Whether the text GetPropertyValue shows for a property of kind Kind follows from the value alone.
bool textFollowsValue(TTypeKind kind)
{
    switch (kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
    case tkFloat:
    case tkString:
    case tkLString:
    case tkWString:
        return true;
    default:
        return false;
    }
}

/// That text, for Value as GetPropValue reads it.
QString textOfValue(TTypeKind kind, const QVariant &value)
{
    switch (kind) {
    case tkFloat:
        return FloatToStr(value.toDouble());
    case tkString:
    case tkLString:
    case tkWString:
        return value.toString();
    default:
        return QString::number(value.toLongLong());
    }
}

} // namespace

namespace {

// The texts of a row's value lines through a refresh. Most refreshes change nothing: the row's texts are
// copied out only when one differs (at once for rows whose handler may change the row meanwhile).
class RefreshedTexts
{
public:
    RefreshedTexts(const TQXItemProperty &Row, int Lines, bool CopyNow)
        : m_row(Row)
    {
        if (m_row.ValueLines().size() < Lines || CopyNow) {
            m_texts = m_row.ValueLines();
            while (m_texts.size() < Lines)
                m_texts.append(QString());
            m_copied = true;
        }
    }
    QString At(int Line) const { return m_copied ? m_texts.at(Line) : m_row.ValueLines().at(Line); }
    void Put(int Line, const QString &Text)
    {
        if (!m_copied) {
            if (m_row.ValueLines().at(Line) == Text)
                return;
            m_texts = m_row.ValueLines();
            m_copied = true;
        }
        m_texts[Line] = Text;
    }
    // The new texts, when one differs from the row's.
    const QStringList *Changed() const { return m_copied ? &m_texts : nullptr; }

private:
    const TQXItemProperty &m_row;
    QStringList m_texts;
    bool m_copied = false;
};

} // namespace

bool TQXItemProperty::RefreshValue()
{
    bool result = true;
    TQXCustomObjectInspector *inspector = GetEditor();
    if (inspector && inspector->ShownObjectCount() > 0
        && (m_isRealProperty || OnGetProperty || m_propertyKind == pkSetMember
            || m_propertyKind == pkCollection)) {
        const bool multi = inspector->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues;
        const int lines = multi ? inspector->ShownObjectCount() : 1;
        if (ValueLineCount() != inspector->GetGridCount(gcValueLineCount) - 1)
            FitValueLines();
        RefreshedTexts texts(*this, lines, bool(OnGetProperty));
        // With one value line for several objects, the other objects are read too: a value that became
        // different must show as the blank a scan would give it, and one that became equal as the value.
        const int objects = inspector->ShownObjectCount();
        const bool compareOthers = !multi && objects > 1 && m_isRealProperty && !OnGetProperty;
        bool allEqual = true;
        for (int b = 0; b < (compareOthers ? objects : lines); ++b) {
            TQXRefreshedLine line;
            line.Index = b;
            RefreshInstance(line);
            // A property row whose object is gone, or was replaced by one without the property, cannot
            // be read any more: the rows must be built again. Rows that are no property (string-list
            // lines, say) need no object of their own.
            line.Info = m_isRealProperty && line.Instance ? &propInfoOn(line.Instance, line.Name) : nullptr;
            if (m_isRealProperty && (!line.Info || !*line.Info)) {
                result = false;
                break;
            }
            if (b < lines)
                line.Text = texts.At(b);
            if (!ReadValueText(line)) {
                result = false;
                break;
            }
            if (b < lines)
                texts.Put(b, line.Text);
            else if (allEqual)
                allEqual = line.Text == texts.At(0);
            if (m_isRealProperty && b < lines)
                RefreshRealValue(line);
        }
        if (const QStringList *changed = texts.Changed())
            SetValueLines(*changed);
        if (compareOthers && result)
            SetAllEqual(allEqual);
    }
    DoRefreshValue();
    return result;
}

void TQXItemProperty::RefreshInstance(TQXRefreshedLine &Line)
{
    TQXCustomObjectInspector *inspector = GetEditor();
    if (!inspector)
        return;
    // Inside the inspector's refresh of all rows the objects are known; otherwise the path is resolved
    // by name.
    if (inspector->m_refreshRow == this) {
        Line.Name = m_realPropName;
        const auto &owners = *inspector->m_refreshOwners;
        Line.Instance = Line.Index < owners.size() ? owners.at(Line.Index).data() : nullptr;
    } else {
        Line.Name = GetFullPathPropName();
        Line.Instance = inspector->GetInstance(inspector->ShownObject(Line.Index), Line.Name, this);
    }
}

bool TQXItemProperty::ReadValueText(TQXRefreshedLine &Line)
{
    if (OnGetProperty) {
        OnGetProperty(this, Line.Instance, m_realPropName, Line.Text);
        return true;
    }
    if (m_propertyKind == pkSetMember) {
        if (TQXItemProperty *set = GetParentItem(pkSet)) {
            const qint64 bits = set->RealValues(Line.Index).toLongLong();
            const int member = RealValues(Line.Index).toInt();
            const bool on = member >= 0 && member <= 31 && (bits & (qint64(1) << member));
            Line.Text = on ? QStringLiteral("True") : QStringLiteral("False");
        }
        return true;
    }
    TQXCustomObjectInspector *inspector = GetEditor();
    if (!Line.Instance || !inspector)
        return false;
    // Where the text follows from the value, the property is read once.
    if (Line.Info && Line.Name == m_realPropName && textFollowsValue(Line.Info->Kind)) {
        Line.Value = QXPlatform::GetPropValue(Line.Instance, *Line.Info, false);
        Line.Text = textOfValue(Line.Info->Kind, *Line.Value);
    } else {
        Line.Text = inspector->GetPropertyValue(Line.Instance, this);
    }
    return true;
}

void TQXItemProperty::RefreshRealValue(const TQXRefreshedLine &Line)
{
    const QVariant value
        = Line.Value ? *Line.Value : QXPlatform::GetPropValue(Line.Instance, *Line.Info, false);
    if (Line.Index >= m_realValues.size()
        || !(m_realValues.at(Line.Index).isValid() && m_realValues.at(Line.Index) == value))
        SetRealValues(Line.Index, value);
}

void TQXItemProperty::DoRefreshValue()
{
    TQXCustomObjectInspector *inspector = GetEditor();
    if (OnRefreshValue)
        OnRefreshValue(inspector, this);
    else if (inspector && inspector->OnRefreshValue)
        inspector->OnRefreshValue(inspector, this);
}

void TQXItemProperty::QXInvalidateProperty(TMessage &Message)
{
    RefreshValue();
    Message.Result = 1;
}

void TQXItemProperty::UpdateProperty()
{
    TQXCustomObjectInspector *inspector = GetEditor();
    if (!inspector)
        return;
    if (m_isRealProperty || OnSetProperty)
        inspector->SetProperty(this);
    else if (TQXItemProperty *parent = GetParent())
        parent->UpdateChildProperty(this);
}

void TQXItemProperty::UpdateChildProperty(TQXItemProperty *)
{
    if (m_typeKind != tkSet || !m_isRealProperty)
        return;
    TQXCustomObjectInspector *inspector = GetEditor();
    const bool multi = inspector && (inspector->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues);
    const int lines = multi ? inspector->ShownObjectCount() : 1;
    const QMetaType boolean = QMetaType::fromType<bool>();
    TQXItemProperties *members = GetItems();
    QStringList texts = ValueLines();
    while (texts.size() < lines)
        texts.append(QString());
    // Every member text is checked before anything changes: one that is no Boolean name stops the write.
    for (int b = 0; b < lines; ++b) {
        QStringList set;
        for (int i = 0; i < members->Count(); ++i) {
            TQXItemProperty *member = members->Items(i);
            const QString text = b < member->ValueLineCount() ? member->ValueLines().at(b) : QString();
            const int value = GetEnumValue(boolean, text.trimmed());
            if (value < 0)
                RaiseInvalidPropertyElement(text);
            if (value == 1)
                set.append(member->RealPropName());
        }
        texts[b] = set.join(QLatin1Char(','));
    }
    SetValueLines(texts);
    UpdateProperty();
}

void TQXItemProperty::DoValidated()
{
    UpdateProperty();
    TQXItemProp::DoValidated();
}

QString TQXItemProperty::InvalidValueMessage(const QString &Reason) const
{
    // A property names the type the text failed to convert to.
    return m_isRealProperty ? QXConsts::InvalidTypedValue(GetValue(), m_typeName, Reason)
                            : TQXItemProp::InvalidValueMessage(Reason);
}

// ---------------------------------------------------------------------------------------------------
// State

bool TQXItemProperty::IsReadOnly() const
{
    return TQXItemProp::IsReadOnly() || m_typeKind == tkSet;
}

bool TQXItemProperty::IsVisibleItem() const
{
    if (!GetVisible())
        return false;
    TQXCustomItemListEditor *editor = TQXItemProp::GetEditor();
    return !editor || (editor->DisplayOptions() & TQXCustomItemListEditor::doShowReadOnly) || !IsReadOnly()
        || Category() || (m_isRealProperty && (m_typeKind == tkSet || m_typeKind == tkClass))
        || m_propertyKind != pkNormal;
}

void TQXItemProperty::SetName(const QString &NewName)
{
    if (m_realPropName.isEmpty())
        m_realPropName = NewName;
    TQXItemProp::SetName(NewName);
}

// ---------------------------------------------------------------------------------------------------
// Copying

void TQXItemProperty::Assign(const QObject *Source)
{
    if (auto *source = qobject_cast<const TQXItemProperty *>(Source)) {
        m_allEqual = source->IsAllEqual();
        m_realPropName = source->m_realPropName;
        m_realValues = source->GetRealValues();
        m_typeKind = source->m_typeKind;
        m_typeName = source->m_typeName;
        m_isRealProperty = source->m_isRealProperty;
        m_propertyKind = source->m_propertyKind;
        m_info = nullptr;
    }
    TQXItemProp::Assign(Source);
}

void TQXItemProperty::AssignEvents(TQXItemProp *Source)
{
    if (auto *source = qobject_cast<TQXItemProperty *>(Source)) {
        OnSetProperty = source->OnSetProperty;
        OnGetProperty = source->OnGetProperty;
        OnRefreshValue = source->OnRefreshValue;
    }
    TQXItemProp::AssignEvents(Source);
}

// ---------------------------------------------------------------------------------------------------
// TQXItemProperties

TQXItemProperties::TQXItemProperties(QObject *AOwner, const QMetaObject *ItemClass)
    : TQXItemProps(AOwner, ItemClass ? ItemClass : &TQXItemProperty::staticMetaObject)
{ }

TQXItemProperties::~TQXItemProperties() = default;

TQXCustomObjectInspector *TQXItemProperties::GetEditor() const
{
    return qobject_cast<TQXCustomObjectInspector *>(TQXItemProps::GetEditor());
}

// ---------------------------------------------------------------------------------------------------
// Streamed form

void TQXItemProperty::DefineProperties(TFiler *Filer)
{
    TQXItemProp::DefineProperties(Filer);
    // TypeData: real property name, type name, type kind, the real values (count, then each), property kind.
    Filer->DefineProperty(
        QStringLiteral("TypeData"),
        [this](TReader *Reader) {
            Reader->ReadListBegin();
            const QString realPropName = Reader->ReadString();
            const QString typeName = Reader->ReadString();
            const qint64 typeKind = Reader->ReadInteger();
            const qint64 count = Reader->ReadInteger();
            if (typeKind < TTypeInfo::tkUnknown || typeKind > TTypeInfo::tkDynArray || count < 0
                || count > 1 << 20)
                throw EReadError(QStringLiteral("Error reading %1: invalid type data").arg(Reader->Path()));
            TVariantArray values;
            for (qint64 i = 0; i < count; ++i) {
                QVariant value = Reader->ReadVariant();
                // A small 64-bit number is stored as any number is: it comes back with its row's type.
                if (typeKind == TTypeInfo::tkInt64 && value.isValid())
                    value = value.toLongLong();
                values.append(value);
            }
            const qint64 propertyKind = Reader->ReadInteger();
            if (propertyKind < pkNormal || propertyKind > pkCollectionItem)
                throw EReadError(
                    QStringLiteral("Error reading %1: invalid property kind").arg(Reader->Path()));
            Reader->ReadListEnd();
            if (Reader->Checking())
                return;
            m_realPropName = realPropName;
            m_typeName = typeName;
            m_typeKind = TTypeKind(typeKind);
            m_realValues = values;
            m_propertyKind = TQXPropertyKind(propertyKind);
            m_isRealProperty = true;
            m_info = nullptr;
        },
        [this](TWriter *Writer) {
            const TVariantArray &values = GetRealValues();
            Writer->WriteListBegin();
            Writer->WriteString(m_realPropName);
            Writer->WriteString(m_typeName);
            Writer->WriteInteger(m_typeKind);
            Writer->WriteInteger(values.size());
            // An object has no stored form: a class row stores nil, and its objects are read again
            // from the inspected objects once the inspector is loaded (ResolveLoadedObjects).
            for (const QVariant &value : values)
                Writer->WriteVariant(m_typeKind == tkClass ? QVariant() : value);
            Writer->WriteInteger(m_propertyKind);
            Writer->WriteListEnd();
        },
        m_isRealProperty);
    Filer->DefineProperty(
        QStringLiteral("IsAllEqual"),
        [this](TReader *Reader) {
            const bool allEqual = Reader->ReadBoolean();
            if (!Reader->Checking())
                m_allEqual = allEqual;
        },
        [](TWriter *Writer) { Writer->WriteBoolean(true); }, IsAllEqual());
}
