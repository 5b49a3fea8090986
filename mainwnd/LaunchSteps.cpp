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
bool LocateProgram(HWND owner, GameRecord& game, bool spanish) {
    const std::string folder = FieldText(game.path);
    const std::string program = FieldText(game.command);
    if (!program.empty() && FileExists(folder + "\\" + program)) return true;
    win::OpenFileRequest ask;
    ask.owner = owner;
    ask.title = Tr(spanish, "Select the game file to execute...", "Seleccionar el archivo del juego a ejecutar...");
    ask.filter = Tr(spanish, "Executables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||",
                    "Ejecutables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||");
    ask.initialDir = folder;
    ask.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP;
    std::string chosen;
    if (!win::Ui().PickFile(ask, chosen)) return false;
    const size_t slash = chosen.rfind('\\');
    SetField(game.command, (slash == std::string::npos ? chosen : chosen.substr(slash + 1)).c_str());
    SetField(game.path, (slash == std::string::npos ? folder : chosen.substr(0, slash)).c_str());
    return true;
}

}  // namespace

bool RunGame(HWND owner, const std::string& title, CurrentGame& current, AppState& state) {
    if (title.empty()) return false;
    GameRecord& game = current.record;
    const bool spanish = state.Spanish();
    if (!FolderExists(FieldText(game.path)) &&
        !LocateMovedGame(owner, title, current, spanish, state.commandLineLaunch))
        return false;
    StoreSetting(setting::kLastRun, title);
    const std::string gameFileName = title + ".qgf";
    if (!LocateProgram(owner, game, spanish)) return false;

    // A DOS program that Windows is not to run goes to DOSBox: no compatibility
    // layer, VDMSound or Loader.bat there.
    const DosBoxSetup dosBox = state.DosBox();
    if (GoesToDosBox(game, FieldText(game.path) + "\\" + FieldText(game.command), dosBox)) {
        if (StartInDosBox(owner, game, FieldText(game.command), "Command", true, dosBox, spanish, gameFileName) ==
            DosBoxStart::Refused)
            return false;
        StoreSetting(setting::kLastRun, title);
        return true;
    }

    const LaunchPlan plan = PlanLaunch(game, LaunchFacts{state.isNt, state.vdm});
    if (!plan.unsafeField.empty()) {
        win::Ui().ShowMessage(owner,
                              Format(kUnsafeParameterMessage, plan.unsafeField.c_str(), plan.unsafeField.c_str()),
                              gameFileName, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (ApplyLayer(plan.fullProgram, plan.layer) == LayerResult::KeyFailed)
        // Told, but not fatal: the game is still launched, just without the setting.
        win::Ui().ShowMessage(nullptr, "Failed RegCreateKeyEx", kAppName, MB_OK);

    if (plan.kind != LaunchKind::Direct && !FileExists(plan.fullProgram)) {
        win::Ui().ShowMessage(
            owner,
            Format(Tr(spanish, "Could not execute %s\nPlease enter the correct command (game file) to execute.",
                      "No se puede ejecutar %s Por favor introduzca el archivo de configuraci\xF3n correcto."),
                   plan.fullProgram.c_str()),
            gameFileName, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (plan.kind == LaunchKind::VdmSoundBatch) {
        if (!WriteLoaderBatch(plan.folder, plan.batchLine)) {
            win::Ui().ShowMessage(
                owner,
                Tr(spanish,
                   "Using VDMSound with setup parameters requires a temporary batch file\nwhich could not be "
                   "created.\n\nPlease install the game on your Hard Drive.",
                   "Usar VDMSound con par\xE1metros definidos requiere un archivo temporal batch que no pudo ser "
                   "creado. Por favor, instale el juego en el disco duro C:"),
                kAppName, MB_OK);
            return false;
        }
        SetCurrentDirectoryA(plan.folder.c_str());
    }
    const INT_PTR result = win::Ui().Execute(owner, "open", plan.file, plan.params, plan.folder, SW_SHOWNORMAL);
    if (result <= 32) {
        win::Ui().ShowMessage(owner,
                              Format(Tr(spanish, "Could not open %s\nPlease verify the settings.",
                                        "No se puede abrir %s Por favor verifique las opciones."),
                                     (plan.kind == LaunchKind::Direct ? plan.program : plan.fullProgram).c_str()),
                              gameFileName, MB_OK | MB_ICONSTOP);
    }
    StoreSetting(setting::kLastRun, title);
    return true;
}
