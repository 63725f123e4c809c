#include "CommonFiles/service/LogTail.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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

TEST(LogTail, TheHandleFileNamesTheLogOnItsFirstLine)
{
    TempFolder folder;
    EXPECT_EQ(LogTail::LastLogFilePath(folder.file("r58213.log_handle")), "");
    TempFolder::Write(folder.file("r58213.log_handle"), " /var/lib/r58213/log/a.log \r\nignored\r\n");
    EXPECT_EQ(LogTail::LastLogFilePath(folder.file("r58213.log_handle")), "/var/lib/r58213/log/a.log");
}
