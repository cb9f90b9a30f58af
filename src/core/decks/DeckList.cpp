#include "core/decks/DeckList.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <unordered_map>

namespace tovel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// "Sideboard", "sideboard:", "Deck" ...: the word alone, any case, an optional ":" after it.
bool IsMarker(std::string_view line, std::string_view word) {
    if (!line.empty() && line.back() == ':')
        line = TrimRight(line.substr(0, line.size() - 1));
    return EqualsIgnoreAsciiCase(line, word);
}

bool IsSideboardMarker(std::string_view trimmed) {
    return IsMarker(trimmed, "Sideboard") || StartsWithIgnoreCase(trimmed, "SB:");
}

struct ParsedLine {
    bool Sideboard = false;
    std::string_view Count;
    std::string_view Name;
    std::string_view Edition;
    bool HasEdition = false;
    bool EditionInParentheses = false;
    std::string_view NameWithParentheses; // "Name (CODE)" as a whole, for names that end so
};

// Splits "N Name", "Nx Name", "N x Name" with an optional edition; false when the line is not
// of that shape.
bool ParseListLine(std::string_view line, ParsedLine& out) {
    if (StartsWithIgnoreCase(line, "SB:")) {
        out.Sideboard = true;
        line = Trim(line.substr(3));
    }
    size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    if (digits == 0)
        return false;
    out.Count = line.substr(0, digits);
    std::string_view rest = line.substr(digits);
    if (!rest.empty() && (rest[0] == 'x' || rest[0] == 'X') && (rest.size() == 1 || IsBlank(rest[1])))
        rest.remove_prefix(1);
    else if (rest.empty() || !IsBlank(rest[0]))
        return false;
    rest = Trim(rest);
    if (rest.size() > 1 && (rest[0] == 'x' || rest[0] == 'X') && IsBlank(rest[1]))
        rest = Trim(rest.substr(1));
    if (!rest.empty() && rest.front() == '[') {
        const size_t close = rest.find(']');
        if (close == std::string_view::npos)
            return false;
        out.Edition = Trim(rest.substr(1, close - 1));
        out.HasEdition = true;
        rest = Trim(rest.substr(close + 1));
    } else if (!rest.empty() && (rest.back() == ']' || rest.back() == ')')) {
        const bool parentheses = rest.back() == ')';
        const size_t open = rest.rfind(parentheses ? '(' : '[');
        if (open == std::string_view::npos)
            return false;
        out.Edition = Trim(rest.substr(open + 1, rest.size() - open - 2));
        out.HasEdition = true;
        out.EditionInParentheses = parentheses;
        out.NameWithParentheses = rest;
        rest = Trim(rest.substr(0, open));
    }
    out.Name = rest;
    return !out.Name.empty() && (!out.HasEdition || !out.Edition.empty());
}

// Every copy into the zone: a basic land as one entry with its counter, any other card as one
// entry per copy.
void AddCopies(TDeckZone& zone, const TCardsList& cards, int32_t position, int32_t count) {
    const int slot = BasicLandSlot(cards.Items(position));
    if (slot < 0) {
        for (int32_t i = 0; i < count; ++i)
            zone.Entries.Add(position);
        return;
    }
    const bool present = std::any_of(zone.Entries.begin(), zone.Entries.end(), [&](int32_t entry) {
        return BasicLandSlot(cards.Items(entry)) == slot;
    });
    if (!present)
        zone.Entries.Add(position);
    zone.Lands[static_cast<size_t>(slot)] += count;
}

bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size())
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

// How many editions a "not found in ..." reason names before it only counts the rest.
constexpr size_t kNamedEditions = 8;

// The lines of a list after the pass that finds whether it has a sideboard marker.
class ListParser {
public:
    ListParser(const TCardsList& cards, TListZones zones, bool hasMarker, TDeckList& list,
               const TListProblemSink& onProblem)
        : cards_(cards), mainOnly_(zones == TListZones::MainOnly), hasMarker_(hasMarker || mainOnly_),
          list_(list), onProblem_(onProblem) {}

