#include "core/limited/DraftConfig.h"

#include "core/infra/Words.h"
#include "core/settings/Settings.h"

#include <algorithm>

namespace tovel {

void TDraftConfig::Init(TTextList choices, std::string_view storedConfig, int storedPickTime) {
    ChoiceList = std::move(choices);
    Selected.fill(0);
    PickTime = std::clamp(storedPickTime, kPickTimeMin, kPickTimeMax);
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
    BotStrategy = settings.DraftBotStrategy();
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
    if (!HasChoices())
        return false;
    settings.SetDraftConfig(ConfigText());
    settings.SetDraftPickTime(PickTime);
    settings.SetDraftBotStrategy(BotStrategy == 3 ? 3 : 2);
    return true;
}

} // namespace tovel
