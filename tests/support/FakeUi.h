// A scripted stand-in for the user: answers queued per kind of call, and every
// call recorded with its texts, flags and arguments.
#pragma once
#include "win/UserInterface.h"
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct UiCall {
    enum Kind { Message, File, Folder, Execute, Modal, Exit, Start } kind;
    std::string text;     // message text, file dialog title, folder title, executed or started file
    std::string caption;  // message caption, file filter, verb
    unsigned flags = 0;   // message flags, file dialog flags, show mode, exit code
    std::string params;   // executed parameters, started command line, file dialog's initial folder
    std::string dir;      // executed or started working folder
    HWND owner = nullptr;
    int dialogId = 0;  // template of a modal dialog
};

class FakeUi final : public win::UserInterface {
public:
    using ModalScript = std::function<INT_PTR(win::Dialog&, HWND owner)>;

    FakeUi() { win::SetUi(this); }
    ~FakeUi() override { win::SetUi(nullptr); }

    // Answers, taken in order. Without one: OK for OK boxes and No for questions,
    // Cancel for pickers, 42 for the shell and IDCANCEL for dialogs (not shown).
    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> fileAnswers;    // nullopt: cancelled
    std::deque<std::optional<std::string>> folderAnswers;  // nullopt: cancelled
    std::deque<INT_PTR> shellResults;
    std::deque<bool> startResults;  // StartProcess answers; true without one
    std::deque<ModalScript> modalScripts;

    std::vector<UiCall> calls;
    std::vector<UiCall> Calls(UiCall::Kind kind) const;
    std::vector<UiCall> Messages() const { return Calls(UiCall::Message); }
    void Clear() { calls.clear(); }

    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
    bool PickFile(const win::OpenFileRequest& request, std::string& path) override;
    bool PickFolder(HWND owner, const std::string& title, std::string& path) override;
    INT_PTR Execute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                    const std::string& dir, int show) override;
    bool StartProcess(const std::string& program, const std::string& commandLine, const std::string& dir) override;
    INT_PTR RunModal(win::Dialog& dialog, HWND owner) override;
    void ExitProcess(UINT code) override;
};
