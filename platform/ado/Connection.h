#pragma once

#include "platform/NumberedError.h"
#include "platform/ado/AdoTypes.h"
#include "platform/ado/ConnectionTarget.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

class QSqlError;

namespace ado {

class ErrorText;
class OdbcConnection;
class OdbcStatement;

// A connection to the target database, configured with an OLE DB style
// connection string and opened on the backend its provider names: the
// embedded SQLite file through Qt SQL, every server through the layer's
// own ODBC code. Every failure raises NumberedError with the driver's
// number and description, which also stand in Errors() until the next
// operation.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setConnectionString(const QString& text) { m_connectionString = text; }
    const QString& ConnectionString() const { return m_connectionString; }
    void setCursorLocation(int location) { m_cursorLocation = location; }
    int CursorLocation() const { return m_cursorLocation; }
    void setCommandTimeout(int seconds) { m_commandTimeout = seconds; }
    int CommandTimeout() const { return m_commandTimeout; }
    void setConnectionTimeout(int seconds) { m_connectionTimeout = seconds; }
    int ConnectionTimeout() const { return m_connectionTimeout; }

    // Credentials travel in the connection string; user and password are
    // accepted for the call's shape only.
    void Open(const QString& connectionString = {}, const QString& user = {}, const QString& password = {},
              int options = kConnectUnspecified);
    void Close();
    int State() const;
    // A transaction over the following statements, until committed or
    // rolled back. On the embedded database it holds the write lock from
    // its start, so a transaction that has read never finds itself unable
    // to write.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    const QList<Error>& Errors() const { return m_errors; }
    // "Data Source": the server, service name, DSN or folder.
    QString Property(const QString& name) const;

    // For the layer's commands and recordsets.
    Backend backend() const { return m_target ? m_target->backend() : Backend::Sqlite; }
    CallForm callForm() const { return m_target ? m_target->callForm() : CallForm::Escape; }
    // The embedded database's Qt connection.
    QSqlDatabase database() const;
    // A server's ODBC connection; error 3709 when it is not open.
    OdbcConnection& odbc();
    [[noreturn]] void Raise(const QSqlError& error);
    [[noreturn]] void Raise(int number, const QString& description);
    [[noreturn]] void Raise(const ErrorText& error);
    void ClearErrors() { m_errors.clear(); }
    // Runs ODBC work; a driver's failure is raised as this connection's.
    template <typename Work> decltype(auto) Checked(Work&& work)
    {
        try {
            return work();
        } catch (const NumberedError& error) {
            Raise(error.number(), error.description());
        }
    }
    // Ends a transaction on a path that is already failing: the rollback's
    // own failure (the connection may be gone) is not raised.
    void AbandonTrans() noexcept;
    // The primary-key columns of a table, in key order.
    QStringList PrimaryKey(const QString& table);
    // One statement of a SQLite procedure body, with the names of its
    // placeholders (":name") in the order they appear.
    struct ProcedureStep {
        QString sql;
        QStringList names;
    };
    // SQLite procedure bodies, read once per connection.
    const QList<ProcedureStep>& SqliteProcedureSteps(const QString& name);
    // The statement for that text, prepared on its first use and reused by
    // every command that runs the same text until the connection closes; an
    // import runs the same few statements for every slot. After use its
    // rows are to be finished, so that it holds no read open.
    QSqlQuery& PreparedStatement(const QString& sql);
    // The same for a server: prepared once, with the command time-out.
    OdbcStatement& PreparedOdbcStatement(const QString& sql);
    // A statement on the server connection with the command time-out: no
    // statement runs without one. Raises the driver's error when none can
    // be had; to be called inside Checked.
    std::unique_ptr<OdbcStatement> NewOdbcStatement();

private:
    void OpenSqlite(QSqlDatabase& db);
    void OpenOdbc();

    QString m_name;
    QString m_connectionString;
    int m_cursorLocation = 2;
    int m_commandTimeout = 30;
    int m_connectionTimeout = 15;
    std::optional<ConnectionTarget> m_target;
    QList<Error> m_errors;
    QHash<QString, QList<ProcedureStep>> m_procedures;
    QHash<QString, QSqlQuery> m_prepared;
    std::unique_ptr<OdbcConnection> m_odbc;
    std::map<QString, std::unique_ptr<OdbcStatement>> m_odbcPrepared;
};

}  // namespace ado
