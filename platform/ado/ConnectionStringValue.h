#pragma once

#include <QString>

namespace ado {

// Which values can travel inside a connection string. The string is split
// at ';' into KEY=value pairs, and a schema name also becomes a file name,
// so a value holding such characters would arrive cut short, carry pairs
// of its own, or lead to another database. Such values are refused rather
// than sent.
class ConnectionStringValue {
public:
    // A schema or facility key: also no quotes and no path separators.
    static bool CarriesName(const QString& value);
    // A server, service name, DSN or folder: paths and instances allowed.
    static bool CarriesDataSource(const QString& value);
};

}  // namespace ado
