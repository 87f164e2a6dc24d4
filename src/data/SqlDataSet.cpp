#include "SqlDataSet.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
#include <limits>

namespace QXPlatform {

namespace {

struct ColumnInfo
{
    QString declaredType;
    bool autoValue = false;
};

/// What the driver knows of a table's columns beyond Qt SQL's record: the declared type and whether the
/// database fills the column itself. Empty for drivers that tell nothing more.
QHash<QString, ColumnInfo> columnInfo(const QSqlDatabase &Db, const QString &Table)
{
    QHash<QString, ColumnInfo> info;
    QSqlQuery query(Db);
    if (Db.driverName() == QLatin1String("QSQLITE")) {
        // "schema.table": the schema goes before the pragma's name.
        const qsizetype dot = Table.indexOf(QLatin1Char('.'));
        const QString schema = dot < 0
            ? QString()
            : Db.driver()->escapeIdentifier(Table.left(dot), QSqlDriver::TableName) + QLatin1Char('.');
        const QString escaped
            = Db.driver()->escapeIdentifier(dot < 0 ? Table : Table.mid(dot + 1), QSqlDriver::TableName);
        if (query.exec(QStringLiteral("PRAGMA %1table_info(%2)").arg(schema, escaped))) {
            while (query.next()) {
                ColumnInfo &column = info[query.value(1).toString()];
                column.declaredType = query.value(2).toString();
            }
        }
        // An INTEGER PRIMARY KEY is the row id, which SQLite assigns (with or without AUTOINCREMENT).
        const QSqlRecord record = Db.record(Table);
        for (int i = 0; i < record.count(); ++i)
            if (record.field(i).isAutoValue())
                info[record.fieldName(i)].autoValue = true;
    } else if (Db.driverName() == QLatin1String("QPSQL")) {
        // A schema-qualified name ("schema.table") is looked up in that schema, else in the current one.
        const qsizetype dot = Table.indexOf(QLatin1Char('.'));
        const QString schema = dot < 0 ? QString() : Table.left(dot);
        const QString table = dot < 0 ? Table : Table.mid(dot + 1);
        query.prepare(
            QStringLiteral("SELECT column_name, data_type, domain_name, column_default, is_identity FROM "
                           "information_schema.columns WHERE table_schema = %1 AND table_name = ?")
                .arg(schema.isEmpty() ? QStringLiteral("current_schema()") : QStringLiteral("?")));
        // Unquoted names are folded to lower case by the server.
        for (const QString &name : { table, table.toLower() }) {
            if (!schema.isEmpty())
                query.addBindValue(schema);
            query.addBindValue(name);
            if (!query.exec())
                break;
            while (query.next()) {
                ColumnInfo &column = info[query.value(0).toString()];
                const QString domain = query.value(2).toString();
                column.declaredType = domain.isEmpty() ? query.value(1).toString() : domain;
                column.autoValue = query.value(3).toString().startsWith(QLatin1String("nextval("))
                    || query.value(4).toString() == QLatin1String("YES");
            }
            if (!info.isEmpty())
                break;
        }
    }
    return info;
}

QString driverMessage(const QSqlError &Error)
{
    const QString text = Error.databaseText().trimmed();
    return text.isEmpty() ? Error.text().trimmed() : text;
}

QVariant toBool(const QVariant &Value)
{
    if (Value.typeId() == QMetaType::QString) {
        const QString text = Value.toString().trimmed().toLower();
        return QVariant(text == QLatin1String("1") || text == QLatin1String("t")
                        || text == QLatin1String("true") || text == QLatin1String("y")
                        || text == QLatin1String("yes"));
    }
    return QVariant(Value.toBool());
}

/// Whether the server behind the connection is gone (PostgreSQL tells by a failing trivial statement).
bool connectionLost(const QSqlDatabase &Db)
{
    if (!Db.isOpen())
        return true;
    if (Db.driverName() != QLatin1String("QPSQL"))
        return false;
    QSqlQuery probe(Db);
    // A statement the server refused has an SQLSTATE; one that never reached a server has none.
    return !probe.exec(QStringLiteral("SELECT 1"))
        && (probe.lastError().type() == QSqlError::ConnectionError
            || probe.lastError().nativeErrorCode().isEmpty());
}

/// The text of a statement with its comments, quoted names and string literals blanked out.
QString withoutLiterals(const QString &Sql)
{
    QString result = Sql;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result[i];
        qsizetype end = -1;
        if (c == QLatin1Char('-') && result.mid(i, 2) == QLatin1String("--")) {
            end = result.indexOf(QLatin1Char('\n'), i);
            if (end < 0)
                end = result.size();
        } else if (c == QLatin1Char('/') && result.mid(i, 2) == QLatin1String("/*")) {
            end = result.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? result.size() : end + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')
                   || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            end = result.indexOf(close, i + 1);
            end = end < 0 ? result.size() : end + 1;
        }
        if (end > i) {
            for (qsizetype j = i; j < end; ++j)
                result[j] = QLatin1Char(' ');
            i = end - 1;
        }
    }
    return result;
}

/// Why a statement given as SQL is not a single query that only reads, or empty when it is one.
QString whyNotAQuery(const QString &Sql)
{
    const QString text = withoutLiterals(Sql).trimmed();
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'));
    if (semicolon >= 0 && !text.mid(semicolon + 1).trimmed().isEmpty())
        return QStringLiteral("it holds more than one statement");
    static const QRegularExpression words(QStringLiteral("[A-Za-z_][A-Za-z_0-9]*"));
    QStringList tokens;
    for (auto it = words.globalMatch(text); it.hasNext();)
        tokens << it.next().captured().toUpper();
    static const QStringList starts { QStringLiteral("SELECT"), QStringLiteral("WITH"),
                                      QStringLiteral("VALUES"), QStringLiteral("TABLE") };
    if (tokens.isEmpty() || !starts.contains(tokens.first()))
        return QStringLiteral("it does not start with SELECT, WITH, VALUES or TABLE");
    static const QStringList writes { QStringLiteral("INSERT"), QStringLiteral("DELETE"),
                                      QStringLiteral("MERGE"),  QStringLiteral("INTO"),
                                      QStringLiteral("CREATE"), QStringLiteral("DROP"),
                                      QStringLiteral("ALTER"),  QStringLiteral("TRUNCATE") };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        // UPDATE is a write, except in a row lock (FOR UPDATE, FOR NO KEY UPDATE).
        const bool update = tokens[i] == QLatin1String("UPDATE")
            && !(i > 0 && (tokens[i - 1] == QLatin1String("FOR") || tokens[i - 1] == QLatin1String("KEY")));
        if (update || writes.contains(tokens[i]))
            return QStringLiteral("it writes (%1)").arg(tokens[i]);
    }
    return QString();
}

} // namespace

