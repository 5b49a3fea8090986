// The Loader.ini import dialog.
#include "dialogs/ImportDialog.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "data/LoaderIni.h"
#include "dialogs/PictureMessages.h"
#include "res/ImportDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <commdlg.h>
#include <algorithm>

namespace {

constexpr int kColumnWidth = 245;

std::string Number(int n) { return Format("%d", n); }

// Rows whose name equals an earlier row's without regard to case.
int CountDuplicates(std::vector<std::string> names) {
    std::sort(names.begin(), names.end(), LessNoCase);
    int duplicates = 0;
    for (size_t i = 1; i < names.size(); ++i)
        if (EqualNoCase(names[i], names[i - 1])) ++duplicates;
    return duplicates;
}

}  // namespace

ImportDialog::ImportDialog(std::string programFolder, ImportMode mode)
    : SkinnedDialog(IDD_IMPORT), _programFolder(std::move(programFolder)), _mode(mode) {}

ImportDialog::~ImportDialog() {
    if (Handle()) DestroyWindow(Handle());
}

bool ImportDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetButtonIcon(IDI_BROWSE, {IDC_IMPORT_BROWSE});
    _list.Attach(Item(IDC_IMPORT_LIST));
    _list.InsertColumn(0, "Game Name", kColumnWidth);
    // The list view owns the image list and destroys it with itself.
    HIMAGELIST images = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ROWIMAGES), 16, 1,
                                             RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (images) ListView_SetImageList(_list.Handle(), images, LVSIL_SMALL);
    ListView_SetExtendedListViewStyle(_list.Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
    _loaded = true;
    LimitText(IDC_IMPORT_PATH, MAX_PATH - 1);
    if (_mode == ImportMode::Startup) {
        // Putting the path in loads the list.
        SetItemText(IDC_IMPORT_PATH, _programFolder + "\\" + kLoaderIniName);
        EnableItem(IDC_IMPORT_PATH, false);
        EnableItem(IDC_IMPORT_BROWSE, false);
        SetFocus(Item(_fileExists ? IDC_IMPORT_LIST : IDOK));
    } else {
        LoadList();
        SetFocus(Item(IDC_IMPORT_PATH));
    }
    return false;  // the focus is set
}

void ImportDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (id == IDC_IMPORT_PATH && code == EN_CHANGE) LoadList();
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_IMPORT_CONVERT: Convert(); break;
        case IDC_IMPORT_BROWSE: Browse(); break;
        default: break;
    }
}

LRESULT ImportDialog::OnNotify(int id, NMHDR& hdr) {
    if (id != IDC_IMPORT_LIST) return 0;
    switch (hdr.code) {
        case NM_DBLCLK: ToggleMark(RowAt(GetMessagePos())); break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN&>(hdr).wVKey == VK_SPACE) ToggleMark(_list.Selected());
            break;
        default: break;
    }
    return 0;
}

void ImportDialog::OnDestroy() { SetItemIcon(IDC_IMPORT_BROWSE, nullptr); }

// The row under a point of the screen, -1 for none. (The double click's own
// row number is missing on the first common controls.)
int ImportDialog::RowAt(DWORD screenPos) const {
    LVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(screenPos));
    hit.pt.y = static_cast<short>(HIWORD(screenPos));
    ScreenToClient(_list.Handle(), &hit.pt);
    return ListView_HitTest(_list.Handle(), &hit);
}

void ImportDialog::LoadList() {
    const std::string path = ItemText(IDC_IMPORT_PATH);
    _fileExists = FileExists(path);
    CatalogueSections sections;
    IniFile ini;
    if (_fileExists) {
        if (ini.Open(path)) sections = ReadCatalogueSections(ini);
        _fileExists = !sections.names.empty();
    }
    _unread = sections.unread;
    _list.DeleteAll();
    int duplicates = 0;
    if (_fileExists) {
        win::NoRedraw quiet(_list.Handle());
        for (const auto& name : sections.names) {
            int row = _list.InsertRow(_list.Count(), name);
            if (row >= 0) _list.SetImage(row, kMarked);
        }
        duplicates = CountDuplicates(sections.names);
    }
    SetItemText(IDC_IMPORT_FOUND, Number(_fileExists ? _list.Count() : 0));
    SetItemText(IDC_IMPORT_DUPLICATES, Number(duplicates));
    ShowSelectedCount();
    EnableItem(IDC_IMPORT_CONVERT, _fileExists);
    EnableItem(IDC_IMPORT_PROGRESS, _fileExists);
    EnableItem(IDC_IMPORT_LIST, _fileExists);
    ShowStatus(_unread > 0 ? Format("%d more sections could not be read.", _unread) : std::string("..."));
    win::ProgressBar(Item(IDC_IMPORT_PROGRESS)).SetPos(0);
    _loaded = true;
    SetItemText(IDC_IMPORT_CONVERT, "Convert");
}

