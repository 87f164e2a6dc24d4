/// \file
/// The item list editor: a grid that shows an item tree (QXItemProp.h) as lines of cells, one line per
/// shown item with a name cell and one or more value cells, an optional title line, tree indentation with
/// plus/minus glyphs and categories in their own font. It lies vertically (items are rows) or
/// horizontally (items are columns). The object inspector derives from it.
///
/// The grid keeps two flat lists in step with the tree: every item in depth-first pre-order, and the
/// shown items in the same order. A cell maps to an item by a plain index into the shown list.
#pragma once

#include "DrawGrid.h"
#include "InplaceEdit.h"
#include "QXItemProp.h"

#include <QList>
#include <QPixmap>

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
    /// The value line of the cell (0: the names).
    int ValuePos = 0;
    /// The item line of the cell.
    int ItemPos = 0;
    /// The current value line.
    int CurValuePos = 0;
    /// The current item line.
    int CurItemPos = 0;
    /// The fixed value lines.
    int FixedValueLines = 0;
    /// The fixed item lines (the title lines).
    int FixedItemLines = 0;
    /// The number of value lines, the names' line included.
    int ValueLineCount = 0;
    /// The number of item lines, the title lines included.
    int ItemLineCount = 0;
};

/// The item list editor's machinery: a tree of items shown as a name/value grid, vertical (one
/// row per item) or horizontal (one column per item), with titles, categories, several value lines and
/// in-place editing. TQXItemListEditor publishes its settings.
class QXINSPECTORCORE_EXPORT TQXCustomItemListEditor : public QXPlatform::TCustomDrawGrid
{
    Q_OBJECT

public:
    /// Items as rows (vertical) or as columns (horizontal).
    enum TQXGridOrientation { goVertical, goHorizontal };
    Q_ENUM(TQXGridOrientation)
    /// What the grid shows: a title line, columns fitted to the width, a fixed names line, read-only
    /// items, one value line per object.
    enum TILEDisplayOption {
        doColumnTitles = 0x1,
        doAutoColResize = 0x2,
        doKeyColFixed = 0x4,
        doShowReadOnly = 0x8,
        doMultiColValues = 0x10,
    };
    Q_DECLARE_FLAGS(TILEDisplayOptions, TILEDisplayOption)
    Q_FLAG(TILEDisplayOptions)
    /// What the user may do: edit values, add items, delete items; propUnique refuses a name already used.
    enum TILEPropOption { propEdit = 0x1, propAdd = 0x2, propDelete = 0x4, propUnique = 0x8 };
    Q_DECLARE_FLAGS(TILEPropOptions, TILEPropOption)
    Q_FLAG(TILEPropOptions)
    /// What an item's hint shows: nothing, its value, its hint, or both.
    enum TGridShowHints { shNone, shValueOnly, shHintOnly, shValueAndHint };
    Q_ENUM(TGridShowHints)
    /// How filters match: foInclusive keeps the matches rather than leaving them out; foCaseSensitive
    /// tells letter case apart.
    enum TILEFilterOption { foInclusive = 0x1, foCaseSensitive = 0x2 };
    Q_DECLARE_FLAGS(TILEFilterOptions, TILEFilterOption)
    Q_FLAG(TILEFilterOptions)

    /// An empty grid; the top collection is made once construction is over.
    explicit TQXCustomItemListEditor(QWidget *parent = nullptr);
    ~TQXCustomItemListEditor() override;
    Q_DISABLE_COPY_MOVE(TQXCustomItemListEditor)

    /// Makes the top collection.
    void AfterConstruction() override;
    /// Stops every refresh while the items go.
    void BeforeDestruction() override;

    // The tree and its lists
    /// The top collection (built on first use when the grid was made without Create).
    TQXItemProps *Items() const;
    /// Copies Value's items into the top collection.
    void SetItems(TQXItemProps *Value);
    /// Every item of the tree, depth-first pre-order.
    TQXItemProp *GetItem(int Index) const { return allItems().at(Index); }
    /// The number of items in the tree.
    int GetItemCount() const { return int(allItems().size()); }
    /// The shown items, depth-first pre-order.
    TQXItemProp *GetVisibleItem(int Index) const { return visibleItems().at(Index); }
    /// The number of shown items.
    int GetVisibleItemCount() const { return int(visibleItems().size()); }
    /// Item's position among all items, or -1.
    int AbsoluteIndexOf(const TQXItemProp *Item) const;
    /// Item's position among the shown items, or -1.
    int AbsoluteVIndexOf(const TQXItemProp *Item) const;
    /// The tree as lines path=value.
    QXPlatform::TStrings *Strings() const;
    /// Replaces the tree by the lines of Value.
    void SetStrings(QXPlatform::TStrings *Value);

