#include "platform/ado/Command.h"

#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/SqlBinding.h"
#include "platform/ado/SqlExecution.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace ado {

namespace {

// A reused statement gives up its rows however its use ends, so that it
// holds no read open on the connection.
class Finished {
public:
    explicit Finished(QSqlQuery& query) : m_query(query) {}
    ~Finished() { m_query.finish(); }
    Finished(const Finished&) = delete;
    Finished& operator=(const Finished&) = delete;

private:
    QSqlQuery& m_query;
};

void RunPrepared(Connection& connection, const QString& sql)
{
    QSqlQuery& query = connection.PreparedStatement(sql);
    const Finished finished(query);
    if (!query.exec())
        connection.Raise(query.lastError());
}

QVariant OutputValue(const QVariant& raw, DataType type)
{
    if (!raw.isValid() || raw.isNull())
        return {};
    if (type == DataType::Date) {
        const auto date = FieldValue(raw).toDateTime();
        return date ? QVariant::fromValue(*date) : QVariant();
    }
    return raw;
}

}  // namespace

std::unique_ptr<Command> Command::Procedure(Connection& connection, const QString& name,
                                            std::initializer_list<ParameterSpec> parameters)
{
    auto command = std::make_unique<Command>();
    command->setActiveConnection(&connection);
    command->setCommandText(name);
    command->setCommandType(CommandType::StoredProc);
    for (const ParameterSpec& spec : parameters)
        command->Append(command->CreateParameter(QString::fromLatin1(spec.name), spec.type, spec.direction, spec.size));
    return command;
}

std::shared_ptr<Parameter> Command::CreateParameter(const QString& name, DataType type, Direction direction, int size)
{
    return std::make_shared<Parameter>(name, type, direction, size);
}

Command& Command::Prepared(const std::unique_ptr<Command>& command)
{
    if (!command)
        throw kConnectionUnusable.error();
    return *command;
}

Parameter& Command::Parameters(const QString& name)
{
    for (const auto& parameter : m_parameters)
        if (parameter->Name().compare(name, Qt::CaseInsensitive) == 0)
            return *parameter;
    throw kItemNotFound.error();
}

Connection& Command::RequireConnection()
{
    if (!m_connection || m_connection->State() != kStateOpen)
        throw kConnectionUnusable.error();
    return *m_connection;
}

Recordset Command::Execute()
{
    Connection& connection = RequireConnection();
    if (m_type == CommandType::Text)
        return ExecuteText(connection);
    ClearOutputs();
    switch (connection.backend()) {
    case Backend::Sqlite:
        CallSqliteProcedure(connection);
        break;
    case Backend::PostgreSql:
        CallPostgreSqlFunction(connection);
        break;
    case Backend::SqlServer:
    case Backend::Oracle:
    case Backend::OdbcDsn:
        CallOdbcProcedure(connection);
        break;
    }
    return {};
}

Recordset Command::ExecuteText(Connection& connection)
{
    QVariantList bound;
    for (const auto& parameter : m_parameters)
        bound.append(parameter->Value());
    QSqlQuery query = SqlExecution::Run(connection, m_text, bound);
    Recordset rows;
    rows.Load(query, connection);
    return rows;
}

void Command::ClearOutputs()
{
    for (const auto& parameter : m_parameters)
        if (parameter->IsOutput())
            parameter->setNull();
}

// SQL Server and Oracle: the ODBC call escape with every parameter bound in
// order; a character output needs room for its declared size.
void Command::CallOdbcProcedure(Connection& connection)
{
    QStringList marks;
    for (size_t i = 0; i < m_parameters.size(); ++i)
        marks.append("?");
    QSqlQuery& query = connection.PreparedStatement("{call " + m_text + "(" + marks.join(',') + ")}");
    const Finished finished(query);
    for (int i = 0; i < static_cast<int>(m_parameters.size()); ++i) {
        const Parameter& p = *m_parameters[static_cast<size_t>(i)];
        const bool text = p.Type() == DataType::VarChar || p.Type() == DataType::VarWChar;
        const QVariant value = p.IsOutput() && text ? QVariant(QString(p.Size(), ' '))
                                                    : SqlBinding::ToDriver(p.Value(), p.Type(), connection.backend());
        query.bindValue(i, value, p.IsOutput() ? QSql::Out : QSql::In);
    }
    if (!query.exec())
        connection.Raise(query.lastError());
    for (int i = 0; i < static_cast<int>(m_parameters.size()); ++i)
        if (m_parameters[static_cast<size_t>(i)]->IsOutput())
            m_parameters[static_cast<size_t>(i)]->setValue(
                OutputValue(query.boundValue(i), m_parameters[static_cast<size_t>(i)]->Type()));
}

// PostgreSQL: functions with OUT parameters, called with the input values;
// the row they return carries the outputs in declaration order.
void Command::CallPostgreSqlFunction(Connection& connection)
{
    QStringList marks;
    QVariantList bound;
    for (const auto& p : m_parameters)
        if (!p->IsOutput()) {
            marks.append("?");
            bound.append(SqlBinding::ToDriver(p->Value(), p->Type(), connection.backend()));
        }
    QSqlQuery& query = connection.PreparedStatement("SELECT * FROM " + m_text + "(" + marks.join(',') + ")");
    const Finished finished(query);
    for (int i = 0; i < bound.size(); ++i)
        query.bindValue(i, bound[i]);
    if (!query.exec())
        connection.Raise(query.lastError());
    if (query.next())
        FillOutputsFromRow(query, false);
}

// SQLite keeps each procedure as numbered statements in qel_procedures.
// They run as one unit; the last statement's row fills the outputs by name.
// The steps are read before the unit begins: a unit that has read cannot
// wait for another writer's lock, it fails at once.
void Command::CallSqliteProcedure(Connection& connection)
{
    const QList<Connection::ProcedureStep> steps = connection.SqliteProcedureSteps(m_text);
    RunPrepared(connection, "SAVEPOINT qel_procedure");
    try {
        RunSqliteSteps(connection, steps);
    } catch (const NumberedError&) {
        QSqlQuery(connection.database()).exec("ROLLBACK TO qel_procedure");
        QSqlQuery(connection.database()).exec("RELEASE qel_procedure");
        throw;
    }
    RunPrepared(connection, "RELEASE qel_procedure");
}

void Command::RunSqliteSteps(Connection& connection, const QList<Connection::ProcedureStep>& steps)
{
    for (qsizetype s = 0; s < steps.size(); ++s) {
        QSqlQuery& query = connection.PreparedStatement(steps[s].sql);
        const Finished finished(query);
        for (const QString& name : steps[s].names) {
            const Parameter& p = Parameters(name);
            query.bindValue(":" + name, SqlBinding::ToDriver(p.Value(), p.Type(), Backend::Sqlite));
        }
        if (!query.exec())
            connection.Raise(query.lastError());
        if (s == steps.size() - 1 && query.isSelect() && query.next())
            FillOutputsFromRow(query, true);
    }
}

void Command::FillOutputsFromRow(const QSqlQuery& query, bool byName)
{
    const QSqlRecord record = query.record();
    int column = 0;
    for (const auto& p : m_parameters) {
        if (!p->IsOutput())
            continue;
        const int index = byName ? record.indexOf(p->Name()) : column++;
        if (index >= 0 && index < record.count())
            p->setValue(OutputValue(query.value(index), p->Type()));
    }
}

}  // namespace ado