    void Line(std::string_view raw, int number) {
        const std::string_view line = Trim(raw);
        auto problem = [&](std::string reason) {
            // The line as messages quote it: a longer one is cut there all the same.
            TListProblem found{number, std::string(line.substr(0, kQuotedLineBytes + 1)), std::move(reason)};
            if (onProblem_)
                onProblem_(found);
            else
                list_.Problems.push_back(std::move(found));
        };
        if (line.empty()) {
            if (!hasMarker_ && sawMain_)
                inSideboard_ = true;
            return;
        }
        if (line.starts_with("//") || line.starts_with("#") || IsMarker(line, "Deck"))
            return;
        if (!mainOnly_ && IsMarker(line, "Sideboard")) {
            inSideboard_ = true;
            return;
        }
        ParsedLine parsed;
        if (!ParseListLine(line, parsed) || (mainOnly_ && parsed.Sideboard)) {
            problem(kListNotUnderstood);
            return;
        }
        const std::optional<int32_t> count = ParseInt(parsed.Count);
        const bool sideboard = inSideboard_ || parsed.Sideboard;
        int64_t& inZone = held_[sideboard ? 1 : 0];
        if (!count) { // digits beyond any integer
            problem(kListTooMany);
            return;
        }
        if (*count < 1) {
            problem(kListNotUnderstood);
            return;
        }
        if (inZone + *count > kMaxCopiesPerLine) {
            problem(kListTooMany);
            return;
        }
        int position =
            parsed.HasEdition ? cards_.IndexOf(parsed.Name, parsed.Edition) : cards_.IndexOfName(parsed.Name);
        // A name that itself ends in parentheses.
        if (position < 0 && parsed.EditionInParentheses)
            position = cards_.IndexOfName(parsed.NameWithParentheses);
        if (position < 0) {
            // A name that exists in other editions: the reason says which.
            if (parsed.HasEdition && cards_.IndexOfName(parsed.Name) >= 0)
                problem(NotInEdition(parsed.Name, parsed.Edition));
            else
                problem(kListNotFound);
            return;
        }
        inZone += *count;
        sawMain_ = sawMain_ || !sideboard;
        list_.Cards.push_back({sideboard, *count, position});
    }

private:
    // kListNotFound + " in CODE, only in A, B": the editions in card-list order.
    std::string NotInEdition(std::string_view name, std::string_view asked) {
        if (editionsOf_.empty()) { // every name's editions, in one pass, the first time one is needed
            std::string folded;
            for (int i = 0; i < cards_.Count(); ++i) {
                const TCardItem& card = cards_.Items(i);
                folded.assign(card.Name);
                std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
                std::vector<std::string_view>& found = editionsOf_[folded];
                if (std::find(found.begin(), found.end(), std::string_view(card.Edition)) == found.end())
                    found.push_back(card.Edition);
            }
        }
        std::string folded(name);
        std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
        const std::vector<std::string_view>& found = editionsOf_[folded];
        std::string reason = std::string(kListNotFound) + " in " + Cp1252ToUtf8(asked) + ", only in ";
        for (size_t i = 0; i < found.size() && i < kNamedEditions; ++i)
            reason += (i ? ", " : "") + Cp1252ToUtf8(found[i]);
        if (found.size() > kNamedEditions)
            reason += " and " + std::to_string(found.size() - kNamedEditions) + " more";
        return reason;
    }

    const TCardsList& cards_;
    const bool mainOnly_; // one pile: nothing switches to a sideboard
    const bool hasMarker_;
    TDeckList& list_;
    const TListProblemSink onProblem_;
    bool inSideboard_ = false;
    bool sawMain_ = false;
    std::array<int64_t, 2> held_{}; // cards per zone, against kMaxCopiesPerLine
    std::unordered_map<std::string, std::vector<std::string_view>> editionsOf_;
};

} // namespace

