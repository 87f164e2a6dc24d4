// The date editor closes on a click on a new day, and only then.
#include <QXInspector/QXTDateEditor.h>

#include <QCalendarWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

/// Clicks day Day of the shown month (a day from 8 to 21 is in the grid once, whatever the month).
void clickDay(TfrmDateEditor &editor, int Day)
{
    auto *view = editor.Calendar()->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
    QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toString() == QString::number(Day)) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
                return;
            }
        }
    }
    QFAIL("day not shown");
}

} // namespace

class tst_DateEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closesOnNewDayOnly_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("result"); // -1: still open
        QTest::addColumn<QDateTime>("date");
        const QDateTime given(QDate(2024, 3, 10), QTime(10, 30));
        QTest::newRow("another day") << "day 15" << int(QDialog::Accepted)
                                     << QDateTime(QDate(2024, 3, 15), QTime(10, 30));
        QTest::newRow("the chosen day") << "day 10" << -1 << given;
        QTest::newRow("next month arrow") << "next" << -1 << given;
        QTest::newRow("Esc") << "esc" << int(QDialog::Rejected) << given;
    }
    void closesOnNewDayOnly()
    {
        QFETCH(QString, action);
        QFETCH(int, result);
        QFETCH(QDateTime, date);
        TfrmDateEditor editor;
        editor.SetDate(QDateTime(QDate(2024, 3, 10), QTime(10, 30)));
        editor.show();
        if (action.startsWith("day"))
            clickDay(editor, action.mid(4).toInt());
        else if (action == "next")
            QTest::mouseClick(
                editor.Calendar()->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
                Qt::LeftButton);
        else
            QTest::keyClick(editor.Calendar(), Qt::Key_Escape);
        QCOMPARE(editor.isVisible(), result == -1);
        if (result != -1)
            QCOMPARE(editor.result(), result);
        QCOMPARE(editor.Date(), date);
    }
};

QTEST_MAIN(tst_DateEditor)
#include "tst_dateeditor.moc"
