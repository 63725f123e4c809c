#include "platform/ProgramHome.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

// A build keeps help/ beside its programs; an installation keeps the
// programs in bin/ and help/ in share/r58213/.
TEST(ProgramHome, HelpIsFoundBesideABuildsProgramsAndInAnInstallationsShareFolder)
{
    TempFolder build;
    QDir().mkpath(build.file("help"));
    EXPECT_EQ(ProgramHome::DataFolder(build.path()), build.path());

    TempFolder installed;
    QDir().mkpath(installed.file("bin"));
    QDir().mkpath(installed.file("share/r58213/help"));
    EXPECT_EQ(ProgramHome::DataFolder(installed.file("bin")), installed.file("share/r58213"));
}
