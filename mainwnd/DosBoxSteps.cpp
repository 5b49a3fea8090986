// The DOSBox launch steps that tell the player what happens.
#include "mainwnd/DosBoxSteps.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "launch/DosBoxFiles.h"
#include "win/UserInterface.h"

bool GoesToDosBox(const GameRecord& game, const std::string& fullProgram, const DosBoxSetup& setup) {
    return ChooseLaunchRoute(setup.mode, GameRunWith(game), setup.windowsRunsDos, KindOfProgram(fullProgram)) ==
           LaunchRoute::DosBox;
}

DosBoxStart StartInDosBox(HWND owner, const GameRecord& game, const std::string& program, const char* programField,
                          bool withParameters, const DosBoxSetup& setup, bool spanish, const std::string& caption) {
    auto tell = [&](const std::string& text) {
        win::Ui().ShowMessage(owner, text, caption, MB_OK | MB_ICONSTOP);
        return DosBoxStart::Refused;
    };
    if (setup.program.empty() || !FileExists(setup.program))
        return tell("This game runs in DOSBox, but DOSBox was not found.\n\nPlease install DOSBox (0.74, DOSBox-X or "
                    "DOSBox Staging) and start Quillon Loader again, or choose the DOSBox program under Options > "
                    "Preferences.");
    const DosBoxConfig config = MakeDosBoxConfig(game, program, programField, withParameters, setup.options);
    const char* field = config.field.c_str();
    switch (config.problem) {
        case DosBoxProblem::None: break;
        case DosBoxProblem::UnsafeText:
            return tell(Format("This game was not started in DOSBox: a line break, another control character or "
                               "one of & | < > ^ %% \" stands in its %s.\n\nSuch characters could add commands to "
                               "DOSBox's configuration. Please correct the %s in the game's settings.",
                               field, field));
        case DosBoxProblem::NotDosName:
            return tell(Format("This game was not started in DOSBox: its %s '%s' is not a DOS name of a file in the "
                               "game's folder (at most eight characters, a dot and three, without blanks).\n\n"
                               "Please choose the program by its DOS name in the game's settings.",
                               field, program.c_str()));
        case DosBoxProblem::NoDrive:
            return tell(Format("This game was not started in DOSBox: its Path '%s' does not start with a drive "
                               "letter (such as C:\\), so DOSBox cannot mount it.\n\nPlease locate the game again.",
                               FieldText(game.path).c_str()));
    }
    const std::string file = WriteDosBoxConfig(setup.configFolder, config.text);
    if (file.empty())
        return tell(Format("The DOSBox configuration for this game could not be written into the folder\n%s\n\n"
                           "Please check that the temporary folder has room and may be written.",
                           setup.configFolder.c_str()));
    const std::string dosBoxFolder = setup.program.substr(0, setup.program.find_last_of("\\/") + 1);
    if (win::Ui().StartProcess(setup.program, DosBoxCommandLine(setup.program, file), dosBoxFolder))
        return DosBoxStart::Started;
    win::Ui().ShowMessage(owner,
                          Format(Tr(spanish, "Could not open %s\nPlease verify the settings.",
                                    "No se puede abrir %s Por favor verifique las opciones."),
                                 setup.program.c_str()),
                          caption, MB_OK | MB_ICONSTOP);
    return DosBoxStart::Failed;
}
