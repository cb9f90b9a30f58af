#include "core/limited/Bots.h"

#include <algorithm>

namespace tovel {

namespace {

constexpr int kTopThreshold = 12;

int Score(const TCardItem& card) {
    return card.Value + (card.Rarity == TRarity::R ? 1 : 0);
}

} // namespace

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
    // The highest threshold from 12 down that some card reaches is the best score, capped.
    int best = 0;
    for (int32_t index : pack.Cards)
        best = std::max(best, Score(cards.Items(index)));
    if (best < 1) {
        PickRaresFirst(pack, cards, random);
        return;
    }
    const int threshold = std::min(best, kTopThreshold);
    Candidates.Clear();
    for (int32_t index : pack.Cards)
        if (Score(cards.Items(index)) >= threshold)
            Candidates.Add(index);

    int32_t choice = Candidates.Items(0);
    for (int32_t index : Candidates)
        if (cards.Items(index).Color == TCardColor::L && random.Random(2) == 1)
            choice = index;
    TakeCard(choice, &pack, cards);
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
