// The game settings dialog: a game's setup mode (none or within the game, a
// setup program, command line parameters), the config file, the setup program
// and the raw parameter sets (ten sound and ten music devices, input, display
// and custom device), how the game runs, and through its "DOSBox..." button the
// game's own DOSBox settings. For a DOS game, one line says where its own sound
// setup files disagree with its parameter sets. Works on a copy of the game record.
#pragma once
#include "data/GameRecord.h"
#include "data/IniFile.h"
#include "widgets/SkinnedDialog.h"
#include <string>

class GameSettingsDialog final : public SkinnedDialog {
public:
    enum Mode { kNoSetup = 0, kSetupProgram = 1, kParameters = 2 };
    static constexpr size_t kConfigChars = 249;  // what the dialog stores in Config file
    static constexpr size_t kParamChars = kParamSize - 1;
    static constexpr int kOfferedDevices = 32;  // keys "00" to "31" of the device lists

    // In: the selected row's text; empty closes the dialog as cancelled.
    std::string title;
    // In: the game. Out after OK: the edited game. After Cancel it differs from
    // what came in only by a Path chosen with a "->" button.
    GameRecord game = BlankGameRecord();

    // |dataIni| is the accessor of Data.ini with the "Sound Devices" and
    // "Music Devices" lists.
    explicit GameSettingsDialog(const IniFile& dataIni);
    ~GameSettingsDialog() override;

    int CurrentMode() const { return _mode; }
    bool ShowsMusic() const { return _music; }

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    bool OnOK() override;

    void ShowFields();
    void FillDeviceRows();
    void ReadDeviceRows();
    void SwitchKind(bool music);
    void ApplyMode(int mode);
    void Browse(int target, const char* filter, const char* dialogTitle);
    void ExecuteHelp();
    bool CheckLengths();
    bool Refuse(int control, const std::string& text);

    const IniFile& _dataIni;
    int _mode = kNoSetup;
    bool _music = false;
    // Working copies of the device rows: [0] sound, [1] music.
    std::string _names[2][kDeviceSlots];
    std::string _params[2][kDeviceSlots];
};

struct GameSettingsResult {
    bool accepted = false;  // closed with OK
    GameRecord game;        // as GameSettingsDialog::game after the dialog
};

// Runs the dialog through the user-interface seam. The caller saves the game
// after OK, and keeps the Path of a cancelled run in memory.
GameSettingsResult AskGameSettings(HWND owner, const std::string& title, const GameRecord& game,
                                   const IniFile& dataIni);