TQXSqlDataSet::TQXSqlDataSet(QObject *AOwner)
    : TDataSet(AOwner)
{ }

TQXSqlDataSet::~TQXSqlDataSet()
{
    PostOnTeardown();
}

void TQXSqlDataSet::checkInactive() const
{
    if (Active())
        throw EDatabaseError(QStringLiteral("Cannot change the source of an open dataset"));
}

void TQXSqlDataSet::SetConnectionName(const QString &Value)
{
    if (Value == m_connectionName)
        return;
    checkInactive();
    m_connectionName = Value;
}

void TQXSqlDataSet::SetTableName(const QString &Value)
{
    if (Value == m_tableName)
        return;
    checkInactive();
    m_tableName = Value;
}

void TQXSqlDataSet::SetSQL(const QString &Value)
{
    if (Value == m_sql)
        return;
    checkInactive();
    m_sql = Value;
}

bool TQXSqlDataSet::CanModify() const
{
    return Active() && !m_tableName.isEmpty();
}

TFieldType TQXSqlDataSet::FieldTypeOf(const QString &DeclaredType, QMetaType ValueType, bool AutoValue)
{
    QString type = DeclaredType.trimmed().toLower();
    type = type.left(type.indexOf(QLatin1Char('('))).trimmed();
    const QString word = type.section(QLatin1Char(' '), 0, 0);
    static const QHash<QString, TFieldType> byWord {
        { QStringLiteral("memo"), ftMemo },          { QStringLiteral("clob"), ftMemo },
        { QStringLiteral("longtext"), ftMemo },      { QStringLiteral("mediumtext"), ftMemo },
        { QStringLiteral("ntext"), ftMemo },         { QStringLiteral("blob"), ftBlob },
        { QStringLiteral("bytea"), ftBlob },         { QStringLiteral("binary"), ftBlob },
        { QStringLiteral("varbinary"), ftBlob },     { QStringLiteral("longblob"), ftBlob },
        { QStringLiteral("graphic"), ftGraphic },    { QStringLiteral("image"), ftGraphic },
        { QStringLiteral("picture"), ftGraphic },    { QStringLiteral("bool"), ftBoolean },
        { QStringLiteral("boolean"), ftBoolean },    { QStringLiteral("date"), ftDate },
        { QStringLiteral("time"), ftTime },          { QStringLiteral("datetime"), ftDateTime },
        { QStringLiteral("timestamp"), ftDateTime }, { QStringLiteral("uuid"), ftGuid },
        { QStringLiteral("guid"), ftGuid },          { QStringLiteral("smallint"), ftSmallint },
        { QStringLiteral("int2"), ftSmallint },      { QStringLiteral("tinyint"), ftSmallint },
        { QStringLiteral("int"), ftInteger },        { QStringLiteral("integer"), ftInteger },
        { QStringLiteral("int4"), ftInteger },       { QStringLiteral("mediumint"), ftInteger },
        { QStringLiteral("bigint"), ftLargeint },    { QStringLiteral("int8"), ftLargeint },
        { QStringLiteral("serial"), ftAutoInc },     { QStringLiteral("bigserial"), ftAutoInc },
        { QStringLiteral("real"), ftFloat },         { QStringLiteral("float"), ftFloat },
        { QStringLiteral("float4"), ftFloat },       { QStringLiteral("float8"), ftFloat },
        { QStringLiteral("double"), ftFloat },       { QStringLiteral("numeric"), ftFloat },
        { QStringLiteral("decimal"), ftFloat },      { QStringLiteral("money"), ftCurrency },
        { QStringLiteral("varchar"), ftString },     { QStringLiteral("nvarchar"), ftString },
        { QStringLiteral("text"), ftString },        { QStringLiteral("string"), ftString },
        { QStringLiteral("char"), ftFixedChar },     { QStringLiteral("nchar"), ftFixedChar },
        { QStringLiteral("bpchar"), ftFixedChar },
    };
    TFieldType result = ftUnknown;
    if (type.startsWith(QLatin1String("character varying")))
        result = ftString;
    else if (word == QLatin1String("character"))
        result = ftFixedChar;
    else
        result = byWord.value(word, ftUnknown);
    if (result == ftUnknown) {
        switch (ValueType.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
            result = ftInteger;
            break;
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            result = ftLargeint;
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            result = ftFloat;
            break;
        case QMetaType::Bool:
            result = ftBoolean;
            break;
        case QMetaType::QDate:
            result = ftDate;
            break;
        case QMetaType::QTime:
            result = ftTime;
            break;
        case QMetaType::QDateTime:
            result = ftDateTime;
            break;
        case QMetaType::QByteArray:
            result = ftBlob;
            break;
        case QMetaType::QUuid:
            result = ftGuid;
            break;
        default:
            result = ftString;
            break;
        }
    }
    if (AutoValue && (result == ftSmallint || result == ftInteger || result == ftLargeint))
        result = ftAutoInc;
    return result;
}

