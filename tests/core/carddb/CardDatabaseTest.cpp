#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardText.h"
#include "core/carddb/Editions.h"
#include "core/infra/Error.h"
#include "core/infra/Process.h"
#include "support/ChildProcess.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace tovel;
using tovel::test::ScriptedPrompter;
using tovel::test::TempDir;

namespace {

// Every shape a record can take: "+" fields, split, hybrid, X and "{ }" costs, no cost,
// power/toughness, rules text with ";" and none at all.
const std::string kBase = "AB;Ember Whelp;C;4;;AB+CD+;\r\n"
                          "1R;Creature - Drake;1/1;\r\n"
                          "Flying; haste\r\n"
                          "When it dies, you gain 1 life.\r\n"
                          "\r\n"
                          "CD;Ember Whelp;U;6;D+T+;AB+CD+;\r\n"
                          "X(r / w)(r / w);Sorcery;;\r\n"
                          "\r\n"
                          "AB;Split Decision;R;10;;;\r\n"
                          "1G /  / 2U;Instant;;\r\n"
                          "Choose one;\r\n"
                          "\r\n"
                          "AB;Quiet Shroud;U;0;;;\r\n"
                          "{ };Enchantment;;\r\n"
                          "\r\n"
                          "9E;Forest;L;5;;;\r\n"
                          ";Basic Land - Forest;;\r\n"
                          "\r\n";

std::string WithLf(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(LoadCardDatabase, ReadsEveryFieldAndSavesTheSameBytes) {
    TempDir dir;
    const std::string file = dir.Write("base.txt", kBase);
    TCardsList cards;
    LoadCardDatabase(cards, file, "");
    ASSERT_EQ(cards.Count(), 5);
    const TCardItem& whelp = cards.Items(1);
    EXPECT_EQ(whelp.Edition, "CD");
    EXPECT_EQ(whelp.Rarity, TRarity::U);
    EXPECT_EQ(whelp.Value, 6);
    EXPECT_EQ(whelp.BannedFormats, "D;T;");
    EXPECT_EQ(whelp.Printings, "AB+CD+"); // the file's text, read as codes
    EXPECT_TRUE(PrintingsHold(whelp.Printings, "CD"));
    EXPECT_FALSE(PrintingsHold(whelp.Printings, "C"));
    EXPECT_EQ(whelp.XCount, 1);
    EXPECT_EQ(whelp.Color, TCardColor::Z);
    const auto text = cards.Text(cards.Items(0));
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0], "Flying; haste");
    EXPECT_EQ(cards.Items(0).PowerToughness, "1/1");
    EXPECT_TRUE(cards.Items(2).IsSplit);
    EXPECT_EQ(cards.Items(2).ConvertedCost2, 3);
    EXPECT_TRUE(cards.Items(3).NoCost);
    EXPECT_EQ(cards.Items(4).Color, TCardColor::L); // empty cost
    EXPECT_EQ(cards.Items(4).ConvertedCost, 0);

    const std::string out = dir / "saved.txt";
    SaveCardDatabase(cards, out);
    EXPECT_EQ(TempDir::Read(out), kBase);

    // LF and lone CR line ends read the same; the writer always writes CR LF.
    LoadCardDatabase(cards, dir.Write("lf.txt", WithLf(kBase)), "");
    EXPECT_EQ(CardDatabaseText(cards), kBase);
    std::string crOnly = WithLf(kBase);
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    LoadCardDatabase(cards, dir.Write("cr.txt", crOnly), "");
    EXPECT_EQ(CardDatabaseText(cards), kBase);
}

TEST(LoadCardDatabase, LastRecordWithoutEmptyLineKeepsItsLastTextLine) {
    TCardsList cards;
    LoadCardDatabaseText(cards, "AB;Tide Caller;C;5;;;\r\nU;Creature - Merfolk;1/2;\r\nDraw a card.", "");
    ASSERT_EQ(cards.Count(), 1);
    ASSERT_EQ(cards.Text(cards.Items(0)).size(), 1u);
    EXPECT_EQ(cards.Text(cards.Items(0))[0], "Draw a card.");
}

