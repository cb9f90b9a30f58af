#include "core/carddb/CardQuery.h"

#include "core/carddb/CardText.h"
#include "core/infra/Error.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

namespace tovel {

namespace {

// Nesting of parentheses and negations beyond this is refused, so the recursive parser and
// matcher stay far from the stack's end on any input.
constexpr int kMaxDepth = 200;
// A query is a line typed by a person; a longer one is refused rather than compiled.
constexpr size_t kMaxLength = 10000;

struct FoldTable {
    std::array<char, 256> lower{};
    FoldTable() {
        for (int c = 0; c < 256; ++c)
            lower[static_cast<size_t>(c)] = AnsiLower(static_cast<char>(c));
    }
};
const FoldTable kFold;

inline char Fold(char c) {
    return kFold.lower[static_cast<unsigned char>(c)];
}

// A case-folded substring search (Boyer-Moore-Horspool over folded bytes), built once per
// term so that matching allocates nothing.
class Needle {
public:
    explicit Needle(std::string_view text) : folded_(text) {
        for (char& c : folded_)
            c = Fold(c);
        const auto m = static_cast<uint32_t>(folded_.size());
        skip_.fill(m);
        for (uint32_t j = 0; j + 1 < m; ++j)
            skip_[static_cast<unsigned char>(folded_[j])] = m - 1 - j;
    }

    bool HasBlank() const { return folded_.find(' ') != std::string::npos; }

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
        if (!HasBlank())
            return false;
        // A match across a join: a line ends with the needle's bytes before one of its blanks.
        const std::string_view needle = folded_;
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::string_view line = lines[i];
            for (size_t k = needle.find(' '); k != std::string_view::npos; k = needle.find(' ', k + 1))
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

// The whole number of one side of a power/toughness, or none for "*", "1+*" and the like.
std::optional<int32_t> PowerToughnessPart(std::string_view pt, bool second) {
    const size_t slash = pt.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    return ParseInt(Trim(second ? pt.substr(slash + 1) : pt.substr(0, slash)));
}

// Whether a card's printings hold this code, ignoring letter case.
bool PrintingsHoldFolded(std::string_view printings, std::string_view code) {
    return AnyPrintedCode(printings,
                          [code](std::string_view listed) { return EqualsIgnoreAnsiCase(listed, code); });
}

// Whether any code of a card's printings is among `allowed` (a ";"-terminated list).
bool AnyCodeIn(std::string_view printings, std::string_view allowed) {
    return AnyPrintedCode(printings, [allowed](std::string_view listed) {
        return !listed.empty() && CodeListHolds(allowed, listed);
    });
}

} // namespace

// The compiled query: nodes in one vector, the root last; an And or Or node's children are a
// range of `children`.
struct TCardQuery::Program {
    enum class Kind : uint8_t { And, Or, Not, Leaf };
    struct Node {
        Kind kind = Kind::Leaf;
        Field field = Field::Name;
        Op op = Op::Eq;
        bool contains = false;         // text terms: substring (":") or whole text ("=", "!=")
        uint8_t colors = 0;            // colour terms: the letters' colours
        bool colorless = false;        // colour terms: "c" was among the letters
        bool multicolor = false;       // colour terms: "m" was among the letters
        int64_t number = 0;            // numeric and rarity terms
        int needle = -1;               // text terms: index into needles
        std::string code;              // e:, in:, banned:, and f: (the format's codes)
        uint32_t first = 0, count = 0; // And/Or: children; Not: the child in `first`
        int cost = 1;                  // rough cost of matching, to try cheap terms first
    };

    std::vector<Node> nodes;
    uint32_t root = 0;
    std::vector<uint32_t> children;
    std::vector<Needle> needles;
    std::span<const int32_t> owned;
    bool usesOwned = false;
    uint32_t fieldsUsed = 0; // bit per Field of the leaves, for prefetching what matching reads

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

