#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using tovel::test::RunCli;
using tovel::test::TempDir;

namespace {

// Three printings; the second name is Windows-1252 ("í" is 0xED) and comes out as UTF-8.
void WriteWorld(const TempDir& dir) {
    dir.Write("Data/base.txt", "AB;Ember Whelp;C;6;;AB+;\r\n1R;Creature - Whelp;2/1;\r\nDraw a card.\r\n\r\n"
                               "AB;Zephul Rusk\xED Hound;U;8;;AB+;\r\n1G;Creature - Hound;3/3;\r\n\r\n"
                               "CD;Stone Idol;R;5;;CD+;\r\n4;Artifact;;\r\n\r\n");
    dir.Write("Inventory/inventory.inv", "AB;Ember Whelp;3;0;\r\n");
}

TEST(CliSearch, PrintsTheKeysOfMatchingPrintingsInDatabaseOrder) {
    TempDir dir;
    WriteWorld(dir);
    struct Row {
        std::vector<std::string> args;
        std::string out;
    };
    const Row rows[] = {
        {{"search", "t:creature"}, "[AB] - Ember Whelp\n[AB] - Zephul Rusk\xC3\xAD Hound\n"},
        {{"search", "t:creature", "-c:r"}, "[AB] - Zephul Rusk\xC3\xAD Hound\n"}, // words are joined
        {{"search", "--count", "e:ab"}, "2\n"},
        {{"search", "own>=3"}, "[AB] - Ember Whelp\n"},
        {{"search", "n:nothing"}, ""},
        {{"search", "--", "--whelp"}, "[AB] - Ember Whelp\n"}, // after "--" a query word, not an option
    };
    for (const Row& row : rows) {
        auto args = row.args;
        args.insert(args.begin(), {"--root", dir.Path()});
        const auto result = RunCli(args, dir.Path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, row.out) << args.back();
    }
}

TEST(CliSearch, ABadQueryIsReportedOnStandardError) {
    TempDir dir;
    WriteWorld(dir);
    const auto result = RunCli({"--root", dir.Path(), "search", "cmc<=x"}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tovel-cli: search: Bad search at column 6: a number is needed, not \"x\"\n");
}

} // namespace
