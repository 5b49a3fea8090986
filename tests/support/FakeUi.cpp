// The scripted user of the tests.
#include "FakeUi.h"
#include "win/Dialog.h"

namespace {
// The next queued answer, or |otherwise| when none is left.
template <typename T, typename U>
T Next(std::deque<T>& answers, U otherwise) {
    if (answers.empty()) return otherwise;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
}  // namespace

std::vector<UiCall> FakeUi::Calls(UiCall::Kind kind) const {
    std::vector<UiCall> out;
    for (const auto& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

int FakeUi::ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    calls.push_back({UiCall::Message, text, caption, flags, {}, {}, owner, 0});
    const UINT buttons = flags & MB_TYPEMASK;
    return Next(messageAnswers, buttons == MB_YESNO || buttons == MB_YESNOCANCEL       ? IDNO
                                : buttons == MB_OKCANCEL || buttons == MB_RETRYCANCEL ? IDCANCEL
                                                                                      : IDOK);
}

bool FakeUi::PickFile(const win::OpenFileRequest& request, std::string& path) {
    calls.push_back(
        {UiCall::File, request.title, request.filter, request.flags, request.initialDir, {}, request.owner, 0});
    const auto answer = Next(fileAnswers, std::nullopt);
    if (answer) path = *answer;
    return answer.has_value();
}

bool FakeUi::PickFolder(HWND owner, const std::string& title, std::string& path) {
    calls.push_back({UiCall::Folder, title, {}, 0, {}, {}, owner, 0});
    const auto answer = Next(folderAnswers, std::nullopt);
    if (answer) path = *answer;
    return answer.has_value();
}

INT_PTR FakeUi::Execute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                        const std::string& dir, int show) {
    calls.push_back({UiCall::Execute, file, verb, static_cast<unsigned>(show), params, dir, owner, 0});
    return Next(shellResults, 42);
}

bool FakeUi::StartProcess(const std::string& program, const std::string& commandLine, const std::string& dir) {
    calls.push_back({UiCall::Start, program, {}, 0, commandLine, dir, nullptr, 0});
    return Next(startResults, true);
}

INT_PTR FakeUi::RunModal(win::Dialog& dialog, HWND owner) {
    calls.push_back({UiCall::Modal, {}, {}, 0, {}, {}, owner, dialog.TemplateId()});
    if (modalScripts.empty()) return IDCANCEL;
    return Next(modalScripts, nullptr)(dialog, owner);
}

void FakeUi::ExitProcess(UINT code) { calls.push_back({UiCall::Exit, {}, {}, code, {}, {}, nullptr, 0}); }
