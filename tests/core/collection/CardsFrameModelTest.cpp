#include "core/collection/CardsFrameModel.h"

#include "core/carddb/CardText.h"
#include "core/infra/Text.h"
#include "support/HandMadeCards.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <tuple>

using namespace tovel;

namespace {

struct CardsFrameModelTest : ::testing::Test {
    CardsFrameModelTest() {
        test::FillTestWorld(cards);
        cards.Items(6).Printings = "AB;CD;";
        Line("AB", "Tide Call", 2, 2, "b-note");
        Line("CD", "Stone Idol", 5, 0, "a-note");
        Line("AB", "Ember Whelp", 1, 0, "");
        Line("ZZ", "nowhere card", 3, 1, "c-note"); // unlinked
        Line("AB", "Grove Tender", 2, 0, "");
        model.OnCardSelected = [this] {
            ++selections;
        };
    }

    TInventoryItem& Line(const char* edition, const char* name, int count, int foil, const char* notes) {
        TInventoryItem& line = inventory.Add();
        line.Edition = edition;
        line.Name = name;
        line.Count = count;
        line.Foil = foil;
        line.Notes = notes;
        const int card = cards.IndexOf(name, edition);
        line.Card = card >= 0 ? &cards.Items(card) : nullptr;
        return line;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int r = 0; r < model.RowCount(); ++r)
            names.push_back(model.CellText(r, kColumnName));
        return names;
    }

    TCardsList cards;
    TInventoryList inventory;
    TCardsFrameModel model;
    int selections = 0;
};

using NameList = std::vector<std::string>;

} // namespace

TEST_F(CardsFrameModelTest, EachColumnSortsByItsKey) {
    model.SetInventoryList(&inventory);
    EXPECT_EQ(Names(), (NameList{"Ember Whelp", "Grove Tender", "Tide Call", "Stone Idol", "nowhere card"}));
    EXPECT_EQ(model.SelectedRow(), 0);
    EXPECT_EQ(model.CurrentCard(), &cards.Items(6));
    EXPECT_EQ(selections, 1);
    const struct {
        int column;
        NameList order;
    } cases[] = {
        {kColumnName,
         {"Ember Whelp", "Grove Tender", "Stone Idol", "Tide Call", "nowhere card"}}, // by byte codes
        {kColumnCount, {"Ember Whelp", "Grove Tender", "Tide Call", "nowhere card", "Stone Idol"}},
        {kColumnFoil, {"Ember Whelp", "Grove Tender", "Stone Idol", "nowhere card", "Tide Call"}},
        {kColumnNotes, {"Ember Whelp", "Grove Tender", "Stone Idol", "Tide Call", "nowhere card"}},
    };
    for (const auto& c : cases) {
        model.SetSortColumn(c.column);
        EXPECT_EQ(Names(), c.order) << c.column;
    }
    EXPECT_EQ(model.TotalCaption(), "Cards total: 13");
    EXPECT_EQ(model.DifferentCaption(), "Different cards: 5");
    EXPECT_EQ(model.CellText(4, kColumnFoil), "1");
    EXPECT_EQ(model.CellText(4, kColumnNotes), "c-note");
}

// A header clicked again sorts the other way, new lines take their places in that order, and
// another column starts ascending.
TEST_F(CardsFrameModelTest, AColumnClickedAgainSortsTheOtherWay) {
    model.SetInventoryList(&inventory);
    model.ClickColumn(kColumnName);
    EXPECT_FALSE(model.SortDescending());
    model.ClickColumn(kColumnName);
    EXPECT_TRUE(model.SortDescending());
    EXPECT_EQ(Names(), (NameList{"nowhere card", "Tide Call", "Stone Idol", "Grove Tender", "Ember Whelp"}));
    EXPECT_EQ(model.AddCopy(cards.Items(9), false), 3); // Sky-Hook Rigger
    EXPECT_EQ(model.CellText(3, kColumnName), "Sky-Hook Rigger");
    model.ClickColumn(kColumnCount);
    EXPECT_FALSE(model.SortDescending());
    EXPECT_EQ(model.CellText(0, kColumnName), "Ember Whelp");
    model.ClickColumn(kColumnCount);
    EXPECT_EQ(model.CellText(0, kColumnName), "Stone Idol");
    model.ClickColumn(kColumnCount);
    EXPECT_EQ(model.CellText(0, kColumnName), "Ember Whelp");
}

