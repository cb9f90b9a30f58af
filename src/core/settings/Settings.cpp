#include "core/settings/Settings.h"

#include "core/infra/Error.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Text.h"

namespace tovel {

namespace {
// Global: the settings file of this process, opened once at start and shared by every window.
std::unique_ptr<SettingsStore> store;

constexpr const char* kPreferences = "Preferences";
constexpr const char* kMakeDeck = "MakeDeck";
constexpr const char* kViewCard = "ViewCard";
constexpr const char* kDraft = "Draft";

// Stored designer sizes below these are a window nobody could use (left by one that was never
// laid out): they read as the designed sizes.
constexpr int kMinimumWidth = 300;
constexpr int kMinimumHeight = 200;
constexpr int kMinimumPanelWidth = 100;
int AtLeast(int value, int minimum, int fallback) { return value < minimum ? fallback : value; }
} // namespace

SettingsStore::SettingsStore(std::string iniPath, std::string programDir)
    : file_(std::move(iniPath)), programDir_(std::move(programDir)) {}

bool SettingsStore::ShowImages() const {
    return file_.ReadBool(kPreferences, "ShowImages", false);
}
void SettingsStore::SetShowImages(bool value) { file_.WriteBool(kPreferences, "ShowImages", value); }

TLanguage SettingsStore::Language() const {
    return ParseLanguage(file_.ReadString(kPreferences, "Language", ""));
}
void SettingsStore::SetLanguage(TLanguage value) {
    file_.WriteString(kPreferences, "Language", LanguageKey(value));
}

std::string SettingsStore::EditionsFilter() const { return file_.ReadString(kPreferences, "EditionsFilter", ""); }
void SettingsStore::SetEditionsFilter(const std::string& value) {
    file_.WriteString(kPreferences, "EditionsFilter", value);
}

std::string SettingsStore::CardImagesDir() const {
    return file_.ReadString("Directories", "CardImages", programDir_ + kDataFolder);
}
void SettingsStore::SetCardImagesDir(const std::string& value) { file_.WriteString("Directories", "CardImages", value); }

WindowGeometry SettingsStore::MakeDeckGeometry() const {
    return {file_.ReadInteger(kMakeDeck, "Top", kMakeDeckDefault.top),
            file_.ReadInteger(kMakeDeck, "Left", kMakeDeckDefault.left),
            AtLeast(file_.ReadInteger(kMakeDeck, "Height", kMakeDeckDefault.height), kMinimumHeight,
                    kMakeDeckDefault.height),
            AtLeast(file_.ReadInteger(kMakeDeck, "Width", kMakeDeckDefault.width), kMinimumWidth,
                    kMakeDeckDefault.width)};
}
void SettingsStore::SetMakeDeckGeometry(const WindowGeometry& value) {
    file_.WriteInteger(kMakeDeck, "Top", value.top);
    file_.WriteInteger(kMakeDeck, "Left", value.left);
    file_.WriteInteger(kMakeDeck, "Height", value.height);
    file_.WriteInteger(kMakeDeck, "Width", value.width);
}
int SettingsStore::MakeDeckRightPanelWidth() const {
    return AtLeast(file_.ReadInteger(kMakeDeck, "RightPanelWidth", kRightPanelWidthDefault), kMinimumPanelWidth,
                   kRightPanelWidthDefault);
}
void SettingsStore::SetMakeDeckRightPanelWidth(int value) { file_.WriteInteger(kMakeDeck, "RightPanelWidth", value); }

int SettingsStore::ViewCardTop() const { return file_.ReadInteger(kViewCard, "Top", 0); }
int SettingsStore::ViewCardLeft() const { return file_.ReadInteger(kViewCard, "Left", 0); }
void SettingsStore::SetViewCardPosition(int top, int left) {
    file_.WriteInteger(kViewCard, "Top", top);
    file_.WriteInteger(kViewCard, "Left", left);
}

int SettingsStore::DraftPickTime() const { return file_.ReadInteger(kDraft, "PickTime", kPickTimeDefault); }
void SettingsStore::SetDraftPickTime(int seconds) { file_.WriteInteger(kDraft, "PickTime", seconds); }
std::string SettingsStore::DraftConfig() const { return file_.ReadString(kDraft, "Config", ""); }
void SettingsStore::SetDraftConfig(const std::string& value) { file_.WriteString(kDraft, "Config", value); }
int SettingsStore::DraftBotStrategy() const { return file_.ReadInteger(kDraft, "BotStrategy", 2) == 3 ? 3 : 2; }
void SettingsStore::SetDraftBotStrategy(int strategy) { file_.WriteInteger(kDraft, "BotStrategy", strategy); }
bool SettingsStore::DraftUseCube() const { return file_.ReadBool(kDraft, "UseCube", false); }
void SettingsStore::SetDraftUseCube(bool value) { file_.WriteBool(kDraft, "UseCube", value); }
std::string SettingsStore::DraftCube() const { return file_.ReadString(kDraft, "Cube", ""); }
void SettingsStore::SetDraftCube(const std::string& name) { file_.WriteString(kDraft, "Cube", name); }
int SettingsStore::DraftPackSize() const { return file_.ReadInteger(kDraft, "PackSize", kPackSizeDefault); }
void SettingsStore::SetDraftPackSize(int cards) { file_.WriteInteger(kDraft, "PackSize", cards); }
bool SettingsStore::DraftConfirmPicks() const { return file_.ReadBool(kDraft, "ConfirmPicks", false); }
void SettingsStore::SetDraftConfirmPicks(bool value) { file_.WriteBool(kDraft, "ConfirmPicks", value); }
bool SettingsStore::DraftShowChoice() const { return file_.ReadBool(kDraft, "ShowChoice", false); }
void SettingsStore::SetDraftShowChoice(bool value) { file_.WriteBool(kDraft, "ShowChoice", value); }

bool SettingsStore::ShowDeck() const { return file_.ReadBool("Options", "ShowDeck", true); }
void SettingsStore::SetShowDeck(bool value) { file_.WriteBool("Options", "ShowDeck", value); }

std::string SettingsStore::SealedConfig() const { return file_.ReadString("Sealed", "Config", ""); }
void SettingsStore::SetSealedConfig(const std::string& value) { file_.WriteString("Sealed", "Config", value); }
bool SettingsStore::SealedUseCube() const { return file_.ReadBool("Sealed", "UseCube", false); }
void SettingsStore::SetSealedUseCube(bool value) { file_.WriteBool("Sealed", "UseCube", value); }
std::string SettingsStore::SealedCube() const { return file_.ReadString("Sealed", "Cube", ""); }
void SettingsStore::SetSealedCube(const std::string& name) { file_.WriteString("Sealed", "Cube", name); }
int SettingsStore::SealedCubePacks() const { return file_.ReadInteger("Sealed", "CubePacks", kCubePacksDefault); }
void SettingsStore::SetSealedCubePacks(int packs) { file_.WriteInteger("Sealed", "CubePacks", packs); }

std::string SettingsStore::SearchQuery(const std::string& window) const {
    return file_.ReadString("Search", window, "");
}
void SettingsStore::SetSearchQuery(const std::string& window, const std::string& value) {
    file_.WriteString("Search", window, value);
}
std::string SettingsStore::BaseColumns() const { return file_.ReadString("Search", "BaseColumns", ""); }
void SettingsStore::SetBaseColumns(const std::string& value) { file_.WriteString("Search", "BaseColumns", value); }

std::vector<int> SettingsStore::BaseCardColumns() const {
    const std::string text = BaseColumns();
    std::vector<int> columns;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        if (const auto n = ParseInt(Trim(std::string_view(text).substr(start, end - start))))
            columns.push_back(*n);
        start = end + 1;
    }
    return columns;
}

void SettingsStore::SetBaseCardColumns(const std::vector<int>& columns) {
    std::string text;
    for (int column : columns) {
        if (!text.empty())
            text += ',';
        text += std::to_string(column);
    }
    SetBaseColumns(text);
}

bool SettingsStore::MakeDeckShowBrowser() const { return file_.ReadBool("MakeDeck", "ShowBrowser", false); }
void SettingsStore::SetMakeDeckShowBrowser(bool value) { file_.WriteBool("MakeDeck", "ShowBrowser", value); }
int SettingsStore::MakeDeckBrowserWidth() const {
    const int width = file_.ReadInteger("MakeDeck", "BrowserWidth", kBrowserWidthDefault);
    return width < 100 ? kBrowserWidthDefault : width;
}
void SettingsStore::SetMakeDeckBrowserWidth(int value) { file_.WriteInteger("MakeDeck", "BrowserWidth", value); }

SettingsStore& Settings() {
    if (!store)
        throw Error("The settings store is not open");
    return *store;
}

void OpenSettings(const std::string& iniPath, const std::string& programDir) {
    store = std::make_unique<SettingsStore>(iniPath, programDir);
}

void CloseSettings() { store.reset(); }

bool SettingsOpen() { return store != nullptr; }

} // namespace tovel
