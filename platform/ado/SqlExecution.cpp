#include "platform/ado/SqlExecution.h"

#include "platform/ado/Connection.h"
#include "platform/ado/SqlBinding.h"

#include <QSqlError>

namespace ado {

QSqlQuery SqlExecution::Run(Connection& connection, const QString& sql, const QVariantList& bound)
{
    if (connection.State() != kStateOpen)
        connection.Raise(3709, "The connection cannot be used to perform this operation. It is either closed or "
                               "invalid in this context.");
    connection.ClearErrors();
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        connection.Raise(query.lastError());
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
