#pragma once

// Grading a recorded draft. Each pick of a seat is set against the card a "value and colours"
// drafter would take with the seat's picks before it: by value for the first kOpenPicks picks of
// the draft, then by ColorScore for the two colours of those picks. A card the database no longer
// has scores 0. The best card is the first of the highest score in pack order; a pick's loss is
// the best score less the score of the card taken, and a pick agrees when it loses nothing.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/limited/Bots.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tovel {

struct TPickGrade {
    int Step = 0;                // the index into the record's steps
    uint8_t Colors = 0;          // the colours the pick is scored for (colour bits; 0: none)
    std::vector<int64_t> Scores; // the score of each card of the booster, in pack order
    int Best = 0;                // the position in the booster of the best card
    int64_t Loss = 0;            // the best score less the score of the card taken

    bool Agrees() const { return Loss == 0; }
};

// The colours a pick is scored for, given the seat's picks before it (see TDrafterColorTally).
uint8_t GradeColors(int picksBefore, const TDrafterColorTally& tally);
// The position of the first of the highest scores; 0 for no scores.
int BestScoreAt(std::span<const int64_t> scores);

// Every pick of a seat (0 to 7) in pick order.
std::vector<TPickGrade> GradePicks(const TDraftRecord& record, const TCardLinks& links, int seat);

// During a draft: the position in the booster (card-list positions) of the card the drafters
// would take for a seat with these picks; -1 for an empty booster.
int DraftersChoice(const TIntegerList& booster, const TIntegerList& picks, const TCardsList& cards);

// The seats (0 to 7) ranked by their scores: highest first, equal scores by seat number.
std::array<int, kTableSeats> RankSeats(const std::array<int64_t, kTableSeats>& scores);

// The positions in `picks` of the largest losses, largest first (equal losses in pick order), at
// most `count` and none that agrees.
std::vector<int> LargestLosses(const std::vector<TPickGrade>& picks, size_t count);

// "Agreement: 31 of 45 picks (68.9%), value given up 18".
std::string AgreementLine(const std::vector<TPickGrade>& picks);
// "P1p3 took [VR] - Taken Card (5), best [VR] - Best Card (8), -3", cards by their keys.
std::string LossLine(const TDraftRecord& record, const TPickGrade& pick);

// "WU": the letters of colour bits in the order W U B R G.
std::string ColorLettersOf(uint8_t colors);

} // namespace tovel
