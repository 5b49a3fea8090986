// The game list: one row per game file of the games folder, its row images,
// sorting, and the display of the selected game.
#include "mainwnd/MainWindow.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "data/Bitmap.h"
#include "launch/ParameterLine.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool LessNoCase(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; }

// The sort key of one game file: its Publisher, Category or Setup; empty when
// the record cannot be read (no validity check, as for any raw read).
std::string SortKey(const std::string& path, int column) {
    GameRecord record;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return {};
    size_t n = fread(&record, 1, sizeof record, f);
    fclose(f);
    if (n != sizeof record) return {};
    switch (column) {
        case 1: return FieldText(record.publisher);
        case 2: return FieldText(record.category);
        default: return FieldText(record.setup);
    }
}

// Size and last write time of a file, 0 when it is missing.
unsigned long long FileStamp(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    FindClose(h);
    return (static_cast<unsigned long long>(fd.ftLastWriteTime.dwHighDateTime) << 32 |
            fd.ftLastWriteTime.dwLowDateTime) ^
           (static_cast<unsigned long long>(fd.nFileSizeHigh) << 48 | fd.nFileSizeLow);
}

}  // namespace

void MainWindow::EnableGameCommands(bool on) {
    for (int id : {IDC_RUNGAME, IDC_GAMESETTINGS, IDC_MODIFY, IDC_DOCS}) EnableItem(id, on);
}

bool MainWindow::FillGameList() {
    win::WaitCursor wait;
    _busy = true;
    EnableGameCommands(false);
    _list.DeleteAll();
    _rowCount = 0;

    std::vector<std::string> names;
    int counted = 0;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((_state.gamesFolder + "\\*.qgf").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (IsDosDeviceName(fd.cFileName)) continue;  // a device, not a file: never opened
            ++counted;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && names.size() < static_cast<size_t>(kMaxGames))
                names.push_back(fd.cFileName);
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    HWND progress = Item(IDC_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, names.size()));
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    if (counted > kMaxGames) {
        win::Ui().ShowMessage(Handle(),
                              Format(Tr(_state.spanish, "There are %d games, maximum is %d.\nPlease remove some games.",
                                        "Hay %d juegos, el m\xE1ximo es %d. Por favor, borre algunos juegos."),
                                     counted, kMaxGames),
                              kAppName, MB_OK);
    }
    std::sort(names.begin(), names.end(), LessNoCase);

    if (_sortColumn != 0) {
        // Grouped by the column's value, by name within a group; the files that
        // cannot be read have an empty key and come first.
        std::vector<std::pair<std::string, std::string>> keyed;
        keyed.reserve(names.size());
        for (const auto& name : names) keyed.emplace_back(SortKey(_state.gamesFolder + "\\" + name, _sortColumn), name);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return LessNoCase(a.first, b.first); });
        for (size_t i = 0; i < keyed.size(); ++i) names[i] = keyed[i].second;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        SendMessageA(progress, PBM_SETPOS, i, 0);
        InsertGameRow(names[i]);
    }

    if (_state.startupComplete) ShowDefaultPicture();
    ShowSelectedGame(-1, false);
    SetWindowTextA(Handle(),
                   _rowCount == 1
                       ? Format(Tr(_state.spanish, "%s - %d game", "%s - %d juego."), kAppTitle, _rowCount).c_str()
                       : Format(Tr(_state.spanish, "%s - %d games", "%s - %d juegos."), kAppTitle, _rowCount).c_str());
    _busy = false;
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    return true;
}

