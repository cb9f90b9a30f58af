#include "core/carddb/CardsDB.h"
#include "core/carddb/CardText.h"
#include "core/carddb/IntList.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tovel;

namespace {

TCardItem& AddCard(TCardsList& list, std::string_view edition, std::string_view name,
                   TRarity rarity = TRarity::C) {
    TCardItem& card = list.Add(edition);
    card.Name = list.Store(name);
    card.Rarity = rarity;
    return card;
}

} // namespace

TEST(TCardsList, AddGivesAnEmptyCommonOfTheEdition) {
    TCardsList list;
    const TCardItem& card = list.Add("AB");
    EXPECT_EQ(card.Edition, "AB");
    EXPECT_EQ(card.Rarity, TRarity::C);
    EXPECT_TRUE(card.Name.empty());
    EXPECT_TRUE(list.Text(card).empty());
    EXPECT_EQ(list.Count(), 1);
}

TEST(TCardsList, LookupsIgnoreAsciiCaseAndFindTheFirstMatch) {
    TCardsList list;
    AddCard(list, "AB", "Grove Tender");
    AddCard(list, "CD", "Grove Tender");
    AddCard(list, "ab", "GROVE TENDER"); // a duplicate of the first, found second
    EXPECT_EQ(list.IndexOf("grove tender", "Ab"), 0);
    EXPECT_EQ(list.IndexOf("Grove Tender", "CD"), 1);
    EXPECT_EQ(list.IndexOf("Grove Tender", "EF"), -1);
    EXPECT_EQ(list.IndexOfName("GROVE tender"), 0);
    EXPECT_EQ(list.IndexOfName("Grove"), -1);
    // Accented letters are not folded by the ASCII rule.
    AddCard(list, "AB", "\xC9lan");
    EXPECT_EQ(list.IndexOfName("\xE9lan"), -1);
    EXPECT_EQ(list.IndexOfName("\xC9LAN"), 3);
    // All at once: each card's first namesake, the index left in place.
    AddCard(list, "EF", "\xE9lan");
    EXPECT_EQ(list.FirstOfNames(), (std::vector<int32_t>{0, 0, 0, 3, 4}));
    EXPECT_EQ(list.IndexOf("GROVE TENDER", "cd"), 1);
}

TEST(TCardsList, IndexKeepsUpWithAddsBetweenLookupsAndWithClear) {
    TCardsList list;
    // Enough cards to make the index grow several times, with lookups in between.
    for (int i = 0; i < 5000; ++i) {
        AddCard(list, "E" + std::to_string(i % 7), "Card " + std::to_string(i));
        if (i % 997 == 0) {
            EXPECT_EQ(list.IndexOfName("Card " + std::to_string(i)), i);
        }
    }
    for (int i = 0; i < 5000; i += 371)
        EXPECT_EQ(list.IndexOf("card " + std::to_string(i), "e" + std::to_string(i % 7)), i);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOfName("Card 1"), -1);
    AddCard(list, "ZZ", "Card 1");
    EXPECT_EQ(list.IndexOfName("Card 1"), 0);
}

TEST(TCardsList, RenamingAfterALookupNeedsInvalidate) {
    TCardsList list;
    TCardItem& card = AddCard(list, "AB", "Old Name");
    EXPECT_EQ(list.IndexOfName("Old Name"), 0);
    card.Name = list.Store("New Name");
    list.InvalidateIndex();
    EXPECT_EQ(list.IndexOfName("New Name"), 0);
    EXPECT_EQ(list.IndexOfName("Old Name"), -1);
}

TEST(TCardsList, TextLinesStayWithTheirCard) {
    TCardsList list;
    TCardItem& a = AddCard(list, "AB", "A");
    TCardItem& b = AddCard(list, "AB", "B");
    list.AppendTextLine(a, "first");
    list.AppendTextLine(b, "other");
    list.AppendTextLine(a, "second; with a semicolon"); // a's lines are no longer at the end
    ASSERT_EQ(list.Text(a).size(), 2u);
    EXPECT_EQ(list.Text(a)[0], "first");
    EXPECT_EQ(list.Text(a)[1], "second; with a semicolon");
    ASSERT_EQ(list.Text(b).size(), 1u);
    EXPECT_EQ(list.Text(b)[0], "other");
}

