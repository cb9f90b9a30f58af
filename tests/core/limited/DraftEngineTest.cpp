#include "LimitedWorld.h"

#include "core/carddb/Editions.h"
#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace tovel;
using tovel::test::AddEdition;
using tovel::test::ScriptedPrompter;
using tovel::test::SetEditions;
using tovel::test::TempDir;

namespace {

TEST(PickTime, ShrinksWithTheCardsLeftInBoosterOneAndNeverReachesZero) {
    const struct {
        int pickTime, cards, seconds;
    } cases[] = {
        {40, 15, 40}, {40, 14, 40}, {40, 0, 40}, {40, 13, 35}, {40, 12, 35}, {40, 11, 30},
        {40, 10, 30}, {40, 9, 25},  {40, 8, 25}, {40, 7, 20},  {40, 6, 20},  {40, 5, 15},
        {40, 4, 15},  {40, 3, 10},  {40, 2, 10}, {40, 1, 1},   {60, 1, 21},  {15, 1, 1},
        {15, 3, 1},   {15, 13, 10}, {0, 15, 1},  {-5, 15, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PickTimeFor(c.pickTime, c.cards), c.seconds) << c.pickTime << " s, " << c.cards << " cards";
}

TEST(DraftEditionsFilter, NamesEachResolvedNameOnceWholeNamesCompared) {
    EXPECT_EQ(DraftEditionsFilter({"AAA", "AAA", "BBB+CCC"}), "AAA;BBB;CCC;");
    // "AB;" occurs inside "XAB;", yet AB is an edition of its own and must be loaded.
    EXPECT_EQ(DraftEditionsFilter({"XAB", "AB", "AB"}), "XAB;AB;");
}

class DraftTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDir(dir.Path());
        dir.Write("Data/boosters.ini",
                  "[Complex]\r\nX=BBB+CCC\r\n[SpecialBoosters]\r\nBBB=1R2U5C\r\nCCC=2U5C\r\n");
        dir.Write("Data/editions.txt", "AAA;Edition AAA\r\nBBB;Edition BBB\r\nCCC;Edition CCC\r\n");
        TDraftEngine::LoadTableData();
        ASSERT_EQ(EditionList().Count(), 3);
    }

    void TearDown() override { SetProgramDir(""); }

    std::unique_ptr<TDraftEngine> MakeEngine() {
        auto engine = std::make_unique<TDraftEngine>(cards);
        engine->SetFixedSeed(1234);
        engine->SetCardLoader([this](TCardsList& list, const std::string& filter) {
            filters.push_back(filter);
            list.Clear();
            for (const char* edition : {"AAA", "BBB", "CCC", "DDD"})
                if (filter.find(std::string(edition) + ";") != std::string::npos)
                    AddEdition(list, edition, 8, 20, 60);
        });
        return engine;
    }

    // Plays the draft to its end by timed-out picks, checking the passing on the way.
    void PlayOut(TDraftEngine& engine) {
        while (engine.State() != TDraftState::Finished) {
            if (engine.State() == TDraftState::BetweenTurns) {
                EXPECT_EQ(engine.ButtonCaption(), std::string("Next"));
                EXPECT_FALSE(engine.TimerRunning());
                EXPECT_EQ(engine.ShownBooster().Count(), 0);
                engine.PressPick(-1);
            }
            ASSERT_EQ(engine.State(), TDraftState::Picking);
            engine.AutoPick();
        }
    }

    TempDir dir;
    TCardsList cards;
    std::vector<std::string> filters;
    ScriptedPrompter prompter;
    ScopedPrompter scoped{prompter};
};

