// The text input and comment dialogs: what they show, OK and Cancel, and the
// length limits.
#include "TestEnv.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/TextInputDialog.h"
#include "res/CommentDialogRes.h"
#include "res/TextInputDialogRes.h"
#include <gtest/gtest.h>

namespace {

void Press(win::Dialog& dialog, int id) { SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::string Text(const win::Dialog& dialog, int id) { return win::WindowText(GetDlgItem(dialog.Handle(), id), 4096); }

TEST(TextInputDialog, OkReturnsTheTypedTextCutTo259) {
    TextInputDialog dialog;
    dialog.prompt = "Enter the Publisher";
    dialog.value = "Apogee";
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(Text(dialog, IDC_TEXTINPUT_PROMPT), "Enter the Publisher");
    EXPECT_EQ(Text(dialog, IDC_TEXTINPUT_VALUE), "Apogee");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Handle(), IDC_TEXTINPUT_VALUE));
    std::string typed(300, 'x');
    typed[258] = 'L';
    SetDlgItemTextA(dialog.Handle(), IDC_TEXTINPUT_VALUE, typed.c_str());
    Press(dialog, IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.value, typed.substr(0, 259));
}

TEST(TextInputDialog, EmptyOkAndCancel) {
    TextInputDialog empty;
    empty.value = "Old name";
    ASSERT_TRUE(empty.Create(nullptr));
    SetDlgItemTextA(empty.Handle(), IDC_TEXTINPUT_VALUE, "");
    Press(empty, IDOK);
    EXPECT_EQ(empty.Result(), IDOK);
    EXPECT_EQ(empty.value, "") << "an empty text is returned as it is";

    TextInputDialog cancelled;
    cancelled.value = "Keen";
    ASSERT_TRUE(cancelled.Create(nullptr));
    SetDlgItemTextA(cancelled.Handle(), IDC_TEXTINPUT_VALUE, "Changed");
    Press(cancelled, IDCANCEL);
    EXPECT_EQ(cancelled.Result(), IDCANCEL);
    EXPECT_EQ(cancelled.value, "Keen");
}

TEST(CommentDialog, KeepsLineBreaksAndCancelKeepsTheComment) {
    CommentDialog dialog;
    dialog.comment = "no comment";
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = GetDlgItem(dialog.Handle(), IDC_COMMENT_TEXT);
    EXPECT_EQ(win::WindowText(edit), "no comment");
    SetWindowTextA(edit, "First line\r\n");
    SendMessageA(edit, EM_SETSEL, 12, 12);
    SendMessageA(edit, WM_CHAR, 'a', 0);
    SendMessageA(edit, WM_CHAR, VK_RETURN, 0);  // Enter types a line break
    SendMessageA(edit, WM_CHAR, 'b', 0);
    Press(dialog, IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.comment, "First line\r\na\r\nb");

    CommentDialog cancelled;
    cancelled.comment = "Keep me";
    ASSERT_TRUE(cancelled.Create(nullptr));
    SetDlgItemTextA(cancelled.Handle(), IDC_COMMENT_TEXT, "Changed");
    Press(cancelled, IDCANCEL);
    EXPECT_EQ(cancelled.comment, "Keep me");
}

TEST(CommentDialog, TypingStopsAt1024AndTheCommentHolds1023) {
    CommentDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = GetDlgItem(dialog.Handle(), IDC_COMMENT_TEXT);
    SetWindowTextA(edit, std::string(1000, 'a').c_str());
    SendMessageA(edit, EM_SETSEL, 1000, 1000);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(100, 'b').c_str()));
    EXPECT_EQ(GetWindowTextLengthA(edit), 1024);
    Press(dialog, IDOK);
    EXPECT_EQ(dialog.comment, std::string(1000, 'a') + std::string(23, 'b'));
}

}  // namespace
