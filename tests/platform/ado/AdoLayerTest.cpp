#include "dbsupport/TargetFixture.h"

#include "platform/DateTime.h"
#include "platform/NumberedError.h"
#include "platform/ado/Command.h"
#include "platform/ado/Connection.h"
#include "platform/ado/FieldValue.h"
#include "platform/ado/Recordset.h"

#include "support/LocalZone.h"
#include "support/Raised.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <cstdlib>
#include <optional>

using ado::CursorType;
using ado::DataType;
using ado::Direction;
using ado::LockType;

namespace {

constexpr auto In = Direction::Input;
constexpr auto Out = Direction::Output;

QVariant V(const DateTime& value)
{
    return QVariant::fromValue(value);
}

// The error a failed call raised must be the one the connection keeps.
void ExpectKept(const ado::Connection& connection, const NumberedError& error)
{
    ASSERT_EQ(connection.Errors().size(), 1);
    EXPECT_EQ(connection.Errors().first().number, error.number());
    EXPECT_EQ(connection.Errors().first().description, error.description());
}

int Count(ado::Connection& connection, const QString& sql, const QVariantList& bound = {})
{
    ado::Recordset rows;
    rows.Open(sql, connection, CursorType::Static, LockType::ReadOnly, bound);
    return rows.Fields(0).toInt();
}

std::optional<DateTime> DateOf(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toDateTime();
}

const QString kRunRow = "select * from k5_server_run where interface_id = ? and filename = ?";
const QString kUpdateRun = "update k5_server_run set WORKSTATION = ? where INTERFACE_ID = ? and FILENAME = ?";
const DateTime kAfternoon = DateTime::FromParts(2024, 3, 5, 14, 7, 9);
const DateTime kNight = DateTime::FromParts(2024, 3, 31, 2, 30, 0);

std::unique_ptr<ado::Command> ServerTime(ado::Connection& root)
{
    return ado::Command::Procedure(root, "GETSERVERTIME", {{"date_out", DataType::Date, Out}});
}

const DateTime kSlot = DateTime::FromParts(2024, 3, 5, 14);

// A facility's procedures that write and seek the hourly value of
// variable 101, the writes in the slot above.
class HourlyProcedures {
public:
    explicit HourlyProcedures(ado::Connection& plant)
        : m_write(ado::Command::Procedure(plant, "WRITEDDH",
                                          {{"date", DataType::Date, In},
                                           {"varid", DataType::Integer, In},
                                           {"value", DataType::Double, In},
                                           {"textvalue", DataType::VarWChar, In, 255},
                                           {"audituser", DataType::VarChar, In, 50},
                                           {"slotstarttime", DataType::Date, In},
                                           {"slotendtime", DataType::Date, In},
                                           {"status", DataType::Integer, In}})),
          m_seek(ado::Command::Procedure(plant, "SEEKFDDH",
                                         {{"datestamp_1", DataType::Date, In},
                                          {"varid_2", DataType::Integer, In},
                                          {"curvalue_3", DataType::Double, Out},
                                          {"textvalue_4", DataType::VarWChar, Out, 255},
                                          {"varid_5", DataType::Integer, Out},
                                          {"audituser", DataType::VarChar, Out, 50},
                                          {"audittimestamp", DataType::Date, Out},
                                          {"datestamp_out", DataType::Date, Out},
                                          {"slotstarttime", DataType::Date, In},
                                          {"slotendtime", DataType::Date, In},
                                          {"status", DataType::Integer, Out},
                                          {"forced", DataType::Integer, Out}}))
    {
    }

    void Write(const DateTime& stamp, double value, const QVariant& text)
    {
        m_write->Parameters("date").setValue(stamp);
        m_write->Parameters("varid").setValue(101);
        m_write->Parameters("value").setValue(value);
        m_write->Parameters("textvalue").setValue(text);
        m_write->Parameters("audituser").setValue(QString("O'NEIL"));
        m_write->Parameters("slotstarttime").setValue(kSlot);
        m_write->Parameters("slotendtime").setValue(kSlot.addMinutes(60));
        m_write->Parameters("status").setValue(2);
        EXPECT_FALSE(m_write->Execute().IsOpen());
    }

    // A write without a date, which fails after the slot's old row is gone.
    std::optional<NumberedError> WriteWithoutADate()
    {
        m_write->Parameters("date").setNull();
        m_write->Parameters("varid").setValue(101);
        return Raised([&] { m_write->Execute(); });
    }

    void Seek(const DateTime& start)
    {
        m_seek->Parameters("datestamp_1").setValue(start);
        m_seek->Parameters("varid_2").setValue(101);
        m_seek->Parameters("slotstarttime").setValue(start);
        m_seek->Parameters("slotendtime").setValue(start.addMinutes(60));
        m_seek->Execute();
    }