TEST_F(DraftTest, AWholeDraftGivesEverySeat45PicksAndPassesBothWays) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;X;", 40));
    EXPECT_EQ(filters, (std::vector<std::string>{"AAA;BBB;CCC;"}));
    EXPECT_EQ(engine->State(), TDraftState::Picking);
    EXPECT_FALSE(engine->SaveButtonsVisible());

    // The composite turn: every booster a BBB special pack followed by a CCC special pack.
    for (int b = 0; b < 8; ++b) {
        const TIntegerList& booster = engine->Packs(3).Items(b).Cards;
        ASSERT_EQ(booster.Count(), 15);
        std::string shape;
        for (int32_t index : booster)
            shape += std::string(cards.Items(index).Edition) + RarityLetter(cards.Items(index)) + " ";
        EXPECT_EQ(shape, "BBBR BBBU BBBU BBBC BBBC BBBC BBBC BBBC CCCU CCCU CCCC CCCC CCCC CCCC CCCC ");
    }

    // Pack turn 1 passes to the left: the user holds booster 8 after the first pick.
    EXPECT_EQ(engine->UserBooster(), 1);
    EXPECT_EQ(engine->SeatBooster(3), 4);
    const TIntegerList& shown = engine->ShownBooster();
    ASSERT_EQ(shown.Count(), 15);
    const int32_t wanted = shown.Items(4);
    // A card of another booster that the user's booster doesn't hold cannot be picked.
    int32_t elsewhere = -1;
    for (int32_t index : engine->Packs(1).Items(1).Cards)
        if (shown.IndexOf(index) < 0)
            elsewhere = index;
    ASSERT_GE(elsewhere, 0);
    EXPECT_FALSE(engine->MakePick(elsewhere));
    EXPECT_TRUE(engine->MakePick(wanted));
    EXPECT_EQ(engine->Seats().Items(0).Picks.Raw(), (std::vector<int32_t>{wanted}));
    EXPECT_EQ(engine->UserBooster(), 8);
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ(engine->Packs(1).Items(b).Cards.Count(), 14);

    while (engine->State() == TDraftState::Picking)
        engine->AutoPick();
    EXPECT_EQ(engine->State(), TDraftState::BetweenTurns);
    EXPECT_EQ(engine->UserBooster(), 1);
    EXPECT_EQ(engine->PackTurn(), 2);
    EXPECT_TRUE(engine->NextPackTurn());
    EXPECT_EQ(engine->ShownBooster().Count(), 15);
    engine->AutoPick();
    EXPECT_EQ(engine->UserBooster(), 2); // pack turn 2 passes to the right
    PlayOut(*engine);

    EXPECT_EQ(engine->State(), TDraftState::Finished);
    EXPECT_EQ(engine->ButtonCaption(), std::string("Pick"));
    EXPECT_FALSE(engine->TimerRunning());
    EXPECT_TRUE(engine->SaveButtonsVisible());
    EXPECT_EQ(prompter.Messages("information"), (std::vector<std::string>{"Draft Finished"}));
    for (int seat = 0; seat < 8; ++seat)
        EXPECT_EQ(engine->Seats().Items(seat).Picks.Count(), 45) << "seat " << seat;
    for (int turn = 1; turn <= 3; ++turn)
        for (int b = 0; b < 8; ++b)
            EXPECT_EQ(engine->Packs(turn).Items(b).Cards.Count(), 0);

    // Eight card lines and a separator per pick step.
    const auto& log = engine->Log();
    ASSERT_EQ(log.size(), 45u * 9u);
    EXPECT_EQ(log[0].rfind("Human - ", 0), 0u);
    EXPECT_EQ(log[7].rfind("Bot #7 - ", 0), 0u);
    EXPECT_EQ(log[8], kLogSeparator);
    EXPECT_EQ(engine->MakePick(0), false);
}

TEST_F(DraftTest, TheCountdownPicksForTheUserAndStopsAtTheEndOfAPackTurn) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;BBB;AAA;", 40));
    EXPECT_EQ(engine->TimeText(), "0:40");
    EXPECT_TRUE(engine->TimerRunning());
    for (int i = 0; i < 35; ++i)
        engine->Tick();
    EXPECT_EQ(engine->TimeText(), "0:05");
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 0);
    for (int i = 0; i < 5; ++i)
        engine->Tick();
    ASSERT_EQ(engine->Seats().Items(0).Picks.Count(), 1);
    EXPECT_EQ(engine->Log()[0].rfind("Human - ", 0), 0u);
    EXPECT_EQ(engine->UserBooster(), 8);
    // Booster 1 now holds 14 cards: a full 40 seconds again.
    EXPECT_EQ(engine->TimeText(), "0:40");

    // Only ticks from here to the end of pack turn 1: every pick times out. Each reset counts
    // booster 1 before the computer drafters pick, so only the user's own picks from it (the
    // 1st and 9th) count one card less.
    int ticks = 0;
    while (engine->State() == TDraftState::Picking && ticks < 10000) {
        engine->Tick();
        ++ticks;
    }
    EXPECT_EQ(engine->State(), TDraftState::BetweenTurns);
    EXPECT_FALSE(engine->TimerRunning());
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 15);
    // Picks 2 to 15 after 14, 14, 13, 12, 11, 10, 9, 8, 6 (the 9th), 6, 5, 4, 3 and 2 cards.
    EXPECT_EQ(ticks, 40 * 2 + 35 * 2 + 30 * 2 + 25 * 2 + 20 * 2 + 15 * 2 + 10 * 2);
    engine->Tick(); // the timer is stopped: nothing happens
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 15);

    // "New draft" stops the countdown; the next pick starts it again.
    engine->NextPackTurn();
    engine->StopTimer();
    engine->Tick();
    EXPECT_EQ(engine->TimeText(), "0:40");
    engine->MakePick(engine->ShownBooster().Items(0));
    EXPECT_TRUE(engine->TimerRunning());
}

