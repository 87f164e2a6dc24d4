// The item list editor: a grid that shows an item tree (QXItemProp.h) as lines of cells, one line per
// shown item with a name cell and one or more value cells, an optional title line, tree indentation with
// plus/minus glyphs and categories in their own font. It lies vertically (items are rows) or
// horizontally (items are columns). The object inspector derives from it.
//
// The grid keeps two flat lists in step with the tree: every item in depth-first pre-order, and the
// shown items in the same order. A cell maps to an item by a plain index into the shown list.
#pragma once

#include "DrawGrid.h"
#include "InplaceEdit.h"
#include "QXItemProp.h"

#include <QList>

class TQXCustomDeltaFont;
class TQXInplaceEditList;
class TQXHintWindow;
class TQXItemStrings;

/// Lets the application choose the category of an item.
QX_DECLARE_EVENT(TQXGetCategoryEvent,
                 void(QObject *Sender, TQXItemProp *Item, const QString &PropName, QString &Category))
/// Lets the application rewrite an item's hint.
QX_DECLARE_EVENT(TQXOnShowHintsEvent, void(QObject *Sender, TQXItemProp *Item, QString &HintString))
QX_DECLARE_EVENT(TQXItemPropEvent, void(QObject *Sender, TQXItemProp *Item))
Q_DECLARE_METATYPE(TQXGetCategoryEvent)
Q_DECLARE_METATYPE(TQXOnShowHintsEvent)
Q_DECLARE_METATYPE(TQXItemPropEvent)

/// The indices that GetGridCount and SetGridCount take: the grid's dimensions in orientation-neutral terms
/// (the columns, rows and fixed lines of a vertical grid, the other way round in a horizontal one).
enum TGridCountIndex : int {
    gcValueLineCount = 0, ///< the name line and the value lines (ColCount when vertical)
    gcCurValuePos = 1, ///< the current value line (Col when vertical)
    gcFixedValueLines = 2, ///< fixed value lines (FixedCols when vertical)
    gcItemLineCount = 3, ///< the title lines, the shown items and the empty line (RowCount when vertical)
    gcCurItemPos = 4, ///< the current item line (Row when vertical)
    gcFixedItemLines = 5, ///< the title lines (FixedRows when vertical); any other index reads these too
};

/// The grid's dimensions in orientation-neutral terms: value lines run across the items (line 0 holds
/// the names), item lines hold one item each.
struct TItemGridInfo
{
    int ValuePos = 0;
    int ItemPos = 0;
    int CurValuePos = 0;
    int CurItemPos = 0;
    int FixedValueLines = 0;
    int FixedItemLines = 0;
    int ValueLineCount = 0;
    int ItemLineCount = 0;
};

class QXINSPECTORCORE_EXPORT TQXCustomItemListEditor : public QXPlatform::TCustomDrawGrid
{
    Q_OBJECT

public:
    enum TQXGridOrientation { goVertical, goHorizontal };
    Q_ENUM(TQXGridOrientation)
    enum TILEDisplayOption {
        doColumnTitles = 0x1,
        doAutoColResize = 0x2,
        doKeyColFixed = 0x4,
        doShowReadOnly = 0x8,
        doMultiColValues = 0x10,
    };
    Q_DECLARE_FLAGS(TILEDisplayOptions, TILEDisplayOption)
    Q_FLAG(TILEDisplayOptions)
    enum TILEPropOption { propEdit = 0x1, propAdd = 0x2, propDelete = 0x4, propUnique = 0x8 };
    Q_DECLARE_FLAGS(TILEPropOptions, TILEPropOption)
    Q_FLAG(TILEPropOptions)
    enum TGridShowHints { shNone, shValueOnly, shHintOnly, shValueAndHint };
    Q_ENUM(TGridShowHints)
    enum TILEFilterOption { foInclusive = 0x1, foCaseSensitive = 0x2 };
    Q_DECLARE_FLAGS(TILEFilterOptions, TILEFilterOption)
    Q_FLAG(TILEFilterOptions)

    explicit TQXCustomItemListEditor(QWidget *parent = nullptr);
    ~TQXCustomItemListEditor() override;
    Q_DISABLE_COPY_MOVE(TQXCustomItemListEditor)

