#include "platform/ado/Command.h"

#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/OdbcStatement.h"
#include "platform/ado/SqlBinding.h"
#include "platform/ado/SqlExecution.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace ado {

namespace {

void Finish(QSqlQuery& query)
{
    query.finish();
}

void Finish(OdbcStatement& statement)
{
    statement.Finish();
}

// A reused statement gives up its rows however its use ends, so that it
// holds no read open on the connection.
template <typename Statement> class Finished {
public:
    explicit Finished(Statement& statement) : m_statement(statement) {}
    ~Finished() { Finish(m_statement); }
    Finished(const Finished&) = delete;
    Finished& operator=(const Finished&) = delete;

private:
    Statement& m_statement;
};

QString Marks(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append("?");
    return marks.join(',');
}

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
    if (connection.backend() == Backend::Sqlite)
        CallSqliteProcedure(connection);
    else if (connection.callForm() == CallForm::Select)
        CallFunction(connection);
    else
        CallOdbcProcedure(connection);
    return {};
}

Recordset Command::ExecuteText(Connection& connection)
{
    QVariantList bound;
    for (const auto& parameter : m_parameters)
        bound.append(parameter->Value());
    Recordset rows;
    rows.Load(SqlExecution::Run(connection, m_text, bound), connection);
    return rows;
}

void Command::ClearOutputs()
{
    for (const auto& parameter : m_parameters)
        if (parameter->IsOutput())
            parameter->setNull();
}

// SQL Server and Oracle: the ODBC call escape with every parameter bound in
// order, the outputs as outputs with room for their declared size.
void Command::CallOdbcProcedure(Connection& connection)
{
    OdbcStatement& call =
        connection.PreparedOdbcStatement("{call " + m_text + "(" + Marks(qsizetype(m_parameters.size())) + ")}");
    connection.Checked([&] {
        for (size_t i = 0; i < m_parameters.size(); ++i) {
            const Parameter& p = *m_parameters[i];
            const int index = static_cast<int>(i + 1);
            if (p.IsOutput())
                call.Bind(index, OdbcStatement::Direction::Output, SqlBinding::OdbcType(p.Type()), {}, p.Size());
            else
                SqlBinding::BindInput(call, index, p.Value(), p.Type(), connection.backend());
        }
        call.ExecuteCall();
        for (size_t i = 0; i < m_parameters.size(); ++i)
            if (m_parameters[i]->IsOutput())
                m_parameters[i]->setValue(OutputValue(call.Output(static_cast<int>(i + 1)), m_parameters[i]->Type()));
    });
}

// PostgreSQL: functions with OUT parameters, called with the input values;
// the row they return carries the outputs in declaration order.
void Command::CallFunction(Connection& connection)
{
    qsizetype inputs = 0;
    for (const auto& p : m_parameters)
        inputs += p->IsOutput() ? 0 : 1;
    OdbcStatement& query = connection.PreparedOdbcStatement("SELECT * FROM " + m_text + "(" + Marks(inputs) + ")");
    connection.Checked([&] {
        const Finished finished(query);
        int index = 0;
        for (const auto& p : m_parameters)
            if (!p->IsOutput())
                SqlBinding::BindInput(query, ++index, p->Value(), p->Type(), connection.backend());
        query.ExecuteQuery();
        const QList<OdbcStatement::ColumnInfo>& columns = query.Describe();
        if (!query.Fetch())
            return;
        const QVariantList row = SqlExecution::ReadRow(query, columns);
        qsizetype column = 0;
        for (const auto& p : m_parameters)
            if (p->IsOutput() && column < row.size())
                p->setValue(OutputValue(row[column++], p->Type()));
    });
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
            FillOutputsFromRow(query);
    }
}

void Command::FillOutputsFromRow(const QSqlQuery& query)
{
    const QSqlRecord record = query.record();
    for (const auto& p : m_parameters) {
        const int index = p->IsOutput() ? record.indexOf(p->Name()) : -1;
        if (index >= 0)
            p->setValue(OutputValue(query.value(index), p->Type()));
    }
}

}  // namespace ado
