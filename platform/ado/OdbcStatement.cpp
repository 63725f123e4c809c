#include "platform/ado/OdbcStatement.h"

#include "platform/ado/OdbcConnection.h"

#include <QDateTime>
#include <QMap>
#include <algorithm>
#include <cstring>
#include <sqlext.h>
#include <sqlucode.h>

namespace ado {

namespace {

constexpr qint64 kNanosecondsPerMillisecond = 1000000;
// Date-times carry milliseconds: 23 characters, 3 fractional digits.
constexpr SQLULEN kTimestampSize = 23;
constexpr SQLSMALLINT kTimestampDigits = 3;

// The C and SQL type codes of each Type, in its order.
struct TypeCodes {
    SQLSMALLINT c;
    SQLSMALLINT sql;
};

TypeCodes CodesOf(OdbcStatement::Type type)
{
    static constexpr TypeCodes kCodes[] = {{SQL_C_SLONG, SQL_INTEGER},  {SQL_C_DOUBLE, SQL_DOUBLE},
                                           {SQL_C_WCHAR, SQL_WVARCHAR}, {SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP},
                                           {SQL_C_SBIGINT, SQL_BIGINT}, {SQL_C_BINARY, SQL_LONGVARBINARY}};
    return kCodes[static_cast<int>(type)];
}

// How a result column of an SQL type is read.
OdbcStatement::Type ColumnType(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
        return OdbcStatement::Type::Integer;
    case SQL_BIGINT:
        return OdbcStatement::Type::BigInt;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return OdbcStatement::Type::Double;
    case SQL_DATE:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
        return OdbcStatement::Type::DateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return OdbcStatement::Type::Binary;
    default:
        return OdbcStatement::Type::Text;
    }
}

SQLSMALLINT InputOutputType(OdbcStatement::Direction direction)
{
    static constexpr SQLSMALLINT kCodes[] = {SQL_PARAM_INPUT, SQL_PARAM_OUTPUT, SQL_PARAM_INPUT_OUTPUT};
    return kCodes[static_cast<int>(direction)];
}

template <typename Value> void Store(std::vector<char>& buffer, const Value& value)
{
    buffer.resize(sizeof(Value));
    std::memcpy(buffer.data(), &value, sizeof(Value));
}

template <typename Value> Value Load(const char* buffer)
{
    Value value{};
    std::memcpy(&value, buffer, sizeof(Value));
    return value;
}

SQL_TIMESTAMP_STRUCT Timestamp(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    SQL_TIMESTAMP_STRUCT stamp{};
    stamp.year = static_cast<SQLSMALLINT>(date.year());
    stamp.month = static_cast<SQLUSMALLINT>(date.month());
    stamp.day = static_cast<SQLUSMALLINT>(date.day());
    stamp.hour = static_cast<SQLUSMALLINT>(time.hour());
    stamp.minute = static_cast<SQLUSMALLINT>(time.minute());
    stamp.second = static_cast<SQLUSMALLINT>(time.second());
    stamp.fraction = static_cast<SQLUINTEGER>(time.msec() * kNanosecondsPerMillisecond);
    return stamp;
}

QDateTime FromTimestamp(const SQL_TIMESTAMP_STRUCT& stamp)
{
    return QDateTime(
        QDate(stamp.year, stamp.month, stamp.day),
        QTime(stamp.hour, stamp.minute, stamp.second, static_cast<int>(stamp.fraction / kNanosecondsPerMillisecond)),
        Qt::UTC);
}

}  // namespace

OdbcStatement::OdbcStatement(OdbcConnection& connection) : m_statement(SQL_HANDLE_STMT, connection.handle().get())
{
}

void OdbcStatement::setQueryTimeout(qint32 seconds)
{
    m_statement.Check(SQLSetStmtAttr(m_statement.get(), SQL_ATTR_QUERY_TIMEOUT,
                                     reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(qMax(0, seconds))), 0),
                      "SQLSetStmtAttr");
}

