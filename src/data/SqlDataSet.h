// A dataset over Qt SQL: the rows of a table (editable) or of a SELECT (read-only) of the connection named
// ConnectionName, read into memory when it opens. Field types come from the column's declared type where
// the driver reports one (SQLite, PostgreSQL), else from the value type Qt SQL gives the column.
//
// Posting runs one UPDATE in a transaction, keyed by the table's primary key (or, without one, by every
// column's old value). When the database refuses it, nothing stays written and the record stays in edit
// state with the edited values; the error names the fields written and carries the driver's message.
#pragma once

#include "DataSet.h"

#include <QSqlDatabase>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace QXPlatform {

class QXINSPECTORDATA_EXPORT TQXSqlDataSet : public TDataSet
{
    Q_OBJECT
    Q_PROPERTY(QString ConnectionName READ ConnectionName WRITE SetConnectionName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(QString SQL READ SQL WRITE SetSQL)

public:
    explicit TQXSqlDataSet(QObject *AOwner = nullptr);
    ~TQXSqlDataSet() override;
    Q_DISABLE_COPY_MOVE(TQXSqlDataSet)

    /// The QSqlDatabase connection (QSqlDatabase::defaultConnection when empty).
    QString ConnectionName() const { return m_connectionName; }
    void SetConnectionName(const QString &Value);
    /// The table to show and edit; when empty, SQL is run instead.
    QString TableName() const { return m_tableName; }
    void SetTableName(const QString &Value);
    /// A SELECT whose rows are shown read-only.
    QString SQL() const { return m_sql; }
    void SetSQL(const QString &Value);

    bool CanModify() const override;

    /// The field type of a column: its declared type (driver-specific spelling, may be empty) and what Qt
    /// SQL reports of it.
    static TFieldType FieldTypeOf(const QString &DeclaredType, QMetaType ValueType, bool AutoValue);

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int InternalRecordCount() const override { return int(m_rows.size()); }
    QVariant InternalGetValue(int Record, int Field) const override;
    void InternalPost(int Record, const QList<QVariant> &Values) override;

private:
    void checkInactive() const;
    QString selectStatement() const;
    QVariant normalized(const QVariant &Value, TFieldType Type) const;
    QString tableIdentifier(const QSqlDatabase &Db) const;
    QSqlIndex primaryKey(const QSqlDatabase &Db) const;
    void prepareRead(QSqlQuery &Query) const;

    QString m_connectionName;
    QString m_tableName;
    QString m_sql;
    QList<QList<QVariant>> m_rows; // as the fields show them
    QList<QList<QVariant>> m_raw; // as the driver returned them: what a post compares
    QList<int> m_keyFields; // the primary key's fields, by position; empty without one
};

} // namespace QXPlatform
