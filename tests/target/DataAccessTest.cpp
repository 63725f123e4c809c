#include "CommonFiles/target/AdditionalInfoColumns.h"
#include "CommonFiles/target/CommentsInt.h"
#include "CommonFiles/target/DataDDInt.h"
#include "CommonFiles/target/DatatblInt.h"
#include "dbsupport/TargetFixture.h"
#include "platform/ado/Recordset.h"

namespace {

class DataAccess : public ::testing::TestWithParam<TargetKind> {
protected:
    DataAccess() : target(GetParam())
    {
        target.CreateFacility("PLANT1");
        facility = target.OpenFacility("PLANT1");
    }

    TargetFixture target;
    std::unique_ptr<ado::Connection> facility;
};

DateTime day(int d, int h = 0, int m = 0)
{
    return DateTime::FromParts(2024, 3, d, h, m, 0);
}

// A stored row of a seek, as the caller sees it.
struct Row {
    DateTime date;
    double value = -1;
    QString text = "untouched";
    QString user;
    DateTime stamp;
    qint32 status = -1;
    qint32 forced = -1;
};

Row Seek(DataDDInt& access, const DateTime& slot, qint32 varId)
{
    Row row;
    access.SeekData(slot, varId, row.date, row.value, row.text, &row.user, &row.stamp, &row.status, &row.forced);
    return row;
}

}  // namespace

TEST_P(DataAccess, EveryIntervalWritesAndSeeksItsSlot)
{
    for (const qint32 intervals : {24, 96, 1440, 288, 48, 6}) {
        DataDDInt access(target.globals());
        access.ConnectTo(*facility, intervals);
        const DateTime slot = access.GetSlotStartDateTime(day(5, 10, 44));
        access.WriteData(slot, slot, 7, 12.25, "12.25", 2);
        const Row row = Seek(access, slot, 7);
        ASSERT_FALSE(access.NoMatch()) << intervals;
        EXPECT_EQ(row.date, slot);
        EXPECT_EQ(row.value, 12.25);
        EXPECT_EQ(row.text, "12.25");
        EXPECT_EQ(row.user, "VIA_R58213");
        EXPECT_EQ(row.status, 2);
        EXPECT_EQ(row.forced, 0);
        EXPECT_GT(row.stamp, DateTime::FromParts(2020, 1, 1));
        // A second write of the slot replaces the row.
        target.globals().setWriteAsUser("OPERATOR'7");
        access.WriteData(slot, slot, 7, -3.5, "", 3);
        const Row again = Seek(access, slot, 7);
        EXPECT_EQ(again.value, -3.5);
        EXPECT_EQ(again.text, "");
        EXPECT_EQ(again.user, "OPERATOR'7");
        target.globals().setWriteAsUser("");
    }
    ado::Recordset rows;
    rows.Open("select count(*) from DATADDF where varid = ?", *facility, ado::CursorType::Static,
              ado::LockType::ReadOnly, {7});
    EXPECT_EQ(rows.Fields(0).toInt(), 1);
}

TEST_P(DataAccess, SeekWithoutARowLeavesTheCallersValues)
{
    DataDDInt access(target.globals());
    access.ConnectTo(*facility, 24);
    access.WriteData(day(5, 10), day(5, 10), 7, 1, "1", 1);
    const Row row = Seek(access, day(5, 11), 7);
    EXPECT_TRUE(access.NoMatch());
    EXPECT_EQ(row.value, -1);
    EXPECT_EQ(row.text, "untouched");
    EXPECT_EQ(row.status, -1);
    Seek(access, day(5, 10), 8);
    EXPECT_TRUE(access.NoMatch());
}

TEST_P(DataAccess, SeekNextWalksTheRowsOfARange)
{
    DataDDInt access(target.globals());
    access.ConnectTo(*facility, 96);
    for (int i = 0; i < 3; ++i)
        access.WriteData(day(5, 1, 15 * i), day(5, 1, 15 * i), 9, 10 + i, QString::number(10 + i), 1);
    Row row;
    access.SeekNext(day(5), day(6), 9, row.date, row.value, row.text, 0);
    EXPECT_FALSE(access.NoMatch());
    EXPECT_EQ(row.value, 10);
    access.SeekNext(day(5), day(6), 9, row.date, row.value, row.text, 3, &row.user, &row.stamp, &row.status,
                    &row.forced);
    EXPECT_EQ(row.date, day(5, 1, 30));
    EXPECT_EQ(row.text, "12");
    EXPECT_EQ(row.status, 1);
    access.SeekNext(day(5), day(6), 9, row.date, row.value, row.text, 4);
    EXPECT_TRUE(access.NoMatch());
    EXPECT_EQ(row.value, 12);
}

TEST_P(DataAccess, StatusForcedAndDeleteChangeOnlyTheirSlot)
{
    DataDDInt access(target.globals());
    access.ConnectTo(*facility, 24);
    access.WriteData(day(5, 10), day(5, 10), 7, 5, "5", 2);
    access.SetStatus(day(5, 10, 30), 7, 4);
    EXPECT_EQ(Seek(access, day(5, 10), 7).status, 4);
    EXPECT_EQ(Seek(access, day(5, 10), 7).value, 5);

    // The stored status already: nothing is written, so the audit user stays.
    target.globals().setWriteAsUser("SOMEONE");
    access.SetStatus(day(5, 10), 7, 4);
    EXPECT_EQ(Seek(access, day(5, 10), 7).user, "VIA_R58213");
    target.globals().setWriteAsUser("");

    access.SetForced(day(5, 10, 59), 7, 1);
    EXPECT_EQ(Seek(access, day(5, 10), 7).forced, 1);
    access.DeleteData(day(5, 10), 7);
    Seek(access, day(5, 10), 7);
    EXPECT_TRUE(access.NoMatch());
}

