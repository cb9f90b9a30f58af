#include "core/decks/DeckDesigner.h"

#include "core/infra/ProgramDir.h"
#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using test::ScriptedPrompter;
using test::TempDir;

namespace {

struct DeckDesignerTest : ::testing::Test {
    DeckDesignerTest() {
        test::FillTestWorld(cards);
        designer.FindLandCards();
        SetProgramDir(dir.Path());
    }

    std::vector<std::string> Rows(TZone zone) const {
        std::vector<std::string> rows;
        for (int r = 0; r < designer.RowCount(zone); ++r)
            rows.push_back(designer.RowText(zone, r));
        return rows;
    }

    TCardsList cards;
    TDeckDesigner designer{cards};
    TempDir dir;
    ScriptedPrompter prompter;
    ScopedPrompter scoped{prompter};
};

} // namespace

TEST_F(DeckDesignerTest, LandsAreOneRowWithACounterAndCountEveryCopy) {
    for (int i = 0; i < 8; ++i)
        designer.AddLand(1);
    designer.AddCopy(TZone::Main, 6);
    designer.AddCopy(TZone::Main, 6);
    designer.AddCopy(TZone::Main, 11); // rarity L, not basic: an ordinary card
    designer.AddCopy(TZone::Main, 11);
    EXPECT_EQ(Rows(TZone::Main),
              (std::vector<std::string>{"L   Forest (8)", "L   Glimmer Flats", "L   Glimmer Flats",
                                        "C   Ember Whelp", "C   Ember Whelp"}));
    const TDeckStats stats = designer.Stats();
    EXPECT_EQ(stats.Main.Cards, 12);
    EXPECT_EQ(stats.Main.Lands, 10);
    EXPECT_EQ(stats.Main.Creatures, 2);
    EXPECT_EQ(stats.Total.Cards, 12);

    // Removing one of several copies of a land keeps its row; the last copy removes it.
    EXPECT_EQ(designer.RemoveCopy(TZone::Main, 0), 0);
    EXPECT_EQ(designer.RowText(TZone::Main, 0), "L   Forest (7)");
    for (int i = 0; i < 7; ++i)
        designer.RemoveCopy(TZone::Main, 0);
    EXPECT_EQ(designer.RowCount(TZone::Main), 4);
    EXPECT_EQ(designer.LandCounter(TZone::Main, 1), 0);
    // Removing the last row selects the new last row; removing everything selects nothing.
    EXPECT_EQ(designer.RemoveCopy(TZone::Main, 3), 2);
    designer.RemoveCopy(TZone::Main, 0);
    designer.RemoveCopy(TZone::Main, 0);
    EXPECT_EQ(designer.RemoveCopy(TZone::Main, 0), -1);
    EXPECT_TRUE(designer.IsEmpty());
}

TEST_F(DeckDesignerTest, MovingTransfersExactlyOneCopy) {
    const std::string pool = dir.Write("Temp/temp.dec", "    3 [AB] - Tide Call\r\n    2 [BL] - Island\r\n");
    EXPECT_TRUE(designer.OpenHandOff());
    EXPECT_EQ(designer.RowCount(TZone::Main), 0);
    EXPECT_EQ(Rows(TZone::Sideboard), (std::vector<std::string>{"L   Island (2)", "C   Tide Call",
                                                                "C   Tide Call", "C   Tide Call"}));
    EXPECT_FALSE(designer.Modified());
    EXPECT_EQ(designer.MoveCopy(TZone::Sideboard, 1), 1);
    EXPECT_EQ(designer.MoveCopy(TZone::Sideboard, 0), 0);
    EXPECT_EQ(Rows(TZone::Main), (std::vector<std::string>{"L   Island (1)", "C   Tide Call"}));
    EXPECT_EQ(Rows(TZone::Sideboard),
              (std::vector<std::string>{"L   Island (1)", "C   Tide Call", "C   Tide Call"}));
    EXPECT_TRUE(designer.Modified());
    const TDeckStats stats = designer.Stats();
    EXPECT_EQ(stats.Main.Cards + stats.Sideboard.Cards, 5);
    EXPECT_EQ(stats.Sideboard.Spells, 2);
}

