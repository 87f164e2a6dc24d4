// Large tables: what opening a table of 10,000, 100,000 and 1,000,000 rows costs the SQL dataset with a
// data-aware inspector showing three record lines, beside QSqlTableModel on the same table in the same run,
// on SQLite (a file) and on a PostgreSQL server started for the run (as the tests start it). Figures: open
// and show the first three records (ms, and how much the process grew, MiB), Next and Prior (µs each, the
// mean of 200 moves), First and Last (ms), and reading row 500,000 (or the middle row of a smaller table).
// Run: bash scripts/bench.sh bench_dataset (needs the PostgreSQL server programs for the second half).
#include "helper_database.h"

#include <QXInspector/QXDBInspector.h>
#include <QXInspector/SqlDataSet.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlTableModel>

#include <cstdio>

using namespace QXPlatform;

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double ms(const QElapsedTimer &Timer)
{
    return double(Timer.nsecsElapsed()) / 1e6;
}

bool fill(int Rows)
{
    if (!TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS big"))
        || !TestDatabase::exec(QStringLiteral(
            "CREATE TABLE big (id INTEGER PRIMARY KEY, name VARCHAR(40), qty INTEGER, price REAL)")))
        return false;
    const QString rows = TestDatabase::isPostgres()
        ? QStringLiteral(
            "INSERT INTO big SELECT x, 'Name ' || x, x % 100, x * 0.5 FROM generate_series(1, %1) x")
        : QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < %1) "
                         "INSERT INTO big SELECT x, 'Name ' || x, x % 100, x * 0.5 FROM c");
    return TestDatabase::exec(rows.arg(Rows))
        && (!TestDatabase::isPostgres() || TestDatabase::exec(QStringLiteral("ANALYZE big")));
}

void dataSetFigures(int Rows)
{
    const double before = residentMiB();
    QElapsedTimer timer;
    timer.start();
    auto *dataSet = Create<TQXSqlDataSet>(nullptr);
    dataSet->SetConnectionName(TestDatabase::connectionName());
    dataSet->SetTableName(QStringLiteral("big"));
    auto *source = Create<TDataSource>(nullptr);
    source->SetDataSet(dataSet);
    auto *inspector = Create<TQXDBInspector>(nullptr);
    inspector->SetGridCount(gcValueLineCount, 4);
    inspector->SetDataSource(source);
    dataSet->Open();
    const QString shown = inspector->GetItems()->FindItemByFullPathName(QStringLiteral("name"))->ValueLine(2);
    const double open = ms(timer);
    const double grown = residentMiB() - before;

    constexpr int Moves = 200;
    timer.restart();
    for (int i = 0; i < Moves; ++i)
        dataSet->Next();
    const double next = ms(timer) * 1000 / Moves;
    timer.restart();
    for (int i = 0; i < Moves; ++i)
        dataSet->Prior();
    const double prior = ms(timer) * 1000 / Moves;
    timer.restart();
    dataSet->Last();
    const double last = ms(timer);
    timer.restart();
    dataSet->First();
    const double first = ms(timer);
    const int middle = std::min(500000, Rows / 2);
    timer.restart();
    dataSet->MoveBy(middle);
    const QString middleName = dataSet->FieldByName(QStringLiteral("name"))->Text();
    const double read = ms(timer);
    std::printf(
        "  dataset        %8d rows: open+show %7.1f ms (%s), +%5.1f MiB, Next %6.1f us, Prior %6.1f us, "
        "Last %6.1f ms, First %6.1f ms, row %d %7.1f ms (%s), RecordCount %d\n",
        Rows, open, qPrintable(shown), grown, next, prior, last, first, middle, read, qPrintable(middleName),
        dataSet->RecordCount());
    Free(inspector);
    Free(source);
    Free(dataSet);
}

void modelFigures(int Rows)
{
    const double before = residentMiB();
    QElapsedTimer timer;
    timer.start();
    {
        QSqlTableModel model(nullptr, TestDatabase::database());
        model.setTable(QStringLiteral("big"));
        model.setSort(0, Qt::AscendingOrder);
        model.select();
        QString shown;
        for (int row = 0; row < 3; ++row)
            shown = model.index(row, 1).data().toString();
        const double open = ms(timer);
        const double grown = residentMiB() - before;
        const int middle = std::min(500000, Rows / 2);
        timer.restart();
        while (model.rowCount() <= middle && model.canFetchMore())
            model.fetchMore();
        const QString middleName = model.index(middle, 1).data().toString();
        const double read = ms(timer);
        std::printf("  QSqlTableModel %8d rows: open+show %7.1f ms (%s), +%5.1f MiB, row %d %7.1f ms (%s), "
                    "+%5.1f MiB after\n",
                    Rows, open, qPrintable(shown), grown, middle, read, qPrintable(middleName),
                    residentMiB() - before);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const char *driver : { "QSQLITE", "QPSQL" }) {
        qputenv("QX_TEST_SQL_DRIVER", driver);
        QString error;
        if (!TestDatabase::start(&error)) {
            std::printf("%s: not run (%s)\n", driver, qPrintable(error));
            TestDatabase::stop();
            continue;
        }
        std::printf("%s\n", driver);
        for (int rows : { 10000, 100000, 1000000 }) {
            if (!fill(rows))
                break;
            dataSetFigures(rows);
            modelFigures(rows);
        }
        TestDatabase::exec(QStringLiteral("DROP TABLE IF EXISTS big"));
        TestDatabase::stop();
    }
    return 0;
}
