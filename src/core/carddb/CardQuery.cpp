#include "core/carddb/CardQuery.h"

#include "core/carddb/CardText.h"
#include "core/carddb/MultiNeedle.h"
#include "core/infra/Error.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <unordered_map>

namespace tovel {

namespace {

// Nesting of parentheses and negations beyond this is refused, so the recursive parser and
// matcher stay far from the stack's end on any input.
constexpr int kMaxDepth = 200;
// A query is a line typed by a person; a longer one is refused rather than compiled.
constexpr size_t kMaxLength = 10000;
// So are more terms than this. It also bounds the sets of terms kept per card (CardFacts).
constexpr size_t kMaxTerms = 1000;
constexpr size_t kTermWords = (kMaxTerms + 63) / 64;
// A text field searched for at least this many texts is read once for all of them.
constexpr size_t kScanFrom = 4;

inline bool HasBit(const uint64_t* bits, uint32_t n) {
    return (bits[n / 64] >> (n % 64)) & 1u;
}
inline void SetBit(uint64_t* bits, uint32_t n) {
    bits[n / 64] |= uint64_t{1} << (n % 64);
}
inline size_t WordsFor(uint32_t terms) {
    return (size_t{terms} + 63) / 64;
}

inline char Fold(char c) {
    return AnsiLower(c);
}

// A case-folded substring search (Boyer-Moore-Horspool over folded bytes), built once per
// term so that matching allocates nothing.
class Needle {
public:
    explicit Needle(std::string_view text) : folded_(text) {
        for (char& c : folded_)
            c = Fold(c);
        for (size_t k = folded_.find(' '); k != std::string::npos; k = folded_.find(' ', k + 1))
            blanks_.push_back(k);
        const auto m = static_cast<uint32_t>(folded_.size());
        skip_.fill(m);
        for (uint32_t j = 0; j + 1 < m; ++j)
            skip_[static_cast<unsigned char>(folded_[j])] = m - 1 - j;
    }

    const std::string& Folded() const { return folded_; }

    bool FoundIn(std::string_view hay) const {
        const size_t m = folded_.size();
        if (m == 0)
            return true;
        if (hay.size() < m)
            return false;
        const size_t last = m - 1;
        const char tail = folded_[last];
        for (size_t i = 0; i + m <= hay.size();) {
            const char c = Fold(hay[i + last]);
            if (c == tail) {
                size_t j = 0;
                while (j < last && Fold(hay[i + j]) == folded_[j])
                    ++j;
                if (j == last)
                    return true;
            }
            i += skip_[static_cast<unsigned char>(c)];
        }
        return false;
    }

    // Whether the rules text, its lines joined with one blank, contains the needle (or equals
    // it, with `whole`), without joining them: most texts hold it within a line, and one that
    // runs across lines must take a blank at each join.
    bool FoundInLines(std::span<const TTextView> lines, bool whole) const {
        if (whole) {
            size_t size = lines.empty() ? 0 : lines.size() - 1;
            for (std::string_view line : lines)
                size += line.size();
            return size == folded_.size() && JoinedAt(lines, 0, 0, folded_);
        }
        if (folded_.empty())
            return true;
        for (std::string_view line : lines)
            if (FoundIn(line))
                return true;
        if (blanks_.empty())
            return false;
        // A match across a join: a line ends with the needle's bytes before one of its blanks.
        const std::string_view needle = folded_;
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::string_view line = lines[i];
            for (size_t k : blanks_)
                if (k <= line.size() && EqualsFolded(line.substr(line.size() - k), needle.substr(0, k)) &&
                    JoinedAt(lines, i + 1, 0, needle.substr(k + 1)))
                    return true;
        }
        return false;
    }

    bool Equals(std::string_view text) const {
        if (text.size() != folded_.size())
            return false;
        for (size_t i = 0; i < text.size(); ++i)
            if (Fold(text[i]) != folded_[i])
                return false;
        return true;
    }

private:
    // Whether `folded` (already folded) equals the bytes of `text` folded.
    static bool EqualsFolded(std::string_view text, std::string_view folded) {
        for (size_t i = 0; i < text.size(); ++i)
            if (Fold(text[i]) != folded[i])
                return false;
        return true;
    }

    // Whether the lines joined with blanks, read from line `i` at `at` on, begin with `rest`.
    static bool JoinedAt(std::span<const TTextView> lines, size_t i, size_t at, std::string_view rest) {
        for (; !rest.empty(); ++i, at = 0) {
            if (i >= lines.size())
                return false;
            const std::string_view line = lines[i].View().substr(at);
            const size_t take = std::min(line.size(), rest.size());
            if (!EqualsFolded(line.substr(0, take), rest.substr(0, take)))
                return false;
            rest.remove_prefix(take);
            if (rest.empty())
                return true;
            if (rest.front() != ' ' || i + 1 >= lines.size())
                return false;
            rest.remove_prefix(1);
        }
        return true;
    }

    std::string folded_;
    std::vector<size_t> blanks_; // where folded_ has a blank
    std::array<uint32_t, 256> skip_{};
};

enum class Op : uint8_t { Eq, Ne, Lt, Le, Gt, Ge };

bool Compare(int64_t a, Op op, int64_t b) {
    switch (op) {
    case Op::Eq:
        return a == b;
    case Op::Ne:
        return a != b;
    case Op::Lt:
        return a < b;
    case Op::Le:
        return a <= b;
    case Op::Gt:
        return a > b;
    case Op::Ge:
        return a >= b;
    }
    return false;
}

enum class Field : uint8_t {
    Name,
    Type,
    Text,
    Edition,
    In,
    Rarity,
    Color,
    ManaValue,
    Power,
    Toughness,
    Value,
    Format,
    Banned,
    Own,
};
constexpr size_t kFieldCount = static_cast<size_t>(Field::Own) + 1;

struct FieldName {
    std::string_view name;
    Field field;
};
constexpr std::array<FieldName, 23> kFieldNames = {{
    {"n", Field::Name},        {"name", Field::Name},       {"t", Field::Type},
    {"type", Field::Type},     {"o", Field::Text},          {"text", Field::Text},
    {"e", Field::Edition},     {"edition", Field::Edition}, {"in", Field::In},
    {"r", Field::Rarity},      {"rarity", Field::Rarity},   {"c", Field::Color},
    {"color", Field::Color},   {"cmc", Field::ManaValue},   {"mv", Field::ManaValue},
    {"pow", Field::Power},     {"tou", Field::Toughness},   {"v", Field::Value},
    {"value", Field::Value},   {"f", Field::Format},        {"format", Field::Format},
    {"banned", Field::Banned}, {"own", Field::Own},
}};

std::optional<Field> FindField(std::string_view name) {
    for (const FieldName& f : kFieldNames)
        if (EqualsIgnoreAsciiCase(name, f.name))
            return f.field;
    return std::nullopt;
}

// Texts, each with the terms of a query that hold for it (a bit per term), looked up whole,
// exactly or ignoring letter case: edition codes for e:, in: and f:, so that such a term costs
// a lookup per code of the card rather than a walk of its format's codes, and whole texts for
// many n=, t= and o= terms.
class CodeTable {
public:
    explicit CodeTable(bool folded) : folded_(folded) {}

