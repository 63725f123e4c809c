#include "CommonFiles/target/CommonFacilityWriter.h"
#include "dbsupport/TargetFixture.h"

#include "CommonFiles/foundation/HashTable.h"
#include "platform/DateTime.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

namespace {

DateTime At(int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::FromParts(2024, 3, day, hour, minute, second);
}

// 5 March 10:00: rows dated before it are locked.
const DateTime kLock = At(5, 10);

QVariant V(const DateTime& value)
{
    return QVariant::fromValue(value);
}

// The rows of one variable in one table, oldest first.
ado::Recordset Rows(ado::Connection& db, const QString& table, qint32 varId)
{
    ado::Recordset rows;
    rows.Open("select * from " + table + " where varid = ? order by datestamp", db, ado::CursorType::Static,
              ado::LockType::ReadOnly, {varId});
    return rows;
}

int Count(ado::Connection& db, const QString& table)
{
    ado::Recordset rows;
    rows.Open("select count(*) from " + table, db);
    return rows.Fields(0).toInt();
}

DateTime DateOf(const ado::Recordset& rows, const QString& field)
{
    return rows.Fields(field).toDateTime().value_or(DateTime::Zero());
}

void StoreValue(TargetFixture& f, ado::Connection& db, const QString& table, qint32 varId, const DateTime& date,
                double value, qint32 status)
{
    f.Exec(db,
           "insert into " + table +
               " (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER) values (?, ?, ?, ?, ?, 0, ?)",
           {varId, V(date), value, QString::number(value), status, "EARLIER"});
}

HashTable<QString> SamplerAndLabRef(const QString& sampler, const QString& labRef)
{
    HashTable<QString> table;
    table.Add("SAMPLER", sampler);
    table.Add("LABREF", labRef);
    return table;
}

}  // namespace

// ---- Lock date and slots ----------------------------------------------

// A facility database PLANT1 and a writer prepared for it.
class FacilityWriter : public ::testing::TestWithParam<TargetKind> {
protected:
    FacilityWriter() : f(GetParam()), writer((f.CreateFacility("PLANT1"), f.globals()))
    {
        writer.setFacilID("PLANT1");
        writer.setLockDate(kLock);
        writer.setTestMode(false);
    }

    TargetFixture f;
    CommonFacilityWriter writer;
};

TEST_P(FacilityWriter, IntervalValueFromTheLockDateOnIsWrittenAtItsSlotStart)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(5, 9), 1.0, 0);

    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, kLock, 12.5, "12.5 mg/l", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedLogicalWrite);
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_FALSE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, kLock);

    auto hourly = Rows(*db, "DATADDH", 7);
    ASSERT_EQ(hourly.RecordCount(), 2);
    hourly.MoveNext();
    EXPECT_EQ(DateOf(hourly, "datestamp"), kLock);
    EXPECT_EQ(hourly.Fields("curvalue").toDouble(), 12.5);
    EXPECT_EQ(hourly.Fields("textvalue").toString(), "12.5 mg/l");
    EXPECT_EQ(hourly.Fields("status").toInt(), 2);
    EXPECT_EQ(hourly.Fields("audituser").toString(), "VIA_R58213");
}

// One second before the lock date the row is the 09:00 slot, which is
// locked: the call succeeds, says why nothing was written and leaves the
// row alone.
TEST_P(FacilityWriter, AValueBeforeTheLockDateLeavesItsLockedSlotAlone)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(5, 9), 1.0, 0);

    EXPECT_TRUE(writer.WriteToKorvelOrvex("H", 7, kLock.addSeconds(-1), 99, "99", 2, nullptr));
    EXPECT_FALSE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);
    EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(5, 9));

    auto hourly = Rows(*db, "DATADDH", 7);
    EXPECT_EQ(DateOf(hourly, "datestamp"), At(5, 9));
    EXPECT_EQ(hourly.Fields("curvalue").toDouble(), 1.0);
    EXPECT_EQ(hourly.Fields("auditUser").toString(), "EARLIER");
}

