#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace {

QString today(const char* time)
{
    return QDate::currentDate().toString("yyyy-MM-dd") + " " + time;
}

}  // namespace

TEST(R58213CliDemo, ADemoInstallationIsReadyToTest)
{
    TempFolder home;
    const CliRun demo = RunCli(home, {"demo"});
    ASSERT_EQ(demo.status, 0) << demo.err.toStdString();
    EXPECT_TRUE(demo.out.contains("import-all --service"));
    EXPECT_TRUE(QFile::exists(home.file("target/QELROOT.sqlite")));
    EXPECT_TRUE(QFile::exists(home.file("target/NORTHWTP.sqlite")));
    EXPECT_EQ(TempFolder::Files(home.file("data"), "ALOG0*.CSV").size(), 7);

    EXPECT_EQ(RunCli(home, {"test-connection"}).status, 0);
    const CliRun read =
        RunCli(home, {"test-source", "--tag", "ALG 2:2", "--from", today("00:00"), "--to", today("01:00")});
    EXPECT_EQ(read.status, 0) << read.err.toStdString();
    bool numeric = false;
    read.out.trimmed().toDouble(&numeric);
    EXPECT_TRUE(numeric) << read.out.toStdString();
    EXPECT_EQ(
        RunCli(home, {"test-source", "--tag", "ALG 2:2", "--from", today("00:00"), "--to", today("01:00"), "--text"})
            .out.trimmed(),
        "NA");
    const CliRun refused =
        RunCli(home, {"test-source", "--tag", "alg 2:2", "--from", today("00:00"), "--to", today("01:00")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.trimmed(), "Input Validation Failed. Try different input.");
}

TEST(R58213CliDemo, ADemoInstallationImportsLikeTheService)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    const CliRun service = RunCli(home, {"import-all", "--service"});
    EXPECT_EQ(service.status, 0) << service.err.toStdString();
    EXPECT_TRUE(service.out.startsWith("Import was successful."));

    const CliRun runs = RunCli(home, {"last-run", "list"});
    EXPECT_EQ(runs.status, 0);
    const QStringList rows = runs.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[1].contains("\tNORTHWTP\t") || rows[2].contains("\tNORTHWTP\t"));
    EXPECT_TRUE(rows[1].section('\t', 2, 2).contains(QDate::currentDate().toString("M/d/yyyy")));
}

// A window's limits apply: numbers are clamped (one line says so), a value
// that is not one is refused while the other keys are still set, and the
// service imports as before.
TEST(R58213CliDemo, SettingsFollowTheWindowsLimitsAndTheServiceStillImports)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    const QString shift = "OPTIONS\\AUTOMATED_IMPORT\\STARTDATE_SHIFT_MINUTE";
    const QString hour = "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_HOUR";
    const QString timeout = "KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT";
    const CliRun set = RunCli(home, {"config", "set", shift, "-99999999", timeout, "1S", hour.toLower(), "99"});
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(set.err.split('\n', Qt::SkipEmptyParts),
              QStringList(
                  {"r58213-cli: " + shift + " takes whole numbers from -14400 to 14400; -99999999 is stored as -14400",
                   "Validation failed: Invalid value provided for '" + timeout + "'. Will use previous value.",
                   "r58213-cli: " + hour + " takes whole numbers from 0 to 23; 99 is stored as 23"}));
    for (const auto& [key, stored] : {std::pair{shift, "-14400"}, std::pair{hour, "23"}, std::pair{timeout, "15"}})
        EXPECT_EQ(RunCli(home, {"config", "get", key}).out.trimmed(), stored) << key.toStdString();
    const CliRun service = RunCli(home, {"import-all", "--service"});
    EXPECT_EQ(service.status, 0) << service.err.toStdString();
    EXPECT_TRUE(service.out.startsWith("Import was successful.")) << service.out.toStdString();
}

