#include "CommonFiles/ui/CommonLastRunViewer.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QGuiApplication>
#include <QTableWidget>

namespace {

// The demo target, whose facilities (North first in the grid) have no
// last-run row until a test writes one as the service would.
struct LastRunDates : DemoTarget {
    void AddLastRun(const QString& facility)
    {
        ado::SqlExecution::Run(*Open("QELROOT"),
                               "insert into k5_server_run (INTERFACE_ID, FILENAME, LASTRUN, AUDITUSER, WORKSTATION, "
                               "NETUSER, IP, LOCALPATH) values (4, ?, ?, 'VIA_R58213', 'HOST1', 'svc', '10.1.2.3', "
                               "'/opt/r58213')",
                               {facility, QVariant::fromValue(DateTime::FromParts(2024, 3, 1, 6, 0))});
    }
    void MoveLastRun(const QString& facility, int day)
    {
        ado::SqlExecution::Run(*Open("QELROOT"), "update k5_server_run set LASTRUN = ? where FILENAME = ?",
                               {QVariant::fromValue(DateTime::FromParts(2024, 3, day, 6, 0)), facility});
    }
    QStringList StoredLastRuns()
    {
        QStringList dates;
        for (const LastRunGrid::Row& row : LastRunGrid(globals).FillGrid())
            dates.append(row.lastRun);
        return dates;
    }
};

QTableWidget& Grid(CommonLastRunViewer& viewer)
{
    return *viewer.findChild<QTableWidget*>("fpSpread");
}

QStringList RowTexts(CommonLastRunViewer& viewer, int row)
{
    QStringList texts;
    for (int column = 0; column < Grid(viewer).columnCount(); ++column)
        texts.append(row < 0 ? Grid(viewer).horizontalHeaderItem(column)->text()
                             : Grid(viewer).item(row, column)->text());
    return texts;
}

}  // namespace

TEST(CommonLastRunViewer, ListsEveryFacilityAndOnlyItsDateCanBeEdited)
{
    LastRunDates s;
    s.AddLastRun("NORTHWTP");
    CommonLastRunViewer viewer(s.globals);
    EXPECT_EQ(viewer.windowTitle(), "Last Run Dates");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(RowTexts(viewer, -1),
              (QStringList{"Facility", "Facility ID", "Last Run Date", "Audit User", "Workstation", "Netuser", "IP",
                           "Local Path"}));
    EXPECT_EQ(RowTexts(viewer, 0),
              (QStringList{"North Water Treatment Plant", "NORTHWTP", "3/1/2024 6:00:00 AM", "VIA_R58213", "HOST1",
                           "svc", "10.1.2.3", "/opt/r58213"}));
    EXPECT_EQ(RowTexts(viewer, 1), (QStringList{"South Well Field", "SOUTHWTP", "", "", "", "", "", ""}));
    for (int column = 0; column < Grid(viewer).columnCount(); ++column)
        EXPECT_EQ(Grid(viewer).item(1, column)->flags().testFlag(Qt::ItemIsEditable), column == 2) << column;
    EXPECT_EQ(QPoint(Grid(viewer).currentColumn(), Grid(viewer).currentRow()), QPoint(2, 0));
    viewer.show();
    EXPECT_TRUE(SaveScreenshot(viewer, "last-run-viewer"));
    s.AddHelpPage("12213");
    Press(viewer, "help");
    EXPECT_EQ(s.helpOpened, QStringList{s.globals.HelpFile() + "/12213.html"});
}

// The service goes on advancing dates while the viewer is open.
TEST(CommonLastRunViewer, SavingWritesOnlyTheDatesEditedSinceTheLastSave)
{
    LastRunDates s;
    s.AddLastRun("NORTHWTP");
    s.AddLastRun("SOUTHWTP");
    CommonLastRunViewer viewer(s.globals);
    s.MoveLastRun("NORTHWTP", 5);
    Grid(viewer).item(1, 2)->setText("03-02-2024 07:00:00");
    Press(viewer, "save");
    EXPECT_EQ(s.StoredLastRuns(), (QStringList{"3/5/2024 6:00:00 AM", "3/2/2024 7:00:00 AM"}));

    s.MoveLastRun("SOUTHWTP", 6);
    Press(viewer, "save");
    EXPECT_EQ(s.StoredLastRuns(), (QStringList{"3/5/2024 6:00:00 AM", "3/6/2024 6:00:00 AM"}));

    Grid(viewer).item(0, 2)->setText("soon");
    Grid(viewer).item(1, 2)->setText("03-03-2024 08:00:00");
    Press(viewer, "save");
    EXPECT_EQ(s.StoredLastRuns(), (QStringList{"3/5/2024 6:00:00 AM", "3/3/2024 8:00:00 AM"}));
    EXPECT_EQ(s.presenter.shown,
              (QStringList{"64||Saved successfully", "64||Saved successfully", "48||Unable to save last run dates"}));
}

TEST(CommonLastRunViewer, ABrokenConnectionIsReportedAndLeavesTheGridEmpty)
{
    LastRunDates s;
    s.globals.config().setItem(ConfigurationKeyNames::KorvelOrvex::kConnectionDataSource, s.folder.file("gone"));
    CommonLastRunViewer viewer(s.globals);
    EXPECT_EQ(Grid(viewer).rowCount(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Press(viewer, "save");
    ASSERT_EQ(s.presenter.shown.size(), 2);
    EXPECT_TRUE(s.presenter.shown[0].startsWith("48||Unable to read last run dates from Korvel Orvex\r\n"));
    EXPECT_EQ(s.presenter.shown[1], "48||Unable to save last run dates");
}
