#pragma once

// Grading a recorded draft. Each pick of a seat is set against the card a "value and colours"
// drafter would take with the seat's picks before it: by value for the first kOpenPicks picks of
// the draft, then by ColorScore for the two colours of those picks. A card the database no longer
// has scores 0. The best card is the first of the highest score in pack order; a pick's loss is
// the best score less the score of the card taken, and a pick agrees when it loses nothing.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/decks/DeckBuilder.h"
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

// Every seat's deck built from its picks, and the standings of the eight decks by the builder's
// score: highest first, equal scores by seat number.
struct TDraftGrade {
    int Seat = 0;                              // the seat graded, 0 to 7
    std::vector<TPickGrade> Picks;             // its picks
    std::array<TBuiltDeck, kTableSeats> Decks; // per seat
    std::array<int, kTableSeats> Standings{};  // the seats, best first

    // A seat's place in the standings, 1 to 8.
    int Place(int seat) const;
};

// The cards (record keys) a seat took, in pick order: the pool its deck is built from.
std::vector<int32_t> SeatPicks(const TDraftRecord& record, int seat);
// The deck the builder makes of those picks; a card the database lacks stays in the sideboard.
TBuiltDeck BuildSeatDeck(const std::vector<int32_t>& picks, const TCardLinks& links);
TDraftGrade GradeDraft(const TDraftRecord& record, const TCardLinks& links, int seat);

// A seat's built deck as a deck file: its spells and basic lands, then every other pick in the
// sideboard, a pick the database lacks by its key. Error when a basic land it needs is not in
// `cards`.
std::string FormatSeatDeck(const TDraftRecord& record, const TCardLinks& links, const TCardsList& cards,
                           const std::vector<int32_t>& picks, const TBuiltDeck& deck);
// Every seat's built deck as a deck file's text, seat 1 first ("Save all decks" as built decks).
// `cards` holds the cards and the basic lands.
std::vector<std::string> BuiltSeatDecks(const TDraftRecord& record, const TCardsList& cards);

} // namespace tovel
