/// \file
/// The object inspector: an item list editor whose rows are the published properties that the objects in
/// its Objects collection have in common. It scans them into a tree of TQXItemProperty rows, writes edited
/// texts back to every object and refreshes the rows afterwards.
///
/// Rescans and refreshes never run inside the change that asks for them: they are messages the control
/// posts to itself (QX_INVALIDATESCAN, QX_INVALIDATEPROPERTY) and handles later in the same thread. The
/// scan itself and the value texts live in QXInspectorScan.cpp.
#pragma once

#include "QXCustomItemListEditor.h"
#include "QXInspectorObjects.h"
#include "QXItemProperty.h"
#include "QXPropertyPreset.h"

#include <QHash>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QSet>

#include <functional>

class QUndoStack;
class TQXCustomDeltaFont;
class TQXLiveValues;

/// A preset without a handler of its own hands its custom action to the inspector.
QX_DECLARE_EVENT(TQXCustomPresetItemEvent,
                 void(QObject *Sender, TQXPropertyPreset *Preset, TQXItemProperty *Item))
/// Last word on whether a preset without a handler of its own matches Item; Result arrives as matched.
QX_DECLARE_EVENT(TQXCustomPresetItemQueryEvent,
                 void(QObject *Sender, TQXPropertyPreset *Preset, TQXItemProperty *Item, bool &Result))
Q_DECLARE_METATYPE(TQXCustomPresetItemEvent)
Q_DECLARE_METATYPE(TQXCustomPresetItemQueryEvent)

