#include "LimitedWorld.h"

#include "core/infra/Error.h"
#include "core/limited/Booster.h"

#include <gtest/gtest.h>

#include <set>

using namespace tovel;
using tovel::test::AddEdition;
using tovel::test::AddLimitedCard;
using tovel::test::SetEditions;

namespace {

struct CountCase {
    const char* text;
    int rares, uncommons, commons;
};

// The count text is read character by character; unreadable numbers give the letter's default.
TEST(ParseBoosterConfig, ReadsCountsByTheirClosingLetter) {
    const CountCase cases[] = {
        {"1R3U11C", 1, 3, 11}, {"2R", 2, 0, 0},  {"R", 1, 0, 0},    {"xU", 0, 3, 0},   {"5", 0, 0, 0},
        {"10C", 0, 0, 10},     {"R3U", 1, 3, 0}, {"2R5R", 5, 0, 0}, {"1r3u", 0, 0, 0}, {"", 0, 0, 0},
        {"C", 0, 0, 11},       {"1R2", 1, 0, 0}, {"-1R", -1, 0, 0},
    };
    for (const CountCase& c : cases) {
        const TBoosterConfig config = ParseBoosterConfig(c.text);
        EXPECT_EQ(config.Rares, c.rares) << c.text;
        EXPECT_EQ(config.Uncommons, c.uncommons) << c.text;
        EXPECT_EQ(config.Commons, c.commons) << c.text;
    }
}

TEST(SpecialConfigs, LoadInFileOrderAndApplyOnlyByExactName) {
    const TPackCompositions compositions = ReadPackCompositions(
        IniDocument("[specialboosters]\r\nBBB=2R\r\nAAA=1R3U\r\n[SpecialStarters]\r\nAAA=10C\r\n"));
    ASSERT_EQ(compositions.Boosters.size(), 2u);
    EXPECT_EQ(compositions.Boosters[0].Name, "BBB");
    EXPECT_EQ(compositions.Boosters[1].Rares, 1);
    ASSERT_EQ(compositions.Starters.size(), 1u);
    EXPECT_EQ(compositions.Of(TPackShape::Starter, "AAA").Commons, 10);
    EXPECT_EQ(compositions.Of(TPackShape::Booster, "bbb").Commons, 11); // case-sensitive: default
    EXPECT_EQ(compositions.Of(TPackShape::Booster, "").Rares, 1);
    EXPECT_EQ(compositions.Of(TPackShape::Starter, "").Commons, 32);

    // A file that is not there holds no special compositions.
    const TPackCompositions none = ReadPackCompositions(std::string("/nonexistent/boosters.ini"));
    EXPECT_TRUE(none.Boosters.empty());
    EXPECT_TRUE(none.Starters.empty());
}

TEST(FindComplexPack, MatchesTheKeyExactlyInFileOrder) {
    const IniDocument ini("[Complex]\r\nx=AAA+BBB\r\nX=CCC+DDD\r\nX=EEE+FFF\r\n");
    EXPECT_EQ(FindComplexPack(ini, "X"), "CCC+DDD");
    EXPECT_EQ(FindComplexPack(ini, "x"), "AAA+BBB");
    EXPECT_EQ(FindComplexPack(ini, "Y"), "");
    EXPECT_EQ(FindComplexPack(IniDocument(), "X"), "");
}

TEST(EditionCards, PoolsHoldTheEditionsCardsByRarityInListOrder) {
    TCardsList cards;
    AddLimitedCard(cards, "AAA", "Land", TRarity::L, 1);     // 0: never in a pool
    AddLimitedCard(cards, "AAA", "Rare", TRarity::R, 1);     // 1
    AddLimitedCard(cards, "aaa", "Other", TRarity::C, 1);    // 2: code differs in case
    AddLimitedCard(cards, "AAA", "Common", TRarity::C, 1);   // 3
    AddLimitedCard(cards, "BBB", "Common", TRarity::C, 1);   // 4
    AddLimitedCard(cards, "AAA", "Unc", TRarity::U, 1);      // 5
    AddLimitedCard(cards, "AAA", "Common 2", TRarity::C, 1); // 6
    TEditionCards pools;
    pools.Commons.Add(99); // emptied by the load
    pools.LoadEdition(cards, "AAA");
    EXPECT_EQ(pools.Rares.Raw(), (std::vector<int32_t>{1}));
    EXPECT_EQ(pools.Uncommons.Raw(), (std::vector<int32_t>{5}));
    EXPECT_EQ(pools.Commons.Raw(), (std::vector<int32_t>{3, 6}));
}

class PackTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddEdition(cards, "AAA", 6, 12, 40);
        AddEdition(cards, "BBB", 5, 10, 35);
    }

    // Rarity of every card in the pack, and checks that hold for every pack.
    std::string Shape(const TIntegerList& pack) {
        std::string shape;
        std::set<int32_t> seen;
        for (int32_t index : pack) {
            const TCardItem& card = cards.Items(index);
            EXPECT_TRUE(seen.insert(index).second) << "card twice: " << card.Name;
            EXPECT_TRUE(IsDraftable(card)) << card.Name;
            EXPECT_NE(card.Rarity, TRarity::L);
            shape += RarityLetter(card);
        }
        return shape;
    }

    TCardsList cards;
    TEditionCards pools;
    RandomSource random{7};
};

