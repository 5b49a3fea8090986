// The details bar: building it, filling it from the current game, and its
// links, comment and document actions.
#include "mainwnd/DetailsBar.h"
#include "win/Texts.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "data/GameExtras.h"
#include "dialogs/CommentDialog.h"
#include "launch/ProgramKind.h"
#include "launch/SoundSetup.h"
#include "mainwnd/DesktopShortcut.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"

namespace {

constexpr LPARAM kHeaderValue = 255;

// The tree's rows: a header, then its value items with their placeholder texts.
struct TreeRow {
    const char* header;  // null: another value item under the previous header
    int code;
    const char* placeholder;
};
constexpr TreeRow kRows[] = {
    {"Full Game Name", DetailsBar::kTitle, "game"},
    {"Publisher", DetailsBar::kPublisher, "Sierra"},
    {"Category", DetailsBar::kCategory, "Adventure"},
    {"Path", DetailsBar::kPath, "C:\\"},
    {nullptr, DetailsBar::kOpenFolder, "Open Folder"},
    {"Command", DetailsBar::kCommand, "sierra.exe"},
    {"Document", DetailsBar::kDocument, "readme.txt"},
    {"Exe File", DetailsBar::kProgram, ""},
    {nullptr, DetailsBar::kProgramSize, "0"},
    {"Game Data File", DetailsBar::kDataFile, "File: resource.001"},
    {nullptr, DetailsBar::kDataSize, "Size: 0"},
    {"Picture", DetailsBar::kPicture, "None"},
    {"Use VDMSound", DetailsBar::kVdmSound, "No"},
    {"95 Compatible", DetailsBar::kWin95, "No"},
    {"Run With", DetailsBar::kRunWith, "Default"},
    {"Web Site", DetailsBar::kWebSite, ""},
};

// A DOS game's rows, after "Run With": they come and go with the kind of game.
constexpr TreeRow kDosRows[] = {
    {"DOSBox program", DetailsBar::kDosBoxProgram, ""},
    {"CD-ROM", DetailsBar::kCdRom, ""},
    {"Sound setup", DetailsBar::kSoundSetup, ""},
};

std::string CdRomText(const CdRom& cd) {
    if (cd.kind == CdRomKind::Drive) return Format("Drive %c:", cd.drive);
    if (cd.kind == CdRomKind::None) return "None";
    std::string images;
    for (const std::string& image : cd.images) images += (images.empty() ? "" : "; ") + image;
    return images;
}

}  // namespace

// kRect is in the pixels of the window's own font, MS Sans Serif 8 (dialog base
// units 6 x 13). Where another font stands in, the template's controls grow with
// it, and so does the bar: its place is kept beside the list.
RECT DetailsBar::BarRect(HWND mainWindow) {
    RECT units{kRect.left * 4 / 6, kRect.top * 8 / 13, kRect.right * 4 / 6, kRect.bottom * 8 / 13};
    if (!MapDialogRect(mainWindow, &units)) return kRect;
    return units;
}

DetailsBar::DetailsBar(CurrentGame& game, const AppState& state, Host host)
    : _game(game), _state(state), _host(std::move(host)) {}

DetailsBar::~DetailsBar() {
    if (_small) ImageList_Destroy(_small);
    if (_large) ImageList_Destroy(_large);
}