    ado::Parameter& Found(const char* name) { return m_seek->Parameters(name); }

private:
    std::unique_ptr<ado::Command> m_write;
    std::unique_ptr<ado::Command> m_seek;
};

}  // namespace

// A target on one backend; each test creates the schemas it needs.
class AdoLayer : public ::testing::TestWithParam<TargetKind> {
protected:
    void OpenRoot()
    {
        f.CreateRoot();
        root = f.OpenRoot();
    }

    // Three runs in the root, one at 02:30 on 31 March 2024: a time that
    // does not exist in Central Europe, where the test runs, and that must
    // still come back as written.
    void InsertRuns()
    {
        zone.emplace("Europe/Berlin");
        OpenRoot();
        const QString insert =
            "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN, AUDITUSER) values (?, ?, ?, ?)";
        f.Exec(*root, insert, {7, "PLANT1", V(kAfternoon), "ALICE"});
        f.Exec(*root, insert, {8, "PLANT1", V(kNight), QVariant()});
        f.Exec(*root, insert, {9, "PLANT2", V(kAfternoon), "BOB"});
    }

    // Run 5 of PLANT1 held by a pessimistic recordset, and another session
    // on the root that gives up waiting for a row within a second.
    void HoldRun(ado::Recordset& holder, ado::Connection& other)
    {
        OpenRoot();
        f.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, WORKSTATION) values (?, ?, ?)",
               {5, "PLANT1", "START"});
        other.setConnectionString(root->ConnectionString());
        other.setCommandTimeout(1);
        other.Open();
        holder.Open(kRunRow, *root, CursorType::Static, LockType::Pessimistic, {5, "PLANT1"});
    }

    // The workstation stored in run 5 of PLANT1, read afresh.
    QString StoredWorkstation()
    {
        ado::Recordset check;
        check.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {5, "PLANT1"});
        return check.Fields("WORKSTATION").toString();
    }

    ado::Recordset Plant1Runs()
    {
        ado::Recordset rows;
        rows.Open("select interface_id, filename, lastrun, audituser, workstation from k5_server_run "
                  "where filename = ? order by interface_id",
                  *root, CursorType::Static, LockType::ReadOnly, {"PLANT1"});
        return rows;
    }

    TargetFixture f{GetParam()};
    std::optional<LocalZone> zone;
    std::unique_ptr<ado::Connection> root;
};