    void AfterConstruction() override;
    void BeforeDestruction() override;

    // The tree and its lists
    /// The top collection (built on first use when the grid was made without Create).
    TQXItemProps *Items() const;
    void SetItems(TQXItemProps *Value);
    /// Every item of the tree, depth-first pre-order.
    TQXItemProp *GetItem(int Index) const { return allItems().at(Index); }
    int GetItemCount() const { return int(allItems().size()); }
    /// The shown items, depth-first pre-order.
    TQXItemProp *GetVisibleItem(int Index) const { return visibleItems().at(Index); }
    int GetVisibleItemCount() const { return int(visibleItems().size()); }
    int AbsoluteIndexOf(const TQXItemProp *Item) const;
    int AbsoluteVIndexOf(const TQXItemProp *Item) const;
    /// The tree as lines path=value.
    QXPlatform::TStrings *Strings() const;
    void SetStrings(QXPlatform::TStrings *Value);

    // Orientation-neutral access
    /// One of the grid's dimensions; Index is a TGridCountIndex.
    int GetGridCount(int Index) const;
    virtual void SetGridCount(int Index, int Value);
    TItemGridInfo GetGridInfo(int ACol, int ARow) const;
    bool IsValueCell(int ACol, int ARow) const;

    // Cell mapping
    virtual TQXItemProp *FindItemProp(int ACol, int ARow, bool AdjustForFixed) const;
    TQXItemProp *GetSelected() const;
    void SetSelected(TQXItemProp *Item);
    virtual QString GetCell(int ACol, int ARow) const;
    virtual void SetCell(int ACol, int ARow, const QString &Value);

