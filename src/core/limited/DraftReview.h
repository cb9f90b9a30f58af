#pragma once

// Looking back through a draft record: a seat's steps, the cards of a booster that came back to
// the seat, the seat's picks so far with their curve and colours, and a summary per seat with the
// signals it saw (how much of each colour's value kept flowing late in each pack turn).

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckStats.h"
#include "core/limited/DraftRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tovel {

// The signals count the boosters a seat sees after this pick of each pack turn.
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

// The card of a record's key, or null when the database no longer has it.
inline const TCardItem* LinkOf(const TCardLinks& links, int32_t key) {
    return key >= 0 && static_cast<size_t>(key) < links.size() ? links[static_cast<size_t>(key)] : nullptr;
}

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
    // Per pack turn and colour (W U B R G): the summed value of the colour's cards in the
    // boosters seen after pick kSignalAfterPick, as a share (0 to 1) of the sum over the five
    // colours; a card of several colours counts for each. All 0 when no coloured value was seen.
    std::array<std::array<double, 5>, 3> Signals{};
    std::array<int, 3> OpenColors{-1, -1, -1}; // per pack turn: the colour of the largest share
                                               // (the first of equals), -1 when none
};
TSeatSummary SummarizeSeat(const TDraftRecord& record, const TCardLinks& links, int seat);

} // namespace tovel
