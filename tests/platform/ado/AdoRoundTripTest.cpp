#include "dbsupport/TargetFixture.h"

#include "platform/DateTime.h"
#include "platform/ado/Command.h"
#include "platform/ado/Connection.h"
#include "platform/ado/FieldValue.h"
#include "platform/ado/SqlExecution.h"

#include <QDateTime>
#include <functional>
#include <optional>
#include <utility>

using ado::DataType;

namespace {

constexpr auto In = ado::Direction::Input;
constexpr auto Out = ado::Direction::Output;

// The texts a target must keep byte for byte: a terminator counted in a
// bound length would show as one byte more, or fail the 50-character one.
const QVariantList kTexts{QString("abc"), QString("Grüße"), QString(50, 'x'),
                          QString(""),    QVariant(),       QString("O'Brien; drop table texts")};

enum class Server { PostgreSql, PostgreSqlCall, MariaDb };

struct ServerName {
    std::string operator()(const ::testing::TestParamInfo<Server>& info) const
    {
        static const char* const kNames[] = {"PostgreSql", "PostgreSqlCall", "MariaDb"};
        return kNames[static_cast<int>(info.param)];
    }
};

// A server reached through the layer, with the procedures the tests call:
// PostgreSQL functions of the connection's own session, in either call
// form, and MariaDB procedures with real output parameters, reached as an
// ODBC data source. MariaDB's driver takes every length as given, so a
// terminator counted in one would come back.
class ServerRoundTrip : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        if (GetParam() == Server::MariaDb)
            return OpenMariaDb();
        target.emplace(
            TargetKind(ado::Backend::PostgreSql,
                       GetParam() == Server::PostgreSqlCall ? ado::CallForm::Escape : ado::CallForm::Select));
        target->CreateRoot();
        root = target->OpenRoot();
        prefix = "pg_temp.";
        Create("create function pg_temp.measure(in p_text varchar, out o_bytes integer, out o_text varchar) "
               "as $$ select octet_length(p_text), p_text $$ language sql");
        Create("create function pg_temp.echo(in p_int integer, in p_double float8, in p_ts timestamp, "
               "out o_int integer, out o_double float8, out o_ts timestamp) "
               "as $$ select p_int, p_double, p_ts where p_int <> 0 $$ language sql");
    }

    void OpenMariaDb()
    {
        // The server's data source, as an administrator would define it in
        // /etc/odbc.ini.
        qputenv("ODBCINI", R58213_MARIADB_ODBCINI);
        root = std::make_unique<ado::Connection>();
        root->Open("Provider=MSDASQL;Data Source=r58213_mariadb;User ID=qeldba;Password=" R58213_TARGET_PASSWORD);
        Create("create or replace procedure measure(in p_text varchar(50), out o_bytes integer, "
               "out o_text varchar(50)) begin set o_bytes = octet_length(p_text); set o_text = p_text; end");
        Create("create or replace procedure echo(in p_int integer, out o_int integer, in p_double double, "
               "out o_double double, in p_ts datetime(3), out o_ts datetime(3)) begin if p_int <> 0 then "
               "set o_int = p_int; set o_double = p_double; set o_ts = p_ts; end if; end");
    }

    void Create(const QString& sql) { ado::SqlExecution::Statement(*root, sql); }

    QString TimestampEcho() const
    {
        return GetParam() == Server::MariaDb ? "select cast(? as datetime(3))" : "select ?::timestamp";
    }

    std::unique_ptr<ado::Command> Measure()
    {
        return ado::Command::Procedure(*root, prefix + "measure",
                                       {{"p_text", DataType::VarWChar, In, 50},
                                        {"o_bytes", DataType::Integer, Out},
                                        {"o_text", DataType::VarWChar, Out, 50}});
    }

    std::optional<TargetFixture> target;
    std::unique_ptr<ado::Connection> root;
    QString prefix;
};

// Each text's byte count on the server and the text as it came back.
using Measured = std::pair<QVariant, QVariant>;

void ExpectByteForByte(const std::function<Measured(qsizetype, const QVariant&)>& travel)
{
    for (qsizetype i = 0; i < kTexts.size(); ++i) {
        const auto [bytes, back] = travel(i, kTexts[i]);
        if (kTexts[i].isNull()) {
            EXPECT_TRUE(ado::FieldValue(bytes).IsNull() && ado::FieldValue(back).IsNull()) << i;
            continue;
        }
        EXPECT_EQ(ado::FieldValue(bytes).toInt(), kTexts[i].toString().toUtf8().size()) << i;
        EXPECT_EQ(back.toString(), kTexts[i].toString()) << i;
    }
}

