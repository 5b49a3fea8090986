// The launch steps that ask and tell the player; the plan and the files it
// writes come from the launch core.
#include "mainwnd/LaunchSteps.h"
#include "state/Settings.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "dialogs/MovedGame.h"
#include "mainwnd/DosBoxSteps.h"
#include "mainwnd/MainWindowMessages.h"
#include "launch/LaunchPlan.h"
#include "win/UserInterface.h"
#include <commdlg.h>

namespace {

// Asks for the game's program when Command is empty or missing; false when the
// player cancels. A program chosen in another folder moves the game's Path.
bool LocateProgram(HWND owner, GameRecord& game) {
    const std::string folder = FieldText(game.path);
    const std::string program = FieldText(game.command);
    if (!program.empty() && FileExists(folder + "\\" + program)) return true;
    win::OpenFileRequest ask;
    ask.owner = owner;
    ask.title = Tr(TextId::SelectGameFile);
    ask.filter = Tr(TextId::ExecutablesFilter);
    ask.initialDir = folder;
    ask.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP;
    std::string chosen;
    if (!win::Ui().PickFile(ask, chosen)) return false;
    const size_t slash = chosen.rfind('\\');
    SetField(game.command, (slash == std::string::npos ? chosen : chosen.substr(slash + 1)).c_str());
    SetField(game.path, (slash == std::string::npos ? folder : chosen.substr(0, slash)).c_str());
    return true;
}

// The Windows route: the layer, Loader.bat and the shell, in that order.
LaunchStart StartInWindows(HWND owner, const LaunchPlan& plan, const std::string& caption) {
    const WindowsLaunch& run = *plan.InWindows();
    const bool forGame = plan.target == LaunchTarget::Game;
    if (!run.unsafeField.empty()) {
        win::Ui().ShowMessage(owner, Format(kUnsafeParameterMessage, run.unsafeField.c_str(), run.unsafeField.c_str()),
                              caption, MB_OK | MB_ICONSTOP);
        return LaunchStart::Refused;
    }
    if (ApplyLayer(plan.fullProgram, run.layer) == LayerResult::KeyFailed)
        // Told, but not fatal: the game is still launched, just without the setting.
        win::Ui().ShowMessage(nullptr, "Failed RegCreateKeyEx", kAppName, MB_OK);

    const bool direct = run.kind == LaunchKind::Direct;
    if (!direct && !FileExists(plan.fullProgram)) {
        win::Ui().ShowMessage(
            owner,
            Format(Tr(forGame ? TextId::CouldNotExecuteGame : TextId::CouldNotExecuteSetup), plan.fullProgram.c_str()),
            caption, MB_OK | MB_ICONSTOP);
        return LaunchStart::Refused;
    }
    if (run.kind == LaunchKind::VdmSoundBatch) {
        if (!WriteLoaderBatch(plan.folder, run.batchLine)) {
            win::Ui().ShowMessage(owner, Tr(TextId::LoaderBatchFailed), kAppName, MB_OK);
            return LaunchStart::Refused;
        }
        SetCurrentDirectoryA(plan.folder.c_str());
    }
    if (win::Ui().Execute(owner, "open", run.file, run.params, plan.folder, SW_SHOWNORMAL) > 32)
        return LaunchStart::Started;
    // Started directly, the program is named by its name alone (and a setup
    // program's Spanish message names none).
    const TextId failed = forGame || !direct ? TextId::CouldNotOpen : TextId::CouldNotOpenSetup;
    win::Ui().ShowMessage(owner, Format(Tr(failed), (direct ? plan.program : plan.fullProgram).c_str()), caption,
                          MB_OK | MB_ICONSTOP);
    return LaunchStart::Failed;
}

}  // namespace

LaunchStart CarryOutLaunch(HWND owner, const LaunchPlan& plan, const std::string& caption) {
    return plan.InDosBox() ? StartInDosBox(owner, plan, caption) : StartInWindows(owner, plan, caption);
}

bool RunGame(HWND owner, const std::string& title, CurrentGame& current, AppState& state) {
    if (title.empty()) return false;
    GameRecord& game = current.record;
    if (!FolderExists(FieldText(game.path)) && !LocateMovedGame(owner, title, current, state.commandLineLaunch))
        return false;
    // Once the game's folder is known, the game counts as the one run last, so
    // the next start selects it, even when the launch stops later (the program
    // picker cancelled, a refused game, DOSBox or the shell failing). Nothing
    // between here and the start selects another game, so this one write holds.
    StoreSetting(setting::kLastRun, title);
    if (!LocateProgram(owner, game)) return false;

    const std::string gameFileName = title + ".qgf";
    const LaunchPlan plan = PlanLaunchNow(game, LaunchTarget::Game, state.Facts());
    return CarryOutLaunch(owner, plan, gameFileName) != LaunchStart::Refused;
}
