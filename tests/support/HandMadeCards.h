#pragma once

// A small card list built in memory for tests of decks and inventories.

#include "core/carddb/CardText.h"
#include "core/carddb/CardsDB.h"

#include <string_view>

namespace tovel::test {

inline TCardItem& AddTestCard(TCardsList& list, std::string_view edition, std::string_view name,
                              TRarity rarity, std::string_view cost = "", std::string_view typeLine = "",
                              int value = 5) {
    TCardItem& card = list.Add(edition);
    card.Name = list.Store(name);
    card.Rarity = rarity;
    if (!cost.empty())
        ParseCost(card, list.Store(cost));
    card.TypeLine = list.Store(typeLine);
    card.Value = value;
    return card;
}

// Positions: 0 Swamp, 1 Forest, 2 Mountain, 3 Island, 4 Plains (edition BL), 5 Forest (AB),
// 6 Ember Whelp, 7 Grove Tender, 8 Tide Call, 9 Sky-Hook Rigger, 10 Ashen Gate - East,
// 11 Glimmer Flats (a land of rarity L that is not basic), 12 Stone Idol.
inline void FillTestWorld(TCardsList& list) {
    for (std::string_view land : BasicLandNames)
        AddTestCard(list, "BL", land, TRarity::L, "", "Basic Land");
    AddTestCard(list, "AB", "Forest", TRarity::L, "", "Basic Land");
    AddTestCard(list, "AB", "Ember Whelp", TRarity::C, "1R", "Creature - Whelp", 6);
    AddTestCard(list, "AB", "Grove Tender", TRarity::U, "2G", "Creature - Druid", 7);
    AddTestCard(list, "AB", "Tide Call", TRarity::C, "U", "Instant", 4);
    AddTestCard(list, "CD", "Sky-Hook Rigger", TRarity::R, "3W", "Artifact Creature - Rigger", 8);
    AddTestCard(list, "CD", "Ashen Gate - East", TRarity::R, "", "Land", 3);
    AddTestCard(list, "CD", "Glimmer Flats", TRarity::L, "", "Land", 2);
    AddTestCard(list, "CD", "Stone Idol", TRarity::U, "4", "Artifact", 5);
}

} // namespace tovel::test