// Card texts are kept in compact views whose length field stops short of 64 KiB: longer texts
// (a name, a type line, a rules line) must still read and save whole.
TEST(LoadCardDatabase, TextsOf64KiBAndMoreReadAndSaveWhole) {
    const std::string name(70000, 'n');
    const std::string type = "Creature - " + std::string(65535 - 11, 't');
    const std::string rule(65534, 'r');
    const std::string base = "AB;" + name + ";C;4;;AB+;\r\n1R;" + type + ";1/1;\r\n" + rule + "\r\n\r\n";
    TCardsList cards;
    LoadCardDatabaseText(cards, base, "");
    ASSERT_EQ(cards.Count(), 1);
    EXPECT_EQ(cards.Items(0).Name, name);
    EXPECT_EQ(cards.Items(0).TypeLine.size(), 65535u);
    EXPECT_EQ(cards.Text(cards.Items(0))[0], rule);
    EXPECT_EQ(cards.IndexOf(name, "ab"), 0);
    EXPECT_EQ(CardDatabaseText(cards), base);
}

TEST(LoadCardDatabase, FilterIsASubstringTestOnCodeAndSemicolon) {
    const std::string text = "ED1;A;C;5;;;\r\n;;;\r\n\r\n"
                             "D1;B;C;5;;;\r\n;;;\r\n\r\n"
                             "ED3;C;C;5;;;\r\n;;;\r\n\r\n"
                             "ED2;D;C;5;;;\r\n;;;\r\n\r\n";
    TCardsList cards;
    LoadCardDatabaseText(cards, text, "ED1;ED2;");
    ASSERT_EQ(cards.Count(), 3);
    EXPECT_EQ(cards.Items(0).Name, "A");
    EXPECT_EQ(cards.Items(1).Name, "B"); // "D1;" occurs inside "ED1;"
    EXPECT_EQ(cards.Items(2).Name, "D");
}

TEST(LoadCardDatabase, BadRecordsStopWithTheLoadersMessage) {
    struct Case {
        const char* what;
        std::string text;
        std::string message;
        int cardsKept;
    };
    const Case cases[] = {
        {"lower-case rarity", "AB;Bad;c;5;;;\r\n;;;\r\n\r\n", "AB;Bad;c;5;;; - can't read card info", 1},
        {"extra empty line", "AB;Ok;C;5;;;\r\n;;;\r\n\r\n\r\nAB;Next;C;5;;;\r\n;;;\r\n\r\n",
         " - can't read card info", 2},
        {"value not a number", "AB;Bad;C;five;;;\r\n;;;\r\n\r\n", "'five' is not a valid integer value", 1},
        {"bad cost", "AB;Bad;C;5;;;\r\ngg;Creature;;\r\n\r\n", "Can't parse mana cost", 1},
        {"name in 1252 converted for the message", "AB;Caf\xE9;x;5;;;\r\n;;;\r\n\r\n",
         "AB;Caf\xC3\xA9;x;5;;; - can't read card info", 1},
        {"NUL shown, reason kept", std::string("VR;X;\0;5;;;\r\n;;;\r\n\r\n", 19),
         "VR;X;\\0;5;;; - can't read card info", 1},
        {"long line quoted briefly", "AB;" + std::string(5000, 'n') + ";q;5;;;\r\n;;;\r\n",
         "AB;" + std::string(197, 'n') + "\xE2\x80\xA6 - can't read card info", 1},
        {"long value quoted briefly", "AB;Bad;C;" + std::string(5000, '9') + ";;;\r\n;;;\r\n",
         "'" + std::string(200, '9') + "\xE2\x80\xA6' is not a valid integer value", 1},
        {"cut after a head line", kBase + "AB;Cut;C;5;;;\r\n", "AB;Cut;C;5;;; - the record has no cost line",
         5},
        {"cut inside a head line", kBase + "AB;Cut;C;5", "AB;Cut;C;5 - the record has no cost line", 5},
    };
    for (const Case& c : cases) {
        TCardsList cards;
        EXPECT_EQ(ErrorOf([&] { LoadCardDatabaseText(cards, c.text, ""); }), c.message) << c.what;
        EXPECT_EQ(cards.Count(), c.cardsKept) << c.what;
    }
    TCardsList cards;
    EXPECT_NE(ErrorOf([&] { LoadCardDatabase(cards, "/nonexistent/base.txt", ""); }), "(no error)");
    // A cut record is found even when the filter skips its edition.
    EXPECT_EQ(ErrorOf([&] { LoadCardDatabaseText(cards, kBase + "ZZ;Cut;C;5;;;\r\n", "AB;"); }),
              "ZZ;Cut;C;5;;; - the record has no cost line");
}

