// Main window start-up and shut-down: single instance, settings, folders, file
// association, the list's columns and images, and the closing steps.
#include "mainwnd/MainWindow.h"
#include "mainwnd/MainWindowMessages.h"
#include "data/CriteriaData.h"
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/RegistryKey.h"
#include "dialogs/CriteriaPrompts.h"
#include "launch/DefaultPif.h"
#include "launch/DosBoxFiles.h"
#include "launch/DosBoxFind.h"
#include "launch/VdmSound.h"
#include "res/resource.h"
#include "state/Background.h"
#include "state/Settings.h"
#include "state/SingleInstance.h"
#include "widgets/SplashWindow.h"
#include "win/Controls.h"
#include "win/Texts.h"
#include "win/UserInterface.h"
#include <commctrl.h>
#include <objbase.h>
#include <cstdlib>
#include <ctime>

namespace {

constexpr char kWelcome[] =
    "This is a one time message.\n\nIf you are running WinNT/2000/XP it is highly recommended that\n"
    "you download and install the latest version of the VDMSound\nsound emulator to ensure your DOS "
    "games run with sound.\nThe WebSite may be accessed via the Options -> VDMSound menu.\n\n"
    "Please send your own QGF files to the author for the next release :)";

std::string ExecutableFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p = path;
    size_t slash = p.rfind('\\');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

// Writes a key's default value; false when the key cannot be created.
bool SetClassKey(const char* key, const std::string& value) {
    RegistryKey k;
    if (!k.Open(HKEY_CLASSES_ROOT, key, KEY_WRITE, true)) return false;
    k.WriteString(nullptr, value);
    return true;
}

}  // namespace

bool MainWindow::OnInit() {
    if (!ClaimSingleInstance()) {
        win::Ui().ShowMessage(Handle(), "Cannot run Quillon Loader, an instance is already running.", kAppTitle, MB_OK);
        End(0);  // the program ends without any of the steps below
        return false;
    }
    ShowSplashWindow(Handle());
    if (!InitStartup()) return false;
    _state.startupComplete = true;
    return false;  // the list has the focus
}

// The start-up steps in their order; false after a fatal failure.
bool MainWindow::InitStartup() {
    HWND hwnd = Handle();
    SetUpWindowDecorations();
    if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS)) {
        char text[512] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0x0409,
                       text, sizeof text, nullptr);
        win::Ui().ShowMessage(hwnd, text, kAppName, MB_OK);
    }
    CoInitialize(nullptr);
    win::Trackbar slider(Item(IDC_SLOWDOWN_SLIDER));
    slider.SetRange(10, 110);
    slider.SetPos(10);
    SetUpTooltips();

    if (!SetSettingsKey(kCompanyKey, kApplicationKey)) {
        win::Ui().ShowMessage(hwnd, Tr(TextId::RegistryError), kAppName, MB_OK);
        win::Ui().ExitProcess(1);
        End(1);
        return false;
    }
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    _state.isNt = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    _state.settings.Load();
    SetLanguage(_state.settings.spanish ? Language::Spanish : Language::English);
    _state.slowDownTweak = _state.settings.slowDownTweak;
    if (_state.settings.firstStart) win::Ui().ShowMessage(hwnd, kWelcome, "Welcome to Quillon Loader", MB_OK);
    ChooseBackground();
    SetBackground(_state.backgroundBitmap, kStretch);
    if (!SetUpFolders()) return false;
    RegisterFileType();
    SetUpList();
    _details.Create(hwnd);
    FindVdmSoundAtStartup(_state.vdm, _state.vdmSoundFixedFolder);
    FindDosBoxAtStartup();
    OfferLoaderIniImport();
    FillGameList();
    if (!OpenDataIni(_dataIni, _state.dataIniPath, hwnd)) {
        win::Ui().ExitProcess(1);
        End(1);
        return false;
    }
    _state.vdmSoundWeb = ReadVdmSoundWeb(_dataIni);
    CheckVdmsIni();
    ListView_SetExtendedListViewStyle(_list.Handle(), LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    if (_state.settings.useDefaultPif) InstallDefaultPif(_state.windowsFolder, GetModuleHandleA(nullptr));
    _state.commandLineLaunch = _state.commandLine.size() > 3;
    if (_state.commandLineLaunch)
        LaunchFromCommandLine();
    else
        SelectLastRun();
    return true;
}

// The About item of the system menu and the program's icons on the window and
// its buttons.
void MainWindow::SetUpWindowDecorations() {
    HWND hwnd = Handle();
    HINSTANCE inst = GetModuleHandleA(nullptr);
    char about[128] = "";
    LoadStringA(inst, IDS_ABOUTBOX, about, sizeof about);
    if (HMENU sys = GetSystemMenu(hwnd, FALSE); sys && about[0]) {
        AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(sys, MF_STRING, IDM_ABOUTBOX, about);
    }
    _icon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_QUILLON));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(_icon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(_icon));
    const struct {
        int id, icon;
    } buttons[] = {{IDC_RUNGAME, IDI_RUNGAME},
                   {IDC_GAMESETTINGS, IDI_GAMESETTINGS},
                   {IDC_MODIFY, IDI_MODIFY},
                   {IDC_DOCS, IDI_DOCS}};
    for (const auto& b : buttons) SetItemIcon(b.id, LoadIconA(inst, MAKEINTRESOURCEA(b.icon)));
}

