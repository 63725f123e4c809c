#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigPasswordPrompt.h"
#include "support/RecordingActivitySink.h"
#include "support/RecordingPresenter.h"
#include "support/TestInstallation.h"

#include <deque>
#include <gtest/gtest.h>

namespace {

class ScriptedPasswords : public ConfigPasswordPrompt {
public:
    explicit ScriptedPasswords(std::deque<std::optional<QString>> answers) : m_answers(std::move(answers)) {}
    std::optional<QString> AskConfigurationPassword() override
    {
        ++asked;
        if (m_answers.empty())
            return std::nullopt;
        auto answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    int asked = 0;

private:
    std::deque<std::optional<QString>> m_answers;
};

struct Installation : TestInstallation {
    Installation()
    {
        OpenLog(0);
        LoadConfiguration();
    }
};

}  // namespace

TEST(CommonGlobals, DatabaseDateLiteralFollowsTheTargetType)
{
    Installation inst;
    const DateTime when = DateTime::FromParts(2024, 3, 5, 14, 7, 9);
    inst.globals.setTargetDbType(TargetDbType::Oracle);
    EXPECT_EQ(inst.globals.ToDbDateLiteral(when), "TO_DATE('05-Mar-2024 02:07:09 PM','dd-Mon-yyyy HH:MI:SS AM')");
    inst.globals.setTargetDbType(TargetDbType::SqlServer);
    EXPECT_EQ(inst.globals.ToDbDateLiteral(when), "'2024-03-05 14:07:09'");
    inst.globals.setTargetDbType(static_cast<TargetDbType>(3));
    EXPECT_EQ(inst.globals.ToDbDateLiteral(when), "");
}

TEST(CommonGlobals, AuditUserIsTheWriteAsUserOrTheInterface)
{
    Installation inst;
    EXPECT_EQ(inst.globals.AuditUserName(), "VIA_R58213");
    inst.globals.setWriteAsUser("OPERATOR7");
    EXPECT_EQ(inst.globals.AuditUserName(), "OPERATOR7");
}

TEST(CommonGlobals, ActivityReachesTheListByVerbosityAndTheLogAlways)
{
    Installation inst;
    RecordingActivitySink sink;
    inst.globals.setActivitySink(&sink);
    inst.globals.WriteActivity("always shown", 0);
    inst.globals.WriteActivity("detail", 1);
    EXPECT_EQ(sink.lines, QStringList{"always shown"});
    EXPECT_TRUE(inst.LogText().contains("always shown"));

    inst.globals.setServiceMode(true);
    inst.globals.WriteActivity("service line", 0);
    EXPECT_EQ(sink.lines.size(), 1);
    EXPECT_TRUE(inst.LogText().contains("14:07:09 : service line"));
}

TEST(CommonGlobals, ActivityListIsEmptiedPastItsLimits)
{
    Installation inst;
    RecordingActivitySink sink;
    inst.globals.setActivitySink(&sink);
    for (int i = 0; i < 20000; ++i)
        sink.lines.append("old");
    inst.globals.WriteActivity("line 20001", 0);
    EXPECT_TRUE(sink.lines.isEmpty());

    sink.lines.clear();
    for (int i = 0; i < 32001; ++i)
        sink.lines.append("old");
    sink.clears = 0;
    inst.globals.WriteActivity("fresh", 0);
    EXPECT_EQ(sink.lines, QStringList{"fresh"});
    EXPECT_EQ(sink.clears, 1);
}

TEST(CommonGlobals, SaveConfigurationOnlyWhenSomethingChanged)
{
    Installation inst;
    RecordingActivitySink sink;
    inst.globals.setActivitySink(&sink);
    TempFolder::Write(inst.globals.config().path(), "not touched");
    EXPECT_TRUE(inst.globals.SaveConfiguration());
    EXPECT_EQ(TempFolder::Read(inst.globals.config().path()), "not touched");

    inst.globals.config().setItem("OPTIONS\\ENCRYPT_PROTECT_CONFIG", "yes");
    EXPECT_TRUE(inst.globals.SaveConfiguration());
    EXPECT_TRUE(inst.globals.config().EncryptData());
    EXPECT_TRUE(TempFolder::Read(inst.globals.config().path()).contains("encrypted=\"True\""));
    EXPECT_EQ(sink.lines.last(), "Configuration saved to " + inst.globals.config().path());
}

TEST(CommonGlobals, ProtectedConfigurationNeedsItsPassword)
{
    Installation inst;
    RecordingPresenter presenter;
    inst.globals.msgBox().setPresenter(&presenter);
    inst.globals.config().setItem("OPTIONS\\PASSWORD_PROTECT_CONFIG", "YES");

    ScriptedPasswords cancelled({std::nullopt});
    inst.globals.setPasswordPrompt(&cancelled);
    EXPECT_FALSE(inst.globals.SaveConfiguration());

    ScriptedPasswords wrongThenRight({QString("1234"), QString("48170")});
    inst.globals.setPasswordPrompt(&wrongThenRight);
    EXPECT_TRUE(inst.globals.SaveConfiguration());
    EXPECT_EQ(wrongThenRight.asked, 2);
    EXPECT_EQ(presenter.shown, QStringList{"48|Invalid Password|Provided Current Password is invalid"});

    // Switching protection off is judged by the saved file: it needs the
    // password too. Only the exact "YES" protects.
    inst.globals.config().setItem("OPTIONS\\PASSWORD_PROTECT_CONFIG", "yes");
    inst.globals.setPasswordPrompt(nullptr);
    EXPECT_FALSE(inst.globals.SaveConfiguration());
    ScriptedPasswords right({QString("48170")});
    inst.globals.setPasswordPrompt(&right);
    inst.globals.config().setItem("OPTIONS\\PASSWORD_PROTECT_CONFIG", "yes");
    EXPECT_TRUE(inst.globals.SaveConfiguration());
    inst.globals.setPasswordPrompt(nullptr);
    inst.globals.config().setItem("OPTIONS\\ENCRYPT_PROTECT_CONFIG", "NO");
    EXPECT_TRUE(inst.globals.SaveConfiguration());
}

TEST(CommonGlobals, HelpTopicsArePagesInTheHelpFolder)
{
    Installation inst;
    QString opened;
    bool viewerWorks = true;
    inst.globals.setHelpOpener([&](const QString& page) {
        opened = page;
        return viewerWorks;
    });
    ASSERT_TRUE(QDir(inst.folder.path()).mkdir("help"));
    TempFolder::Write(inst.folder.file("help/2O6T2M.html"), "<html></html>");
    EXPECT_FALSE(inst.globals.ShowHelpTopic("2O6T2M"));
    EXPECT_TRUE(opened.isEmpty());  // no help folder set yet
    inst.globals.SetHelpFile();
    EXPECT_EQ(inst.globals.HelpFile(), inst.folder.path() + "/help");
    EXPECT_TRUE(inst.globals.ShowHelpTopic("2O6T2M"));
    EXPECT_EQ(opened, inst.folder.path() + "/help/2O6T2M.html");
    // A topic without a page never reaches the viewer; a failing viewer is reported.
    EXPECT_FALSE(inst.globals.ShowHelpTopic("12999"));
    EXPECT_EQ(opened, inst.folder.path() + "/help/2O6T2M.html");
    viewerWorks = false;
    EXPECT_FALSE(inst.globals.ShowHelpTopic("2O6T2M"));
}
