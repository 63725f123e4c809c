#include "CommonFiles/control/LastRunGrid.h"
#include "dbsupport/TargetFixture.h"
#include "platform/ado/Recordset.h"
#include "support/RecordingPresenter.h"

namespace {

class LastRunViewer : public ::testing::TestWithParam<TargetKind> {
protected:
    LastRunViewer() : target(GetParam())
    {
        target.CreateRoot();
        root = target.OpenRoot();
        for (const char* facility : {"PLANT1", "PLANT2"}) {
            target.CreateFacility(facility);
            target.Exec(*root, "insert into FACILITY (FILENAME, NAME) values (?, ?)",
                        {QString(facility).toLower(), QString("%1 works").arg(facility)});
            auto connection = target.OpenFacility(facility);
            target.Exec(*connection,
                        "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, K5_INTERFACE_ID, K5_ENABLED) "
                        "values (1, 1, 'Flow', 'H', 4, -1)");
        }
        target.globals().config().setItem("KORVELORVEX\\K5_SERVER_INTERFACE_ID", "4");
        target.globals().msgBox().setPresenter(&presenter);
    }

    LastRunGrid::Row RowOf(const QList<LastRunGrid::Row>& rows, const QString& id)
    {
        for (const LastRunGrid::Row& row : rows)
            if (row.facilityId == id)
                return row;
        return {};
    }

    TargetFixture target;
    std::unique_ptr<ado::Connection> root;
    RecordingPresenter presenter;
};

}  // namespace

TEST_P(LastRunViewer, ListsEveryLinkedFacilityWithItsRow)
{
    target.Exec(*root,
                "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN, AUDITUSER, WORKSTATION, NETUSER, IP, "
                "LOCALPATH) values (4, 'PLANT1', ?, 'VIA_R58213', 'HOST1', 'svc', '10.1.2.3', '/opt/r58213')",
                {QVariant::fromValue(DateTime::FromParts(2024, 3, 1, 6, 0))});
    LastRunGrid grid(target.globals());
    const QList<LastRunGrid::Row> rows = grid.FillGrid();
    ASSERT_EQ(rows.size(), 2);
    const LastRunGrid::Row one = RowOf(rows, "PLANT1");
    EXPECT_EQ(one.facility, "PLANT1 works");
    EXPECT_EQ(one.lastRun, "3/1/2024 6:00:00 AM");
    EXPECT_EQ(one.workStation, "HOST1");
    EXPECT_EQ(one.localPath, "/opt/r58213");
    const LastRunGrid::Row two = RowOf(rows, "PLANT2");
    EXPECT_EQ(two.facility, "PLANT2 works");
    EXPECT_TRUE(two.lastRun.isEmpty());
    EXPECT_TRUE(two.auditUser.isEmpty());
}

TEST_P(LastRunViewer, SavingWritesDatesAndReportsTextThatIsNoDate)
{
    LastRunGrid grid(target.globals());
    QList<LastRunGrid::Row> rows = grid.FillGrid();
    ASSERT_EQ(rows.size(), 2);
    for (LastRunGrid::Row& row : rows)
        row.lastRun = row.facilityId == "PLANT1" ? "03-02-2024 07:00:00" : "";
    EXPECT_TRUE(grid.SaveGrid(rows));
    EXPECT_EQ(RowOf(grid.FillGrid(), "PLANT1").lastRun, "3/2/2024 7:00:00 AM");
    EXPECT_TRUE(RowOf(grid.FillGrid(), "PLANT2").lastRun.isEmpty());  // an empty cell changes nothing

    for (LastRunGrid::Row& row : rows)
        row.lastRun = row.facilityId == "PLANT1" ? "soon" : "2024-03-03 08:00";
    EXPECT_FALSE(grid.SaveGrid(rows));
    const QList<LastRunGrid::Row> after = grid.FillGrid();
    EXPECT_EQ(RowOf(after, "PLANT1").lastRun, "3/2/2024 7:00:00 AM");
    EXPECT_EQ(RowOf(after, "PLANT2").lastRun, "3/3/2024 8:00:00 AM");
    EXPECT_FALSE(grid.SaveGrid({}));
}

INSTANTIATE_FOR_EVERY_TARGET(LastRunViewer);
