// The grid's in-place editor: where it shows and what it loads, how it follows the current cell and the
// scrolling, how the user's text reaches the grid, Reset and Undo, the keys it passes to the grid, focus
// and exit, and its life with the grid.
#include <QXInspector/DrawGrid.h>
#include <QXInspector/Exceptions.h>
#include <QXInspector/InplaceEdit.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

using namespace QXPlatform;

namespace {

using Cell = std::pair<int, int>;

struct SetCall
{
    int Col;
    int Row;
    QString Value;
    friend bool operator==(const SetCall &, const SetCall &) = default;
};

// An editor that counts the notifications it gets.
class TestEdit : public TInplaceEdit
{
public:
    using TInplaceEdit::TInplaceEdit;
    int assigned = 0;
    int boundsChanged = 0;

protected:
    void TextAssigned() override { ++assigned; }
    void BoundsChanged() override
    {
        ++boundsChanged;
        TInplaceEdit::BoundsChanged();
    }
};

// A grid whose cells hold texts, masks and a length limit, and which records what the editor tells it.
class EditGrid : public TCustomDrawGrid
{
public:
    explicit EditGrid(QWidget *parent = nullptr)
        : TCustomDrawGrid(parent)
    {
        for (int row = 0; row < RowCount(); ++row)
            for (int col = 0; col < ColCount(); ++col)
                texts.insert({ col, row }, QStringLiteral("r%1c%2").arg(row).arg(col));
    }

    QHash<Cell, QString> texts;
    QHash<Cell, QString> masks;
    int limit = 0;
    bool modifiable = true;
    bool throwOnSet = false;
    int editorsCreated = 0;
    QList<SetCall> setCalls;
    QList<int> keysSeen;

    TestEdit *editor() const { return static_cast<TestEdit *>(InplaceEditor()); }

protected:
    TInplaceEdit *CreateEditor() override
    {
        ++editorsCreated;
        return Create<TestEdit>(this);
    }
    QString GetEditText(int ACol, int ARow) override { return texts.value({ ACol, ARow }); }
    void SetEditText(int ACol, int ARow, const QString &Value) override
    {
        setCalls.append({ ACol, ARow, Value });
        if (throwOnSet)
            throw EConvertError(QStringLiteral("'%1' is not a valid value").arg(Value));
        texts.insert({ ACol, ARow }, Value);
        TCustomDrawGrid::SetEditText(ACol, ARow, Value);
    }
    QString GetEditMask(int ACol, int ARow) override { return masks.value({ ACol, ARow }); }
    int GetEditLimit() override { return limit; }
    bool CanEditModify() override { return modifiable && TCustomDrawGrid::CanEditModify(); }
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override
    {
        keysSeen.append(Key);
        TCustomDrawGrid::KeyDown(Key, Shift);
    }
};

} // namespace

namespace QTest {
template<> char *toString(const SetCall &c)
{
    return qstrdup(QStringLiteral("(%1, %2, \"%3\")").arg(c.Col).arg(c.Row).arg(c.Value).toUtf8());
}
} // namespace QTest

class tst_InplaceEdit : public QObject
{
    Q_OBJECT

private:
    QWidget *window = nullptr;
    EditGrid *grid = nullptr;
    QLineEdit *other = nullptr;
    TExceptionHandler previousHandler;
    QStringList handled;

    void showAndFocus(TCustomDrawGrid::TGridOptions extra)
    {
        grid->SetOptions(grid->Options() | goEditing | extra);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus() || (grid->InplaceEditor() && grid->InplaceEditor()->hasFocus()));
    }
    TestEdit *editor() const { return grid->editor(); }
    QRect editorRect() const { return editor()->geometry(); }