// A quarter-hour value of 10:44 belongs to the 10:30 slot.
TEST_P(FacilityWriter, AQuarterHourValueIsWrittenAtItsSlotStart)
{
    ASSERT_TRUE(writer.WriteToKorvelOrvex("F", 8, At(5, 10, 44), -3.25, "", 1, nullptr));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_FALSE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(5, 10, 30));

    auto db = f.OpenFacility("PLANT1");
    auto quarter = Rows(*db, "DATADDF", 8);
    ASSERT_EQ(quarter.RecordCount(), 1);
    EXPECT_EQ(DateOf(quarter, "datestamp"), At(5, 10, 30));
    EXPECT_EQ(quarter.Fields("curvalue").toDouble(), -3.25);
    EXPECT_EQ(quarter.Fields("status").toInt(), 1);
    EXPECT_EQ(Count(*db, "DATADDH_I") + Count(*db, "DATADDF_I"), 0);
}

// ---- Approval levels ----------------------------------------------------

TEST_P(FacilityWriter, StoredStatusAboveTheApprovalLevelKeepsTheValue)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(6, 11), 5.0, 3);
    StoreValue(f, *db, "DATATBL", 9, At(6), 50.0, 3);

    struct Case {
        QString type;
        QString table;
        qint32 varId;
        DateTime datestamp;
        DateTime row;
    };
    // A daily value of any hour is the row at midnight of its day.
    for (const Case& c :
         {Case{"H", "DATADDH", 7, At(6, 11, 20), At(6, 11)}, Case{"P", "DATATBL", 9, At(6, 15, 20), At(6)}}) {
        SCOPED_TRACE(c.type.toStdString());
        EXPECT_TRUE(writer.WriteToKorvelOrvex(c.type, c.varId, c.datestamp, 2.0, "2", 2, nullptr));
        EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
        EXPECT_FALSE(writer.PerfromedLogicalWrite);
        EXPECT_FALSE(writer.PerfromedPhysicalWrite);
        EXPECT_EQ(writer.PerfromedWriteDateStamp, c.row);
        auto kept = Rows(*db, c.table, c.varId);
        ASSERT_EQ(kept.RecordCount(), 1);
        EXPECT_NE(kept.Fields("curvalue").toDouble(), 2.0);
        EXPECT_EQ(kept.Fields("audituser").toString(), "EARLIER");

        for (const qint32 level : {3, 4}) {
            EXPECT_TRUE(writer.WriteToKorvelOrvex(c.type, c.varId, c.datestamp, level * 10.0, "L", level, nullptr));
            EXPECT_FALSE(writer.ApprovalLevelDisabledWrite) << level;
            EXPECT_TRUE(writer.PerfromedPhysicalWrite) << level;
            EXPECT_EQ(writer.PerfromedWriteDateStamp, c.row);
            auto replaced = Rows(*db, c.table, c.varId);
            ASSERT_EQ(replaced.RecordCount(), 1);
            EXPECT_EQ(DateOf(replaced, "datestamp"), c.row);
            EXPECT_EQ(replaced.Fields("curvalue").toDouble(), level * 10.0);
            EXPECT_EQ(replaced.Fields("status").toInt(), level);
            EXPECT_EQ(replaced.Fields("audituser").toString(), "VIA_R58213");
        }
        // The row now carries level 4, so level 3 no longer reaches it.
        EXPECT_TRUE(writer.WriteToKorvelOrvex(c.type, c.varId, c.datestamp, 1.0, "1", 3, nullptr));
        EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
        EXPECT_EQ(Rows(*db, c.table, c.varId).Fields("curvalue").toDouble(), 40.0);
    }
}

// ---- Test mode ----------------------------------------------------------

TEST_P(FacilityWriter, TestModeReportsTheWriteButStoresNothing)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(6, 11), 5.0, 1);
    writer.setTestMode(true);

    EXPECT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11), 6.0, "6", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(6, 11));
    EXPECT_TRUE(writer.WriteToKorvelOrvex("F", 8, At(6, 11, 50), 6.0, "6", 2, nullptr));
    EXPECT_TRUE(writer.WriteToKorvelOrvex("P", 9, At(6, 11), 6.0, "6", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(6));
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("P", 9, At(6), "note"));
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("H", 7, At(6, 11), "note"));
    EXPECT_TRUE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);

    EXPECT_EQ(Rows(*db, "DATADDH", 7).Fields("curvalue").toDouble(), 5.0);
    for (const char* table : {"DATADDH", "DATADDF", "DATATBL", "DATATBL_C", "DATADDH_C"})
        EXPECT_EQ(Count(*db, table), QString(table) == "DATADDH" ? 1 : 0) << table;
    EXPECT_FALSE(f.LogText().contains("Writing DD Value to database."));
}

