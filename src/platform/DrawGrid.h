/// \file
/// The custom draw grid: a scrolled grid of cells with fixed title rows and columns at the top and left
/// (right under right-to-left layout), one current cell with a selection rectangle, and one persistent
/// in-place editor that the grid moves from cell to cell. Descendants draw the cells (DrawCell) and supply
/// the texts the editor shows and writes back (GetEditText, SetEditText); the item list editor is one.
///
/// Geometry is kept per axis: every line has the default size unless it was given its own, and positions
/// come from a prefix sum that is rebuilt lazily after a size changes, so finding a cell costs O(log n) and
/// painting walks only the visible cells, whatever the number of rows.
#pragma once

#include "Component.h"
#include "Events.h"
#include "Exceptions.h"
#include "Graphics.h"
#include "Guarded.h"
#include "Persistent.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

namespace QXPlatform {

class TInplaceEdit;

/// A grid operation that would break the grid's invariants (fixed lines not below the count).
QX_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

/// A cell position; -1 on an axis where a point lies outside the cells.
struct TGridCoord
{
    /// The column.
    int X = 0;
    /// The row.
    int Y = 0;
    friend bool operator==(const TGridCoord &, const TGridCoord &) = default;
};

/// A range of cells, inclusive on all sides.
struct TGridRect
{
    /// The first column.
    int Left = 0;
    /// The first row.
    int Top = 0;
    /// The last column.
    int Right = 0;
    /// The last row.
    int Bottom = 0;
    friend bool operator==(const TGridRect &, const TGridRect &) = default;
    /// Whether the cell (ACol, ARow) lies in the range.
    bool Contains(int ACol, int ARow) const
    {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
};

/// Asked before the current cell moves to (ACol, ARow); set CanSelect to false to refuse.
QX_DECLARE_EVENT(TSelectCellEvent, void(QObject *Sender, int ACol, int ARow, bool &CanSelect))
/// Supplies or changes a text for a cell (edit text, edit mask).
QX_DECLARE_EVENT(TGetEditEvent, void(QObject *Sender, int ACol, int ARow, QString &Value))
/// Reports the text the in-place editor holds for a cell.
QX_DECLARE_EVENT(TSetEditEvent, void(QObject *Sender, int ACol, int ARow, const QString &Value))
/// A row or column moved from FromIndex to ToIndex.
QX_DECLARE_EVENT(TMovedEvent, void(QObject *Sender, int FromIndex, int ToIndex))
/// A key went down or up; set Key to 0 to consume it.
QX_DECLARE_EVENT(TKeyEvent, void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift))
/// A character was typed; set Key to a null character to consume it.
QX_DECLARE_EVENT(TKeyPressEvent, void(QObject *Sender, QChar &Key))
/// A mouse button went down or up at (X, Y) in viewport coordinates.
QX_DECLARE_EVENT(TMouseEvent,
                 void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y))
/// The mouse moved to (X, Y) in viewport coordinates.
QX_DECLARE_EVENT(TMouseMoveEvent, void(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y))
/// The wheel turned one way at MousePos (viewport coordinates); set Handled to keep the grid from scrolling.
QX_DECLARE_EVENT(TMouseWheelUpDownEvent,
                 void(QObject *Sender, Qt::KeyboardModifiers Shift, const QPoint &MousePos, bool &Handled))

