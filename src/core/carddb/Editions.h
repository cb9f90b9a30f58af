#pragma once

// Editions and formats: the lines of Data/editions.txt ("code;full name") and
// Data/formats.txt ("name;code;code;...;"), and the card filter over them.

#include "core/carddb/CardsDB.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// A small list of text lines, split at their first ";" into a name and a value.
class TTextList {
public:
    std::vector<std::string> Lines;

    int Count() const { return static_cast<int>(Lines.size()); }
    const std::string& operator[](int index) const { return Lines[static_cast<size_t>(index)]; }
    // The text before the first ";" (the whole line when there is none).
    std::string_view Name(int index) const;
    // The text after the first ";" (empty when there is none).
    std::string_view Value(int index) const;
    // Position of the first line whose name equals `name` exactly, or -1.
    int IndexOfName(std::string_view name) const;
    void Clear() { Lines.clear(); }
};

// The program-wide lists, created at start-up.
TTextList& EditionList();
TTextList& FormatList();

// Empty the list and read the file: lines trimmed, empty ones dropped, file order kept.
// Error when the file cannot be opened; the list then keeps its old content.
void LoadEditionList(TTextList& list, const std::string& fileName);
void LoadFormatList(TTextList& list, const std::string& fileName);
// LoadFormatList when the file exists (formats are optional for a search); returns whether it did.
bool LoadFormatListIfPresent(TTextList& list, const std::string& fileName);
// The same on bytes in memory.
void ReadTextListLines(TTextList& list, std::string_view bytes);

struct TCardFilter {
    std::string Editions; // empty: everything; "NONE": nothing; else codes each followed by ";"
    bool LegalIn = false; // false: "Card belongs to"; true: "Card is legal in"
};

// Whether any code of a list of codes, each followed by ";" (a filter, a format's codes),
// satisfies `test`; the text after the last ";" counts as a code too.
template <class Test> bool AnyListedCode(std::string_view codes, Test&& test) {
    size_t start = 0;
    while (start < codes.size()) {
        size_t end = codes.find(';', start);
        if (end == std::string_view::npos)
            end = codes.size();
        if (test(codes.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

// Whether a list of codes holds this code whole (exact, case-sensitive): "1E;" does not hold "E".
bool CodeListHolds(std::string_view codes, std::string_view code);

// A card's Printings end each code with ";", or with "+" as base.txt stores them: a loaded card
// keeps the file's own text rather than a converted copy of it. Codes as AnyListedCode reads them.
template <class Test> bool AnyPrintedCode(std::string_view printings, Test&& test) {
    size_t start = 0;
    for (size_t i = 0; i < printings.size(); ++i) {
        if (printings[i] != ';' && printings[i] != '+')
            continue;
        if (test(printings.substr(start, i - start)))
            return true;
        start = i + 1;
    }
    return start < printings.size() && test(printings.substr(start));
}

// Whether a card's Printings hold this code whole (exact, case-sensitive).
bool PrintingsHold(std::string_view printings, std::string_view code);
// The filter dialog's test of a filter's or a format's codes: the whole code, followed by its
// ";". A last code without ";" selects nothing.
bool CodeListSelects(std::string_view codes, std::string_view code);

// The filter dialog: a check box for each edition, captioned "[CODE] name", and a choice of
// formats that sets the checks: "None", "All", then each format by the first word of its line.
inline constexpr int kFormatChoiceNone = 0;
inline constexpr int kFormatChoiceAll = 1;
inline constexpr int kFormatChoiceFirstFormat = 2;
std::string EditionCaption(const TTextList& editions, int index);
std::string_view FormatName(const TTextList& formats, int index);
// The checks that show a filter: every edition for the empty filter, else those it selects.
std::vector<bool> FilterChecks(const TCardFilter& filter, const TTextList& editions);
// The checks a format choice sets; none for a choice past the last format (the checks stay).
std::optional<std::vector<bool>> FormatChoiceChecks(int choice, const TTextList& formats,
                                                    const TTextList& editions);
// The filter of the checked editions: each code followed by ";", or "NONE" when none is checked.
TCardFilter FilterOfChecks(const TTextList& editions, const std::vector<bool>& checked, bool legalIn);

// An entry of a card list view: its edition code and, when the card is in the database, the card.
bool FilterMatches(const TCardFilter& filter, std::string_view edition, const TCardItem* card);

// FilterMatches for many entries: the filter's codes are read once.
class TFilterMatcher {
public:
    explicit TFilterMatcher(const TCardFilter& filter);
    bool Matches(std::string_view edition, const TCardItem* card) const;
    // True for the empty filter, which every entry passes.
    bool MatchesEverything() const { return kind_ == Kind::All; }

private:
    enum class Kind : uint8_t { All, None, Belongs, LegalIn } kind_;
    std::vector<std::string_view> codes_;
};

} // namespace tovel