QString TQXSqlDataSet::selectStatement(bool Descending) const
{
    if (m_tableName.isEmpty()) {
        // The query is read a window at a time, as a derived table (without its closing semicolon).
        // (A closing semicolon, which only blanks and comments may follow, ends the statement.)
        const qsizetype end = withoutLiterals(m_sql).indexOf(QLatin1Char(';'));
        // The line break ends a closing line comment before the parenthesis.
        return QStringLiteral("SELECT * FROM (%1\n) AS qx_rows").arg(end < 0 ? m_sql : m_sql.left(end));
    }
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QString select = QStringLiteral("SELECT * FROM %1").arg(tableIdentifier(db));
    // Rows come in key order, so that a record keeps its place across reopens and windows.
    if (!m_keyOrder.isEmpty()) {
        QStringList order;
        for (const QString &column : m_keyOrder)
            order << (Descending ? column + QStringLiteral(" DESC") : column);
        select += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }
    return select;
}

void TQXSqlDataSet::readWindow(QSqlQuery &Query, Window &Into) const
{
    while (Query.next()) {
        QList<QVariant> row;
        QList<QVariant> values;
        row.reserve(m_types.size());
        values.reserve(m_types.size());
        for (int i = 0; i < m_types.size(); ++i) {
            values.append(Query.value(i));
            row.append(normalized(values.last(), m_types[i]));
        }
        Into.rows.append(row);
        Into.raw.append(values);
    }
}