TEST_F(CardsFrameModelTest, EditionFilterModes) {
    const struct {
        TCardFilter filter;
        NameList shown;
    } cases[] = {
        {{"CD;", false}, {"Stone Idol"}},
        {{";ZZ;;AB", false}, {"Ember Whelp", "Grove Tender", "Tide Call", "nowhere card"}},
        {{"ab;", false}, {}},             // codes compare case-sensitively
        {{"CD;", true}, {"Ember Whelp"}}, // legal in: by the card's printings; unlinked never pass
        {{"ZZ;", true}, {}},
        {{"NONE", false}, {}},
        {{"", true}, {"Ember Whelp", "Grove Tender", "Tide Call", "Stone Idol", "nowhere card"}},
    };
    model.SetInventoryList(&inventory);
    for (const auto& c : cases) {
        model.SetFilter(c.filter);
        model.Rebuild();
        EXPECT_EQ(Names(), c.shown) << c.filter.Editions;
        EXPECT_EQ(model.DifferentCaption(), "Different cards: " + std::to_string(c.shown.size()));
    }
}

// A card search narrows what the edition filter lets through; unlinked lines never hold a
// search with terms, and the empty search keeps every line.
TEST_F(CardsFrameModelTest, QueryNarrowsTheFilteredRows) {
    model.SetInventoryList(&inventory);
    model.SetFilter({"AB;", false});
    const struct {
        const char* query;
        NameList shown;
    } cases[] = {
        {"t:creature", {"Ember Whelp", "Grove Tender"}},
        {"c:u or c:r", {"Ember Whelp", "Tide Call"}},
        {"", {"Ember Whelp", "Grove Tender", "Tide Call"}},
    };
    for (const auto& c : cases) {
        const TCardQuery query = TCardQuery::Compile(c.query);
        model.SetQuery(&query, &cards);
        model.Rebuild();
        EXPECT_EQ(Names(), c.shown) << c.query;
    }
    model.SetFilter({});
    const TCardQuery all = TCardQuery::Compile("");
    model.SetQuery(&all, &cards);
    model.Rebuild();
    EXPECT_EQ(model.RowCount(), 5);
    const TCardQuery some = TCardQuery::Compile("-t:creature");
    model.SetQuery(&some, &cards);
    model.Rebuild();
    EXPECT_EQ(Names(), (NameList{"Tide Call", "Stone Idol"}));
}

TEST_F(CardsFrameModelTest, SearchAndLocate) {
    model.SetInventoryList(&inventory);
    model.SetVisibleRows(2);
    EXPECT_EQ(model.Search("STONE"), 3); // ANSI case-insensitive prefix, display order
    EXPECT_EQ(model.TopRow(), 3);        // outside the page: scrolled to the top
    EXPECT_EQ(model.Search("Nowhere"), 4);
    EXPECT_EQ(model.TopRow(), 3); // inside the page: no scroll
    EXPECT_EQ(model.Search("Xyz"), -1);
    EXPECT_EQ(model.SelectedRow(), 4); // a prefix no name has leaves the selection
    EXPECT_EQ(model.Search(""), 0);
    EXPECT_EQ(model.TopRow(), 0);
    EXPECT_EQ(model.LocateCard(&cards.Items(8)), 2);
    EXPECT_EQ(model.CurrentCard(), &cards.Items(8));
    EXPECT_EQ(model.LocateCard(&cards.Items(9)), -1);

    // Accented letters fold by the ANSI rules.
    Line("AB", "\xC9lan Vital", 1, 0, "");
    model.Rebuild();
    EXPECT_EQ(model.Search("\xE9LAN"), 3);
}

