#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// A file of SQL statements cut into single statements at the semicolons
// that stand outside quotes, dollar-quoted bodies and comments, so that a
// schema written for the sqlite3 and psql shells runs through a driver that
// takes one statement at a time.
class SqlScript {
public:
    static QStringList Statements(const QString& script);
};

}  // namespace ado
