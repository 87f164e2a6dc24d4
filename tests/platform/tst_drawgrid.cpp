// The custom draw grid: counts and fixed lines, sizes, the current cell and the selection, scrolling,
// geometry (cell rectangles and hit tests, right-to-left), painting (what is drawn, what it costs, errors
// while drawing), keyboard and mouse, sizing and moving lines, and a SelectCell that changes the grid.
#include <QXInspector/DrawGrid.h>
#include <QXInspector/Exceptions.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/InplaceEdit.h>

#include <QApplication>
#include <QImage>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QWheelEvent>
#include <functional>

using namespace QXPlatform;

namespace {

using Cell = std::pair<int, int>;

// A grid that reports what the base asks of it and lets a test change its answers.
class TestGrid : public TCustomDrawGrid
{
public:
    explicit TestGrid(QWidget *parent = nullptr)
        : TCustomDrawGrid(parent)
    { }

    using TCustomDrawGrid::CalcDrawInfo;
    using TCustomDrawGrid::CalcSizingState;
    using TCustomDrawGrid::TGridDrawInfo;

    // DrawCell
    int drawCount = 0;
    QList<Cell> drawn;
    QHash<Cell, TGridDrawState> drawnStates;
    bool canvasDuringDraw = true;
    bool throwInDraw = false;
    QHash<Cell, QString> texts;

    // SelectCell
    std::function<bool(int, int)> selectHook;
    QList<Cell> asked;

    // Notifications
    QList<std::pair<int, int>> sizeChanges;
    int topLeftChanges = 0;
    QList<int> keysSeen;
    bool consumeKeys = false;

    // Steps of painting and key handling replaced: no grid lines; J moves down as Down does.
    bool noLines = false;
    bool vimKeys = false;

    void resetDrawn()
    {
        drawCount = 0;
        drawn.clear();
        drawnStates.clear();
    }

protected:
    void DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState) override
    {
        ++drawCount;
        drawn.append({ ACol, ARow });
        drawnStates.insert({ ACol, ARow }, AState);
        if (!Canvas() || Canvas()->device() != viewport())
            canvasDuringDraw = false;
        if (throwInDraw)
            throw EInvalidOperation(QStringLiteral("cannot draw %1,%2").arg(ACol).arg(ARow));
        const QString text = texts.value({ ACol, ARow });
        if (!text.isEmpty())
            Canvas()->drawText(ARect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, text);
        TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    bool SelectCell(int ACol, int ARow) override
    {
        asked.append({ ACol, ARow });
        if (selectHook && !selectHook(ACol, ARow))
            return false;
        return TCustomDrawGrid::SelectCell(ACol, ARow);
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        sizeChanges.append({ OldColCount, OldRowCount });
        TCustomDrawGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void TopLeftChanged() override
    {
        ++topLeftChanges;
        TCustomDrawGrid::TopLeftChanged();
    }
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override
    {
        keysSeen.append(Key);
        if (consumeKeys)
            Key = 0;
        TCustomDrawGrid::KeyDown(Key, Shift);
    }
    void PaintCellLines(QPainter &Painter, int ACol, int ARow, const QRect &LogicalRect,
                        const TGridPaintInfo &Info) override
    {
        if (!noLines)
            TCustomDrawGrid::PaintCellLines(Painter, ACol, ARow, LogicalRect, Info);
    }
    bool HandleNavigationKey(int Key, Qt::KeyboardModifiers Shift) override
    {
        return TCustomDrawGrid::HandleNavigationKey(vimKeys && Key == Qt::Key_J ? int(Qt::Key_Down) : Key,
                                                    Shift);
    }
};

// Colours as pixels of a grabbed image come back: opaque RGB.
QColor colorOf(TColor color, const QWidget *widget)
{
    return QColor(ColorToQColor(color, widget->palette()).rgb());
}

TGridCoord coord(int x, int y)
{
    return TGridCoord { x, y };
}

} // namespace

namespace QTest {
template<> char *toString(const TGridCoord &c)
{
    return qstrdup(QByteArray("(") + QByteArray::number(c.X) + ", " + QByteArray::number(c.Y) + ")");
}
template<> char *toString(const TGridRect &r)
{
    return qstrdup(
        QStringLiteral("[%1,%2 - %3,%4]").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom).toUtf8());
}
} // namespace QTest

class tst_DrawGrid : public QObject
{
    Q_OBJECT

private:
    TestGrid *grid = nullptr;
    TExceptionHandler previousHandler;
    QStringList handled;

    void showGrid(QSize size = QSize(400, 300))
    {
        grid->resize(size);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
    }
    void activate()
    {
        grid->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
    }
    QImage image() { return grid->viewport()->grab().toImage(); }
    QPoint centerOf(int col, int row) { return grid->CellRect(col, row).center(); }

private slots:
    void init()
    {
        handled.clear();
        previousHandler
            = SetExceptionHandler([this](std::exception_ptr e) { handled.append(ExceptionMessage(e)); });
        grid = Create<TestGrid>();
    }
    void cleanup()
    {
        FreeAndNil(grid);
        SetExceptionHandler(previousHandler);
    }

