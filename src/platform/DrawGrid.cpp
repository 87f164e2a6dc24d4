#include "DrawGrid.h"
#include "InplaceEdit.h"
#include "TypeInfo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <utility>

namespace QXPlatform {

namespace {

// Lines between non-fixed cells: a mid grey that reads on light and dark windows alike.
constexpr TColor lineColor = clSilver;
constexpr TColor fixedLineColor = clBtnShadow;
// A sizing band narrower than this is widened around its line, so thin lines can still be caught.
constexpr int minSizingBand = 7;

[[noreturn]] void indexError()
{
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

int clampInt(qint64 value, int low, int high)
{
    return int(std::clamp<qint64>(value, low, std::max(low, high)));
}

// Moves Index the way a line at Index moves when line FromIndex moves to ToIndex.
int movedIndex(int Index, int FromIndex, int ToIndex)
{
    if (Index == FromIndex)
        return ToIndex;
    if (FromIndex < ToIndex && Index > FromIndex && Index <= ToIndex)
        return Index - 1;
    if (ToIndex < FromIndex && Index >= ToIndex && Index < FromIndex)
        return Index + 1;
    return Index;
}

// Makes a pointer valid for the duration of a scope, so that it never outlives the object it names, even
// when the scope is left by an exception.
class ScopedPointerValue
{
public:
    ScopedPointerValue(QPainter *&target, QPainter *value)
        : m_target(target)
        , m_old(std::exchange(target, value))
    { }
    ~ScopedPointerValue() { m_target = m_old; }
    Q_DISABLE_COPY_MOVE(ScopedPointerValue)

private:
    QPainter *&m_target;
    QPainter *m_old;
};

// save() and restore() of a painter around a scope that an exception may leave.
class PainterState
{
public:
    explicit PainterState(QPainter &painter)
        : m_painter(painter)
    {
        m_painter.save();
    }
    ~PainterState() { m_painter.restore(); }
    Q_DISABLE_COPY_MOVE(PainterState)

private:
    QPainter &m_painter;
};

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Axis

int TCustomDrawGrid::Axis::Size(int Index) const
{
    if (Sizes.empty() || Index < 0 || Index >= int(Sizes.size()))
        return DefaultSize;
    return Sizes[size_t(Index)];
}

void TCustomDrawGrid::Axis::BuildStarts() const
{
    Starts.resize(size_t(Count) + 1);
    Starts[0] = 0;
    for (int i = 0; i < Count; ++i)
        Starts[size_t(i) + 1] = Starts[size_t(i)] + Sizes[size_t(i)] + LineWidth;
    StartsValid = true;
}

qint64 TCustomDrawGrid::Axis::Start(int Index) const
{
    Index = std::clamp(Index, 0, Count);
    if (Sizes.empty())
        return qint64(Index) * (DefaultSize + LineWidth);
    if (!StartsValid)
        BuildStarts();
    return Starts[size_t(Index)];
}

int TCustomDrawGrid::Axis::LastStartAtOrBefore(qint64 Pos) const
{
    if (Pos < 0)
        return -1;
    if (Sizes.empty()) {
        const qint64 step = DefaultSize + LineWidth;
        return step <= 0 ? Count : int(std::min<qint64>(Count, Pos / step));
    }
    if (!StartsValid)
        BuildStarts();
    return int(std::upper_bound(Starts.begin(), Starts.end(), Pos) - Starts.begin()) - 1;
}

int TCustomDrawGrid::Axis::FirstStartAtOrAfter(qint64 Pos) const
{
    if (Pos <= 0)
        return 0;
    if (Sizes.empty()) {
        const qint64 step = DefaultSize + LineWidth;
        return step <= 0 ? Count : int(std::min<qint64>(Count, (Pos + step - 1) / step));
    }
    if (!StartsValid)
        BuildStarts();
    return std::min(Count, int(std::lower_bound(Starts.begin(), Starts.end(), Pos) - Starts.begin()));
}

void TCustomDrawGrid::Axis::SetSize(int Index, int Value)
{
    if (Sizes.empty()) {
        if (Value == DefaultSize)
            return;
        Sizes.assign(size_t(Count), DefaultSize);
    }
    Sizes[size_t(Index)] = Value;
    Changed();
}

void TCustomDrawGrid::Axis::SetCount(int Value)
{
    Count = Value;
    if (!Sizes.empty())
        Sizes.resize(size_t(Value), DefaultSize);
    if (Fixed >= Count)
        Fixed = Count - 1;
    Changed();
}

void TCustomDrawGrid::Axis::Remove(int Index)
{
    // The line goes to the end with the default size; the caller then lowers the count, which drops it.
    if (!Sizes.empty()) {
        Sizes.erase(Sizes.begin() + Index);
        Sizes.push_back(DefaultSize);
    }
    Changed();
}

void TCustomDrawGrid::Axis::Move(int FromIndex, int ToIndex)
{
    if (Sizes.empty() || FromIndex == ToIndex)
        return;
    const auto from = Sizes.begin() + FromIndex;
    const auto to = Sizes.begin() + ToIndex;
    if (FromIndex < ToIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    Changed();
}

// ---------------------------------------------------------------------------------------------------------
// Construction

TCustomDrawGrid::TCustomDrawGrid(QWidget *AOwner)
    : TGuarded<QAbstractScrollArea>(AOwner)
    , TComponent(this, AOwner)
    , m_options(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
    , m_color(clWindow)
    , m_fixedColor(clBtnFace)
{
    // The grid's events are method properties wherever a descendant publishes them.
    static const bool eventTypesRegistered = [] {
        RegisterEventType<TSelectCellEvent>();
        RegisterEventType<TDrawCellEvent>();
        RegisterEventType<TGetEditEvent>();
        RegisterEventType<TSetEditEvent>();
        RegisterEventType<TMovedEvent>();
        RegisterEventType<TKeyEvent>();
        RegisterEventType<TKeyPressEvent>();
        RegisterEventType<TMouseEvent>();
        RegisterEventType<TMouseMoveEvent>();
        RegisterEventType<TMouseWheelUpDownEvent>();
        return true;
    }();
    Q_UNUSED(eventTypesRegistered);
    m_cols.DefaultSize = 64;
    m_rows.DefaultSize = 24;
    setFocusPolicy(Qt::StrongFocus);
    // The grid paints every pixel of the viewport itself.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button show the sizing cursors.
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UpdateLineWidths();
    UpdateScrollRange();
}

TCustomDrawGrid::~TCustomDrawGrid()
{
    // Only when the grid was deleted without Free; the editor must not outlive its grid's answers.
    Free(m_inplaceEdit.data());
}

void TCustomDrawGrid::BeforeDestruction()
{
    TInplaceEdit *editor = m_inplaceEdit.data();
    m_inplaceEdit = nullptr;
    Free(editor);
    TComponent::BeforeDestruction();
}

// ---------------------------------------------------------------------------------------------------------
// Counts and the current cell

void TCustomDrawGrid::SetColCount(int Value)
{
    ChangeSize(Value, RowCount());
}

void TCustomDrawGrid::SetRowCount(int Value)
{
    ChangeSize(ColCount(), Value);
}

void TCustomDrawGrid::SetFixedCols(int Value)
{
    if (Value < 0)
        indexError();
    if (Value >= ColCount())
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than column count"));
    if (Value == m_cols.Fixed)
        return;
    m_cols.Fixed = Value;
    ClampState();
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomDrawGrid::SetFixedRows(int Value)
{
    if (Value < 0)
        indexError();
    if (Value >= RowCount())
        throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than row count"));
    if (Value == m_rows.Fixed)
        return;
    m_rows.Fixed = Value;
    ClampState();
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomDrawGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    NewColCount = std::max(1, NewColCount);
    NewRowCount = std::max(1, NewRowCount);
    const int oldCols = ColCount();
    const int oldRows = RowCount();
    if (NewColCount == oldCols && NewRowCount == oldRows)
        return;
    m_cols.SetCount(NewColCount);
    m_rows.SetCount(NewRowCount);
    ClampState();
    UpdateScrollRange();
    InvalidateGrid();
    SizeChanged(oldCols, oldRows);
    UpdateEdit();
}

void TCustomDrawGrid::ClampState()
{
    const auto clampCoord = [this](TGridCoord &c) {
        c.X = std::clamp(c.X, 0, ColCount() - 1);
        c.Y = std::clamp(c.Y, 0, RowCount() - 1);
    };
    clampCoord(m_current);
    clampCoord(m_anchor);
    m_topLeft.X = std::clamp(m_topLeft.X, FixedCols(), ColCount() - 1);
    m_topLeft.Y = std::clamp(m_topLeft.Y, FixedRows(), RowCount() - 1);
    if (m_inplaceCol >= ColCount() || m_inplaceRow >= RowCount())
        m_inplaceCol = m_inplaceRow = -1;
}

void TCustomDrawGrid::SetCol(int Value)
{
    if (Value != Col())
        FocusCell(Value, Row(), true);
}

void TCustomDrawGrid::SetRow(int Value)
{
    if (Value != Row())
        FocusCell(Col(), Value, true);
}

TGridRect TCustomDrawGrid::Selection() const
{
    TGridRect r { std::min(m_anchor.X, m_current.X), std::min(m_anchor.Y, m_current.Y),
                  std::max(m_anchor.X, m_current.X), std::max(m_anchor.Y, m_current.Y) };
    if (m_options & goRowSelect) {
        r.Left = FixedCols();
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomDrawGrid::SetSelection(const TGridRect &Value)
{
    const TGridRect oldSel = Selection();
    const TGridCoord oldCurrent = m_current;
    m_anchor = { std::clamp(Value.Left, 0, ColCount() - 1), std::clamp(Value.Top, 0, RowCount() - 1) };
    m_current = { std::clamp(Value.Right, 0, ColCount() - 1), std::clamp(Value.Bottom, 0, RowCount() - 1) };
    SelectionMoved(oldSel);
    if (m_current != oldCurrent) {
        if (!(m_options & goAlwaysShowEditor))
            HideEditor();
        UpdateEdit();
    }
}

void TCustomDrawGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    // The editor reloads even when the index stays: SelectCell may have removed the line that was there.
    if (MoveCurrent(ACol, ARow, MoveAnchor, true))
        InvalidateEditor();
    Click();
}

void TCustomDrawGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

bool TCustomDrawGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        indexError();
    if (!SelectCell(ACol, ARow))
        return false;
    // SelectCell may have changed the counts, the current cell or the selection: start from what is now.
    ACol = std::min(ACol, ColCount() - 1);
    ARow = std::min(ARow, RowCount() - 1);
    const TGridRect oldSel = Selection();
    const TGridCoord oldCurrent = m_current;
    m_current = { ACol, ARow };
    if (m_current != oldCurrent && !(m_options & goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !(m_options & goRangeSelect))
        m_anchor = m_current;
    SelectionMoved(oldSel);
    if (Show)
        ClampInView(m_current);
    UpdateEdit();
    return true;
}

void TCustomDrawGrid::SelectionMoved(const TGridRect &OldSel)
{
    const TGridRect newSel = Selection();
    if (OldSel == newSel) {
        InvalidateRange(newSel);
        return;
    }
    InvalidateRange(OldSel);
    InvalidateRange(newSel);
}

// ---------------------------------------------------------------------------------------------------------
// Sizes and look

void TCustomDrawGrid::SetDefaultColWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == m_cols.DefaultSize && m_cols.Sizes.empty())
        return;
    m_cols.DefaultSize = Value;
    m_cols.Sizes.clear();
    m_cols.Changed();
    ColWidthsChanged();
}

void TCustomDrawGrid::SetDefaultRowHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == m_rows.DefaultSize && m_rows.Sizes.empty())
        return;
    m_rows.DefaultSize = Value;
    m_rows.Sizes.clear();
    m_rows.Changed();
    RowHeightsChanged();
}

void TCustomDrawGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= ColCount())
        indexError();
    Value = std::max(0, Value);
    if (Value == ColWidths(Index))
        return;
    m_cols.SetSize(Index, Value);
    ColWidthsChanged();
}

void TCustomDrawGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= RowCount())
        indexError();
    Value = std::max(0, Value);
    if (Value == RowHeights(Index))
        return;
    m_rows.SetSize(Index, Value);
    RowHeightsChanged();
}

