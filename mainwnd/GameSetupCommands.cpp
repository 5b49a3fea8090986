// The Game Settings and Modify commands: what the player is asked and told.
#include "mainwnd/GameSetupCommands.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "dialogs/CommandLineDialog.h"
#include "dialogs/GameSettingsDialog.h"
#include "launch/GameSetup.h"
#include "launch/LaunchPlan.h"
#include "mainwnd/LaunchSteps.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <cstring>

namespace {

constexpr char kConfigIntro[] =
    "A config file has been specified for removal to activate the games' internal setup screen.\n\n";

class SetupCommand {
public:
    explicit SetupCommand(const GameSetupContext& context)
        : _context(context), _game(context.game->record), _folder(FieldText(_game.path)) {}

    GameSetupOutcome Run();
    GameSetupOutcome Modify();

private:
    int Tell(const std::string& text, UINT flags) {
        return win::Ui().ShowMessage(_context.owner, text, _context.title, flags);
    }
    bool Save();
    bool EditSettings();
    void MoveConfigFile();
    void ChooseParameters();
    void RunSetupProgram();
    bool LocateFolder();
    bool LocateSetupProgram(std::string& setup, bool viaVdmSound);
    bool MayRun(const std::string& setup, bool viaVdmSound);

    const GameSetupContext& _context;
    GameRecord& _game;
    std::string _folder;
    GameSetupOutcome _out;
};

bool SetupCommand::Save() {
    if (SaveGameFile(*_context.game)) return true;
    win::Ui().ShowMessage(_context.owner, "There was an error saving the game file!", _context.game->path, MB_OK);
    _out.unsaved = true;
    return false;
}

// The game settings dialog on the current game; true after OK.
bool SetupCommand::EditSettings() {
    static const IniFile kNoData;
    GameSettingsResult result =
        AskGameSettings(_context.owner, _context.title, _game, _context.dataIni ? *_context.dataIni : kNoData);
    if (!result.accepted) {
        // A folder chosen with "->" stays in memory.
        if (std::memcmp(_game.path, result.game.path, sizeof _game.path) != 0) {
            std::memcpy(_game.path, result.game.path, sizeof _game.path);
            _out.unsaved = true;
        }
        return false;
    }
    _game = result.game;
    _folder = FieldText(_game.path);
    _out.refreshRow = true;
    Save();
    return true;
}

GameSetupOutcome SetupCommand::Modify() {
    EditSettings();
    return _out;
}

GameSetupOutcome SetupCommand::Run() {
    switch (SetupModeOf(_game)) {
        case SetupMode::NotConfigured:
            if (Tell(Tr(TextId::NotConfigured), MB_YESNO | MB_ICONSTOP) != IDYES) break;
            if (!EditSettings() || _game.setup[0] == '\0') break;
            if (SetupModeOf(_game) == SetupMode::Parameters)
                ChooseParameters();
            else
                RunSetupProgram();
            break;
        case SetupMode::WithinGame: MoveConfigFile(); break;
        case SetupMode::Parameters: ChooseParameters(); break;
        case SetupMode::Program: RunSetupProgram(); break;
    }
    return _out;
}

// The config file is moved aside so that the game shows its own setup screen
// on its next run. The game itself is not started.
void SetupCommand::MoveConfigFile() {
    if (!FolderExists(_folder)) {
        if (_context.showPathItem) _context.showPathItem();
        Tell("Please locate the game path...", MB_OK | MB_ICONSTOP);
        return;
    }
    const std::string config = FieldText(_game.configFile);
    const ConfigMoveResult moved = MoveConfigAside(_folder, config);
    switch (moved.status) {
        case ConfigMove::Missing:
            Tell(Format("%sThe config file '%s' did not exist.\nRun the game to configure it.", kConfigIntro,
                        config.c_str()),
                 MB_OK | MB_ICONINFORMATION);
            break;
        case ConfigMove::Moved:
            Tell(Format("%sThe config file '%s' has just been deleted.\nRun the game to configure it.", kConfigIntro,
                        config.c_str()),
                 MB_OK | MB_ICONINFORMATION);
            break;
        case ConfigMove::MovedBesideOld:
            Tell(Format("%sThe config file '%s' has just been moved aside as '%s':\nan earlier backup '%s.bak' was "
                        "already there and has been kept.\nRun the game to configure it.",
                        kConfigIntro, config.c_str(), moved.backupName.c_str(), config.c_str()),
                 MB_OK | MB_ICONINFORMATION);
            break;
        case ConfigMove::Failed:
            Tell(Format("%sThe config file '%s' could not be moved aside to '%s'.\nIt is still in place, so the game "
                        "will not show its setup screen.\nPlease check that the file is not in use.",
                        kConfigIntro, config.c_str(), moved.backupName.c_str()),
                 MB_OK | MB_ICONSTOP);
            break;
        case ConfigMove::LeavesFolder:
            Tell(Format("%sThe config file '%s' is not a file in the game folder,\nso nothing has been moved "
                        "or deleted.\nPlease enter the config file's name in the game's settings.",
                        kConfigIntro, config.c_str()),
                 MB_OK | MB_ICONSTOP);
            break;
    }
}

void SetupCommand::ChooseParameters() {
    if (_context.owner) RedrawWindow(_context.owner, nullptr, nullptr, RDW_UPDATENOW);
    CommandLineResult result = AskCommandLine(_context.owner, _context.title, _game);
    const bool changed = std::memcmp(&_game, &result.game, sizeof _game) != 0;
    _game = result.game;
    if (result.closed) {
        Save();
        if (_context.owner) RedrawWindow(_context.owner, nullptr, nullptr, RDW_UPDATENOW);
    } else if (changed) {
        _out.unsaved = true;
    }
    _out.refreshRow = true;
}

// A missing game folder may be located with the folder browser; the choice is
// saved at once. False when the player gives up.
bool SetupCommand::LocateFolder() {
    if (Tell(Format(Tr(TextId::CannotFindFolder), _folder.c_str()), MB_YESNO | MB_ICONSTOP) != IDYES) return false;
    std::string chosen;
    if (!win::Ui().PickFolder(_context.owner, Tr(TextId::SelectGamePathForSetup), chosen)) return false;
    if (!chosen.empty()) {
        _folder = chosen;
        SetField(_game.path, _folder.c_str());
        Save();
    }
    return true;
}

// A setup program that is not in the folder is asked for; the chosen file's
// folder and name become the game's Path and Setup, saved at once, unless the
// name may not be run.
bool SetupCommand::LocateSetupProgram(std::string& setup, bool viaVdmSound) {
    win::OpenFileRequest ask;
    ask.owner = _context.owner;
    ask.title = Tr(TextId::SelectSetupFile);
    ask.filter = Tr(TextId::ExecutablesFilter, Language::English);
    ask.initialDir = _folder;
    ask.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP;
    std::string chosen;
    if (!win::Ui().PickFile(ask, chosen) || !MayRun(NamePart(chosen), viaVdmSound)) return false;
    setup = NamePart(chosen);
    _folder = FolderPart(chosen);
    SetField(_game.setup, setup.c_str());
    SetField(_game.path, _folder.c_str());
    Save();
    return true;
}

// False, after telling the player, for a setup program name that leaves the
// game folder or carries batch syntax into VDMSound's batch file or the command
// interpreter.
bool SetupCommand::MayRun(const std::string& setup, bool viaVdmSound) {
    if (CheckSetupName(setup, viaVdmSound) == SetupNameProblem::None) return true;
    Tell(Format("The setup program '%s' is not a file in the game folder,\nor holds characters that a batch file "
                "would run as commands (& | < > ^ %% \" ; , =).\nNothing has been run.\n\nPlease choose the setup "
                "program in the game's settings.",
                setup.c_str()),
         MB_OK | MB_ICONSTOP);
    return false;
}

void SetupCommand::RunSetupProgram() {
    std::string setup = FieldText(_game.setup);
    const bool viaVdmSound = RunsThroughVdmSound(_game, _context.facts.vdm);
    if (!MayRun(setup, viaVdmSound)) return;
    if (!FolderExists(_folder) && !LocateFolder()) return;
    if (!FileExists(JoinFolder(_folder, setup)) && !LocateSetupProgram(setup, viaVdmSound)) return;
    const LaunchPlan plan = PlanLaunchNow(_game, LaunchTarget::Setup, _context.facts);
    // The row is refreshed after the shell call, whatever it answered, and
    // after any step towards DOSBox; not when VDMSound's program is missing.
    if (CarryOutLaunch(_context.owner, plan, _context.title) != LaunchStart::Refused || plan.InDosBox())
        _out.refreshRow = true;
}

}  // namespace

GameSetupOutcome RunGameSetup(const GameSetupContext& context) {
    if (context.title.empty() || !context.game) return {};
    return SetupCommand(context).Run();
}

GameSetupOutcome ModifyGameSettings(const GameSetupContext& context) {
    if (context.title.empty() || !context.game) return {};
    return SetupCommand(context).Modify();
}
