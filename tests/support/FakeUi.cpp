// The scripted user of the tests.
#include "FakeUi.h"
#include "win/Dialog.h"
#include <shellapi.h>

std::vector<UiCall> FakeUi::Calls(UiCall::Kind kind) const {
    std::vector<UiCall> out;
    for (const auto& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

int FakeUi::ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    calls.push_back({UiCall::Message, text, caption, flags, {}, {}, owner, 0});
    if (!messageAnswers.empty()) {
        int a = messageAnswers.front();
        messageAnswers.pop_front();
        return a;
    }
    UINT buttons = flags & MB_TYPEMASK;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) return IDNO;
    if (buttons == MB_OKCANCEL || buttons == MB_RETRYCANCEL) return IDCANCEL;
    return IDOK;
}

bool FakeUi::PickFile(const win::OpenFileRequest& request, std::string& path) {
    calls.push_back(
        {UiCall::File, request.title, request.filter, request.flags, request.initialDir, {}, request.owner, 0});
    if (fileAnswers.empty()) return false;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    if (!a) return false;
    path = *a;
    return true;
}

bool FakeUi::PickFolder(HWND owner, const std::string& title, std::string& path) {
    calls.push_back({UiCall::Folder, title, {}, 0, {}, {}, owner, 0});
    if (folderAnswers.empty()) return false;
    auto a = folderAnswers.front();
    folderAnswers.pop_front();
    if (!a) return false;
    path = *a;
    return true;
}

INT_PTR FakeUi::Execute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                        const std::string& dir, int show) {
    calls.push_back({UiCall::Execute, file, verb, static_cast<unsigned>(show), params, dir, owner, 0});
    if (realShell)
        return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, verb.c_str(), file.c_str(),
                                                       params.empty() ? nullptr : params.c_str(),
                                                       dir.empty() ? nullptr : dir.c_str(), show));
    if (shellResults.empty()) return 42;
    INT_PTR r = shellResults.front();
    shellResults.pop_front();
    return r;
}

bool FakeUi::StartProcess(const std::string& program, const std::string& commandLine, const std::string& dir) {
    calls.push_back({UiCall::Start, program, {}, 0, commandLine, dir, nullptr, 0});
    if (realStart) return win::StartDetached(program, commandLine, dir);
    if (startResults.empty()) return true;
    const bool result = startResults.front();
    startResults.pop_front();
    return result;
}

INT_PTR FakeUi::RunModal(win::Dialog& dialog, HWND owner) {
    calls.push_back({UiCall::Modal, {}, {}, 0, {}, {}, owner, dialog.TemplateId()});
    if (modalScripts.empty()) return IDCANCEL;
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    return script(dialog, owner);
}

void FakeUi::ExitProcess(UINT code) { calls.push_back({UiCall::Exit, {}, {}, code, {}, {}, nullptr, 0}); }