// VDMSound is there: its own settings file should be too.
void MainWindow::CheckVdmsIni() {
    if (!_state.vdm.available) return;
    if (_vdmsIni.Open(_state.vdm.folder + "VDMS.INI")) {
        _state.vdmsBlaster = ReadVdmsSoundBlaster(_vdmsIni);
        return;
    }
    win::Ui().ShowMessage(Handle(), Format(Tr(TextId::VdmsIniMissing), _state.vdmSoundWeb.c_str()), kAppName, MB_OK);
}

// DOSBox, unless the one set is still there: where SystemDosBoxSearch looks
// (under Wine the host's own DOSBox too). What is found is stored at once.
void MainWindow::FindDosBoxAtStartup() {
    const AppFolders& folders = _options.folders;
    _state.windowsRunsDos = WindowsRunsDosPrograms();
    _state.dosBoxConfigFolder = folders.dosBoxConfigFolder.empty() ? DosBoxConfigFolder() : folders.dosBoxConfigFolder;
    std::string& path = _state.settings.dosBoxPath;
    if (!path.empty() && FileExists(path)) return;
    DosBoxSearch search;
    if (folders.dosBoxSearchFolder.empty())
        search = SystemDosBoxSearch(_state.programFolder);
    else
        search.programFilesFolders.push_back(folders.dosBoxSearchFolder);
    const std::string found = FindDosBox(search);
    if (found.empty()) return;
    path = found;
    StoreSetting(setting::kDosBoxPath, path);
}

void MainWindow::ChooseBackground() {
    srand(static_cast<unsigned>(time(nullptr)));
    const BackgroundChoice choice = ChooseStartBackground(_state.settings.storedBackground, rand() % 10);
    _state.backgroundBitmap = choice.bitmap;
    if (choice.store >= 0) WriteSettingValue(setting::kBackground, static_cast<DWORD>(choice.store));
}

bool MainWindow::SetUpFolders() {
    const AppFolders& folders = _options.folders;
    _state.programFolder = folders.programFolder.empty() ? ExecutableFolder() : folders.programFolder;
    _state.windowsFolder = folders.windowsFolder.empty() ? WindowsFolder() : folders.windowsFolder;
    if (!folders.vdmSoundFolder.empty()) _state.vdmSoundFixedFolder = folders.vdmSoundFolder;
    if (_state.programFolder.empty()) {
        win::Ui().ShowMessage(Handle(), Tr(TextId::NoProgramFolder), "QuillonLoader", MB_OK);
        win::Ui().ExitProcess(1);
        End(1);
        return false;
    }
    _state.gamesFolder = GamesFolderOf(_state.programFolder);
    _state.dataIniPath = DataIniPath(_state.programFolder);
    _state.loaderIniPath = _state.programFolder + "\\Loader.ini";
    CreateDirectoryA(_state.gamesFolder.c_str(), nullptr);
    return true;
}

void MainWindow::RegisterFileType() {
    const std::string exe = _state.programFolder + "\\" + kExeName;
    if (!SetClassKey(".qgf", "qgf_auto_file")) return;
    if (!SetClassKey("qgf_auto_file\\shell\\open\\command", "\"" + exe + "\" \"%1\"")) return;
    SetClassKey("qgf_auto_file\\DefaultIcon", exe + ",5");
}

void MainWindow::SetUpTooltips() {
    HWND hwnd = Handle();
    _tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!_tooltip) return;
    SendMessageA(_tooltip, TTM_ACTIVATE, TRUE, 0);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (id == -1 || id == 0xFFFF) continue;
        // The tool's text is the string resource with the control's number; the
        // controls without one show no tip.
        char text[80] = "";
        if (!LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text)) continue;
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(child);
        ti.hinst = GetModuleHandleA(nullptr);
        ti.lpszText = MAKEINTRESOURCEA(id);
        SendMessageA(_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void MainWindow::SetUpList() {
    _list.Attach(Item(IDC_GAMELIST));
    const TextId headings[4] = {TextId::ColumnGame, TextId::ColumnPublisher, TextId::ColumnCategory,
                                TextId::ColumnSettings};
    for (int i = 0; i < 4; ++i) _list.InsertColumn(i, Tr(headings[i]), _state.settings.columnWidths[i]);
    _rowImages = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ROWIMAGES), 16, 1,
                                      RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!_rowImages || !ListView_SetImageList(_list.Handle(), _rowImages, LVSIL_SMALL)) {
        if (!_rowImages) win::Ui().ShowMessage(Handle(), "failed setimagelist", kAppName, MB_OK);
    }
}

void MainWindow::SelectLastRun() {
    SetFocus(_list.Handle());
    std::string lastRun;
    if (!ReadSettingString(setting::kLastRun, lastRun)) return;
    int row = _list.Find(lastRun);
    if (row >= 0) _list.Select(row);
}

void MainWindow::Close() {
    RunClosingSteps();
    End(IDOK);
}

// Once per run, however the program ends: the close box, Exit, the end of the
// Windows session, or a WM_QUIT that ends the message loop.
void MainWindow::RunClosingSteps() {
    if (_closing || !_state.startupComplete) return;
    _closing = true;
    for (int i = 0; i < 4; ++i) _state.settings.columnWidths[i] = _list.ColumnWidth(i);
    _state.settings.slowDownTweak = _state.slowDownTweak;
    if (!_state.settings.Save()) TellSettingsKeyFailed();
    _slowDown.Stop();
    if (_state.settings.useDefaultPif) RestoreDefaultPif(_state.windowsFolder);
}

void TellSettingsKeyFailed() { win::Ui().ShowMessage(nullptr, "Failed RegCreateKeyEx", kAppName, MB_OK); }

void StoreSetting(const char* name, const std::string& text) {
    if (WriteSettingString(name, text) == SettingWrite::KeyFailed) TellSettingsKeyFailed();
}