    // Options
    TQXGridOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TQXGridOrientation Value);
    TILEDisplayOptions DisplayOptions() const { return m_displayOptions; }
    virtual void SetDisplayOptions(TILEDisplayOptions Value);
    TILEPropOptions PropertyOptions() const { return m_propertyOptions; }
    void SetPropertyOptions(TILEPropOptions Value);
    QString PathDelimiter() const { return m_pathDelimiter; }
    void SetPathDelimiter(const QString &Value);
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool Value);
    bool IsSorted() const;
    void SetSorted(bool Value);
    bool ArrangeByCategory() const { return m_arrangeByCategory; }
    virtual void SetArrangeByCategory(bool Value);
    int Indent() const { return m_indent; }
    void SetIndent(int Value);
    TGridShowHints ShowItemHintStyle() const { return m_showItemHintStyle; }
    void SetShowItemHintStyle(TGridShowHints Value) { m_showItemHintStyle = Value; }
    QXPlatform::TStrings *TitleCaptions() const { return m_titleCaptions; }
    void SetTitleCaptions(QXPlatform::TStrings *Value);

    // The settings above in Qt's own types, for form designers: the published grids declare them as
    // designable properties that the type layer keeps out of the published list.
    QFont valueFont() const;
    void setValueFont(const QFont &font);
    QFont categoryFont() const;
    void setCategoryFont(const QFont &font);
    QFont titleCaptionFont() const;
    void setTitleCaptionFont(const QFont &font);
    QStringList titleCaptions() const;
    void setTitleCaptions(const QStringList &lines);
    QColor color() const;
    void setColor(const QColor &value);
    QColor fixedColor() const;
    void setFixedColor(const QColor &value);

    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool Value);
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int Value);
    bool DeleteBlanks() const { return m_deleteBlanks; }
    void SetDeleteBlanks(bool Value) { m_deleteBlanks = Value; }
    QXPlatform::TPicture *MinusGlyph() const { return m_minusGlyph; }
    void SetMinusGlyph(QXPlatform::TPicture *Value) { m_minusGlyph->Assign(Value); }
    QXPlatform::TPicture *PlusGlyph() const { return m_plusGlyph; }
    void SetPlusGlyph(QXPlatform::TPicture *Value) { m_plusGlyph->Assign(Value); }
    TQXHintWindow *HintWindow() const { return m_hintWindow; }
    void SetValueFont(QXPlatform::TFont *Value);
    void SetCategoryFont(QXPlatform::TFont *Value);
    void SetTitleCaptionFont(QXPlatform::TFont *Value);

    /// The name cell of item line Index.
    QString GetPropNames(int Index) const;
    void SetPropNames(int Index, const QString &Value);
    /// The first value cell of item line Index.
    QString GetPropValues(int Index) const;
    void SetPropValues(int Index, const QString &Value);
    /// The font of a cell's text, which the in-place editor takes too; for reading (it is the item's or
    /// the grid's).
    virtual const QXPlatform::TFont *GetCellFont(int ACol, int ARow) const;
    /// Whether the keyboard focus is in the grid or its editor.
    bool IsActiveControl() const;
    /// Whether assistive tools see the grid as a table of cells with names, values and expanded states
    /// (QAccessible); off by default.
    bool AccessibleTable() const { return m_accessibleTable; }
    void SetAccessibleTable(bool Value);

    /// Locale comparison of names, case-sensitive with CaseSensitive.
    virtual int CompareStrings(const QString &S1, const QString &S2) const;

    // Fonts
    /// The grid's font as a TFont, kept in step with QWidget::font().
    QXPlatform::TFont *Font() const { return m_font; }
    TQXCustomDeltaFont *ValueFont() const { return m_valueFont; }
    TQXCustomDeltaFont *CategoryFont() const { return m_categoryFont; }
    TQXCustomDeltaFont *TitleCaptionFont() const { return m_titleCaptionFont; }

    // Updates
    virtual void DisableEditUpdate();
    virtual void EnableEditUpdate();
    int EditUpdateCount() const { return m_editUpdateCount; }
    virtual void Refresh();
    void RefreshAllItems();
    void RefreshVisibleItems();
    virtual void FullExpand();
    virtual void FullCollapse();

    // What the tree calls on its grid
    /// Builds a child collection for Owner (an item) or the top collection (Owner = the grid).
    virtual TQXItemProps *CreateItems(QObject *Owner);
    /// A change is coming: hide the in-place editor.
    virtual void UpdatingItemProp(TQXItemProp *Item);
    virtual void ItemNotify(TQXItemProp *Item, QXPlatform::TCollectionNotification Action);
    /// Item changed (nullptr: the structure changed).
    virtual void UpdateItemProp(TQXItemProp *Item);
    /// The subtree of the top-level item Item changed visibility.
    virtual void VisibleChanged(TQXItemProp *Item);
    virtual void DoValidate(TQXItemProp *Item, int ACol);
    virtual void DoValidated(TQXItemProp *Item, int ACol);
    /// Fires OnValidateError; without a handler the error is raised.
    virtual void DoValidateError(TQXItemProp *Item, int ACol, const std::exception_ptr &E);
    // Editing
    /// How a cell is edited: names plainly; values by their item's style, or with a drop-down when the
    /// application offers values for a cell without an item.
    virtual QXPlatform::TEditStyle GetEditStyle(int ACol, int ARow);
    /// The regular expression a cell's text must match (an item's mask with ExpressionMask set).
    virtual QString GetExpressionMask(int ACol, int ARow);
    /// Validates the current item when the in-place editor's text was modified.
    virtual void Validate();
    /// Fills Values with the pick list of Item (its own handler, else the grid's OnGetPickList).
    virtual bool GetPickList(TQXItemProp *Item, QXPlatform::TStrings *Values, bool ClearFirst);
    /// The in-place editor asks for the entries of its drop-down list.
    virtual void EditListGetItems(int ACol, int ARow, QXPlatform::TStrings *Items);
    /// The in-place editor's ellipsis button was pressed.
    virtual void EditButtonClick(QObject *Sender);
    /// The first shown item named Name: true, with Index its line among the shown items (else -1).
    bool FindItem(const QString &Name, int &Index) const;
    /// By shown line (an ordinal) or by display name "name=values"; with Create, a missing line inserts a
    /// top-level item and a missing name raises "Property not found".
    virtual TQXItemProp *FindItemProp(const QVariant &Index, bool Create);
    /// Puts Name and Value on a new line (or the empty current one) and returns the item line it is on.
    int InsertItem(const QString &Name, const QString &Value, bool Append);
    /// The current item exists and has neither name nor value.
    bool IsEmptyItem() const;
    /// Deletes the item on the line of the cell, with its subtree.
    virtual void DeleteItem(int ACol, int ARow);
    void DeleteRow(int ARow) override;
    void DeleteColumn(int ACol) override;
    /// Escape: undoes typing, or removes a blank new line. Returns whether anything was restored.
    bool RestoreCurrentItem();
    /// Builds an item's hint text for a cell (before OnShowHints may change it).
    virtual void ShowHints(TQXItemProp *Item, int ACol, int ARow, QString &HintString);
    /// The rectangle Text needs at most MaxWidth wide in Font, grown by the hint window's margins.
    QRect CalcHintRect(int MaxWidth, const QString &Text, const QXPlatform::TFont *Font) const;
    /// The in-place editor of this grid (null before editing first starts).
    TQXInplaceEditList *InplaceEditList() const;
    /// Undoes the in-place editor's last change, when there is an editor.
    virtual bool UndoEditor();
    virtual bool HasInplaceEditor() const;

    // Categories
    /// The first line at or after StartIndex of Strings that has a "=" and whose name is Name; -1 if none.
    int IndexOfName(QXPlatform::TStrings *Strings, int StartIndex, const QString &Name) const;
    TQXItemProp *Categorize(TQXItemProps *Items, const QString &Name);
    virtual TQXItemProp *Categorize(TQXItemProp *Item, const QString &PropName,
                                    QXPlatform::TStrings *Categories);
    /// Places Item into its categories from the map: moved (AsCopy false) or as copies (true).
    virtual void Categorize(TQXItemProp *Item, QXPlatform::TStrings *Categories, bool AsCopy);
    virtual void Categorize(TQXItemProps *Items, QXPlatform::TStrings *Categories, bool AsCopy);
    /// Moves every top-level item that is no category into its category from the map.
    virtual void Categorize(QXPlatform::TStrings *Categories, bool Flag);
    virtual void Categorize(bool Flag);
    virtual void FillCategories();

    TQXGetCategoryEvent OnCategorize;
    QXPlatform::TNotifyEvent OnEditButtonClick;
    TQXGetPickListEvent OnGetPickList;
    TQXOnShowHintsEvent OnShowHints;
    TQXOnValidateEvent OnValidate;
    TQXOnValidateEvent OnValidated;
    TQXOnValidateErrorEvent OnValidateError;