/// A grid of owner-drawn cells: fixed and scrolling rows and columns, a current cell and a selection,
/// sizing and moving of lines, and an in-place editor. Descendants draw the cells and supply their texts.
class QXINSPECTORCORE_EXPORT TCustomDrawGrid : public TGuarded<QAbstractScrollArea>, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QXPlatform::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QXPlatform::TColor FixedColor READ FixedColor WRITE SetFixedColor)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(TGridOptions Options READ Options WRITE SetOptions)
    QX_TYPE_NAME(Color, "TColor")
    QX_TYPE_NAME(FixedColor, "TColor")
    QX_DEFAULT(Color, "clWindow")
    QX_DEFAULT(FixedColor, "clBtnFace")
    QX_DEFAULT(DefaultDrawing, "True")
    QX_DEFAULT(GridLineWidth, "1")
    QX_DEFAULT(ScrollBars, "ssBoth")
    QX_DEFAULT(ColCount, "5")
    QX_DEFAULT(RowCount, "5")
    QX_DEFAULT(FixedCols, "1")
    QX_DEFAULT(FixedRows, "1")
    QX_DEFAULT(DefaultColWidth, "64")
    QX_DEFAULT(DefaultRowHeight, "24")
    QX_DEFAULT(Options, "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goRangeSelect]")

