#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/CommonImport.h"
#include "dbsupport/TargetFixture.h"
#include "platform/ado/Recordset.h"
#include "source/CustomSource.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint32 kCollector = 4;

DateTime march(int day, int hour = 0, int minute = 0)
{
    return DateTime::FromParts(2024, 3, day, hour, minute, 0);
}

// A plant: one facility of the target linked to collector 4, logger day
// files for 5 to 7 March 2024, and the variables a test adds.
class ImportRun : public ::testing::TestWithParam<TargetKind> {
protected:
    ImportRun() : target(GetParam())
    {
        target.CreateRoot();
        target.CreateFacility("PLANT1");
        root = target.OpenRoot();
        facility = target.OpenFacility("PLANT1");
        target.Exec(*root, "insert into FACILITY (FILENAME, NAME, DIRECTORY) values ('plant1', 'North works', 'srv')");
        target.Exec(*root,
                    "insert into k5_server (INTERFACE_ID, NAME, ENABLED, OVERRIDE_AUDITUSER, COLLECTOR_DATEADJUST, "
                    "COLLECTOR_QELTIMEZONEID) values (?, 'North loggers', -1, ?, 0, 1)",
                    {kCollector, writeAs});
        target.Exec(*facility, "insert into Settings (SETTING, CURVALUE) values ('LockDate', '2024-01-01 00:00:00')");
        QELConfiguration& config = target.globals().config();
        config.setItem("R58213\\PATH", target.folder().file("data"));
        config.setItem("TARGET\\RECOVERY\\SECONDS", "0");
        config.setItem("SOURCE\\RECOVERY\\SECONDS", "0");
        QDir().mkpath(target.folder().file("data"));
        for (int day = 5; day <= 7; ++day)
            WriteDay(day, QString::number(10 + day) + ".125", "-" + QString::number(day) + ".5",
                     day == 6 ? "ERR" : "7");
    }

    void WriteDay(int day, const QString& flow, const QString& level, const QString& other)
    {
        const QString name = QString("data/ALOG0%1.CSV").arg(day, 2, 10, QChar('0'));
        TempFolder::Write(target.folder().file(name),
                          ("TIME,FLOW,LEVEL,OTHER\r\n00:00," + flow + "," + level + "," + other + "\r\n24,3," +
                           QString::number(day) + "\r\n")
                              .toLatin1());
    }

    void AddVariable(qint32 id, const char* type, const char* tag, double factor, qint32 places, qint32 approval = 2,
                     const char* interfaceType = "SAME")
    {
        target.Exec(
            *facility,
            "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, UNITS, DECPLACES, SCADATAG, STATISTIC, "
            "SCALEFACTOR, SOURCE_CNN_APPROVAL, INTERFACETYPE, K5_INTERFACE_ID, K5_ENABLED) "
            "values (?, ?, ?, ?, 'MGD', ?, ?, 'LOOKUP', ?, ?, ?, ?, -1)",
            {id, 100 + id, QString("Var %1").arg(id), type, places, tag, factor, approval, interfaceType, kCollector});
    }

    // Variables of every interval, one failing validation, one addressing
    // no line of the day files.
    void AddEveryKindOfVariable()
    {
        AddVariable(1, "H", "ALG 2:2", 2, 2);  // hourly flow x2, 2 places
        AddVariable(2, "F", "ALG 3:2", 1, 9999);  // 15-minute level, unrounded
        AddVariable(3, "P", "ALG 2:2", 1, 0, 3);  // daily, whole numbers, approval 3
        AddVariable(4, "B", "ALG 2:2", 1, 2);  // hourly text
        AddVariable(5, "H", "alg 2:2", 1, 2);  // fails validation
        AddVariable(6, "H", "ALG 2:9", 1, 2);  // no such line: Null, nothing written
    }

    bool Run(bool service = false, bool testMode = false)
    {
        target.globals().setServiceMode(service);
        CommonVarGatherer gatherer(target.globals());
        EXPECT_TRUE(gatherer.ReadAboutCollector(kCollector, *root));
        EXPECT_TRUE(gatherer.ReadKorvelOrvex(kCollector, *root));
        gatherer.LookupLastRun.setDefaultStart(DateTime::FromParts(2024, 3, 5));
        gatherer.LookupLastRun.setDefaultEnd(end);
        EXPECT_TRUE(gatherer.LookupLastRun.ReadKorvelOrvex(kCollector, *root));
        EXPECT_TRUE(gatherer.LookupLastRun.ReadKorvelOrvexFacilLockDates("PLANT1"));
        CommonImport import(target.globals(), keptSource);
        import.setOnlyMissingRows(onlyMissingRows);
        const bool walked = import.StartImport(gatherer, testMode);
        timings = import.Timings();
        return walked;
    }

