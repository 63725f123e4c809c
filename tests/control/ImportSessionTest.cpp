#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/SessionPrompts.h"
#include "dbsupport/TargetFixture.h"
#include "platform/ado/Recordset.h"
#include "support/LocalZone.h"
#include "support/RecordingPresenter.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <functional>
#include <stdexcept>

namespace {

constexpr qint32 kCollector = 4;

class Session : public ::testing::TestWithParam<TargetKind> {
protected:
    Session() : target(GetParam())
    {
        target.CreateRoot();
        target.CreateFacility("PLANT1");
        root = target.OpenRoot();
        auto facility = target.OpenFacility("PLANT1");
        target.Exec(*root, "insert into FACILITY (FILENAME, NAME) values ('plant1', 'North works')");
        target.Exec(*facility, "insert into Settings (SETTING, CURVALUE) values ('LockDate', '2024-01-01 00:00:00')");
        for (const qint32 id : {1, 2})
            target.Exec(*facility,
                        "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, DECPLACES, SCADATAG, STATISTIC, "
                        "SCALEFACTOR, SOURCE_CNN_APPROVAL, INTERFACETYPE, K5_INTERFACE_ID, K5_ENABLED) "
                        "values (?, ?, ?, 'P', 2, 'ALG 2:2', 'LOOKUP', 1, 1, 'SAME', ?, -1)",
                        {id, id, QString("Var %1").arg(id), kCollector});
        QELConfiguration& config = target.globals().config();
        config.setItem("KORVELORVEX\\K5_SERVER_INTERFACE_ID", QString::number(kCollector));
        config.setItem("R58213\\PATH", target.folder().file("data"));
        QDir().mkpath(target.folder().file("data"));
        TempFolder::Write(target.folder().file("data/ALOG005.CSV"), "X,V\r\n0,4.25\r\n24,3,5\r\n");
        target.globals().msgBox().setPresenter(&presenter);
    }

    void AddCollector(int enabled = -1, const QString& version = QString())
    {
        target.Exec(
            *root,
            "insert into k5_server (INTERFACE_ID, NAME, ENABLED, COLLECTOR_DATEADJUST, COLLECTOR_QELTIMEZONEID, "
            "LU_VERSION, AUDITUSER, AUDITTIMESTAMP) values (?, 'North loggers', ?, 0, 7, ?, 'ADMIN', ?)",
            {kCollector, enabled, version, QVariant::fromValue(DateTime::FromParts(2024, 2, 1, 9, 30))});
    }

    void ProtectImports()
    {
        AddCollector();
        target.Exec(*root,
                    "insert into \"USER\" (USERNAME, PASSWORD, USERTYPE) values ('BOSS', 'Secret', 'Super'), "
                    "('CLERK', 'pw', 'Normal')");
        target.globals().config().setItem("OPTIONS\\PASSWORD_PROTECT_INTERACTIVE_IMPORT", "YES");
    }

    QString Log() { return target.LogText(); }

    int DailyRows()
    {
        auto facility = target.OpenFacility("PLANT1");
        ado::Recordset rows;
        rows.Open("select count(*) from DATATBL", *facility);
        return rows.Fields(0).toInt();
    }

    TargetFixture target;
    std::unique_ptr<ado::Connection> root;
    RecordingPresenter presenter;
    ScriptedPrompts prompts;
    ImportSession session{target.globals(), prompts};
};

}  // namespace

TEST_P(Session, AMissingCollectorEndsTheSessionWithItsId)
{
    target.globals().config().setItem("KORVELORVEX\\K5_SERVER_INTERFACE_ID", "0");
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::NotStarted);
    const QString text = "Collector (id=0) does not exist or has been deleted. Use 'Configuration \\ Collector "
                         "Configuration' to select a collector.";
    EXPECT_TRUE(Log().contains(text + "\r\n"));
    EXPECT_TRUE(Log().contains("Unable to import at this time"));
    EXPECT_EQ(presenter.shown, QStringList{"48||" + text});
}

TEST_P(Session, ADisabledCollectorNeverAsksForDates)
{
    AddCollector(0);
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(Log().contains("Collector 'North loggers' was marked as DISABLED by Korvel Orvex user 'ADMIN' on "
                               "'2/1/2024 9:30:00 AM'"));
}