void TCustomDrawGrid::SetGridLineWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == m_gridLineWidth)
        return;
    m_gridLineWidth = Value;
    UpdateLineWidths();
}

void TCustomDrawGrid::UpdateLineWidths()
{
    // A line keeps its place (filled with the cell colour) where only the fixed or only the other cells
    // draw it, so that the columns of both stay aligned.
    const int cols = (m_options & (goVertLine | goFixedVertLine)) ? m_gridLineWidth : 0;
    const int rows = (m_options & (goHorzLine | goFixedHorzLine)) ? m_gridLineWidth : 0;
    if (cols != m_cols.LineWidth || rows != m_rows.LineWidth) {
        m_cols.LineWidth = cols;
        m_rows.LineWidth = rows;
        m_cols.Changed();
        m_rows.Changed();
        UpdateScrollRange();
        UpdateEdit();
    }
    InvalidateGrid();
}

void TCustomDrawGrid::SetOptions(TGridOptions Value)
{
    if (Value == m_options)
        return;
    const TGridOptions old = std::exchange(m_options, Value);
    horizontalScrollBar()->setTracking(Value.testFlag(goThumbTracking));
    verticalScrollBar()->setTracking(Value.testFlag(goThumbTracking));
    UpdateLineWidths();
    const TGridOptions alwaysEditing = goEditing | goAlwaysShowEditor;
    if (!(Value & goEditing) || (Value & goRowSelect)) {
        HideEditor();
    } else if ((Value & alwaysEditing) == alwaysEditing && (old & alwaysEditing) != alwaysEditing
               && GridHasFocus()) {
        ShowEditor();
    } else {
        UpdateEdit();
    }
    InvalidateGrid();
}

