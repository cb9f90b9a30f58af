#include "core/carddb/Editions.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <algorithm>

namespace tovel {

std::string_view TTextList::Name(int index) const {
    const std::string_view line = (*this)[index];
    return line.substr(0, line.find(';'));
}

std::string_view TTextList::Value(int index) const {
    const std::string_view line = (*this)[index];
    const size_t at = line.find(';');
    return at == std::string_view::npos ? std::string_view{} : line.substr(at + 1);
}

int TTextList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (Name(i) == name)
            return i;
    return -1;
}

TTextList& EditionList() {
    // Global: the program's editions as last loaded, read by every window and by pack drawing.
    static TTextList list;
    return list;
}

TTextList& FormatList() {
    // Global: the program's formats as last loaded, shared by the filter, search and deck windows.
    static TTextList list;
    return list;
}

namespace {

// Reads the whole file before touching the list, so a file that cannot be read leaves it as it was.
void LoadTrimmedLines(TTextList& list, const std::string& fileName) {
    ReadTextListLines(list, ReadTextFile(fileName));
}

} // namespace

void ReadTextListLines(TTextList& list, std::string_view bytes) {
    std::vector<std::string> lines;
    LineReader reader(bytes);
    std::string_view line;
    while (reader.Next(line)) {
        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty())
            lines.emplace_back(trimmed);
    }
    list.Lines = std::move(lines);
}

void LoadEditionList(TTextList& list, const std::string& fileName) {
    LoadTrimmedLines(list, fileName);
}

void LoadFormatList(TTextList& list, const std::string& fileName) {
    LoadTrimmedLines(list, fileName);
}

bool LoadFormatListIfPresent(TTextList& list, const std::string& fileName) {
    if (!FileExists(fileName))
        return false;
    LoadFormatList(list, fileName);
    return true;
}

bool FilterMatches(const TCardFilter& filter, std::string_view edition, const TCardItem* card) {
    return TFilterMatcher(filter).Matches(edition, card);
}

TFilterMatcher::TFilterMatcher(const TCardFilter& filter) {
    const std::string_view editions = filter.Editions;
    kind_ = editions.empty()     ? Kind::All
            : editions == "NONE" ? Kind::None
            : filter.LegalIn     ? Kind::LegalIn
                                 : Kind::Belongs;
    if (kind_ == Kind::All || kind_ == Kind::None)
        return;
    AnyListedCode(editions, [this](std::string_view code) {
        if (!code.empty())
            codes_.push_back(code);
        return false;
    });
}

bool TFilterMatcher::Matches(std::string_view edition, const TCardItem* card) const {
    switch (kind_) {
    case Kind::All:
        return true;
    case Kind::None:
        return false;
    case Kind::Belongs:
        return std::find(codes_.begin(), codes_.end(), edition) != codes_.end();
    case Kind::LegalIn:
        return card && std::any_of(codes_.begin(), codes_.end(), [card](std::string_view code) {
                   return PrintingsHold(card->Printings, code);
               });
    }
    return false;
}

bool CodeListHolds(std::string_view codes, std::string_view code) {
    return AnyListedCode(codes, [code](std::string_view listed) { return listed == code; });
}

bool PrintingsHold(std::string_view printings, std::string_view code) {
    return AnyPrintedCode(printings, [code](std::string_view listed) { return listed == code; });
}

bool CodeListSelects(std::string_view codes, std::string_view code) {
    const size_t end = codes.rfind(';');
    return end != std::string_view::npos && CodeListHolds(codes.substr(0, end + 1), code);
}

std::string EditionCaption(const TTextList& editions, int index) {
    std::string caption = "[";
    caption += editions.Name(index);
    caption += "] ";
    caption += NthWord(2, editions[index], ";", true);
    return caption;
}

std::string_view FormatName(const TTextList& formats, int index) {
    return NthWord(1, formats[index], ";", true);
}

namespace {

std::vector<bool> ChecksOfCodes(std::string_view codes, const TTextList& editions) {
    std::vector<bool> checks(static_cast<size_t>(editions.Count()));
    for (int i = 0; i < editions.Count(); ++i)
        checks[static_cast<size_t>(i)] = CodeListSelects(codes, editions.Name(i));
    return checks;
}

} // namespace

std::vector<bool> FilterChecks(const TCardFilter& filter, const TTextList& editions) {
    if (filter.Editions.empty())
        return std::vector<bool>(static_cast<size_t>(editions.Count()), true);
    return ChecksOfCodes(filter.Editions, editions);
}

std::optional<std::vector<bool>> FormatChoiceChecks(int choice, const TTextList& formats,
                                                    const TTextList& editions) {
    if (choice <= kFormatChoiceNone || choice == kFormatChoiceAll)
        return std::vector<bool>(static_cast<size_t>(editions.Count()), choice == kFormatChoiceAll);
    const int format = choice - kFormatChoiceFirstFormat;
    if (format >= formats.Count())
        return std::nullopt;
    return ChecksOfCodes(formats.Value(format), editions);
}

TCardFilter FilterOfChecks(const TTextList& editions, const std::vector<bool>& checked, bool legalIn) {
    TCardFilter filter;
    for (int i = 0; i < editions.Count() && static_cast<size_t>(i) < checked.size(); ++i)
        if (checked[static_cast<size_t>(i)]) {
            filter.Editions += editions.Name(i);
            filter.Editions += ';';
        }
    if (filter.Editions.empty())
        filter.Editions = "NONE";
    filter.LegalIn = legalIn;
    return filter;
}

} // namespace tovel
