// Edits a game's comment of several lines; a plain dialog.
#pragma once
#include "win/Dialog.h"
#include <optional>
#include <string>

class CommentDialog final : public win::Dialog {
public:
    static constexpr size_t kLimit = 1024;     // what the edit accepts
    static constexpr size_t kMaxChars = 1023;  // what fits the game's Comment field

    std::string comment;  // in: the current comment; out on OK: the edited one

    CommentDialog();

private:
    bool OnInit() override;
    bool OnOK() override;
};

// Runs the dialog through the user-interface seam; nullopt when cancelled.
std::optional<std::string> AskComment(HWND owner, const std::string& comment);