TEST_F(PackTest, BoostersAndStartersDrawRaresThenUncommonsThenCommons) {
    pools.LoadEdition(cards, "AAA");
    for (int round = 0; round < 50; ++round) {
        TIntegerList booster;
        GenerateBooster(booster, pools, "", true, random);
        EXPECT_EQ(Shape(booster), "R" + std::string(3, 'U') + std::string(11, 'C'));
        TIntegerList starter;
        GenerateStarter(starter, pools, "", true, random);
        EXPECT_EQ(Shape(starter), std::string(3, 'R') + std::string(10, 'U') + std::string(32, 'C'));
        for (int32_t index : starter)
            EXPECT_EQ(cards.Items(index).Edition, "AAA");
    }
}

TEST_F(PackTest, FreshEmptiesTheTargetOtherwiseTheDrawAppendsWithoutDuplicates) {
    pools.LoadEdition(cards, "BBB");
    TIntegerList pack;
    pack.Add(0);
    GenerateBooster(pack, pools, "", true, random);
    EXPECT_EQ(pack.Count(), 15);
    // Appending a second booster of the same edition never repeats a card of the first.
    GenerateBooster(pack, pools, "", false, random);
    EXPECT_EQ(Shape(pack).size(), 30u);
}

struct ShortfallCase {
    const char* special; // the composition drawn for edition SSS
    const char* message;
};

// A pool that cannot fill its count fails at once, naming the rarity, and draws nothing.
TEST_F(PackTest, APoolTooSmallForTheCompositionFailsBeforeDrawing) {
    // SSS: 2 rares (one banned in draft), 3 uncommons, 5 commons; the banned cards don't count.
    AddLimitedCard(cards, "SSS", "S R1", TRarity::R, 5);
    AddLimitedCard(cards, "SSS", "S R2", TRarity::R, 5, "1G", "D");
    for (int i = 0; i < 3; ++i)
        AddLimitedCard(cards, "SSS", "S U" + std::to_string(i), TRarity::U, 5);
    for (int i = 0; i < 5; ++i)
        AddLimitedCard(cards, "SSS", "S C" + std::to_string(i), TRarity::C, 5);
    const ShortfallCase cases[] = {
        {"2R", "Not enough rare cards in edition SSS"},
        {"1R4U", "Not enough uncommon cards in edition SSS"},
        {"1R3U6C", "Not enough common cards in edition SSS"},
    };
    pools.LoadEdition(cards, "SSS");
    for (const ShortfallCase& c : cases) {
        pools.Compositions.Boosters = {ParseBoosterConfig(c.special)};
        pools.Compositions.Boosters[0].Name = "SSS";
        TIntegerList pack;
        pack.Add(3);
        try {
            GenerateBooster(pack, pools, "SSS", true, random);
            ADD_FAILURE() << c.special << " drew a pack";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(pack.Raw(), (std::vector<int32_t>{3})) << "the target changed";
    }
    // Exactly enough is fine: every acceptable card once.
    pools.Compositions.Boosters[0] = ParseBoosterConfig("1R3U5C");
    pools.Compositions.Boosters[0].Name = "SSS";
    TIntegerList pack;
    GenerateBooster(pack, pools, "SSS", true, random);
    EXPECT_EQ(Shape(pack), "RUUUCCCCC");

    // An empty pool, and the cards a composite's earlier member took, count as missing too.
    TEditionCards nothing;
    nothing.LoadEdition(cards, "ZZZ");
    EXPECT_THROW(GenerateBooster(pack, nothing, "", true, random), Error);
    EXPECT_THROW(GenerateBooster(pack, pools, "SSS", false, random), Error);
}

TEST_F(PackTest, TableBoostersAreEightIndependentPacks) {
    pools.LoadEdition(cards, "AAA");
    TBoosterList boosters;
    GenerateTableBoosters(boosters, pools, "", true, random);
    ASSERT_EQ(boosters.Count(), 8);
    std::set<std::vector<int32_t>> distinct;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Shape(boosters.Items(i).Cards).size(), 15u);
        distinct.insert(boosters.Items(i).Cards.Raw());
    }
    EXPECT_GT(distinct.size(), 1u);
    pools.LoadEdition(cards, "BBB");
    GenerateTableBoosters(boosters, pools, "", false, random);
    ASSERT_EQ(boosters.Count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(cards.Items(boosters.Items(i).Cards.Items(15)).Edition, "BBB");
}

