#include "CommonFiles/ui/CustomConfig.h"
#include "source/CustomConfiguration.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The source settings on a fresh configuration, with a folder chooser that
// gives the folder the test has the person choose.
struct SourceSettings : InteractiveInstallation {
    RecordingPresenter presenter;
    CustomConfig window{globals};
    QString chosen;
    QStringList asked;

    SourceSettings()
    {
        globals.msgBox().setPresenter(&presenter);
        window.setFolderChooser([this](QWidget* owner, const QString& title) {
            EXPECT_EQ(owner, &window);
            asked.append(title);
            return chosen;
        });
    }
    QLineEdit& Box(const char* name) { return *window.findChild<QLineEdit*>(name); }
    void Press(const char* key) { window.findChild<QAbstractButton*>(key)->click(); }
};

}  // namespace

TEST(CustomConfig, OpensOnTheStoredSettingsAndAppliesThemAsTyped)
{
    SourceSettings s;
    EXPECT_EQ(s.window.windowTitle(), "Source Configuration");
    EXPECT_EQ(QStringList({s.Box("txtFilePrefix").text(), s.Box("txtFileExt").text(), s.Box("txtPath").text()}),
              (QStringList{"ALOG0", "CSV", ""}));
    QStringList toolbar;
    for (const char* key : {"check", "save", "help", "close"})
        toolbar << s.window.findChild<QToolButton*>(key)->accessibleName() + ": " +
                s.window.findChild<QAction*>(key)->toolTip();
    EXPECT_EQ(toolbar,
              (QStringList{"Apply Settings: Applies settings (but does not save into configuration XML)",
                           "Save Settings: Applies Settings and Saves them into Configuration XML",
                           "Help: Displays Help Article", "Close: Closes this form"}));
    s.Box("txtPath").setText("/srv/r58213/data");
    s.window.show();
    EXPECT_TRUE(SaveScreenshot(s.window, "source-configuration"));

    s.Box("txtFilePrefix").clear();
    s.Box("txtFileExt").setText("dat");
    s.Press("check");
    const QELConfiguration& config = s.globals.config();
    EXPECT_EQ(QStringList({config.item(CustomConfiguration::kPrefixKey), config.item(CustomConfiguration::kExtKey),
                           config.item(CustomConfiguration::kPathKey)}),
              (QStringList{"", "dat", "/srv/r58213/data"}));
    EXPECT_FALSE(TempFolder::Read(config.path()).contains("/srv/r58213/data"));
    s.Press("save");
    EXPECT_TRUE(TempFolder::Read(config.path()).contains("/srv/r58213/data"));
    EXPECT_EQ(s.presenter.shown, QStringList{"64||Saved successfully"});
}

// Each folder has its own Browse; a cancel keeps what the box holds.
TEST(CustomConfig, BrowseTakesTheChosenFolderAndACancelKeepsThePath)
{
    SourceSettings s;
    s.chosen = "/srv/loggers";
    s.Press("btnBrowse");
    s.chosen = "/srv/logger-archive";
    s.Press("btnBrowseArchive");
    s.chosen.clear();
    s.Press("btnBrowse");
    s.Press("btnBrowseArchive");
    EXPECT_EQ(s.Box("txtPath").text(), "/srv/loggers");
    EXPECT_EQ(s.Box("txtArchive").text(), "/srv/logger-archive");
    EXPECT_EQ(s.asked,
              (QStringList{"Please Select a Folder", "Please Select the Archive Folder", "Please Select a Folder",
                           "Please Select the Archive Folder"}));
    s.Press("check");
    EXPECT_EQ(s.globals.config().item(CustomConfiguration::kArchiveKey), "/srv/logger-archive");
}

TEST(CustomConfig, HelpOpensItsPageOrSaysItCannot)
{
    SourceSettings s;
    s.Press("help");
    EXPECT_EQ(s.presenter.shown, QStringList{"48||Unable to display help"});
    s.AddHelpPage("12087");
    s.Press("help");
    EXPECT_EQ(s.helpOpened, QStringList{s.globals.HelpFile() + "/12087.html"});
}
