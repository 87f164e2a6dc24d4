#include "helper_database.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtDebug>
#include <memory>
#include <unistd.h>

namespace TestDatabase {

namespace {

const QString connection = QStringLiteral("qx_test");
const QString otherConnection = QStringLiteral("qx_test_other");

struct Server
{
    std::unique_ptr<QTemporaryDir> folder;
    QString bin;
    bool asRoot = false;
    bool running = false;

    QString dataDir() const { return folder->path() + QStringLiteral("/data"); }

    /// Runs a server program, as the postgres user when we are root.
    bool run(const QString &program, const QStringList &arguments, QString *error) const
    {
        QProcess process;
        QStringList command { bin + QLatin1Char('/') + program };
        command += arguments;
        if (asRoot)
            command = QStringList { QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--") }
                + command;
        process.start(asRoot ? QStringLiteral("runuser") : command.takeFirst(), command);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            *error = QStringLiteral("%1 failed: %2%3")
                         .arg(program, QString::fromLocal8Bit(process.readAllStandardError()),
                              process.errorString());
            return false;
        }
        return true;
    }

    bool start(QString *error)
    {
        bin = qEnvironmentVariable("QX_PG_BIN", QStringLiteral("/usr/lib/postgresql/15/bin"));
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qxpg-XXXXXX"));
        if (!folder->isValid()) {
            *error = QStringLiteral("no temporary folder");
            return false;
        }
        asRoot = geteuid() == 0;
        if (asRoot
            && QProcess::execute(QStringLiteral("chown"), { QStringLiteral("postgres:"), folder->path() })
                != 0) {
            *error = QStringLiteral("cannot hand %1 to the postgres user").arg(folder->path());
            return false;
        }
        if (!run(QStringLiteral("initdb"),
                 { QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), QStringLiteral("qx"),
                   QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
                   QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync") },
                 error))
            return false;
        // No TCP port: the socket lives in the folder, so parallel runs never meet.
        if (!run(QStringLiteral("pg_ctl"),
                 { QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                   folder->path() + QStringLiteral("/log"), QStringLiteral("-w"), QStringLiteral("-o"),
                   QStringLiteral("-k %1 -c listen_addresses='' -F").arg(folder->path()),
                   QStringLiteral("start") },
                 error))
            return false;
        running = true;
        return true;
    }

    bool restart(QString *error)
    {
        if (!run(QStringLiteral("pg_ctl"),
                 { QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                   folder->path() + QStringLiteral("/log"), QStringLiteral("-w"), QStringLiteral("-o"),
                   QStringLiteral("-k %1 -c listen_addresses='' -F").arg(folder->path()),
                   QStringLiteral("start") },
                 error))
            return false;
        running = true;
        return true;
    }

    void stop()
    {
        if (!running)
            return;
        QString error;
        if (!run(QStringLiteral("pg_ctl"),
                 { QStringLiteral("-D"), dataDir(), QStringLiteral("-m"), QStringLiteral("immediate"),
                   QStringLiteral("-w"), QStringLiteral("stop") },
                 &error))
            qWarning("%s", qPrintable(error));
        running = false;
    }

