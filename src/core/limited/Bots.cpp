#include "core/limited/Bots.h"

#include "core/carddb/CardText.h"

#include <algorithm>
#include <array>
#include <climits>

namespace tovel {

namespace {

constexpr int kTopThreshold = 12;

// Scores are 64-bit: a value may be any 32-bit number, and the +1 or -4 must not overflow.
int64_t Score(const TCardItem& card) {
    return int64_t{card.Value} + (card.Rarity == TRarity::R ? 1 : 0);
}

// The best score (capped) and its candidates, first in pack order unless a card without any mana
// symbol wins a coin flip. Null when every score is 0 or less and `lowScoresToo` is not set.
template <typename ScoreOf>
bool TakeBest(TBotItem& seat, TBoosterItem& pack, const TCardsList& cards, RandomSource& random,
              ScoreOf scoreOf, bool lowScoresToo) {
    // The highest threshold from 12 down that some card reaches is the best score, capped.
    int64_t best = INT64_MIN;
    for (int32_t index : pack.Cards)
        best = std::max(best, scoreOf(cards.Items(index)));
    if (best < 1 && !lowScoresToo)
        return false;
    const int64_t threshold = std::min<int64_t>(best, kTopThreshold);
    seat.Candidates.Clear();
    for (int32_t index : pack.Cards)
        if (scoreOf(cards.Items(index)) >= threshold)
            seat.Candidates.Add(index);

    int32_t choice = seat.Candidates.Items(0);
    for (int32_t index : seat.Candidates)
        if (cards.Items(index).Color == TCardColor::L && random.Random(2) == 1)
            choice = index;
    seat.TakeCard(choice, &pack, cards);
    return true;
}

} // namespace

uint8_t DrafterColors(const TIntegerList& picks, const TCardsList& cards) {
    TDrafterColorTally tally;
    for (int32_t index : picks)
        tally.Add(&cards.Items(index));
    return tally.Colors();
}

void TDrafterColorTally::Add(const TCardItem* card) {
    const uint8_t colors = card ? CardColors(*card) : 0;
    for (size_t c = 0; c < kColorBits.size(); ++c)
        if (colors & kColorBits[c]) {
            sums_[c] += card->Value;
            first_[c] = std::min(first_[c], picks_);
        }
    ++picks_;
}

uint8_t TDrafterColorTally::Colors() const {
    std::array<size_t, 5> order = {0, 1, 2, 3, 4};
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return sums_[a] != sums_[b] ? sums_[a] > sums_[b] : first_[a] < first_[b];
    });
    if (first_[order[1]] == INT_MAX)
        return 0;
    return static_cast<uint8_t>(kColorBits[order[0]] | kColorBits[order[1]]);
}

int64_t ColorScore(const TCardItem& card, uint8_t colors) {
    const uint8_t own = CardColors(card);
    const bool outside = colors != 0 && own != 0 && (own & colors) == 0;
    const TCardType type = TypeClass(card.TypeLine);
    const bool land = type == TCardType::Land || type == TCardType::Basic;
    return Score(card) - (outside && !land ? kOffColorPenalty : 0);
}

std::string PickLogLine(int seat, const TCardItem& card) {
    std::string line = seat == 0 ? std::string("Human - ") : "Bot #" + std::to_string(seat) + " - ";
    line += CardCaption(card);
    return line;
}

void TBotItem::Pick(TBoosterItem& pack, const TCardsList& cards, RandomSource& random) {
    if (pack.Cards.Count() == 0)
        return;
    switch (Strategy) {
    case kPickAtRandom:
        PickAtRandom(pack, cards, random);
        break;
    case kPickRaresFirst:
        PickRaresFirst(pack, cards, random);
        break;
    case kPickByValue:
        PickByValue(pack, cards, random);
        break;
    case kPickByValueAndColors:
        PickByValueAndColors(pack, cards, random);
        break;
    default:
        break;
    }
}

void TBotItem::TakeCard(int32_t cardIndex, TBoosterItem* pack, const TCardsList& cards) {
    Picks.Add(cardIndex);
    if (pack) {
        const int at = pack->Cards.IndexOf(cardIndex);
        if (at >= 0)
            pack->Cards.Delete(at);
    }
    if (OnLog)
        OnLog(PickLogLine(number_, cards.Items(cardIndex)));
}

void TBotItem::PickAtRandom(TBoosterItem& pack, const TCardsList& cards, RandomSource& random) {
    if (pack.Cards.Count() == 0)
        return;
    TakeCard(pack.Cards.Items(random.Random(pack.Cards.Count())), &pack, cards);
}

void TBotItem::PickRaresFirst(TBoosterItem& pack, const TCardsList& cards, RandomSource& random) {
    if (pack.Cards.Count() == 0)
        return;
    Candidates.Clear();
    const TRarity rarity = cards.Items(pack.Cards.Items(0)).Rarity;
    for (int32_t index : pack.Cards)
        if (cards.Items(index).Rarity == rarity)
            Candidates.Add(index);
    TakeCard(Candidates.Items(random.Random(Candidates.Count())), &pack, cards);
}

void TBotItem::PickByValue(TBoosterItem& pack, const TCardsList& cards, RandomSource& random) {
    if (pack.Cards.Count() == 0)
        return;
    if (!TakeBest(*this, pack, cards, random, Score, false))
        PickRaresFirst(pack, cards, random);
}

void TBotItem::PickByValueAndColors(TBoosterItem& pack, const TCardsList& cards, RandomSource& random) {
    if (pack.Cards.Count() == 0)
        return;
    const uint8_t colors = Picks.Count() < kOpenPicks ? 0 : DrafterColors(Picks, cards);
    if (colors == 0) {
        PickByValue(pack, cards, random);
        return;
    }
    TakeBest(
        *this, pack, cards, random, [colors](const TCardItem& card) { return ColorScore(card, colors); },
        true);
}

TBotItem& TBotsList::AddBot() {
    TBotItem& seat = seats_.emplace_back(Count());
    seat.OnLog = onLog_;
    return seat;
}

void TBotsList::AddBots(int count) {
    for (int i = 0; i < count; ++i)
        AddBot();
}

void TBotsList::SetOnLog(TLogHandler handler) {
    onLog_ = std::move(handler);
    for (TBotItem& seat : seats_)
        seat.OnLog = onLog_;
}

void TBotsList::ClearPicks() {
    for (TBotItem& seat : seats_)
        seat.Picks.Clear();
}

} // namespace tovel
