// The launch pipeline.
#include "launch/LaunchGame.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <cstdio>

namespace {

// "Loader.bat" in the game folder; false when it cannot be written.
bool WriteLoaderBatch(const std::string& folder, const std::string& line) {
    const std::string path = folder + "\\Loader.bat";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    FILE* f = fopen(path.c_str(), "w+b");
    if (!f) return false;
    bool ok = fwrite(line.data(), 1, line.size(), f) == line.size();
    return fclose(f) == 0 && ok;
}

// Asks for the game folder when it is missing; false when the launch stops.
bool LocateFolder(const LaunchRequest& r, std::string& folder) {
    AppState& state = *r.state;
    if (state.commandLineLaunch) {
        state.commandLineLaunch = false;
        win::Ui().ShowMessage(r.owner,
                              Format("Cannot find the location of %s.\nPlease locate its path...", r.title.c_str()),
                              "Game run error", MB_OK | MB_ICONSTOP);
        return false;
    }
    std::string chosen;
    if (!win::Ui().PickFolder(r.owner, Tr(state.spanish, "Select the game path...", "Seleccionar la ruta del juego..."),
                              chosen))
        return false;
    if (!chosen.empty()) {
        folder = chosen;
        SetField(r.game->record.path, folder.c_str());
    }
    return true;
}

}  // namespace

std::string LoaderBatchLine(const std::string& command, const std::string& argumentText) {
    return "@" + command + " " + argumentText;
}

bool LaunchGame(const LaunchRequest& r) {
    if (r.title.empty() || !r.game || !r.state) return false;
    GameRecord& game = r.game->record;
    const AppState& state = *r.state;

    std::string folder = FieldText(game.path);
    if (!FolderExists(folder) && !LocateFolder(r, folder)) return false;

    WriteSettingString(setting::kLastRun, r.title.c_str());
    const std::string gameFileName = r.title + ".qgf";

    std::string program = FieldText(game.command);
    if (program.empty() || !FileExists(folder + "\\" + program)) {
        win::OpenFileRequest ask;
        ask.owner = r.owner;
        ask.title =
            Tr(state.spanish, "Select the game file to execute...", "Seleccionar el archivo del juego a ejecutar...");
        ask.filter = Tr(state.spanish, "Executables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||",
                        "Ejecutables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||");
        ask.initialDir = folder;
        ask.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP;
        std::string chosen;
        if (!win::Ui().PickFile(ask, chosen)) return false;
        size_t slash = chosen.rfind('\\');
        program = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
        if (slash != std::string::npos) folder = chosen.substr(0, slash);
        SetField(game.command, program.c_str());
        SetField(game.path, folder.c_str());
    }
    const std::string fullProgram = folder + "\\" + program;
    const bool viaVdmSound = state.vdm.available && (game.options == 1 || game.options == 3);

    if (UsesParameterSets(game)) {
        // Parameters go to the shell and into Loader.bat: nothing in them may chain commands.
        std::string unsafe = UnsafeParameterField(game);
        if (unsafe.empty() && viaVdmSound && !IsSafeCommandText(program)) unsafe = "Command";
        if (!unsafe.empty()) {
            win::Ui().ShowMessage(r.owner, Format(kUnsafeParameterMessage, unsafe.c_str(), unsafe.c_str()),
                                  gameFileName, MB_OK | MB_ICONSTOP);
            return false;
        }
    }
    if (state.isNt) {
        const bool layer = game.options == 2 || game.options == 3;
        WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, fullProgram.c_str(), layer ? "WIN95" : "DELETE");
    }
    std::string arguments;
    if (UsesParameterSets(game)) arguments = " " + ComposeParameterLine(game);

    INT_PTR result = 0;
    if (viaVdmSound) {
        if (!FileExists(fullProgram)) {
            win::Ui().ShowMessage(
                r.owner,
                Format(
                    Tr(state.spanish, "Could not execute %s\nPlease enter the correct command (game file) to execute.",
                       "No se puede ejecutar %s Por favor introduzca el archivo de configuraci\xF3n correcto."),
                    fullProgram.c_str()),
                gameFileName, MB_OK | MB_ICONSTOP);
            return false;
        }
        if (!arguments.empty()) {
            if (!WriteLoaderBatch(folder, LoaderBatchLine(program, arguments))) {
                win::Ui().ShowMessage(
                    r.owner,
                    Tr(state.spanish,
                       "Using VDMSound with setup parameters requires a temporary batch file\nwhich could not be "
                       "created.\n\nPlease install the game on your Hard Drive.",
                       "Usar VDMSound con par\xE1metros definidos requiere un archivo temporal batch que no pudo ser "
                       "creado. Por favor, instale el juego en el disco duro C:"),
                    kAppName, MB_OK);
                return false;
            }
            SetCurrentDirectoryA(folder.c_str());
            result = win::Ui().Execute(r.owner, "open", state.vdm.launchFile, "Loader.bat", folder, SW_SHOWNORMAL);
        } else {
            result = win::Ui().Execute(r.owner, "open", state.vdm.launchFile, program, folder, SW_SHOWNORMAL);
        }
    } else {
        result = win::Ui().Execute(r.owner, "open", program, arguments, folder, SW_SHOWNORMAL);
    }
    if (result <= 32) {
        win::Ui().ShowMessage(r.owner,
                              Format(Tr(state.spanish, "Could not open %s\nPlease verify the settings.",
                                        "No se puede abrir %s Por favor verifique las opciones."),
                                     (viaVdmSound ? fullProgram : program).c_str()),
                              gameFileName, MB_OK | MB_ICONSTOP);
    }
    WriteSettingString(setting::kLastRun, r.title.c_str());
    return true;
}