    // Published properties and their declared defaults
    void initialValuesMatchDeclaredDefaults_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ColCount") << QByteArray("ColCount") << "5";
        QTest::newRow("RowCount") << QByteArray("RowCount") << "5";
        QTest::newRow("FixedCols") << QByteArray("FixedCols") << "1";
        QTest::newRow("FixedRows") << QByteArray("FixedRows") << "1";
        QTest::newRow("DefaultColWidth") << QByteArray("DefaultColWidth") << "64";
        QTest::newRow("DefaultRowHeight") << QByteArray("DefaultRowHeight") << "24";
        QTest::newRow("GridLineWidth") << QByteArray("GridLineWidth") << "1";
        QTest::newRow("DefaultDrawing") << QByteArray("DefaultDrawing") << "True";
        QTest::newRow("ScrollBars") << QByteArray("ScrollBars") << "ssBoth";
        QTest::newRow("Color") << QByteArray("Color") << "clWindow";
        QTest::newRow("FixedColor") << QByteArray("FixedColor") << "clBtnFace";
        QTest::newRow("Options") << QByteArray("Options")
                                 << "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goRangeSelect]";
    }
    void initialValuesMatchDeclaredDefaults()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, expected);
        const QMetaObject *meta = grid->metaObject();
        QCOMPARE(DeclaredDefault(meta, property.constData()), expected);
        const QMetaProperty prop = meta->property(meta->indexOfProperty(property.constData()));
        QVERIFY(prop.isValid());
        QVERIFY(prop.isWritable());
        const QVariant value = prop.read(grid);
        QString actual;
        if (prop.isFlagType()) {
            actual = QLatin1Char('[')
                + QString::fromLatin1(prop.enumerator().valueToKeys(value.toInt()))
                      .replace(QLatin1Char('|'), QLatin1Char(','))
                + QLatin1Char(']');
        } else if (prop.isEnumType()) {
            actual = QString::fromLatin1(prop.enumerator().valueToKey(value.toInt()));
        } else if (property == "Color" || property == "FixedColor") {
            actual = ColorToString(value.toInt());
        } else if (value.typeId() == QMetaType::Bool) {
            actual = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        } else {
            actual = value.toString();
        }
        QCOMPARE(actual, expected);
    }
    void startsOnFirstNonFixedCell()
    {
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(1, 1));
        QCOMPARE(grid->Selection(), (TGridRect { 1, 1, 1, 1 }));
        QCOMPARE(coord(grid->LeftCol(), grid->TopRow()), coord(1, 1));
        QVERIFY(!grid->EditorMode());
        QVERIFY(!grid->InplaceEditor());
        QVERIFY(!grid->Canvas());
    }

    // Counts and fixed lines
    void fixedLinesMustStayBelowCount_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("rows equal count") << true << 5 << "Fixed row count must be less than row count";
        QTest::newRow("rows above count") << true << 9 << "Fixed row count must be less than row count";
        QTest::newRow("cols equal count")
            << false << 5 << "Fixed column count must be less than column count";
        QTest::newRow("negative rows") << true << -1 << "Grid index out of range";
        QTest::newRow("negative cols") << false << -1 << "Grid index out of range";
    }
    void fixedLinesMustStayBelowCount()
    {
        QFETCH(bool, rows);
        QFETCH(int, value);
        QFETCH(QString, message);
        try {
            if (rows)
                grid->SetFixedRows(value);
            else
                grid->SetFixedCols(value);
            QFAIL("no exception");
        } catch (const EInvalidGridOperation &e) {
            QCOMPARE(e.Message(), message);
            QCOMPARE(e.ClassName(), QStringLiteral("EInvalidGridOperation"));
        }
        QCOMPARE(grid->FixedRows(), 1);
        QCOMPARE(grid->FixedCols(), 1);
        grid->SetFixedRows(4);
        QCOMPARE(grid->FixedRows(), 4);
    }
    void countAtOrBelowFixedLowersFixed()
    {
        grid->SetFixedRows(3);
        grid->SetRowCount(2);
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(grid->FixedRows(), 1);
        grid->SetColCount(0);
        QCOMPARE(grid->ColCount(), 1);
        QCOMPARE(grid->FixedCols(), 0);
    }
    void shrinkingKeepsCurrentSelectionAndTopLeftInside()
    {
        showGrid();
        grid->SetRowCount(1000);
        grid->SetColCount(50);
        grid->FocusCell(40, 900, true);
        grid->SetSelection({ 30, 800, 40, 900 });
        QVERIFY(grid->TopRow() > 800);
        grid->sizeChanges.clear();
        grid->SetRowCount(20);
        grid->SetColCount(10);
        QCOMPARE(grid->sizeChanges, (QList<std::pair<int, int>> { { 50, 1000 }, { 50, 20 } }));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(9, 19));
        QCOMPARE(grid->Selection(), (TGridRect { 9, 19, 9, 19 }));
        QVERIFY(grid->TopRow() >= grid->FixedRows() && grid->TopRow() < 20);
        QVERIFY(grid->LeftCol() >= grid->FixedCols() && grid->LeftCol() < 10);
        // Nothing is left scrolled past the end: the last row shows at the bottom, not alone at the top.
        QVERIFY(!grid->CellRect(9, 19).isEmpty());
        QCOMPARE(grid->verticalScrollBar()->value(), grid->TopRow());
    }

    // Sizes
    void sizesAreStoredPerLineAndShiftPositions()
    {
        showGrid();
        const int y3 = grid->CellRect(1, 3).top();
        grid->SetRowHeights(2, 40);
        QCOMPARE(grid->RowHeights(2), 40);
        QCOMPARE(grid->RowHeights(3), 24);
        QCOMPARE(grid->CellRect(1, 2).height(), 40);
        QCOMPARE(grid->CellRect(1, 3).top(), y3 + 16);
        grid->SetColWidths(0, 20);
        QCOMPARE(grid->CellRect(1, 1).left(), 21);
        // A new default applies to every line, the ones sized on their own too.
        grid->SetDefaultRowHeight(30);
        QCOMPARE(grid->RowHeights(2), 30);
        QCOMPARE(grid->CellRect(1, 3).top(), 3 * 31);
        // Growing a grid with sized lines gives the new lines the default.
        grid->SetRowHeights(1, 10);
        grid->SetRowCount(8);
        QCOMPARE(grid->RowHeights(7), 30);
        QCOMPARE(grid->RowHeights(1), 10);
    }
    void positionsStayCorrectWithManyRows()
    {
        showGrid();
        grid->SetRowCount(100000);
        grid->SetRowHeights(50000, 100);
        grid->SetTopRow(99990);
        const QRect last = grid->CellRect(1, 99999);
        QVERIFY(!last.isEmpty());
        QCOMPARE(grid->MouseCoord(last.center().x(), last.center().y()), coord(1, 99999));
        grid->SetTopRow(49999);
        QCOMPARE(grid->CellRect(1, 50000).height(), 100);
        QCOMPARE(grid->CellRect(1, 50001).top(), grid->CellRect(1, 50000).top() + 101);
    }
    void gridLineWidthSpacesCells_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("expectedPitch");
        const int all = int(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
        QTest::newRow("1") << 1 << all << 65;
        QTest::newRow("4") << 4 << all << 68;
        QTest::newRow("0") << 0 << all << 64;
        QTest::newRow("no vertical lines") << 3 << int(goFixedHorzLine | goHorzLine) << 64;
        QTest::newRow("fixed lines only") << 3 << int(goFixedVertLine) << 67;
    }
    void gridLineWidthSpacesCells()
    {
        QFETCH(int, lineWidth);
        QFETCH(int, options);
        QFETCH(int, expectedPitch);
        showGrid();
        grid->SetGridLineWidth(lineWidth);
        grid->SetOptions(TGridOptions(options));
        QCOMPARE(grid->CellRect(2, 1).left() - grid->CellRect(1, 1).left(), expectedPitch);
        QCOMPARE(grid->CellRect(1, 1).width(), 64);
    }

    // Geometry
    void cellRectAndMouseCoordAgree_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("topRow");
        QTest::addColumn<int>("leftCol");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<bool>("sized");
        QTest::newRow("plain") << false << 1 << 2 << 1 << false;
        QTest::newRow("scrolled") << false << 17 << 6 << 1 << false;
        QTest::newRow("wide lines, sized") << false << 5 << 3 << 5 << true;
        QTest::newRow("right-to-left") << true << 1 << 2 << 1 << false;
        QTest::newRow("right-to-left scrolled, sized") << true << 23 << 4 << 2 << true;
    }
    void cellRectAndMouseCoordAgree()
    {
        QFETCH(bool, rightToLeft);
        QFETCH(int, topRow);
        QFETCH(int, leftCol);
        QFETCH(int, lineWidth);
        QFETCH(bool, sized);
        grid->SetColCount(20);
        grid->SetRowCount(60);
        grid->SetFixedCols(2);
        grid->SetGridLineWidth(lineWidth);
        if (sized) {
            for (int i = 0; i < 20; i += 3)
                grid->SetColWidths(i, 20 + i * 7);
            for (int i = 0; i < 60; i += 4)
                grid->SetRowHeights(i, 10 + i);
        }
        if (rightToLeft)
            grid->setLayoutDirection(Qt::RightToLeft);
        showGrid();
        grid->SetTopRow(topRow);
        grid->SetLeftCol(leftCol);
        QCOMPARE(grid->TopRow(), topRow);
        QCOMPARE(grid->LeftCol(), leftCol);

        const QRect viewport = grid->viewport()->rect();
        int checked = 0;
        for (int row = 0; row < grid->RowCount(); ++row) {
            for (int col = 0; col < grid->ColCount(); ++col) {
                const QRect r = grid->CellRect(col, row);
                const bool scrolledOut = (col >= grid->FixedCols() && col < leftCol)
                    || (row >= grid->FixedRows() && row < topRow);
                if (scrolledOut) {
                    QVERIFY2(r.isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(col).arg(row)));
                    continue;
                }
                if (r.isEmpty())
                    continue;
                const QRect visible = r & viewport;
                QVERIFY(!visible.isEmpty());
                for (const QPoint p : { visible.topLeft(), visible.bottomRight(), visible.center() })
                    QCOMPARE(grid->MouseCoord(p.x(), p.y()), coord(col, row));
                ++checked;
            }
        }
        QVERIFY(checked > 20);
        // Fixed lines do not scroll: column 0 sits at the leading edge, row 0 at the top.
        const QRect corner = grid->CellRect(0, 0);
        QCOMPARE(corner.top(), 0);
        if (rightToLeft)
            QCOMPARE(corner.right(), viewport.right());
        else
            QCOMPARE(corner.left(), 0);
        // Columns run from the leading edge: under right-to-left layout column 1 is left of column 0.
        const QRect next = grid->CellRect(1, 0);
        QVERIFY(rightToLeft ? next.right() < corner.left() : next.left() > corner.right());
    }
    void mouseCoordOutsideCellsIsMinusOne()
    {
        grid->SetColCount(3);
        grid->SetRowCount(3);
        showGrid();
        const QRect last = grid->CellRect(2, 2);
        QCOMPARE(grid->MouseCoord(last.right() + 5, last.bottom() + 5), coord(-1, -1));
        QCOMPARE(grid->MouseCoord(last.center().x(), last.bottom() + 5), coord(2, -1));
        QCOMPARE(grid->MouseCoord(-1, 3), coord(-1, 0));
        int col = 7, row = 7;
        grid->MouseToCell(last.right() + 5, 3, col, row);
        QCOMPARE(coord(col, row), coord(-1, 0));
        // A point on a grid line belongs to the cell before it.
        QCOMPARE(grid->MouseCoord(grid->CellRect(1, 1).right() + 1, grid->CellRect(1, 1).bottom() + 1),
                 coord(1, 1));
    }

    // Scrolling
    void topLeftIsClampedAndFollowedByScrollBars()
    {
        grid->SetRowCount(200);
        grid->SetColCount(30);
        showGrid();
        QObject *sender = nullptr;
        grid->OnTopLeftChanged = [&](QObject *Sender) { sender = Sender; };
        grid->topLeftChanges = 0;
        grid->SetTopRow(50);
        QCOMPARE(grid->TopRow(), 50);
        QCOMPARE(grid->verticalScrollBar()->value(), 50);
        QCOMPARE(grid->topLeftChanges, 1);
        QCOMPARE(sender, static_cast<QObject *>(grid));
        grid->SetTopRow(0);
        QCOMPARE(grid->TopRow(), grid->FixedRows());
        grid->SetTopRow(100000);
        QVERIFY(grid->TopRow() < 200);
        // At the end the last row is whole at the bottom.
        const QRect last = grid->CellRect(1, 199);
        QVERIFY(!last.isEmpty());
        QVERIFY(last.bottom() < grid->viewport()->height());
        QCOMPARE(grid->verticalScrollBar()->maximum(), grid->TopRow());
        QCOMPARE(grid->VisibleRowCount(), 199 - grid->TopRow() + 1);
        // The scroll bar moves the grid.
        grid->horizontalScrollBar()->setValue(7);
        QCOMPARE(grid->LeftCol(), 7);
        QVERIFY(grid->CellRect(3, 0).isEmpty());
        QCOMPARE(grid->CellRect(0, 0).topLeft(), QPoint(0, 0));
    }
    void wheelScrolls()
    {
        grid->SetRowCount(200);
        showGrid();
        const QPoint at = grid->viewport()->rect().center();
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
        QVERIFY(grid->TopRow() > 1);
        QCOMPARE(grid->Row(), 1);
    }
    void keyMouseAndWheelEventsReachTheirHandlers()
    {
        grid->SetRowCount(200);
        showGrid();
        activate();
        QStringList heard;
        grid->OnKeyDown = [&](QObject *Sender, int &Key, Qt::KeyboardModifiers) {
            QCOMPARE(Sender, grid);
            heard << QStringLiteral("key down %1").arg(Key == Qt::Key_Down ? "Down" : "other");
        };
        grid->OnKeyPress = [&](QObject *, QChar &Key) { heard << QStringLiteral("key press ") + Key; };
        grid->OnKeyUp = [&](QObject *, int &, Qt::KeyboardModifiers) { heard << QStringLiteral("key up"); };
        grid->OnMouseDown = [&](QObject *, Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y) {
            QCOMPARE(Button, Qt::LeftButton);
            heard << QStringLiteral("mouse down at %1")
                         .arg(grid->MouseCoord(X, Y) == coord(2, 3) ? "2,3" : "?");
        };
        grid->OnMouseUp = [&](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            heard << QStringLiteral("mouse up");
        };
        grid->OnMouseWheelDown = [&](QObject *, Qt::KeyboardModifiers, const QPoint &, bool &Handled) {
            heard << QStringLiteral("wheel down");
            Handled = true; // the grid stays where it is
        };
        grid->OnMouseWheelUp = [&](QObject *, Qt::KeyboardModifiers, const QPoint &, bool &) {
            heard << QStringLiteral("wheel up");
        };
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_A, Qt::NoModifier);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(2, 3));
        const QPoint at = grid->viewport()->rect().center();
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
        QCOMPARE(grid->TopRow(), 1);
        QCOMPARE(heard,
                 QStringList({ "key down Down", "key up", "key down other", "key press a", "key up",
                               "mouse down at 2,3", "mouse up", "wheel down" }));
    }
    void movingTheCurrentCellScrollsItIntoView()
    {
        grid->SetRowCount(200);
        showGrid();
        grid->SetRow(150);
        const QRect r = grid->CellRect(grid->Col(), 150);
        QVERIFY(!r.isEmpty());
        QVERIFY(r.bottom() < grid->viewport()->height());
        grid->SetRow(3);
        QCOMPARE(grid->TopRow(), 3);
    }

    // Painting
    void paintShowsFixedColourLinesAndSelection()
    {
        grid->SetColCount(4);
        grid->SetRowCount(4);
        // Short texts at the cells' top-left corners, clear of the pixels checked at their centres.
        for (int i = 1; i < 4; ++i) {
            grid->texts.insert({ i, 0 }, QString(QChar(u'A' + i - 1)));
            grid->texts.insert({ 0, i }, QString::number(i));
            grid->texts.insert({ i, i }, QStringLiteral("x"));
        }
        showGrid();
        grid->clearFocus();
        QVERIFY(!grid->hasFocus());
        grid->SetSelection({ 1, 1, 2, 2 });
        const QImage shot = image();
        shot.save(QStringLiteral("/tmp/drawgrid.png"));
        const auto pixel = [&](int x, int y) { return shot.pixelColor(x, y); };
        const QRect fixedCell = grid->CellRect(1, 0);
        const QRect cell = grid->CellRect(3, 3);
        const QRect selected = grid->CellRect(2, 2);
        QCOMPARE(pixel(fixedCell.center().x(), fixedCell.center().y()), colorOf(clBtnFace, grid));
        QCOMPARE(pixel(cell.center().x(), cell.center().y()), colorOf(clWindow, grid));
        // The grid has no focus: the whole selection shows the highlight, the current cell included.
        QCOMPARE(pixel(selected.center().x(), selected.center().y()), colorOf(clHighlight, grid));
        const QRect current = grid->CellRect(2, 2);
        QCOMPARE(pixel(current.center().x(), current.center().y()), colorOf(clHighlight, grid));
        // Lines between fixed cells are darker than those between the others.
        QCOMPARE(pixel(fixedCell.right() + 1, fixedCell.center().y()), colorOf(clBtnShadow, grid));
        QCOMPARE(pixel(cell.right() + 1, cell.center().y()), colorOf(clSilver, grid));
        QCOMPARE(pixel(cell.center().x(), cell.bottom() + 1), colorOf(clSilver, grid));
        // Right of the last column the grid's colour shows.
        QCOMPARE(pixel(cell.right() + 10, cell.center().y()), colorOf(clWindow, grid));
    }
    void paintAndKeyStepsServeDescendants()
    {
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->noLines = true;
        grid->vimKeys = true;
        showGrid();
        activate();
        const QRect cell = grid->CellRect(3, 3);
        QCOMPARE(image().pixelColor(cell.right() + 1, cell.center().y()), colorOf(clWindow, grid));
        QTest::keyClick(grid, Qt::Key_J);
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(1, 2));
    }
    void paintFollowsColoursAndOptions_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("vertLineDrawn");
        QTest::addColumn<bool>("fixedVertLineDrawn");
        QTest::newRow("all lines") << int(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine) << true
                                   << true;
        QTest::newRow("no vertical lines")
            << int(goFixedVertLine | goFixedHorzLine | goHorzLine) << false << true;
        QTest::newRow("no fixed vertical lines") << int(goVertLine | goHorzLine) << true << false;
    }
    void paintFollowsColoursAndOptions()
    {
        QFETCH(int, options);
        QFETCH(bool, vertLineDrawn);
        QFETCH(bool, fixedVertLineDrawn);
        grid->SetColor(clYellow);
        grid->SetFixedColor(clAqua);
        grid->SetOptions(TGridOptions(options));
        showGrid();
        const QImage shot = image();
        const QRect fixedCell = grid->CellRect(1, 0);
        const QRect cell = grid->CellRect(3, 3);
        QCOMPARE(shot.pixelColor(fixedCell.center()), QColor(0, 255, 255));
        QCOMPARE(shot.pixelColor(cell.center()), QColor(255, 255, 0));
        QCOMPARE(shot.pixelColor(cell.right() + 1, cell.center().y()),
                 vertLineDrawn ? colorOf(clSilver, grid) : QColor(255, 255, 0));
        QCOMPARE(shot.pixelColor(fixedCell.right() + 1, fixedCell.center().y()),
                 fixedVertLineDrawn ? colorOf(clBtnShadow, grid) : QColor(0, 255, 255));
    }
    void withoutDefaultDrawingCellsAreLeftToDrawCell()
    {
        showGrid();
        grid->SetDefaultDrawing(false);
        grid->SetColor(clYellow);
        grid->OnDrawCell = [this](QObject *, int ACol, int ARow, const QRect &Rect, TGridDrawState) {
            if (ACol == 2 && ARow == 2)
                grid->Canvas()->fillRect(Rect, Qt::red);
        };
        const QImage shot = image();
        QCOMPARE(shot.pixelColor(centerOf(2, 2)), QColor(Qt::red));
        // The fixed colour is not drawn: whatever shows there is the grid's background.
        QCOMPARE(shot.pixelColor(centerOf(1, 0)), QColor(255, 255, 0));
    }
    void paintVisitsOnlyVisibleCells_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("topRow");
        QTest::newRow("100 rows") << 100 << 1;
        QTest::newRow("100000 rows") << 100000 << 1;
        QTest::newRow("100000 rows at the end") << 100000 << 99990;
    }
    void paintVisitsOnlyVisibleCells()
    {
        QFETCH(int, rowCount);
        QFETCH(int, topRow);
        grid->SetRowCount(rowCount);
        showGrid();
        grid->SetTopRow(topRow);
        const int height = grid->viewport()->height();
        const int width = grid->viewport()->width();
        // Rows are 25 pixels apart and columns 65: count what can be seen, from the viewport alone.
        const int rowsOnScreen = std::min(grid->RowCount() - grid->TopRow() + 1, (height + 24) / 25);
        const int colsOnScreen = std::min(grid->ColCount(), (width + 64) / 65);
        grid->resetDrawn();
        image();
        QCOMPARE(grid->drawCount, rowsOnScreen * colsOnScreen);
        QVERIFY(grid->canvasDuringDraw);
        QVERIFY(!grid->Canvas());
        for (const Cell &cell : std::as_const(grid->drawn)) {
            QVERIFY(cell.second == 0 || cell.second >= grid->TopRow());
            QVERIFY(!grid->CellRect(cell.first, cell.second).isEmpty());
        }
    }
    void drawStatesMarkFixedSelectedAndFocused()
    {
        showGrid();
        activate();
        grid->SetSelection({ 1, 1, 2, 3 });
        grid->resetDrawn();
        image();
        QCOMPARE(grid->drawnStates.value({ 0, 2 }), TGridDrawState(gdFixed));
        QCOMPARE(grid->drawnStates.value({ 3, 3 }), TGridDrawState());
        QCOMPARE(grid->drawnStates.value({ 1, 1 }), TGridDrawState(gdSelected));
        QCOMPARE(grid->drawnStates.value({ 2, 3 }), gdSelected | gdFocused);
        // The focused cell is not highlighted but framed.
        const QImage shot = image();
        QCOMPARE(shot.pixelColor(centerOf(2, 3)), colorOf(clWindow, grid));
        QCOMPARE(shot.pixelColor(centerOf(1, 1)), colorOf(clHighlight, grid));
        grid->SetOptions(grid->Options() | goDrawFocusSelected);
        QCOMPARE(image().pixelColor(centerOf(2, 3)), colorOf(clHighlight, grid));
    }
    void exceptionInDrawCellReachesHandler()
    {
        showGrid();
        grid->throwInDraw = true;
        grid->resetDrawn();
        image();
        QVERIFY(!handled.isEmpty());
        QVERIFY2(handled.first().startsWith(QStringLiteral("cannot draw")), qPrintable(handled.first()));
        // The painter is gone with the failed paint, and the next paint works.
        QVERIFY(!grid->Canvas());
        grid->throwInDraw = false;
        handled.clear();
        grid->resetDrawn();
        image();
        QVERIFY(handled.isEmpty());
        QVERIFY(grid->drawCount > 0);
    }
    void invalidatingRepaintsOnlyThatArea()
    {
        grid->SetRowCount(30);
        showGrid();
        QTest::qWait(20);
        const auto repaintedAfter = [this](const std::function<void()> &invalidate) -> QSet<Cell> {
            QCoreApplication::processEvents();
            grid->resetDrawn();
            invalidate();
            if (!QTest::qWaitFor([this] { return grid->drawCount > 0; }, 2000))
                return {};
            return QSet<Cell>(grid->drawn.cbegin(), grid->drawn.cend());
        };
        QCOMPARE(repaintedAfter([this] { grid->InvalidateCell(3, 4); }), (QSet<Cell> { { 3, 4 } }));
        const QSet<Cell> row = repaintedAfter([this] { grid->InvalidateRow(2); });
        QCOMPARE(row, (QSet<Cell> { { 0, 2 }, { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 } }));
        const QSet<Cell> col = repaintedAfter([this] { grid->InvalidateCol(4); });
        QVERIFY(col.contains({ 4, 0 }) && col.contains({ 4, 5 }));
        for (const Cell &c : col)
            QCOMPARE(c.first, 4);
        // A cell that is scrolled out schedules nothing.
        grid->SetTopRow(10);
        QCoreApplication::processEvents();
        grid->resetDrawn();
        grid->InvalidateCell(3, 4);
        QCoreApplication::processEvents();
        QCOMPARE(grid->drawCount, 0);
    }

    // Keyboard
    void keyboardNavigation_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<TGridCoord>("start");
        QTest::addColumn<TGridCoord>("expected");
        const int plain = int(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
        const int tabs = plain | goTabs;
        const int none = Qt::NoModifier;
        QTest::newRow("down") << int(Qt::Key_Down) << none << plain << false << coord(2, 2) << coord(2, 3);
        QTest::newRow("up") << int(Qt::Key_Up) << none << plain << false << coord(2, 2) << coord(2, 1);
        QTest::newRow("up stops at fixed rows")
            << int(Qt::Key_Up) << none << plain << false << coord(2, 1) << coord(2, 1);
        QTest::newRow("left") << int(Qt::Key_Left) << none << plain << false << coord(2, 2) << coord(1, 2);
        QTest::newRow("right") << int(Qt::Key_Right) << none << plain << false << coord(2, 2) << coord(3, 2);
        QTest::newRow("right stops at the last")
            << int(Qt::Key_Right) << none << plain << false << coord(9, 2) << coord(9, 2);
        QTest::newRow("left, right-to-left")
            << int(Qt::Key_Left) << none << plain << true << coord(2, 2) << coord(3, 2);
        QTest::newRow("right, right-to-left")
            << int(Qt::Key_Right) << none << plain << true << coord(2, 2) << coord(1, 2);
        QTest::newRow("home") << int(Qt::Key_Home) << none << plain << false << coord(5, 7) << coord(1, 7);
        QTest::newRow("end") << int(Qt::Key_End) << none << plain << false << coord(5, 7) << coord(9, 7);
        QTest::newRow("ctrl+home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << plain << false
                                   << coord(5, 7) << coord(1, 1);
        QTest::newRow("ctrl+end") << int(Qt::Key_End) << int(Qt::ControlModifier) << plain << false
                                  << coord(5, 7) << coord(9, 49);
        QTest::newRow("page down") << int(Qt::Key_PageDown) << none << plain << false << coord(2, 2)
                                   << coord(2, -1);
        QTest::newRow("page up at the top")
            << int(Qt::Key_PageUp) << none << plain << false << coord(2, 5) << coord(2, 1);
        QTest::newRow("tab") << int(Qt::Key_Tab) << none << tabs << false << coord(2, 2) << coord(3, 2);
        QTest::newRow("tab wraps to the next row")
            << int(Qt::Key_Tab) << none << tabs << false << coord(9, 2) << coord(1, 3);
        QTest::newRow("shift+tab wraps back")
            << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << tabs << false << coord(1, 3) << coord(9, 2);
        QTest::newRow("tab without goTabs")
            << int(Qt::Key_Tab) << none << plain << false << coord(2, 2) << coord(2, 2);
    }
    void keyboardNavigation()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, options);
        QFETCH(bool, rightToLeft);
        QFETCH(TGridCoord, start);
        QFETCH(TGridCoord, expected);
        grid->SetColCount(10);
        grid->SetRowCount(50);
        grid->SetOptions(TGridOptions(options));
        if (rightToLeft)
            grid->setLayoutDirection(Qt::RightToLeft);
        showGrid();
        activate();
        grid->FocusCell(start.X, start.Y, true);
        if (expected.Y < 0)
            expected.Y = start.Y + grid->VisibleRowCount();
        QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(coord(grid->Col(), grid->Row()), expected);
        QCOMPARE(grid->Selection(), (TGridRect { expected.X, expected.Y, expected.X, expected.Y }));
        QVERIFY(!grid->CellRect(expected.X, expected.Y).isEmpty());
        if (key != Qt::Key_Tab || (options & goTabs))
            QVERIFY(grid->keysSeen.contains(key == Qt::Key_Backtab ? int(Qt::Key_Tab) : key));
    }
    void shiftArrowsExtendTheSelection()
    {
        showGrid();
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(grid->Selection(), (TGridRect { 1, 1, 2, 2 }));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(2, 2));
        // Without goRangeSelect the anchor goes with the cell.
        grid->SetOptions(grid->Options() & ~TGridOptions(goRangeSelect));
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->Selection(), (TGridRect { 2, 3, 2, 3 }));
    }
    void keyDownCanConsumeKeys()
    {
        showGrid();
        grid->consumeKeys = true;
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->keysSeen, QList<int> { Qt::Key_Down });
    }

    // Mouse
    void clickSelectsACell()
    {
        showGrid();
        int clicks = 0;
        grid->OnClick = [&](QObject *) { ++clicks; };
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(3, 2));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(3, 2));
        QCOMPARE(clicks, 1);
        QVERIFY(grid->asked.contains({ 3, 2 }));
        // Fixed cells do not become current.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(0, 4));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(2, 0));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(3, 2));
        // Shift extends the selection from the anchor.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centerOf(1, 4));
        QCOMPARE(grid->Selection(), (TGridRect { 1, 2, 3, 4 }));
    }
    void clickUnderRightToLeftSelectsTheMirroredCell()
    {
        grid->setLayoutDirection(Qt::RightToLeft);
        showGrid();
        const int width = grid->viewport()->width();
        // Column 1 starts right after column 0 at the right edge: 65 pixels in from the right.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(width - 1 - 65 - 65 - 10, 30));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(2, 1));
    }
    void dragSelectsARange()
    {
        showGrid();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centerOf(1, 1));
        QTest::mouseMove(grid->viewport(), centerOf(2, 2));
        QTest::mouseMove(grid->viewport(), centerOf(3, 3));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centerOf(3, 3));
        QCOMPARE(grid->Selection(), (TGridRect { 1, 1, 3, 3 }));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(3, 3));
    }
    void rowSelectSelectsWholeRows()
    {
        grid->SetOptions(grid->Options() | goRowSelect);
        showGrid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(2, 3));
        QCOMPARE(grid->Selection(), (TGridRect { 1, 3, 4, 3 }));
        grid->resetDrawn();
        image();
        QVERIFY(grid->drawnStates.value({ 4, 3 }) & gdSelected);
        QVERIFY(!(grid->drawnStates.value({ 4, 2 }) & gdSelected));
    }

    // Sizing and moving lines
    void sizingBand_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("offset"); // from the first pixel of the line after column 1
        QTest::addColumn<bool>("hit");
        QTest::newRow("1: on the line") << 1 << 0 << true;
        QTest::newRow("1: 3 before") << 1 << -3 << true;
        QTest::newRow("1: 4 before") << 1 << -4 << false;
        QTest::newRow("1: 3 after") << 1 << 3 << true;
        QTest::newRow("1: 4 after") << 1 << 4 << false;
        QTest::newRow("3: 2 before") << 3 << -2 << true;
        QTest::newRow("3: 3 before") << 3 << -3 << false;
        QTest::newRow("3: last of band") << 3 << 4 << true;
        QTest::newRow("3: past band") << 3 << 5 << false;
        QTest::newRow("9: line start") << 9 << 0 << true;
        QTest::newRow("9: before line") << 9 << -1 << false;
        QTest::newRow("9: line end") << 9 << 8 << true;
        QTest::newRow("9: after line") << 9 << 9 << false;
    }
    void sizingBand()
    {
        QFETCH(int, lineWidth);
        QFETCH(int, offset);
        QFETCH(bool, hit);
        grid->SetGridLineWidth(lineWidth);
        grid->SetOptions(grid->Options() | goColSizing);
        showGrid();
        const int line = grid->CellRect(1, 0).right() + 1;
        TGridState state = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        grid->CalcSizingState(line + offset, 5, state, index, pos, ofs);
        QCOMPARE(state == gsColSizing, hit);
        if (hit) {
            QCOMPARE(index, 1);
            QCOMPARE(pos, line);
            QCOMPARE(ofs, offset);
        }
        // Only within the fixed rows, and only with goColSizing.
        grid->CalcSizingState(line + offset, centerOf(1, 2).y(), state, index, pos, ofs);
        QCOMPARE(state, gsNormal);
        grid->SetOptions(grid->Options() & ~TGridOptions(goColSizing));
        grid->CalcSizingState(line + offset, 5, state, index, pos, ofs);
        QCOMPARE(state, gsNormal);
    }
    void dragResizesColumnsAndRows_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left-to-right") << false;
        QTest::newRow("right-to-left") << true;
    }
    void dragResizesColumnsAndRows()
    {
        QFETCH(bool, rightToLeft);
        grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
        if (rightToLeft)
            grid->setLayoutDirection(Qt::RightToLeft);
        showGrid();
        const QRect header = grid->CellRect(2, 0);
        const QPoint border(rightToLeft ? header.left() - 1 : header.right() + 1, header.center().y());
        QTest::mouseMove(grid->viewport(), border);
        QCOMPARE(grid->viewport()->cursor().shape(), Qt::SplitHCursor);
        const int delta = rightToLeft ? -30 : 30;
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, border);
        QTest::mouseMove(grid->viewport(), border + QPoint(delta / 2, 0));
        QTest::mouseMove(grid->viewport(), border + QPoint(delta, 0));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, border + QPoint(delta, 0));
        QCOMPARE(grid->ColWidths(2), 94);
        QCOMPARE(grid->CellRect(2, 1).width(), 94);
        // Sizing does not select.
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(1, 1));

        const QRect rowHeader = grid->CellRect(0, 2);
        const QPoint rowBorder(rowHeader.center().x(), rowHeader.bottom() + 1);
        QTest::mouseMove(grid->viewport(), rowBorder);
        QCOMPARE(grid->viewport()->cursor().shape(), Qt::SplitVCursor);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, rowBorder);
        QTest::mouseMove(grid->viewport(), rowBorder + QPoint(0, -10));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, rowBorder + QPoint(0, -10));
        QCOMPARE(grid->RowHeights(2), 14);
        // Away from a border the cursor is the grid's own again.
        QTest::mouseMove(grid->viewport(), centerOf(3, 3));
        QCOMPARE(grid->viewport()->cursor().shape(), Qt::ArrowCursor);
    }
    void draggingARowMovesIt()
    {
        grid->SetOptions(grid->Options() | goRowMoving);
        grid->SetRowCount(8);
        grid->SetRowHeights(2, 30);
        showGrid();
        QList<std::pair<int, int>> moves;
        grid->OnRowMoved = [&](QObject *, int from, int to) { moves.append({ from, to }); };
        grid->FocusCell(1, 2, true);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centerOf(0, 2));
        QTest::mouseMove(grid->viewport(), centerOf(0, 3));
        QTest::mouseMove(grid->viewport(), centerOf(0, 5));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centerOf(0, 5));
        QCOMPARE(moves, (QList<std::pair<int, int>> { { 2, 5 } }));
        QCOMPARE(grid->RowHeights(5), 30);
        QCOMPARE(grid->RowHeights(2), 24);
        // The current row goes with the moved one.
        QCOMPARE(grid->Row(), 5);
    }
    void deleteRowAndColumnShiftSizes()
    {
        grid->SetRowCount(6);
        grid->SetRowHeights(3, 40);
        grid->SetColWidths(4, 10);
        showGrid();
        grid->FocusCell(2, 4, true);
        grid->sizeChanges.clear();
        grid->DeleteRow(1);
        QCOMPARE(grid->RowCount(), 5);
        QCOMPARE(grid->RowHeights(2), 40);
        QCOMPARE(grid->RowHeights(3), 24);
        QCOMPARE(grid->Row(), 3);
        grid->DeleteColumn(2);
        QCOMPARE(grid->ColCount(), 4);
        QCOMPARE(grid->ColWidths(3), 10);
        QCOMPARE(grid->Col(), 2);
        QCOMPARE(grid->sizeChanges, (QList<std::pair<int, int>> { { 5, 6 }, { 5, 5 } }));
        QVERIFY_THROWS_EXCEPTION(EInvalidGridOperation, grid->DeleteRow(5));
    }

    // A SelectCell that refuses or changes the grid
    void refusedMovesLeaveTheCurrentCell()
    {
        showGrid();
        grid->selectHook = [](int, int ARow) { return ARow != 3; };
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->Row(), 2);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->Row(), 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centerOf(4, 3));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(1, 2));
        grid->SetRow(3);
        QCOMPARE(grid->Row(), 2);
        // OnSelectCell is asked by the base and can refuse too.
        grid->selectHook = nullptr;
        grid->OnSelectCell = [](QObject *, int ACol, int, bool &CanSelect) { CanSelect = ACol != 4; };
        grid->SetCol(4);
        QCOMPARE(grid->Col(), 1);
        grid->SetCol(3);
        QCOMPARE(grid->Col(), 3);
    }
    void selectCellDeletingTheCurrentRow()
    {
        // Leaving a blank row deletes it: a move to a row below lands one row up, where the row that
        // followed the blank one now is.
        grid->SetRowCount(10);
        for (int row = 1; row < 10; ++row)
            grid->texts.insert({ 1, row }, row == 4 ? QString() : QStringLiteral("row %1").arg(row));
        showGrid();
        grid->FocusCell(1, 4, true);
        bool deleting = false;
        grid->selectHook = [&](int ACol, int ARow) {
            if (deleting || grid->texts.value({ 1, grid->Row() }).isEmpty() == false || ARow == grid->Row())
                return true;
            deleting = true;
            const int blank = grid->Row();
            for (int row = blank; row < grid->RowCount() - 1; ++row)
                grid->texts.insert({ 1, row }, grid->texts.value({ 1, row + 1 }));
            grid->DeleteRow(blank);
            deleting = false;
            if (ARow < blank)
                return true;
            grid->FocusCell(ACol, ARow - 1, true);
            return false;
        };
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->RowCount(), 9);
        QCOMPARE(grid->Row(), 4);
        QCOMPARE(grid->texts.value({ 1, 4 }), QStringLiteral("row 5"));
        // Moving up from a blank row deletes it and lands on the row above.
        grid->texts.insert({ 1, 4 }, QString());
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(grid->RowCount(), 8);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->Selection(), (TGridRect { 1, 3, 1, 3 }));
    }
    void selectCellShrinkingBelowTheTarget()
    {
        showGrid();
        grid->SetRowCount(10);
        grid->selectHook = [this](int, int) {
            grid->SetRowCount(4);
            return true;
        };
        grid->SetRow(8);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->Selection(), (TGridRect { 1, 3, 1, 3 }));
        QVERIFY(!grid->CellRect(1, 3).isEmpty());
        QVERIFY(handled.isEmpty());
    }
    void outOfRangeCellsAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(EInvalidGridOperation, grid->FocusCell(5, 1, true));
        QVERIFY_THROWS_EXCEPTION(EInvalidGridOperation, grid->MoveColRow(1, -1, true, true));
        QVERIFY_THROWS_EXCEPTION(EInvalidGridOperation, grid->SetColWidths(5, 10));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(1, 1));
    }
    void setSelectionClampsAndSkipsSelectCell()
    {
        grid->SetSelection({ 3, 4, 9, 9 });
        QCOMPARE(grid->Selection(), (TGridRect { 3, 4, 4, 4 }));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(4, 4));
        grid->SetSelection({ 4, 2, 2, 1 });
        QCOMPARE(grid->Selection(), (TGridRect { 2, 1, 4, 2 }));
        QCOMPARE(coord(grid->Col(), grid->Row()), coord(2, 1));
        QVERIFY(grid->asked.isEmpty());
    }
};

QTEST_MAIN(tst_DrawGrid)
#include "tst_drawgrid.moc"
