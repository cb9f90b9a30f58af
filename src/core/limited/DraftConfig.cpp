#include "core/limited/DraftConfig.h"

#include "core/infra/Words.h"
#include "core/settings/Settings.h"

#include <algorithm>
#include <cstdlib>

namespace tovel {

int PresetPickTime(int storedSeconds) {
    if (storedSeconds < 0)
        return SettingsStore::kPickTimeDefault;
    if (storedSeconds == kUntimedPick)
        return kUntimedPick;
    int nearest = kPickTimePresets[1];
    for (int preset : kPickTimePresets)
        if (preset != kUntimedPick && std::abs(preset - storedSeconds) < std::abs(nearest - storedSeconds))
            nearest = preset;
    return nearest;
}

void TDraftConfig::Init(TTextList choices, std::string_view storedConfig, int storedPickTime) {
    ChoiceList = std::move(choices);
    Selected.fill(0);
    PickTime = PresetPickTime(storedPickTime);
    if (CountWords(storedConfig, ";") != 3)
        return;
    for (int position = 0; position < ChoiceList.Count(); ++position)
        for (int box = 0; box < 3; ++box)
            if (NthWord(box + 1, storedConfig, ";", true) == ChoiceList.Name(position))
                Selected[static_cast<size_t>(box)] = position;
}

void TDraftConfig::Load(const SettingsStore& settings) {
    TTextList choices;
    BuildPackChoices(choices);
    Init(std::move(choices), settings.DraftConfig(), settings.DraftPickTime());
    Cube.Init(CubeNames(), settings.DraftCube(), settings.DraftUseCube(), settings.DraftPackSize(),
              kCubePackSizeMin, kCubePackSizeMax);
    BotStrategy = settings.DraftBotStrategy();
    ConfirmPicks = settings.DraftConfirmPicks();
    ShowChoice = settings.DraftShowChoice();
}

std::vector<std::string> TDraftConfig::DisplayNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < ChoiceList.Count(); ++i)
        names.emplace_back(ChoiceList.Value(i));
    return names;
}

std::string TDraftConfig::ConfigText() const {
    std::string text;
    if (!HasChoices())
        return text;
    for (int position : Selected) {
        text += ChoiceList.Name(std::clamp(position, 0, ChoiceList.Count() - 1));
        text += ';';
    }
    return text;
}

bool TDraftConfig::Store(SettingsStore& settings) const {
    if (!CanStore())
        return false;
    if (HasChoices())
        settings.SetDraftConfig(ConfigText());
    settings.SetDraftPickTime(PickTime);
    settings.SetDraftBotStrategy(BotStrategy == 3 ? 3 : 2);
    settings.SetDraftConfirmPicks(ConfirmPicks);
    settings.SetDraftShowChoice(ShowChoice);
    settings.SetDraftUseCube(Cube.UseCube);
    if (Cube.HasCubes())
        settings.SetDraftCube(Cube.Chosen());
    settings.SetDraftPackSize(Cube.Count);
    return true;
}

} // namespace tovel
