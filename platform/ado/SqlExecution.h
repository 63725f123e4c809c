#pragma once

#include "platform/ado/AdoTypes.h"

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
    static QSqlQuery Run(Connection& connection, const QString& sql, const QVariantList& bound = {});
    // Prepares the caller's query with the command time-out applied.
    static void Prepare(Connection& connection, QSqlQuery& query, const QString& sql);
    static void Statement(Connection& connection, const QString& sql);
};

}  // namespace ado