    void Add(std::string_view code, uint32_t term) { added_.emplace_back(code, term); }
    // Makes the table of the codes added, with `words` words of term bits per code.
    void Build(size_t words) {
        words_ = words;
        size_t size = 16;
        while (size < added_.size() * 2)
            size *= 2;
        slots_.assign(size, -1);
        for (const auto& [code, term] : added_) {
            const std::string_view pieces[] = {code};
            int32_t& slot = slots_[SlotOf(std::span(pieces))];
            if (slot < 0) {
                slot = static_cast<int32_t>(keys_.size());
                keys_.push_back(folded_ ? AnsiLowerCase(code) : code);
                bits_.resize(bits_.size() + words_, 0);
            }
            SetBit(&bits_[static_cast<size_t>(slot) * words_], term);
        }
        added_ = {};
    }

    // The term bits of a code, or null when no term names it.
    const uint64_t* Find(std::string_view code) const {
        const std::string_view pieces[] = {code};
        return FindJoined(std::span(pieces));
    }
    // The same for a text given as pieces joined with one blank (the lines of a rules text).
    template <class Pieces> const uint64_t* FindJoined(const Pieces& pieces) const {
        if (keys_.empty())
            return nullptr;
        const int32_t slot = slots_[SlotOf(pieces)];
        return slot < 0 ? nullptr : &bits_[static_cast<size_t>(slot) * words_];
    }

private:
    // The slot holding the text, or the empty one where it would go.
    template <class Pieces> size_t SlotOf(const Pieces& pieces) const {
        uint64_t hash = 14695981039346656037ull;
        bool first = true;
        for (std::string_view piece : pieces) {
            if (!first)
                hash = (hash ^ static_cast<unsigned char>(' ')) * 1099511628211ull;
            first = false;
            for (char c : piece)
                hash = (hash ^ static_cast<unsigned char>(Byte(c))) * 1099511628211ull;
        }
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask)
            if (slots_[i] < 0 || Same(keys_[static_cast<size_t>(slots_[i])], pieces))
                return i;
    }
    char Byte(char c) const { return folded_ ? AnsiLower(c) : c; }
    template <class Pieces> bool Same(std::string_view key, const Pieces& pieces) const {
        bool first = true;
        for (std::string_view piece : pieces) {
            if (!first) {
                if (key.empty() || key.front() != ' ')
                    return false;
                key.remove_prefix(1);
            }
            first = false;
            if (key.size() < piece.size())
                return false;
            for (size_t i = 0; i < piece.size(); ++i)
                if (key[i] != Byte(piece[i]))
                    return false;
            key.remove_prefix(piece.size());
        }
        return key.empty();
    }

    bool folded_;
    size_t words_ = 0;
    std::vector<std::pair<std::string, uint32_t>> added_;
    std::vector<std::string> keys_; // folded when the table ignores letter case
    std::vector<uint64_t> bits_;    // words_ per key
    std::vector<int32_t> slots_;    // a key's index or -1; a power of two of them
};

// The parts of a card that a query reads once for all its terms: each part is a set of the
// terms that hold for the card, a bit per term.
enum Part : uint32_t {
    kPartNames,   // the texts of n: and words that the name holds, when they are many
    kPartTypes,   // ... of t: that the type line holds
    kPartTexts,   // ... of o: that the rules text holds
    kPartNameIs,  // the texts of n= and n!= that the name is, when they are many
    kPartTypeIs,  // ... of t= and t!= that the type line is
    kPartTextIs,  // ... of o= and o!= that the rules text is
    kPartPrinted, // the in: and f: terms the printings hold
    kPartEdition, // the e: terms the edition holds
    kPartBanned,  // the card's banned: letters, a bit per byte
    kParts,
};
constexpr size_t kBannedWords = 256 / 64;

// What matching one card has worked out so far: a part, or a value that takes some reading of
// the card, is made when a term first needs it (MatchCard::known says which are made).
struct CardFacts {
    std::array<std::array<uint64_t, kTermWords>, kParts> bits;
    uint8_t colors;
    std::array<std::optional<int32_t>, 2> powerToughness;
};

// One card being matched.
struct MatchCard {
    static constexpr uint32_t kKnownColors = 1u << kParts;
    static constexpr uint32_t kKnownPowerToughness = 2u << kParts;

    const TCardsList* cards;
    const TCardItem* item;
    int position;               // for own; -1: none owned
    mutable uint32_t known = 0; // bit per Part of facts, then kKnownColors and kKnownPowerToughness
    CardFacts* facts;
};

// Up to 64 cards matched together: a query node is visited once for all of them, and each
// visit tries only the cards whose result is still open, a bit per card.
constexpr int kBlock = 64;
// A query of at most this many nodes is matched card by card: its tree costs little per card,
// and a card's texts are read while they are still in the cache.
constexpr size_t kFewNodes = 16;
using CardBits = uint64_t;

// The cards of `open` for which `holds(card)` is true.
template <class Holds> CardBits EachCard(CardBits open, Holds&& holds) {
    CardBits result = 0;
    for (; open; open &= open - 1) {
        const int i = std::countr_zero(open);
        if (holds(i))
            result |= CardBits{1} << i;
    }
    return result;
}

// The text field of a term, 0 to 2.
size_t TextField(Field field) {
    return field == Field::Name ? 0 : field == Field::Type ? 1 : 2;
}

// Whether a colour term holds for a card of these colours.
bool ColorHolds(Op op, bool contains, uint8_t want, bool colorless, bool multicolor, uint8_t have) {
    switch (op) {
    case Op::Eq:
        if (contains) // ":" - shares a colour with the set, or is what c / m name
            return (have & want) != 0 || (colorless && have == 0) || (multicolor && std::popcount(have) >= 2);
        return have == want;
    case Op::Ne:
        return have != want;
    case Op::Le:
        return (have & ~want) == 0;
    case Op::Lt:
        return (have & ~want) == 0 && have != want;
    case Op::Ge:
        return (have & want) == want;
    case Op::Gt:
        return (have & want) == want && have != want;
    }
    return false;
}

// The numeric fields, whose terms a group compares at once.
bool IsNumber(Field field) {
    return field == Field::Rarity || field == Field::ManaValue || field == Field::Value ||
           field == Field::Power || field == Field::Toughness || field == Field::Own;
}

} // namespace

