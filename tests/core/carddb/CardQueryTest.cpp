#include "core/carddb/CardQuery.h"

#include "core/collection/OwnedCounts.h"
#include "core/infra/Error.h"
#include "support/HandMadeCards.h"

#include <gtest/gtest.h>

#include <string>

namespace tovel {
namespace {

using test::AddTestCard;

// A small world with one card for each shape a term must tell apart.
class CardQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 0
        TCardItem& whelp = AddTestCard(cards, "AB", "Ember Whelp", TRarity::C, "1R", "Creature - Whelp", 6);
        whelp.PowerToughness = "2/1";
        whelp.Printings = "AB+CD+"; // as loaded from base.txt
        cards.AppendTextLine(whelp, cards.Store("When Ember Whelp arrives,"));
        cards.AppendTextLine(whelp, cards.Store("draw a card."));
        // 1
        TCardItem& tender = AddTestCard(cards, "AB", "Grove Tender", TRarity::U, "2G", "Creature - Druid", 7);
        tender.PowerToughness = "*/3";
        tender.Printings = "AB;";
        tender.BannedFormats = "D;";
        // 2: a split card, red on one half and white on the other
        TCardItem& split = AddTestCard(cards, "CD", "Fire / Ice", TRarity::R, "1R /  / 2W", "Instant", 9);
        split.Printings = "CD;";
        // 3: one hybrid symbol gives two colours
        TCardItem& hybrid =
            AddTestCard(cards, "CD", "Zephul Rusk\xED Hound", TRarity::U, "1(g / w)", "Creature - Hound", 8);
        hybrid.PowerToughness = "3/3";
        hybrid.Printings = "CD;";
        cards.AppendTextLine(hybrid, cards.Store("Draw a card."));
        // 4: colourless
        TCardItem& idol = AddTestCard(cards, "EF", "Stone Idol", TRarity::R, "4", "Artifact", 5);
        idol.Printings = "EF;";
        for (const char* line : {"Sacrifice it:", "gain", "3 life."})
            cards.AppendTextLine(idol, cards.Store(line));
        // 5: a land without any cost
        TCardItem& flats = AddTestCard(cards, "EF", "Glimmer Flats", TRarity::L, "", "Land", 2);
        flats.Printings = "EF;";
        formats.Lines = {"Standard;AB;", "Old;CD;EF;"};
    }

    std::string Positions(const std::string& query) {
        TQueryContext context;
        context.Formats = &formats;
        TCardQuery compiled = TCardQuery::Compile(query, context);
        compiled.SetOwned(owned);
        std::string result;
        for (int p : SearchCards(cards, compiled))
            result += std::to_string(p);
        return result;
    }

    TCardsList cards;
    TTextList formats;
    std::vector<int32_t> owned;
};

TEST_F(CardQueryTest, EveryTermHoldsWhereItShould) {
    struct Row {
        const char* query;
        const char* positions;
    };
    const Row rows[] = {
        {"", "012345"},
        {"whelp", "0"},
        {"\"E ID\"", "4"}, // a phrase holds blanks; texts fold case
        {"rusk\xCD", "3"}, // accented letters fold too
        {"n=\"stone idol\"", "4"},
        {"n=stone", ""},
        {"name!=\"stone idol\"", "01235"},
        {"t:creature", "013"},
        {"type:CREATURE -t:druid", "03"},
        {"o:\"arrives, draw\"", "0"}, // the rules text's lines are joined with one blank
        {"o:\"arrives,draw\"", ""},
        {"o:\"it: gain 3\"", "4"}, // across two joins
        {"o:\" gain \"", "4"},     // a whole middle line, both joins' blanks
        {"o=\"when ember whelp arrives, draw a card.\"", "0"},
        {"o=\"draw a card.\"", "3"},
        {"o!=\"draw a card.\"", "01245"},
        {"o:draw", "03"},
        {"e:cd", "23"},
        {"edition!=cd", "0145"},
        {"in:cd", "023"},
        {"r:u", "13"},
        {"r>=u", "1234"},
        {"r<c", "5"},
        {"rarity!=r", "0135"},
        {"c:g", "13"}, // the hybrid symbol is green
        {"c:w", "23"}, // the split card's second half is white
        {"c:wu", "23"},
        {"c:c", "45"},
        {"c:m", "23"},
        {"c:gm", "123"},
        {"c=rw", "2"},
        {"c!=r", "12345"},
        {"c<=gw", "1345"}, // colourless cards hold
        {"c<gw", "145"},
        {"c>=w", "23"},
        {"c>w", "23"},
        {"cmc=5", "2"}, // both halves add up
        {"mv<=2", "035"},
        {"cmc>3", "24"},
        {"pow>=2", "03"},
        {"pow<10", "03"}, // "*" never holds a comparison
        {"pow!=100", "03"},
        {"tou=3", "13"},
        {"v>=7", "123"},
        {"value:5", "4"},
        {"f:standard", "01"},
        {"format=OLD", "02345"},
        {"banned:D", "1"},
        {"banned:d", ""}, // format letters are case-sensitive
        {"own>0", "4"},
        {"own=0", "01235"},
    };
    owned = {0, 0, 0, 0, 2};
    for (const Row& row : rows)
        EXPECT_EQ(Positions(row.query), row.positions) << "query: " << row.query;
}