bool DetailsBar::Create(HWND mainWindow) {
    _main = mainWindow;
    if (!_bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, BarRect(mainWindow), mainWindow, IDC_DETAILSBAR, kFlags))
        return false;
    _bar.SetOwner(mainWindow);
    HINSTANCE module = GetModuleHandleA(nullptr);
    _small = ImageList_LoadImageA(module, MAKEINTRESOURCEA(IDB_DETAILS_SMALL), 16, 1, RGB(0, 128, 128), IMAGE_BITMAP,
                                  LR_CREATEDIBSECTION);
    _large = ImageList_LoadImageA(module, MAKEINTRESOURCEA(IDB_DETAILS_LARGE), 32, 1, RGB(128, 128, 128), IMAGE_BITMAP,
                                  LR_CREATEDIBSECTION);
    _bar.SetImageList(_small, 1);
    _bar.SetImageList(_large, 2);
    _bar.animationDelay = kAnimationDelay;
    _bar.SetBlinkDelay(kBlinkDelay);

    _tree.Attach(CreateWindowExA(
        0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0, 0, 0,
        _bar.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DETAILS_TREE)), module, nullptr));
    _tree.SetImageList(_small);
    _bar.AddFolderWithChild("General Config", _tree.Handle(), 0);
    _bar.AddFolder("Links", 1);
    _bar.AddFolder("Comment", 2);
    _bar.InsertItem(kLinks, 0, "Create Desktop Shortcut", 6, 0);
    _bar.InsertItem(kLinks, 1, "Visit Web Site", 2, 0);
    _bar.InsertItem(kComment, 0, "COMMENT", 5, 0);
    BuildTree();
    _bar.SetSmallIconView(false);
    _bar.SetSelFolder(kGeneral);
    // The tree got its size only now: show it from its first header.
    _tree.ScrollToTop(_tree.Root());
    return _tree.Handle() != nullptr;
}

void DetailsBar::BuildTree() {
    HTREEITEM header = nullptr;
    for (const TreeRow& row : kRows) {
        if (row.header) {
            if (header) _tree.Expand(header);
            header = _tree.Add(TVI_ROOT, row.header, 0, kHeaderValue);
        }
        // The tree asks for the text when it draws it: changing a text is then
        // only a repaint (setting item texts one by one is slow under Wine).
        _values[row.code] = _tree.Add(header, LPSTR_TEXTCALLBACKA, 1, row.code);
        _shown[row.code] = row.placeholder;
        if (row.code == kRunWith) _dosRowsAfter = header;
    }
    _tree.Expand(header);
}

// Reads the game's sound setup files: once per game shown, never per repaint.
void DetailsBar::ShowDosRows(const GameRecord* game) {
    const bool dos = game && IsDosGame(*game);
    if (!dos) {
        for (HTREEITEM header : _dosHeaders) _tree.Delete(header);
        _dosHeaders.clear();
        for (const TreeRow& row : kDosRows) _values.erase(row.code);
        return;
    }
    if (_dosHeaders.empty()) {
        HTREEITEM after = _dosRowsAfter;
        for (const TreeRow& row : kDosRows) {
            after = _tree.Add(TVI_ROOT, row.header, 0, kHeaderValue, after);
            _dosHeaders.push_back(after);
            _values[row.code] = _tree.Add(after, LPSTR_TEXTCALLBACKA, 1, row.code);
            _tree.Expand(after);
        }
    }
    const GameExtras extras = ReadGameExtras(*game).extras;
    SetValue(kDosBoxProgram, extras.dosBoxProgram.empty() ? "As in Preferences" : extras.dosBoxProgram);
    SetValue(kCdRom, CdRomText(extras.cdRom));
    SetValue(kSoundSetup, SoundSetupText(FindSoundSetup(FieldText(game->path))));
}

HTREEITEM DetailsBar::ValueItem(int code) const {
    auto it = _values.find(code);
    return it == _values.end() ? nullptr : it->second;
}

std::string DetailsBar::ValueText(int code) const { return _tree.Text(ValueItem(code)); }

void DetailsBar::SetValue(int code, const std::string& text) {
    // Changing a tree item's text is costly (the tree measures and repaints
    // it): a text that is already shown is left alone.
    auto shown = _shown.find(code);
    if (shown != _shown.end() && shown->second == text) return;
    _shown[code] = text;
    InvalidateRect(_tree.Handle(), nullptr, TRUE);
}

void DetailsBar::ShowField(int code) {
    _bar.SetSelFolder(kGeneral);
    _tree.Select(ValueItem(code));
}

