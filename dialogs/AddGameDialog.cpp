// The add-game dialog.
#include "dialogs/AddGameDialog.h"
#include "app/Texts.h"
#include "data/CriteriaData.h"
#include "data/GameFile.h"
#include "res/AddGameDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr int kPublisherStopAfterFree = 9;

const int kBrowseButtons[] = {IDC_ADD_BROWSE_PATH, IDC_ADD_BROWSE_COMMAND, IDC_ADD_BROWSE_DOCUMENT,
                              IDC_ADD_BROWSE_DATAFILE, IDC_ADD_BROWSE_PICTURE};

const int kTextFields[] = {IDC_ADD_TITLE,    IDC_ADD_PATH,     IDC_ADD_COMMAND,
                           IDC_ADD_DOCUMENT, IDC_ADD_DATAFILE, IDC_ADD_PICTURE};

// Setup programs looked for in the game's folder. Later entries win, so the
// precedence is SETUP.COM, SETUP.EXE, INSTALL.COM, INSTALL.EXE, SETUP.BAT, INSTALL.BAT.
struct SetupProgram {
    const char* file;
    const char* stored;
};
constexpr SetupProgram kSetupPrograms[] = {
    {"Install.bat", "INSTALL.BAT"}, {"setup.bat", "SETUP.BAT"}, {"Install.exe", "INSTALL.EXE"},
    {"Install.com", "INSTALL.COM"}, {"setup.exe", "SETUP.EXE"}, {"SETUP.COM", "SETUP.COM"},
};

std::string FindSetupProgram(const std::string& folder) {
    std::string found;
    for (const auto& setup : kSetupPrograms)
        if (FileExists(folder + "\\" + setup.file)) found = setup.stored;
    return found;
}

std::optional<uint32_t> FileSize(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    long size = -1;
    if (fseek(f, 0, SEEK_END) == 0) size = ftell(f);
    fclose(f);
    if (size < 0) return std::nullopt;
    return static_cast<uint32_t>(size);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A drive path ("C:\..."), a UNC path or a path from the root of the drive.
bool IsFullPath(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

enum class TitleProblem { None, NotAFileName, DeviceName, TooLong };

// Names that Windows keeps for devices, with or without an extension.
bool IsDeviceName(const std::string& title) {
    std::string base = title.substr(0, title.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                           "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                           "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    for (const char* device : kDevices)
        if (lstrcmpiA(base.c_str(), device) == 0) return true;
    return false;
}

// The title names the game file, so it must be a plain file name: one that
// Windows stores as it is, inside the Games folder.
TitleProblem CheckTitle(const std::string& title, size_t gamePathLength) {
    for (unsigned char c : title)
        if (c < 32 || std::strchr("\\/:*?\"<>|", c)) return TitleProblem::NotAFileName;
    // Windows drops trailing dots and blanks: "Doom." would become "Doom.qgf"
    // and ".." would leave the Games folder.
    if (title.empty() || title.back() == '.' || title.back() == ' ') return TitleProblem::NotAFileName;
    if (IsDeviceName(title)) return TitleProblem::DeviceName;
    if (gamePathLength > AddGameDialog::kMaxGamePath) return TitleProblem::TooLong;
    return TitleProblem::None;
}

}  // namespace

AddGameDialog::AddGameDialog(std::string programFolder, const IniFile& dataIni)
    : SkinnedDialog(IDD_ADDGAME), _programFolder(std::move(programFolder)), _dataIni(dataIni) {}

AddGameDialog::~AddGameDialog() {
    // A modeless dialog still open: close it while the images are ours.
    if (Handle()) DestroyWindow(Handle());
    ReleaseImages();
}

std::string AddGameDialog::GameFilePath(const std::string& gameTitle) const {
    return Format("%s\\Games\\%s.qgf", _programFolder.c_str(), gameTitle.c_str());
}

bool AddGameDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetChecked(IDC_ADD_VDMSOUND, true);
    SetChecked(IDC_ADD_WIN95, true);
    _browseIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BROWSE), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    for (int id : kBrowseButtons)
        SendMessageA(Item(id), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(_browseIcon));
    for (int id : kTextFields) SendMessageA(Item(id), EM_LIMITTEXT, kTextSize - 1, 0);
    SendMessageA(Item(IDC_ADD_PUBLISHER), CB_LIMITTEXT, kTextSize - 1, 0);
    SendMessageA(Item(IDC_ADD_CATEGORY), CB_LIMITTEXT, kTextSize - 1, 0);
    FillLists();
    SetFocus(Item(IDC_ADD_TITLE));
    return false;  // the focus is set
}

