// The item list editor's layout and display: line counts, the title line, orientation, display options,
// the cell mapping, the cursor through expansion changes, column widths and what a cell draws.
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/TypeInfo.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>
#include <QTest>

using namespace QXPlatform;

namespace {

// The left-most column of a row band that holds a text pixel (dark on light), or -1.
int firstInkColumn(const QImage &image, const QRect &band, int fromX)
{
    for (int x = qMax(fromX, band.left()); x <= band.right(); ++x)
        for (int y = band.top(); y <= band.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 96)
                return x;
    return -1;
}

// Reaches the sizing hit test.
class SizingGrid : public TQXItemListEditor
{
public:
    using TQXCustomItemListEditor::CalcSizingState;
};

// Records which overridable operations the grid reaches through its own code.
class RecordingGrid : public TQXItemListEditor
{
public:
    using TQXCustomItemListEditor::FindItemProp;
    mutable QSet<QString> reached;
    void SetGridCount(int Index, int Value) override
    {
        reached << QStringLiteral("SetGridCount");
        TQXItemListEditor::SetGridCount(Index, Value);
    }
    TQXItemProp *FindItemProp(int ACol, int ARow, bool AdjustForFixed) const override
    {
        reached << QStringLiteral("FindItemProp");
        return TQXItemListEditor::FindItemProp(ACol, ARow, AdjustForFixed);
    }
    void DisableEditUpdate() override
    {
        reached << QStringLiteral("DisableEditUpdate");
        TQXItemListEditor::DisableEditUpdate();
    }
    void EnableEditUpdate() override
    {
        reached << QStringLiteral("EnableEditUpdate");
        TQXItemListEditor::EnableEditUpdate();
    }
};

// A grid whose reaction to a column width raises once, when armed, from inside another width change
// (the automatic resizing that answers a width set by the user).
class RaisingWidthsGrid : public TQXItemListEditor
{
public:
    bool raiseNested = false;

protected:
    void ColWidthsChanged() override
    {
        if (raiseNested && depth > 0) {
            raiseNested = false;
            throw Exception(QStringLiteral("width refused"));
        }
        const QScopedValueRollback<int> nested(depth, depth + 1);
        TQXItemListEditor::ColWidthsChanged();
    }

private:
    int depth = 0;
};

} // namespace

class tst_ItemListEditor : public QObject
{
    Q_OBJECT

    TQXItemListEditor *grid = nullptr;

    // A: a1, a2; B (collapsed): b1, b2, with child C.
    void buildWorkedExample()
    {
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        grid->SetGridCount(0, 3);
        grid->Items()->Add(QStringLiteral("A"), QStringLiteral("a1\na2"));
        TQXItemProp *b = grid->Items()->Add(QStringLiteral("B"), QStringLiteral("b1\nb2"));
        b->Items()->Add(QStringLiteral("C"), QStringLiteral("c1"));
    }

    QStringList line(int index)
    {
        QStringList cells;
        for (int v = 0; v < grid->GetGridCount(0); ++v)
            cells << (grid->Orientation() == TQXCustomItemListEditor::goVertical ? grid->GetCell(v, index)
                                                                                 : grid->GetCell(index, v));
        return cells;
    }

private slots:
    void init()
    {
        grid = Create<TQXItemListEditor>();
        grid->resize(306, 300);
    }
    void cleanup() { FreeAndNil(grid); }