// Typing errors are refused, never stored.
TEST(R58213CliDemo, LastRunDatesAreSetByHandAndTyposRefused)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    EXPECT_EQ(RunCli(home, {"last-run", "set", "northwtp", "2024-03-01 06:00"}).status, 0);
    EXPECT_TRUE(RunCli(home, {"last-run", "list"}).out.contains("\tNORTHWTP\t3/1/2024 6:00:00 AM\t"));
    EXPECT_EQ(RunCli(home, {"last-run", "set", "NORTHWTP", "someday"}).status, 2);
    for (const QStringList& typo :
         {QStringList{"NORTHWPT", "2024-03-01 06:00"}, QStringList{"NORTHWTP", "0001-01-01 00:00"},
          QStringList{"NORTHWTP", "9999-12-31 00:00"}})
        EXPECT_EQ(RunCli(home, QStringList{"last-run", "set"} + typo).status, 1) << typo.join(' ').toStdString();
    const QString list = RunCli(home, {"last-run", "list"}).out;
    EXPECT_TRUE(list.contains("\tNORTHWTP\t3/1/2024 6:00:00 AM\t"));
    EXPECT_FALSE(list.contains("NORTHWPT"));
}

TEST(R58213CliDemo, InteractiveImportsFromOptions)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    const QString from = QDateTime::currentDateTime().addDays(-1).toString("yyyy-MM-dd") + " 00:00";
    const CliRun test = RunCli(home, {"import-all", "--test", "--from", from, "--to", today("00:00")});
    EXPECT_EQ(test.status, 0) << test.err.toStdString();
    EXPECT_TRUE(test.out.contains("Import started."));
    EXPECT_TRUE(test.out.contains("Session Statistics :"));
    EXPECT_TRUE(test.out.contains("Import was successful."));

    const CliRun selected = RunCli(home, {"import", "--var", "southwtp~14", "--from", from, "--to", today("00:00")});
    EXPECT_EQ(selected.status, 0) << selected.err.toStdString();
    EXPECT_TRUE(selected.out.contains("User selected 1 variable(s) in 1 facility(s) that are linked to Collector 4"));

    EXPECT_EQ(RunCli(home, {"import", "--var", "no-tilde"}).status, 1);
    const CliRun typo = RunCli(home, {"import", "--var", "NORTHWPT~1", "--from", from, "--to", today("00:00")});
    EXPECT_EQ(typo.status, 1);
    EXPECT_FALSE(typo.out.contains("Import was successful."));
    EXPECT_EQ(RunCli(home, {"import"}).status, 2);
    EXPECT_EQ(RunCli(home, {"import-all", "--from", "yesterday"}).status, 2);
    EXPECT_EQ(RunCli(home, {"import-all", "--bogus"}).status, 2);
    const CliRun upload = RunCli(home, {"upload-definition", home.file("missing.zip")});
    EXPECT_EQ(upload.status, 1);
    EXPECT_TRUE(upload.err.contains("Failed to upload"));
}

// A full disk under the logs costs log lines, never the import: it still
// stores every value, and the loss is told once on standard error.
TEST(R58213CliDemo, AFullDiskUnderTheLogsLeavesTheImportWhole)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\LOG_VERBOSITY", "9"}).status, 0);
    const QByteArray logs = QFile::encodeName(home.file("log"));
    if (::mount("tmpfs", logs.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const CliRun service = RunCli(home, {"import-all", "--service"});
    ::umount(logs.constData());
    EXPECT_EQ(service.status, 0) << service.err.toStdString();
    EXPECT_TRUE(service.out.startsWith("Import was successful.")) << service.out.toStdString();
    EXPECT_EQ(service.err.count("log lines are being lost"), 1) << service.err.toStdString();
    const CliRun runs = RunCli(home, {"last-run", "list"});
    EXPECT_EQ(runs.out.count(QDate::currentDate().toString("M/d/yyyy")), 2) << runs.out.toStdString();
}
