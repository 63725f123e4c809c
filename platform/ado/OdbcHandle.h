#pragma once

#include <QString>
#include <sql.h>

namespace ado {

// One handle of the ODBC C API (environment, connection or statement),
// freed when its owner goes, on every path. A failed call raises a
// NumberedError carrying the driver's diagnostics: the native error as
// the number, "[SQLSTATE] text" as the description.
class OdbcHandle {
public:
    // A handle of type under parent (SQL_NULL_HANDLE for an environment).
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return m_handle; }
    // Raises the handle's diagnostics when result is no success.
    void Check(SQLRETURN result, const char* call) const;

private:
    SQLSMALLINT m_type;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

}  // namespace ado