TEST_F(DraftTest, ASmallPickTimeStillTimesOutEveryPick) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 1));
    int ticks = 0;
    while (engine->State() != TDraftState::Finished && ticks < 100000) {
        if (engine->State() == TDraftState::BetweenTurns)
            engine->NextPackTurn();
        engine->Tick();
        EXPECT_GE(engine->PickSeconds(), 0);
        ++ticks;
    }
    EXPECT_EQ(engine->State(), TDraftState::Finished);
    EXPECT_EQ(ticks, 45); // one second per pick
}

// Untimed: no countdown at all, however long the user takes; the record says so.
TEST_F(DraftTest, AnUntimedDraftHasNoCountdownAndNeverPicksForTheUser) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", kUntimedPick));
    for (int i = 0; i < 200; ++i)
        engine->Tick();
    EXPECT_FALSE(engine->TimerRunning());
    EXPECT_EQ(engine->TimeText(), "");
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 0);
    engine->MakePick(engine->ShownBooster().Items(0));
    EXPECT_FALSE(engine->TimerRunning());
    const std::string text = FormatDraftRecord(engine->Record());
    EXPECT_NE(text.find("\r\nPick time: untimed\r\n"), std::string::npos);
}

// With "Confirm picks" the first press marks, a second on the same card takes it, another
// selection drops the mark; a countdown reaching zero takes the marked card as the user's pick.
TEST_F(DraftTest, ConfirmedPicksTakeASecondPressOnTheMarkedCard) {
    auto engine = MakeEngine();
    engine->SetConfirmPicks(true);
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    const int32_t first = engine->ShownBooster().Items(3);
    const int32_t second = engine->ShownBooster().Items(5);
    engine->PressPick(first);
    EXPECT_EQ(engine->MarkedCard(), first);
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 0);
    engine->SelectionChanged(second);
    EXPECT_EQ(engine->MarkedCard(), -1);
    engine->PressPick(second);
    engine->PressPick(first); // another card: marked instead
    EXPECT_EQ(engine->MarkedCard(), first);
    EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 0);
    engine->PressPick(first);
    EXPECT_EQ(engine->Seats().Items(0).Picks.Raw(), (std::vector<int32_t>{first}));
    EXPECT_EQ(engine->MarkedCard(), -1);

    const int32_t marked = engine->ShownBooster().Items(engine->ShownBooster().Count() - 1);
    engine->PressPick(marked);
    while (engine->Seats().Items(0).Picks.Count() == 1)
        engine->Tick();
    EXPECT_EQ(engine->Seats().Items(0).Picks.Items(1), marked);
    EXPECT_EQ(engine->Record().Steps[8].How, TPickHow::User);
}

// The countdown's text goes with the countdown: nothing between pack turns or after the draft.
TEST_F(DraftTest, NoPickTimeIsShownWhileNoPickIsDue) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    while (engine->State() == TDraftState::Picking)
        engine->AutoPick();
    EXPECT_EQ(engine->TimeText(), "");
    engine->PressPick(-1);
    EXPECT_EQ(engine->TimeText(), "0:40");
    PlayOut(*engine);
    EXPECT_EQ(engine->TimeText(), "");
}

TEST_F(DraftTest, TheSameSeedDraftsTheSameCards) {
    auto one = MakeEngine();
    auto two = MakeEngine();
    ASSERT_TRUE(one->StartDraft("AAA;X;AAA;", 40));
    PlayOut(*one);
    ASSERT_TRUE(two->StartDraft("AAA;X;AAA;", 40));
    PlayOut(*two);
    for (int seat = 0; seat < 8; ++seat)
        EXPECT_EQ(one->Seats().Items(seat).Picks.Raw(), two->Seats().Items(seat).Picks.Raw());
    EXPECT_EQ(one->Log(), two->Log());
}