void AddGameDialog::FillLists() {
    for (const auto& category : ReadCriteriaList(_dataIni, CriteriaList::Categories))
        SendMessageA(Item(IDC_ADD_CATEGORY), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.c_str()));
    for (const auto& publisher : ReadCriteriaList(_dataIni, CriteriaList::Publishers, -1, kPublisherStopAfterFree))
        SendMessageA(Item(IDC_ADD_PUBLISHER), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(publisher.c_str()));
}

void AddGameDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_ADD_BROWSE_PICTURE: BrowsePicture(); break;
        case IDC_ADD_BROWSE_PATH: BrowseFolder(); break;
        case IDC_ADD_BROWSE_COMMAND:
            BrowseFile(IDC_ADD_COMMAND, "Executables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||",
                       "Please select the game file to execute...");
            break;
        case IDC_ADD_BROWSE_DOCUMENT:
            BrowseFile(IDC_ADD_DOCUMENT, "All Files (*.*)|*.*||", "Please select the game document...");
            break;
        case IDC_ADD_BROWSE_DATAFILE:
            BrowseFile(IDC_ADD_DATAFILE, "All Files (*.*)|*.*||", "Please select the game data file...");
            break;
        default: break;
    }
}

void AddGameDialog::BrowsePicture() {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.initialDir = Format("%s\\Images", _programFolder.c_str());
    // The chosen folder is remembered below, so the current directory need not move.
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (!win::Ui().PickFile(request, chosen)) return;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, chosen.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap) {
        ShowPreview(bitmap);
        _chosenPicture = chosen;
        SetItemText(IDC_ADD_PICTURE, FileNameOf(chosen));
        return;
    }
    ShowPreview(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DEFAULTGAME)));
    _chosenPicture.clear();
    win::Ui().ShowMessage(Handle(), Format("Could not load bitmap '%s'", chosen.c_str()), kAppName, MB_OK);
    SetItemText(IDC_ADD_PICTURE, "");
}

void AddGameDialog::BrowseFolder() {
    std::string folder;
    if (win::Ui().PickFolder(Handle(), kAppName, folder) && !folder.empty()) SetItemText(IDC_ADD_PATH, folder);
}

void AddGameDialog::BrowseFile(int target, const char* filter, const char* dialogTitle) {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = dialogTitle;
    request.filter = filter;
    request.initialDir = ItemText(IDC_ADD_PATH);
    if (request.initialDir.size() < 2 || !FolderExists(request.initialDir)) request.initialDir = "C:\\";
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (!win::Ui().PickFile(request, chosen)) return;
    SetItemText(target, FileNameOf(chosen));
    size_t slash = chosen.find_last_of('\\');
    if (slash != std::string::npos) SetItemText(IDC_ADD_PATH, chosen.substr(0, slash));
}

