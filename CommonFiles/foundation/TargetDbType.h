#pragma once

#include <QtGlobal>

// The kind of target database server, as its configured number says. Any
// other number is kept as it is and sets up no connection.
enum class TargetDbType : qint16 { Oracle = 1, SqlServer = 2 };
