#include "platform/ado/SqlExecution.h"

#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/SqlBinding.h"

#include <QSqlError>
#include <QSqlRecord>

namespace ado {

void SqlExecution::Prepare(Connection& connection, QSqlQuery& query, const QString& sql)
{
    if (!query.prepare(sql))
        connection.Raise(query.lastError());
}

StatementResult SqlExecution::Run(Connection& connection, const QString& sql, const QVariantList& bound)
{
    if (connection.State() != kStateOpen)
        connection.Raise(kConnectionUnusable);
    connection.ClearErrors();
    return connection.backend() == Backend::Sqlite ? RunSqlite(connection, sql, bound)
                                                   : RunOdbc(connection, sql, bound);
}

// SQLite waits for locks as long as the busy time-out set when the
// connection opened.
StatementResult SqlExecution::RunSqlite(Connection& connection, const QString& sql, const QVariantList& bound)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    Prepare(connection, query, sql);
    for (const QVariant& value : bound)
        query.addBindValue(SqlBinding::ToDriver(value, SqlBinding::TypeOf(value), Backend::Sqlite));
    if (!query.exec())
        connection.Raise(query.lastError());
    StatementResult result;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        result.fields.append(record.fieldName(i));
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row.append(query.value(i));
        result.rows.append(row);
    }
    result.rowsAffected = query.numRowsAffected();
    return result;
}

StatementResult SqlExecution::RunOdbc(Connection& connection, const QString& sql, const QVariantList& bound)
{
    return connection.Checked([&] {
        const std::unique_ptr<OdbcStatement> owned = connection.NewOdbcStatement();
        OdbcStatement& statement = *owned;
        statement.Prepare(sql);
        for (qsizetype i = 0; i < bound.size(); ++i)
            SqlBinding::BindInput(statement, static_cast<int>(i + 1), bound[i], SqlBinding::TypeOf(bound[i]),
                                  connection.backend());
        statement.ExecuteQuery();
        StatementResult result;
        const QList<OdbcStatement::ColumnInfo>& columns = statement.Describe();
        for (const OdbcStatement::ColumnInfo& column : columns)
            result.fields.append(column.name);
        while (!columns.isEmpty() && statement.Fetch())
            result.rows.append(ReadRow(statement, columns));
        result.rowsAffected = columns.isEmpty() ? statement.RowsAffected() : -1;
        return result;
    });
}

QVariantList SqlExecution::ReadRow(OdbcStatement& statement, const QList<OdbcStatement::ColumnInfo>& columns)
{
    QVariantList row;
    for (qsizetype i = 0; i < columns.size(); ++i)
        row.append(statement.Column(static_cast<int>(i + 1), columns[i].type));
    return row;
}

void SqlExecution::Statement(Connection& connection, const QString& sql)
{
    if (connection.backend() != Backend::Sqlite) {
        connection.Checked([&] { connection.NewOdbcStatement()->ExecuteDirect(sql); });
        return;
    }
    QSqlQuery query(connection.database());
    if (!query.exec(sql))
        connection.Raise(query.lastError());
}

}  // namespace ado