TEST_P(FacilityWriter, OnlyAStoredIntervalValueAnnouncesItselfInTheLog)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(6, 11), 5.0, 1);
    EXPECT_TRUE(writer.WriteToKorvelOrvex("P", 9, At(6), 6.0, "6", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_FALSE(f.LogText().contains("Writing DD Value to database."));
    EXPECT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11), 6.0, "6", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(f.LogText().count("Writing DD Value to database."), 1);
}

// ---- Writers that cannot write, and the connection ---------------------

TEST_P(FacilityWriter, AWriterWithoutALockDateWritesNothing)
{
    CommonFacilityWriter unlocked(f.globals());
    unlocked.setFacilID("PLANT1");
    EXPECT_FALSE(unlocked.WriteToKorvelOrvex("H", 7, At(6, 11), 1, "1", 2, nullptr));
    EXPECT_FALSE(unlocked.WriteCOMtoKorvelOrvex("H", 7, At(6, 11), "note"));
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Count(*db, "DATATBL_C") + Count(*db, "DATADDH_C"), 0);
}

// The outcome fields describe the last call, not an earlier success.
TEST_P(FacilityWriter, AWriterWithoutAFacilityWritesNothing)
{
    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11), 1, "1", 2, nullptr));
    writer.setFacilID("");
    EXPECT_FALSE(writer.WriteToKorvelOrvex("H", 7, At(6, 12), 2, "2", 2, nullptr));
    EXPECT_FALSE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, DateTime::Zero());
    EXPECT_FALSE(writer.WriteCOMtoKorvelOrvex("P", 9, At(6), "note"));
    EXPECT_FALSE(writer.PerfromedLogicalWrite);

    auto db = f.OpenFacility("PLANT1");
    auto rows = Rows(*db, "DATADDH", 7);
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(DateOf(rows, "datestamp"), At(6, 11));
}

TEST_P(FacilityWriter, AWriterWhoseDatabaseCannotBeOpenedWritesNothing)
{
    writer.setFacilID("PLANT9");
    EXPECT_FALSE(writer.WriteToKorvelOrvex("H", 7, At(6, 13), 3, "3", 2, nullptr));
    EXPECT_FALSE(writer.ConnectionAlive());
    EXPECT_TRUE(f.LogText().contains("Unable to Open Connection to Korvel Orvex. Error : "));
}

TEST_P(FacilityWriter, ConnectionOpensOnFirstWriteAndReopensAfterBeingDestroyed)
{
    EXPECT_FALSE(writer.ConnectionAlive());
    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11), 1, "1", 2, nullptr));
    EXPECT_TRUE(writer.ConnectionAlive());
    writer.DestroyConnection();
    EXPECT_FALSE(writer.ConnectionAlive());
    writer.DestroyConnection();
    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 12), 2, "2", 2, nullptr));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_TRUE(writer.ConnectionAlive());
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Rows(*db, "DATADDH", 7).RecordCount(), 2);
}

// ---- Comments -------------------------------------------------------------

TEST_P(FacilityWriter, ADailyCommentIsCutTo2000AndStoredAtItsDay)
{
    QString longComment;
    for (int i = 0; i < 250; ++i)
        longComment += QString("%1abcdefghi").arg(i % 10);
    ASSERT_EQ(longComment.size(), 2500);

    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("P", 9, At(6, 17, 45), longComment));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(6));

    auto db = f.OpenFacility("PLANT1");
    auto daily = Rows(*db, "DATATBL_C", 9);
    ASSERT_EQ(daily.RecordCount(), 1);
    EXPECT_EQ(DateOf(daily, "datestamp"), At(6));
    EXPECT_EQ(daily.Fields("comments").toString(), longComment.left(2000));
    EXPECT_EQ(daily.Fields("audituser").toString(), "VIA_R58213");
    EXPECT_EQ(Count(*db, "DATADDH") + Count(*db, "DATATBL"), 0);
}