// The record names every booster as the engine held it: the first step on a booster is the booster
// as drawn, every later one what the step before left, and each seat's cards taken are its picks.
// Its file reads back to the same record, which runs the same draft again.
TEST_F(DraftTest, TheRecordHoldsEveryBoosterAsTheEngineHeldItAndRunsTheDraftAgain) {
    auto engine = MakeEngine();
    engine->SetDrafterStrategy(kPickByValueAndColors);
    ASSERT_TRUE(engine->StartDraft("AAA;X;AAA;", 40));
    const auto keysOf = [&](const std::vector<int32_t>& positions) {
        std::vector<std::string> keys;
        for (int32_t position : positions)
            keys.push_back(CardKey(cards.Items(position)));
        return keys;
    };
    std::map<std::pair<int, int>, std::vector<std::string>> left; // by pack turn and booster
    for (int turn = 1; turn <= 3; ++turn)
        for (int booster = 1; booster <= 8; ++booster)
            left[{turn, booster}] = keysOf(engine->Packs(turn).Items(booster - 1).Cards.Raw());
    // The user picks the last card by hand in pack turn 1; the countdown picks after that.
    while (engine->State() != TDraftState::Finished) {
        engine->PressPick(-1);
        if (engine->PackTurn() == 1)
            engine->MakePick(engine->ShownBooster().Items(engine->ShownBooster().Count() - 1));
        else
            engine->AutoPick();
    }

    const TDraftRecord& record = engine->Record();
    EXPECT_EQ(record.Packs, "AAA;X;AAA;");
    EXPECT_EQ(record.PickTime, 40);
    EXPECT_EQ(record.Seed, 1234u);
    EXPECT_EQ(record.Strategy, kPickByValueAndColors);
    ASSERT_EQ(record.Steps.size(), 8u * 45u);
    std::array<int, 8> picked{};
    for (const TPickStep& step : record.Steps) {
        std::vector<std::string> keys;
        for (int32_t key : step.Cards)
            keys.push_back(record.Key(key));
        std::vector<std::string>& expected = left[{step.PackTurn, step.Booster}];
        ASSERT_EQ(keys, expected) << "P" << step.PackTurn << "p" << step.Pick << " seat " << step.Seat;
        EXPECT_EQ(step.Pick, 16 - static_cast<int>(keys.size()));
        const TIntegerList& picks = engine->Seats().Items(step.Seat).Picks;
        EXPECT_EQ(record.Key(step.Taken()), CardKey(cards.Items(picks.Items(picked[step.Seat]++))));
        const TPickHow how = step.Seat > 0        ? TPickHow::Drafter
                             : step.PackTurn == 1 ? TPickHow::User
                                                  : TPickHow::Timeout;
        EXPECT_EQ(step.How, how);
        expected.erase(expected.begin() + step.TakenAt);
    }

    WriteDraftRecord(record, dir / "one.draft");
    const TDraftRecord read = ReadDraftRecord(dir / "one.draft");
    EXPECT_EQ(FormatDraftRecord(read), FormatDraftRecord(record));

    // Running it again: the record's seed, drafters and packs, and the user's picks as recorded.
    auto again = MakeEngine();
    again->SetFixedSeed(read.Seed);
    again->SetDrafterStrategy(read.Strategy);
    ASSERT_TRUE(again->StartDraft(read.Packs, read.PickTime));
    for (int index : SeatSteps(read, 0)) {
        const TPickStep& step = read.Steps[static_cast<size_t>(index)];
        again->PressPick(-1);
        if (step.How == TPickHow::User)
            again->MakePick(again->ShownBooster().Items(step.TakenAt));
        else
            again->AutoPick();
    }
    EXPECT_EQ(FormatDraftRecord(again->Record()), FormatDraftRecord(record));
}

// A finished draft is kept as Drafts/<yyyy-mm-dd hh-mm-ss>.draft; a second one in the same
// second does not replace the first.
TEST_F(DraftTest, RecordsAreSavedUnderTheTimeTheyWereFinished) {
    setenv("TZ", "UTC", 1);
    tzset();
    TDraftRecord record;
    record.Packs = "AAA;AAA;AAA;";
    const std::time_t when = 1796818215; // 2026-12-09 12:10:15 UTC
    EXPECT_EQ(SaveDraftRecord(record, when), dir / "Drafts/2026-12-09 12-10-15.draft");
    EXPECT_EQ(SaveDraftRecord(record, when), dir / "Drafts/2026-12-09 12-10-15 (2).draft");
    EXPECT_EQ(TempDir::Read(dir / "Drafts/2026-12-09 12-10-15 (2).draft"), FormatDraftRecord(record));
}

