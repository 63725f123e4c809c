#pragma once

#include "platform/ado/AdoTypes.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace ado {

class Connection;

// Runs one statement on a connection with its values bound in order;
// failures raise through the connection with the driver's number and text.
class SqlExecution {
public:
    static QSqlQuery Run(Connection& connection, const QString& sql, const QVariantList& bound = {});
    static void Statement(Connection& connection, const QString& sql);
};

}  // namespace ado
