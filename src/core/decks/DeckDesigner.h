#pragma once

// The deck designer's model: a main deck and a sideboard built from deck files, basic lands
// kept as counters, one row per copy of any other card, seven sort orders, statistics and the
// file actions. The designer window only displays this model and forwards the user's commands.

#include "core/carddb/CardsDB.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckFile.h"
#include "core/decks/DeckOdds.h"
#include "core/decks/DeckStats.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tovel {

struct TDeckList;

enum class TZone { Main = 0, Sideboard = 1 };

struct TZoneStats {
    int64_t Cards = 0;
    int64_t Lands = 0;
    int64_t Creatures = 0;
    int64_t Spells = 0;
};

struct TDeckStats {
    TZoneStats Main;
    TZoneStats Sideboard;
    TZoneStats Total;
};

inline constexpr const char* kDeckIsEmpty = "Deck is empty!";
inline constexpr const char* kDeckModifiedQuestion = "Deck modified! Save changes?";
inline constexpr const char* kPoolNotSavedQuestion = "Pool not saved! Save it?";

class TDeckDesigner {
public:
    // The model refers to cards by position in `cards`; reload the deck after reloading them.
    explicit TDeckDesigner(const TCardsList& cards);

    // Looks the five basic lands up by name, in BasicLandNames order. Call after every load of
    // the card list.
    void FindLandCards();
    const TCardItem* LandCard(int land) const;
    // "Add Swamp" ... "Add Plains"; a land missing from the card database says so instead.
    bool CanAddLand(int land) const { return landPositions_[static_cast<size_t>(land)] >= 0; }
    std::string AddLandHint(int land) const;

    // Reading deck files (the four load commands). Without `add` the deck is replaced; with
    // `toSideboard` every line goes to the sideboard. False when an invalid line stopped it.
    bool Read(const std::string& path, bool toSideboard, bool add);
    bool LoadDeck(const std::string& path) { return Read(path, false, false); }
    bool LoadToSideboard(const std::string& path) { return Read(path, true, false); }
    bool AddFromDeck(const std::string& path) { return Read(path, false, true); }
    bool AddToSideboard(const std::string& path) { return Read(path, true, true); }
    // The hand-off file of a draft or sealed pool, into the sideboard, replacing the deck. The
    // pool counts as unsaved work until it is saved.
    bool OpenHandOff();
    // Writes both zones in display order. Error on failure; the old file stays.
    void Save(const std::string& path);
    void Clear();
    bool IsEmpty() const { return zones_.Main.Empty() && zones_.Sideboard.Empty(); }

    // The commands with their dialogs and questions, through Prompts(). True when done.
    bool LoadAction(bool toSideboard, bool add);
    bool SaveAction();
    // Before the deck is closed, emptied or replaced: true when that may go ahead. When work
    // would be lost it asks to save first (Yes saves; Cancel, or a save that did not happen,
    // says no).
    bool ConfirmDiscard();
    bool CanClose() { return ConfirmDiscard(); }

    // Rows in display order.
    int RowCount(TZone zone) const { return static_cast<int>(rows_[Z(zone)].size()); }
    int RowPosition(TZone zone, int row) const;
    const TCardItem& RowCard(TZone zone, int row) const { return cards_.Items(RowPosition(zone, row)); }
    // Rarity letter, three blanks, name; a basic land adds " (" + its counter + ")".
    std::string RowText(TZone zone, int row) const;

    TSortMode SortMode(TZone zone) const { return sortModes_[Z(zone)]; }
    const char* SortCaption(TZone zone) const { return SortModeCaption(SortMode(zone)); }
    // A click on the list's header: the next of the seven modes.
    void AdvanceSortMode(TZone zone);

    // Adds one copy of a card (a position in the card list); returns its row.
    int AddCopy(TZone zone, int position);
    // Adds one copy of basic land 0..4 to the main deck; -1 when that land is not loaded.
    int AddLand(int land);
    // Removes one copy of the card of `row`; returns the row to select, or -1 when none is left.
    int RemoveCopy(TZone zone, int row);
    // Moves one copy of the card of `row` to the other zone; returns the row to select here.
    int MoveCopy(TZone zone, int row);

    int LandCounter(TZone zone, int land) const { return Zone(zone).Lands[static_cast<size_t>(land)]; }
    const TDeckZones& Zones() const { return zones_; }
    TDeckStats Stats() const;
    // The curve, colours and types of a zone.
    TDeckStatistics Statistics(TZone zone) const;
    TLandSuggestion LandSuggestion() const;
    // Sets the main deck's land counters to the suggestion; false when there is none.
    bool ApplyLandSuggestion();
    // A read plain-text list replaces the deck.
    void ImportList(const TDeckList& list);
    // The deck as a plain-text list, each zone in display order.
    std::string ListText() const;

    // The pool a deck is built from: both zones' cards, basic lands left out.
    std::vector<int32_t> Pool() const { return ZonePool(cards_, zones_); }
    // Replaces both zones with `deck`, built from the cards of `pool`. Error when a basic land it
    // needs is not in the card database; the deck then stays as it was.
    void ApplyBuiltDeck(const TBuiltDeck& deck, const std::vector<int32_t>& pool);
    // The exact odds of the main deck.
    TDeckOdds Odds(bool onTheDraw) const { return ZoneOdds(cards_, zones_.Main, onTheDraw); }

    // Changed since the last replacing load or save.
    bool Modified() const { return modified_; }
    // Closing would lose work: a deck changed since it was loaded or saved, or a handed-over
    // pool never saved. An empty deck has nothing to lose.
    bool HasUnsavedWork() const { return (modified_ || unsavedPool_) && !IsEmpty(); }

private:
    static size_t Z(TZone zone) { return static_cast<size_t>(zone); }
    const TDeckZone& Zone(TZone zone) const { return zone == TZone::Main ? zones_.Main : zones_.Sideboard; }
    TDeckZone& Zone(TZone zone) { return zone == TZone::Main ? zones_.Main : zones_.Sideboard; }
    void Refresh(TZone zone);
    void RefreshAll();
    TIntegerList DisplayOrder(TZone zone) const;
    TZoneStats ZoneStats(TZone zone) const;

    const TCardsList& cards_;
    TDeckZones zones_;
    std::array<int, 5> landPositions_{-1, -1, -1, -1, -1};
    std::array<TSortMode, 2> sortModes_{TSortMode::Color, TSortMode::Color};
    std::array<std::vector<int>, 2> rows_; // entry indices of each zone, in display order
    bool modified_ = false;
    bool unsavedPool_ = false;
};

} // namespace tovel
