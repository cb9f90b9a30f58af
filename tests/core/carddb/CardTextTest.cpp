#include "core/carddb/CardText.h"
#include "core/infra/Error.h"

#include <gtest/gtest.h>

using namespace tovel;

namespace {

TCardItem Parsed(std::string_view cost) {
    TCardItem card;
    ParseCost(card, cost);
    return card;
}

int Hybrid(std::string_view symbol) {
    for (size_t i = 0; i < HybridSymbols.size(); ++i)
        if (HybridSymbols[i] == symbol)
            return 7 + static_cast<int>(i);
    return -1;
}

} // namespace

TEST(ParseCost, WorkedExamples) {
    const TCardItem threeGG = Parsed("3GG");
    EXPECT_EQ(threeGG.Generic, 3);
    EXPECT_EQ(threeGG.SymbolCounts[2], 2);
    EXPECT_EQ(threeGG.ConvertedCost, 5);
    EXPECT_EQ(threeGG.Color, TCardColor::G);
    EXPECT_EQ(threeGG.Cost, "3GG");

    const TCardItem xr = Parsed("XR");
    EXPECT_EQ(xr.XCount, 1);
    EXPECT_EQ(xr.Color, TCardColor::R);
    EXPECT_EQ(xr.ConvertedCost, 1);

    EXPECT_EQ(Parsed("1WU").Color, TCardColor::Z);

    const TCardItem two = Parsed("2");
    EXPECT_EQ(two.Color, TCardColor::A);
    EXPECT_EQ(two.ConvertedCost, 2);

    const TCardItem none = Parsed("");
    EXPECT_EQ(none.Color, TCardColor::L);
    EXPECT_EQ(none.ConvertedCost, 0);

    const TCardItem marker = Parsed("{ }");
    EXPECT_TRUE(marker.NoCost);
    EXPECT_EQ(marker.Color, TCardColor::U);
    EXPECT_EQ(marker.ConvertedCost, 0);
}

TEST(ParseCost, MultiDigitGenericAndColourOrder) {
    const TCardItem ten = Parsed("10");
    EXPECT_EQ(ten.Generic, 10);
    EXPECT_EQ(ten.ConvertedCost, 10);
    EXPECT_EQ(ten.Color, TCardColor::A);

    // A number standing after symbols is still the generic amount.
    const TCardItem late = Parsed("G12");
    EXPECT_EQ(late.Generic, 12);
    EXPECT_EQ(late.ConvertedCost, 13);
    EXPECT_EQ(late.Color, TCardColor::G);

    // Colourless first, then a colour: the colour wins.
    EXPECT_EQ(Parsed("X1B").Color, TCardColor::B);
    // The same colour twice stays that colour; a second colour makes it multicolour.
    EXPECT_EQ(Parsed("BB").Color, TCardColor::B);
    EXPECT_EQ(Parsed("BBG").Color, TCardColor::Z);
    EXPECT_EQ(Parsed("XX").XCount, 2);
    EXPECT_EQ(Parsed("XX").Color, TCardColor::A);
}

TEST(ParseCost, HybridSymbolsCountAtTheirIndexButNotInConvertedCost) {
    const TCardItem card = Parsed("2(r / w)(r / w)");
    EXPECT_EQ(card.Generic, 2);
    EXPECT_EQ(card.SymbolCounts[Hybrid("(r / w)")], 2);
    EXPECT_EQ(card.Color, TCardColor::Z);
    EXPECT_EQ(card.ConvertedCost, 2);
    // Upper-case hybrid letters match too.
    EXPECT_EQ(Parsed("(U / B)").SymbolCounts[Hybrid("(u / b)")], 1);
    // Every one of the ten symbols is recognised at its own index.
    for (size_t i = 0; i < HybridSymbols.size(); ++i)
        EXPECT_EQ(Parsed(HybridSymbols[i]).SymbolCounts[7 + i], 1) << HybridSymbols[i];
}

TEST(ParseCost, SplitCostsFillBothHalves) {
    const TCardItem card = Parsed("1G /  / 2U");
    EXPECT_TRUE(card.IsSplit);
    EXPECT_EQ(card.Generic, 1);
    EXPECT_EQ(card.Generic2, 2);
    EXPECT_EQ(card.SymbolCounts[2], 1);
    EXPECT_EQ(card.SymbolCounts2[4], 1);
    EXPECT_EQ(card.ConvertedCost, 2);
    EXPECT_EQ(card.ConvertedCost2, 3);
    EXPECT_EQ(card.Color, TCardColor::Z);
    EXPECT_EQ(card.Cost, "1G /  / 2U"); // stored as written

    // X and hybrids in the second half go to the second half's fields.
    const TCardItem second = Parsed("R /  / X(g / w)");
    EXPECT_EQ(second.XCount, 0);
    EXPECT_EQ(second.XCount2, 1);
    EXPECT_EQ(second.SymbolCounts2[Hybrid("(g / w)")], 1);
    EXPECT_EQ(second.SymbolCounts[Hybrid("(g / w)")], 0);
}