TQXSqlDataSet::Window &TQXSqlDataSet::window(int Record) const
{
    const int first = Record - Record % WindowSize;
    ++m_clock;
    for (Window &held : m_windows)
        if (held.first == first) {
            held.used = m_clock;
            return held;
        }
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    // A window in the second half of a keyed table is read from the end, so that the last records cost no
    // more than the first.
    const int size = std::min(WindowSize, m_count - first);
    const bool fromEnd = !m_keyOrder.isEmpty() && first > m_count / 2;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    prepareRead(query);
    const QString sql = QStringLiteral("%1 LIMIT %2 OFFSET %3")
                            .arg(selectStatement(fromEnd))
                            .arg(size)
                            .arg(fromEnd ? m_count - first - size : first);
    if (!query.exec(sql))
        throw EDatabaseError(QStringLiteral("Cannot read records %1 to %2 of %3: %4")
                                 .arg(first + 1)
                                 .arg(first + size)
                                 .arg(m_tableName.isEmpty() ? QStringLiteral("the query") : m_tableName,
                                      connectionLost(db)
                                          ? QStringLiteral("the connection to the database was lost")
                                          : driverMessage(query.lastError())));
    Window read;
    read.first = first;
    read.used = m_clock;
    readWindow(query, read);
    if (fromEnd) {
        std::reverse(read.rows.begin(), read.rows.end());
        std::reverse(read.raw.begin(), read.raw.end());
    }
    // Another client may have deleted rows since the count: the missing ones read as empty.
    while (read.rows.size() < size) {
        read.rows.append(QList<QVariant>(m_types.size()));
        read.raw.append(QList<QVariant>(m_types.size()));
    }
    if (m_windows.size() >= MaxWindows) {
        auto oldest = std::min_element(m_windows.begin(), m_windows.end(),
                                       [](const Window &A, const Window &B) { return A.used < B.used; });
        *oldest = std::move(read);
        return *oldest;
    }
    m_windows.append(std::move(read));
    return m_windows.last();
}

