#include "core/infra/FileIO.h"
#include "core/settings/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovel;
using tovel::test::TempDir;

TEST(Settings, EveryKeyHasItsDefaultOnAnEmptyFile) {
    TempDir dir;
    const SettingsStore settings(dir / "tovel.ini", dir.Path());
    EXPECT_FALSE(settings.ShowImages());
    EXPECT_EQ(settings.CardImagesDir(), dir.Path() + "Data/");
    EXPECT_EQ(settings.EditionsFilter(), "");
    const WindowGeometry g = settings.MakeDeckGeometry();
    EXPECT_EQ(g.top, 108);
    EXPECT_EQ(g.left, 237);
    EXPECT_EQ(g.height, 531);
    EXPECT_EQ(g.width, 534);
    EXPECT_EQ(settings.MakeDeckRightPanelWidth(), 254);
    EXPECT_EQ(settings.ViewCardTop(), 0);
    EXPECT_EQ(settings.ViewCardLeft(), 0);
    EXPECT_EQ(settings.DraftPickTime(), 40);
    EXPECT_EQ(settings.DraftConfig(), "");
    EXPECT_TRUE(settings.ShowDeck());
    EXPECT_EQ(settings.SealedConfig(), "");
    EXPECT_FALSE(FileExists(dir / "tovel.ini")); // reading never creates the file
}

TEST(Settings, ValuesRoundTripUnderTheirSectionsAndKeys) {
    TempDir dir;
    SettingsStore settings(dir / "tovel.ini", dir.Path());
    settings.SetShowImages(true);
    settings.SetCardImagesDir("/pictures/");
    settings.SetEditionsFilter("AB;CD;");
    settings.SetMakeDeckGeometry({10, 20, 300, 400});
    settings.SetMakeDeckRightPanelWidth(200);
    settings.SetViewCardPosition(-50, 3000); // off-screen values are kept as they are
    settings.SetDraftPickTime(25);
    settings.SetDraftConfig("Alpha;Beta;Gamma;");
    settings.SetShowDeck(false);
    settings.SetSealedConfig("S1;B2;");
    settings.SetBaseCardColumns({9, 5, 7});

    const IniFile raw(dir / "tovel.ini");
    EXPECT_EQ(raw.ReadString("Preferences", "ShowImages", ""), "1");
    EXPECT_EQ(raw.ReadString("Directories", "CardImages", ""), "/pictures/");
    EXPECT_EQ(raw.ReadString("Preferences", "EditionsFilter", ""), "AB;CD;");
    EXPECT_EQ(raw.ReadString("MakeDeck", "Width", ""), "400");
    EXPECT_EQ(raw.ReadString("MakeDeck", "RightPanelWidth", ""), "200");
    EXPECT_EQ(raw.ReadString("ViewCard", "Left", ""), "3000");
    EXPECT_EQ(raw.ReadString("Draft", "PickTime", ""), "25");
    EXPECT_EQ(raw.ReadString("Draft", "Config", ""), "Alpha;Beta;Gamma;");
    EXPECT_EQ(raw.ReadString("Options", "ShowDeck", ""), "0");
    EXPECT_EQ(raw.ReadString("Sealed", "Config", ""), "S1;B2;");
    EXPECT_EQ(raw.ReadString("Search", "BaseColumns", ""), "9,5,7");

    const SettingsStore again(dir / "tovel.ini", dir.Path());
    EXPECT_TRUE(again.ShowImages());
    EXPECT_EQ(again.ViewCardTop(), -50);
    EXPECT_EQ(again.MakeDeckGeometry().height, 300);
    EXPECT_FALSE(again.ShowDeck());
}

TEST(Settings, BadValuesReadAsDefaults) {
    TempDir dir;
    dir.Write("tovel.ini", "[Options]\nShowDeck=yes\n[Draft]\nPickTime=soon\n[Preferences]\nShowImages=2\n"
                           "[MakeDeck]\nTop=5\nLeft=-20\nHeight=120\nWidth=250\nRightPanelWidth=48\n");
    SettingsStore settings(dir / "tovel.ini", dir.Path());
    EXPECT_TRUE(settings.ShowDeck());
    EXPECT_EQ(settings.DraftPickTime(), 40);
    EXPECT_TRUE(settings.ShowImages());
    // Sizes too small to use read as the designed ones; positions are kept.
    const WindowGeometry g = settings.MakeDeckGeometry();
    EXPECT_EQ((std::vector<int>{g.top, g.left, g.height, g.width}), (std::vector<int>{5, -20, 531, 534}));
    EXPECT_EQ(settings.MakeDeckRightPanelWidth(), 254);
    settings.SetBaseColumns(" 6, x,,8 ,");
    EXPECT_EQ(settings.BaseCardColumns(), (std::vector<int>{6, 8}));
}

// The English translation is chosen by the system's locale unless the user chose; a Russian
// locale in any of its spellings keeps the original texts, and a stored choice survives a reopen.
TEST(Language, TheChoiceAndTheSystemLocaleDecideTheTexts) {
    struct Case {
        TLanguage language;
        const char* locale;
        bool english;
    };
    const Case cases[] = {
        {TLanguage::System, "en_GB", true},    {TLanguage::System, "C", true},
        {TLanguage::System, "", true},         {TLanguage::System, "de_DE.UTF-8", true},
        {TLanguage::System, "ru_RU", false},   {TLanguage::System, "ru-RU.UTF-8", false},
        {TLanguage::System, "ru", false},      {TLanguage::System, "RU_ru@cyrillic", false},
        {TLanguage::System, "rus", true},      {TLanguage::English, "ru_RU", true},
        {TLanguage::Original, "en_US", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsesEnglishTexts(c.language, c.locale), c.english)
            << LanguageKey(c.language) << " " << c.locale;

    TempDir dir;
    EXPECT_EQ(SettingsStore(dir / "tovel.ini", dir.Path()).Language(), TLanguage::System);
    SettingsStore(dir / "tovel.ini", dir.Path()).SetLanguage(TLanguage::Original);
    EXPECT_EQ(SettingsStore(dir / "tovel.ini", dir.Path()).Language(), TLanguage::Original);
    EXPECT_EQ(ParseLanguage("English"), TLanguage::English);
    EXPECT_EQ(ParseLanguage("klingon"), TLanguage::System);
}