    // Published properties, their defaults and the operations descendants override
    void publishedPropertiesAndDefaults()
    {
        QStringList published;
        for (const TPropInfo &info : GetPropList(grid, tkAny))
            published << info.Name;
        QVERIFY(!published.contains(QStringLiteral("FixedRows"))); // doColumnTitles decides it
        for (const char *name :
             { "OnClick",       "OnDblClick",      "OnDrawCell",    "OnEnter",          "OnExit",
               "OnGetEditMask", "OnGetEditText",   "OnKeyDown",     "OnKeyPress",       "OnKeyUp",
               "OnMouseDown",   "OnMouseMove",     "OnMouseUp",     "OnMouseWheelDown", "OnMouseWheelUp",
               "OnRowMoved",    "OnSelectCell",    "OnSetEditText", "OnTopLeftChanged", "OnValidate",
               "OnValidated",   "OnValidateError", "OnGetPickList" }) {
            QVERIFY2(published.contains(QLatin1String(name)), name);
            QVERIFY2(GetPropInfo(grid, QLatin1String(name)).Kind == tkMethod, name);
        }
        // A new grid's options are the declared default, so they are not written.
        QCOMPARE(
            GetDefaultText(grid, QStringLiteral("Options")),
            QStringLiteral("[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goColSizing,goEditing,"
                           "goAlwaysShowEditor,goThumbTracking]"));
        QVERIFY(IsDefaultValue(grid, QStringLiteral("Options")));
    }
    void overridableOperationsAreReachedByTheGrid()
    {
        auto *recording = Create<RecordingGrid>();
        recording->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        recording->Items()->Add(QStringLiteral("b"), QStringLiteral("2")); // one more line
        recording->GetSelected();
        recording->UpdateItemProp(nullptr); // a structural change rebuilds the lists
        QCOMPARE(recording->reached,
                 QSet<QString>({ "SetGridCount", "FindItemProp", "DisableEditUpdate", "EnableEditUpdate" }));
        Free(recording);
    }

