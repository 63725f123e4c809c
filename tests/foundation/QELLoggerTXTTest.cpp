#include "CommonFiles/foundation/QELLoggerTXT.h"

#include "platform/NumberedError.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A logger writing into <temp>/log, every line reaching the disk at once so
// the file can be read while it is still open.
struct LogSetup {
    TempFolder folder;
    FakeClock clock;
    QELLoggerTXT log{clock, folder.path(), "r58213"};

    LogSetup()
    {
        QDir().mkdir(logFolder());
        log.setEnabled(true);
        log.setBufferLength(1);
    }
    QString logFolder() const { return folder.path() + "/log"; }
    QString current() const { return TempFolder::Read(log.CurrentFile()); }
};

// Gives a file the given size and a last-write time relative to the fake clock.
void makeFile(const QString& path, int size, const DateTime& written)
{
    TempFolder::Write(path, QByteArray(size, 'x'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(written.date(), written.time()), QFileDevice::FileModificationTime));
}

}  // namespace

TEST(QELLoggerTXT, FileIsNamedAfterOpeningMomentAndLinesAreStamped)
{
    LogSetup s;
    EXPECT_EQ(s.log.LogPath(), s.folder.path() + "/log");
    s.log.setPrefix("A_");
    s.log.setPostfix("_cli");
    s.log.setVerbosity(1);
    s.log.setBufferLength(1024);

    s.log.WriteLog("hello", 0);
    s.clock.set(DateTime::FromParts(2024, 3, 5, 14, 8, 30));
    s.log.WriteLog("second", 1);
    s.log.WriteLog("too detailed", 2);
    s.log.closeLog();

    EXPECT_EQ(TempFolder::Files(s.logFolder()), QStringList{"A_03_05_2024__14_07_09_cli.log"});
    EXPECT_EQ(s.log.CurrentFile(), s.logFolder() + "/A_03_05_2024__14_07_09_cli.log");
    EXPECT_EQ(s.current(), "14:07:09 : hello\r\n14:08:30 : second\r\n");
}

TEST(QELLoggerTXT, ClearedErrorIsTracedFromLevelTwoWithoutOpeningALogBelowIt)
{
    LogSetup s;
    const NumberedError error(10781, "Key not found");
    s.log.setVerbosity(1);
    s.log.WriteClearedError("HashTable.Item", error);
    EXPECT_TRUE(s.log.CurrentFile().isEmpty());

    s.log.setVerbosity(2);
    s.log.WriteClearedError("HashTable.Item", error);
    EXPECT_EQ(s.current(), "14:07:09 : HashTable.Item(): 10781 - Key not found\r\n");
}

TEST(QELLoggerTXT, LevelIsClampedToTheVerbosityRange)
{
    LogSetup s;
    s.log.setVerbosity(9);
    s.log.WriteLog("very high", 50);
    s.log.setVerbosity(0);
    s.log.WriteLog("negative", -4);
    s.log.WriteLog("level one", 1);
    EXPECT_EQ(s.current(), "14:07:09 : very high\r\n14:07:09 : negative\r\n");
}

TEST(QELLoggerTXT, AFileOpensEvenForADroppedMessage)
{
    LogSetup quiet;
    quiet.log.WriteLog("not shown", 5);
    EXPECT_EQ(TempFolder::Files(quiet.logFolder()), QStringList{"03_05_2024__14_07_09.log"});
    EXPECT_EQ(quiet.current(), "");
}

TEST(QELLoggerTXT, ADisabledLogWritesNoFile)
{
    LogSetup disabled;
    disabled.log.setEnabled(false);
    disabled.log.setVerbosity(9);
    disabled.log.WriteLog("nothing", 0);
    disabled.log.AssertVerbosity();
    EXPECT_TRUE(TempFolder::Files(disabled.logFolder()).isEmpty());
    EXPECT_TRUE(disabled.log.CurrentFile().isEmpty());
}

