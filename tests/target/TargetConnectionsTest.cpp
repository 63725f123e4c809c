#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/foundation/ConnectProgress.h"
#include "CommonFiles/target/ConnectionManager.h"
#include "CommonFiles/target/LocationPath.h"
#include "CommonFiles/target/TimeUtils.h"
#include "dbsupport/TargetFixture.h"
#include "support/CliRun.h"
#include "support/RecordingActivitySink.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The activity list with the connecting indicator's showing and hiding in it.
class ActivityAndProgress : public RecordingActivitySink, public ConnectProgress {
public:
    void ShowConnecting(const QString&) override { lines.append("[progress shown]"); }
    void Finished(bool, const QString&) override { lines.append("[progress hidden]"); }
    bool AttemptConnect(ado::Connection&, QString&) override { return false; }
};

// A root on one backend, and connections to it that report to a person.
class TargetAccess : public ::testing::TestWithParam<TargetKind> {
protected:
    TargetAccess() : target(GetParam())
    {
        target.CreateRoot();
        target.globals().setActivitySink(&seen);
        target.globals().setConnectProgress(&seen);
    }

    TargetFixture target;
    ActivityAndProgress seen;
    TargetConnections connections{target.globals()};
    ConnectionManager manager{target.globals().log()};
};

}  // namespace

TEST_P(TargetAccess, OpeningTheRootIsReportedToThePerson)
{
    target.globals().setTargetDbType(TargetDbType::Oracle);
    ASSERT_TRUE(connections.InitConnectionManager(manager));
    EXPECT_EQ(target.globals().targetDbType(), TargetDbType::SqlServer);

    ado::Connection root;
    manager.ConfigCnn4QELROOT(root);
    QString error = "none";
    ASSERT_TRUE(connections.OpenTargetConnection(root, error));
    EXPECT_EQ(error, "none");
    EXPECT_EQ(seen.lines,
              (QStringList{"Connecting to Korvel Orvex server '" + target.dataSource() + "' ...", "[progress shown]",
                           "[progress hidden]", "Connection to Korvel Orvex was established."}));
}

TEST_P(TargetAccess, AFailedOpeningIsReportedWithTheDriversError)
{
    ASSERT_TRUE(connections.InitConnectionManager(manager));
    ado::Connection missing;
    manager.ConfigCnn4FACILITY(missing, "NO_SUCH_PLANT");
    QString error;
    EXPECT_FALSE(connections.OpenTargetConnection(missing, error));
    EXPECT_TRUE(QRegularExpression("^-?\\d+ - .+").match(error).hasMatch()) << error.toStdString();
    EXPECT_EQ(seen.lines.last(), "Failed to Connect to Korvel Orvex.");
}

TEST_P(TargetAccess, TheServiceOpensQuietly)
{
    ASSERT_TRUE(connections.InitConnectionManager(manager));
    target.globals().setServiceMode(true);
    ado::Connection quiet;
    manager.ConfigCnn4QELROOT(quiet);
    QString error;
    EXPECT_TRUE(connections.OpenTargetConnection(quiet, error));
    EXPECT_TRUE(seen.lines.isEmpty());
}

// Joined into a connection string, the key 'plant1;b' would open PLANT1's
// database; a key that leads out of the target's folder opens none either.
TEST_P(TargetAccess, AFacilityKeyThatWouldOpenAnotherDatabaseConfiguresNoConnection)
{
    ado::Connection connection;
    EXPECT_FALSE(TargetConnections(target.globals()).ConfigureConnection(connection, "PLANT1;B"));
    EXPECT_FALSE(TargetConnections(target.globals()).ConfigureConnection(connection, "../PLANT1"));
}

TEST_P(TargetAccess, BadConnectionSettingsFailTheInitialisation)
{
    target.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "3");
    EXPECT_FALSE(connections.InitConnectionManager(manager));
    target.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "two");
    EXPECT_FALSE(connections.InitConnectionManager(manager));
    target.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "2");
    target.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT", "soon");
    EXPECT_FALSE(connections.InitConnectionManager(manager));
}

TEST_P(TargetAccess, FacilityDataSourcesComeFromTheFacilityTable)
{
    auto root = target.OpenRoot();
    target.Exec(*root, "insert into FACILITY (FILENAME, NAME, DIRECTORY) values (?, ?, ?)",
                {"plant1", "North plant", "  srv-north  "});
    target.Exec(*root, "insert into FACILITY (FILENAME, NAME, DIRECTORY) values (?, ?, ?)",
                {"O'HARA", "Quoted plant", "srv-south"});
    ASSERT_TRUE(TargetConnections(target.globals()).InitConnectionManager(manager));
    manager.setDataSourceReplace(true);
    ASSERT_TRUE(manager.RefreshDsHASH(*root));
    EXPECT_TRUE(manager.BuildConnectionString("Plant1").contains(";Data Source=srv-north;"));
    EXPECT_TRUE(manager.BuildConnectionString("o'hara").contains(";Data Source=srv-south;Initial Catalog=O'HARA;"));
    EXPECT_TRUE(manager.BuildConnectionString("PLANT9").contains(";Data Source=;"));
    root->Close();
    EXPECT_FALSE(manager.RefreshDsHASH(*root));
}