TEST_P(Session, InteractiveImportOfAllVariables)
{
    AddCollector();
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::Succeeded);
    EXPECT_EQ(prompts.asked, QStringList{"dates"});
    const QString log = Log();
    EXPECT_TRUE(log.contains("Scanning all facilities for variables that are linked to Collector 'North loggers' ..."));
    EXPECT_TRUE(log.contains("Found 2 variable(s) in 1 facility(s) that are linked to Collector 'North loggers'"));
    EXPECT_TRUE(log.contains("Found Variable Detail : PLANT1~1"));
    EXPECT_TRUE(log.contains("Date Range selected : from 03/05/2024 00:00:00 to 03/06/2024 00:00:00"));
    EXPECT_TRUE(log.contains("Import started."));
    EXPECT_TRUE(log.contains("Import was successful."));
    EXPECT_EQ(DailyRows(), 2);
}

TEST_P(Session, NoDatesChosenStartsNothing)
{
    AddCollector();
    prompts.range.reset();
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(Log().contains("Import cancelled by user."));
}

TEST_P(Session, FixedDatesNeedNoQuestion)
{
    AddCollector();
    QELConfiguration& config = target.globals().config();
    config.setItem("OPTIONS\\NOIU\\ASKFORDATES\\HIDE_UI", "TRUE");
    config.setItem("OPTIONS\\NOIU\\ASKFORDATES\\FIX_STARTDATE", "03-05-2024 00:00:00");
    config.setItem("OPTIONS\\NOIU\\ASKFORDATES\\FIX_ENDDATE", "03-06-2024 00:00:00");
    EXPECT_EQ(session.ImportAll(true), ImportSession::Outcome::Succeeded);
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_FALSE(Log().contains("Date Range selected : from "));
    EXPECT_EQ(DailyRows(), 0);  // test mode
}

TEST_P(Session, SelectedVariablesOnly)
{
    AddCollector();
    prompts.picks = {SessionPrompts::PickOutcome::Picked, {{"PLANT1", 2}}};
    EXPECT_EQ(session.ImportSelected(false), ImportSession::Outcome::Succeeded);
    EXPECT_TRUE(Log().contains("User selected 1 variable(s) in 1 facility(s) that are linked to Collector 4\r\n"));
    EXPECT_TRUE(Log().contains("User Selected Variable Detail : PLANT1~2"));
    EXPECT_EQ(DailyRows(), 1);
}

TEST_P(Session, APickThatReturnsNothingStartsNothing)
{
    AddCollector();
    prompts.picks = {SessionPrompts::PickOutcome::NothingReturned, {}};
    EXPECT_EQ(session.ImportSelected(false), ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(Log().contains("Nothing returned. Unable to import."));
}

TEST_P(Session, AnEmptyPickHasNothingToImportInto)
{
    AddCollector();
    prompts.picks = {SessionPrompts::PickOutcome::Picked, {}};
    session.ImportSelected(false);
    EXPECT_TRUE(Log().contains("Nothing to import into at this time."));
}

TEST_P(Session, TheServiceCannotImportSelectedVariables)
{
    AddCollector();
    target.globals().setServiceMode(true);
    EXPECT_EQ(session.ImportSelected(false), ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(Log().endsWith("Operation is not supported in NTSERVICE mode.\r\n"));
    EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_P(Session, ProtectedImportsNeedASuperUser)
{
    ProtectImports();
    prompts.logins = {{"nobody", "x"}, {"clerk", "pw"}, {"boss", "SECRET"}};
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::Succeeded);
    EXPECT_EQ(prompts.refusals,
              (QStringList{"Access Denied - Invalid Username or Password",
                           "Access Denied - You need to have Super User priviledges"}));
    EXPECT_TRUE(Log().contains("Korvel Orvex user 'BOSS' credentials were provided."));
}

TEST_P(Session, AProtectedImportWithoutAValidLoginIsCancelled)
{
    ProtectImports();
    prompts.logins = {{"boss", "wrong"}, {"O'Brien' OR '1'='1", "x"}};
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(Log().endsWith("Import cancelled by user.\r\n"));
}

TEST_P(Session, ASecondImportCannotStartWhileOneRuns)
{
    AddCollector();
    ImportSession::Outcome inner = ImportSession::Outcome::Succeeded;
    prompts.onDates = [this, &inner] { inner = session.ImportAll(false); };
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::Succeeded);
    EXPECT_EQ(inner, ImportSession::Outcome::NotStarted);
    EXPECT_TRUE(Log().contains("An import is already running. The new import request was not started."));
    EXPECT_FALSE(session.IsRunning());
}

TEST_P(Session, AnImportLeftByAnyErrorCanBeStartedAgain)
{
    AddCollector();
    prompts.onDates = [] { throw std::runtime_error("the prompt broke"); };
    EXPECT_THROW(session.ImportAll(false), std::runtime_error);
    EXPECT_FALSE(session.IsRunning());
}

TEST_P(Session, ADifferentCollectorVersionWarnsAndGoesOn)
{
    AddCollector(-1, "0.9.0");
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::Succeeded);
    const QString text = "The collector that you selected links to a different version (0.9.0)  of the interface "
                         "than the inteface that is current running (" +
        ImportSession::RunningVersion() + ")";
    EXPECT_TRUE(Log().contains("Warning : " + text));
    ASSERT_FALSE(presenter.shown.isEmpty());
    EXPECT_TRUE(presenter.shown.first().startsWith("16432|Version Validation Failed|Warning :\r\n" + text));
}