TEST_F(CardsFrameModelTest, AddCopyGrowsALineOrAppendsOne) {
    model.SetInventoryList(&inventory);
    // An existing line grows in place.
    EXPECT_EQ(model.AddCopy(cards.Items(8), true), 2);
    EXPECT_EQ(inventory.Items(0).Count, 3);
    EXPECT_EQ(inventory.Items(0).Foil, 3);
    // A new card gets a new line, placed by its key.
    EXPECT_EQ(model.AddCopy(cards.Items(9), false), 3);
    EXPECT_EQ(model.CellText(3, kColumnName), "Sky-Hook Rigger");
    EXPECT_EQ(inventory.Count(), 6);
    EXPECT_EQ(model.CurrentCard(), &cards.Items(9));
    model.SetSortColumn(kColumnCount);

    // Sorted by count, adding copies does not move the row; a rebuild does.
    const int row = model.AddCopy(cards.Items(6), false);
    EXPECT_EQ(row, 0);
    model.AddCopy(cards.Items(6), false);
    model.AddCopy(cards.Items(6), false);
    EXPECT_EQ(model.CellText(0, kColumnName), "Ember Whelp");
    model.Rebuild();
    EXPECT_EQ(model.CellText(0, kColumnName), "Sky-Hook Rigger");

    // A line hidden by the filter is not found: a second line for the same card.
    model.SetFilter({"CD;", false});
    model.Rebuild();
    model.AddCopy(cards.Items(6), false);
    EXPECT_EQ(inventory.Count(), 7);
    EXPECT_EQ(inventory.Items(6).Name, "Ember Whelp");
}

TEST_F(CardsFrameModelTest, StatisticsFollowEveryCopy) {
    model.SetInventoryList(&inventory);   // 13 copies in 5 rows
    model.AddCopy(cards.Items(8), false); // an existing row
    model.AddCopy(cards.Items(9), true);  // a new row
    EXPECT_EQ(model.TotalCaption(), "Cards total: 15");
    EXPECT_EQ(model.DifferentCaption(), "Different cards: 6");
    model.RemoveCopy(0, false); // Ember Whelp's only copy: the row goes
    model.RemoveCopy(1, true);  // a foil of Tide Call, now the second row
    EXPECT_EQ(model.TotalCaption(), "Cards total: 13");
    EXPECT_EQ(model.DifferentCaption(), "Different cards: 5");
}

TEST_F(CardsFrameModelTest, RemoveCopyRules) {
    model.SetInventoryList(&inventory);
    model.SetSortColumn(kColumnName); // Ember, Grove, Stone, Tide, nowhere
    const struct {
        int count, foil;
        bool foilRemoval;
        int countAfter, foilAfter;
    } cases[] = {
        {2, 2, false, 1, 1},
        {2, 0, false, 1, 0},
        {3, 1, true, 2, 0},
        {2, 0, true, 2, 0},
    };
    for (const auto& c : cases) {
        TInventoryItem& line = model.RowLine(3);
        line.Count = c.count;
        line.Foil = c.foil;
        model.RemoveCopy(3, c.foilRemoval);
        EXPECT_EQ(line.Count, c.countAfter);
        EXPECT_EQ(line.Foil, c.foilAfter);
    }
    // The last copy removes the row and the line; the row at the same index is selected.
    model.RowLine(1).Count = 1;
    model.RemoveCopy(1, false);
    EXPECT_EQ(Names(), (NameList{"Ember Whelp", "Stone Idol", "Tide Call", "nowhere card"}));
    EXPECT_EQ(inventory.Find("Grove Tender", "AB"), -1);
    EXPECT_EQ(model.SelectedRow(), 1);
    EXPECT_EQ(model.CurrentCard(), &cards.Items(12));
    // A foil removal on a line with no foils but count 0 deletes it; the last row selects the new last.
    model.RowLine(3).Count = 0;
    model.RowLine(3).Foil = 0;
    model.RemoveCopy(3, true);
    EXPECT_EQ(model.RowCount(), 3);
    EXPECT_EQ(model.SelectedRow(), 2);
    // More foils than copies (as a file may have): the line still goes at the bottom.
    model.RowLine(0).Count = 0;
    model.RowLine(0).Foil = 1;
    model.RemoveCopy(0, true);
    EXPECT_EQ(model.RowCount(), 2);
    EXPECT_EQ(inventory.Count(), 2);
}