// The compiled query: nodes in one vector, the root last; an And or Or node's children are a
// range of `children`. The terms among them that are a bit of a part, a colour or a number are
// tested together per part or field, so that a group costs about the same however many terms
// it has.
struct TCardQuery::Program {
    enum class Kind : uint8_t { And, Or, Not, Leaf };
    struct Node {
        Kind kind = Kind::Leaf;
        Field field = Field::Name;
        Op op = Op::Eq;
        bool negated = false;    // leaves: a "-" stood before the term
        bool contains = false;   // text terms: substring (":") or whole text ("=", "!=")
        uint8_t colors = 0;      // colour terms: the letters' colours
        bool colorless = false;  // colour terms: "c" was among the letters
        bool multicolor = false; // colour terms: "m" was among the letters
        int64_t number = 0;      // numeric and rarity terms
        int needle = -1;         // text terms: index into needles
        int32_t term = -1;       // its bit in a part of CardFacts; -1: matched on its own
        Part part = kParts;      // ... that part
        int cost = 1;            // rough cost of matching, to try cheap terms first
        // And/Or: children, the first `cheap` of them tried before the tests; Not: the child in
        // `first`.
        uint32_t first = 0, count = 0, cheap = 0;
        uint32_t tests = 0, testCount = 0;   // And/Or: range of `tests`
        uint32_t values = 0, valueCount = 0; // And/Or: range of `values`
    };
    // Terms of one part under one And or Or: the part's bits against a mask of them, kept as
    // its words that have bits, so that a test reads no more words than it has terms.
    struct Test {
        Part part;
        bool holding;                  // the terms hold when their bit is set (else when it is clear)
        uint32_t first = 0, count = 0; // range of `masks`
    };
    struct MaskWord {
        uint32_t word;
        uint64_t bits;
    };
    // Terms of one field under one And or Or, as what they give for each value of the field.
    struct ValueTest {
        Field field;
        bool noneHolds = false;  // power, toughness: what they give for a card without a number
        uint32_t colorTable = 0; // colours: bit c for a card of colours c
        // Numbers: `pointCount` sorted numbers from `points` in `numbers` split the values into
        // 2 * pointCount + 1 ranges (below the first, the first, between the first two ...);
        // `ranges` in `rangeHolds` is what they give for each.
        uint32_t points = 0, pointCount = 0, ranges = 0;
    };

    std::vector<Node> nodes;
    uint32_t root = 0;
    std::vector<uint32_t> children;
    std::vector<Test> tests;
    std::vector<MaskWord> masks;
    std::vector<ValueTest> values;
    std::vector<int64_t> numbers;
    std::vector<uint8_t> rangeHolds;
    std::vector<Needle> needles;
    // Per text field, its texts to look for when it has many; a term's bit is its needle's number.
    std::array<TMultiNeedle, 3> scans;
    // Per text field, its whole texts to compare with when it has many.
    std::array<CodeTable, 3> wholeTexts{CodeTable(true), CodeTable(true), CodeTable(true)};
    std::array<uint32_t, 3> wholeTerms{};
    CodeTable editions{true};     // e:
    CodeTable printedCodes{true}; // in:
    CodeTable formatCodes{false}; // f:, as the format's line spells them
    uint32_t editionTerms = 0;
    uint32_t printedTerms = 0; // in: and f: share the bits of kPartPrinted
    std::span<const int32_t> owned;
    bool usesOwned = false;
    uint32_t fieldsUsed = 0; // bit per Field of the leaves, for prefetching what matching reads

    size_t PartWords(Part part) const {
        switch (part) {
        case kPartNames:
        case kPartTypes:
        case kPartTexts:
            return scans[part - kPartNames].Words();
        case kPartNameIs:
        case kPartTypeIs:
        case kPartTextIs:
            return WordsFor(wholeTerms[part - kPartNameIs]);
        case kPartPrinted:
            return WordsFor(printedTerms);
        case kPartEdition:
            return WordsFor(editionTerms);
        default:
            return kBannedWords;
        }
    }

    // Asks the memory for the texts that matching the card will read: on a big list they are
    // cache misses, and asked for some cards ahead they overlap.
    void Prefetch(const TCardsList& cards, const TCardItem& card) const {
        const auto uses = [this](Field field) {
            return (fieldsUsed >> static_cast<int>(field)) & 1u;
        };
        if (uses(Field::Name))
            __builtin_prefetch(card.Name.data());
        if (uses(Field::Type))
            __builtin_prefetch(card.TypeLine.data());
        if (uses(Field::In) || uses(Field::Format))
            __builtin_prefetch(card.Printings.data());
        if (uses(Field::Text) && card.TextCount > 0)
            __builtin_prefetch(cards.Text(card)[0].data());
    }

    // The cards of `open` for which the node holds.
    CardBits Eval(std::span<const MatchCard> block, uint32_t index, CardBits open) const;
    // The same for one card: whether the node holds for it.
    bool Match(const MatchCard& card, uint32_t index) const;
    // Whether the query holds for one card.
    bool MatchOne(const MatchCard& card) const { return nodes.empty() || Match(card, root); }
    bool MatchLeaf(const MatchCard& card, const Node& node) const;
    bool TestHolds(const MatchCard& card, const Test& test, bool any) const;
    bool ValueHolds(const MatchCard& card, const ValueTest& test) const;
    const uint64_t* Facts(const MatchCard& card, Part part) const;
    uint8_t Colors(const MatchCard& card) const;
    // The card's number for a numeric field; none for a power or toughness that is not one.
    std::optional<int64_t> Number(const MatchCard& card, Field field) const;
};

const uint64_t* TCardQuery::Program::Facts(const MatchCard& match, Part part) const {
    const TCardsList& cards = *match.cards;
    const TCardItem& card = *match.item;
    CardFacts& facts = *match.facts;
    uint64_t* bits = facts.bits[part].data();
    if (match.known & (1u << part))
        return bits;
    match.known |= 1u << part;
    const size_t words = PartWords(part);
    std::fill_n(bits, words, 0);
    const auto add = [bits, words](const uint64_t* found) {
        if (found)
            for (size_t w = 0; w < words; ++w)
                bits[w] |= found[w];
    };
    switch (part) {
    case kPartNames:
        scans[0].Scan(TMultiNeedle::kStart, card.Name, bits);
        break;
    case kPartTypes:
        scans[1].Scan(TMultiNeedle::kStart, card.TypeLine, bits);
        break;
    case kPartTexts: {
        // The lines joined with one blank.
        uint32_t state = TMultiNeedle::kStart;
        bool first = true;
        for (std::string_view line : cards.Text(card)) {
            if (!first)
                state = scans[2].Scan(state, " ", bits);
            state = scans[2].Scan(state, line, bits);
            first = false;
        }
        break;
    }
    case kPartNameIs:
        add(wholeTexts[0].Find(card.Name));
        break;
    case kPartTypeIs:
        add(wholeTexts[1].Find(card.TypeLine));
        break;
    case kPartTextIs:
        add(wholeTexts[2].FindJoined(cards.Text(card)));
        break;
    case kPartPrinted:
        AnyPrintedCode(card.Printings, [&](std::string_view code) {
            if (!code.empty()) {
                add(formatCodes.Find(code));
                add(printedCodes.Find(code));
            }
            return false;
        });
        break;
    case kPartEdition:
        add(editions.Find(card.Edition));
        break;
    case kPartBanned:
        for (char c : card.BannedFormats)
            SetBit(bits, static_cast<unsigned char>(c));
        break;
    case kParts:
        break;
    }
    return bits;
}

