#include "CommonFiles/collector/CommonLastRunReadWrite.h"
#include "CommonFiles/collector/CommonTypeVar.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "dbsupport/TargetFixture.h"
#include "platform/ado/Recordset.h"
#include "support/LocalZone.h"

namespace {

constexpr qint32 kCollector = 4;

class Collector : public ::testing::TestWithParam<TargetKind> {
protected:
    Collector() : target(GetParam())
    {
        target.CreateRoot();
        root = target.OpenRoot();
    }

    void AddFacility(const QString& key, const QString& name)
    {
        target.Exec(*root, "insert into FACILITY (FILENAME, NAME, DIRECTORY) values (?, ?, 'srv')",
                    {key.toLower(), name});
        target.CreateFacility(key);
    }

    void AddVariable(const QString& facility, qint32 id, qint32 collector, qint32 enabled, const QVariant& type = "H")
    {
        auto connection = target.OpenFacility(facility);
        target.Exec(*connection,
                    "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, K5_INTERFACE_ID, K5_ENABLED) "
                    "values (?, ?, ?, ?, ?, ?)",
                    {id, id, QString("Var %1").arg(id), type, collector, enabled});
    }

    void AddCollector(const QVariant& auditTimeStamp, qint32 enabled = -1)
    {
        target.Exec(*root,
                    "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION, ENABLED, OVERRIDE_AUDITUSER, "
                    "COLLECTOR_DATEADJUST, COLLECTOR_QELTIMEZONEID, AUDITUSER, AUDITTIMESTAMP) "
                    "values (?, ' North loggers ', NULL, ?, ' WRITER ', 1.5, 3, ' admin ', ?)",
                    {kCollector, enabled, auditTimeStamp});
    }

    void SetLockDate(const QString& facility, const QString& stored)
    {
        auto connection = target.OpenFacility(facility);
        target.Exec(*connection, "insert into Settings (SETTING, CURVALUE) values ('LockDate', ?)", {stored});
    }

    // Collector 4 in time zone 3, whose 2024 bias is 300 minutes in winter
    // and 240 in summer.
    void AddCollectorInZone3()
    {
        // The embedded target can hold text that is no date; the server only Null.
        AddCollector(GetParam() == ado::Backend::Sqlite ? QVariant("someday") : QVariant());
        target.Exec(*root,
                    "insert into qeltimezone_bias (QELTIMEZONEID, YEARID, BIAS_STANDARD, BIAS_DAYLIGHT, "
                    "START_STANDARD, START_DAYLIGHT) values (3, 2024, 300, 240, ?, ?)",
                    {QVariant::fromValue(DateTime::FromParts(2024, 11, 3, 2)),
                     QVariant::fromValue(DateTime::FromParts(2024, 3, 10, 2))});
    }

    // PLANT1, locked up to 5 March and last run on 1 March, and PLANT2.
    void AddTwoFacilitiesTheFirstLockedAndRun()
    {
        AddFacility("PLANT1", "North");
        AddFacility("PLANT2", "South");
        SetLockDate("PLANT1", "2024-03-05 00:00:00");
        target.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN) values (?, 'PLANT1', ?)",
                    {kCollector, QVariant::fromValue(DateTime::FromParts(2024, 3, 1, 6, 0, 0))});
    }

    static QStringList Walk(CommonVarGatherer& gatherer)
    {
        QStringList walked;
        for (gatherer.MoveFirst(); !gatherer.EOF_Facility(); gatherer.MoveNext_Facility())
            for (; !gatherer.EOF_Variable(); gatherer.MoveNext_Variable())
                walked.append(gatherer.Current_Facility() + "~" + QString::number(gatherer.Current_Variable()));
        return walked;
    }

    int Count(const QString& sql)
    {
        ado::Recordset rows;
        rows.Open(sql, *root);
        return rows.Fields(0).toInt();
    }

    TargetFixture target;
    std::unique_ptr<ado::Connection> root;
};

DateTime day(int d, int h = 0)
{
    return DateTime::FromParts(2024, 3, d, h, 0, 0);
}

}  // namespace