void ImportDialog::ShowSelectedCount() {
    SetItemText(IDC_IMPORT_SELECTED, Number(_list.CountImage(kMarked)));
}

void ImportDialog::ShowStatus(const std::string& text) {
    SetItemText(IDC_IMPORT_STATUS, text);
    RepaintControl(Item(IDC_IMPORT_STATUS));
}

void ImportDialog::ToggleMark(int row) {
    if (row < 0 || row >= _list.Count()) return;
    _list.SetImage(row, _list.Image(row) == kMarked ? kUnmarked : kMarked);
    ShowSelectedCount();
}

void ImportDialog::Browse() {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = "Please select the ini file to convert";
    request.filter = "INI File (*.ini)|*.ini||";
    request.initialDir = _programFolder;
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (win::Ui().PickFile(request, chosen)) SetItemText(IDC_IMPORT_PATH, chosen);
}

void ImportDialog::Convert() {
    if (!_loaded) {  // the button reads Reset
        LoadList();
        return;
    }
    const std::string path = ItemText(IDC_IMPORT_PATH);
    const std::string images = ImagesFolderOf(path);
    const bool overwrite = IsChecked(IDC_IMPORT_OVERWRITE);
    IniFile ini;
    if (!ini.Open(path)) {
        win::Ui().ShowMessage(Handle(), "Could not initialize the INI file!", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    win::WaitCursor wait;
    win::ProgressBar progress(Item(IDC_IMPORT_PROGRESS));
    const int rows = _list.Count();
    progress.SetRange(rows);
    progress.SetPos(0);
    converted = failed = existing = 0;
    std::vector<GameNote> notes;
    for (int row = 0; row < rows; ++row) {
        progress.SetPos(row + 1);
        if (_list.Image(row) != kMarked) continue;
        const std::string section = _list.Text(row, 0);
        int image = kNotConverted;
        const SectionResult result =
            ConvertSectionToGame(ini, section, ImportFileName(section), _programFolder, images, overwrite);
        if (result.picture != PictureNote::None || !result.otherFile.empty()) notes.push_back({section, result});
        switch (result.outcome) {
            case SectionOutcome::Converted:
                ++converted;
                image = kConverted;
                break;
            case SectionOutcome::Exists:
            case SectionOutcome::OtherFile: ++existing; break;
            case SectionOutcome::Refused:
            case SectionOutcome::Failed: ++failed; break;
        }
        _list.SetImage(row, image);
    }
    std::string status = Format("Converted: %d.  Failed: %d.  Already exists: %d", converted, failed, existing);
    if (_unread > 0) status += Format(".  Not read: %d", _unread);
    ShowStatus(status);
    SetItemText(IDC_IMPORT_CONVERT, "Reset");
    _loaded = false;
    // "Selected" keeps the number of rows that were marked for this conversion.
    if (!notes.empty())
        win::Ui().ShowMessage(Handle(), ConversionNotesText(notes), "Import Loader.ini", MB_OK | MB_ICONEXCLAMATION);
    if (_mode == ImportMode::Startup) RetireCatalogue();
}

// After a start-up conversion the old catalogue is kept as Loader07.ini, so that
// it is not offered again; the dialog then closes.
void ImportDialog::RetireCatalogue() {
    renamed = RetireLoaderIni(_programFolder);
    if (renamed)
        win::Ui().ShowMessage(Handle(), "Loader.ini has been renamed to loader07.ini.", "Completed",
                              MB_OK | MB_ICONINFORMATION);
    else
        win::Ui().ShowMessage(Handle(), "Failed to rename the loader.ini file!\n'Loader07.ini' may already exist!",
                              "Problem...", MB_OK);
    End(IDOK);
}

LoaderIniOutcome AskImportLoaderIni(HWND owner, const std::string& programFolder, ImportMode mode) {
    ImportDialog dialog(programFolder, mode);
    win::Ui().RunModal(dialog, owner);
    LoaderIniOutcome outcome;
    outcome.converted = dialog.converted;
    outcome.renamed = dialog.renamed;
    return outcome;
}
