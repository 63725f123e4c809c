#pragma once

#include <QString>

// The small vocabulary of the database access layer: type, direction and
// cursor codes keep their ADO numbers so calls read as the procedures are
// documented.
namespace ado {

enum class DataType { Integer = 3, Double = 5, Date = 7, VarChar = 200, VarWChar = 202, LongVarBinary = 205 };
enum class Direction { Input = 1, Output = 2 };
enum class CommandType { Text = 1, StoredProc = 4 };
enum class CursorType { ForwardOnly = 0, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3 };

// Which database a connection string leads to, chosen by its Provider.
enum class Backend { Sqlite, PostgreSql, SqlServer, Oracle, OdbcDsn };

// How a stored procedure is called over ODBC: the call escape
// "{call NAME(?,...)}" with outputs bound as outputs (SQL Server, Oracle),
// or "SELECT * FROM NAME(?,...)" with the outputs read from the row the
// function returns (PostgreSQL's functions, unless the connection string
// asks for "Procedure Call=Escape").
enum class CallForm { Escape, Select };

inline constexpr int kUseClient = 3;
inline constexpr int kStateClosed = 0;
inline constexpr int kStateOpen = 1;
inline constexpr int kConnectUnspecified = -1;

// One error as the driver reported it.
struct Error {
    int number = 0;
    QString description;
};

}  // namespace ado
