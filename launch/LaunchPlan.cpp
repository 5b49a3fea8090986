// Planning a launch and writing what it needs.
#include "launch/LaunchPlan.h"
#include "data/Files.h"
#include "data/NameRules.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"

LaunchPlan PlanLaunch(const GameRecord& game, const LaunchFacts& facts) {
    LaunchPlan plan;
    plan.folder = FieldText(game.path);
    plan.program = FieldText(game.command);
    plan.fullProgram = plan.folder + "\\" + plan.program;
    if (facts.isNt)
        plan.layer = (game.options == 2 || game.options == 3) ? Layer::Win95 : Layer::Removed;
    if (UsesParameterSets(game)) plan.arguments = " " + ComposeParameterLine(game);

    const bool viaVdmSound = facts.vdm.available && (game.options == 1 || game.options == 3);
    if (!viaVdmSound) {
        plan.kind = LaunchKind::Direct;
        plan.file = plan.program;
        plan.params = plan.arguments;
    } else if (plan.arguments.empty()) {
        plan.kind = LaunchKind::VdmSound;
        plan.file = facts.vdm.launchFile;
        plan.params = BatchWord(plan.program);
    } else {
        plan.kind = LaunchKind::VdmSoundBatch;
        plan.file = facts.vdm.launchFile;
        plan.params = "Loader.bat";
        plan.batchLine = LoaderBatchLine(plan.program, plan.arguments);
    }
    // VDMSound's batch takes the Command as its argument or runs it from
    // Loader.bat with the parameters, and a program that is not an .exe or a
    // .com goes to the command interpreter too: all of it is read as batch
    // text. An .exe or a .com started directly gets its parameters as they are.
    const bool readByBatch = plan.kind != LaunchKind::Direct || ReachesCommandInterpreter(plan.program);
    if (UsesParameterSets(game))
        plan.unsafeField = UnsafeParameterField(game, readByBatch ? HasCommandSyntax : HasControlCharacter);
    if (plan.unsafeField.empty() && readByBatch && HasBatchSyntax(plan.program)) plan.unsafeField = "Command";
    return plan;
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
