#include "CommonFiles/service/QELntSvcCM.h"
#include "support/FakeSystemctl.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

TEST(QELntSvcCM, EachSystemdStateReadsAsItsStateText)
{
    FakeSystemctl systemctl;
    const struct {
        const char* active;
        const char* freezer;
        const char* load;
        const char* text;
    } states[] = {
        {"inactive", "running", "loaded", "Stopped"},
        {"failed", "running", "loaded", "Stopped"},
        {"activating", "running", "loaded", "Start Pending"},
        {"deactivating", "running", "loaded", "Stop Pending"},
        {"active", "running", "loaded", "Running"},
        {"reloading", "running", "loaded", "Running"},
        {"active", "thawing", "loaded", "Continue Pending"},
        {"active", "freezing", "loaded", "Pause Pending"},
        {"active", "frozen", "loaded", "Paused"},
        {"maintenance", "running", "loaded", ""},
        // systemd answers for an unknown unit as for a stopped one.
        {"inactive", "running", "not-found", "ERROR: Service not found!"},
    };
    for (const auto& s : states) {
        systemctl.SetState(s.active, s.freezer, s.load);
        EXPECT_EQ(QELntSvcCM().ServiceStatus("elsewhere", " r58213 "), s.text) << s.active << " " << s.freezer;
    }
    EXPECT_EQ(systemctl.Calls(), QStringList(std::size(states), FakeSystemctl::Show("r58213.service")));
}

TEST(QELntSvcCM, AQueryThatFailsReadsAsItsErrorText)
{
    FakeSystemctl systemctl;
    systemctl.FailWith("Failed to connect to bus: No such file or directory");
    EXPECT_EQ(QELntSvcCM().ServiceStatus({}, "r58213"), QELntSvcCM::kManagerUnreachable);
    systemctl.FailWith("Access denied");
    EXPECT_EQ(QELntSvcCM().ServiceStatus({}, "r58213"), QELntSvcCM::kStatusUnknown);
    systemctl.Hang();
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(QELntSvcCM(300).ServiceStatus({}, "r58213"), QELntSvcCM::kStatusUnknown);
    EXPECT_LT(waited.elapsed(), 3000);
    systemctl.Vanish();
    EXPECT_EQ(QELntSvcCM().ServiceStatus({}, "r58213"), QELntSvcCM::kManagerUnreachable);
}

TEST(QELntSvcCM, RequestsAreQueuedAndOnlyAUnitNameReachesSystemctl)
{
    FakeSystemctl systemctl;
    const QELntSvcCM manager;
    for (const char* name : {"-Hfoo", " --host=x", "a b", "x;reboot", "../x", "r\xc3\xa9seau", ""}) {
        EXPECT_EQ(manager.ServiceStatus({}, name), QELntSvcCM::kServiceNotFound) << name;
        EXPECT_EQ(manager.vbStartService({}, name), QELntSvcCM::kServiceNotFound) << name;
    }
    const QStringList refusals{manager.vbStartService({}, "r58213"), manager.vbStopService({}, "r58213"),
                               manager.vbPauseService({}, "getty@tty1"),
                               manager.vbContinueService({}, "a-b_c:d.service")};  // in this order
    EXPECT_EQ(refusals, QStringList(4, ""));
    EXPECT_EQ(systemctl.Calls(),
              (QStringList{"--no-block start -- r58213.service", "--no-block stop -- r58213.service",
                           "--no-block freeze -- getty@tty1.service", "--no-block thaw -- a-b_c:d.service"}));
    systemctl.FailWith("Failed to start r58213.service: Access denied");
    EXPECT_EQ(manager.vbStartService({}, "r58213"), "Failed to start r58213.service: Access denied");
}
