#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/OdbcStatement.h"
#include "platform/ado/StatementResult.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace ado {

class Connection;

// Runs one statement on a connection with its values bound in order;
// failures raise through the connection with the driver's number and text.
// Every statement gets the connection's command time-out: one blocked
// longer than that ends with an error (0 waits for ever).
class SqlExecution {
public:
    static StatementResult Run(Connection& connection, const QString& sql, const QVariantList& bound = {});
    // Prepares the caller's query on the embedded database.
    static void Prepare(Connection& connection, QSqlQuery& query, const QString& sql);
    // A statement without parameters, such as a schema's, run as it stands.
    static void Statement(Connection& connection, const QString& sql);
    // The current row of a server's result, each column read as described.
    static QVariantList ReadRow(OdbcStatement& statement, const QList<OdbcStatement::ColumnInfo>& columns);

private:
    static StatementResult RunSqlite(Connection& connection, const QString& sql, const QVariantList& bound);
    static StatementResult RunOdbc(Connection& connection, const QString& sql, const QVariantList& bound);
};

}  // namespace ado