TEST_F(CardQueryTest, AndBindsTighterThanOrAndParenthesesGroup) {
    struct Row {
        const char* query;
        const char* positions;
    };
    const Row rows[] = {
        {"c:r t:creature", "0"},
        {"c:r and t:creature", "0"},
        {"c:r AND t:creature", "0"},
        {"t:land or c:r t:creature", "05"}, // (c:r and t:creature) or t:land
        {"c:r t:creature or t:land", "05"},
        {"c:r (t:creature or t:instant)", "02"},
        {"-(c:r or c:g)", "45"},
        {"--whelp", "0"},
        {"-c:r -t:land", "134"},
        {"whelp Or idol", "04"},
        {"\"or\" or whelp", "0"}, // a quoted "or" is a word of the name
    };
    for (const Row& row : rows)
        EXPECT_EQ(Positions(row.query), row.positions) << "query: " << row.query;
}

TEST_F(CardQueryTest, BadQueriesNameTheColumnAndTheReason) {
    struct Row {
        const char* query;
        const char* message;
    };
    const Row rows[] = {
        {"x:1", "Bad search at column 1: unknown field \"x\""},
        {"whelp t:", "Bad search at column 9: a value is missing after \"t\""},
        {"cmc>=three", "Bad search at column 6: a number is needed, not \"three\""},
        {"o:\"draw a card", "Bad search at column 3: the quote is not closed"},
        {"(c:r or c:g", "Bad search at column 1: the parenthesis is not closed"},
        {"c:r)", "Bad search at column 4: unexpected \")\""},
        {"()", "Bad search at column 1: the parentheses hold nothing"},
        {"or whelp", "Bad search at column 1: \"or\" stands without a term before or after it"},
        {"whelp or", "Bad search at column 7: \"or\" stands without a term before or after it"},
        {"whelp and or idol", "Bad search at column 7: \"and\" stands without a term before or after it"},
        {">=3", "Bad search at column 1: \">\" stands without a field"},
        {"cmc>>3", "Bad search at column 5: stray \">\""},
        {"- whelp", "Bad search at column 1: \"-\" must stand directly before a term"},
        {"t<x", "Bad search at column 2: \"<\" does not go with \"t\""},
        {"r:x", "Bad search at column 3: a rarity is L, C, U or R"},
        {"c:wx", "Bad search at column 4: a colour is one of W, U, B, R, G, C or M"},
        {"c=m", "Bad search at column 3: \"m\" goes only with \":\""},
        {"f:nosuch", "Bad search at column 3: unknown format \"nosuch\""},
        {"cmc!3", "Bad search at column 4: \"!\" must be followed by \"=\""},
        {"\"\"", "Bad search at column 1: the quotes hold nothing"},
    };
    for (const Row& row : rows) {
        try {
            Positions(row.query);
            ADD_FAILURE() << "accepted: " << row.query;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), row.message) << "query: " << row.query;
        }
    }
}