TEST(QELLoggerTXT, DateChangeContinuesInANewFileThatNamesThePreviousOne)
{
    LogSetup s;
    s.log.setLogHandleAssertion(true);
    s.clock.set(DateTime::FromParts(2024, 3, 5, 23, 59, 58));
    s.log.WriteLog("before midnight", 0);
    const QString first = s.log.CurrentFile();
    EXPECT_EQ(TempFolder::Read(s.log.HandleFilePath()), first + "\n");

    s.clock.set(DateTime::FromParts(2024, 3, 6, 0, 0, 3));
    s.log.WriteLog("after midnight", 0);
    const QString second = s.logFolder() + "/03_06_2024__00_00_03.log";

    EXPECT_EQ(s.log.CurrentFile(), second);
    EXPECT_EQ(TempFolder::Files(s.logFolder()), (QStringList{"03_05_2024__23_59_58.log", "03_06_2024__00_00_03.log"}));
    EXPECT_EQ(TempFolder::Read(first), "23:59:58 : before midnight\r\n");
    EXPECT_EQ(TempFolder::Read(second),
              "00:00:03 : Previous log file for this session = " + first + "\r\n00:00:03 : after midnight\r\n");
    // The handle file follows the roll-over: one line, the newest file.
    EXPECT_EQ(TempFolder::Read(s.folder.file("r58213.log_handle")), second + "\n");
}

TEST(QELLoggerTXT, HandleFileIsOnlyWrittenWhenAsserted)
{
    LogSetup s;
    s.log.WriteLog("plain", 0);
    EXPECT_FALSE(QFile::exists(s.folder.file("r58213.log_handle")));
    EXPECT_EQ(s.log.HandleFilePath(), s.folder.file("r58213.log_handle"));
}

TEST(QELLoggerTXT, VerbosityAndCleanupAnnouncementsAreWrittenAtLevelZero)
{
    LogSetup s;
    s.log.setVerbosity(2);
    s.log.AssertVerbosity();
    s.log.setVerbosity(0);
    s.log.LSM_Init(3);
    s.log.LSM_Init(5000);
    s.log.LSM_Init(30);
    const QString prefix = "14:07:09 : Logs in '" + s.logFolder() + "' will be removed after they are older than ";
    EXPECT_EQ(s.current(),
              "14:07:09 : [Log Verbosity is set to 2, Log Date is 3/5/2024]\r\n" + prefix + "7 days.\r\n" + prefix +
                  "1000 days.\r\n" + prefix + "30 days.\r\n");
}

TEST(QELLoggerTXT, CleanupRemovesOnlyFilesOlderThanTheKeptDays)
{
    LogSetup s;
    s.log.setVerbosity(-1);  // the removal report does not depend on verbosity
    s.log.LSM_Init(7);
    const DateTime now = s.clock.now();
    const QString folder = s.logFolder();
    makeFile(folder + "/01_02_2024__10_00_00_ntservice.log", 1024, now.addDays(-30));
    makeFile(folder + "/02_20_2024__10_00_00_cli.log", 2048, now.addDays(-8));
    makeFile(folder + "/02_27_2024__13_00_00.log", 512, now.addDays(-7).addMinutes(-60));
    makeFile(folder + "/02_27_2024__15_00_00_cli.log", 100, now.addDays(-7).addMinutes(60));
    makeFile(folder + "/03_07_2024__00_00_00_cli.log", 100, now.addDays(2));
    // What the program did not write stays, however old.
    makeFile(folder + "/operator notes.txt", 10, now.addDays(-90));
    makeFile(folder + "/syslog.1", 10, now.addDays(-90));
    makeFile(folder + "/01_02_2024__10_00_00_cli.log.gz", 10, now.addDays(-90));
    makeFile(s.folder.file("backup.db"), 10, now.addDays(-90));
    ASSERT_TRUE(QFile::link(s.folder.file("backup.db"), folder + "/01_01_2024__10_00_00_cli.log"));

    s.log.LSM_Run();

    EXPECT_EQ(
        TempFolder::Files(folder),
        (QStringList{"01_01_2024__10_00_00_cli.log", "01_02_2024__10_00_00_cli.log.gz", "02_27_2024__15_00_00_cli.log",
                     "03_05_2024__14_07_09.log", "03_07_2024__00_00_00_cli.log", "operator notes.txt", "syslog.1"}));
    EXPECT_TRUE(QFile::exists(s.folder.file("backup.db")));
    EXPECT_EQ(s.current(), "14:07:09 : Removed 3 logs. Freed 3.50 kB of disk space.\r\n");
}

