#include "core/decks/InsertSideboard.h"

#include "core/infra/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using test::TempDir;

TEST(InsertSideboard, ConvertsLineByLine) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        // No marker: copied with its blanks, blank lines dropped, CR LF ends.
        {"  4 [AB] - Tide Call  \n\n \t\n2 [AB] - Ember Whelp",
         "  4 [AB] - Tide Call  \r\n2 [AB] - Ember Whelp\r\n"},
        // "SB:" at the very start: exactly one blank after the colon.
        {"SB:    2 [AB] - Tide Call\r\n", "SB: 2 [AB] - Tide Call\r\n"},
        {" SB: 2 [AB] - Tide Call\r\n", " SB: 2 [AB] - Tide Call\r\n"}, // leading blanks: not a prefix
        // Everything after the marker, comments and further markers included, gets the prefix.
        {"1 [AB] - Tide Call\r\n// Sideboard\r\n 2 [AB] - Ember Whelp \r\n//SB: more\r\n\r\nSB:1 [CD] - "
         "Stone Idol\r\n",
         "1 [AB] - Tide Call\r\nSB: 2 [AB] - Ember Whelp\r\nSB: //SB: more\r\nSB: 1 [CD] - Stone Idol\r\n"},
        {"1 [AB] - X\r\n//SB:\r\n1 [AB] - Y\r\n", "1 [AB] - X\r\nSB: 1 [AB] - Y\r\n"},
        // A marker text inside a card name switches too (and the line is dropped).
        {"1 [AB] - Sideboard Keeper\r\n1 [AB] - Z\r\n", "SB: 1 [AB] - Z\r\n"},
        {"sideboard\r\n1 [AB] - Z\r\n", "sideboard\r\n1 [AB] - Z\r\n"}, // the marker is case-sensitive
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsertSideboardText(c.in), c.out) << c.in;
}

TEST(InsertSideboard, WritesBesideTheInputAndLeavesItAlone) {
    TempDir dir;
    const std::string input = dir.Write("deck.dec", "1 [AB] - X\n// Sideboard\n1 [AB] - Y\n");
    dir.Write("deck.dec.dec", "old contents");
    EXPECT_EQ(InsertSideboardFile(input), input + ".dec");
    EXPECT_EQ(TempDir::Read(input + ".dec"), "1 [AB] - X\r\nSB: 1 [AB] - Y\r\n");
    EXPECT_EQ(TempDir::Read(input), "1 [AB] - X\n// Sideboard\n1 [AB] - Y\n");
    EXPECT_THROW(InsertSideboardFile(dir / "missing.txt"), Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt.dec"));
}

TEST(InsertSideboard, AFileThatFailsDoesNotStopTheOthers) {
    TempDir dir;
    const std::string good = dir.Write("good.txt", "1 [AB] - X\n");
    const std::vector<TConvertResult> results = InsertSideboardFiles({dir / "missing.txt", good});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].Converted.empty());
    EXPECT_FALSE(results[0].Error.empty());
    EXPECT_EQ(results[1].Converted, good + ".dec");
    EXPECT_EQ(results[1].Error, "");
    EXPECT_EQ(TempDir::Read(good + ".dec"), "1 [AB] - X\r\n");
}
