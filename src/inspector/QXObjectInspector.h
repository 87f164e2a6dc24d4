/// \file
/// The object inspector unit: the inspected objects, the property rows, the presets and the inspector
/// control with its settings published.
#pragma once

#include "QXCustomDeltaFont.h"
#include "QXCustomObjectInspector.h"
#include "QXHintWindow.h"
#include "QXInspectorObjects.h"
#include "QXItemProperty.h"
#include "QXPropertyPreset.h"

/// The object inspector with its settings published.
class QXINSPECTORCORE_EXPORT TQXObjectInspector : public TQXCustomObjectInspector
{
    Q_OBJECT
    // The grid's settings, as the item list editor publishes them
    Q_PROPERTY(bool ArrangeByCategory READ ArrangeByCategory WRITE SetArrangeByCategory)
    Q_PROPERTY(bool DeleteBlanks READ DeleteBlanks WRITE SetDeleteBlanks)
    Q_PROPERTY(TILEDisplayOptions DisplayOptions READ DisplayOptions WRITE SetDisplayOptions)
    Q_PROPERTY(int DropDownRows READ DropDownRows WRITE SetDropDownRows)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(int Indent READ Indent WRITE SetIndent)
    Q_PROPERTY(TQXItemProperties *Items READ GetItems WRITE SetItems STORED false)
    Q_PROPERTY(TQXGridOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(QString PathDelimiter READ PathDelimiter WRITE SetPathDelimiter)
    Q_PROPERTY(TILEPropOptions PropertyOptions READ PropertyOptions WRITE SetPropertyOptions)
    Q_PROPERTY(bool Sorted READ IsSorted WRITE SetSorted)
    Q_PROPERTY(QXPlatform::TStrings *Strings READ Strings WRITE SetStrings STORED false)
    Q_PROPERTY(QXPlatform::TStrings *TitleCaptions READ TitleCaptions WRITE SetTitleCaptions)
    Q_PROPERTY(TGridShowHints ShowItemHintStyle READ ShowItemHintStyle WRITE SetShowItemHintStyle)
    Q_PROPERTY(QXPlatform::TFont *ValueFont READ ValueFont WRITE SetValueFont)
    Q_PROPERTY(QXPlatform::TFont *CategoryFont READ CategoryFont WRITE SetCategoryFont)
    Q_PROPERTY(QXPlatform::TFont *TitleCaptionFont READ TitleCaptionFont WRITE SetTitleCaptionFont)
    Q_PROPERTY(QXPlatform::TPicture *MinusGlyph READ MinusGlyph WRITE SetMinusGlyph)
    Q_PROPERTY(QXPlatform::TPicture *PlusGlyph READ PlusGlyph WRITE SetPlusGlyph)
    Q_PROPERTY(TQXHintWindow *HintWindow READ HintWindow)
    Q_PROPERTY(int VisibleRowCount READ VisibleRowCount)
    Q_PROPERTY(TQXGetCategoryEvent OnCategorize MEMBER OnCategorize)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnEditButtonClick MEMBER OnEditButtonClick)
    Q_PROPERTY(TQXGetPickListEvent OnGetPickList MEMBER OnGetPickList)
    Q_PROPERTY(TQXOnShowHintsEvent OnShowHints MEMBER OnShowHints)
    Q_PROPERTY(TQXOnValidateEvent OnValidate MEMBER OnValidate)
    Q_PROPERTY(TQXOnValidateEvent OnValidated MEMBER OnValidated)
    Q_PROPERTY(TQXOnValidateErrorEvent OnValidateError MEMBER OnValidateError)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnDblClick MEMBER OnDblClick)
    Q_PROPERTY(QXPlatform::TCustomDrawGrid::TDrawCellEvent OnDrawCell MEMBER OnDrawCell)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnExit MEMBER OnExit)
    Q_PROPERTY(QXPlatform::TGetEditEvent OnGetEditMask MEMBER OnGetEditMask)
    Q_PROPERTY(QXPlatform::TGetEditEvent OnGetEditText MEMBER OnGetEditText)
    Q_PROPERTY(QXPlatform::TKeyEvent OnKeyDown MEMBER OnKeyDown)
    Q_PROPERTY(QXPlatform::TKeyPressEvent OnKeyPress MEMBER OnKeyPress)
    Q_PROPERTY(QXPlatform::TKeyEvent OnKeyUp MEMBER OnKeyUp)
    Q_PROPERTY(QXPlatform::TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(QXPlatform::TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(QXPlatform::TMouseEvent OnMouseUp MEMBER OnMouseUp)
    Q_PROPERTY(QXPlatform::TMouseWheelUpDownEvent OnMouseWheelDown MEMBER OnMouseWheelDown)
    Q_PROPERTY(QXPlatform::TMouseWheelUpDownEvent OnMouseWheelUp MEMBER OnMouseWheelUp)
    Q_PROPERTY(QXPlatform::TMovedEvent OnRowMoved MEMBER OnRowMoved)
    Q_PROPERTY(QXPlatform::TSelectCellEvent OnSelectCell MEMBER OnSelectCell)
    Q_PROPERTY(QXPlatform::TSetEditEvent OnSetEditText MEMBER OnSetEditText)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnTopLeftChanged MEMBER OnTopLeftChanged)
    // Grid settings the inspector keeps to itself: its line counts follow the objects and rows
    Q_PROPERTY(bool CaseSensitive READ CaseSensitive WRITE SetCaseSensitive DESIGNABLE false)
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount DESIGNABLE false)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount DESIGNABLE false)
    Q_PROPERTY(QXPlatform::TCustomDrawGrid::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars
                   DESIGNABLE false)
    // The inspector's own
    Q_PROPERTY(QXPlatform::TTypeKindSet::TTypeKinds DisplayKinds READ DisplayKindSet WRITE SetDisplayKindSet)
    Q_PROPERTY(bool DynamicTitleCaptions READ DynamicTitleCaptions WRITE SetDynamicTitleCaptions)
    Q_PROPERTY(bool InplaceCollections READ InplaceCollections WRITE SetInplaceCollections)
    Q_PROPERTY(bool InplaceComponents READ InplaceComponents WRITE SetInplaceComponents)
    Q_PROPERTY(bool InplaceTStrings READ InplaceTStrings WRITE SetInplaceTStrings)
    Q_PROPERTY(TInplaceTStringsOptions InplaceTStringsOptions READ InplaceTStringsOptions WRITE
                   SetInplaceTStringsOptions)
    Q_PROPERTY(QString StringsItemFormat READ StringsItemFormat WRITE SetStringsItemFormat)
    Q_PROPERTY(QString CollectionItemFormat READ CollectionItemFormat WRITE SetCollectionItemFormat)
    Q_PROPERTY(bool FiltersEnabled READ FiltersEnabled WRITE SetFiltersEnabled)
    Q_PROPERTY(TILEFilterOptions FilterOptions READ FilterOptions WRITE SetFilterOptions)
    Q_PROPERTY(QXPlatform::TStrings *Filters READ Filters WRITE SetFilters)
    Q_PROPERTY(bool ShowValueChangedFont READ ShowValueChangedFont WRITE SetShowValueChangedFont)
    Q_PROPERTY(QXPlatform::TFont *ValueChangedFont READ ValueChangedFont WRITE SetValueChangedFont)
    Q_PROPERTY(QObject *Component READ GetComponent WRITE SetComponent STORED false)
    Q_PROPERTY(TQXInspectorObjects *Objects READ Objects WRITE SetObjects)
    Q_PROPERTY(TQXPropertyPresets *Presets READ Presets WRITE SetPresets STORED false)
    // The presets again, as one settings text that form files keep and form compilers turn into a call of
    // its setter; the inspector's own settings store them as "HPresets" instead.
    Q_PROPERTY(QString PresetsStream READ PresetsStream WRITE setPresetsStream)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled WRITE SetUndoEnabled)
    Q_PROPERTY(bool LiveUpdate READ LiveUpdate WRITE SetLiveUpdate)
    Q_PROPERTY(bool KeepExpansion READ KeepExpansion WRITE SetKeepExpansion)
    Q_PROPERTY(TValueSummaries ValueSummaries READ ValueSummaries WRITE SetValueSummaries)
    Q_PROPERTY(bool RowMenu READ RowMenu WRITE SetRowMenu)
    Q_PROPERTY(bool ColorSwatches READ ColorSwatches WRITE SetColorSwatches)
    Q_PROPERTY(bool RowToolTips READ RowToolTips WRITE SetRowToolTips)
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE SetCheckBoxes)
    Q_PROPERTY(bool ArrangeByClass READ ArrangeByClass WRITE SetArrangeByClass)
    Q_PROPERTY(bool Thumbnails READ Thumbnails WRITE SetThumbnails)
    Q_PROPERTY(bool DynamicProperties READ DynamicProperties WRITE SetDynamicProperties)
    Q_PROPERTY(bool ChangedFontAllKinds READ ChangedFontAllKinds WRITE SetChangedFontAllKinds)
    Q_PROPERTY(bool AccessibleTable READ AccessibleTable WRITE SetAccessibleTable)
    Q_PROPERTY(TQXItemPropertyEvent OnRefreshValue MEMBER OnRefreshValue)
    Q_PROPERTY(TQXItemPropertyEvent OnAfterScan MEMBER OnAfterScan)
    Q_PROPERTY(TQXItemPropertyQueryEvent OnBeforeScan MEMBER OnBeforeScan)
    Q_PROPERTY(TQXCustomPresetItemEvent OnCustomPreset MEMBER OnCustomPreset)
    Q_PROPERTY(TQXCustomPresetItemQueryEvent OnMatchPreset MEMBER OnMatchPreset)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnFiltersChanging MEMBER OnFiltersChanging)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnFiltersChanged MEMBER OnFiltersChanged)
    Q_PROPERTY(TQXItemPropertyEvent OnPropertyChanging MEMBER OnPropertyChanging)
    Q_PROPERTY(TQXItemPropertyEvent OnPropertyChanged MEMBER OnPropertyChanged)
    // Qt-typed twins of the settings above, for Qt Designer and forms compiled by uic; they read and
    // write the same objects (TQXCustomItemListEditor's valueFont() ...) and are kept out of the published
    // list (see QXFormOnlyProperties)
    Q_PROPERTY(QFont valueFont READ valueFont WRITE setValueFont STORED false)
    Q_PROPERTY(QFont categoryFont READ categoryFont WRITE setCategoryFont STORED false)
    Q_PROPERTY(QFont titleCaptionFont READ titleCaptionFont WRITE setTitleCaptionFont STORED false)
    Q_PROPERTY(QStringList titleCaptions READ titleCaptions WRITE setTitleCaptions STORED false)
    Q_PROPERTY(QColor color READ color WRITE setColor STORED false)
    Q_PROPERTY(QColor fixedColor READ fixedColor WRITE setFixedColor STORED false)
    Q_PROPERTY(QStringList filters READ filters WRITE setFilters STORED false)
    Q_PROPERTY(QFont valueChangedFont READ valueChangedFont WRITE setValueChangedFont STORED false)
    Q_CLASSINFO(
        "QXFormOnlyProperties",
        "valueFont,categoryFont,titleCaptionFont,titleCaptions,color,fixedColor,filters,valueChangedFont")
    QX_DEFAULT(ArrangeByCategory, "False")
    QX_DEFAULT(UndoEnabled, "False")
    QX_DEFAULT(LiveUpdate, "False")
    QX_DEFAULT(KeepExpansion, "False")
    QX_DEFAULT(ValueSummaries, "vsNone")
    QX_DEFAULT(RowMenu, "False")
    QX_DEFAULT(ColorSwatches, "False")
    QX_DEFAULT(RowToolTips, "False")
    QX_DEFAULT(CheckBoxes, "False")
    QX_DEFAULT(ArrangeByClass, "False")
    QX_DEFAULT(Thumbnails, "False")
    QX_DEFAULT(DynamicProperties, "False")
    QX_DEFAULT(ChangedFontAllKinds, "False")
    QX_DEFAULT(AccessibleTable, "False")
    // Three declared defaults differ on purpose from what the constructor sets: Color (made clBtnFace),
    // DeleteBlanks (made False) and DisplayKinds (made without tkUnknown, tkMethod, tkArray, tkRecord and
    // tkDynArray). Color and DeleteBlanks keep the item list editor's defaults, DisplayKinds the full set.
    // The settings writer leaves out only a value equal to its declared default, so a stored inspector
    // records these three as made, and settings already written (which left out, say, DeleteBlanks True)
    // rely on the declared defaults to read back right. An inspector inspecting an inspector shows them
    // in the changed-value font for the same reason. Keep them as they are.
    QX_DEFAULT(Color, "clWindow") // intended: made clBtnFace, see above
    QX_DEFAULT(DefaultColWidth, "150")
    QX_DEFAULT(DefaultRowHeight, "18")
    QX_DEFAULT(DeleteBlanks, "True") // intended: made False, see above
    QX_DEFAULT(DisplayOptions, "[doColumnTitles,doAutoColResize,doKeyColFixed,doShowReadOnly]")
    QX_DEFAULT(DisplayKinds, // intended: made without five kinds, see above
               "[tkUnknown,tkInteger,tkChar,tkEnumeration,tkFloat,tkString,tkSet,tkClass,tkMethod,"
               "tkWChar,tkLString,tkWString,tkVariant,tkArray,tkRecord,tkInterface,tkInt64,tkDynArray]")
    QX_DEFAULT(DropDownRows, "8")
    QX_DEFAULT(DynamicTitleCaptions, "False")
    QX_DEFAULT(FixedCols, "0")
    QX_DEFAULT(FixedRows, "1")
    QX_DEFAULT(HideSelection, "True")
    QX_DEFAULT(Indent, "11")
    QX_DEFAULT(InplaceCollections, "False")
    QX_DEFAULT(InplaceComponents, "True")
    QX_DEFAULT(InplaceTStrings, "False")
    QX_DEFAULT(InplaceTStringsOptions, "[]")
    QX_DEFAULT(StringsItemFormat, "Items[%d]")
    QX_DEFAULT(CollectionItemFormat, "Items[%d]")
    QX_DEFAULT(FiltersEnabled, "True")
    QX_DEFAULT(FilterOptions, "[]")
    QX_DEFAULT(Orientation, "goVertical")
    QX_DEFAULT(Options,
               "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goColSizing,goEditing,"
               "goAlwaysShowEditor,goThumbTracking]")
    QX_DEFAULT(PathDelimiter, ".")
    QX_DEFAULT(PropertyOptions, "[]")
    QX_DEFAULT(ShowItemHintStyle, "shValueAndHint")
    QX_DEFAULT(ShowValueChangedFont, "True")
    QX_DEFAULT(Sorted, "True")