// Deep nesting and huge queries are refused instead of exhausting the stack or memory.
TEST_F(CardQueryTest, RefusesNestingAndLengthBeyondItsLimits) {
    EXPECT_THROW(Positions(std::string(5000, '(') + "x" + std::string(5000, ')')), Error);
    EXPECT_THROW(Positions(std::string(5000, '-') + "x"), Error);
    EXPECT_THROW(Positions(std::string(20000, 'x')), Error);
    EXPECT_EQ(Positions(std::string(50, '(') + "whelp" + std::string(50, ')')), "0");
}

// A query of many terms takes other ways (texts searched together, tables of whole texts and
// codes, tests gathered per group, cards matched a block at a time): each term, repeated in an
// And and in an Or, negated, among terms of its kind that never hold, or in a long query, must
// give what it gives alone.
TEST_F(CardQueryTest, ManyTermsGiveWhatOneGives) {
    struct Row {
        const char* term;
        const char* never; // a term of its kind that holds for no card, or null
    };
    const Row rows[] = {
        {"whelp", "zq"},
        {"\"E ID\"", "\"E IQ\""},
        {"rusk\xCD", "rusq"},
        {"n=\"stone idol\"", "n=stone"},
        {"name!=\"stone idol\"", nullptr},
        {"t:creature", "t:creatures"},
        {"o:\"arrives, draw\"", "o:\"arrives,draw\""},
        {"o:\"it: gain 3\"", "o:\"it: gain 4\""},
        {"o:\" gain \"", "o:\" gains \""},
        {"o=\"draw a card.\"", "o=\"draw a card\""},
        {"o!=\"draw a card.\"", nullptr},
        {"o=\"sacrifice it: gain 3 life.\"", "o=\"sacrifice it: gain 3 life\""},
        {"e:cd", "e:c"},
        {"in:cd", "in:d"},
        {"r>=u", "r<l"},
        {"c:gm", nullptr},
        {"c<=gw", nullptr},
        {"c=rw", "c=rwu"},
        {"cmc=5", "cmc<0"},
        {"pow>=2", "pow>10"},
        {"pow!=100", nullptr},
        {"tou=3", "tou=4"},
        {"v>=7", "v>9"},
        {"f:standard", nullptr},
        {"format=OLD", nullptr},
        {"banned:D", "banned:d"},
        {"own>0", "own>2"},
    };
    owned = {0, 0, 0, 0, 2};
    std::string padding; // terms that every card holds, enough to make the query a long one
    for (int i = 0; i < 16; ++i)
        padding += " -zq" + std::to_string(i);
    for (const Row& row : rows) {
        const std::string term = row.term;
        const std::string alone = Positions(term);
        const std::string negated = Positions("-" + term);
        const std::string four = term + " " + term + " " + term + " " + term;
        const std::string anyOfFour = term + " or " + term + " or " + term + " or " + term;
        EXPECT_EQ(Positions(four), alone) << four;
        EXPECT_EQ(Positions(anyOfFour), alone) << anyOfFour;
        EXPECT_EQ(Positions("(" + anyOfFour + ") (" + four + ")"), alone) << anyOfFour;
        EXPECT_EQ(Positions("-" + term + " -" + term + " -" + term + " -" + term), negated) << term;
        EXPECT_EQ(Positions("-(" + anyOfFour + ")"), negated) << anyOfFour;
        EXPECT_EQ(Positions("(" + anyOfFour + ") (" + four + ")" + padding), alone) << term;
        EXPECT_EQ(Positions("-(" + anyOfFour + ")" + padding), negated) << term;
        // Among terms of other kinds that never hold, each tried its own way.
        const std::string mixed = "(cmc<0 or e:zz or " + term + " or o:zq or n=zq or c=wubrg)";
        EXPECT_EQ(Positions(mixed), alone) << mixed;
        EXPECT_EQ(Positions(mixed + padding), alone) << mixed;
        EXPECT_EQ(Positions("-" + mixed + padding), negated) << mixed;
        if (row.never) {
            const std::string never = row.never;
            const std::string among = never + " or " + term + " or " + never + " or " + never;
            EXPECT_EQ(Positions(among), alone) << among;
            EXPECT_EQ(Positions("-" + never + " -" + never + " " + term + " -" + never), alone) << term;
        }
    }
}