void MainWindow::InsertGameRow(const std::string& fileName) {
    std::string name = fileName;
    for (size_t i = name.size(); i-- > 1;) {
        if (name[i] == '.' && name.size() - i - 1 >= 3 && _strnicmp(name.c_str() + i + 1, "qgf", 3) == 0) {
            name.resize(i);
            break;
        }
    }
    int row = _list.InsertRow(_rowCount, name);
    if (!LoadGameFile(_state.gamesFolder + "\\" + fileName, false)) {
        win::Ui().ShowMessage(Handle(), Format("Failed to load:\n%s", fileName.c_str()), "Error", MB_OK);
    }
    if (!_game.path.empty()) {
        _list.SetText(row, 1, FieldText(_game.record.publisher));
        _list.SetText(row, 2, FieldText(_game.record.category));
    }
    _list.SetImage(row, _state.reloadVerify ? VerifyGameRow(row) : 7);
    _list.RedrawRow(row);
    _list.SetText(row, 3, SettingsColumnText());
    if (_state.individualUpdating) {
        UpdateWindow(Handle());
        ShowSelectedGame(row, true);
    }
    ++_rowCount;
}

std::string MainWindow::SettingsColumnText() const {
    const GameRecord& g = _game.record;
    if (g.setup[0] == '\0') return "None";
    if (UsesParameterSets(g)) return FieldText(g.command) + " " + ComposeParameterLine(g);
    return FieldText(g.setup);
}

int MainWindow::VerifyGameRow(int row) {
    if (row == -1 || _list.Text(row, 0).empty()) return 1;
    ShowSelectedGame(row, !_busy);
    const std::string path = FieldText(_game.record.path);
    const std::string command = FieldText(_game.record.command);
    if (path.size() < 2 || !FolderExists(path)) return 1;
    if (command.size() < 2) return 2;
    return FileExists(path + "\\" + command) ? 0 : 2;
}

