#include "core/decks/DeckList.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <algorithm>

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

} // namespace

TDeckList ReadDeckList(std::string_view text, const TCardsList& cards, TListZones zones) {
    TDeckList list;
    const bool mainOnly = zones == TListZones::MainOnly;
    bool hasMarker = mainOnly; // nothing switches to a sideboard
    if (!mainOnly) {
        LineReader scan(text);
        std::string_view raw;
        while (!hasMarker && scan.Next(raw))
            hasMarker = IsSideboardMarker(Trim(raw));
    }
    bool inSideboard = false;
    bool sawMain = false;
    std::array<int64_t, 2> held{}; // cards per zone, against kMaxCopiesPerLine
    LineReader reader(text);
    std::string_view raw;
    while (reader.Next(raw)) {
        const std::string_view line = Trim(raw);
        auto problem = [&](const char* reason) {
            list.Problems.push_back({reader.LineNumber(), std::string(line), reason});
        };
        if (line.empty()) {
            if (!hasMarker && sawMain)
                inSideboard = true;
            continue;
        }
        if (line.starts_with("//") || line.starts_with("#") || IsMarker(line, "Deck"))
            continue;
        if (!mainOnly && IsMarker(line, "Sideboard")) {
            inSideboard = true;
            continue;
        }
        ParsedLine parsed;
        if (!ParseListLine(line, parsed) || (mainOnly && parsed.Sideboard)) {
            problem(kListNotUnderstood);
            continue;
        }
        const std::optional<int32_t> count = ParseInt(parsed.Count);
        const bool sideboard = inSideboard || parsed.Sideboard;
        int64_t& inZone = held[sideboard ? 1 : 0];
        if (!count) { // digits beyond any integer
            problem(kListTooMany);
            continue;
        }
        if (*count < 1) {
            problem(kListNotUnderstood);
            continue;
        }
        if (inZone + *count > kMaxCopiesPerLine) {
            problem(kListTooMany);
            continue;
        }
        int position =
            parsed.HasEdition ? cards.IndexOf(parsed.Name, parsed.Edition) : cards.IndexOfName(parsed.Name);
        // A name that itself ends in parentheses.
        if (position < 0 && parsed.EditionInParentheses)
            position = cards.IndexOfName(parsed.NameWithParentheses);
        if (position < 0) {
            problem(kListNotFound);
            continue;
        }
        inZone += *count;
        sawMain = sawMain || !sideboard;
        list.Cards.push_back({sideboard, *count, position});
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

} // namespace tovel
