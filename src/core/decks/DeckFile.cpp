#include "core/decks/DeckFile.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace tovel {

std::string CardKey(std::string_view edition, std::string_view name) {
    std::string key;
    key.reserve(edition.size() + name.size() + 5);
    key += '[';
    key += edition;
    key += "] - ";
    key += name;
    return key;
}

std::string CardKey(const TCardItem& card) {
    return CardKey(card.Edition, card.Name);
}

int BasicLandSlot(const TCardItem& card) {
    if (card.Rarity != TRarity::L)
        return -1;
    const int slot = BasicLandIndex(card.Name);
    return slot < 5 ? slot : -1;
}

bool IsBasicLand(const TCardItem& card) {
    return BasicLandSlot(card) >= 0;
}

void TDeckLineGrouper::Add(std::string_view edition, std::string_view name, int64_t count) {
    std::string key = CardKey(edition, name);
    std::string folded = AsciiLowerCase(key);
    const auto [it, inserted] = byFoldedKey_.try_emplace(std::move(folded), groups_.size());
    // A deck line's count is read as a 32-bit integer: a sum beyond that range would write a
    // line no reader takes.
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    if (inserted)
        groups_.push_back({std::move(key), std::string(name), std::clamp(count, low, high)});
    else
        groups_[it->second].Count =
            std::clamp(groups_[it->second].Count + std::clamp(count, low, high), low, high);
}

std::string TDeckLineGrouper::Format(bool sideboard) const {
    std::string text;
    for (const Group& group : groups_) {
        text += sideboard ? kSideboardPrefix : kMainDeckIndent;
        text += std::to_string(group.Count);
        text += ' ';
        text += group.Key;
        text += "\r\n";
    }
    return text;
}

std::string OverwriteDeckQuestion(const std::string& path) {
    return "File " + path + "\r" + "exists Overwrite?";
}

std::string RewriteExportQuestion(const std::string& path) {
    return "File " + path + "\r" + "exists? Rewrite?";
}

TDeckLineGrouper GroupZone(const TCardsList& cards, const TIntegerList& order,
                           const std::array<int32_t, 5>& lands) {
    TDeckLineGrouper grouper;
    for (int32_t position : order) {
        const TCardItem& card = cards.Items(position);
        const int slot = BasicLandSlot(card);
        grouper.Add(card, slot >= 0 ? lands[static_cast<size_t>(slot)] : 1);
    }
    return grouper;
}

namespace {

std::string FormatZone(const TCardsList& cards, const TIntegerList& order,
                       const std::array<int32_t, 5>& lands, bool sideboard) {
    return GroupZone(cards, order, lands).Format(sideboard);
}

} // namespace

std::string FormatDesignerDeck(const TCardsList& cards, const TIntegerList& mainOrder,
                               const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                               const std::array<int32_t, 5>& sideboardLands) {
    return FormatZone(cards, mainOrder, mainLands, false) +
           FormatZone(cards, sideboardOrder, sideboardLands, true);
}

void WriteDesignerDeck(const TCardsList& cards, const TIntegerList& mainOrder,
                       const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                       const std::array<int32_t, 5>& sideboardLands, const std::string& path) {
    WriteFileAtomically(path,
                        FormatDesignerDeck(cards, mainOrder, mainLands, sideboardOrder, sideboardLands));
}

std::string FormatInventoryDeck(const TInventoryList& inventory) {
    TDeckLineGrouper grouper;
    for (int i = 0; i < inventory.Count(); ++i) {
        const TInventoryItem& line = inventory.Items(i);
        grouper.Add(line.Edition, line.Name, line.Count);
    }
    return grouper.Format(false);
}

void WriteInventoryDeck(const TInventoryList& inventory, const std::string& path) {
    WriteFileAtomically(path, FormatInventoryDeck(inventory));
}

std::string FormatMainDeck(const TCardsList& cards, const TIntegerList& positions) {
    TDeckLineGrouper grouper;
    for (int32_t position : positions)
        grouper.Add(cards.Items(position), 1);
    return grouper.Format(false);
}

void WriteMainDeck(const TCardsList& cards, const TIntegerList& positions, const std::string& path) {
    WriteFileAtomically(path, FormatMainDeck(cards, positions));
}

std::string HandOffDeckPath() {
    return ProgramPath(kHandOffDeck);
}

void WriteHandOffDeck(const TCardsList& cards, const TIntegerList& positions) {
    EnsureDirectory(ProgramPath("Temp"));
    WriteMainDeck(cards, positions, HandOffDeckPath());
}

std::string BotDeckPath(const std::string& userPath, int bot) {
    const std::string stem = userPath.substr(0, userPath.size() >= 4 ? userPath.size() - 4 : 0);
    return stem + "_bot" + std::to_string(bot + 1) + ".dec";
}