void OdbcStatement::Prepare(const QString& sql)
{
    m_columns.reset();
    QString text = sql;
    m_statement.Check(
        SQLPrepareW(m_statement.get(), reinterpret_cast<SQLWCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
        "SQLPrepare");
}

void OdbcStatement::ExecuteDirect(const QString& sql)
{
    SQLFreeStmt(m_statement.get(), SQL_CLOSE);
    m_columns.reset();
    QString text = sql;
    m_statement.Check(SQLExecDirectW(m_statement.get(), reinterpret_cast<SQLWCHAR*>(text.data()),
                                     static_cast<SQLINTEGER>(text.size())),
                      "SQLExecDirect");
    // Closed, not drained: a schema statement sends nothing to read, and
    // MariaDB's driver 3.1 crashes when asked for more results after one.
    Finish();
}

void OdbcStatement::Fill(Binding& binding, const QVariant& value, qsizetype size)
{
    const bool sent = binding.direction != Direction::Output;
    const bool null = !sent || !value.isValid() || value.isNull();
    switch (binding.type) {
    case Type::Integer:
        Store(binding.buffer, null ? qint32{0} : value.toInt());
        break;
    case Type::Double:
        Store(binding.buffer, null ? 0.0 : value.toDouble());
        break;
    case Type::BigInt:
        Store(binding.buffer, null ? qint64{0} : value.toLongLong());
        break;
    case Type::DateTime:
        Store(binding.buffer, null ? SQL_TIMESTAMP_STRUCT{} : Timestamp(value.toDateTime()));
        break;
    case Type::Binary: {
        const QByteArray bytes = null ? QByteArray() : value.toByteArray();
        binding.buffer.assign(static_cast<size_t>(std::max<qsizetype>({size, bytes.size(), 1})), 0);
        std::memcpy(binding.buffer.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
        binding.indicator = bytes.size();
        break;
    }
    case Type::Text: {
        const QString text = null ? QString() : value.toString();
        // Room for the declared size (an output) or the text, and a
        // terminator the driver may write; the length handed over counts
        // the text alone.
        const qsizetype units = qMax(size, text.size()) + 1;
        binding.buffer.assign(static_cast<size_t>(units * 2), 0);
        std::memcpy(binding.buffer.data(), text.utf16(), static_cast<size_t>(text.size() * 2));
        binding.indicator = text.size() * 2;
        break;
    }
    }
    if (binding.type != Type::Text && binding.type != Type::Binary)
        binding.indicator = static_cast<SQLLEN>(binding.buffer.size());
    if (null)
        binding.indicator = SQL_NULL_DATA;
}

void OdbcStatement::Bind(int index, Direction direction, Type type, const QVariant& value, qsizetype size)
{
    auto binding = std::make_unique<Binding>();
    binding->direction = direction;
    binding->type = type;
    Fill(*binding, value, size);
    SQLULEN columnSize = 0;
    if (type == Type::Text)
        columnSize = static_cast<SQLULEN>(qMax<size_t>(1, binding->buffer.size() / 2 - 1));
    else if (type == Type::Binary)
        columnSize = binding->buffer.size();
    else if (type == Type::DateTime)
        columnSize = kTimestampSize;
    m_statement.Check(SQLBindParameter(m_statement.get(), static_cast<SQLUSMALLINT>(index), InputOutputType(direction),
                                       CodesOf(type).c, CodesOf(type).sql, columnSize,
                                       type == Type::DateTime ? kTimestampDigits : 0, binding->buffer.data(),
                                       static_cast<SQLLEN>(binding->buffer.size()), &binding->indicator),
                      "SQLBindParameter");
    m_bindings[index] = std::move(binding);
}

void OdbcStatement::ExecuteQuery()
{
    SQLFreeStmt(m_statement.get(), SQL_CLOSE);
    m_statement.Check(SQLExecute(m_statement.get()), "SQLExecute");
}

void OdbcStatement::Drain()
{
    SQLRETURN result = SQL_SUCCESS;
    while (SQL_SUCCEEDED(result = SQLMoreResults(m_statement.get()))) {}
    m_statement.Check(result, "SQLMoreResults");
}

void OdbcStatement::ExecuteCall()
{
    ExecuteQuery();
    Drain();
}

bool OdbcStatement::Fetch()
{
    const SQLRETURN result = SQLFetch(m_statement.get());
    m_statement.Check(result, "SQLFetch");
    return result != SQL_NO_DATA;
}

const QList<OdbcStatement::ColumnInfo>& OdbcStatement::Describe()
{
    if (m_columns)
        return *m_columns;
    SQLSMALLINT count = 0;
    m_statement.Check(SQLNumResultCols(m_statement.get(), &count), "SQLNumResultCols");
    QList<ColumnInfo> columns;
    for (SQLUSMALLINT column = 1; column <= count; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT sqlType = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        m_statement.Check(
            SQLDescribeColW(m_statement.get(), column, name, 256, &nameLength, &sqlType, &size, &digits, &nullable),
            "SQLDescribeCol");
        columns.append({QString::fromUtf16(reinterpret_cast<const char16_t*>(name), qMin<SQLSMALLINT>(nameLength, 255)),
                        ColumnType(sqlType)});
    }
    m_columns = columns;
    return *m_columns;
}

QVariant OdbcStatement::Column(int index, Type type)
{
    if (type == Type::Text || type == Type::Binary) {
        const auto bytes = ReadPieces(index, CodesOf(type).c, type == Type::Text ? 2 : 0);
        if (!bytes)
            return {};
        if (type == Type::Binary)
            return *bytes;
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes->constData()), bytes->size() / 2);
    }
    std::vector<char> buffer(sizeof(SQL_TIMESTAMP_STRUCT));
    SQLLEN indicator = 0;
    m_statement.Check(SQLGetData(m_statement.get(), static_cast<SQLUSMALLINT>(index), CodesOf(type).c, buffer.data(),
                                 static_cast<SQLLEN>(buffer.size()), &indicator),
                      "SQLGetData");
    return Read(type, buffer, indicator);
}