void TCustomDrawGrid::SetColor(TColor Value)
{
    if (Value == m_color)
        return;
    m_color = Value;
    InvalidateGrid();
}

void TCustomDrawGrid::SetFixedColor(TColor Value)
{
    if (Value == m_fixedColor)
        return;
    m_fixedColor = Value;
    InvalidateGrid();
}

void TCustomDrawGrid::SetDefaultDrawing(bool Value)
{
    if (Value == m_defaultDrawing)
        return;
    m_defaultDrawing = Value;
    InvalidateGrid();
}

void TCustomDrawGrid::SetScrollBars(TScrollStyle Value)
{
    m_scrollBars = Value;
    const bool horz = Value == ssHorizontal || Value == ssBoth;
    const bool vert = Value == ssVertical || Value == ssBoth;
    setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// ---------------------------------------------------------------------------------------------------------
// Geometry

void TCustomDrawGrid::CalcAxis(const Axis &axis, int firstCell, int extent, TGridAxisDrawInfo &info) const
{
    info.EffectiveLineWidth = axis.LineWidth;
    info.FixedCellCount = axis.Fixed;
    info.FirstGridCell = firstCell;
    info.GridCellCount = axis.Count;
    info.GridExtent = extent;
    const qint64 fixedBoundary = axis.Start(axis.Fixed);
    info.FixedBoundary = int(std::min<qint64>(fixedBoundary, INT_MAX));
    // Logical position of a scrollable line i is Start(i) - origin.
    const qint64 origin = axis.Start(firstCell) - fixedBoundary;
    const int lastVisible = std::min(axis.Count - 1, axis.LastStartAtOrBefore(origin + extent - 1));
    const qint64 gridEnd = lastVisible >= firstCell ? axis.Start(lastVisible + 1) - origin : fixedBoundary;
    info.GridBoundary = clampInt(gridEnd, 0, extent);
    // Cell i is whole on screen when Start(i) + Size(i) - origin <= extent, that is
    // Start(i + 1) <= extent + origin + line width.
    int lastFull = std::min(axis.Count, axis.LastStartAtOrBefore(origin + extent + axis.LineWidth)) - 1;
    lastFull = std::max(lastFull, firstCell - 1);
    info.LastFullVisibleCell = lastFull;
    info.FullVisBoundary
        = clampInt(lastFull >= firstCell ? axis.Start(lastFull + 1) - origin : fixedBoundary, 0, INT_MAX);
}

void TCustomDrawGrid::CalcDrawInfo(TGridDrawInfo &DrawInfo) const
{
    CalcAxis(m_cols, LeftCol(), viewport()->width(), DrawInfo.Horz);
    CalcAxis(m_rows, TopRow(), viewport()->height(), DrawInfo.Vert);
}

int TCustomDrawGrid::VisibleColCount() const
{
    TGridAxisDrawInfo info;
    CalcAxis(m_cols, LeftCol(), viewport()->width(), info);
    return std::max(0, info.LastFullVisibleCell - LeftCol() + 1);
}

int TCustomDrawGrid::VisibleRowCount() const
{
    TGridAxisDrawInfo info;
    CalcAxis(m_rows, TopRow(), viewport()->height(), info);
    return std::max(0, info.LastFullVisibleCell - TopRow() + 1);
}

int TCustomDrawGrid::LinePos(const Axis &axis, int Index, int First) const
{
    if (Index < 0 || Index >= axis.Count)
        return -1;
    if (Index < axis.Fixed)
        return int(axis.Start(Index));
    if (Index < First)
        return -1;
    return clampInt(axis.Start(axis.Fixed) + axis.Start(Index) - axis.Start(First), 0, INT_MAX);
}

int TCustomDrawGrid::CellAt(const Axis &axis, int First, int Extent, int Pos) const
{
    if (Pos < 0 || Pos >= Extent)
        return -1;
    const qint64 fixedBoundary = axis.Start(axis.Fixed);
    // A point on a grid line belongs to the cell before the line.
    if (Pos < fixedBoundary)
        return axis.LastStartAtOrBefore(Pos);
    const int index = axis.LastStartAtOrBefore(Pos - fixedBoundary + axis.Start(First));
    return index >= axis.Count ? -1 : index;
}

int TCustomDrawGrid::MaxTopLeft(const Axis &axis, int Extent) const
{
    // The first line from which all remaining lines fit after the fixed ones.
    const qint64 room = Extent - axis.Start(axis.Fixed);
    const qint64 end = axis.Start(axis.Count) - axis.LineWidth;
    return std::clamp(axis.FirstStartAtOrAfter(end - room), axis.Fixed, axis.Count - 1);
}

int TCustomDrawGrid::FirstForLast(const Axis &axis, int Last, int Extent) const
{
    const qint64 room = Extent - axis.Start(axis.Fixed);
    const qint64 end = axis.Start(Last) + axis.Size(Last);
    return std::clamp(axis.FirstStartAtOrAfter(end - room), axis.Fixed, std::max(axis.Fixed, Last));
}

int TCustomDrawGrid::LogicalX(int X) const
{
    return IsRightToLeft() ? viewport()->width() - 1 - X : X;
}

QRect TCustomDrawGrid::Mirrored(const QRect &logical) const
{
    if (!IsRightToLeft())
        return logical;
    return QRect(viewport()->width() - logical.x() - logical.width(), logical.y(), logical.width(),
                 logical.height());
}

TGridCoord TCustomDrawGrid::MouseCoord(int X, int Y) const
{
    return { CellAt(m_cols, LeftCol(), viewport()->width(), LogicalX(X)),
             CellAt(m_rows, TopRow(), viewport()->height(), Y) };
}

void TCustomDrawGrid::MouseToCell(int X, int Y, int &ACol, int &ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

QRect TCustomDrawGrid::CellRect(int ACol, int ARow) const
{
    const int x = LinePos(m_cols, ACol, LeftCol());
    const int y = LinePos(m_rows, ARow, TopRow());
    if (x < 0 || y < 0 || x >= viewport()->width() || y >= viewport()->height())
        return QRect();
    return Mirrored(QRect(x, y, ColWidths(ACol), RowHeights(ARow)));
}

QRect TCustomDrawGrid::BoxRect(const TGridRect &Range) const
{
    // The visible lines of a range along one axis: its part among the fixed lines and its part among the
    // scrolled ones, which lie next to each other on screen.
    const auto span = [this](const Axis &axis, int first, int extent, int low, int high, int &from, int &to) {
        TGridAxisDrawInfo info;
        CalcAxis(axis, first, extent, info);
        const int lastVisible = axis.LastStartAtOrBefore(axis.Start(first) - info.FixedBoundary + extent - 1);
        from = -1;
        to = -1;
        const int fixedLow = std::max(low, 0);
        const int fixedHigh = std::min(high, axis.Fixed - 1);
        if (fixedLow <= fixedHigh) {
            from = fixedLow;
            to = fixedHigh;
        }
        const int scrollLow = std::max(low, first);
        const int scrollHigh = std::min({ high, lastVisible, axis.Count - 1 });
        if (scrollLow <= scrollHigh) {
            if (from < 0)
                from = scrollLow;
            to = scrollHigh;
        }
        return from >= 0;
    };
    int c0, c1, r0, r1;
    if (!span(m_cols, LeftCol(), viewport()->width(), Range.Left, Range.Right, c0, c1)
        || !span(m_rows, TopRow(), viewport()->height(), Range.Top, Range.Bottom, r0, r1))
        return QRect();
    const int x0 = LinePos(m_cols, c0, LeftCol());
    const int x1 = LinePos(m_cols, c1, LeftCol()) + ColWidths(c1) + m_cols.LineWidth;
    const int y0 = LinePos(m_rows, r0, TopRow());
    const int y1 = LinePos(m_rows, r1, TopRow()) + RowHeights(r1) + m_rows.LineWidth;
    const QRect logical
        = QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)) & QRect(QPoint(0, 0), viewport()->size());
    return Mirrored(logical);
}

