#include "CommonFiles/ui/CommonAskForConfigPassword.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/QtConfigPasswordPrompt.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// A configuration protected with its default password (48170), saved
// while a person acts on the password dialog.
struct ProtectedConfiguration : InteractiveInstallation {
    RecordingPresenter presenter;
    QtConfigPasswordPrompt prompt{globals};

    ProtectedConfiguration()
    {
        globals.msgBox().setPresenter(&presenter);
        globals.setPasswordPrompt(&prompt);
        globals.config().setItem(ConfigurationKeyNames::Options::kPasswordProtectConfig, "YES");
    }
    bool SaveAnswering(std::function<void(CommonAskForConfigPassword&)> person)
    {
        QTimer::singleShot(
            0, [person] { person(*qobject_cast<CommonAskForConfigPassword*>(QApplication::activeModalWidget())); });
        return globals.SaveConfiguration();
    }
    bool Saved() { return TempFolder::Read(globals.log().CurrentFile()).contains("Configuration saved to "); }
};

void Press(QWidget& dialog, const QString& button)
{
    dialog.findChild<QPushButton*>(button)->click();
}

void Type(QWidget& dialog, const QString& password)
{
    auto* field = dialog.findChild<QLineEdit*>("txtPassword");
    field->clear();
    QTest::keyClicks(field, password);
    Press(dialog, "ok");
}

}  // namespace

TEST(CommonAskForConfigPassword, AWrongPasswordKeepsTheDialogAndTheRightOneSaves)
{
    ProtectedConfiguration c;
    bool keptOpen = false;
    EXPECT_TRUE(c.SaveAnswering([&](CommonAskForConfigPassword& dialog) {
        Type(dialog, "48171");
        keptOpen = dialog.isVisible() && dialog.CancelPressed();
        EXPECT_TRUE(SaveScreenshot(dialog, "config-password"));
        Type(dialog, "48170");
    }));
    EXPECT_TRUE(keptOpen);
    // Refused once, by the dialog; the save does not refuse it again.
    EXPECT_EQ(c.presenter.shown, QStringList{"48|Invalid Password|Provided Current Password is invalid"});
    EXPECT_TRUE(c.Saved());
}

TEST(CommonAskForConfigPassword, CancelSavesNothingAndHelpThatCannotOpenSaysSo)
{
    ProtectedConfiguration c;
    EXPECT_FALSE(c.SaveAnswering([](CommonAskForConfigPassword& dialog) {
        Press(dialog, "help");
        Press(dialog, "cancel");
    }));
    EXPECT_FALSE(c.Saved());
    EXPECT_EQ(c.presenter.shown, QStringList{"48||Unable to display help"});
}