TEST_F(CardsFrameModelTest, NotesAndBaseLayout) {
    model.SetInventoryList(&inventory);
    EXPECT_FALSE(model.SetNotes("a;b"));
    EXPECT_FALSE(model.SetNotes("a\r\nb"));
    EXPECT_TRUE(model.SetNotes("signed"));
    EXPECT_EQ(model.RowLine(0).Notes, "signed");
    model.SetSortColumn(kColumnNotes);
    model.Select(1);
    model.SetNotes("zzz"); // does not move the row until the next rebuild
    EXPECT_EQ(model.CellText(1, kColumnNotes), "zzz");
    EXPECT_EQ(model.RowLine(1).Name, "Stone Idol");
    EXPECT_EQ(model.RowLine(4).Name, "Ember Whelp"); // "signed" sorts last

    TCardsFrameModel base;
    base.UseBaseLayout();
    TInventoryList list;
    FillBaseList(list, cards);
    base.SetSortColumn(kColumnCount); // no such column in this layout
    base.SetInventoryList(&list);
    EXPECT_EQ(base.ColumnCount(), 2);
    EXPECT_EQ(base.SortColumn(), kColumnEdition);
    EXPECT_EQ(base.RowCount(), cards.Count());
    EXPECT_EQ(base.TotalCaption(), "Cards total: 0");
    EXPECT_EQ(base.CellText(0, kColumnCount), "");

    TCardsFrameModel empty;
    EXPECT_EQ(empty.Search("a"), -1);
    EXPECT_FALSE(empty.SetNotes("x"));
    // A row outside the list removes nothing.
    const int rows = model.RowCount();
    const int32_t copies = model.RowLine(rows - 1).Count;
    model.RemoveCopy(rows, false);
    model.RemoveCopy(-1, false);
    EXPECT_EQ(model.RowCount(), rows);
    EXPECT_EQ(model.RowLine(rows - 1).Count, copies);
}

// The base layout shows chosen card columns after edition and name, sorts by any of them, and
// falls back to the edition when the sort column is taken away.
TEST_F(CardsFrameModelTest, BaseLayoutCardColumns) {
    TInventoryList list;
    FillBaseList(list, cards);
    TCardsFrameModel base;
    base.UseBaseLayout();
    base.SetCardColumns({kColumnValue, kColumnCost, kColumnFoil, kColumnValue});
    base.SetInventoryList(&list);
    ASSERT_EQ(base.ColumnCount(), 4);
    EXPECT_EQ(base.ColumnAt(2), kColumnValue);
    EXPECT_EQ(base.ColumnAt(3), kColumnCost);
    const auto first = [&] {
        return base.RowLine(0).Name;
    };
    const auto last = [&] {
        return base.RowLine(base.RowCount() - 1).Name;
    };
    base.SetSortColumn(kColumnValue);
    EXPECT_EQ(first(), "Glimmer Flats");
    EXPECT_EQ(last(), "Sky-Hook Rigger");
    EXPECT_EQ(base.CellText(0, kColumnValue), "2");
    base.SetSortColumn(kColumnCost); // by converted cost, then the cost's text, then the name
    EXPECT_EQ(first(), "Ashen Gate - East");
    EXPECT_EQ(last(), "Stone Idol");
    EXPECT_EQ(base.CellText(base.RowCount() - 1, kColumnCost), "4");
    base.SetSortColumn(kColumnRarity); // not shown: nothing changes
    EXPECT_EQ(base.SortColumn(), kColumnCost);
    base.SetCardColumns({kColumnRarity, kColumnType, kColumnPowerToughness});
    EXPECT_EQ(base.SortColumn(), kColumnEdition);
    EXPECT_EQ(base.CellText(0, kColumnCost), "");
    base.SetSortColumn(kColumnRarity);
    EXPECT_EQ(base.CellText(0, kColumnRarity), "L");
    EXPECT_EQ(base.CellText(base.RowCount() - 1, kColumnRarity), "R");
    base.SetSortColumn(kColumnType); // by type class (creatures first), then the type line
    EXPECT_EQ(first(), "Grove Tender");
    EXPECT_EQ(last(), "Swamp");
    // The header's column menu: a column shown again goes last, a hidden one goes.
    EXPECT_EQ(base.CardColumnsToggled(kColumnType, true),
              (std::vector<int>{kColumnRarity, kColumnPowerToughness, kColumnType}));
    EXPECT_EQ(base.CardColumnsToggled(kColumnRarity, false),
              (std::vector<int>{kColumnType, kColumnPowerToughness}));
    EXPECT_EQ(base.CardColumnsToggled(kColumnValue, true),
              (std::vector<int>{kColumnRarity, kColumnType, kColumnPowerToughness, kColumnValue}));
}