// A query is refused beyond 1,000 terms, 10,000 characters or a nesting of 200; up to them it
// is read.
TEST_F(CardQueryTest, LengthLimits) {
    const auto repeat = [](const std::string& text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += text;
        return out;
    };
    struct Row {
        std::string query;
        const char* message; // empty: accepted
    };
    const Row rows[] = {
        {repeat("x ", 1000), ""},
        {repeat("x ", 1001), "Bad search at column 2001: the search has more than 1000 terms"},
        {repeat("-x or ", 999) + "\"a b\"", ""}, // "or" is no term; "-x" and a phrase are one
        {repeat("-x or ", 1000) + "\"a b\"",
         "Bad search at column 6001: the search has more than 1000 terms"},
        {repeat("(", 200) + "x" + repeat(")", 200), ""},
        {repeat("(", 201) + "x" + repeat(")", 201),
         "Bad search at column 202: the search is nested too deeply"},
        {"o:\"" + std::string(9996, 'a') + "\"", ""}, // 10,000 characters
        {"o:\"" + std::string(9997, 'a') + "\"",
         "Bad search at column 10001: the search is longer than 10000 characters"},
    };
    for (const Row& row : rows) {
        try {
            Positions(row.query);
            EXPECT_EQ(std::string(), row.message) << row.query.substr(0, 40);
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), row.message) << row.query.substr(0, 40);
        }
    }
}

// Owned copies are summed over the inventory lines of a printing, matched as IndexOf matches.
TEST(OwnedCountsTest, SumsTheLinesOfEachPrinting) {
    TCardsList cards;
    AddTestCard(cards, "AB", "Ember Whelp", TRarity::C);
    AddTestCard(cards, "CD", "Ember Whelp", TRarity::C);
    TInventoryList inventory;
    const auto add = [&](const char* edition, const char* name, int count) {
        TInventoryItem& item = inventory.Add();
        item.Edition = edition;
        item.Name = name;
        item.Count = count;
    };
    add("AB", "Ember Whelp", 2);
    add("ab", "EMBER WHELP", 3);
    add("ZZ", "Ember Whelp", 7); // not in the database
    EXPECT_EQ(OwnedCounts(cards, inventory), (std::vector<int32_t>{5, 0}));
}

// The inventory is asked only by a query that reads it; without one nothing is owned.
TEST(CompileCardSearch, AsksTheInventoryOnlyForOwn) {
    TCardsList cards;
    AddTestCard(cards, "AB", "Ember Whelp", TRarity::C).Printings = "AB;";
    AddTestCard(cards, "CD", "Grove Tender", TRarity::C).Printings = "CD;";
    TInventoryList inventory;
    TInventoryItem& item = inventory.Add();
    item.Edition = "CD";
    item.Name = "Grove Tender";
    item.Count = 2;
    TTextList formats;
    ReadTextListLines(formats, "Open;CD;\r\n");
    struct Case {
        const char* query;
        bool haveInventory;
        int asked;
        std::vector<int32_t> owned;
        std::vector<int> found;
    };
    const Case cases[] = {
        {"own>0", true, 1, {0, 2}, {1}},
        {"own>0", false, 1, {}, {}},
        {"f:open", true, 0, {}, {1}},
    };
    for (const Case& c : cases) {
        int asked = 0;
        std::vector<int32_t> owned{9};
        const TCardQuery query = CompileCardSearch(
            c.query, formats, cards,
            [&]() -> const TInventoryList* {
                ++asked;
                return c.haveInventory ? &inventory : nullptr;
            },
            owned);
        EXPECT_EQ(asked, c.asked) << c.query;
        EXPECT_EQ(owned, c.owned) << c.query;
        EXPECT_EQ(SearchCards(cards, query), c.found) << c.query;
    }
    bool asked = false;
    std::vector<int32_t> owned;
    const TOwnedFrom ownedFrom = [&]() -> const TInventoryList* {
        asked = true;
        return &inventory;
    };
    EXPECT_THROW(CompileCardSearch("own>", formats, cards, ownedFrom, owned), Error);
    EXPECT_FALSE(asked);
}

} // namespace
} // namespace tovel
