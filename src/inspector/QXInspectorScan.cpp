// The object inspector's scan: building the rows from the inspected objects, finding the object that
// owns a row's property, and the two conversions between property values and cell texts.
#include "QXCustomObjectInspector.h"

#include "FormatSettings.h"
#include "StringList.h"
#include "ValueAdapters.h"
#include "Variants.h"

#include <QApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>
#include <QWidget>

using namespace QXPlatform;

namespace {

// Item names come from a format the application sets ("Items[%d]"). Only the index is substituted,
// into the first %d (or %i, %u); "%%" gives a percent sign and any other directive stays as written,
// so no format text can read arguments that are not there.
QString formatIndex(const QString &Format, int Index)
{
    QString result;
    result.reserve(Format.size() + 8);
    bool substituted = false;
    for (qsizetype i = 0; i < Format.size(); ++i) {
        const QChar c = Format.at(i);
        if (c == QLatin1Char('%') && i + 1 < Format.size()) {
            const QChar next = Format.at(i + 1);
            if (next == QLatin1Char('%')) {
                result += QLatin1Char('%');
                ++i;
                continue;
            }
            if (!substituted
                && (next == QLatin1Char('d') || next == QLatin1Char('i') || next == QLatin1Char('u'))) {
                result += QString::number(Index);
                substituted = true;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

QObject *objectAt(TQXInspectorObjects *Objects, int Index)
{
    return Objects->Items(Index)->Objects();
}

/// A working list of objects that tells nobody of its changes; freed with the scope.
struct WorkingList
{
    TQXInspectorObjects *list = Create<TQXInspectorObjects>(nullptr);
    WorkingList() = default;
    ~WorkingList() { Free(list); }
    Q_DISABLE_COPY_MOVE(WorkingList)
};

QStringList sortedByName(QStringList names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return AnsiCompareText(a, b) < 0; });
    return names;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Building the rows

void TQXCustomObjectInspector::ScanProperties()
{
    m_shownObjects.clear();
    m_bandRanks.clear();
    const bool multi = DisplayOptions() & doMultiColValues;
    if (m_objects->Count() > 0 && m_objects->Items(0)->Objects()) {
        WorkingList work;
        work.list->AssignNonEmpty(m_objects);
        // What one scan collects is forgotten when it ends, also when ending the edit update raises.
        const auto forget = qScopeGuard([this] {
            m_scannedObjects.clear();
            m_propLists.clear();
            m_heldInfo = TPropInfo();
        });
        DisableEditUpdate();
        const TScopeExit enable([this] { EnableEditUpdate(); });
        // Reading, writing and refreshing address the objects by these positions.
        for (int i = 0; i < work.list->Count(); ++i)
            m_shownObjects.append(objectAt(work.list, i));
        rankClassBands();
        if (work.list->Count() > 0) {
            SetGridCount(gcValueLineCount, multi ? work.list->Count() + 1 : 2);
            BuildCommonProperties(work.list, GetItems(), nullptr);
            BuildDynamicProperties(GetItems());
            orderClassBands();
            RemoveFilterProperties();
            CopyPresetsToProperties();
        }
    } else if (multi) {
        SetGridCount(gcValueLineCount, 2);
    }
}

void TQXCustomObjectInspector::orderClassBands()
{
    // Sorted rows keep the bands in rank order through CompareStrings; unsorted ones got their bands in the
    // order the first property of each came, base classes first.
    if (m_bandRanks.isEmpty() || IsSorted())
        return;
    TQXItemProps *top = Items();
    QList<TQXItemProp *> bands;
    for (int i = 0; i < top->Count(); ++i)
        if (top->Items(i)->Category() && m_bandRanks.contains(top->Items(i)->Name()))
            bands.append(top->Items(i));
    std::stable_sort(bands.begin(), bands.end(), [this](const TQXItemProp *a, const TQXItemProp *b) {
        return m_bandRanks.value(a->Name()) < m_bandRanks.value(b->Name());
    });
    for (int i = 0; i < bands.size(); ++i)
        bands.at(i)->SetIndex(i);
}

void TQXCustomObjectInspector::BuildCommonProperties(TQXInspectorObjects *Objects,
                                                     TQXItemProperties *Properties,
                                                     TQXInspectorObjects *ParentObjects)
{
    if (!Objects || Objects->Count() == 0)
        return;
    for (int i = 0; i < Objects->Count(); ++i)
        m_scannedObjects.insert(objectAt(Objects, i));
    const QObject *first = objectAt(Objects, 0);
    if (!first)
        return;
    // Objects of one class (the items of a collection, say) list the same properties: listed once per scan.
    auto listed = m_propLists.constFind(first->metaObject());
    if (listed == m_propLists.constEnd()) {
        TListedProperties found { GetPropList(first, m_displayKinds, IsSorted()), {} };
        found.shared.reserve(found.list.size());
        for (const TPropInfo &info : std::as_const(found.list))
            found.shared.append(TQXItemProperty::sharedPropInfo(info.MetaObject, info.Name));
        listed = m_propLists.insert(first->metaObject(), found);
    }
    const TListedProperties properties = *listed;
    InUpdate(*Properties, [&] {
        for (qsizetype p = 0; p < properties.list.size(); ++p) {
            const TPropInfo &info = properties.list.at(p);
            if (!IsSharedProperty(Objects, info))
                continue;
            auto *row = Properties->Add();
            buildProperty(row, Objects, info, properties.shared.at(p));
            // Naming the row placed it into its first category; it is shown in every other one too. A class
            // band is the one band of its rows.
            if (ArrangeByCategory() && !m_arrangeByClass && row->GetParent() && row->GetParent()->Category())
                Categorize(row, row->GetParent()->Collection()->Categories(), true);
        }

        TQXItemProperty *owner = Properties->GetParent();
        if (!owner || !owner->IsAllEqual())
            return;
        if (m_inplaceCollections && owner->PropertyKind() == pkCollection && ParentObjects
            && ParentObjects->Count() > 0) {
            QString name = owner->RealPropName();
            QObject *holder = GetInstance(objectAt(ParentObjects, 0), name, owner);
            auto *collection = holder ? qobject_cast<TCollection *>(GetObjectProp(holder, name)) : nullptr;
            if (!collection || collection == Items())
                return;
            for (int i = 1; i < ParentObjects->Count(); ++i) {
                QObject *other = objectAt(ParentObjects, i);
                auto *otherCollection
                    = other ? qobject_cast<TCollection *>(GetObjectProp(other, name)) : nullptr;
                if (!otherCollection || otherCollection->Count() != collection->Count())
                    return;
            }
            for (int i = 0; i < collection->Count(); ++i)
                BuildCollectionItemProperty(owner->RealPropName(), collection, Properties->Add(),
                                            ParentObjects, collection->Items(i));
        } else if (m_inplaceTStrings && owner->TypeKind() == tkClass
                   && qobject_cast<TStrings *>(owner->GetObjectProperty(-1))) {
            BuildTStringsItemProperties(owner);
        }
    });
}

bool TQXCustomObjectInspector::IsSharedProperty(TQXInspectorObjects *Objects, const TPropInfo &PropInfo) const
{
    if (Objects->Count() <= 1)
        return true;
    for (int i = 0; i < Objects->Count(); ++i) {
        const QObject *object = objectAt(Objects, i);
        if (object && object->metaObject() == PropInfo.MetaObject)
            continue; // the same class publishes the same property
        const TPropInfo info = GetPropInfo(object, PropInfo.Name);
        if (!info || info.Kind != PropInfo.Kind || info.TypeName != PropInfo.TypeName)
            return false;
    }
    return true;
}

void TQXCustomObjectInspector::BuildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects,
                                             const QString &PropName)
{
    if (!Objects || Objects->Count() == 0)
        return;
    Item->SetName(PropName);
    Item->SetRealPropName(PropName);
    const TPropInfo info = GetPropInfo(objectAt(Objects, 0), PropName);
    if (!info)
        RaiseMissingProperty(PropName);
    buildProperty(Item, Objects, info);
}

namespace {

/// The information of Info's property on Object's class.
TPropInfo infoOn(const QObject *Object, const TPropInfo &Info)
{
    if (Object->metaObject() == Info.MetaObject)
        return Info;
    TPropInfo info = GetPropInfo(Object, Info.Name);
    if (!info)
        RaiseMissingProperty(Info.Name);
    return info;
}

} // namespace

void TQXCustomObjectInspector::buildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects,
                                             const TPropInfo &info, const TPropInfo *Shared)
{
    const QString &PropName = info.Name;
    QObject *first = objectAt(Objects, 0);
    Item->SetName(PropName);
    Item->SetRealPropName(PropName);
    Item->m_info = Shared ? Shared : TQXItemProperty::sharedPropInfo(info.MetaObject, PropName);
    Item->SetTypeKind(info.Kind);
    Item->SetTypeName(info.TypeName);

    const bool multi = DisplayOptions() & doMultiColValues;
    const int lines = multi ? Objects->Count() : 1;
    if (info.Kind != tkInterface)
        for (int i = 0; i < lines; ++i)
            Item->SetRealValues(
                i, GetPropValue(objectAt(Objects, i), infoOn(objectAt(Objects, i), info), false));

    QObject *held = info.Kind == tkClass ? GetObjectProp(first, info) : nullptr;
    if (info.Kind == tkClass && qobject_cast<TCollection *>(held))
        Item->SetPropertyKind(pkCollection);
    else if (info.Kind == tkSet)
        Item->SetPropertyKind(pkSet);
    else
        Item->SetPropertyKind(pkNormal);

    // One entry per value line; a text with line breaks stays one value.
    QStringList texts;
    texts.reserve(lines);
    for (int i = 0; i < lines; ++i)
        texts.append(GetPropertyValue(objectAt(Objects, i), Item));
    Item->SetValueLines(texts);
    Item->SetIsRealProperty(info.Kind != tkInterface);

    if (Objects->Count() == 1) {
        Item->SetAllEqual(true);
    } else if (multi) {
        Item->SetAllEqual(false);
    } else {
        // Texts that differ only in letter case are different values.
        bool equal = true;
        for (int i = 1; i < Objects->Count() && equal; ++i)
            equal = GetPropertyValue(objectAt(Objects, i), Item) == texts.constFirst();
        Item->SetAllEqual(equal);
    }

    bool readOnly = !info.IsWritable() || info.Kind == tkMethod || info.Kind == tkInterface;
    // An owned sub-object is edited through its own rows; a component reference stays editable by name.
    if (!readOnly && info.Kind == tkClass)
        readOnly = !Item->IsValuesEmpty() && !IsComponent(held);
    Item->SetReadOnly(readOnly);

    switch (info.Kind) {
    case tkEnumeration: {
        QStringList names;
        if (info.Enumerator.isValid()) {
            // Aliases (two keys of one value) offer the value once, by its first key.
            QList<int> values;
            for (int k = 0; k < info.Enumerator.keyCount(); ++k) {
                const int value = info.Enumerator.value(k);
                if (values.contains(value))
                    continue;
                values.append(value);
                names.append(QString::fromLatin1(info.Enumerator.key(k)));
            }
        } else
            names = { QStringLiteral("False"), QStringLiteral("True") };
        Item->SetPickListLines(sortedByName(names));
        break;
    }
    case tkSet:
        buildSetMembers(Item, info, lines);
        break;
    case tkClass:
        buildSubObjects(Item, Objects, info);
        break;
    default:
        break;
    }
}

void TQXCustomObjectInspector::buildSetMembers(TQXItemProperty *Item, const TPropInfo &Info, int ValueLines)
{
    const QStringList members = GetSetMembers(Info.Enumerator);
    TQXItemProperties *rows = Item->GetItems();
    rows->SetSorted(false);
    const bool multi = DisplayOptions() & doMultiColValues;
    const int objects = ShownObjectCount();
    const QStringList booleans = { QStringLiteral("False"), QStringLiteral("True") };
    for (int k = 0; k < members.size() && k <= 31; ++k) {
        if (members.at(k).isEmpty())
            continue; // no member has this bit
        TQXItemProperty *member = rows->Add();
        member->SetName(members.at(k));
        member->SetRealPropName(members.at(k));
        QStringList texts;
        for (int b = 0; b < ValueLines; ++b) {
            member->SetRealValues(b, k);
            const qint64 bits = Item->RealValues(b).toLongLong();
            texts.append((bits & (qint64(1) << k)) ? QStringLiteral("True") : QStringLiteral("False"));
        }
        member->SetValueLines(texts);
        member->SetPropertyKind(pkSetMember);
        member->SetTypeKind(tkEnumeration);
        member->SetTypeName(QStringLiteral("Boolean"));
        member->SetIsRealProperty(false);
        member->SetAllEqual(objects <= 1 ? true : (!multi && member->IsAllValuesEqual()));
        member->SetPickListLines(booleans);
    }
}

void TQXCustomObjectInspector::buildSubObjects(TQXItemProperty *Item, TQXInspectorObjects *Objects,
                                               const TPropInfo &Info)
{
    WorkingList work;
    for (int i = 0; i < Objects->Count(); ++i) {
        QObject *object = objectAt(Objects, i);
        QObject *held = object ? GetObjectProp(object, infoOn(object, Info)) : nullptr;
        if (!held || (!m_inplaceComponents && IsComponent(held))
            || (!m_inplaceTStrings && qobject_cast<TStrings *>(held)) || m_scannedObjects.contains(held))
            continue;
        work.list->Add(held);
    }
    // Only when every object contributed a sub-object of its own are the sub-properties listed.
    if (work.list->Count() != Objects->Count())
        return;
    if (BeforeScan(Item))
        BuildCommonProperties(work.list, Item->GetItems(), Objects);
    AfterScan(Item);
}

QObject *TQXCustomObjectInspector::heldObject(QObject *Object, const QString &Name) const
{
    // The same property of objects of one class is asked for once per collection item while a scan lists
    // a collection in place: the last lookup is kept.
    if (m_heldInfo.MetaObject != Object->metaObject()
        || m_heldInfo.Name.compare(Name, Qt::CaseInsensitive) != 0) {
        m_heldInfo = GetPropInfo(Object, Name);
        if (!m_heldInfo)
            RaiseMissingProperty(Name);
    }
    return GetObjectProp(Object, m_heldInfo);
}

void TQXCustomObjectInspector::BuildCollectionItemProperty(const QString &PropName, TCollection *Collection,
                                                           TQXItemProperty *Item,
                                                           TQXInspectorObjects *Objects,
                                                           TCollectionItem *CollectionItem)
{
    if (!Objects || Objects->Count() == 0)
        return;
    const int index = CollectionItem->Index();
    const QString name = formatIndex(m_collectionItemFormat, index);
    Item->SetName(name);
    Item->SetRealPropName(name);
    Item->SetTypeKind(tkClass);
    Item->SetTypeName(ClassNameOf(Collection->ItemClass()));
    const int lines = qMax(1, GetGridCount(gcValueLineCount) - 1);
    QStringList texts;
    for (int b = 0; b < lines; ++b) {
        Item->SetRealValues(b, index);
        texts.append(CollectionItem->GetDisplayName());
    }
    Item->SetIsRealProperty(false);
    Item->SetPropertyKind(pkCollectionItem);
    Item->SetValueLines(texts);
    Item->SetAllEqual(true);
    Item->SetReadOnly(true);

    WorkingList work;
    for (int i = 0; i < Objects->Count(); ++i) {
        QObject *object = objectAt(Objects, i);
        auto *collection = object ? qobject_cast<TCollection *>(heldObject(object, PropName)) : nullptr;
        if (!collection || index >= collection->Count())
            continue;
        TCollectionItem *item = collection->Items(index);
        if (!m_scannedObjects.contains(item))
            work.list->Add(item);
    }
    if (work.list->Count() == 0)
        return;
    if (BeforeScan(Item))
        BuildCommonProperties(work.list, Item->GetItems(), nullptr);
    AfterScan(Item);
}

// ---------------------------------------------------------------------------------------------------
// String lists in place

bool TQXCustomObjectInspector::GetNameValue(const QString &S, const QString &Separator, QString &Name,
                                            QString &Value)
{
    const qsizetype at = Separator.isEmpty() ? -1 : S.indexOf(Separator);
    if (at < 0) {
        Name = S;
        Value.clear();
        return false;
    }
    Name = S.left(at);
    Value = S.mid(at + Separator.size());
    return true;
}

QString TQXCustomObjectInspector::BuildName(TQXItemProperty *Item, TQXItemProperty *Owner) const
{
    QString result = Item->RealPropName();
    for (TQXItemProperty *parent = Item->GetParent(); parent && parent != Owner; parent = parent->GetParent())
        result = parent->RealPropName() + PathDelimiter() + result;
    return result;
}

namespace {

/// The row of a name-value line named Name below Rows. Each step of the path is the first row of exactly
/// that name (case counts: a row writes its line back under the name it shows, so "Font.Color" never
/// joins a "font" row), made when missing. The last step is a new row unless a row of that name already
/// has rows below it.
TQXItemProperty *addLineRow(TQXItemProperties *Rows, const QString &Name, const QString &Delimiter)
{
    const QStringList steps = Delimiter.isEmpty() ? QStringList { Name } : Name.split(Delimiter);
    TQXItemProperties *level = Rows;
    TQXItemProperty *row = nullptr;
    for (qsizetype s = 0; s < steps.size(); ++s) {
        const QString &step = steps.at(s);
        row = nullptr;
        for (int i = 0; i < level->Count() && !row; ++i)
            if (level->Items(i)->Name() == step)
                row = level->Items(i);
        if (!row || (s + 1 == steps.size() && !row->HasChildren())) {
            row = level->Add();
            row->SetName(step);
        }
        level = row->GetItems();
    }
    return row;
}

} // namespace

void TQXCustomObjectInspector::BuildTStringsItemProperties(TQXItemProperty *Item)
{
    const TInplaceTStringsOptions options = m_inplaceTStringsOptions;
    TQXItemProperties *rows = Item->GetItems();
    rows->SetSorted(options & isSort);
    const bool multi = DisplayOptions() & doMultiColValues;
    QList<TStrings *> lists;
    for (int i = 0; i < ShownObjectCount(); ++i)
        lists.append(qobject_cast<TStrings *>(Item->GetObjectProperty(i)));
    TStrings *current = qobject_cast<TStrings *>(Item->GetObjectProperty(-1));
    if (lists.isEmpty() || !current || !lists.first() || lists.first()->Count() == 0)
        return;
    TStrings *first = lists.first();
    for (TStrings *list : std::as_const(lists))
        if (!list || list->Count() != first->Count())
            return;
    const QChar separator = current->NameValueSeparator();
    const int lines = multi ? int(lists.size()) : 1;

    auto bindLine = [this](TQXItemProperty *row) {
        row->OnGetProperty = [this](QObject *S, QObject *I, const QString &P, QString &V) {
            GetTStringsItemProperty(S, I, P, V);
        };
        row->OnSetProperty = [this](QObject *S, QObject *I, const QString &P, const QString &V) {
            SetTStringsItemProperty(S, I, P, V);
        };
    };
    auto bindNameValue = [this](TQXItemProperty *row) {
        row->OnGetProperty = [this](QObject *S, QObject *I, const QString &P, QString &V) {
            GetTStringsNameValueProperty(S, I, P, V);
        };
        row->OnSetProperty = [this](QObject *S, QObject *I, const QString &P, const QString &V) {
            SetTStringsNameValueProperty(S, I, P, V);
        };
    };

    QSet<TQXItemProperty *> lineRows;
    for (int i = 0; i < current->Count(); ++i) {
        bool nameValue = false;
        if (options & isUseNameValue) {
            nameValue = true;
            for (TStrings *list : std::as_const(lists)) {
                const QString line = list->Strings(i);
                if ((!line.isEmpty() && !line.contains(separator)) || list->Names(i) != first->Names(i)) {
                    nameValue = false;
                    break;
                }
            }
        }
        TQXItemProperty *row;
        QStringList texts;
        bool allEqual = true;
        if (nameValue) {
            row = addLineRow(rows, current->Names(i), PathDelimiter());
            for (TStrings *list : std::as_const(lists))
                allEqual = allEqual
                    && (multi ? list->ValueFromIndex(i) == first->ValueFromIndex(i)
                              : list->Strings(i) == first->Strings(i));
            for (int o = 0; o < lines; ++o)
                texts.append((multi ? lists.at(o) : first)->ValueFromIndex(i));
            if (current->Strings(i).isEmpty())
                bindLine(row);
            else
                bindNameValue(row);
        } else {
            row = rows->Add();
            row->SetName(formatIndex(m_stringsItemFormat, i));
            for (TStrings *list : std::as_const(lists))
                allEqual = allEqual && list->Strings(i) == first->Strings(i);
            for (int o = 0; o < lines; ++o)
                texts.append((multi ? lists.at(o) : current)->Strings(i));
            bindLine(row);
        }
        for (int o = 0; o < lines; ++o)
            row->SetRealValues(o, i);
        row->SetValueLines(texts);
        row->SetAllEqual(allEqual);
        row->SetTypeKind(tkString);
        row->SetTypeName(QStringLiteral("TStrings Item"));
        lineRows.insert(row);
        // Rows made only as steps of a path have no line of their own; a step that is also a line's row
        // ("Font=x" before "Font.Size=8") keeps its line, so an edit of it changes that line.
        for (TQXItemProperty *step = row->GetParent(); step && step != Item; step = step->GetParent()) {
            if (lineRows.contains(step))
                continue;
            step->SetAllEqual(true);
            for (int o = 0; o < lines; ++o)
                step->SetRealValues(o, -1);
            bindNameValue(step);
        }
    }
}

namespace {

/// A string-list row's list (the object of its owning row on the current value line) and line; the line
/// is -1 for a row without a line of its own and for a line the list no longer has.
struct ListLine
{
    TQXItemProperty *row = nullptr;
    TQXItemProperty *owner = nullptr;
    TStrings *list = nullptr;
    int index = -1;
};

ListLine listLineOf(QObject *Sender, bool NameValue, int ObjectIndex)
{
    ListLine line;
    line.row = qobject_cast<TQXItemProperty *>(Sender);
    if (!line.row)
        return line;
    // A whole line belongs to its parent's list; a name-value row may sit below intermediate path rows.
    line.owner = NameValue ? line.row->GetParentItem(tkClass, QString()) : line.row->GetParent();
    line.list = line.owner ? qobject_cast<TStrings *>(line.owner->GetObjectProperty(ObjectIndex)) : nullptr;
    const QVariant value = line.row->RealValues(0);
    const int index = value.isValid() ? value.toInt() : -1;
    if (line.list && index >= 0 && index < line.list->Count())
        line.index = index;
    return line;
}

} // namespace

int TQXCustomObjectInspector::writingObjectIndex() const
{
    if (m_writingObject)
        for (int i = 0; i < ShownObjectCount(); ++i)
            if (ShownObject(i) == m_writingObject)
                return i;
    return -1;
}

void TQXCustomObjectInspector::GetTStringsItemProperty(QObject *Sender, QObject *, const QString &,
                                                       QString &Value)
{
    const ListLine line = listLineOf(Sender, false, -1);
    if (line.index >= 0)
        Value = line.list->Strings(line.index);
}

// The writers are called once per inspected object (SetPropertyValue) and write that object's own list,
// so a line shown as shared reaches every list, once.

void TQXCustomObjectInspector::SetTStringsItemProperty(QObject *Sender, QObject *, const QString &,
                                                       const QString &Value)
{
    const ListLine line = listLineOf(Sender, false, writingObjectIndex());
    if (line.index >= 0)
        line.list->SetStrings(line.index, Value);
    InvalidateScan();
}

void TQXCustomObjectInspector::GetTStringsNameValueProperty(QObject *Sender, QObject *, const QString &,
                                                            QString &Value)
{
    const ListLine line = listLineOf(Sender, true, -1);
    Value = line.index >= 0 ? line.list->ValueFromIndex(line.index) : QString();
}

void TQXCustomObjectInspector::SetTStringsNameValueProperty(QObject *Sender, QObject *, const QString &,
                                                            const QString &Value)
{
    const ListLine line = listLineOf(Sender, true, writingObjectIndex());
    if (!line.list)
        return;
    const QString text = BuildName(line.row, line.owner) + line.list->NameValueSeparator() + Value;
    if (line.index < 0)
        line.list->Add(text);
    else
        line.list->SetStrings(line.index, text);
    // Lines may have moved: the rows are built again.
    InvalidateScan();
}

// ---------------------------------------------------------------------------------------------------
// Resolving a row's object

QObject *TQXCustomObjectInspector::GetInstance(QObject *Instance, QString &PropPath,
                                               TQXItemProperty *Item) const
{
    if (!Instance)
        return nullptr;
    const QString delimiter = PathDelimiter();
    if (delimiter.isEmpty() || !PropPath.contains(delimiter))
        return Instance;
    // The rows from the top of the tree down to Item: each path segment belongs to one of them.
    QVarLengthArray<TQXItemProperty *, 8> chain;
    for (TQXItemProperty *row = Item; row; row = row->GetParent())
        chain.append(row);
    std::reverse(chain.begin(), chain.end());
    int level = 0;
    QObject *instance = Instance;
    qsizetype at;
    while ((at = PropPath.indexOf(delimiter)) >= 0) {
        const QString segment = PropPath.left(at);
        PropPath = PropPath.mid(at + delimiter.size());
        TQXItemProperty *row = level < chain.size() ? chain[level] : nullptr;
        if (row && row->Category()) {
            // a category groups rows; it is no step towards the object
        } else if (m_inplaceCollections && row && row->PropertyKind() == pkCollectionItem) {
            auto *collection = qobject_cast<TCollection *>(instance);
            const QVariant value = row->RealValues(0);
            const int index = value.isValid() ? value.toInt() : -1;
            instance = collection && index >= 0 && index < collection->Count() ? collection->Items(index)
                                                                               : nullptr;
        } else {
            // Only an object property leads further; a set's members, say, have no object of their own.
            const TPropInfo info = GetPropInfo(instance, segment);
            instance = info && info.Kind == tkClass ? GetObjectProp(instance, segment) : nullptr;
        }
        ++level;
        if (!instance)
            break;
    }
    return instance;
}

// ---------------------------------------------------------------------------------------------------
// Value texts

QString TQXCustomObjectInspector::GetPlainPropertyValue(QObject *Instance, TQXItemProperty *Item) const
{
    // A path that no longer leads to an object has no value to read.
    if (!Instance)
        return QString();
    const QString &name = Item->RealPropName();
    const TPropInfo &info = Item->propInfoOn(Instance, name);
    if (!info)
        RaiseMissingProperty(name);
    switch (info.Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
        return QString::number(GetOrdProp(Instance, info));
    case tkEnumeration:
        return GetEnumProp(Instance, info);
    case tkFloat:
        return FloatToStr(GetFloatProp(Instance, info));
    case tkString:
    case tkLString:
    case tkWString:
        return GetStrProp(Instance, info);
    case tkSet:
        return GetSetProp(Instance, info, true);
    case tkClass: {
        QObject *object = GetObjectProp(Instance, info);
        if (!object)
            return QString();
        if (IsComponent(object))
            return object->objectName();
        if (m_valueSummaries != vsNone) {
            QString summary = ValueSummary(info.Property.read(Instance), m_valueSummaries == vsAllTypes);
            if (!summary.isNull())
                return summary;
        }
        return QLatin1Char('(') + info.TypeName + QLatin1Char(')');
    }
    case tkMethod:
    case tkInterface:
        return info.TypeName;
    case tkVariant:
        return VarToStr(GetVariantProp(Instance, info));
    case tkInt64:
        return QString::number(GetInt64Prop(Instance, info));
    default:
        RaiseInvalidPropertyType(info.TypeName);
    }
}

void TQXCustomObjectInspector::SetPlainPropertyValue(QObject *Instance, TQXItemProperty *Item,
                                                     const QString &PropName, const QString &Value)
{
    if (!Instance)
        return;
    if (Item->TypeKind() == tkEnumeration && Item->TypeName() == QLatin1String("WordBool"))
        SetPropValue(Instance, PropName, QVariant(GetEnumValue(QMetaType::fromType<bool>(), Value) == 1));
    else if (Item->TypeKind() == tkClass && GetObjectPropClass(Instance, PropName)) {
        SetObjectProp(Instance, PropName, componentNamed(Instance, Value));
        // The rows below a reference are those of the object it holds.
        InvalidateScan();
    } else
        SetPropValue(Instance, PropName, QVariant(Value));
}

QObject *TQXCustomObjectInspector::componentNamed(QObject *Instance, const QString &Name) const
{
    // A component reference shows the component's name, so a name typed into it chooses the component:
    // the one of that name among the objects that share the instance's top ancestor (its form), else
    // among the application's windows. An empty text clears the reference.
    const QString name = Name.trimmed();
    if (name.isEmpty())
        return nullptr;
    QObject *root = Instance;
    while (root->parent())
        root = root->parent();
    if (root->objectName() == name)
        return root;
    if (QObject *found = root->findChild<QObject *>(name))
        return found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            return window;
        if (QObject *found = window->findChild<QObject *>(name))
            return found;
    }
    throw EPropertyConvertError(QStringLiteral("There is no component named %1").arg(name));
}
