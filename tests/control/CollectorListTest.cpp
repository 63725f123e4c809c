#include "CommonFiles/control/CollectorList.h"
#include "CommonFiles/control/ConnectionTest.h"
#include "dbsupport/TargetFixture.h"
#include "support/RecordingActivitySink.h"
#include "support/RecordingPresenter.h"

namespace {

const QString kInterfaceId = "KORVELORVEX\\K5_SERVER_INTERFACE_ID";

// A target with three collectors of this program, given out of name order,
// and one of another program.
class ConfigurationTarget : public ::testing::TestWithParam<TargetKind> {
protected:
    ConfigurationTarget() : target(GetParam())
    {
        target.CreateRoot();
        auto root = target.OpenRoot();
        const QString insert = "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION, ENABLED, COLLECTOR_DATEADJUST, "
                               "COLLECTOR_QELTIMEZONEID, LU_ID, LU_VERSION, AUDITUSER, AUDITTIMESTAMP) values "
                               "(?, ?, '', -1, 0, 1, ?, '1.0.0', 'TEST', ?)";
        const QVariant now = QVariant::fromValue(target.clock().now());
        target.Exec(*root, insert, {4, "west loggers", 58213, now});
        target.Exec(*root, insert, {7, "East loggers", 58213, now});
        target.Exec(*root, insert, {9, "Another program", 11111, now});
        target.Exec(*root, insert, {2, "Zone 3", 58213, now});
        target.globals().msgBox().setPresenter(&presenter);
        target.globals().setActivitySink(&activity);
    }

    TargetFixture target;
    RecordingPresenter presenter;
    RecordingActivitySink activity;
};

}  // namespace

TEST_P(ConfigurationTarget, CollectorsOfThisProgramAreListedByNameAndTheStoredOneChosen)
{
    CollectorList list(target.globals());
    target.globals().config().setItem(kInterfaceId, "4");
    const auto entries = list.Read();
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 3);
    EXPECT_EQ(entries->at(0).name + entries->at(1).name + entries->at(2).name, "East loggerswest loggersZone 3");
    EXPECT_EQ(entries->at(2).interfaceId, 2);
    EXPECT_EQ(entries->at(0).luVersion, "1.0.0");
    EXPECT_EQ(list.StoredIndex(*entries), 1);

    // No selection, or an empty list: nothing changes.
    EXPECT_FALSE(list.Designate(*entries, -1) || list.Designate({}, 0));
    EXPECT_EQ(target.globals().config().item(kInterfaceId), "4");
    EXPECT_TRUE(activity.lines.filter("designated").isEmpty());

    EXPECT_TRUE(list.Designate(*entries, 2));
    EXPECT_EQ(target.globals().config().item(kInterfaceId), "2");
    EXPECT_TRUE(activity.lines.last().endsWith("This Collector is now designated as : Zone 3"));
    EXPECT_TRUE(target.LogText().contains("This Collector is now designated as : Zone 3"));

    target.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", "");
    EXPECT_FALSE(list.Read().has_value());
    EXPECT_EQ(presenter.shown.last(), "48||Unable to init Korvel Orvex Connection Manager");
}

TEST_P(ConfigurationTarget, ConnectionTestTriesTheGivenSettings)
{
    ConnectionTest test(target.globals());
    ConnectionTest::Settings settings{TargetDbType::SqlServer, target.provider(), target.dataSource(), "", 5, 5};
    const ConnectionTest::Result ok = test.Run(settings);
    EXPECT_EQ(ok.outcome, ConnectionTest::Outcome::Ok);
    EXPECT_EQ(ConnectionTest::MessageText(ok), "Connection to Korvel Orvex was successful.");
    EXPECT_EQ(ConnectionTest::MessageTitle(ok), "Connection successful");

    settings.dataSource = GetParam() == ado::Backend::Sqlite ? target.folder().file("empty") : "127.0.0.1:9";
    const ConnectionTest::Result failed = test.Run(settings);
    EXPECT_EQ(failed.outcome, ConnectionTest::Outcome::OpenFailed);
    EXPECT_FALSE(failed.errorText.isEmpty());
    EXPECT_EQ(ConnectionTest::MessageText(failed), "Connection Error :\r\n" + failed.errorText);
    EXPECT_EQ(ConnectionTest::MessageTitle(failed), "Connection test failed");

    settings.provider = "";
    const ConnectionTest::Result init = test.Run(settings);
    EXPECT_EQ(init.outcome, ConnectionTest::Outcome::InitFailed);
    EXPECT_EQ(ConnectionTest::MessageText(init), "Connection Init Failed");
}

INSTANTIATE_FOR_EVERY_TARGET(ConfigurationTarget);
