// File dialog filters written as description|patterns pairs, converted to Qt's name filters.
#include <QXInspector/CommonDialogs.h>

#include <QFileDialog>
#include <QTest>

using namespace QXPlatform;

class tst_CommonDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertFileFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("converted");
        QTest::newRow("one pair") << "Text files (*.TXT)|*.TXT"
                                  << QStringList({ "Text files (*.TXT *.txt)" });
        QTest::newRow("two patterns") << "Config files (*.SYS;*.INI)|*.SYS;*.INI"
                                      << QStringList({ "Config files (*.SYS *.sys *.INI *.ini)" });
        QTest::newRow("every file") << "All files (*.*)|*.*" << QStringList({ "All files (*)" });
        QTest::newRow("no parentheses")
            << "Pictures|*.png;*.jpg" << QStringList({ "Pictures (*.png *.jpg)" });
        QTest::newRow("pair without patterns") << "Nothing||Logs|*.log" << QStringList({ "Logs (*.log)" });
        QTest::newRow("unpaired tail") << "Logs|*.log|Tail" << QStringList({ "Logs (*.log)" });
        QTest::newRow("empty") << "" << QStringList();
    }
    void convertFileFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, converted);
        QCOMPARE(ConvertFileFilter(filter), converted);
    }

    void filterIndexCountsFromOne()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        SetFileFilter(dialog, QStringLiteral("A|*.a|B|*.b|C|*.c"), 2);
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("B (*.b)"));
        SetFileFilter(dialog, QStringLiteral("A|*.a|B|*.b"), 7);
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("A (*.a)"));
    }
};

QTEST_MAIN(tst_CommonDialogs)
#include "tst_commondialogs.moc"