uint8_t TCardQuery::Program::Colors(const MatchCard& match) const {
    CardFacts& facts = *match.facts;
    if (!(match.known & MatchCard::kKnownColors)) {
        match.known |= MatchCard::kKnownColors;
        facts.colors = CardColors(*match.item);
    }
    return facts.colors;
}

std::optional<int64_t> TCardQuery::Program::Number(const MatchCard& match, Field field) const {
    const TCardItem& card = *match.item;
    CardFacts& facts = *match.facts;
    const int position = match.position;
    switch (field) {
    case Field::Rarity:
        return static_cast<int64_t>(card.Rarity);
    case Field::ManaValue:
        return static_cast<int64_t>(card.ConvertedCost) + card.ConvertedCost2;
    case Field::Value:
        return card.Value;
    case Field::Power:
    case Field::Toughness:
        if (!(match.known & MatchCard::kKnownPowerToughness)) {
            match.known |= MatchCard::kKnownPowerToughness;
            facts.powerToughness = {PowerToughnessSide(card.PowerToughness, false),
                                    PowerToughnessSide(card.PowerToughness, true)};
        }
        return facts.powerToughness[field == Field::Toughness ? 1 : 0];
    case Field::Own: {
        const size_t p = static_cast<size_t>(position);
        return position >= 0 && p < owned.size() ? owned[p] : 0;
    }
    default:
        return std::nullopt;
    }
}

// Whether any (`any`) or every term of the test holds.
bool TCardQuery::Program::TestHolds(const MatchCard& card, const Test& test, bool any) const {
    const uint64_t* bits = Facts(card, test.part);
    for (uint32_t i = test.first; i < test.first + test.count; ++i) {
        const MaskWord& mask = masks[i];
        const uint64_t holding = (test.holding ? bits[mask.word] : ~bits[mask.word]) & mask.bits;
        if (any ? holding != 0 : holding != mask.bits)
            return any;
    }
    return !any;
}

bool TCardQuery::Program::ValueHolds(const MatchCard& card, const ValueTest& test) const {
    if (test.field == Field::Color)
        return (test.colorTable >> Colors(card)) & 1u;
    const std::optional<int64_t> value = Number(card, test.field);
    if (!value)
        return test.noneHolds;
    const auto first = numbers.begin() + test.points;
    const auto last = first + test.pointCount;
    const auto at = std::lower_bound(first, last, *value);
    const size_t range = 2 * static_cast<size_t>(at - first) + (at != last && *at == *value ? 1 : 0);
    return rangeHolds[test.ranges + range] != 0;
}

CardBits TCardQuery::Program::Eval(std::span<const MatchCard> block, uint32_t index, CardBits open) const {
    const Node& node = nodes[index];
    switch (node.kind) {
    case Kind::And:
    case Kind::Or: {
        // And keeps trying the cards for which every part so far held, Or those for which none
        // did; `decided` gathers the cards Or found.
        const bool any = node.kind == Kind::Or;
        CardBits decided = 0;
        const auto step = [&](CardBits holding) {
            if (any) {
                decided |= holding;
                open &= ~holding;
            } else {
                open = holding;
            }
            return open == 0;
        };
        const auto child = [&](uint32_t i) {
            const uint32_t at = children[node.first + i];
            const Node& c = nodes[at];
            return c.kind == Kind::Leaf ? EachCard(open, [&](int card) { return MatchLeaf(block[card], c); })
                                        : Eval(block, at, open);
        };
        for (uint32_t i = 0; i < node.valueCount; ++i)
            if (step(EachCard(open,
                              [&](int card) { return ValueHolds(block[card], values[node.values + i]); })))
                return any ? decided : 0;
        for (uint32_t i = 0; i < node.cheap; ++i)
            if (step(child(i)))
                return any ? decided : 0;
        for (uint32_t i = 0; i < node.testCount; ++i)
            if (step(EachCard(open,
                              [&](int card) { return TestHolds(block[card], tests[node.tests + i], any); })))
                return any ? decided : 0;
        for (uint32_t i = node.cheap; i < node.count; ++i)
            if (step(child(i)))
                return any ? decided : 0;
        return any ? decided : open;
    }
    case Kind::Not:
        return open & ~Eval(block, node.first, open);
    case Kind::Leaf:
        return EachCard(open, [&](int card) { return MatchLeaf(block[card], node); });
    }
    return 0;
}

bool TCardQuery::Program::Match(const MatchCard& card, uint32_t index) const {
    const Node& node = nodes[index];
    switch (node.kind) {
    case Kind::And:
    case Kind::Or: {
        // In the order Eval tries them; And stops at the first that fails, Or at the first that
        // holds.
        const bool any = node.kind == Kind::Or;
        for (uint32_t i = 0; i < node.valueCount; ++i)
            if (ValueHolds(card, values[node.values + i]) == any)
                return any;
        for (uint32_t i = 0; i < node.cheap; ++i)
            if (Match(card, children[node.first + i]) == any)
                return any;
        for (uint32_t i = 0; i < node.testCount; ++i)
            if (TestHolds(card, tests[node.tests + i], any) == any)
                return any;
        for (uint32_t i = node.cheap; i < node.count; ++i)
            if (Match(card, children[node.first + i]) == any)
                return any;
        return !any;
    }
    case Kind::Not:
        return !Match(card, node.first);
    case Kind::Leaf:
        return MatchLeaf(card, node);
    }
    return false;
}

bool TCardQuery::Program::MatchLeaf(const MatchCard& match, const Node& node) const {
    const TCardsList& cards = *match.cards;
    const TCardItem& card = *match.item;
    if (node.term >= 0)
        return (HasBit(Facts(match, node.part), static_cast<uint32_t>(node.term)) == (node.op == Op::Eq)) !=
               node.negated;
    const auto holds = [&]() {
        switch (node.field) {
        case Field::Name:
        case Field::Type: {
            const Needle& n = needles[static_cast<size_t>(node.needle)];
            const std::string_view value = node.field == Field::Name ? card.Name : card.TypeLine;
            if (node.contains)
                return n.FoundIn(value);
            return n.Equals(value) == (node.op == Op::Eq);
        }
        case Field::Text: {
            const Needle& n = needles[static_cast<size_t>(node.needle)];
            if (node.contains)
                return n.FoundInLines(cards.Text(card), false);
            return n.FoundInLines(cards.Text(card), true) == (node.op == Op::Eq);
        }
        case Field::Color:
            return ColorHolds(node.op, node.contains, node.colors, node.colorless, node.multicolor,
                              Colors(match));
        default: {
            const std::optional<int64_t> value = Number(match, node.field);
            return value && Compare(*value, node.op, node.number);
        }
        }
    };
    return holds() != node.negated;
}

