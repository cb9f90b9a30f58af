#include "core/decks/DeckStats.h"

#include "core/infra/Text.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace tovel {

namespace {

bool TypeLineHolds(const TCardItem& card, std::string_view word) {
    return AsciiUpperCase(card.TypeLine).find(word) != std::string::npos;
}

// 0..4 in BasicLandNames order for a colour letter of either case, -1 otherwise.
int ColourSlot(char letter) {
    const char upper = AsciiUpper(letter);
    for (size_t i = 0; i < kColourLetters.size(); ++i)
        if (kColourLetters[i] == upper)
            return static_cast<int>(i);
    return -1;
}

// The symbols of one cost half, in halves, added to `halves`.
void AddSymbols(const SymbolCountArray& counts, int64_t copies, std::array<int64_t, 5>& halves) {
    for (size_t slot = 0; slot < 5; ++slot)
        halves[slot] += 2 * copies * counts[static_cast<size_t>(TCardColor::B) + slot];
    for (size_t h = 0; h < HybridSymbols.size(); ++h) {
        const int64_t n = counts[static_cast<size_t>(TCardColor::HybridFirst) + h];
        if (n == 0)
            continue;
        // "(r / w)": the colour letters stand second and sixth.
        for (const char letter : {HybridSymbols[h][1], HybridSymbols[h][5]})
            halves[static_cast<size_t>(ColourSlot(letter))] += copies * n;
    }
}

} // namespace

bool IsLandCard(const TCardItem& card) {
    return TypeLineHolds(card, "LAND");
}

bool IsCreatureCard(const TCardItem& card) {
    return !IsLandCard(card) && TypeLineHolds(card, "CREATURE");
}

int64_t CurveCost(const TCardItem& card) {
    return int64_t{card.ConvertedCost} + card.ConvertedCost2;
}

const char* TypeClassName(TCardType type) {
    switch (type) {
    case TCardType::Creature:
        return "Creature";
    case TCardType::ArtifactCreature:
        return "Artifact creature";
    case TCardType::Instant:
        return "Instant";
    case TCardType::Sorcery:
        return "Sorcery";
    case TCardType::Enchantment:
        return "Enchantment";
    case TCardType::Artifact:
        return "Artifact";
    case TCardType::Land:
        return "Land";
    case TCardType::Basic:
        return "Basic land";
    default:
        return "Other";
    }
}

double TDeckStatistics::AverageCost() const {
    return NonLand() > 0 ? static_cast<double>(CostSum) / static_cast<double>(NonLand()) : 0.0;
}

std::string TDeckStatistics::SymbolText(int colour) const {
    const int64_t halves = SymbolHalves[static_cast<size_t>(colour)];
    return std::to_string(halves / 2) + (halves % 2 ? ".5" : ".0");
}

int64_t TDeckStatistics::TypeCount(TCardType type) const {
    const auto at = std::find(kCountedTypeClasses.begin(), kCountedTypeClasses.end(), type);
    return at == kCountedTypeClasses.end()
               ? 0
               : TypeCounts[static_cast<size_t>(at - kCountedTypeClasses.begin())];
}

void TDeckStatistics::Add(const TCardItem& card, int64_t copies) {
    if (copies <= 0)
        return;
    Cards += copies;
    auto typeAt =
        std::find(kCountedTypeClasses.begin(), kCountedTypeClasses.end(), CardTypeClass(card.TypeLine));
    if (typeAt == kCountedTypeClasses.end())
        typeAt = kCountedTypeClasses.end() - 1; // Other
    TypeCounts[static_cast<size_t>(typeAt - kCountedTypeClasses.begin())] += copies;
    AddSymbols(card.SymbolCounts, copies, SymbolHalves);
    AddSymbols(card.SymbolCounts2, copies, SymbolHalves);
    if (IsLandCard(card)) {
        Lands += copies;
        return;
    }
    const int64_t cost = CurveCost(card);
    CostSum += cost * copies;
    const auto column = static_cast<size_t>(std::clamp<int64_t>(cost, 0, kCurveColumns - 1));
    (IsCreatureCard(card) ? CurveCreatures : CurveOthers)[column] += copies;
}