TEST_F(DraftTest, ABadConfigurationStartsNothingAndLeavesTheTableIdle) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    engine->AutoPick();
    const struct {
        const char* config;
        const char* message;
    } cases[] = {
        {"AAA;AAA;", "Incorrect boosters config!"},
        {"AAA;AAA;AAA;AAA;", "Incorrect boosters config!"},
        {"AAA;ZZZ;AAA;", "Incorrect booster config"},
        {"aaa;AAA;AAA;", "Incorrect booster config"},
        // DDD is loaded (the test loader knows it) but is no edition of the list: unresolvable.
        {"DDD;AAA;AAA;", "Incorrect booster config"},
    };
    for (const auto& c : cases) {
        try {
            engine->StartDraft(c.config, 40);
            ADD_FAILURE() << c.config << " started";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message) << c.config;
        }
        EXPECT_EQ(engine->State(), TDraftState::Idle);
        EXPECT_FALSE(engine->TimerRunning());
        EXPECT_EQ(engine->Seats().Items(0).Picks.Count(), 0);
        EXPECT_EQ(engine->ShownBooster().Count(), 0);
        EXPECT_FALSE(engine->MakePick(0));
    }
    EXPECT_EQ(filters.size(), 1u); // names are resolved before anything is loaded

    // Runs of ";" are one separator; an empty text starts nothing.
    EXPECT_TRUE(engine->StartDraft(";;AAA;;AAA;AAA", 40));
    EXPECT_FALSE(engine->StartDraft("", 40));
}

TEST_F(DraftTest, ShortPoolsReportTheEditionAndLeaveTheTableIdle) {
    dir.Write("Data/boosters.ini", "[Complex]\r\nX=BBB+CCC\r\n[SpecialBoosters]\r\nBBB=9R\r\n");
    auto engine = MakeEngine();
    try {
        engine->StartDraft("AAA;X;AAA;", 40);
        ADD_FAILURE() << "started";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Not enough rare cards in edition BBB");
    }
    EXPECT_EQ(engine->State(), TDraftState::Idle);
    EXPECT_EQ(engine->Packs(1).Count(), 0);
}

TEST_F(DraftTest, SavingEverySeatUsesTheBotNamesAndAsksBeforeOverwriting) {
    auto engine = MakeEngine();
    engine->SaveDeck(3);
    EXPECT_FALSE(engine->DesignDeck());
    EXPECT_EQ(prompter.Messages("error"), (std::vector<std::string>{"Deck is empty!", "Deck is empty!"}));

    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    PlayOut(*engine);
    const std::string mine = dir / "Decks/mine.dec";
    std::filesystem::create_directories(dir / "Decks");
    dir.Write("Decks/mine_bot4.dec", "old");
    // The chosen name serves every seat; a file that exists is confirmed first.
    prompter.fileNames.push_back(mine);
    prompter.answers.push_back(Answer::Cancel);
    std::string fileName;
    for (int seat = 0; seat < kTableSeats; ++seat)
        engine->SaveSeatDeck(seat, fileName, false);
    EXPECT_EQ(fileName, mine);
    EXPECT_EQ(prompter.Messages("save"), (std::vector<std::string>{dir / "Decks/"}));
    EXPECT_EQ(
        prompter.Messages("confirm"),
        (std::vector<std::string>{"File " + (dir / "Decks/mine_bot4.dec") + "\r" + "exists Overwrite?"}));
    EXPECT_EQ(TempDir::Read(dir / "Decks/mine_bot4.dec"), "old");
    // Each file lists its seat's first pick first.
    const struct {
        const char* name;
        int seat;
    } files[] = {{"mine.dec", 0},
                 {"mine_bot2.dec", 1},
                 {"mine_bot3.dec", 2},
                 {"mine_bot5.dec", 4},
                 {"mine_bot8.dec", 7}};
    for (const auto& file : files) {
        const std::string text = TempDir::Read(dir / (std::string("Decks/") + file.name));
        const std::string firstLine = text.substr(0, text.find("\r\n"));
        const TCardItem& first = cards.Items(engine->Seats().Items(file.seat).Picks.Items(0));
        EXPECT_EQ(firstLine.rfind("    ", 0), 0u) << file.name;
        EXPECT_TRUE(firstLine.ends_with(" [AAA] - " + std::string(first.Name)))
            << file.name << ": " << firstLine;
    }

    // Cancelling the dialog writes nothing; the hand-off needs no question.
    prompter.fileNames.push_back("");
    engine->SaveDeck(0);
    EXPECT_TRUE(engine->DesignDeck());
    EXPECT_EQ(TempDir::Read(dir / "Temp/temp.dec"), TempDir::Read(mine));
}

