#include "CommonFiles/control/ProgramEntryPoint.h"
#include "support/RecordingPresenter.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

namespace {

struct StartUp : TestInstallation {
    bool start(RunFace face)
    {
        ProgramEntryPoint entry(globals, face, ProcessFacts::Current(folder.path(), {"some", "words"}));
        return entry.Start();
    }
    void storeSettings(const QString& verbosity, const QString& keepDays)
    {
        TempFolder::Write(folder.file("r58213.xml"),
                          "<qelconfigurationxml><spec version=\"1\"/><data><OPTIONS><LOG_VERBOSITY>" +
                              verbosity.toUtf8() + "</LOG_VERBOSITY><KEEP_LOGS_FOR>" + keepDays.toUtf8() +
                              "</KEEP_LOGS_FOR></OPTIONS></data></qelconfigurationxml>");
    }
};

}  // namespace

TEST(ProgramEntryPoint, OnlyNtserviceAloneSelectsTheService)
{
    EXPECT_TRUE(ProgramEntryPoint::IsServiceCommandLine("NTSERVICE"));
    EXPECT_TRUE(ProgramEntryPoint::IsServiceCommandLine("ntservice"));
    EXPECT_TRUE(ProgramEntryPoint::IsServiceCommandLine("NtService"));
    EXPECT_FALSE(ProgramEntryPoint::IsServiceCommandLine("NTSERVICE now"));
    EXPECT_FALSE(ProgramEntryPoint::IsServiceCommandLine(""));
    EXPECT_FALSE(ProgramEntryPoint::IsServiceCommandLine(" NTSERVICE"));
}

TEST(ProgramEntryPoint, StoredLogSettingsAreBroughtIntoRange)
{
    EXPECT_EQ(ProgramEntryPoint::NormalisedVerbosity("12"), 9);
    EXPECT_EQ(ProgramEntryPoint::NormalisedVerbosity("-3"), 0);
    EXPECT_EQ(ProgramEntryPoint::NormalisedVerbosity("abc"), 0);
    EXPECT_EQ(ProgramEntryPoint::NormalisedVerbosity("4"), 4);
    EXPECT_EQ(ProgramEntryPoint::NormalisedVerbosity("99999999"), 9);
    EXPECT_EQ(ProgramEntryPoint::NormalisedKeepDays("3"), 7);
    EXPECT_EQ(ProgramEntryPoint::NormalisedKeepDays("5000"), 1000);
    EXPECT_EQ(ProgramEntryPoint::NormalisedKeepDays("x"), 30);
    EXPECT_EQ(ProgramEntryPoint::NormalisedKeepDays("45"), 45);
}

TEST(ProgramEntryPoint, FirstStartWritesBannerDefaultsAndFacts)
{
    StartUp s;
    s.storeSettings("2", "30");
    ASSERT_TRUE(s.start(RunFace::Interactive));
    EXPECT_TRUE(s.globals.log().CurrentFile().endsWith("/log/03_05_2024__14_07_09_interactive.log"));
    const QString log = s.LogText();
    for (const char* line :
         {"14:07:09 : Korvel Orvex Direct Server-Side Interface to Fischer & Porter\r\n",
          " (Application)  66 (Type) 149 (Platform)\r\n", "14:07:09 : ID: 58213\r\n", "14:07:09 : Running on ",
          "[Log Verbosity is set to 2, Log Date is 3/5/2024]", "will be removed after they are older than 30 days.",
          "COMMAND=some words\r\n", "TASK_VISIBLE=True\r\n", "TASK_UNATTENTED_APP=False\r\n", "HINSTANCE=", "HELPFILE=",
          "Configuration Settings :", "OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN : 03-04-2024 00:00:00",
          "OPTIONS\\NOIU\\ASKFORDATES\\FIX_STARTDATE : 03-04-2024 14:07:09",
          "OPTIONS\\NOIU\\ASKFORDATES\\FIX_ENDDATE : 03-05-2024 14:07:09", "OPTIONS\\INSTANCE_SERVICE_NAME : r58213",
          "R58213\\PREFIX : ALOG0"})
        EXPECT_TRUE(log.contains(QString::fromUtf8(line))) << line;
    EXPECT_LT(log.indexOf("ID: 58213"), log.indexOf("Configuration Settings :"));
    EXPECT_FALSE(QFile::exists(s.folder.file("r58213.log_handle")));
}