TEST_P(AdoLayer, OpenFailuresNameTheCauseAndLeaveTheConnectionClosed)
{
    ado::Connection failed;
    std::optional<NumberedError> error;
    QString source;
    if (GetParam() == ado::Backend::Sqlite) {
        source = f.folder().file("empty");
        QDir().mkpath(source);
        error = Raised([&] { failed.Open("Provider=SQLite;Data Source=" + source + ";Initial Catalog=QELROOT;"); });
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->description().contains("QELROOT.sqlite")) << error->description().toStdString();
        // A failed attempt must not leave an empty database behind.
        EXPECT_TRUE(TempFolder::Files(source).isEmpty());
    } else {
        source = TargetFixture::PostgreSqlHostPort();
        error = Raised([&] {
            failed.Open("Provider=PostgreSQL;Data Source=" + source +
                        ";Initial Catalog=QELROOT;User ID=QELDBA;Password=wrong;");
        });
        ASSERT_TRUE(error);
        // PostgreSQL folds role names to lower case; the login must too.
        EXPECT_TRUE(error->description().contains("password authentication failed for user \"qeldba\""))
            << error->description().toStdString();
    }
    EXPECT_NE(error->number(), 0);
    ExpectKept(failed, *error);
    EXPECT_EQ(failed.State(), ado::kStateClosed);
    EXPECT_EQ(failed.Property("Data Source"), source);

    // The connection that failed can be opened once its string is right,
    // and only once.
    OpenRoot();
    failed.Open(root->ConnectionString());
    EXPECT_EQ(failed.State(), ado::kStateOpen);
    EXPECT_TRUE(failed.Errors().isEmpty());
    error = Raised([&] { failed.Open(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3705);
    EXPECT_EQ(failed.State(), ado::kStateOpen);
}

TEST_P(AdoLayer, AnUnknownProviderIsRefusedAndLeavesTheConnectionClosed)
{
    ado::Connection unknown;
    const auto error = Raised([&] { unknown.Open("Provider=NoSuchProvider.1;Data Source=somewhere;"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3706);
    ExpectKept(unknown, *error);
    EXPECT_EQ(unknown.State(), ado::kStateClosed);
}

TEST_P(AdoLayer, AClosedConnectionRefusesWorkAndServesItsCommandsOnceReopened)
{
    OpenRoot();
    EXPECT_EQ(root->State(), ado::kStateOpen);
    EXPECT_EQ(root->Property("data source"), f.dataSource());
    EXPECT_TRUE(root->Errors().isEmpty());

    auto serverTime = ServerTime(*root);
    root->Close();
    EXPECT_EQ(root->State(), ado::kStateClosed);
    auto error = Raised([&] { serverTime->Execute(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3709);
    ado::Recordset rows;
    error = Raised([&] { rows.Open("select * from FACILITY", *root); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3709);
    error = Raised([&] { ado::Command::Prepared(nullptr); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3709);

    // Opened again, the connection serves the commands made on it before.
    root->Open();
    serverTime->Execute();
    EXPECT_TRUE(DateOf(serverTime->Parameters("date_out")));
}

// Without a catalog the user names the database file.
TEST(SqliteAdoLayer, WithoutACatalogTheUserNamesTheDatabaseFile)
{
    TargetFixture f(ado::Backend::Sqlite);
    f.CreateRoot();
    ado::Connection byUser;
    byUser.Open("Provider=SQLite;Data Source=" + f.dataSource() + ";User ID=QELROOT;Password=x;");
    EXPECT_EQ(Count(byUser, "select count(*) from k5_server_run"), 0);
}

TEST_P(AdoLayer, FailedStatementsRaiseTheDriverTextAndKeepIt)
{
    OpenRoot();

    auto error = Raised([&] { f.Exec(*root, "SELEC * FROM FACILITY"); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->number(), 0);
    EXPECT_TRUE(error->description().contains("syntax error", Qt::CaseInsensitive))
        << error->description().toStdString();
    ExpectKept(*root, *error);

    ado::Recordset rows;
    error = Raised([&] {
        rows.Open("select * from NO_SUCH_TABLE where NAME = ?", *root, CursorType::Static, LockType::ReadOnly, {"x"});
    });
    ASSERT_TRUE(error);
    EXPECT_NE(error->number(), 0);
    EXPECT_TRUE(error->description().contains("no_such_table", Qt::CaseInsensitive))
        << error->description().toStdString();
    ExpectKept(*root, *error);
    EXPECT_FALSE(rows.IsOpen());

    f.Exec(*root, "insert into FACILITY (FILENAME, NAME) values (?, ?)", {"PLANT1", "North"});
    error = Raised([&] { f.Exec(*root, "insert into FACILITY (FILENAME, NAME) values (?, ?)", {"PLANT1", "Again"}); });
    ASSERT_TRUE(error);
    ExpectKept(*root, *error);

    // A failure leaves the connection usable and the earlier row in place.
    EXPECT_EQ(Count(*root, "select count(*) from FACILITY"), 1);
    EXPECT_TRUE(root->Errors().isEmpty());
    EXPECT_EQ(root->State(), ado::kStateOpen);
}

TEST_P(AdoLayer, TextRecordsetsReadRowsByNameOrIndexWithNullsAndDates)
{
    InsertRuns();
    ASSERT_FALSE(QDateTime(QDate(2024, 3, 31), QTime(2, 30)).isValid()) << "time zone data is missing";

    ado::Recordset rows = Plant1Runs();
    ASSERT_EQ(rows.RecordCount(), 2);
    ASSERT_EQ(rows.FieldCount(), 5);
    EXPECT_EQ(rows.FieldName(2).toUpper(), "LASTRUN");
    ASSERT_FALSE(rows.Eof());
    EXPECT_EQ(rows.Fields("INTERFACE_ID").toInt(), 7);
    EXPECT_EQ(rows.Fields("Interface_Id").toInt(), 7);
    EXPECT_EQ(rows.Fields(0).toInt(), 7);
    EXPECT_EQ(rows.Fields("FileName").toString(), "PLANT1");
    EXPECT_EQ(rows.Fields("lastrun").toDateTime(), kAfternoon);
    EXPECT_EQ(rows.Fields(3).toString(), "ALICE");
    EXPECT_TRUE(rows.Fields("WORKSTATION").IsNull());
    EXPECT_EQ(rows.Fields("WORKSTATION").toString(), QString());
    EXPECT_FALSE(rows.Fields("WORKSTATION").toDateTime());

    rows.MoveNext();
    ASSERT_FALSE(rows.Eof());
    EXPECT_EQ(rows.Fields("interface_id").toInt(), 8);
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), kNight);
    EXPECT_TRUE(rows.Fields("AUDITUSER").IsNull());
    EXPECT_EQ(rows.Fields("AUDITUSER").toString(), QString());
}

TEST_P(AdoLayer, ReadingPastTheLastRowOrAnUnknownColumnRaises)
{
    InsertRuns();
    ado::Recordset rows = Plant1Runs();
    rows.MoveNext();
    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    auto error = Raised([&] { rows.Fields("FILENAME"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3021);
    rows.MoveFirst();
    error = Raised([&] { rows.Fields("NO_SUCH_COLUMN"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3265);
}

TEST_P(AdoLayer, BoundDatesCompareAsDates)
{
    InsertRuns();
    // Only the night run falls on 31 March.
    ado::Recordset rows;
    rows.Open("select interface_id from k5_server_run where lastrun >= ? and lastrun < ?", *root, CursorType::Static,
              LockType::ReadOnly, {V(DateTime::FromParts(2024, 3, 31)), V(DateTime::FromParts(2024, 4, 1))});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields(0).toInt(), 8);
}

TEST_P(AdoLayer, AQueryWithoutRowsStartsAtItsEnd)
{
    InsertRuns();
    ado::Recordset rows;
    rows.Open("select * from k5_server_run where filename = ?", *root, CursorType::ForwardOnly, LockType::ReadOnly,
              {"PLANT9"});
    EXPECT_TRUE(rows.Eof());
    EXPECT_EQ(rows.RecordCount(), 0);
}

TEST_P(AdoLayer, ATextCommandRunsAgainWithFreshParameterValues)
{
    InsertRuns();
    ado::Command byFacility;
    byFacility.setActiveConnection(root.get());
    byFacility.setCommandText("select count(*) from k5_server_run where filename = ?");
    byFacility.Append(byFacility.CreateParameter("filename", DataType::VarChar, In, 50));
    byFacility.Parameters("FILENAME").setValue(QString("PLANT1"));
    EXPECT_EQ(byFacility.Execute().Fields(0).toInt(), 2);
    byFacility.Parameters("filename").setValue(QString("PLANT2"));
    EXPECT_EQ(byFacility.Execute().Fields(0).toInt(), 1);
    const auto error = Raised([&] { byFacility.Parameters("nosuch"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3265);
}

TEST_P(AdoLayer, QuotesAndSqlInBoundValuesAreStoredVerbatimAndNeverChangeTheStatement)
{
    OpenRoot();
    const QString hostile = "O'Brien'); DROP TABLE k5_server; --";
    const QString question = "why? ' or 1=1 --";

    f.Exec(*root, "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION) values (?, ?, ?)", {1, hostile, question});
    f.Exec(*root, "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION) values (?, ?, ?)", {2, "plain", "plain"});
    ado::Recordset rows;
    rows.Open("select INTERFACE_ID, NAME, DESCRIPTION from k5_server where NAME = ?", *root, CursorType::Static,
              LockType::ReadOnly, {hostile});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("INTERFACE_ID").toInt(), 1);
    EXPECT_EQ(rows.Fields("NAME").toString(), hostile);
    EXPECT_EQ(rows.Fields("DESCRIPTION").toString(), question);
    rows.Open("select INTERFACE_ID from k5_server where DESCRIPTION = ?", *root, CursorType::Static, LockType::ReadOnly,
              {"' or 1=1 --"});
    EXPECT_EQ(rows.RecordCount(), 0);
    EXPECT_EQ(Count(*root, "select count(*) from k5_server"), 2);
}

// The updatable path builds its own statements around the values.
TEST_P(AdoLayer, QuotesAndSqlInUpdatedValuesAreStoredVerbatimAndNeverChangeTheStatement)
{
    OpenRoot();
    const QString hostile = "O'Brien'); DROP TABLE k5_server; --";
    const QString userRow = "select * from \"USER\" where USERNAME = ?";
    ado::Recordset rows;
    rows.Open(userRow, *root, CursorType::Static, LockType::Optimistic, {hostile});
    ASSERT_TRUE(rows.Eof());
    rows.AddNew();
    rows.setField("USERNAME", hostile);
    rows.setField("PASSWORD", "pa'ss");
    rows.setField("USERTYPE", "Super");
    rows.Update();
    rows.Open(userRow, *root, CursorType::Static, LockType::Optimistic, {hostile});
    ASSERT_EQ(rows.RecordCount(), 1);
    rows.setField("PASSWORD", "x'); DELETE FROM \"USER\"; --");
    rows.Update();
    rows.Close();

    rows.Open(userRow, *root, CursorType::Static, LockType::ReadOnly, {hostile});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("PASSWORD").toString(), "x'); DELETE FROM \"USER\"; --");
    EXPECT_EQ(rows.Fields("USERTYPE").toString(), "Super");
    EXPECT_EQ(Count(*root, "select count(*) from \"USER\""), 1);
}

TEST_P(AdoLayer, PessimisticRecordsetAddsARowThenChangesOnlyThatRow)
{
    OpenRoot();
    const DateTime first = DateTime::FromParts(2024, 3, 5, 14, 7, 9);
    const DateTime second = DateTime::FromParts(2024, 3, 6, 8, 0, 0);
    // The same collector in another facility must stay untouched.
    f.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN) values (?, ?, ?)",
           {12, "PLANT2", V(first)});

    ado::Recordset rows;
    rows.Open(kRunRow, *root, CursorType::Static, LockType::Pessimistic, {12, "PLANT1"});
    ASSERT_TRUE(rows.Eof());
    rows.AddNew();
    rows.setField("INTERFACE_ID", 12);
    rows.setField("filename", "PLANT1");
    rows.setField("LastRun", V(first));
    rows.setField("WORKSTATION", "HOST-1");
    rows.setField("AUDITTIMESTAMP", V(second));
    EXPECT_EQ(rows.Fields("workstation").toString(), "HOST-1");
    EXPECT_TRUE(rows.Fields("NETUSER").IsNull());
    rows.Update();
    rows.Close();

    rows.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {12, "PLANT1"});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("INTERFACE_ID").toInt(), 12);
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), first);
    EXPECT_EQ(rows.Fields("AUDITTIMESTAMP").toDateTime(), second);
    EXPECT_EQ(rows.Fields("WORKSTATION").toString(), "HOST-1");
    EXPECT_TRUE(rows.Fields("NETUSER").IsNull());

    rows.Open(kRunRow, *root, CursorType::Static, LockType::Pessimistic, {12, "PLANT1"});
    ASSERT_EQ(rows.RecordCount(), 1);
    rows.setField("LASTRUN", V(second));
    rows.Update();
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), second);
    rows.Close();

    EXPECT_EQ(Count(*root, "select count(*) from k5_server_run where interface_id = ?", {12}), 2);
    rows.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {12, "PLANT1"});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), second);
    EXPECT_EQ(rows.Fields("WORKSTATION").toString(), "HOST-1");
    rows.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {12, "PLANT2"});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), first);
}