    // Orientation-neutral access
    /// One of the grid's dimensions; Index is a TGridCountIndex.
    int GetGridCount(int Index) const;
    /// Sets one of the grid's dimensions; Index is a TGridCountIndex.
    virtual void SetGridCount(int Index, int Value);
    /// The cell (ACol, ARow) and the grid's dimensions in orientation-neutral terms.
    TItemGridInfo GetGridInfo(int ACol, int ARow) const;
    /// Whether the cell lies in a value line rather than the names' line.
    bool IsValueCell(int ACol, int ARow) const;

    /// The colour of a small swatch drawn before the text of an item's value cell showing Text, or an
    /// invalid colour for none (the default). Asked only while the cell is painted.
    virtual QColor ValueSwatch(TQXItemProp *Item, const QString &Text) const;
    /// The state of a check box drawn before the text of an item's value cell showing Text:
    /// Qt::Unchecked, Qt::PartiallyChecked or Qt::Checked, or -1 for none (the default).
    virtual int ValueCheckState(TQXItemProp *Item, const QString &Text) const;
    /// A picture drawn small before the text of an item's value cell, or a null pixmap for none (the
    /// default). Asked only while the cell is painted.
    virtual QPixmap ValueThumbnail(TQXItemProp *Item) const;
    /// The background of an item's cells when they are not highlighted, or an invalid colour for the
    /// grid's own (the default). Asked only while the cell is painted.
    virtual QColor RowBackground(TQXItemProp *Item) const;
    /// Where a swatch or check box sits in a value cell of rectangle Cell: a square at the reading start.
    QRect ValueMarkRect(const QRect &Cell) const;

    // Cell mapping
    /// The item on the cell's item line (AdjustForFixed: the title lines counted off), or null.
    virtual TQXItemProp *FindItemProp(int ACol, int ARow, bool AdjustForFixed) const;
    ///@{
    /// The item on the current line, or null.
    TQXItemProp *GetSelected() const;
    void SetSelected(TQXItemProp *Item);
    ///@}
    /// The text of a cell: a title caption, an item's name, or one of its values.
    virtual QString GetCell(int ACol, int ARow) const;
    /// Writes a cell's text into its item (a new item for the empty line).
    virtual void SetCell(int ACol, int ARow, const QString &Value);