void TQXSqlDataSet::InternalOpen()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    if (!db.isValid())
        throw EDatabaseError(QStringLiteral("No database connection named '%1'").arg(m_connectionName));
    // A connection whose server went away (and came back) is opened anew.
    if (db.isOpen() && connectionLost(db))
        db.close();
    if (!db.isOpen() && !db.open())
        throw EDatabaseError(QStringLiteral("Cannot open the database connection '%1': %2")
                                 .arg(m_connectionName, driverMessage(db.lastError())));
    if (m_tableName.isEmpty() && m_sql.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("No table name and no SQL statement given"));
    if (m_tableName.isEmpty()) {
        const QString why = whyNotAQuery(m_sql);
        if (!why.isEmpty())
            throw EDatabaseError(QStringLiteral("The SQL statement is not run: %1").arg(why));
    }
    const QString what = m_tableName.isEmpty() ? QStringLiteral("the query") : m_tableName;
    // What the driver tells of the table is asked first: some drivers (PostgreSQL) drop the rows of a
    // forward-only query when another statement runs on the connection meanwhile.
    const QHash<QString, ColumnInfo> info
        = m_tableName.isEmpty() ? QHash<QString, ColumnInfo>() : columnInfo(db, m_tableName);
    const QSqlIndex key = m_tableName.isEmpty() ? QSqlIndex() : primaryKey(db);
    m_keyOrder.clear();
    for (int i = 0; i < key.count(); ++i)
        m_keyOrder << db.driver()->escapeIdentifier(key.fieldName(i), QSqlDriver::FieldName);
    m_windows.clear();

    // Only the number of records and the first window are read now; the others when they are shown.
    QSqlQuery count(db);
    count.setForwardOnly(true);
    const QString counted = m_tableName.isEmpty()
        ? QStringLiteral("SELECT COUNT(*) FROM (%1) AS qx_count").arg(selectStatement(false))
        : QStringLiteral("SELECT COUNT(*) FROM %1").arg(tableIdentifier(db));
    if (!count.exec(counted) || !count.next())
        throw EDatabaseError(
            QStringLiteral("Cannot open %1: %2").arg(what, driverMessage(count.lastError())));
    const qlonglong records = count.value(0).toLongLong();
    count.finish();
    if (records > std::numeric_limits<int>::max())
        throw EDatabaseError(QStringLiteral("Cannot open %1: it holds %2 records").arg(what).arg(records));

    QSqlQuery query(db);
    query.setForwardOnly(true);
    prepareRead(query);
    if (!query.exec(QStringLiteral("%1 LIMIT %2").arg(selectStatement(false)).arg(WindowSize)))
        throw EDatabaseError(
            QStringLiteral("Cannot open %1: %2").arg(what, driverMessage(query.lastError())));
    const QSqlRecord record = query.record();
    QList<TFieldDef> defs;
    m_types.clear();
    for (int i = 0; i < record.count(); ++i) {
        const ColumnInfo column = info.value(record.fieldName(i));
        defs.append({ record.fieldName(i),
                      FieldTypeOf(column.declaredType, record.field(i).metaType(), column.autoValue) });
        m_types.append(defs.last().DataType);
    }
    Window first;
    readWindow(query, first);
    m_count = records > 0 ? std::max(int(records), int(first.rows.size())) : int(first.rows.size());
    if (!first.rows.isEmpty())
        m_windows.append(std::move(first));

    m_keyFields.clear();
    for (int i = 0; i < key.count(); ++i)
        for (int j = 0; j < defs.size(); ++j)
            if (defs[j].Name == key.fieldName(i))
                m_keyFields.append(j);
    const bool fresh = FieldCount() == 0;
    SetFieldDefs(defs);
    // The database fills an auto-increment key itself: not for the user to type over, unless the
    // application says so.
    if (fresh)
        for (int i = 0; i < FieldCount(); ++i)
            if (Fields(i)->DataType() == ftAutoInc)
                Fields(i)->SetReadOnly(true);
}

void TQXSqlDataSet::InternalClose()
{
    m_windows.clear();
    m_count = 0;
}

QString TQXSqlDataSet::tableIdentifier(const QSqlDatabase &Db) const
{
    return Db.driver()->escapeIdentifier(m_tableName, QSqlDriver::TableName);
}

