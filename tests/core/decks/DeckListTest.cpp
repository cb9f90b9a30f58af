#include "core/decks/DeckList.h"

#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;

namespace {

struct Expected {
    bool sideboard;
    int count;
    int position;
};
struct Problem {
    int line;
    const char* reason;
};
struct ListCase {
    const char* what;
    const char* text;
    std::vector<Expected> cards;
    std::vector<Problem> problems;
};

} // namespace

// Positions of the test world: 1 Forest (BL), 5 Forest (AB), 6 Ember Whelp, 7 Grove Tender,
// 8 Tide Call, 9 Sky-Hook Rigger, 12 Stone Idol.
TEST(DeckList, ReadsEveryFormAndReportsEveryProblem) {
    const std::vector<ListCase> cases = {
        {"counts",
         "4 Ember Whelp\r\n2x Tide Call\r\n3 x Grove Tender\r\n1X  Stone Idol\r\n",
         {{false, 4, 6}, {false, 2, 8}, {false, 3, 7}, {false, 1, 12}},
         {}},
        // An edition picks that printing; without one the first printing of the name.
        {"editions",
         "1 [CD] Sky-Hook Rigger\n2 Forest [AB]\n1 Stone Idol (cd)\n3 forest\n",
         {{false, 1, 9}, {false, 2, 5}, {false, 1, 12}, {false, 3, 1}},
         {}},
        // With a marker anywhere a blank line is only a blank line.
        {"markers",
         "Deck\n// made by hand\n# another note\n2 Ember Whelp\nSB: 1 Tide Call\n\n1 Grove Tender\n"
         "sideboard:\n3 Stone Idol\n",
         {{false, 2, 6}, {true, 1, 8}, {false, 1, 7}, {true, 3, 12}},
         {}},
        // Without one, the first blank line after a main-deck line starts the sideboard.
        {"blank line",
         "\n2 Ember Whelp\n\n1 Tide Call\n\n1 Stone Idol\n",
         {{false, 2, 6}, {true, 1, 8}, {true, 1, 12}},
         {}},
        {"problems",
         "Ember Whelp\n0 Tide Call\n2 Nowhere Card\n1 [ZZ] Tide Call\n3 [AB Tide Call\n"
         "99999999999 Forest\n2Tide Call\n4 Ember Whelp\n1 []\n",
         {{false, 4, 6}},
         {{1, kListNotUnderstood},
          {2, kListNotUnderstood},
          {3, kListNotFound},
          {4, "card not found in ZZ, only in AB"},
          {5, kListNotUnderstood},
          {6, kListTooMany},
          {7, kListNotUnderstood},
          {9, kListNotUnderstood}}},
        // A name printed in other editions than the one asked for says which ones have it.
        {"other editions",
         "2 Forest (CD)\n1 Stone Idol [ab]\n",
         {},
         {{1, "card not found in CD, only in BL, AB"}, {2, "card not found in ab, only in CD"}}},
        // A zone may not grow beyond what a deck file reads back.
        {"too many",
         "60000 Ember Whelp\n60000 Tide Call\nSB: 60000 Tide Call\n",
         {{false, 60000, 6}, {true, 60000, 8}},
         {{2, kListTooMany}}},
    };
    TCardsList cards;
    test::FillTestWorld(cards);
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TDeckList list = ReadDeckList(c.text, cards);
        ASSERT_EQ(list.Cards.size(), c.cards.size());
        for (size_t i = 0; i < c.cards.size(); ++i) {
            EXPECT_EQ(list.Cards[i].Sideboard, c.cards[i].sideboard) << i;
            EXPECT_EQ(list.Cards[i].Count, c.cards[i].count) << i;
            EXPECT_EQ(list.Cards[i].Position, c.cards[i].position) << i;
        }
        ASSERT_EQ(list.Problems.size(), c.problems.size());
        for (size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(list.Problems[i].Line, c.problems[i].line) << i;
            EXPECT_EQ(list.Problems[i].Reason, c.problems[i].reason) << i;
        }
    }
}

TEST(DeckList, RoundTripThroughADeckFile) {
    TCardsList cards;
    test::FillTestWorld(cards);
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    test::TempDir dir;
    const std::string list =
        "8 Forest\r\n2 Ember Whelp\r\n1 Ashen Gate - East\r\n\r\nSideboard\r\n2 Plains\r\n"
        "1 Tide Call\r\n";
    const TDeckList read = ReadDeckList(list, cards);
    EXPECT_TRUE(read.Problems.empty());
    TDeckZones zones;
    FillZones(zones, cards, read);
    EXPECT_EQ(zones.Main.Lands[1], 8);
    const std::string deck =
        dir.Write("a.dec", FormatDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands,
                                              zones.Sideboard.Entries, zones.Sideboard.Lands));
    TDeckZones back;
    ASSERT_TRUE(ReadDeckIntoZones(back, cards, deck, false, false));
    EXPECT_EQ(FormatDeckList(cards, back), list);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(DeckList, BytesQuestionAndProblemLines) {
    // UTF-8 (with its mark) becomes the data's Windows-1252; other bytes stay as they are.
    EXPECT_EQ(DecodeListBytes("\xEF\xBB\xBF"
                              "1 Caf\xC3\xA9"),
              "1 Caf\xE9");
    EXPECT_EQ(DecodeListBytes("1 Caf\xE9"), "1 Caf\xE9");
    std::vector<TListProblem> problems;
    for (int line = 1; line <= 22; ++line)
        problems.push_back({line, "x" + std::to_string(line), kListNotUnderstood});
    const std::string question = ImportProblemsQuestion(problems);
    EXPECT_TRUE(question.starts_with("22 lines were not understood or not found:\n1: x1 - not understood\n"));
    EXPECT_NE(question.find("\n20: x20 - not understood\n... and 2 more\nImport the rest?"),
              std::string::npos);
    EXPECT_EQ(question.find("x21"), std::string::npos);
}

TEST(DeckList, WrittenWithCrLfLineEnds) {
    test::TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {"4 A\n2 B", "4 A\r\n2 B"}, {"4 A\r\n2 B\n", "4 A\r\n2 B\r\n"}, {"\n\r\r\n", "\r\n\r\r\n"}, {"", ""}};
    for (const auto& [text, bytes] : cases) {
        WriteListFile(dir / "list.txt", text);
        EXPECT_EQ(test::TempDir::Read(dir / "list.txt"), bytes) << text;
    }
}
