// The item list editor's cell editor: the drop-down pick list (keys, mouse, size and place, accepting),
// double clicks, the ellipsis button, the expression mask, word moves, the list's incremental search and
// KillMessage.
#include <QXInspector/QXInplaceEditList.h>
#include <QXInspector/QXItemListEditor.h>

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace QXPlatform;

namespace {

// A pick list whose clock the test sets.
class ClockedListbox : public TPopupListbox
{
public:
    using TPopupListbox::TPopupListbox;
    qint64 now = 100000;

protected:
    qint64 TickCount() const override { return now; }
};

// Counts the posted messages it gets.
class Receiver : public QObject
{
public:
    int delivered = 0;
    bool event(QEvent *e) override
    {
        if (TakeMessage(e)) {
            ++delivered;
            return true;
        }
        return QObject::event(e);
    }
};

QImage grabOf(QWidget *Widget)
{
    return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

#define EDIT(item)                                                                                           \
    do {                                                                                                     \
        edit(item);                                                                                          \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

class tst_InplaceEditList : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    TQXItemListEditor *grid = nullptr;
    QPushButton *noFocusButton = nullptr;
    QLineEdit *other = nullptr;
    TQXInplaceEditList *editor = nullptr;
    TQXItemProp *colour = nullptr; // pick list Red, Green, Blue
    TQXItemProp *file = nullptr; // ellipsis
    TQXItemProp *number = nullptr; // expression ^[0-9]+$
    TQXItemProp *fixed = nullptr; // read-only pick list One, Two
    TQXItemProp *text = nullptr; // plain
    QList<QObject *> buttonSenders;
    QList<TQXItemProp *> validated;
    QStringList errors;
    TExceptionHandler previousHandler;

    void edit(TQXItemProp *item)
    {
        if (!window->isVisible()) {
            window->show();
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        grid->setFocus();
        grid->FocusCell(1, grid->FixedRows() + grid->AbsoluteVIndexOf(item), true);
        QTRY_VERIFY(grid->InplaceEditList() && grid->InplaceEditList()->isVisible());
        editor = grid->InplaceEditList();
        QTRY_VERIFY(editor->hasFocus());
        QCOMPARE(editor->Text(), item->GetValue());
    }
    TPopupListbox *list() const { return editor->GetPickList(); }
    QPoint buttonCenter() const { return editor->ButtonRect().center(); }
    QPoint textPoint() const { return { 8, editor->height() / 2 }; }
    QPoint editorGlobalTopLeft() const { return editor->mapToGlobal(QPoint(0, 0)); }
    void altDown() { QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier); }
    void setPickList(TQXItemProp *item, const QStringList &entries)
    {
        item->GetPickList()->Clear();
        for (const QString &entry : entries)
            item->GetPickList()->Add(entry);
    }

private slots:
    void init()
    {
        buttonSenders.clear();
        validated.clear();
        errors.clear();
        previousHandler = SetExceptionHandler([this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const Exception &error) {
                errors << error.ClassName() + QStringLiteral(": ") + error.Message();
            } catch (...) {
                errors << QStringLiteral("unknown");
            }
        });
        window = new QWidget;
        window->resize(320, 280);
        grid = Create<TQXItemListEditor>(window);
        grid->setGeometry(0, 0, 320, 220);
        grid->SetDisplayOptions(grid->DisplayOptions() | TQXCustomItemListEditor::doShowReadOnly);
        noFocusButton = new QPushButton(QStringLiteral("x"), window);
        noFocusButton->setFocusPolicy(Qt::NoFocus);
        noFocusButton->setGeometry(0, 225, 40, 24);
        other = new QLineEdit(window);
        other->setGeometry(50, 225, 200, 24);

        colour = grid->Items()->Add(QStringLiteral("Colour"), QStringLiteral("Red"));
        colour->SetEditStyle(esPickList);
        setPickList(colour, { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") });
        file = grid->Items()->Add(QStringLiteral("File"), QStringLiteral("a.txt"));
        file->SetEditStyle(esEllipsis);
        file->OnEditButtonClick = [this](QObject *sender) { buttonSenders << sender; };
        number = grid->Items()->Add(QStringLiteral("Number"), QStringLiteral("12"));
        number->SetExpressionMask(true);
        number->SetEditMask(QStringLiteral("^[0-9]+$"));
        fixed = grid->Items()->Add(QStringLiteral("Fixed"), QStringLiteral("One"));
        fixed->SetEditStyle(esPickList);
        setPickList(fixed, { QStringLiteral("One"), QStringLiteral("Two") });
        fixed->SetReadOnly(true);
        text = grid->Items()->Add(QStringLiteral("Text"), QStringLiteral("hello world-foo bar"));
        grid->OnValidated = [this](QObject *, TQXItemProp *item, int) { validated << item; };
    }
    void cleanup()
    {
        editor = nullptr;
        FreeAndNil(grid);
        delete window;
        window = nullptr;
        SetExceptionHandler(previousHandler);
    }

    // Opening and closing the list with keys
    void altDownOpensAndAltDownTakesTheSelection()
    {
        EDIT(colour);
        QCOMPARE(editor->EditStyle(), esPickList);
        QCOMPARE(editor->ActiveList(), list());
        altDown();
        QVERIFY(editor->ListVisible());
        QVERIFY(list()->isVisible());
        QVERIFY(editor->hasFocus());
        QCOMPARE(list()->Items()->ToStringList(), QStringList({ "Red", "Green", "Blue" }));
        QCOMPARE(list()->ItemIndex(), 0);
        // While the list is shown, it gets the keys.
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(list()->ItemIndex(), 1);
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        altDown();
        QVERIFY(!editor->ListVisible());
        QVERIFY(!list()->isVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Green"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Green"));
        QCOMPARE(validated, QList<TQXItemProp *>({ colour }));
        // Alt+Up opens and closes as well.
        QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
        QVERIFY(editor->ListVisible());
        QCOMPARE(list()->ItemIndex(), 1);
        QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
        QVERIFY(!editor->ListVisible());
    }
    void enterTakesTheSelection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterTakesTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        EDIT(colour);
        altDown();
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Blue"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Blue"));
        QVERIFY(!validated.isEmpty());
    }
    void escapeClosesWithoutTaking()
    {
        EDIT(colour);
        altDown();
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->ListVisible());
        QVERIFY(!list()->isVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Red"));
        QVERIFY(validated.isEmpty());
    }
    void otherKeysNeitherOpenNorClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
        QTest::newRow("Alt+F4 is no drop-down key") << int(Qt::Key_F4) << int(Qt::AltModifier);
        QTest::newRow("Alt+PageDown") << int(Qt::Key_PageDown) << int(Qt::AltModifier);
        QTest::newRow("Ctrl+F4") << int(Qt::Key_F4) << int(Qt::ControlModifier);
    }
    void otherKeysNeitherOpenNorClose()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        EDIT(colour);
        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!editor->ListVisible());
        altDown();
        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(editor->ListVisible());
        QVERIFY(list()->isVisible());
    }
    void enterAndEscapeWithTheListClosedReachTheGrid()
    {
        EDIT(colour);
        QTest::keyClicks(editor, QStringLiteral("Pink"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Pink"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QTest::keyClicks(editor, QStringLiteral("Pink"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(validated, QList<TQXItemProp *>({ colour }));
        QCOMPARE(editor->Text(), QStringLiteral("Pink"));
        QVERIFY(!editor->ListVisible());
    }

    // Opening and closing the list with the mouse and the focus
    void buttonOpensAndClosesWithoutTaking()
    {
        EDIT(colour);
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(editor->ListVisible());
        QVERIFY(!editor->Tracking());
        QVERIFY(!editor->Pressed());
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
    }
    void clickingAnEntryTakesIt()
    {
        EDIT(colour);
        altDown();
        const QRect blue = list()->visualItemRect(list()->item(2));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, blue.center());
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Blue"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Blue"));
        QVERIFY(editor->hasFocus());
    }
    void pressOnTheButtonDraggedIntoTheListPicksTheEntryReleasedOn()
    {
        EDIT(colour);
        QTest::mousePress(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(editor->ListVisible());
        QVERIFY(editor->Tracking());
        QVERIFY(editor->Pressed());
        const QRect green = list()->visualItemRect(list()->item(1));
        const QPoint inEditor = editor->mapFromGlobal(list()->viewport()->mapToGlobal(green.center()));
        QTest::mouseMove(editor, inEditor);
        QVERIFY(!editor->Tracking());
        QVERIFY(!editor->Pressed());
        QCOMPARE(list()->ItemIndex(), 1);
        QTest::mouseRelease(editor, Qt::LeftButton, {}, inEditor);
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Green"));
    }
    void pressElsewhereOrFocusLossClosesWithoutTaking()
    {
        EDIT(colour);
        altDown();
        QTest::keyClick(editor, Qt::Key_Down);
        // A press on a control that takes no focus: the editor keeps the focus, the list closes.
        QTest::mouseClick(noFocusButton, Qt::LeftButton);
        QVERIFY(!editor->ListVisible());
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->Text(), QStringLiteral("Red"));

        altDown();
        QTest::keyClick(editor, Qt::Key_Down);
        other->setFocus();
        QTRY_VERIFY(!editor->ListVisible());
        QVERIFY(!list()->isVisible());
        QCOMPARE(colour->GetValue(), QStringLiteral("Red"));
    }

    // The list's size and place
    void listHeightFollowsTheRows_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("rows");
        QTest::newRow("more entries than DropDownRows") << 20 << 8;
        QTest::newRow("fewer entries") << 3 << 3;
        QTest::newRow("no entries") << 0 << 1;
    }
    void listHeightFollowsTheRows()
    {
        QFETCH(int, entries);
        QFETCH(int, rows);
        // The item's own pick list keeps it a pick-list item; its handler decides what the list shows.
        colour->OnGetPickList = [entries](QObject *, const QString &, TStrings *Values) {
            Values->Clear();
            for (int i = 0; i < entries; ++i)
                Values->Add(QStringLiteral("v%1").arg(i));
        };
        EDIT(colour);
        QCOMPARE(editor->DropDownRows(), 8);
        altDown();
        QVERIFY(editor->ListVisible());
        // ItemHeight is the rows' real height: the list shows whole rows.
        const int itemHeight = list()->ItemHeight();
        QCOMPARE(list()->height(), rows * itemHeight + TPopupListbox::BorderSize);
        if (entries > 0)
            QTRY_COMPARE(list()->visualItemRect(list()->item(0)).height(), itemHeight);
        QCOMPARE(list()->viewport()->height(), rows * itemHeight);
        // Under the cell, at its left edge, at least as wide.
        QCOMPARE(list()->pos(), editorGlobalTopLeft() + QPoint(0, editor->height()));
        QVERIFY(list()->width() >= editor->width());
    }
    void wideEntriesWidenTheList()
    {
        const QString wide = QStringLiteral("A rather long colour name that does not fit into the cell");
        setPickList(colour, { QStringLiteral("Red"), wide });
        EDIT(colour);
        altDown();
        QVERIFY(list()->width() > editor->width());
        QVERIFY(list()->viewport()->width() >= list()->fontMetrics().horizontalAdvance(wide));
    }
    void listOpensAboveTheCellNearTheBottomOfTheScreen()
    {
        EDIT(colour);
        const QRect screen = editor->screen()->geometry();
        // Move the window until the cell is 10 pixels above the screen's bottom edge.
        const int editorBottom = editorGlobalTopLeft().y() + editor->height();
        window->move(window->x(), window->y() + (screen.bottom() + 1 - 10 - editorBottom));
        QTRY_COMPARE(editorGlobalTopLeft().y() + editor->height(), screen.bottom() + 1 - 10);
        altDown();
        QVERIFY(editor->ListVisible());
        QCOMPARE(list()->x(), editorGlobalTopLeft().x());
        QCOMPARE(list()->y() + list()->height(), editorGlobalTopLeft().y());
    }

    // Accepting
    void readOnlyItemNeitherChangesNorValidates()
    {
        EDIT(fixed);
        QVERIFY(editor->isReadOnly());
        altDown();
        QVERIFY(editor->ListVisible());
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(list()->ItemIndex(), 1);
        altDown();
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("One"));
        QCOMPARE(fixed->GetValue(), QStringLiteral("One"));
        QVERIFY(validated.isEmpty());
        // A click on an entry neither.
        altDown();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(1)).center());
        QVERIFY(!editor->ListVisible());
        QCOMPARE(fixed->GetValue(), QStringLiteral("One"));
        QVERIFY(validated.isEmpty());
    }

    // Double clicks
    void doubleClickCyclesThroughTheValues()
    {
        EDIT(colour);
        const QStringList expected = { "Green", "Blue", "Red", "Green" };
        for (const QString &value : expected) {
            QTest::mouseDClick(editor, Qt::LeftButton, {}, textPoint());
            QCOMPARE(editor->Text(), value);
            QCOMPARE(colour->GetValue(), value);
            QCOMPARE(editor->selectedText(), value);
        }
        QCOMPARE(validated.size(), expected.size());
        QVERIFY(!editor->ListVisible());
    }
    void doubleClickOnTheDropButtonDoesNotCycle()
    {
        EDIT(colour);
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(editor->ListVisible());
        QTest::mouseDClick(editor, Qt::LeftButton, {}, buttonCenter());
        QTest::mouseRelease(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(!editor->ListVisible());
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Red")); // the refused entry never reached the item
        QVERIFY(!editor->Modified());
        QVERIFY(validated.isEmpty());
    }
    void doubleClickOnAReadOnlyPickListDoesNothing()
    {
        EDIT(fixed);
        QTest::mouseDClick(editor, Qt::LeftButton, {}, textPoint());
        QCOMPARE(editor->Text(), QStringLiteral("One"));
        QVERIFY(validated.isEmpty());
    }
    void doubleClickGoesToTheGridsHandlerWhenThereIsOne()
    {
        int gridDoubleClicks = 0;
        grid->OnDblClick = [&](QObject *sender) {
            QCOMPARE(sender, grid);
            ++gridDoubleClicks;
        };
        EDIT(colour);
        QTest::mouseDClick(editor, Qt::LeftButton, {}, textPoint());
        QCOMPARE(gridDoubleClicks, 1);
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        EDIT(text);
        QTest::mouseDClick(editor, Qt::LeftButton, {}, textPoint());
        QCOMPARE(gridDoubleClicks, 2);
    }
    void doubleClickOnAnEllipsisCellClicksTheButton()
    {
        EDIT(file);
        QTest::mouseDClick(editor, Qt::LeftButton, {}, textPoint());
        QCOMPARE(buttonSenders, QList<QObject *>({ file }));
    }

    // The button
    void ellipsisButtonFiresTheItemsEvent()
    {
        EDIT(file);
        QCOMPARE(editor->EditStyle(), esEllipsis);
        QCOMPARE(editor->ActiveList(), nullptr);
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QCOMPARE(buttonSenders, QList<QObject *>({ file }));
        QVERIFY(!editor->ListVisible());
        // Released away from the button, a press is no click; the button follows the pointer meanwhile.
        QTest::mousePress(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(editor->Pressed());
        QTest::mouseMove(editor, textPoint());
        QVERIFY(editor->Tracking());
        QVERIFY(!editor->Pressed());
        QTest::mouseMove(editor, buttonCenter());
        QVERIFY(editor->Pressed());
        QTest::mouseMove(editor, textPoint());
        QTest::mouseRelease(editor, Qt::LeftButton, {}, textPoint());
        QVERIFY(!editor->Tracking());
        QCOMPARE(buttonSenders.size(), 1);
        // The text is not the button's.
        QTest::mouseClick(editor, Qt::LeftButton, {}, textPoint());
        QCOMPARE(buttonSenders.size(), 1);
    }
    void itemsButtonHandlerComesBeforeTheGrids()
    {
        QList<QObject *> gridSenders;
        grid->OnEditButtonClick = [&](QObject *sender) { gridSenders << sender; };
        EDIT(file);
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QCOMPARE(buttonSenders, QList<QObject *>({ file }));
        QVERIFY(gridSenders.isEmpty());
        file->OnEditButtonClick = {};
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QCOMPARE(gridSenders, QList<QObject *>({ file })); // the grid's handler, with the item as sender
        QCOMPARE(buttonSenders.size(), 1);
    }
    void buttonAreaFollowsTheEditStyleAndTheLayout()
    {
        EDIT(text);
        QCOMPARE(editor->EditStyle(), esSimple);
        const int plainRight = editor->textMargins().right();
        QVERIFY(plainRight < editor->ButtonWidth());
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QVERIFY(buttonSenders.isEmpty());
        QVERIFY(!editor->ListVisible());

        EDIT(file);
        QCOMPARE(editor->ButtonWidth(),
                 editor->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, editor));
        QCOMPARE(editor->ButtonRect(),
                 QRect(editor->width() - editor->ButtonWidth(), 0, editor->ButtonWidth(), editor->height()));
        QCOMPARE(editor->textMargins().right(), plainRight + editor->ButtonWidth());
        // The pointer is an arrow over the button and an I-beam over the text.
        QMouseEvent overButton(QEvent::MouseMove, QPointF(buttonCenter()),
                               QPointF(editor->mapToGlobal(buttonCenter())), Qt::NoButton, Qt::NoButton,
                               Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &overButton);
        QCOMPARE(editor->cursor().shape(), Qt::ArrowCursor);
        QMouseEvent overText(QEvent::MouseMove, QPointF(textPoint()),
                             QPointF(editor->mapToGlobal(textPoint())), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &overText);
        QCOMPARE(editor->cursor().shape(), Qt::IBeamCursor);

        // Right to left, the button is at the left.
        grid->setLayoutDirection(Qt::RightToLeft);
        EDIT(colour);
        EDIT(file);
        QCOMPARE(editor->ButtonRect(), QRect(0, 0, editor->ButtonWidth(), editor->height()));
        QCOMPARE(editor->textMargins().left(), plainRight + editor->ButtonWidth());
        QTest::mouseClick(editor, Qt::LeftButton, {}, buttonCenter());
        QCOMPARE(buttonSenders, QList<QObject *>({ file }));
    }

    // The expression
    void expressionComesFromExpressionItemsOnly()
    {
        EDIT(number);
        QCOMPARE(editor->GetExpression(), QStringLiteral("^[0-9]+$"));
        QCOMPARE(editor->inputMask(), QString());
        EDIT(text);
        QCOMPARE(editor->GetExpression(), QString());
    }
    void rejectedValueIsNotCommitted_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
        // Tab reaches the editor's key handling only when it moves between cells (goTabs).
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
        QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier);
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier);
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << int(Qt::NoModifier);
        QTest::newRow("Insert") << int(Qt::Key_Insert) << int(Qt::NoModifier);
    }
    void rejectedValueIsNotCommitted()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        grid->SetOptions(grid->Options() | goTabs);
        EDIT(number);
        const int row = grid->Row();
        const int col = grid->Col();
        QTest::keyClicks(editor, QStringLiteral("12a"));
        QCOMPARE(number->GetValue(), QStringLiteral("12a"));
        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(errors,
                 QStringList(
                     { "EVESKException: \"12a\" is not a valid property value: the text does not match the "
                       "pattern ^[0-9]+$" }));
        // The last edit is undone, and the key went no further.
        QCOMPARE(editor->Text(), QStringLiteral("12"));
        QCOMPARE(number->GetValue(), QStringLiteral("12"));
        QCOMPARE(grid->Row(), row);
        QCOMPARE(grid->Col(), col);
        QVERIFY(validated.isEmpty());
    }
    void escapeAbandonsARejectedText()
    {
        EDIT(number);
        QTest::keyClicks(editor, QStringLiteral("3a"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(editor->Text(), QStringLiteral("12"));
        QCOMPARE(number->GetValue(), QStringLiteral("12"));
    }
    void escapeRestoresALoadedTextTheExpressionRefuses()
    {
        number->SetValue(QStringLiteral("n/a"));
        EDIT(number);
        QTest::keyClicks(editor, QStringLiteral("x"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(errors.isEmpty());
        QCOMPARE(editor->Text(), QStringLiteral("n/a"));
        QCOMPARE(number->GetValue(), QStringLiteral("n/a"));
    }
    void acceptedValueIsCommitted()
    {
        EDIT(number);
        QTest::keyClicks(editor, QStringLiteral("345"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(errors.isEmpty());
        QCOMPARE(number->GetValue(), QStringLiteral("345"));
        QCOMPARE(validated, QList<TQXItemProp *>({ number }));
    }
    void anAssignedTextMustMatchAsAWhole()
    {
        EDIT(number);
        editor->SetText(QStringLiteral("77"));
        QCOMPARE(editor->Text(), QStringLiteral("77"));
        editor->SetText(QStringLiteral("7x"));
        QCOMPARE(editor->Text(), QStringLiteral("77"));
        editor->SetText(QStringLiteral("x7"));
        QCOMPARE(editor->Text(), QStringLiteral("77"));
    }
    void aRejectedEntryFromTheListIsUndone()
    {
        colour->SetExpressionMask(true);
        colour->SetEditMask(QStringLiteral("^[A-Z][a-z]+$"));
        setPickList(colour, { QStringLiteral("Red"), QStringLiteral("green") });
        EDIT(colour);
        altDown();
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->ListVisible());
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.at(0).startsWith(
                     QStringLiteral("EVESKException: \"green\" is not a valid property value: ")),
                 qPrintable(errors.at(0)));
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QCOMPARE(colour->GetValue(), QStringLiteral("Red")); // the refused entry never reached the item
        QVERIFY(!editor->Modified());
        QVERIFY(validated.isEmpty());
    }

    // Word moves
    void ctrlArrowsMoveByWords_data()
    {
        // "hello world-foo bar": words start at 0, 6, 12 and 16; the text is 19 characters long.
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("newCaret");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        const int left = Qt::Key_Left;
        const int right = Qt::Key_Right;
        QTest::newRow("left from inside a word to its start") << 7 << 7 << left << false << 6 << -1 << 0;
        QTest::newRow("left from a word's start to the previous word")
            << 6 << 6 << left << false << 0 << -1 << 0;
        QTest::newRow("left over a separator") << 12 << 12 << left << false << 6 << -1 << 0;
        QTest::newRow("right from inside a word to the next word")
            << 8 << 8 << right << false << 12 << -1 << 0;
        QTest::newRow("right from the last word to the end") << 17 << 17 << right << false << 19 << -1 << 0;
        QTest::newRow("left with a selection drops it") << 9 << 16 << left << false << 12 << -1 << 0;
        QTest::newRow("shift right selects") << 6 << 6 << right << true << 12 << 6 << 6;
        QTest::newRow("shift right grows from the anchor") << 0 << 6 << right << true << 12 << 0 << 12;
        QTest::newRow("shift left moves the selection's start") << 12 << 6 << left << true << 0 << 0 << 12;
        QTest::newRow("shift left shrinks from the end") << 0 << 12 << left << true << 6 << 0 << 6;
    }
    void ctrlArrowsMoveByWords()
    {
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(int, newCaret);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        EDIT(text);
        QVERIFY(grid->Options() & goAlwaysShowEditor);
        editor->deselect();
        if (anchor == caret)
            editor->setCursorPosition(caret);
        else
            editor->setSelection(anchor, caret - anchor);
        const int row = grid->Row();
        QTest::keyClick(editor, Qt::Key(key),
                        Qt::ControlModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier));
        QCOMPARE(editor->cursorPosition(), newCaret);
        QCOMPARE(editor->selectionStart(), selStart);
        QCOMPARE(editor->selectedText().size(), selLength);
        QCOMPARE(grid->Row(), row);
        QCOMPARE(editor->Text(), QStringLiteral("hello world-foo bar"));
    }

    // Incremental search
    void typingInTheOpenListSelectsTheFirstMatch()
    {
        setPickList(colour, { "Banana", "Abacus", "abba", "Apple", "ABBEY" });
        EDIT(colour);
        altDown();
        QTest::keyClicks(editor, QStringLiteral("ab"));
        QCOMPARE(list()->ItemIndex(), 1);
        QTest::keyClicks(editor, QStringLiteral("b"));
        QCOMPARE(list()->ItemIndex(), 2);
        QCOMPARE(list()->SearchText(), QStringLiteral("abb"));
        // The keys went to the list, not into the text.
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(list()->SearchText(), QString());
        QCOMPARE(editor->Text(), QStringLiteral("Red"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(editor->Text(), QStringLiteral("abba"));
    }
    void searchRestartsAfterAPauseAndStopsGrowing()
    {
        ClockedListbox box(nullptr);
        box.Items()->SetStrings({ "Banana", "ab", "abc", QString(40, u'a') });
        box.show();
        QTest::keyClick(&box, Qt::Key_A);
        box.now += 1000;
        QTest::keyClick(&box, Qt::Key_B);
        QCOMPARE(box.SearchText(), QStringLiteral("ab"));
        QCOMPARE(box.ItemIndex(), 1);
        // A pause of exactly 2 seconds still continues the search; a longer one starts a new one.
        box.now += TPopupListbox::SearchPause;
        QTest::keyClick(&box, Qt::Key_C);
        QCOMPARE(box.SearchText(), QStringLiteral("abc"));
        QCOMPARE(box.ItemIndex(), 2);
        box.now += TPopupListbox::SearchPause + 1;
        QTest::keyClick(&box, Qt::Key_B);
        QCOMPARE(box.SearchText(), QStringLiteral("b"));
        QCOMPARE(box.ItemIndex(), 0);
        // No match leaves the selection.
        QTest::keyClick(&box, Qt::Key_X);
        QCOMPARE(box.ItemIndex(), 0);
        QTest::keyClick(&box, Qt::Key_Escape);
        QCOMPARE(box.SearchText(), QString());
        for (int i = 0; i < 40; ++i)
            QTest::keyClick(&box, Qt::Key_A);
        QCOMPARE(box.SearchText(), QString(TPopupListbox::MaxSearchLength, u'a'));
        QCOMPARE(box.ItemIndex(), 3);
        QTest::keyClick(&box, Qt::Key_Z);
        QCOMPARE(box.SearchText(), QString(TPopupListbox::MaxSearchLength, u'a'));
        QCOMPARE(box.ItemIndex(), 3);
    }

    // KillMessage
    void killMessageTakesBackOneWaitingMessage()
    {
        Receiver receiver;
        QVERIFY(PostMessage(&receiver, 2475));
        QVERIFY(PostMessage(&receiver, 2475));
        QVERIFY(PostMessage(&receiver, 2476));
        QVERIFY(KillMessage(&receiver, 2475));
        QCOMPARE(WaitingMessageCount(&receiver, 2475), 1);
        QCOMPARE(WaitingMessageCount(&receiver, 2476), 1);
        QVERIFY(KillMessage(&receiver, 2475));
        QVERIFY(!KillMessage(&receiver, 2475));
        QCoreApplication::sendPostedEvents(&receiver);
        QCOMPARE(receiver.delivered, 1);
    }

    // What it looks like
    void screenshotOfTheButtonAndAnOpenList()
    {
        EDIT(file);
        const QImage ellipsis = grabOf(window);
        const QRect button = editor->ButtonRect().translated(editor->mapTo(window, QPoint(0, 0)));
        // The middle one of the three black squares.
        const int side = qMax(1, editor->ButtonWidth() / 8);
        const QPoint dot(button.left() + button.width() / 2 - 1, button.top() + button.height() / 2 - 1);
        QCOMPARE(ellipsis.pixel(dot + QPoint(side / 2, side / 2)), qRgb(0, 0, 0));
        QCOMPARE(ellipsis.pixel(dot + QPoint(2 * side, 0)), qRgb(0, 0, 0));
        QVERIFY(ellipsis.pixel(dot + QPoint(side, 0)) != qRgb(0, 0, 0));

        EDIT(colour);
        altDown();
        QVERIFY(list()->isVisible());
        const QImage withList = grabOf(window);
        const QImage listImage = grabOf(list());
        const QPoint listAt = list()->pos() - window->mapToGlobal(QPoint(0, 0));
        // The selected entry is drawn in the active highlight colour although its window is never active.
        const QRect selected = list()->visualItemRect(list()->item(0)).translated(list()->viewport()->pos());
        QCOMPARE(QColor(listImage.pixel(selected.right() - 2, selected.center().y())),
                 list()->palette().color(QPalette::Active, QPalette::Highlight));

        QImage shot(ellipsis.width() * 2 + 10, qMax(ellipsis.height(), listAt.y() + listImage.height()),
                    QImage::Format_RGB32);
        shot.fill(Qt::darkGray);
        QPainter painter(&shot);
        painter.drawImage(0, 0, ellipsis);
        painter.drawImage(ellipsis.width() + 10, 0, withList);
        painter.drawImage(ellipsis.width() + 10 + listAt.x(), listAt.y(), listImage);
        painter.end();
        QVERIFY(shot.save(QStringLiteral("/tmp/inplaceeditlist.png")));
    }
};

QTEST_MAIN(tst_InplaceEditList)
#include "tst_inplaceeditlist.moc"