TEST_P(FacilityWriter, AnIntervalCommentIsStoredAtItsSlotAndASecondOneReplacesIt)
{
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("H", 7, At(6, 11, 59), "hourly note"));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(6, 11));
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("H", 7, At(6, 11, 5), "hourly note, corrected"));

    auto db = f.OpenFacility("PLANT1");
    auto hourly = Rows(*db, "DATADDH_C", 7);
    ASSERT_EQ(hourly.RecordCount(), 1);
    EXPECT_EQ(DateOf(hourly, "datestamp"), At(6, 11));
    EXPECT_EQ(hourly.Fields("comments").toString(), "hourly note, corrected");
}

TEST_P(FacilityWriter, ACommentBeforeTheLockDateIsRefusedAndSaidSo)
{
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("H", 7, kLock.addSeconds(-1), "too late"));
    EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
    EXPECT_FALSE(writer.PerfromedLogicalWrite);
    EXPECT_FALSE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(5, 9));
    EXPECT_TRUE(writer.WriteCOMtoKorvelOrvex("P", 9, At(4, 23), "too late"));
    EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(writer.PerfromedWriteDateStamp, At(4));
}

// ---- Additional information -------------------------------------------

TEST_P(FacilityWriter, AdditionalInfoRowIsWrittenThenUpdatedInPlace)
{
    // The first value write opens the writer's connection.
    ASSERT_TRUE(writer.WriteToKorvelOrvex("P", 9, At(6), 1, "1", 1, nullptr));
    f.clock().set(At(6, 8, 15, 30));

    EXPECT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), SamplerAndLabRef("J. O'Neil", "42")));
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 2);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 2);
    auto db = f.OpenFacility("PLANT1");
    auto first = Rows(*db, "DATATBL_I", 9);
    ASSERT_EQ(first.RecordCount(), 1);
    EXPECT_EQ(DateOf(first, "datestamp"), At(6));
    EXPECT_EQ(first.Fields("sampler").toString(), "J. O'Neil");
    EXPECT_EQ(first.Fields("labref").toDouble(), 42.0);
    EXPECT_EQ(first.Fields("audituser").toString(), "VIA_R58213");
    EXPECT_EQ(DateOf(first, "audittimestamp"), At(6, 8, 15, 30));
    EXPECT_TRUE(f.LogText().contains("Wrote Additional Info [Field] Value : [SAMPLER] J. O'Neil"));

    // The same day again: one row, an empty value stored as Null.
    f.clock().set(At(6, 9));
    f.globals().setWriteAsUser("LAB");
    EXPECT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), SamplerAndLabRef("", "7.5")));
    auto second = Rows(*db, "DATATBL_I", 9);
    ASSERT_EQ(second.RecordCount(), 1);
    EXPECT_TRUE(second.Fields("sampler").IsNull());
    EXPECT_EQ(second.Fields("labref").toDouble(), 7.5);
    EXPECT_EQ(second.Fields("audituser").toString(), "LAB");
    EXPECT_EQ(DateOf(second, "audittimestamp"), At(6, 9));
}

TEST_P(FacilityWriter, AdditionalInfoInTestModeStoresNothing)
{
    writer.setTestMode(true);
    ASSERT_TRUE(writer.WriteToKorvelOrvex("P", 9, At(6), 1, "1", 1, nullptr));

    HashTable<QString> sampler;
    sampler.Add("SAMPLER", "J. O'Neil");
    EXPECT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), sampler));
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 1);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 0);
    EXPECT_TRUE(f.LogText().contains("(Test) Wrote Additional Info [Field] Value : [SAMPLER] J. O'Neil"));
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Count(*db, "DATATBL"), 0);
}

TEST_P(FacilityWriter, AdditionalInfoWithAnUnknownFieldStoresNothingAndDumpsTheCall)
{
    HashTable<QString> unknown;
    unknown.Add("SAMPLER", "A. Smith");
    unknown.Add("NOSUCH", "x");
    EXPECT_FALSE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), unknown));
    const QString log = f.LogText();
    EXPECT_TRUE(log.contains("CommonFacilityWriter.WriteToKorvelOrvexainfo():  Error Handler dump BEGIN"));
    EXPECT_TRUE(log.contains("CommonFacilityWriter.WriteToKorvelOrvexainfo():  WHEN_KEY = NOSUCH, WHEN_VALUE = x"));
    EXPECT_TRUE(log.contains("WHEN_FACILID = PLANT1, WHEN_VARID = 9"));
    EXPECT_TRUE(log.contains("CommonFacilityWriter.WriteToKorvelOrvexainfo():  Error Handler dump END"));
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Count(*db, "DATATBL_I"), 0);
}

