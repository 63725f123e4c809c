#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Parameter.h"
#include "platform/ado/Recordset.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace ado {

// A text statement or a stored procedure with positional parameters,
// prepared once and executed with fresh values. Procedures are called in
// the form the connected database understands; output parameters hold
// the returned values (Null when the procedure returned none) after
// Execute.
class Command {
public:
    // One parameter of a procedure as its documentation lists it.
    struct ParameterSpec {
        const char* name;
        DataType type;
        Direction direction;
        int size = 0;
    };

    // A stored-procedure command on the connection with its parameters
    // created and appended in the given order.
    static std::unique_ptr<Command> Procedure(Connection& connection, const QString& name,
                                              std::initializer_list<ParameterSpec> parameters);

    void setActiveConnection(Connection* connection) { m_connection = connection; }
    void setCommandText(const QString& text) { m_text = text; }
    const QString& CommandText() const { return m_text; }
    void setCommandType(CommandType type) { m_type = type; }

    std::shared_ptr<Parameter> CreateParameter(const QString& name, DataType type, Direction direction, int size = 0);
    void Append(std::shared_ptr<Parameter> parameter) { m_parameters.push_back(std::move(parameter)); }
    // The parameter of that name (any letter case); error 3265 when absent.
    Parameter& Parameters(const QString& name);
    int ParameterCount() const { return static_cast<int>(m_parameters.size()); }

    // The command a data-access class prepared; error 3709 when it was
    // never connected.
    static Command& Prepared(const std::unique_ptr<Command>& command);

    // Text commands give their rows; procedures an empty, closed recordset.
    Recordset Execute();

private:
    Connection& RequireConnection();
    Recordset ExecuteText(Connection& connection);
    void CallOdbcProcedure(Connection& connection);
    void CallFunction(Connection& connection);
    void CallSqliteProcedure(Connection& connection);
    void RunSqliteSteps(Connection& connection, const QList<Connection::ProcedureStep>& steps);
    void FillOutputsFromRow(const QSqlQuery& query);
    void ClearOutputs();

    Connection* m_connection = nullptr;
    QString m_text;
    CommandType m_type = CommandType::Text;
    std::vector<std::shared_ptr<Parameter>> m_parameters;
};

}  // namespace ado