TEST(TCardsList, CardAddressesSurviveGrowth) {
    TCardsList list;
    TCardItem* first = &AddCard(list, "AB", "First");
    // Past the chunks allocated one by one and across the big blocks that follow them.
    for (int i = 0; i < 70000; ++i)
        AddCard(list, "AB", "More");
    EXPECT_EQ(first->Name, "First");
    for (int position : {0, 2999, 8191, 8192, 69631, 69632, 70000})
        EXPECT_EQ(list.PositionOf(list.Items(position)), position);
    const TCardItem outside;
    EXPECT_EQ(list.PositionOf(outside), -1);

    // A swap (as a database build puts its cards in place) moves the positions with the cards.
    TCardsList other;
    AddCard(other, "CD", "Other");
    list.Swap(other);
    EXPECT_EQ(other.PositionOf(*first), 0);
    EXPECT_EQ(other.PositionOf(other.Items(3000)), 3000);
    EXPECT_EQ(list.PositionOf(list.Items(0)), 0);
    EXPECT_EQ(list.PositionOf(*first), -1);
}

TEST(CardOperations, CaptionsLettersAndDraftability) {
    TCardsList list;
    TCardItem& card = AddCard(list, "AB", "Grove Tender", TRarity::U);
    EXPECT_EQ(CardCaption(card), "U   Grove Tender");
    EXPECT_EQ(RarityLetter(TRarity::L), 'L');
    EXPECT_EQ(RarityLetter(TRarity::R), 'R');

    EXPECT_EQ(BasicLandIndex("Swamp"), 0);
    EXPECT_EQ(BasicLandIndex("Forest"), 1);
    EXPECT_EQ(BasicLandIndex("Plains"), 4);
    EXPECT_EQ(BasicLandIndex("forest"), 5);
    EXPECT_EQ(BasicLandIndex("Wastes"), 5);

    EXPECT_TRUE(IsDraftable(card));
    card.BannedFormats = "TD";
    EXPECT_FALSE(IsDraftable(card));
    card.BannedFormats = "d";
    EXPECT_TRUE(IsDraftable(card));

    EXPECT_EQ(ColorLetter(TCardColor::W), "W");
    EXPECT_EQ(ColorLetter(TCardColor::A), "A");
    EXPECT_EQ(ColorLetter(static_cast<TCardColor>(7)), "(r / w)");
}

namespace {

// Sorts cards by a mode and returns their names in order.
std::vector<std::string> SortedNames(const std::vector<TCardItem>& cards, TSortMode mode) {
    std::vector<const TCardItem*> order;
    for (const TCardItem& c : cards)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [mode](const TCardItem* a, const TCardItem* b) {
        return CompareBySortMode(mode, *a, *b) < 0;
    });
    std::vector<std::string> names;
    for (const TCardItem* c : order)
        names.emplace_back(c->Name);
    return names;
}

TCardItem Card(std::string_view name, TRarity rarity, std::string_view cost, int value,
               std::string_view type) {
    TCardItem card;
    card.Name = name;
    card.Rarity = rarity;
    ParseCost(card, cost);
    card.Value = value;
    card.TypeLine = type;
    return card;
}

} // namespace

