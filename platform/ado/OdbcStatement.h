#pragma once

#include "platform/ado/OdbcHandle.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace ado {

class OdbcConnection;

// One statement on an OdbcConnection, prepared once and executed with its
// parameters bound by position. An input is handed over with its exact
// byte length and SQL type, Null as SQL_NULL_DATA; an output is bound into
// a buffer of its declared size and read back through its indicator, so a
// Null output reads as Null. A call's outputs are read only after every
// result the driver sends has been drained, since a driver may deliver
// them last. Values cross as QVariant: qint32, qint64, double, QString,
// QByteArray, and date-times as QDateTime (a naive time in UTC's spec, so
// that no daylight-saving rule moves it) with their milliseconds.
class OdbcStatement {
public:
    enum class Direction { Input, Output, InputOutput };
    enum class Type { Integer, Double, Text, DateTime, BigInt, Binary };
    struct ColumnInfo {
        QString name;
        Type type;
    };

    explicit OdbcStatement(OdbcConnection& connection);

    void setQueryTimeout(qint32 seconds);
    void Prepare(const QString& sql);
    // Runs a statement that takes no parameters without preparing it (a
    // schema statement), and closes it.
    void ExecuteDirect(const QString& sql);
    // index counts from 1; size is the declared characters of a text
    // output. A binding stays until it is bound again.
    void Bind(int index, Direction direction, Type type, const QVariant& value = {}, qsizetype size = 0);
    // Executes a procedure call and drains its results.
    void ExecuteCall();
    // Executes a statement whose result rows are then fetched.
    void ExecuteQuery();
    bool Fetch();
    // The columns of the result, each with the type it is read as. A
    // prepared statement's columns are asked of the driver once: every
    // execution of one text returns the same.
    const QList<ColumnInfo>& Describe();
    // A column of the current row (from 1), read as type.
    QVariant Column(int index, Type type);
    QVariant Output(int index) const;
    // The rows the last statement changed; -1 when the driver cannot tell.
    qint64 RowsAffected();
    // Gives up the rest of the result, so that no read stays open.
    void Finish();
    // The primary-key columns of a table in key order, from the catalog.
    QStringList PrimaryKeyColumns(const QString& table);

private:
    struct Binding {
        Direction direction = Direction::Input;
        Type type = Type::Integer;
        std::vector<char> buffer;
        SQLLEN indicator = 0;
    };

    void Drain();
    std::optional<QByteArray> ReadPieces(int index, SQLSMALLINT cType, qsizetype terminatorBytes);
    static void Fill(Binding& binding, const QVariant& value, qsizetype size);
    static QVariant Read(Type type, const std::vector<char>& buffer, SQLLEN indicator);

    OdbcHandle m_statement;
    // Drivers keep the addresses of bound buffers: each binding lives apart.
    std::map<int, std::unique_ptr<Binding>> m_bindings;
    std::optional<QList<ColumnInfo>> m_columns;
};

}  // namespace ado
