// The strings editor driven as a user drives it: typing in the memo, switching views, editing the INI
// grid, loading and saving files, and OK.
#include "QXTestSupport.h"

#include <QXInspector/CommonDialogs.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXTStringsEditor.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace QXPlatform;

namespace {

/// Answers the next file dialog that opens with FileName.
void answerFileDialog(QFileDialog *dialog, const QString &FileName)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    QTimer::singleShot(0, dialog, [dialog, FileName] {
        dialog->selectFile(FileName);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QStringList fileLines(const QString &FileName)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    return lines.ToStringList();
}

TQXItemProp *rowNamed(TfrmQXStringsEditor &editor, const QString &Name)
{
    TQXItemProps *rows = editor.INIEditor()->Items();
    for (int i = 0; i < rows->Count(); ++i)
        if (rows->Items(i)->Name() == Name)
            return rows->Items(i);
    return nullptr;
}

} // namespace

class tst_StringsEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineCounterFollowsTyping_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("counter");
        QTest::newRow("nothing") << QStringList() << "0 lines";
        QTest::newRow("one line") << QStringList({ "one" }) << "1 line";
        QTest::newRow("line break after one line") << QStringList({ "one", "" }) << "1 line";
        QTest::newRow("two lines") << QStringList({ "one", "two" }) << "2 lines";
    }
    void lineCounterFollowsTyping()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, counter);
        TfrmQXStringsEditor editor;
        editor.show();
        for (int i = 0; i < typed.size(); ++i) {
            if (i > 0)
                QTest::keyClick(editor.Memo(), Qt::Key_Return);
            QTest::keyClicks(editor.Memo(), typed.at(i));
        }
        QCOMPARE(editor.findChild<QLabel *>(QStringLiteral("lblLineCount"))->text(), counter);
    }

    void singleViewShowsNoTabs_data()
    {
        QTest::addColumn<bool>("memo");
        QTest::addColumn<bool>("ini");
        QTest::newRow("both") << true << true;
        QTest::newRow("INI only") << false << true;
        QTest::newRow("memo only") << true << false;
    }
    void singleViewShowsNoTabs()
    {
        QFETCH(bool, memo);
        QFETCH(bool, ini);
        TfrmQXStringsEditor editor;
        editor.SetINIView(ini);
        editor.SetMemoView(memo);
        editor.show();
        QCOMPARE(editor.Pages()->tabBar()->isVisible(), memo && ini);
        QWidget *view = ini && !memo ? static_cast<QWidget *>(editor.INIEditor()) : editor.Memo();
        QCOMPARE(editor.Pages()->currentWidget()->isAncestorOf(view), true);
        QCOMPARE(editor.focusWidget(), view);
    }

    void helpAsksForEachContext_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("context");
        QTest::newRow("Help button") << "button" << 26000;
        QTest::newRow("F1 in the open dialog") << "open" << 26040;
        QTest::newRow("F1 in the save dialog") << "save" << 26050;
    }
    void helpAsksForEachContext()
    {
        QFETCH(QString, where);
        QFETCH(int, context);
        int asked = 0;
        const THelpHandler previous = SetHelpHandler([&asked](int context) { asked = context; });
        const auto restore = qScopeGuard([&] { SetHelpHandler(previous); });
        TfrmQXStringsEditor editor;
        editor.show();
        if (where == QLatin1String("button")) {
            QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("btnHelp")), Qt::LeftButton);
        } else {
            QFileDialog *files = where == QLatin1String("open") ? editor.OpenDialog() : editor.SaveDialog();
            files->setOption(QFileDialog::DontUseNativeDialog);
            files->show();
            QApplication::setActiveWindow(files);
            QVERIFY(QTest::qWaitForWindowActive(files));
            QTest::keyClick(files, Qt::Key_F1);
            files->hide();
        }
        QCOMPARE(asked, context);
    }

    // The INI view
    void iniEditDeliveredOnOk()
    {
        TfrmQXStringsEditor editor;
        editor.SetLines(QStringList({ "a=1", "b=2" }));
        editor.show();
        editor.Pages()->setCurrentIndex(1);
        rowNamed(editor, "b")->SetValue(QStringLiteral("9"));
        editor.INIEditor()->Items()->Add(QStringLiteral("c"), QStringLiteral("3"));
        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.Lines(), QStringList({ "a=1", "b=9", "c=3" }));
    }

    void untouchedLinesSurviveTheIniView()
    {
        const QStringList lines { "[font]", "font.size=10", "plain", "empty=", "x=1=2" };
        TfrmQXStringsEditor editor;
        editor.SetLines(lines);
        editor.show();
        editor.Pages()->setCurrentIndex(1);
        QCOMPARE(editor.INIEditor()->Items()->Count(), lines.size());
        editor.Pages()->setCurrentIndex(0);
        QCOMPARE(editor.Lines(), lines);
    }

    void loadAndSaveOnIniPageKeepGridAndMemoInStep()
    {
        QTemporaryDir dir;
        const QString loaded = dir.filePath(QStringLiteral("loaded.txt"));
        const QString saved = dir.filePath(QStringLiteral("saved.txt"));
        TStringList file;
        file.SetStrings({ "k=loaded", "other" });
        file.SaveToFile(loaded);

        TfrmQXStringsEditor editor;
        editor.SetLines(QStringList({ "k=old" }));
        editor.show();
        editor.Pages()->setCurrentIndex(1);
        answerFileDialog(editor.OpenDialog(), loaded);
        editor.StringEditorMenu()->actions().at(0)->trigger();
        QCOMPARE(editor.INILines(), QStringList({ "k=loaded", "other" }));

        rowNamed(editor, "k")->SetValue(QStringLiteral("edited"));
        answerFileDialog(editor.SaveDialog(), saved);
        editor.StringEditorMenu()->actions().at(1)->trigger();
        QCOMPARE(fileLines(saved), QStringList({ "k=edited", "other" }));
        editor.accept();
        QCOMPARE(editor.Lines(), QStringList({ "k=edited", "other" }));
    }
};

QTEST_MAIN(tst_StringsEditor)
#include "tst_stringseditor.moc"
