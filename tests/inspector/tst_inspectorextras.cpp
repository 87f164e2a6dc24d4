// The inspector's opt-in conveniences: undo of writes, live values, expansion kept across a rescan, the
// search line, and the table that assistive tools see.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/QXInspectorSearchBox.h>
#include <QXInspector/QXObjectInspector.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>

#include <memory>

using namespace QXPlatform;
using QXTest::settle;

namespace {

/// Tells when its properties change and counts the reads of each, so a test can tell which rows a
/// refresh read.
class Gauge : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Level READ Level WRITE SetLevel NOTIFY levelChanged)
    Q_PROPERTY(int Quiet READ Quiet WRITE SetQuiet)
public:
    int Level() const
    {
        ++LevelReads;
        return m_level;
    }
    void SetLevel(int Value)
    {
        m_level = Value;
        Q_EMIT levelChanged(Value);
    }
    int Quiet() const
    {
        ++QuietReads;
        return m_quiet;
    }
    void SetQuiet(int Value) { m_quiet = Value; }

    mutable int LevelReads = 0;
    mutable int QuietReads = 0;

Q_SIGNALS:
    void levelChanged(int);

private:
    int m_level = 1;
    int m_quiet = 0;
};

/// A property with a RESET function, one with a declared default, one read-only, and a font.
class Dial : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Level READ Level WRITE SetLevel RESET ResetLevel)
    Q_PROPERTY(int Plain MEMBER Plain)
    Q_PROPERTY(int Fixed READ Fixed)
    Q_PROPERTY(QFont Font MEMBER Font)
    Q_PROPERTY(bool On MEMBER On)
    Q_PROPERTY(bool Locked READ Locked)
    QX_DEFAULT(Plain, "5")
public:
    int Level() const { return m_level; }
    void SetLevel(int Value) { m_level = Value; }
    void ResetLevel() { m_level = 3; }
    int Fixed() const { return 1; }
    int Plain = 5;
    QFont Font;
    bool On = false;
    bool Locked() const { return true; }

private:
    int m_level = 3;
};

} // namespace

class tst_InspectorExtras : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;

    TQXItemProperty *row(const QString &path) const
    {
        return inspector->GetItems()->FindItemByFullPathName(path);
    }
    void inspect(std::initializer_list<QObject *> objects)
    {
        for (QObject *object : objects)
            inspector->Objects()->Add(object);
        settle();
    }
    QString cell(const QString &path) const
    {
        TQXItemProperty *item = row(path);
        const int line = item ? item->GetAbsoluteVIndex() : -1;
        return line < 0 ? QStringLiteral("<hidden>") : inspector->GetCell(1, line + 1);
    }
    QString topPath() const
    {
        const int top = inspector->TopRow() - inspector->FixedRows();
        return top >= 0 && top < inspector->GetVisibleItemCount()
            ? inspector->GetVisibleItem(top)->GetFullPathName()
            : QString();
    }

    /// The colour in the middle of the square before the text of a row's value cell, as painted.
    QColor markPixel(const QString &path) const
    {
        TQXItemProperty *item = row(path);
        if (!item || item->GetAbsoluteVIndex() < 0)
            return {};
        const QRect cell = inspector->CellRect(1, item->GetAbsoluteVIndex() + 1);
        const QPoint middle
            = inspector->viewport()->mapTo(inspector, inspector->ValueMarkRect(cell).center());
        return inspector->grab().toImage().pixelColor(middle);
    }