TEST_F(PackTest, SpecialCompositionsApplyOnlyToCompositeMembers) {
    pools.Compositions = ReadPackCompositions(
        IniDocument("[SpecialBoosters]\nAAA=2R\nBBB=1U2C\n[SpecialStarters]\nAAA=1R1U1C\nBBB=2C\n"));
    std::string last;
    TIntegerList pack;
    FillPacks("AAA", TPackShape::Booster, pack, pools, cards, last, random);
    EXPECT_EQ(Shape(pack), "RUUUCCCCCCCCCCC"); // a plain edition: always the default
    EXPECT_EQ(last, "AAA");

    FillPacks("AAA+BBB", TPackShape::Booster, pack, pools, cards, last, random);
    EXPECT_EQ(Shape(pack), "RRUCC");
    EXPECT_EQ(cards.Items(pack.Items(2)).Edition, "BBB");
    FillPacks("AAA+BBB", TPackShape::Starter, pack, pools, cards, last, random);
    EXPECT_EQ(Shape(pack), "RUCCC");

    // Two members naming one edition still never repeat a card; runs of "+" are one separator.
    for (int round = 0; round < 30; ++round) {
        FillPacks("AAA++AAA", TPackShape::Booster, pack, pools, cards, last, random);
        EXPECT_EQ(Shape(pack), "RRRR");
    }
}

