#include "platform/ado/OdbcStatement.h"

#include "platform/DateTime.h"
#include "platform/ado/OdbcConnection.h"

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
    static constexpr TypeCodes kCodes[] = {{SQL_C_SLONG, SQL_INTEGER},
                                           {SQL_C_DOUBLE, SQL_DOUBLE},
                                           {SQL_C_WCHAR, SQL_WVARCHAR},
                                           {SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP}};
    return kCodes[static_cast<int>(type)];
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

SQL_TIMESTAMP_STRUCT Timestamp(const DateTime& value)
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

DateTime FromTimestamp(const SQL_TIMESTAMP_STRUCT& stamp)
{
    return DateTime::FromQDateTime(
        QDate(stamp.year, stamp.month, stamp.day),
        QTime(stamp.hour, stamp.minute, stamp.second, static_cast<int>(stamp.fraction / kNanosecondsPerMillisecond)));
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
    QString text = sql;
    m_statement.Check(
        SQLPrepareW(m_statement.get(), reinterpret_cast<SQLWCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
        "SQLPrepare");
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
    case Type::DateTime:
        Store(binding.buffer, null ? SQL_TIMESTAMP_STRUCT{} : Timestamp(value.value<DateTime>()));
        break;
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
    if (binding.type != Type::Text)
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
    const SQLULEN columnSize = type == Type::Text
        ? static_cast<SQLULEN>(qMax<qsizetype>(1, binding->buffer.size() / 2 - 1))
        : type == Type::DateTime ? kTimestampSize
                                 : 0;
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

QVariant OdbcStatement::Column(int index, Type type)
{
    std::vector<char> buffer(type == Type::Text ? 0 : sizeof(SQL_TIMESTAMP_STRUCT));
    SQLLEN indicator = 0;
    if (type != Type::Text) {
        m_statement.Check(SQLGetData(m_statement.get(), static_cast<SQLUSMALLINT>(index), CodesOf(type).c,
                                     buffer.data(), static_cast<SQLLEN>(buffer.size()), &indicator),
                          "SQLGetData");
        return Read(type, buffer, indicator);
    }
    // A text is read in pieces until the driver has given all of it.
    QString text;
    SQLWCHAR piece[512];
    for (;;) {
        const SQLRETURN result = SQLGetData(m_statement.get(), static_cast<SQLUSMALLINT>(index), SQL_C_WCHAR, piece,
                                            sizeof piece, &indicator);
        if (result == SQL_NO_DATA)
            break;
        m_statement.Check(result, "SQLGetData");
        if (indicator == SQL_NULL_DATA)
            return {};
        const qsizetype units = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof piece)
            ? static_cast<qsizetype>(sizeof piece / 2 - 1)
            : indicator / 2;
        text += QString::fromUtf16(reinterpret_cast<const char16_t*>(piece), units);
        if (result == SQL_SUCCESS)
            break;
    }
    return text;
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
    case Type::DateTime:
        return QVariant::fromValue(FromTimestamp(Load<SQL_TIMESTAMP_STRUCT>(buffer.data())));
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
