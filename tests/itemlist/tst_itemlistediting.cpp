// Editing with keyboard and mouse: typing names and values, adding and deleting lines, Escape, unique
// names, validation errors and where they go, hints, the tree glyphs, property options and arranging
// items by category.
#include <QXInspector/QXConsts.h>
#include <QXInspector/QXException.h>
#include <QXInspector/QXItemListEditor.h>

#include <QApplication>
#include <QTest>

using namespace QXPlatform;

class tst_ItemListEditing : public QObject
{
    Q_OBJECT

    TQXItemListEditor *grid = nullptr;
    QStringList handled;
    TExceptionHandler previous;

    TInplaceEdit *editor() const { return grid->InplaceEditor(); }

    void showGrid()
    {
        grid->resize(320, 260);
        grid->show();
        QApplication::setActiveWindow(grid);
        grid->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(grid));
    }
    void type(const QString &text)
    {
        QVERIFY(editor());
        QTest::keyClicks(editor(), text);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = editor() && editor()->isVisible() ? static_cast<QWidget *>(editor()) : grid;
        QTest::keyClick(target, Qt::Key(k), modifiers);
    }
    bool vertical() const { return grid->Orientation() == TQXCustomItemListEditor::goVertical; }
    /// The cell of an item line and a value line, in either orientation.
    QPoint cellAt(int itemLine, int valueLine) const
    {
        return vertical() ? QPoint(valueLine, itemLine) : QPoint(itemLine, valueLine);
    }
    void focusAt(int itemLine, int valueLine)
    {
        const QPoint cell = cellAt(itemLine, valueLine);
        grid->FocusCell(cell.x(), cell.y(), true);
        QCOMPARE(grid->GetGridCount(4), itemLine);
        QCOMPARE(grid->GetGridCount(1), valueLine);
    }
    /// Clicks the plus/minus glyph in the name cell of an item line.
    void clickGlyph(int itemLine)
    {
        const QPoint at = cellAt(itemLine, 0);
        const QRect cell = grid->CellRect(at.x(), at.y());
        QVERIFY(!cell.isEmpty());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 4, cell.top() + 8));
    }
    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < grid->GetVisibleItemCount(); ++i)
            result << grid->GetVisibleItem(i)->GetDisplayName();
        return result;
    }