TEST_P(FacilityWriter, ValueWithAdditionalInfoWritesBothUnlessTheValueIsRefused)
{
    auto db = f.OpenFacility("PLANT1");
    StoreValue(f, *db, "DATADDH", 7, At(6, 12), 5.0, 4);
    const HashTable<QString> table = SamplerAndLabRef("K. Lee", "17");

    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11, 44), 3.5, "3.5", 2, &table));
    EXPECT_TRUE(writer.PerfromedPhysicalWrite);
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 2);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 2);
    auto info = Rows(*db, "DATADDH_I", 7);
    ASSERT_EQ(info.RecordCount(), 1);
    EXPECT_EQ(DateOf(info, "datestamp"), At(6, 11));
    EXPECT_EQ(info.Fields("sampler").toString(), "K. Lee");
    EXPECT_EQ(info.Fields("labref").toDouble(), 17.0);
    EXPECT_EQ(Rows(*db, "DATADDH", 7).Fields("curvalue").toDouble(), 3.5);

    // Refused by approval or by the lock date: no additional info either.
    EXPECT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 12, 10), 9, "9", 2, &table));
    EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 0);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 0);
    EXPECT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(5, 9, 10), 9, "9", 2, &table));
    EXPECT_TRUE(writer.ApprovalLevelDisabledWrite);
    EXPECT_EQ(Count(*db, "DATADDH_I"), 1);
}

// A writer that has not written a value yet opens its connection for the
// additional info; one whose facility cannot be reached fails with the dump.
TEST_P(FacilityWriter, AdditionalInfoBeforeAnyValueWriteOpensTheConnection)
{
    EXPECT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), SamplerAndLabRef("J. O'Neil", "42")));
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Count(*db, "DATATBL_I"), 1);
}

TEST_P(FacilityWriter, AdditionalInfoForAFacilityThatCannotBeReachedFailsWithTheDump)
{
    writer.setFacilID("NO_SUCH_PLANT");
    EXPECT_FALSE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), SamplerAndLabRef("J. O'Neil", "42")));
    EXPECT_TRUE(f.LogText().contains("CommonFacilityWriter.WriteToKorvelOrvexainfo():  Error Handler dump BEGIN"));
}

// The outcome fields tell what the last write did, so a caller that writes
// additional info on its own must not see counts left from an earlier call.
TEST_P(FacilityWriter, AdditionalInfoCountsDescribeTheLastCall)
{
    ASSERT_TRUE(writer.WriteToKorvelOrvex("P", 9, At(6), 1, "1", 1, nullptr));
    ASSERT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), SamplerAndLabRef("J. O'Neil", "42")));
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 2);

    // Nothing is stored in test mode, and the count must say so.
    writer.setTestMode(true);
    HashTable<QString> sampler;
    sampler.Add("SAMPLER", "A. Smith");
    ASSERT_TRUE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), sampler));
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 1);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 0);

    // A failed call wrote nothing either.
    writer.setTestMode(false);
    HashTable<QString> unknown;
    unknown.Add("NOSUCH", "x");
    EXPECT_FALSE(writer.WriteToKorvelOrvexainfo("P", 9, At(6), unknown));
    EXPECT_EQ(writer.PerformedAINFOfieldsLogicalWrite, 0);
    EXPECT_EQ(writer.PerformedAINFOfieldsPhysicalWrite, 0);
}

// ---- Logbook ----------------------------------------------------------------

TEST_P(FacilityWriter, ABlankLogbookCommentIsNoEntryAndNoFailure)
{
    EXPECT_TRUE(writer.WriteToLogbook(3, At(6), At(6, 7, 30), "   ", 5));
    auto db = f.OpenFacility("PLANT1");
    EXPECT_EQ(Count(*db, "logbookentries"), 0);
}

