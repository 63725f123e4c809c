#include "CommonFiles/service/LogTail.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Tail {
    const char* what;
    QByteArray log;
    qint64 bytes;
    QString shown;
};

const Tail kTails[] = {
    {"newest line first", "one\r\ntwo\r\nthree", 4096, "three\ntwo\none\n"},
    {"a closing line break gives an empty first line", "one\r\ntwo\r\n", 4096, "\ntwo\none\n"},
    {"the cut first line of the tail comes last", "first line\r\nsecond\r\n", 12, "\nsecond\nne\n"},
    {"a character cut by the tail is dropped", "caf\xc3\xa9\r\nb\r\n", 6, "\nb\n\n"},
    {"other bytes that are no UTF-8 read as replacements", "a\xff\r\n", 4096, QString("\na\uFFFD\n")},
    {"an empty log", "", 4096, "\n"},
};

}  // namespace

TEST(LogTail, TailShowsTheNewestLinesFirst)
{
    TempFolder folder;
    for (const Tail& t : kTails) {
        TempFolder::Write(folder.file("service.log"), t.log);
        EXPECT_EQ(LogTail::TailReversed(folder.file("service.log"), t.bytes), t.shown) << t.what;
    }
    EXPECT_EQ(LogTail::TailReversed(folder.file("gone.log"), 4096), std::nullopt);
}

// The handle names the log on its first line; only one of the program's own
// logs in its log folder is followed, so a window run by root cannot be
// made to show any file of the system.
TEST(LogTail, TheHandleFileNamesOnlyAnOwnLog)
{
    TempFolder folder;
    const QString handle = folder.file("r58213.log_handle");
    const QString logs = folder.file("log");
    QDir().mkpath(logs);
    QString refusal;
    const auto named = [&](const QString& path) {
        TempFolder::Write(handle, " " + path.toUtf8() + " \r\nignored\r\n");
        return LogTail::LastLogFilePath(handle, logs, refusal);
    };
    EXPECT_EQ(LogTail::LastLogFilePath(handle, logs, refusal), "");
    EXPECT_EQ(refusal, "");
    const QString log = logs + "/03_05_2024__14_07_09_ntservice.log";
    TempFolder::Write(log, "line\r\n");
    EXPECT_EQ(named(log), log);
    EXPECT_EQ(named("/etc/shadow"), "");
    EXPECT_EQ(refusal,
              "No log is shown: " + handle + " names /etc/shadow, which is not in the log folder " + logs + ".");
    EXPECT_EQ(named(logs + "/../../etc/03_05_2024__14_07_09_cli.log"), "");
    EXPECT_EQ(named(logs + "/notes.txt"), "");
    EXPECT_TRUE(refusal.endsWith("is not named as a log.")) << refusal.toStdString();
    ASSERT_TRUE(QFile::link("/etc/hostname", logs + "/03_06_2024__00_00_00_cli.log"));
    EXPECT_EQ(named(logs + "/03_06_2024__00_00_00_cli.log"), "");
    EXPECT_TRUE(refusal.endsWith("is not a regular file.")) << refusal.toStdString();
    const QString fifo = logs + "/03_07_2024__00_00_00_cli.log";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(LogTail::TailReversed(fifo, 4096), std::nullopt);
    QFile::remove(handle);
    ASSERT_EQ(::mkfifo(QFile::encodeName(handle).constData(), 0600), 0);
    EXPECT_EQ(LogTail::LastLogFilePath(handle, logs, refusal), "");
    EXPECT_TRUE(refusal.endsWith("cannot be read (it is not a regular file).")) << refusal.toStdString();
}