TEST_P(AdoLayer, ClosingAPessimisticRecordsetWithoutUpdateDiscardsTheChange)
{
    OpenRoot();
    const DateTime second = DateTime::FromParts(2024, 3, 6, 8, 0, 0);
    f.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN) values (?, ?, ?)",
           {12, "PLANT1", V(second)});
    ado::Recordset rows;
    rows.Open(kRunRow, *root, CursorType::Static, LockType::Pessimistic, {12, "PLANT1"});
    rows.setField("LASTRUN", V(DateTime::FromParts(2024, 3, 5, 14, 7, 9)));
    rows.Close();
    rows.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {12, "PLANT1"});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("LASTRUN").toDateTime(), second);
}

TEST_P(AdoLayer, AReadOnlyRecordsetRefusesChanges)
{
    OpenRoot();
    ado::Recordset rows;
    rows.Open(kRunRow, *root, CursorType::Static, LockType::ReadOnly, {12, "PLANT1"});
    const auto error = Raised([&] { rows.AddNew(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), 3251);
}

TEST_P(AdoLayer, OptimisticRecordsetTurnsValuesToNullAndBack)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    const QString infoRow = "select * from DATATBL_I where VARID = ? and DATESTAMP = ?";
    const DateTime day = DateTime::FromParts(2024, 3, 5);
    f.Exec(*plant, "insert into DATATBL_I (VARID, DATESTAMP, SAMPLER) values (?, ?, ?)",
           {101, V(day.addDays(1)), "NEXT"});

    ado::Recordset rows;
    rows.Open(infoRow, *plant, CursorType::Static, LockType::Optimistic, {101, V(day)});
    ASSERT_TRUE(rows.Eof());
    rows.AddNew();
    rows.setField("VARID", 101);
    rows.setField("DATESTAMP", V(day));
    rows.setField("SAMPLER", "JD");
    rows.setField("LABREF", 12.5);
    rows.setField("AUDITUSER", "ALICE");
    rows.Update();

    rows.Open(infoRow, *plant, CursorType::Static, LockType::Optimistic, {101, V(day)});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("SAMPLER").toString(), "JD");
    EXPECT_EQ(rows.Fields("LABREF").toDouble(), 12.5);
    EXPECT_EQ(rows.Fields("DATESTAMP").toDateTime(), day);
    rows.setField("SAMPLER", QVariant());
    rows.setField("LABREF", QVariant());
    rows.Update();
    EXPECT_TRUE(rows.Fields("SAMPLER").IsNull());

    rows.Open(infoRow, *plant, CursorType::Static, LockType::Optimistic, {101, V(day)});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_TRUE(rows.Fields("SAMPLER").IsNull());
    EXPECT_TRUE(rows.Fields("LABREF").IsNull());
    EXPECT_EQ(rows.Fields("AUDITUSER").toString(), "ALICE");
    // The row is found again although some of its values are Null now.
    rows.setField("SAMPLER", "MK");
    rows.Update();

    rows.Open("select * from DATATBL_I where VARID = ? order by DATESTAMP", *plant, CursorType::Static,
              LockType::ReadOnly, {101});
    ASSERT_EQ(rows.RecordCount(), 2);
    EXPECT_EQ(rows.Fields("SAMPLER").toString(), "MK");
    EXPECT_TRUE(rows.Fields("LABREF").IsNull());
    rows.MoveNext();
    EXPECT_EQ(rows.Fields("SAMPLER").toString(), "NEXT");
}

