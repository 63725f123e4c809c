#include "support/CliRun.h"
#include "support/FakeSystemctl.h"
#include "support/TempFolder.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString allLogs(const TempFolder& home)
{
    QString text;
    const QStringList names = TempFolder::Files(home.file("log"));
    for (const QString& name : names)
        text += TempFolder::Read(home.file("log/" + name));
    return text;
}

QStringList dumpLines(const CliRun& run)
{
    return run.out.split('\n', Qt::SkipEmptyParts);
}

QString value(const TempFolder& home, const QString& key)
{
    return RunCli(home, {"config", "get", key}).out.trimmed();
}

}  // namespace

TEST(R58213Cli, ConfigDumpInAnEmptyFolderCreatesTheFullConfiguration)
{
    TempFolder home;
    const CliRun run = RunCli(home, {"config", "dump"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = dumpLines(run);
    // The start-up and source keys, the unit conversion table (its switch
    // and 100 rows of four keys), then the additional-info map (two
    // switches and 512 rows of three keys).
    EXPECT_EQ(lines.size(), 64 + 1 + 100 * 4 + 2 + 512 * 3);
    for (const char* line :
         {"OPTIONS : ", "OPTIONS\\LOG_VERBOSITY : 0", "OPTIONS\\KEEP_LOGS_FOR : 30",
          "OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD : ********",
          "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE : 10",
          "SOURCE\\CACHE\\LIMIT_BY_BYTES_SETPOINT : 483840", "OPTIONS\\PERFORMANCE\\WRITE_BATCH_SLOTS : 500",
          "TARGET\\RECOVERY\\SECONDS : 10", "KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER : SQLNCLI",
          "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE : type_in_name_of_your_datasource",
          "KORVELORVEX\\K5_INDIRECT_TYPE : FALSE", "R58213\\PREFIX : ALOG0", "R58213\\EXT : CSV", "R58213\\PATH : ",
          "R58213\\ARCHIVE : ", "TARGET\\UNITCONVERT\\ENABLED : TRUE", "TARGET\\AINFO\\MAP512\\ENABLED : FALSE"})
        EXPECT_EQ(lines.count(QString(line)), 1) << line;
    EXPECT_LT(lines.indexOf("OPTIONS\\LOG_VERBOSITY : 0"), lines.indexOf("OPTIONS : "));

    QDomDocument document;
    ASSERT_TRUE(document.setContent(TempFolder::Read(home.file("r58213.xml"))));
    const QDomElement root = document.documentElement();
    EXPECT_EQ(root.tagName(), "qelconfigurationxml");
    EXPECT_EQ(root.firstChildElement("spec").attribute("version"), "1");
    EXPECT_EQ(root.firstChildElement("spec").attribute("encrypted"), "False");
    EXPECT_EQ(root.firstChildElement("data")
                  .firstChildElement("OPTIONS")
                  .firstChildElement("AUTOMATED_IMPORT")
                  .firstChildElement("SCHEDULE")
                  .firstChildElement("DAILY_HOUR")
                  .text(),
              "0");

    const QStringList logs = TempFolder::Files(home.file("log"));
    ASSERT_EQ(logs.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d\\d_\\d\\d_\\d{4}__\\d\\d_\\d\\d_\\d\\d_cli\\.log$").match(logs[0]).hasMatch());
    const QString log = TempFolder::Read(home.file("log/" + logs[0]));
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d : Korvel Orvex").match(log).hasMatch());
    EXPECT_TRUE(log.contains(" : Configuration file does not exist at " + home.file("r58213.xml") + "\r\n"));
    EXPECT_TRUE(log.contains(" : Attempting to create a default configuration file...\r\n"));
    EXPECT_TRUE(log.contains(" : Default configuration file successfully created.\r\n"));
    EXPECT_FALSE(QFile::exists(home.file("r58213.log_handle")));
}

TEST(R58213Cli, StoredLogSettingsAreCorrectedAtEveryStart)
{
    TempFolder home;
    // A value that is not a number is refused (exit 1) and the previous one kept.
    const struct {
        const char* key;
        const char* stored;
        const char* used;
        int status;
    } cases[] = {{"OPTIONS\\LOG_VERBOSITY", "12", "9", 0},      {"OPTIONS\\LOG_VERBOSITY", "-3", "0", 0},
                 {"OPTIONS\\LOG_VERBOSITY", "abc", "0", 1},     {"OPTIONS\\KEEP_LOGS_FOR", "3", "7", 0},
                 {"OPTIONS\\KEEP_LOGS_FOR", "5000", "1000", 0}, {"OPTIONS\\KEEP_LOGS_FOR", "x", "1000", 1}};
    for (const auto& c : cases) {
        ASSERT_EQ(RunCli(home, {"config", "set", c.key, c.stored}).status, c.status);
        const QStringList lines = dumpLines(RunCli(home, {"config", "dump"}));
        EXPECT_TRUE(lines.contains(QString(c.key) + " : " + c.used)) << c.key << " " << c.stored;
    }
    // With verbosity above 1 the corrected value is in that start's own log dump.
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\LOG_VERBOSITY", "12"}).status, 0);
    RunCli(home, {"config", "dump"});
    QStringList logs = TempFolder::Files(home.file("log"));
    bool found = false;
    for (const QString& name : logs)
        found = found || TempFolder::Read(home.file("log/" + name)).contains(" : OPTIONS\\LOG_VERBOSITY : 9\r\n");
    EXPECT_TRUE(found);
}

TEST(R58213Cli, EnciphersTheConfigurationAndReadsItBack)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "set", "R58213\\PATH", "/srv/loggers/plant 1", "R58213\\PREFIX", "PLANT"}).status,
              0);
    const CliRun set = RunCli(home, {"config", "set", "OPTIONS\\ENCRYPT_PROTECT_CONFIG", "YES"});
    ASSERT_EQ(set.status, 0);
    EXPECT_TRUE(set.out.contains("Configuration saved to " + home.file("r58213.xml")));

    const QString file = TempFolder::Read(home.file("r58213.xml"));
    EXPECT_TRUE(file.contains("encrypted=\"True\""));
    const QString data = file.mid(file.indexOf("<data>"));
    for (const char* secret : {"OPTIONS", "R58213", "PLANT", "loggers", "48170", "SQLNCLI", "ENCRYPT"})
        EXPECT_FALSE(data.contains(secret)) << secret;

    EXPECT_EQ(value(home, "R58213\\PATH"), "/srv/loggers/plant 1");
    EXPECT_EQ(value(home, "r58213\\prefix"), "PLANT");
    EXPECT_EQ(value(home, "OPTIONS\\ENCRYPT_PROTECT_CONFIG"), "YES");
}