private slots:
    void init()
    {
        handled.clear();
        previousHandler
            = SetExceptionHandler([this](std::exception_ptr e) { handled.append(ExceptionMessage(e)); });
        window = new QWidget;
        window->resize(420, 340);
        grid = Create<EditGrid>(window);
        grid->setGeometry(0, 0, 420, 300);
        other = new QLineEdit(window);
        other->setGeometry(0, 310, 420, 24);
    }
    void cleanup()
    {
        FreeAndNil(grid);
        delete window;
        window = nullptr;
        SetExceptionHandler(previousHandler);
    }

    // Showing and loading
    void loadsTheCellsEditMask()
    {
        grid->masks.insert({ 2, 3 }, QStringLiteral("!99/99/00;1;_"));
        showAndFocus({});
        grid->FocusCell(2, 3, true);
        grid->ShowEditor();
        QVERIFY(editor());
        QCOMPARE(editor()->EditMask(), QStringLiteral("!99/99/00;1;_"));
        QCOMPARE(editor()->inputMask(), QStringLiteral("00/00/99;_"));
        // Letters have no place in the mask; its literals stay.
        QCOMPARE(editor()->Text(), QStringLiteral("32//"));
    }
    void showsOverTheCurrentCellWithItsContents_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("no limit") << 0 << 32767;
        QTest::newRow("limit") << 5 << 5;
    }
    void showsOverTheCurrentCellWithItsContents()
    {
        QFETCH(int, limit);
        QFETCH(int, maxLength);
        grid->limit = limit;
        showAndFocus({});
        grid->FocusCell(2, 3, true);
        QVERIFY(!grid->InplaceEditor());
        grid->ShowEditor();
        QVERIFY(grid->EditorMode());
        QVERIFY(editor());
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->parentWidget(), grid->viewport());
        QCOMPARE(editor()->Grid(), grid);
        QCOMPARE(editorRect(), grid->CellRect(2, 3));
        QCOMPARE(editor()->Text(), QStringLiteral("r3c2"));
        QVERIFY(editor()->EditMask().isEmpty());
        QCOMPARE(editor()->maxLength(), maxLength);
        QVERIFY(!editor()->Modified());
        QVERIFY(!editor()->isReadOnly());
        QTRY_VERIFY(editor()->hasFocus());
        // Loading is not an assignment, and nothing went back to the grid.
        QCOMPARE(editor()->assigned, 0);
        QVERIFY(grid->setCalls.isEmpty());
        QVERIFY(editor()->boundsChanged > 0);
    }
    void notShownWhereItCannotEdit_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        const int base = int(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
        QTest::newRow("without goEditing") << base << 1 << 1;
        QTest::newRow("with goRowSelect") << (base | goEditing | goRowSelect) << 1 << 1;
        QTest::newRow("fixed cell") << (base | goEditing) << 0 << 2;
    }
    void notShownWhereItCannotEdit()
    {
        QFETCH(int, options);
        QFETCH(int, col);
        QFETCH(int, row);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        grid->SetOptions(TCustomDrawGrid::TGridOptions(options));
        grid->SetSelection({ col, row, col, row });
        grid->ShowEditor();
        QVERIFY(!editor() || !editor()->isVisible());
    }
    void readOnlyWhenTheCellCannotBeModified()
    {
        grid->modifiable = false;
        showAndFocus({});
        grid->ShowEditor();
        QVERIFY(editor()->isReadOnly());
        QTest::keyClicks(editor(), QStringLiteral("xy"));
        QCOMPARE(editor()->Text(), QStringLiteral("r1c1"));
        QVERIFY(grid->setCalls.isEmpty());
        QVERIFY(handled.isEmpty());
    }

    // Following the current cell and the scrolling
    void followsTheCurrentCell()
    {
        grid->texts.insert({ 1, 2 }, QStringLiteral("second"));
        showAndFocus(goAlwaysShowEditor | goTabs);
        QTRY_VERIFY(editor() && editor()->isVisible());
        TestEdit *first = editor();
        QTest::keyClick(editor(), Qt::Key_Down);
        QCOMPARE(grid->Row(), 2);
        QCOMPARE(editorRect(), grid->CellRect(1, 2));
        QCOMPARE(editor()->Text(), QStringLiteral("second"));
        // Right with the caret at the end of the text moves to the next cell; Tab too.
        editor()->setCursorPosition(editor()->Text().size());
        editor()->deselect();
        QTest::keyClick(editor(), Qt::Key_Right);
        QCOMPARE(grid->Col(), 2);
        QCOMPARE(editor()->Text(), QStringLiteral("r2c2"));
        QTest::keyClick(editor(), Qt::Key_Tab);
        QCOMPARE(grid->Col(), 3);
        QCOMPARE(editorRect(), grid->CellRect(3, 2));
        // A click on another cell moves it there.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(4, 4).center());
        QCOMPARE(editorRect(), grid->CellRect(4, 4));
        QCOMPARE(editor()->Text(), QStringLiteral("r4c4"));
        // One editor all along, and the focus stayed in it.
        QCOMPARE(editor(), first);
        QCOMPARE(grid->editorsCreated, 1);
        QVERIFY(editor()->hasFocus());
    }
    void followsScrollingAndKeepsItsEdit()
    {
        grid->SetRowCount(100);
        showAndFocus(goAlwaysShowEditor);
        grid->FocusCell(1, 6, true);
        QTRY_VERIFY(editor() && editor()->isVisible());
        QTest::keyClicks(editor(), QStringLiteral("new"));
        QVERIFY(editor()->Modified());
        grid->SetTopRow(3);
        QCOMPARE(editorRect(), grid->CellRect(1, 6));
        // Scrolled out of view it hides, and the focus stays with the grid...
        grid->SetTopRow(20);
        QVERIFY(!editor()->isVisible());
        QVERIFY(grid->hasFocus());
        // ... and it comes back with its edit.
        grid->SetTopRow(2);
        QVERIFY(editor()->isVisible());
        QCOMPARE(editorRect(), grid->CellRect(1, 6));
        QCOMPARE(editor()->Text(), QStringLiteral("new"));
        QVERIFY(editor()->Modified());
        QTRY_VERIFY(editor()->hasFocus());
        // A wider column moves and widens it.
        grid->SetColWidths(0, 100);
        grid->SetColWidths(1, 90);
        QCOMPARE(editorRect(), grid->CellRect(1, 6));
        QCOMPARE(editorRect().width(), 90);
    }

    // Text going back to the grid
    void typingWritesBackOnEveryChange()
    {
        showAndFocus({});
        grid->ShowEditor();
        QTest::keyClicks(editor(), QStringLiteral("abc"));
        QCOMPARE(grid->setCalls, (QList<SetCall> { { 1, 1, "a" }, { 1, 1, "ab" }, { 1, 1, "abc" } }));
        QVERIFY(editor()->Modified());
        QCOMPARE(editor()->assigned, 0);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QCOMPARE(grid->setCalls.last(), (SetCall { 1, 1, "ab" }));
        QCOMPARE(grid->texts.value({ 1, 1 }), QStringLiteral("ab"));
    }
    void typingInACellStartsEditingIt()
    {
        showAndFocus({});
        QVERIFY(!grid->EditorMode());
        QTest::keyClick(grid, Qt::Key_Q);
        QVERIFY(grid->EditorMode());
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->Text(), QStringLiteral("q"));
        QCOMPARE(grid->setCalls, (QList<SetCall> { { 1, 1, "q" } }));
        QTRY_VERIFY(editor()->hasFocus());
        // Not with goEditing off.
        grid->SetOptions(grid->Options() & ~TCustomDrawGrid::TGridOptions(goEditing));
        QVERIFY(!editor()->isVisible());
        QTest::keyClick(grid, Qt::Key_W);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(grid->setCalls.size(), 1);
    }
    void enterAndF2ToggleTheEditor_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("F2") << int(Qt::Key_F2);
    }
    void enterAndF2ToggleTheEditor()
    {
        QFETCH(int, key);
        showAndFocus({});
        QTest::keyClick(grid, Qt::Key(key));
        QVERIFY(grid->EditorMode());
        QVERIFY(editor()->isVisible());
        QTRY_VERIFY(editor()->hasFocus());
        QTest::keyClick(editor(), Qt::Key(key));
        QVERIFY(!grid->EditorMode());
        QVERIFY(!editor()->isVisible());
        QVERIFY(grid->hasFocus());
        // The grid saw the key each time, once.
        QCOMPARE(grid->keysSeen, (QList<int> { key, key }));
    }
    void enterKeepsTheEditorWhenAlwaysShown()
    {
        showAndFocus(goAlwaysShowEditor);
        QTRY_VERIFY(editor() && editor()->isVisible());
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(editor()->isVisible());
        QVERIFY(grid->EditorMode());
    }
    void escapePutsTheCellTextBack()
    {
        showAndFocus({});
        grid->ShowEditor();
        QTest::keyClicks(editor(), QStringLiteral("zz"));
        QCOMPARE(grid->texts.value({ 1, 1 }), QStringLiteral("zz"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid->texts.value({ 1, 1 }), QStringLiteral("r1c1"));
        QCOMPARE(grid->setCalls.last(), (SetCall { 1, 1, "r1c1" }));
        QVERIFY(!editor()->isVisible());
        QVERIFY(!grid->EditorMode());
        QVERIFY(grid->hasFocus());
    }
    void errorsWritingBackReachTheHandler()
    {
        showAndFocus({});
        grid->ShowEditor();
        grid->throwOnSet = true;
        QTest::keyClick(editor(), Qt::Key_X);
        QCOMPARE(handled, QStringList { QStringLiteral("'x' is not a valid value") });
        QCOMPARE(editor()->Text(), QStringLiteral("x"));
        QVERIFY(editor()->isVisible());
    }

    // Assigning, Reset and Undo
    void resetAndUndo_data()
    {
        // Steps: "type:<text>" types at the end, "set:<text>" assigns the whole text, "raw:<text>" assigns it
        // through QLineEdit::setText, "undo", "ctrlz" (the key), "reset".
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("assignments");
        QTest::addColumn<bool>("modified");
        QTest::newRow("undo typing") << QStringList { "type:xy", "undo" } << QStringList { "r1c1xy", "r1c1" }
                                     << 0 << true;
        QTest::newRow("second undo redoes") << QStringList { "type:xy", "undo", "undo" }
                                            << QStringList { "r1c1xy", "r1c1", "r1c1xy" } << 0 << true;
        QTest::newRow("undo an assignment")
            << QStringList { "set:whole", "undo" } << QStringList { "whole", "r1c1" } << 1 << true;
        QTest::newRow("typing after an assignment")
            << QStringList { "set:whole", "type:!", "undo" } << QStringList { "whole", "whole!", "whole" }
            << 1 << true;
        QTest::newRow("ctrl+z reaches over an assignment")
            << QStringList { "type:a", "set:b", "ctrlz" } << QStringList { "r1c1a", "b", "r1c1a" } << 1
            << true;
        QTest::newRow("reset") << QStringList { "type:a", "set:b", "reset" }
                               << QStringList { "r1c1a", "b", "r1c1" } << 2 << false;
        QTest::newRow("line edit's own setText")
            << QStringList { "raw:direct", "type:!", "undo" } << QStringList { "direct", "direct!", "direct" }
            << 0 << true;
        QTest::newRow("nothing to undo") << QStringList { "undo" } << QStringList { "r1c1" } << 0 << false;
    }
    void resetAndUndo()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, texts);
        QFETCH(int, assignments);
        QFETCH(bool, modified);
        showAndFocus({});
        grid->ShowEditor();
        editor()->deselect();
        editor()->end(false);
        for (int i = 0; i < steps.size(); ++i) {
            const QString step = steps.at(i);
            const qsizetype calls = grid->setCalls.size();
            if (step.startsWith(QLatin1String("type:"))) {
                editor()->end(false);
                QTest::keyClicks(editor(), step.mid(5));
            } else if (step.startsWith(QLatin1String("set:"))) {
                editor()->SetText(step.mid(4));
                // An assignment is not the user's: the grid is not told.
                QCOMPARE(grid->setCalls.size(), calls);
            } else if (step.startsWith(QLatin1String("raw:"))) {
                editor()->setText(step.mid(4));
            } else if (step == QLatin1String("undo")) {
                editor()->Undo();
            } else if (step == QLatin1String("ctrlz")) {
                QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
            } else if (step == QLatin1String("reset")) {
                editor()->Reset();
                QCOMPARE(grid->setCalls.size(), calls);
            }
            QCOMPARE(editor()->Text(), texts.at(i));
        }
        QCOMPARE(editor()->assigned, assignments);
        QCOMPARE(editor()->Modified(), modified);
        // What the user did (typing, undoing) reached the grid; assignments did not.
        if (steps.last() == QLatin1String("undo") || steps.last() == QLatin1String("ctrlz")) {
            if (texts.size() > 1)
                QCOMPARE(grid->setCalls.last(), (SetCall { 1, 1, texts.last() }));
            else
                QVERIFY(grid->setCalls.isEmpty());
        }
    }
    void setTextKeepsModifiedAndLeavesTheGridAlone()
    {
        showAndFocus({});
        grid->ShowEditor();
        editor()->SetText(QStringLiteral("picked"));
        QVERIFY(!editor()->Modified());
        QVERIFY(grid->setCalls.isEmpty());
        editor()->SetModified(true);
        editor()->SetText(QStringLiteral("again"));
        QVERIFY(editor()->Modified());
        QCOMPARE(editor()->assigned, 2);
    }
    void invalidateEditorReloads()
    {
        showAndFocus(goAlwaysShowEditor);
        QTRY_VERIFY(editor() && editor()->isVisible());
        grid->texts.insert({ 1, 1 }, QStringLiteral("changed elsewhere"));
        QCOMPARE(editor()->Text(), QStringLiteral("r1c1"));
        grid->InvalidateEditor();
        QCOMPARE(editor()->Text(), QStringLiteral("changed elsewhere"));
        QVERIFY(!editor()->Modified());
    }

    // Keys
    void keysPassedToTheGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("caret"); // -1: at the end
        QTest::addColumn<bool>("passed");
        const int none = Qt::NoModifier;
        QTest::newRow("up") << int(Qt::Key_Up) << none << 2 << true;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << none << 2 << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << 2 << true;
        QTest::newRow("ctrl+home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 2 << true;
        QTest::newRow("ctrl+end") << int(Qt::Key_End) << int(Qt::ControlModifier) << 2 << true;
        QTest::newRow("ctrl+delete") << int(Qt::Key_Delete) << int(Qt::ControlModifier) << 2 << true;
        QTest::newRow("home inside the text") << int(Qt::Key_Home) << none << 2 << false;
        QTest::newRow("home at the start") << int(Qt::Key_Home) << none << 0 << true;
        QTest::newRow("end inside the text") << int(Qt::Key_End) << none << 2 << false;
        QTest::newRow("end at the end") << int(Qt::Key_End) << none << -1 << true;
        QTest::newRow("left inside the text") << int(Qt::Key_Left) << none << 2 << false;
        QTest::newRow("left at the start") << int(Qt::Key_Left) << none << 0 << true;
        QTest::newRow("shift+left at the start") << int(Qt::Key_Left) << int(Qt::ShiftModifier) << 0 << false;
        QTest::newRow("right at the end") << int(Qt::Key_Right) << none << -1 << true;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << 2 << false;
        QTest::newRow("letter") << int(Qt::Key_A) << none << 2 << false;
    }
    void keysPassedToTheGrid()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, caret);
        QFETCH(bool, passed);
        grid->SetRowCount(10);
        grid->SetColCount(10);
        showAndFocus(goAlwaysShowEditor);
        grid->FocusCell(4, 4, true);
        QTRY_VERIFY(editor() && editor()->isVisible());
        editor()->deselect();
        editor()->setCursorPosition(caret < 0 ? editor()->Text().size() : caret);
        grid->keysSeen.clear();
        QTest::keyClick(editor(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // Modifier keys pressed on their own are ignored by the editor and reach the grid as any ignored key.
        grid->keysSeen.removeIf([](int k) { return k == Qt::Key_Control || k == Qt::Key_Shift; });
        QCOMPARE(grid->keysSeen.contains(key), passed);
        if (passed)
            QCOMPARE(grid->keysSeen.size(), 1);
        else
            QVERIFY(grid->keysSeen.isEmpty());
        if (passed && key != Qt::Key_Escape)
            QVERIFY(grid->setCalls.isEmpty());
    }

    // Focus
    void movingTheFocusIntoTheEditorIsNoExit()
    {
        int enters = 0;
        int exits = 0;
        grid->OnEnter = [&](QObject *) { ++enters; };
        grid->OnExit = [&](QObject *) { ++exits; };
        showAndFocus({});
        QCOMPARE(enters, 1);
        grid->ShowEditor();
        QTRY_VERIFY(editor()->hasFocus());
        QCOMPARE(exits, 0);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(exits, 1);
        // Leaving hides the editor unless it is always shown.
        QVERIFY(!editor()->isVisible());
        QVERIFY(!grid->EditorMode());
    }
    void alwaysShownEditorTakesTheFocusOnEntry()
    {
        showAndFocus(goAlwaysShowEditor);
        QTRY_VERIFY(editor() && editor()->hasFocus());
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QVERIFY(editor()->isVisible());
        grid->setFocus();
        QTRY_VERIFY(editor()->hasFocus());
    }

    // Life with the grid
    void editorGoesWithItsGrid()
    {
        showAndFocus({});
        grid->ShowEditor();
        QPointer<TInplaceEdit> edit = editor();
        QVERIFY(edit);
        QCOMPARE(AsComponent(edit)->Owner(), grid);
        FreeAndNil(grid);
        QVERIFY(!edit);
    }
    void standaloneEditorWorksWithoutGrid()
    {
        TestEdit *edit = Create<TestEdit>(nullptr);
        edit->UpdateContents();
        QCOMPARE(edit->Text(), QString());
        edit->SetText(QStringLiteral("one"));
        edit->SetText(QStringLiteral("two"));
        edit->Undo();
        QCOMPARE(edit->Text(), QStringLiteral("one"));
        QCOMPARE(edit->assigned, 2);
        edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->Text(), QStringLiteral("one"));
        Free(edit);
    }
};

QTEST_MAIN(tst_InplaceEdit)
#include "tst_inplaceedit.moc"