TDeckList ReadDeckList(std::string_view text, const TCardsList& cards, TListZones zones) {
    TDeckList list;
    bool hasMarker = false;
    if (zones == TListZones::MainAndSideboard) {
        LineReader scan(text);
        std::string_view raw;
        while (!hasMarker && scan.Next(raw))
            hasMarker = IsSideboardMarker(Trim(raw));
    }
    ListParser parser(cards, zones, hasMarker, list, {});
    LineReader reader(text);
    std::string_view raw;
    while (reader.Next(raw))
        parser.Line(raw, reader.LineNumber());
    return list;
}

TDeckList ReadDeckListFile(const std::string& path, const TCardsList& cards,
                           const TListProblemSink& onProblem) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    // The first pass: a sideboard marker anywhere, and whether the whole file is UTF-8.
    bool hasMarker = false;
    bool utf8 = true;
    {
        TextFileReader scan(path);
        std::string_view raw;
        while (scan.Next(raw)) {
            if (scan.LineNumber() == 1 && raw.starts_with(kUtf8Mark))
                raw.remove_prefix(kUtf8Mark.size());
            hasMarker = hasMarker || IsSideboardMarker(Trim(raw));
            utf8 = utf8 && IsUtf8(raw);
        }
    }
    TDeckList list;
    ListParser parser(cards, TListZones::MainAndSideboard, hasMarker, list, onProblem);
    TextFileReader reader(path);
    std::string_view raw;
    while (reader.Next(raw)) {
        if (reader.LineNumber() == 1 && raw.starts_with(kUtf8Mark))
            raw.remove_prefix(kUtf8Mark.size());
        if (utf8 && !reader.LineCut())
            parser.Line(Utf8ToCp1252(raw), reader.LineNumber());
        else
            parser.Line(raw, reader.LineNumber());
    }
    return list;
}

std::string DecodeListBytes(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return IsUtf8(bytes) ? Utf8ToCp1252(bytes) : std::string(bytes);
}

void FillZones(TDeckZones& zones, const TCardsList& cards, const TDeckList& list) {
    zones.Clear();
    for (const TListCard& card : list.Cards)
        AddCopies(zones.Zone(card.Sideboard), cards, card.Position, card.Count);
}

std::string FormatDeckList(const TCardsList& cards, const TIntegerList& mainOrder,
                           const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                           const std::array<int32_t, 5>& sideboardLands) {
    std::string text;
    auto write = [&](const TDeckLineGrouper& grouper) {
        for (const TDeckLineGrouper::Group& group : grouper.Groups())
            text += std::to_string(group.Count) + " " + group.Name + "\r\n";
    };
    write(GroupZone(cards, mainOrder, mainLands));
    const TDeckLineGrouper sideboard = GroupZone(cards, sideboardOrder, sideboardLands);
    if (!sideboard.Groups().empty()) {
        text += "\r\nSideboard\r\n";
        write(sideboard);
    }
    return text;
}

std::string FormatDeckList(const TCardsList& cards, const TDeckZones& zones) {
    return FormatDeckList(cards, zones.Main.Entries, zones.Main.Lands, zones.Sideboard.Entries,
                          zones.Sideboard.Lands);
}

std::string ProblemText(const TListProblem& problem) {
    return std::to_string(problem.Line) + ": " + QuoteLine(problem.Text) + " - " + problem.Reason;
}

std::string ImportProblemsQuestion(const std::vector<TListProblem>& problems) {
    std::string text = std::to_string(problems.size()) + " lines were not understood or not found:\n";
    for (size_t i = 0; i < problems.size() && i < kListedProblems; ++i)
        text += ProblemText(problems[i]) + "\n";
    if (problems.size() > kListedProblems)
        text += "... and " + std::to_string(problems.size() - kListedProblems) + " more\n";
    return text + "Import the rest?";
}

void WriteListFile(const std::string& path, std::string_view utf8Text) {
    std::string bytes;
    bytes.reserve(utf8Text.size() + utf8Text.size() / 16);
    for (size_t i = 0; i < utf8Text.size(); ++i) {
        if (utf8Text[i] == '\n' && (i == 0 || utf8Text[i - 1] != '\r'))
            bytes += '\r';
        bytes += utf8Text[i];
    }
    WriteFileAtomically(path, bytes);
}

} // namespace tovel