// A writer that never wrote a value opens its connection for the entry.
TEST_P(FacilityWriter, LogbookEntriesGoToAnExistingLogbookOrToNone)
{
    auto db = f.OpenFacility("PLANT1");
    f.Exec(*db, "insert into logbook (ID, NAME) values (?, ?)", {3, "Shift"});
    f.Exec(*db, "insert into logbook (ID, NAME) values (?, ?)", {5, "Maintenance"});
    ASSERT_TRUE(writer.WriteToLogbook(3, At(6), At(6, 7, 30), "Pump 2 restarted", 5));
    ASSERT_TRUE(writer.WriteToLogbook(8, At(6), At(6, 8), "Filter washed", 5));
    ASSERT_TRUE(writer.WriteToLogbook(8, At(7), At(7, 9), "Nobody's logbook", 9));

    ado::Recordset entries;
    entries.Open("select * from logbookentries order by id", *db);
    ASSERT_EQ(entries.RecordCount(), 3);
    EXPECT_EQ(entries.Fields("lbid").toInt(), 3);
    EXPECT_EQ(entries.Fields("comment").toString(), "Pump 2 restarted");
    EXPECT_EQ(DateOf(entries, "datestamp"), At(6));
    EXPECT_EQ(DateOf(entries, "timestamp"), At(6, 7, 30));
    EXPECT_EQ(entries.Fields("audituser").toString(), "VIA_R58213");
    EXPECT_FALSE(entries.Fields("audittimestamp").IsNull());
    entries.MoveNext();
    EXPECT_EQ(entries.Fields("lbid").toInt(), 5);
    EXPECT_EQ(entries.Fields("comment").toString(), "Filter washed");
    entries.MoveNext();
    EXPECT_EQ(entries.Fields("lbid").toInt(), 0);
    EXPECT_EQ(DateOf(entries, "timestamp"), At(7, 9));
}

// ---- Quotes and SQL in the values --------------------------------------------

TEST_P(FacilityWriter, QuotesAndSqlInValuesAreStoredVerbatim)
{
    const QString user = "O'Brien'); DROP TABLE DATADDH; --";
    const QString text = "it's ' OR '1'='1";
    const QString comment = "x'); DELETE FROM DATATBL_C; --";
    f.globals().setWriteAsUser(user);

    ASSERT_TRUE(writer.WriteToKorvelOrvex("H", 7, At(6, 11), 1, text, 2, nullptr));
    ASSERT_TRUE(writer.WriteCOMtoKorvelOrvex("P", 9, At(6), comment));
    ASSERT_TRUE(writer.WriteToLogbook(0, At(6), At(6, 7), comment, 0));
    HashTable<QString> sampler;
    sampler.Add("SAMPLER", text);
    ASSERT_TRUE(writer.WriteToKorvelOrvexainfo("H", 7, At(6, 11), sampler));

    auto db = f.OpenFacility("PLANT1");
    auto value = Rows(*db, "DATADDH", 7);
    ASSERT_EQ(value.RecordCount(), 1);
    EXPECT_EQ(value.Fields("textvalue").toString(), text);
    EXPECT_EQ(value.Fields("audituser").toString(), user);
    auto daily = Rows(*db, "DATATBL_C", 9);
    ASSERT_EQ(daily.RecordCount(), 1);
    EXPECT_EQ(daily.Fields("comments").toString(), comment);
    EXPECT_EQ(daily.Fields("audituser").toString(), user);
    auto info = Rows(*db, "DATADDH_I", 7);
    ASSERT_EQ(info.RecordCount(), 1);
    EXPECT_EQ(info.Fields("sampler").toString(), text);
    EXPECT_EQ(info.Fields("audituser").toString(), user);
    ado::Recordset entry;
    entry.Open("select * from logbookentries where comment = ?", *db, ado::CursorType::Static, ado::LockType::ReadOnly,
               {comment});
    ASSERT_FALSE(entry.Eof());
    EXPECT_EQ(entry.Fields("audituser").toString(), user);
}

// A field name is never part of the statement: an unknown one fails.
TEST_P(FacilityWriter, AFieldNameWithSqlInItIsAnUnknownField)
{
    HashTable<QString> field;
    field.Add("SAMPLER = NULL; --", "x");
    EXPECT_FALSE(writer.WriteToKorvelOrvexainfo("H", 7, At(6, 11), field));
}

TEST_P(FacilityWriter, AFacilityKeyWithSqlInItNamesNoDatabase)
{
    writer.setFacilID("PLANT1'; DROP TABLE DATADDH; --");
    EXPECT_FALSE(writer.WriteToKorvelOrvex("H", 7, At(6, 12), 2, "2", 2, nullptr));
}

INSTANTIATE_FOR_EVERY_TARGET(FacilityWriter);
