#pragma once

// What the sealed configuration dialog edits: the chosen starters and boosters, kept as the
// Sealed/Config text ("SAAA;BAAA;BX;") and as the lines of its list.

#include "core/carddb/Editions.h"
#include "core/limited/Booster.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class SettingsStore;

class TSealedConfig {
public:
    TTextList ChoiceList;               // "name;display name", from BuildPackChoices
    std::string ConfigText;             // the text being edited
    std::vector<std::string> ListLines; // "display name (STARTER)" / "(BOOSTER)", one per item

    // Takes the stored text and drops the items it cannot show: a type letter other than S and
    // B, or a pack no longer offered.
    void Init(TTextList choices, std::string_view storedConfig);
    // The dialog's opening: editions list, special compositions, choices, Sealed/Config.
    void Load(const SettingsStore& settings);

    void AddStarter(int position);
    void AddBooster(int position);
    void Clear();
    // OK: Sealed/Config := ConfigText, empty or not.
    void Store(SettingsStore& settings) const;

private:
    void Add(char letter, int position);
};

} // namespace tovel