    QString Log() { return target.LogText(); }

    // Every value row of the plant and its last-run row, for comparing two
    // imports, without the time each row was written; then the plant is
    // emptied of them.
    QStringList TakeStoredRows()
    {
        const QStringList rows = ValueRows() + TableRows(*root, "k5_server_run");
        for (const char* table : kValueTables)
            target.Exec(*facility, QString("delete from ") + table);
        target.Exec(*root, "delete from k5_server_run");
        return rows;
    }

    // Every value row of the plant, without the time each was written.
    QStringList ValueRows()
    {
        QStringList rows;
        for (const char* table : kValueTables)
            rows << TableRows(*facility, table);
        return rows;
    }

    static constexpr const char* kValueTables[] = {"DATADDH", "DATADDF", "DATATBL"};

    static QStringList TableRows(ado::Connection& db, const QString& table)
    {
        ado::Recordset rows;
        rows.Open("select * from " + table + " order by 1, 2", db, ado::CursorType::Static, ado::LockType::ReadOnly);
        QStringList text;
        for (; !rows.Eof(); rows.MoveNext()) {
            QStringList fields{table};
            for (int i = 0; i < rows.FieldCount(); ++i)
                if (rows.FieldName(i).compare("AUDITTIMESTAMP", Qt::CaseInsensitive) != 0)  // when the test ran
                    fields << rows.Fields(i).toString();
            text << fields.join('|');
        }
        return text;
    }

    void ImportInBatchesOf(const char* batch)
    {
        target.globals().config().setItem("OPTIONS\\PERFORMANCE\\WRITE_BATCH_SLOTS", batch);
        Run(true);
    }

    QString Statistic(const QString& label)
    {
        const QString log = Log();
        const qsizetype at = log.lastIndexOf(label);
        return at < 0 ? QString() : log.mid(at + label.size()).section("\r\n", 0, 0).section('\t', 1);
    }

    int Count(const QString& sql, const QVariantList& bound = {}) { return Count(sql, bound, *facility); }

    static int Count(const QString& sql, const QVariantList& bound, ado::Connection& db)
    {
        ado::Recordset rows;
        rows.Open(sql, db, ado::CursorType::Static, ado::LockType::ReadOnly, bound);
        return rows.Fields(0).toInt();
    }

    // The facility loses one of its procedures, so every call of it fails.
    void DropProcedure(const QString& name)
    {
        if (GetParam() == ado::Backend::Sqlite)
            target.Exec(*facility, "delete from qel_procedures where name = ?", {name});
        else
            target.Exec(*facility, "drop function " + name.toLower());
    }

    // The first slot of 6 March (all hourly values of that day are 32.25)
    // is refused by the target: on every attempt, or only the first time.
    void RefuseDay6(bool once)
    {
        if (GetParam() == ado::Backend::Sqlite) {
            target.Exec(*facility,
                        "create trigger refuse_day6 before insert on DATADDH when NEW.CURVALUE = 32.25 "
                        "begin select raise(abort, 'refused'); end");
            return;
        }
        // A sequence counts outside the transaction the failure undoes.
        target.Exec(*facility, "create sequence if not exists refusals");
        target.Exec(*facility, "alter sequence refusals restart");
        target.Exec(*facility,
                    QString("create or replace function refuse_day6() returns trigger as $$ begin if "
                            "NEW.curvalue = 32.25 then if not %1 or nextval('refusals') = 1 then raise "
                            "exception 'refused'; end if; end if; return NEW; end $$ language plpgsql")
                        .arg(once ? "true" : "false"));
        target.Exec(*facility,
                    "create trigger refuse_day6 before insert on DATADDH for each row execute function refuse_day6()");
    }

