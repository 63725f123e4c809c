#include "CommonFiles/ui/CommonNTControl.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcWatcher.h"
#include "support/Screenshot.h"
#include "ui/ServiceDesk.h"

#include <QGroupBox>
#include <gtest/gtest.h>

namespace Keys = ConfigurationKeyNames;

TEST(CommonNTControl, ShowsTheStateInItsColourOrWhyTheServiceCannotBeWatched)
{
    ServiceDesk desk;
    const struct {
        const char* name;
        const char* load;
        const char* active;
        const char* failure;
        const char* caption;
        QColor colour;
        const char* reason;  // given when the window opens
    } rows[] = {
        {"r58213", "loaded", "active", "", "Running", kRunningGreen, ""},
        {"r58213", "loaded", "inactive", "", "Stopped", kNotRunningRed, ""},
        {"r58213", "loaded", "activating", "", "Start Pending", kNotRunningRed, ""},
        {"r58213", "loaded", "active", "Access denied", "N/A", kNotRunningRed, ""},
        {"   ", "loaded", "active", "", "N/A", kNotRunningRed, "Empty service name provided"},
        {"-Hfoo", "loaded", "active", "", "N/A", kNotRunningRed, "Service not found (-Hfoo)"},
        {"r58213", "not-found", "inactive", "", "N/A", kNotRunningRed, "Service not found (r58213)"},
        {"r58213", "loaded", "active", "Failed to connect to bus: Host is down", "N/A", kNotRunningRed,
         "Unable to connect to service manager"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption + QString(row.reason).toStdString());
        desk.Set(Keys::Options::kInstanceServiceName, row.name);
        desk.systemctl.SetState(row.active, "running", row.load);
        desk.systemctl.FailWith(row.failure);
        desk.presenter.shown.clear();
        auto* window = desk.Open<CommonNTControl>();
        EXPECT_EQ(desk.Status(window)->text(), row.caption);
        EXPECT_EQ(desk.Colour(window), row.colour);
        const QString told =
            "0||Failed to Initialize Service Control for the following reason : \r\n" + QString(row.reason);
        EXPECT_EQ(desk.presenter.shown, *row.reason ? QStringList{told} : QStringList{});
        EXPECT_EQ(desk.Panel(window, "ServiceName"), *row.reason ? "" : row.name);
        EXPECT_EQ(desk.Timer(window, QELntSvcWatcher::kStatusTimerId)->Enabled(), !*row.reason);
    }
    EXPECT_EQ(desk.systemctl.Calls().filter("foo"), QStringList());
}

TEST(CommonNTControl, StartAndStopAreRequestedAndTheLabelFollows)
{
    ServiceDesk desk;
    desk.AddHelpPage("12047");
    desk.Set(Keys::Options::kRefreshStatusSeconds, "0");
    desk.systemctl.SetState("inactive");
    auto* window = desk.Open<CommonNTControl>();
    EXPECT_EQ(window->windowTitle(), "NT Service Status and Control");
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(window->findChild<QGroupBox*>()->title(), "Status");
    EXPECT_EQ(window->findChild<QLabel*>("lblNote")->text(),
              "You must be allowed to manage system services (root, or a polkit rule for this unit) in order to start "
              "or stop services");
    EXPECT_EQ(desk.ToolBar(window),
              (QStringList{"add|Start Service|Attempts to start service", "stop|Stop Service|Attempts to stop service",
                           "help|Help|Displays Help Article", "Close|Close|Closes this form"}));
    desk.Press(window, "help");
    EXPECT_EQ(desk.opened, QStringList{desk.folder.file("help/12047.html")});

    desk.Press(window, "add");
    EXPECT_EQ(desk.systemctl.Calls().mid(1, 2),
              (QStringList{"--no-block start -- r58213.service", FakeSystemctl::Show("r58213.service")}));
    desk.systemctl.SetState("active", "frozen");
    EXPECT_TRUE(QTest::qWaitFor([&] { return desk.Status(window)->text() == "Paused"; }));
    desk.systemctl.SetState("active");
    EXPECT_TRUE(QTest::qWaitFor([&] { return desk.Status(window)->text() == "Running"; }));
    // A screen reader reads the state and the service's name, not only
    // their captions.
    EXPECT_EQ(desk.Status(window)->accessibleName(), "Service Status: Running");
    EXPECT_EQ(desk.Status(window)->accessibleDescription(), "Running");
    EXPECT_EQ(window->findChild<QLabel*>("ServiceName")->accessibleName(),
              "Name of the Service currently monitored: r58213");
    EXPECT_TRUE(SaveScreenshot(*window, "service-status"));
    desk.systemctl.SetState("maintenance");  // a state without a text keeps the colour
    EXPECT_TRUE(QTest::qWaitFor([&] { return desk.Status(window)->text().isEmpty(); }));
    EXPECT_EQ(desk.Colour(window), kRunningGreen);

    desk.Press(window, "stop");
    EXPECT_TRUE(desk.systemctl.Calls().contains("--no-block stop -- r58213.service"));
}

TEST(CommonNTControl, TheStatusPeriodIsKeptBetweenOneAnd99Seconds)
{
    ServiceDesk desk;
    for (const auto& [setting, milliseconds] :
         {std::pair{"0", 1000}, {"500", 99000}, {"x", 99000}, {"7", 7000}, {"99999999999", 99000}}) {
        desk.Set(Keys::Options::kRefreshStatusSeconds, setting);
        auto* window = desk.Open<CommonNTControl>();
        EXPECT_EQ(desk.Timer(window, QELntSvcWatcher::kStatusTimerId)->Interval(), milliseconds) << setting;
    }
}

TEST(CommonNTControl, AClosedWindowIsDestroyedAndPollsNoMore)
{
    ServiceDesk desk;
    desk.Set(Keys::Options::kRefreshStatusSeconds, "0");
    QPointer<QWidget> window = desk.Open<CommonNTControl>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return desk.systemctl.Calls().size() >= 2; }));
    desk.Press(window, "Close");
    EXPECT_TRUE(desk.Destroyed(window));
    const qsizetype calls = desk.systemctl.Calls().size();
    QTest::qWait(1500);
    EXPECT_EQ(desk.systemctl.Calls().size(), calls);
}
