// The VDMSound settings dialog.
#include "dialogs/VdmSoundDialog.h"
#include "win/Texts.h"
#include "res/VdmSoundDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"

namespace {

constexpr int kModelButtons[kVdmsVersionCount] = {IDC_VDMS_SB1, IDC_VDMS_SB2, IDC_VDMS_SBPRO, IDC_VDMS_SB16,
                                                  IDC_VDMS_SB16PNP};

// The combo box of each field, in the order of VdmsField.
constexpr int kFieldBoxes[kVdmsFieldCount] = {IDC_VDMS_SB_PORT,  IDC_VDMS_SB_IRQ,     IDC_VDMS_SB_DMA8,
                                              IDC_VDMS_SB_DMA16, IDC_VDMS_ADLIB_PORT, IDC_VDMS_ADLIB_RATE,
                                              IDC_VDMS_MPU_PORT, IDC_VDMS_MPU_IRQ};

constexpr const char* kOneToEight[] = {"1", "2", "3", "4", "5", "6", "7", "8", nullptr};
constexpr const char* kSbPorts[] = {"200", "210", "220", "230", "240", "250", "260", "280", nullptr};
constexpr const char* kAdLibPorts[] = {"388", nullptr};
constexpr const char* kSampleRates[] = {"8000", "11025", "22050", "44100", nullptr};  // in this order
constexpr const char* kMpuPorts[] = {"300", "330", nullptr};

constexpr const char* const* kFieldChoices[kVdmsFieldCount] = {kSbPorts,    kOneToEight,  kOneToEight, kOneToEight,
                                                               kAdLibPorts, kSampleRates, kMpuPorts,   kOneToEight};

constexpr size_t kMaxFieldChars = 259;

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "    " + line + "\n";
    return text;
}

}  // namespace

VdmSoundDialog::VdmSoundDialog(IniFile& vdmsIni) : SkinnedDialog(IDD_VDMSOUND), _ini(vdmsIni) {}

bool VdmSoundDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    FillLists();
    Show(ReadVdmsSettings(_ini));
    return true;
}

void VdmSoundDialog::FillLists() {
    for (int i = 0; i < kVdmsFieldCount; ++i) {
        win::ComboBox box(Item(kFieldBoxes[i]));
        box.LimitText(kMaxFieldChars);
        for (const char* const* choice = kFieldChoices[i]; *choice; ++choice) box.Add(*choice);
    }
}

void VdmSoundDialog::Show(const VdmsSettings& settings) {
    for (int i = 0; i < kVdmsVersionCount; ++i) SetChecked(kModelButtons[i], i == settings.version);
    for (int i = 0; i < kVdmsFieldCount; ++i) SetItemText(kFieldBoxes[i], settings.fields[i]);
}

VdmsSettings VdmSoundDialog::Chosen() const {
    VdmsSettings settings;
    for (int i = 0; i < kVdmsVersionCount; ++i)
        if (IsChecked(kModelButtons[i])) settings.version = i;
    for (int i = 0; i < kVdmsFieldCount; ++i) settings.fields[i] = ItemText(kFieldBoxes[i], kMaxFieldChars);
    return settings;
}

void VdmSoundDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return;
    if (id == IDC_VDMS_DEFAULTS) {
        Show(DefaultVdmsSettings());  // nothing is written until OK
        return;
    }
    for (int button : kModelButtons)
        if (id == button) CheckRadioButton(Handle(), IDC_VDMS_SB1, IDC_VDMS_SB16PNP, id);
}

bool VdmSoundDialog::OnOK() {
    written = WriteVdmsSettings(_ini, Chosen());
    if (written.writeFailed) {
        // VDMS.INI may be read-only or held open by another program: say so
        // and stay open, so that the user can try again or cancel.
        win::Ui().ShowMessage(Handle(),
                              Format("The settings could not be saved: VDMS.INI cannot be written.\n%s\n\n"
                                     "The file may be read-only or in use by another program.",
                                     _ini.Path().c_str()),
                              kAppName, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!written.leftUnchanged.empty()) {
        win::Ui().ShowMessage(Handle(),
                              "These settings were left unchanged, because VDMS.INI does not hold them "
                              "in the form that they are written in:\n\n" +
                                  JoinLines(written.leftUnchanged) +
                                  (written.keysWritten > 0 ? "\nThe other changes were saved." : ""),
                              kAppName, MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

bool AskVdmSoundSettings(HWND owner, bool vdmSoundAvailable, IniFile& vdmsIni) {
    if (!vdmSoundAvailable || !vdmsIni.IsOpen()) {
        win::Ui().ShowMessage(owner, "VDMSound must be installed.", kAppName, MB_OK);
        return false;
    }
    VdmSoundDialog dialog(vdmsIni);
    return win::Ui().RunModal(dialog, owner) == IDOK;
}
