#include "core/decks/DeckDesigner.h"

#include "core/carddb/CardText.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckList.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <exception>

namespace tovel {

TDeckDesigner::TDeckDesigner(const TCardsList& cards) : cards_(cards) {}

void TDeckDesigner::FindLandCards() {
    landPositions_ = BasicLandPositions(cards_);
}

const TCardItem* TDeckDesigner::LandCard(int land) const {
    const int position = landPositions_[static_cast<size_t>(land)];
    return position >= 0 ? &cards_.Items(position) : nullptr;
}

std::string TDeckDesigner::AddLandHint(int land) const {
    const std::string name(BasicLandNames[static_cast<size_t>(land)]);
    if (CanAddLand(land))
        return "Add " + name;
    return "Add " + name + " (unavailable: no basic land " + name + " in the card database)";
}

bool TDeckDesigner::Read(const std::string& path, bool toSideboard, bool add) {
    bool changed = false;
    const bool complete = ReadDeckIntoZones(zones_, cards_, path, toSideboard, add, &changed);
    if (changed) {
        modified_ = add || !complete;
        if (!add)
            unsavedPool_ = false;
    }
    RefreshAll();
    return complete;
}

bool TDeckDesigner::OpenHandOff() {
    const bool complete = LoadToSideboard(HandOffDeckPath());
    unsavedPool_ = !IsEmpty();
    return complete;
}

void TDeckDesigner::Save(const std::string& path) {
    WriteDesignerDeck(cards_, DisplayOrder(TZone::Main), zones_.Main.Lands, DisplayOrder(TZone::Sideboard),
                      zones_.Sideboard.Lands, path);
    modified_ = false;
    unsavedPool_ = false;
}

void TDeckDesigner::Clear() {
    if (!IsEmpty())
        modified_ = true;
    unsavedPool_ = false;
    zones_.Clear();
    RefreshAll();
}

bool TDeckDesigner::LoadAction(bool toSideboard, bool add) {
    const std::string path = AskOpenFileName(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter);
    if (path.empty())
        return false;
    Read(path, toSideboard, add);
    return true;
}

bool TDeckDesigner::SaveAction() {
    if (IsEmpty()) {
        ShowError(kDeckIsEmpty);
        return false;
    }
    const std::string path =
        AskSaveTarget(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter, OverwriteDeckQuestion);
    if (path.empty())
        return false;
    Save(path);
    return true;
}

bool TDeckDesigner::ConfirmDiscard() {
    if (!HasUnsavedWork())
        return true;
    const char* question = modified_ ? kDeckModifiedQuestion : kPoolNotSavedQuestion;
    switch (Prompts().Confirm(question, ConfirmButtons::YesNoCancel)) {
    case Answer::Yes:
        // A save that fails keeps the deck as it is, with its changes.
        try {
            return SaveAction();
        } catch (const std::exception& e) {
            ShowError(e.what());
            return false;
        }
    case Answer::No:
        return true;
    default:
        return false;
    }
}

int TDeckDesigner::RowPosition(TZone zone, int row) const {
    return Zone(zone).Entries.Items(rows_[Z(zone)][static_cast<size_t>(row)]);
}

std::string TDeckDesigner::RowText(TZone zone, int row) const {
    const TCardItem& card = RowCard(zone, row);
    std::string text = CardCaption(card);
    const int slot = BasicLandSlot(card);
    if (slot >= 0)
        text += " (" + std::to_string(LandCounter(zone, slot)) + ")";
    return text;
}

void TDeckDesigner::AdvanceSortMode(TZone zone) {
    sortModes_[Z(zone)] = NextSortMode(sortModes_[Z(zone)]);
    Refresh(zone);
}

int TDeckDesigner::AddCopy(TZone zone, int position) {
    TDeckZone& target = Zone(zone);
    const TCardItem& card = cards_.Items(position);
    const int slot = BasicLandSlot(card);
    int entry = -1;
    if (slot >= 0) {
        for (int i = 0; i < target.Entries.Count() && entry < 0; ++i)
            if (BasicLandSlot(cards_.Items(target.Entries.Items(i))) == slot)
                entry = i;
        if (entry < 0)
            entry = target.Entries.Add(position);
        int32_t& counter = target.Lands[static_cast<size_t>(slot)];
        if (counter < INT32_MAX)
            ++counter;
    } else {
        entry = target.Entries.Add(position);
    }
    modified_ = true;
    Refresh(zone);
    const std::vector<int>& rows = rows_[Z(zone)];
    return static_cast<int>(std::find(rows.begin(), rows.end(), entry) - rows.begin());
}

int TDeckDesigner::AddLand(int land) {
    if (!CanAddLand(land))
        return -1;
    return AddCopy(TZone::Main, landPositions_[static_cast<size_t>(land)]);
}

int TDeckDesigner::RemoveCopy(TZone zone, int row) {
    if (row < 0 || row >= RowCount(zone))
        return -1;
    TDeckZone& source = Zone(zone);
    const int entry = rows_[Z(zone)][static_cast<size_t>(row)];
    const int32_t position = source.Entries.Items(entry);
    const int slot = BasicLandSlot(cards_.Items(position));
    if (slot >= 0) {
        int32_t& counter = source.Lands[static_cast<size_t>(slot)];
        --counter;
        if (counter <= 0) {
            counter = 0;
            source.Entries.Delete(entry);
        }
    } else {
        source.Entries.Delete(source.Entries.IndexOf(position));
    }
    modified_ = true;
    Refresh(zone);
    const int remaining = RowCount(zone);
    return remaining == 0 ? -1 : std::min(row, remaining - 1);
}

int TDeckDesigner::MoveCopy(TZone zone, int row) {
    if (row < 0 || row >= RowCount(zone))
        return -1;
    AddCopy(zone == TZone::Main ? TZone::Sideboard : TZone::Main, RowPosition(zone, row));
    return RemoveCopy(zone, row);
}

void TDeckDesigner::RefreshAll() {
    Refresh(TZone::Main);
    Refresh(TZone::Sideboard);
}

// Basic lands first, ordered by name; then the zone's sort mode; ties keep zone order.
void TDeckDesigner::Refresh(TZone zone) {
    const TDeckZone& source = Zone(zone);
    std::vector<int>& rows = rows_[Z(zone)];
    rows.resize(static_cast<size_t>(source.Entries.Count()));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    const TSortMode mode = sortModes_[Z(zone)];
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const TCardItem& x = cards_.Items(source.Entries.Items(a));
        const TCardItem& y = cards_.Items(source.Entries.Items(b));
        const bool xLand = IsBasicLand(x);
        const bool yLand = IsBasicLand(y);
        if (xLand != yLand)
            return xLand;
        if (xLand)
            return CompareOrdinal(x.Name, y.Name) < 0;
        return CompareBySortMode(mode, x, y) < 0;
    });
}

