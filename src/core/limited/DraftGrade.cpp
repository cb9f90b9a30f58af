#include "core/limited/DraftGrade.h"

#include "core/carddb/CardText.h"
#include "core/limited/DraftEngine.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace tovel {

uint8_t GradeColors(int picksBefore, const TDrafterColorTally& tally) {
    return picksBefore < kOpenPicks ? 0 : tally.Colors();
}

int BestScoreAt(std::span<const int64_t> scores) {
    size_t best = 0;
    for (size_t i = 1; i < scores.size(); ++i)
        if (scores[i] > scores[best])
            best = i;
    return static_cast<int>(best);
}

std::vector<TPickGrade> GradePicks(const TDraftRecord& record, const TCardLinks& links, int seat) {
    std::vector<TPickGrade> grades;
    TDrafterColorTally tally;
    for (size_t i = 0; i < record.Steps.size(); ++i) {
        const TPickStep& step = record.Steps[i];
        if (step.Seat != seat)
            continue;
        TPickGrade& grade = grades.emplace_back();
        grade.Step = static_cast<int>(i);
        grade.Colors = GradeColors(static_cast<int>(grades.size()) - 1, tally);
        grade.Scores.reserve(step.Cards.size());
        for (int32_t key : step.Cards) {
            const TCardItem* card = LinkOf(links, key);
            grade.Scores.push_back(card ? ColorScore(*card, grade.Colors) : 0);
        }
        grade.Best = BestScoreAt(grade.Scores);
        grade.Loss =
            grade.Scores[static_cast<size_t>(grade.Best)] - grade.Scores[static_cast<size_t>(step.TakenAt)];
        tally.Add(LinkOf(links, step.Taken()));
    }
    return grades;
}

int DraftersChoice(const TIntegerList& booster, const TIntegerList& picks, const TCardsList& cards) {
    if (booster.Count() == 0)
        return -1;
    TDrafterColorTally tally;
    for (int32_t index : picks)
        tally.Add(&cards.Items(index));
    const uint8_t colors = GradeColors(picks.Count(), tally);
    std::vector<int64_t> scores;
    scores.reserve(static_cast<size_t>(booster.Count()));
    for (int32_t index : booster)
        scores.push_back(ColorScore(cards.Items(index), colors));
    return BestScoreAt(scores);
}

std::array<int, kTableSeats> RankSeats(const std::array<int64_t, kTableSeats>& scores) {
    std::array<int, kTableSeats> seats;
    std::iota(seats.begin(), seats.end(), 0);
    std::stable_sort(seats.begin(), seats.end(), [&](int a, int b) {
        return scores[static_cast<size_t>(a)] > scores[static_cast<size_t>(b)];
    });
    return seats;
}

std::vector<int> LargestLosses(const std::vector<TPickGrade>& picks, size_t count) {
    std::vector<int> losses;
    for (size_t i = 0; i < picks.size(); ++i)
        if (!picks[i].Agrees())
            losses.push_back(static_cast<int>(i));
    std::stable_sort(losses.begin(), losses.end(), [&](int a, int b) {
        return picks[static_cast<size_t>(a)].Loss > picks[static_cast<size_t>(b)].Loss;
    });
    losses.resize(std::min(losses.size(), count));
    return losses;
}

std::string AgreementLine(const std::vector<TPickGrade>& picks) {
    size_t agreeing = 0;
    int64_t givenUp = 0;
    for (const TPickGrade& pick : picks) {
        agreeing += pick.Agrees() ? 1 : 0;
        givenUp += pick.Loss;
    }
    const double share =
        picks.empty() ? 0.0 : 100.0 * static_cast<double>(agreeing) / static_cast<double>(picks.size());
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f", share);
    return "Agreement: " + std::to_string(agreeing) + " of " + std::to_string(picks.size()) + " picks (" +
           percent + "%), value given up " + std::to_string(givenUp);
}