void DetailsBar::ShowValues(const GameRecord& g) {
    SetValue(kTitle, FieldText(g.title));
    SetValue(kPublisher, FieldText(g.publisher));
    SetValue(kCategory, FieldText(g.category));
    SetValue(kPath, FieldText(g.path));
    SetValue(kCommand, FieldText(g.command));
    SetValue(kDocument, FieldText(g.document));
    SetValue(kProgram, Format("File: %s", FieldText(g.programName).c_str()));
    SetValue(kProgramSize, Format("Size: %d", static_cast<int>(g.programSize)));
    SetValue(kDataFile, Format("File: %s", FieldText(g.dataName).c_str()));
    SetValue(kDataSize, Format("Size: %d", static_cast<int>(g.dataSize)));
    SetValue(kPicture, g.pictureSize != 0 ? "Embedded" : "None");
    if (g.options >= 0 && g.options <= 3) {
        SetValue(kVdmSound, (g.options & kOptionVdmSound) ? "Yes" : "No");
        SetValue(kWin95, (g.options & kOptionWin95) ? "Yes" : "No");
    }
    static const char* const kRunWithTexts[] = {"Default", "Windows", "DOSBox"};
    SetValue(kRunWith, kRunWithTexts[static_cast<int>(GameRunWith(g))]);
    SetValue(kWebSite, FieldText(g.webSite));
    ShowDosRows(&g);
}

void DetailsBar::ShowGame(const CurrentGame* game) {
    if (!game) {
        {
            win::NoRedraw hold(_tree.Handle());
            for (const TreeRow& row : kRows) SetValue(row.code, row.placeholder);
            ShowDosRows(nullptr);
        }
        _bar.SetItemText(kLinks, 1, "Visit Web Site");
        _bar.SetItemText(kComment, 0, "COMMENT");
        EnableWindow(_bar.Handle(), FALSE);
        if (_main) SetWindowTextA(_main, kAppTitle);
        // Opening the open folder again would hide and show its tree for nothing.
        if (_bar.GetSelFolder() != kGeneral) _bar.SetSelFolder(kGeneral);
        return;
    }
    const GameRecord& g = game->record;
    EnableWindow(_bar.Handle(), TRUE);
    {
        // One repaint of the tree for the whole fill, not one per item.
        win::NoRedraw hold(_tree.Handle());
        ShowValues(g);
    }
    _bar.SetItemText(kLinks, 1, FieldText(g.webSite));
    _bar.SetItemText(kComment, 0, FieldText(g.comment));
    if (_main) SetWindowTextA(_main, Format("%s - %s", kAppTitle, FieldText(g.title).c_str()).c_str());
}

LRESULT DetailsBar::OnBarNotify(WPARAM code, LPARAM lp) {
    switch (code) {
        case OutBar::kItemClicked: ItemAction(static_cast<int>(lp)); return 0;
        case OutBar::kItemDragged: return 1;
        case OutBar::kChildNotify: {
            const auto* info = reinterpret_cast<const OutBar::ChildNotifyInfo*>(lp);
            if (!info || !info->header || info->header->hwndFrom != _tree.Handle()) return 0;
            if (info->header->code == TVN_GETDISPINFOA) {
                auto* display = reinterpret_cast<NMTVDISPINFOA*>(info->header);
                auto shown = _shown.find(static_cast<int>(display->item.lParam));
                if ((display->item.mask & TVIF_TEXT) && display->item.pszText && display->item.cchTextMax > 0)
                    lstrcpynA(display->item.pszText, shown == _shown.end() ? "" : shown->second.c_str(),
                              display->item.cchTextMax);
                return 0;
            }
            if (info->header->code != NM_DBLCLK) return 0;
            LPARAM field = 0;
            if (_tree.Param(_tree.Selected(), field)) EditField(static_cast<int>(field));
            return 0;
        }
        default: return 0;
    }
}

void DetailsBar::ItemAction(int item) {
    // The action follows the position, not the label: dragged items swap actions.
    switch (_bar.GetSelFolder()) {
        case kLinks:
            if (_host.selectedTitle().empty()) return;
            if (item == 0) CreateDesktopShortcut();
            if (item == 1) VisitWebSite();
            break;
        case kComment: EditComment(); break;
        default: break;
    }
}

