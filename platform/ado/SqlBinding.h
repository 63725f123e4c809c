#pragma once

#include "platform/ado/AdoTypes.h"

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
};

}  // namespace ado