/// The object inspector's machinery: the rows of the published properties that the inspected objects
/// share, their presets, filters, undo and live values. TQXObjectInspector publishes its settings.
class QXINSPECTORCORE_EXPORT TQXCustomObjectInspector : public TQXCustomItemListEditor,
                                                        public TQXInspectorObjectsOwner
{
    Q_OBJECT
public:
    /// How string-list rows open into line rows: by name=value pairs, and sorted.
    enum TInplaceTStringsOption { isUseNameValue = 0x1, isSort = 0x2 };
    Q_DECLARE_FLAGS(TInplaceTStringsOptions, TInplaceTStringsOption)
    Q_FLAG(TInplaceTStringsOptions)
    /// What the value cell of a row with sub-rows shows: its type in brackets ("(QRect)"), or the value
    /// itself summed up as Qt Designer writes it ("[(10, 20), 120 x 30]", see ValueSummary). vsQtTypes
    /// sums up Qt's value types (rectangles, sizes, points, margins, size policies); vsAllTypes sums up
    /// fonts ("[Sans Serif, 9]") too.
    enum TValueSummaries { vsNone, vsQtTypes, vsAllTypes };
    Q_ENUM(TValueSummaries)

    /// An inspector with no objects; the presets are made once construction is over.
    explicit TQXCustomObjectInspector(QWidget *parent = nullptr);
    ~TQXCustomObjectInspector() override;
    Q_DISABLE_COPY_MOVE(TQXCustomObjectInspector)

    /// Makes the presets, one per registered class.
    void AfterConstruction() override;
    /// Marks the inspector as going and lets go of the live values and the inspected objects.
    void BeforeDestruction() override;
    /// After reading settings, hands the presets to the rows.
    void Loaded() override;
    /// From another inspector: its options, filters and presets too.
    void Assign(const QObject *Source) override;

    // The inspected objects
    ///@{
    /// The inspected objects; setting copies Value's entries.
    TQXInspectorObjects *Objects() const { return m_objects; }
    void SetObjects(TQXInspectorObjects *Value);
    ///@}
    /// The first entry's component; null without entries.
    QObject *GetComponent() const;
    /// Replaces the first entry's object, adds one when there is none; null removes the first entry.
    void SetComponent(QObject *Value);
    /// The objects the rows were built from, in value-line order: the entries that had an object at the
    /// last scan. Reads, writes and refreshes address objects by these positions; null once an object
    /// is gone.
    int ShownObjectCount() const { return int(m_shownObjects.size()); }
    /// The shown object at Index, or null once it is gone.
    QObject *ShownObject(int Index) const;

    // Rows
    ///@{
    /// The top rows.
    TQXItemProperties *GetItems() const { return static_cast<TQXItemProperties *>(Items()); }
    void SetItems(TQXItemProperties *Value) { TQXCustomItemListEditor::SetItems(Value); }
    ///@}
    /// The row at absolute index Index (GetItem of the grid), typed.
    TQXItemProperty *GetItem(int Index) const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetItem(Index));
    }
    /// The shown row at Index (GetVisibleItem of the grid), typed.
    TQXItemProperty *GetVisibleItem(int Index) const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetVisibleItem(Index));
    }
    /// The selected row, typed; null for none.
    TQXItemProperty *GetSelected() const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetSelected());
    }
    /// Selects Item.
    void SetSelected(TQXItemProperty *Item) { TQXCustomItemListEditor::SetSelected(Item); }

    // Options
    /// The type kinds whose properties get rows.
    QXPlatform::TTypeKinds DisplayKinds() const { return m_displayKinds; }
    /// Arrays, records and lists are always taken out.
    void SetDisplayKinds(QXPlatform::TTypeKinds Value);
    ///@{
    /// Whether the column titles name the shown objects (their names, or their items' display names)
    /// rather than the title captions.
    bool DynamicTitleCaptions() const { return m_dynamicTitleCaptions; }
    void SetDynamicTitleCaptions(bool Value);
    ///@}
    ///@{
    /// Whether collection properties open into one row per item, each with the item's properties.
    bool InplaceCollections() const { return m_inplaceCollections; }
    void SetInplaceCollections(bool Value);
    ///@}
    ///@{
    /// Whether properties holding a component open into the component's properties (on by default).
    bool InplaceComponents() const { return m_inplaceComponents; }
    void SetInplaceComponents(bool Value);
    ///@}
    ///@{
    /// Whether string-list properties open into one row per line.
    bool InplaceTStrings() const { return m_inplaceTStrings; }
    void SetInplaceTStrings(bool Value);
    ///@}
    ///@{
    /// How string-list rows open (InplaceTStrings).
    TInplaceTStringsOptions InplaceTStringsOptions() const { return m_inplaceTStringsOptions; }
    void SetInplaceTStringsOptions(TInplaceTStringsOptions Value);
    ///@}
    ///@{
    /// The name of a line row, %d standing for the line's index ("Items[%d]").
    QString StringsItemFormat() const { return m_stringsItemFormat; }
    void SetStringsItemFormat(const QString &Value);
    ///@}
    ///@{
    /// The name of a collection item row, %d standing for the item's index ("Items[%d]").
    QString CollectionItemFormat() const { return m_collectionItemFormat; }
    void SetCollectionItemFormat(const QString &Value);
    ///@}
    ///@{
    /// Whether values that differ from their declared default are drawn in ValueChangedFont.
    bool ShowValueChangedFont() const { return m_showValueChangedFont; }
    void SetShowValueChangedFont(bool Value);
    ///@}
    ///@{
    /// Whether ValueChangedFont also marks floating-point, 64-bit and variant rows whose value differs from
    /// a known default (declared, or that of a new object of the class); without it only ordinal and text
    /// rows are marked. Off by default.
    bool ChangedFontAllKinds() const { return m_changedFontAllKinds; }
    void SetChangedFontAllKinds(bool Value);
    ///@}
    ///@{
    /// The font of values that differ from their default: the value font with changes of its own.
    TQXCustomDeltaFont *ValueChangedFont() const { return m_valueChangedFont; }
    void SetValueChangedFont(QXPlatform::TFont *Value);
    ///@}
    /// The presets; made (with one preset per registered class) on first use.
    TQXPropertyPresets *Presets() const;
    /// Copies Value's presets into the inspector's.
    void SetPresets(TQXPropertyPresets *Value);
    /// Arranges the rows by category or not, and rescans.
    void SetArrangeByCategory(bool Value) override;
    ///@{
    /// Whether the bands of ArrangeByCategory are the classes that declare the properties instead of the
    /// category map, most derived first (QPushButton, QAbstractButton, QWidget, QObject) also when the rows
    /// are sorted; the first inspected object's class decides. Turning it on turns ArrangeByCategory on
    /// too. Off by default.
    bool ArrangeByClass() const { return m_arrangeByClass; }
    void SetArrangeByClass(bool Value);
    ///@}
    /// With ArrangeByClass, the band of a property of the first inspected object: the name of the class
    /// that declares it ("QWidget"); a null string for a name the class does not publish.
    QString DeclaringClassName(const QString &PropName) const;
    /// A change of doMultiColValues clears the selection and rescans: value lines change meaning.
    void SetDisplayOptions(TILEDisplayOptions Value) override;
    ///@{
    /// Whether every value written through the inspector becomes an undo command on UndoStack (a write to
    /// several objects is one command); Ctrl+Z and Ctrl+Shift+Z undo and redo while the grid has the focus.
    bool UndoEnabled() const { return m_undoEnabled; }
    void SetUndoEnabled(bool Value);
    ///@}
    ///@{
    /// The application's stack (SetUndoStack), else the inspector's own, made on first use.
    QUndoStack *UndoStack() const;
    void SetUndoStack(QUndoStack *Value);
    ///@}
    ///@{
    /// Whether rows follow the inspected properties' notify signals: a property changed by the program is
    /// shown on the next turn of the event loop, re-reading only the rows whose property changed.
    bool LiveUpdate() const { return m_liveUpdate; }
    void SetLiveUpdate(bool Value);
    ///@}
    ///@{
    /// Whether a rescan keeps the rows that were open open, and the row at the top at the top, by path.
    bool KeepExpansion() const { return m_keepExpansion; }
    void SetKeepExpansion(bool Value) { m_keepExpansion = Value; }
    ///@}
    ///@{
    /// Whether colour rows (TColor, QColor, a font's colour) paint a swatch of their colour before the
    /// value text; off by default.
    bool ColorSwatches() const { return m_colorSwatches; }
    void SetColorSwatches(bool Value);
    ///@}
    ///@{
    /// Whether Boolean rows (set members among them) show a check box before their value: a click on it,
    /// or Space on the row, writes the other value as if it were typed (validation, undo, every inspected
    /// object); a read-only row refuses, and a row whose objects differ shows the partial state. Off by
    /// default.
    bool CheckBoxes() const { return m_checkBoxes; }
    void SetCheckBoxes(bool Value);
    ///@}
    ///@{
    /// Whether picture rows (QIcon, QPixmap, TPicture) paint a thumbnail of their picture before the value
    /// text; off by default.
    bool Thumbnails() const { return m_thumbnails; }
    void SetThumbnails(bool Value);
    ///@}
    ///@{
    /// Whether the dynamic properties (QObject::setProperty names outside the meta-object) that every
    /// inspected object has are listed after the published ones, in the DynamicPropertiesBand band when
    /// the rows are arranged by category; the row menu then adds and removes them. Qt's own ("_q_...") are
    /// never listed. Off by default.
    bool DynamicProperties() const { return m_dynamicProperties; }
    void SetDynamicProperties(bool Value);
    ///@}
    /// The name of the band of the dynamic properties: "Dynamic properties".
    static QString DynamicPropertiesBand();
    /// The dynamic property names every shown object has, in the first object's order.
    QStringList SharedDynamicPropertyNames() const;
    /// Whether Item is the row of a dynamic property of the inspected objects.
    bool IsDynamicPropertyRow(const TQXItemProp *Item) const;
    /// Gives every shown object the dynamic property Name with Value (an empty text when Value is
    /// invalid) and rescans; EInvalidOperation for an empty name, a "_q_" name or a published one.
    void AddDynamicProperty(const QString &Name, const QVariant &Value = QVariant());
    /// Takes the dynamic property Name off every shown object and rescans.
    void RemoveDynamicProperty(const QString &Name);
    /// With CheckBoxes, writes the other Boolean value to a writable Boolean row; false when it did not.
    bool ToggleCheckBox(TQXItemProperty *Item);
    ///@{
    /// Whether a right click (or the menu key) on a row opens the row menu (CreateRowMenu); off by default.
    bool RowMenu() const { return m_rowMenu; }
    void SetRowMenu(bool Value) { m_rowMenu = Value; }
    ///@}
    /// The menu of one row, owned by the caller: "Copy value", "Paste value" (written as if typed, so a
    /// text the row refuses is reported), "Copy property path" ("font.Size"), "Reset to default", "Expand
    /// all" and "Collapse all" below the row, each with its key (RowMenuKey); with DynamicProperties, "Add
    /// dynamic property..." and "Remove dynamic property". A read-only row offers the copies only.
    QMenu *CreateRowMenu(TQXItemProperty *Item, QWidget *Parent = nullptr);
    /// With RowMenu, runs the enabled action of the selected row's menu whose key is Keys: Ctrl+C copies
    /// the value, Ctrl+V pastes, Ctrl+Shift+C copies the path, Ctrl+Del resets, * and / expand and collapse
    /// everything below. False when no action has that key. The grid's keys call it while no cell
    /// editor is open.
    bool RowMenuKey(const QKeySequence &Keys);
    ///@{
    /// Whether resting the pointer on a row shows its tool tip (RowToolTip); off by default.
    bool RowToolTips() const { return m_rowToolTips; }
    void SetRowToolTips(bool Value) { m_rowToolTips = Value; }
    ///@}
    /// A row's tool tip: its name and type name ("Size: Integer"), its hint if it has one, and the default
    /// ResetToDefault puts back ("Default: 5") when one is known.
    QString RowToolTip(TQXItemProperty *Item) const;
    /// The text a row's property resets to on the first inspected object: the declared default, else the
    /// value of a new object of its class; a null string when none is known or the row is no property.
    QString DefaultText(TQXItemProperty *Item) const;
    /// Whether ResetToDefault has something to do: the row is writable and its property has a RESET
    /// function, or a known default that an inspected object's value differs from.
    bool CanResetToDefault(TQXItemProperty *Item) const;
    /// Puts the row's property back to its default on every inspected object: through the property's
    /// RESET function where it has one, else by writing DefaultText as if typed (validation, undo).
    void ResetToDefault(TQXItemProperty *Item);
    ///@{
    /// Which rows with sub-rows show their value summed up in the value cell (vsNone by default).
    TValueSummaries ValueSummaries() const { return m_valueSummaries; }
    void SetValueSummaries(TValueSummaries Value);
    ///@}
    /// Switches the options of the Qt look on or off as one set: ValueSummaries (vsQtTypes), ColorSwatches,
    /// Thumbnails, CheckBoxes, RowMenu, RowToolTips, DynamicProperties, ChangedFontAllKinds and
    /// ArrangeByClass. Turning it off leaves
    /// ArrangeByCategory on.
    void SetQtLook(bool Value);
    /// Whether a scan agreed by OnBeforeScan is running.
    bool IsScanning() const { return m_scanning; }

    // Scanning and refreshing
    /// Queues a rescan (dropped while loading or being destroyed).
    void InvalidateScan();
    /// Queues a refresh of all rows after the row at absolute index Index was written.
    void InvalidateProperty(int Index);
    /// Rebuilds all rows now.
    virtual void Rescan();
    /// Refreshes all rows now; queues a rescan when an object path no longer resolves.
    virtual void RefreshProperties();
    /// Refreshes Properties and their children; false when a row's object path no longer resolves.
    virtual bool UpdateProperties(TQXItemProperties *Properties);
    /// Writes a row's value text to every shown object.
    virtual void SetProperty(TQXItemProperty *Item);

    // Building rows
    /// Builds the rows from the inspected objects that are there: one value line per object with
    /// doMultiColValues, else one for them all.
    virtual void ScanProperties();
    /// Adds to Properties one row per published property common to all Objects.
    void BuildCommonProperties(TQXInspectorObjects *Objects, TQXItemProperties *Properties,
                               TQXInspectorObjects *ParentObjects);
    /// Whether every object publishes the property with the same kind and exactly the same type name.
    bool IsSharedProperty(TQXInspectorObjects *Objects, const QXPlatform::TPropInfo &PropInfo) const;
    /// Makes Item the row of property PropName of Objects, with its children; EPropertyError when the
    /// first object has no such property.
    void BuildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects, const QString &PropName);
    /// Makes Item the row of CollectionItem (named by CollectionItemFormat) of the collection
    /// PropName of Objects, with the item's properties as children.
    void BuildCollectionItemProperty(const QString &PropName, QXPlatform::TCollection *Collection,
                                     TQXItemProperty *Item, TQXInspectorObjects *Objects,
                                     QXPlatform::TCollectionItem *CollectionItem);
    /// Rows for the lines of a string-list row (InplaceTStrings): one per line, or, with isUseNameValue,
    /// rows named by the lines' name parts (a name holding the path delimiter gives a tree).
    virtual void BuildTStringsItemProperties(TQXItemProperty *Item);
    /// Splits S at the first Separator: true with Name and Value the parts; false with Name = S.
    static bool GetNameValue(const QString &S, const QString &Separator, QString &Name, QString &Value);
    /// Item's name relative to Owner: the real property names below Owner joined with the path delimiter.
    QString BuildName(TQXItemProperty *Item, TQXItemProperty *Owner) const;
    // How line rows read and write their string list (bound to their OnGetProperty/OnSetProperty).
    /// Reads the line of a line row.
    void GetTStringsItemProperty(QObject *Sender, QObject *Instance, const QString &PropName, QString &Value);
    /// Writes the line of a line row.
    void SetTStringsItemProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                 const QString &Value);
    /// Reads the value of a name=value row.
    void GetTStringsNameValueProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                      QString &Value);
    /// Writes the value of a name=value row.
    void SetTStringsNameValueProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                      const QString &Value);

    // Values
    /// The object owning the last segment of PropPath, starting from Instance along Item's rows; PropPath
    /// keeps that last segment. Null when the path no longer resolves.
    QObject *GetInstance(QObject *Instance, QString &PropPath, TQXItemProperty *Item) const;
    /// The text the row's property shows for Instance.
    QString GetPropertyValue(QObject *Instance, TQXItemProperty *Item) const;
    /// Writes Value to the row's property on the object resolved from Instance; true when the text
    /// differs from the text before. An object that no longer resolves is left alone (false).
    virtual bool SetPropertyValue(QObject *Instance, TQXItemProperty *Item, const QString &Value);
    /// The text Instance's property of the row shows without the row's own reader (as a row no preset
    /// gave a reader shows it).
    QString GetPlainPropertyValue(QObject *Instance, TQXItemProperty *Item) const;
    /// Writes Value to property PropName of Instance, the object owning it, as a row without a writer of
    /// its own does.
    void SetPlainPropertyValue(QObject *Instance, TQXItemProperty *Item, const QString &PropName,
                               const QString &Value);

    // Presets (the filters, FiltersEnabled ..., are the item list editor's; a scan applies them)
    /// Hands every row, at every depth, to the presets, which equip the rows they match.
    void CopyPresetsToProperties();
    /// Adds a preset of each registered class that the presets lack.
    virtual void ResetDefaultPresets();
    /// For a preset without a handler of its own: fires OnMatchPreset, which may change Result.
    virtual void MatchPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item, bool &Result);
    /// For a preset without a handler of its own: fires OnCustomPreset.
    virtual void CustomPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item);
    /// A preset added or removed queues one rescan while there are rows.
    virtual void PresetNotify(TQXPropertyPreset *Preset, QXPlatform::TCollectionNotification Action);
    /// A preset changed: the rows are equipped again (not while loading).
    virtual void PresetUpdate(TQXPropertyPreset *Preset);

    // Clipboard
    /// Asks the selected row's object to copy (when its class has a copy() slot).
    virtual void CopyToClipboard();
    /// Asks the selected row's object on every shown object to paste, then rescans.
    virtual void PasteFromClipboard();

    // What the grid shows
    /// The title cells name the shown objects with DynamicTitleCaptions; other cells as the grid shows
    /// them.
    QString GetCell(int ACol, int ARow) const override;
    QXPlatform::TEditStyle GetEditStyle(int ACol, int ARow) override;
    TQXItemProps *CreateItems(QObject *Owner) override;
    /// The inspector's category table: which properties go under which category.
    void FillCategories() override;
    /// The grid's other ways to categorize.
    using TQXCustomItemListEditor::Categorize;
    /// Only rows directly below the top or a category are placed into categories.
    TQXItemProp *Categorize(TQXItemProp *Item, const QString &PropName,
                            QXPlatform::TStrings *Categories) override;
    /// With ArrangeByClass, class bands compare by how far their class is from the inspected one.
    int CompareStrings(const QString &S1, const QString &S2) const override;

    // What the rows call
    /// A row is about to be written: fires OnPropertyChanging.
    virtual void PropertyChanging(TQXItemProperty *Item);
    /// A row was written: queues the refresh of the rows (InvalidateProperty).
    virtual void PropertyChanged(int AbsoluteIndex);

    // The objects collection tells us
    void ListUpdating() override;
    void ListUpdate(TQXInspectorObject *Item) override;

    /// Fired after a row's values were read again.
    TQXItemPropertyEvent OnRefreshValue;
    /// Fired after a row was built, and with null after the whole scan.
    TQXItemPropertyEvent OnAfterScan;
    /// Asked before a row is built (null: before the whole scan); Result false leaves it out.
    TQXItemPropertyQueryEvent OnBeforeScan;
    /// Receives the custom action of a preset without a handler of its own.
    TQXCustomPresetItemEvent OnCustomPreset;
    /// Decides whether a preset without a handler of its own matches a row.
    TQXCustomPresetItemQueryEvent OnMatchPreset;
    /// Fired before a row is written to the objects.
    TQXItemPropertyEvent OnPropertyChanging;
    /// Fired after a written row and the rows after it were refreshed.
    TQXItemPropertyEvent OnPropertyChanged;

    /// Stores the presets ("HPresets", each with its class) and the rows ("HItems"). Rows read back stay
    /// until the next scan.
    void DefineProperties(QXPlatform::TFiler *Filer) override;

