#pragma once

// What the draft configuration dialog edits: the packs of the three pack turns, chosen among
// the pack choices, or a cube and its cards per pack; the starting pick time, the computer
// drafters' rule and whether picks are confirmed. The dialog shows and changes this state; the
// rules of reading and storing it are here.

#include "core/carddb/Editions.h"
#include "core/limited/Booster.h"
#include "core/limited/Bots.h"
#include "core/limited/DraftRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class SettingsStore;

// The starting pick times offered, in seconds; kUntimedPick is "Untimed".
inline constexpr std::array<int, 5> kPickTimePresets = {kUntimedPick, 30, 40, 60, 90};

// The preset a stored pick time shows as: itself when offered, untimed for 0, the default for a
// negative one, else the nearest timed preset (the shorter one of two as near).
int PresetPickTime(int storedSeconds);

class TDraftConfig {
public:
    TTextList ChoiceList;          // "name;display name", from BuildPackChoices
    std::array<int, 3> Selected{}; // the chosen ChoiceList position of each pack turn
    int PickTime = 40;             // one of kPickTimePresets
    TPickStrategy BotStrategy = kPickByValue; // the computer drafters': by value, or by value and colours
    bool ConfirmPicks = false;
    bool ShowChoice = false; // outline the card the computer drafters would take
    TCubeChoice Cube; // Count: the cards per pack

    // Selects the stored names (Draft/Config) among the choices: each box on its last matching
    // entry, on the first entry when its name is not offered or the text is not three names.
    void Init(TTextList choices, std::string_view storedConfig, int storedPickTime);
    // Init on BuildPackChoices() and the settings' Draft/Config and Draft/PickTime; the cube from
    // CubeNames() and Draft/Cube, Draft/UseCube and Draft/PackSize; BotStrategy, ConfirmPicks and
    // ShowChoice from Draft/BotStrategy, Draft/ConfirmPicks and Draft/ShowChoice.
    void Load(const SettingsStore& settings);

    bool HasChoices() const { return ChoiceList.Count() > 0; }
    // Whether OK has a draft to store: the chosen cube, or packs to choose from.
    bool CanStore() const { return Cube.UseCube ? !Cube.Chosen().empty() : HasChoices(); }
    // The display names the three boxes list.
    std::vector<std::string> DisplayNames() const;
    // The three chosen names, each followed by ";".
    std::string ConfigText() const;
    // OK: writes Draft/Config (when there are packs to choose), Draft/PickTime, Draft/BotStrategy,
    // Draft/ConfirmPicks, Draft/ShowChoice and the cube settings. Without a draft to store (CanStore) it
    // writes nothing and returns false, and no draft should start.
    bool Store(SettingsStore& settings) const;
};

} // namespace tovel
