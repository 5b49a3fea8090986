// The text input and comment dialogs: what they show, OK and Cancel, and the
// length limits.
#include "DialogProbe.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/TextInputDialog.h"
#include "res/CommentDialogRes.h"
#include "res/TextInputDialogRes.h"
#include <gtest/gtest.h>

namespace {

TEST(TextInputDialog, OkReturnsTheTypedTextCutTo259AndCancelKeepsTheOld) {
    std::string long259(300, 'x');
    long259[258] = 'L';
    const std::tuple<const char*, std::string, int, std::string> cases[] = {
        {"Enter the Publisher", long259, IDOK, long259.substr(0, 259)},
        {"", "", IDOK, ""},  // an empty text is returned as it is
        {"", "Changed", IDCANCEL, "Old"}};
    for (const auto& [prompt, typed, button, value] : cases) {
        TextInputDialog dialog;
        dialog.prompt = prompt;
        dialog.value = "Old";
        ASSERT_TRUE(dialog.Create(nullptr));
        HWND edit = GetDlgItem(dialog.Handle(), IDC_TEXTINPUT_VALUE);
        EXPECT_EQ((std::vector<std::string>{ItemText(dialog, IDC_TEXTINPUT_PROMPT), win::WindowText(edit)}),
                  (std::vector<std::string>{prompt, "Old"}));
        EXPECT_EQ(GetFocus(), edit);
        SetWindowTextA(edit, typed.c_str());
        Press(dialog, button);
        EXPECT_EQ(std::make_pair(dialog.Result(), dialog.value), std::make_pair(INT_PTR{button}, value));
    }
}

TEST(CommentDialog, KeepsLineBreaksAndStopsAt1023) {
    CommentDialog dialog;
    dialog.comment = "no comment";
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = GetDlgItem(dialog.Handle(), IDC_COMMENT_TEXT);
    EXPECT_EQ(win::WindowText(edit), "no comment");
    SetWindowTextA(edit, "First line\r\n");
    SendMessageA(edit, EM_SETSEL, 12, 12);
    for (WPARAM c : {WPARAM('a'), WPARAM(VK_RETURN), WPARAM('b')}) SendMessageA(edit, WM_CHAR, c, 0);
    Press(dialog, IDOK);
    EXPECT_EQ(std::make_pair(dialog.Result(), dialog.comment),
              std::make_pair(INT_PTR{IDOK}, std::string("First line\r\na\r\nb")))
        << "Enter types a line break";

    CommentDialog full;
    ASSERT_TRUE(full.Create(nullptr));
    edit = GetDlgItem(full.Handle(), IDC_COMMENT_TEXT);
    SetWindowTextA(edit, std::string(1000, 'a').c_str());
    SendMessageA(edit, EM_SETSEL, 1000, 1000);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(100, 'b').c_str()));
    EXPECT_EQ(GetWindowTextLengthA(edit), 1024) << "typing stops at 1024";
    Press(full, IDOK);
    EXPECT_EQ(full.comment, std::string(1000, 'a') + std::string(23, 'b'));
}

}  // namespace