Q_SIGNALS:
    /// The rows were built again (after Rescan).
    void scanned();

protected:
    /// After a row was built (null: after the scan, which then ends): fires OnAfterScan.
    virtual void AfterScan(TQXItemProperty *Item);
    /// Before a row is built (null: before the scan): asks OnBeforeScan; false leaves it out.
    virtual bool BeforeScan(TQXItemProperty *Item);
    /// Makes the presets; descendants make presets of their own class.
    virtual TQXPropertyPresets *CreatePresets();
    /// The filters that apply changed: rescans.
    void InvalidateFilters() override;
    /// Switches the title line; with more than one value line the first value line is current.
    void SetColumnTitles(bool Value) override;
    /// An object going away takes every entry that refers to it (as object or owner) out of Objects.
    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    /// The grid's font changed: the presets' fonts follow it.
    void FontChanged() override;
    /// The value font changed: ValueChangedFont and the presets' value fonts follow it.
    void InternalValueFontChanged() override;
    /// ValueChangedFont changed: the grid is repainted.
    virtual void InternalValueChangedFontChanged();
    /// ValueChangedFont's original is the value font.
    void GetOriginalFont(QObject *Sender, QXPlatform::TFont *&Font) override;
    /// Handles the queued rescan and refresh (QX_INVALIDATESCAN, QX_INVALIDATEPROPERTY).
    void Dispatch(QXPlatform::TMessage &Message) override;
    /// Ctrl+Z and Ctrl+Shift+Z undo and redo while UndoEnabled.
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    /// The grid's editor, watched for undo keys (GuardedEventFilter).
    QXPlatform::TInplaceEdit *CreateEditor() override;
    /// Takes undo and redo from the in-place editor while nothing is typed in it (UndoEnabled).
    bool GuardedEventFilter(QObject *Watched, QEvent *Event) override;
    /// With ColorSwatches, the colour a colour row's value text names.
    QColor ValueSwatch(TQXItemProp *Item, const QString &Text) const override;
    /// With Thumbnails, the picture of a picture row's first object.
    QPixmap ValueThumbnail(TQXItemProp *Item) const override;
    /// With ArrangeByClass, each class band's rows are shaded in a colour of their own.
    QColor RowBackground(TQXItemProp *Item) const override;
    /// With CheckBoxes, the state a Boolean row's value text shows.
    int ValueCheckState(TQXItemProp *Item, const QString &Text) const override;
    /// With CheckBoxes, a left click on a value cell's check box toggles it.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    /// With RowToolTips, a tool tip event on a row shows RowToolTip.
    bool GuardedViewportEvent(QEvent *Event) override;
    /// With RowMenu, selects the row under the pointer and opens its menu (CreateRowMenu).
    void contextMenuEvent(QContextMenuEvent *Event) override;
    /// The queued refresh: refreshes every row (rescans when an object path no longer resolves), then
    /// fires OnPropertyChanged for the written row.
    virtual void QXInvalidateProperty(QXPlatform::TMessage &Message);
    /// The queued rescan.
    virtual void QXInvalidateScan(QXPlatform::TMessage &Message);

