#include "cli/CommandLineTool.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

TEST(CommandLineTool, VersionIsPrintedWithoutTouchingAProgramFolder)
{
    FakeClock clock;
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const ExitStatus status = CommandLineTool(clock, outStream, errStream).Run({"--version"}, "/nonexistent/r58213");
    EXPECT_EQ(status, ExitStatus::Success);
    EXPECT_EQ(out, "r58213-cli " R58213_VERSION "\n");
    EXPECT_TRUE(err.isEmpty());
}
