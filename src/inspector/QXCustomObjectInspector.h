// The object inspector: an item list editor whose rows are the published properties that the objects in
// its Objects collection have in common. It scans them into a tree of TQXItemProperty rows, writes edited
// texts back to every object and refreshes the rows afterwards.
//
// Rescans and refreshes never run inside the change that asks for them: they are messages the control
// posts to itself (QX_INVALIDATESCAN, QX_INVALIDATEPROPERTY) and handles later in the same thread. The
// scan itself and the value texts live in QXInspectorScan.cpp.
#pragma once

#include "QXCustomItemListEditor.h"
#include "QXInspectorObjects.h"
#include "QXItemProperty.h"
#include "QXPropertyPreset.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>

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

class QXINSPECTORCORE_EXPORT TQXCustomObjectInspector : public TQXCustomItemListEditor,
                                                        public TQXInspectorObjectsOwner
{
    Q_OBJECT
public:
    enum TInplaceTStringsOption { isUseNameValue = 0x1, isSort = 0x2 };
    Q_DECLARE_FLAGS(TInplaceTStringsOptions, TInplaceTStringsOption)
    Q_FLAG(TInplaceTStringsOptions)

    explicit TQXCustomObjectInspector(QWidget *parent = nullptr);
    ~TQXCustomObjectInspector() override;
    Q_DISABLE_COPY_MOVE(TQXCustomObjectInspector)

    void AfterConstruction() override;
    void BeforeDestruction() override;
    void Loaded() override;
    void Assign(const QObject *Source) override;

    // The inspected objects
    TQXInspectorObjects *Objects() const { return m_objects; }
    void SetObjects(TQXInspectorObjects *Value);
    /// The first entry's component; null without entries.
    QObject *GetComponent() const;
    /// Replaces the first entry's object, adds one when there is none; null removes the first entry.
    void SetComponent(QObject *Value);
    /// The objects the rows were built from, in value-line order: the entries that had an object at the
    /// last scan. Reads, writes and refreshes address objects by these positions; null once an object
    /// is gone.
    int ShownObjectCount() const { return int(m_shownObjects.size()); }
    QObject *ShownObject(int Index) const;

    // Rows
    TQXItemProperties *GetItems() const { return static_cast<TQXItemProperties *>(Items()); }
    void SetItems(TQXItemProperties *Value) { TQXCustomItemListEditor::SetItems(Value); }
    TQXItemProperty *GetItem(int Index) const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetItem(Index));
    }
    TQXItemProperty *GetVisibleItem(int Index) const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetVisibleItem(Index));
    }
    TQXItemProperty *GetSelected() const
    {
        return static_cast<TQXItemProperty *>(TQXCustomItemListEditor::GetSelected());
    }
    void SetSelected(TQXItemProperty *Item) { TQXCustomItemListEditor::SetSelected(Item); }

    // Options
    QXPlatform::TTypeKinds DisplayKinds() const { return m_displayKinds; }
    /// Arrays, records and lists are always taken out.
    void SetDisplayKinds(QXPlatform::TTypeKinds Value);
    bool DynamicTitleCaptions() const { return m_dynamicTitleCaptions; }
    void SetDynamicTitleCaptions(bool Value);
    bool InplaceCollections() const { return m_inplaceCollections; }
    void SetInplaceCollections(bool Value);
    bool InplaceComponents() const { return m_inplaceComponents; }
    void SetInplaceComponents(bool Value);
    bool InplaceTStrings() const { return m_inplaceTStrings; }
    void SetInplaceTStrings(bool Value);
    TInplaceTStringsOptions InplaceTStringsOptions() const { return m_inplaceTStringsOptions; }
    void SetInplaceTStringsOptions(TInplaceTStringsOptions Value);
    QString StringsItemFormat() const { return m_stringsItemFormat; }
    void SetStringsItemFormat(const QString &Value);
    QString CollectionItemFormat() const { return m_collectionItemFormat; }
    void SetCollectionItemFormat(const QString &Value);
    bool FiltersEnabled() const { return m_filtersEnabled; }
    void SetFiltersEnabled(bool Value);
    TILEFilterOptions FilterOptions() const { return m_filterOptions; }
    void SetFilterOptions(TILEFilterOptions Value);
    QXPlatform::TStrings *Filters() const;
    void SetFilters(QXPlatform::TStrings *Value);
    bool ShowValueChangedFont() const { return m_showValueChangedFont; }
    void SetShowValueChangedFont(bool Value);
    TQXCustomDeltaFont *ValueChangedFont() const { return m_valueChangedFont; }
    void SetValueChangedFont(QXPlatform::TFont *Value);
    /// The presets; made (with one preset per registered class) on first use.
    TQXPropertyPresets *Presets() const;
    void SetPresets(TQXPropertyPresets *Value);
    void SetArrangeByCategory(bool Value) override;
    void SetDisplayOptions(TILEDisplayOptions Value) override;
    /// Whether every value written through the inspector becomes an undo command on UndoStack (a write to
    /// several objects is one command); Ctrl+Z and Ctrl+Shift+Z undo and redo while the grid has the focus.
    bool UndoEnabled() const { return m_undoEnabled; }
    void SetUndoEnabled(bool Value);
    /// The application's stack (SetUndoStack), else the inspector's own, made on first use.
    QUndoStack *UndoStack() const;
    void SetUndoStack(QUndoStack *Value);
    /// Whether rows follow the inspected properties' notify signals: a property changed by the program is
    /// shown on the next turn of the event loop, re-reading only the rows whose property changed.
    bool LiveUpdate() const { return m_liveUpdate; }
    void SetLiveUpdate(bool Value);
    /// Whether a rescan keeps the rows that were open open, and the row at the top at the top, by path.
    bool KeepExpansion() const { return m_keepExpansion; }
    void SetKeepExpansion(bool Value) { m_keepExpansion = Value; }
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
    virtual void ScanProperties();
    /// Adds to Properties one row per published property common to all Objects.
    void BuildCommonProperties(TQXInspectorObjects *Objects, TQXItemProperties *Properties,
                               TQXInspectorObjects *ParentObjects);
    /// Whether every object publishes the property with the same kind and exactly the same type name.
    bool IsSharedProperty(TQXInspectorObjects *Objects, const QXPlatform::TPropInfo &PropInfo) const;
    void BuildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects, const QString &PropName);
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
    void GetTStringsItemProperty(QObject *Sender, QObject *Instance, const QString &PropName, QString &Value);
    void SetTStringsItemProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                 const QString &Value);
    void GetTStringsNameValueProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                      QString &Value);
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

    // Filters and presets
    /// Whether the filters remove Item.
    bool IsFiltered(TQXItemProperty *Item) const;
    void RemoveFilterProperties();
    void CopyPresetsToProperties();
    virtual void ResetDefaultPresets();
    virtual void MatchPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item, bool &Result);
    virtual void CustomPreset(TQXPropertyPreset *Preset, TQXItemProperty *Item);
    virtual void PresetNotify(TQXPropertyPreset *Preset, QXPlatform::TCollectionNotification Action);
    virtual void PresetUpdate(TQXPropertyPreset *Preset);

    // Clipboard
    /// Asks the selected row's object to copy (when its class has a copy() slot).
    virtual void CopyToClipboard();
    /// Asks the selected row's object on every shown object to paste, then rescans.
    virtual void PasteFromClipboard();

    // What the grid shows
    QString GetCell(int ACol, int ARow) const override;
    QXPlatform::TEditStyle GetEditStyle(int ACol, int ARow) override;
    TQXItemProps *CreateItems(QObject *Owner) override;
    void FillCategories() override;
    using TQXCustomItemListEditor::Categorize;
    /// Only rows directly below the top or a category are placed into categories.
    TQXItemProp *Categorize(TQXItemProp *Item, const QString &PropName,
                            QXPlatform::TStrings *Categories) override;

    // What the rows call
    virtual void PropertyChanging(TQXItemProperty *Item);
    virtual void PropertyChanged(int AbsoluteIndex);

    // The objects collection tells us
    void ListUpdating() override;
    void ListUpdate(TQXInspectorObject *Item) override;

    TQXItemPropertyEvent OnRefreshValue;
    TQXItemPropertyEvent OnAfterScan;
    TQXItemPropertyQueryEvent OnBeforeScan;
    TQXCustomPresetItemEvent OnCustomPreset;
    TQXCustomPresetItemQueryEvent OnMatchPreset;
    QXPlatform::TNotifyEvent OnFiltersChanging;
    QXPlatform::TNotifyEvent OnFiltersChanged;
    TQXItemPropertyEvent OnPropertyChanging;
    TQXItemPropertyEvent OnPropertyChanged;

    /// Stores the presets ("HPresets", each with its class) and the rows ("HItems"). Rows read back stay
    /// until the next scan.
    void DefineProperties(QXPlatform::TFiler *Filer) override;

