// The manage entries dialog.
#include "dialogs/ManageEntriesDialog.h"
#include "win/Texts.h"
#include "dialogs/CriteriaPrompts.h"
#include "dialogs/TextInputDialog.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include <algorithm>

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

    LimitText(IDC_ENTRIES_WEB, kMaxWebChars);
    _filling = true;
    SetItemText(IDC_ENTRIES_WEB, ReadVdmSoundWeb(_ini));
    StoreWebSite();  // filling the field counts as a change: the built-in address is stored
    _filling = false;
    return true;
}

void ManageEntriesDialog::FillList(const ListControls& list) {
    win::ListBox box(Item(list.box));
    box.Clear();
    // Every key up to the capacity: free slots in between never end the list.
    for (const std::string& entry : ReadCriteriaList(_ini, list.list)) box.Add(entry);
    box.Select(0);
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
    win::ListBox box(Item(list.box));
    const int row = box.Add(*text);
    if (row >= 0) box.Select(row);
}

void ManageEntriesDialog::DeleteEntry(const ListControls& list) {
    win::ListBox box(Item(list.box));
    const int row = box.Selected();
    std::optional<std::string> text;
    if (row >= 0) text = box.Text(row);
    // Without a selection this tells the user "No entry is selected!". An empty
    // row (added empty) is asked about like any other and takes the first free
    // slot with it, which changes nothing that a reader sees.
    if (DeleteCriteriaEntryAsking(_ini, list.list, text, _confirmDelete, Handle()) == DeleteEntryResult::Deleted)
        box.Delete(row);
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

bool AskManageEntries(HWND owner, IniFile& dataIni, const std::string& dataIniPath, bool confirmDelete) {
    ManageEntriesDialog dialog(dataIni, confirmDelete);
    if (win::Ui().RunModal(dialog, owner) != IDOK) return false;
    OpenDataIni(dataIni, dataIniPath, owner);
    return true;
}