namespace {

// Turns the query text into the program, by recursive descent over tokens.
class Parser {
public:
    using Program = TCardQuery::Program;
    using Node = Program::Node;
    using Kind = Program::Kind;

    Parser(std::string_view text, const TQueryContext& context, Program& program)
        : text_(text), context_(context), program_(program) {}

    void Run() {
        if (text_.size() > kMaxLength)
            Fail(kMaxLength + 1, "the search is longer than " + std::to_string(kMaxLength) + " characters");
        Tokenize();
        pos_ = 0;
        if (tokens_.size() == 1) // only the end: the empty query
            return;
        program_.root = ParseOr(0);
        if (Peek().kind != TokenKind::End)
            Fail(Peek().column, Peek().kind == TokenKind::RParen ? "unexpected \")\"" : "unexpected term");
        BuildSets();
    }

private:
    enum class TokenKind : uint8_t { Term, LParen, RParen, Not, Or, And, End };
    struct Token {
        TokenKind kind;
        size_t column;     // 1-based
        uint32_t node = 0; // Term: its leaf
    };

    [[noreturn]] void Fail(size_t column, const std::string& reason) const {
        throw Error(std::string(kBadSearch) + std::to_string(column) + ": " + reason);
    }

    // Called before a term starting at `column` is read.
    void CountTerm(size_t column) {
        if (++terms_ > kMaxTerms)
            Fail(column, "the search has more than " + std::to_string(kMaxTerms) + " terms");
    }

    // The sets the terms are matched through: a text field with many texts to look for reads
    // them all in one pass, many whole texts to compare with are looked up in a table, and so
    // are the codes of code terms. Then every group gathers its tests.
    void BuildSets() {
        const auto textLeaf = [](const Node& node) {
            return node.kind == Kind::Leaf &&
                   (node.field == Field::Name || node.field == Field::Type || node.field == Field::Text);
        };
        std::array<size_t, 3> contains{};
        std::array<size_t, 3> whole{};
        for (const Node& node : program_.nodes)
            if (textLeaf(node))
                ++(node.contains ? contains : whole)[TextField(node.field)];
        for (Node& node : program_.nodes) {
            if (!textLeaf(node))
                continue;
            const size_t field = TextField(node.field);
            const std::string& text = program_.needles[static_cast<size_t>(node.needle)].Folded();
            if (node.contains && contains[field] >= kScanFrom) {
                node.part = static_cast<Part>(kPartNames + field);
                node.term = program_.scans[field].Add(text);
            } else if (!node.contains && whole[field] >= kScanFrom) {
                node.part = static_cast<Part>(kPartNameIs + field);
                node.term = static_cast<int32_t>(program_.wholeTerms[field]++);
                program_.wholeTexts[field].Add(text, static_cast<uint32_t>(node.term));
            }
        }
        for (size_t field = 0; field < 3; ++field) {
            if (contains[field] >= kScanFrom)
                program_.scans[field].Build();
            program_.wholeTexts[field].Build(WordsFor(program_.wholeTerms[field]));
        }
        program_.editions.Build(WordsFor(program_.editionTerms));
        program_.printedCodes.Build(WordsFor(program_.printedTerms));
        program_.formatCodes.Build(WordsFor(program_.printedTerms));
        // The groups the root reaches (a group merged into its parent's is left behind).
        std::vector<uint32_t> pending{program_.root};
        while (!pending.empty()) {
            Node& node = program_.nodes[pending.back()];
            pending.pop_back();
            if (node.kind == Kind::Not) {
                pending.push_back(node.first);
            } else if (node.kind == Kind::And || node.kind == Kind::Or) {
                GatherTests(node);
                for (uint32_t i = 0; i < node.count; ++i)
                    pending.push_back(program_.children[node.first + i]);
            }
        }
    }

    // Takes the terms of a group that a part or a field's value decides out of its children:
    // per part, one mask of the terms that hold when their bit is set and one of those that
    // hold when it is clear; per colour or number field, what the terms give for each value.
    // However many such terms a group has, a card costs a few words per part and a look-up per
    // field.
    void GatherTests(Node& group) {
        const bool any = group.kind == Kind::Or;
        // Per part, and whether the terms hold on a set bit: the mask's words.
        std::array<std::array<std::vector<uint64_t>, 2>, kParts> maskOf;
        std::array<std::vector<const Node*>, kFieldCount> byField;
        uint32_t kept = 0;
        for (uint32_t i = 0; i < group.count; ++i) {
            const uint32_t index = program_.children[group.first + i];
            const Node& child = program_.nodes[index];
            if (child.kind != Kind::Leaf) {
                program_.children[group.first + kept++] = index;
            } else if (child.term >= 0) {
                std::vector<uint64_t>& mask =
                    maskOf[child.part][(child.op == Op::Eq) != child.negated ? 1 : 0];
                mask.resize(program_.PartWords(child.part), 0);
                SetBit(mask.data(), static_cast<uint32_t>(child.term));
            } else if (child.field == Field::Color || IsNumber(child.field)) {
                byField[static_cast<size_t>(child.field)].push_back(&child);
            } else {
                program_.children[group.first + kept++] = index;
            }
        }
        group.tests = static_cast<uint32_t>(program_.tests.size());
        for (size_t part = 0; part < kParts; ++part) {
            for (int holding = 0; holding < 2; ++holding) {
                const std::vector<uint64_t>& mask = maskOf[part][static_cast<size_t>(holding)];
                if (mask.empty())
                    continue;
                Program::Test test{static_cast<Part>(part), holding != 0};
                test.first = static_cast<uint32_t>(program_.masks.size());
                for (size_t w = 0; w < mask.size(); ++w)
                    if (mask[w])
                        program_.masks.push_back({static_cast<uint32_t>(w), mask[w]});
                test.count = static_cast<uint32_t>(program_.masks.size()) - test.first;
                program_.tests.push_back(test);
            }
        }
        group.testCount = static_cast<uint32_t>(program_.tests.size()) - group.tests;
        group.values = static_cast<uint32_t>(program_.values.size());
        for (size_t field = 0; field < byField.size(); ++field)
            if (!byField[field].empty())
                program_.values.push_back(ValueTest(static_cast<Field>(field), byField[field], any));
        group.valueCount = static_cast<uint32_t>(program_.values.size()) - group.values;
        group.count = kept;
        // Children are in order of cost: the cheapest are tried before the tests.
        group.cheap = 0;
        while (group.cheap < kept && program_.nodes[program_.children[group.first + group.cheap]].cost <= 2)
            ++group.cheap;
    }