// The additional-info map is checked whole, as its window checks it: a
// refused map goes back to what it was, and the other keys are still set.
// A saved map comes back at every later start.
TEST(R58213Cli, AnAdditionalInfoMapIsRefusedWholeAsItsWindowRefusesIt)
{
    TempFolder home;
    const QString row1 = "TARGET\\AINFO\\MAP1\\", row2 = "TARGET\\AINFO\\MAP2\\";
    ASSERT_EQ(
        RunCli(home,
               {"config", "set", row1 + "ENABLED", "TRUE", row1 + "TARGETID", "SAMPLER", row1 + "SOURCEID", "LAB"})
            .status,
        0);
    const CliRun duplicate = RunCli(home,
                                    {"config", "set", row2 + "ENABLED", "TRUE", row2 + "TARGETID", "sampler",
                                     row2 + "SOURCEID", "BENCH", "R58213\\EXT", "TXT"});
    EXPECT_EQ(duplicate.status, 1);
    EXPECT_EQ(duplicate.err.trimmed(), "Validation failed: VALIDATION ERROR : Duplicate Entries detected");
    EXPECT_EQ(value(home, row2 + "ENABLED") + value(home, row2 + "SOURCEID"), "FALSE");
    EXPECT_EQ(value(home, "R58213\\EXT") + value(home, row1 + "SOURCEID"), "TXTLAB");
}

TEST(R58213Cli, UndefinedKeysAndBadUsageExitWithTwo)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "dump"}).status, 0);
    const QString before = TempFolder::Read(home.file("r58213.xml"));

    const CliRun set = RunCli(home, {"config", "set", "R58213\\EXT", "TXT", "NO\\SUCH\\KEY", "x"});
    EXPECT_EQ(set.status, 2);
    EXPECT_EQ(set.err.trimmed(), "Key does not exist in TreeHash (KB10781): NO\\SUCH\\KEY");
    EXPECT_EQ(TempFolder::Read(home.file("r58213.xml")), before);

    const CliRun get = RunCli(home, {"config", "get", "no\\such"});
    EXPECT_EQ(get.status, 2);
    EXPECT_EQ(get.err.trimmed(), "Key does not exist in TreeHash (KB10781): NO\\SUCH");

    EXPECT_EQ(RunCli(home, {"config", "set", "R58213\\EXT"}).status, 2);
    EXPECT_EQ(RunCli(home, {"frobnicate"}).status, 2);
    EXPECT_EQ(CliRun::Of(R58213_CLI_EXE, {"--home"}).status, 2);
}