private:
    /// With ArrangeByClass, ranks the classes of the first shown object for CompareStrings.
    void rankClassBands();
    /// With ArrangeByClass and unsorted rows, puts the class bands in rank order.
    void orderClassBands();
    /// Runs Write(object, position) for every shown object as one write of Item: the change events around
    /// it, one undo command for all the objects, the refresh after it.
    void writeEach(TQXItemProperty *Item, const std::function<void(QObject *, int)> &Write);
    /// Puts Item's property back through its RESET function on every shown object, as one write.
    void resetEach(TQXItemProperty *Item);
    /// With DynamicProperties, adds the rows of the shared dynamic properties to Properties.
    void BuildDynamicProperties(TQXItemProperties *Properties);
    friend class TQXItemProperty;
    friend class TQXLiveValues;
    friend class TQXWriteCommand;
    /// Writes Texts (one per object) to the row at Path on Objects, recording nothing.
    void writeBack(const QString &Path, const QList<QPointer<QObject>> &Objects, const QStringList &Texts);
    void keepExpansion();
    void restoreExpansion();
    bool isDestroying() const;
    bool isLoading() const;
    /// Shared: the information of Info's property that rows share; null looks it up.
    void buildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects, const QXPlatform::TPropInfo &Info,
                       const QXPlatform::TPropInfo *Shared = nullptr);
    void buildSubObjects(TQXItemProperty *Item, TQXInspectorObjects *Objects,
                         const QXPlatform::TPropInfo &Info);
    void buildSetMembers(TQXItemProperty *Item, const QXPlatform::TPropInfo &Info, int ValueLines);
    using TObjectPath = QList<QPointer<QObject>>;
    /// Refreshes Properties; Owners, when known, holds per shown object the object their properties
    /// live on, so that no row resolves its path by name.
    bool updateProperties(TQXItemProperties *Properties, const TObjectPath *Owners);
    /// The objects the children of Row read their properties on, from the objects Row's own property
    /// lives on; false when only resolving by name can tell.
    bool childOwners(TQXItemProperty *Row, const TObjectPath &Owners, TObjectPath &Result) const;
    /// The component a name typed into a component reference of Instance stands for (null for no name).
    QObject *componentNamed(QObject *Instance, const QString &Name) const;
    /// The object Object holds in property Name.
    QObject *heldObject(QObject *Object, const QString &Name) const;
    /// The value line whose object a string-list row's writer writes for: that of the object being
    /// written, else the current one (-1).
    int writingObjectIndex() const;
    void invalidateAfterOptionChange();

    TQXInspectorObjects *m_objects = nullptr;
    mutable TQXPropertyPresets *m_presets = nullptr; // made by Presets() on first use
    TQXCustomDeltaFont *m_valueChangedFont = nullptr;
    // Objects whose properties the running scan has listed; no object is opened twice.
    QSet<const QObject *> m_scannedObjects;
    // The property lists of the classes met during the running scan, each property beside the one copy
    // of its information that rows share (TQXItemProperty::sharedPropInfo), looked up once per class.
    struct TListedProperties
    {
        QXPlatform::TPropList list;
        QList<const QXPlatform::TPropInfo *> shared;
    };
    QHash<const QMetaObject *, TListedProperties> m_propLists;
    mutable QXPlatform::TPropInfo m_heldInfo;
    QList<QPointer<QObject>> m_shownObjects;
    // While a refresh runs: the row being refreshed and the objects its property lives on.
    const TQXItemProperty *m_refreshRow = nullptr;
    const TObjectPath *m_refreshOwners = nullptr;
    // The rows below the row being refreshed, and the objects they live on, for UpdateProperties.
    const TQXItemProperties *m_ownersFor = nullptr;
    const TObjectPath *m_ownersBelow = nullptr;
    // While a row's writer runs: the inspected object it writes for.
    QPointer<QObject> m_writingObject;
    QString m_selectionPath;
    QXPlatform::TTypeKinds m_displayKinds;
    QString m_stringsItemFormat;
    QString m_collectionItemFormat;
    TInplaceTStringsOptions m_inplaceTStringsOptions;
    bool m_scanning = false;
    bool m_scanOpened = false;
    // Each queued rescan carries the number of its request; a scan covers every request made before it
    // started, so a queued one it covered has nothing left to do.
    qintptr m_scanRequests = 0;
    qintptr m_scanCovered = 0;
    bool m_destroyingInspector = false;
    bool m_dynamicTitleCaptions = false;
    bool m_inplaceCollections = false;
    bool m_inplaceComponents = true;
    bool m_inplaceTStrings = false;
    bool m_showValueChangedFont = true;
    bool m_undoEnabled = false;
    bool m_writingBack = false;
    bool m_liveUpdate = false;
    bool m_keepExpansion = false;
    TValueSummaries m_valueSummaries = vsNone;
    bool m_rowMenu = false;
    bool m_arrangeByClass = false;
    bool m_thumbnails = false;
    bool m_dynamicProperties = false;
    bool m_changedFontAllKinds = false;
    QHash<QString, int> m_bandRanks; // with ArrangeByClass: class name -> steps from the inspected class
    bool m_colorSwatches = false;
    bool m_rowToolTips = false;
    bool m_checkBoxes = false;
    QPointer<QUndoStack> m_undoStack;
    mutable QUndoStack *m_ownUndoStack = nullptr; // made by UndoStack() when no stack was given
    TQXLiveValues *m_live = nullptr;
    // The rows open, and the row at the top, when the rows were last dropped (KeepExpansion).
    QStringList m_openPaths;
    QString m_topPath;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TQXCustomObjectInspector::TInplaceTStringsOptions)
/// TQXCustomObjectInspector::TInplaceTStringsOption at global scope.
using TInplaceTStringsOption = TQXCustomObjectInspector::TInplaceTStringsOption;
/// TQXCustomObjectInspector::TInplaceTStringsOptions at global scope.
using TInplaceTStringsOptions = TQXCustomObjectInspector::TInplaceTStringsOptions;
