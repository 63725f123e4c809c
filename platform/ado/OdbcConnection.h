#pragma once

#include "platform/ado/OdbcHandle.h"

#include <QString>
#include <memory>

namespace ado {

// A connection over the ODBC C API, from an ODBC connection string: its
// environment and connection handles, freed with it. Autocommit is on
// until a transaction is begun; Commit and Rollback end it.
class OdbcConnection {
public:
    OdbcConnection();
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Raises the driver's diagnostics when the connection cannot be made.
    void Open(const QString& connectString, qint32 loginTimeoutSeconds);
    void Close();
    bool IsOpen() const { return m_open; }
    void BeginTransaction();
    void Commit();
    void Rollback();
    const OdbcHandle& handle() const { return *m_connection; }

private:
    void EndTransaction(SQLSMALLINT completion);
    void SetAutocommit(bool on);

    OdbcHandle m_environment;
    std::unique_ptr<OdbcHandle> m_connection;
    bool m_open = false;
    bool m_inTransaction = false;
};

}  // namespace ado