TEST_P(AdoLayer, ResyncReadsTheGeneratedIdAndTheBlobComesBackExactly)
{
    OpenRoot();
    f.Exec(*root, "insert into FILES (DIRNAME, FILENAME) values (?, ?)", {"HELP", "OTHER.CHM"});
    QByteArray data("\x00\xFF\x00\x01'\\\x7F\x80\xFE", 9);
    for (int i = 0; i < 2048; ++i)
        data.append(static_cast<char>(i % 256));
    data.append('\0');

    const QString fileRow = "select * from FILES where DIRNAME = ? and FILENAME = ?";
    ado::Recordset rows;
    // The new row's ID is not known until it is read again, so the row is
    // found by its directory and name.
    rows.Open(fileRow, *root, CursorType::Static, LockType::Pessimistic, {"HELP", "MANUAL.CHM"},
              {"DIRNAME", "FILENAME"});
    ASSERT_TRUE(rows.Eof());
    rows.AddNew();
    rows.setField("DIRNAME", "HELP");
    rows.setField("FILENAME", "MANUAL.CHM");
    rows.setField("AUDITUSER", "ALICE");
    rows.setField("FILEDATA", data);
    rows.Update();
    rows.Resync();
    ASSERT_FALSE(rows.Fields("ID").IsNull());
    const int id = rows.Fields("ID").toInt();
    EXPECT_GT(id, 0);
    EXPECT_EQ(rows.Fields("FILENAME").toString(), "MANUAL.CHM");
    EXPECT_EQ(rows.Fields("FILEDATA").toBytes(), data);
    rows.Close();

    rows.Open("select ID, FILEDATA from FILES where FILENAME = ?", *root, CursorType::Static, LockType::ReadOnly,
              {"MANUAL.CHM"});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("ID").toInt(), id);
    const QByteArray stored = rows.Fields("FILEDATA").toBytes();
    EXPECT_EQ(stored.size(), data.size());
    EXPECT_EQ(stored, data);
    EXPECT_NE(Count(*root, "select ID from FILES where FILENAME = ?", {"OTHER.CHM"}), id);
}