public:
    /// What the grid draws and allows: grid lines, range selection, sizing and moving of lines, editing,
    /// Tab between cells, whole-row selection, an editor always shown, scrolling while the thumb is dragged.
    enum TGridOption {
        goFixedVertLine = 0x1,
        goFixedHorzLine = 0x2,
        goVertLine = 0x4,
        goHorzLine = 0x8,
        goRangeSelect = 0x10,
        goDrawFocusSelected = 0x20,
        goRowSizing = 0x40,
        goColSizing = 0x80,
        goRowMoving = 0x100,
        goColMoving = 0x200,
        goEditing = 0x400,
        goTabs = 0x800,
        goRowSelect = 0x1000,
        goAlwaysShowEditor = 0x2000,
        goThumbTracking = 0x4000,
    };
    Q_DECLARE_FLAGS(TGridOptions, TGridOption)
    Q_FLAG(TGridOptions)

    /// gdSelected: inside the selection; gdFocused: the current cell while the grid or its editor has the
    /// keyboard focus; gdFixed: in a fixed row or column (fixed cells are never selected or focused).
    enum TGridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
    Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
    Q_FLAG(TGridDrawState)

    /// Which scroll bars the grid shows when the cells do not fit.
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    Q_ENUM(TScrollStyle)

    /// What a mouse drag is doing.
    enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
    Q_ENUM(TGridState)

    /// Draws or decorates a cell after the grid's own drawing; Rect is in viewport coordinates.
    QX_DECLARE_EVENT(TDrawCellEvent,
                     void(QObject *Sender, int ACol, int ARow, const QRect &Rect, TGridDrawState State))

    /// AOwner is both the widget parent and the component owner.
    Q_INVOKABLE explicit TCustomDrawGrid(QWidget *AOwner = nullptr);
    ~TCustomDrawGrid() override;
    Q_DISABLE_COPY_MOVE(TCustomDrawGrid)

    /// Frees the in-place editor while the whole grid can still answer it.
    void BeforeDestruction() override;

    // Counts. A count below 1 counts as 1; a count at or below its fixed lines lowers them to count - 1.
    // Shrinking keeps the current cell, the selection and the top-left cell inside the grid.
    ///@{
    /// The number of columns, the fixed ones included.
    int ColCount() const { return m_cols.Count; }
    void SetColCount(int Value);
    ///@}
    ///@{
    /// The number of rows, the fixed ones included.
    int RowCount() const { return m_rows.Count; }
    void SetRowCount(int Value);
    ///@}
    ///@{
    /// EInvalidGridOperation unless 0 <= Value < ColCount.
    int FixedCols() const { return m_cols.Fixed; }
    void SetFixedCols(int Value);
    ///@}
    ///@{
    /// EInvalidGridOperation unless 0 <= Value < RowCount.
    int FixedRows() const { return m_rows.Fixed; }
    void SetFixedRows(int Value);
    ///@}

    // The current cell. Setting it asks SelectCell first and moves the selection anchor with it.
    ///@{
    /// The current cell's column.
    int Col() const { return m_current.X; }
    void SetCol(int Value);
    ///@}
    ///@{
    /// The current cell's row.
    int Row() const { return m_current.Y; }
    void SetRow(int Value);
    ///@}
    /// The selected range (with goRowSelect, whole rows of non-fixed columns).
    TGridRect Selection() const;
    /// Sets anchor (Left, Top) and current cell (Right, Bottom), clamped into the grid, without SelectCell.
    void SetSelection(const TGridRect &Value);

    // Sizes
    ///@{
    int DefaultColWidth() const { return m_cols.DefaultSize; }
    /// Also gives every column the new default width.
    void SetDefaultColWidth(int Value);
    ///@}
    ///@{
    int DefaultRowHeight() const { return m_rows.DefaultSize; }
    /// Also gives every row the new default height.
    void SetDefaultRowHeight(int Value);
    ///@}
    ///@{
    /// The width of column Index in pixels.
    int ColWidths(int Index) const { return m_cols.Size(Index); }
    void SetColWidths(int Index, int Value);
    ///@}
    ///@{
    /// The height of row Index in pixels.
    int RowHeights(int Index) const { return m_rows.Size(Index); }
    void SetRowHeights(int Index, int Value);
    ///@}
    ///@{
    /// The width of the grid lines in pixels.
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int Value);
    ///@}

    // Look
    ///@{
    /// The grid options (TGridOption).
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions Value);
    ///@}
    ///@{
    /// The colour of the non-fixed cells' background.
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    ///@}
    ///@{
    /// The colour of the fixed cells' background.
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor Value);
    ///@}
    ///@{
    /// Whether the grid fills backgrounds and draws the focus rectangle around DrawCell.
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool Value);
    ///@}
    ///@{
    /// Which scroll bars the grid shows.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle Value);
    ///@}

    // Scrolling
    ///@{
    /// The first non-fixed row shown below the fixed rows.
    int TopRow() const { return m_topLeft.Y; }
    void SetTopRow(int Value);
    ///@}
    ///@{
    /// The first non-fixed column shown after the fixed columns.
    int LeftCol() const { return m_topLeft.X; }
    void SetLeftCol(int Value);
    ///@}
    /// Non-fixed columns (rows) shown whole from LeftCol (TopRow) on.
    int VisibleColCount() const;
    /// Non-fixed rows shown whole from TopRow on.
    int VisibleRowCount() const;

    // Cells and points, in viewport coordinates
    /// The cell under a point; -1 on each axis where the point is outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    /// The cell under a point, into ACol and ARow (MouseCoord).
    void MouseToCell(int X, int Y, int &ACol, int &ARow) const;
    /// The cell's rectangle without its grid lines; empty when the cell is not on screen.
    QRect CellRect(int ACol, int ARow) const;

    // Repainting: each schedules an update of only the area named.
    /// Repaints one cell.
    void InvalidateCell(int ACol, int ARow);
    /// Repaints one row.
    void InvalidateRow(int ARow);
    /// Repaints one column.
    void InvalidateCol(int ACol);
    /// Repaints every cell.
    void InvalidateGrid();
    /// Repaints every cell (InvalidateGrid).
    void Invalidate() { InvalidateGrid(); }

    // The in-place editor
    /// The editor, or null before editing first started.
    TInplaceEdit *InplaceEditor() const { return m_inplaceEdit; }
    ///@{
    /// Whether the editor is meant to show over the current cell.
    bool EditorMode() const { return m_editorMode; }
    void SetEditorMode(bool Value);
    ///@}
    /// Shows the editor over the current cell, when CanEditShow allows.
    void ShowEditor();
    /// Hides the editor; shown again, it reloads the cell's text.
    void HideEditor();
    /// Makes the editor reload its contents from the grid for the current cell.
    void InvalidateEditor();

    /// Asks SelectCell, then makes (ACol, ARow) current and scrolls it into view; reloads the editor.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    /// Asks SelectCell, then makes (ACol, ARow) current; Show scrolls it into view.
    /// EInvalidGridOperation outside the grid.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

    // Lines
    /// Removes a row: the rows below move up with their heights, RowCount decreases.
    virtual void DeleteRow(int ARow);
    /// Removes a column: the columns right of it move left with their widths, ColCount decreases.
    virtual void DeleteColumn(int ACol);
    /// Moves a row with its height to ToIndex (the rows between shift), then RowMoved.
    void MoveRow(int FromIndex, int ToIndex);
    /// Moves a column with its width to ToIndex, then ColumnMoved.
    void MoveColumn(int FromIndex, int ToIndex);

    /// The painter in use while the grid paints (inside DrawCell); null at any other time.
    QPainter *Canvas() const { return m_canvas; }

    /// Asked before the current cell moves; CanSelect false refuses.
    TSelectCellEvent OnSelectCell;
    /// Draws or decorates a cell after the grid's own drawing.
    TDrawCellEvent OnDrawCell;
    /// Supplies the editor's text for a cell.
    TGetEditEvent OnGetEditText;
    /// Supplies the edit mask for a cell.
    TGetEditEvent OnGetEditMask;
    /// Receives the editor's text for a cell on every change the user makes.
    TSetEditEvent OnSetEditText;
    /// A row moved.
    TMovedEvent OnRowMoved;
    /// A column moved.
    TMovedEvent OnColumnMoved;
    /// TopRow or LeftCol changed.
    TNotifyEvent OnTopLeftChanged;
    /// A click moved the current cell.
    TNotifyEvent OnClick;
    /// A double click.
    TNotifyEvent OnDblClick;
    /// The focus entered the grid.
    TNotifyEvent OnEnter;
    /// The focus left the grid and its editor.
    TNotifyEvent OnExit;
    /// A key went down, before the grid handles it.
    TKeyEvent OnKeyDown;
    /// A character was typed.
    TKeyPressEvent OnKeyPress;
    /// A key went up.
    TKeyEvent OnKeyUp;
    /// A mouse button went down, before the grid handles it.
    TMouseEvent OnMouseDown;
    /// The mouse moved, before the grid handles it.
    TMouseMoveEvent OnMouseMove;
    /// A mouse button went up, before the grid handles it.
    TMouseEvent OnMouseUp;
    /// The wheel turned down; Handled keeps the grid from scrolling.
    TMouseWheelUpDownEvent OnMouseWheelDown;
    /// The wheel turned up; Handled keeps the grid from scrolling.
    TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
    /// The extent of the visible part of one axis, in logical pixels (from the right under
    /// right-to-left layout for columns). Boundaries are positions one past the last pixel.
    struct TGridAxisDrawInfo
    {
        int EffectiveLineWidth = 0; ///< GridLineWidth, or 0 when no line of the axis is drawn
        int FixedBoundary = 0; ///< end of the fixed lines, grid lines included
        int GridBoundary = 0; ///< end of the last visible cell and its line, at most GridExtent
        int GridExtent = 0; ///< size of the viewport along the axis
        /// The last cell shown whole (LeftCol or TopRow counted in).
        int LastFullVisibleCell = 0;
        int FullVisBoundary = 0; ///< end of the last whole visible cell and its line
        /// FixedCols or FixedRows.
        int FixedCellCount = 0;
        int FirstGridCell = 0; ///< LeftCol or TopRow
        /// ColCount or RowCount.
        int GridCellCount = 0;
    };
    /// The extent of the visible part of both axes.
    struct TGridDrawInfo
    {
        /// The columns.
        TGridAxisDrawInfo Horz;
        /// The rows.
        TGridAxisDrawInfo Vert;
    };
    /// The visible geometry of both axes.
    void CalcDrawInfo(TGridDrawInfo &DrawInfo) const;
    /// What a paint works out once and hands to the steps that paint each cell.
    struct TGridPaintInfo
    {
        TGridDrawInfo Geometry; ///< the visible geometry of both axes
        QColor Background; ///< the normal cells' background (Color)
        QColor FixedBackground; ///< the fixed cells' background (FixedColor)
        QColor Highlight; ///< the selected cells' background
        QColor Text; ///< the normal cells' text, the focus rectangle and a drag's line
        QColor FixedText; ///< the fixed cells' text
        QColor HighlightText; ///< the selected cells' text
        QColor Line; ///< the grid lines of the normal cells
        QColor FixedLine; ///< the grid lines of the fixed cells
        TGridRect Selection; ///< the selected cells
        bool Focused = false; ///< whether the grid or its editor has the focus
        bool DrawFocusSelected
            = false; ///< the focused cell shows selected (goDrawFocusSelected, goRowSelect)
    };
    /// @name Painting
    /// The steps of a paint, which visits only the cells in the damaged area: for each PaintCell (where it
    /// has an area) and PaintCellLines; last PaintDragFeedback.
    ///@{
    /// Paints the cell ACol, ARow at Rect (viewport coordinates): with DefaultDrawing its background, then
    /// DrawCell with the painter set up for the cell's state, then with DefaultDrawing the focus rectangle.
    virtual void PaintCell(QPainter &Painter, int ACol, int ARow, const QRect &Rect,
                           const TGridPaintInfo &Info);
    /// Paints the grid lines right of and below the cell ACol, ARow at LogicalRect (left-to-right
    /// coordinates); where a line is not drawn its place takes the cell's colour.
    virtual void PaintCellLines(QPainter &Painter, int ACol, int ARow, const QRect &LogicalRect,
                                const TGridPaintInfo &Info);
    /// Paints the feedback of a drag: the line being sized, or where a moved line will go.
    virtual void PaintDragFeedback(QPainter &Painter, const TGridPaintInfo &Info);
    ///@}

    // Overridable operations, in the order a descendant needs them.
    /// Asked before the current cell moves; the base fires OnSelectCell. It may refuse, and it may change
    /// the grid (delete rows, move the focus itself): the grid reads its state again afterwards.
    virtual bool SelectCell(int ACol, int ARow);
    /// Draws a cell. With DefaultDrawing the background is filled before and the focus rectangle drawn
    /// after; Canvas() holds the cell's font and text colour. The base fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState);
    /// Makes the in-place editor on first need; the base makes a TInplaceEdit. The grid owns the result.
    virtual TInplaceEdit *CreateEditor();
    /// The text the editor shows for a cell; the base gives "" and fires OnGetEditText.
    virtual QString GetEditText(int ACol, int ARow);
    /// Takes the editor's text for a cell, on every change the user makes; the base fires OnSetEditText.
    virtual void SetEditText(int ACol, int ARow, const QString &Value);
    /// The edit mask for a cell; the base gives "" and fires OnGetEditMask.
    virtual QString GetEditMask(int ACol, int ARow);
    /// The most characters the editor takes; 0 means no limit.
    virtual int GetEditLimit();
    /// Whether the editor may change the text of the current cell.
    virtual bool CanEditModify();
    /// Whether the editor may show now: goEditing without goRowSelect, a non-fixed current cell, the grid
    /// visible and enabled.
    virtual bool CanEditShow();
    /// After ColCount or RowCount changed.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    /// After a column width (row height) changed; the base brings the scroll bars and the editor in step.
    virtual void ColWidthsChanged();
    /// After a row height changed; the base brings the scroll bars and the editor in step.
    virtual void RowHeightsChanged();
    /// After TopRow or LeftCol changed; fires OnTopLeftChanged.
    virtual void TopLeftChanged();
    /// After MoveRow (MoveColumn, or a drag with goRowMoving / goColMoving); fire OnRowMoved (OnColumnMoved).
    virtual void RowMoved(int FromIndex, int ToIndex);
    /// After a column moved; fires OnColumnMoved.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    /// What a press at (X, Y) would start. The base tests the fixed cells only: along X within the fixed
    /// rows with goColSizing, along Y within the fixed columns with goRowSizing. A line is hit within its
    /// band: the line itself when at least 7 pixels wide, else 7 pixels starting (7 - line width) / 2
    /// before it. SizingPos is the line's logical position, SizingOfs the point's offset from it, Index the
    /// line's cell.
    virtual void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos, int &SizingOfs);
    /// Called for every key the grid or its editor passes on, before the grid's own key handling. Set Key to
    /// 0 to consume it. The base fires OnKeyDown.
    virtual void KeyDown(int &Key, Qt::KeyboardModifiers Shift);
    /// Mouse handling in viewport coordinates. MouseDown is the grid's press handling (focus, sizing,
    /// moving, selecting, showing the editor): overrides call the inherited one for what they do not take.
    /// OnMouseDown, OnMouseMove and OnMouseUp fire before these, for every press, move and release.
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// The mouse moved: sizes, moves or selects while a drag is under way.
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    /// A button went up: ends sizing, moving or selecting.
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// After a click moved the current cell (and after FocusCell); fires OnClick.
    virtual void Click();
    /// On a double click, after the press handling; fires OnDblClick.
    virtual void DblClick();
    /// When the focus enters the grid (fires OnEnter) or leaves the grid and its editor (hides the editor
    /// unless goAlwaysShowEditor, fires OnExit).
    virtual void DoEnter();
    /// The focus left the grid and its editor: hides the editor unless goAlwaysShowEditor, fires OnExit.
    virtual void DoExit();
    /// After the viewport changed its size and the grid brought its scroll bars in step.
    virtual void Resize();

    /// Whether the press being handled by MouseDown is the second one of a double click.
    bool DoubleClicking() const { return m_doubleClicking; }
    /// What a mouse drag is doing now.
    TGridState GridState() const { return m_gridState; }
    /// Whether the grid or its in-place editor has the keyboard focus.
    bool GridHasFocus() const;
    /// The grid's key handling: KeyDown, then HandleEditKey, then HandleNavigationKey. Returns whether the
    /// key was used.
    bool HandleKey(int Key, Qt::KeyboardModifiers Shift);
    /// @name Key handling
    /// The steps of HandleKey after KeyDown, in this order; each returns whether it used the key.
    ///@{
    /// F2, Return and Enter switch the editor on and off (with goEditing, without goAlwaysShowEditor);
    /// Escape takes back the editor's text and hides it.
    virtual bool HandleEditKey(int Key);
    /// The arrows, Page Up and Down, Home, End and (with goTabs) Tab move the current cell, the arrows
    /// across right-to-left layout as they point; under goRowSelect Left and Right scroll instead.
    virtual bool HandleNavigationKey(int Key, Qt::KeyboardModifiers Shift);
    ///@}
    /// Makes the cell at Target, brought within the non-fixed cells, current (FocusCell), or brings the
    /// current cell into view when it is there already.
    void MoveFocusTo(TGridCoord Target, bool MoveAnchor);
    /// Whether under right-to-left layout, where column 0 is at the right.
    bool IsRightToLeft() const { return layoutDirection() == Qt::RightToLeft; }

    // Qt entry points
    bool GuardedEvent(QEvent *event) override;
    /// Paints the cells in the damaged area (DrawCell for each).
    void paintEvent(QPaintEvent *event) override;
    /// Brings the scroll bars and the editor in step, then Resize.
    void resizeEvent(QResizeEvent *event) override;
    /// Hands the key to HandleKey; Backtab arrives as Shift+Tab.
    void keyPressEvent(QKeyEvent *event) override;
    /// Fires OnKeyUp; Key set to 0 consumes the key.
    void keyReleaseEvent(QKeyEvent *event) override;
    /// Fires OnMouseWheelDown or OnMouseWheelUp; unless a handler takes the turn, the grid scrolls.
    void wheelEvent(QWheelEvent *event) override;
    /// Fires OnMouseDown, then MouseDown.
    void mousePressEvent(QMouseEvent *event) override;
    /// Fires OnMouseMove, then MouseMove.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Fires OnMouseUp, then MouseUp.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Fires OnMouseDown, then MouseDown as a double click's second press, then DblClick.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// Repaints the current cell; the focus entering the grid from outside runs DoEnter.
    void focusInEvent(QFocusEvent *event) override;
    /// Repaints the current cell; the focus leaving the grid and its editor (not to a popup, nor by window
    /// activation) runs DoExit.
    void focusOutEvent(QFocusEvent *event) override;
    /// Follows the scroll bars: moves TopRow and LeftCol.
    void scrollContentsBy(int dx, int dy) override;
    /// With goTabs, Tab moves between cells rather than out of the grid.
    bool focusNextPrevChild(bool next) override;
    /// A change of layout direction, enabled state or activation repaints and brings the editor in step.
    void changeEvent(QEvent *event) override;
    /// Events of the viewport (paint, mouse, resize) arrive here; guarded like event().
    bool viewportEvent(QEvent *event) final;
    /// viewportEvent() of this class; overrides call the inherited one for what they do not handle.
    virtual bool GuardedViewportEvent(QEvent *event);