void DetailsBar::CreateDesktopShortcut() {
    const std::string title = _host.selectedTitle();
    std::string desktop = desktopFolder;
    if (desktop.empty() && !DesktopFolderPath(_main, desktop)) {
        win::Ui().ShowMessage(_main, "Cannot retrieve the desktop location!", "Error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string link = desktop + "\\" + ShortcutFileName(title);
    if (SaveShellLink(link, _game.path, title))
        win::Ui().ShowMessage(_main, "Created Desktop Shortcut", title, MB_OK | MB_ICONINFORMATION);
    else
        win::Ui().ShowMessage(_main, "Failed to create the shortcut!", "Error", MB_OK | MB_ICONEXCLAMATION);
}

void DetailsBar::VisitWebSite() {
    const std::string web = FieldText(_game.record.webSite);
    if (web.empty() || EqualNoCase(web, "http://")) {
        ShowField(kWebSite);
        win::Ui().ShowMessage(_main, "No Web Site has been set.", "Cannot load WebSite", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string address;
    if (!ToWebAddress(web, address) || win::Ui().Execute(_main, "open", address, "", "", SW_SHOWNORMAL) <= 32) {
        win::Ui().ShowMessage(_main, Format(Tr(TextId::WebSiteFailed), web.c_str()), kAppName, MB_OK);
    }
}

void DetailsBar::EditComment() {
    if (!_game.loaded) return;
    auto comment = AskComment(_main, FieldText(_game.record.comment));
    if (!comment) return;
    const GameRecord before = _game.record;
    SetField(_game.record.comment, comment->c_str());
    if (!Commit(before)) return;
    _bar.SetSelFolder(kComment);
    _bar.SetItemText(kComment, 0, FieldText(_game.record.comment));
}

bool DetailsBar::Commit(const GameRecord& before) {
    if (SaveGameFile(_game)) return true;
    _game.record = before;
    win::Ui().ShowMessage(_main,
                          Format("Could not save the game file:\n%s\nThe change was not stored.", _game.path.c_str()),
                          FieldText(_game.record.title), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void DetailsBar::Refresh() {
    if (_host.refreshRow) _host.refreshRow();
}

// Opens the game's document, which must lie inside the game folder: a
// Document from the game file that leads elsewhere or names a device is never
// handed to the shell.
void DetailsBar::OpenDocument() {
    if (!_game.loaded) return;
    const std::string path = FieldText(_game.record.path);
    if (!FolderExists(path)) {
        ShowField(kPath);
        win::Ui().ShowMessage(_main, "The game path is invalid.\nPlease locate the game first.", kAppName, MB_OK);
        return;
    }
    const std::string name = FieldText(_game.record.document);
    std::string document = path + "\\" + name;
    if (name.empty()) {
        std::string chosen;
        if (!Ask("Please select the game document...", "All Files (*.*)|*.*||", path, chosen)) return;
        const GameRecord before = _game.record;
        SetField(_game.record.document, chosen.substr(chosen.find_last_of("\\/") + 1).c_str());
        if (Commit(before)) {
            SetValue(kDocument, FieldText(_game.record.document));
            Refresh();
        }
        document = chosen;
    } else if (!IsNameInsideFolder(name)) {
        ShowField(kDocument);
        win::Ui().ShowMessage(_main,
                              Format("The document '%s'\nis not a file in the game folder, so it has not been "
                                     "opened.\n\nPlease choose the game's document again (double-click the "
                                     "Document item).",
                                     name.c_str()),
                              kAppName, MB_OK | MB_ICONSTOP);
        return;
    }
    if (!FileExists(document)) {
        win::Ui().ShowMessage(_main, Format("The document %s\ncould not be found.", document.c_str()), kAppName, MB_OK);
        return;
    }
    if (win::Ui().Execute(_main, "open", document, "", path, SW_SHOWNORMAL) <= 32) {
        ShowField(kDocument);
        win::Ui().ShowMessage(
            _main, "Could not view the document!\nPlease make sure the file type is\nassociated with a viewer.",
            kAppName, MB_OK | MB_ICONSTOP);
    }
}