TEST_P(AdoLayer, TheServerTimeProcedureReturnsTheServersClock)
{
    OpenRoot();
    auto serverTime = ServerTime(*root);
    serverTime->Execute();
    const auto serverNow = DateOf(serverTime->Parameters("DATE_OUT"));
    ASSERT_TRUE(serverNow);
    const QDateTime local = QDateTime::currentDateTime();
    const DateTime now = DateTime::FromQDateTime(local.date(), local.time());
    EXPECT_LE(std::abs(serverNow->secondsTo(now)), 60) << serverNow->format("yyyy-mm-dd hh:nn:ss").toStdString();
}

TEST_P(AdoLayer, AMissingProcedureRaisesAndLeavesTheConnectionAbleToCallAgain)
{
    OpenRoot();
    auto serverTime = ServerTime(*root);
    auto missing = ado::Command::Procedure(*root, "NOSUCHPROCEDURE", {{"varid", DataType::Integer, In}});
    missing->Parameters("varid").setValue(1);
    auto error = Raised([&] { missing->Execute(); });
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->description().isEmpty());
    ExpectKept(*root, *error);
    serverTime->Execute();
    EXPECT_TRUE(DateOf(serverTime->Parameters("date_out")));
}

TEST_P(AdoLayer, ASecondValueInASlotReplacesTheFirstAndTheSeekReturnsIt)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    HourlyProcedures hourly(*plant);
    hourly.Write(kSlot, 41.0, QString("first"));
    hourly.Write(kSlot.addMinutes(15), 42.25, QString("it's"));
    EXPECT_EQ(Count(*plant, "select count(*) from DATADDH where VARID = ?", {101}), 1);

    hourly.Seek(kSlot);
    EXPECT_EQ(ado::FieldValue(hourly.Found("varid_5").Value()).toInt(), 101);
    EXPECT_EQ(ado::FieldValue(hourly.Found("curvalue_3").Value()).toDouble(), 42.25);
    EXPECT_EQ(ado::FieldValue(hourly.Found("textvalue_4").Value()).toString(), "it's");
    EXPECT_EQ(ado::FieldValue(hourly.Found("audituser").Value()).toString(), "O'NEIL");
    EXPECT_EQ(DateOf(hourly.Found("datestamp_out")), kSlot.addMinutes(15));
    EXPECT_TRUE(DateOf(hourly.Found("audittimestamp")));
    EXPECT_EQ(ado::FieldValue(hourly.Found("status").Value()).toInt(), 2);
    EXPECT_EQ(ado::FieldValue(hourly.Found("forced").Value()).toInt(), 0);
}

