// The manage entries dialog in-process, and the text input and comment dialogs.
#include "DialogProbe.h"
#include "MessageTexts.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/ManageEntriesDialog.h"
#include "dialogs/TextInputDialog.h"
#include "res/CommentDialogRes.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/TextInputDialogRes.h"

namespace {

class ManageEntriesTest : public DialogTest<ManageEntriesDialog> {
protected:
    void Open(const std::string& text, bool confirm = true) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
        ASSERT_TRUE(DialogTest::Open(ini, confirm));
    }
    void Select(int box, int row) { SendMessageA(Item(box), LB_SETCURSEL, static_cast<WPARAM>(row), 0); }
    void WillType(const std::string& text) {
        ui.modalScripts.push_back([this, text](win::Dialog& d, HWND) -> INT_PTR {
            prompts.push_back(static_cast<TextInputDialog&>(d).prompt);
            static_cast<TextInputDialog&>(d).value = text;
            return IDOK;
        });
    }
    const std::string path = DataIniPath(folder);
    IniFile ini;
    Strings prompts;
};

TEST_F(ManageEntriesTest, OpeningListsEveryEntryOfEveryList) {
    Open(
        "[Publishers]\n09=Apogee\n30=Sierra\n127=id Software\n"
        "[Categories]\n00=Platform\n23=Racing\n"
        "[Sound Devices]\n05=Sound Blaster\n63=Gravis Ultrasound\n"
        "[Music Devices]\n02=General MIDI\n01=AdLib\n");
    EXPECT_EQ(Rows(IDC_ENTRIES_PUBLISHERS), (Strings{"Apogee", "id Software", "Sierra"}))
        << "nine free slots at the start do not end the list; the rows are sorted";
    EXPECT_EQ(Rows(IDC_ENTRIES_CATEGORIES), (Strings{"Platform", "Racing"}));
    EXPECT_EQ(Rows(IDC_ENTRIES_SOUND), (Strings{"Gravis Ultrasound", "Sound Blaster"}));
    EXPECT_EQ(Rows(IDC_ENTRIES_MUSIC), (Strings{"AdLib", "General MIDI"}));
    EXPECT_EQ(SendMessageA(Item(IDC_ENTRIES_MUSIC), LB_GETCURSEL, 0, 0), 0) << "the first row is selected";
    EXPECT_EQ(Get(IDC_ENTRIES_WEB), kDefaultVdmSoundWeb);
    EXPECT_EQ(ini.GetString("Misc", "VDMSoundWeb"), kDefaultVdmSoundWeb) << "opening stores the built-in address";
}