    // One slot of 5 March per situation a write is judged in, for hourly
    // variable 1 (approval level 2), and a row of daily variable 3.
    void SeedStoredSituations()
    {
        const auto at = [](int hour, int minute = 0) { return QVariant::fromValue(march(5, hour, minute)); };
        target.Exec(*facility,
                    "insert into DATADDH (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, AUDITUSER) values "
                    "(1, ?, 1, '1', 0, 'LAB'), (1, ?, 1, '1', 1, 'LAB'), (1, ?, 1, '1', 2, 'LAB'), "
                    "(1, ?, 1, '1', 9, 'LAB'), (1, ?, 1, '1', 0, 'LAB'), (1, ?, 1, '1', 2, 'LAB'), "
                    "(1, ?, 1, '1', 2, 'LAB'), (1, ?, 1, '1', 0, 'LAB'), (1, ?, 1, '1', NULL, 'LAB'), "
                    "(1, ?, 1, '1', 0, 'LAB'), (1, ?, 1, '1', NULL, 'LAB'), (1, ?, NULL, NULL, 0, 'LAB')",
                    {at(1), at(2), at(3), at(4), at(5), at(5, 30), at(6), at(6, 30), at(7), at(7, 30), at(8), at(9)});
        // Stored by another tool with a short date text.
        target.Exec(*facility,
                    "insert into DATADDH (VARID, DATESTAMP, CURVALUE, STATUS) values (1, '2024-03-05 11:00', "
                    "1, 5)");
        target.Exec(*facility, "insert into DATATBL (VARID, DATESTAMP, CURVALUE, STATUS) values (3, ?, 1, 4)",
                    {QVariant::fromValue(march(6))});
    }

    // The statistics and the set of activity lines the log holds after
    // position from, without times and without what depends on the speed.
    QStringList RunActivity(qsizetype from)
    {
        QStringList lines;
        const QStringList logged = Log().mid(from).split("\r\n", Qt::SkipEmptyParts);
        for (const QString& line : logged) {
            const QString text = line.mid(line.indexOf(" : ") + 3);
            if (!text.contains("Seconds Elapsed") && !text.contains("per Second"))
                lines.append(text);
        }
        lines.sort();
        lines.removeDuplicates();
        return lines;
    }

    bool onlyMissingRows = false;
    QVariant writeAs = QString("");
    DateTime end = DateTime::FromParts(2024, 3, 8);
    TargetFixture target;
    std::unique_ptr<ado::Connection> root;
    std::unique_ptr<ado::Connection> facility;
    // Kept across runs, as the session keeps it.
    std::unique_ptr<CustomSource> keptSource;
    // Those of the last run.
    ImportTimings timings;
};

}  // namespace

TEST_P(ImportRun, WritesScaledRoundedValuesForEveryInterval)
{
    AddEveryKindOfVariable();
    ASSERT_TRUE(Run());

    EXPECT_EQ(Count("select count(*) from DATADDH where VARID = 1"), 72);
    ado::Recordset row;
    row.Open("select * from DATADDH where VARID = 1 and DATESTAMP = ?", *facility, ado::CursorType::Static,
             ado::LockType::ReadOnly, {QVariant::fromValue(march(6, 13))});
    ASSERT_FALSE(row.Eof());
    EXPECT_EQ(row.Fields("CURVALUE").toDouble(), 32.25);  // 16.125 x 2
    EXPECT_EQ(row.Fields("TEXTVALUE").toString(), "32.25");
    EXPECT_EQ(row.Fields("STATUS").toInt(), 2);
    EXPECT_EQ(row.Fields("AUDITUSER").toString(), "VIA_R58213");

    EXPECT_EQ(Count("select count(*) from DATADDF where VARID = 2"), 288);
    row.Open("select CURVALUE, TEXTVALUE from DATADDF where VARID = 2 and DATESTAMP = ?", *facility,
             ado::CursorType::Static, ado::LockType::ReadOnly, {QVariant::fromValue(march(7, 23, 45))});
    EXPECT_EQ(row.Fields("CURVALUE").toDouble(), -7.5);
    EXPECT_EQ(row.Fields("TEXTVALUE").toString(), "-7.5");

    EXPECT_EQ(Count("select count(*) from DATATBL where VARID = 3"), 3);
    row.Open("select CURVALUE, STATUS from DATATBL where VARID = 3 and DATESTAMP = ?", *facility,
             ado::CursorType::Static, ado::LockType::ReadOnly, {QVariant::fromValue(march(5))});
    EXPECT_EQ(row.Fields("CURVALUE").toDouble(), 15.0);  // 15.125 to 0 places
    EXPECT_EQ(row.Fields("STATUS").toInt(), 3);

    row.Open("select CURVALUE, TEXTVALUE from DATADDH where VARID = 4 and DATESTAMP = ?", *facility,
             ado::CursorType::Static, ado::LockType::ReadOnly, {QVariant::fromValue(march(5, 0))});
    EXPECT_EQ(row.Fields("CURVALUE").toDouble(), 1.0);
    EXPECT_EQ(row.Fields("TEXTVALUE").toString(), "NA");
    EXPECT_EQ(Count("select count(*) from DATADDH where VARID in (5, 6)"), 0);
}

