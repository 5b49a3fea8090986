// Messages and questions around Data.ini.
#include "dialogs/CriteriaPrompts.h"
#include "win/Texts.h"
#include "win/UserInterface.h"

bool OpenDataIni(IniFile& ini, const std::string& path, HWND owner) {
    if (ini.Open(path)) return true;
    win::Ui().ShowMessage(owner, Tr(TextId::DataIniFailed), kAppName, MB_OK);
    return false;
}

int AddCriteriaEntryOrTell(IniFile& ini, CriteriaList list, const std::string& text, HWND owner) {
    int index = AddCriteriaEntry(ini, list, text);
    if (index == kListFull)
        win::Ui().ShowMessage(owner, Format("Cannot add anymore entries.\nMaximum limit is %d.", ListInfo(list).capacity),
                              kAppName, MB_OK);
    if (index == kNotStored) TellDataIniNotWritten("The entry could not be stored in", owner);
    return index;
}

void TellDataIniNotWritten(const char* what, HWND owner) {
    win::Ui().ShowMessage(owner,
                          Format("%s the Data.ini file.\nThe file may be missing, read-only or in use by another "
                                 "program.",
                                 what),
                          "Error", MB_OK | MB_ICONEXCLAMATION);
}

DeleteEntryResult DeleteCriteriaEntryAsking(IniFile& ini, CriteriaList list,
                                            const std::optional<std::string>& selectedText, bool confirm, HWND owner) {
    if (!selectedText) {
        win::Ui().ShowMessage(owner, "No entry is selected!", "Error", MB_OK | MB_ICONSTOP);
        return DeleteEntryResult::NoSelection;
    }
    int index = FindCriteriaEntry(ini, list, *selectedText);
    if (index < 0) return DeleteEntryResult::NotFound;
    if (confirm && win::Ui().ShowMessage(owner, Format("Are you sure you want to\ndelete %s?", selectedText->c_str()),
                                         "Confirm Delete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return DeleteEntryResult::Declined;
    if (!DeleteCriteriaSlot(ini, list, index)) {
        TellDataIniNotWritten("The entry could not be deleted from", owner);
        return DeleteEntryResult::NotStored;
    }
    return DeleteEntryResult::Deleted;
}