std::string LossLine(const TDraftRecord& record, const TPickGrade& pick) {
    const TPickStep& step = record.Steps[static_cast<size_t>(pick.Step)];
    const auto card = [&](int at) {
        return record.Key(step.Cards[static_cast<size_t>(at)]) + " (" +
               std::to_string(pick.Scores[static_cast<size_t>(at)]) + ")";
    };
    return StepLabel(step) + " took " + card(step.TakenAt) + ", best " + card(pick.Best) + ", -" +
           std::to_string(pick.Loss);
}

int TDraftGrade::Place(int seat) const {
    return static_cast<int>(std::find(Standings.begin(), Standings.end(), seat) - Standings.begin()) + 1;
}

std::vector<int32_t> SeatPicks(const TDraftRecord& record, int seat) {
    std::vector<int32_t> picks;
    for (const TPickStep& step : record.Steps)
        if (step.Seat == seat)
            picks.push_back(step.Taken());
    return picks;
}

TBuiltDeck BuildSeatDeck(const std::vector<int32_t>& picks, const TCardLinks& links) {
    std::vector<const TCardItem*> pool;
    pool.reserve(picks.size());
    for (int32_t key : picks)
        pool.push_back(LinkOf(links, key));
    return BuildDeck(pool);
}

TDraftGrade GradeDraft(const TDraftRecord& record, const TCardLinks& links, int seat) {
    TDraftGrade grade;
    grade.Seat = seat;
    grade.Picks = GradePicks(record, links, seat);
    std::array<std::vector<int32_t>, kTableSeats> picks;
    for (const TPickStep& step : record.Steps)
        if (step.Seat >= 0 && step.Seat < kTableSeats)
            picks[static_cast<size_t>(step.Seat)].push_back(step.Taken());
    std::array<int64_t, kTableSeats> scores{};
    for (size_t s = 0; s < picks.size(); ++s) {
        grade.Decks[s] = BuildSeatDeck(picks[s], links);
        scores[s] = grade.Decks[s].Score;
    }
    grade.Standings = RankSeats(scores);
    return grade;
}

std::string FormatSeatDeck(const TDraftRecord& record, const TCardLinks& links, const TCardsList& cards,
                           const std::vector<int32_t>& picks, const TBuiltDeck& deck) {
    // The deck as the designer saves it, for the picks the database has.
    std::vector<int32_t> positions;
    positions.reserve(picks.size());
    for (int32_t key : picks) {
        const TCardItem* card = LinkOf(links, key);
        positions.push_back(card ? cards.PositionOf(*card) : -1);
    }
    TBuiltDeck known = deck;
    std::erase_if(known.Sideboard, [&](int index) { return positions[static_cast<size_t>(index)] < 0; });
    const TDeckZones zones = BuiltDeckZones(known, positions, BasicLandPositions(cards));
    TDeckLineGrouper sideboard = GroupZone(cards, zones.Sideboard.Entries, zones.Sideboard.Lands);
    for (int index : deck.Sideboard) {
        if (positions[static_cast<size_t>(index)] >= 0)
            continue;
        const std::string text = "1 " + record.Key(picks[static_cast<size_t>(index)]);
        TDeckLine line; // views into `text`
        if (ParseDeckLine(text, line) == TDeckLineKind::Card)
            sideboard.Add(line.Edition, line.Name, 1);
    }
    return GroupZone(cards, zones.Main.Entries, zones.Main.Lands).Format(false) + sideboard.Format(true);
}

std::vector<std::string> BuiltSeatDecks(const TDraftRecord& record, const TCardsList& cards) {
    const TCardLinks links = LinkRecordCards(record, cards);
    std::vector<std::string> decks;
    for (int seat = 0; seat < kTableSeats; ++seat) {
        const std::vector<int32_t> picks = SeatPicks(record, seat);
        decks.push_back(FormatSeatDeck(record, links, cards, picks, BuildSeatDeck(picks, links)));
    }
    return decks;
}

} // namespace tovel
