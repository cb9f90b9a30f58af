#pragma once

// In-memory card worlds for the limited-play tests.

#include "core/carddb/CardText.h"
#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"

#include <string>
#include <string_view>

namespace tovel::test {

// Adds one card; costs give the colour ("" leaves colour L, the no-symbol colour).
inline int AddLimitedCard(TCardsList& list, std::string_view edition, const std::string& name, TRarity rarity,
                          int value, std::string_view cost = "1G", std::string_view banned = "") {
    TCardItem& card = list.Add(edition);
    card.Name = list.Store(name);
    card.Edition = list.Store(edition);
    card.Rarity = rarity;
    card.Value = value;
    card.BannedFormats = list.Store(banned);
    if (!cost.empty())
        ParseCost(card, list.Store(cost));
    return list.Count() - 1;
}

// An edition with the given numbers of rares, uncommons and commons (names "<ED> R1", ...),
// values spread over 0..10, one basic land and one card banned in draft per rarity.
inline void AddEdition(TCardsList& list, std::string_view edition, int rares, int uncommons, int commons) {
    const std::string ed(edition);
    AddLimitedCard(list, edition, "Swamp", TRarity::L, 0, "");
    struct {
        TRarity rarity;
        int count;
        const char* tag;
    } groups[] = {{TRarity::R, rares, " R"}, {TRarity::U, uncommons, " U"}, {TRarity::C, commons, " C"}};
    for (const auto& group : groups) {
        for (int i = 1; i <= group.count; ++i)
            AddLimitedCard(list, edition, ed + group.tag + std::to_string(i), group.rarity, (i * 7) % 11,
                           i % 5 == 0 ? "" : "1G");
        AddLimitedCard(list, edition, ed + group.tag + " Banned", group.rarity, 10, "1G", "TD");
    }
}

// Editions list lines "code;display name".
inline void SetEditions(TTextList& list, std::initializer_list<const char*> codes) {
    list.Clear();
    for (const char* code : codes)
        list.Lines.push_back(std::string(code) + ";Edition " + code);
}

} // namespace tovel::test
