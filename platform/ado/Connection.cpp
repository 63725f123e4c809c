#include "platform/ado/Connection.h"

#include "platform/NumberedError.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/OdbcConnection.h"
#include "platform/ado/OdbcStatement.h"
#include "platform/ado/SqlExecution.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlIndex>
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
    m_odbcPrepared.clear();
    if (m_target->backend() == Backend::Sqlite) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        OpenSqlite(db);
    } else {
        OpenOdbc();
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

void Connection::OpenOdbc()
{
    m_odbc.reset();
    auto odbc = Checked([] { return std::make_unique<OdbcConnection>(); });
    Checked([&] { odbc->Open(m_target->OdbcConnectString(), m_connectionTimeout); });
    m_odbc = std::move(odbc);
}

void Connection::Close()
{
    // Statements go before their connection does.
    m_prepared.clear();
    m_odbcPrepared.clear();
    m_odbc.reset();
    m_procedures.clear();
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

OdbcConnection& Connection::odbc()
{
    if (!m_odbc || !m_odbc->IsOpen())
        Raise(kConnectionUnusable);
    return *m_odbc;
}

void Connection::BeginTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "BEGIN IMMEDIATE");
    Checked([&] { odbc().BeginTransaction(); });
}

void Connection::CommitTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "COMMIT");
    Checked([&] { odbc().Commit(); });
}

void Connection::RollbackTrans()
{
    if (backend() == Backend::Sqlite)
        return SqlExecution::Statement(*this, "ROLLBACK");
    Checked([&] { odbc().Rollback(); });
}

void Connection::AbandonTrans() noexcept
{
    if (State() != kStateOpen)
        return;
    if (backend() == Backend::Sqlite) {
        QSqlQuery(database()).exec("ROLLBACK");
        return;
    }
    try {
        m_odbc->Rollback();
    } catch (const NumberedError&) {
        // The transaction ends with the connection when it is gone.
    }
}

QStringList Connection::PrimaryKey(const QString& table)
{
    QString name = table;
    name.remove('"');
    if (backend() != Backend::Sqlite)
        return Checked([&] { return OdbcStatement(odbc()).PrimaryKeyColumns(name); });
    const QSqlIndex index = database().primaryIndex(name);
    QStringList names;
    for (int i = 0; i < index.count(); ++i)
        names.append(index.fieldName(i));
    return names;
}

int Connection::State() const
{
    if (m_odbc)
        return m_odbc->IsOpen() ? kStateOpen : kStateClosed;
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

OdbcStatement& Connection::PreparedOdbcStatement(const QString& sql)
{
    auto found = m_odbcPrepared.find(sql);
    if (found != m_odbcPrepared.end())
        return *found->second;
    return Checked([&]() -> OdbcStatement& {
        auto statement = NewOdbcStatement();
        statement->Prepare(sql);
        return *m_odbcPrepared.emplace(sql, std::move(statement)).first->second;
    });
}

std::unique_ptr<OdbcStatement> Connection::NewOdbcStatement()
{
    auto statement = std::make_unique<OdbcStatement>(odbc());
    statement->setQueryTimeout(m_commandTimeout);
    return statement;
}

}  // namespace ado
