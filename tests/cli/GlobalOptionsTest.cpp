#include "cli/GlobalOptions.h"

#include <gtest/gtest.h>

TEST(GlobalOptions, TheCommandKeepsItsOwnOptionsWhole)
{
    GlobalOptions options;
    QString error;
    ASSERT_TRUE(options.Parse({"--home", "/srv/r", "import", "--var", "P1~7", "--test", "--home", "x", "--"}, error));
    EXPECT_EQ(options.Home("/opt"), "/srv/r");
    EXPECT_EQ(options.Command(), (QStringList{"import", "--var", "P1~7", "--test", "--home", "x", "--"}));
}

TEST(GlobalOptions, AnUnknownOrIncompleteOptionIsRefused)
{
    QString error;
    EXPECT_FALSE(GlobalOptions().Parse({"--frob", "config", "dump"}, error));
    EXPECT_EQ(error, "unknown option --frob");
    EXPECT_FALSE(GlobalOptions().Parse({"--home"}, error));
    EXPECT_TRUE(error.contains("--home")) << error.toStdString();
}

TEST(GlobalOptions, TheGivenPasswordGoesBeforeTheEnvironment)
{
    qputenv("R58213_CONFIG_PASSWORD", "from-environment");
    GlobalOptions given;
    GlobalOptions unset;
    QString error;
    ASSERT_TRUE(given.Parse({"--config-password", "given", "config", "dump"}, error));
    ASSERT_TRUE(unset.Parse({"config", "dump"}, error));
    EXPECT_EQ(given.ConfigPassword(), "given");
    EXPECT_EQ(unset.ConfigPassword(), "from-environment");
    qunsetenv("R58213_CONFIG_PASSWORD");
    EXPECT_EQ(unset.ConfigPassword(), std::nullopt);
}
