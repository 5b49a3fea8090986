// The manage entries dialog.
#include "dialogs/ManageEntriesDialog.h"
#include "app/Texts.h"
#include "dialogs/CriteriaPrompts.h"
#include "dialogs/TextInputDialog.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <algorithm>
#include <vector>

struct ManageEntriesDialog::ListControls {
    CriteriaList list;
    int box;
    int addButton;
    int deleteButton;
    const char* prompt;
};

namespace {

constexpr char kWebSection[] = "Misc";
constexpr char kWebKey[] = "VDMSoundWeb";
constexpr size_t kMaxWebChars = 259;

std::string ListBoxText(HWND box, int row) {
    LRESULT length = SendMessageA(box, LB_GETTEXTLEN, row, 0);
    if (length == LB_ERR || length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(box, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

// In the order the lists are read when the dialog opens.
const ManageEntriesDialog::ListControls kLists[] = {
    {CriteriaList::SoundDevices, IDC_ENTRIES_SOUND, IDC_ENTRIES_SOUND_ADD, IDC_ENTRIES_SOUND_DELETE,
     "Enter the new Sound Device"},
    {CriteriaList::MusicDevices, IDC_ENTRIES_MUSIC, IDC_ENTRIES_MUSIC_ADD, IDC_ENTRIES_MUSIC_DELETE,
     "Enter the new Music Device"},
    {CriteriaList::Categories, IDC_ENTRIES_CATEGORIES, IDC_ENTRIES_CATEGORIES_ADD, IDC_ENTRIES_CATEGORIES_DELETE,
     "Enter the new Category"},
    {CriteriaList::Publishers, IDC_ENTRIES_PUBLISHERS, IDC_ENTRIES_PUBLISHERS_ADD, IDC_ENTRIES_PUBLISHERS_DELETE,
     "Enter the new Publisher"},
};

}  // namespace

ManageEntriesDialog::ManageEntriesDialog(IniFile& dataIni, bool confirmDelete)
    : SkinnedDialog(IDD_MANAGEENTRIES), _ini(dataIni), _confirmDelete(confirmDelete) {}

bool ManageEntriesDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    for (const ListControls& list : kLists) FillList(list);

    HWND web = Item(IDC_ENTRIES_WEB);
    SendMessageA(web, EM_LIMITTEXT, kMaxWebChars, 0);
    _filling = true;
    SetWindowTextA(web, ReadVdmSoundWeb(_ini).c_str());
    StoreWebSite();  // filling the field counts as a change: the built-in address is stored
    _filling = false;
    return true;
}

void ManageEntriesDialog::FillList(const ListControls& list) {
    HWND box = Item(list.box);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    // Every key up to the capacity: free slots in between never end the list.
    for (const std::string& entry : ReadCriteriaList(_ini, list.list))
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(box, LB_SETCURSEL, 0, 0);
}

void ManageEntriesDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_ENTRIES_WEB) {
        if (code == EN_CHANGE && !_filling) StoreWebSite();
        return;
    }
    if (code != BN_CLICKED) return;
    for (const ListControls& list : kLists) {
        if (id == list.addButton) AddEntry(list);
        if (id == list.deleteButton) DeleteEntry(list);
    }
}

void ManageEntriesDialog::AddEntry(const ListControls& list) {
    std::optional<std::string> text = AskText(Handle(), list.prompt);
    if (!text) return;
    // Taken as typed: an empty text is written as an empty value, a free slot.
    if (AddCriteriaEntryOrTell(_ini, list.list, *text, Handle()) < 0) return;
    HWND box = Item(list.box);
    LRESULT row = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text->c_str()));
    if (row >= 0) SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ManageEntriesDialog::DeleteEntry(const ListControls& list) {
    HWND box = Item(list.box);
    const LRESULT row = SendMessageA(box, LB_GETCURSEL, 0, 0);
    std::optional<std::string> text;
    if (row != LB_ERR) text = ListBoxText(box, static_cast<int>(row));
    // Without a selection this tells the user "No entry is selected!". An empty
    // row (added empty) is asked about like any other and takes the first free
    // slot with it, which changes nothing that a reader sees.
    if (DeleteCriteriaEntryAsking(_ini, list.list, text, _confirmDelete, Handle()) == DeleteEntryResult::Deleted)
        SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

void ManageEntriesDialog::StoreWebSite() {
    std::string web = ItemText(IDC_ENTRIES_WEB, kMaxWebChars);
    // A pasted line break must not start a new line in Data.ini.
    web.erase(std::min(web.find_first_of("\r\n"), web.size()));
    // A failed change of the user's own is told, once per opening: the field
    // is written on every keystroke.
    if (!_ini.WriteString(kWebSection, kWebKey, web) && !_filling && !_webNotStoredTold) {
        _webNotStoredTold = true;
        TellDataIniNotWritten("The VDMSound web site could not be stored in", Handle());
    }
}

bool AskManageEntries(HWND owner, IniFile& dataIni, const std::string& dataIniPath, bool confirmDelete, bool spanish) {
    ManageEntriesDialog dialog(dataIni, confirmDelete);
    if (win::Ui().RunModal(dialog, owner) != IDOK) return false;
    OpenDataIni(dataIni, dataIniPath, spanish, owner);
    return true;
}