TEST_P(DataAccess, IntervalCommentsRoundTrip)
{
    DataDDInt access(target.globals());
    access.ConnectTo(*facility, 24);
    access.WriteComment(day(5, 10), day(5, 10), 7, "Pump 2 out of service; O'Neil checked");
    QString comment;
    QString user;
    DateTime stamp;
    access.SeekComment(day(5, 10), 7, comment, &user, &stamp);
    EXPECT_FALSE(access.NoMatch());
    EXPECT_EQ(comment, "Pump 2 out of service; O'Neil checked");
    EXPECT_EQ(user, "VIA_R58213");
    access.DeleteComment(day(5, 10), 7);
    comment = "kept";
    access.SeekComment(day(5, 10), 7, comment);
    EXPECT_TRUE(access.NoMatch());
    EXPECT_EQ(comment, "kept");
}

TEST_P(DataAccess, DailyValuesByDay)
{
    DatatblInt daily(target.globals());
    daily.Connect(*facility);
    double value = -1;
    QString text = "untouched";
    QString user;
    DateTime stamp;
    qint32 forced = 5;
    qint32 status = -1;
    daily.SeekDateVarId(day(5), 11, value, text, &user, &stamp, &forced, &status);
    EXPECT_TRUE(daily.NoMatch());
    EXPECT_EQ(forced, 0);
    EXPECT_EQ(text, "untouched");

    daily.WriteData(day(5), 11, 4.125, "4.125", 3);
    daily.SeekDateVarId(day(5), 11, value, text, &user, &stamp, &forced, &status);
    EXPECT_FALSE(daily.NoMatch());
    EXPECT_EQ(value, 4.125);
    EXPECT_EQ(text, "4.125");
    EXPECT_EQ(status, 3);
    EXPECT_EQ(user, "VIA_R58213");

    daily.SetStatus(day(5), 11, 1);
    daily.SetForced(day(5), 11, 1);
    daily.SeekDateVarId(day(5), 11, value, text, &user, &stamp, &forced, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(forced, 1);
    daily.deletedtbl(day(5), 11);
    daily.SeekDateVarId(day(5), 11, value, text);
    EXPECT_TRUE(daily.NoMatch());
}

TEST_P(DataAccess, DailyCommentsAreWrittenAndDeleted)
{
    CommentsInt comments(target.globals());
    comments.Connect(*facility);
    comments.WriteData(day(5), 11, "Sample bottle broken");
    ado::Recordset rows;
    rows.Open("select COMMENTS, AUDITUSER from DATATBL_C where VARID = ?", *facility, ado::CursorType::Static,
              ado::LockType::ReadOnly, {11});
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Fields("comments").toString(), "Sample bottle broken");
    EXPECT_EQ(rows.Fields("audituser").toString(), "VIA_R58213");
    comments.deletecmts(day(5), 11);
    rows.Open("select COMMENTS from DATATBL_C where VARID = ?", *facility, ado::CursorType::Static,
              ado::LockType::ReadOnly, {11});
    EXPECT_TRUE(rows.Eof());

    QString comment = "kept";
    QString user;
    DateTime stamp;
    comments.Seekcmts(day(5), 11, comment, user, stamp);
    EXPECT_TRUE(comments.NoMatch());
}

TEST_P(DataAccess, AdditionalInfoCatalogueListsTheUserColumns)
{
    HashTable<QString> columns;
    columns.Add("STALE", "x");
    ASSERT_TRUE(AdditionalInfoColumns::Read(*facility, 2, columns, target.globals().log()));
    EXPECT_FALSE(columns.Exists("STALE"));
    EXPECT_EQ(columns.Item("SAMPLER"), "VARCHAR\t80");
    EXPECT_EQ(columns.Item("LABREF"), "NUMERIC\t");
    for (const char* fixed : {"VARID", "DATESTAMP", "AUDITUSER", "AUDITTIMESTAMP"})
        EXPECT_FALSE(columns.Exists(fixed)) << fixed;

    facility->Close();
    EXPECT_FALSE(AdditionalInfoColumns::Read(*facility, 2, columns, target.globals().log()));
    EXPECT_EQ(columns.Count(), 0);
}

TEST_P(DataAccess, ReadsAndStatusChangesOnALostConnectionAreTracedAtVerbosityTwo)
{
    QELLoggerTXT& log = target.globals().log();
    log.setVerbosity(2);
    DataDDInt access(target.globals());
    access.ConnectTo(*facility, 24);
    facility->Close();
    access.SetStatus(day(5, 10), 7, 3);
    HashTable<QString> columns;
    EXPECT_FALSE(AdditionalInfoColumns::Read(*facility, 2, columns, log));
    const QString written = TempFolder::Read(log.CurrentFile());
    EXPECT_TRUE(written.contains(" : DataDDInt.SetStatus(): 3709 - ")) << written.toStdString();
    EXPECT_TRUE(written.contains(" : AdditionalInfoColumns.Read(): 3709 - ")) << written.toStdString();
}

INSTANTIATE_FOR_EVERY_TARGET(DataAccess);