// The precomputed prefixes must never contradict the full keys: random lines with high bytes,
// NUL bytes, shared prefixes and negative counts, checked against a plain comparison per column.
TEST(CardsFrameModelOrder, MatchesThePlainKeyOrderOnRandomLines) {
    std::mt19937 random(11);
    auto text = [&](size_t maxLength) {
        static const char kBytes[] = {'a', 'b', 'A', '\0', '\xE9', '\xFF', ' ', 'z'};
        std::string s(random() % (maxLength + 1), 'a');
        for (char& c : s)
            c = kBytes[random() % sizeof(kBytes)];
        return "aaaaaa" + s; // long shared prefixes push comparisons past the first bytes
    };
    TInventoryList list;
    for (int i = 0; i < 3000; ++i) {
        TInventoryItem& line = list.Add();
        line.Edition = text(4).substr(5);
        line.Name = text(6);
        line.Count = static_cast<int>(random() % 7) - 2;
        line.Foil = static_cast<int>(random() % 3) - 1;
        line.Notes = random() % 3 ? std::string() : text(5);
    }
    auto key = [](int column, const TInventoryItem& l) {
        std::vector<std::string> k;
        auto number = [](int v) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%011lld", static_cast<long long>(v) + 10000000000LL);
            return std::string(buffer);
        };
        switch (column) {
        case kColumnEdition:
            k = {l.Edition, l.Name};
            break;
        case kColumnName:
            k = {l.Name};
            break;
        case kColumnCount:
            k = {number(l.Count), l.Edition, l.Name};
            break;
        case kColumnFoil:
            k = {number(l.Foil), number(l.Count), l.Edition, l.Name};
            break;
        default:
            k = {l.Notes, l.Edition, l.Name};
        }
        k.push_back(number(l.Index()));
        return k;
    };
    for (int column = 0; column < 5; ++column) {
        TCardsFrameModel model;
        model.SetSortColumn(column);
        model.SetInventoryList(&list);
        ASSERT_EQ(model.RowCount(), list.Count());
        for (int r = 1; r < model.RowCount(); ++r)
            ASSERT_LT(key(column, model.RowLine(r - 1)), key(column, model.RowLine(r)))
                << "column " << column;
    }
}