// The same command finds nothing in the next slot: no output may keep the
// previous call's value.
TEST_P(AdoLayer, ASeekThatFindsNothingLeavesEveryOutputNull)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    HourlyProcedures hourly(*plant);
    hourly.Write(kSlot, 41.0, QString("first"));
    hourly.Seek(kSlot);
    hourly.Seek(kSlot.addMinutes(60));
    for (const char* name :
         {"curvalue_3", "textvalue_4", "varid_5", "audituser", "audittimestamp", "datestamp_out", "status", "forced"})
        EXPECT_TRUE(hourly.Found(name).IsNull()) << name;
}

// The old value is not deleted without the new one taking its place.
TEST_P(AdoLayer, AWriteThatFailsHalfwayLeavesTheSlotAsItWas)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    HourlyProcedures hourly(*plant);
    hourly.Write(kSlot, 42.25, QString("it's"));
    EXPECT_TRUE(hourly.WriteWithoutADate());
    hourly.Seek(kSlot);
    EXPECT_EQ(ado::FieldValue(hourly.Found("curvalue_3").Value()).toDouble(), 42.25);
    EXPECT_EQ(Count(*plant, "select count(*) from DATADDH where VARID = ?", {101}), 1);
}

TEST_P(AdoLayer, ANullTextInputIsStoredAsNull)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    HourlyProcedures hourly(*plant);
    hourly.Write(kSlot, 7.5, QVariant());
    hourly.Seek(kSlot);
    EXPECT_EQ(ado::FieldValue(hourly.Found("curvalue_3").Value()).toDouble(), 7.5);
    EXPECT_TRUE(hourly.Found("textvalue_4").IsNull());
}

TEST_P(AdoLayer, PessimisticRecordsetLocksItsRowsUntilUpdate)
{
    ado::Connection other;
    ado::Recordset holder;
    HoldRun(holder, other);
    ASSERT_EQ(holder.RecordCount(), 1);
    QElapsedTimer waited;
    waited.start();
    auto error = Raised([&] { f.Exec(other, kUpdateRun, {"OTHER", 5, "PLANT1"}); });
    ASSERT_TRUE(error);
    EXPECT_LT(waited.elapsed(), 10000);
    ExpectKept(other, *error);

    // A second collector taking the same row the same way is refused too,
    // and its failed attempt leaves it outside any transaction.
    ado::Recordset contender;
    error = Raised([&] { contender.Open(kRunRow, other, CursorType::Static, LockType::Pessimistic, {5, "PLANT1"}); });
    ASSERT_TRUE(error);
    EXPECT_FALSE(contender.IsOpen());

    holder.setField("WORKSTATION", "HOLDER");
    holder.Update();
    f.Exec(other, kUpdateRun, {"OTHER", 5, "PLANT1"});
    EXPECT_EQ(StoredWorkstation(), "OTHER");
}

TEST_P(AdoLayer, ClosingAPessimisticRecordsetWithoutUpdateReleasesTheLock)
{
    ado::Connection other;
    ado::Recordset holder;
    HoldRun(holder, other);
    holder.setField("WORKSTATION", "DISCARDED");
    holder.Close();
    f.Exec(other, kUpdateRun, {"AFTER", 5, "PLANT1"});
    EXPECT_EQ(StoredWorkstation(), "AFTER");
}

TEST_P(AdoLayer, OptimisticUpdateOfARowChangedMeanwhileRaises)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    ado::Connection other;
    other.Open(plant->ConnectionString());
    const DateTime day = DateTime::FromParts(2024, 3, 5);
    f.Exec(*plant, "insert into DATATBL_I (VARID, DATESTAMP, SAMPLER) values (?, ?, ?)", {101, V(day), "JD"});

    ado::Recordset rows;
    rows.Open("select * from DATATBL_I where VARID = ? and DATESTAMP = ?", *plant, CursorType::Static,
              LockType::Optimistic, {101, V(day)});
    ASSERT_EQ(rows.RecordCount(), 1);
    f.Exec(other, "update DATATBL_I set SAMPLER = ? where VARID = ?", {"MK", 101});
    rows.setField("LABREF", 3.0);
    // The change cannot be applied to the row as it was read; dropping it
    // without a word loses the user's edit.
    EXPECT_TRUE(Raised([&] { rows.Update(); }));
}

