/// \file
/// The item list editor unit: the item tree, its string views and the grid that shows and edits it.
#pragma once

#include "QXCustomDeltaFont.h"
#include "QXCustomItemListEditor.h"
#include "QXHintWindow.h"
#include "QXItemProp.h"
#include "QXItemStrings.h"

/// The item list editor with its settings published.
class QXINSPECTORCORE_EXPORT TQXItemListEditor : public TQXCustomItemListEditor
{
    Q_OBJECT
    Q_PROPERTY(bool ArrangeByCategory READ ArrangeByCategory WRITE SetArrangeByCategory)
    Q_PROPERTY(bool CaseSensitive READ CaseSensitive WRITE SetCaseSensitive)
    Q_PROPERTY(bool DeleteBlanks READ DeleteBlanks WRITE SetDeleteBlanks)
    Q_PROPERTY(TILEDisplayOptions DisplayOptions READ DisplayOptions WRITE SetDisplayOptions)
    Q_PROPERTY(int DropDownRows READ DropDownRows WRITE SetDropDownRows)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(int Indent READ Indent WRITE SetIndent)
    Q_PROPERTY(TQXItemProps *Items READ Items WRITE SetItems)
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
    // The title line follows doColumnTitles: its count is no setting of its own
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows DESIGNABLE false)
    // Qt-typed twins of the settings above, for Qt Designer and forms compiled by uic; they read and
    // write the same objects (TQXCustomItemListEditor's valueFont() ...) and are kept out of the published
    // list (see QXFormOnlyProperties)
    Q_PROPERTY(QFont valueFont READ valueFont WRITE setValueFont STORED false)
    Q_PROPERTY(QFont categoryFont READ categoryFont WRITE setCategoryFont STORED false)
    Q_PROPERTY(QFont titleCaptionFont READ titleCaptionFont WRITE setTitleCaptionFont STORED false)
    Q_PROPERTY(QStringList titleCaptions READ titleCaptions WRITE setTitleCaptions STORED false)
    Q_PROPERTY(QColor color READ color WRITE setColor STORED false)
    Q_PROPERTY(QColor fixedColor READ fixedColor WRITE setFixedColor STORED false)
    Q_CLASSINFO("QXFormOnlyProperties",
                "valueFont,categoryFont,titleCaptionFont,titleCaptions,color,fixedColor")
    QX_DEFAULT(ArrangeByCategory, "False")
    QX_DEFAULT(CaseSensitive, "False")
    QX_DEFAULT(ColCount, "2")
    QX_DEFAULT(RowCount, "2")
    QX_DEFAULT(FixedCols, "0")
    QX_DEFAULT(DefaultColWidth, "150")
    QX_DEFAULT(DefaultRowHeight, "18")
    QX_DEFAULT(DisplayOptions, "[doColumnTitles,doAutoColResize,doKeyColFixed,doShowReadOnly]")
    QX_DEFAULT(DeleteBlanks, "True")
    QX_DEFAULT(DropDownRows, "8")
    QX_DEFAULT(HideSelection, "True")
    QX_DEFAULT(Indent, "11")
    QX_DEFAULT(Orientation, "goVertical")
    QX_DEFAULT(Options,
               "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goColSizing,goEditing,"
               "goAlwaysShowEditor,goThumbTracking]")
    QX_DEFAULT(PathDelimiter, ".")
    QX_DEFAULT(PropertyOptions, "[]")
    QX_DEFAULT(Sorted, "False")
    QX_DEFAULT(ShowItemHintStyle, "shValueAndHint")

public:
    /// An item list editor in widget parent, with the default settings.
    Q_INVOKABLE explicit TQXItemListEditor(QWidget *parent = nullptr);
    ~TQXItemListEditor() override;
    Q_DISABLE_COPY_MOVE(TQXItemListEditor)

    /// Leaves TitleCaptions out while they are the default "Property" and "Value" lines.
    bool IsStoredProperty(const char *Name) const override;
};