TIntegerList TDeckDesigner::DisplayOrder(TZone zone) const {
    TIntegerList order;
    for (int row = 0; row < RowCount(zone); ++row)
        order.Add(RowPosition(zone, row));
    return order;
}

TZoneStats TDeckDesigner::ZoneStats(TZone zone) const {
    const TDeckZone& source = Zone(zone);
    TZoneStats stats;
    stats.Cards = source.Entries.Count();
    for (int32_t position : source.Entries) {
        const TCardItem& card = cards_.Items(position);
        if (IsLandCard(card))
            ++stats.Lands;
        else if (IsCreatureCard(card))
            ++stats.Creatures;
        else
            ++stats.Spells;
    }
    // Every copy of a basic land counts, not just its one entry.
    for (int32_t counter : source.Lands)
        if (counter > 1) {
            stats.Cards += counter - 1;
            stats.Lands += counter - 1;
        }
    return stats;
}

TDeckStats TDeckDesigner::Stats() const {
    TDeckStats stats;
    stats.Main = ZoneStats(TZone::Main);
    stats.Sideboard = ZoneStats(TZone::Sideboard);
    stats.Total = {stats.Main.Cards + stats.Sideboard.Cards, stats.Main.Lands + stats.Sideboard.Lands,
                   stats.Main.Creatures + stats.Sideboard.Creatures,
                   stats.Main.Spells + stats.Sideboard.Spells};
    return stats;
}

TDeckStatistics TDeckDesigner::Statistics(TZone zone) const {
    return ZoneStatistics(cards_, Zone(zone));
}

TLandSuggestion TDeckDesigner::LandSuggestion() const {
    return SuggestLands(cards_, zones_.Main);
}

bool TDeckDesigner::ApplyLandSuggestion() {
    const TLandSuggestion suggestion = LandSuggestion();
    if (!suggestion.Suggested)
        return false;
    TDeckZone& main = zones_.Main;
    for (int slot = 0; slot < 5; ++slot) {
        const int32_t wanted = suggestion.Lands[static_cast<size_t>(slot)];
        int entry = -1;
        for (int i = 0; i < main.Entries.Count() && entry < 0; ++i)
            if (BasicLandSlot(cards_.Items(main.Entries.Items(i))) == slot)
                entry = i;
        if (wanted == 0 && entry >= 0)
            main.Entries.Delete(entry);
        else if (wanted > 0 && entry < 0 && CanAddLand(slot))
            main.Entries.Add(landPositions_[static_cast<size_t>(slot)]);
        else if (wanted > 0 && entry < 0)
            continue; // that land is not in the card database
        main.Lands[static_cast<size_t>(slot)] = wanted;
    }
    modified_ = true;
    Refresh(TZone::Main);
    return true;
}

void TDeckDesigner::ImportList(const TDeckList& list) {
    FillZones(zones_, cards_, list);
    modified_ = true;
    unsavedPool_ = false;
    RefreshAll();
}

void TDeckDesigner::ApplyBuiltDeck(const TBuiltDeck& deck, const std::vector<int32_t>& pool) {
    zones_ = BuiltDeckZones(deck, pool, landPositions_);
    modified_ = true;
    RefreshAll();
}

std::string TDeckDesigner::ListText() const {
    return FormatDeckList(cards_, DisplayOrder(TZone::Main), zones_.Main.Lands,
                          DisplayOrder(TZone::Sideboard), zones_.Sideboard.Lands);
}

} // namespace tovel
