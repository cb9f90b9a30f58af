#pragma once

// The ".dec" deck file: one line per distinct card with a copy count, main-deck lines first,
// sideboard lines ("SB: ") after them. Cards are named by their key "[" + edition + "] - " +
// name, never by database position, so a deck survives a rebuilt database.
//
// Writers group cards by key (ASCII case-insensitive, like the card lookup): one line per key,
// where the key first occurs. Every writer replaces its file atomically. Overwrite questions
// belong to the callers; their texts are here.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/collection/Inventory.h"
#include "core/infra/ProgramFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tovel {

inline constexpr const char* kDeckFilter = "Deck files|*.dec";
inline constexpr const char* kDeckExtension = "dec";
inline constexpr const char* kInvalidDeckFile = "Invalid .dec file!";
inline constexpr const char* kNotFoundSkipped = " not found in cards database - skipped";
inline constexpr std::string_view kSideboardPrefix = "SB: ";
inline constexpr std::string_view kMainDeckIndent = "    ";

// "[" + edition + "] - " + name.
std::string CardKey(std::string_view edition, std::string_view name);
std::string CardKey(const TCardItem& card);

// One of the five basic lands: rarity L and a name of BasicLandNames (exact). A card of rarity L
// with another name is an ordinary card.
bool IsBasicLand(const TCardItem& card);
// 0..4 for a basic land, -1 for any other card.
int BasicLandSlot(const TCardItem& card);

// The grouping every writer shares: cards in order, each adding to its key's count.
class TDeckLineGrouper {
public:
    struct Group {
        std::string Key;
        std::string Name;
        int64_t Count = 0;
    };

    void Add(std::string_view edition, std::string_view name, int64_t count);
    void Add(const TCardItem& card, int64_t count) { Add(card.Edition, card.Name, count); }
    const std::vector<Group>& Groups() const { return groups_; }
    // The groups as main-deck or sideboard lines, CR LF ended.
    std::string Format(bool sideboard) const;

private:
    std::vector<Group> groups_;
    std::unordered_map<std::string, size_t> byFoldedKey_;
};

// The overwrite questions: deck saves (designer, draft) and the inventory's export.
std::string OverwriteDeckQuestion(const std::string& path);
std::string RewriteExportQuestion(const std::string& path);

// Zones of the deck designer: entries are card positions (one per copy; a basic land once),
// and a basic land's copies are its land counter.
struct TDeckZone {
    TIntegerList Entries;
    std::array<int32_t, 5> Lands{};

    bool Empty() const { return Entries.Count() == 0; }
    void Clear() {
        Entries.Clear();
        Lands.fill(0);
    }
};

struct TDeckZones {
    TDeckZone Main;
    TDeckZone Sideboard;

    TDeckZone& Zone(bool sideboard) { return sideboard ? Sideboard : Main; }
    void Clear() {
        Main.Clear();
        Sideboard.Clear();
    }
};

// A zone's cards grouped as the designer saves them: `order` holds the zone's entries in the
// order to write; a basic land's count is the zone's land counter.
TDeckLineGrouper GroupZone(const TCardsList& cards, const TIntegerList& order,
                           const std::array<int32_t, 5>& lands);

// The designer's save: main-deck lines for `mainOrder`, then sideboard lines for
// `sideboardOrder` (each a zone's entries in display order); a basic land's count is the
// zone's land counter.
std::string FormatDesignerDeck(const TCardsList& cards, const TIntegerList& mainOrder,
                               const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                               const std::array<int32_t, 5>& sideboardLands);
void WriteDesignerDeck(const TCardsList& cards, const TIntegerList& mainOrder,
                       const std::array<int32_t, 5>& mainLands, const TIntegerList& sideboardOrder,
                       const std::array<int32_t, 5>& sideboardLands, const std::string& path);

// The inventory's export: one main-deck line per inventory line (count 0 included), counting
// the line's total copies.
std::string FormatInventoryDeck(const TInventoryList& inventory);
void WriteInventoryDeck(const TInventoryList& inventory, const std::string& path);

// A list of card positions (picks, a pool) as main-deck lines in order of first occurrence.
std::string FormatMainDeck(const TCardsList& cards, const TIntegerList& positions);
void WriteMainDeck(const TCardsList& cards, const TIntegerList& positions, const std::string& path);

// The hand-off to the deck designer (a draft's picks, a sealed pool): Temp/temp.dec under the
// program folder, replaced without asking; the Temp folder is created when missing.
std::string HandOffDeckPath();
void WriteHandOffDeck(const TCardsList& cards, const TIntegerList& positions);

// Computer drafter `bot` (1..7) saves beside the user's file: path less its last four
// characters + "_bot" + (bot + 1) + ".dec".
std::string BotDeckPath(const std::string& userPath, int bot);

// One parsed deck line.
struct TDeckLine {
    bool Sideboard = false;
    int32_t Count = 0;
    std::string_view Edition;
    std::string_view Name;
};

enum class TDeckLineKind { Card, Comment, End };

// Parses one line of a deck file. End for a line that is empty after trimming (reading stops
// there), Comment for a line starting with "/". Error kInvalidDeckFile when the count is not
// an integer.
TDeckLineKind ParseDeckLine(std::string_view line, TDeckLine& out);

// Reads a deck file into an inventory. Without `add` the inventory is cleared first (an empty
// file changes nothing) and the deck's basic lands are left out; with `add` every card of the
// deck is added and no line is removed. Zones are ignored, unknown cards kept unlinked.
// An invalid line shows "Invalid .dec file!" and stops; the lines before it keep their effect.
// Returns false then. Error when the file cannot be read.
bool ReadDeckIntoInventory(TInventoryList& inventory, const TCardsList& cards, const std::string& path,
                           bool add);

// Reads a deck file into the designer's zones. Without `add` both zones are cleared first (an
// empty file changes nothing). With `toSideboard` every line goes to the sideboard. Unknown
// cards are reported (" not found in cards database - skipped") and skipped; basic lands go to
// the land counters. Returns false when an invalid line stopped the reading. `changed` (when
// given) is set when the zones were touched at all.
bool ReadDeckIntoZones(TDeckZones& zones, const TCardsList& cards, const std::string& path, bool toSideboard,
                       bool add, bool* changed = nullptr);

// A deck line asking for more copies than this is taken as invalid by the designer reader, and
// so is a line that would fill a zone beyond this many cards (basic lands by their counters):
// whatever the designer holds then saves into lines it reads back.
inline constexpr int32_t kMaxCopiesPerLine = 100000;

} // namespace tovel