    bool Match(const TCardsList& cards, const TCardItem& card, int position, uint32_t index) const;
    bool MatchLeaf(const TCardsList& cards, const TCardItem& card, int position, const Node& node) const;
};

bool TCardQuery::Program::Match(const TCardsList& cards, const TCardItem& card, int position,
                                uint32_t index) const {
    const Node& node = nodes[index];
    switch (node.kind) {
    case Kind::And:
        for (uint32_t i = 0; i < node.count; ++i)
            if (!Match(cards, card, position, children[node.first + i]))
                return false;
        return true;
    case Kind::Or:
        for (uint32_t i = 0; i < node.count; ++i)
            if (Match(cards, card, position, children[node.first + i]))
                return true;
        return false;
    case Kind::Not:
        return !Match(cards, card, position, node.first);
    case Kind::Leaf:
        return MatchLeaf(cards, card, position, node);
    }
    return false;
}

bool TCardQuery::Program::MatchLeaf(const TCardsList& cards, const TCardItem& card, int position,
                                    const Node& node) const {
    const auto text = [&](std::string_view value) {
        const Needle& n = needles[static_cast<size_t>(node.needle)];
        if (node.contains)
            return n.FoundIn(value);
        return n.Equals(value) == (node.op == Op::Eq);
    };
    switch (node.field) {
    case Field::Name:
        return text(card.Name);
    case Field::Type:
        return text(card.TypeLine);
    case Field::Text: {
        const Needle& n = needles[static_cast<size_t>(node.needle)];
        if (node.contains)
            return n.FoundInLines(cards.Text(card), false);
        return n.FoundInLines(cards.Text(card), true) == (node.op == Op::Eq);
    }
    case Field::Edition:
        return EqualsIgnoreAnsiCase(card.Edition, node.code) == (node.op == Op::Eq);
    case Field::In:
        return PrintingsHoldFolded(card.Printings, node.code) == (node.op == Op::Eq);
    case Field::Format:
        return AnyCodeIn(card.Printings, node.code) == (node.op == Op::Eq);
    case Field::Banned:
        return (card.BannedFormats.find(node.code[0]) != std::string_view::npos) == (node.op == Op::Eq);
    case Field::Rarity:
        return Compare(static_cast<int>(card.Rarity), node.op, node.number);
    case Field::ManaValue:
        return Compare(static_cast<int64_t>(card.ConvertedCost) + card.ConvertedCost2, node.op, node.number);
    case Field::Value:
        return Compare(card.Value, node.op, node.number);
    case Field::Power:
    case Field::Toughness: {
        const auto part = PowerToughnessPart(card.PowerToughness, node.field == Field::Toughness);
        return part && Compare(*part, node.op, node.number);
    }
    case Field::Own: {
        const size_t p = static_cast<size_t>(position);
        return Compare(position >= 0 && p < owned.size() ? owned[p] : 0, node.op, node.number);
    }
    case Field::Color: {
        const uint8_t have = CardColors(card);
        const uint8_t want = node.colors;
        switch (node.op) {
        case Op::Eq:
            if (node.contains) // ":" - shares a colour with the set, or is what c / m name
                return (have & want) != 0 || (node.colorless && have == 0) ||
                       (node.multicolor && std::popcount(have) >= 2);
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
    }
    return false;
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
        else
            tokens_.push_back({TokenKind::Term, column, TextLeaf(Field::Name, Op::Eq, true, word, column)});
        return i;
    }

    size_t FieldTerm(size_t start, size_t opAt) {
        const size_t column = start + 1;
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
        case Field::In:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            node.code = value;
            return Add(std::move(node));
        case Field::Banned:
            if (!equality)
                NotFor(opColumn, op, colon, name);
            if (value.size() != 1)
                Fail(valueColumn, "a single format letter is needed");
            node.code = value;
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
            node.code = formats->Value(line);
            node.cost = 3;
            return Add(std::move(node));
        }
        case Field::Rarity: {
            TRarity rarity;
            switch (value.size() == 1 ? AsciiUpper(value[0]) : '?') {
            case 'L':
                rarity = TRarity::L;
                break;
            case 'C':
                rarity = TRarity::C;
                break;
            case 'U':
                rarity = TRarity::U;
                break;
            case 'R':
                rarity = TRarity::R;
                break;
            default:
                Fail(valueColumn, "a rarity is L, C, U or R");
            }
            node.number = static_cast<int>(rarity);
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
            Node node;
            node.kind = Kind::Not;
            node.first = ParseUnary(depth + 1);
            node.cost = program_.nodes[node.first].cost;
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
    return program_->Match(cards, card, position, program_->root);
}

void TCardQuery::Prefetch(const TCardsList& cards, const TCardItem& card) const {
    program_->Prefetch(cards, card);
}

std::vector<int> SearchCards(const TCardsList& cards, const TCardQuery& query) {
    constexpr int kAhead = 8;
    std::vector<int> positions;
    for (int i = 0; i < cards.Count(); ++i) {
        if (i + kAhead < cards.Count())
            query.Prefetch(cards, cards.Items(i + kAhead));
        if (query.Matches(cards, i))
            positions.push_back(i);
    }
    return positions;
}

} // namespace tovel
