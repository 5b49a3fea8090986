// The About box's Windows version line, and the splash window: shown once, gone after its second.
#include "FakeUi.h"
#include "TestEnv.h"
#include "dialogs/AboutDialog.h"
#include "res/AboutDialogRes.h"
#include "res/resource.h"
#include "widgets/SplashWindow.h"
#include <gtest/gtest.h>

namespace {

TEST(AboutBox, TheWindowsLineNamesTheSystem) {
    const std::pair<WindowsVersion, const char*> cases[] = {
        {{VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2"}, "Windows XP v5.1 Build 2600 Service Pack 2"},
        {{VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4"}, "Windows 2000 v5.0 Build 2195 Service Pack 4"},
        {{VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6"}, "Windows NT v4.0 Build 1381 Service Pack 6"},
        {{VER_PLATFORM_WIN32_NT, 5, 2, 3790, ""}, "Windows XP+ v5.2 Build 3790 "},
        {{VER_PLATFORM_WIN32_NT, 3, 51, 1057, "Service Pack 5"}, "Windows  v3.51 Build 1057 Service Pack 5"},
        // The 9x family keeps the version in the build's high word.
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x04000000 | 950, " B"}, "Windows 95 v4.0 Build 950  B"},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A0000 | 2222, " A "}, "Windows 98SE v4.10 Build 2222  A "},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0000 | 3000, " "}, "Windows Me v4.90 Build 3000  "},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 3, 100, ""}, "Windows  v4.3 Build 100 "},
        {{VER_PLATFORM_WIN32s, 3, 10, 0, ""}, "Windows 3.1 v3.10 Build 0 "},
    };
    for (const auto& [version, line] : cases) EXPECT_EQ(WindowsVersionLine(version), line);
}

TEST(AboutBox, TheEntryShowsTheLineOfTheVersionWindowsGives) {
    FakeUi ui;
    std::string shown;
    ui.modalScripts.push_back([&shown](win::Dialog& d, HWND) -> INT_PTR {
        d.Create(nullptr);
        shown = win::WindowText(GetDlgItem(d.Handle(), IDC_ABOUT_WINDOWS));
        return IDOK;
    });
    ShowAboutBox(nullptr);
    EXPECT_EQ(ui.Calls(UiCall::Modal).at(0).dialogId, IDD_ABOUTBOX);
    EXPECT_EQ(shown, WindowsVersionLine(*QueryWindowsVersion()));
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowExA(0, "Static", "owner", WS_POPUP | WS_VISIBLE, 100, 80, 600, 400, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(owner);
        SetSplashEnabled(true);
    }
    void TearDown() override {
        if (HWND splash = CurrentSplashWindow()) DestroyWindow(splash);
        DestroyWindow(owner);
        SetSplashEnabled(true);
        PumpMessages();
    }
    HWND owner = nullptr;
};

TEST_F(SplashTest, ShowsOnceAndGoesAfterAboutASecond) {
    FakeUi ui;
    ShowSplashWindow(owner, GetModuleHandleA("kernel32.dll"));  // a module without the picture
    EXPECT_TRUE(CurrentSplashWindow() == nullptr && ui.calls.empty()) << "nothing shows, nothing is reported";
    const DWORD start = GetTickCount();
    ShowSplashWindow(owner);
    HWND splash = CurrentSplashWindow();
    ASSERT_TRUE(splash && IsWindowVisible(splash));
    EXPECT_EQ(GetWindow(splash, GW_OWNER), owner);
    ShowSplashWindow(owner);
    EXPECT_EQ(CurrentSplashWindow(), splash) << "only one at a time";
    // The wait only guards against a splash that never goes.
    while (CurrentSplashWindow() && GetTickCount() - start < 20000) {
        PumpMessages();
        Sleep(20);
    }
    EXPECT_EQ(CurrentSplashWindow(), nullptr);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_GE(GetTickCount() - start, 900u) << "a timer of one second cannot end it sooner";
}

}  // namespace
