#pragma once

// The settings store: every preference, window position and last configuration of the
// program, in one INI file beside the executable. Every key is here, with its default, as a
// named accessor; reads and writes go straight to the file.

#include "core/infra/IniFile.h"
#include "core/settings/Language.h"

#include <memory>
#include <string>

namespace tovel {

struct WindowGeometry {
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

class SettingsStore {
public:
    // `programDir` ends with "/"; it gives the default card-images folder.
    SettingsStore(std::string iniPath, std::string programDir);

    IniFile& File() { return file_; }
    const std::string& Path() const { return file_.Path(); }

    // [Preferences]
    // Whether the card display shows card pictures (on unless turned off).
    bool ShowImages() const;
    void SetShowImages(bool value);
    std::string EditionsFilter() const;
    void SetEditionsFilter(const std::string& value);
    // Language: "system" (the default), "english" or "original".
    TLanguage Language() const;
    void SetLanguage(TLanguage value);

    // [Directories] CardImages: the root folder of the card pictures.
    std::string CardImagesDir() const;
    void SetCardImagesDir(const std::string& value);

    // [MakeDeck]: the deck designer's window and right panel.
    static constexpr WindowGeometry kMakeDeckDefault{108, 237, 531, 534};
    static constexpr int kRightPanelWidthDefault = 254;
    WindowGeometry MakeDeckGeometry() const;
    void SetMakeDeckGeometry(const WindowGeometry& value);
    int MakeDeckRightPanelWidth() const;
    void SetMakeDeckRightPanelWidth(int value);

    // [ViewCard]: the floating card window's position.
    int ViewCardTop() const;
    int ViewCardLeft() const;
    void SetViewCardPosition(int top, int left);

    // [Draft]
    static constexpr int kPickTimeDefault = 40;
    int DraftPickTime() const;
    void SetDraftPickTime(int seconds);
    std::string DraftConfig() const;
    void SetDraftConfig(const std::string& value);
    // Draft/BotStrategy: the computer drafters' pick rule, 2 (by value) or 3 (by value and
    // colours); anything else reads as 2.
    int DraftBotStrategy() const;
    void SetDraftBotStrategy(int strategy);
    // Draft/UseCube, Draft/Cube, Draft/PackSize: a draft dealt from the cube of that name in
    // Cubes/ instead of the packs of Draft/Config, PackSize cards a booster. Draft/ConfirmPicks: a
    // pick takes a second press on the card the first one marked.
    static constexpr int kPackSizeDefault = 15;
    bool DraftUseCube() const;
    void SetDraftUseCube(bool value);
    std::string DraftCube() const;
    void SetDraftCube(const std::string& name);
    int DraftPackSize() const;
    void SetDraftPackSize(int cards);
    bool DraftConfirmPicks() const;
    void SetDraftConfirmPicks(bool value);
    // Draft/ShowChoice: the card the computer drafters would take is outlined in the user's booster.
    bool DraftShowChoice() const;
    void SetDraftShowChoice(bool value);

    // [Options] ShowDeck: the draft window's "Show Deck" box.
    bool ShowDeck() const;
    void SetShowDeck(bool value);

    // [Sealed] Config: the starters and boosters of the sealed pool.
    std::string SealedConfig() const;
    void SetSealedConfig(const std::string& value);
    // Sealed/UseCube, Sealed/Cube, Sealed/CubePacks: a pool of that many packs dealt from the
    // cube of that name instead of the packs of Sealed/Config.
    static constexpr int kCubePacksDefault = 6;
    bool SealedUseCube() const;
    void SetSealedUseCube(bool value);
    std::string SealedCube() const;
    void SetSealedCube(const std::string& name);
    int SealedCubePacks() const;
    void SetSealedCubePacks(int packs);

    // [Search] <window>: the card search a list window showed last (Windows-1252 text);
    // BaseColumns: the base viewer's card columns, as their numbers separated by ",".
    std::string SearchQuery(const std::string& window) const;
    void SetSearchQuery(const std::string& window, const std::string& value);
    std::string BaseColumns() const;
    void SetBaseColumns(const std::string& value);

    // [MakeDeck] ShowBrowser, BrowserWidth: the designer's card browser panel, shown or not, and
    // its width (below 100 reads as the default).
    static constexpr int kBrowserWidthDefault = 340;
    bool MakeDeckShowBrowser() const;
    void SetMakeDeckShowBrowser(bool value);
    int MakeDeckBrowserWidth() const;
    void SetMakeDeckBrowserWidth(int value);

private:
    IniFile file_;
    std::string programDir_;
};

// The program-wide store, opened at start-up before any window exists.
SettingsStore& Settings();
void OpenSettings(const std::string& iniPath, const std::string& programDir);
void CloseSettings();
bool SettingsOpen();

} // namespace tovel
