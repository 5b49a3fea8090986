// The add-game dialog.
#include "dialogs/AddGameDialog.h"
#include "win/Texts.h"
#include "data/CriteriaData.h"
#include "data/GameFile.h"
#include "data/NameRules.h"
#include "data/NewGame.h"
#include "dialogs/PictureMessages.h"
#include "res/AddGameDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include <commdlg.h>

namespace {

constexpr int kPublisherStopAfterFree = 9;

const int kBrowseButtons[] = {IDC_ADD_BROWSE_PATH, IDC_ADD_BROWSE_COMMAND, IDC_ADD_BROWSE_DOCUMENT,
                              IDC_ADD_BROWSE_DATAFILE, IDC_ADD_BROWSE_PICTURE};

const int kTextFields[] = {IDC_ADD_TITLE,    IDC_ADD_PATH,     IDC_ADD_COMMAND,
                           IDC_ADD_DOCUMENT, IDC_ADD_DATAFILE, IDC_ADD_PICTURE};

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

AddGameDialog::AddGameDialog(std::string programFolder, const IniFile& dataIni)
    : SkinnedDialog(IDD_ADDGAME), _programFolder(std::move(programFolder)), _dataIni(dataIni) {}

AddGameDialog::~AddGameDialog() {
    // A modeless dialog still open: close it while the images are ours.
    if (Handle()) DestroyWindow(Handle());
}

bool AddGameDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetChecked(IDC_ADD_VDMSOUND, true);
    SetChecked(IDC_ADD_WIN95, true);
    SetButtonIcon(IDI_BROWSE, kBrowseButtons);
    for (int id : kTextFields) LimitText(id, kTextSize - 1);
    win::ComboBox(Item(IDC_ADD_PUBLISHER)).LimitText(kTextSize - 1);
    win::ComboBox(Item(IDC_ADD_CATEGORY)).LimitText(kTextSize - 1);
    FillLists();
    SetFocus(Item(IDC_ADD_TITLE));
    return false;  // the focus is set
}

void AddGameDialog::FillLists() {
    win::ComboBox categories(Item(IDC_ADD_CATEGORY)), publishers(Item(IDC_ADD_PUBLISHER));
    for (const auto& category : ReadCriteriaList(_dataIni, CriteriaList::Categories)) categories.Add(category);
    for (const auto& publisher : ReadCriteriaList(_dataIni, CriteriaList::Publishers, -1, kPublisherStopAfterFree))
        publishers.Add(publisher);
}

void AddGameDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_ADD_BROWSE_PICTURE: BrowsePicture(); break;
        case IDC_ADD_BROWSE_PATH: BrowseFolder(); break;
        case IDC_ADD_BROWSE_COMMAND:
            BrowseFile(IDC_ADD_COMMAND, Tr(TextId::ExecutablesFilter, Language::English),
                       Tr(TextId::SelectGameProgram, Language::English));
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
    // Only checked bytes reach LoadImageA; a damaged picture changes nothing.
    std::vector<char> bytes;
    const PictureFileStatus status = ReadPictureFile(chosen, bytes);
    if (status != PictureFileStatus::Ok) {
        win::Ui().ShowMessage(Handle(), PictureLoadMessage(chosen, status, Language::English), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (HBITMAP bitmap = PreviewFromPicture(bytes)) {
        ShowPreview(bitmap);
        _chosenPicture = chosen;
        SetItemText(IDC_ADD_PICTURE, FileNameOf(chosen));
        return;
    }
    ShowPreview(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DEFAULTGAME)));
    _chosenPicture.clear();
    win::Ui().ShowMessage(Handle(), Format(Tr(TextId::PictureNotLoaded, Language::English), chosen.c_str()), kAppName,
                          MB_OK);
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
    SetItemBitmap(IDC_ADD_PREVIEW, bitmap);
    _preview.Reset(bitmap);
    RepaintControl(Item(IDC_ADD_PREVIEW));
}

void AddGameDialog::OnDestroy() {
    // The controls still show our images: take them back before freeing them.
    SetItemBitmap(IDC_ADD_PREVIEW, nullptr);
    _preview.Reset();
}

// The picture field holds a name only. The picture picked with the browser is
// found where it was picked; a name typed by hand is looked up in the Images
// folder, whatever the current directory is.
std::string AddGameDialog::PictureSource(const std::string& field) const {
    if (field.empty()) return field;
    if (!_chosenPicture.empty() && field == FileNameOf(_chosenPicture)) return _chosenPicture;
    if (HasDriveOrRoot(field)) return field;
    return Format("%s\\Images\\%s", _programFolder.c_str(), field.c_str());
}

// A title that cannot name a file in the Games folder is refused here, before
// anything is written, rather than failing (or writing elsewhere) later.
bool AddGameDialog::AcceptTitle(const std::string& gameTitle) {
    const char* problem = nullptr;
    switch (CheckGameTitle(gameTitle, _programFolder)) {
        case TitleProblem::None: return true;
        case TitleProblem::TooShort: problem = "Please enter the 'Game Title'."; break;
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
        case TitleProblem::OtherFileName:
            problem =
                "A game file already exists under this name:\n%s\n\n"
                "It is the short name of another game's file. Please enter another title.";
            break;
    }
    win::Ui().ShowMessage(Handle(), Format(problem, gameTitle.c_str()), kAppName, MB_OK | MB_ICONSTOP);
    SetFocus(Item(IDC_ADD_TITLE));
    SelectText(IDC_ADD_TITLE);
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
    if (!AcceptTitle(gameTitle)) return false;

    NewGameFields fields;
    fields.title = gameTitle;
    fields.publisher = ItemText(IDC_ADD_PUBLISHER);
    fields.category = ItemText(IDC_ADD_CATEGORY);
    fields.path = path;
    fields.command = ItemText(IDC_ADD_COMMAND);
    fields.document = ItemText(IDC_ADD_DOCUMENT);
    fields.dataFile = ItemText(IDC_ADD_DATAFILE);
    fields.vdmSound = IsChecked(IDC_ADD_VDMSOUND);
    fields.win95 = IsChecked(IDC_ADD_WIN95);
    const std::string gamePath = GameFilePath(_programFolder, gameTitle);
    const std::string setup = path.empty() ? std::string() : FindSetupProgram(path);

    // The picture is read and checked before anything is written.
    const std::string source = PictureSource(picture);
    std::vector<char> bytes;
    const PictureFileStatus pictureStatus = picture.empty() ? PictureFileStatus::Ok : ReadPictureFile(source, bytes);
    if (!WriteNewGameFile(gamePath, NewGameRecord(fields, setup), bytes)) {
        win::Ui().ShowMessage(Handle(), Format("Failed to create the new QGF file!\n%s", gamePath.c_str()), "Error",
                              MB_OK | MB_ICONEXCLAMATION);
        End(IDCANCEL);
        return false;
    }
    if (pictureStatus != PictureFileStatus::Ok)
        win::Ui().ShowMessage(Handle(),
                              Format("Failed to embed the picture!\n%s", source.c_str()) + "\n\n" +
                                  PictureProblem(pictureStatus, Language::English),
                              "Created with error...", MB_OK | MB_ICONEXCLAMATION);
    added = AddedGame{gameTitle, setup.empty()};
    return true;
}

std::optional<AddedGame> AskAddGame(HWND owner, const std::string& programFolder, const IniFile& dataIni) {
    AddGameDialog dialog(programFolder, dataIni);
    if (win::Ui().RunModal(dialog, owner) != IDOK) return std::nullopt;
    return dialog.added;
}
