// The main window test fixture.
#include "MainWindowFixture.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "state/SingleInstance.h"
#include "widgets/SplashWindow.h"
#include "win/Texts.h"

void MainWindowFixture::SetUp() {
    CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
    CreateDirectoryA((folder + "\\Windows").c_str(), nullptr);
    WriteFileText(folder + "\\Data.ini",
                  "[Categories]\r\n00=Action\r\n01=Adventure\r\n[Publishers]\r\n00=Apogee\r\n"
                  "[Sound Devices]\r\n00=Sound Blaster\r\n[Music Devices]\r\n00=AdLib\r\n");
    ResetSettings();
    WriteSettingValue("FirstRun", 0);
    // Games run as on a Windows that runs DOS programs itself (the DOSBox tests choose otherwise).
    WriteSettingValue("DOSBoxMode", 0);
    ReleaseSingleInstance();
    SetLanguage(Language::English);  // as in a new process
    SetSplashEnabled(false);  // a window of its own that would only slow the tests
}

void MainWindowFixture::TearDown() { Discard(); }

MainWindowOptions MainWindowFixture::Options() const {
    MainWindowOptions options;
    options.folders.programFolder = folder;
    options.folders.windowsFolder = folder + "\\Windows";
    options.folders.vdmSoundFolder = folder + "\\NoVDMSound\\";
    options.folders.dosBoxSearchFolder = folder + "\\Programs";
    options.folders.dosBoxConfigFolder = folder + "\\Temp\\DOSBox";
    return options;
}

MainWindow& MainWindowFixture::Start(const std::string& commandLine) {
    window = std::make_unique<MainWindow>(commandLine, Options());
    if (HWND h = window->Create(nullptr)) {
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
    SendMessageA(Hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
}

void MainWindowFixture::AddGame(const GameRecord& record, const std::vector<char>& picture) {
    WriteGame(GamePath(FieldText(record.title)), record, picture);
}

std::vector<std::string> MainWindowFixture::Column(int column) const {
    std::vector<std::string> out;
    win::ListView list = List();
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Text(i, column));
    return out;
}

std::pair<int, int> MainWindowFixture::PreviewSize() const {
    BITMAP bm{};
    GetObjectA(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(Hwnd(), IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof bm, &bm);
    return {static_cast<int>(bm.bmWidth), static_cast<int>(bm.bmHeight)};
}

std::string MainWindowFixture::LastRun() const {
    std::string text;
    ReadSettingString("LastRun", text);
    return text;
}

namespace {
void Notify(HWND window, UINT code, int row, int column) {
    NMLISTVIEW nm{{GetDlgItem(window, IDC_GAMELIST), IDC_GAMELIST, code}, row, column, 0, 0, 0, {0, 0}, 0};
    SendMessageA(window, WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
    PumpMessages();
}
}  // namespace

void MainWindowFixture::ClickRow(int row) {
    row < 0 ? List().ClearSelection() : List().Select(row);
    Notify(Hwnd(), NM_CLICK, row, 0);
}

void MainWindowFixture::DoubleClickRow(int row) {
    List().Select(row);
    PumpMessages();
    Notify(Hwnd(), NM_DBLCLK, row, 0);
}

void MainWindowFixture::ClickColumn(int column) { Notify(Hwnd(), LVN_COLUMNCLICK, -1, column); }

void MainWindowFixture::Command(int id) {
    SendMessageA(Hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    PumpMessages();
}

void MainWindowFixture::Repaint() {
    InvalidateRect(Hwnd(), nullptr, TRUE);
    UpdateWindow(Hwnd());
    PumpMessages();
}

size_t MainWindowFixture::CountMessages(const std::string& text) const {
    size_t n = 0;
    for (const auto& m : ui.Messages()) n += m.text == text;
    return n;
}
