#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/OdbcStatement.h"

#include <QVariant>

namespace ado {

// Values on their way into a statement. Dates go into SQLite as
// "YYYY-MM-DD HH:MM:SS" text (so that text comparison orders them) and into
// ODBC as timestamps; a Null keeps the parameter's type, as drivers need it.
class SqlBinding {
public:
    static QVariant ToDriver(const QVariant& value, DataType type, Backend backend);
    // The type a plain value binds as, for values without a declared type.
    static DataType TypeOf(const QVariant& value);
    // The type an ODBC statement binds and reads a parameter's type as.
    static OdbcStatement::Type OdbcType(DataType type);
    // Binds value as input index (from 1) of a server's statement.
    static void BindInput(OdbcStatement& statement, int index, const QVariant& value, DataType type, Backend backend);
};

}  // namespace ado
