// The settings structure and the start-up background choice, without a window.
#include "TestEnv.h"
#include "app/Background.h"
#include "app/Settings.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

DWORD Setting(const char* name) {
    DWORD v = 0xDEADBEEF;
    ReadSettingValue(name, v);
    return v;
}

TEST(SettingsTest, FirstStartWritesItsValuesAndUsesTheDefaults) {
    ResetSettings();
    Settings s;
    s.Load();
    EXPECT_TRUE(s.firstStart);
    EXPECT_EQ(s.slowDownTweak, 4) << "an absent tweak is stored as 0 but 4 is used";
    EXPECT_FALSE(s.spanish);
    EXPECT_TRUE(s.reloadVerify);
    EXPECT_TRUE(s.useDefaultPif);
    EXPECT_EQ(s.storedBackground, Settings::kNoBackground);
    EXPECT_EQ(s.columnWidths[3], 145);
    const std::pair<const char*, DWORD> written[] = {{"Language", 0},     {"SlowDownTweak", 0}, {"FirstRun", 0},
                                                     {"ConfirmDelete", 1}, {"ReloadVerify", 1},  {"ReloadEffects", 0},
                                                     {"UseDefaultPif", 1}};
    for (const auto& [name, value] : written) EXPECT_EQ(Setting(name), value) << name;
    EXPECT_EQ(Setting("ColumnWidth0"), 0xDEADBEEFu) << "default widths are not written at start";
    EXPECT_EQ(Setting("Background"), 0xDEADBEEFu) << "left to the background choice";
    Settings again;
    again.Load();
    EXPECT_FALSE(again.firstStart);
}

TEST(SettingsTest, StoredValuesAreUsedAndTheClosingValuesSaved) {
    ResetSettings();
    const std::pair<const char*, DWORD> stored[] = {{"ConfirmDelete", 0}, {"SlowDownTweak", 9}, {"ReloadVerify", 0},
                                                    {"Language", 1},      {"ColumnWidth1", 77}, {"UseDefaultPif", 0},
                                                    {"Background", 1},    {"FirstRun", 0}};
    for (const auto& [name, value] : stored) WriteSettingValue(name, value);
    Settings s;
    s.Load();
    EXPECT_EQ(Setting("ConfirmDelete"), 1u) << "always written as 1";
    EXPECT_EQ(s.slowDownTweak, 9);
    EXPECT_FALSE(s.reloadVerify);
    EXPECT_TRUE(s.spanish);
    EXPECT_FALSE(s.useDefaultPif);
    EXPECT_EQ(s.storedBackground, 1);
    EXPECT_EQ(s.columnWidths[0], 190);
    EXPECT_EQ(s.columnWidths[1], 77);
    EXPECT_FALSE(s.firstStart);

    s.columnWidths[2] = 55;
    s.slowDownTweak = 6;
    s.spanish = false;
    s.reloadVerify = true;
    s.Save();
    EXPECT_EQ(Setting("ColumnWidth0"), 190u);
    EXPECT_EQ(Setting("ColumnWidth2"), 55u);
    EXPECT_EQ(Setting("SlowDownTweak"), 6u);
    EXPECT_EQ(Setting("Language"), 0u);
    EXPECT_EQ(Setting("ReloadVerify"), 0u) << "not a closing value";

    WriteSettingValue("Background", 0xFFFFFFFF);
    s.Load();
    EXPECT_EQ(s.storedBackground, 4) << "any unknown hue";
}

TEST(BackgroundTest, StoredHueOrNowAndThenTheAlternative) {
    const struct {
        int stored, draw, bitmap, store;
    } cases[] = {
        {-1, 9, IDB_BACK_GREY, 3}, {0, 0, IDB_BACK_RED, -1}, {1, 7, IDB_BACK_GREEN, -1}, {2, 3, IDB_BACK_BLUE, -1},
        {3, 5, IDB_BACK_GREY, -1}, {3, 8, IDB_BACK_ALT, 2},  {0, 9, IDB_BACK_ALT, 2},     {4, 0, IDB_BACK_ALT, 2},
    };
    for (const auto& c : cases) {
        BackgroundChoice choice = ChooseStartBackground(c.stored, c.draw);
        EXPECT_EQ(choice.bitmap, c.bitmap) << c.stored << " " << c.draw;
        EXPECT_EQ(choice.store, c.store) << c.stored << " " << c.draw;
    }
}

}  // namespace