    // Options
    ///@{
    /// Items as rows or as columns; a change swaps the grid's axes.
    TQXGridOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TQXGridOrientation Value);
    ///@}
    ///@{
    /// What the grid shows (TILEDisplayOption).
    TILEDisplayOptions DisplayOptions() const { return m_displayOptions; }
    virtual void SetDisplayOptions(TILEDisplayOptions Value);
    ///@}
    ///@{
    /// What the user may do (TILEPropOption); propAdd needs propEdit.
    TILEPropOptions PropertyOptions() const { return m_propertyOptions; }
    void SetPropertyOptions(TILEPropOptions Value);
    ///@}
    ///@{
    /// The delimiter of full path names (".").
    QString PathDelimiter() const { return m_pathDelimiter; }
    void SetPathDelimiter(const QString &Value);
    ///@}
    ///@{
    /// Whether names compare with case told apart; a sorted tree is sorted again.
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool Value);
    ///@}
    ///@{
    /// Whether the items are kept in order of their names, at every level.
    bool IsSorted() const;
    void SetSorted(bool Value);
    ///@}
    ///@{
    /// Whether the items are placed under their categories.
    bool ArrangeByCategory() const { return m_arrangeByCategory; }
    virtual void SetArrangeByCategory(bool Value);
    ///@}
    ///@{
    /// The indentation of a child level in pixels.
    int Indent() const { return m_indent; }
    void SetIndent(int Value);
    ///@}
    ///@{
    /// What an item's hint shows.
    TGridShowHints ShowItemHintStyle() const { return m_showItemHintStyle; }
    void SetShowItemHintStyle(TGridShowHints Value) { m_showItemHintStyle = Value; }
    ///@}
    ///@{
    /// The captions of the title line, one per value line.
    QXPlatform::TStrings *TitleCaptions() const { return m_titleCaptions; }
    void SetTitleCaptions(QXPlatform::TStrings *Value);
    ///@}

    // Filters: item names or full path names to leave out (or, with foInclusive, to keep). The grid keeps
    // them; the inspectors, which build their items, publish them, remove what they leave out
    // (RemoveFilterProperties) and rebuild when they change (InvalidateFilters).
    ///@{
    /// Whether Filters apply; a change rebuilds the items.
    bool FiltersEnabled() const { return m_filtersEnabled; }
    void SetFiltersEnabled(bool Value);
    ///@}
    ///@{
    /// How Filters match: letter case, and whether they keep (foInclusive) rather than leave out.
    TILEFilterOptions FilterOptions() const { return m_filterOptions; }
    void SetFilterOptions(TILEFilterOptions Value);
    ///@}
    ///@{
    /// The item names or full path names that the filters match, one per line.
    QXPlatform::TStrings *Filters() const { return m_filters; }
    void SetFilters(QXPlatform::TStrings *Value);
    ///@}
    /// Whether the filters leave Item out.
    bool IsFiltered(TQXItemProp *Item) const;
    /// Removes the items the filters leave out, with their children (nothing while they do not apply).
    void RemoveFilterProperties();

    ///@{
    /// The settings above in Qt's own types, for form designers: the published grids declare them as
    /// designable properties that the type layer keeps out of the published list.
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
    QStringList filters() const;
    void setFilters(const QStringList &lines);
    ///@}

    ///@{
    /// Whether the selection is drawn only while the grid has the focus.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool Value);
    ///@}
    ///@{
    /// The most rows a pick list shows before it scrolls.
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int Value);
    ///@}
    ///@{
    /// Whether an item left without name and value is deleted when the cursor leaves it.
    bool DeleteBlanks() const { return m_deleteBlanks; }
    void SetDeleteBlanks(bool Value) { m_deleteBlanks = Value; }
    ///@}
    ///@{
    /// The glyph of an open item.
    QXPlatform::TPicture *MinusGlyph() const { return m_minusGlyph; }
    void SetMinusGlyph(QXPlatform::TPicture *Value) { m_minusGlyph->Assign(Value); }
    ///@}
    ///@{
    /// The glyph of a closed item.
    QXPlatform::TPicture *PlusGlyph() const { return m_plusGlyph; }
    void SetPlusGlyph(QXPlatform::TPicture *Value) { m_plusGlyph->Assign(Value); }
    ///@}
    /// The window that shows hints and cut texts.
    TQXHintWindow *HintWindow() const { return m_hintWindow; }
    /// Copies Value into the value font.
    void SetValueFont(QXPlatform::TFont *Value);
    /// Copies Value into the category font.
    void SetCategoryFont(QXPlatform::TFont *Value);
    /// Copies Value into the title caption font.
    void SetTitleCaptionFont(QXPlatform::TFont *Value);

    ///@{
    /// The name cell of item line Index.
    QString GetPropNames(int Index) const;
    void SetPropNames(int Index, const QString &Value);
    ///@}
    ///@{
    /// The first value cell of item line Index.
    QString GetPropValues(int Index) const;
    void SetPropValues(int Index, const QString &Value);
    ///@}
    /// The font of a cell's text, which the in-place editor takes too; for reading (it is the item's or
    /// the grid's).
    virtual const QXPlatform::TFont *GetCellFont(int ACol, int ARow) const;
    /// Whether the keyboard focus is in the grid or its editor.
    bool IsActiveControl() const;
    ///@{
    /// Whether assistive tools see the grid as a table of cells with names, values and expanded states
    /// (QAccessible); off by default.
    bool AccessibleTable() const { return m_accessibleTable; }
    void SetAccessibleTable(bool Value);
    ///@}

    /// Locale comparison of names, case-sensitive with CaseSensitive.
    virtual int CompareStrings(const QString &S1, const QString &S2) const;

    // Fonts
    /// The grid's font as a TFont, kept in step with QWidget::font().
    QXPlatform::TFont *Font() const { return m_font; }
    /// The font of the values: the grid's font with changes of its own.
    TQXCustomDeltaFont *ValueFont() const { return m_valueFont; }
    /// The font of the categories: the grid's font with changes of its own.
    TQXCustomDeltaFont *CategoryFont() const { return m_categoryFont; }
    /// The font of the title line: the grid's font with changes of its own.
    TQXCustomDeltaFont *TitleCaptionFont() const { return m_titleCaptionFont; }

    // Updates
    /// Starts a batch of item changes: the grid refreshes once, when the outermost batch ends.
    virtual void DisableEditUpdate();
    /// Ends a batch; the outermost one refreshes when the shown items changed.
    virtual void EnableEditUpdate();
    /// How many batches are open.
    int EditUpdateCount() const { return m_editUpdateCount; }
    /// Fits the lines to the shown items and repaints (not inside a batch).
    virtual void Refresh();
    /// Rebuilds the list of all items from the tree.
    void RefreshAllItems();
    /// Rebuilds the list of shown items from the tree.
    void RefreshVisibleItems();
    /// Opens every item at every level.
    virtual void FullExpand();
    /// Closes every item at every level.
    virtual void FullCollapse();

    // What the tree calls on its grid
    /// Builds a child collection for Owner (an item) or the top collection (Owner = the grid).
    virtual TQXItemProps *CreateItems(QObject *Owner);
    /// A change is coming: hide the in-place editor.
    virtual void UpdatingItemProp(TQXItemProp *Item);
    /// An item joined or left the tree: the item lists follow (inside a batch they are rebuilt at its end).
    virtual void ItemNotify(TQXItemProp *Item, QXPlatform::TCollectionNotification Action);
    /// Item changed (nullptr: the structure changed).
    virtual void UpdateItemProp(TQXItemProp *Item);
    /// The subtree of the top-level item Item changed visibility.
    virtual void VisibleChanged(TQXItemProp *Item);
    /// Fires OnValidate for an item without a handler of its own.
    virtual void DoValidate(TQXItemProp *Item, int ACol);
    /// Fires OnValidated for an item without a handler of its own.
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
    /// Whether the in-place editor exists.
    virtual bool HasInplaceEditor() const;

    // Categories
    /// The first line at or after StartIndex of Strings that has a "=" and whose name is Name; -1 if none.
    int IndexOfName(QXPlatform::TStrings *Strings, int StartIndex, const QString &Name) const;
    /// The category named Name in Items, made when missing.
    TQXItemProp *Categorize(TQXItemProps *Items, const QString &Name);
    /// The category Item goes under: from the map by PropName (OnCategorize may change it), else the
    /// default category; while loading, the item's parent.
    virtual TQXItemProp *Categorize(TQXItemProp *Item, const QString &PropName,
                                    QXPlatform::TStrings *Categories);
    /// Places Item into its categories from the map: moved (AsCopy false) or as copies (true).
    virtual void Categorize(TQXItemProp *Item, QXPlatform::TStrings *Categories, bool AsCopy);
    /// Categorize for every item of Items.
    virtual void Categorize(TQXItemProps *Items, QXPlatform::TStrings *Categories, bool AsCopy);
    /// Moves every top-level item that is no category into its category from the map.
    virtual void Categorize(QXPlatform::TStrings *Categories, bool Flag);
    /// Categorize with the top collection's category map.
    virtual void Categorize(bool Flag);
    /// Fills the category map; the base leaves it empty.
    virtual void FillCategories();

    /// Chooses an item's category.
    TQXGetCategoryEvent OnCategorize;
    /// Fired by the ellipsis button of an item without a handler of its own.
    QXPlatform::TNotifyEvent OnEditButtonClick;
    /// Supplies the pick list of an item without a handler of its own.
    TQXGetPickListEvent OnGetPickList;
    /// Rewrites an item's hint.
    TQXOnShowHintsEvent OnShowHints;
    /// Checks an edited value of an item without a handler of its own; raising refuses it.
    TQXOnValidateEvent OnValidate;
    /// Fired after an edited value of an item without a handler of its own was accepted.
    TQXOnValidateEvent OnValidated;
    /// Receives a refused value's error; without a handler the error is raised.
    TQXOnValidateErrorEvent OnValidateError;
    /// Fired before the filters change.
    QXPlatform::TNotifyEvent OnFiltersChanging;
    /// Fired after the filters changed.
    QXPlatform::TNotifyEvent OnFiltersChanged;