// The picks count as unsaved from the start of a draft until the user's deck has been written
// (saved, or handed to the designer); a new draft starts over.
TEST_F(DraftTest, PicksAreUnsavedUntilTheUsersDeckIsWritten) {
    auto engine = MakeEngine();
    EXPECT_FALSE(engine->PicksUnsaved()); // idle
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    EXPECT_TRUE(engine->PicksUnsaved());
    while (engine->State() == TDraftState::Picking)
        engine->AutoPick();
    EXPECT_TRUE(engine->PicksUnsaved()); // between pack turns
    PlayOut(*engine);
    EXPECT_TRUE(engine->PicksUnsaved());

    std::filesystem::create_directories(dir / "Decks");
    prompter.fileNames = {dir / "Decks/bot.dec", "", dir / "Decks/mine.dec"};
    engine->SaveDeck(3);
    EXPECT_TRUE(engine->PicksUnsaved()); // a computer drafter's deck only
    engine->SaveDeck(0);
    EXPECT_TRUE(engine->PicksUnsaved()); // cancelled
    engine->SaveDeck(0);
    EXPECT_FALSE(engine->PicksUnsaved());

    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    PlayOut(*engine);
    EXPECT_TRUE(engine->PicksUnsaved());
    EXPECT_TRUE(engine->DesignDeck());
    EXPECT_FALSE(engine->PicksUnsaved());
}

TEST_F(DraftTest, TheDeckListFollowsSeatZerosSortMode) {
    auto engine = MakeEngine();
    ASSERT_TRUE(engine->StartDraft("AAA;AAA;AAA;", 40));
    PlayOut(*engine);
    EXPECT_EQ(engine->DeckSortMode(), TSortMode::None);
    EXPECT_EQ(engine->DeckList(2), engine->Seats().Items(2).Picks.Raw());
    for (int i = 0; i < 5; ++i)
        engine->CycleDeckSortMode();
    EXPECT_EQ(engine->DeckSortMode(), TSortMode::Value);
    const std::vector<int32_t> list = engine->DeckList(2);
    ASSERT_EQ(list.size(), 45u);
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_GE(cards.Items(list[i - 1]).Value, cards.Items(list[i]).Value);
    engine->CycleDeckSortMode();
    EXPECT_EQ(engine->CycleDeckSortMode(), TSortMode::None);
}

} // namespace

// "Save all decks" asks one name and at most one question, however many seat files exist.
TEST_F(DraftTest, SavingAllDecksAsksOnceForEveryFileItWouldReplace) {
    std::filesystem::create_directories(dir / "Decks");
    const std::string mine = dir / "Decks/mine.dec";
    const auto several = [](const std::string& files) {
        return "Replace " + files + "?";
    };
    struct Case {
        std::vector<std::string> existing;
        std::vector<Answer> answers;
        std::vector<std::string> questions;
        bool chosen;
    };
    const Case cases[] = {
        {{}, {}, {}, true},
        {{"mine_bot3.dec"}, {Answer::Yes}, {OverwriteDeckQuestion(dir / "Decks/mine_bot3.dec")}, true},
        {{"mine.dec", "mine_bot8.dec"},
         {Answer::Cancel},
         {"Replace " + mine + ", " + (dir / "Decks/mine_bot8.dec") + "?"},
         false},
    };
    for (const Case& c : cases) {
        for (const std::string& file : c.existing)
            dir.Write("Decks/" + file, "old");
        prompter.asked.clear();
        prompter.fileNames = {mine};
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(AskSeatDecksTarget(several), c.chosen ? mine : "");
        EXPECT_EQ(prompter.Messages("confirm"), c.questions);
        for (const std::string& file : c.existing)
            std::filesystem::remove(dir / ("Decks/" + file));
    }
    prompter.fileNames = {""};
    EXPECT_EQ(AskSeatDecksTarget(several), "");
}
