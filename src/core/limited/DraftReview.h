#pragma once

// Looking back through a draft record: a seat's steps, the cards of a booster that came back to
// the seat, the seat's picks so far with their curve and colours, and a summary per seat with the
// signals the user saw (which colours kept flowing late in each pack turn).

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckStats.h"
#include "core/limited/DraftRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tovel {

// Cards of at least this value count as a signal when seen after kSignalAfterPick.
inline constexpr int kSignalValue = 7;
inline constexpr int kSignalAfterPick = 5;

// "P1p1".
std::string StepLabel(const TPickStep& step);

// The indices into record.Steps of one seat's steps, in order.
std::vector<int> SeatSteps(const TDraftRecord& record, int seat);

// For each card of the step's booster: whether it was still in that booster when it came back
// to the same seat later in the pack turn. The card taken is never marked.
std::vector<bool> WheeledCards(const TDraftRecord& record, int step);

// The cards (key indices) the step's seat took before that step, in pick order.
std::vector<int32_t> PicksBefore(const TDraftRecord& record, int step);

// Counts by colour (W U B R G; a card of several colours counts for each), colourless cards, and
// cards the database no longer has.
struct TColorCounts {
    std::array<int, 5> Colors{};
    int Colorless = 0;
    int Unknown = 0;
};
using TCardLinks = std::vector<const TCardItem*>;

TColorCounts CountColors(const std::vector<int32_t>& keys, const TCardLinks& links);
// The same for card-list positions (the picks on the draft table).
TColorCounts CountCardColors(const TCardsList& cards, std::span<const int32_t> positions);
// "W 2  U 0  B 1  R 3  G 0  Colourless 1", as the draft table shows a seat's picks.
std::string ColorCountsText(const TColorCounts& counts);
// Non-land cards by converted cost, on the deck designer's curve columns; lands and unknown
// cards are left out.
std::array<int, kCurveColumns> ManaCurve(const std::vector<int32_t>& keys, const TCardLinks& links);

struct TSeatSummary {
    std::array<TColorCounts, 3> ColorsByTurn;      // the colours of the picks per pack turn
    std::array<int32_t, 3> FirstPicks{-1, -1, -1}; // the key taken at pick 1, or -1
    std::array<std::array<int, 5>, 3> Signals{};   // per pack turn and colour: cards of
                                                   // kSignalValue or more seen after
                                                   // pick kSignalAfterPick
};
TSeatSummary SummarizeSeat(const TDraftRecord& record, const TCardLinks& links, int seat);

} // namespace tovel
