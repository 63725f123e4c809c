#include "platform/ado/SqlExecution.h"

#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/SqlBinding.h"

#include <QSqlError>
#include <QSqlResult>
#include <sql.h>
#include <sqlext.h>

namespace ado {

namespace {

// SQLite waits for locks as long as the busy time-out set when the
// connection opened; ODBC statements carry the time-out themselves.
void ApplyCommandTimeout(const Connection& connection, const QSqlQuery& query)
{
    const QVariant handle = query.result()->handle();
    if (connection.backend() == Backend::Sqlite || handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return;
    const SQLHANDLE statement = *static_cast<const SQLHANDLE*>(handle.constData());
    const auto seconds = static_cast<SQLULEN>(qMax(0, connection.CommandTimeout()));
    SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(seconds), 0);
}

}  // namespace

void SqlExecution::Prepare(Connection& connection, QSqlQuery& query, const QString& sql)
{
    if (!query.prepare(sql))
        connection.Raise(query.lastError());
    ApplyCommandTimeout(connection, query);
}

QSqlQuery SqlExecution::Run(Connection& connection, const QString& sql, const QVariantList& bound)
{
    if (connection.State() != kStateOpen)
        connection.Raise(kConnectionUnusable);
    connection.ClearErrors();
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    Prepare(connection, query, sql);
    for (const QVariant& value : bound)
        query.addBindValue(SqlBinding::ToDriver(value, SqlBinding::TypeOf(value), connection.backend()));
    if (!query.exec())
        connection.Raise(query.lastError());
    return query;
}

void SqlExecution::Statement(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    if (!query.exec(sql))
        connection.Raise(query.lastError());
}

}  // namespace ado