TEST_P(ImportRun, TheLogNamesTheRangeTheWritesAndTheSessionStatistics)
{
    AddEveryKindOfVariable();
    ASSERT_TRUE(Run());
    const QString log = Log();
    EXPECT_TRUE(log.contains("Processing facility 'North works' (PLANT1)"));
    EXPECT_TRUE(log.contains("Date Range for import into PLANT1 is set to 03/05/2024 00:00:00 to 03/08/2024 00:00:00"));
    EXPECT_TRUE(log.contains("Validation failed for Var 5 (#105). Skipping import for this variable."));
    EXPECT_TRUE(log.contains("Wrote 03/06/2024 13:00  PLANT1:101\tVar 1\t32.25 MGD"));
    EXPECT_TRUE(log.contains("Session Statistics :"));
    EXPECT_EQ(Statistic("# of Physical Read Transactions   : "), "507");  // 72 + 288 + 3 + 72 + 72
    EXPECT_EQ(Statistic("# of Logical Write Transactions   : "), "435");
    EXPECT_EQ(Statistic("# of Physical Write Transactions  : "), "435");
    EXPECT_EQ(Statistic("# of Skipped Write Transactions   : "), "0");
    EXPECT_EQ(Statistic("# of Source Connection Failures   : "), "0");
    EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "0");
    EXPECT_EQ(Statistic("# of Attempted Variables          : "), "6");
    EXPECT_EQ(Statistic("# of Variables to Fail Validation : "), "1");
    EXPECT_FALSE(Statistic("# Seconds Elapsed                 : ").isEmpty());
    EXPECT_FALSE(Statistic("# Write Transactions  per Second  : ").isEmpty());
}

// Batches change when a write is committed, never what is stored or
// counted, refused batch included.
TEST_P(ImportRun, BatchedWritesStoreAndCountWhatSlotBySlotWritesDo)
{
    AddEveryKindOfVariable();
    const auto importInBatchesOf = [this](const char* batch) {
        target.Exec(
            *facility,
            "insert into DATADDH (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, AUDITUSER) values "
            "(1, ?, 5, '5', 9, 'LAB'), (1, ?, 6, '6', NULL, 'LAB'), (1, ?, 7, '7', 2, 'LAB')",
            {QVariant::fromValue(march(5, 3)), QVariant::fromValue(march(6, 4)), QVariant::fromValue(march(7, 5))});
        ImportInBatchesOf(batch);
        QStringList outcome = TakeStoredRows();
        for (const char* label : {"# of Physical Read Transactions   : ", "# of Logical Write Transactions   : ",
                                  "# of Physical Write Transactions  : ", "# of Skipped Write Transactions   : "})
            outcome << Statistic(label);
        return outcome;
    };
    const QStringList slotBySlot = importInBatchesOf("1");
    EXPECT_EQ(slotBySlot.size(), 72 + 288 + 3 + 72 + 1 + 4);
    EXPECT_EQ(importInBatchesOf("500"), slotBySlot);
    EXPECT_EQ(importInBatchesOf("7"), slotBySlot);
}

// Where a write fails for good, a batch keeps what slot-by-slot writing
// keeps: the slots before the failing one. The failures are counted alike.
TEST_P(ImportRun, AFailedBatchKeepsTheSlotsBeforeTheFailingOne)
{
    AddVariable(1, "H", "ALG 2:2", 2, 2);
    RefuseDay6(false);
    for (const char* batch : {"1", "500"}) {
        ImportInBatchesOf(batch);
        EXPECT_EQ(Count("select count(*) from DATADDH where VARID = 1"), 24) << batch;
        EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "6") << batch;
        EXPECT_EQ(Statistic("# of Logical Write Transactions   : "), "24") << batch;
        TakeStoredRows();
    }
}

