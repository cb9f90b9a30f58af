#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using tovel::test::RunCli;
using tovel::test::TempDir;

TEST(Cli, HelpAndVersionSucceed) {
    TempDir dir;
    const auto help = RunCli({"--help"}, dir.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tovel-cli"), std::string::npos);
    EXPECT_NE(help.out.find("--root DIR"), std::string::npos);

    const auto version = RunCli({"--version"}, dir.Path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tovel-cli 0.95\n");
}

TEST(Cli, UsageErrorsExitWithTwoAndExplainOnStandardError) {
    TempDir dir;
    const auto none = RunCli({}, dir.Path());
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("no command given"), std::string::npos);
    EXPECT_TRUE(none.out.empty());

    const auto unknown = RunCli({"frobnicate"}, dir.Path());
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command \"frobnicate\""), std::string::npos);

    const auto rootWithoutValue = RunCli({"--root"}, dir.Path());
    EXPECT_EQ(rootWithoutValue.status, 2);
    EXPECT_NE(rootWithoutValue.err.find("--root needs a value"), std::string::npos);
}
