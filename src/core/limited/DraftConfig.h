#pragma once

// What the draft configuration dialog edits: the packs of the three pack turns, chosen among
// the pack choices, and the starting pick time. The dialog shows and changes this state; the
// rules of reading and storing it are here.

#include "core/carddb/Editions.h"
#include "core/limited/Booster.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class SettingsStore;

inline constexpr int kPickTimeMin = 15;
inline constexpr int kPickTimeMax = 60;

class TDraftConfig {
public:
    TTextList ChoiceList;          // "name;display name", from BuildPackChoices
    std::array<int, 3> Selected{}; // the chosen ChoiceList position of each pack turn
    int PickTime = 40;             // seconds, kPickTimeMin to kPickTimeMax
    int BotStrategy = 2;           // the computer drafters': 2 by value, 3 by value and colours

    // Selects the stored names (Draft/Config) among the choices: each box on its last matching
    // entry, on the first entry when its name is not offered or the text is not three names.
    void Init(TTextList choices, std::string_view storedConfig, int storedPickTime);
    // Init on BuildPackChoices() and the settings' Draft/Config and Draft/PickTime; BotStrategy
    // from Draft/BotStrategy.
    void Load(const SettingsStore& settings);

    bool HasChoices() const { return ChoiceList.Count() > 0; }
    // The display names the three boxes list.
    std::vector<std::string> DisplayNames() const;
    // The three chosen names, each followed by ";".
    std::string ConfigText() const;
    // OK: writes Draft/Config, Draft/PickTime and Draft/BotStrategy. With nothing to choose from it writes
    // nothing and returns false, and no draft should start.
    bool Store(SettingsStore& settings) const;
};

} // namespace tovel
