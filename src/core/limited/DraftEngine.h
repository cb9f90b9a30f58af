#pragma once

// The draft table's rules, without a window: eight seats, three pack turns of eight boosters,
// the user's picks against the pick countdown, the computer drafters' picks, passing in both
// directions, the log, and saving the seats' picks as deck files.
//
// The draft window drives it: it shows what the engine exposes (the booster in front of the
// user, the seats' picks, the state, the countdown text) and forwards clicks and its one-second
// timer ticks. Nothing here waits for time, so a test or tovel-cli runs a whole timed draft at
// once.

#include "core/carddb/CardsDB.h"
#include "core/infra/Random.h"
#include "core/limited/Booster.h"
#include "core/limited/Bots.h"
#include "core/limited/Cube.h"
#include "core/limited/DraftRecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class FileSet;

enum class TDraftState {
    Idle,         // no draft: nothing to pick, timer stopped
    Picking,      // a pack turn is being drafted
    BetweenTurns, // pack turn 1 or 2 is over; "Next" opens the next one
    Finished,     // pack turn 3 is over; the picks can be saved
};

inline constexpr int kPackTurns = 3;
inline constexpr const char* kLogSeparator = "---------------------------------";
// Asked before the table closes while PicksUnsaved.
inline constexpr const char* kDraftUnsavedQuestion =
    "The draft is not finished. Close it and lose the picks?";

class TDraftEngine {
public:
    explicit TDraftEngine(TCardsList& cards = CardDatabase());
    TDraftEngine(const TDraftEngine&) = delete;
    TDraftEngine& operator=(const TDraftEngine&) = delete;

    // What the window does on its first show: the editions list (Data/editions.txt) and the
    // special pack compositions (Data/boosters.ini).
    static void LoadTableData();

    void SetCardLoader(TCardLoader loader) { loader_ = std::move(loader); }
    // A fixed seed for every following draft; without one each draft seeds from the clock.
    void SetFixedSeed(std::optional<uint32_t> seed) { fixedSeed_ = seed; }
    // The pick rule of the seven computer drafters (kPickByValue or kPickByValueAndColors) for
    // the following drafts; the user's timed-out picks stay by value.
    void SetDrafterStrategy(uint8_t strategy);

    // Starts a draft from a Draft/Config text ("AAA;AAA;X;") and the pick time in seconds.
    // An empty text starts nothing and returns false. Errors: "Incorrect boosters config!"
    // (not three names), "Incorrect booster config" (a name that resolves to nothing), a pool
    // shortfall, or the loader's; the table is then idle with every seat's picks cleared.
    bool StartDraft(std::string_view config, int pickTimeSeconds);
    // Starts a draft from a cube: the whole card database is loaded, the cube read from it (its
    // errors and the shortfall's reach the caller, the table then idle as above) and shuffled
    // once by the draft's seed, and every booster dealt `packSize` cards from it.
    void StartCubeDraft(const TCubeReader& readCube, int packSize, int pickTimeSeconds);
    // Untimed drafts (kUntimedPick) show no countdown and never pick for the user.
    bool Untimed() const { return pickTime_ == kUntimedPick; }

    // "Confirm picks": a pick takes two presses on the same card; the first only marks it.
    void SetConfirmPicks(bool on);
    bool ConfirmPicks() const { return confirmPicks_; }
    // The marked card (a card-list position), or -1.
    int32_t MarkedCard() const { return markedCard_; }
    // The user's selection in the booster moved to `card` (-1: none): a mark on another card goes.
    void SelectionChanged(int32_t card);

    TDraftState State() const { return state_; }
    // 1 to 3: the pack turn being drafted (or just finished).
    int PackTurn() const { return turn_ + 1; }
    // 1 to 8: the booster in front of the user.
    int UserBooster() const { return userBooster_; }
    // The booster number seat s (0 to 7) holds while the user holds UserBooster.
    int SeatBooster(int seat) const { return (userBooster_ - 1 + seat) % kTableSeats + 1; }
    // The boosters of pack turn 1 to 3.
    const TBoosterList& Packs(int packTurn) const { return packs_[static_cast<size_t>(packTurn - 1)]; }
    // The cards listed in front of the user: their booster while picking, else none.
    const TIntegerList& ShownBooster() const;
    // "Pick", or "Next" between pack turns.
    const char* ButtonCaption() const { return state_ == TDraftState::BetweenTurns ? "Next" : "Pick"; }
    // The three save buttons show once a draft has finished (and hide when the next starts).
    bool SaveButtonsVisible() const { return saveButtonsVisible_; }
    // A draft in progress, or finished with the user's picks neither saved nor handed to the
    // designer: closing the table would lose them.
    bool PicksUnsaved() const;

