#include "CommonFiles/ui/CommonConfigCollector.h"
#include "support/RecordingActivitySink.h"
#include "ui/SettingsWindow.h"

#include <QComboBox>

namespace {

const QString kInterfaceId = "KORVELORVEX\\K5_SERVER_INTERFACE_ID";

// The demo target with a second collector of this program beside the
// demo's own, number 4.
struct CollectorWindow : SettingsWindow<CommonConfigCollector> {
    RecordingActivitySink activity;

    CollectorWindow()
    {
        globals.setActivitySink(&activity);
        Exec("QELROOT",
             "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION, ENABLED, COLLECTOR_DATEADJUST, "
             "COLLECTOR_QELTIMEZONEID, LU_ID, LU_VERSION, AUDITUSER, AUDITTIMESTAMP) values "
             "(11, 'East reservoir loggers', '', -1, 0, 1, 58213, '1.0.0', 'TEST', "
             "'2026-01-01 00:00:00')");
    }
    QComboBox& List() { return *window->findChild<QComboBox*>("dbCollector"); }
    QStringList Names()
    {
        QStringList names;
        for (int i = 0; i < List().count(); ++i)
            names << List().itemText(i);
        return names;
    }
};

}  // namespace

TEST(CommonConfigCollector, ListsTheCollectorsWithTheStoredOneChosenAndDesignatesTheChoice)
{
    CollectorWindow s;
    s.Open();
    EXPECT_EQ(s.window->windowTitle(), "Collector Configuration");
    EXPECT_EQ(s.Names(), (QStringList{"East reservoir loggers", "Fischer and Porter loggers"}));
    EXPECT_EQ(s.List().currentText(), "Fischer and Porter loggers");
    EXPECT_EQ(s.List().accessibleName(), "Which Korvel Orvex K5 Interface Am I ?");
    s.Screenshot("collector-configuration");

    s.List().setCurrentIndex(0);
    s.Press("close");
    EXPECT_EQ(s.Stored(kInterfaceId), "4");
    s.Press("save");
    EXPECT_EQ(s.Stored(kInterfaceId), "11");
    const QStringList designated = s.activity.lines.filter("designated");
    ASSERT_EQ(designated.size(), 1);
    EXPECT_TRUE(designated[0].endsWith("This Collector is now designated as : East reservoir loggers"));
    EXPECT_TRUE(s.Saved().contains(">11<"));
}

TEST(CommonConfigCollector, AnUnreachableTargetLeavesTheCollectorAsItWas)
{
    CollectorWindow s;
    s.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", s.folder.file("gone"));
    s.Open();
    EXPECT_EQ(s.List().count(), 0);
    ASSERT_EQ(s.presenter.shown.size(), 1);
    EXPECT_TRUE(s.presenter.shown[0].startsWith("48|Failed to connect to Korvel Orvex|Error :\r\n"));
    s.Press("check");
    EXPECT_EQ(s.Stored(kInterfaceId), "4");
    EXPECT_TRUE(s.activity.lines.filter("designated").isEmpty());
}