QSqlIndex TQXSqlDataSet::primaryKey(const QSqlDatabase &Db) const
{
    // PostgreSQL's driver folds an unquoted name to lower case: the name is given quoted, as every
    // statement of this dataset quotes it.
    if (Db.driverName() == QLatin1String("QPSQL"))
        return Db.primaryIndex(tableIdentifier(Db));
    return Db.primaryIndex(m_tableName);
}

void TQXSqlDataSet::prepareRead(QSqlQuery &Query) const
{
    // PostgreSQL's NUMERIC and REAL come as the server's text, so that a value compared when posting is
    // exactly the one stored (as a double it may not be).
    if (Query.driver() && Query.driver()->dbmsType() == QSqlDriver::PostgreSQL)
        Query.setNumericalPrecisionPolicy(QSql::HighPrecision);
}

QVariant TQXSqlDataSet::InternalGetValue(int Record, int Field) const
{
    if (Record < 0 || Record >= m_count)
        return QVariant();
    const Window &held = window(Record);
    return held.rows.value(Record - held.first).value(Field);
}

QVariant TQXSqlDataSet::normalized(const QVariant &Value, TFieldType Type) const
{
    if (Value.isNull())
        return QVariant();
    switch (TField::QtTypeOf(Type).id()) {
    case QMetaType::LongLong:
        return Value.toLongLong();
    case QMetaType::Double:
        return Value.toDouble();
    case QMetaType::Bool:
        return toBool(Value);
    case QMetaType::QDate:
        // SQLite keeps dates as text; the date part of an ISO text.
        return Value.typeId() == QMetaType::QString
            ? QDate::fromString(Value.toString().left(10), Qt::ISODate)
            : Value.toDate();
    case QMetaType::QTime:
        return Value.typeId() == QMetaType::QString ? QTime::fromString(Value.toString(), Qt::ISODateWithMs)
                                                    : Value.toTime();
    case QMetaType::QDateTime:
        if (Value.typeId() == QMetaType::QString)
            return QDateTime::fromString(Value.toString().replace(QLatin1Char(' '), QLatin1Char('T')),
                                         Qt::ISODateWithMs);
        return Value.toDateTime();
    case QMetaType::QByteArray:
        return Value.toByteArray();
    default:
        // A GUID that the driver hands over as QUuid reads as its text without braces.
        return Type == ftGuid && Value.typeId() == QMetaType::QUuid
            ? Value.toUuid().toString(QUuid::WithoutBraces)
            : Value.toString();
    }
}