    // What the terms of one field under a group give for each value of it.
    Program::ValueTest ValueTest(Field field, const std::vector<const Node*>& leaves, bool any) {
        const auto combined = [&](auto&& holds) {
            for (const Node* leaf : leaves)
                if ((holds(*leaf) != leaf->negated) == any)
                    return any;
            return !any;
        };
        Program::ValueTest test;
        test.field = field;
        if (field == Field::Color) {
            for (uint8_t have = 0; have < 32; ++have)
                if (combined([have](const Node& leaf) {
                        return ColorHolds(leaf.op, leaf.contains, leaf.colors, leaf.colorless,
                                          leaf.multicolor, have);
                    }))
                    test.colorTable |= 1u << have;
            return test;
        }
        test.noneHolds = combined([](const Node&) { return false; });
        std::vector<int64_t> points;
        for (const Node* leaf : leaves)
            points.push_back(leaf->number);
        std::sort(points.begin(), points.end());
        points.erase(std::unique(points.begin(), points.end()), points.end());
        test.points = static_cast<uint32_t>(program_.numbers.size());
        test.pointCount = static_cast<uint32_t>(points.size());
        program_.numbers.insert(program_.numbers.end(), points.begin(), points.end());
        test.ranges = static_cast<uint32_t>(program_.rangeHolds.size());
        for (size_t range = 0; range <= 2 * points.size(); ++range) {
            // A value of the range: below the first point, a point, or just above one.
            const size_t i = range / 2;
            const int64_t value = range % 2 ? points[i] : i == 0 ? points[0] - 1 : points[i - 1] + 1;
            program_.rangeHolds.push_back(
                combined([value](const Node& leaf) { return Compare(value, leaf.op, leaf.number); }) ? 1 : 0);
        }
        return test;
    }

    // The bit of a code term, counted in `terms`: a code or format named again shares the bit of
    // its first term; `addCodes` puts a new term's codes in their table.
    template <class AddCodes> int32_t CodeTerm(const std::string& key, uint32_t& terms, AddCodes&& addCodes) {
        const auto [at, added] = codeTerms_.try_emplace(key, terms);
        if (added)
            addCodes(terms++);
        return static_cast<int32_t>(at->second);
    }

    static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
    static bool IsOpChar(char c) { return c == ':' || c == '=' || c == '!' || c == '<' || c == '>'; }
    static bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    // Where a bare word or value ends.
    static bool EndsBare(char c) { return IsBlank(c) || c == '(' || c == ')' || c == '"'; }

    void Tokenize() {
        size_t i = 0;
        while (true) {
            while (i < text_.size() && IsBlank(text_[i]))
                ++i;
            if (i >= text_.size())
                break;
            const size_t column = i + 1;
            const char c = text_[i];
            if (c == '(') {
                tokens_.push_back({TokenKind::LParen, column});
                ++i;
            } else if (c == ')') {
                tokens_.push_back({TokenKind::RParen, column});
                ++i;
            } else if (c == '-') {
                if (i + 1 >= text_.size() || IsBlank(text_[i + 1]) || text_[i + 1] == ')')
                    Fail(column, "\"-\" must stand directly before a term");
                tokens_.push_back({TokenKind::Not, column});
                ++i;
            } else if (c == '"') {
                CountTerm(column);
                const std::string_view phrase = Quoted(i);
                tokens_.push_back(
                    {TokenKind::Term, column, TextLeaf(Field::Name, Op::Eq, true, phrase, column)});
            } else {
                i = Term(i);
            }
        }
        tokens_.push_back({TokenKind::End, text_.size() + 1});
    }

    // The text between the quote at `i` and the next one; moves `i` past the closing quote.
    std::string_view Quoted(size_t& i) {
        const size_t close = text_.find('"', i + 1);
        if (close == std::string_view::npos)
            Fail(i + 1, "the quote is not closed");
        const std::string_view inside = text_.substr(i + 1, close - i - 1);
        if (inside.empty())
            Fail(i + 1, "the quotes hold nothing");
        i = close + 1;
        return inside;
    }

    // A bare word, a keyword or a field term starting at `start`; returns where it ends.
    size_t Term(size_t start) {
        const size_t column = start + 1;
        size_t i = start;
        while (i < text_.size() && IsAsciiLetter(text_[i]))
            ++i;
        if (i < text_.size() && IsOpChar(text_[i])) {
            if (i == start)
                Fail(column, "\"" + std::string(1, text_[i]) + "\" stands without a field");
            return FieldTerm(start, i);
        }
        while (i < text_.size() && !EndsBare(text_[i]))
            ++i;
        const std::string_view word = text_.substr(start, i - start);
        if (EqualsIgnoreAsciiCase(word, "or"))
            tokens_.push_back({TokenKind::Or, column});
        else if (EqualsIgnoreAsciiCase(word, "and"))
            tokens_.push_back({TokenKind::And, column});
        else {
            CountTerm(column);
            tokens_.push_back({TokenKind::Term, column, TextLeaf(Field::Name, Op::Eq, true, word, column)});
        }
        return i;
    }

    size_t FieldTerm(size_t start, size_t opAt) {
        const size_t column = start + 1;
        CountTerm(column);
        const std::string_view name = text_.substr(start, opAt - start);
        const std::optional<Field> field = FindField(name);
        if (!field)
            Fail(column, "unknown field \"" + std::string(name) + "\"");
        // The operator.
        size_t i = opAt;
        Op op = Op::Eq;
        bool colon = false;
        const auto next = [&](char c) {
            return i + 1 < text_.size() && text_[i + 1] == c;
        };
        switch (text_[i]) {
        case ':':
            colon = true;
            ++i;
            break;
        case '=':
            ++i;
            break;
        case '!':
            if (!next('='))
                Fail(i + 1, "\"!\" must be followed by \"=\"");
            op = Op::Ne;
            i += 2;
            break;
        case '<':
            op = next('=') ? Op::Le : Op::Lt;
            i += next('=') ? 2 : 1;
            break;
        default: // '>'
            op = next('=') ? Op::Ge : Op::Gt;
            i += next('=') ? 2 : 1;
            break;
        }
        const size_t opColumn = opAt + 1;
        if (i < text_.size() && IsOpChar(text_[i]))
            Fail(i + 1, "stray \"" + std::string(1, text_[i]) + "\"");
        // The value.
        const size_t valueColumn = i + 1;
        std::string_view value;
        if (i < text_.size() && text_[i] == '"') {
            value = Quoted(i);
        } else {
            const size_t from = i;
            while (i < text_.size() && !EndsBare(text_[i]))
                ++i;
            value = text_.substr(from, i - from);
        }
        if (value.empty())
            Fail(valueColumn, "a value is missing after \"" + std::string(name) + "\"");
        tokens_.push_back(
            {TokenKind::Term, column, Leaf(*field, op, colon, value, name, opColumn, valueColumn)});
        return i;
    }

