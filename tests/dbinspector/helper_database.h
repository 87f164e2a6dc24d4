// The database the dataset and data-aware inspector tests run against. By default an SQLite database in
// memory; with QX_TEST_SQL_DRIVER=QPSQL a throwaway PostgreSQL server that the test starts itself: initdb
// into a temporary folder, the server listening only on a Unix socket in that folder, stopped and removed
// at the end. PostgreSQL refuses to run as root, so under root the server runs as the `postgres` system
// user (runuser), the folder being handed to it; QX_PG_BIN overrides where the server's programs are.
//
// Both drivers get the same table "sample" (five records) with the driver's spelling of each column type.
#pragma once

#include <QXInspector/DataSet.h>

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace TestDatabase {

/// Opens the connection (starting the server first for PostgreSQL); false with *Error set on failure.
bool start(QString *Error);
/// Closes the connection and stops the server.
void stop();
QString connectionName();
QSqlDatabase database();
bool isPostgres();
/// Makes the connection refuse (or accept again) every write.
bool setReadOnly(bool ReadOnly);
/// Runs a statement; false (with a warning naming the driver's message) when it fails.
bool exec(const QString &Sql);
/// Drops and creates the sample table: id (auto-increment key), qty (integer, CHECK qty >= 0 named
/// qty_not_negative), price (float), name (text, NOT NULL), born (date), active (Boolean), photo
/// (binary), notes (memo), colour (text). Record i (from 0) holds qty 10 * (i + 1), name "Name i + 1", ...
bool createSample();
/// A second connection to the same database: the other client, whose changes the dataset has not read.
QSqlDatabase otherClient();
/// Runs a statement on the other client's connection.
bool execOther(const QString &Sql);
/// PostgreSQL only: stops the server at once, as a crash would (pg_ctl stop -m immediate), and starts it
/// again; the connections stay open but broken.
bool killServer();
bool restartServer();
/// A value as the database stores it, read directly: the sample's column Column of the row with id Id.
QVariant stored(int Id, const QString &Column);

} // namespace TestDatabase

/// A dataset of records given in code, for what no SQL table can hold (any field type).
class MemoryDataSet : public QXPlatform::TDataSet
{
    Q_OBJECT
public:
    explicit MemoryDataSet(QList<QXPlatform::TFieldDef> Defs, QList<QList<QVariant>> Rows = {})
        : m_defs(std::move(Defs))
        , m_rows(std::move(Rows))
    { }

protected:
    void InternalOpen() override { SetFieldDefs(m_defs); }
    void InternalClose() override { }
    int InternalRecordCount() const override { return int(m_rows.size()); }
    QVariant InternalGetValue(int Record, int Field) const override
    {
        return m_rows.value(Record).value(Field);
    }
    void InternalPost(int Record, const QList<QVariant> &Values) override { m_rows[Record] = Values; }

private:
    QList<QXPlatform::TFieldDef> m_defs;
    QList<QList<QVariant>> m_rows;
};
