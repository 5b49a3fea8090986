// The command line setup dialog: chooses which of a game's parameter sets a
// launch uses (one sound device, one music device, keyboard, mouse, joystick,
// one display, the custom device) and shows the resulting command line.
#pragma once
#include "data/GameRecord.h"
#include "widgets/SkinnedDialog.h"
#include <string>

class CommandLineDialog final : public SkinnedDialog {
public:
    // In: the selected row's text; empty closes the dialog as cancelled.
    std::string title;
    // In: the game. Every click changes its selections at once, so after the
    // dialog it holds them however the dialog was closed.
    GameRecord game = BlankGameRecord();

    CommandLineDialog();

    // The text the command line edit shows: the program text, one space and
    // the parameter line.
    std::string CommandLine() const;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;

    void Refresh();
    void SelectDevice(bool music);
    void SelectListItem(int list, int32_t selected, const char (*names)[kTextSize]);
    void Clear();

    std::string _program;  // the Command, or "(Executable)"
};

struct CommandLineResult {
    bool closed = false;  // "Close" pressed: the caller saves the game
    GameRecord game;      // with the selections made, whichever way it was closed
};

// Runs the dialog through the user-interface seam.
CommandLineResult AskCommandLine(HWND owner, const std::string& title, const GameRecord& game);