TEST_P(Collector, GathersEnabledLinkedVariablesInTheTablesKeyOrder)
{
    for (const char* facility : {"PLANT1", "PLANT2", "EMPTY3", "ZULU4"})
        AddFacility(facility, QString(facility).toLower() + " works");
    AddVariable("PLANT1", 1015, kCollector, -1);
    AddVariable("PLANT1", 101, kCollector, -1);
    AddVariable("PLANT1", 7, kCollector, -1);
    AddVariable("PLANT1", 8, kCollector, 0);
    AddVariable("PLANT1", 9, 5, -1);
    AddVariable("PLANT2", 5, kCollector, -1);
    AddVariable("ZULU4", 3, kCollector, -1);
    AddVariable("EMPTY3", 1, kCollector, 0);

    CommonVarGatherer gatherer(target.globals());
    ASSERT_TRUE(gatherer.ReadKorvelOrvex(kCollector, *root));
    EXPECT_EQ(gatherer.FacilID2FacilNameHash.Count(), 4);
    EXPECT_EQ(gatherer.FacilID2FacilNameHash.Item("EMPTY3"), "empty3 works");
    EXPECT_EQ(gatherer.TotalFacility(), 3);
    EXPECT_EQ(gatherer.TotalVariable(), 5);
    EXPECT_EQ(gatherer.CollectorID(), kCollector);

    // Facilities in the order their keys hash to, variables by number.
    EXPECT_EQ(Walk(gatherer), (QStringList{"PLANT1~7", "PLANT1~101", "PLANT1~1015", "ZULU4~3", "PLANT2~5"}));
}

TEST_P(Collector, AFacilityThatCannotBeReadIsLeftOutAndNamedWithTheReason)
{
    AddFacility("PLANT1", "North");
    target.Exec(*root, "insert into FACILITY (FILENAME, NAME, DIRECTORY) values ('gone5', 'Gone', 'srv')");
    AddVariable("PLANT1", 1, kCollector, -1);
    CommonVarGatherer gatherer(target.globals());
    ASSERT_TRUE(gatherer.ReadKorvelOrvex(kCollector, *root));
    EXPECT_EQ(Walk(gatherer), QStringList{"PLANT1~1"});
    EXPECT_EQ(gatherer.UnreadableFacilities().keys(), QStringList{"GONE5"});
    const QString line =
        "Facility 'GONE5' cannot be read; its variables are not imported and the import does not succeed: " +
        gatherer.UnreadableFacilities().value("GONE5");
    EXPECT_FALSE(gatherer.UnreadableFacilities().value("GONE5").isEmpty());
    EXPECT_TRUE(target.LogText().contains(line)) << target.LogText().toStdString();
}

TEST_P(Collector, LimitedToOneFacility)
{
    AddFacility("PLANT1", "North");
    AddFacility("PLANT2", "South");
    AddVariable("PLANT1", 1, kCollector, -1);
    AddVariable("PLANT2", 2, kCollector, -1);
    target.globals().config().setItem("OPTIONS\\NOIU\\LIMITFACILITY", "plant2");
    CommonVarGatherer gatherer(target.globals());
    ASSERT_TRUE(gatherer.ReadKorvelOrvex(kCollector, *root));
    EXPECT_EQ(Walk(gatherer), QStringList{"PLANT2~2"});
    EXPECT_EQ(gatherer.FacilID2FacilNameHash.Count(), 1);
    EXPECT_TRUE(target.LogText().contains("Limiting gathering variables to facility: PLANT2"));
}

TEST_P(Collector, VariablesAddedByHandCountOnce)
{
    CommonVarGatherer gatherer(target.globals());
    gatherer.MoveFirst();
    EXPECT_TRUE(gatherer.EOF_Facility());
    EXPECT_TRUE(gatherer.EOF_Variable());
    EXPECT_TRUE(gatherer.ADHOCAddVariable("plant1", 1015));
    EXPECT_TRUE(gatherer.ADHOCAddVariable("PLANT1", 1015));
    EXPECT_TRUE(gatherer.ADHOCAddVariable("Plant1", 101));
    EXPECT_EQ(gatherer.TotalVariable(), 2);
    EXPECT_EQ(Walk(gatherer), (QStringList{"PLANT1~1015", "PLANT1~101"}));
    gatherer.Clear();
    EXPECT_EQ(gatherer.TotalVariable(), 0);
    gatherer.MoveFirst();
    EXPECT_TRUE(gatherer.EOF_Facility());
}