class StatementRoundTrip : public ServerRoundTrip {};
class CallRoundTrip : public ServerRoundTrip {};
class MariaDbOutputs : public ServerRoundTrip {};

}  // namespace

TEST_P(StatementRoundTrip, TextsAreStoredByteForByte)
{
    ado::SqlExecution::Run(*root, "create temporary table texts (id integer, v varchar(50))");
    ExpectByteForByte([&](qsizetype id, const QVariant& text) {
        ado::SqlExecution::Run(*root, "insert into texts (id, v) values (?, ?)", {qint32(id), text});
        const ado::StatementResult stored =
            ado::SqlExecution::Run(*root, "select octet_length(v), v from texts where id = ?", {qint32(id)});
        const QVariantList row = stored.rows.value(0);
        return Measured{row.value(0), row.value(1)};
    });
}

TEST_P(CallRoundTrip, TextsTravelByteForByteInAndOut)
{
    const auto measure = Measure();
    ExpectByteForByte([&](qsizetype, const QVariant& text) {
        measure->Parameters("p_text").setValue(text);
        measure->Execute();
        return Measured{measure->Parameters("o_bytes").Value(), measure->Parameters("o_text").Value()};
    });
}

// Integers, doubles and date-times with milliseconds go in and come back
// unchanged; a seek that finds nothing leaves every output Null, also after
// a call that filled them.
TEST_P(CallRoundTrip, NumbersAndTimesComeBackExactlyAndAMissLeavesEveryOutputNull)
{
    const auto echo = ado::Command::Procedure(*root, prefix + "echo",
                                              {{"p_int", DataType::Integer, In},
                                               {"o_int", DataType::Integer, Out},
                                               {"p_double", DataType::Double, In},
                                               {"o_double", DataType::Double, Out},
                                               {"p_ts", DataType::Date, In},
                                               {"o_ts", DataType::Date, Out}});
    const QDateTime stamp(QDate(2024, 3, 4), QTime(5, 6, 7, 123), Qt::UTC);
    echo->Parameters("p_int").setValue(-2147483647);
    echo->Parameters("p_double").setValue(0.1 + 0.2);
    echo->Parameters("p_ts").setValue(stamp);
    echo->Execute();
    EXPECT_EQ(ado::FieldValue(echo->Parameters("o_int").Value()).toInt(), -2147483647);
    EXPECT_EQ(echo->Parameters("o_double").Value().toDouble(), 0.1 + 0.2);
    EXPECT_EQ(echo->Parameters("o_ts").Value().value<DateTime>(), DateTime::FromQDateTime(stamp.date(), stamp.time()));
    const ado::StatementResult read = ado::SqlExecution::Run(*root, TimestampEcho(), {stamp});
    EXPECT_EQ(read.rows.value(0).value(0).toDateTime(), stamp);

    echo->Parameters("p_int").setValue(0);
    echo->Execute();
    for (const char* output : {"o_int", "o_double", "o_ts"})
        EXPECT_TRUE(echo->Parameters(output).IsNull()) << output;
}

// Why MariaDB is no reference target: its Connector/ODBC 3.1 writes a
// procedure's integer output as text into the integer's buffer, and leaves
// a Null output unflagged, so a seek that finds nothing could not be told
// from one that finds a row. This test fails once a driver stops doing so.
TEST_P(MariaDbOutputs, AreMangledByItsDriver)
{
    const auto measure = Measure();
    measure->Parameters("p_text").setValue(QString("abc"));
    measure->Execute();
    EXPECT_NE(ado::FieldValue(measure->Parameters("o_bytes").Value()).toInt(), 3);
    measure->Parameters("p_text").setValue(QVariant());
    measure->Execute();
    EXPECT_FALSE(measure->Parameters("o_bytes").IsNull());
}

INSTANTIATE_TEST_SUITE_P(Server, StatementRoundTrip,
                         ::testing::Values(Server::PostgreSql, Server::PostgreSqlCall, Server::MariaDb), ServerName());
INSTANTIATE_TEST_SUITE_P(Server, CallRoundTrip, ::testing::Values(Server::PostgreSql, Server::PostgreSqlCall),
                         ServerName());
INSTANTIATE_TEST_SUITE_P(Server, MariaDbOutputs, ::testing::Values(Server::MariaDb), ServerName());