TEST(SaveCardDatabase, FailedSaveLeavesTheOldFileAndReports) {
    TempDir dir;
    const std::string file = dir.Write("base.txt", kBase);
    TCardsList cards;
    LoadCardDatabaseText(cards, "AB;Other;C;5;;;\r\n;;;\r\n\r\n", "");
    // A file-size limit below the new file's size makes the write fail, even for root.
    const int code = tovel::test::RunInChild([&] {
        IgnoreFileSizeLimitSignal();
        tovel::test::LimitFileSize(8);
        try {
            SaveCardDatabase(cards, file);
        } catch (const Error&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(TempDir::Read(file), kBase);
}

TEST(SaveCardDatabase, SavingOverTheLoadedFileKeepsTheCardsValid) {
    TempDir dir;
    const std::string file = dir.Write("base.txt", kBase);
    TCardsList cards;
    LoadCardDatabase(cards, file, "");
    SaveCardDatabase(cards, file);
    SaveCardDatabase(cards, file); // the cards still view the old, renamed-over mapping
    EXPECT_EQ(TempDir::Read(file), kBase);
}

TEST(CheckCardDatabase, ReportsEveryBadRecordWithItsHeadLineAsItIsFound) {
    const std::string text = "AB;One;C;5;;;\r\n;;;\r\n\r\n"
                             "AB;Two;Q;5;;;\r\n;;;\r\ntext\r\n\r\n"
                             "AB;Three;C;x;;;\r\n;;;\r\n\r\n"
                             "AB;Four;C;5;;;\r\n1Q;;;\r\n\r\n"
                             "AB;Five;R;5;;;\r\n;;;\r\n\r\n"
                             "AB;Cut;R;5;;;\r\n";
    std::vector<TRecordProblem> seen;
    const TCheckCounts counts =
        CheckCardDatabase(text, [&](const TRecordProblem& problem) { seen.push_back(problem); });
    EXPECT_EQ(counts.Cards, 2);
    EXPECT_EQ(counts.Problems, 4);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].Line, 4);
    EXPECT_EQ(seen[0].Message, "AB;Two;Q;5;;; - can't read card info");
    EXPECT_EQ(seen[1].Line, 8);
    EXPECT_EQ(seen[2].Line, 11);
    EXPECT_EQ(seen[2].Message, "Can't parse mana cost");
    EXPECT_EQ(seen[3].Line, 17);
    EXPECT_EQ(seen[3].Message, "AB;Cut;R;5;;; - the record has no cost line");
}

TEST(ComputePrintings, ListsEditionsInEditionListOrderCaseInsensitively) {
    TTextList editions;
    editions.Lines = {"ZZ;Last Printed First", "E;Plain", "1E;Suffix of E", "ab;Lower", "NOPE;Unused"};
    TCardsList cards;
    for (auto [edition, name] : {std::pair{"AB", "Gale"},
                                 {"E", "gale"},
                                 {"ZZ", "GALE"},
                                 {"1E", "Gale"},
                                 {"QQ", "Gale"},
                                 {"ZZ", "Lone"}}) {
        TCardItem& card = cards.Add(edition);
        card.Name = cards.Store(name);
    }
    ComputePrintings(cards, editions);
    // "E" is listed although "1E;" ends with "E;"; "QQ" is not in the editions list.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(cards.Items(i).Printings, "ZZ;E;1E;ab;") << i;
    EXPECT_EQ(cards.Items(5).Printings, "ZZ;");
}

// A code repeated in the editions list counts once (its time is measured by
// BM_ComputePrintingsRepeatedCodes).
TEST(ComputePrintings, ARepeatedCodeCountsOnce) {
    TTextList editions;
    editions.Lines.assign(1'000, "AB;Again");
    editions.Lines.insert(editions.Lines.begin() + 5, "CD;Other");
    TCardsList cards;
    for (int i = 0; i < 2000; ++i) {
        TCardItem& card = cards.Add(i % 2 ? "AB" : "CD");
        card.Name = cards.Store("Card " + std::to_string(i / 2));
    }
    ComputePrintings(cards, editions);
    EXPECT_EQ(cards.Items(0).Printings, "AB;CD;");
    EXPECT_EQ(cards.Items(1999).Printings, "AB;CD;");
}

TEST(Editions, LoadTrimsDropsEmptyLinesAndKeepsOldListOnMissingFile) {
    TempDir dir;
    TTextList list;
    LoadEditionList(list, dir.Write("editions.txt", "  AB;First Tide \r\n\r\n   \r\nCD;Second\nEF\r\n"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "AB;First Tide");
    EXPECT_EQ(list.Name(0), "AB");
    EXPECT_EQ(list.Value(0), "First Tide");
    EXPECT_EQ(list.Name(2), "EF");
    EXPECT_EQ(list.Value(2), "");
    EXPECT_EQ(list.IndexOfName("CD"), 1);
    EXPECT_EQ(list.IndexOfName("cd"), -1);
    EXPECT_THROW(LoadFormatList(list, dir / "missing.txt"), Error);
    EXPECT_EQ(list.Count(), 3);
}

TEST(FilterDialog, ChecksFromFiltersAndFormatsAndBack) {
    TTextList editions;
    ReadTextListLines(editions, "AB;First Tide;x\r\nCD;Second\r\nABC;Third\r\n");
    TTextList formats;
    ReadTextListLines(formats, "Standard;CD;ABC;\r\nOpen;AB\r\n");
    EXPECT_EQ(EditionCaption(editions, 0), "[AB] First Tide");
    EXPECT_EQ(FormatName(formats, 1), "Open");
    using Checks = std::vector<bool>;
    struct FilterCase {
        std::string editions;
        Checks expected;
    };
    const FilterCase filters[] = {{"", {true, true, true}},
                                  {"NONE", {false, false, false}},
                                  {"ABC;", {false, false, true}},
                                  {"AB;CD", {true, false, false}}};
    for (const FilterCase& c : filters)
        EXPECT_EQ(FilterChecks({c.editions, false}, editions), c.expected) << c.editions;
    // None, All, the formats' codes (the last one without ";" selects nothing), past the end.
    const std::pair<int, std::optional<Checks>> choices[] = {{0, Checks{false, false, false}},
                                                             {1, Checks{true, true, true}},
                                                             {2, Checks{false, true, true}},
                                                             {3, Checks{false, false, false}},
                                                             {4, std::nullopt}};
    for (const auto& [choice, expected] : choices)
        EXPECT_EQ(FormatChoiceChecks(choice, formats, editions), expected) << choice;
    const TCardFilter some = FilterOfChecks(editions, {true, false, true}, true);
    EXPECT_EQ(some.Editions, "AB;ABC;");
    EXPECT_TRUE(some.LegalIn);
    EXPECT_EQ(FilterOfChecks(editions, {false, false, false}, false).Editions, "NONE");
}

TEST(FilterMatches, BothModes) {
    TCardItem card;
    card.Printings = "AB;CD;";
    struct Case {
        std::string editions;
        bool legalIn;
        std::string_view edition;
        const TCardItem* card;
        bool expected;
    };
    const Case cases[] = {
        {"", false, "XX", nullptr, true},        {"NONE", false, "NONE", nullptr, false},
        {"CD;", false, "CD", &card, true},       {"CD;", false, "AB", &card, false}, // own edition only
        {"cd;", false, "CD", &card, false},                                          // letter case matters
        {"XX;;CD;", false, "CD", nullptr, true}, {"CD;", true, "AB", &card, true},   // any printing
        {"CD;", true, "AB", nullptr, false}, // no card: never in this mode
        {"C;", true, "AB", &card, false},    // whole codes only
        {"EF;", true, "CD", &card, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterMatches({c.editions, c.legalIn}, c.edition, c.card), c.expected)
            << c.editions << " " << c.legalIn << " " << c.edition;
}