// Every stored row is judged by what the facility's seek procedure finds,
// whatever the batch size: the rows stored, the statistics and the activity
// lines of an import are the same in batches of 1, 7 and 500, without a
// fault, with a write that fails once and with one that fails for good.
TEST_P(ImportRun, EveryBatchSizeJudgesStoredRowsAsTheSeekDoes)
{
    AddVariable(1, "H", "ALG 2:2", 2, 2);
    AddVariable(3, "P", "ALG 2:2", 1, 0, 3);
    const bool server = GetParam() == ado::Backend::PostgreSql;
    // Only a server can count a failure outside the transaction it undoes.
    QList<std::pair<QString, bool>> faults{{"none", false}, {"for good", false}};
    if (server)
        faults.append({"once", true});
    for (const auto& [fault, once] : faults) {
        QStringList first;
        for (const char* batch : {"1", "7", "500"}) {
            SeedStoredSituations();
            if (fault != "none")
                RefuseDay6(once);
            const qsizetype logged = Log().size();
            ImportInBatchesOf(batch);
            const QStringList outcome = TakeStoredRows() + RunActivity(logged);
            if (fault != "none")
                target.Exec(*facility, server ? "drop trigger refuse_day6 on DATADDH" : "drop trigger refuse_day6");
            if (first.isEmpty())
                first = outcome;
            else
                EXPECT_EQ(outcome, first) << fault.toStdString() << " in batches of " << batch;
        }
    }
}

TEST_P(ImportRun, InteractiveImportsLeaveTheLastRunDatesAlone)
{
    AddEveryKindOfVariable();
    ASSERT_TRUE(Run());
    ado::Recordset runs;
    runs.Open("select count(*) from k5_server_run", *root);
    EXPECT_EQ(runs.Fields(0).toInt(), 0);
}

TEST_P(ImportRun, CellsThatAreNotNumbersAreSkippedAndNamed)
{
    AddVariable(7, "P", "ALG 4:2", 1, 2);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Count("select count(*) from DATATBL where VARID = 7"), 2);
    EXPECT_TRUE(
        Log().contains("Value 'ERR' of Var 7 (#107) at 03/06/2024 00:00:00 is not a number. The slot is skipped."));
}

TEST_P(ImportRun, ServiceModePersistsTheLastRunAndTheWriteAsUser)
{
    writeAs = " NIGHTSHIFT ";
    target.Exec(*root, "update k5_server set OVERRIDE_AUDITUSER = ?", {writeAs});
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(Count("select count(*) from DATADDH where AUDITUSER = 'NIGHTSHIFT'"), 72);
    ado::Recordset runs;
    runs.Open("select LASTRUN, AUDITUSER from k5_server_run where FILENAME = 'PLANT1'", *root);
    ASSERT_FALSE(runs.Eof());
    EXPECT_EQ(runs.Fields("LASTRUN").toDateTime(), end);
    EXPECT_EQ(runs.Fields("AUDITUSER").toString(), "NIGHTSHIFT");
}

TEST_P(ImportRun, StoredRowsWithoutStatusAreKeptAndTheirSlotsSkipped)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    AddVariable(3, "P", "ALG 2:2", 1, 0);
    const QString insert = "insert into %1 (VARID, DATESTAMP, CURVALUE, STATUS) values (?, ?, %2, %3)";
    target.Exec(*facility, insert.arg("DATADDH", "99", "null"), {1, QVariant::fromValue(march(6, 13))});
    target.Exec(*facility, insert.arg("DATATBL", "99", "null"), {3, QVariant::fromValue(march(7))});
    // No value but a status the import may overwrite: judged by its status.
    target.Exec(*facility, insert.arg("DATADDH", "null", "1"), {1, QVariant::fromValue(march(5, 1))});
    ASSERT_TRUE(Run());
    EXPECT_EQ(Count("select count(*) from DATADDH where CURVALUE = 99 or CURVALUE is null"), 1);
    EXPECT_EQ(Count("select count(*) from DATATBL where CURVALUE = 99 and STATUS is null"), 1);
    EXPECT_TRUE(Log().contains("The stored row of Var 1 (#101) in PLANT1 at 03/06/2024 13:00:00 has no status; it is "
                               "kept and the slot is skipped."));
    EXPECT_EQ(Statistic("# of Skipped Write Transactions   : "), "2");
}

