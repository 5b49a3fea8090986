// Planning a launch and writing what it needs.
#include "launch/LaunchPlan.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "launch/DosBoxFlavour.h"
#include "launch/HostPath.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"

namespace {

// The Command or the Setup field.
std::string ProgramOf(const GameRecord& game, LaunchTarget target) {
    return FieldText(target == LaunchTarget::Game ? game.command : game.setup);
}

// A setup program gets no layer and has no arguments (its Setup names a
// program, not the parameter marker); its name was checked before it was
// located (CheckSetupName).
WindowsLaunch PlanInWindows(const GameRecord& game, const LaunchPlan& plan, const LaunchFacts& facts) {
    WindowsLaunch run;
    const bool forGame = plan.target == LaunchTarget::Game;
    if (forGame && facts.isNt) run.layer = (game.options == 2 || game.options == 3) ? Layer::Win95 : Layer::Removed;
    if (UsesParameterSets(game)) run.arguments = " " + ComposeParameterLine(game);

    if (!RunsThroughVdmSound(game, facts.vdm)) {
        run.kind = LaunchKind::Direct;
        run.file = plan.program;
        run.params = run.arguments;
    } else if (run.arguments.empty()) {
        run.kind = LaunchKind::VdmSound;
        run.file = facts.vdm.launchFile;
        run.params = BatchWord(plan.program);
    } else {
        run.kind = LaunchKind::VdmSoundBatch;
        run.file = facts.vdm.launchFile;
        run.params = "Loader.bat";
        run.batchLine = LoaderBatchLine(plan.program, run.arguments);
    }
    if (!forGame) return run;
    // VDMSound's batch takes the Command as its argument or runs it from
    // Loader.bat with the parameters, and a program that is not an .exe or a
    // .com goes to the command interpreter too: all of it is read as batch
    // text. An .exe or a .com started directly gets its parameters as they are.
    const bool readByBatch = run.kind != LaunchKind::Direct || ReachesCommandInterpreter(plan.program);
    if (UsesParameterSets(game))
        run.unsafeField = UnsafeParameterField(game, readByBatch ? HasCommandSyntax : HasControlCharacter);
    if (run.unsafeField.empty() && readByBatch && HasBatchSyntax(plan.program)) run.unsafeField = "Command";
    return run;
}

DosBoxLaunch PlanInDosBox(const GameRecord& game, const LaunchPlan& plan, const DosBoxFacts& facts) {
    DosBoxLaunch box;
    box.programFound = facts.programFound;
    box.program = DosBoxProgramOf(game, facts);
    box.ownProgramRefused = facts.ownProgramRefused;
    box.programFolder = box.program.substr(0, box.program.find_last_of("\\/") + 1);
    box.configFolder = facts.configFolder;
    box.flavour = facts.options.flavour;
    box.hostPath = facts.options.hostPath;
    const bool forGame = plan.target == LaunchTarget::Game;
    box.config = MakeDosBoxConfig(game, plan.program, forGame ? "Command" : "Setup", forGame, facts.options,
                                  &facts.soundSetup);
    return box;
}

// A DOSBox's flavour, looked up again only when its file changed.
DosBoxIdentity IdentityOf(const std::string& program) {
    static std::string known;
    static unsigned long long stamp = 0;
    static DosBoxIdentity identity;
    const unsigned long long now = FileStamp(program);
    if (!EqualNoCase(program, known) || now != stamp) {
        known = program;
        stamp = now;
        identity = IdentifyDosBox(program);
    }
    return identity;
}

}  // namespace

std::string DosBoxLaunch::CommandLine(const std::string& configFile) const {
    std::string file = hostPath ? hostPath(configFile) : configFile;
    if (file.empty()) file = configFile;
    return "\"" + program + "\" " + DosBoxArguments(flavour, file);
}

std::string DosBoxProgramOf(const GameRecord& game, const DosBoxFacts& facts) {
    const std::string own = ReadGameExtras(game).extras.dosBoxProgram;
    return own.empty() ? facts.program : own;
}

bool RunsThroughVdmSound(const GameRecord& game, const VdmSoundInstall& vdm) {
    return vdm.available && (game.options == 1 || game.options == 3);
}

LaunchPlan PlanLaunch(const GameRecord& game, LaunchTarget target, const LaunchFacts& facts) {
    LaunchPlan plan;
    plan.target = target;
    plan.folder = FieldText(game.path);
    plan.program = ProgramOf(game, target);
    plan.fullProgram = plan.folder + "\\" + plan.program;
    const DosBoxFacts& dosBox = facts.dosBox;
    // A DOS program that Windows is not to run goes to DOSBox: no compatibility
    // layer, VDMSound or Loader.bat there.
    if (ChooseLaunchRoute(dosBox.mode, GameRunWith(game), dosBox.windowsRunsDos, facts.programKind) ==
        LaunchRoute::DosBox)
        plan.route = PlanInDosBox(game, plan, dosBox);
    else
        plan.route = PlanInWindows(game, plan, facts);
    return plan;
}

LaunchPlan PlanLaunchNow(const GameRecord& game, LaunchTarget target, LaunchFacts facts) {
    facts.programKind = KindOfProgram(FieldText(game.path) + "\\" + ProgramOf(game, target));
    DosBoxFacts& box = facts.dosBox;
    if (ChooseLaunchRoute(box.mode, GameRunWith(game), box.windowsRunsDos, facts.programKind) != LaunchRoute::DosBox)
        return PlanLaunch(game, target, facts);
    const std::string program = DosBoxProgramOf(game, box);
    box.programFound = !program.empty() && FileExists(program);
    if (box.programFound && !ReadGameExtras(game).extras.dosBoxProgram.empty()) {
        const bool isDosBox = IsDosBoxProgram(program, RunsUnderWine()) &&
                              IdentityOf(program).source != FlavourSource::Unrecognised;
        box.ownProgramRefused = !isDosBox;
        box.programFound = isDosBox;
    }
    if (box.programFound) {
        box.options.flavour = IdentityOf(program).flavour;
        if (RunsUnderWine() && IsHostProgram(program))
            box.options.hostPath = [](const std::string& windowsPath) {
                std::string host;
                return HostPathOf(windowsPath, host) ? host : std::string();
            };
    }
    box.soundSetup = FindSoundSetup(FieldText(game.path));
    return PlanLaunch(game, target, facts);
}

std::string LoaderBatchLine(const std::string& command, const std::string& argumentText) {
    return "@" + BatchWord(command) + " " + argumentText;
}

bool WriteLoaderBatch(const std::string& folder, const std::string& line) {
    return WriteWholeFile(folder + "\\Loader.bat", line.data(), line.size());
}

LayerResult ApplyLayer(const std::string& fullProgram, Layer layer) {
    if (layer == Layer::Untouched) return LayerResult::NothingToDo;
    switch (WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, fullProgram.c_str(),
                                        layer == Layer::Win95 ? "WIN95" : "DELETE")) {
        case RegistryWrite::Done: return LayerResult::Done;
        case RegistryWrite::KeyFailed: return LayerResult::KeyFailed;
        default: return LayerResult::NothingToDo;
    }
}
