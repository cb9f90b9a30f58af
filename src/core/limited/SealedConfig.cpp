#include "core/limited/SealedConfig.h"

#include "core/infra/ProgramDir.h"
#include "core/infra/Words.h"
#include "core/settings/Settings.h"

namespace tovel {

namespace {

const char* Suffix(char letter) {
    return letter == 'S' ? " (STARTER)" : " (BOOSTER)";
}

} // namespace

void TSealedConfig::Init(TTextList choices, std::string_view storedConfig) {
    ChoiceList = std::move(choices);
    ConfigText = std::string(storedConfig);
    ListLines.clear();
    int item = 1;
    while (item <= CountWords(ConfigText, ";")) {
        const std::string_view text = NthWord(item, ConfigText, ";", true);
        const char letter = text.front();
        const int position = letter == 'S' || letter == 'B' ? ChoiceList.IndexOfName(text.substr(1)) : -1;
        if (position >= 0) {
            ListLines.push_back(std::string(ChoiceList.Value(position)) + Suffix(letter));
            ++item;
            continue;
        }
        // Remove this very item (and its ";"), not an equal text elsewhere; then look at the
        // same item number again.
        const size_t at = static_cast<size_t>(text.data() - ConfigText.data());
        size_t length = text.size();
        if (at + length < ConfigText.size() && ConfigText[at + length] == ';')
            ++length;
        ConfigText.erase(at, length);
    }
}

void TSealedConfig::Load(const SettingsStore& settings) {
    LoadEditionList(EditionList(), ProgramPath("Data/editions.txt"));
    LoadSpecialConfigs(BoostersIniPath());
    TTextList choices;
    BuildPackChoices(choices);
    Init(std::move(choices), settings.SealedConfig());
}

void TSealedConfig::Add(char letter, int position) {
    if (position < 0 || position >= ChoiceList.Count())
        return;
    ListLines.push_back(std::string(ChoiceList.Value(position)) + Suffix(letter));
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