    uint32_t Add(Node node) {
        if (node.kind == Kind::Leaf)
            program_.fieldsUsed |= 1u << static_cast<int>(node.field);
        program_.nodes.push_back(std::move(node));
        return static_cast<uint32_t>(program_.nodes.size() - 1);
    }

    uint32_t TextLeaf(Field field, Op op, bool contains, std::string_view value, size_t) {
        Node node;
        node.field = field;
        node.op = op;
        node.contains = contains;
        node.needle = static_cast<int>(program_.needles.size());
        node.cost = field == Field::Text ? 8 : field == Field::Type ? 3 : 2;
        program_.needles.emplace_back(value);
        return Add(std::move(node));
    }

    [[noreturn]] void NotFor(size_t column, Op op, bool colon, std::string_view name) const {
        static constexpr std::array<std::string_view, 6> kOps = {"=", "!=", "<", "<=", ">", ">="};
        const std::string shown = colon ? ":" : std::string(kOps[static_cast<size_t>(op)]);
        Fail(column, "\"" + shown + "\" does not go with \"" + std::string(name) + "\"");
    }

    int64_t Number(std::string_view value, size_t column) const {
        const std::optional<int32_t> n = ParseInt(value);
        if (!n)
            Fail(column, "a number is needed, not \"" + Cp1252ToUtf8(value) + "\"");
        return *n;
    }

    uint32_t Leaf(Field field, Op op, bool colon, std::string_view value, std::string_view name,
                  size_t opColumn, size_t valueColumn) {
        const bool equality = op == Op::Eq || op == Op::Ne;
        Node node;
        node.field = field;
        node.op = op;
        switch (field) {
        case Field::Name:
        case Field::Type:
        case Field::Text:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            // ":" looks for the text inside; "=" and "!=" compare the whole text.
            return TextLeaf(field, op, colon, value, valueColumn);
        case Field::Edition:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            node.part = kPartEdition;
            node.term = CodeTerm("e" + AnsiLowerCase(value), program_.editionTerms,
                                 [&](uint32_t term) { program_.editions.Add(value, term); });
            return Add(std::move(node));
        case Field::In:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            node.part = kPartPrinted;
            node.term = CodeTerm("i" + AnsiLowerCase(value), program_.printedTerms,
                                 [&](uint32_t term) { program_.printedCodes.Add(value, term); });
            return Add(std::move(node));
        case Field::Banned:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            if (value.size() != 1)
                Fail(valueColumn, "a single format letter is needed");
            node.part = kPartBanned;
            node.term = static_cast<unsigned char>(value[0]);
            return Add(std::move(node));
        case Field::Format: {
            if (!equality)
                NotFor(opColumn, op, colon, name);
            const TTextList* formats = context_.Formats;
            int line = -1;
            for (int k = 0; formats && k < formats->Count() && line < 0; ++k)
                if (EqualsIgnoreAnsiCase(formats->Name(k), value))
                    line = k;
            if (line < 0)
                Fail(valueColumn, "unknown format \"" + Cp1252ToUtf8(value) + "\"");
            node.part = kPartPrinted;
            node.term = CodeTerm("f" + std::to_string(line), program_.printedTerms, [&](uint32_t term) {
                AnyListedCode(formats->Value(line), [&](std::string_view code) {
                    if (!code.empty())
                        program_.formatCodes.Add(code, term);
                    return false;
                });
            });
            node.cost = 3;
            return Add(std::move(node));
        }
        case Field::Rarity: {
            const std::optional<TRarity> rarity =
                value.size() == 1 ? RarityFromLetter(AsciiUpper(value[0])) : std::nullopt;
            if (!rarity)
                Fail(valueColumn, "a rarity is L, C, U or R");
            node.number = static_cast<int>(*rarity);
            return Add(std::move(node));
        }
        case Field::Color: {
            for (size_t k = 0; k < value.size(); ++k) {
                const char letter = AsciiLower(value[k]);
                if (letter == 'c')
                    node.colorless = true;
                else if (letter == 'm')
                    node.multicolor = true;
                else if (const uint8_t bit = ColorBit(letter))
                    node.colors |= bit;
                else
                    Fail(valueColumn + k, "a colour is one of W, U, B, R, G, C or M");
            }
            if (node.multicolor && !colon)
                Fail(valueColumn, "\"m\" goes only with \":\"");
            node.contains = colon;
            return Add(std::move(node));
        }
        case Field::ManaValue:
        case Field::Power:
        case Field::Toughness:
        case Field::Value:
        case Field::Own:
            node.number = Number(value, valueColumn);
            if (field == Field::Own) {
                program_.usesOwned = true;
                node.cost = 2;
            }
            return Add(std::move(node));
        }
        Fail(valueColumn, "unknown field");
    }

    const Token& Peek() const { return tokens_[pos_]; }
    static bool StartsPrimary(TokenKind kind) {
        return kind == TokenKind::Term || kind == TokenKind::LParen || kind == TokenKind::Not;
    }

    // A term, a negated unary or a parenthesised group.
    uint32_t ParseUnary(int depth) {
        const Token& token = Peek();
        if (depth > kMaxDepth)
            Fail(token.column, "the search is nested too deeply");
        switch (token.kind) {
        case TokenKind::Term:
            ++pos_;
            return token.node;
        case TokenKind::Not: {
            ++pos_;
            const uint32_t inner = ParseUnary(depth + 1);
            // A term takes its "-" itself, so a group of terms can test it with the others.
            Node& child = program_.nodes[inner];
            if (child.kind == Kind::Leaf) {
                child.negated = !child.negated;
                return inner;
            }
            if (child.kind == Kind::Not)
                return child.first;
            Node node;
            node.kind = Kind::Not;
            node.first = inner;
            node.cost = child.cost;
            return Add(std::move(node));
        }
        case TokenKind::LParen: {
            const size_t column = token.column;
            ++pos_;
            if (Peek().kind == TokenKind::End)
                Fail(column, "the parenthesis is not closed");
            if (Peek().kind == TokenKind::RParen)
                Fail(column, "the parentheses hold nothing");
            const uint32_t inner = ParseOr(depth + 1);
            if (Peek().kind != TokenKind::RParen)
                Fail(column, "the parenthesis is not closed");
            ++pos_;
            return inner;
        }
        case TokenKind::Or:
            Fail(token.column, "\"or\" stands without a term before or after it");
        case TokenKind::And:
            Fail(token.column, "\"and\" stands without a term before or after it");
        case TokenKind::RParen:
            Fail(token.column, "unexpected \")\"");
        case TokenKind::End:
            Fail(token.column, "a term is missing at the end");
        }
        Fail(token.column, "unexpected term");
    }

