#include "core/limited/SealedConfig.h"

#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Words.h"
#include "core/settings/Settings.h"

#include <algorithm>

namespace tovel {

namespace {

const char* Suffix(char letter) {
    return letter == 'S' ? " (STARTER)" : " (BOOSTER)";
}

} // namespace

void TSealedConfig::Init(TTextList choices, std::string_view storedConfig) {
    ChoiceList = std::move(choices);
    ListLines.clear();
    // One pass over the items: each one kept as it stands or dropped with the ";" after it;
    // every other ";" stays.
    std::string kept; // the stored text may be ConfigText itself
    kept.reserve(storedConfig.size());
    size_t pos = 0;
    while (pos < storedConfig.size()) {
        if (storedConfig[pos] == ';') {
            kept += ';';
            ++pos;
            continue;
        }
        const size_t end = std::min(storedConfig.find(';', pos), storedConfig.size());
        const std::string_view text = storedConfig.substr(pos, end - pos);
        const char letter = text.front();
        const int position = letter == 'S' || letter == 'B' ? ChoiceList.IndexOfName(text.substr(1)) : -1;
        pos = end;
        if (position >= 0) {
            ListLines.push_back(std::string(ChoiceList.Value(position)) + Suffix(letter));
            kept += text;
        } else if (pos < storedConfig.size()) {
            ++pos;
        }
    }
    ConfigText = std::move(kept);
}

void TSealedConfig::Load(const SettingsStore& settings) {
    LoadLimitedTableData();
    TTextList choices;
    BuildPackChoices(choices);
    Init(std::move(choices), settings.SealedConfig());
}

void TSealedConfig::Add(char letter, int position) {
    if (position < 0 || position >= ChoiceList.Count())
        return;
    ListLines.push_back(std::string(ChoiceList.Value(position)) + Suffix(letter));
    // A stored text may end without its last ";": close that item before adding one.
    if (!ConfigText.empty() && ConfigText.back() != ';')
        ConfigText += ';';
    ConfigText += letter;
    ConfigText += ChoiceList.Name(position);
    ConfigText += ';';
}

void TSealedConfig::AddStarter(int position) {
    Add('S', position);
}
void TSealedConfig::AddBooster(int position) {
    Add('B', position);
}

void TSealedConfig::Clear() {
    ListLines.clear();
    ConfigText.clear();
}

void TSealedConfig::Store(SettingsStore& settings) const {
    settings.SetSealedConfig(ConfigText);
}

} // namespace tovel