// ---------------------------------------------------------------------------------------------------------
// Repainting

void TCustomDrawGrid::InvalidateRange(const TGridRect &Range)
{
    if (m_wholeGridDirty)
        return;
    const QRect r = BoxRect(Range);
    if (!r.isEmpty())
        viewport()->update(r);
}

void TCustomDrawGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRange({ ACol, ARow, ACol, ARow });
}

void TCustomDrawGrid::InvalidateRow(int ARow)
{
    InvalidateRange({ 0, ARow, ColCount() - 1, ARow });
}

void TCustomDrawGrid::InvalidateCol(int ACol)
{
    InvalidateRange({ ACol, 0, ACol, RowCount() - 1 });
}

void TCustomDrawGrid::InvalidateGrid()
{
    // A batch of row changes asks for the whole grid once per row; the first request is the one that counts
    // until the paint. A hidden viewport or one with updates off drops requests, and repaints in full when
    // it comes back, so nothing is remembered for it.
    if (m_wholeGridDirty)
        return;
    viewport()->update();
    m_wholeGridDirty = viewport()->isVisible() && viewport()->updatesEnabled();
}

// ---------------------------------------------------------------------------------------------------------
// Scrolling

void TCustomDrawGrid::SetTopRow(int Value)
{
    MoveTopLeft(LeftCol(), Value);
}

void TCustomDrawGrid::SetLeftCol(int Value)
{
    MoveTopLeft(Value, TopRow());
}

void TCustomDrawGrid::MoveTopLeft(int ALeft, int ATop)
{
    ALeft = std::clamp(ALeft, FixedCols(), MaxTopLeft(m_cols, viewport()->width()));
    ATop = std::clamp(ATop, FixedRows(), MaxTopLeft(m_rows, viewport()->height()));
    if (ALeft == m_topLeft.X && ATop == m_topLeft.Y) {
        // The bars' values always follow at once; while their ranges wait, values already right stay.
        if (!m_scrollRangePending || horizontalScrollBar()->value() != ALeft
            || verticalScrollBar()->value() != ATop)
            SyncScrollBars();
        return;
    }
    m_topLeft = { ALeft, ATop };
    SyncScrollBars();
    UpdateEdit();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomDrawGrid::ClampInView(const TGridCoord &Coord)
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    int left = LeftCol();
    int top = TopRow();
    if (Coord.X >= FixedCols()) {
        if (Coord.X < left)
            left = Coord.X;
        else if (Coord.X > info.Horz.LastFullVisibleCell)
            left = FirstForLast(m_cols, Coord.X, info.Horz.GridExtent);
    }
    if (Coord.Y >= FixedRows()) {
        if (Coord.Y < top)
            top = Coord.Y;
        else if (Coord.Y > info.Vert.LastFullVisibleCell)
            top = FirstForLast(m_rows, Coord.Y, info.Vert.GridExtent);
    }
    MoveTopLeft(left, top);
}

void TCustomDrawGrid::SyncScrollBars()
{
    if (m_scrollRangePending) {
        flushScrollRange(); // sets the ranges, then (through MoveTopLeft) the values
        return;
    }
    const bool was = std::exchange(m_syncingScrollBars, true);
    horizontalScrollBar()->setValue(LeftCol());
    verticalScrollBar()->setValue(TopRow());
    m_syncingScrollBars = was;
}

void TCustomDrawGrid::UpdateScrollRange()
{
    // Every new range makes the scroll area post itself an event (to show or hide the bar), so lines
    // added one at a time would post one each: the ranges are set once, on the next turn of the event
    // loop or before the bars next move, whichever comes first. The top-left cell is clamped at once.
    if (!m_scrollRangePending) {
        m_scrollRangePending = true;
        QMetaObject::invokeMethod(
            this, [this] { Guarded([this] { flushScrollRange(); }); }, Qt::QueuedConnection);
    }
    MoveTopLeft(LeftCol(), TopRow());
}

void TCustomDrawGrid::flushScrollRange()
{
    if (!std::exchange(m_scrollRangePending, false))
        return;
    // Scroll bars count lines: their value is LeftCol or TopRow. Setting a range may show or hide a bar,
    // which resizes the viewport and comes back here; the flag keeps those value changes from scrolling.
    const bool was = std::exchange(m_syncingScrollBars, true);
    QScrollBar *horz = horizontalScrollBar();
    QScrollBar *vert = verticalScrollBar();
    horz->setRange(FixedCols(), MaxTopLeft(m_cols, viewport()->width()));
    vert->setRange(FixedRows(), MaxTopLeft(m_rows, viewport()->height()));
    horz->setPageStep(std::max(1, VisibleColCount()));
    vert->setPageStep(std::max(1, VisibleRowCount()));
    m_syncingScrollBars = was;
    MoveTopLeft(LeftCol(), TopRow());
}

void TCustomDrawGrid::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    if (m_syncingScrollBars)
        return;
    // Reached from the scroll bars' signals, outside any event of ours.
    Guarded([this] { MoveTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value()); });
}

// ---------------------------------------------------------------------------------------------------------
// Lines

void TCustomDrawGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        indexError();
    m_rows.Remove(ARow);
    if (m_current.Y > ARow)
        --m_current.Y;
    if (m_anchor.Y > ARow)
        --m_anchor.Y;
    if (m_topLeft.Y > ARow && m_topLeft.Y > FixedRows())
        --m_topLeft.Y;
    // The editor's row now shows another line's text.
    if (m_inplaceRow >= ARow)
        m_inplaceRow = m_inplaceCol = -1;
    if (RowCount() > 1) {
        ChangeSize(ColCount(), RowCount() - 1);
    } else {
        RowHeightsChanged();
        UpdateEdit();
    }
    InvalidateGrid();
}

void TCustomDrawGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        indexError();
    m_cols.Remove(ACol);
    if (m_current.X > ACol)
        --m_current.X;
    if (m_anchor.X > ACol)
        --m_anchor.X;
    if (m_topLeft.X > ACol && m_topLeft.X > FixedCols())
        --m_topLeft.X;
    if (m_inplaceCol >= ACol)
        m_inplaceRow = m_inplaceCol = -1;
    if (ColCount() > 1) {
        ChangeSize(ColCount() - 1, RowCount());
    } else {
        ColWidthsChanged();
        UpdateEdit();
    }
    InvalidateGrid();
}

void TCustomDrawGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount())
        indexError();
    if (FromIndex == ToIndex)
        return;
    m_rows.Move(FromIndex, ToIndex);
    m_current.Y = movedIndex(m_current.Y, FromIndex, ToIndex);
    m_anchor.Y = movedIndex(m_anchor.Y, FromIndex, ToIndex);
    if (m_inplaceRow >= std::min(FromIndex, ToIndex) && m_inplaceRow <= std::max(FromIndex, ToIndex))
        m_inplaceRow = m_inplaceCol = -1;
    UpdateScrollRange();
    InvalidateGrid();
    RowMoved(FromIndex, ToIndex);
    UpdateEdit();
}

void TCustomDrawGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount())
        indexError();
    if (FromIndex == ToIndex)
        return;
    m_cols.Move(FromIndex, ToIndex);
    m_current.X = movedIndex(m_current.X, FromIndex, ToIndex);
    m_anchor.X = movedIndex(m_anchor.X, FromIndex, ToIndex);
    if (m_inplaceCol >= std::min(FromIndex, ToIndex) && m_inplaceCol <= std::max(FromIndex, ToIndex))
        m_inplaceRow = m_inplaceCol = -1;
    UpdateScrollRange();
    InvalidateGrid();
    ColumnMoved(FromIndex, ToIndex);
    UpdateEdit();
}

// ---------------------------------------------------------------------------------------------------------
// Overridable operations

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

TInplaceEdit *TCustomDrawGrid::CreateEditor()
{
    return Create<TInplaceEdit>(this);
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

QString TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

int TCustomDrawGrid::GetEditLimit()
{
    return 0;
}

bool TCustomDrawGrid::CanEditModify()
{
    return bool(m_options & goEditing);
}

bool TCustomDrawGrid::CanEditShow()
{
    return (m_options & goEditing) && !(m_options & goRowSelect) && Col() >= FixedCols()
        && Row() >= FixedRows() && isEnabled() && isVisible();
}

void TCustomDrawGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    Q_UNUSED(OldColCount);
    Q_UNUSED(OldRowCount);
}

void TCustomDrawGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomDrawGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomDrawGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                      int &SizingOfs)
{
    State = gsNormal;
    Index = -1;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    // Walks the visible lines of one axis (the fixed ones, then the scrolled ones) and tests the band
    // around the grid line after each cell.
    const auto hit = [&](const Axis &axis, const TGridAxisDrawInfo &ai, int pos) {
        const int lineWidth = ai.EffectiveLineWidth;
        const int bandStart = lineWidth >= minSizingBand ? 0 : -(minSizingBand - lineWidth) / 2;
        const int bandWidth = std::max(lineWidth, minSizingBand);
        const auto test = [&](int i) {
            const int line = LinePos(axis, i, ai.FirstGridCell) + axis.Size(i);
            if (pos >= line + bandStart && pos < line + bandStart + bandWidth) {
                Index = i;
                SizingPos = line;
                SizingOfs = pos - line;
                return true;
            }
            return false;
        };
        for (int i = 0; i < axis.Fixed; ++i)
            if (test(i))
                return true;
        for (int i = ai.FirstGridCell; i < axis.Count && LinePos(axis, i, ai.FirstGridCell) < ai.GridExtent;
             ++i)
            if (test(i))
                return true;
        return false;
    };
    const int x = LogicalX(X);
    if ((m_options & goColSizing) && Y >= 0 && Y < info.Vert.FixedBoundary && hit(m_cols, info.Horz, x))
        State = gsColSizing;
    else if ((m_options & goRowSizing) && x >= 0 && x < info.Horz.FixedBoundary && hit(m_rows, info.Vert, Y))
        State = gsRowSizing;
}

void TCustomDrawGrid::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TCustomDrawGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomDrawGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TCustomDrawGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
    if ((m_options & goEditing) && (m_options & goAlwaysShowEditor))
        ShowEditor();
}

void TCustomDrawGrid::DoExit()
{
    if (!(m_options & goAlwaysShowEditor))
        HideEditor();
    if (OnExit)
        OnExit(this);
}

void TCustomDrawGrid::Resize()
{ }

// ---------------------------------------------------------------------------------------------------------
// The in-place editor

void TCustomDrawGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomDrawGrid::ShowEditor()
{
    m_editorMode = true;
    UpdateEdit();
}

void TCustomDrawGrid::HideEditor()
{
    m_editorMode = false;
    HideEdit();
    // Shown again, the editor reloads: the cell's text may have changed meanwhile.
    m_inplaceCol = m_inplaceRow = -1;
}

void TCustomDrawGrid::InvalidateEditor()
{
    m_inplaceCol = m_inplaceRow = -1;
    UpdateEdit();
}

void TCustomDrawGrid::UpdateEdit()
{
    if (!m_editorMode)
        return;
    if (!CanEditShow()) {
        HideEdit();
        return;
    }
    if (!m_inplaceEdit) {
        m_inplaceEdit = CreateEditor();
        if (!m_inplaceEdit)
            return;
        if (m_inplaceEdit->parentWidget() != viewport())
            m_inplaceEdit->setParent(viewport());
    }
    if (m_inplaceCol != Col() || m_inplaceRow != Row()) {
        m_inplaceCol = Col();
        m_inplaceRow = Row();
        m_inplaceEdit->UpdateContents();
        m_inplaceEdit->selectAll();
    }
    const QRect r = CellRect(Col(), Row());
    if (r.isEmpty()) {
        // Scrolled out of view: the editor keeps its contents and comes back with the cell.
        HideEdit();
        return;
    }
    const bool hadFocus = hasFocus();
    m_inplaceEdit->Move(r);
    if (hadFocus)
        m_inplaceEdit->SetFocus();
}

void TCustomDrawGrid::HideEdit()
{
    if (m_inplaceEdit && !m_inplaceEdit->isHidden())
        m_inplaceEdit->Hide();
}

void TCustomDrawGrid::ResetEditorText()
{
    // What the user typed has reached SetEditText already; putting the loaded text back must reach it too.
    if (m_inplaceEdit && m_inplaceEdit->Modified()) {
        m_inplaceEdit->Reset();
        SetEditText(Col(), Row(), m_inplaceEdit->Text());
        m_inplaceEdit->selectAll();
    }
}

bool TCustomDrawGrid::GridHasFocus() const
{
    return hasFocus() || (m_inplaceEdit && m_inplaceEdit->hasFocus());
}

void TCustomDrawGrid::EditorFocusChanged(bool In, Qt::FocusReason Reason)
{
    InvalidateCell(Col(), Row());
    if (In) {
        if (!m_hadFocus) {
            m_hadFocus = true;
            DoEnter();
        }
    } else {
        FocusLeaving(Reason);
    }
}