    uint32_t Group(Kind kind, std::vector<uint32_t>& parts) {
        if (parts.size() == 1)
            return parts[0];
        // A group of the same kind within takes its children's place: "(a b) c" is "a b c".
        std::vector<uint32_t> flat;
        for (uint32_t part : parts) {
            const Node& node = program_.nodes[part];
            if (node.kind == kind)
                flat.insert(flat.end(), program_.children.begin() + node.first,
                            program_.children.begin() + node.first + node.count);
            else
                flat.push_back(part);
        }
        parts.swap(flat);
        // Cheap tests first: the result is the same, and most cards fail early.
        std::stable_sort(parts.begin(), parts.end(), [&](uint32_t a, uint32_t b) {
            return program_.nodes[a].cost < program_.nodes[b].cost;
        });
        Node node;
        node.kind = kind;
        node.first = static_cast<uint32_t>(program_.children.size());
        node.count = static_cast<uint32_t>(parts.size());
        for (uint32_t p : parts)
            node.cost = std::max(node.cost, program_.nodes[p].cost);
        program_.children.insert(program_.children.end(), parts.begin(), parts.end());
        return Add(std::move(node));
    }

    uint32_t ParseAnd(int depth) {
        std::vector<uint32_t> parts{ParseUnary(depth)};
        for (;;) {
            const TokenKind kind = Peek().kind;
            if (kind == TokenKind::And) {
                ++pos_;
                if (!StartsPrimary(Peek().kind))
                    Fail(tokens_[pos_ - 1].column, "\"and\" stands without a term before or after it");
            } else if (!StartsPrimary(kind)) {
                break;
            }
            parts.push_back(ParseUnary(depth));
        }
        return Group(Kind::And, parts);
    }

    uint32_t ParseOr(int depth) {
        std::vector<uint32_t> parts{ParseAnd(depth)};
        while (Peek().kind == TokenKind::Or) {
            ++pos_;
            if (!StartsPrimary(Peek().kind))
                Fail(tokens_[pos_ - 1].column, "\"or\" stands without a term before or after it");
            parts.push_back(ParseAnd(depth));
        }
        return Group(Kind::Or, parts);
    }

    std::string_view text_;
    const TQueryContext& context_;
    Program& program_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    size_t terms_ = 0;
    std::unordered_map<std::string, uint32_t> codeTerms_; // "e", "i" or "f" and its code or format
};

} // namespace

TCardQuery::TCardQuery() : program_(std::make_unique<Program>()) {}
TCardQuery::~TCardQuery() = default;
TCardQuery::TCardQuery(TCardQuery&&) noexcept = default;
TCardQuery& TCardQuery::operator=(TCardQuery&&) noexcept = default;

TCardQuery TCardQuery::Compile(std::string_view query, const TQueryContext& context) {
    TCardQuery compiled;
    Parser(query, context, *compiled.program_).Run();
    return compiled;
}

bool TCardQuery::MatchesEverything() const {
    return program_->nodes.empty();
}
bool TCardQuery::UsesOwned() const {
    return program_->usesOwned;
}
void TCardQuery::SetOwned(std::span<const int32_t> owned) {
    program_->owned = owned;
}

bool TCardQuery::Matches(const TCardsList& cards, int position) const {
    return Matches(cards, cards.Items(position), position);
}

bool TCardQuery::Matches(const TCardsList& cards, const TCardItem& card, int position) const {
    if (program_->nodes.empty())
        return true;
    CardFacts facts;
    return program_->MatchOne({&cards, &card, position, 0, &facts});
}

void TCardQuery::Prefetch(const TCardsList& cards, const TCardItem& card) const {
    program_->Prefetch(cards, card);
}

// The facts of a block of cards, kept from one step to the next.
struct TCardSearch::Scratch {
    std::array<CardFacts, kBlock> facts;
};

TCardSearch::TCardSearch(const TCardsList& cards, const TCardQuery& query)
    : cards_(&cards), query_(&query), count_(cards.Count()),
      holds_((static_cast<size_t>(count_) + kBlock - 1) / kBlock, 0) {}

TCardSearch::~TCardSearch() = default;

bool TCardSearch::Step(int count) {
    const TCardQuery::Program& program = *query_->program_;
    if (cards_->Count() != count_) {
        // The list was loaded anew under the search: start over.
        count_ = cards_->Count();
        next_ = 0;
        holds_.assign((static_cast<size_t>(count_) + kBlock - 1) / kBlock, 0);
    }
    std::array<MatchCard, kBlock> block;
    if (program.nodes.size() <= kFewNodes) {
        // A small query goes card by card, asking for the texts of a card some cards ahead.
        constexpr int kAhead = 8;
        CardFacts facts;
        MatchCard card{cards_, nullptr, 0, 0, &facts};
        for (int matched = 0; matched < std::max(count, 1) && !Done(); matched += kBlock) {
            const int size = std::min(kBlock, count_ - next_);
            CardBits held = 0;
            for (int i = 0; i < size; ++i) {
                const int position = next_ + i;
                if (position + kAhead < count_)
                    program.Prefetch(*cards_, cards_->Items(position + kAhead));
                card.item = &cards_->Items(position);
                card.position = position;
                card.known = 0;
                if (program.MatchOne(card))
                    held |= CardBits{1} << i;
            }
            holds_[static_cast<size_t>(next_ / kBlock)] = held;
            next_ += size;
        }
        return Done();
    }
    if (!scratch_)
        scratch_ = std::make_unique_for_overwrite<Scratch>();
    for (int matched = 0; matched < std::max(count, 1) && !Done(); matched += kBlock) {
        // next_ is a multiple of kBlock: a block is one word of holds_.
        const int size = std::min(kBlock, count_ - next_);
        for (int i = 0; i < size; ++i)
            block[static_cast<size_t>(i)] = {cards_, &cards_->Items(next_ + i), next_ + i, 0,
                                             &scratch_->facts[static_cast<size_t>(i)]};
        // The next block's texts are on their way while this one is matched.
        for (int i = next_ + kBlock; i < std::min(next_ + 2 * kBlock, count_); ++i)
            program.Prefetch(*cards_, cards_->Items(i));
        const CardBits all = size == kBlock ? ~CardBits{0} : (CardBits{1} << size) - 1;
        holds_[static_cast<size_t>(next_ / kBlock)] =
            program.nodes.empty()
                ? all
                : program.Eval(std::span(block.data(), static_cast<size_t>(size)), program.root, all);
        next_ += size;
    }
    return Done();
}

bool TCardSearch::Holds(int position) const {
    return position >= 0 && position < next_ && HasBit(holds_.data(), static_cast<uint32_t>(position));
}

std::vector<int> TCardSearch::Positions() const {
    std::vector<int> positions;
    for (size_t w = 0; w < holds_.size(); ++w)
        for (uint64_t bits = holds_[w]; bits; bits &= bits - 1)
            positions.push_back(static_cast<int>(w * kBlock) + std::countr_zero(bits));
    return positions;
}

std::vector<int> SearchCards(const TCardsList& cards, const TCardQuery& query) {
    TCardSearch search(cards, query);
    search.Step(cards.Count());
    return search.Positions();
}

} // namespace tovel
