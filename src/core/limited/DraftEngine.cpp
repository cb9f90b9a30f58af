#include "core/limited/DraftEngine.h"

#include "core/carddb/Editions.h"
#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/FileSet.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/infra/Words.h"

#include <algorithm>

namespace tovel {

namespace {

const TIntegerList kNoCards;

} // namespace

int PickTimeFor(int pickTimeSeconds, int cardsInFirstBooster) {
    const int n = cardsInFirstBooster;
    int less = 0;
    if (n == 1)
        less = 39;
    else if (n >= 2 && n <= 3)
        less = 30;
    else if (n >= 4 && n <= 5)
        less = 25;
    else if (n >= 6 && n <= 7)
        less = 20;
    else if (n >= 8 && n <= 9)
        less = 15;
    else if (n >= 10 && n <= 11)
        less = 10;
    else if (n >= 12 && n <= 13)
        less = 5;
    // A pick must be able to time out: a countdown starting at zero or below never reaches zero.
    return std::max(1, pickTimeSeconds - less);
}

std::string DraftEditionsFilter(const std::array<std::string, kPackTurns>& resolvedNames) {
    std::vector<std::string_view> added;
    std::string filter;
    for (const std::string& name : resolvedNames) {
        // Whole names are compared: "AB" must still be added after "XAB".
        if (std::find(added.begin(), added.end(), name) != added.end())
            continue;
        added.push_back(name);
        filter += name;
        filter += ';';
    }
    std::replace(filter.begin(), filter.end(), '+', ';');
    return filter;
}

std::string SeatDeckPath(const std::string& fileName, int seat) {
    return seat == 0 ? fileName : BotDeckPath(fileName, seat);
}

std::vector<std::string> ExistingSeatDecks(const std::string& fileName) {
    std::vector<std::string> existing;
    for (int seat = 0; seat < kTableSeats; ++seat)
        if (std::string target = SeatDeckPath(fileName, seat); FileExists(target))
            existing.push_back(std::move(target));
    return existing;
}

std::string AskSeatDecksTarget(const std::function<std::string(const std::string& files)>& severalQuestion) {
    std::string fileName = AskSaveFileName(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter);
    if (fileName.empty())
        return {};
    const std::vector<std::string> existing = ExistingSeatDecks(fileName);
    if (existing.empty())
        return fileName;
    std::string question;
    if (existing.size() == 1) {
        question = OverwriteDeckQuestion(existing.front());
    } else {
        std::string files;
        for (const std::string& file : existing)
            files += (files.empty() ? "" : ", ") + file;
        question = severalQuestion(files);
    }
    if (Prompts().Confirm(question, ConfirmButtons::YesCancel) != Answer::Yes)
        return {};
    return fileName;
}

void TDraftEngine::SetDrafterStrategy(uint8_t strategy) {
    drafterStrategy_ = strategy;
    for (int seat = 1; seat < seats_.Count(); ++seat)
        seats_.Items(seat).Strategy = strategy;
}

template <typename PickFn> void TDraftEngine::RecordedPick(int seat, TPickHow how, PickFn&& pick) {
    TBotItem& picker = seats_.Items(seat);
    TBoosterItem& booster = BoosterOf(SeatBooster(seat));
    const int before = picker.Picks.Count();
    recorder_.Before(turn_ + 1, pickInTurn_, seat, SeatBooster(seat), booster.Cards);
    pick(picker, booster);
    if (picker.Picks.Count() > before)
        recorder_.Taken(picker.Picks.Items(picker.Picks.Count() - 1), how);
    else
        recorder_.Taken(-1, how);
}

TDraftEngine::TDraftEngine(TCardsList& cards) : cards_(cards) {
    loader_ = DefaultCardLoader();
    seats_.SetOnLog([this](const std::string& line) { log_.push_back(line); });
    seats_.AddBots(kTableSeats);
}

void TDraftEngine::LoadTableData() {
    LoadLimitedTableData();
}

uint32_t TDraftEngine::BeginStart() {
    saveButtonsVisible_ = false;
    userPicksWritten_ = false;
    markedCard_ = -1;
    const uint32_t seed = SeedForRun(random_, fixedSeed_);
    seats_.ClearPicks();
    record_.Clear();
    return seed;
}

void TDraftEngine::ClearBoosters() {
    for (TBoosterList& packs : packs_)
        packs.Clear();
}

bool TDraftEngine::StartDraft(std::string_view config, int pickTimeSeconds) {
    const uint32_t seed = BeginStart();
    if (config.empty())
        return false;

    timerRunning_ = false;
    state_ = TDraftState::Idle;
    try {
        if (CountWords(config, ";") != kPackTurns)
            throw Error("Incorrect boosters config!");
        // boosters.ini is read once: the pack names and the compositions come from the same text.
        const IniFile boostersFile(BoostersIniPath());
        const IniDocument boosters = boostersFile.Load();
        const std::string boostersProblem = boostersFile.ReadProblem();
        std::array<std::string, kPackTurns> resolved;
        for (int i = 0; i < kPackTurns; ++i)
            resolved[static_cast<size_t>(i)] =
                ResolvePackName(NthWord(i + 1, config, ";", true), EditionList(), boosters, boostersProblem);

        // From here on the old boosters point into a card list about to be replaced.
        ClearBoosters();
        pools_.ClearPools();
        pools_.Compositions = ReadPackCompositions(boosters);
        loader_(cards_, DraftEditionsFilter(resolved));

        std::string lastFilled;
        for (int i = 0; i < kPackTurns; ++i)
            FillPacks(resolved[static_cast<size_t>(i)], packs_[static_cast<size_t>(i)], pools_, cards_,
                      lastFilled, random_);
    } catch (...) {
        ClearBoosters();
        throw;
    }
    FinishStart(std::string(config), seed, pickTimeSeconds);
    return true;
}

void TDraftEngine::StartCubeDraft(const TCubeReader& readCube, int packSize, int pickTimeSeconds) {
    const uint32_t seed = BeginStart();
    timerRunning_ = false;
    state_ = TDraftState::Idle;
    TCube cube;
    try {
        ClearBoosters();
        pools_.ClearPools();
        loader_(cards_, std::string());
        cube = readCube(cards_);
        DealCubeBoosters(cube, packSize, packs_, random_);
    } catch (...) {
        ClearBoosters();
        throw;
    }
    FinishStart(std::string(kCubePacks) + cube.Name, seed, pickTimeSeconds);
    record_.Cube.reserve(cube.Cards.size());
    for (int32_t position : cube.Cards)
        record_.Cube.push_back(record_.KeyIndex(CardKey(cards_.Items(position))));
}

void TDraftEngine::FinishStart(std::string packs, uint32_t seed, int pickTimeSeconds) {
    pickTime_ = pickTimeSeconds;
    turn_ = 0;
    userBooster_ = 1;
    pickInTurn_ = 1;
    record_.Packs = std::move(packs);
    record_.PickTime = pickTimeSeconds;
    record_.Seed = seed;
    record_.Strategy = drafterStrategy_;
    recorder_.Start(record_, cards_);
    state_ = TDraftState::Picking;
    ResetPickTimer();
}

bool TDraftEngine::PicksUnsaved() const {
    switch (state_) {
    case TDraftState::Picking:
    case TDraftState::BetweenTurns:
        return true;
    case TDraftState::Finished:
        return !userPicksWritten_;
    case TDraftState::Idle:
        break;
    }
    return false;
}

const TIntegerList& TDraftEngine::ShownBooster() const {
    if (state_ != TDraftState::Picking)
        return kNoCards;
    return packs_[static_cast<size_t>(turn_)].Items(userBooster_ - 1).Cards;
}

void TDraftEngine::ResetPickTimer() {
    markedCard_ = -1;
    if (Untimed()) {
        pickSeconds_ = 0;
        timerRunning_ = false;
        return;
    }
    const TBoosterList& current = packs_[static_cast<size_t>(turn_)];
    const int n = current.Count() > 0 ? current.Items(0).Cards.Count() : 0;
    pickSeconds_ = PickTimeFor(pickTime_, n);
    timerRunning_ = true;
    ++countdownStarts_;
}

void TDraftEngine::SetConfirmPicks(bool on) {
    confirmPicks_ = on;
    if (!on)
        markedCard_ = -1;
}

void TDraftEngine::SelectionChanged(int32_t card) {
    if (card != markedCard_)
        markedCard_ = -1;
}

std::string TDraftEngine::TimeText() const {
    if (state_ != TDraftState::Picking || Untimed())
        return {};
    const std::string number = std::to_string(pickSeconds_);
    return "0:" + (number.size() == 1 ? "0" + number : number);
}

bool TDraftEngine::MakePick(int32_t cardIndex) {
    if (state_ != TDraftState::Picking)
        return false;
    TBoosterItem& booster = BoosterOf(userBooster_);
    if (booster.Cards.IndexOf(cardIndex) < 0)
        return false;
    RecordedPick(0, TPickHow::User,
                 [&](TBotItem& seat, TBoosterItem& from) { seat.TakeCard(cardIndex, &from, cards_); });
    AfterUserPick();
    return true;
}

void TDraftEngine::AutoPick() {
    if (state_ != TDraftState::Picking)
        return;
    if (markedCard_ >= 0 && MakePick(markedCard_))
        return;
    RecordedPick(0, TPickHow::Timeout,
                 [&](TBotItem& seat, TBoosterItem& from) { seat.Pick(from, cards_, random_); });
    AfterUserPick();
}

void TDraftEngine::FinishByTimeouts() {
    while (state_ == TDraftState::Picking || state_ == TDraftState::BetweenTurns) {
        NextPackTurn();
        AutoPick();
    }
}

void TDraftEngine::AfterUserPick() {
    ResetPickTimer();
    for (int seat = 1; seat < kTableSeats; ++seat)
        RecordedPick(seat, TPickHow::Drafter,
                     [&](TBotItem& picker, TBoosterItem& from) { picker.Pick(from, cards_, random_); });
    ++pickInTurn_;

    if (BoosterOf(userBooster_).Cards.Count() == 0) {
        EndPackTurn();
    } else if (turn_ == 1) {
        // Pack turn 2 passes the other way: the user receives from seat 1.
        userBooster_ = userBooster_ % kTableSeats + 1;
    } else {
        userBooster_ = (userBooster_ + kTableSeats - 2) % kTableSeats + 1;
    }
    log_.emplace_back(kLogSeparator);
}

void TDraftEngine::EndPackTurn() {
    timerRunning_ = false;
    pickInTurn_ = 1;
    if (turn_ + 1 < kPackTurns) {
        ++turn_;
        userBooster_ = 1;
        state_ = TDraftState::BetweenTurns;
        return;
    }
    state_ = TDraftState::Finished;
    saveButtonsVisible_ = true;
    Prompts().ShowInformation("Draft Finished");
}

bool TDraftEngine::NextPackTurn() {
    if (state_ != TDraftState::BetweenTurns)
        return false;
    state_ = TDraftState::Picking;
    ResetPickTimer();
    return true;
}

void TDraftEngine::PressPick(int32_t selectedCard) {
    NextPackTurn();
    if (selectedCard < 0 || state_ != TDraftState::Picking || ShownBooster().IndexOf(selectedCard) < 0)
        return;
    if (confirmPicks_ && markedCard_ != selectedCard) {
        markedCard_ = selectedCard;
        return;
    }
    MakePick(selectedCard);
}

void TDraftEngine::Tick() {
    if (!timerRunning_ || state_ != TDraftState::Picking)
        return;
    --pickSeconds_;
    if (pickSeconds_ <= 0)
        AutoPick(); // restarts the countdown, or stops it when the pack turn ended
}

TSortMode TDraftEngine::DeckSortMode() const {
    return static_cast<TSortMode>(seats_.Items(0).SortMode % kSortModeCount);
}

TSortMode TDraftEngine::CycleDeckSortMode() {
    const TSortMode next = NextSortMode(DeckSortMode());
    seats_.Items(0).SortMode = static_cast<uint8_t>(next);
    return next;
}

std::vector<int32_t> TDraftEngine::DeckList(int seat) const {
    std::vector<int32_t> list(seats_.Items(seat).Picks.begin(), seats_.Items(seat).Picks.end());
    SortBySortMode(list, cards_, DeckSortMode());
    return list;
}

bool TDraftEngine::SaveSeatDeck(int seat, std::string& fileName, bool overwrite) {
    if (fileName.empty()) {
        fileName = AskSaveFileName(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter);
        if (fileName.empty())
            return false;
    }
    const std::string target = SeatDeckPath(fileName, seat);
    if (!overwrite && !MayReplaceFile(target, OverwriteDeckQuestion))
        return false;
    WriteMainDeck(cards_, seats_.Items(seat).Picks, target);
    if (seat == 0)
        userPicksWritten_ = true;
    return true;
}

void TDraftEngine::SaveAllSeatDecks(const std::string& fileName, FileSet& files,
                                    const std::vector<std::string>& decks) {
    for (int seat = 0; seat < kTableSeats; ++seat)
        files.Add(SeatDeckPath(fileName, seat), decks.empty()
                                                    ? FormatMainDeck(cards_, seats_.Items(seat).Picks)
                                                    : decks.at(static_cast<size_t>(seat)));
    files.Commit();
    userPicksWritten_ = true;
}

void TDraftEngine::SaveDeck(int seat) {
    if (seats_.Items(seat).Picks.Count() == 0) {
        ShowError("Deck is empty!");
        return;
    }
    std::string fileName;
    SaveSeatDeck(seat, fileName, false);
}

bool TDraftEngine::DesignDeck() {
    if (seats_.Items(0).Picks.Count() == 0) {
        ShowError("Deck is empty!");
        return false;
    }
    WriteHandOffDeck(cards_, seats_.Items(0).Picks);
    userPicksWritten_ = true;
    return true;
}

} // namespace tovel