TEST(ProgramEntryPoint, CorrectedSettingsShowInTheSameStartsDump)
{
    StartUp s;
    s.storeSettings("12", "5000");
    ASSERT_TRUE(s.start(RunFace::Interactive));
    EXPECT_EQ(s.globals.log().Verbosity(), 9);
    EXPECT_EQ(s.globals.config().item("OPTIONS\\LOG_VERBOSITY"), "9");
    EXPECT_EQ(s.globals.config().item("OPTIONS\\KEEP_LOGS_FOR"), "1000");
    EXPECT_TRUE(s.LogText().contains("OPTIONS\\LOG_VERBOSITY : 9\r\n"));
    EXPECT_TRUE(s.LogText().contains("OPTIONS\\KEEP_LOGS_FOR : 1000\r\n"));
    // Corrections are not changes a person made: nothing asks to be saved.
    EXPECT_FALSE(s.globals.config().ChangeWasMade());
}

TEST(ProgramEntryPoint, ServiceStartIsSilentAndPublishesItsLog)
{
    StartUp s;
    RecordingPresenter presenter;
    s.globals.msgBox().setPresenter(&presenter);
    ASSERT_TRUE(s.start(RunFace::Service));
    EXPECT_TRUE(s.globals.serviceMode());
    EXPECT_TRUE(s.globals.msgBox().SilentOperation());
    EXPECT_TRUE(s.globals.log().CurrentFile().endsWith("_ntservice.log"));
    EXPECT_EQ(TempFolder::Read(s.folder.file("r58213.log_handle")).trimmed(), s.globals.log().CurrentFile());
    EXPECT_TRUE(presenter.shown.isEmpty());
}

TEST(ProgramEntryPoint, UnreadableConfigurationStopsTheInteractiveStartWithAMessage)
{
    StartUp interactive;
    RecordingPresenter presenter;
    interactive.globals.msgBox().setPresenter(&presenter);
    TempFolder::Write(interactive.folder.file("r58213.xml"), "<broken");
    EXPECT_FALSE(interactive.start(RunFace::Interactive));
    EXPECT_EQ(presenter.shown,
              QStringList{"48|Unable to start r58213|Unable to read configuration at " +
                          interactive.folder.file("r58213.xml")});
}

TEST(ProgramEntryPoint, UnreadableConfigurationStopsTheServiceStartWithALoggedMessage)
{
    StartUp service;
    TempFolder::Write(service.folder.file("r58213.xml"), "<other/>");
    EXPECT_FALSE(service.start(RunFace::Service));
    const QString log = service.LogText();
    EXPECT_TRUE(log.contains("ValidateXMLFormat failed in QELConfiguration.ReadConfig()."));
    EXPECT_TRUE(log.contains("PROMPT= Unable to read configuration at " + service.folder.file("r58213.xml")));
    EXPECT_TRUE(log.contains("TITLE= Unable to start r58213"));
}

TEST(ProgramEntryPoint, EncryptionFollowsTheStoredChoice)
{
    StartUp s;
    ASSERT_TRUE(s.start(RunFace::CommandLine));
    EXPECT_FALSE(s.globals.config().EncryptData());
    EXPECT_TRUE(s.globals.log().CurrentFile().endsWith("_cli.log"));
    s.globals.config().setItem("OPTIONS\\ENCRYPT_PROTECT_CONFIG", "Yes");
    ASSERT_TRUE(s.globals.config().SaveConfig());

    StartUp again;
    TempFolder::Write(again.folder.file("r58213.xml"), TempFolder::Read(s.folder.file("r58213.xml")).toUtf8());
    ASSERT_TRUE(again.start(RunFace::CommandLine));
    EXPECT_TRUE(again.globals.config().EncryptData());
}

TEST(ProgramEntryPoint, ASavedUnitConversionComesBackAtTheNextStart)
{
    StartUp s;
    ASSERT_TRUE(s.start(RunFace::CommandLine));
    s.globals.config().setItem("TARGET\\UNITCONVERT\\UNIT7\\FROMUNIT", "ug/l");
    s.globals.config().setItem("TARGET\\UNITCONVERT\\UNIT7\\FACTOR", "0.001");
    ASSERT_TRUE(s.globals.config().SaveConfig());

    StartUp again;
    TempFolder::Write(again.folder.file("r58213.xml"), TempFolder::Read(s.folder.file("r58213.xml")).toUtf8());
    ASSERT_TRUE(again.start(RunFace::CommandLine));
    EXPECT_EQ(again.globals.config().item("TARGET\\UNITCONVERT\\UNIT7\\FROMUNIT"), "ug/l");
    EXPECT_EQ(again.globals.config().item("TARGET\\UNITCONVERT\\UNIT7\\FACTOR"), "0.001");
}