TDeckStatistics ZoneStatistics(const TCardsList& cards, const TDeckZone& zone) {
    TDeckStatistics stats;
    for (int32_t position : zone.Entries) {
        const TCardItem& card = cards.Items(position);
        const int slot = BasicLandSlot(card);
        stats.Add(card, slot >= 0 ? zone.Lands[static_cast<size_t>(slot)] : 1);
    }
    return stats;
}

TDeckStatistics PickStatistics(const TCardsList& cards, std::span<const int32_t> positions) {
    TDeckStatistics stats;
    for (int32_t position : positions)
        stats.Add(cards.Items(position), 1);
    return stats;
}

TLandSuggestion SuggestLands(const TCardsList& cards, const TDeckZone& main) {
    int64_t others = 0; // cards that are not basic lands
    std::array<int64_t, 5> halves{};
    for (int32_t position : main.Entries) {
        const TCardItem& card = cards.Items(position);
        if (IsBasicLand(card))
            continue;
        ++others;
        if (!IsLandCard(card)) {
            AddSymbols(card.SymbolCounts, 1, halves);
            AddSymbols(card.SymbolCounts2, 1, halves);
        }
    }
    TLandSuggestion suggestion;
    const int64_t symbols = std::accumulate(halves.begin(), halves.end(), int64_t{0});
    if (symbols == 0)
        return suggestion;
    suggestion.Suggested = true;
    const int64_t target = others > 26 ? 60 : 40;
    const int64_t total = std::max<int64_t>(0, target - others);
    suggestion.Total = static_cast<int32_t>(total);
    suggestion.Lands = SplitLands(total, halves);
    return suggestion;
}

std::array<int32_t, 5> SplitLands(int64_t total, const std::array<int64_t, 5>& weights) {
    std::array<int32_t, 5> lands{};
    const int64_t sum = std::accumulate(weights.begin(), weights.end(), int64_t{0});
    if (sum <= 0)
        return lands;
    std::array<int64_t, 5> remainders{};
    int64_t given = 0;
    for (size_t i = 0; i < 5; ++i) {
        lands[i] = static_cast<int32_t>(total * weights[i] / sum);
        remainders[i] = total * weights[i] % sum;
        given += lands[i];
    }
    std::array<size_t, 5> order{0, 1, 2, 3, 4};
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return remainders[a] > remainders[b]; });
    for (size_t k = 0; given < total; ++k, ++given)
        ++lands[order[k]];
    return lands;
}

std::string StatisticsText(const TDeckStatistics& stats) {
    std::string text = std::to_string(stats.Cards) + " cards: " + std::to_string(stats.Lands) + " lands, " +
                       std::to_string(stats.NonLand()) + " non-land\n";
    text += "Curve (cost: creatures + other spells):\n";
    for (int column = 0; column < kCurveColumns; ++column) {
        const auto c = static_cast<size_t>(column);
        text += "  " + std::to_string(column) + (column == kCurveColumns - 1 ? "+: " : ":  ") +
                std::to_string(stats.CurveCreatures[c]) + " + " + std::to_string(stats.CurveOthers[c]) + "\n";
    }
    char average[32];
    std::snprintf(average, sizeof average, "%.2f", stats.AverageCost());
    text += std::string("Average cost of non-land cards: ") + average + "\n";
    text += "Types:";
    bool first = true;
    for (size_t i = 0; i < kCountedTypeClasses.size(); ++i)
        if (stats.TypeCounts[i] > 0) {
            text += std::string(first ? " " : ", ") + TypeClassName(kCountedTypeClasses[i]) + " " +
                    std::to_string(stats.TypeCounts[i]);
            first = false;
        }
    text += first ? " none\n" : "\n";
    text += "Colour symbols:";
    for (int colour = 0; colour < 5; ++colour)
        text +=
            std::string(" ") + kColourLetters[static_cast<size_t>(colour)] + " " + stats.SymbolText(colour);
    return text + "\n";
}

std::string LandSuggestionText(const TLandSuggestion& suggestion) {
    if (!suggestion.Suggested)
        return "Suggested lands: none (no coloured symbols)";
    std::string text = "Suggested lands: " + std::to_string(suggestion.Total);
    std::string parts;
    for (size_t i = 0; i < 5; ++i)
        if (suggestion.Lands[i] > 0)
            parts += (parts.empty() ? "" : ", ") + std::to_string(suggestion.Lands[i]) + " " +
                     std::string(BasicLandNames[i]);
    return parts.empty() ? text : text + " (" + parts + ")";
}

} // namespace tovel