private slots:
    void init()
    {
        handled.clear();
        previous = SetExceptionHandler([this](std::exception_ptr e) { handled << ExceptionMessage(e); });
        grid = Create<TQXItemListEditor>();
    }
    void cleanup()
    {
        FreeAndNil(grid);
        SetExceptionHandler(previous);
    }

    // Typing
    void typeNameAndValueAndCommit()
    {
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd);
        showGrid();
        grid->FocusCell(0, 1, true);
        QCOMPARE(grid->Col(), 0);
        type(QStringLiteral("Width"));
        key(Qt::Key_Return);
        QCOMPARE(names(), QStringList({ "Width=" }));
        grid->FocusCell(1, 1, true);
        type(QStringLiteral("10"));
        grid->FocusCell(0, 1, true); // leaving the cell commits as well
        QCOMPARE(names(), QStringList({ "Width=10" }));
        QVERIFY(handled.isEmpty());
    }
    void typingSurvivesChangesOfOtherItems()
    {
        // The editor reloads (text, selection, cursor) when its own item changes, never when another
        // item does: the cursor stays where the typing left it.
        TQXItemProp *a = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        TQXItemProp *b = grid->Items()->Add(QStringLiteral("b"), QStringLiteral("2"));
        showGrid();
        grid->FocusCell(1, 1, true);
        type(QStringLiteral("56"));
        editor()->setCursorPosition(1);
        b->SetValue(QStringLiteral("3"));
        QCOMPARE(editor()->text(), QStringLiteral("56"));
        QCOMPARE(editor()->cursorPosition(), 1);
        QVERIFY(!editor()->hasSelectedText());
        a->SetValue(QStringLiteral("4"));
        QCOMPARE(editor()->text(), QStringLiteral("4"));
        QCOMPARE(editor()->selectedText(), QStringLiteral("4"));
    }
    void downOnTheLastLineAddsALineAndUpRemovesItAgain()
    {
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        showGrid();
        key(Qt::Key_Down); // no propAdd: nothing is added
        QCOMPARE(grid->GetVisibleItemCount(), 1);
        grid->SetPropertyOptions(TQXCustomItemListEditor::propAdd);
        key(Qt::Key_Down);
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        QCOMPARE(grid->Row(), 2);
        QVERIFY(grid->IsEmptyItem());
        key(Qt::Key_Down); // the new line has no name: no further line
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        key(Qt::Key_Up); // DeleteBlanks removes the empty line again
        QCOMPARE(grid->GetVisibleItemCount(), 1);
        QCOMPARE(grid->Row(), 1);
    }
    void movingDownFromAnEmptyLineInTheMiddle()
    {
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        grid->Items()->Add(QString(), QString());
        grid->Items()->Add(QStringLiteral("c"), QStringLiteral("3"));
        showGrid();
        grid->FocusCell(1, 2, true);
        key(Qt::Key_Down);
        QCOMPARE(names(), QStringList({ "a=1", "c=3" }));
        QCOMPARE(grid->GetSelected()->Name(), QStringLiteral("c"));
    }
    void escapeRestoresThenRemovesABlankLine()
    {
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd);
        showGrid();
        type(QStringLiteral("xyz"));
        QVERIFY(grid->Items()->Items(0)->GetValue().endsWith(QLatin1String("xyz")));
        key(Qt::Key_Escape);
        QCOMPARE(grid->Items()->Items(0)->Values()->Strings(0), QStringLiteral("1"));
        key(Qt::Key_Down);
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        key(Qt::Key_Escape); // nothing typed on the blank line: the line goes
        QCOMPARE(grid->GetVisibleItemCount(), 1);
    }

    // Editing in either orientation
    void orientations_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("vertical") << int(TQXCustomItemListEditor::goVertical);
        QTest::newRow("horizontal") << int(TQXCustomItemListEditor::goHorizontal);
    }
    void typingOnTheEmptyLineAddsAnItem_data() { orientations_data(); }
    void typingOnTheEmptyLineAddsAnItem()
    {
        QFETCH(int, orientation);
        grid->SetOrientation(TQXGridOrientation(orientation));
        showGrid();
        focusAt(1, 1);
        QCOMPARE(grid->GetVisibleItemCount(), 0);
        type(QStringLiteral("5"));
        key(Qt::Key_Return);
        QCOMPARE(names(), QStringList({ "=5" }));
        QCOMPARE(grid->GetGridCount(3), 2); // the title line and the new item's line
    }
    void downOnTheLastItemLineAndInsertOpenLines_data() { orientations_data(); }
    void downOnTheLastItemLineAndInsertOpenLines()
    {
        QFETCH(int, orientation);
        grid->SetOrientation(TQXGridOrientation(orientation));
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd);
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        grid->Items()->Add(QStringLiteral("b"), QStringLiteral("2"));
        showGrid();
        focusAt(2, 1);
        key(Qt::Key_Down); // the last item line: a new line after it, and the cursor on it
        QCOMPARE(names(), QStringList({ "a=1", "b=2", "=" }));
        QCOMPARE(grid->GetGridCount(4), 3);
        QVERIFY(grid->IsEmptyItem());
        focusAt(2, 1); // leaving the blank line removes it
        QCOMPARE(names(), QStringList({ "a=1", "b=2" }));
        key(Qt::Key_Insert); // a new line at the cursor, before b
        QCOMPARE(names(), QStringList({ "a=1", "=", "b=2" }));
        QCOMPARE(grid->GetGridCount(4), 2);
        QCOMPARE(grid->GetGridCount(1), 1);
        key(Qt::Key_7); // typed as a user does: into the grid, which starts editing the new line
        key(Qt::Key_Return);
        QCOMPARE(names(), QStringList({ "a=1", "=7", "b=2" }));
        QVERIFY(handled.isEmpty());
    }

    // Typed text is validated before the cursor moves or the line reloads, whoever moves it
    void glyphClickValidatesTypedText_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("refused");
        for (const auto &[name, orientation] :
             { std::pair("vertical", TQXCustomItemListEditor::goVertical),
               std::pair("horizontal", TQXCustomItemListEditor::goHorizontal) }) {
            QTest::addRow("%s, accepted", name) << int(orientation) << false;
            QTest::addRow("%s, refused", name) << int(orientation) << true;
        }
    }
    void glyphClickValidatesTypedText()
    {
        QFETCH(int, orientation);
        QFETCH(bool, refused);
        grid->SetOrientation(TQXGridOrientation(orientation));
        TQXItemProp *edited = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        TQXItemProp *parent = grid->Items()->Add(QStringLiteral("parent"), QString());
        parent->Items()->Add(QStringLiteral("child"), QString());
        parent->Collapse();
        QStringList validated;
        grid->OnValidated = [&](QObject *, TQXItemProp *Item, int) { validated << Item->GetDisplayName(); };
        if (refused)
            edited->OnValidate
                = [](QObject *, TQXItemProp *, int) { throw EConvertError(QStringLiteral("not a number")); };
        showGrid();
        focusAt(1, 1);
        editor()->deselect();
        type(QStringLiteral("x"));
        clickGlyph(2);
        if (refused) {
            // Reported as for Enter; the click changes nothing.
            QCOMPARE(handled, QStringList({ "\"1x\" is not a valid property value: not a number" }));
            QVERIFY(!parent->IsExpanded());
            QVERIFY(validated.isEmpty());
        } else {
            QVERIFY(handled.isEmpty());
            QCOMPARE(validated, QStringList({ "a=1x" }));
            QVERIFY(parent->IsExpanded());
        }
        QCOMPARE(grid->GetSelected(), edited);
    }
    void movesByCodeValidateTypedText_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("move");
        for (const auto &[name, orientation] :
             { std::pair("vertical", TQXCustomItemListEditor::goVertical),
               std::pair("horizontal", TQXCustomItemListEditor::goHorizontal) })
            for (const char *move :
                 { "SetSelected", "expanded by code", "propEdit removed", "other line deleted" })
                QTest::addRow("%s, %s", name, move) << int(orientation) << QString::fromLatin1(move);
    }
    void movesByCodeValidateTypedText()
    {
        QFETCH(int, orientation);
        QFETCH(QString, move);
        grid->SetOrientation(TQXGridOrientation(orientation));
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit);
        TQXItemProp *edited = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        TQXItemProp *parent = grid->Items()->Add(QStringLiteral("parent"), QStringLiteral("2"));
        parent->Items()->Add(QStringLiteral("child"), QString());
        parent->Collapse();
        QList<TQXItemProp *> validated;
        grid->OnValidated = [&](QObject *, TQXItemProp *Item, int) { validated << Item; };
        showGrid();
        const bool onName = move == QLatin1String("propEdit removed");
        focusAt(1, onName ? 0 : 1);
        editor()->deselect();
        type(QStringLiteral("x"));
        QVERIFY(editor()->Modified());
        if (move == QLatin1String("SetSelected")) {
            grid->SetSelected(parent);
        } else if (move == QLatin1String("expanded by code")) {
            parent->Expand();
        } else if (onName) {
            grid->SetPropertyOptions({});
        } else {
            const QPoint cell = cellAt(2, 1);
            grid->DeleteItem(cell.x(), cell.y());
        }
        QCOMPARE(validated, QList<TQXItemProp *>({ edited }));
        QCOMPARE(edited->GetDisplayName(), onName ? QStringLiteral("ax=1") : QStringLiteral("a=1x"));
        QVERIFY(handled.isEmpty());
    }
    void typingThatMovesTheItemValidatesNothingYet()
    {
        // Each keystroke renames the item and files it under another category, which changes the lines;
        // the text is still being typed, so nothing is validated before it is committed.
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd);
        grid->SetArrangeByCategory(true);
        grid->Items()->Categories()->SetText(QStringLiteral("Wa=Layout"));
        QStringList validated;
        grid->OnValidated = [&](QObject *, TQXItemProp *Item, int) {
            validated << (Item ? Item->Name() : QStringLiteral("(no item)"));
        };
        showGrid();
        focusAt(1, 0);
        type(QStringLiteral("Wa"));
        QVERIFY(validated.isEmpty());
        QVERIFY(handled.isEmpty());
    }
    void refusedValueKeepsTheCursorOnAMoveByCode_data() { orientations_data(); }
    void refusedValueKeepsTheCursorOnAMoveByCode()
    {
        QFETCH(int, orientation);
        grid->SetOrientation(TQXGridOrientation(orientation));
        TQXItemProp *edited = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        TQXItemProp *other = grid->Items()->Add(QStringLiteral("b"), QStringLiteral("2"));
        edited->OnValidate
            = [](QObject *, TQXItemProp *, int) { throw EConvertError(QStringLiteral("not a number")); };
        QStringList selectAsked;
        grid->OnSelectCell = [&](QObject *, int, int, bool &) { selectAsked << QStringLiteral("asked"); };
        showGrid();
        focusAt(1, 1);
        editor()->deselect();
        type(QStringLiteral("x"));
        selectAsked.clear();
        QVERIFY_THROWS_EXCEPTION(Exception, grid->SetSelected(other));
        QCOMPARE(grid->GetSelected(), edited);
        QCOMPARE(editor()->Text(), QStringLiteral("1")); // the refused change is undone
        QVERIFY(selectAsked.isEmpty());
        edited->OnValidate = {};
        grid->SetSelected(other); // a move like the user's: OnSelectCell is asked
        QCOMPARE(grid->GetSelected(), other);
        QCOMPARE(selectAsked, QStringList({ "asked" }));
    }

    // Unique names
    void duplicateNameIsHeldBackOnceThenReported()
    {
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propUnique);
        grid->Items()->Add(QStringLiteral("a"), QString());
        grid->Items()->Add(QStringLiteral("x"), QString());
        showGrid();
        grid->FocusCell(0, 2, true);
        editor()->selectAll();
        type(QStringLiteral("a"));
        QCOMPARE(grid->Items()->Items(1)->Name(), QStringLiteral("x")); // held back
        QVERIFY(handled.isEmpty());
        key(Qt::Key_Return); // submitted again
        QCOMPARE(handled, QStringList({ "Property name is not unique: a" }));
        QCOMPARE(grid->Items()->Items(1)->Name(), QStringLiteral("x"));
    }

    // Validation errors go to the row, then the grid, then the application
    void validationErrorRouting()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("n"), QStringLiteral("1"));
        item->OnValidate
            = [](QObject *, TQXItemProp *, int) { throw EConvertError(QStringLiteral("not a number")); };
        QString rowSaw, gridSaw;
        item->OnValidateError
            = [&](QObject *, TQXItemProp *, int, const Exception &e) { rowSaw = e.Message(); };
        grid->OnValidateError
            = [&](QObject *, TQXItemProp *, int, const Exception &e) { gridSaw = e.Message(); };
        showGrid();
        type(QStringLiteral("x"));
        key(Qt::Key_Return);
        QCOMPARE(rowSaw, QStringLiteral("\"1x\" is not a valid property value: not a number"));
        QVERIFY(gridSaw.isEmpty());
        QCOMPARE(editor()->Text(), QStringLiteral("1")); // the last edit is undone
        item->OnValidateError = {};
        type(QStringLiteral("y"));
        key(Qt::Key_Return);
        QCOMPARE(gridSaw, QStringLiteral("\"1y\" is not a valid property value: not a number"));
        grid->OnValidateError = {};
        type(QStringLiteral("z"));
        key(Qt::Key_Return);
        QCOMPARE(handled, QStringList({ "\"1z\" is not a valid property value: not a number" }));
    }

    // Inserting and deleting
    void insertBelowNestedItemsLandsOnTheNewItem()
    {
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit | TQXCustomItemListEditor::propAdd);
        TQXItemProp *a = grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        a->Items()->Add(QStringLiteral("a1"), QStringLiteral("2"));
        a->Items()->Add(QStringLiteral("a2"), QStringLiteral("3"));
        TQXItemProp *b = grid->Items()->Add(QStringLiteral("b"), QStringLiteral("4"));
        a->Expand();
        showGrid();
        grid->SetSelected(b);
        QCOMPARE(grid->Row(), 4);
        key(Qt::Key_Down); // the last line: a new line, and the cursor on it
        QVERIFY(grid->IsEmptyItem());
        QCOMPARE(grid->GetSelected()->Index(), 2);
        QCOMPARE(grid->Row(), 5);
        grid->SetSelected(grid->Items()->FindItemByFullPathName(QStringLiteral("a.a2")));
        key(Qt::Key_Insert); // beside the item on that line, and the cursor on the new item
        TQXItemProp *inserted = grid->GetSelected();
        QVERIFY(inserted->Name().isEmpty());
        QCOMPARE(inserted->GetParent(), a);
        QCOMPARE(inserted->Index(), 1);
        QCOMPARE(grid->Items()->FindItemByFullPathName(QStringLiteral("a.a2"))->GetValue(),
                 QStringLiteral("3"));
    }
    void ctrlDeleteDeletesOnlyWithTheOptionAndAnItem()
    {
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        grid->Items()->Add(QStringLiteral("b"), QStringLiteral("2"));
        showGrid();
        grid->SetRow(2);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(grid->GetVisibleItemCount(), 2);
        grid->SetPropertyOptions(TQXCustomItemListEditor::propDelete);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(names(), QStringList({ "a=1" }));
        QCOMPARE(grid->Row(), 1);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(names().isEmpty());
        key(Qt::Key_Delete, Qt::ControlModifier); // the empty typing line: nothing happens
        QVERIFY(names().isEmpty());
        QVERIFY(handled.isEmpty());
    }

    // Mouse
    void glyphClickExpandsAndNameClickMovesToTheValue()
    {
        TQXItemProp *parent = grid->Items()->Add(QStringLiteral("parent"), QString());
        parent->Items()->Add(QStringLiteral("child"), QString());
        parent->Collapse();
        TQXItemProp *other = grid->Items()->Add(QStringLiteral("other"), QString());
        grid->SetOptions(grid->Options() | TCustomDrawGrid::goEditing);
        showGrid();
        grid->SetRow(2);
        const QRect cell = grid->CellRect(0, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 4, cell.center().y()));
        QVERIFY(parent->IsExpanded());
        QCOMPARE(grid->GetSelected(), other); // the glyph click does not move the cursor off its item
        QCOMPARE(grid->Row(), 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 60, cell.center().y()));
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Col(), 1);
    }
    void hintsShowValueAndHint()
    {
        TQXItemProp *item = grid->Items()->Add(QStringLiteral("Width"), QStringLiteral("100"));
        item->SetHint(QStringLiteral("the text width in pixels"));
        TQXItemProp *plain = grid->Items()->Add(QStringLiteral("Tag"), QStringLiteral("1"));
        TQXItemProp *wide = grid->Items()->Add(QStringLiteral("Text"), QString(60, QLatin1Char('W')));
        QString hint;
        grid->ShowHints(item, 1, 1, hint);
        QCOMPARE(hint, QStringLiteral("100\r\n(the text width in pixels)"));
        grid->SetShowItemHintStyle(TQXCustomItemListEditor::shHintOnly);
        hint.clear();
        grid->ShowHints(plain, 1, 2, hint);
        QVERIFY(hint.isEmpty());
        grid->SetShowItemHintStyle(TQXCustomItemListEditor::shValueAndHint);
        showGrid();
        QTest::mouseMove(grid->viewport(), grid->CellRect(1, 2).center());
        QVERIFY(!grid->HintWindow()->IsHintVisible()); // fits, and no hint
        QTest::mouseMove(grid->viewport(), grid->CellRect(1, 3).center());
        QVERIFY(grid->HintWindow()->IsHintVisible()); // does not fit
        QCOMPARE(grid->HintWindow()->text(), wide->GetValue());
        grid->SetRow(2); // the in-place editor covers the current cell: take it off row 1
        QTest::mouseMove(grid->viewport(), grid->CellRect(1, 1).center());
        QVERIFY(grid->HintWindow()->IsHintVisible());
        QCOMPARE(grid->HintWindow()->text(), QStringLiteral("100\r\n(the text width in pixels)"));
    }

    // Property options
    void withoutPropEditNamesCannotBeCurrent()
    {
        grid->Items()->Add(QStringLiteral("a"), QStringLiteral("1"));
        grid->SetPropertyOptions(TQXCustomItemListEditor::propEdit);
        showGrid();
        grid->FocusCell(0, 1, true);
        QCOMPARE(grid->Col(), 0);
        grid->SetPropertyOptions({});
        QCOMPARE(grid->Col(), 1);
        grid->FocusCell(0, 1, true);
        QCOMPARE(grid->Col(), 1);
        grid->SetPropertyOptions(TQXCustomItemListEditor::propAdd);
        QVERIFY(grid->PropertyOptions() & TQXCustomItemListEditor::propEdit);
    }

    // Categories
    void namesArrangeIntoCategories()
    {
        grid->SetArrangeByCategory(true);
        grid->Items()->Categories()->SetText(QStringLiteral("Width=Layout\nColor=Visual"));
        TQXItemProp *width = grid->Items()->Add(QStringLiteral("Width"), QString());
        QVERIFY(width->GetParent());
        QCOMPARE(width->GetParent()->Name(), QStringLiteral("Layout"));
        QVERIFY(width->GetParent()->Category());
        TQXItemProp *other = grid->Items()->Add(QStringLiteral("Tag"), QString());
        QCOMPARE(other->GetParent()->Name(), QStringLiteral("Miscellaneous"));
        grid->OnCategorize = [](QObject *, TQXItemProp *, const QString &name, QString &category) {
            if (name == QLatin1String("Hint"))
                category = QStringLiteral("Help");
        };
        TQXItemProp *hint = grid->Items()->Add(QStringLiteral("Hint"), QString());
        QCOMPARE(hint->GetParent()->Name(), QStringLiteral("Help"));
    }
    void categoriesMadeWhileNamingStaySorted()
    {
        // Each category is made while the item asking for it still sits unnamed at the end of the sorted
        // list; the new category must find its place among the others all the same.
        grid->SetSorted(true);
        grid->SetArrangeByCategory(true);
        grid->Items()->Categories()->SetText(
            QStringLiteral("Width=Layout\nColor=Visual\nHint=Help\nAction=Action\nTag=Input"));
        for (const char *name : { "Width", "Color", "Tag", "Other", "Hint", "Action" })
            grid->Items()->Add()->SetName(QString::fromLatin1(name));
        QStringList names;
        for (int i = 0; i < grid->Items()->Count(); ++i)
            names << grid->Items()->Items(i)->Name();
        QCOMPARE(names, QStringList({ "Action", "Help", "Input", "Layout", "Miscellaneous", "Visual" }));
    }
    void emptyDefaultCategoryNameLeavesItemsWhereTheyAre()
    {
        grid->SetArrangeByCategory(true);
        grid->Items()->SetDefaultCategoryName(QString());
        TQXItemProp *tag = grid->Items()->Add(QStringLiteral("Tag"), QString());
        QCOMPARE(tag->GetParent(), nullptr);
    }
    void categorizeAsCopyAddsToEveryListedCategory()
    {
        TStringList map;
        map.SetText(QStringLiteral("Color=Visual\nColor=Misc"));
        TQXItemProp *visual = grid->Items()->AddCategory(QStringLiteral("Visual"), false);
        TQXItemProp *color = visual->Items()->Add(QStringLiteral("Color"), QStringLiteral("clRed"));
        grid->Categorize(color, &map, true);
        QCOMPARE(color->GetParent(), visual);
        TQXItemProp *misc = grid->Items()->FindItemByFullPathName(QStringLiteral("Misc"));
        QVERIFY(misc && misc->Category());
        QCOMPARE(misc->Items()->Count(), 1);
        QCOMPARE(misc->Items()->Items(0)->GetDisplayName(), QStringLiteral("Color=clRed"));
    }
    void loadingMovesNothing()
    {
        grid->SetArrangeByCategory(true);
        grid->Items()->Categories()->SetText(QStringLiteral("Width=Layout"));
        grid->Loading();
        TQXItemProp *width = grid->Items()->Add(QStringLiteral("Width"), QString());
        QCOMPARE(width->GetParent(), nullptr);
        grid->Loaded();
    }

    // Rows moved by the user
    void rowMoveExchangesTheItemsShownOnTheLines()
    {
        TQXItemProp *a = grid->Items()->Add(QStringLiteral("a"), QString());
        a->Items()->Add(QStringLiteral("a1"), QString());
        a->Items()->Add(QStringLiteral("a2"), QString());
        a->Expand();
        grid->MoveRow(2, 3);
        QCOMPARE(a->Items()->Items(0)->Name(), QStringLiteral("a2"));
        QCOMPARE(a->Items()->Items(1)->Name(), QStringLiteral("a1"));
    }
};

QTEST_MAIN(tst_ItemListEditing)
#include "tst_itemlistediting.moc"
