#pragma once

#include "platform/ado/OdbcHandle.h"

#include <QVariant>
#include <map>
#include <memory>
#include <vector>

namespace ado {

class OdbcConnection;

// One statement on an OdbcConnection, prepared once and executed with its
// parameters bound by position. An input is handed over with its exact
// byte length and SQL type, Null as SQL_NULL_DATA; an output is bound into
// a buffer of its declared size and read back through its indicator, so a
// Null output reads as Null. A call's outputs are read only after every
// result the driver sends has been drained, since a driver may deliver
// them last. Values cross as QVariant: qint32, double, QString, DateTime.
class OdbcStatement {
public:
    enum class Direction { Input, Output, InputOutput };
    enum class Type { Integer, Double, Text, DateTime };

    explicit OdbcStatement(OdbcConnection& connection);

    void setQueryTimeout(qint32 seconds);
    void Prepare(const QString& sql);
    // index counts from 1; size is the declared characters of a text
    // output. A binding stays until it is bound again.
    void Bind(int index, Direction direction, Type type, const QVariant& value = {}, qsizetype size = 0);
    // Executes a procedure call and drains its results.
    void ExecuteCall();
    // Executes a statement whose result rows are then fetched.
    void ExecuteQuery();
    bool Fetch();
    // A column of the current row (from 1), read as type.
    QVariant Column(int index, Type type);
    QVariant Output(int index) const;

private:
    struct Binding {
        Direction direction = Direction::Input;
        Type type = Type::Integer;
        std::vector<char> buffer;
        SQLLEN indicator = 0;
    };

    void Drain();
    static void Fill(Binding& binding, const QVariant& value, qsizetype size);
    static QVariant Read(Type type, const std::vector<char>& buffer, SQLLEN indicator);

    OdbcHandle m_statement;
    // Drivers keep the addresses of bound buffers: each binding lives apart.
    std::map<int, std::unique_ptr<Binding>> m_bindings;
};

}  // namespace ado
