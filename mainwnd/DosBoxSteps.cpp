// The DOSBox launch steps that tell the player what happens.
#include "mainwnd/DosBoxSteps.h"
#include "win/Texts.h"
#include "launch/DosBoxFiles.h"
#include "win/UserInterface.h"

LaunchStart StartInDosBox(HWND owner, const LaunchPlan& plan, const std::string& caption) {
    const DosBoxLaunch& box = *plan.InDosBox();
    auto tell = [&](const std::string& text) {
        win::Ui().ShowMessage(owner, text, caption, MB_OK | MB_ICONSTOP);
        return LaunchStart::Refused;
    };
    if (box.ownProgramRefused)
        return tell(Format("This game was not started: the DOSBox program it names,\n%s\nis not DOSBox (0.74, "
                           "DOSBox-X or DOSBox Staging).\n\nPlease choose its DOSBox in the game's DOSBox settings "
                           "(Modify > DOSBox...), or leave it empty to use the one in Options > Preferences.",
                           box.program.c_str()));
    if (!box.programFound)
        return tell("This game runs in DOSBox, but DOSBox was not found.\n\nPlease install DOSBox (0.74, DOSBox-X or "
                    "DOSBox Staging) and start Quillon Loader again, or choose the DOSBox program under Options > "
                    "Preferences.");
    const char* field = box.config.field.c_str();
    switch (box.config.problem) {
        case DosBoxProblem::None: break;
        case DosBoxProblem::UnsafeText:
            return tell(Format("This game was not started in DOSBox: a line break, another control character or "
                               "one of | < > %% \" stands in its %s.\n\nSuch characters could add commands to "
                               "DOSBox's configuration. Please correct the %s in the game's settings.",
                               field, field));
        case DosBoxProblem::NotDosName:
            return tell(
                Format("This game was not started in DOSBox: its %s '%s' is not a DOS name of a file in the "
                       "game's folder (at most eight characters, a dot and three, without blanks).\n\n"
                       "Please choose the program by its DOS name in the game's settings.",
                       field, plan.program.c_str()));
        case DosBoxProblem::NoDrive:
            return tell(
                Format("This game was not started in DOSBox: its Path '%s' does not start with a drive "
                       "letter (such as C:\\), so DOSBox cannot mount it.\n\nPlease locate the game again.",
                       plan.folder.c_str()));
    }
    const std::string file = WriteDosBoxConfig(box.configFolder, box.config.text);
    if (file.empty())
        return tell(
            Format("The DOSBox configuration for this game could not be written into the folder\n%s\n\n"
                   "Please check that the temporary folder has room and may be written.",
                   box.configFolder.c_str()));
    if (win::Ui().StartProcess(box.program, box.CommandLine(file), box.programFolder)) return LaunchStart::Started;
    win::Ui().ShowMessage(owner, Format(Tr(TextId::CouldNotOpen), box.program.c_str()), caption, MB_OK | MB_ICONSTOP);
    return LaunchStart::Failed;
}
