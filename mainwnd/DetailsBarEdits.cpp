// The details bar's field edits, one per field code. Each changes the current
// game, saves it, and only then shows the new value.
#include "win/Texts.h"
#include "dialogs/PictureMessages.h"
#include "dialogs/TextInputDialog.h"
#include "mainwnd/DetailsBar.h"
#include "win/UserInterface.h"
#include <commdlg.h>

namespace {

constexpr char kAllFiles[] = "All Files (*.*)|*.*||";

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    std::string folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // "C:" alone is the current folder of C
    return folder;
}

// The file's length, or false when it cannot be opened.
bool FileLength(const std::string& path, uint32_t& length) {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    length = GetFileSize(h, nullptr);
    CloseHandle(h);
    return true;
}

}  // namespace

void DetailsBar::EditField(int code) {
    if (!_game.loaded) return;
    switch (code) {
        case kTitle: EditText(code, "Enter the game name", _game.record.title); break;
        case kPublisher: EditText(code, "Enter the Publisher", _game.record.publisher); break;
        case kCategory: EditText(code, "Enter the Category", _game.record.category); break;
        case kWebSite: EditText(code, "Enter the Web Site", _game.record.webSite); break;
        case kPath: EditPath(); break;
        case kOpenFolder: OpenFolder(); break;
        case kCommand: EditCommand(); break;
        case kDocument: EditDocument(); break;
        case kProgram:
        case kDataFile: EditFile(code); break;
        case kPicture: EditPicture(); break;
        case kVdmSound: Toggle(code, kOptionVdmSound); break;
        case kWin95: Toggle(code, kOptionWin95); break;
        default: break;  // headers and the two sizes
    }
}

void DetailsBar::EditText(int code, const char* prompt, char (&field)[260]) {
    auto text = AskText(_main, prompt, FieldText(field));
    if (!text) return;
    const GameRecord before = _game.record;
    SetField(field, text->c_str());
    if (!Commit(before)) return;
    SetValue(code, FieldText(field));
    if (code == kTitle) SetWindowTextA(_main, FieldText(field).c_str());
    Refresh();
}

void DetailsBar::EditPath() {
    std::string folder;
    if (!win::Ui().PickFolder(_main, Tr(TextId::SelectGamePath), folder) || folder.empty()) return;
    const GameRecord before = _game.record;
    SetField(_game.record.path, folder.c_str());
    if (!Commit(before)) return;
    Refresh();
    SetValue(kPath, FieldText(_game.record.path));
    ShowDosRows(&_game.record);  // the sound setup of the new folder
}

void DetailsBar::OpenFolder() {
    // Only a folder goes to the shell: a Path naming a program would run it.
    const std::string path = FieldText(_game.record.path);
    if (!FolderExists(path) || win::Ui().Execute(_main, "open", path, "", "", SW_SHOWNORMAL) <= 32)
        win::Ui().ShowMessage(_main, "Could not locate the folder", "Error", MB_OK);
}

std::string DetailsBar::StartFolder(bool commandRule) const {
    const std::string path = FieldText(_game.record.path);
    if (commandRule && path.size() < 2) return "C:\\";
    return FolderExists(path) ? path : "C:\\";
}

bool DetailsBar::Ask(const char* title, const std::string& filter, const std::string& dir, std::string& chosen) const {
    win::OpenFileRequest request;
    request.owner = _main;
    request.title = title;
    request.filter = filter;
    request.initialDir = dir;
    request.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return win::Ui().PickFile(request, chosen);
}

void DetailsBar::EditCommand() {
    std::string chosen;
    if (!Ask(Tr(TextId::SelectGameProgram), Tr(TextId::ExecutablesFilter), StartFolder(true), chosen)) return;
    const GameRecord before = _game.record;
    SetField(_game.record.command, NameOf(chosen).c_str());
    SetField(_game.record.path, FolderOf(chosen).c_str());
    if (!Commit(before)) return;
    Refresh();
    SetValue(kCommand, FieldText(_game.record.command));
    SetValue(kPath, FieldText(_game.record.path));
    ShowDosRows(&_game.record);  // a DOS program now, or no longer
}

void DetailsBar::EditDocument() {
    std::string chosen;
    if (!Ask("Please select the game document...", kAllFiles, StartFolder(false), chosen)) return;
    const GameRecord before = _game.record;
    SetField(_game.record.document, NameOf(chosen).c_str());
    if (!Commit(before)) return;
    SetValue(kDocument, FieldText(_game.record.document));
}

void DetailsBar::EditFile(int code) {
    const bool program = code == kProgram;
    std::string chosen;
    if (!Ask(program ? "Please select the executable..." : "Please select the game data file...",
             program ? Tr(TextId::ExecutablesFilter, Language::English) : kAllFiles, StartFolder(false), chosen))
        return;
    const GameRecord before = _game.record;
    SetField(program ? _game.record.programName : _game.record.dataName, NameOf(chosen).c_str());
    uint32_t length = 0;
    const bool measured = FileLength(chosen, length);
    (program ? _game.record.programSize : _game.record.dataSize) = length;
    if (!Commit(before)) return;
    SetValue(code, NameOf(chosen));
    if (measured) SetValue(code + 1, Format("%d", static_cast<int>(length)));
}

void DetailsBar::EditPicture() {
    win::OpenFileRequest request;
    request.owner = _main;
    request.title = "Select a new picture...";
    request.filter = "Bitmaps|*.bmp||";
    request.initialDir = _state.programFolder + "\\Images";
    std::string chosen;
    if (!win::Ui().PickFile(request, chosen)) return;
    // The picture is checked before anything sees it, and stored before it is
    // shown: a damaged or unstorable picture changes nothing.
    std::vector<char> bytes;
    const PictureFileStatus status = ReadPictureFile(chosen, bytes);
    if (status != PictureFileStatus::Ok) {
        win::Ui().ShowMessage(_main, PictureLoadMessage(chosen, status, CurrentLanguage()), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!EmbedPictureBytes(_game.path, bytes)) {
        win::Ui().ShowMessage(_main, "Failed to update the image!", "Error", MB_OK);
        return;
    }
    // The file's record now counts the new picture; later saves must keep it.
    GameRecord stored;
    if (ReadGameRecord(_game.path, stored) == GameFileStatus::Ok) _game.record.pictureSize = stored.pictureSize;
    SetValue(kPicture, "Embedded");
    if (_host.showPicture) _host.showPicture(PreviewFromPicture(bytes));
    Refresh();
}

void DetailsBar::Toggle(int code, int32_t bit) {
    if (_game.record.options < 0 || _game.record.options > 3) return;
    const GameRecord before = _game.record;
    _game.record.options ^= bit;
    if (!Commit(before)) return;
    SetValue(code, (_game.record.options & bit) ? "Yes" : "No");
}