Q_SIGNALS:
    /// The rows were built again (after Rescan).
    void scanned();

protected:
    virtual void AfterScan(TQXItemProperty *Item);
    virtual bool BeforeScan(TQXItemProperty *Item);
    virtual TQXPropertyPresets *CreatePresets();
    virtual void ChangingFilters(QObject *Sender);
    virtual void ChangeFilters(QObject *Sender);
    void SetColumnTitles(bool Value) override;
    void Notification(QObject *AComponent, QXPlatform::TOperation Operation) override;
    void FontChanged() override;
    void InternalValueFontChanged() override;
    virtual void InternalValueChangedFontChanged();
    void GetOriginalFont(QObject *Sender, QXPlatform::TFont *&Font) override;
    void Dispatch(QXPlatform::TMessage &Message) override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    QXPlatform::TInplaceEdit *CreateEditor() override;
    /// Takes undo and redo from the in-place editor while nothing is typed in it (UndoEnabled).
    bool GuardedEventFilter(QObject *Watched, QEvent *Event) override;
    virtual void QXInvalidateProperty(QXPlatform::TMessage &Message);
    virtual void QXInvalidateScan(QXPlatform::TMessage &Message);

private:
    friend class TQXItemProperty;
    friend class TQXLiveValues;
    friend class TQXWriteCommand;
    /// Writes Texts (one per object) to the row at Path on Objects, recording nothing.
    void writeBack(const QString &Path, const QList<QPointer<QObject>> &Objects, const QStringList &Texts);
    void keepExpansion();
    void restoreExpansion();
    bool isDestroying() const;
    bool isLoading() const;
    void buildProperty(TQXItemProperty *Item, TQXInspectorObjects *Objects,
                       const QXPlatform::TPropInfo &Info);
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
    TQXPropertyPresets *m_presets = nullptr;
    QXPlatform::TStringList *m_filters = nullptr;
    TQXCustomDeltaFont *m_valueChangedFont = nullptr;
    // Objects whose properties the running scan has listed; no object is opened twice.
    QSet<const QObject *> m_scannedObjects;
    // The property lists of the classes met during the running scan.
    QHash<const QMetaObject *, QXPlatform::TPropList> m_propLists;
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
    TILEFilterOptions m_filterOptions;
    bool m_scanning = false;
    bool m_scanOpened = false;
    bool m_destroyingInspector = false;
    bool m_dynamicTitleCaptions = false;
    bool m_inplaceCollections = false;
    bool m_inplaceComponents = true;
    bool m_inplaceTStrings = false;
    bool m_filtersEnabled = true;
    bool m_showValueChangedFont = true;
    bool m_undoEnabled = false;
    bool m_writingBack = false;
    bool m_liveUpdate = false;
    bool m_keepExpansion = false;
    QPointer<QUndoStack> m_undoStack;
    QUndoStack *m_ownUndoStack = nullptr;
    TQXLiveValues *m_live = nullptr;
    // The rows open, and the row at the top, when the rows were last dropped (KeepExpansion).
    QStringList m_openPaths;
    QString m_topPath;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TQXCustomObjectInspector::TInplaceTStringsOptions)
using TInplaceTStringsOption = TQXCustomObjectInspector::TInplaceTStringsOption;
using TInplaceTStringsOptions = TQXCustomObjectInspector::TInplaceTStringsOptions;
