#pragma once

#include <QString>

class QELLoggerTXT;

namespace ado {
class Connection;
}

// Names a location by its place in the facility's location tree. The log
// receives the database errors met on the way.
class LocationPath {
public:
    explicit LocationPath(QELLoggerTXT& log) : m_log(log) {}

    // The location's path from its top-most ancestor down, "\"-separated;
    // empty for no location, an unknown one, or a database error (logged).
    QString GetLocationPath(const QString& locationId, ado::Connection& connection);

private:
    QELLoggerTXT& m_log;
};