// The target's own tools keep milliseconds in the collector's run row; the
// service must still move its last-run date on. (The embedded target keeps
// its last-run dates in whole seconds.)
TEST_P(ImportRun, ServiceModeAdvancesALastRunRowHoldingMilliseconds)
{
    const bool server = GetParam() == ado::Backend::PostgreSql;
    if (server)
        target.Exec(*root,
                    "alter table k5_server_run alter column AUDITTIMESTAMP type timestamp(3), "
                    "alter column LASTRUN type timestamp(3)");
    target.Exec(*root,
                "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN, AUDITTIMESTAMP) "
                "values (?, 'PLANT1', ?, '2024-03-04 10:00:00.123')",
                {kCollector, server ? "2024-03-05 00:00:00.250" : "2024-03-05 00:00:00"});
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    ASSERT_TRUE(Run(true));
    EXPECT_FALSE(Log().contains("Unable to persist Last Run Date"));
    ado::Recordset runs;
    runs.Open("select LASTRUN from k5_server_run where FILENAME = 'PLANT1'", *root);
    ASSERT_FALSE(runs.Eof());
    EXPECT_EQ(runs.Fields("LASTRUN").toDateTime(), end);
}

TEST_P(ImportRun, TestModeWritesNothing)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    ASSERT_TRUE(Run(false, true));
    EXPECT_EQ(Count("select count(*) from DATADDH"), 0);
    EXPECT_EQ(Statistic("# of Logical Write Transactions   : "), "72");
    EXPECT_EQ(Statistic("# of Physical Write Transactions  : "), "0");
}

// Every slot is weighed by a seek of its own, batched or not.
TEST_P(ImportRun, EveryWrittenSlotIsTimedWithTheQueriesThatWeighedIt)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    AddVariable(3, "P", "ALG 2:2", 1, 0);
    ASSERT_TRUE(Run());
    using Kind = ImportTimings::Kind;
    for (const Kind kind : {Kind::SourceRead, Kind::Seek, Kind::Write})
        EXPECT_GT(timings.Nanoseconds(kind), 0);
    EXPECT_EQ(timings.Count(Kind::SourceRead), 75);  // 72 hours and 3 days
    EXPECT_EQ(timings.Count(Kind::Write), 75);
    EXPECT_EQ(timings.Count(Kind::Seek), 75);  // every slot through the seek procedure
    EXPECT_GE(timings.Count(Kind::Liveness), 1);
    EXPECT_GT(timings.Nanoseconds(Kind::Liveness), 0);
    EXPECT_EQ(timings.Count(Kind::Commit), 2);  // one batch for each variable
}

TEST_P(ImportRun, AFailingTargetIsRetriedThenTheImportEnds)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    DropProcedure("WRITEDDH");
    EXPECT_FALSE(Run(true));
    const QString log = Log();
    for (int left = 6; left >= 1; --left)
        EXPECT_TRUE(log.contains("Connection error occured while communicating with Korvel Orvex. Will attempt to "
                                 "re-connect to source for " +
                                 QString::number(left) + " times"))
            << left;
    EXPECT_TRUE(log.contains("Waiting for 0 seconds before attempting to re-connect ... "));
    EXPECT_TRUE(log.contains("Unable to connect to Korvel Orvex."));
    EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "6");
    ado::Recordset runs;
    runs.Open("select count(*) from k5_server_run", *root);
    EXPECT_EQ(runs.Fields(0).toInt(), 0);
}

// Filling gaps reads each slot's stored row first; a read that fails is
// retried with the target's attempts and waits, as a write is.
TEST_P(ImportRun, AFillRetriesAStoredRowThatCannotBeRead)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    DropProcedure("SEEKFDDH");
    onlyMissingRows = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "6");
    EXPECT_EQ(Log().count("Waiting for 0 seconds before attempting to re-connect ... "), 6);
    EXPECT_TRUE(Log().contains("Unable to connect to Korvel Orvex."));
}