// Without --home the folder comes from R58213_HOME, so the command line
// finds the service's folder wherever the program is installed.
TEST(R58213Cli, TheProgramFolderMayComeFromTheEnvironment)
{
    TempFolder home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("R58213_HOME", home.path());
    ASSERT_EQ(CliRun::Of(R58213_CLI_EXE, {"config", "set", "R58213\\EXT", "TXT"}, environment).status, 0);
    EXPECT_EQ(value(home, "R58213\\EXT"), "TXT");
    // --home wins over the variable.
    TempFolder other;
    EXPECT_EQ(RunCli(other, {"config", "get", "R58213\\EXT"}, environment).out.trimmed(), "CSV");
}

// An administrator's `sudo r58213-cli config set` in the service's folder
// must leave the file readable by the service.
TEST(R58213Cli, AConfigurationSavedByRootStaysWithTheFoldersOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    TempFolder home;
    constexpr uid_t kServiceUser = 65534;
    ASSERT_EQ(::chown(QFile::encodeName(home.path()).constData(), kServiceUser, kServiceUser), 0);
    ASSERT_EQ(RunCli(home, {"config", "set", "R58213\\EXT", "TXT"}).status, 0);
    struct stat saved {};
    ASSERT_EQ(::stat(QFile::encodeName(home.file("r58213.xml")).constData(), &saved), 0);
    EXPECT_EQ(saved.st_uid, kServiceUser);
    EXPECT_EQ(saved.st_mode & 0777, 0600u);
}

// A control character cannot be kept in the file: saving it would leave a
// file no later start can read.
TEST(R58213Cli, AValueWithAControlCharacterIsNotSavedOverAGoodFile)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "set", "R58213\\EXT", "TXT"}).status, 0);
    const CliRun set = RunCli(home, {"config", "set", "R58213\\PREFIX", QString("AB") + QChar(1) + "C"});
    EXPECT_EQ(set.status, 1);
    EXPECT_TRUE(set.err.contains("Unable to save configuration")) << set.err.toStdString();
    EXPECT_EQ(value(home, "R58213\\PREFIX"), "ALOG0");
    EXPECT_EQ(value(home, "R58213\\EXT"), "TXT");
}