TEST_F(DeckDesignerTest, SortModesCycleAndKeepBasicLandsFirst) {
    for (int position : {9, 8, 12, 11, 7, 6, 10, 4, 0})
        designer.AddCopy(TZone::Main, position);
    auto names = [&] {
        std::vector<std::string> result;
        for (int r = 0; r < designer.RowCount(TZone::Main); ++r)
            result.emplace_back(designer.RowCard(TZone::Main, r).Name);
        return result;
    };
    using V = std::vector<std::string>;
    EXPECT_STREQ(designer.SortCaption(TZone::Main), "Sort: Color");
    // Colourless L first (rarity down, then name), then by colour.
    EXPECT_EQ(names(), (V{"Plains", "Swamp", "Ashen Gate - East", "Glimmer Flats", "Grove Tender",
                          "Ember Whelp", "Tide Call", "Sky-Hook Rigger", "Stone Idol"}));
    const struct {
        const char* caption;
        V order;
    } modes[] = {
        {"Sort: Value",
         {"Plains", "Swamp", "Sky-Hook Rigger", "Grove Tender", "Ember Whelp", "Stone Idol", "Tide Call",
          "Ashen Gate - East", "Glimmer Flats"}},
        {"Sort: Casting cost",
         {"Plains", "Swamp", "Ashen Gate - East", "Glimmer Flats", "Tide Call", "Ember Whelp", "Grove Tender",
          "Sky-Hook Rigger", "Stone Idol"}},
        {"Sort: None",
         {"Plains", "Swamp", "Sky-Hook Rigger", "Tide Call", "Stone Idol", "Glimmer Flats", "Grove Tender",
          "Ember Whelp", "Ashen Gate - East"}},
        {"Sort: Name",
         {"Plains", "Swamp", "Ashen Gate - East", "Ember Whelp", "Glimmer Flats", "Grove Tender",
          "Sky-Hook Rigger", "Stone Idol", "Tide Call"}},
        {"Sort: Type",
         {"Plains", "Swamp", "Grove Tender", "Ember Whelp", "Sky-Hook Rigger", "Tide Call", "Stone Idol",
          "Ashen Gate - East", "Glimmer Flats"}},
        {"Sort: Rarity",
         {"Plains", "Swamp", "Ashen Gate - East", "Sky-Hook Rigger", "Grove Tender", "Stone Idol",
          "Ember Whelp", "Tide Call", "Glimmer Flats"}},
    };
    for (const auto& mode : modes) {
        designer.AdvanceSortMode(TZone::Main);
        EXPECT_STREQ(designer.SortCaption(TZone::Main), mode.caption);
        EXPECT_EQ(names(), mode.order) << mode.caption;
    }
    designer.AdvanceSortMode(TZone::Main);
    EXPECT_STREQ(designer.SortCaption(TZone::Main), "Sort: Color"); // seven clicks: back where it was
    EXPECT_STREQ(designer.SortCaption(TZone::Sideboard), "Sort: Color");
}

TEST_F(DeckDesignerTest, SaveAndLoadRestoreBothZonesAndCounters) {
    for (int i = 0; i < 9; ++i)
        designer.AddLand(4);
    designer.AddLand(0);
    designer.AddCopy(TZone::Main, 6);
    designer.AddCopy(TZone::Main, 6);
    designer.AddCopy(TZone::Sideboard, 9);
    designer.AddCopy(TZone::Sideboard, 3);
    designer.AddCopy(TZone::Sideboard, 3);
    const std::string path = dir / "Decks/mine.dec";
    std::filesystem::create_directories(dir / "Decks");
    designer.Save(path);
    EXPECT_FALSE(designer.Modified());
    EXPECT_EQ(TempDir::Read(path), "    9 [BL] - Plains\r\n"
                                   "    1 [BL] - Swamp\r\n"
                                   "    2 [AB] - Ember Whelp\r\n"
                                   "SB: 2 [BL] - Island\r\n"
                                   "SB: 1 [CD] - Sky-Hook Rigger\r\n");
    TDeckDesigner other(cards);
    other.FindLandCards();
    EXPECT_TRUE(other.LoadDeck(path));
    for (TZone zone : {TZone::Main, TZone::Sideboard}) {
        EXPECT_EQ(other.RowCount(zone), designer.RowCount(zone));
        for (int r = 0; r < designer.RowCount(zone); ++r)
            EXPECT_EQ(other.RowText(zone, r), designer.RowText(zone, r));
        for (int land = 0; land < 5; ++land)
            EXPECT_EQ(other.LandCounter(zone, land), designer.LandCounter(zone, land));
    }
    // The four ways of loading.
    EXPECT_TRUE(other.AddFromDeck(path));
    EXPECT_EQ(other.LandCounter(TZone::Main, 4), 18);
    EXPECT_TRUE(other.Modified());
    EXPECT_TRUE(other.AddToSideboard(path));
    EXPECT_EQ(other.LandCounter(TZone::Sideboard, 4), 9);
    EXPECT_TRUE(other.LoadToSideboard(path));
    EXPECT_EQ(other.RowCount(TZone::Main), 0);
    EXPECT_EQ(other.LandCounter(TZone::Sideboard, 3), 2);
    EXPECT_FALSE(other.Modified());
}

