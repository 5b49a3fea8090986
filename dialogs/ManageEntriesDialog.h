// Adds and deletes the entries of the four criteria lists of Data.ini and
// edits the VDMSound web site. Every change goes to the file at once.
#pragma once
#include "data/CriteriaData.h"
#include "data/IniFile.h"
#include "widgets/SkinnedDialog.h"
#include <string>

class ManageEntriesDialog final : public SkinnedDialog {
public:
    // |dataIni| is the main window's accessor of Data.ini; when it is closed
    // the lists are empty and nothing is written. |confirmDelete| asks before
    // each deletion.
    ManageEntriesDialog(IniFile& dataIni, bool confirmDelete);

    struct ListControls;  // one list's box and buttons

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;

    void FillList(const ListControls& list);
    void AddEntry(const ListControls& list);
    void DeleteEntry(const ListControls& list);
    void StoreWebSite();

    IniFile& _ini;
    bool _confirmDelete;
    bool _filling = false;
    bool _webNotStoredTold = false;
};

// Runs the dialog through the user-interface seam. Closed with Close, Data.ini
// is checked again as at start-up (OpenDataIni on |dataIniPath|: on failure
// its message shows and |dataIni| stays closed) and true comes back: the main
// window then repaints. Closed with Escape: false and nothing more.
bool AskManageEntries(HWND owner, IniFile& dataIni, const std::string& dataIniPath, bool confirmDelete);