void TCustomDrawGrid::FocusLeaving(Qt::FocusReason Reason)
{
    // The focus moving between the grid and its editor, or the window losing activation, is no exit.
    if (Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason)
        return;
    const QWidget *now = QApplication::focusWidget();
    if (now && (now == this || isAncestorOf(now)))
        return;
    if (!std::exchange(m_hadFocus, false))
        return;
    DoExit();
}

// ---------------------------------------------------------------------------------------------------------
// Keys

bool TCustomDrawGrid::HandleKey(int Key, Qt::KeyboardModifiers Shift)
{
    KeyDown(Key, Shift);
    if (Key == 0)
        return true;
    if (Shift & Qt::AltModifier)
        return false;
    return HandleEditKey(Key) || HandleNavigationKey(Key, Shift);
}

bool TCustomDrawGrid::HandleEditKey(int Key)
{
    const bool alwaysShow = m_options & goAlwaysShowEditor;
    switch (Key) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(m_options & goEditing) || alwaysShow)
            return false;
        SetEditorMode(!m_editorMode);
        return true;
    case Qt::Key_Escape:
        if (!m_editorMode)
            return false;
        ResetEditorText();
        if (!alwaysShow)
            HideEditor();
        return true;
    default:
        return false;
    }
}

bool TCustomDrawGrid::HandleNavigationKey(int Key, Qt::KeyboardModifiers Shift)
{
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool shift = Shift & Qt::ShiftModifier;
    const bool rowSelect = m_options & goRowSelect;
    if (IsRightToLeft()) {
        if (Key == Qt::Key_Left)
            Key = Qt::Key_Right;
        else if (Key == Qt::Key_Right)
            Key = Qt::Key_Left;
    }
    TGridCoord target = m_current;
    bool moveAnchor = !(shift && (m_options & goRangeSelect));
    const int page = std::max(1, VisibleRowCount());
    switch (Key) {
    case Qt::Key_Up:
        --target.Y;
        break;
    case Qt::Key_Down:
        ++target.Y;
        break;
    case Qt::Key_Left:
        if (rowSelect) {
            MoveTopLeft(LeftCol() - 1, TopRow());
            return true;
        }
        --target.X;
        break;
    case Qt::Key_Right:
        if (rowSelect) {
            MoveTopLeft(LeftCol() + 1, TopRow());
            return true;
        }
        ++target.X;
        break;
    case Qt::Key_PageUp:
        MoveTopLeft(LeftCol(), TopRow() - page);
        target.Y -= page;
        break;
    case Qt::Key_PageDown:
        MoveTopLeft(LeftCol(), TopRow() + page);
        target.Y += page;
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect)
            target.Y = FixedRows();
        if (!rowSelect)
            target.X = FixedCols();
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect)
            target.Y = RowCount() - 1;
        if (!rowSelect)
            target.X = ColCount() - 1;
        break;
    case Qt::Key_Tab:
        if (!(m_options & goTabs))
            return false;
        moveAnchor = true;
        if (rowSelect) {
            target.Y += shift ? -1 : 1;
        } else if (!shift) {
            if (++target.X >= ColCount()) {
                target.X = FixedCols();
                ++target.Y;
            }
        } else if (--target.X < FixedCols()) {
            target.X = ColCount() - 1;
            --target.Y;
        }
        // Tab stops at the first and the last cell.
        if (target.Y < FixedRows() || target.Y >= RowCount())
            return true;
        break;
    default:
        return false;
    }
    MoveFocusTo(target, moveAnchor);
    return true;
}

void TCustomDrawGrid::MoveFocusTo(TGridCoord Target, bool MoveAnchor)
{
    Target.X = std::clamp(Target.X, FixedCols(), ColCount() - 1);
    Target.Y = std::clamp(Target.Y, FixedRows(), RowCount() - 1);
    if (Target != m_current)
        FocusCell(Target.X, Target.Y, MoveAnchor);
    else
        ClampInView(m_current);
}

void TCustomDrawGrid::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, event->modifiers() & ~Qt::KeypadModifier);
    if (key == 0)
        event->accept();
    else
        TGuarded<QAbstractScrollArea>::keyReleaseEvent(event);
}

void TCustomDrawGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    if (HandleKey(key, mods)) {
        event->accept();
        return;
    }
    if (OnKeyPress && !event->text().isEmpty()) {
        QChar typed = event->text().at(0);
        OnKeyPress(this, typed);
        if (typed.isNull()) {
            event->accept();
            return;
        }
    }
    // Typing a character in a cell starts editing it: the character replaces the cell's text. Keys that the
    // editor itself ignored (it is showing then) end here too, and go no further.
    const QString text = event->text();
    const bool visibleEditor = m_inplaceEdit && m_inplaceEdit->isVisible();
    if ((m_options & goEditing) && !visibleEditor && !text.isEmpty() && text.at(0).isPrint()
        && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && CanEditShow()) {
        ShowEditor();
        if (m_inplaceEdit && m_inplaceEdit->isVisible()) {
            m_inplaceEdit->SetFocus();
            m_inplaceEdit->selectAll();
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                           event->isAutoRepeat(), ushort(event->count()));
            QCoreApplication::sendEvent(m_inplaceEdit.data(), &copy);
            event->accept();
            return;
        }
    }
    event->ignore();
}

bool TCustomDrawGrid::focusNextPrevChild(bool next)
{
    // With goTabs, Tab moves between cells; the editor's Tab arrives here through its parents too.
    if (m_options & goTabs)
        return false;
    return TGuarded<QAbstractScrollArea>::focusNextPrevChild(next);
}

// ---------------------------------------------------------------------------------------------------------
// Mouse

void TCustomDrawGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    if (!GridHasFocus() && isEnabled() && (focusPolicy() & Qt::ClickFocus))
        setFocus(Qt::MouseFocusReason);

    TGridState sizing = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, sizing, index, pos, ofs);
    if (sizing != gsNormal) {
        m_gridState = sizing;
        m_sizingIndex = index;
        m_sizingPos = pos;
        m_sizingOfs = ofs;
        InvalidateGrid();
        return;
    }

    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    if ((m_options & goRowMoving) && cell.X < FixedCols() && cell.Y >= FixedRows()) {
        m_gridState = gsRowMoving;
        m_moveIndex = m_movePos = cell.Y;
        return;
    }
    if ((m_options & goColMoving) && cell.Y < FixedRows() && cell.X >= FixedCols()) {
        m_gridState = gsColMoving;
        m_moveIndex = m_movePos = cell.X;
        return;
    }
    if (cell.X < FixedCols() || cell.Y < FixedRows())
        return;

    const bool extend = (Shift & Qt::ShiftModifier) && (m_options & goRangeSelect);
    if (cell == m_current && !extend && (m_options & goEditing) && !DoubleClicking()) {
        // A press on the current cell starts editing it.
        ShowEditor();
        return;
    }
    m_gridState = gsSelecting;
    m_clickPending = true;
    MoveColRow(cell.X, cell.Y, !extend, true);
}

void TCustomDrawGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    Q_UNUSED(Shift);
    switch (m_gridState) {
    case gsSelecting: {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        // Beyond an edge of the viewport the selection reaches for the next line there, which scrolls.
        const int x = LogicalX(X);
        const int px = std::clamp(x, 0, std::max(0, info.Horz.GridBoundary - 1));
        const int py = std::clamp(Y, 0, std::max(0, info.Vert.GridBoundary - 1));
        TGridCoord cell { CellAt(m_cols, LeftCol(), viewport()->width(), px),
                          CellAt(m_rows, TopRow(), viewport()->height(), py) };
        if (cell.X < 0 || cell.Y < 0)
            return;
        if (x >= info.Horz.GridExtent && cell.X < ColCount() - 1)
            ++cell.X;
        else if (x < info.Horz.FixedBoundary)
            cell.X = std::max(FixedCols(), LeftCol() - 1);
        if (Y >= info.Vert.GridExtent && cell.Y < RowCount() - 1)
            ++cell.Y;
        else if (Y < info.Vert.FixedBoundary)
            cell.Y = std::max(FixedRows(), TopRow() - 1);
        cell.X = std::max(cell.X, FixedCols());
        cell.Y = std::max(cell.Y, FixedRows());
        if (cell != m_current)
            MoveColRow(cell.X, cell.Y, !(m_options & goRangeSelect), true);
        break;
    }
    case gsColSizing:
        m_sizingPos = LogicalX(X) - m_sizingOfs;
        InvalidateGrid();
        break;
    case gsRowSizing:
        m_sizingPos = Y - m_sizingOfs;
        InvalidateGrid();
        break;
    case gsRowMoving:
    case gsColMoving: {
        const TGridCoord cell = MouseCoord(X, Y);
        const bool rows = m_gridState == gsRowMoving;
        const int target = rows ? cell.Y : cell.X;
        if (target >= (rows ? FixedRows() : FixedCols()) && target != m_movePos) {
            m_movePos = target;
            InvalidateGrid();
        }
        break;
    }
    case gsNormal: {
        TGridState sizing = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, sizing, index, pos, ofs);
        if (sizing == gsColSizing) {
            viewport()->setCursor(Qt::SplitHCursor);
            m_sizingCursor = true;
        } else if (sizing == gsRowSizing) {
            viewport()->setCursor(Qt::SplitVCursor);
            m_sizingCursor = true;
        } else if (std::exchange(m_sizingCursor, false)) {
            viewport()->unsetCursor();
        }
        break;
    }
    }
}

void TCustomDrawGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button != Qt::LeftButton)
        return;
    const TGridState state = std::exchange(m_gridState, gsNormal);
    switch (state) {
    case gsColSizing: {
        const int start = LinePos(m_cols, m_sizingIndex, LeftCol());
        if (start >= 0)
            SetColWidths(m_sizingIndex, m_sizingPos - start);
        InvalidateGrid();
        break;
    }
    case gsRowSizing: {
        const int start = LinePos(m_rows, m_sizingIndex, TopRow());
        if (start >= 0)
            SetRowHeights(m_sizingIndex, m_sizingPos - start);
        InvalidateGrid();
        break;
    }
    case gsRowMoving:
        InvalidateGrid();
        if (m_movePos >= 0 && m_movePos != m_moveIndex)
            MoveRow(m_moveIndex, m_movePos);
        break;
    case gsColMoving:
        InvalidateGrid();
        if (m_movePos >= 0 && m_movePos != m_moveIndex)
            MoveColumn(m_moveIndex, m_movePos);
        break;
    case gsSelecting:
        if (std::exchange(m_clickPending, false))
            Click();
        break;
    case gsNormal:
        break;
    }
}

void TCustomDrawGrid::mousePressEvent(QMouseEvent *event)
{
    m_doubleClicking = false;
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomDrawGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    {
        const QScopedValueRollback<bool> doubleClicking(m_doubleClicking, true);
        MouseDown(event->button(), event->modifiers(), p.x(), p.y());
    }
    if (event->button() == Qt::LeftButton)
        DblClick();
}

void TCustomDrawGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), p.x(), p.y());
    MouseMove(event->modifiers(), p.x(), p.y());
}

void TCustomDrawGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
    MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomDrawGrid::wheelEvent(QWheelEvent *event)
{
    // Each turn goes to the handler of its direction; a handler that takes it keeps the grid still.
    const int delta = event->angleDelta().y();
    const TMouseWheelUpDownEvent &handler = delta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
    if (delta != 0 && handler) {
        bool handled = false;
        handler(this, event->modifiers(), event->position().toPoint(), handled);
        if (handled) {
            event->accept();
            return;
        }
    }
    TGuarded<QAbstractScrollArea>::wheelEvent(event);
}

// ---------------------------------------------------------------------------------------------------------
// Qt entry points

bool TCustomDrawGrid::viewportEvent(QEvent *event)
{
    bool result = true;
    Guarded([&] { result = GuardedViewportEvent(event); });
    return result;
}

bool TCustomDrawGrid::GuardedViewportEvent(QEvent *event)
{
    return TGuarded<QAbstractScrollArea>::viewportEvent(event);
}

bool TCustomDrawGrid::GuardedEvent(QEvent *event)
{
    // Mouse events of the scroll area itself (its frame and corner) are not in viewport coordinates;
    // the handlers above take those of the viewport only.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        event->ignore();
        return false;
    default:
        return TGuarded<QAbstractScrollArea>::GuardedEvent(event);
    }
}

void TCustomDrawGrid::resizeEvent(QResizeEvent *event)
{
    TGuarded<QAbstractScrollArea>::resizeEvent(event);
    UpdateScrollRange();
    UpdateEdit();
    Resize();
}

void TCustomDrawGrid::focusInEvent(QFocusEvent *event)
{
    TGuarded<QAbstractScrollArea>::focusInEvent(event);
    InvalidateCell(Col(), Row());
    if (!m_hadFocus) {
        m_hadFocus = true;
        DoEnter();
    }
    if (m_editorMode)
        UpdateEdit();
}

void TCustomDrawGrid::focusOutEvent(QFocusEvent *event)
{
    TGuarded<QAbstractScrollArea>::focusOutEvent(event);
    InvalidateCell(Col(), Row());
    FocusLeaving(event->reason());
}