TEST(QELLoggerTXT, CleanupNeverFollowsALinkedLogFolder)
{
    LogSetup s;
    s.log.setVerbosity(-1);
    TempFolder elsewhere;
    makeFile(elsewhere.file("01_02_2024__10_00_00_cli.log"), 10, s.clock.now().addDays(-90));
    QELLoggerTXT linked{s.clock, s.folder.path(), "r58213"};
    ASSERT_TRUE(QFile::link(elsewhere.path(), s.folder.file("linked")));
    linked.setLogPath(s.folder.file("linked"));
    linked.LSM_Init(7);
    linked.LSM_Run();
    EXPECT_TRUE(QFile::exists(elsewhere.file("01_02_2024__10_00_00_cli.log")));
}

TEST(QELLoggerTXT, CleanupRunsAtMostOncePerClockHourAndIsSilentWhenNothingGoes)
{
    LogSetup s;
    s.log.LSM_Init(7);
    const QString announcement = s.current();
    const QString folder = s.logFolder();

    s.log.LSM_Run();  // nothing old yet
    EXPECT_EQ(s.current(), announcement);

    makeFile(folder + "/02_20_2024__10_00_00_cli.log", 1024, s.clock.now().addDays(-10));
    s.clock.set(DateTime::FromParts(2024, 3, 5, 14, 59, 59));
    s.log.LSM_Run();
    EXPECT_TRUE(QFile::exists(folder + "/02_20_2024__10_00_00_cli.log"));
    EXPECT_EQ(s.current(), announcement);

    s.clock.set(DateTime::FromParts(2024, 3, 5, 15, 0, 1));
    s.log.LSM_Run();
    EXPECT_FALSE(QFile::exists(folder + "/02_20_2024__10_00_00_cli.log"));
    EXPECT_EQ(s.current(), announcement + "15:00:01 : Removed 1 logs. Freed 1.00 kB of disk space.\r\n");

    makeFile(folder + "/02_21_2024__10_00_00_cli.log", 1024, s.clock.now().addDays(-10));
    s.clock.set(DateTime::FromParts(2024, 3, 5, 15, 30, 0));
    s.log.LSM_Run();
    EXPECT_TRUE(QFile::exists(folder + "/02_21_2024__10_00_00_cli.log"));
}

TEST(QELLoggerTXT, TextFromOutsideCannotStartALineOfItsOwn)
{
    LogSetup s;
    s.clock.set(DateTime::FromParts(2024, 3, 5, 14, 7, 9));
    s.log.WriteLog(QString("cell 12\r\n14:07:10 : Import was successful.") + QChar(0) + "\x1b[2J\tend", 0);
    EXPECT_EQ(s.current(), "14:07:09 : cell 12\\r\\n14:07:10 : Import was successful.\\0\\x1B[2J\tend\r\n");
}

TEST(QELLoggerTXT, ANewLogFolderIsClosedToOthers)
{
    TempFolder folder;
    FakeClock clock;
    QELLoggerTXT log{clock, folder.path(), "r58213"};
    const mode_t previous = ::umask(0);
    log.setLogPath(folder.file("log"));
    ::umask(previous);
    struct stat status {};
    ASSERT_EQ(::stat(qPrintable(folder.file("log")), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0750u);
}
