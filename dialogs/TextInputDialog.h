// Asks for one line of text under a prompt; a skinned pop-up without a title bar.
#pragma once
#include "widgets/SkinnedDialog.h"
#include <optional>
#include <string>

class TextInputDialog final : public SkinnedDialog {
public:
    static constexpr size_t kMaxChars = 259;

    std::string prompt;  // in: shown above the edit
    std::string value;   // in: starting text; out on OK: the text typed (may be empty)

    TextInputDialog();

private:
    bool OnInit() override;
    bool OnOK() override;
};

// Runs the dialog through the user-interface seam; nullopt when cancelled.
std::optional<std::string> AskText(HWND owner, const std::string& prompt, const std::string& initial = {});
