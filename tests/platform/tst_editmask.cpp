// Edit masks: how a stored mask translates into a QLineEdit input mask, whether it keeps its literals,
// and the in-place editor enforcing the mask of the cell it loads.
#include "EditMask_p.h"

#include <QXInspector/DrawGrid.h>
#include <QXInspector/InplaceEdit.h>

#include <QApplication>
#include <QTest>

using namespace QXPlatform;

class tst_EditMask : public QObject
{
    Q_OBJECT

private slots:
    // Translation
    void translates_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("inputMask");
        QTest::addColumn<bool>("savesLiterals");
        const auto row = [](const char *name, const char *mask, const char *inputMask, bool savesLiterals) {
            QTest::newRow(name) << QString::fromUtf8(mask) << QString::fromUtf8(inputMask) << savesLiterals;
        };

        row("date", "!90/00/0000;1;_", "09/99/9999;_", true);
        row("time with upper-case letters", "90:00:00 >LL;1;_", "09:99:99 >AA;_", true);
        row("phone, literals not saved, star blank", "!999-9999;0;*", "000-0000;*", false);
        row("optional letters or digits, default fields", "aaa", "nnn;_", true);
        row("escaped mask character", "\\A000", "\\A999;_", true);
        row("empty", "", "", true);

        row("letters", "Ll", "Aa;_", true);
        row("letters or digits", "Aa", "Nn;_", true);
        row("any characters", "Cc", "Xx;_", true);
        row("digit or sign", "#99", "#00;_", true);
        row("case switches", ">L<l<>C", ">A<a!X;_", true);
        row("Qt mask characters as literals", "(000) x-D-H-b", "(999) \\x-\\D-\\H-\\b;_", true);
        row("Qt reserved characters as literals", "[0]{0}", "\\[9\\]\\{9\\};_", true);
        row("underscore is a space", "00_00", "99 99;_", true);
        row("escaped separator", "00\\;00;1;_", "99\\;99;_", true);
        row("escaped backslash", "\\\\0", "\\\\9;_", true);
        row("escaped ordinary character", "\\-0", "\\-9;_", true);
        row("trailing backslash is dropped", "0\\", "9;_", true);
        row("exclamation mark anywhere is a directive", "00!00", "9999;_", true);
        row("directives only", "!;1;_", "", true);
        row("literals not saved, default blank", "000;0", "999;_", false);
        row("empty blank field keeps the default", "000;1;", "999;_", true);
        row("space blank", "000;1; ", "999; ", true);
        row("only the fields", ";0;*", "", false);
    }
    void translates()
    {
        QFETCH(QString, mask);
        QFETCH(QString, inputMask);
        QFETCH(bool, savesLiterals);
        QCOMPARE(EditMaskToInputMask(mask), inputMask);
        QCOMPARE(MaskSavesLiterals(mask), savesLiterals);
    }
    void everyTranslationIsAcceptedByQLineEdit()
    {
        // What the translation gives must mean to Qt what it says: a date mask lays typed digits out.
        QLineEdit edit;
        edit.setInputMask(EditMaskToInputMask(QStringLiteral("!90/00/0000;1;_")));
        QCOMPARE(edit.inputMask(), QStringLiteral("09/99/9999;_"));
        QCOMPARE(edit.displayText(), QStringLiteral("__/__/____"));
    }

    // The in-place editor
    void editorAcceptsAndFormatsTypedDigits()
    {
        auto *grid = Create<TCustomDrawGrid>();
        grid->resize(400, 200);
        grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
        grid->OnGetEditMask = [](QObject *, int ACol, int, QString &Value) {
            if (ACol == 1)
                Value = QStringLiteral("!90/00/0000;1;_");
        };
        grid->show();
        grid->setFocus();
        QApplication::setActiveWindow(grid);
        QVERIFY(QTest::qWaitForWindowActive(grid));
        QTRY_VERIFY(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
        TInplaceEdit *editor = grid->InplaceEditor();
        QTRY_VERIFY(editor->hasFocus());
        QCOMPARE(editor->EditMask(), QStringLiteral("!90/00/0000;1;_"));
        QCOMPARE(editor->inputMask(), QStringLiteral("09/99/9999;_"));

        QTest::keyClicks(editor, QStringLiteral("12ab052024"));
        QCOMPARE(editor->displayText(), QStringLiteral("12/05/2024"));
        QCOMPARE(editor->Text(), QStringLiteral("12/05/2024"));
        QVERIFY(editor->Modified());

        // A cell without a mask takes the mask off.
        grid->FocusCell(2, 1, true);
        QCOMPARE(editor->inputMask(), QString());
        QTest::keyClicks(editor, QStringLiteral("ab1"));
        QCOMPARE(editor->Text(), QStringLiteral("ab1"));
        Free(grid);
    }
};

QTEST_MAIN(tst_EditMask)
#include "tst_editmask.moc"
