// qx-inspect from the outside: the sample program (examples/attach_sample) run under it offscreen, and
// a program without Qt. The sample prints each value that changes, so a write made by the inspector shows.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TRun
{
    int Code = -1;
    QString Output; ///< stdout and stderr of the program and of the probe, as they came
};

TRun run(const QString &program, const QStringList &options, const QStringList &programArgs = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(QX_INSPECT), options + QStringList { program } + programArgs);
    TRun result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        result.Output = QStringLiteral("<timed out>\n");
    }
    result.Output += QString::fromLocal8Bit(process.readAll());
    result.Code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

const QString sample = QStringLiteral(QX_ATTACH_SAMPLE);

} // namespace

class tst_Attach : public QObject
{
    Q_OBJECT

private slots:
    void listsTheProgramsObjectsAndNoneOfItsOwn()
    {
        // The selected button makes the inspector read defaults from a prototype button of its own.
        const TRun result = run(sample, { "--select", "SendButton", "--list" });
        QCOMPARE(result.Code, 0);
        const QStringList lines = result.Output.split(QLatin1Char('\n'));
        // Top-level widgets at the left, their children indented, the application's own objects below it.
        const qsizetype app = lines.indexOf(QStringLiteral("QApplication"));
        QVERIFY2(app >= 0, qPrintable(result.Output));
        QVERIFY(lines.indexOf(QStringLiteral("  QObject \"SampleSettings\""), app) > app);
        const qsizetype window = lines.indexOf(QStringLiteral("QWidget \"SampleWindow\""));
        QVERIFY2(window >= 0, qPrintable(result.Output));
        QVERIFY(lines.indexOf(QStringLiteral("  QLineEdit \"NameEdit\""), window) > window);
        QVERIFY(lines.indexOf(QStringLiteral("    QLineEdit \"qt_spinbox_lineedit\""), window) > window);
        // The probe's window, its inspector and the prototypes it reads defaults from are left out.
        QVERIFY2(!result.Output.contains(QLatin1String("TQX")), qPrintable(result.Output));
        QVERIFY2(lines.contains(QStringLiteral("  QPushButton \"SendButton\"")), qPrintable(result.Output));
        QVERIFY2(!lines.contains(QStringLiteral("QPushButton")), qPrintable(result.Output));
    }

    void writesThroughTheInspector_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("one object") << "NameEdit"
                                    << "text=Hello" << QStringList { "NameEdit.text=Hello" };
        QTest::newRow("their common row")
            << "NameEdit,CityEdit"
            << "text=Both" << QStringList { "NameEdit.text=Both", "CityEdit.text=Both" };
        // A row below a value, which no QObject property names.
        QTest::newRow("a part of the font") << "NameEdit"
                                            << "font.Size=21" << QStringList { "NameEdit.font.pointSize=21" };
        QTest::newRow("by class") << "QSpinBox"
                                  << "value=7" << QStringList { "CountSpin.value=7" };
    }
    void writesThroughTheInspector()
    {
        QFETCH(QString, select);
        QFETCH(QString, set);
        QFETCH(QStringList, printed);
        const TRun result = run(sample, { "-v", "--select", select, "--set", set, "--quit" });
        QCOMPARE(result.Code, 0);
        QVERIFY2(result.Output.contains(QLatin1String("qx-inspect: inspecting ")), qPrintable(result.Output));
        for (const QString &line : printed)
            QVERIFY2(result.Output.contains(line + QLatin1Char('\n')), qPrintable(result.Output));
    }

    void objectDestroyedWhileShownDropsOut()
    {
        const TRun result = run(sample, { "-v", "--select", "SendButton", "--wait", "1500", "--list" },
                                { "--delete", "SendButton", "300" });
        QCOMPARE(result.Code, 0);
        const qsizetype shown = result.Output.indexOf(QLatin1String("inspecting QPushButton \"SendButton\""));
        const qsizetype deleted = result.Output.indexOf(QLatin1String("deleted SendButton"));
        const qsizetype dropped = result.Output.indexOf(QLatin1String("inspecting nothing"));
        QVERIFY2(shown >= 0 && shown < deleted && deleted < dropped, qPrintable(result.Output));
        // The list, made after the delete, has the button's neighbours but not the button.
        const QStringList lines = result.Output.split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(QStringLiteral("  QCheckBox \"SubscribeBox\"")), qPrintable(result.Output));
        QVERIFY2(!lines.contains(QStringLiteral("  QPushButton \"SendButton\"")), qPrintable(result.Output));
    }

    void screenshotOfTheNamedObject()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("inspector.png"));
        const TRun result = run(sample, { "--select", "CountSpin", "--screenshot", file });
        QCOMPARE(result.Code, 0);
        const QImage image(file);
        QVERIFY2(image.width() >= 400 && image.height() >= 300, qPrintable(result.Output));
    }

    void missingObjectFailsTheScript()
    {
        const TRun result = run(sample, { "--select", "NoSuchWidget", "--list" });
        QCOMPARE(result.Code, 1);
        QVERIFY2(
            result.Output.contains(QLatin1String("qx-inspect: no object named or of class NoSuchWidget")),
            qPrintable(result.Output));
    }

    void programWithoutWidgetsRunsUntouched_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<int>("code");
        // Left alone by qx-inspect, which does not preload the probe.
        QTest::newRow("no Qt") << QX_PLAIN_PROGRAM
                               << "does not link Qt 6 Widgets; it runs without the inspector"
                               << "plain program: a b c\nprobe loaded: no\n"
                               << 7;
        // Left alone by the probe, which finds no QApplication.
        QTest::newRow("no QApplication")
            << QX_CORE_PROGRAM << "is not a Qt Widgets application (it has no QApplication); it runs without"
            << "core program, not a QApplication\n"
            << 5;
    }
    void programWithoutWidgetsRunsUntouched()
    {
        QFETCH(QString, program);
        QFETCH(QString, message);
        QFETCH(QString, printed);
        QFETCH(int, code);
        const TRun result = run(program, { "--list" }, { "a", "b c" });
        QCOMPARE(result.Code, code);
        QVERIFY2(result.Output.contains(message), qPrintable(result.Output));
        QVERIFY2(result.Output.contains(printed), qPrintable(result.Output));
    }
};

QTEST_GUILESS_MAIN(tst_Attach)
#include "tst_attach.moc"