// The target's own tools write times with milliseconds. Such a row is found
// again by its key, and its times travel back with their milliseconds, so an
// optimistic update still recognises the row as unchanged.
TEST_P(AdoLayer, RowsHoldingMillisecondsAreFoundByTheirKeyAndKeepThem)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    if (GetParam() == ado::Backend::PostgreSql)
        f.Exec(*plant, "alter table DATATBL_I alter column AUDITTIMESTAMP type timestamp(3)");
    const DateTime day = DateTime::FromParts(2024, 3, 5);
    const QString stamped = "select count(*) from DATATBL_I where AUDITTIMESTAMP = '2024-03-05 10:00:00.123'";
    f.Exec(*plant, "insert into DATATBL_I (VARID, DATESTAMP, AUDITTIMESTAMP) values (?, ?, '2024-03-05 10:00:00.123')",
           {101, V(day)});

    ado::Recordset rows;
    rows.Open("select * from DATATBL_I where VARID = ? and DATESTAMP = ?", *plant, CursorType::Static,
              LockType::Optimistic, {101, V(day)}, {"VARID", "DATESTAMP"});
    rows.setField("SAMPLER", "JD");
    rows.Update();
    rows.Resync();
    EXPECT_EQ(rows.Fields("SAMPLER").toString(), "JD");
    EXPECT_EQ(Count(*plant, stamped), 1);

    // Without a key a row cannot be told from others with the same values.
    rows.Open("select SAMPLER from DATATBL_I where VARID = ?", *plant, CursorType::Static, LockType::Optimistic, {101});
    rows.setField("SAMPLER", "MK");
    EXPECT_TRUE(Raised([&] { rows.Update(); }));
}

// A statement or a procedure waiting for a row another session holds ends
// with an error once the command time-out has passed, instead of hanging.
TEST_P(AdoLayer, WaitingForALockedRowEndsAfterTheCommandTimeout)
{
    f.CreateFacility("PLANT1");
    auto plant = f.OpenFacility("PLANT1");
    const DateTime slot = DateTime::FromParts(2024, 3, 5, 13);
    f.Exec(*plant, "insert into DATADDH (VARID, DATESTAMP, CURVALUE) values (?, ?, ?)", {1, V(slot), 2.0});
    ado::Recordset holder;
    holder.Open("select * from DATADDH where VARID = ? and DATESTAMP = ?", *plant, CursorType::Static,
                LockType::Pessimistic, {1, V(slot)});

    ado::Connection other;
    other.setConnectionString(plant->ConnectionString());
    other.setCommandTimeout(2);
    other.Open();
    auto remove = ado::Command::Procedure(other, "DELETEDDH",
                                          {{"slotstarttime", DataType::Date, In},
                                           {"varid", DataType::Integer, In},
                                           {"audituser", DataType::VarChar, In, 50},
                                           {"slotendtime", DataType::Date, In}});
    remove->Parameters("slotstarttime").setValue(slot);
    remove->Parameters("varid").setValue(1);
    remove->Parameters("audituser").setValue("ALICE");
    remove->Parameters("slotendtime").setValue(slot.addMinutes(60));
    const auto endsAfterTheTimeout = [](auto&& action) {
        QElapsedTimer waited;
        waited.start();
        const bool raised = Raised(action).has_value();
        return raised && waited.elapsed() >= 1500 && waited.elapsed() < 8000;
    };
    EXPECT_TRUE(endsAfterTheTimeout([&] { remove->Execute(); }));
    EXPECT_TRUE(endsAfterTheTimeout([&] { f.Exec(other, "update DATADDH set CURVALUE = 3 where VARID = 1"); }));

    holder.Close();
    remove->Execute();
    EXPECT_EQ(Count(other, "select count(*) from DATADDH"), 0);
}

TEST_P(AdoLayer, PendingValuesReadTheSameByNameAndByIndex)
{
    OpenRoot();
    f.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, WORKSTATION) values (?, ?, ?)",
           {3, "PLANT1", "OLD"});

    ado::Recordset rows;
    rows.Open("select INTERFACE_ID, FILENAME, WORKSTATION from k5_server_run where INTERFACE_ID = ?", *root,
              CursorType::Static, LockType::Optimistic, {3});
    ASSERT_EQ(rows.RecordCount(), 1);
    rows.setField("WORKSTATION", "NEW");
    EXPECT_EQ(rows.Fields("WORKSTATION").toString(), "NEW");
    EXPECT_EQ(rows.Fields(2).toString(), "NEW");
    rows.AddNew();
    rows.setField("INTERFACE_ID", 4);
    EXPECT_EQ(rows.Fields("INTERFACE_ID").toInt(), 4);
    EXPECT_EQ(rows.Fields(0).toInt(), 4);
}

INSTANTIATE_FOR_EVERY_TARGET(AdoLayer);
