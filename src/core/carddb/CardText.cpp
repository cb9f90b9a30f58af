#include "core/carddb/CardText.h"

#include "core/infra/Error.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <limits>
#include <string>

namespace tovel {

namespace {

int ColourIndex(char c) {
    switch (c) {
    case 'B':
        return 1;
    case 'G':
        return 2;
    case 'R':
        return 3;
    case 'U':
        return 4;
    case 'W':
        return 5;
    default:
        return -1;
    }
}

void Increment(int8_t& count) {
    if (count < std::numeric_limits<int8_t>::max())
        ++count;
}

int32_t Converted(const SymbolCountArray& counts, int32_t generic) {
    int64_t sum = generic;
    for (int c = 1; c <= 5; ++c)
        sum += counts[c];
    return static_cast<int32_t>(std::min<int64_t>(sum, std::numeric_limits<int32_t>::max()));
}

// The walk shared by whole and split costs. With `split`, a "/" moves on to the second half.
void WalkCost(TCardItem& card, std::string_view text, bool split) {
    SymbolCountArray* counts = &card.SymbolCounts;
    int32_t* generic = &card.Generic;
    int32_t* xCount = &card.XCount;
    std::string pending;
    auto flushPending = [&] {
        if (pending.empty())
            return;
        const auto number = ParseInt(pending);
        if (!number)
            throw Error(kCantParseManaCost); // a generic amount beyond any integer
        *generic = *number;
        pending.clear();
    };
    auto setColour = [&](TCardColor colour) {
        if (card.Color == TCardColor::L || card.Color == TCardColor::A)
            card.Color = colour;
        else if (card.Color != colour)
            card.Color = TCardColor::Z;
    };

    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (card.Color == TCardColor::L)
                card.Color = TCardColor::A;
            if (text.size() == 1) {
                *generic = c - '0';
                return;
            }
            pending += c;
            ++i;
            continue;
        }
        flushPending();
        if (split && c == '/') {
            counts = &card.SymbolCounts2;
            generic = &card.Generic2;
            xCount = &card.XCount2;
            ++i;
        } else if (const int colour = ColourIndex(c); colour > 0) {
            Increment((*counts)[colour]);
            setColour(static_cast<TCardColor>(colour));
            ++i;
        } else if (c == 'X') {
            ++*xCount;
            if (card.Color == TCardColor::L)
                card.Color = TCardColor::A;
            ++i;
        } else {
            const int hybrid = MatchHybridSymbol(text.substr(i));
            if (hybrid < 0)
                throw Error(kCantParseManaCost);
            card.Color = TCardColor::Z;
            Increment((*counts)[7 + hybrid]);
            i += 7;
        }
    }
    flushPending();
}

std::string ReplaceFirst(std::string_view text, std::string_view what, std::string_view with) {
    std::string result(text);
    const size_t at = result.find(what);
    if (at != std::string::npos)
        result.replace(at, what.size(), with);
    return result;
}

std::string RemoveFirst(std::string_view text, std::string_view what) {
    return ReplaceFirst(text, what, {});
}

} // namespace

int MatchHybridSymbol(std::string_view text) {
    if (text.size() < 7)
        return -1;
    const std::string_view candidate = text.substr(0, 7);
    for (size_t k = 0; k < HybridSymbols.size(); ++k)
        if (EqualsIgnoreAsciiCase(candidate, HybridSymbols[k]))
            return static_cast<int>(k);
    return -1;
}

void ParseCost(TCardItem& card, std::string_view text) {
    card.Cost = text;
    card.SymbolCounts = {};
    card.Color = TCardColor::L;
    if (text == kNoCostMarker) {
        card.NoCost = true;
        card.Color = TCardColor::U;
    } else if (text.find(kSplitSeparator) != std::string_view::npos) {
        card.IsSplit = true;
        ParseSplitCost(card, ReplaceFirst(text, kSplitSeparator, "/"));
        return;
    } else {
        WalkCost(card, text, false);
    }
    card.ConvertedCost = Converted(card.SymbolCounts, card.Generic);
}

void ParseSplitCost(TCardItem& card, std::string_view text) {
    WalkCost(card, text, true);
    card.ConvertedCost = Converted(card.SymbolCounts, card.Generic);
    card.ConvertedCost2 = Converted(card.SymbolCounts2, card.Generic2);
}

bool IsManaCost(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed == kNoCostMarker)
        return true;
    const std::string text = ReplaceFirst(trimmed, kSplitSeparator, "/");
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '/' || (c >= '0' && c <= '9') || ColourIndex(c) > 0 || c == 'X') {
            ++i;
        } else if (MatchHybridSymbol(std::string_view(text).substr(i)) >= 0) {
            i += 7;
        } else {
            return false;
        }
    }
    return true;
}

