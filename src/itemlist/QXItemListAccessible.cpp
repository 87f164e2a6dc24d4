// What assistive tools see of the item list editor when AccessibleTable is on: a table with one row per
// shown item and one column per value line (the names first), whose cells give the item's name, the
// cell's text, the current cell and the expanded state, and offer expanding, collapsing, the drop-down
// list and the ellipsis button as actions. The grid paints its cells itself, so without this a screen
// reader sees one blank scroll area.
//
// Cells are interfaces by position (row and column of the table): QAccessible keeps them in its cache
// for as long as the table interface lives, and a cell outside the table reads as invalid.
#include "QXCustomItemListEditor.h"
#include "QXInplaceEditList.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

using namespace QXPlatform;

namespace {

class TItemListAccessible;

class TItemCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface
{
public:
    TItemCellAccessible(TQXCustomItemListEditor *Grid, int Row, int Column)
        : m_grid(Grid)
        , m_row(Row)
        , m_column(Column)
    { }

    // Where the cell is on the grid (col, row), orientation taken into account.
    QPoint gridCell() const
    {
        const int fixed = m_grid->GetGridCount(gcFixedItemLines);
        return m_grid->Orientation() == TQXCustomItemListEditor::goVertical ? QPoint(m_column, m_row + fixed)
                                                                            : QPoint(m_row + fixed, m_column);
    }
    TQXItemProp *item() const { return isValid() ? m_grid->GetVisibleItem(m_row) : nullptr; }

    bool isValid() const override
    {
        return m_grid && m_row >= 0 && m_row < m_grid->GetVisibleItemCount() && m_column >= 0
            && m_column < m_grid->GetGridCount(gcValueLineCount);
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        TQXItemProp *row = item();
        if (!row)
            return QString();
        switch (t) {
        case QAccessible::Name:
            return row->Name();
        case QAccessible::Value: {
            const QPoint cell = gridCell();
            return m_grid->GetCell(cell.x(), cell.y());
        }
        case QAccessible::Description:
            return row->Hint();
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QPoint cell = gridCell();
        const QRect local = m_grid->CellRect(cell.x(), cell.y());
        return QRect(m_grid->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        TQXItemProp *row = item();
        if (!row) {
            state.invalid = true;
            return state;
        }
        const QPoint cell = gridCell();
        state.focusable = true;
        state.selectable = true;
        state.focused = cell.x() == m_grid->Col() && cell.y() == m_grid->Row();
        state.selected = state.focused;
        state.readOnly = m_column == 0 || row->IsReadOnly();
        state.editable = !state.readOnly;
        if (row->IsExpandable()) {
            state.expandable = true;
            state.expanded = row->IsExpanded();
            state.collapsed = !row->IsExpanded();
        }
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return nullptr;
    }

    // Table cell
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override { return state().selected; }
    QAccessibleInterface *table() const override { return parent(); }

    // Actions: the expand glyph, the drop-down list and the ellipsis button, reached without the mouse.
    QStringList actionNames() const override
    {
        QStringList names;
        TQXItemProp *row = item();
        if (!row)
            return names;
        if (row->IsExpandable())
            names << toggleAction();
        if (m_column > 0 && !row->IsReadOnly()) {
            const QPoint cell = gridCell();
            const TEditStyle style = m_grid->GetEditStyle(cell.x(), cell.y());
            if (style == esPickList)
                names << showMenuAction();
            else if (style == esEllipsis)
                names << pressAction();
        }
        names << setFocusAction();
        return names;
    }
    void doAction(const QString &Name) override
    {
        TQXItemProp *row = item();
        if (!row || !actionNames().contains(Name))
            return;
        if (Name == toggleAction()) {
            Guarded([&] { row->SetExpanded(!row->IsExpanded()); });
            return;
        }
        Guarded([&] {
            const QPoint cell = gridCell();
            m_grid->FocusCell(cell.x(), cell.y(), true);
            if (Name == setFocusAction())
                return;
            if (Name == pressAction()) {
                m_grid->EditButtonClick(m_grid);
                return;
            }
            m_grid->ShowEditor();
            if (TQXInplaceEditList *editor = m_grid->InplaceEditList())
                editor->DropDown();
        });
    }
    QStringList keyBindingsForAction(const QString &Name) const override
    {
        if (Name == showMenuAction())
            return { QStringLiteral("Alt+Down") };
        return {};
    }

private:
    QPointer<TQXCustomItemListEditor> m_grid;
    int m_row;
    int m_column;
};

class TItemListAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TItemListAccessible(TQXCustomItemListEditor *Grid)
        : QAccessibleWidget(Grid, QAccessible::Table)
    { }
    ~TItemListAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }
    Q_DISABLE_COPY_MOVE(TItemListAccessible)

