#include "core/limited/DraftReview.h"

#include "core/carddb/CardText.h"

#include <algorithm>
#include <unordered_map>

namespace tovel {

namespace {

void AddColors(TColorCounts& counts, const TCardItem* card) {
    if (!card) {
        ++counts.Unknown;
        return;
    }
    const uint8_t colors = CardColors(*card);
    if (colors == 0)
        ++counts.Colorless;
    for (size_t c = 0; c < kColorBits.size(); ++c)
        if (colors & kColorBits[c])
            ++counts.Colors[c];
}

} // namespace

std::string StepLabel(const TPickStep& step) {
    return "P" + std::to_string(step.PackTurn) + "p" + std::to_string(step.Pick);
}

std::vector<int> SeatSteps(const TDraftRecord& record, int seat) {
    std::vector<int> steps;
    for (size_t i = 0; i < record.Steps.size(); ++i)
        if (record.Steps[i].Seat == seat)
            steps.push_back(static_cast<int>(i));
    return steps;
}

std::vector<bool> WheeledCards(const TDraftRecord& record, int step) {
    const TPickStep& now = record.Steps[static_cast<size_t>(step)];
    std::vector<bool> wheeled(now.Cards.size(), false);
    for (size_t j = static_cast<size_t>(step) + 1; j < record.Steps.size(); ++j) {
        const TPickStep& later = record.Steps[j];
        if (later.Seat != now.Seat || later.PackTurn != now.PackTurn || later.Booster != now.Booster)
            continue;
        std::unordered_map<int32_t, int> left;
        for (int32_t key : later.Cards)
            ++left[key];
        for (size_t k = 0; k < now.Cards.size(); ++k) {
            if (static_cast<int>(k) == now.TakenAt)
                continue;
            int& count = left[now.Cards[k]];
            if (count > 0) {
                wheeled[k] = true;
                --count;
            }
        }
        break;
    }
    return wheeled;
}

std::vector<int32_t> PicksBefore(const TDraftRecord& record, int step) {
    const int seat = record.Steps[static_cast<size_t>(step)].Seat;
    std::vector<int32_t> picks;
    for (int i = 0; i < step; ++i)
        if (record.Steps[static_cast<size_t>(i)].Seat == seat)
            picks.push_back(record.Steps[static_cast<size_t>(i)].Taken());
    return picks;
}

TColorCounts CountColors(const std::vector<int32_t>& keys, const TCardLinks& links) {
    TColorCounts counts;
    for (int32_t key : keys)
        AddColors(counts, LinkOf(links, key));
    return counts;
}

TColorCounts CountCardColors(const TCardsList& cards, std::span<const int32_t> positions) {
    TColorCounts counts;
    for (int32_t position : positions)
        AddColors(counts, position >= 0 && position < cards.Count() ? &cards.Items(position) : nullptr);
    return counts;
}

std::string ColorCountsText(const TColorCounts& counts) {
    std::string text;
    for (size_t c = 0; c < kColorLetters.size(); ++c)
        text += std::string(1, kColorLetters[c]) + " " + std::to_string(counts.Colors[c]) + "  ";
    return text + "Colourless " + std::to_string(counts.Colorless);
}

std::array<int, kCurveColumns> ManaCurve(const std::vector<int32_t>& keys, const TCardLinks& links) {
    std::array<int, kCurveColumns> curve{};
    for (int32_t key : keys) {
        const TCardItem* card = LinkOf(links, key);
        if (card && !IsLandCard(*card))
            ++curve[static_cast<size_t>(std::clamp<int64_t>(CurveCost(*card), 0, kCurveColumns - 1))];
    }
    return curve;
}

TSeatSummary SummarizeSeat(const TDraftRecord& record, const TCardLinks& links, int seat) {
    TSeatSummary summary;
    std::array<std::array<int64_t, 5>, 3> seen{};
    for (const TPickStep& step : record.Steps) {
        if (step.Seat != seat)
            continue;
        const auto turn = static_cast<size_t>(step.PackTurn - 1);
        AddColors(summary.ColorsByTurn[turn], LinkOf(links, step.Taken()));
        if (step.Pick == 1 && summary.FirstPicks[turn] < 0)
            summary.FirstPicks[turn] = step.Taken();
        if (step.Pick <= kSignalAfterPick)
            continue;
        for (int32_t key : step.Cards) {
            const TCardItem* card = LinkOf(links, key);
            if (!card)
                continue;
            const uint8_t colors = CardColors(*card);
            for (size_t c = 0; c < kColorBits.size(); ++c)
                if (colors & kColorBits[c])
                    seen[turn][c] += card->Value;
        }
    }
    for (size_t turn = 0; turn < seen.size(); ++turn) {
        int64_t total = 0;
        for (int64_t value : seen[turn])
            total += value;
        if (total <= 0)
            continue;
        for (size_t c = 0; c < kColorBits.size(); ++c) {
            summary.Signals[turn][c] = static_cast<double>(seen[turn][c]) / static_cast<double>(total);
            if (summary.OpenColors[turn] < 0 ||
                seen[turn][c] > seen[turn][static_cast<size_t>(summary.OpenColors[turn])])
                summary.OpenColors[turn] = static_cast<int>(c);
        }
    }
    return summary;
}

} // namespace tovel