// A service import killed outright at 20 points spread over its writes,
// each time followed by a run to completion: no slot is missing or stored
// twice, the last-run date is never ahead of the rows stored, and the
// configuration file stays whole. The import runs in a child process on
// connections of its own; the kill comes as soon as the log shows the
// k-th write under way.
TEST_P(ImportRun, AnImportKilledAtAnyWriteLosesAndRepeatsNothing)
{
    AddVariable(1, "H", "ALG 2:2", 2, 2);
    AddVariable(2, "F", "ALG 3:2", 1, 9999);
    ImportInBatchesOf("37");
    const QStringList clean = TakeStoredRows();
    const int writes = 72 + 288;
    ASSERT_EQ(clean.size(), writes + 1);
    ASSERT_TRUE(target.globals().config().SaveConfig());
    const QString configuration = TempFolder::Read(target.globals().config().path());
    QFile log(target.globals().log().CurrentFile());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    int killedWithRunAhead = 0;
    for (int point = 1; point <= 20; ++point) {
        const int k = writes * point / 21;
        log.seek(log.size());
        const pid_t child = ::fork();
        if (child == 0) {
            // The parent's connections stay untouched: closing them here
            // would end the parent's sessions.
            (void)root.release();
            (void)facility.release();
            root = target.OpenRoot();
            Run(true);
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        for (int started = 0; started < k && ::waitpid(child, nullptr, WNOHANG) == 0;) {
            const QByteArray lines = log.readLine();
            if (lines.isEmpty())
                QThread::usleep(100);
            else if (lines.contains("About to write "))
                ++started;
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        QStringList stored = ValueRows();
        const bool runAhead = Count("select count(*) from k5_server_run", {}, *root) > 0;
        EXPECT_TRUE(!runAhead || stored.size() == writes) << "last-run date ahead of the rows, point " << point;
        killedWithRunAhead += runAhead ? 1 : 0;
        for (const QString& row : stored)
            EXPECT_TRUE(clean.contains(row)) << row.toStdString();
        EXPECT_EQ(stored.removeDuplicates(), 0) << point;
        ASSERT_TRUE(Run(true)) << point;
        EXPECT_EQ(TakeStoredRows(), clean) << point;
        EXPECT_EQ(TempFolder::Read(target.globals().config().path()), configuration) << point;
    }
    std::printf("killed at 20 of %d writes (%d after the last-run date was stored): each next run completed the "
                "rows, none missing, none twice\n",
                writes, killedWithRunAhead);
}

// The server drops the connection at the k-th write, or at the k-th commit,
// for every k of a small import. Each cut costs one attempt and one wait;
// the run still stores every slot once, exactly as a run without a cut.
// A cut that outlasts the attempts fails the run and leaves the last-run
// date where it was, and the next run completes the data.
TEST_P(ImportRun, ACutConnectionAtAnyWriteOrCommitLosesAndRepeatsNothing)
{
    if (GetParam() != ado::Backend::PostgreSql)
        GTEST_SKIP() << "only a server connection can be cut";
    AddVariable(1, "H", "ALG 2:2", 2, 2);
    ImportInBatchesOf("7");
    const QStringList clean = TakeStoredRows();
    ASSERT_EQ(clean.size(), 72 + 1);
    // Sequences count outside the transactions that the cut undoes.
    for (const char* sql :
         {"create sequence writes", "create sequence commits",
          "create table outage (phase text, first bigint, last bigint)",
          "create function cut() returns trigger as $$ declare n bigint := nextval(TG_ARGV[0]::regclass); begin "
          "if exists (select 1 from outage where phase = TG_ARGV[0] and n between first and last) then "
          "perform pg_terminate_backend(pg_backend_pid()); end if; return NEW; end $$ language plpgsql",
          "create trigger cut_write before insert on DATADDH for each row execute function cut('writes')",
          "create constraint trigger cut_commit after insert on DATADDH deferrable initially deferred "
          "for each row execute function cut('commits')"})
        target.Exec(*facility, sql);
    const auto cutAt = [this](const char* phase, int first, int last) {
        target.Exec(*facility, "alter sequence writes restart");
        target.Exec(*facility, "alter sequence commits restart");
        target.Exec(*facility, "delete from outage");
        target.Exec(*facility, "insert into outage values (?, ?, ?)", {phase, first, last});
    };
    const auto waits = [this] { return Log().count("Waiting for 0 seconds before attempting to re-connect"); };
    // Every third write, so every place in a batch of 7 is cut somewhere;
    // the commit of every batch (a commit checks each of its rows, so the
    // first row of a batch stands for its commit).
    for (const auto& [phase, step] : {std::pair{"writes", 3}, std::pair{"commits", 7}}) {
        int runs = 0;
        for (int k = 1; k <= 72; k += step, ++runs) {
            cutAt(phase, k, k);
            const qsizetype waitsBefore = waits();
            ImportInBatchesOf("7");
            EXPECT_EQ(TakeStoredRows(), clean) << phase << " " << k;
            EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "1") << phase << " " << k;
            EXPECT_EQ(waits() - waitsBefore, 1) << phase << " " << k;
        }
        std::printf("cut at %d %s of 72: each run retried once, waited once, stored 72 slots once\n", runs, phase);
    }

    cutAt("writes", 10, 10 + 5);  // six attempts, six cuts
    const qsizetype waitsBefore = waits();
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(Statistic("# of Target Connection Failures   : "), "6");
    EXPECT_EQ(waits() - waitsBefore, 6);
    // As slot by slot: the slots before the one cut for good.
    EXPECT_EQ(Count("select count(*) from DATADDH where VARID = 1"), 9);
    EXPECT_EQ(Count("select count(*) from k5_server_run", {}, *root), 0);
    cutAt("writes", 0, -1);
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(TakeStoredRows(), clean);
}

TEST_P(ImportRun, AnUnreadableDayFileFailsTheRunUntilItCanBeRead)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    // A folder in the file's place: unreadable also for root, who runs CI.
    const QString day6 = target.folder().file("data/ALOG006.CSV");
    ASSERT_TRUE(QFile::remove(day6) && QDir().mkpath(day6));
    EXPECT_FALSE(Run(true));
    EXPECT_TRUE(Log().contains("Unable to read file " + day6 + ": "));
    EXPECT_TRUE(Log().contains("Unable to connect to source."));
    EXPECT_EQ(Statistic("# of Source Connection Failures   : "), "6");
    ado::Recordset runs;
    runs.Open("select count(*) from k5_server_run", *root);
    EXPECT_EQ(runs.Fields(0).toInt(), 0);

    ASSERT_TRUE(QDir().rmdir(day6));
    WriteDay(6, "16.125", "-6.5", "ERR");
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(Count("select count(*) from DATADDH where VARID = 1"), 72);
}