TEST_P(Session, TheServiceImportsFromTheLastRunUpToNow)
{
    AddCollector();
    target.globals().setServiceMode(true);
    target.globals().config().setItem("OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN", "03-05-2024 00:00:00");
    target.clock().set(DateTime::FromParts(2024, 3, 6, 0, 30));
    EXPECT_EQ(session.ImportAll(false), ImportSession::Outcome::Succeeded);
    EXPECT_TRUE(prompts.asked.isEmpty());
    ado::Recordset runs;
    runs.Open("select LASTRUN from k5_server_run where FILENAME = 'PLANT1'", *root);
    ASSERT_FALSE(runs.Eof());
    EXPECT_EQ(runs.Fields(0).toDateTime(), DateTime::FromParts(2024, 3, 6, 0, 30));
}

// Joined into a connection string, the key 'plant1;b' would open PLANT1's
// database and import into it under another facility's name.
TEST_P(Session, AFacilityKeyThatWouldOpenAnotherDatabaseIsNotImported)
{
    AddCollector();
    target.Exec(*root, "update FACILITY set FILENAME = 'plant1;b'");
    target.globals().setServiceMode(true);
    target.globals().config().setItem("OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN", "03-05-2024 00:00:00");
    target.clock().set(DateTime::FromParts(2024, 3, 6, 0, 30));
    session.ImportAll(false);
    EXPECT_EQ(DailyRows(), 0);
    ado::Recordset runs;
    runs.Open("select count(*) from k5_server_run", *root);
    EXPECT_EQ(runs.Fields(0).toInt(), 0);
    EXPECT_TRUE(Log().contains("Facility 'PLANT1;B' is not imported: its key holds a character that a connection "
                               "string cannot carry."));
}

// The collector's zone is an hour ahead of UTC, the interface's five and a
// half hours, all year round.
TEST_P(Session, IndirectCollectorsShiftTheServiceRange)
{
    LocalZone zone("XST-5:30");
    AddCollector();
    target.Exec(*root,
                "insert into qeltimezone_bias (QELTIMEZONEID, YEARID, BIAS_STANDARD, BIAS_DAYLIGHT) "
                "values (7, 2024, -60, -60)");
    QELConfiguration& config = target.globals().config();
    config.setItem("KORVELORVEX\\K5_INDIRECT_TYPE", "TRUE");
    config.setItem("OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN", "03-05-2024 00:00:00");
    target.globals().setServiceMode(true);
    target.clock().set(DateTime::FromParts(2024, 3, 6, 14, 37));
    session.ImportAll(false);
    EXPECT_TRUE(Log().contains("NT Service UTC Dates from: 3/4/2024 11:00:00 PM to 3/6/2024 8:30:00 AM"))
        << Log().toStdString();
}

INSTANTIATE_FOR_EVERY_TARGET(Session);
