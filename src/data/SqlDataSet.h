/// \file
/// A dataset over Qt SQL: the rows of a table (editable) or of a SELECT (read-only) of the connection named
/// ConnectionName. Opening counts the rows and reads the first window of them; other windows are read as the
/// cursor or a link reaches them (a few are held, the least recently used going first), so a large table
/// costs neither the time nor the memory of all its rows. Field types come from the column's declared type
/// where the driver reports one (SQLite, PostgreSQL), else from the value type Qt SQL gives the column.
///
/// Posting runs one UPDATE, keyed by the table's primary key (or, without one, by every column's old value),
/// that also requires the columns written to hold what was read; it is a savepoint inside a transaction of
/// the application, else a transaction of its own. When the database refuses it, nothing stays written and
/// the record stays in edit state with the edited values; the error names the fields written and carries
/// the driver's message.
#pragma once

#include "DataSet.h"

#include <QSqlDatabase>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace QXPlatform {

/// A dataset over a Qt SQL connection: a table it shows and edits, or a SELECT it shows read-only.
class QXINSPECTORDATA_EXPORT TQXSqlDataSet : public TDataSet
{
    Q_OBJECT
    Q_PROPERTY(QString ConnectionName READ ConnectionName WRITE SetConnectionName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(QString SQL READ SQL WRITE SetSQL)

public:
    /// A closed dataset with no table and no statement.
    explicit TQXSqlDataSet(QObject *AOwner = nullptr);
    ~TQXSqlDataSet() override;
    Q_DISABLE_COPY_MOVE(TQXSqlDataSet)

    ///@{
    /// The QSqlDatabase connection (QSqlDatabase::defaultConnection when empty).
    QString ConnectionName() const { return m_connectionName; }
    void SetConnectionName(const QString &Value);
    ///@}
    ///@{
    /// The table to show and edit; when empty, SQL is run instead.
    QString TableName() const { return m_tableName; }
    void SetTableName(const QString &Value);
    ///@}
    ///@{
    /// A SELECT whose rows are shown read-only.
    QString SQL() const { return m_sql; }
    void SetSQL(const QString &Value);
    ///@}

    bool CanModify() const override;

    /// The field type of a column: its declared type (driver-specific spelling, may be empty) and what Qt
    /// SQL reports of it.
    static TFieldType FieldTypeOf(const QString &DeclaredType, QMetaType ValueType, bool AutoValue);

protected:
    /// Opens the connection if needed and reads the fields and the record count of the table or
    /// statement; EDatabaseError with the driver's message when that fails.
    void InternalOpen() override;
    /// Lets the query and the records read go.
    void InternalClose() override;
    /// The number of records of the open table or statement.
    int InternalRecordCount() const override { return m_count; }
    /// Reads a field of a record, fetching the window of records around it when it is not held.
    QVariant InternalGetValue(int Record, int Field) const override;
    void InternalPost(int Record, const QList<QVariant> &Values) override;

private:
    void checkInactive() const;
    /// Records read at once, and how many such windows are held.
    static constexpr int WindowSize = 256;
    static constexpr int MaxWindows = 8;
    struct Window
    {
        int first = 0; // the record of rows[0]
        quint64 used = 0;
        QList<QList<QVariant>> rows; // as the fields show them
        QList<QList<QVariant>> raw; // as the driver returned them: what a post compares
    };
    QString selectStatement(bool Descending) const;
    /// The window holding Record, read when it is not held (the least recently used one goes).
    Window &window(int Record) const;
    void readWindow(QSqlQuery &Query, Window &Into) const;
    QVariant normalized(const QVariant &Value, TFieldType Type) const;
    QString tableIdentifier(const QSqlDatabase &Db) const;
    QSqlIndex primaryKey(const QSqlDatabase &Db) const;
    void prepareRead(QSqlQuery &Query) const;

    QString m_connectionName;
    QString m_tableName;
    QString m_sql;
    mutable QList<Window> m_windows;
    mutable quint64 m_clock = 0;
    int m_count = 0;
    QList<TFieldType> m_types;
    QStringList m_keyOrder; // the key's columns, quoted, for ORDER BY
    QList<int> m_keyFields; // the primary key's fields, by position; empty without one
};

} // namespace QXPlatform