TEST_P(Collector, AMissingCollectorIsNotRead)
{
    CommonVarGatherer gatherer(target.globals());
    EXPECT_FALSE(gatherer.ReadAboutCollector(kCollector, *root));
    EXPECT_EQ(gatherer.CollectorID(), 0);
}

TEST_P(Collector, CollectorRowAndTimeZone)
{
    // The interface runs five and a half hours ahead of UTC, all year round.
    LocalZone zone("XST-5:30");
    CommonVarGatherer gatherer(target.globals());
    AddCollectorInZone3();
    target.clock().set(DateTime::FromParts(2024, 7, 1, 12));
    ASSERT_TRUE(gatherer.ReadAboutCollector(kCollector, *root));
    EXPECT_EQ(gatherer.CollectorID(), kCollector);
    EXPECT_EQ(gatherer.CollectorName(), "North loggers");
    EXPECT_EQ(gatherer.CollectorDescription(), "");
    EXPECT_TRUE(gatherer.CollectorEnabled());
    EXPECT_EQ(gatherer.CollectorWriteAsUser(), "WRITER");
    EXPECT_EQ(gatherer.CollectorChangedAuditUSer(), "admin");
    EXPECT_EQ(gatherer.CollectorChangedTimeStamp(), DateTime::Zero());
    EXPECT_EQ(gatherer.CollectorTimeZoneID(), 3);
    EXPECT_EQ(gatherer.CollectorTimeZoneOffset(), -240);
    EXPECT_EQ(gatherer.CollectorDateAdjust(), 1.5);
    EXPECT_EQ(gatherer.InterfaceTimezoneOffset(), 330);
}

TEST_P(Collector, TheCollectorsZoneOffsetIsThatOfTheSeasonAndYear)
{
    CommonVarGatherer gatherer(target.globals());
    AddCollectorInZone3();
    target.clock().set(DateTime::FromParts(2024, 1, 15, 12));
    ASSERT_TRUE(gatherer.ReadAboutCollector(kCollector, *root));
    EXPECT_EQ(gatherer.CollectorTimeZoneOffset(), -300);
    target.clock().set(DateTime::FromParts(2025, 7, 1, 12));  // no row for that year
    ASSERT_TRUE(gatherer.ReadAboutCollector(kCollector, *root));
    EXPECT_EQ(gatherer.CollectorTimeZoneOffset(), 0);
}

TEST_P(Collector, CollectorInfoIsCopiedWithoutTheVariables)
{
    CommonVarGatherer gatherer(target.globals());
    AddCollectorInZone3();
    ASSERT_TRUE(gatherer.ReadAboutCollector(kCollector, *root));
    CommonVarGatherer copy(target.globals());
    copy.CopyCollectorInfo(gatherer);
    EXPECT_EQ(copy.CollectorName(), "North loggers");
    EXPECT_EQ(copy.CollectorDateAdjust(), 1.5);
    EXPECT_EQ(copy.TotalVariable(), 0);
}