TEST_P(TargetAccess, LocationPathRunsFromTheTopDown)
{
    target.CreateFacility("PLANT1");
    auto facility = target.OpenFacility("PLANT1");
    target.Exec(*facility, "insert into LOCATION (LOCID, LOCATION, PARENTID) values (1, 'Works', NULL)");
    target.Exec(*facility, "insert into LOCATION (LOCID, LOCATION, PARENTID) values (5, 'Filters', 1)");
    target.Exec(*facility, "insert into LOCATION (LOCID, LOCATION, PARENTID) values (9, 'Bed ''B''', 5)");
    CommonGlobals& globals = target.globals();
    LocationPath location(globals.log());
    EXPECT_EQ(location.GetLocationPath(" 9 ", *facility), "Works\\Filters\\Bed 'B'");
    EXPECT_EQ(location.GetLocationPath("1", *facility), "Works");
    EXPECT_EQ(location.GetLocationPath("77", *facility), "");
    EXPECT_EQ(location.GetLocationPath("0", *facility), "");
    EXPECT_EQ(location.GetLocationPath("-1", *facility), "");
    EXPECT_EQ(location.GetLocationPath("", *facility), "");
    EXPECT_EQ(location.GetLocationPath("1 OR 1=1", *facility), "");

    facility->Close();
    EXPECT_EQ(location.GetLocationPath("9", *facility), "");
    EXPECT_TRUE(target.LogText().contains("Error found in Util.GetLocationPath. Error: "));
}

TEST_P(TargetAccess, ServerTimeIsLearnedFromTheRoot)
{
    auto root = target.OpenRoot();
    TimeUtils time(target.globals().clock(), target.globals().log());
    // The test clock stands in 2024; the server's is the real one.
    ASSERT_TRUE(time.SyncServerTime(*root));
    const qint64 expected = target.clock().now().secondsTo(
        DateTime::FromQDateTime(QDateTime::currentDateTime().date(), QDateTime::currentDateTime().time()));
    EXPECT_NEAR(static_cast<double>(time.ServerOffsetSeconds()), static_cast<double>(expected), 5.0);
    EXPECT_NEAR(time.ServerNow().days(), target.clock().now().addSeconds(expected).days(), 5.0 / 86400);

    root->Close();
    const qint64 before = time.ServerOffsetSeconds();
    EXPECT_FALSE(time.SyncServerTime(*root));
    EXPECT_EQ(time.ServerOffsetSeconds(), before);
}

TEST_P(TargetAccess, CommandLineConnectionTest)
{
    TempFolder home;
    const auto cli = [&home](const QStringList& arguments) { return RunCli(home, arguments); };
    ASSERT_EQ(cli({"config", "set", "KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", target.provider(),
                   "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", target.dataSource()})
                  .status,
              0);
    const CliRun ok = cli({"test-connection"});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.out.contains("Connection to Korvel Orvex was established."));

    const QString nowhere = GetParam() == ado::Backend::Sqlite ? home.file("empty") : QString("127.0.0.1:9");
    cli({"config", "set", "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", nowhere});
    const CliRun failed = cli({"test-connection"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.contains("Failed to Connect to Korvel Orvex."));
    EXPECT_TRUE(failed.err.startsWith("Failed to connect to Korvel Orvex: Error :\r\n")) << failed.err.toStdString();
    if (GetParam() == ado::Backend::PostgreSql) {
        EXPECT_TRUE(failed.err.contains("Connection refused")) << failed.err.toStdString();
    }
}

INSTANTIATE_FOR_EVERY_TARGET(TargetAccess);

// A server is reached through the program's own ODBC code: the command
// line's connection test opens the server's ODBC driver and never Qt's
// ODBC plug-in, whose bindings a length-honouring driver would store wrong.
TEST(PostgreSqlTarget, TheConnectionTestOpensNoQtOdbcPlugIn)
{
    TargetFixture target(ado::Backend::PostgreSql);
    target.CreateRoot();
    TempFolder home;
    ASSERT_EQ(RunCli(home,
                     {"config", "set", "KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", target.provider(),
                      "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", target.dataSource()})
                  .status,
              0);
    const QString trace = home.file("openat.trace");
    // The leak checker traces the process itself, which it cannot under strace.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    const CliRun run = CliRun::Of(
        "strace", {"-f", "-e", "trace=openat", "-o", trace, R58213_CLI_EXE, "--home", home.path(), "test-connection"},
        environment);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray opened = file.readAll();
    EXPECT_TRUE(opened.contains("psqlodbc")) << "the trace shows the server's driver being opened";
    EXPECT_FALSE(opened.contains("qsqlodbc"));
}
