// The settings structure and the start-up background choice, without a window.
#include "TestEnv.h"
#include "data/RegistryKey.h"
#include "res/resource.h"
#include "state/Background.h"
#include "state/Settings.h"
#include <gtest/gtest.h>

namespace {

constexpr DWORD kAbsent = 0xDEADBEEF;

// The stored values of |names|; kAbsent for one that is absent.
std::vector<DWORD> Stored(std::initializer_list<const char*> names) {
    std::vector<DWORD> values;
    for (const char* name : names) {
        DWORD v = kAbsent;
        ReadSettingValue(name, v);
        values.push_back(v);
    }
    return values;
}

std::vector<int> Values(const Settings& s) {
    return {s.firstStart,       s.slowDownTweak,   s.spanish,         s.reloadVerify,   s.useDefaultPif,
            s.storedBackground, s.columnWidths[0], s.columnWidths[1], s.columnWidths[3], s.maxGames};
}

TEST(SettingsTest, FirstStartWritesItsValuesThenStoredValuesAreUsedAndClosingValuesSaved) {
    ResetSettings();
    Settings s;
    s.Load();
    // An absent tweak is stored as 0 but 4 is used; the default widths and the background are not written.
    EXPECT_EQ(Values(s), (std::vector<int>{1, 4, 0, 1, 1, Settings::kNoBackground, 190, 85, 145, 512}));
    EXPECT_EQ(Stored({"Language", "SlowDownTweak", "FirstRun", "ConfirmDelete", "ReloadVerify", "ReloadEffects",
                      "UseDefaultPif", "ColumnWidth0", "Background", "MaxGames"}),
              (std::vector<DWORD>{0, 0, 0, 1, 1, 0, 1, kAbsent, kAbsent, kAbsent}));
    const std::pair<const char*, DWORD> stored[] = {{"ConfirmDelete", 0}, {"SlowDownTweak", 9}, {"ReloadVerify", 0},
                                                    {"Language", 1},      {"ColumnWidth1", 77}, {"UseDefaultPif", 0},
                                                    {"Background", 1},    {"FirstRun", 0},      {"MaxGames", 9999}};
    for (const auto& [name, value] : stored) WriteSettingValue(name, value);
    s = Settings();
    s.Load();
    EXPECT_EQ(Values(s), (std::vector<int>{0, 9, 1, 0, 0, 1, 190, 77, 145, 9999}));
    EXPECT_EQ(Stored({"ConfirmDelete"}), std::vector<DWORD>{1}) << "always written as 1";
    s.columnWidths[2] = 55;
    s.slowDownTweak = 6;
    s.spanish = false;
    s.reloadVerify = true;  // not a closing value
    s.maxGames = 700;
    s.Save();
    EXPECT_EQ(Stored({"ColumnWidth0", "ColumnWidth2", "SlowDownTweak", "Language", "ReloadVerify", "MaxGames"}),
              (std::vector<DWORD>{190, 55, 6, 0, 0, 700}));
    // A stored maximum outside 512 to 20,000 counts as the nearer end.
    for (const auto& [stored, used] : {std::pair<DWORD, int>{0, 512}, {511, 512}, {20001, 20000}, {0xFFFFFFFF, 20000}}) {
        WriteSettingValue("MaxGames", stored);
        s.Load();
        EXPECT_EQ(s.maxGames, used) << stored;
    }
    WriteSettingValue("Background", 0xFFFFFFFF);
    s.Load();
    EXPECT_EQ(s.storedBackground, 4) << "any unknown hue";
    // "DOSBoxScreen"; without it, an older "DOSBoxFullScreen", which the next save removes.
    const DWORD screens[][3] = {{kAbsent, kAbsent, 0}, {kAbsent, 1, 2}, {kAbsent, 0, 0},
                                {1, 1, 1},             {2, 0, 2},       {3, 1, 0}};
    for (const auto& [screen, fullScreen, read] : screens) {
        RegistryKey key;
        key.Open(HKEY_LOCAL_MACHINE, SettingsKeyPath(), KEY_WRITE, true);
        for (auto [name, value] : {std::pair{"DOSBoxScreen", screen}, {"DOSBoxFullScreen", fullScreen}})
            value == kAbsent ? key.DeleteValue(name) : key.WriteDword(name, value);
        s.Load();
        EXPECT_EQ(s.dosBoxScreen, int(read)) << screen << " " << fullScreen;
    }
    s.Save();
    EXPECT_EQ(Stored({"DOSBoxScreen", "DOSBoxFullScreen"}), (std::vector<DWORD>{0, kAbsent}));
}

TEST(SettingsTest, MaxGamesTypedIsANumberFrom512To20000) {
    const std::pair<const char*, int> cases[] = {{"512", 512}, {" 20000 ", 20000}, {"0600", 600},   {"511", -1},
                                                 {"20001", -1},  {"", -1},           {"6o0", -1},   {"-600", -1},
                                                 {"99999999999", -1}};
    for (const auto& [text, value] : cases) {
        int parsed = -1;
        EXPECT_EQ(ParseMaxGames(text, parsed), value != -1) << text;
        EXPECT_EQ(parsed, value) << text;
    }
}

TEST(BackgroundTest, StoredHueOrNowAndThenTheAlternative) {
    const int cases[][4] = {  // stored hue, draw: the bitmap and the hue to store
        {-1, 9, IDB_BACK_GREY, 3}, {0, 0, IDB_BACK_RED, -1}, {1, 7, IDB_BACK_GREEN, -1}, {2, 3, IDB_BACK_BLUE, -1},
        {3, 5, IDB_BACK_GREY, -1}, {3, 8, IDB_BACK_ALT, 2},  {0, 9, IDB_BACK_ALT, 2},    {4, 0, IDB_BACK_ALT, 2}};
    for (const auto& [stored, draw, bitmap, store] : cases) {
        const BackgroundChoice choice = ChooseStartBackground(stored, draw);
        EXPECT_EQ(std::make_pair(choice.bitmap, choice.store), std::make_pair(bitmap, store)) << stored << " " << draw;
    }
}

}  // namespace