TEST_F(DeckDesignerTest, FileCommandsAskTheUser) {
    // Nothing to save.
    EXPECT_FALSE(designer.SaveAction());
    EXPECT_EQ(prompter.Messages("error"), (std::vector<std::string>{kDeckIsEmpty}));

    designer.AddCopy(TZone::Sideboard, 7); // a sideboard alone may be saved
    const std::string path = dir.Write("Decks/x.dec", "old");
    prompter.fileNames = {path, path};
    prompter.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(designer.SaveAction());
    EXPECT_EQ(TempDir::Read(path), "old");
    EXPECT_TRUE(designer.SaveAction());
    EXPECT_EQ(TempDir::Read(path), "SB: 1 [AB] - Grove Tender\r\n");
    EXPECT_EQ(prompter.asked[1].text, dir / "Decks/");
    EXPECT_EQ(prompter.asked[1].filter, "Deck files|*.dec");
    EXPECT_EQ(prompter.Messages("confirm")[0], "File " + path + "\rexists Overwrite?");

    // Closing: an unchanged deck closes silently; a changed one asks.
    EXPECT_TRUE(designer.CanClose());
    designer.AddCopy(TZone::Main, 8);
    prompter.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(designer.CanClose());
    EXPECT_TRUE(designer.CanClose());
    EXPECT_EQ(prompter.Messages("confirm").back(), kDeckModifiedQuestion);

    // Yes, and the save fails (a folder stands where the file goes): the deck stays open, changed.
    dir.Write("Decks/blocked.dec/keep", "");
    prompter.fileNames = {dir / "Decks/blocked.dec", dir / "Decks/blocked.dec"};
    prompter.answers = {Answer::Yes, Answer::Yes};
    EXPECT_FALSE(designer.CanClose());
    EXPECT_TRUE(designer.Modified());
    EXPECT_EQ(prompter.Messages("error").size(), 2u);

    // A cancelled open dialog changes nothing.
    prompter.fileNames = {""};
    EXPECT_FALSE(designer.LoadAction(false, false));
    EXPECT_EQ(designer.RowCount(TZone::Main), 1);
}

// A pool handed over from a draft or sealed game is work until it is saved: closing it asks its
// own question, a changed one the deck's. Saved, or empty, there is nothing to lose.
TEST_F(DeckDesignerTest, AnUnsavedPoolIsNotDroppedWithoutAsking) {
    dir.Write("Temp/temp.dec", "    2 [AB] - Tide Call\r\n");
    EXPECT_TRUE(designer.OpenHandOff());
    prompter.answers = {Answer::Cancel, Answer::Cancel};
    EXPECT_FALSE(designer.CanClose());
    designer.MoveCopy(TZone::Sideboard, 0);
    EXPECT_FALSE(designer.CanClose());
    EXPECT_EQ(prompter.Messages("confirm"),
              (std::vector<std::string>{kPoolNotSavedQuestion, kDeckModifiedQuestion}));
    std::filesystem::create_directories(dir / "Decks");
    designer.Save(dir / "Decks/pool.dec");
    EXPECT_TRUE(designer.CanClose());
    designer.AddCopy(TZone::Main, 6);
    designer.Clear();
    EXPECT_TRUE(designer.ConfirmDiscard());
    EXPECT_EQ(prompter.Messages("confirm").size(), 2u);
}

TEST(DeckDesignerLands, AMissingBasicLandMakesItsCommandUnavailable) {
    TCardsList cards;
    test::AddTestCard(cards, "BL", "Forest", TRarity::L, "", "Basic Land");
    test::AddTestCard(cards, "BL", "Island", TRarity::C, "", "Land"); // not rarity L: no counter
    TDeckDesigner designer(cards);
    designer.FindLandCards();
    EXPECT_TRUE(designer.CanAddLand(1));
    EXPECT_EQ(designer.AddLandHint(1), "Add Forest");
    EXPECT_FALSE(designer.CanAddLand(0));
    EXPECT_FALSE(designer.CanAddLand(3));
    EXPECT_NE(designer.AddLandHint(0).find("Swamp"), std::string::npos);
    EXPECT_NE(designer.AddLandHint(0), "Add Swamp");
    EXPECT_EQ(designer.AddLand(0), -1);
    EXPECT_TRUE(designer.IsEmpty());
    EXPECT_EQ(designer.AddLand(1), 0);
    EXPECT_EQ(designer.LandCard(1), &cards.Items(0));
}