private slots:
    void init()
    {
        inspector = Create<TQXObjectInspector>();
        inspector->resize(300, 200);
        inspector->show();
        QApplication::setActiveWindow(inspector);
        inspector->setFocus();
    }
    void cleanup() { Free(inspector); }

    void rowMenuCopiesPastesAndResets()
    {
        Dial one, two;
        one.SetLevel(7);
        two.SetLevel(9);
        one.Plain = two.Plain = 8;
        QStringList errors;
        inspector->OnValidateError
            = [&](QObject *, TQXItemProp *, int, const Exception &E) { errors << E.Message(); };
        inspect({ &one, &two });
        const auto trigger = [this](const QString &path, const char *action) {
            const std::unique_ptr<QMenu> menu(inspector->CreateRowMenu(row(path)));
            auto *found = menu->findChild<QAction *>(QLatin1String(action));
            if (!found || !found->isEnabled())
                return false;
            found->trigger();
            settle();
            return true;
        };
        QVERIFY(trigger("Font.Size", "copyPath"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Font.Size"));
        // A pasted text goes through the row's validation, as typed text does.
        QApplication::clipboard()->setText(QStringLiteral("12x"));
        QVERIFY(trigger("Plain", "pasteValue"));
        QCOMPARE(one.Plain, 8);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QLatin1String("12x")), qPrintable(errors.first()));
        QApplication::clipboard()->setText(QStringLiteral("12"));
        QVERIFY(trigger("Plain", "pasteValue"));
        QCOMPARE(two.Plain, 12);
        // Reset: through RESET on every object, else by writing the declared default; the changed-value
        // font goes with it.
        inspector->SetUndoEnabled(true);
        QVERIFY(trigger("Level", "resetToDefault"));
        QCOMPARE(one.Level(), 3);
        QCOMPARE(two.Level(), 3);
        inspector->UndoStack()->undo(); // a reset is one write of every object
        settle();
        QCOMPARE(one.Level(), 7);
        QCOMPARE(two.Level(), 9);
        inspector->UndoStack()->redo();
        settle();
        QCOMPARE(two.Level(), 3);
        QCOMPARE(row("Plain")->GetValueFont(), inspector->ValueChangedFont());
        QVERIFY(trigger("Plain", "resetToDefault"));
        QCOMPARE(one.Plain, 5);
        QCOMPARE(two.Plain, 5);
        QVERIFY(row("Plain")->GetValueFont() != inspector->ValueChangedFont());
        QVERIFY(!trigger("Plain", "resetToDefault")); // nothing left to reset
        // A read-only row offers the copies only.
        QVERIFY(!trigger("Fixed", "pasteValue"));
        QVERIFY(trigger("Fixed", "copyValue"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1"));
        // The keys shown in the menu do the same on the selected row while no cell editor is open.
        inspector->SetRowMenu(true);
        inspector->SetSelected(row("Font.Size"));
        inspector->HideEditor();
        QTest::keyClick(inspector, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Font.Size"));
        QApplication::clipboard()->setText(QStringLiteral("14"));
        QTest::keyClick(inspector, Qt::Key_V, Qt::ControlModifier);
        settle();
        QCOMPARE(one.Font.pointSize(), 14);
    }

    void resetPutsBackThePrototypesValue()
    {
        // No RESET and no declared default: a new QPushButton's value is the default.
        QPushButton button;
        button.setAutoRepeatDelay(500);
        inspect({ &button });
        TQXItemProperty *delay = row("autoRepeatDelay");
        QCOMPARE(delay->GetValueFont(), inspector->ValueChangedFont());
        QVERIFY(inspector->CanResetToDefault(delay));
        inspector->ResetToDefault(delay);
        settle();
        QCOMPARE(button.autoRepeatDelay(), 300);
        QVERIFY(row("autoRepeatDelay")->GetValueFont() != inspector->ValueChangedFont());
        QVERIFY(!inspector->CanResetToDefault(row("autoRepeatDelay")));
    }

    void checkBoxesWriteEveryObjectAndRefuseReadOnlyRows()
    {
        Dial one, two;
        one.On = true; // the objects differ: the row is blank, its box partly checked
        inspect({ &one, &two });
        inspector->SetCheckBoxes(true);
        const auto click = [this](const QString &path, int line = 1) {
            TQXItemProperty *item = row(path);
            const QRect cell = inspector->CellRect(line, item->GetAbsoluteVIndex() + 1);
            QTest::mouseClick(inspector->viewport(), Qt::LeftButton, {},
                              inspector->ValueMarkRect(cell).center());
            settle();
        };
        click("On");
        QVERIFY(one.On && two.On);
        click("On");
        QVERIFY(!one.On && !two.On);
        inspector->SetSelected(row("On"));
        QTest::keyClick(inspector, Qt::Key_Space);
        settle();
        QVERIFY(one.On && two.On);
        QVERIFY(!inspector->EditorMode());
        QVERIFY(!inspector->ToggleCheckBox(row("Locked")));
        click("Locked");
        QCOMPARE(row("Locked")->GetValue(), QStringLiteral("True"));
        // With a value line per object, a box is its own object's.
        inspector->SetDisplayOptions(inspector->DisplayOptions() | TQXCustomItemListEditor::doMultiColValues);
        settle();
        click("On", 2);
        QVERIFY(one.On && !two.On);
        // Off, a click on the same spot writes nothing.
        inspector->SetCheckBoxes(false);
        click("On", 2);
        QVERIFY(one.On && !two.On);
    }

    void classBandsInDeclaringOrder_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::newRow("sorted") << true;
        QTest::newRow("unsorted") << false;
    }
    void classBandsInDeclaringOrder()
    {
        QFETCH(bool, sorted);
        QPushButton button;
        inspector->SetSorted(sorted);
        inspector->SetArrangeByClass(true);
        QVERIFY(inspector->ArrangeByCategory());
        inspect({ &button });
        QStringList bands;
        QHash<QString, QString> bandOf;
        TQXItemProps *top = inspector->Items();
        for (int i = 0; i < top->Count(); ++i) {
            TQXItemProp *band = top->Items(i);
            QVERIFY2(band->Category(), qPrintable(band->Name()));
            bands << band->Name();
            for (int k = 0; k < band->Items()->Count(); ++k)
                bandOf.insert(band->Items()->Items(k)->Name(), band->Name());
        }
        QCOMPARE(bands, QStringList({ "QPushButton", "QAbstractButton", "QWidget", "QObject" }));
        QCOMPARE(bandOf.value("flat"), QStringLiteral("QPushButton"));
        QCOMPARE(bandOf.value("text"), QStringLiteral("QAbstractButton"));
        QCOMPARE(bandOf.value("geometry"), QStringLiteral("QWidget"));
        QCOMPARE(bandOf.value("objectName"), QStringLiteral("QObject"));
        // Each band's rows are shaded in a colour of their own, the grid's background elsewhere.
        inspector->resize(300, 900);
        inspector->FullExpand();
        inspector->SetTopRow(inspector->FixedRows());
        const auto shade = [this](const QString &path) {
            TQXItemProperty *item = row(path);
            if (!item || item->GetAbsoluteVIndex() < 0)
                return QColor();
            const QRect cell = inspector->CellRect(0, item->GetAbsoluteVIndex() + 1);
            return inspector->grab().toImage().pixelColor(
                inspector->viewport()->mapTo(inspector, cell.bottomRight() - QPoint(3, 3)));
        };
        const QColor own = shade("QPushButton.flat");
        QVERIFY(own.isValid());
        QCOMPARE(shade("QPushButton.default"), own);
        QVERIFY(shade("QAbstractButton.text") != own);
        QVERIFY(own != inspector->palette().color(QPalette::Base));
        // The search line narrows the bands as it narrows categories: only bands with a match stay.
        TQXInspectorSearchBox search;
        search.SetInspector(inspector);
        search.setText(QStringLiteral("flat"));
        search.ApplySearch();
        QCOMPARE(inspector->GetVisibleItemCount(), 2);
        QCOMPARE(inspector->GetVisibleItem(1)->Name(), QStringLiteral("flat"));
    }

    void dynamicPropertiesWrittenAddedAndRemoved()
    {
        Dial one, two;
        for (Dial *dial : { &one, &two }) {
            dial->setProperty("note", QStringLiteral("a"));
            dial->setProperty("count", 1);
        }
        one.setProperty("only", 1); // not on every object
        one.setProperty("_q_internal", 1); // Qt's own
        QStringList errors;
        inspector->OnValidateError
            = [&](QObject *, TQXItemProp *, int, const Exception &E) { errors << E.Message(); };
        inspector->SetDynamicProperties(true);
        inspect({ &one, &two });
        QVERIFY(row("note") && row("count"));
        QVERIFY(!row("only") && !row("_q_internal"));
        // A write keeps the property's type and reaches every object; a text of the wrong type is refused.
        row("count")->SetValue(QStringLiteral("5"));
        row("count")->Validate();
        settle();
        QCOMPARE(two.property("count"), QVariant(5));
        QCOMPARE(two.property("count").metaType(), QMetaType::fromType<int>());
        row("count")->SetValue(QStringLiteral("five"));
        row("count")->Validate();
        settle();
        QCOMPARE(one.property("count"), QVariant(5));
        QCOMPARE(errors.size(), 1);

        inspector->AddDynamicProperty(QStringLiteral("tag"));
        settle();
        QVERIFY(row("tag"));
        QCOMPARE(two.property("tag"), QVariant(QString()));
        const std::unique_ptr<QMenu> menu(inspector->CreateRowMenu(row("note")));
        menu->findChild<QAction *>(QStringLiteral("removeDynamicProperty"))->trigger();
        settle();
        QVERIFY(!row("note"));
        QVERIFY(!one.property("note").isValid() && !two.property("note").isValid());
        // Bands by class put them last, in a band of their own.
        inspector->SetArrangeByClass(true);
        settle();
        TQXItemProps *top = inspector->Items();
        TQXItemProp *band = top->Items(top->Count() - 1);
        QCOMPARE(band->Name(), TQXObjectInspector::DynamicPropertiesBand());
        QCOMPARE(band->Items()->Count(), 2);
    }

    void rowToolTipsNameTypeHintAndDefault()
    {
        Dial dial;
        inspect({ &dial });
        row("Plain")->SetHint(QStringLiteral("How plain it is"));
        QCOMPARE(inspector->RowToolTip(row("Plain")),
                 QStringLiteral("Plain: Integer\nHow plain it is\nDefault: 5"));
        QCOMPARE(inspector->RowToolTip(row("Fixed")), QStringLiteral("Fixed: Integer"));
        // Shown for the row under the pointer, only with the option on.
        TQXItemProperty *item = row("Plain");
        const QPoint at = inspector->CellRect(0, item->GetAbsoluteVIndex() + 1).center();
        const auto ask = [&] {
            QHelpEvent help(QEvent::ToolTip, at, inspector->viewport()->mapToGlobal(at));
            QApplication::sendEvent(inspector->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QVERIFY(!ask().contains(QLatin1String("Default: 5")));
        inspector->SetRowToolTips(true);
        QCOMPARE(ask(), inspector->RowToolTip(item));
        QToolTip::hideText();
    }

    void colorRowsPaintASwatch()
    {
        Sample sample;
        sample.Color = StringToColor(QStringLiteral("clRed"));
        inspector->resize(300, 500);
        inspect({ &sample });
        QVERIFY(markPixel("Color") != QColor(Qt::red));
        inspector->SetColorSwatches(true);
        QCOMPARE(markPixel("Color"), QColor(Qt::red));
    }

    void pictureRowsPaintAThumbnail()
    {
        QPushButton button;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        button.setIcon(QIcon(red));
        inspector->resize(300, 900);
        inspect({ &button });
        QVERIFY(markPixel("icon") != QColor(Qt::red));
        inspector->SetThumbnails(true);
        QCOMPARE(markPixel("icon"), QColor(Qt::red));
    }

    void valueSummariesFollowTheSubRows()
    {
        // Off, a row with sub-rows shows its type; on, its value, read again after a sub-row's edit.
        QPushButton button;
        button.setGeometry(10, 20, 120, 30);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(9);
        button.setFont(font);
        inspect({ &button });
        QCOMPARE(cell("geometry"), QStringLiteral("(QRect)"));
        inspector->SetValueSummaries(TQXObjectInspector::vsQtTypes);
        settle();
        QCOMPARE(cell("geometry"), QStringLiteral("[(10, 20), 120 x 30]"));
        QCOMPARE(cell("sizePolicy"), QStringLiteral("[Minimum, Fixed, 0, 0]"));
        QCOMPARE(cell("font"), QStringLiteral("(TFont)"));
        row("geometry.Width")->SetValue(QStringLiteral("64"));
        row("geometry.Width")->Validate();
        settle();
        QCOMPARE(button.width(), 64);
        QCOMPARE(cell("geometry"), QStringLiteral("[(10, 20), 64 x 30]"));
        inspector->SetValueSummaries(TQXObjectInspector::vsAllTypes);
        settle();
        QCOMPARE(cell("font"), QStringLiteral("[DejaVu Sans, 9]"));
    }

    void undoAndRedoRestoreEveryObjectWritten_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << "Tag"
                                 << "7";
        QTest::newRow("enumeration") << "Align"
                                     << "alTop";
        QTest::newRow("set member") << "Options.opSecond"
                                    << "True";
    }
    void undoAndRedoRestoreEveryObjectWritten()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        Sample one, two;
        one.Tag = 1;
        two.Tag = 2;
        one.Align = Sample::alLeft;
        two.Options = Sample::opThird;
        QUndoStack stack;
        inspector->SetUndoEnabled(true);
        inspector->SetUndoStack(&stack);
        inspect({ &one, &two });
        row("Options")->SetExpanded(true);
        const QString property = path.section(QLatin1Char('.'), 0, 0);
        const QVariant oneBefore = one.property(property.toLatin1());
        const QVariant twoBefore = two.property(property.toLatin1());

        inspector->SetSelected(row(path));
        inspector->SetGridCount(gcCurValuePos, 1);
        row(path)->SetValue(text);
        row(path)->Validate();
        settle();
        const QVariant oneAfter = one.property(property.toLatin1());
        const QVariant twoAfter = two.property(property.toLatin1());
        QVERIFY(oneAfter != oneBefore);
        QVERIFY(twoAfter != twoBefore);
        QCOMPARE(stack.count(), 1); // both objects, one command

        // The keys reach the inspector through its in-place editor.
        inspector->ShowEditor();
        QLineEdit *editor = inspector->InplaceEditor();
        QVERIFY(editor && editor->isVisible());
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        settle();
        QCOMPARE(one.property(property.toLatin1()), oneBefore);
        QCOMPARE(two.property(property.toLatin1()), twoBefore);
        inspector->ShowEditor();
        QTest::keyClick(inspector->InplaceEditor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        settle();
        QCOMPARE(one.property(property.toLatin1()), oneAfter);
        QCOMPARE(two.property(property.toLatin1()), twoAfter);
        QCOMPARE(cell(path), text);
    }

    void liveValueShowsAtOnceReadingOnlyItsRow()
    {
        Gauge gauge;
        inspect({ &gauge });
        QCOMPARE(cell("Level"), QStringLiteral("1"));
        // Off: nothing follows the object until a refresh.
        gauge.LevelReads = gauge.QuietReads = 0;
        gauge.SetLevel(2);
        settle();
        QCOMPARE(cell("Level"), QStringLiteral("1"));
        QCOMPARE(gauge.LevelReads, 0);

        inspector->SetLiveUpdate(true);
        gauge.SetLevel(3);
        gauge.SetLevel(4); // two signals in one turn: one read
        QCOMPARE(cell("Level"), QStringLiteral("1"));
        settle();
        QCOMPARE(cell("Level"), QStringLiteral("4"));
        QCOMPARE(gauge.LevelReads, 1);
        QCOMPARE(gauge.QuietReads, 0);

        // After a rescan the new rows follow the object.
        inspector->Rescan();
        gauge.LevelReads = gauge.QuietReads = 0;
        gauge.SetLevel(5);
        settle();
        QCOMPARE(cell("Level"), QStringLiteral("5"));
        QCOMPARE(gauge.LevelReads, 1);
        QCOMPARE(gauge.QuietReads, 0);
    }

    // Several objects on one value line: a value that became different shows blank, as a scan shows it,
    // after a refresh and with live values alike.
    void sharedValueFollowsEveryObject_data()
    {
        QTest::addColumn<bool>("live");
        QTest::newRow("refresh") << false;
        QTest::newRow("live values") << true;
    }
    void sharedValueFollowsEveryObject()
    {
        QFETCH(bool, live);
        Gauge one, two;
        inspector->SetLiveUpdate(live);
        inspect({ &one, &two });
        inspector->SetSelected(row("Quiet")); // the current cell shows its text even when values differ
        QCOMPARE(cell("Level"), QStringLiteral("1"));
        const auto change = [&](Gauge &gauge, int level) {
            gauge.SetLevel(level);
            if (!live)
                inspector->RefreshProperties();
            settle();
        };

        change(two, 3);
        QVERIFY(!row("Level")->IsAllEqual());
        QCOMPARE(cell("Level"), QString());
        change(one, 3);
        QVERIFY(row("Level")->IsAllEqual());
        QCOMPARE(cell("Level"), QStringLiteral("3"));
    }

    void expansionAndScrollSurviveRescan_data()
    {
        QTest::addColumn<bool>("otherObject");
        QTest::newRow("rescan") << false;
        QTest::newRow("another object of the class") << true;
    }
    void expansionAndScrollSurviveRescan()
    {
        QFETCH(bool, otherObject);
        Sample first, second;
        inspector->SetKeepExpansion(true);
        inspect({ &first });
        row("Font")->SetExpanded(true);
        row("Font.Style")->SetExpanded(true);
        const int top = row("Font.Size")->GetAbsoluteVIndex() + inspector->FixedRows();
        inspector->SetTopRow(top);
        QCOMPARE(topPath(), QStringLiteral("Font.Size"));

        if (otherObject) {
            inspector->SetComponent(&second);
            settle();
        } else {
            inspector->Rescan();
        }
        QVERIFY(row("Font")->IsExpanded());
        QVERIFY(row("Font.Style")->IsExpanded());
        QVERIFY(!row("Options")->IsExpanded());
        QCOMPARE(topPath(), QStringLiteral("Font.Size"));
    }

    void searchKeepsParentsOfNestedMatch_data()
    {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<bool>("widget");
        QTest::addColumn<QString>("font"); // the path of the font row
        QTest::addColumn<QString>("other"); // a row that does not match
        QTest::addColumn<int>("shown"); // the rows shown for the search
        QTest::newRow("plain") << false << false << "Font"
                               << "Color" << 3;
        QTest::newRow("by category: the font in two") << true << false << "Visual.Font"
                                                      << "Visual.Color" << 8;
        QTest::newRow("a widget's many rows") << false << true << "font"
                                              << "text" << 3;
    }
    void searchKeepsParentsOfNestedMatch()
    {
        QFETCH(bool, byCategory);
        QFETCH(bool, widget);
        QFETCH(QString, font);
        QFETCH(QString, other);
        QFETCH(int, shown);
        Sample sample;
        QPushButton button;
        inspector->SetArrangeByCategory(byCategory);
        inspect({ widget ? static_cast<QObject *>(&button) : &sample });
        TQXInspectorSearchBox search;
        search.SetInspector(inspector);
        const int shownBefore = inspector->GetVisibleItemCount();

        search.setText(QStringLiteral("ITALIC"));
        search.ApplySearch();
        QVERIFY(row(font + ".Style.fsItalic")->IsVisible());
        QVERIFY(row(font + ".Style")->IsVisible());
        QVERIFY(row(font)->IsVisible());
        QVERIFY(!row(font + ".Style.fsBold")->IsVisible());
        QVERIFY(!row(font + ".Size")->IsVisible());
        QVERIFY(!row(other)->IsVisible());
        QCOMPARE(inspector->GetVisibleItemCount(), shown);

        if (!widget) {
            // A value matches as well as a name.
            search.setText(QStringLiteral("alNone"));
            search.ApplySearch();
            QCOMPARE(inspector->GetVisibleItemCount(), byCategory ? 2 * (1 + 1) : 1);
        }

        search.clear();
        search.ApplySearch();
        QCOMPARE(inspector->GetVisibleItemCount(), shownBefore);
        QVERIFY(!row(font)->IsExpanded());
    }

    void accessibleTableFollowsTheGrid()
    {
        Sample sample;
        sample.Tag = -5;
        inspect({ &sample });
        QAccessibleInterface *plain = QAccessible::queryAccessibleInterface(inspector);
        QVERIFY(plain && !plain->tableInterface());

        inspector->SetAccessibleTable(true);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(inspector);
        QVERIFY(face);
        QAccessibleTableInterface *table = face->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), inspector->GetVisibleItemCount());
        QCOMPARE(table->columnCount(), 2);

        const int tagLine = row("Tag")->GetAbsoluteVIndex();
        QAccessibleInterface *tag = table->cellAt(tagLine, 1);
        QVERIFY(tag);
        QCOMPARE(tag->text(QAccessible::Name), QStringLiteral("Tag"));
        QCOMPARE(tag->text(QAccessible::Value), QStringLiteral("-5"));
        QCOMPARE(face->indexOfChild(tag), tagLine * 2 + 1);

        inspector->SetSelected(row("Tag"));
        inspector->SetGridCount(gcCurValuePos, 1);
        QAccessibleInterface *focused = face->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->tableCellInterface()->rowIndex(), tagLine);
        QVERIFY(focused->state().focused);

        // Expanding through the cell's action adds the font's rows to the table.
        const int fontLine = row("Font")->GetAbsoluteVIndex();
        QAccessibleInterface *font = table->cellAt(fontLine, 0);
        QVERIFY(font->state().collapsed);
        QVERIFY(font->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        font->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(row("Font")->IsExpanded());
        QCOMPARE(table->rowCount(), inspector->GetVisibleItemCount());
        QCOMPARE(table->cellAt(fontLine + 1, 0)->text(QAccessible::Name),
                 inspector->GetVisibleItem(fontLine + 1)->Name());
        // The same from the keyboard, through the in-place editor.
        inspector->SetSelected(row("Font"));
        inspector->ShowEditor();
        QTest::keyClick(inspector->InplaceEditor(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(font->state().collapsed);
        QTest::keyClick(inspector->InplaceEditor(), Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(font->state().expanded);
    }
};

QTEST_MAIN(tst_InspectorExtras)
#include "tst_inspectorextras.moc"