private:
    friend class TInplaceEdit;

    // The sizes along one axis. Sizes is empty while every line has DefaultSize (the fast path where a
    // position is a multiplication); once a line gets a size of its own it holds one entry per line.
    // Starts holds the prefix sums of size plus line width for Count + 1 lines and is rebuilt on the first
    // lookup after a change.
    struct Axis
    {
        int Count = 5;
        int Fixed = 1;
        int DefaultSize = 64;
        int LineWidth = 1;
        std::vector<int> Sizes;
        mutable std::vector<qint64> Starts;
        mutable bool StartsValid = false;

        int Size(int Index) const;
        /// Logical position of line Index (0 <= Index <= Count), counting all lines before it.
        qint64 Start(int Index) const;
        /// The last line (0..Count) whose Start is at or before Pos.
        int LastStartAtOrBefore(qint64 Pos) const;
        /// The first line (0..Count) whose Start is at or after Pos.
        int FirstStartAtOrAfter(qint64 Pos) const;
        void SetSize(int Index, int Value);
        void SetCount(int Value);
        void Remove(int Index);
        void Move(int FromIndex, int ToIndex);
        void Changed() { StartsValid = false; }
        void BuildStarts() const;
    };

    void CalcAxis(const Axis &axis, int firstCell, int extent, TGridAxisDrawInfo &info) const;
    /// The viewport position of a visible line along an axis, or -1 when it is scrolled out.
    int LinePos(const Axis &axis, int Index, int First) const;
    int CellAt(const Axis &axis, int First, int Extent, int Pos) const;
    int MaxTopLeft(const Axis &axis, int Extent) const;
    int FirstForLast(const Axis &axis, int Last, int Extent) const;
    QRect Mirrored(const QRect &logical) const;
    int LogicalX(int X) const;
    QRect BoxRect(const TGridRect &Range) const;
    void InvalidateRange(const TGridRect &Range);

    void ChangeSize(int NewColCount, int NewRowCount);
    void ClampState();
    /// Returns whether SelectCell let the move happen.
    bool MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void SelectionMoved(const TGridRect &OldSel);
    void ClampInView(const TGridCoord &Coord);
    void MoveTopLeft(int ALeft, int ATop);
    void UpdateScrollRange();
    /// Sets the scroll bars' ranges that UpdateScrollRange left for later, then their values.
    void flushScrollRange();
    void SyncScrollBars();
    void UpdateLineWidths();
    void UpdateEdit();
    void HideEdit();
    void EditorFocusChanged(bool In, Qt::FocusReason Reason);
    void FocusLeaving(Qt::FocusReason Reason);
    void ResetEditorText();

    void PaintCells(QPainter &painter, const QRect &clip);
    QColor SystemColor(TColor Value) const;

    Axis m_cols;
    Axis m_rows;
    TGridCoord m_current { 1, 1 };
    TGridCoord m_anchor { 1, 1 };
    TGridCoord m_topLeft { 1, 1 };
    int m_gridLineWidth = 1;
    TGridOptions m_options;
    TColor m_color;
    TColor m_fixedColor;
    bool m_defaultDrawing = true;
    TScrollStyle m_scrollBars = ssBoth;

    QPointer<TInplaceEdit> m_inplaceEdit;
    bool m_editorMode = false;
    int m_inplaceCol = -1; // the cell the editor's contents were loaded for
    int m_inplaceRow = -1;

    QPainter *m_canvas = nullptr;
    TGridState m_gridState = gsNormal;
    int m_sizingIndex = -1;
    int m_sizingPos = 0;
    int m_sizingOfs = 0;
    int m_moveIndex = -1;
    int m_movePos = -1;
    bool m_doubleClicking = false;
    bool m_syncingScrollBars = false;
    bool m_scrollRangePending = false; // the scroll bars' ranges wait for flushScrollRange
    bool m_wholeGridDirty = false; // a repaint of the whole viewport is pending: further ones add nothing
    bool m_clickPending = false;
    bool m_sizingCursor = false;
    bool m_hadFocus = false; // between DoEnter and DoExit
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomDrawGrid::TGridOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomDrawGrid::TGridDrawState)

