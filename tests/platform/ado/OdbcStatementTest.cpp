#include "platform/ado/OdbcStatement.h"
#include "platform/NumberedError.h"
#include "platform/ado/OdbcConnection.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using Direction = ado::OdbcStatement::Direction;
using Type = ado::OdbcStatement::Type;

// The test server's postgres database reached through the project's own
// ODBC code, with no Qt plug-in in between; what a test creates lives in
// the session's temporary schema.
class OdbcStatementPostgreSql : public ::testing::Test {
protected:
    void SetUp() override { Open(connection); }

    static void Open(ado::OdbcConnection& into)
    {
        into.Open("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=" R58213_PG_PORT
                  ";DATABASE=postgres;UID=qeldba;PWD=" R58213_TARGET_PASSWORD,
                  10);
    }

    void Run(const QString& sql)
    {
        ado::OdbcStatement statement(connection);
        statement.Prepare(sql);
        statement.ExecuteCall();
    }

    ado::OdbcConnection connection;
};

}  // namespace

// A driver that takes a length as given stores what it is given: every
// text goes out with its exact byte length and comes back byte for byte.
TEST_F(OdbcStatementPostgreSql, BoundTextsArriveByteForByte)
{
    Run("create temporary table texts (id integer, v varchar(50))");
    const QList<QVariant> texts{QString("abc"), QString("Grüße"), QString(50, 'x'),
                                QString(""),    QVariant(),       QString("O'Brien; drop table texts")};
    ado::OdbcStatement insert(connection);
    insert.Prepare("insert into texts (id, v) values (?, ?)");
    for (qsizetype i = 0; i < texts.size(); ++i) {
        insert.Bind(1, Direction::Input, Type::Integer, static_cast<qint32>(i));
        insert.Bind(2, Direction::Input, Type::Text, texts[i]);
        insert.ExecuteCall();
    }
    ado::OdbcStatement select(connection);
    select.Prepare("select octet_length(v), v from texts where id = ?");
    for (qsizetype i = 0; i < texts.size(); ++i) {
        select.Bind(1, Direction::Input, Type::Integer, static_cast<qint32>(i));
        select.ExecuteQuery();
        ASSERT_TRUE(select.Fetch());
        const QVariant bytes = select.Column(1, Type::Integer);
        const QVariant text = select.Column(2, Type::Text);
        if (texts[i].isNull()) {
            EXPECT_TRUE(bytes.isNull() && text.isNull()) << i;
            continue;
        }
        EXPECT_EQ(bytes.toInt(), texts[i].toString().toUtf8().size()) << i;
        EXPECT_EQ(text.toString(), texts[i].toString()) << i;
    }
}

// The call form of SQL Server and Oracle targets, on the reference target's
// kind of function: outputs bound as outputs, read after the results are
// drained; a seek that finds nothing gives every output Null.
TEST_F(OdbcStatementPostgreSql, ACallFillsItsOutputsOrLeavesThemNull)
{
    Run("create function pg_temp.seekf(in p_id integer, out o_qty integer, out o_price double precision, "
        "out o_ts timestamp, out o_name varchar) as $$ select 8, 3.25::float8, timestamp '2024-03-04 05:06:07', "
        "'Grüße'::varchar where p_id = 1 $$ language sql");
    ado::OdbcStatement call(connection);
    call.Prepare("{call pg_temp.seekf(?, ?, ?, ?, ?)}");
    call.Bind(2, Direction::Output, Type::Integer);
    call.Bind(3, Direction::Output, Type::Double);
    call.Bind(4, Direction::Output, Type::DateTime);
    call.Bind(5, Direction::Output, Type::Text, {}, 50);
    call.Bind(1, Direction::Input, Type::Integer, 1);
    call.ExecuteCall();
    EXPECT_EQ(call.Output(2), QVariant(8));
    EXPECT_EQ(call.Output(3), QVariant(3.25));
    EXPECT_EQ(call.Output(4).toDateTime(), QDateTime(QDate(2024, 3, 4), QTime(5, 6, 7), Qt::UTC));
    EXPECT_EQ(call.Output(5), QVariant(QString("Grüße")));
    call.Bind(1, Direction::Input, Type::Integer, 2);
    call.ExecuteCall();
    for (int output = 2; output <= 5; ++output)
        EXPECT_TRUE(call.Output(output).isNull()) << output;
}

// A statement that waits for a row another connection has locked ends
// after its time-out with the driver's reason, and leaves its connection
// usable.
TEST_F(OdbcStatementPostgreSql, AStatementBlockedByARowLockEndsAfterItsTimeOut)
{
    const QString table = "odbc_lock_" + QString::number(QCoreApplication::applicationPid());
    Run("create table " + table + " (v integer)");
    Run("insert into " + table + " values (1)");
    ado::OdbcConnection holder;
    Open(holder);
    holder.BeginTransaction();
    ado::OdbcStatement lock(holder);
    lock.Prepare("select v from " + table + " for update");
    lock.ExecuteQuery();
    ASSERT_TRUE(lock.Fetch());

    ado::OdbcStatement blocked(connection);
    blocked.setQueryTimeout(1);
    blocked.Prepare("update " + table + " set v = 2");
    QElapsedTimer timer;
    timer.start();
    try {
        blocked.ExecuteCall();
        ADD_FAILURE() << "the blocked update ended without its time-out";
    } catch (const NumberedError& error) {
        EXPECT_TRUE(error.description().contains("timeout")) << error.description().toStdString();
    }
    EXPECT_LT(timer.elapsed(), 10000);
    holder.Rollback();
    Run("drop table " + table);
}