// Every draftable common wanted draws the whole pool, each card once (its time is measured by
// BM_WholePoolBooster).
TEST(GeneratePack, ACompositionAsLargeAsThePoolDrawsItWhole) {
    TCardsList cards;
    test::AddEdition(cards, "BIG", 0, 0, 2'000);
    TEditionCards pools;
    pools.LoadEdition(cards, "BIG");
    pools.Compositions.Boosters = {{"BIG", 2'000, 0, 0}};
    RandomSource random(5);
    TIntegerList pack;
    GenerateBooster(pack, pools, "BIG", true, random);
    ASSERT_EQ(pack.Count(), 2'000);
    EXPECT_EQ(std::set<int32_t>(pack.begin(), pack.end()).size(), 2'000u); // the banned card stays out
}

TEST(PackChoices, CompositesTakeTheirFirstMembersPlaceAndHideTheirMembers) {
    TTextList editions;
    SetEditions(editions, {"AAA", "BBB", "CCC", "DDD", "EEE"});
    TTextList choices;
    BuildPackChoices(choices, editions, IniDocument("[Complex]\nX=BBB+CCC\nY=BBB+EEE\nZ=QQQ+DDD;\n"));
    // Y starts with BBB too, so only X is offered; Z's first member is no edition, so it is not
    // offered, and its members (trailing ";" dropped) are hidden all the same.
    ASSERT_EQ(choices.Count(), 2);
    EXPECT_EQ(choices[0], "AAA;Edition AAA");
    EXPECT_EQ(choices[1], "X;Edition BBB");

    TTextList plain;
    BuildPackChoices(plain, editions, IniDocument());
    EXPECT_EQ(plain.Lines, editions.Lines);
}

TEST(ResolvePackName, EditionCodesStayOtherNamesGoThroughComplex) {
    TTextList editions;
    SetEditions(editions, {"AAA", "BBB"});
    const IniDocument ini("[Complex]\nX=AAA+BBB;\naaa=BBB+BBB\nEmpty=\nSemi=;\nPluses=++\n");
    EXPECT_EQ(ResolvePackName("AAA", editions, ini), "AAA");
    EXPECT_EQ(ResolvePackName("X", editions, ini), "AAA+BBB");
    EXPECT_EQ(ResolvePackName("aaa", editions, ini), "BBB+BBB"); // not an edition: case counts
    for (const char* bad : {"ZZZ", "x", "Empty", "Semi", "Pluses", ""}) {
        try {
            ResolvePackName(bad, editions, ini);
            ADD_FAILURE() << bad << " resolved";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Incorrect booster config") << bad;
        }
    }
}

// A damaged boosters.ini: every bad line is reported once with its number, the composite packs
// it spoils are refused (not offered, not drawn), and the sound ones still work.
TEST(CheckBoostersIni, EachBadLineOnceAndOnlyTheSpoiltPacksRefused) {
    TTextList editions;
    SetEditions(editions, {"AAA", "BBB", "CCC", "DDD"});
    const std::string text = "; packs\r\n"           // 1
                             "[Complex]\r\n"         // 2
                             "Good=AAA+BBB\r\n"      // 3
                             "Zero=CCC+DDD\r\n"      // 4: CCC's booster has a count of 0
                             "Tiny=BBB+BBB\r\n"      // 5: 2 + 2 cards
                             "Ghost=AAA+QQQ\r\n"     // 6: no edition QQQ
                             "Good=CCC+CCC\r\n"      // 7: the first Good is used
                             "[SpecialBoosters]\r\n" // 8
                             "AAA=1R3U5C\r\n"        // 9
                             "BBB=1R1C\r\n"          // 10
                             "CCC=0R3U5C\r\n"        // 11
                             "DDD=2M\r\n"            // 12: M is no rarity
                             "[SpecialStarters]\r\n" // 13
                             "AAA=-2R10C\r\n"        // 14
                             "DDD=3U3U\r\n"          // 15
                             "just words\r\n"        // 16
                             "[Extra]\r\n";          // 17
    const TBoosterIniCheck check = CheckBoostersIni(IniDocument(text), editions);
    const std::vector<std::pair<int, std::string>> expected = {
        {5, "a booster of 4 cards (a pack holds 8 to 200)"},
        {6, "no edition QQQ"},
        {7, "a second entry for Good (the first is used)"},
        {11, "a count below 1 (0R)"},
        {12, "\"2M\" is not closed by R, U or C"},
        {14, "a count below 1 (-2R)"},
        {15, "the letter U is given twice"},
        {16, "not a key=value line"},
        {17, "a section the file does not use ([Complex], [SpecialBoosters], [SpecialStarters])"},
    };
    ASSERT_EQ(check.Problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(check.Problems[i].Line, expected[i].first);
        EXPECT_EQ(check.Problems[i].Reason, expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(BoosterProblemText(check.Problems[0]),
              "Data/boosters.ini, line 5: Tiny=BBB+BBB - a booster of 4 cards (a pack holds 8 to 200)");
    // Good's starter takes AAA's bad starter line with it; Zero its member's booster line.
    EXPECT_EQ(check.RefusedPacks, (std::vector<std::string>{"Good", "Zero", "Tiny", "Ghost"}));
    EXPECT_EQ(check.ProblemOf("Zero")->Line, 11);

    const IniDocument ini(text);
    TTextList choices;
    BuildPackChoices(choices, editions, ini);
    EXPECT_EQ(choices.Lines, (std::vector<std::string>{})); // every edition is a member, no pack is sound
    try {
        ResolvePackName("Zero", editions, ini);
        ADD_FAILURE() << "a refused pack resolved";
    } catch (const Error& e) {
        EXPECT_STREQ(
            e.what(),
            "Incorrect booster config (Data/boosters.ini, line 11: CCC=0R3U5C - a count below 1 (0R))");
    }
    EXPECT_EQ(ResolvePackName("DDD", editions, ini), "DDD"); // a single edition always works

    // The sample's own file is sound.
    EXPECT_TRUE(CheckBoostersIni(IniDocument("[Complex]\nX=AAA+BBB\n[SpecialBoosters]\nAAA=1R3U5C\nBBB=1U5C\n"
                                             "[SpecialStarters]\nAAA=2R6U16C\nBBB=R3U12C\n"),
                                 editions)
                    .Problems.empty());
}

TEST(RandomSource, SameSeedSameSequenceAndEveryValueInRange) {
    RandomSource a(42), b(42);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int x = a.Random(6);
        EXPECT_EQ(x, b.Random(6));
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 6);
        seen.insert(x);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(a.Random(0), 0);
    EXPECT_EQ(a.Random(1), 0);
}

} // namespace
