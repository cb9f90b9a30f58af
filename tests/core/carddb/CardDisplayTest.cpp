#include "core/carddb/CardDisplay.h"
#include "core/carddb/CardText.h"

#include <gtest/gtest.h>

using namespace tovel;

namespace {

TCardItem Parsed(std::string_view cost) {
    TCardItem card;
    ParseCost(card, cost);
    return card;
}

// The images of a cost in drawing order, with the x positions checked to be 16 apart except
// for the one empty place of a split card.
std::vector<int> Images(const std::vector<TCostSymbol>& symbols) {
    std::vector<int> images;
    for (const TCostSymbol& s : symbols)
        images.push_back(s.image);
    return images;
}

std::vector<int> Xs(const std::vector<TCostSymbol>& symbols) {
    std::vector<int> xs;
    for (const TCostSymbol& s : symbols)
        xs.push_back(s.x);
    return xs;
}

} // namespace

TEST(CardDisplay, PictureNameDropsTheFirstColonAndDoubleSlash) {
    struct Case {
        const char* name;
        const char* file;
    } cases[] = {{"Ashen Gate", "Ashen Gate"},
                 {"Vow: Ember", "Vow Ember"},    // the blank after the colon stays
                 {"A:B:C", "AB:C"},              // only the first colon
                 {"Rise // Fall", "Rise  Fall"}, // only the slashes, blanks stay
                 {"Up: Down // Left // Right", "Up Down  Left // Right"}};
    for (const Case& c : cases)
        EXPECT_EQ(CardPictureFileName(c.name), c.file) << c.name;
    EXPECT_EQ(CardPicturePath("/pics/", "ab", "Vow: Ember"), "/pics//ab/Vow Ember.jpg");
    // An empty folder makes a path from the root, which is normally not found.
    EXPECT_EQ(CardPicturePath("", "ab", "X"), "/ab/X.jpg");
}

// Card data is Windows-1252, the file system's names are UTF-8: an accented name must be
// converted, or its picture is never found.
TEST(CardDisplay, PicturePathInTheFileSystemsEncoding) {
    EXPECT_EQ(CardPicturePath("/pics", "VR", "Zephul Rusk\xE9 Hound"),
              "/pics/VR/Zephul Rusk\xC3\xA9 Hound.jpg");
    EXPECT_EQ(CardPicturePath("/pics", "VR",
                              "Ash\x96"
                              "Born: \xC6on"),
              "/pics/VR/Ash\xE2\x80\x93"
              "Born \xC3\x86on.jpg");
}

TEST(CardDisplay, BackgroundColours) {
    struct Case {
        TCardColor color;
        TDisplayColor want;
    } cases[] = {{TCardColor::L, {false, 0, 128, 128}},
                 {TCardColor::A, {false, 0, 128, 128}},
                 {TCardColor::B, {false, 0, 0, 0}},
                 {TCardColor::G, {false, 0, 128, 0}},
                 {TCardColor::R, {false, 255, 0, 0}},
                 {TCardColor::U, {false, 0, 0, 255}},
                 {TCardColor::W, {true, 0, 0, 0}},
                 {TCardColor::Z, {false, 128, 128, 0}},
                 {TCardColor::HybridFirst, {false, 128, 128, 0}}};
    for (const Case& c : cases) {
        const TDisplayColor got = CardBackgroundColor(c.color);
        EXPECT_EQ(got.system, c.want.system) << int(c.color);
        if (!c.want.system) {
            EXPECT_EQ((std::array{got.r, got.g, got.b}), (std::array{c.want.r, c.want.g, c.want.b}))
                << int(c.color);
        }
    }
}

TEST(CardDisplay, BadgeNamesEditionThenLetter) {
    EXPECT_EQ(BadgeResourceNames("ab", TRarity::U), (std::vector<std::string>{"AB_U", "U"}));
    EXPECT_EQ(BadgeResourceNames("\xe9t", TRarity::R), (std::vector<std::string>{"\xc9T_R", "R"}));
    EXPECT_TRUE(BadgeResourceNames("ab", TRarity::L).empty());
}

TEST(CardDisplay, CostSymbolsByColour) {
    constexpr int G0 = kSymbolGenericFirst;
    struct Case {
        const char* cost;
        std::vector<int> images;
    } cases[] = {
        {"3GG", {G0 + 3, 1, 1}},                   // one colour: number, then its symbols (G is image 1)
        {"GG", {1, 1}},                            // one colour with no generic amount: no number
        {"X1B", {G0 + 1, kSymbolX, 0}},            // X after the number
        {"1WU", {G0 + 1, 3, 4}},                   // several colours in kind order: U (image 3) before W (4)
        {"2(r / w)(r / w)B", {G0 + 2, 0, 23, 23}}, // hybrids after the plain colours
        {"(u / b)", {32}},
        {"2", {G0 + 2}},                  // generic only
        {"XX", {G0, kSymbolX, kSymbolX}}, // X only: the number 0 is drawn
        {"0", {G0}},
        {"16", {G0 + 16}},
    };
    for (const Case& c : cases) {
        const TCardItem card = Parsed(c.cost);
        EXPECT_EQ(Images(CostSymbols(card)), c.images) << c.cost;
    }
    EXPECT_EQ(Xs(CostSymbols(Parsed("3GG"))), (std::vector<int>{1, 17, 33}));
}

TEST(CardDisplay, AmountsAbove16AreDrawnAsTheirNumber) {
    const auto symbols = CostSymbols(Parsed("17R"));
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0], (TCostSymbol{1, -1, 17}));
    EXPECT_EQ(symbols[1].image, 2);
}

TEST(CardDisplay, NoCostOrNoSymbolsDrawsNothing) {
    EXPECT_TRUE(CostSymbols(Parsed("")).empty());
    EXPECT_FALSE(CostVisible(Parsed("")));
    EXPECT_TRUE(CostSymbols(Parsed("{ }")).empty());
    EXPECT_FALSE(CostVisible(Parsed("{ }")));
}

// The second half follows one empty place; both halves are drawn by the card's one colour.
TEST(CardDisplay, SplitCardsLeaveOneEmptyPlace) {
    const TCardItem card = Parsed("1G /  / 2U");
    ASSERT_TRUE(card.IsSplit);
    const auto symbols = CostSymbols(card);
    EXPECT_EQ(Images(symbols), (std::vector<int>{kSymbolGenericFirst + 1, 1, kSymbolGenericFirst + 2, 3}));
    EXPECT_EQ(Xs(symbols), (std::vector<int>{1, 17, 49, 65}));
}