TEST_P(Collector, VariableRecordsLoadFromTheirFacility)
{
    AddFacility("PLANT1", "North");
    auto facility = target.OpenFacility("PLANT1");
    target.Exec(*facility,
                "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, DECPLACES, SCADATAG, STATISTIC, SCALEFACTOR, "
                "SOURCE_CNN_APPROVAL, INTERFACETYPE, STARTTIME, STOPTIME, K5_INTERFACE_ID, K5_ENABLED) "
                "values (12, 120, 'Chlorine', 'P', NULL, ' ALG 3:12 ', 'lookup', 0, '2', NULL, NULL, ?, 4, -1)",
                {QVariant::fromValue(DateTime::FromParts(1899, 12, 30, 8, 0))});
    target.Exec(*facility,
                "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, K5_INTERFACE_ID, K5_ENABLED) "
                "values (13, 130, 'Broken', NULL, 4, -1)");
    CommonVarGatherer gatherer(target.globals());
    ASSERT_TRUE(gatherer.ReadKorvelOrvex(kCollector, *root));
    CommonTypeVar records(target.globals());
    ASSERT_TRUE(records.ReadKorvelOrvex(gatherer));

    const auto chlorine = records.GetVarRecord("plant1", 12);
    ASSERT_NE(chlorine, nullptr);
    EXPECT_EQ(chlorine->gFacilID(), "PLANT1");
    EXPECT_EQ(chlorine->gNumber(), 120);
    EXPECT_EQ(chlorine->gScadaTag(), "ALG 3:12");
    EXPECT_EQ(chlorine->gScadaStat(), "LOOKUP");
    EXPECT_EQ(chlorine->gScadaFactor(), 1.0);
    EXPECT_EQ(chlorine->gDecPlaces(), 5);
    EXPECT_EQ(chlorine->gDataApproval(), 2);
    EXPECT_EQ(chlorine->gInterfaceType(), 1);
    EXPECT_EQ(chlorine->gStopTimeMinutes(), 1921);
    EXPECT_EQ(records.GetVarRecord("PLANT1", 13), nullptr);
    EXPECT_EQ(records.GetVarRecord("PLANT9", 12), nullptr);
    EXPECT_TRUE(
        target.LogText().contains("Error in Sub ExpandVaridToRecord(VarId = 13): Error 94  Invalid use of Null"));
}

TEST_P(Collector, StartDatesFollowLastRunAndLockDates)
{
    AddTwoFacilitiesTheFirstLockedAndRun();

    CommonLastRun interactive(target.globals());
    interactive.setDefaultStart(day(2));
    interactive.setDefaultEnd(day(8));
    ASSERT_TRUE(interactive.ReadKorvelOrvex(kCollector, *root));
    ASSERT_TRUE(interactive.ReadKorvelOrvexFacilLockDates("PLANT1~PLANT2"));
    EXPECT_EQ(interactive.startdate("plant1"), day(5));  // the default, raised to the lock date
    EXPECT_EQ(interactive.startdate("PLANT2"), day(2));
    EXPECT_EQ(interactive.LockDate("PLANT2"), DateTime::FromParts(1970, 1, 1));
    EXPECT_EQ(interactive.LockDate("PLANT9"), DateTime::Zero());
    EXPECT_FALSE(interactive.ViolatesLockDate("PLANT9"));
    EXPECT_EQ(interactive.enddate("PLANT2"), day(8));
}

TEST_P(Collector, TheServiceStartsAtTheLastRunRaisedToTheLockDate)
{
    AddTwoFacilitiesTheFirstLockedAndRun();
    target.globals().setServiceMode(true);
    CommonLastRun service(target.globals());
    service.setDefaultStart(day(4));
    service.setDefaultEnd(day(5));
    ASSERT_TRUE(service.ReadKorvelOrvex(kCollector, *root));
    ASSERT_TRUE(service.ReadKorvelOrvexFacilLockDates("PLANT1"));
    EXPECT_EQ(service.startdate("PLANT1"), day(5));
    EXPECT_FALSE(service.ViolatesLockDate("PLANT1"));  // lock date equal to the end
    service.setDefaultEnd(day(4, 23));
    EXPECT_TRUE(service.ViolatesLockDate("PLANT1"));
    EXPECT_TRUE(target.LogText().contains("Last Run Date for facility PLANT1 was detected to be "));
    EXPECT_FALSE(service.ReadKorvelOrvexFacilLockDates("NOWHERE"));
}

TEST_P(Collector, LastRunAndLockDatesThatAreNoDates)
{
    AddFacility("PLANT1", "North");
    // The embedded target can hold text that is no date; the server only Null.
    target.Exec(*root, "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN) values (?, 'PLANT1', ?)",
                {kCollector, GetParam() == ado::Backend::Sqlite ? QVariant("someday") : QVariant()});
    SetLockDate("PLANT1", "someday");
    target.globals().setServiceMode(true);
    CommonLastRun service(target.globals());
    service.setDefaultStart(day(2));
    ASSERT_TRUE(service.ReadKorvelOrvex(kCollector, *root));
    EXPECT_EQ(service.startdate("PLANT1"), day(2));
    EXPECT_TRUE(
        target.LogText().contains("WARNING : The Last Run Date for facility PLANT1 is not a date; the default last-run "
                                  "date is used."));
    EXPECT_FALSE(service.ReadKorvelOrvexFacilLockDates("PLANT1"));
}