void MainWindow::ShowSelectedGame(int row, bool showPicture) {
    if (!_state.startupComplete) return;
    _game.loaded = false;
    if (row == -1) row = _list.Selected();
    HMENU menu = GetMenu(Handle());
    if (row == -1) {
        // Nothing is shown now: selecting any row, even the one shown before a
        // fill, shows its game.
        _lastShownRow = -1;
        EnableMenuItem(menu, IDM_RUNGAME, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(menu, IDM_DELETEGAME, MF_BYCOMMAND | MF_GRAYED);
        SetWindowTextA(Handle(), kAppTitle);
        EnableGameCommands(false);
        ShowDefaultPicture();
        return;
    }
    _lastShownRow = row;
    if (!_busy) _list.EnsureVisible(row);
    EnableMenuItem(menu, IDM_RUNGAME, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(menu, IDM_DELETEGAME, MF_BYCOMMAND | MF_ENABLED);
    EnableGameCommands(true);

    const std::string text = _list.Text(row, 0, 260);
    if (text.empty()) return;
    // While the list is filled or verified every row passes through here: only a
    // game that the user selected is remembered as the last one.
    if (!_busy) WriteSettingString(setting::kLastRun, text.c_str());
    const std::string fileName = text + ".qgf";
    const std::string path = _state.gamesFolder + "\\" + fileName;
    _game.loaded = LoadGameFile(path, showPicture);
    if (!_game.loaded) {
        SetWindowTextA(Handle(), kAppTitle);
        EnableGameCommands(false);
        ShowDefaultPicture();
        // The fill already reported the file; a repaint reports it only once.
        if (!_busy) ReportLoadFailure(path, fileName);
        return;
    }
    _reportedFailure.clear();
    SetWindowTextA(Handle(), Format("%s - %s", kAppTitle, FieldText(_game.record.title).c_str()).c_str());
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::ReportLoadFailure(const std::string& path, const std::string& caption) {
    const unsigned long long stamp = FileStamp(path);
    if (path == _reportedFailure && stamp == _reportedStamp) return;
    _reportedFailure = path;
    _reportedStamp = stamp;
    win::Ui().ShowMessage(Handle(), "Failed to load the game file.\nPlease re-create it.", caption, MB_OK);
}

void MainWindow::RefreshGameList() {
    int selected = _list.Selected();
    std::string text = selected == -1 ? std::string() : _list.Text(selected, 0, 260);
    _reportedFailure.clear();
    FillGameList();
    if (text.empty()) return;
    int row = _list.Find(text);
    if (row == -1) return;
    _list.Select(row);
    _reportedFailure.clear();
    ShowSelectedGame(row, true);
}

void MainWindow::VerifyAllGames() {
    win::WaitCursor wait;
    int selected = _list.Selected();
    _busy = true;
    HWND progress = Item(IDC_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, _rowCount));
    for (int row = 0; row < _rowCount; ++row) {
        SendMessageA(progress, PBM_SETPOS, row, 0);
        _list.SetImage(row, VerifyGameRow(row));
        _list.RedrawRow(row);
    }
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    _busy = false;
    ShowSelectedGame(selected, true);
}

void MainWindow::SortBy(int column) {
    _sortColumn = column;
    FillGameList();
}

void MainWindow::OnListNotify(NMHDR& hdr) {
    switch (hdr.code) {
        case NM_CLICK:
            // A click that just selected the row was reported by the selection change.
            if (!_selectionShownByClick) _reportedFailure.clear();
            _selectionShownByClick = false;
            ShowSelectedGame(-1, true);
            break;
        case LVN_ITEMCHANGED: {
            auto& change = reinterpret_cast<NMLISTVIEW&>(hdr);
            if (!(change.uChanged & LVIF_STATE)) break;
            int selected = _list.Selected();
            if (selected != _lastShownRow && selected != -1 && !_busy) {
                _reportedFailure.clear();
                _selectionShownByClick = true;
                ShowSelectedGame(selected, true);
            }
            break;
        }
        case NM_DBLCLK: RunAndSave(GetSelectedRow()); break;
        case LVN_COLUMNCLICK: SortBy(reinterpret_cast<NMLISTVIEW&>(hdr).iSubItem); break;
        default: break;
    }
}

bool MainWindow::LoadGameFile(const std::string& path, bool showPicture) {
    _game.loaded = false;
    std::memset(&_game.record, 0, sizeof _game.record);
    _game.path.clear();
    if (ReadGameRecord(path, _game.record) != GameFileStatus::Ok) return false;
    _game.path = path;
    _game.loaded = true;
    if (_game.record.pictureSize == 0 || !showPicture) {
        ShowDefaultPicture();
        return true;
    }
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string tempFile = std::string(temp) + "~_quil_~.bmp";
    std::vector<char> picture;
    if (!ReadGamePicture(path, _game.record.pictureSize, picture)) return true;
    // A damaged picture never reaches LoadImageA: the default picture is shown.
    const bool usable = IsUsableBitmap(picture.data(), picture.size());
    FILE* f = usable ? fopen(tempFile.c_str(), "wb") : nullptr;
    if (usable && !f) return true;
    bool written = f && fwrite(picture.data(), 1, picture.size(), f) == picture.size();
    written = f && fclose(f) == 0 && written;
    HBITMAP bitmap = written ? static_cast<HBITMAP>(LoadImageA(nullptr, tempFile.c_str(), IMAGE_BITMAP, 0, 0,
                                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION))
                             : nullptr;
    if (!bitmap) {
        OutputDebugStringA("qgf - Loadimage..FAILED.");
        ShowDefaultPicture();
    } else {
        SetPreview(bitmap);
    }
    RedrawWindow(Item(IDC_PICTURE), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return true;
}

void MainWindow::ShowDefaultPicture() {
    if (_preview && _previewIsDefault) return;  // already shown: no need to load it again
    SetPreview(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DEFAULTGAME),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    _previewIsDefault = true;
}

void MainWindow::SetPreview(HBITMAP bitmap) {
    // The control shows the bitmap until the next one replaces it: only then is
    // the old one deleted.
    SendDlgItemMessageA(Handle(), IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (_preview && _preview != bitmap) DeleteObject(_preview);
    _preview = bitmap;
    _previewIsDefault = false;
}
