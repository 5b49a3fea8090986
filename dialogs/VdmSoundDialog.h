// Edits nine of VDMSound's own settings in its VDMS.INI: the Sound Blaster
// model, port, IRQ and DMA channels, AdLib and MPU-401.
#pragma once
#include "data/IniFile.h"
#include "data/VdmsSettings.h"
#include "widgets/SkinnedDialog.h"

class VdmSoundDialog final : public SkinnedDialog {
public:
    // |vdmsIni| is the open accessor of VDMS.INI; the dialog never opens or
    // closes it.
    explicit VdmSoundDialog(IniFile& vdmsIni);

    // Out, after OK: what the write did.
    VdmsWriteResult written;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    bool OnOK() override;

    void FillLists();
    void Show(const VdmsSettings& settings);
    VdmsSettings Chosen() const;

    IniFile& _ini;
};

// Runs the dialog through the user-interface seam. Without VDMSound, or with
// VDMS.INI not open, it says "VDMSound must be installed." and runs nothing.
// True when the settings were written and the dialog closed with OK.
bool AskVdmSoundSettings(HWND owner, bool vdmSoundAvailable, IniFile& vdmsIni);