TEST_P(Collector, PersistedLastRunRowsAndCalculationRequests)
{
    AddFacility("PLANT1", "North");
    target.globals().config().setItem("OPTIONS\\AUTOMATED_IMPORT\\SUBMIT_CALC_REQUEST", "YES");
    target.globals().setWriteAsUser("WRITER");
    CommonLastRun lastRun(target.globals());
    lastRun.setDefaultStart(day(2, 7));
    ASSERT_TRUE(lastRun.PersistLastRunDate(kCollector, "PLANT1", day(3, 6)));
    ASSERT_TRUE(lastRun.PersistLastRunDate(kCollector, "PLANT1", day(4, 6)));

    ado::Recordset row;
    row.Open("select * from k5_server_run where interface_id = ?", *root, ado::CursorType::Static,
             ado::LockType::ReadOnly, {kCollector});
    ASSERT_EQ(row.RecordCount(), 1);
    EXPECT_EQ(row.Fields("LASTRUN").toDateTime(), day(4, 6));
    EXPECT_EQ(row.Fields("FILENAME").toString(), "PLANT1");
    EXPECT_EQ(row.Fields("AUDITUSER").toString(), "WRITER");
    EXPECT_EQ(row.Fields("AUDITTIMESTAMP").toDateTime(), target.clock().now());
    EXPECT_FALSE(row.Fields("WORKSTATION").toString().isEmpty());
    EXPECT_EQ(row.Fields("LOCALPATH").toString(), target.folder().path());
    EXPECT_FALSE(row.Fields("IP").IsNull());
    EXPECT_FALSE(row.Fields("NETUSER").IsNull());

    ado::Recordset queue;
    queue.Open("select * from CALCQUEUE order by ID", *root);
    ASSERT_EQ(queue.RecordCount(), 2);
    EXPECT_EQ(queue.Fields("DATESTART").toDateTime(), day(2));
    EXPECT_EQ(queue.Fields("DATEEND").toDateTime(), day(3, 6));
    EXPECT_EQ(queue.Fields("FACILITY").toString(), "PLANT1");
    EXPECT_EQ(queue.Fields("STATUS").toInt(), 0);
    EXPECT_TRUE(
        target.LogText().contains("Submitted Calc Request for facility PLANT1 for dates from 03/02/2024 00:00:00 to "
                                  "03/03/2024 06:00:00"));

    target.globals().config().setItem("OPTIONS\\AUTOMATED_IMPORT\\SUBMIT_CALC_REQUEST", "yes");
    ASSERT_TRUE(lastRun.PersistLastRunDate(kCollector, "O'HARA", day(4, 6)));
    EXPECT_EQ(Count("select count(*) from CALCQUEUE"), 2);
    EXPECT_EQ(Count("select count(*) from k5_server_run where filename = 'O''HARA'"), 1);
}

TEST_P(Collector, LastRunRowsReadAndCorrectedOneByOne)
{
    CommonLastRunReadWrite row(target.globals().log());
    DateTime found = day(1);
    EXPECT_FALSE(row.SetLastRunDate("PLANT1", day(3), *root));
    EXPECT_FALSE(row.ReadLastRunInfo("PLANT1", *root, found));
    row.setInterfaceID(kCollector);
    EXPECT_FALSE(row.ReadLastRunInfo("PLANT1", *root, found));
    EXPECT_EQ(found, day(1));
    ASSERT_TRUE(row.SetLastRunDate("PLANT1", day(3, 12), *root));
    ASSERT_TRUE(row.SetLastRunDate("PLANT1", day(4, 12), *root));
    ASSERT_TRUE(row.ReadLastRunInfo("PLANT1", *root, found));
    EXPECT_EQ(found, day(4, 12));
    EXPECT_EQ(row.LastRun(), day(4, 12));
    EXPECT_EQ(row.FacilityID(), "PLANT1");
    EXPECT_EQ(row.AuditUser(), "");
    EXPECT_EQ(Count("select count(*) from k5_server_run"), 1);
    EXPECT_FALSE(row.ReadLastRunInfo("PLANT1", *root, found, 99));
}

INSTANTIATE_FOR_EVERY_TARGET(Collector);