void TQXSqlDataSet::InternalPost(int Record, const QList<QVariant> &Values)
{
    const QList<QVariant> old = window(Record).rows.value(Record % WindowSize);
    const QList<QVariant> raw = window(Record).raw.value(Record % WindowSize);
    QList<int> changed;
    for (int i = 0; i < Values.size(); ++i)
        if (Values[i] != old.value(i) || Values[i].isNull() != old.value(i).isNull())
            changed.append(i);
    if (changed.isEmpty())
        return;

    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QStringList names;
    for (int i : std::as_const(changed))
        names << Fields(i)->FieldName();
    const auto fail = [&](const QString &reason) {
        throw EDatabaseError(QStringLiteral("Cannot post %1 to %2 (record %3): %4")
                                 .arg(names.join(QStringLiteral(", ")), m_tableName)
                                 .arg(Record + 1)
                                 .arg(reason));
    };
    const auto failed = [&](const QSqlError &Error) {
        if (Error.type() == QSqlError::ConnectionError || !db.isOpen() || connectionLost(db))
            fail(QStringLiteral("the connection to the database was lost (%1); nothing was written")
                     .arg(driverMessage(Error)));
        fail(driverMessage(Error));
    };
    if (!db.isOpen())
        fail(QStringLiteral("the connection '%1' is closed").arg(m_connectionName));

    const QSqlDriver *driver = db.driver();
    const auto column
        = [&](int i) { return driver->escapeIdentifier(Fields(i)->FieldName(), QSqlDriver::FieldName); };
    QStringList assignments;
    for (int i : std::as_const(changed))
        assignments << column(i) + QStringLiteral(" = ?");
    // The row is found by its key, and must still hold what this dataset read in the columns written:
    // otherwise another client changed it since, and writing would drop that change. Without a primary key
    // every column's old value finds it (binary data left out). The old values are compared as the driver
    // returned them, not as converted for the fields.
    QList<int> keys = m_keyFields;
    if (keys.isEmpty()) {
        for (int i = 0; i < FieldCount(); ++i)
            if (!TField::IsBlobType(Fields(i)->DataType()))
                keys.append(i);
    } else {
        for (int i : std::as_const(changed))
            if (!keys.contains(i))
                keys.append(i);
    }
    QStringList conditions;
    for (int i : std::as_const(keys))
        conditions << (raw.value(i).isNull() ? column(i) + QStringLiteral(" IS NULL")
                                             : column(i) + QStringLiteral(" = ?"));

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                           .arg(tableIdentifier(db), assignments.join(QStringLiteral(", ")),
                                conditions.join(QStringLiteral(" AND ")))))
        failed(query.lastError());
    for (int i : std::as_const(changed))
        query.addBindValue(Values[i]);
    for (int i : std::as_const(keys))
        if (!raw.value(i).isNull())
            query.addBindValue(raw.value(i));

    // One statement in one transaction: it is written whole or not at all. Inside a transaction the
    // application opened on the connection, the post is a savepoint of it (committed with it).
    const auto run = [&](const QString &Sql) {
        QSqlQuery statement(db);
        return statement.exec(Sql);
    };
    bool savepoint = run(QStringLiteral("SAVEPOINT qx_post"));
    bool transaction = false;
    if (!savepoint) {
        transaction = driver->hasFeature(QSqlDriver::Transactions);
        if (transaction && !db.transaction())
            failed(db.lastError());
    }
    auto rollback = qScopeGuard([&] {
        if (savepoint) {
            run(QStringLiteral("ROLLBACK TO SAVEPOINT qx_post"));
            run(QStringLiteral("RELEASE SAVEPOINT qx_post"));
        } else if (transaction) {
            db.rollback();
        }
    });
    if (!query.exec())
        failed(query.lastError());
    if (query.numRowsAffected() != 1)
        fail(query.numRowsAffected() == 0
                 ? QStringLiteral("the record was changed or deleted by another user")
                 : QStringLiteral("the record is not unique in the table (%1 rows hold the same values); "
                                  "nothing was written")
                       .arg(query.numRowsAffected()));
    // The row as the database now holds it (defaults and triggers included), read before committing.
    QList<QVariant> written;
    if (!m_keyFields.isEmpty()) {
        QStringList where;
        for (int i : std::as_const(m_keyFields))
            where << (Values[i].isNull() ? column(i) + QStringLiteral(" IS NULL")
                                         : column(i) + QStringLiteral(" = ?"));
        QSqlQuery reread(db);
        reread.setForwardOnly(true);
        prepareRead(reread);
        reread.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2")
                           .arg(tableIdentifier(db), where.join(QStringLiteral(" AND "))));
        for (int i : std::as_const(m_keyFields))
            if (!Values[i].isNull())
                reread.addBindValue(Values[i]);
        if (!reread.exec())
            failed(reread.lastError());
        if (reread.next() && reread.record().count() == FieldCount())
            for (int i = 0; i < FieldCount(); ++i)
                written.append(reread.value(i));
    }
    if (savepoint) {
        if (!run(QStringLiteral("RELEASE SAVEPOINT qx_post")))
            failed(db.lastError());
    } else if (transaction && !db.commit()) {
        failed(db.lastError());
    }
    rollback.dismiss();

    if (written.isEmpty())
        written = Values;
    QList<QVariant> row = written;
    for (int i = 0; i < row.size(); ++i)
        row[i] = normalized(row[i], Fields(i)->DataType());
    Window &held = window(Record);
    held.rows[Record - held.first] = row;
    held.raw[Record - held.first] = written;
}

} // namespace QXPlatform
