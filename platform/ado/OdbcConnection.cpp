#include "platform/ado/OdbcConnection.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace ado {

namespace {

SQLPOINTER Integer(SQLULEN value)
{
    return reinterpret_cast<SQLPOINTER>(value);
}

}  // namespace

OdbcConnection::OdbcConnection() : m_environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE)
{
    m_environment.Check(SQLSetEnvAttr(m_environment.get(), SQL_ATTR_ODBC_VERSION, Integer(SQL_OV_ODBC3), 0),
                        "SQLSetEnvAttr");
}

OdbcConnection::~OdbcConnection()
{
    Close();
}

void OdbcConnection::Open(const QString& connectString, qint32 loginTimeoutSeconds)
{
    Close();
    auto connection = std::make_unique<OdbcHandle>(SQL_HANDLE_DBC, m_environment.get());
    connection->Check(SQLSetConnectAttr(connection->get(), SQL_ATTR_LOGIN_TIMEOUT,
                                        Integer(static_cast<SQLULEN>(qMax(0, loginTimeoutSeconds))), 0),
                      "SQLSetConnectAttr");
    // The text is handed over with its exact length: a driver that honours
    // the length would otherwise see a terminator as part of the string.
    QString text = connectString;
    connection->Check(SQLDriverConnectW(connection->get(), nullptr, reinterpret_cast<SQLWCHAR*>(text.data()),
                                        static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                        SQL_DRIVER_NOPROMPT),
                      "SQLDriverConnect");
    m_connection = std::move(connection);
    m_open = true;
}

// A transaction still open is rolled back first: a driver refuses to
// disconnect in the middle of one, and its handle could not be freed.
void OdbcConnection::Close()
{
    if (m_open && m_inTransaction)
        SQLEndTran(SQL_HANDLE_DBC, m_connection->get(), SQL_ROLLBACK);
    if (m_open)
        SQLDisconnect(m_connection->get());
    m_open = false;
    m_inTransaction = false;
    m_connection.reset();
}

void OdbcConnection::SetAutocommit(bool on)
{
    m_connection->Check(SQLSetConnectAttr(m_connection->get(), SQL_ATTR_AUTOCOMMIT,
                                          Integer(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0),
                        "SQLSetConnectAttr");
}

void OdbcConnection::BeginTransaction()
{
    SetAutocommit(false);
    m_inTransaction = true;
}

void OdbcConnection::EndTransaction(SQLSMALLINT completion)
{
    m_connection->Check(SQLEndTran(SQL_HANDLE_DBC, m_connection->get(), completion), "SQLEndTran");
    m_inTransaction = false;
    SetAutocommit(true);
}

void OdbcConnection::Commit()
{
    EndTransaction(SQL_COMMIT);
}

void OdbcConnection::Rollback()
{
    EndTransaction(SQL_ROLLBACK);
}

}  // namespace ado