// A text or binary value is read in pieces until the driver has given all
// of it; each text piece ends in a terminator that is not part of it.
std::optional<QByteArray> OdbcStatement::ReadPieces(int index, SQLSMALLINT cType, qsizetype terminatorBytes)
{
    QByteArray data;
    char piece[4096];
    const auto room = static_cast<SQLLEN>(sizeof piece) - terminatorBytes;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN result =
            SQLGetData(m_statement.get(), static_cast<SQLUSMALLINT>(index), cType, piece, sizeof piece, &indicator);
        if (result == SQL_NO_DATA)
            break;
        m_statement.Check(result, "SQLGetData");
        if (indicator == SQL_NULL_DATA)
            return std::nullopt;
        data.append(piece, indicator == SQL_NO_TOTAL || indicator > room ? room : indicator);
        if (result == SQL_SUCCESS)
            break;
    }
    return data;
}

qint64 OdbcStatement::RowsAffected()
{
    SQLLEN rows = -1;
    m_statement.Check(SQLRowCount(m_statement.get(), &rows), "SQLRowCount");
    return rows;
}

void OdbcStatement::Finish()
{
    SQLFreeStmt(m_statement.get(), SQL_CLOSE);
}

// Catalogs keep names as their database folds them: as written, in lower
// case (PostgreSQL) or in upper case (Oracle).
QStringList OdbcStatement::PrimaryKeyColumns(const QString& table)
{
    for (QString name : {table, table.toLower(), table.toUpper()}) {
        Finish();
        m_statement.Check(SQLPrimaryKeysW(m_statement.get(), nullptr, 0, nullptr, 0,
                                          reinterpret_cast<SQLWCHAR*>(name.data()),
                                          static_cast<SQLSMALLINT>(name.size())),
                          "SQLPrimaryKeys");
        QMap<int, QString> columns;
        while (Fetch()) {
            const QString column = Column(4, Type::Text).toString();
            columns.insert(Column(5, Type::Integer).toInt(), column);
        }
        Finish();
        if (!columns.isEmpty())
            return columns.values();
    }
    return {};
}

QVariant OdbcStatement::Output(int index) const
{
    const auto found = m_bindings.find(index);
    if (found == m_bindings.end())
        return {};
    const Binding& binding = *found->second;
    return Read(binding.type, binding.buffer, binding.indicator);
}

QVariant OdbcStatement::Read(Type type, const std::vector<char>& buffer, SQLLEN indicator)
{
    if (indicator == SQL_NULL_DATA)
        return {};
    switch (type) {
    case Type::Integer:
        return Load<qint32>(buffer.data());
    case Type::Double:
        return Load<double>(buffer.data());
    case Type::BigInt:
        return Load<qint64>(buffer.data());
    case Type::DateTime:
        return FromTimestamp(Load<SQL_TIMESTAMP_STRUCT>(buffer.data()));
    case Type::Binary:
        return QByteArray(buffer.data(), qMin<qsizetype>(indicator, static_cast<qsizetype>(buffer.size())));
    case Type::Text: {
        // A text longer than its buffer arrives cut to the buffer.
        const qsizetype room = static_cast<qsizetype>(buffer.size() / 2) - 1;
        const qsizetype units = indicator == SQL_NO_TOTAL ? room : qMin<qsizetype>(indicator / 2, room);
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.data()), units);
    }
    }
    Q_UNREACHABLE();
}

}  // namespace ado
