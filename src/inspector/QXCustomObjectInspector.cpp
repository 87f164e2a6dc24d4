#include "QXCustomObjectInspector.h"

#include "GSpecialFiler.h"
#include "QXConsts.h"
#include "QXCustomDeltaFont.h"
#include "QXDefaultCategories.h"
#include "QXInspectorLive_p.h"
#include "QXMessages.h"
#include "QXObjectInspector.h"
#include "Streaming.h"
#include "StringList.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QUndoStack>

using namespace QXPlatform;

namespace {

// Where the inspector puts properties when arranged by category: lines name=category, in this order.
// A property named more than once is shown in each of its categories.
const char *const categoryTable[] = {
    "Action=Action",
    "Caption=Action",
    "Enabled=Action",
    "HelpContext=Action",
    "Hint=Action",
    "Visible=Action",
    "DockSite=Drag, Drop and Docking",
    "DragKind=Drag, Drop and Docking",
    "DragMode=Drag, Drop and Docking",
    "UseDockManager=Drag, Drop and Docking",
    "Filters=Database",
    "HelpContext=Help and Hints",
    "HelpKeyword=Help and Hints",
    "HelpType=Help and Hints",
    "Hint=Help and Hints",
    "ParentShowHint=Help and Hints",
    "ShowHint=Help and Hints",
    "Enabled=Input",
    "Align=Layout",
    "Anchors=Layout",
    "Constraints=Layout",
    "Height=Layout",
    "Left=Layout",
    "TabOrder=Layout",
    "TabStop=Layout",
    "Top=Layout",
    "Width=Layout",
    "Ctl3D=Legacy",
    "ParentCtl3D=Legacy",
    "Component=Linkage",
    "PopupMenu=Linkage",
    "BiDiMode=Locale",
    "ParentBiDiMode=Linkage",
    "Constraints=Localizable",
    "Font=Localizable",
    "BiDiMode=Localizable",
    "Height=Localizable",
    "Hint=Localizable",
    "Left=Localizable",
    "ParentBiDiMode=Localizable",
    "ParentFont=Localizable",
    "ValueFont=Localizable",
    "ValueChangedFont=Localizable",
    "CategoryFont=Localizable",
    "Top=Localizable",
    "Width=Localizable",
    "Align=Visual",
    "BorderStyle=Visual",
    "Color=Visual",
    "Cursor=Visual",
    "Enabled=Visual",
    "FixedColor=Visual",
    "Font=Visual",
    "Height=Visual",
    "Left=Visual",
    "ParentColor=Visual",
    "ParentFont=Visual",
    "Top=Visual",
    "ValueChangedFont=Visual",
    "ValueFont=Visual",
    "Visible=Visual",
    "Width=Visual",
};

/// Calls a no-argument slot such as copy() or paste() when Target's class has one.
void invokeCommand(QObject *Target, const char *Signature, const char *Name)
{
    if (Target && Target->metaObject()->indexOfMethod(Signature) >= 0)
        QMetaObject::invokeMethod(Target, Name, Qt::DirectConnection);
}

} // namespace

/// One write through the inspector: the texts each object held before and after, written back to the
/// objects through the row at the same path. A write to several objects is one command.
class TQXWriteCommand : public QUndoCommand
{
public:
    TQXWriteCommand(TQXCustomObjectInspector *Inspector, const QString &Path, const QString &Name,
                    QList<QPointer<QObject>> Objects, QStringList Before, QStringList After)
        : QUndoCommand(QStringLiteral("Set %1").arg(Name))
        , m_inspector(Inspector)
        , m_path(Path)
        , m_objects(std::move(Objects))
        , m_before(std::move(Before))
        , m_after(std::move(After))
    { }
    void undo() override { writeBack(m_before); }
    void redo() override
    {
        // Pushing the command runs redo: the values are written already.
        if (!std::exchange(m_pushed, true))
            return;
        writeBack(m_after);
    }

private:
    void writeBack(const QStringList &Texts)
    {
        // The stack's owner calls undo from its own code: nothing raised may cross the event loop.
        if (m_inspector)
            Guarded([&] { m_inspector->writeBack(m_path, m_objects, Texts); });
    }

    QPointer<TQXCustomObjectInspector> m_inspector;
    QString m_path;
    QList<QPointer<QObject>> m_objects;
    QStringList m_before;
    QStringList m_after;
    bool m_pushed = false;
};

// ---------------------------------------------------------------------------------------------------
// Construction and destruction

TQXCustomObjectInspector::TQXCustomObjectInspector(QWidget *parent)
    : TQXCustomItemListEditor(parent)
{
    // The grid makes its items and categories once the object is whole (AfterConstruction or first use),
    // so everything they may ask for exists before that.
    m_objects = Create<TQXInspectorObjects>(this);
    m_live = new TQXLiveValues(this);

    ValueFont()->SetColor(clNavy);

    // Bound to the value font before taking its attributes, so that the font keeps only the added bold
    // and follows every later change of the value font.
    m_valueChangedFont = new TQXCustomDeltaFont;
    m_valueChangedFont->OnGetOriginalFont
        = [this](QObject *sender, TFont *&font) { GetOriginalFont(sender, font); };
    m_valueChangedFont->Assign(ValueFont());
    m_valueChangedFont->SetStyle(m_valueChangedFont->Style() | fsBold);
    connect(m_valueChangedFont, &TFont::changed, this, [this] { InternalValueChangedFontChanged(); });

    m_stringsItemFormat = QStringLiteral("Items[%d]");
    m_collectionItemFormat = QStringLiteral("Items[%d]");
    // These three differ from their declared defaults on purpose (see QXObjectInspector.h).
    m_displayKinds = tkAny - TTypeKinds { tkUnknown, tkMethod, tkArray, tkRecord, tkDynArray };
    SetColor(clBtnFace);
    SetDeleteBlanks(false);
}