TEST(ParseCost, BadSymbolsFail) {
    for (std::string_view bad : {"gg", "1 G", "{2}", "(r/w)", "G/", "(x / y)", "(r / w"}) {
        TCardItem card;
        try {
            ParseCost(card, bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Can't parse mana cost") << bad;
        }
    }
    // A generic amount beyond any integer is a parse error, not an overflow.
    TCardItem huge;
    EXPECT_THROW(ParseCost(huge, "99999999999999999999G"), Error);
}

TEST(IsManaCost, RecognisesCostLines) {
    for (std::string_view cost : {"1WW", "XX", "{ }", "", "  ", "1/1", "2(r / w)", " 3G ", "1G /  / 2U"})
        EXPECT_TRUE(IsManaCost(cost)) << cost;
    for (std::string_view other : {"Creature - Wolf", "Flying", "gg", "1 W", "Land"})
        EXPECT_FALSE(IsManaCost(other)) << other;
}

TEST(IsPowerToughness, RecognisesPowerToughness) {
    for (std::string_view pt : {"1/1", "*/*", "1+*/1+*", " 10/12 "})
        EXPECT_TRUE(IsPowerToughness(pt)) << pt;
    for (std::string_view other : {"-1/1", "5", "", "1/1a", "Flying"})
        EXPECT_FALSE(IsPowerToughness(other)) << other;
}

TEST(TypeClass, FirstWordDecides) {
    EXPECT_EQ(TypeClass("Creature - Wolf"), TCardType::Creature);
    EXPECT_EQ(TypeClass("Artifact Creature - Golem"), TCardType::ArtifactCreature);
    EXPECT_EQ(TypeClass("Artifact"), TCardType::Artifact);
    EXPECT_EQ(TypeClass("Instant"), TCardType::Instant);
    EXPECT_EQ(TypeClass("Sorcery"), TCardType::Sorcery);
    EXPECT_EQ(TypeClass("Enchantment - Aura"), TCardType::Enchantment);
    EXPECT_EQ(TypeClass("Land"), TCardType::Land);
    EXPECT_EQ(TypeClass("Basic Land - Forest"), TCardType::Basic);
    EXPECT_EQ(TypeClass("Snow Instant"), TCardType::Other);
    EXPECT_EQ(TypeClass("creature - Wolf"), TCardType::Other);                  // case-sensitive
    EXPECT_EQ(TypeClass("  Artifact   Creature"), TCardType::ArtifactCreature); // runs of blanks
    EXPECT_EQ(TypeClass(""), TCardType::Other);
}

namespace {

TCardItem Typed(std::string_view type, std::string_view name = "N") {
    TCardItem card;
    card.TypeLine = type;
    card.Name = name;
    return card;
}

} // namespace

TEST(CompareByType, ClassOrderThenWordsThenLength) {
    // "Legendary" does not change the class: a legendary creature is still a creature.
    EXPECT_EQ(TypeClass("Creature - Wolf"), TCardType::Creature);
    EXPECT_EQ(CompareByType(Typed("Legendary Creature - Wolf"), Typed("Artifact Creature - Golem")), -1);

    const std::vector<std::string_view> ordered = {"Creature - Wolf",
                                                   "Artifact Creature - Golem",
                                                   "Instant",
                                                   "Sorcery",
                                                   "Enchantment",
                                                   "Artifact",
                                                   "Land",
                                                   "Basic Land - Forest",
                                                   "Tribal Instant"};
    for (size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_EQ(CompareByType(Typed(ordered[i]), Typed(ordered[i + 1])), -1) << ordered[i];
        EXPECT_EQ(CompareByType(Typed(ordered[i + 1]), Typed(ordered[i])), 1) << ordered[i];
    }
    // Within a class, word by word in byte order: capitals before small letters.
    EXPECT_EQ(CompareByType(Typed("Creature - Wolf"), Typed("Creature - elf")), -1);
    EXPECT_EQ(CompareByType(Typed("Creature - Bear"), Typed("Creature - Wolf")), -1);
    // Equal words so far: the shorter full type line comes first.
    EXPECT_EQ(CompareByType(Typed("Creature"), Typed("Creature - Wolf")), -1);
    // Equal type lines fall back to colour, rarity (R first), name.
    TCardItem a = Typed("Instant", "Alpha"), b = Typed("Instant", "Beta");
    EXPECT_EQ(CompareByType(a, b), -1);
    a.Rarity = TRarity::C;
    b.Rarity = TRarity::R;
    EXPECT_EQ(CompareByType(a, b), 1);
}