TEST(R58213Cli, UnreadableConfigurationIsAConfigurationError)
{
    TempFolder home;
    TempFolder::Write(home.file("r58213.xml"),
                      "<qelconfigurationxml><spec version=\"2\"/><data/></qelconfigurationxml>");
    const CliRun run = RunCli(home, {"config", "dump"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.trimmed(), "Unable to start r58213: Unable to read configuration at " + home.file("r58213.xml"));
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(R58213Cli, ProtectedConfigurationIsSavedOnlyWithItsPassword)
{
    TempFolder home;
    // Switching protection on is itself a protected save.
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\PASSWORD_PROTECT_CONFIG", "YES"}).status, 1);
    ASSERT_EQ(
        RunCli(home, {"--config-password", "48170", "config", "set", "OPTIONS\\PASSWORD_PROTECT_CONFIG", "YES"}).status,
        0);
    const CliRun refused = RunCli(home, {"config", "set", "R58213\\EXT", "TXT"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(value(home, "R58213\\EXT"), "CSV");

    const CliRun wrong = RunCli(home, {"--config-password", "nope", "config", "set", "R58213\\EXT", "TXT"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(wrong.err.contains("Invalid Password: Provided Current Password is invalid"));

    EXPECT_EQ(RunCli(home, {"--config-password", "48170", "config", "set", "R58213\\EXT", "TXT"}).status, 0);
    EXPECT_EQ(value(home, "R58213\\EXT"), "TXT");
}

TEST(R58213Cli, HelpPrintsTheUsage)
{
    const CliRun run = CliRun::Of(R58213_CLI_EXE, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith("usage: r58213-cli")) << run.out.toStdString();
}

TEST(R58213Cli, ProtectionCannotBeBypassedAndNoPasswordReachesTheLog)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\LOG_VERBOSITY", "9"}).status, 0);
    ASSERT_EQ(RunCli(home,
                     {"--config-password", "Sesame-81", "config", "set", "OPTIONS\\PASSWORD_PROTECT_CONFIG", "YES",
                      "OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD", "Sesame-81"})
                  .status,
              0);
    // Neither switching protection off nor naming a new password as the
    // current one gets past the stored password.
    EXPECT_EQ(RunCli(home, {"config", "set", "OPTIONS\\PASSWORD_PROTECT_CONFIG", "NO"}).status, 1);
    EXPECT_EQ(RunCli(home,
                     {"--config-password", "Guess-22", "config", "set", "OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD",
                      "Guess-22"})
                  .status,
              1);
    EXPECT_EQ(value(home, "OPTIONS\\PASSWORD_PROTECT_CONFIG"), "YES");
    // The password is never shown, not even to who may read the file.
    EXPECT_EQ(value(home, "OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD"), "********");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("R58213_CONFIG_PASSWORD", "Sesame-81");
    EXPECT_EQ(RunCli(home, {"config", "set", "R58213\\EXT", "TXT"}, environment).status, 0);
    EXPECT_EQ(value(home, "R58213\\EXT"), "TXT");
    EXPECT_EQ(RunCli(home, {"--config-password=Sesame-81", "config", "set", "R58213\\PREFIX", "PLANT"}).status, 0);
    RunCli(home, {"import-all", "--test", "--user", "ops", "--password", "Secret-77"});

    const QString logs = allLogs(home);
    EXPECT_TRUE(logs.contains("OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD : ********\r\n"));
    EXPECT_TRUE(logs.contains("COMMAND=--home " + home.path() + " import-all --test --user ops --password ********"));
    for (const char* secret : {"Sesame-81", "Guess-22", "Secret-77"})
        EXPECT_FALSE(logs.contains(secret)) << secret;
}

TEST(R58213Cli, AConfigurationThatCannotBeDecipheredIsNeverSavedOver)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\ENCRYPT_PROTECT_CONFIG", "YES"}).status, 0);
    QString file = TempFolder::Read(home.file("r58213.xml"));
    const qsizetype middle = file.indexOf("<data>") + 30;
    file[middle] = file[middle] == 'A' ? 'B' : 'A';
    TempFolder::Write(home.file("r58213.xml"), file.toUtf8());

    const CliRun dump = RunCli(home, {"config", "dump"});
    EXPECT_EQ(dump.status, 0);
    EXPECT_TRUE(dump.err.contains("could not be deciphered")) << dump.err.toStdString();
    const CliRun set = RunCli(home, {"config", "set", "R58213\\EXT", "TXT"});
    EXPECT_EQ(set.status, 1);
    EXPECT_TRUE(set.err.contains("It is not saved over")) << set.err.toStdString();
    EXPECT_EQ(TempFolder::Read(home.file("r58213.xml")), file);
}

TEST(R58213Cli, ALogThatCannotBeWrittenIsReportedOnStandardError)
{
    TempFolder home;
    TempFolder::Write(home.file("log"), "a file where the log folder belongs");
    const CliRun run = RunCli(home, {"config", "dump"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.count("log lines are being lost"), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(home.file("log/"))) << run.err.toStdString();
}

TEST(R58213Cli, ServiceCommandsHandSystemctlOnlyAUnitName)
{
    TempFolder home;
    FakeSystemctl systemctl;
    const CliRun status = RunCli(home, {"service", "status"});
    EXPECT_EQ(QString::number(status.status) + status.out, "0Running\n");
    systemctl.FailWith("Failed to start r58213.service: Access denied");
    const CliRun refused = RunCli(home, {"service", "start"});
    EXPECT_EQ(QString::number(refused.status) + refused.err, "1Failed to start r58213.service: Access denied\n");
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\INSTANCE_SERVICE_NAME", "-Hfoo"}).status, 0);
    const CliRun option = RunCli(home, {"service", "stop"});
    EXPECT_EQ(QString::number(option.status) + option.err, "1ERROR: Service not found!\n");
    EXPECT_EQ(systemctl.Calls(),
              (QStringList{FakeSystemctl::Show("r58213.service"), "--no-block start -- r58213.service"}));
}
