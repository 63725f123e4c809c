#include "platform/ado/Connection.h"

#include "platform/NumberedError.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/SqlExecution.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <limits>

namespace ado {

namespace {

int NumberOf(const QSqlError& error)
{
    bool ok = false;
    const int number = error.nativeErrorCode().section(' ', 0, 0).toInt(&ok);
    return ok && number != 0 ? number : kUnspecifiedFailure;
}

QString DescriptionOf(const QSqlError& error)
{
    const QString database = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (database.isEmpty())
        return driver;
    return driver.isEmpty() ? database : database + " (" + driver + ")";
}

}  // namespace

Connection::Connection() : m_name("ado-" + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Connection::~Connection()
{
    Close();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void Connection::Raise(const QSqlError& error)
{
    Raise(NumberOf(error), DescriptionOf(error));
}

void Connection::Raise(const ErrorText& error)
{
    Raise(error.number(), error.description());
}

void Connection::Raise(int number, const QString& description)
{
    m_errors = {Error{number, description}};
    throw NumberedError(number, description);
}

void Connection::Open(const QString& connectionString, const QString&, const QString&, int)
{
    m_errors.clear();
    if (!connectionString.isEmpty())
        m_connectionString = connectionString;
    if (State() == kStateOpen)
        Raise(kObjectOpen);
    m_target = ConnectionTarget::Parse(m_connectionString);
    if (!m_target)
        Raise(kProviderNotFound);
    m_procedures.clear();
    m_prepared.clear();
    if (m_target->backend() == Backend::Sqlite) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        OpenSqlite(db);
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", m_name);
        OpenOdbc(db);
    }
}

void Connection::OpenSqlite(QSqlDatabase& db)
{
    // Opening a missing SQLite file would create an empty database; a
    // missing schema is a failed connection instead.
    const QString file = m_target->SqliteFile();
    if (!QFileInfo(file).isFile()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        Raise(kUnspecifiedFailure, "Unable to open database file " + file + ": no such database");
    }
    db.setDatabaseName(file);
    // A statement waits for another writer's lock up to the command
    // time-out; 0 waits for ever (as long as SQLite can count).
    constexpr qint64 kLongest = std::numeric_limits<int>::max();
    const qint64 waitMs = m_commandTimeout > 0 ? qint64(m_commandTimeout) * 1000 : kLongest;
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=" + QString::number(qMin(waitMs, kLongest)));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        Raise(error);
    }
    QSqlQuery pragma(db);
    pragma.exec("PRAGMA foreign_keys = ON");
    // Write-ahead logging: each committed write costs one append, not a
    // rewrite of the database file, and readers do not block the writer.
    pragma.exec("PRAGMA journal_mode = WAL");
}

void Connection::OpenOdbc(QSqlDatabase& db)
{
    db.setDatabaseName(m_target->OdbcConnectString());
    if (m_connectionTimeout > 0)
        db.setConnectOptions("SQL_ATTR_LOGIN_TIMEOUT=" + QString::number(m_connectionTimeout));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        Raise(error);
    }
}

void Connection::Close()
{
    // Prepared statements go before their database does.
    m_prepared.clear();
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_procedures.clear();
}

void Connection::BeginTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "BEGIN IMMEDIATE");
    if (!database().transaction())
        Raise(database().lastError());
}

void Connection::CommitTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "COMMIT");
    if (!database().commit())
        Raise(database().lastError());
}

void Connection::RollbackTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "ROLLBACK");
    if (!database().rollback())
        Raise(database().lastError());
}

int Connection::State() const
{
    return QSqlDatabase::contains(m_name) && database().isOpen() ? kStateOpen : kStateClosed;
}

QString Connection::Property(const QString& name) const
{
    if (name.compare("Data Source", Qt::CaseInsensitive) != 0)
        return {};
    const auto target = m_target ? m_target : ConnectionTarget::Parse(m_connectionString);
    return target ? target->dataSource() : QString();
}

const QList<Connection::ProcedureStep>& Connection::SqliteProcedureSteps(const QString& name)
{
    static const QRegularExpression kNamedPlaceholder(R"((?<![:\w]):([A-Za-z_]\w*))");
    const QString key = name.toUpper();
    auto found = m_procedures.find(key);
    if (found != m_procedures.end())
        return *found;
    QSqlQuery query(database());
    query.prepare("SELECT body FROM qel_procedures WHERE name = ? ORDER BY step");
    query.addBindValue(key);
    if (!query.exec())
        Raise(query.lastError());
    QList<ProcedureStep> steps;
    while (query.next()) {
        ProcedureStep step{query.value(0).toString(), {}};
        for (QRegularExpressionMatchIterator names = kNamedPlaceholder.globalMatch(step.sql); names.hasNext();)
            step.names.append(names.next().captured(1));
        steps.append(step);
    }
    if (steps.isEmpty())
        Raise(kUnspecifiedFailure, "Could not find stored procedure '" + name + "'.");
    return *m_procedures.insert(key, steps);
}

QSqlQuery& Connection::PreparedStatement(const QString& sql)
{
    auto found = m_prepared.find(sql);
    if (found != m_prepared.end())
        return *found;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    SqlExecution::Prepare(*this, query, sql);
    return *m_prepared.insert(sql, query);
}

}  // namespace ado