// The same for the card columns, whose long runs of equal prefixes sort by later keys: costs and
// type lines sharing their first bytes or shorter than them, P/T numbers at the clamped top, "*"
// and none, and lines without a card.
TEST(CardsFrameModelOrder, CardColumnsMatchThePlainKeyOrder) {
    std::mt19937 random(5);
    auto pick = [&](std::initializer_list<const char*> texts) {
        return std::data(texts)[random() % texts.size()];
    };
    TCardsList cards;
    TInventoryList list;
    for (int i = 0; i < 3000; ++i) {
        TCardItem& card = cards.Add(pick({"AB", "CD", "ABCDEFGHIJ"}));
        card.Name = cards.Store(std::string(pick({"Ab", "Abcdefgh", "Abcdefgh", "Abcdefghij", "B\xE9"})) +
                                std::string(random() % 3, static_cast<char>('a' + random() % 3)));
        ParseCost(card, cards.Store(pick({"1G", "1GG", "1G", "11", "X", "1GGGGGGGGGG", "1GGGGGGGGGR"})));
        card.TypeLine = pick({"Creature - Elf", "Creature - Elf Warrior", "Creature - Elf", "Creat",
                              "Instant", "Creature - Elf Warriors"});
        card.PowerToughness = pick({"2/2", "2/3", "*/2", "", "2147483647/1", "2147483646/1", "2147483645/1"});
        card.Rarity = static_cast<TRarity>(random() % 4);
        card.Value = static_cast<int>(random() % 3);
        TInventoryItem& line = list.Add();
        line.Card = random() % 10 ? &card : nullptr;
        line.Name = card.Name;
        line.Edition = card.Edition;
    }
    const auto sign = [](auto a, auto b) {
        return (a > b) - (a < b);
    };
    const auto ptKey = [](std::string_view pt, bool second) -> int64_t {
        const size_t slash = pt.find('/');
        if (slash == std::string_view::npos)
            return int64_t{1} << 40;
        const auto n = ParseInt(second ? pt.substr(slash + 1) : pt.substr(0, slash));
        return n ? *n : int64_t{1} << 32;
    };
    const auto compare = [&](int column, const TInventoryItem& a, const TInventoryItem& b) {
        const TCardItem* x = a.Card;
        const TCardItem* y = b.Card;
        int r = 0;
        if (!x || !y) {
            r = sign(x == nullptr, y == nullptr);
        } else if (column == kColumnCost) {
            r = sign(x->ConvertedCost + x->ConvertedCost2, y->ConvertedCost + y->ConvertedCost2);
            r = r ? r : x->Cost.compare(y->Cost);
        } else if (column == kColumnType) {
            r = sign(static_cast<int>(TypeClass(x->TypeLine)), static_cast<int>(TypeClass(y->TypeLine)));
            r = r ? r : x->TypeLine.compare(y->TypeLine);
        } else if (column == kColumnRarity) {
            r = sign(static_cast<int>(x->Rarity), static_cast<int>(y->Rarity));
        } else if (column == kColumnPowerToughness) {
            r = sign(ptKey(x->PowerToughness, false), ptKey(y->PowerToughness, false));
            r = r ? r : sign(ptKey(x->PowerToughness, true), ptKey(y->PowerToughness, true));
        } else {
            r = sign(x->Value, y->Value);
        }
        r = r ? r : std::string_view(a.Name).compare(b.Name);
        r = r ? r : std::string_view(a.Edition).compare(b.Edition);
        return r ? r : sign(a.Index(), b.Index());
    };
    TCardsFrameModel model;
    model.UseBaseLayout();
    model.SetCardColumns({kColumnCost, kColumnType, kColumnRarity, kColumnPowerToughness, kColumnValue});
    model.SetInventoryList(&list);
    for (int column = kColumnCost; column < kColumnKinds; ++column) {
        model.SetSortColumn(column);
        ASSERT_EQ(model.RowCount(), list.Count());
        for (int r = 1; r < model.RowCount(); ++r)
            ASSERT_LT(compare(column, model.RowLine(r - 1), model.RowLine(r)), 0) << "column " << column;
    }
}

// A split card whose halves each cost the largest amount a cost holds sorts last by cost, and
// adding its halves does not overflow.
TEST(CardsFrameModelOrder, TheLargestSplitCostsSortLast) {
    TCardsList cards;
    TInventoryList list;
    for (const char* cost : {"2147483647/2147483647", "1G"}) {
        TCardItem& card = cards.Add("AB");
        card.Name = cards.Store(cost);
        std::string_view text = cards.Store(cost);
        if (text.find('/') != std::string_view::npos)
            ParseSplitCost(card, text);
        else
            ParseCost(card, text);
        TInventoryItem& line = list.Add();
        line.Card = &card;
        line.Name = card.Name;
        line.Edition = card.Edition;
    }
    TCardsFrameModel model;
    model.UseBaseLayout();
    model.SetCardColumns({kColumnCost});
    model.SetInventoryList(&list);
    model.SetSortColumn(kColumnCost);
    EXPECT_EQ(model.RowLine(1).Name, "2147483647/2147483647");
}