TDeckLineKind ParseDeckLine(std::string_view line, TDeckLine& out) {
    std::string_view rest = Trim(line);
    if (rest.empty())
        return TDeckLineKind::End;
    if (rest.front() == '/')
        return TDeckLineKind::Comment;
    out = TDeckLine{};
    if (rest.starts_with("SB")) {
        out.Sideboard = true;
        rest.remove_prefix(std::min<size_t>(4, rest.size()));
    }
    const size_t dash = rest.find('-');
    const std::string_view rawHead =
        dash == std::string_view::npos ? std::string_view{} : rest.substr(0, dash);
    const std::string_view head = Trim(rawHead);
    static const CharSet blank(" ");
    const std::optional<int32_t> count = ParseInt(NthWord(1, head, blank, true));
    if (!count)
        throw Error(kInvalidDeckFile);
    out.Count = *count;
    // The name starts two characters (the blank and the hyphen) after the head. Blanks before
    // the count are part of where the head starts, so they never shift the name.
    const size_t headStart = head.empty() ? 0 : static_cast<size_t>(head.data() - rest.data());
    const size_t nameStart = headStart + head.size() + 2;
    out.Name = nameStart < rest.size() ? Trim(rest.substr(nameStart)) : std::string_view{};
    const size_t open = head.find('[');
    std::string_view edition = open == std::string_view::npos ? std::string_view{} : head.substr(open + 1);
    if (!edition.empty() && edition.back() == ']')
        edition.remove_suffix(1);
    out.Edition = edition;
    return TDeckLineKind::Card;
}

namespace {

// Runs `onLine` for every card line of a deck file after `onStart`; an empty file runs neither.
// Returns false after showing the error box for an invalid line.
template <typename Start, typename OnLine>
bool ReadDeckLines(const std::string& path, Start&& onStart, OnLine&& onLine) {
    // Line by line: memory stays bounded whatever the file's size and line lengths.
    TextFileReader reader(path);
    std::string_view raw;
    if (!reader.Next(raw))
        return true;
    onStart();
    try {
        do {
            if (reader.LineCut())
                throw Error(kInvalidDeckFile);
            TDeckLine line;
            const TDeckLineKind kind = ParseDeckLine(raw, line);
            if (kind == TDeckLineKind::End)
                break;
            if (kind == TDeckLineKind::Card)
                onLine(line);
        } while (reader.Next(raw));
    } catch (const Error&) {
        ShowError(kInvalidDeckFile);
        return false;
    }
    return true;
}

int32_t SaturatingAdd(int32_t a, int32_t b) {
    const int64_t sum = int64_t{a} + b;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

bool ReadDeckIntoInventory(TInventoryList& inventory, const TCardsList& cards, const std::string& path,
                           bool add) {
    return ReadDeckLines(
        path,
        [&] {
            if (!add)
                inventory.Clear();
        },
        [&](const TDeckLine& line) {
            const int card = cards.IndexOf(line.Name, line.Edition);
            // A deck imported as the collection leaves its basic lands out; a deck added to the
            // collection adds every card it holds. Neither takes a line of the collection away.
            if (!add && card >= 0 && IsBasicLand(cards.Items(card)))
                return;
            int at = inventory.Find(line.Name, line.Edition);
            if (at < 0) {
                TInventoryItem& created = inventory.Add();
                created.Name = line.Name;
                created.Edition = line.Edition;
                at = created.Index();
            }
            TInventoryItem& item = inventory.Items(at);
            if (card >= 0)
                item.Card = &cards.Items(card);
            item.Count = SaturatingAdd(item.Count, line.Count);
        });
}

bool ReadDeckIntoZones(TDeckZones& zones, const TCardsList& cards, const std::string& path, bool toSideboard,
                       bool add, bool* changed) {
    bool touched = false;
    // Cards in each zone: entries, basic lands counted by their counters.
    std::array<int64_t, 2> held{};
    auto countHeld = [&](const TDeckZone& zone) {
        int64_t n = std::accumulate(zone.Lands.begin(), zone.Lands.end(), int64_t{0});
        for (int32_t entry : zone.Entries)
            n += BasicLandSlot(cards.Items(entry)) < 0 ? 1 : 0;
        return n;
    };
    const bool complete = ReadDeckLines(
        path,
        [&] {
            if (!add) {
                zones.Clear();
                touched = true;
            }
            held = {countHeld(zones.Main), countHeld(zones.Sideboard)};
        },
        [&](const TDeckLine& line) {
            if (line.Count > kMaxCopiesPerLine)
                throw Error(kInvalidDeckFile);
            const int position = cards.IndexOf(line.Name, line.Edition);
            if (position < 0) {
                ShowError(QuoteLine(line.Edition) + " " + QuoteLine(line.Name) + kNotFoundSkipped);
                return;
            }
            const bool sideboard = line.Sideboard || toSideboard;
            TDeckZone& zone = zones.Zone(sideboard);
            int64_t& inZone = held[sideboard ? 1 : 0];
            if (inZone + line.Count > kMaxCopiesPerLine)
                throw Error(kInvalidDeckFile);
            const TCardItem& card = cards.Items(position);
            const int slot = BasicLandSlot(card);
            if (slot >= 0) {
                // One entry per land, whatever edition of it came first.
                const bool present =
                    std::any_of(zone.Entries.begin(), zone.Entries.end(),
                                [&](int32_t entry) { return BasicLandSlot(cards.Items(entry)) == slot; });
                if (!present)
                    zone.Entries.Add(position);
                int32_t& counter = zone.Lands[static_cast<size_t>(slot)];
                inZone -= counter;
                counter = std::max(0, SaturatingAdd(counter, line.Count));
                inZone += counter;
                if (counter == 0) {
                    // A land whose copies came to nothing has no row.
                    for (int i = 0; i < zone.Entries.Count(); ++i)
                        if (BasicLandSlot(cards.Items(zone.Entries.Items(i))) == slot) {
                            zone.Entries.Delete(i);
                            break;
                        }
                }
                touched = true;
                return;
            }
            for (int32_t i = 0; i < line.Count; ++i)
                zone.Entries.Add(position);
            inZone += std::max(0, line.Count);
            touched = touched || line.Count > 0;
        });
    if (changed)
        *changed = touched;
    return complete;
}

} // namespace tovel
