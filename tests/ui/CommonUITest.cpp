#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/ui/CommonUI.h"
#include "support/Screenshot.h"
#include "support/TestInstallation.h"

#include <QListWidget>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct InteractiveStart : TestInstallation {
    CommonUI window{globals};

    InteractiveStart()
    {
        ProgramEntryPoint entry(globals, RunFace::Interactive, ProcessFacts::Current(folder.path(), {}));
        EXPECT_TRUE(entry.Start());
        globals.setActivitySink(&window);
    }
    QListWidget* list() { return window.findChild<QListWidget*>("lstActivityLog"); }
    QStringList lines()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out.append(list()->item(i)->text());
        return out;
    }
};

}  // namespace

TEST(CommonUI, ShowsItsCaptionAndTheActivityList)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    EXPECT_TRUE(s.window.isVisible());
    EXPECT_EQ(s.window.windowTitle(),
              "R58213 Korvel Orvex Direct Server-Side Interface to Fischer & Porter v1.0.0 - Interactive Mode");
    ASSERT_NE(s.list(), nullptr);
    EXPECT_EQ(s.window.centralWidget(), s.list());
    EXPECT_EQ(s.list()->toolTip(), "Interactive Activity Log");
    EXPECT_TRUE(SaveScreenshot(s.window, "main-window"));
}

TEST(CommonUI, UndesignatedCollectorWarningGoesToTheListOnly)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    const QStringList lines = s.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Configuration loaded from " + s.folder.file("r58213.xml"));
    EXPECT_TRUE(lines[1].startsWith("WARNING : No designation has been made for this collector instance."));
    EXPECT_EQ(lines[2], "Go to 'Help\\Chapters\\Step-by-step Configuration Instructions' for configuration help");
    const QString log = s.LogText();
    EXPECT_TRUE(log.contains("Configuration loaded from "));
    EXPECT_FALSE(log.contains("WARNING : No designation"));

    s.globals.config().setItem("KORVELORVEX\\K5_SERVER_INTERFACE_ID", "4");
    s.window.LoadActivity();
    EXPECT_EQ(s.lines().size(), 1);
}

TEST(CommonUI, ActivityLinesFollowVerbosityAndAClickShowsTheLine)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    s.globals.WriteActivity("Import was successful.", 0);
    s.globals.WriteActivity("a detail", 1);
    EXPECT_EQ(s.lines().last(), "Import was successful.");
    EXPECT_EQ(s.list()->currentRow(), s.list()->count() - 1);

    QListWidgetItem* first = s.list()->item(0);
    QTest::mouseClick(s.list()->viewport(), Qt::LeftButton, {}, s.list()->visualItemRect(first).center());
    EXPECT_EQ(s.window.statusBar()->currentMessage(), first->text());
}