void AddGameDialog::ShowPreview(HBITMAP bitmap) {
    HWND preview = Item(IDC_ADD_PREVIEW);
    SendMessageA(preview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (_preview && _preview != bitmap) DeleteObject(_preview);
    _preview = bitmap;
    RepaintControl(preview);
}

void AddGameDialog::ReleaseImages() {
    if (_preview) DeleteObject(_preview);
    _preview = nullptr;
    if (_browseIcon) DestroyIcon(_browseIcon);
    _browseIcon = nullptr;
}

void AddGameDialog::OnDestroy() {
    // The controls still show our images: take them back before freeing them.
    SendMessageA(Item(IDC_ADD_PREVIEW), STM_SETIMAGE, IMAGE_BITMAP, 0);
    for (int id : kBrowseButtons) SendMessageA(Item(id), BM_SETIMAGE, IMAGE_ICON, 0);
    ReleaseImages();
}

// The picture field holds a name only. The picture picked with the browser is
// found where it was picked; a name typed by hand is looked up in the Images
// folder, whatever the current directory is.
std::string AddGameDialog::PictureSource(const std::string& field) const {
    if (field.empty()) return field;
    if (!_chosenPicture.empty() && field == FileNameOf(_chosenPicture)) return _chosenPicture;
    if (IsFullPath(field)) return field;
    return Format("%s\\Images\\%s", _programFolder.c_str(), field.c_str());
}

// A title that cannot name a file in the Games folder is refused here, before
// anything is written, rather than failing (or writing elsewhere) later.
bool AddGameDialog::AcceptTitle(const std::string& gameTitle) {
    const char* problem = nullptr;
    switch (CheckTitle(gameTitle, GameFilePath(gameTitle).size())) {
        case TitleProblem::None: return true;
        case TitleProblem::NotAFileName:
            problem =
                "The game title cannot be used as a file name:\n%s\n\n"
                "Please leave out \\ / : * ? \" < > | and do not end it with a dot or a space.";
            break;
        case TitleProblem::DeviceName:
            problem = "The game title cannot be used as a file name:\n%s\n\nWindows keeps this name for a device.";
            break;
        case TitleProblem::TooLong:
            problem = "The game title is too long to be used as a file name:\n%s\n\nPlease enter a shorter title.";
            break;
    }
    win::Ui().ShowMessage(Handle(), Format(problem, gameTitle.c_str()), kAppName, MB_OK | MB_ICONSTOP);
    SetFocus(Item(IDC_ADD_TITLE));
    SendMessageA(Item(IDC_ADD_TITLE), EM_SETSEL, 0, -1);
    return false;
}

bool AddGameDialog::OnOK() {
    const std::string gameTitle = ItemText(IDC_ADD_TITLE);
    const std::string picture = ItemText(IDC_ADD_PICTURE);
    const std::string path = ItemText(IDC_ADD_PATH);

    if (!path.empty() && path.find(' ') != std::string::npos &&
        win::Ui().ShowMessage(Handle(),
                              "The game path contains spaces which may cause\nproblems loading and saving its "
                              "game files.\nContinue anyway?",
                              "Possible problem", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (gameTitle.size() < 2) {
        win::Ui().ShowMessage(Handle(), "Please enter the 'Game Title'.", kAppName, MB_OK | MB_ICONSTOP);
        SetFocus(Item(IDC_ADD_TITLE));
        return false;
    }
    if (!AcceptTitle(gameTitle)) return false;

    title = gameTitle;
    const std::string gamePath = GameFilePath(gameTitle);
    const std::string setup = path.empty() ? std::string() : FindSetupProgram(path);
    noSetup = setup.empty();

    if (!WriteGameFile(gamePath, setup)) {
        win::Ui().ShowMessage(Handle(), Format("Failed to create the new QGF file!\n%s", gamePath.c_str()), "Error",
                              MB_OK | MB_ICONEXCLAMATION);
        End(IDCANCEL);
        return false;
    }
    if (!picture.empty()) {
        const std::string source = PictureSource(picture);
        if (!EmbedPicture(gamePath, source))
            win::Ui().ShowMessage(Handle(), Format("Failed to embed the picture!\n%s", source.c_str()),
                                  "Created with error...", MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

// Writes a blank game file, then patches the record with the dialog's fields.
bool AddGameDialog::WriteGameFile(const std::string& gamePath, const std::string& setup) {
    if (!CreateBlankGameFile(gamePath)) return false;
    FILE* f = fopen(gamePath.c_str(), "r+b");
    if (!f) return false;
    GameRecord record;
    if (fread(&record, 1, sizeof record, f) != sizeof record) {
        fclose(f);
        return false;
    }
    const std::string path = ItemText(IDC_ADD_PATH);
    const std::string command = ItemText(IDC_ADD_COMMAND);
    const std::string dataFile = ItemText(IDC_ADD_DATAFILE);
    SetField(record.title, title.c_str());
    SetField(record.publisher, ItemText(IDC_ADD_PUBLISHER).c_str());
    SetField(record.category, ItemText(IDC_ADD_CATEGORY).c_str());
    SetField(record.path, path.c_str());
    SetField(record.command, command.c_str());
    SetField(record.setup, setup.c_str());
    SetField(record.document, ItemText(IDC_ADD_DOCUMENT).c_str());
    record.options =
        (IsChecked(IDC_ADD_VDMSOUND) ? kOptionVdmSound : 0) | (IsChecked(IDC_ADD_WIN95) ? kOptionWin95 : 0);
    SetField(record.dataName, dataFile.c_str());
    if (!path.empty() && !dataFile.empty())
        if (auto size = FileSize(Format("%s\\%s", path.c_str(), dataFile.c_str()))) record.dataSize = *size;
    if (!path.empty() && !command.empty()) {
        if (auto size = FileSize(Format("%s\\%s", path.c_str(), command.c_str()))) {
            record.programSize = *size;
            SetField(record.programName, command.c_str());
        }
    }
    bool ok = fseek(f, 0, SEEK_SET) == 0 && fwrite(&record, 1, sizeof record, f) == sizeof record;
    if (fclose(f) != 0) ok = false;
    return ok;
}
