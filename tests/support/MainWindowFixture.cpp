// The main window test fixture.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"

void MainWindowFixture::SetUp() {
    folder = MakeTempFolder("main");
    CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
    WriteFileText(folder + "\\Data.ini",
                  "[Categories]\r\n00=Action\r\n01=Adventure\r\n[Publishers]\r\n00=Apogee\r\n"
                  "[Sound Devices]\r\n00=Sound Blaster\r\n[Music Devices]\r\n00=AdLib\r\n");
    ResetSettings();
    WriteSettingValue("FirstRun", 0);
    ReleaseSingleInstance();
}

void MainWindowFixture::TearDown() {
    window.reset();
    PumpMessages();
    ReleaseSingleInstance();
    RemoveTree(folder);
}

MainWindow& MainWindowFixture::Start(const std::string& commandLine) {
    window = std::make_unique<MainWindow>(commandLine, folder);
    CreateDirectoryA((folder + "\\Windows").c_str(), nullptr);
    window->State().windowsFolder = folder + "\\Windows";
    window->State().vdmSoundFixedFolder = folder + "\\NoVDMSound\\";
    if (beforeStart) beforeStart(window->State());
    HWND h = window->Create(nullptr);
    if (h) {
        ShowWindow(h, SW_SHOWNOACTIVATE);
        UpdateWindow(h);
        PumpMessages();
    }
    return *window;
}

void MainWindowFixture::Discard() {
    window.reset();
    PumpMessages();
    ReleaseSingleInstance();
}

void MainWindowFixture::CloseWindow() {
    SendMessageA(window->Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
}

void MainWindowFixture::AddGame(const GameRecord& record, const std::vector<char>& picture) {
    WriteGame(GamePath(FieldText(record.title)), record, picture);
}

std::string MainWindowFixture::Caption() const { return win::WindowText(window->Handle()); }

void MainWindowFixture::Repaint() {
    InvalidateRect(window->Handle(), nullptr, TRUE);
    UpdateWindow(window->Handle());
    PumpMessages();
}
