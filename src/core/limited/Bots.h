#pragma once

// The eight seats of a draft table and the rules by which a computer drafter picks. Seat 0 is
// the user; its timed-out picks follow the same rules as the computer drafters'.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/infra/Random.h"
#include "core/limited/Booster.h"

#include <array>
#include <climits>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

using TLogHandler = std::function<void(const std::string&)>;

enum TPickStrategy : uint8_t {
    kPickAtRandom = 0,
    kPickRaresFirst = 1,
    kPickByValue = 2,
    kPickByValueAndColors = 3,
};

// The computer drafters' rule from its stored number (the settings' Draft/BotStrategy): 3 is by
// value and colours, anything else by value.
TPickStrategy DrafterStrategyFromSetting(int setting);
// The computer drafters' rule from its command-line word, "value" or "colours"; none for any
// other word.
std::optional<TPickStrategy> ParseDrafterStrategy(std::string_view word);

// Picks a drafter makes by value alone before it keeps to two colours.
inline constexpr int kOpenPicks = 5;
// What a card outside the drafter's two colours loses from its score.
inline constexpr int kOffColorPenalty = 4;

// A drafter's two colours (colour bits, see CardColors): the two with the highest summed value
// of its picks, ties to the colour picked first. 0 while fewer than two colours were picked.
uint8_t DrafterColors(const TIntegerList& picks, const TCardsList& cards);

// The sums behind DrafterColors, kept up pick by pick.
class TDrafterColorTally {
public:
    // The next pick; a card that is not known (null) counts as a pick without colours.
    void Add(const TCardItem* card);
    uint8_t Colors() const;

private:
    std::array<int64_t, 5> sums_{};
    std::array<int, 5> first_{INT_MAX, INT_MAX, INT_MAX, INT_MAX,
                              INT_MAX}; // the pick of each colour's first card
    int picks_ = 0;
};
// The score of a card for a drafter of those colours: value, +1 for a rare, less
// kOffColorPenalty when it has a coloured symbol and none of the colours (lands never lose).
// With no colours (0) it is the plain value score.
int64_t ColorScore(const TCardItem& card, uint8_t colors);

class TBotItem {
public:
    explicit TBotItem(int number) : number_(number) {}

    TIntegerList Picks;              // card-list positions in pick order: the seat's pool
    uint8_t Strategy = kPickByValue; // the user's seat always; the drafters' as the table sets
    TLogHandler OnLog;               // one line per card taken; may be empty
    TIntegerList Candidates;         // scratch list of the pick rules
    uint8_t SortMode = 0;            // the draft window's deck-list order (seat 0's is used)

    // The seat's number: its position in the list.
    int Number() const { return number_; }

    // Chooses a card of the pack by Strategy and takes it. Does nothing on an empty pack.
    void Pick(TBoosterItem& pack, const TCardsList& cards, RandomSource& random);
    // Adds the card to Picks, removes its first occurrence from the pack (when given) and logs.
    void TakeCard(int32_t cardIndex, TBoosterItem* pack, const TCardsList& cards);

    void PickAtRandom(TBoosterItem& pack, const TCardsList& cards, RandomSource& random);
    // A random card of the first card's rarity.
    void PickRaresFirst(TBoosterItem& pack, const TCardsList& cards, RandomSource& random);
    // The best score (Value, +1 for a rare, capped at 12); among equals the first in pack order,
    // unless cards without any mana symbol are among them: each of those may be preferred on a
    // coin flip. Every score 0 or less: PickRaresFirst.
    void PickByValue(TBoosterItem& pack, const TCardsList& cards, RandomSource& random);
    // PickByValue for the first kOpenPicks picks; then by ColorScore for the seat's
    // DrafterColors, the choice among the best as PickByValue's. With every score 0 or less it
    // still takes a card of the best score (a random card would leave the colours).
    void PickByValueAndColors(TBoosterItem& pack, const TCardsList& cards, RandomSource& random);

private:
    int number_;
};

// "Human - " or "Bot #N - ", the rarity letter, three blanks and the name.
std::string PickLogLine(int seat, const TCardItem& card);

class TBotsList {
public:
    TBotItem& AddBot();
    void AddBots(int count);
    void SetOnLog(TLogHandler handler);
    void ClearPicks();
    // Seat 0, or null when there are no seats.
    TBotItem* Human() { return seats_.empty() ? nullptr : &seats_.front(); }
    TBotItem& Items(int index) { return seats_[static_cast<size_t>(index)]; }
    const TBotItem& Items(int index) const { return seats_[static_cast<size_t>(index)]; }
    int Count() const { return static_cast<int>(seats_.size()); }

private:
    std::deque<TBotItem> seats_;
    TLogHandler onLog_;
};

} // namespace tovel