public:
    /// An object inspector in widget parent, inspecting nothing yet, with the default presets.
    Q_INVOKABLE explicit TQXObjectInspector(QWidget *parent = nullptr);
    ~TQXObjectInspector() override;
    Q_DISABLE_COPY_MOVE(TQXObjectInspector)

    // Qt-typed twins for form designers, beside the item list editor's (valueFont(), filters() ...)
    ///@{
    /// The font of values that differ from their default, as a QFont, for form designers.
    QFont valueChangedFont() const { return ValueChangedFont()->ToQFont(); }
    void setValueChangedFont(const QFont &font) { ValueChangedFont()->SetQFont(font); }
    ///@}

    ///@{
    /// DisplayKinds as a set of type kinds, the form QMetaType shows.
    QXPlatform::TTypeKindSet::TTypeKinds DisplayKindSet() const
    {
        return QXPlatform::TTypeKindSet::From(DisplayKinds());
    }
    void SetDisplayKindSet(QXPlatform::TTypeKindSet::TTypeKinds Value)
    {
        SetDisplayKinds(QXPlatform::TTypeKindSet::To(Value));
    }
    ///@}
    /// Leaves out TitleCaptions while they are the default lines, and PresetsStream, which is stored as
    /// the defined property HPresets.
    bool IsStoredProperty(const char *Name) const override;

    /// The presets as a settings document (JSON text), each preset with its class.
    QString PresetsStream() const;
    /// Replaces the presets with those of a document PresetsStream wrote; an empty text restores the
    /// default presets. A document that cannot be read leaves the presets as they were and goes to
    /// HandleException, since forms call this while they are set up. Named the way form compilers name
    /// a property's setter.
    void setPresetsStream(const QString &Stream);
};