/// TCustomDrawGrid::TGridOption at namespace level.
using TGridOption = TCustomDrawGrid::TGridOption;
/// TCustomDrawGrid::TGridOptions at namespace level.
using TGridOptions = TCustomDrawGrid::TGridOptions;
/// TCustomDrawGrid::TGridDrawStateFlag at namespace level.
using TGridDrawStateFlag = TCustomDrawGrid::TGridDrawStateFlag;
/// TCustomDrawGrid::TGridDrawState at namespace level.
using TGridDrawState = TCustomDrawGrid::TGridDrawState;
/// TCustomDrawGrid::TScrollStyle at namespace level.
using TScrollStyle = TCustomDrawGrid::TScrollStyle;
/// TCustomDrawGrid::TGridState at namespace level.
using TGridState = TCustomDrawGrid::TGridState;
/// TCustomDrawGrid::TDrawCellEvent at namespace level.
using TDrawCellEvent = TCustomDrawGrid::TDrawCellEvent;
using enum TCustomDrawGrid::TGridOption;
using enum TCustomDrawGrid::TGridDrawStateFlag;
using enum TCustomDrawGrid::TScrollStyle;
using enum TCustomDrawGrid::TGridState;

} // namespace QXPlatform

Q_DECLARE_METATYPE(QXPlatform::TGridCoord)
Q_DECLARE_METATYPE(QXPlatform::TGridRect)
Q_DECLARE_METATYPE(QXPlatform::TSelectCellEvent)
Q_DECLARE_METATYPE(QXPlatform::TGetEditEvent)
Q_DECLARE_METATYPE(QXPlatform::TSetEditEvent)
Q_DECLARE_METATYPE(QXPlatform::TMovedEvent)
Q_DECLARE_METATYPE(QXPlatform::TKeyEvent)
Q_DECLARE_METATYPE(QXPlatform::TKeyPressEvent)
Q_DECLARE_METATYPE(QXPlatform::TMouseEvent)
Q_DECLARE_METATYPE(QXPlatform::TMouseMoveEvent)
Q_DECLARE_METATYPE(QXPlatform::TMouseWheelUpDownEvent)
Q_DECLARE_METATYPE(QXPlatform::TCustomDrawGrid::TDrawCellEvent)
