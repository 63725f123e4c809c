#include "CommonFiles/ui/CommonUISuperUserLogin.h"
#include "CommonFiles/control/SuperUserLogin.h"
#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QLineEdit>

namespace {

struct Login : DemoTarget {
    std::unique_ptr<ado::Connection> root = Open("QELROOT");
    CommonUISuperUserLogin window{globals, [this](const SessionPrompts::Credentials& c) {
                                      return SuperUserLogin::Check(*root, c.user, c.password, globals.log());
                                  }};

    void Type(const QString& user, const QString& password)
    {
        window.findChild<QLineEdit*>("txtUserName")->setText(user);
        window.findChild<QLineEdit*>("txtPassword")->setText(password);
    }
};

}  // namespace

TEST(CommonUISuperUserLogin, EachRefusalIsShownAndTheWindowStaysOpen)
{
    Login login;
    login.Exec("QELROOT", "insert into \"USER\" (USERNAME, PASSWORD, USERTYPE) values ('OPERATOR', 'shift', 'Normal')");
    const QList<QPair<QString, QString>> tries = {
        {"", ""}, {"ADMIN", ""}, {"nobody", "demo"}, {"admin", "wrong"}, {"operator", "SHIFT"}};
    WhenShown([&] {
        for (const auto& [user, password] : tries) {
            login.Type(user, password);
            Press(login.window, "ok");
            EXPECT_TRUE(login.window.isVisible()) << user.toStdString();
        }
        Press(login.window, "cancel");
    });
    EXPECT_FALSE(login.window.AskSuperUser());
    const QString invalid = "48||Access Denied - Invalid Username or Password";
    EXPECT_EQ(login.presenter.shown,
              (QStringList{invalid, invalid, invalid, invalid,
                           "48||Access Denied - You need to have Super User priviledges"}));
}

TEST(CommonUISuperUserLogin, TheRightPasswordInOtherLetterCaseLogsIn)
{
    Login login;
    EXPECT_EQ(login.window.windowTitle(), "Must Provide Korvel Orvex Super User Credentials");
    EXPECT_EQ(login.window.findChild<QLineEdit*>("txtPassword")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(login.window.findChild<QLineEdit*>("txtUserName")->accessibleName(), "Korvel Orvex User Name");
    WhenShown([&] {
        login.Type("admin", "DEMO");
        EXPECT_TRUE(SaveScreenshot(login.window, "super-user-login"));
        Press(login.window, "ok");
    });
    const auto given = login.window.AskSuperUser();
    ASSERT_TRUE(given);
    EXPECT_EQ(given->user, "admin");
    EXPECT_TRUE(login.presenter.shown.isEmpty());
}