protected:
    friend class TQXInplaceEditList;
    virtual void DoValidate();
    QXPlatform::TInplaceEdit *CreateEditor() override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void DoExit() override;
    void RowMoved(int FromIndex, int ToIndex) override;
    bool GuardedViewportEvent(QEvent *event) override;
    QString GetEditText(int ACol, int ARow) override;
    QString GetEditMask(int ACol, int ARow) override;
    bool CanEditModify() override;
    void DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState) override;
    void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                         int &SizingOfs) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void Resize() override;
    void showEvent(QShowEvent *event) override;
    virtual void AdjustGridCount();
    virtual void AdjustColWidths();
    virtual void SetColumnTitles(bool Value);
    virtual void OrientationChange();
    virtual void VisibleChanged(TQXItemProp *Item, bool Shown);
    virtual void FontChanged();
    virtual void InternalValueFontChanged();
    virtual void InternalCategoryFontChanged();
    virtual void InternalTitleCaptionFontChanged();
    virtual void TitleCaptionsChange();
    virtual void GetOriginalFont(QObject *Sender, QXPlatform::TFont *&Font);
    bool GuardedEvent(QEvent *e) override;

private:
    friend class TQXItemProp;
    void placeInAllItems(TQXItemProp *Item);
    /// Where Item belongs in the shown list, Item and its subtree being out of it.
    qsizetype visiblePlace(TQXItemProp *Item);
    void addVisibleItem(TQXItemProp *Item);
    void removeVisibleItem(TQXItemProp *Item);
    /// Takes Item and its subtree out of both lists (Item is leaving its place).
    void removeFromLists(TQXItemProp *Item);
    /// Item moves within its collection: out of the lists before, back in at its new place after.
    void itemMoving(TQXItemProp *Item);
    void itemMoved(TQXItemProp *Item);
    void placeMovedItem();
    void markIndexStale(QList<TQXItemProp *> &list, qsizetype from);
    void ensureItems() const;
    void setExpandedAll(bool Expanded);
    void moveCursor(const std::function<void()> &move);
    /// Validates text typed into the in-place editor before the cursor moves or the editor reloads:
    /// raising stops a move; Report hands the error to the exception handler for changes that cannot wait.
    void validatePendingEdit(bool Report);
    void withEditorHidden(const std::function<void()> &f);
    // Builds both lists again from the tree (and so moves the in-place editor and the line count): the
    // explicit step for lists a batch left stale. Reading the lists never rebuilds them.
    void rebuildLists();
    // The lists. Only a batch of the tree leaves them stale, and the batch's end rebuilds them
    // (UpdateItemProp); until then they read as empty: the tree is in the middle of a change, so no item
    // is on any line yet.
    const QList<TQXItemProp *> &allItems() const { return m_listsStale ? staleLists() : m_allItems; }
    const QList<TQXItemProp *> &visibleItems() const { return m_listsStale ? staleLists() : m_visibleItems; }
    const QList<TQXItemProp *> &staleLists() const;

    TQXItemProps *m_items = nullptr;
    QXPlatform::TStringList *m_titleCaptions = nullptr;
    QList<TQXItemProp *> m_allItems;
    QList<TQXItemProp *> m_visibleItems;
    TQXItemStrings *m_strings = nullptr;
    TQXHintWindow *m_hintWindow = nullptr;
    QXPlatform::TPicture *m_minusGlyph = nullptr;
    QXPlatform::TPicture *m_plusGlyph = nullptr;
    QXPlatform::TFont *m_font = nullptr;
    TQXCustomDeltaFont *m_valueFont = nullptr;
    TQXCustomDeltaFont *m_categoryFont = nullptr;
    TQXCustomDeltaFont *m_titleCaptionFont = nullptr;
    QString m_pathDelimiter = QStringLiteral(".");
    TILEDisplayOptions m_displayOptions;
    TILEPropOptions m_propertyOptions;
    TQXGridOrientation m_orientation = goVertical;
    TGridShowHints m_showItemHintStyle = shValueAndHint;
    int m_indent = 11;
    int m_dropDownRows = 8;
    bool m_hideSelection = true;
    bool m_deleteBlanks = true;
    bool m_deleting = false;
    int m_internalMoves = 0;
    bool m_validatingPending = false;
    QString m_heldBackName;
    QPoint m_lastHintPoint { -1, -1 };
    int m_editUpdateCount = 0;
    int m_visibleCountSnapshot = 0;
    bool m_caseSensitive = false;
    bool m_arrangeByCategory = false;
    bool m_sizing = false;
    bool m_destroying = false;
    bool m_syncingFont = false;
    bool m_accessibleTable = false;
    mutable bool m_listsStale = false;
    // The positions cached in the items are right for the first m_allIndexed (m_visibleIndexed) entries
    // of each list; a change at position p lowers the mark to p, and the next lookup renumbers from it.
    mutable qsizetype m_allIndexed = 0;
    mutable qsizetype m_visibleIndexed = 0;
    TQXItemProp *m_movingItem = nullptr; // taken out of the lists by itemMoving, not yet back
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TQXCustomItemListEditor::TILEDisplayOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXCustomItemListEditor::TILEPropOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TQXCustomItemListEditor::TILEFilterOptions)

using TQXGridOrientation = TQXCustomItemListEditor::TQXGridOrientation;
using TILEDisplayOption = TQXCustomItemListEditor::TILEDisplayOption;
using TILEDisplayOptions = TQXCustomItemListEditor::TILEDisplayOptions;
using TILEPropOption = TQXCustomItemListEditor::TILEPropOption;
using TILEPropOptions = TQXCustomItemListEditor::TILEPropOptions;
using TGridShowHints = TQXCustomItemListEditor::TGridShowHints;
using TILEFilterOption = TQXCustomItemListEditor::TILEFilterOption;
using TILEFilterOptions = TQXCustomItemListEditor::TILEFilterOptions;