bool IsPowerToughness(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.find('/') == std::string_view::npos)
        return false;
    for (char c : trimmed)
        if (!(c == '*' || c == '+' || c == '/' || (c >= '0' && c <= '9')))
            return false;
    return true;
}

namespace {

// The word (blank-separated, blanks merged) starting at or after `at`; `at` moves past it.
std::string_view NextWord(std::string_view text, size_t& at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
    const size_t start = at;
    while (at < text.size() && text[at] != ' ')
        ++at;
    return text.substr(start, at - start);
}

} // namespace

TCardType TypeClass(std::string_view typeLine) {
    // Read word by word rather than through NthWord: the cards list sorts by this.
    size_t at = 0;
    const std::string_view first = NextWord(typeLine, at);
    if (first == "Creature")
        return TCardType::Creature;
    if (first == "Artifact" && NextWord(typeLine, at) == "Creature")
        return TCardType::ArtifactCreature;
    if (first == "Instant")
        return TCardType::Instant;
    if (first == "Sorcery")
        return TCardType::Sorcery;
    if (first == "Enchantment")
        return TCardType::Enchantment;
    if (first == "Artifact")
        return TCardType::Artifact;
    if (first == "Land")
        return TCardType::Land;
    if (first == "Basic")
        return TCardType::Basic;
    return TCardType::Other;
}

namespace {

std::string WithoutLegend(std::string_view typeLine) {
    return RemoveFirst(RemoveFirst(typeLine, " Legend"), "Legendary ");
}

} // namespace

TCardType CardTypeClass(std::string_view typeLine) {
    return TypeClass(WithoutLegend(typeLine));
}

int CompareByType(const TCardItem& a, const TCardItem& b) {
    static const CharSet blank(" ");
    const std::string shortA = WithoutLegend(a.TypeLine);
    const std::string shortB = WithoutLegend(b.TypeLine);
    const int classA = static_cast<int>(TypeClass(shortA));
    const int classB = static_cast<int>(TypeClass(shortB));
    if (classA != classB)
        return classA < classB ? -1 : 1;
    const int words = CountWords(shortA, blank);
    for (int n = 1; n <= words; ++n)
        if (int r = CompareOrdinal(NthWord(n, shortA, blank, true), NthWord(n, shortB, blank, true)))
            return r;
    if (a.TypeLine.size() != b.TypeLine.size())
        return a.TypeLine.size() < b.TypeLine.size() ? -1 : 1;
    return CompareColorRarityName(a, b);
}

uint8_t ColorBit(char letter) {
    switch (AsciiLower(letter)) {
    case 'w':
        return kWhite;
    case 'u':
        return kBlue;
    case 'b':
        return kBlack;
    case 'r':
        return kRed;
    case 'g':
        return kGreen;
    default:
        return 0;
    }
}

namespace {

// The colours of the ten hybrid symbols, from their letters: "(r / w)" is red and white.
struct HybridColors {
    std::array<uint8_t, 10> bits{};
    HybridColors() {
        for (size_t k = 0; k < HybridSymbols.size(); ++k)
            bits[k] = static_cast<uint8_t>(ColorBit(HybridSymbols[k][1]) | ColorBit(HybridSymbols[k][5]));
    }
};
const HybridColors kHybridColors;

} // namespace

uint8_t HybridSymbolColors(size_t symbol) {
    return kHybridColors.bits[symbol];
}

uint8_t CostColors(const SymbolCountArray& counts) {
    uint8_t bits = 0;
    for (size_t i = 0; i < kColorBits.size(); ++i) {
        static constexpr std::array<TCardColor, 5> kSlots = {TCardColor::W, TCardColor::U, TCardColor::B,
                                                             TCardColor::R, TCardColor::G};
        if (counts[static_cast<size_t>(kSlots[i])] > 0)
            bits |= kColorBits[i];
    }
    for (size_t k = 0; k < kHybridColors.bits.size(); ++k)
        if (counts[static_cast<size_t>(TCardColor::HybridFirst) + k] > 0)
            bits |= kHybridColors.bits[k];
    return bits;
}

uint8_t CardColors(const TCardItem& card) {
    return CostColors(card.SymbolCounts) | CostColors(card.SymbolCounts2);
}

std::optional<int32_t> PowerToughnessSide(std::string_view pt, bool toughness) {
    const size_t slash = pt.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    return ParseInt(Trim(toughness ? pt.substr(slash + 1) : pt.substr(0, slash)));
}

} // namespace tovel