protected:
    friend class TQXInplaceEditList;
    /// Validates the current item when the in-place editor's text was modified (once per text).
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
    /// Draws an item's cell: indentation, glyph, fonts and colours; without DefaultDrawing as the base does.
    void DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState) override;
    void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                         int &SizingOfs) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void Resize() override;
    /// Fits the column widths once shown (doAutoColResize).
    void showEvent(QShowEvent *event) override;
    /// Fits the number of item lines to the shown items.
    virtual void AdjustGridCount();
    /// With doAutoColResize, fits the value lines to the grid's width.
    virtual void AdjustColWidths();
    /// Shows or hides the title line.
    virtual void SetColumnTitles(bool Value);
    /// Swaps the grid's axes after Orientation changed, keeping the selection.
    virtual void OrientationChange();
    /// The lines of Item and its subtree become the shown ones (Shown false: none).
    virtual void VisibleChanged(TQXItemProp *Item, bool Shown);
    /// The grid's font changed: the value, category and title fonts and the items follow it.
    virtual void FontChanged();
    /// The value font changed: the items' value fonts follow it.
    virtual void InternalValueFontChanged();
    /// The category font changed: the categories take it again.
    virtual void InternalCategoryFontChanged();
    /// The title caption font changed: the title line is repainted.
    virtual void InternalTitleCaptionFontChanged();
    /// The title captions changed: the title line is refreshed.
    virtual void TitleCaptionsChange();
    /// The reference of the grid's delta fonts: the grid's font.
    virtual void GetOriginalFont(QObject *Sender, QXPlatform::TFont *&Font);
    /// Before the filter lines change: fires OnFiltersChanging.
    virtual void ChangingFilters(QObject *Sender);
    /// After the filter lines changed: fires OnFiltersChanged and, while filters apply, InvalidateFilters.
    virtual void ChangeFilters(QObject *Sender);
    /// The filters that apply changed: a descendant queues the rebuild of its items. The grid's own items
    /// are never filtered, so here nothing.
    virtual void InvalidateFilters();
    /// Takes the filter settings and lines of Source (for Assign).
    void AssignFilters(const TQXCustomItemListEditor *Source);
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

    mutable TQXItemProps *m_items = nullptr; // made on first use (ensureItems)
    QXPlatform::TStringList *m_titleCaptions = nullptr;
    QXPlatform::TStringList *m_filters = nullptr;
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
    TILEFilterOptions m_filterOptions;
    TQXGridOrientation m_orientation = goVertical;
    TGridShowHints m_showItemHintStyle = shValueAndHint;
    int m_indent = 11;
    int m_dropDownRows = 8;
    bool m_hideSelection = true;
    bool m_deleteBlanks = true;
    bool m_filtersEnabled = true;
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

/// TQXCustomItemListEditor::TQXGridOrientation at global scope.
using TQXGridOrientation = TQXCustomItemListEditor::TQXGridOrientation;
/// TQXCustomItemListEditor::TILEDisplayOption at global scope.
using TILEDisplayOption = TQXCustomItemListEditor::TILEDisplayOption;
/// TQXCustomItemListEditor::TILEDisplayOptions at global scope.
using TILEDisplayOptions = TQXCustomItemListEditor::TILEDisplayOptions;
/// TQXCustomItemListEditor::TILEPropOption at global scope.
using TILEPropOption = TQXCustomItemListEditor::TILEPropOption;
/// TQXCustomItemListEditor::TILEPropOptions at global scope.
using TILEPropOptions = TQXCustomItemListEditor::TILEPropOptions;
/// TQXCustomItemListEditor::TGridShowHints at global scope.
using TGridShowHints = TQXCustomItemListEditor::TGridShowHints;
/// TQXCustomItemListEditor::TILEFilterOption at global scope.
using TILEFilterOption = TQXCustomItemListEditor::TILEFilterOption;
/// TQXCustomItemListEditor::TILEFilterOptions at global scope.
using TILEFilterOptions = TQXCustomItemListEditor::TILEFilterOptions;
