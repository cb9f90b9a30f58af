#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

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
    EXPECT_EQ(version.out, std::string("tovel-cli ") + TOVEL_VERSION + "\n"); // as the windows show it
}

// A usage error names the command and what is wrong, shows that one command's usage, never
// every command's, and ends with where the help is; before a command is known the program's.
TEST(Cli, UsageErrorsShowTheOneCommandsUsageAndTheHintLine) {
    TempDir dir;
    const struct {
        std::vector<std::string> args;
        std::string first; // the message line
        std::string usage; // how the usage shown starts ("" for the program's own)
        std::string hint;
    } cases[] = {
        {{}, "tovel-cli: no command given", "Usage: tovel-cli", "tovel-cli --help"},
        {{"frobnicate"}, "tovel-cli: unknown command \"frobnicate\"", "Usage: tovel-cli", "tovel-cli --help"},
        {{"--root"}, "tovel-cli: --root needs a value", "Usage: tovel-cli", "tovel-cli --help"},
        {{"db"},
         "tovel-cli: db: a subcommand is needed: check or build",
         "  db check",
         "tovel-cli db --help"},
        {{"deck", "frob"},
         "tovel-cli: deck: unknown subcommand \"frob\"",
         "  deck convert",
         "tovel-cli deck --help"},
        {{"db", "build", "x"}, "tovel-cli: db build: unexpected \"x\"", "  db check", "tovel-cli db --help"},
        {{"review"}, "tovel-cli: review: one FILE.draft is needed", "  review", "tovel-cli review --help"},
        {{"where", "x"}, "tovel-cli: where: no arguments are taken", "  where", "tovel-cli where --help"},
        {{"search", "--colour", "red"},
         "tovel-cli: search: unknown option \"--colour\"",
         "  search",
         "tovel-cli search --help"},
        {{"search", "--count"},
         "tovel-cli: search: a query is needed",
         "  search",
         "tovel-cli search --help"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--root", dir.Path()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (c.args.empty() || c.args[0] == "--root")
            args = c.args;
        const auto result = RunCli(args, dir.Path());
        const std::string& err = result.err;
        EXPECT_EQ(result.status, 2) << c.first;
        EXPECT_TRUE(result.out.empty()) << c.first;
        EXPECT_EQ(err.substr(0, err.find('\n')), c.first);
        EXPECT_EQ(err.compare(err.find('\n') + 1, c.usage.size(), c.usage), 0) << err;
        EXPECT_TRUE(err.ends_with("\n" + c.hint + "\n")) << err;
        // Only the one command's usage: the program's own text names no command's arguments.
        EXPECT_EQ(err.find("  sealed [--config"), std::string::npos) << err;
    }
}

TEST(Cli, OutputThatCannotBeWrittenFails) {
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    const std::string command = tovel::test::ShellQuote(TOVEL_CLI_PATH) + " --version >/dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(Cli, HelpAfterACommandShowsThatCommandsUsage) {
    TempDir dir;
    const auto help = RunCli({"db", "check", "--help"}, dir.Path());
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("  db check [FILE]", 0), 0u) << help.out;
}

TEST(Cli, WhereNamesTheProgramFolderAndWhyAndRootWinsOverTovelHome) {
    TempDir dir;
    ::setenv("TOVEL_HOME", (dir / "home").c_str(), 1);
    const auto home = RunCli({"where"}, dir.Path());
    const auto root = RunCli({"--root", dir / "root", "where"}, dir.Path());
    ::unsetenv("TOVEL_HOME");
    EXPECT_EQ(home.status, 0) << home.err;
    EXPECT_EQ(home.out, dir / "home/ (set by TOVEL_HOME)\n");
    EXPECT_EQ(root.out, dir / "root/ (given by --root)\n");
}

// A copy outside the build folder finds no Data/ beside it and turns to the per-user folder, here
// one that cannot be made: commands say so and how to go on; help and usage errors need no folder.
TEST(Cli, PerUserFolderThatCannotBeMadeIsReportedOnlyWhenACommandNeedsIt) {
    TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::copy_file(TOVEL_CLI_PATH, dir / "bin/tovel-cli");
    dir.Write("file", "");
    const std::string env = "unset TOVEL_HOME; HOME=" + tovel::test::ShellQuote(dir / "file") +
                            " XDG_DATA_HOME=" + tovel::test::ShellQuote(dir / "file") + " ";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // how standard error starts; "" for nothing on it
    };
    const std::string noFolder = "Cannot create folder \"" + dir / "file/tovel/" +
                                 "\". Not a directory\n"
                                 "Set TOVEL_HOME to a folder you may write to keep Tovel's files there.\n";
    const Case cases[] = {
        {{"where"}, 1, "tovel-cli: where: " + noFolder},
        {{"db", "check"}, 1, "tovel-cli: db: " + noFolder},
        {{"db", "check", "--help"}, 0, ""},
        {{"frobnicate"}, 2, "tovel-cli: unknown command"},
    };
    for (const Case& c : cases) {
        const auto result = RunCli(c.args, dir.Path(), env, dir / "bin/tovel-cli");
        EXPECT_EQ(result.status, c.status) << c.args[0] << ": " << result.err;
        EXPECT_TRUE(!c.err.empty() ? result.err.rfind(c.err, 0) == 0 : result.err.empty())
            << c.args[0] << ": " << result.err;
    }
}

// A command's start removes the program's temporary files left over an hour ago by a program that
// was killed, and nothing else.
TEST(Cli, StartRemovesStaleTemporaryFilesOfTheProgramFolder) {
    TempDir dir;
    const std::vector<std::string> names = {"Data/base.txt.123-4-5a.tmp~", "tovel.ini.9-0-ff.tmp~",
                                            "Decks/new.dec.1-2-3.tmp~", "Decks/keep.tmp~"};
    for (const std::string& name : names)
        dir.Write(name, "x");
    const std::time_t old = std::time(nullptr) - 2 * 3600;
    const utimbuf times{old, old};
    for (size_t i : {0, 1, 3})
        ASSERT_EQ(::utime((dir / names[i]).c_str(), &times), 0);
    const auto result = RunCli({"--root", dir.Path(), "where"}, dir.Path());
    EXPECT_EQ(result.status, 0);
    const std::vector<bool> kept = {false, false, true, true};
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(std::filesystem::exists(dir / names[i]), kept[i]) << names[i];
}