void TCustomDrawGrid::changeEvent(QEvent *event)
{
    TGuarded<QAbstractScrollArea>::changeEvent(event);
    switch (event->type()) {
    case QEvent::LayoutDirectionChange:
    case QEvent::EnabledChange:
        UpdateEdit();
        if (!isEnabled())
            HideEdit();
        InvalidateGrid();
        break;
    case QEvent::ActivationChange:
        InvalidateCell(Col(), Row());
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        InvalidateGrid();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------------------
// Painting

QColor TCustomDrawGrid::SystemColor(TColor Value) const
{
    const QColor color = ColorToQColor(Value, palette());
    return color.isValid() ? color : palette().color(QPalette::Base);
}

void TCustomDrawGrid::paintEvent(QPaintEvent *event)
{
    m_wholeGridDirty = false;
    QPainter painter(viewport());
    const ScopedPointerValue canvas(m_canvas, &painter);
    PaintCells(painter, event->rect());
}

void TCustomDrawGrid::PaintCells(QPainter &painter, const QRect &clip)
{
    TGridPaintInfo info;
    CalcDrawInfo(info.Geometry);
    info.Background = SystemColor(m_color);
    info.FixedBackground = SystemColor(m_fixedColor);
    info.Highlight = SystemColor(clHighlight);
    info.Text = SystemColor(clWindowText);
    info.FixedText = SystemColor(clBtnText);
    info.HighlightText = SystemColor(clHighlightText);
    info.Line = SystemColor(lineColor);
    info.FixedLine = SystemColor(fixedLineColor);
    info.Selection = Selection();
    info.Focused = GridHasFocus();
    info.DrawFocusSelected = m_options & (goDrawFocusSelected | goRowSelect);

    // Whatever the cells leave uncovered (right of and below them) shows the grid's colour.
    painter.fillRect(clip, info.Background);

    // The visible lines of an axis with their logical positions: the fixed lines, then the scrolled ones
    // from the first shown up to the viewport's end. Only these are visited, whatever the counts.
    struct Line
    {
        int Index;
        int Pos;
        int Size;
    };
    const auto visibleLines = [](const Axis &axis, const TGridAxisDrawInfo &ai, int clipLow, int clipHigh) {
        QList<Line> lines;
        int pos = 0;
        for (int i = 0; i < axis.Fixed && pos < ai.GridExtent; ++i) {
            const int size = axis.Size(i);
            if (pos + size + axis.LineWidth > clipLow && pos <= clipHigh)
                lines.append({ i, pos, size });
            pos += size + axis.LineWidth;
        }
        pos = ai.FixedBoundary;
        for (int i = ai.FirstGridCell; i < axis.Count && pos < ai.GridExtent && pos <= clipHigh; ++i) {
            const int size = axis.Size(i);
            if (pos + size + axis.LineWidth > clipLow)
                lines.append({ i, pos, size });
            pos += size + axis.LineWidth;
        }
        return lines;
    };
    // The clip in logical columns: mirrored under right-to-left layout.
    const QRect logicalClip = Mirrored(clip);
    const QList<Line> cols
        = visibleLines(m_cols, info.Geometry.Horz, logicalClip.left(), logicalClip.right());
    const QList<Line> rows = visibleLines(m_rows, info.Geometry.Vert, clip.top(), clip.bottom());

    for (const Line &row : rows) {
        for (const Line &col : cols) {
            const QRect logical(col.Pos, row.Pos, col.Size, row.Size);
            if (const QRect cell = Mirrored(logical); !cell.isEmpty())
                PaintCell(painter, col.Index, row.Index, cell, info);
            PaintCellLines(painter, col.Index, row.Index, logical, info);
        }
    }
    PaintDragFeedback(painter, info);
}

void TCustomDrawGrid::PaintCell(QPainter &Painter, int ACol, int ARow, const QRect &Rect,
                                const TGridPaintInfo &Info)
{
    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    TGridDrawState state;
    bool highlighted = false;
    if (fixed) {
        state |= gdFixed;
    } else {
        if (Info.Selection.Contains(ACol, ARow))
            state |= gdSelected;
        if (ACol == m_current.X && ARow == m_current.Y && Info.Focused)
            state |= gdFocused;
        highlighted = (state & gdSelected) && (!(state & gdFocused) || Info.DrawFocusSelected);
    }
    {
        const PainterState saved(Painter);
        Painter.setClipRect(Rect);
        if (m_defaultDrawing)
            Painter.fillRect(Rect,
                             fixed             ? Info.FixedBackground
                                 : highlighted ? Info.Highlight
                                               : Info.Background);
        Painter.setFont(font());
        Painter.setPen(fixed ? Info.FixedText : highlighted ? Info.HighlightText : Info.Text);
        Painter.setBrush(Qt::NoBrush);
        DrawCell(ACol, ARow, Rect, state);
    }
    if (m_defaultDrawing && (state & gdFocused) && !(m_options & goRowSelect) && Rect.width() > 2
        && Rect.height() > 2) {
        const PainterState saved(Painter);
        Painter.setPen(QPen(Info.Text, 1, Qt::DotLine));
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(Rect.adjusted(0, 0, -1, -1));
    }
}

void TCustomDrawGrid::PaintCellLines(QPainter &Painter, int ACol, int ARow, const QRect &LogicalRect,
                                     const TGridPaintInfo &Info)
{
    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    const QColor cellColor = fixed ? Info.FixedBackground : Info.Background;
    const QColor ink = fixed ? Info.FixedLine : Info.Line;
    const int hLine = m_cols.LineWidth;
    const int vLine = m_rows.LineWidth;
    if (hLine > 0) {
        const bool drawn = fixed ? (m_options & goFixedVertLine) : (m_options & goVertLine);
        Painter.fillRect(
            Mirrored(QRect(LogicalRect.right() + 1, LogicalRect.top(), hLine, LogicalRect.height() + vLine)),
            drawn ? ink : cellColor);
    }
    if (vLine > 0) {
        const bool drawn = fixed ? (m_options & goFixedHorzLine) : (m_options & goHorzLine);
        Painter.fillRect(
            Mirrored(QRect(LogicalRect.left(), LogicalRect.bottom() + 1, LogicalRect.width(), vLine)),
            drawn ? ink : cellColor);
    }
}

void TCustomDrawGrid::PaintDragFeedback(QPainter &Painter, const TGridPaintInfo &Info)
{
    const int hLine = m_cols.LineWidth;
    const int vLine = m_rows.LineWidth;
    if (m_gridState == gsColSizing) {
        Painter.fillRect(Mirrored(QRect(m_sizingPos, 0, std::max(1, hLine), Info.Geometry.Vert.GridBoundary)),
                         Info.Text);
    } else if (m_gridState == gsRowSizing) {
        Painter.fillRect(QRect(0, m_sizingPos, Info.Geometry.Horz.GridBoundary, std::max(1, vLine)),
                         Info.Text);
    } else if (m_gridState == gsRowMoving && m_movePos >= 0) {
        const int y = LinePos(m_rows, m_movePos, TopRow());
        if (y >= 0)
            Painter.fillRect(
                QRect(0, m_movePos > m_moveIndex ? y + RowHeights(m_movePos) : y - 1, viewport()->width(), 2),
                Info.Highlight);
    } else if (m_gridState == gsColMoving && m_movePos >= 0) {
        const int x = LinePos(m_cols, m_movePos, LeftCol());
        if (x >= 0)
            Painter.fillRect(Mirrored(QRect(m_movePos > m_moveIndex ? x + ColWidths(m_movePos) : x - 1, 0, 2,
                                            viewport()->height())),
                             Info.Highlight);
    }
}

} // namespace QXPlatform