    // Line counts and titles
    void emptyTreeShowsTitleAndOneEmptyLine()
    {
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(grid->FixedRows(), 1);
        QCOMPARE(grid->ColCount(), 2);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Col(), 1);
        QCOMPARE(grid->GetCell(0, 0), QStringLiteral("Property"));
        QCOMPARE(grid->GetCell(1, 0), QStringLiteral("Value"));
        QCOMPARE(grid->GetCell(0, 1), QString());
        QCOMPARE(grid->GetSelected(), nullptr);
    }
    void linesFollowTheShownItems()
    {
        for (int i = 0; i < 5; ++i)
            grid->Items()->Add(QStringLiteral("i%1").arg(i), QString());
        QCOMPARE(grid->RowCount(), 6);
        grid->Items()->Clear();
        QCOMPARE(grid->RowCount(), 2);
        grid->SetDisplayOptions(grid->DisplayOptions() & ~TQXCustomItemListEditor::doColumnTitles);
        QCOMPARE(grid->FixedRows(), 0);
        QCOMPARE(grid->RowCount(), 1);
        QCOMPARE(grid->GetCell(0, 0), QString());
    }

    // The cell mapping
    void workedExampleVertical()
    {
        buildWorkedExample();
        QCOMPARE(grid->ColCount(), 3);
        QCOMPARE(line(0), QStringList({ "Property", "Value", "" }));
        QCOMPARE(line(1), QStringList({ "A", "a1", "a2" }));
        QCOMPARE(line(2), QStringList({ "B", "b1", "b2" }));
        QCOMPARE(grid->RowCount(), 3);
        for (int col = 0; col < 3; ++col)
            QCOMPARE(grid->FindItemProp(col, 2, true)->Name(), QStringLiteral("B"));
        QVERIFY(!grid->IsValueCell(0, 1));
        QVERIFY(!grid->IsValueCell(0, 0));
        QVERIFY(grid->IsValueCell(1, 1));
        grid->Items()->Items(1)->Expand();
        QCOMPARE(line(3), QStringList({ "C", "c1", "" }));
    }
    void workedExampleHorizontal()
    {
        buildWorkedExample();
        grid->SetOrientation(TQXCustomItemListEditor::goHorizontal);
        QCOMPARE(grid->RowCount(), 3);
        QCOMPARE(grid->FixedCols(), 1);
        QCOMPARE(grid->FixedRows(), 0);
        QCOMPARE(line(0), QStringList({ "Property", "Value", "" }));
        QCOMPARE(line(1), QStringList({ "A", "a1", "a2" }));
        QCOMPARE(line(2), QStringList({ "B", "b1", "b2" }));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(grid->FindItemProp(2, row, true)->Name(), QStringLiteral("B"));
        QVERIFY(!grid->IsValueCell(1, 0));
        QVERIFY(grid->IsValueCell(1, 1));
    }
    void cellsBeyondCaptionsAndItemsAreEmpty()
    {
        buildWorkedExample();
        grid->SetGridCount(0, 4);
        QCOMPARE(grid->GetCell(3, 0), QString());
        QCOMPARE(grid->GetCell(0, 9), QString());
        QCOMPARE(grid->GetCell(1, 3), QString());
        QCOMPARE(grid->FindItemProp(0, 9, true), nullptr);
    }
    void setCellOnTheEmptyLineAddsAnItem()
    {
        grid->SetCell(0, 1, QStringLiteral("new"));
        QCOMPARE(grid->Items()->Count(), 1);
        grid->SetCell(1, 1, QStringLiteral("v"));
        QCOMPARE(grid->Items()->Items(0)->GetDisplayName(), QStringLiteral("new=v"));
        QCOMPARE(grid->GetPropNames(1), QStringLiteral("new"));
        QCOMPARE(grid->GetPropValues(1), QStringLiteral("v"));
    }

    // Orientation
    void orientationSwapsAndSelectionFollows()
    {
        grid->Items()->Add(QStringLiteral("one"), QStringLiteral("1"));
        grid->Items()->Add(QStringLiteral("two"), QStringLiteral("2"));
        grid->SetRow(2);
        grid->SetCol(1);
        QCOMPARE(grid->GetSelected()->Name(), QStringLiteral("two"));
        grid->SetOrientation(TQXCustomItemListEditor::goHorizontal);
        QCOMPARE(grid->ColCount(), 3);
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(grid->GetCell(0, 0), QStringLiteral("Property"));
        QCOMPARE(grid->GetCell(0, 1), QStringLiteral("Value"));
        QCOMPARE(grid->GetCell(2, 0), QStringLiteral("two"));
        QCOMPARE(grid->Col(), 2);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->GetSelected()->Name(), QStringLiteral("two"));
        grid->SetOrientation(TQXCustomItemListEditor::goVertical);
        QCOMPARE(grid->RowCount(), 3);
        QCOMPARE(grid->ColCount(), 2);
        QCOMPARE(grid->FixedRows(), 1);
        QCOMPARE(grid->FixedCols(), 0);
        QCOMPARE(grid->Row(), 2);
        QCOMPARE(grid->Col(), 1);
        QCOMPARE(grid->GetSelected()->Name(), QStringLiteral("two"));
    }

    // Display options
    void multiColValuesOffResetsValueLines()
    {
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        grid->SetColCount(5);
        grid->SetDisplayOptions(grid->DisplayOptions() & ~TQXCustomItemListEditor::doMultiColValues);
        QCOMPARE(grid->ColCount(), 2);
    }
    void showReadOnlyHidesAndShowsAtOnce()
    {
        TQXItemProps *items = grid->Items();
        TQXItemProp *category = items->AddCategory(QStringLiteral("Cat"), false);
        category->Items()->Add(QStringLiteral("inside"), QString())->SetReadOnly(true);
        category->Expand();
        items->Add(QStringLiteral("locked"), QString())->SetReadOnly(true);
        items->Add(QStringLiteral("open"), QString());
        QCOMPARE(grid->GetVisibleItemCount(), 4);
        grid->SetDisplayOptions(grid->DisplayOptions() & ~TQXCustomItemListEditor::doShowReadOnly);
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        QCOMPARE(grid->GetVisibleItem(0), category);
        QCOMPARE(grid->GetVisibleItem(1)->Name(), QStringLiteral("open"));
        QCOMPARE(grid->RowCount(), 3);
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doShowReadOnly);
        QCOMPARE(grid->GetVisibleItemCount(), 4);
    }

    // The cursor through expansion changes
    void cursorStaysOnItemWhenLinesAboveChange()
    {
        TQXItemProp *top = grid->Items()->Add(QStringLiteral("top"), QString());
        top->Items()->Add(QStringLiteral("t1"), QString());
        top->Items()->Add(QStringLiteral("t2"), QString());
        TQXItemProp *target = grid->Items()->Add(QStringLiteral("target"), QString());
        grid->SetSelected(target);
        QCOMPARE(grid->Row(), 2);
        top->Expand();
        QCOMPARE(grid->GetSelected(), target);
        QCOMPARE(grid->Row(), 4);
        top->Collapse();
        QCOMPARE(grid->GetSelected(), target);
        QCOMPARE(grid->Row(), 2);
    }
    void collapsingTheCurrentItemsAncestorMovesTheCursor()
    {
        TQXItemProp *parent = grid->Items()->Add(QStringLiteral("parent"), QString());
        TQXItemProp *child = parent->Items()->Add(QStringLiteral("child"), QString());
        grid->Items()->Add(QStringLiteral("after"), QString());
        grid->SetSelected(child);
        QVERIFY(parent->IsExpanded());
        QCOMPARE(grid->GetSelected(), child);
        parent->Collapse();
        QVERIFY(grid->GetSelected() != child);
        QVERIFY(grid->Row() < grid->RowCount());
        grid->SetSelected(child); // selecting a hidden item expands its ancestors
        QVERIFY(parent->IsExpanded());
        QCOMPARE(grid->GetSelected(), child);
    }

    // Highlight
    void inactiveWindowKeepsTheHighlight()
    {
        // The grid stays its window's focus widget while another window is active: the current cell keeps
        // its highlight with HideSelection. Another control of its window taking the focus takes it away.
        QWidget window;
        auto *inWindow = Create<TQXItemListEditor>(&window);
        QLineEdit sibling(&window);
        sibling.move(0, 310);
        inWindow->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        inWindow->setFocus();
        QVERIFY(inWindow->IsActiveControl());
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(inWindow->IsActiveControl());
        sibling.setFocus();
        QVERIFY(!inWindow->IsActiveControl());
        Free(inWindow);
    }

    // Column widths
    void autoColumnWidthsSplitTheClientWidth()
    {
        grid->SetDisplayOptions(grid->DisplayOptions() & ~TQXCustomItemListEditor::doKeyColFixed);
        grid->show();
        grid->resize(grid->width() - grid->viewport()->width() + 301, 200);
        QTRY_COMPARE(grid->viewport()->width(), 301);
        QCOMPARE(grid->ColWidths(0), 149);
        QCOMPARE(grid->ColWidths(1), 150);
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doKeyColFixed);
        grid->SetColWidths(0, 100);
        QCOMPARE(grid->ColWidths(1), 199);
    }
    void autoColumnWidthsResumeAfterAResizeRaised()
    {
        auto *raising = Create<RaisingWidthsGrid>();
        const auto freeRaising = qScopeGuard([&] { Free(raising); });
        raising->SetDisplayOptions(raising->DisplayOptions() | TQXCustomItemListEditor::doKeyColFixed);
        raising->show();
        raising->resize(raising->width() - raising->viewport()->width() + 301, 200);
        QTRY_COMPARE(raising->viewport()->width(), 301);
        raising->raiseNested = true;
        QVERIFY_THROWS_EXCEPTION(Exception, raising->SetColWidths(0, 100));
        raising->SetColWidths(0, 80);
        QCOMPARE(raising->ColWidths(1), 219);
    }

    void sizingBandAtTheEdgeSizesTheCellCutOffThere()
    {
        // Two columns fill 150 + 150 pixels; the third runs past the viewport's edge, so its own line cannot
        // be reached: the band at the edge sizes it.
        auto *sizing = Create<SizingGrid>();
        sizing->SetDisplayOptions(sizing->DisplayOptions() & ~TQXCustomItemListEditor::doAutoColResize);
        sizing->SetColCount(3);
        sizing->resize(400, 200);
        sizing->show();
        QVERIFY(QTest::qWaitForWindowExposed(sizing));
        const int edge = sizing->viewport()->width();
        QVERIFY(sizing->ColWidths(0) + sizing->ColWidths(1) + 2 < edge);
        QVERIFY(sizing->ColWidths(0) + sizing->ColWidths(1) + sizing->ColWidths(2) > edge);
        TGridState state = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        sizing->CalcSizingState(edge - 1, sizing->CellRect(1, 1).center().y(), state, index, pos, ofs);
        QCOMPARE(state, gsColSizing);
        QCOMPARE(index, 2);
        QCOMPARE(pos, edge);
        QCOMPARE(ofs, 1);
        // The line between the first two columns is hit as before.
        sizing->CalcSizingState(150, sizing->CellRect(1, 1).center().y(), state, index, pos, ofs);
        QCOMPARE(state, gsColSizing);
        QCOMPARE(index, 0);
        Free(sizing);
    }

    // Wiring
    void gridFollowsItsFontUnderAnApplicationsHandler()
    {
        int handled = 0;
        grid->Font()->OnChange = [&](QObject *) { ++handled; };
        const int size = grid->font().pointSize() + 4;
        grid->Font()->SetSize(size);
        QCOMPARE(handled, 1);
        QCOMPARE(grid->font().pointSize(), size);
    }

    // Drawing
    void nameCellIndentation_data()
    {
        QTest::addColumn<bool>("withChildren");
        QTest::newRow("leaf") << false;
        QTest::newRow("with children") << true;
    }
    void nameCellIndentation()
    {
        QFETCH(bool, withChildren);
        grid->SetHideSelection(false);
        grid->SetIndent(20);
        TQXItemProp *level0 = grid->Items()->Add(QStringLiteral("a"), QString());
        TQXItemProp *level1 = level0->Items()->Add(QStringLiteral("b"), QString());
        TQXItemProp *level2 = level1->Items()->Add(QStringLiteral("I"), QString());
        if (withChildren)
            level2->Items()->Add(QStringLiteral("d"), QString());
        grid->FullExpand();
        grid->SetSelected(level0);
        const int row = grid->FixedRows() + level2->GetAbsoluteVIndex();
        grid->resize(306, 200);
        grid->show();
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->CellRect(0, row);
        QVERIFY(!cell.isEmpty());
        const QRect band = cell.adjusted(0, 1, -1, -1);
        const int ink = firstInkColumn(image, band, cell.left() + 1);
        if (withChildren) {
            // The glyph's outline starts two indents in, the name one indent after that.
            QCOMPARE(ink - cell.left(), 2 * 20);
            const int text = firstInkColumn(image, band, cell.left() + 2 * 20 + 10);
            QVERIFY2(text - cell.left() >= 3 * 20 && text - cell.left() <= 3 * 20 + 4,
                     qPrintable(QString::number(text - cell.left())));
        } else {
            QVERIFY2(ink - cell.left() >= 3 * 20 && ink - cell.left() <= 3 * 20 + 4,
                     qPrintable(QString::number(ink - cell.left())));
        }
    }
    void glyphsAreNineByNine()
    {
        QCOMPARE(grid->MinusGlyph()->Width(), 9);
        QCOMPARE(grid->PlusGlyph()->Height(), 9);
        const QImage plus = grid->PlusGlyph()->Pixmap().toImage();
        const QImage minus = grid->MinusGlyph()->Pixmap().toImage();
        QCOMPARE(qGray(plus.pixel(4, 2)), 0); // the vertical bar
        QCOMPARE(qGray(minus.pixel(4, 2)), 255); // none in the minus
        QCOMPARE(qGray(minus.pixel(2, 4)), 0); // the horizontal bar
        QCOMPARE(qGray(minus.pixel(1, 4)), 255);
    }
};

QTEST_MAIN(tst_ItemListEditor)
#include "tst_itemlisteditor.moc"