    TQXCustomItemListEditor *grid() const { return static_cast<TQXCustomItemListEditor *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int Index) const override
    {
        const int columns = columnCount();
        return Index >= 0 && columns > 0 ? cellAt(Index / columns, Index % columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *Child) const override
    {
        auto *cell = Child
            ? static_cast<QAccessibleTableCellInterface *>(
                const_cast<QAccessibleInterface *>(Child)->interface_cast(QAccessible::TableCellInterface))
            : nullptr;
        return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        const QPoint current = currentCell();
        return current.x() >= 0 ? cellAt(current.y(), current.x()) : nullptr;
    }
    QAccessibleInterface *childAt(int X, int Y) const override
    {
        const QPoint local = grid()->viewport()->mapFromGlobal(QPoint(X, Y));
        for (int r = 0; r < rowCount(); ++r)
            for (int c = 0; c < columnCount(); ++c) {
                auto *cell = static_cast<TItemCellAccessible *>(cellAt(r, c));
                const QPoint at = cell->gridCell();
                if (grid()->CellRect(at.x(), at.y()).contains(local))
                    return cell;
            }
        return nullptr;
    }

    // Table
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int Row, int Column) const override
    {
        if (Row < 0 || Row >= rowCount() || Column < 0 || Column >= columnCount())
            return nullptr;
        const int key = Row * 0x10000 + Column;
        if (const auto id = m_cells.constFind(key); id != m_cells.constEnd())
            return QAccessible::accessibleInterface(*id);
        auto *cell = new TItemCellAccessible(grid(), Row, Column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int columnCount() const override { return grid()->GetGridCount(gcValueLineCount); }
    int rowCount() const override { return grid()->GetVisibleItemCount(); }
    int selectedCellCount() const override { return currentCell().x() >= 0 ? 1 : 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return currentCell().x() >= 0 ? 1 : 0; }
    QString columnDescription(int Column) const override
    {
        if (!(grid()->DisplayOptions() & TQXCustomItemListEditor::doColumnTitles))
            return QString();
        return grid()->Orientation() == TQXCustomItemListEditor::goVertical ? grid()->GetCell(Column, 0)
                                                                            : grid()->GetCell(0, Column);
    }
    QString rowDescription(int Row) const override
    {
        return Row >= 0 && Row < rowCount() ? grid()->GetVisibleItem(Row)->Name() : QString();
    }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        if (QAccessibleInterface *cell = focusChild())
            return { cell };
        return {};
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        const QPoint current = currentCell();
        return current.x() >= 0 ? QList<int> { current.y() } : QList<int> {};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int Row) const override { return currentCell().x() >= 0 && currentCell().y() == Row; }
    bool selectRow(int Row) override
    {
        if (Row < 0 || Row >= rowCount())
            return false;
        return Guarded([&] { grid()->SetSelected(grid()->GetVisibleItem(Row)); });
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    /// The current cell as (column, row) of the table; (-1, -1) outside the items.
    QPoint currentCell() const
    {
        TQXCustomItemListEditor *g = grid();
        const TItemGridInfo info = g->GetGridInfo(g->Col(), g->Row());
        const int row = info.CurItemPos - info.FixedItemLines;
        if (row < 0 || row >= rowCount())
            return { -1, -1 };
        return { info.CurValuePos, row };
    }

    mutable QHash<int, QAccessible::Id> m_cells;
};

QAccessibleInterface *itemListFactory(const QString &, QObject *Object)
{
    auto *grid = qobject_cast<TQXCustomItemListEditor *>(Object);
    return grid && grid->AccessibleTable() ? new TItemListAccessible(grid) : nullptr;
}

} // namespace

void TQXCustomItemListEditor::SetAccessibleTable(bool Value)
{
    if (Value == m_accessibleTable)
        return;
    static const bool installed = [] {
        QAccessible::installFactory(itemListFactory);
        return true;
    }();
    Q_UNUSED(installed);
    m_accessibleTable = Value;
    // An interface made before is Qt's plain one (or ours): the next query makes the one that fits.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