void TQXCustomObjectInspector::AfterConstruction()
{
    TQXCustomItemListEditor::AfterConstruction();
    Presets();
}

TQXPropertyPresets *TQXCustomObjectInspector::Presets() const
{
    // Made through an overridable operation, so only once the object is whole; the factory and the
    // default presets change the inspector, which a const getter reaches through a cast.
    if (!m_presets && !m_destroyingInspector) {
        auto *self = const_cast<TQXCustomObjectInspector *>(this);
        m_presets = self->CreatePresets();
        self->ResetDefaultPresets();
    }
    return m_presets;
}

TQXPropertyPresets *TQXCustomObjectInspector::CreatePresets()
{
    return Create<TQXPropertyPresets>(this);
}

void TQXCustomObjectInspector::BeforeDestruction()
{
    m_destroyingInspector = true;
    m_live->Disconnect();
    m_objects->Clear();
    TQXCustomItemListEditor::BeforeDestruction();
}

TQXCustomObjectInspector::~TQXCustomObjectInspector()
{
    m_destroyingInspector = true;
    FreeAndNil(m_objects);
    FreeAndNil(m_presets);
    FreeAndNil(m_valueChangedFont);
    delete std::exchange(m_live, nullptr);
    delete std::exchange(m_ownUndoStack, nullptr);
    m_scannedObjects.clear();
    m_shownObjects.clear();
}

bool TQXCustomObjectInspector::isDestroying() const
{
    return m_destroyingInspector || (ComponentState() & csDestroying);
}

bool TQXCustomObjectInspector::isLoading() const
{
    return ComponentState() & csLoading;
}

void TQXCustomObjectInspector::Loaded()
{
    TQXCustomItemListEditor::Loaded();
    // The rows read back stand for the inspected objects as a scan would have placed them; class rows
    // hold no objects, so theirs are read again, so that a refresh compares like with like and the
    // presets' handlers find them.
    m_shownObjects.clear();
    for (int i = 0; i < m_objects->Count(); ++i)
        if (QObject *object = m_objects->Items(i)->Objects())
            m_shownObjects.append(object);
    std::function<void(TQXItemProperties *)> walk = [&](TQXItemProperties *rows) {
        for (int i = 0; i < rows->Count(); ++i) {
            TQXItemProperty *row = rows->Items(i);
            if (row->IsRealProperty() && row->TypeKind() == tkClass)
                row->readObjectValues();
            if (row->HasChildren())
                walk(row->GetItems());
        }
    };
    walk(GetItems());
    CopyPresetsToProperties();
}

void TQXCustomObjectInspector::DefineProperties(TFiler *Filer)
{
    TQXCustomItemListEditor::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("HPresets"),
        [this](TReader *Reader) { TGSpecialFiler(Reader).ReadCollection(Presets()); },
        [this](TWriter *Writer) { TGSpecialFiler(Writer).WriteCollection(Presets()); },
        Presets()->Count() > 0);
    Filer->DefineProperty(
        QStringLiteral("HItems"),
        [this](TReader *Reader) {
            if (Reader->ReadValue() != vaCollection)
                throw EReadError(
                    QStringLiteral("Error reading %1: the rows must be a collection").arg(Reader->Path()));
            Reader->ReadCollection(GetItems());
        },
        [this](TWriter *Writer) { Writer->WriteCollection(GetItems()); }, true);
}

void TQXCustomObjectInspector::Notification(QObject *AComponent, TOperation Operation)
{
    TQXCustomItemListEditor::Notification(AComponent, Operation);
    // Each object is heard of once, so every entry that refers to it goes at once.
    if (Operation == opRemove && m_objects)
        m_objects->RemoveAll(AComponent);
}

void TQXCustomObjectInspector::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TQXCustomObjectInspector *>(Source);
    if (!source) {
        TQXCustomItemListEditor::Assign(Source);
        return;
    }
    m_collectionItemFormat = source->m_collectionItemFormat;
    m_showValueChangedFont = source->m_showValueChangedFont;
    m_inplaceCollections = source->m_inplaceCollections;
    m_inplaceComponents = source->m_inplaceComponents;
    m_inplaceTStrings = source->m_inplaceTStrings;
    m_inplaceTStringsOptions = source->m_inplaceTStringsOptions;
    m_stringsItemFormat = source->m_stringsItemFormat;
    m_displayKinds = source->m_displayKinds;
    m_dynamicTitleCaptions = source->m_dynamicTitleCaptions;
    m_valueSummaries = source->m_valueSummaries;
    m_colorSwatches = source->m_colorSwatches;
    m_thumbnails = source->m_thumbnails;
    m_checkBoxes = source->m_checkBoxes;
    m_rowMenu = source->m_rowMenu;
    m_rowToolTips = source->m_rowToolTips;
    m_arrangeByClass = source->m_arrangeByClass;
    m_dynamicProperties = source->m_dynamicProperties;
    m_changedFontAllKinds = source->m_changedFontAllKinds;
    AssignFilters(source);
    Presets()->Assign(source->Presets());
    m_objects->Assign(source->m_objects);
    m_valueChangedFont->Assign(source->m_valueChangedFont);
}