// Counts and foils over the whole int32 range, with names and editions, make keys wider than one
// 64-bit word: the order must still be the plain one.
TEST(CardsFrameModelOrder, KeysWiderThanOneWord) {
    std::mt19937 random(3);
    const int32_t kExtremes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    TInventoryList list;
    for (int i = 0; i < 2000; ++i) {
        TInventoryItem& line = list.Add();
        line.Edition = "E" + std::to_string(random() % 300);
        line.Name = "N" + std::to_string(random() % 900);
        line.Count = kExtremes[random() % 7];
        line.Foil = random() % 2 ? kExtremes[random() % 7] : static_cast<int32_t>(random());
    }
    TCardsFrameModel model;
    model.SetSortColumn(kColumnFoil);
    model.SetInventoryList(&list);
    const auto key = [](const TInventoryItem& l) {
        return std::make_tuple(l.Foil, l.Count, l.Edition, l.Name, l.Index());
    };
    for (int r = 1; r < model.RowCount(); ++r)
        ASSERT_LT(key(model.RowLine(r - 1)), key(model.RowLine(r)));
}

// A list emptied and filled again with as many lines sorts by its new names, not by what was
// worked out for the lines before.
TEST(CardsFrameModelOrder, RefilledListSortsByItsNewLines) {
    TInventoryList list;
    const auto fill = [&](std::initializer_list<const char*> names) {
        list.Clear();
        for (const char* name : names)
            list.Add().Name = name;
    };
    fill({"b", "c", "a"});
    TCardsFrameModel model;
    model.SetSortColumn(kColumnName);
    model.SetInventoryList(&list);
    fill({"z", "x", "y"});
    model.Rebuild();
    std::vector<std::string> names;
    for (int r = 0; r < model.RowCount(); ++r)
        names.push_back(model.RowLine(r).Name);
    EXPECT_EQ(names, (std::vector<std::string>{"x", "y", "z"}));
}

// A line's card, count and notes change in place (a file added to the list links its cards,
// copies come and go, notes are edited) without a new stamp: the next rebuild sorts by them.
TEST(CardsFrameModelOrder, LinesChangedInPlaceSortByTheirNewValues) {
    TCardsList cards;
    TCardItem& cheap = cards.Add("AB");
    ParseCost(cheap, cards.Store("1"));
    TCardItem& dear = cards.Add("AB");
    ParseCost(dear, cards.Store("5"));
    const struct {
        int column;
        void (*change)(TInventoryItem& first, const TCardItem& card);
    } kCases[] = {
        {kColumnCost, [](TInventoryItem& a, const TCardItem& card) { a.Card = &card; }},
        {kColumnCount, [](TInventoryItem& a, const TCardItem&) { a.Count = 9; }},
        {kColumnNotes, [](TInventoryItem& a, const TCardItem&) { a.Notes = "z"; }},
    };
    for (const auto& c : kCases) {
        TInventoryList list;
        for (const char* name : {"a", "b"}) {
            TInventoryItem& line = list.Add();
            line.Name = name;
            line.Edition = "AB";
            line.Card = &dear;
            line.Count = 2;
            line.Notes = "y";
        }
        list.Items(0).Card = nullptr;
        list.Items(0).Count = 1;
        list.Items(0).Notes = "x";
        TCardsFrameModel model;
        if (c.column >= kFirstCardColumn) {
            model.UseBaseLayout();
            model.SetCardColumns({c.column});
        }
        model.SetSortColumn(c.column);
        model.SetInventoryList(&list);
        const std::string before = model.RowLine(0).Name;
        c.change(list.Items(0), cheap);
        model.Rebuild();
        EXPECT_NE(model.RowLine(0).Name, before) << "column " << c.column;
    }
}

// A line may be named otherwise than its card (a file's line links its card whatever the case):
// equal numbers order by the line's own name and edition, never by the card's name.
TEST(CardsFrameModelOrder, LinesNamedOtherwiseThanTheirCardsSortByTheirOwnNames) {
    TCardsList cards;
    TInventoryList list;
    for (const char* cardName : {"Zed", "Abe"}) {
        TCardItem& card = cards.Add("AB");
        card.Name = cards.Store(cardName);
        TInventoryItem& line = list.Add();
        line.Card = &card;
        line.Name = "Same";
        line.Edition = list.Count() == 1 ? "AB" : "CD";
    }
    for (int column : {kColumnRarity, kColumnValue}) {
        TCardsFrameModel model;
        model.UseBaseLayout();
        model.SetCardColumns({column});
        model.SetSortColumn(column);
        model.SetInventoryList(&list);
        EXPECT_EQ(model.RowLine(0).Edition, "AB") << "column " << column;
    }
}
