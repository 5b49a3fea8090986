// The DOSBox settings dialog of one game.
#include "dialogs/DosBoxSettingsDialog.h"
#include "data/Strings.h"
#include "launch/GameSetup.h"
#include "launch/HostPath.h"
#include "launch/ProgramKind.h"
#include "res/DosBoxSettingsDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/Texts.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <cstddef>

namespace {

constexpr size_t kProgramChars = 259;
constexpr size_t kLinesChars = 30000;  // far more than the record holds: the size is told, not cut
constexpr int kArea = static_cast<int>(sizeof(GameRecord::reservedArea));
const int kBrowseButtons[] = {IDC_DBX_BROWSE};

// Where an entry of the area starts in the game file, for a player with a hex editor.
int FileOffset(size_t at) { return static_cast<int>(offsetof(GameRecord, reservedArea) + at); }

// The first CD drive of this computer, for a player who switches to "CD drive".
char FirstCdDrive() {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_CDROM) return letter;
    }
    return 'D';
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string NotDosBox(const std::string& program) {
    return Format(
        "This is not a program that can serve as DOSBox:\n%s\n\nPlease choose DOSBox's program, or leave "
        "the box empty so that this game runs in the DOSBox of the Preferences.",
        program.c_str());
}

const char* PartRule(ExtraLinePart part) {
    switch (part) {
        case ExtraLinePart::Section:
            return "Its section, before the dot, is not one that a game's own line may set (such as cpu, dosbox, "
                   "sblaster or mixer).";
        case ExtraLinePart::Key:
            return "Its key, between the dot and the =, may hold only letters, digits, _ and dots.";
        case ExtraLinePart::Value: return "Its value, after the =, may not hold [ ] # % or a control character.";
        default: return "It must read section.key=value, such as cpu.cycles=12000.";
    }
}

}  // namespace

DosBoxSettingsDialog::DosBoxSettingsDialog() : SkinnedDialog(IDD_DOSBOXSETTINGS) {}

DosBoxSettingsDialog::~DosBoxSettingsDialog() {
    // A modeless dialog still open: close it while its button's icon is there.
    if (Handle()) DestroyWindow(Handle());
}

bool DosBoxSettingsDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetButtonIcon(IDI_BROWSE, kBrowseButtons);
    SetWindowTextA(Handle(), Format("DOSBox Settings for %s", title.c_str()).c_str());
    LimitText(IDC_DBX_PROGRAM, kProgramChars);
    LimitText(IDC_DBX_LINES, kLinesChars);

    ExtrasRead read = ReadGameExtras(game);
    if (read.status == ExtrasStatus::Damaged) {
        const std::string ask = Format(
            "The DOSBox settings stored in this game file are damaged from byte %d of the file on, so what "
            "stands there cannot be read.\n\nCut the damaged part away? The settings before it are kept; the "
            "damaged bytes are gone once the game is saved.\n\nNo leaves the game file as it is, and its "
            "DOSBox settings unchanged.",
            FileOffset(read.at));
        if (win::Ui().ShowMessage(Handle(), ask, title, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) {
            End(IDCANCEL);
            return true;
        }
        CutDamagedExtras(game);
        read = ReadGameExtras(game);
    }
    if (read.status == ExtrasStatus::Refused)
        win::Ui().ShowMessage(Handle(),
                              Format("Some DOSBox settings stored in this game file (from byte %d of the file) are "
                                     "not allowed, so they are left out here.\n\nOK saves the settings as shown, "
                                     "without them.",
                                     FileOffset(read.at)),
                              title, MB_OK | MB_ICONINFORMATION);
    ShowExtras(read.extras);
    return true;
}

void DosBoxSettingsDialog::ShowExtras(const GameExtras& extras) {
    SetItemText(IDC_DBX_PROGRAM, extras.dosBoxProgram);
    win::ComboBox letters(Item(IDC_DBX_CD_LETTER));
    for (char letter = 'A'; letter <= 'Z'; ++letter) letters.Add(std::string(1, letter) + ":");
    const CdRom& cd = extras.cdRom;
    letters.Select((cd.kind == CdRomKind::Drive ? cd.drive : FirstCdDrive()) - 'A');
    win::ListBox images(Item(IDC_DBX_IMAGE_LIST));
    for (const std::string& image : cd.images) images.Add(image);
    std::string lines;
    for (const std::string& line : extras.extraLines) lines += line + "\r\n";
    SetItemText(IDC_DBX_LINES, lines);
    ShowCdKind(cd.kind);
}

void DosBoxSettingsDialog::ShowCdKind(CdRomKind kind) {
    _cdKind = kind;
    SetChecked(IDC_DBX_CD_NONE, kind == CdRomKind::None);
    SetChecked(IDC_DBX_CD_DRIVE, kind == CdRomKind::Drive);
    SetChecked(IDC_DBX_CD_IMAGES, kind == CdRomKind::Images);
    EnableItem(IDC_DBX_CD_LETTER, kind == CdRomKind::Drive);
    for (int id : {IDC_DBX_IMAGE_LIST, IDC_DBX_IMAGE_ADD, IDC_DBX_IMAGE_REMOVE})
        EnableItem(id, kind == CdRomKind::Images);
}

void DosBoxSettingsDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_DBX_CD_NONE: ShowCdKind(CdRomKind::None); break;
        case IDC_DBX_CD_DRIVE: ShowCdKind(CdRomKind::Drive); break;
        case IDC_DBX_CD_IMAGES: ShowCdKind(CdRomKind::Images); break;
        case IDC_DBX_BROWSE: BrowseProgram(); break;
        case IDC_DBX_IMAGE_ADD: AddImage(); break;
        case IDC_DBX_IMAGE_REMOVE: RemoveImage(); break;
        default: break;
    }
}

void DosBoxSettingsDialog::BrowseProgram() {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = "Please select the DOSBox program...";
    // A host's own DOSBox under Wine has no extension.
    request.filter = "Programs (*.exe)|*.exe|All Files (*.*)|*.*||";
    request.initialDir = FolderPart(ItemText(IDC_DBX_PROGRAM, kProgramChars));
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (win::Ui().PickFile(request, chosen)) SetItemText(IDC_DBX_PROGRAM, chosen);
}

// The next disc goes last; the picker starts where the disc before it lies.
void DosBoxSettingsDialog::AddImage() {
    win::ListBox images(Item(IDC_DBX_IMAGE_LIST));
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = "Please select the disc image...";
    request.filter = "Disc images (*.iso;*.cue)|*.iso; *.cue||";
    const int count = images.Count();
    request.initialDir = count > 0 ? FolderPart(images.Text(count - 1)) : FieldText(game.path);
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (win::Ui().PickFile(request, chosen)) images.Select(images.Add(chosen));
}

void DosBoxSettingsDialog::RemoveImage() {
    win::ListBox images(Item(IDC_DBX_IMAGE_LIST));
    const int row = images.Selected();
    if (row < 0 || !images.Delete(row)) return;
    images.Select(row < images.Count() ? row : row - 1);
}

std::vector<DosBoxSettingsDialog::Line> DosBoxSettingsDialog::ReadLines() const {
    const std::string text = ItemText(IDC_DBX_LINES, kLinesChars);
    std::vector<Line> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!IsBlank(line)) lines.push_back({line, static_cast<int>(start)});
        start = end + 1;
    }
    return lines;
}

GameExtras DosBoxSettingsDialog::ShownExtras(const std::vector<Line>& lines) const {
    GameExtras extras;
    extras.dosBoxProgram = ItemText(IDC_DBX_PROGRAM, kProgramChars);
    extras.cdRom.kind = _cdKind;
    if (_cdKind == CdRomKind::Drive)
        extras.cdRom.drive = static_cast<char>('A' + win::ComboBox(Item(IDC_DBX_CD_LETTER)).Selected());
    win::ListBox images(Item(IDC_DBX_IMAGE_LIST));
    for (int row = 0; _cdKind == CdRomKind::Images && row < images.Count(); ++row)
        extras.cdRom.images.push_back(images.Text(row));
    for (const Line& line : lines) extras.extraLines.push_back(line.text);
    return extras;
}

bool DosBoxSettingsDialog::Refuse(int control, const std::string& text, int first, int last) {
    win::Ui().ShowMessage(Handle(), text, kAppName, MB_OK | MB_ICONSTOP);
    SetFocus(Item(control));
    SelectText(control, first, last);
    return false;
}

// What the game file cannot take keeps the dialog open, with the place to mend.
bool DosBoxSettingsDialog::OnOK() {
    const std::vector<Line> lines = ReadLines();
    const GameExtras extras = ShownExtras(lines);
    if (!extras.dosBoxProgram.empty() && !IsDosBoxProgram(extras.dosBoxProgram, RunsUnderWine()))
        return Refuse(IDC_DBX_PROGRAM, NotDosBox(extras.dosBoxProgram));
    GameRecord changed = game;
    const ExtrasWrite written = WriteGameExtras(changed, extras);
    switch (written.problem) {
        case ExtrasProblem::None: game = changed; return true;
        case ExtrasProblem::TooLarge: {
            const int needed = static_cast<int>(written.needed);
            return Refuse(IDC_DBX_LINES,
                          Format("These DOSBox settings do not fit into the game file: they need %d bytes, and it "
                                 "holds %d.\n\nPlease take out at least %d characters: fewer or shorter extra lines "
                                 "or image paths.",
                                 needed, kArea, needed - kArea));
        }
        case ExtrasProblem::ExtraLine: {
            const Line& line = lines[written.index];
            return Refuse(
                IDC_DBX_LINES,
                Format("This DOSBox line cannot be used:\n%s\n\n%s", line.text.c_str(), PartRule(written.part)),
                line.start, line.start + static_cast<int>(line.text.size()));
        }
        case ExtrasProblem::CdImage: {
            const auto& images = extras.cdRom.images;
            win::ListBox(Item(IDC_DBX_IMAGE_LIST)).Select(static_cast<int>(written.index));
            return Refuse(IDC_DBX_IMAGE_LIST,
                          written.index < images.size()
                              ? Format("A disc image must be an .iso or .cue file:\n%s", images[written.index].c_str())
                              : std::string("Please add the disc's image files, or choose another CD-ROM."));
        }
        // The rest cannot come: the damage was cut at the opening, and the list offers letters only.
        default: return Refuse(IDC_DBX_PROGRAM, NotDosBox(extras.dosBoxProgram));
    }
}

DosBoxSettingsResult AskDosBoxSettings(HWND owner, const std::string& title, const GameRecord& game) {
    DosBoxSettingsDialog dialog;
    dialog.title = title;
    dialog.game = game;
    DosBoxSettingsResult result;
    result.accepted = win::Ui().RunModal(dialog, owner) == IDOK;
    result.game = result.accepted ? dialog.game : game;
    return result;
}