// ---------------------------------------------------------------------------------------------------
// The inspected objects

void TQXCustomObjectInspector::SetObjects(TQXInspectorObjects *Value)
{
    m_objects->Assign(Value);
}

QObject *TQXCustomObjectInspector::GetComponent() const
{
    return m_objects->Count() > 0 ? m_objects->Items(0)->GetComponent() : nullptr;
}

void TQXCustomObjectInspector::SetComponent(QObject *Value)
{
    if (Value) {
        if (m_objects->Count() > 0)
            m_objects->Items(0)->SetComponent(Value);
        else
            m_objects->Add(Value);
    } else if (m_objects->Count() > 0) {
        m_objects->Remove(nullptr);
    }
}

QObject *TQXCustomObjectInspector::ShownObject(int Index) const
{
    return Index >= 0 && Index < m_shownObjects.size() ? m_shownObjects.at(Index).data() : nullptr;
}

void TQXCustomObjectInspector::ListUpdating()
{
    HideEditor();
    if (isLoading())
        return;
    // Remembered so that the same row is selected again once the rows are rebuilt.
    m_scanCovered = m_scanRequests;
    if (TQXItemProperty *selected = GetSelected())
        m_selectionPath = selected->GetFullPathName();
    m_live->Disconnect();
    keepExpansion();
    // A grid torn down before it ever made its rows has none to drop.
    if (TQXItemProps *rows = Items())
        rows->Clear();
}

void TQXCustomObjectInspector::ListUpdate(TQXInspectorObject *)
{
    if (!isDestroying())
        InvalidateScan();
}

// ---------------------------------------------------------------------------------------------------
// Options

void TQXCustomObjectInspector::SetDisplayKinds(TTypeKinds Value)
{
    Value -= TTypeKinds { tkArray, tkRecord, tkDynArray };
    if (Value == m_displayKinds)
        return;
    m_displayKinds = Value;
    InvalidateScan();
}

void TQXCustomObjectInspector::SetDynamicTitleCaptions(bool Value)
{
    if (Value == m_dynamicTitleCaptions)
        return;
    m_dynamicTitleCaptions = Value;
    Refresh();
    InvalidateGrid();
}

void TQXCustomObjectInspector::invalidateAfterOptionChange()
{
    InvalidateScan();
}