    // The user takes a card (a card-list position) of the shown booster. False, with nothing
    // changed, when no pick is due or the card is not in the shown booster.
    bool MakePick(int32_t cardIndex);
    // "Next" between pack turns opens the next one. False when it is not due.
    bool NextPackTurn();
    // The pick button, Enter and the double-click: "Next" when due, then the pick of the selected
    // card (-1: nothing selected); with "Confirm picks" a card not marked yet is only marked.
    void PressPick(int32_t selectedCard);
    // The pick a countdown reaching zero makes: the marked card when there is one, else seat 0
    // picks by its rule; then the table goes on.
    void AutoPick();
    // The rest of the draft as if every countdown ran out: each due "Next", then the pick.
    void FinishByTimeouts();

    // The countdown. The window calls Tick every second while TimerRunning.
    void Tick();
    void StopTimer() { timerRunning_ = false; }
    bool TimerRunning() const { return timerRunning_; }
    int PickSeconds() const { return pickSeconds_; }
    // Counts the countdowns started: when it changes, the window restarts its one-second timer
    // so that the new countdown's first second is a whole one.
    int CountdownStarts() const { return countdownStarts_; }
    // "0:40", "0:05"; empty while no pick is counted down (untimed, between pack turns, finished).
    std::string TimeText() const;

    TBotsList& Seats() { return seats_; }
    const TBotsList& Seats() const { return seats_; }
    const std::vector<std::string>& Log() const { return log_; }
    // Every pick step of the draft so far, with what runs it again.
    const TDraftRecord& Record() const { return record_; }

    // The deck list: one order (seat 0's SortMode) for every seat.
    TSortMode DeckSortMode() const;
    TSortMode CycleDeckSortMode();
    std::vector<int32_t> DeckList(int seat) const;

    // Writes seat `seat`'s picks as a deck. An empty file name asks for one (and keeps it for
    // the next seat); seats 1 to 7 write beside it with "_bot2" ... "_bot8". An existing file is
    // confirmed unless `overwrite`. False when nothing was written (cancelled).
    bool SaveSeatDeck(int seat, std::string& fileName, bool overwrite);
    // Writes every seat's picks as decks, seat 1 at `fileName` and the others beside it, together
    // with the files already added to `files`, as one set (FileSet::Commit): all or none. With
    // `decks` (one text per seat) those are written instead of the picks.
    void SaveAllSeatDecks(const std::string& fileName, FileSet& files,
                          const std::vector<std::string>& decks = {});
    // "Save deck": the selected seat's picks ("Deck is empty!" when it has none).
    void SaveDeck(int seat);
    // "Design deck": the user's picks to Temp/temp.dec. True when written: the window then
    // closes and the deck designer opens on that file.
    bool DesignDeck();

private:
    // What every start does first: seed (the seed is returned), clear the picks and the record.
    uint32_t BeginStart();
    // The boosters are in place: the table starts picking.
    void FinishStart(std::string packs, uint32_t seed, int pickTimeSeconds);
    void ClearBoosters();
    void ResetPickTimer();
    void AfterUserPick();
    // Seat `seat` picks from its booster by `pick`, recorded as made `how`.
    template <typename PickFn> void RecordedPick(int seat, TPickHow how, PickFn&& pick);
    void EndPackTurn();
    TBoosterItem& BoosterOf(int number) { return packs_[static_cast<size_t>(turn_)].Items(number - 1); }
    const TCardsList& Cards() const { return cards_; }

    TCardsList& cards_;
    TCardLoader loader_;
    std::optional<uint32_t> fixedSeed_;
    RandomSource random_;
    std::array<TBoosterList, kPackTurns> packs_;
    TEditionCards pools_;
    TBotsList seats_;
    std::vector<std::string> log_;
    TDraftRecord record_;
    TDraftRecorder recorder_;
    uint8_t drafterStrategy_ = kPickByValue;
    int pickInTurn_ = 1;

    TDraftState state_ = TDraftState::Idle;
    int turn_ = 0;
    int userBooster_ = 1;
    int pickTime_ = 40;
    int pickSeconds_ = 0;
    int countdownStarts_ = 0;
    bool timerRunning_ = false;
    bool saveButtonsVisible_ = false;
    bool userPicksWritten_ = false;
    bool confirmPicks_ = false;
    int32_t markedCard_ = -1;
};

// The seconds a pick gets: the starting pick time less a step by the cards left in booster 1,
// never less than 1.
int PickTimeFor(int pickTimeSeconds, int cardsInFirstBooster);

// The file seat `seat` saves to for the chosen name: the name itself for the user, the computer
// drafters' beside it with "_bot2" ... "_bot8".
std::string SeatDeckPath(const std::string& fileName, int seat);
// The seats' deck files of `fileName` that exist already, in seat order.
std::vector<std::string> ExistingSeatDecks(const std::string& fileName);
// "Save all decks": one file name for the eight seats, asked once (empty: cancelled), and one
// question for all the files it would replace: OverwriteDeckQuestion for one, else
// `severalQuestion` of their names joined by ", ". Returns the name to write, or empty when the
// user cancelled either.
std::string AskSeatDecksTarget(const std::function<std::string(const std::string& files)>& severalQuestion);

// The editions filter of a draft: each resolved name once, "+" turned into ";".
std::string DraftEditionsFilter(const std::array<std::string, kPackTurns>& resolvedNames);

} // namespace tovel