TEST_F(ManageEntriesTest, TheWebSiteIsRewrittenOnEveryKeystroke) {
    Open("[Misc]\nVDMSoundWeb=http://vdms.example/\n");
    HWND web = Item(IDC_ENTRIES_WEB);
    EXPECT_EQ(win::WindowText(web), "http://vdms.example/");
    SendMessageA(web, EM_SETSEL, 0, -1);
    SendMessageA(web, WM_CHAR, 'a', 0);
    EXPECT_EQ(ini.GetString("Misc", "VDMSoundWeb"), "a");
    SendMessageA(web, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(ini.GetString("Misc", "VDMSoundWeb"), "");
    EXPECT_NE(FileText(path).find("VDMSoundWeb=\r\n"), std::string::npos) << "an emptied field stores an empty value";
    SetWindowTextA(web, "http://one.example/\r\n[Categories]\r\n00=Injected");
    EXPECT_EQ(ini.GetString("Misc", "VDMSoundWeb"), "http://one.example/");
    EXPECT_EQ(ini.GetString("Categories", "00"), "") << "a line break never reaches the file";
}

TEST_F(ManageEntriesTest, AddingFillsTheLowestFreeSlotAsTyped) {
    Open("[Music Devices]\n00=AdLib\n02=Roland\n[Categories]\n00=Action\n");
    WillType("General MIDI");
    Click(IDC_ENTRIES_MUSIC_ADD);
    EXPECT_EQ(ini.GetString("Music Devices", "01"), "General MIDI");
    EXPECT_EQ(Rows(IDC_ENTRIES_MUSIC), (Strings{"AdLib", "General MIDI", "Roland"}));
    // An empty text: an empty row, and an empty value that stays a free slot.
    WillType("");
    Click(IDC_ENTRIES_CATEGORIES_ADD);
    EXPECT_EQ(Rows(IDC_ENTRIES_CATEGORIES), (Strings{"", "Action"}));
    EXPECT_EQ(SendMessageA(Item(IDC_ENTRIES_CATEGORIES), LB_GETCURSEL, 0, 0), 0) << "the new row is selected";
    EXPECT_NE(FileText(path).find("01=\r\n"), std::string::npos);
    WillType("Puzzle");
    Click(IDC_ENTRIES_CATEGORIES_ADD);
    EXPECT_EQ(ini.GetString("Categories", "01"), "Puzzle");
    // The empty row is deleted like any other: asked, then it goes with the first free slot.
    Select(IDC_ENTRIES_CATEGORIES, 0);  // the empty row sorts first
    ui.messageAnswers = {IDNO, IDYES};
    for (int press = 0; press < 2; ++press) Click(IDC_ENTRIES_CATEGORIES_DELETE);
    EXPECT_EQ(Rows(IDC_ENTRIES_CATEGORIES), (Strings{"Action", "Puzzle"}));
    EXPECT_EQ(ini.GetString("Categories", "01"), "Puzzle");
    EXPECT_EQ(MessageTexts(ui), Strings(2, "Are you sure you want to\ndelete ?"));
    ui.modalScripts.push_back([](win::Dialog&, HWND) -> INT_PTR { return IDCANCEL; });
    Click(IDC_ENTRIES_SOUND_ADD);
    EXPECT_TRUE(Rows(IDC_ENTRIES_SOUND).empty()) << "Cancel adds nothing";
    EXPECT_EQ(prompts, (Strings{"Enter the new Music Device", "Enter the new Category", "Enter the new Category"}));
}

// With Data.ini held by another program the rows stay, and each change (the web site once) is told.
TEST_F(ManageEntriesTest, ChangesThatCannotBeStoredLeaveTheListsAsTheFileIs) {
    Open("[Categories]\n00=Action\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    WillType("Puzzle");
    ui.messageAnswers = {IDOK, IDYES};
    Click(IDC_ENTRIES_CATEGORIES_ADD);
    Click(IDC_ENTRIES_CATEGORIES_DELETE);  // "Action", asked and answered Yes
    for (const char* typed : {"http://a/", "http://b/"}) Set(IDC_ENTRIES_WEB, typed);
    CloseHandle(held);
    EXPECT_EQ(Rows(IDC_ENTRIES_CATEGORIES), Strings{"Action"});
    EXPECT_EQ(ini.GetString("Categories", "00"), "Action");
    const std::string why = " the Data.ini file.\nThe file may be missing, read-only or in use by another program.";
    EXPECT_EQ(
        MessageTexts(ui),
        (Strings{"The entry could not be stored in" + why, "Are you sure you want to\ndelete Action?",
                 "The entry could not be deleted from" + why, "The VDMSound web site could not be stored in" + why}));
}

TEST_F(ManageEntriesTest, DeletingRemovesTheFirstExactMatchOnly) {
    Open("[Publishers]\n01=sierra\n03=Sierra\n07=Sierra\n09=Apogee\n");
    Select(IDC_ENTRIES_PUBLISHERS, 1);  // a "Sierra" row
    ui.messageAnswers = {IDNO, IDYES};
    for (int press = 0; press < 3; ++press) {  // No keeps the row, Yes deletes it, then no row is selected
        if (press == 2) Select(IDC_ENTRIES_PUBLISHERS, -1);
        Click(IDC_ENTRIES_PUBLISHERS_DELETE);
    }
    EXPECT_EQ(MessageTexts(ui), (Strings{"Are you sure you want to\ndelete Sierra?",
                                         "Are you sure you want to\ndelete Sierra?", "No entry is selected!"}));
    EXPECT_EQ((Strings{ini.GetString("Publishers", "03"), ini.GetString("Publishers", "07")}), (Strings{"", "Sierra"}));
    EXPECT_EQ(Rows(IDC_ENTRIES_PUBLISHERS).size(), 3u);
    ui.Clear();  // without confirmation the row goes at once
    Open("[Sound Devices]\n00=PC Speaker\n", false);
    Click(IDC_ENTRIES_SOUND_DELETE);
    EXPECT_TRUE(ui.Messages().empty() && Rows(IDC_ENTRIES_SOUND).empty());
    EXPECT_EQ(ini.GetString("Sound Devices", "00"), "");
}

TEST_F(ManageEntriesTest, CloseChecksDataIniAgainAndEscapeDoesNot) {
    WriteFileText(path, "[Categories]\n00=Action\n");
    ASSERT_TRUE(ini.Open(path));
    for (INT_PTR button : {IDCANCEL, IDOK}) {
        ui.modalScripts.push_back([this, button](win::Dialog& d, HWND) -> INT_PTR {
            EXPECT_EQ(d.TemplateId(), IDD_MANAGEENTRIES);
            DeleteFileA(path.c_str());
            return button;
        });
        EXPECT_EQ(AskManageEntries(nullptr, ini, path, true), button == IDOK);
        EXPECT_EQ(ui.Messages().size(), button == IDOK ? 1u : 0u) << "Escape checks nothing";
        EXPECT_EQ(ini.IsOpen(), button == IDCANCEL);
    }
    WriteFileText(path, "[Categories]\n00=Action\n");
    ui.modalScripts.push_back([](win::Dialog&, HWND) -> INT_PTR { return IDOK; });
    EXPECT_TRUE(AskManageEntries(nullptr, ini, path, true));
    EXPECT_TRUE(ini.IsOpen()) << "Close opens the file again";
}

TEST(TextInputDialog, OkReturnsTheTypedTextCutTo259AndCancelKeepsTheOld) {
    std::string long259(300, 'x');
    long259[258] = 'L';
    const std::tuple<const char*, std::string, int, std::string> cases[] = {
        {"Enter the Publisher", long259, IDOK, long259.substr(0, 259)},
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

TEST(CommentDialog, ShowsTheCommentAndStopsAt1023) {
    CommentDialog full;
    full.comment = "no comment";
    ASSERT_TRUE(full.Create(nullptr));
    HWND edit = GetDlgItem(full.Handle(), IDC_COMMENT_TEXT);
    EXPECT_EQ(win::WindowText(edit), "no comment");
    SetWindowTextA(edit, std::string(1000, 'a').c_str());
    SendMessageA(edit, EM_SETSEL, 1000, 1000);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(100, 'b').c_str()));
    EXPECT_EQ(GetWindowTextLengthA(edit), 1024) << "typing stops at 1024";
    Press(full, IDOK);
    EXPECT_EQ(full.comment, std::string(1000, 'a') + std::string(23, 'b'));
}

}  // namespace