TEST_P(ImportRun, NoSourceAttemptsMeansNoQuery)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    target.globals().config().setItem("SOURCE\\RECOVERY\\ATTEMPTS", "0");
    EXPECT_FALSE(Run());
    EXPECT_TRUE(Log().contains("Unable to connect to source."));
    EXPECT_FALSE(Log().contains("DBL_Query(): "));
    EXPECT_EQ(Statistic("# of Physical Read Transactions   : "), "0");
}

// The range is raised to the lock date: nothing before it is read.
TEST_P(ImportRun, ALockDateRaisesTheStartOfTheRange)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    target.Exec(*facility, "update Settings set CURVALUE = '2024-03-06 00:00:00' where SETTING = 'LockDate'");
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(Count("select count(*) from DATADDH"), 48);
    EXPECT_TRUE(Log().contains("Date Range for import into PLANT1 is set to 03/06/2024 00:00:00"));
}

TEST_P(ImportRun, ARangeThatEndsBeforeTheLockDateIsRefused)
{
    AddVariable(1, "H", "ALG 2:2", 1, 3);
    target.Exec(*facility, "update Settings set CURVALUE = '2024-03-06 00:00:00' where SETTING = 'LockDate'");
    end = DateTime::FromParts(2024, 3, 5, 12);
    ASSERT_TRUE(Run(true));
    EXPECT_TRUE(Log().contains("Unable to import into 'North works' because selected date range violates Lock Date of "
                               "3/6/2024"));
}

TEST_P(ImportRun, ThrottleSettings)
{
    AddVariable(1, "P", "ALG 2:2", 1, 3);
    end = DateTime::FromParts(2024, 3, 6);
    QELConfiguration& config = target.globals().config();
    config.setItem("OPTIONS\\PERFORMANCE\\THROTTLE", "TRUE");
    const struct {
        const char* wait;
        const char* message;
    } cases[] = {
        {"500", "Program will sleep for 500 milliseconds."},
        {"0", "is not greater than 0. Artificial Wait between Source Polling is: 0"},
        {"-5", "is not greater than 0. Artificial Wait between Source Polling is: -5"},
        {"10000", "is not less than 10,000. Artificial Wait between Source Polling is: 10000"},
        {"12.5", "needs to be a whole number. Artificial Wait between Source Polling is: 12.5"},
        {"abc", "needs to be a whole number between 1 and 9999. Artificial Wait between Source Polling is: 0"},
    };
    for (const auto& c : cases) {
        config.setItem("OPTIONS\\PERFORMANCE\\POLL_WAIT", c.wait);
        ASSERT_TRUE(Run());
        EXPECT_TRUE(Log().contains(c.message)) << c.wait;
    }
}

INSTANTIATE_FOR_EVERY_TARGET(ImportRun);