    ~Server() { stop(); }
};

Server &server()
{
    static Server instance;
    return instance;
}

} // namespace

bool isPostgres()
{
    return qEnvironmentVariable("QX_TEST_SQL_DRIVER") == QLatin1String("QPSQL");
}

QString connectionName()
{
    return connection;
}

QSqlDatabase database()
{
    return QSqlDatabase::database(connection, false);
}

bool start(QString *Error)
{
    QSqlDatabase db;
    if (isPostgres()) {
        if (!server().start(Error))
            return false;
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(server().folder->path());
        db.setUserName(QStringLiteral("qx"));
        db.setDatabaseName(QStringLiteral("postgres"));
    } else {
        // A file rather than memory: a test may close the connection and open it again.
        static QTemporaryDir folder;
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(folder.filePath(QStringLiteral("test.db")));
    }
    if (!db.open()) {
        *Error = db.lastError().text();
        return false;
    }
    QSqlDatabase other = QSqlDatabase::cloneDatabase(connection, otherConnection);
    if (!other.open()) {
        *Error = other.lastError().text();
        return false;
    }
    if (isPostgres() && !exec(QStringLiteral("CREATE DOMAIN memo AS text"))) {
        *Error = QStringLiteral("cannot create the memo domain");
        return false;
    }
    return true;
}

void stop()
{
    if (QSqlDatabase::contains(otherConnection)) {
        otherClient().close();
        QSqlDatabase::removeDatabase(otherConnection);
    }
    if (QSqlDatabase::contains(connection)) {
        database().close();
        QSqlDatabase::removeDatabase(connection);
    }
    server().stop();
}

bool setReadOnly(bool ReadOnly)
{
    if (isPostgres())
        return exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION %1")
                        .arg(ReadOnly ? QStringLiteral("READ ONLY") : QStringLiteral("READ WRITE")));
    QSqlDatabase db = database();
    db.close();
    db.setConnectOptions(ReadOnly ? QStringLiteral("QSQLITE_OPEN_READONLY") : QString());
    return db.open();
}

namespace {
bool execOn(const QSqlDatabase &Connection, const QString &Sql)
{
    QSqlQuery query(Connection);
    if (query.exec(Sql))
        return true;
    qWarning("%s: %s: %s", qPrintable(Connection.connectionName()), qPrintable(Sql),
             qPrintable(query.lastError().text()));
    return false;
}
} // namespace

bool exec(const QString &Sql)
{
    return execOn(database(), Sql);
}

QSqlDatabase otherClient()
{
    return QSqlDatabase::database(otherConnection, false);
}

bool execOther(const QString &Sql)
{
    return execOn(otherClient(), Sql);
}

bool killServer()
{
    server().stop();
    return isPostgres();
}

bool restartServer()
{
    QString error;
    if (!server().restart(&error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    // The other client has no dataset to reopen it: it is reconnected here.
    QSqlDatabase other = otherClient();
    other.close();
    return other.open();
}

bool createSample()
{
    const QString columns = isPostgres()
        ? QStringLiteral("id SERIAL PRIMARY KEY, qty INTEGER CONSTRAINT qty_not_negative CHECK (qty >= 0), "
                         "price DOUBLE PRECISION, name VARCHAR(40) NOT NULL, born DATE, active BOOLEAN, "
                         "photo BYTEA, notes memo, colour VARCHAR(20)")
        : QStringLiteral(
            "id INTEGER PRIMARY KEY AUTOINCREMENT, qty INTEGER CONSTRAINT qty_not_negative "
            "CHECK (qty >= 0), price REAL, name VARCHAR(40) NOT NULL, born DATE, active BOOLEAN, "
            "photo BLOB, notes MEMO, colour VARCHAR(20)");
    if (!exec(QStringLiteral("DROP TABLE IF EXISTS sample"))
        || !exec(QStringLiteral("CREATE TABLE sample (%1)").arg(columns)))
        return false;
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    for (int i = 0; i < 5; ++i) {
        QSqlQuery query(database());
        query.prepare(
            QStringLiteral("INSERT INTO sample (qty, price, name, born, active, photo, notes, colour) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        query.addBindValue(10 * (i + 1));
        query.addBindValue(1.5 * (i + 1));
        query.addBindValue(QStringLiteral("Name %1").arg(i + 1));
        query.addBindValue(QDate(2020, 1, i + 1));
        query.addBindValue(i % 2 == 0);
        query.addBindValue(QByteArray(4, char(i)));
        query.addBindValue(QStringLiteral("note %1").arg(i + 1));
        query.addBindValue(colours[i % 3]);
        if (!query.exec()) {
            qWarning("insert: %s", qPrintable(query.lastError().text()));
            return false;
        }
    }
    return true;
}

QVariant stored(int Id, const QString &Column)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT %1 FROM sample WHERE id = ?").arg(Column));
    query.addBindValue(Id);
    if (!query.exec() || !query.next())
        return QStringLiteral("<no row %1>").arg(Id);
    return query.value(0);
}

} // namespace TestDatabase