void TQXCustomObjectInspector::SetInplaceCollections(bool Value)
{
    if (Value == m_inplaceCollections)
        return;
    m_inplaceCollections = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::SetInplaceComponents(bool Value)
{
    if (Value == m_inplaceComponents)
        return;
    m_inplaceComponents = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::SetInplaceTStrings(bool Value)
{
    if (Value == m_inplaceTStrings)
        return;
    m_inplaceTStrings = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::SetInplaceTStringsOptions(TInplaceTStringsOptions Value)
{
    if (Value == m_inplaceTStringsOptions)
        return;
    m_inplaceTStringsOptions = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::SetStringsItemFormat(const QString &Value)
{
    if (Value == m_stringsItemFormat)
        return;
    m_stringsItemFormat = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::SetCollectionItemFormat(const QString &Value)
{
    if (Value == m_collectionItemFormat)
        return;
    m_collectionItemFormat = Value;
    invalidateAfterOptionChange();
}

void TQXCustomObjectInspector::InvalidateFilters()
{
    InvalidateScan();
}

void TQXCustomObjectInspector::SetValueSummaries(TValueSummaries Value)
{
    if (Value == m_valueSummaries)
        return;
    m_valueSummaries = Value;
    InvalidateProperty(-1);
}

void TQXCustomObjectInspector::SetColorSwatches(bool Value)
{
    if (Value == m_colorSwatches)
        return;
    m_colorSwatches = Value;
    InvalidateGrid();
}

QColor TQXCustomObjectInspector::ValueSwatch(TQXItemProp *Item, const QString &Text) const
{
    auto *row = static_cast<TQXItemProperty *>(Item);
    if (!m_colorSwatches || Text.isEmpty()
        || row->TypeName().compare(QLatin1String("TColor"), Qt::CaseInsensitive) != 0)
        return {};
    try {
        return ColorToQColor(StringToColor(Text), palette());
    } catch (const Exception &) {
        return {}; // a text being typed, or one the row refused
    }
}

void TQXCustomObjectInspector::SetShowValueChangedFont(bool Value)
{
    if (Value == m_showValueChangedFont)
        return;
    m_showValueChangedFont = Value;
    InvalidateGrid();
}

void TQXCustomObjectInspector::SetChangedFontAllKinds(bool Value)
{
    if (Value == m_changedFontAllKinds)
        return;
    m_changedFontAllKinds = Value;
    InvalidateGrid();
}

void TQXCustomObjectInspector::SetValueChangedFont(TFont *Value)
{
    m_valueChangedFont->Assign(Value);
}

void TQXCustomObjectInspector::SetPresets(TQXPropertyPresets *Value)
{
    Presets()->Assign(Value);
}

void TQXCustomObjectInspector::SetArrangeByCategory(bool Value)
{
    if (Value == ArrangeByCategory())
        return;
    TQXCustomItemListEditor::SetArrangeByCategory(Value);
    InvalidateScan();
}

void TQXCustomObjectInspector::SetQtLook(bool Value)
{
    SetValueSummaries(Value ? vsQtTypes : vsNone);
    SetColorSwatches(Value);
    SetThumbnails(Value);
    SetCheckBoxes(Value);
    SetRowMenu(Value);
    SetRowToolTips(Value);
    SetDynamicProperties(Value);
    SetChangedFontAllKinds(Value);
    SetArrangeByClass(Value);
}

void TQXCustomObjectInspector::SetArrangeByClass(bool Value)
{
    if (Value == m_arrangeByClass)
        return;
    m_arrangeByClass = Value;
    if (Value && !ArrangeByCategory())
        SetArrangeByCategory(true);
    else
        InvalidateScan();
}

QString TQXCustomObjectInspector::DeclaringClassName(const QString &PropName) const
{
    const QObject *first = m_shownObjects.value(0);
    if (!first)
        return {};
    const QMetaObject *meta = first->metaObject();
    const int index = meta->indexOfProperty(PropName.toLatin1().constData());
    return index < 0 ? QString() : ClassNameOf(meta->property(index).enclosingMetaObject());
}

void TQXCustomObjectInspector::rankClassBands()
{
    m_bandRanks.clear();
    const QObject *first = m_shownObjects.value(0);
    if (!m_arrangeByClass || !first)
        return;
    int rank = 0;
    for (const QMetaObject *meta = first->metaObject(); meta; meta = meta->superClass())
        m_bandRanks.insert(ClassNameOf(meta), rank++);
    m_bandRanks.insert(DynamicPropertiesBand(), rank);
}

int TQXCustomObjectInspector::CompareStrings(const QString &S1, const QString &S2) const
{
    if (!m_bandRanks.isEmpty()) {
        const auto first = m_bandRanks.constFind(S1);
        const auto second = m_bandRanks.constFind(S2);
        if (first != m_bandRanks.cend() && second != m_bandRanks.cend())
            return *first - *second;
    }
    return TQXCustomItemListEditor::CompareStrings(S1, S2);
}

void TQXCustomObjectInspector::SetDisplayOptions(TILEDisplayOptions Value)
{
    if ((Value ^ DisplayOptions()) & doMultiColValues) {
        // Value lines change meaning: nothing stays selected, and the rows are built again.
        m_selectionPath.clear();
        SetSelected(nullptr);
        InvalidateScan();
    }
    TQXCustomItemListEditor::SetDisplayOptions(Value);
}

void TQXCustomObjectInspector::SetColumnTitles(bool Value)
{
    TQXCustomItemListEditor::SetColumnTitles(Value);
    if (GetGridCount(gcCurValuePos) == 0 && GetGridCount(gcValueLineCount) > 1)
        SetGridCount(gcCurValuePos, 1);
}

// ---------------------------------------------------------------------------------------------------
// Queued work

void TQXCustomObjectInspector::InvalidateScan()
{
    if (isLoading() || isDestroying())
        return;
    PostMessage(this, QX_INVALIDATESCAN, ++m_scanRequests);
}

void TQXCustomObjectInspector::InvalidateProperty(int Index)
{
    PostMessage(this, QX_INVALIDATEPROPERTY, Index);
}

void TQXCustomObjectInspector::Dispatch(TMessage &Message)
{
    switch (Message.Msg) {
    case QX_INVALIDATEPROPERTY:
        QXInvalidateProperty(Message);
        break;
    case QX_INVALIDATESCAN:
        QXInvalidateScan(Message);
        break;
    default:
        TQXCustomItemListEditor::Dispatch(Message);
        break;
    }
}

void TQXCustomObjectInspector::QXInvalidateScan(TMessage &Message)
{
    // A rescan that ran after this was queued saw the change that queued it (two option changes and a
    // change of objects in a row scan once, not three times).
    if (Message.WParam > 0 && Message.WParam <= m_scanCovered)
        return;
    Rescan();
}

void TQXCustomObjectInspector::QXInvalidateProperty(TMessage &Message)
{
    if (isDestroying())
        return;
    if (!UpdateProperties(GetItems()))
        InvalidateScan();
    const qintptr index = Message.WParam;
    if (OnPropertyChanged && index >= 0 && index < GetItemCount())
        OnPropertyChanged(this, GetItem(int(index)));
}

// ---------------------------------------------------------------------------------------------------
// Scanning

void TQXCustomObjectInspector::Rescan()
{
    if (isLoading() || isDestroying() || m_objects->UpdateCount() > 0)
        return;
    m_scanCovered = m_scanRequests;
    if (TQXItemProperty *selected = GetSelected())
        m_selectionPath = selected->GetFullPathName();
    m_live->Disconnect();
    keepExpansion();
    m_scanning = BeforeScan(nullptr);
    m_scanOpened = m_scanning;
    if (m_scanOpened) {
        Items()->BeginUpdate();
        DisableEditUpdate();
    }
    {
        // AfterScan ends the update opened above.
        const TScopeExit afterScan([this] { AfterScan(nullptr); });
        Items()->Clear();
        if (m_scanning)
            ScanProperties();
        Refresh();
    }
    // The rows may number as many as before: the grid is drawn again in any case.
    Refresh();
    if (!m_selectionPath.isEmpty()) {
        if (TQXItemProp *row = Items()->FindItemByFullPathName(m_selectionPath))
            SetSelected(static_cast<TQXItemProperty *>(row));
    }
    restoreExpansion();
    if (m_liveUpdate)
        m_live->Connect();
    Q_EMIT scanned();
}

void TQXCustomObjectInspector::keepExpansion()
{
    // Rows dropped by a change of objects are gone by the rescan: what they showed is kept from the first.
    if (!m_keepExpansion || !Items() || GetItemCount() == 0)
        return;
    m_openPaths.clear();
    for (int i = 0; i < GetItemCount(); ++i) {
        TQXItemProp *row = TQXCustomItemListEditor::GetItem(i);
        if (row->HasChildren() && row->IsExpanded())
            m_openPaths.append(row->GetFullPathName());
    }
    const int top = (Orientation() == goVertical ? TopRow() : LeftCol()) - GetGridCount(gcFixedItemLines);
    m_topPath = top >= 0 && top < GetVisibleItemCount() ? GetVisibleItem(top)->GetFullPathName() : QString();
}

void TQXCustomObjectInspector::restoreExpansion()
{
    if (!m_keepExpansion)
        return;
    const QStringList open = std::exchange(m_openPaths, {});
    const QString topPath = std::exchange(m_topPath, {});
    // Parents come before their children in the list, so a child opens inside an open parent.
    for (const QString &path : open)
        if (TQXItemProp *row = Items()->FindItemByFullPathName(path); row && !row->IsExpanded())
            row->SetExpanded(true);
    TQXItemProp *top = topPath.isEmpty() ? nullptr : Items()->FindItemByFullPathName(topPath);
    const int line = top ? top->GetAbsoluteVIndex() : -1;
    if (line < 0)
        return;
    if (Orientation() == goVertical)
        SetTopRow(line + GetGridCount(gcFixedItemLines));
    else
        SetLeftCol(line + GetGridCount(gcFixedItemLines));
}

bool TQXCustomObjectInspector::BeforeScan(TQXItemProperty *Item)
{
    bool result = true;
    if (OnBeforeScan)
        OnBeforeScan(this, Item, result);
    return result;
}

void TQXCustomObjectInspector::AfterScan(TQXItemProperty *Item)
{
    if (!Item) {
        m_scanning = false;
        if (std::exchange(m_scanOpened, false)) {
            EnableEditUpdate();
            Items()->EndUpdate();
        }
    }
    if (OnAfterScan)
        OnAfterScan(this, Item);
}

// ---------------------------------------------------------------------------------------------------
// Refreshing and writing

void TQXCustomObjectInspector::RefreshProperties()
{
    if (isDestroying() || m_objects->UpdateCount() > 0)
        return;
    if (!UpdateProperties(GetItems()))
        InvalidateScan();
}

bool TQXCustomObjectInspector::updateProperties(TQXItemProperties *Properties, const TObjectPath *Owners)
{
    // The rows are refreshed top down, so the objects a row's children live on are found once for all
    // of them, from the objects the row lives on, its property information and a property read.
    const QString delimiter = PathDelimiter();
    for (int i = 0; i < Properties->Count(); ++i) {
        TQXItemProperty *row = Properties->Items(i);
        {
            // A name holding the delimiter would split the path elsewhere: such a row resolves by name.
            const bool byOwners = Owners && !row->RealPropName().contains(delimiter);
            const QScopedValueRollback<const TQXItemProperty *> refreshing(m_refreshRow,
                                                                           byOwners ? row : nullptr);
            const QScopedValueRollback<const TObjectPath *> owners(m_refreshOwners, Owners);
            if (!row->RefreshValue())
                return false;
        }
        if (!row->HasChildren())
            continue;
        // Through the overridable operation: a descendant refreshes child rows its own way. The objects
        // the children live on go along, found once for all of them.
        TObjectPath below;
        const bool known = Owners && childOwners(row, *Owners, below);
        const QScopedValueRollback<const TQXItemProperties *> rowsBelow(m_ownersFor,
                                                                        known ? row->GetItems() : nullptr);
        const QScopedValueRollback<const TObjectPath *> ownersBelow(m_ownersBelow, known ? &below : nullptr);
        if (!UpdateProperties(row->GetItems()))
            return false;
    }
    return true;
}

bool TQXCustomObjectInspector::childOwners(TQXItemProperty *Row, const TObjectPath &Owners,
                                           TObjectPath &Result) const
{
    // The same steps GetInstance takes along a path, one row at a time. A name holding the delimiter
    // would split the path elsewhere: such rows are resolved by name.
    const QString delimiter = PathDelimiter();
    if (delimiter.isEmpty() || Row->RealPropName().contains(delimiter))
        return false;
    Result.reserve(Owners.size());
    for (const QPointer<QObject> &owner : Owners) {
        QObject *object = owner.data();
        if (!object || Row->Category()) {
            // a category groups rows; it is no step towards the object
        } else if (m_inplaceCollections && Row->PropertyKind() == pkCollectionItem) {
            auto *collection = qobject_cast<TCollection *>(object);
            const QVariant value = Row->RealValues(0);
            const int index = value.isValid() ? value.toInt() : -1;
            object = collection && index >= 0 && index < collection->Count() ? collection->Items(index)
                                                                             : nullptr;
        } else {
            // Only an object property leads further.
            const TPropInfo &info = Row->propInfoOn(object, Row->RealPropName());
            object = info && info.Kind == tkClass ? GetObjectProp(object, info) : nullptr;
        }
        Result.append(object);
    }
    return true;
}

bool TQXCustomObjectInspector::UpdateProperties(TQXItemProperties *Properties)
{
    if (isDestroying() || m_objects->UpdateCount() > 0 || !Properties)
        return true;
    const bool outermost = EditUpdateCount() == 0;
    const int shownBefore = GetVisibleItemCount();
    DisableEditUpdate();
    const TScopeExit finish([&] {
        const bool shownChanged = outermost && GetVisibleItemCount() != shownBefore;
        EnableEditUpdate();
        viewport()->update();
        if (shownChanged && EditorMode() && HasInplaceEditor()) {
            InplaceEditor()->setText(GetCell(Col(), Row()));
            InplaceEditor()->selectAll();
            ShowEditor();
        }
    });
    const TObjectPath *owners = Properties == Items() ? &m_shownObjects
        : Properties == m_ownersFor                   ? m_ownersBelow
                                                      : nullptr;
    return updateProperties(Properties, owners);
}

void TQXCustomObjectInspector::SetProperty(TQXItemProperty *Item)
{
    const bool multi = DisplayOptions() & doMultiColValues;
    writeEach(Item, [&](QObject *object, int i) {
        const int line = multi ? i : 0;
        const QString text = line < Item->ValueLineCount() ? Item->ValueLines().at(line) : QString();
        SetPropertyValue(object, Item, text);
    });
}

void TQXCustomObjectInspector::resetEach(TQXItemProperty *Item)
{
    writeEach(Item, [&](QObject *object, int) {
        QString name = Item->GetFullPathPropName();
        if (QObject *instance = object ? GetInstance(object, name, Item) : nullptr) {
            const QMetaObject *meta = instance->metaObject();
            const int index = meta->indexOfProperty(name.toLatin1().constData());
            if (index >= 0)
                meta->property(index).reset(instance);
        }
    });
}

void TQXCustomObjectInspector::writeEach(TQXItemProperty *Item,
                                         const std::function<void(QObject *, int)> &Write)
{
    PropertyChanging(Item);
    const int absoluteIndex = Item->GetAbsoluteIndex();
    const TScopeExit changed([this, absoluteIndex] { PropertyChanged(absoluteIndex); });
    const bool record = m_undoEnabled && !m_writingBack;
    // What each object holds before and after, read through the same path the write takes.
    QList<QPointer<QObject>> objects;
    QStringList before;
    QStringList after;
    const auto textOn = [this, Item](QObject *object) {
        QString name = Item->GetFullPathPropName();
        QObject *instance = GetInstance(object, name, Item);
        return instance || Item->OnGetProperty ? GetPropertyValue(instance, Item) : QString();
    };
    // Whatever a write raises, the objects written so far are on the stack.
    const TScopeExit push([&] {
        if (record && before != after)
            UndoStack()->push(
                new TQXWriteCommand(this, Item->GetFullPathName(), Item->Name(), objects, before, after));
    });
    for (int i = 0; i < ShownObjectCount(); ++i) {
        QObject *object = ShownObject(i);
        const QString old = record && object ? textOn(object) : QString();
        Write(object, i);
        if (record && object) {
            objects.append(object);
            before.append(old);
            after.append(textOn(object));
        }
    }
}

void TQXCustomObjectInspector::writeBack(const QString &Path, const QList<QPointer<QObject>> &Objects,
                                         const QStringList &Texts)
{
    // The row at the path resolves each object's sub-objects as the write did; without it (the rows were
    // built for other objects) there is no path to write through.
    auto *row = static_cast<TQXItemProperty *>(Items()->FindItemByFullPathName(Path));
    if (!row || isDestroying())
        return;
    const QScopedValueRollback<bool> writing(m_writingBack, true);
    for (int i = 0; i < Objects.size() && i < Texts.size(); ++i)
        if (QObject *object = Objects.at(i))
            SetPropertyValue(object, row, Texts.at(i));
    PropertyChanged(row->GetAbsoluteIndex());
}

void TQXCustomObjectInspector::SetUndoEnabled(bool Value)
{
    m_undoEnabled = Value;
}

QUndoStack *TQXCustomObjectInspector::UndoStack() const
{
    if (m_undoStack)
        return m_undoStack;
    if (!m_ownUndoStack)
        m_ownUndoStack = new QUndoStack;
    return m_ownUndoStack;
}

void TQXCustomObjectInspector::SetUndoStack(QUndoStack *Value)
{
    m_undoStack = Value;
}

void TQXCustomObjectInspector::SetLiveUpdate(bool Value)
{
    if (Value == m_liveUpdate)
        return;
    m_liveUpdate = Value;
    if (!Value)
        m_live->Disconnect();
    else if (Items() && GetItemCount() > 0)
        m_live->Connect();
}

TInplaceEdit *TQXCustomObjectInspector::CreateEditor()
{
    TInplaceEdit *editor = TQXCustomItemListEditor::CreateEditor();
    editor->installEventFilter(this);
    return editor;
}

bool TQXCustomObjectInspector::GuardedEventFilter(QObject *Watched, QEvent *Event)
{
    // Text typed and not yet written is the editor's to undo; after that the keys undo writes.
    if (m_undoEnabled && Event->type() == QEvent::KeyPress && Watched == InplaceEditor()
        && !InplaceEditor()->Modified()) {
        auto *key = static_cast<QKeyEvent *>(Event);
        const bool undo = key->matches(QKeySequence::Undo);
        if (undo || key->matches(QKeySequence::Redo)) {
            HideEditor();
            if (undo)
                UndoStack()->undo();
            else
                UndoStack()->redo();
            return true;
        }
    }
    return TQXCustomItemListEditor::GuardedEventFilter(Watched, Event);
}

void TQXCustomObjectInspector::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    const Qt::KeyboardModifiers modifiers = Shift & ~Qt::KeypadModifier;
    if (m_checkBoxes && Key == Qt::Key_Space && modifiers == Qt::NoModifier && !EditorMode()
        && ToggleCheckBox(GetSelected())) {
        Key = 0;
        return;
    }
    if (m_rowMenu && !EditorMode() && RowMenuKey(QKeySequence(QKeyCombination(modifiers, Qt::Key(Key))))) {
        Key = 0;
        return;
    }
    if (m_undoEnabled && Key == Qt::Key_Z
        && (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        HideEditor();
        if (modifiers & Qt::ShiftModifier)
            UndoStack()->redo();
        else
            UndoStack()->undo();
        Key = 0;
        return;
    }
    TQXCustomItemListEditor::KeyDown(Key, Shift);
}

void TQXCustomObjectInspector::PropertyChanging(TQXItemProperty *Item)
{
    Item->SetAllEqual(!(DisplayOptions() & doMultiColValues));
    if (OnPropertyChanging)
        OnPropertyChanging(this, Item);
}

void TQXCustomObjectInspector::PropertyChanged(int AbsoluteIndex)
{
    InvalidateProperty(AbsoluteIndex);
}

// ---------------------------------------------------------------------------------------------------
// What the grid shows

QString TQXCustomObjectInspector::GetCell(int ACol, int ARow) const
{
    const TItemGridInfo info = GetGridInfo(ACol, ARow);
    const int v = info.ValuePos;
    if (info.ItemPos == 0 && (DisplayOptions() & doColumnTitles)) {
        if (m_dynamicTitleCaptions && v > 0 && v <= ShownObjectCount()) {
            if (QObject *object = ShownObject(v - 1)) {
                if (IsComponent(object))
                    return object->objectName();
                if (auto *item = qobject_cast<TCollectionItem *>(object))
                    return item->GetDisplayName();
                return ClassNameOf(object);
            }
        }
        TStrings *captions = TitleCaptions();
        if (v >= 0 && v < captions->Count())
            return captions->Strings(v);
        return captions->Count() > 0 ? captions->Strings(captions->Count() - 1) : QString();
    }
    if (v > 0 && !(DisplayOptions() & doMultiColValues)) {
        const int index = info.ItemPos - info.FixedItemLines;
        if (index < 0 || index >= GetVisibleItemCount())
            return QString();
        auto *row = GetVisibleItem(index);
        // Objects that differ show a blank value until the cell is entered.
        const bool current = ACol == Col() && ARow == Row();
        if (!current && !row->IsAllEqual() && ShownObjectCount() != 1)
            return QString();
    }
    return TQXCustomItemListEditor::GetCell(ACol, ARow);
}

TEditStyle TQXCustomObjectInspector::GetEditStyle(int ACol, int ARow)
{
    const TEditStyle style = TQXCustomItemListEditor::GetEditStyle(ACol, ARow);
    if (style == esPickList && IsValueCell(ACol, ARow)) {
        TQXItemProp *row = FindItemProp(ACol, ARow, true);
        if (row && row->IsReadOnly())
            return esSimple;
    }
    return style;
}

TQXItemProps *TQXCustomObjectInspector::CreateItems(QObject *Owner)
{
    if (auto *item = qobject_cast<TQXItemProp *>(Owner))
        return Create<TQXItemProperties>(item, item->metaObject());
    // The top collection: an inspector lists its properties sorted by name from the start.
    auto *items = Create<TQXItemProperties>(Owner, &TQXItemProperty::staticMetaObject);
    items->SetSorted(true);
    return items;
}

QStringList QXDefaultCategoryTable()
{
    QStringList lines;
    for (const char *line : categoryTable)
        lines.append(QString::fromLatin1(line));
    return lines;
}

void TQXCustomObjectInspector::FillCategories()
{
    TStrings *categories = Items()->Categories();
    const TUpdateLock lock(*categories);
    for (const char *line : categoryTable)
        categories->Add(QString::fromLatin1(line));
}

TQXItemProp *TQXCustomObjectInspector::Categorize(TQXItemProp *Item, const QString &PropName,
                                                  TStrings *Categories)
{
    // Categories group the properties of the inspected objects; a sub-property stays under its property.
    TQXItemProp *parent = Item->GetParent();
    if (parent && !parent->Category())
        return parent;
    TQXItemProps *top = parent ? parent->Collection() : Item->Collection();
    if (top && IsDynamicPropertyRow(Item))
        return TQXCustomItemListEditor::Categorize(top, DynamicPropertiesBand());
    if (m_arrangeByClass) {
        auto *row = qobject_cast<TQXItemProperty *>(Item);
        const QString band
            = DeclaringClassName(row && !row->RealPropName().isEmpty() ? row->RealPropName() : PropName);
        TQXItemProps *collection = parent ? parent->Collection() : Item->Collection();
        if (!band.isEmpty() && collection)
            return TQXCustomItemListEditor::Categorize(collection, band);
    }
    return TQXCustomItemListEditor::Categorize(Item, PropName, Categories);
}

// ---------------------------------------------------------------------------------------------------
// Fonts

void TQXCustomObjectInspector::FontChanged()
{
    if (m_presets)
        for (int i = 0; i < m_presets->Count(); ++i)
            m_presets->Items(i)->ParentFontChanged();
    TQXCustomItemListEditor::FontChanged();
}

void TQXCustomObjectInspector::InternalValueFontChanged()
{
    if (m_valueChangedFont)
        m_valueChangedFont->OriginalFontChanged(ValueFont());
    if (m_presets)
        for (int i = 0; i < m_presets->Count(); ++i)
            m_presets->Items(i)->ParentValueFontChanged();
    TQXCustomItemListEditor::InternalValueFontChanged();
}

void TQXCustomObjectInspector::InternalValueChangedFontChanged()
{
    InvalidateGrid();
}

void TQXCustomObjectInspector::GetOriginalFont(QObject *Sender, TFont *&Font)
{
    if (Sender && Sender == m_valueChangedFont)
        Font = ValueFont();
    else
        TQXCustomItemListEditor::GetOriginalFont(Sender, Font);
}

// ---------------------------------------------------------------------------------------------------
// Presets

void TQXCustomObjectInspector::CopyPresetsToProperties()
{
    if (isDestroying() || !m_presets || m_presets->Count() == 0)
        return;
    const TQXPropertyPresets::TMatchPass pass;
    std::function<void(TQXItemProperties *)> walk = [&](TQXItemProperties *rows) {
        for (int i = 0; i < rows->Count(); ++i) {
            TQXItemProperty *row = rows->Items(i);
            m_presets->CopyPresetsToProperty(row);
            if (i < rows->Count() && rows->Items(i) == row && row->HasChildren())
                walk(row->GetItems());
        }
    };
    walk(GetItems());
}

void TQXCustomObjectInspector::ResetDefaultPresets()
{
    TThreadList<const QMetaObject *> *registered = RegisteredPresets();
    TQXPropertyPresets *presets = Presets();
    if (!registered || !presets)
        return;
    InUpdate(*presets, [&] {
        TThreadListLocker<const QMetaObject *> lock(*registered);
        for (const QMetaObject *presetClass : lock.List())
            if (presets->IndexOf(presetClass) < 0)
                presets->Add(presetClass);
    });
}

void TQXCustomObjectInspector::MatchPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item, bool &Result)
{
    if (OnMatchPreset)
        OnMatchPreset(this, Preset, Item, Result);
}

void TQXCustomObjectInspector::CustomPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item)
{
    if (OnCustomPreset)
        OnCustomPreset(this, Preset, Item);
}

void TQXCustomObjectInspector::PresetNotify(TQXPropertyPreset *, TCollectionNotification)
{
    // A preset added, removed or replaced brings every row in step: rows keep the handlers of their
    // presets until then (and a handler whose preset is gone falls back to the plain read and write).
    // Without rows nothing is out of step, and one waiting rescan serves a whole batch of changes.
    if (GetItems() && GetItems()->Count() > 0 && WaitingMessageCount(this, QX_INVALIDATESCAN) == 0)
        InvalidateScan();
}

void TQXCustomObjectInspector::PresetUpdate(TQXPropertyPreset *)
{
    if (!isLoading())
        CopyPresetsToProperties();
}

// ---------------------------------------------------------------------------------------------------
// Clipboard

namespace {

// Only rows that hold an object can name one; other kinds have no object to ask.
QObject *selectedObject(TQXItemProperty *row, int index)
{
    if (!row || row->TypeKind() != tkClass)
        return nullptr;
    if (!row->IsRealProperty() && row->PropertyKind() != pkCollectionItem)
        return nullptr;
    return row->GetObjectProperty(index);
}

} // namespace

void TQXCustomObjectInspector::CopyToClipboard()
{
    invokeCommand(selectedObject(GetSelected(), -1), "copy()", "copy");
}

void TQXCustomObjectInspector::PasteFromClipboard()
{
    TQXItemProperty *row = GetSelected();
    if (!selectedObject(row, -1))
        return;
    for (int i = 0; i < ShownObjectCount(); ++i)
        invokeCommand(selectedObject(row, i), "paste()", "paste");
    InvalidateScan();
}

// ---------------------------------------------------------------------------------------------------
// TQXObjectInspector

TQXObjectInspector::TQXObjectInspector(QWidget *parent)
    : TQXCustomObjectInspector(parent)
{ }

TQXObjectInspector::~TQXObjectInspector() = default;

bool TQXObjectInspector::IsStoredProperty(const char *Name) const
{
    // The captions are stored only when they differ from the default "Property" and "Value" lines.
    if (QByteArrayView(Name) == "TitleCaptions")
        return TitleCaptions()->Text()
            != QXConsts::PropertyTitle() + sLineBreak + QXConsts::ValueTitle() + sLineBreak;
    // Stored as the defined property "HPresets" already.
    if (QByteArrayView(Name) == "PresetsStream")
        return false;
    return TQXCustomObjectInspector::IsStoredProperty(Name);
}