TEST(SortModes, EachModeOrdersAsItsCaptionSays) {
    const std::vector<TCardItem> cards = {
        Card("Moss Wolf", TRarity::C, "1G", 6, "Creature - Wolf"),
        Card("Ash Giant", TRarity::R, "4RR", 9, "Creature - Giant"),
        Card("Bright Ward", TRarity::U, "W", 6, "Enchantment"),
        Card("Clockwork", TRarity::C, "X", 3, "Artifact"),
        Card("Forest", TRarity::L, "", 5, "Basic Land - Forest"),
    };
    EXPECT_EQ(SortedNames(cards, TSortMode::None),
              (std::vector<std::string>{"Moss Wolf", "Ash Giant", "Bright Ward", "Clockwork", "Forest"}));
    EXPECT_EQ(SortedNames(cards, TSortMode::Name),
              (std::vector<std::string>{"Ash Giant", "Bright Ward", "Clockwork", "Forest", "Moss Wolf"}));
    EXPECT_EQ(SortedNames(cards, TSortMode::Type),
              (std::vector<std::string>{"Ash Giant", "Moss Wolf", "Bright Ward", "Clockwork", "Forest"}));
    // Rarity descending: R, U, C (colour breaks the tie: G before A), L.
    EXPECT_EQ(SortedNames(cards, TSortMode::Rarity),
              (std::vector<std::string>{"Ash Giant", "Bright Ward", "Moss Wolf", "Clockwork", "Forest"}));
    // Colour: L, G, R, W, A.
    EXPECT_EQ(SortedNames(cards, TSortMode::Color),
              (std::vector<std::string>{"Forest", "Moss Wolf", "Ash Giant", "Bright Ward", "Clockwork"}));
    // Value descending; equal values (6) fall back to colour: G before W.
    EXPECT_EQ(SortedNames(cards, TSortMode::Value),
              (std::vector<std::string>{"Ash Giant", "Moss Wolf", "Bright Ward", "Forest", "Clockwork"}));
    // Converted cost ascending, then X count: Forest 0, Clockwork 0 with an X, Bright Ward 1, ...
    EXPECT_EQ(SortedNames(cards, TSortMode::CastingCost),
              (std::vector<std::string>{"Forest", "Clockwork", "Bright Ward", "Moss Wolf", "Ash Giant"}));
}

TEST(SortModes, CaptionsCycleThroughAllSeven) {
    TSortMode mode = TSortMode::None;
    std::vector<std::string> captions;
    for (int i = 0; i < kSortModeCount; ++i) {
        captions.emplace_back(SortModeCaption(mode));
        mode = NextSortMode(mode);
    }
    EXPECT_EQ(mode, TSortMode::None);
    EXPECT_EQ(captions, (std::vector<std::string>{"Sort: None", "Sort: Name", "Sort: Type", "Sort: Rarity",
                                                  "Sort: Color", "Sort: Value", "Sort: Casting cost"}));
}

TEST(SortModes, ValueTiesFallBackToColourRarityName) {
    TCardItem a = Card("Zed", TRarity::R, "G", 7, "");
    TCardItem b = Card("Amy", TRarity::C, "G", 7, "");
    TCardItem c = Card("Bob", TRarity::C, "G", 7, "");
    EXPECT_EQ(CompareByValue(a, b, true), -1);  // R before C
    EXPECT_EQ(CompareByValue(b, c, true), -1);  // then by name
    EXPECT_EQ(CompareByValue(a, b, false), -1); // ties do not reverse with the direction
}

TEST(TIntegerList, CopyFromReplacesInsteadOfAppending) {
    TIntegerList a, b;
    a.Add(1);
    a.Add(2);
    b.Add(9);
    b.CopyFrom(a);
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(b.Items(0), 1);
    EXPECT_EQ(b.IndexOf(2), 1);
    EXPECT_EQ(b.IndexOf(9), -1);
    b.Delete(0);
    EXPECT_EQ(b.Items(0), 2);
}

TEST(SortModes, OneEditionsPositionsSorted) {
    TCardsList list;
    AddCard(list, "AB", "Moss Wolf", TRarity::C);
    AddCard(list, "ABC", "Ash Giant", TRarity::R);
    AddCard(list, "AB", "Clockwork", TRarity::C);
    AddCard(list, "ab", "Bright Ward", TRarity::U);
    AddCard(list, "AB", "Ash Giant", TRarity::R);
    std::vector<int32_t> positions = CardsOfEdition(list, "AB");
    EXPECT_EQ(positions, (std::vector<int32_t>{0, 2, 4}));
    SortBySortMode(positions, list, TSortMode::None);
    EXPECT_EQ(positions, (std::vector<int32_t>{0, 2, 4}));
    SortBySortMode(positions, list, TSortMode::Name);
    EXPECT_EQ(positions, (std::vector<int32_t>{4, 2, 0}));
}
