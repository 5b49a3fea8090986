// Messages and questions around Data.ini.
#include "dialogs/CriteriaPrompts.h"
#include "app/Texts.h"
#include "win/UserInterface.h"

bool OpenDataIni(IniFile& ini, const std::string& path, bool spanish, HWND owner) {
    if (ini.Open(path)) return true;
    win::Ui().ShowMessage(owner,
                          Tr(spanish, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.",
                             "\xA1No se pudo cargar el archivo Data.ini!\n"
                             "Recupere el archivo o vuelva a instalar Quillon Loader."),
                          kAppName, MB_OK);
    return false;
}

int AddCriteriaEntryOrTell(IniFile& ini, CriteriaList list, const std::string& text, HWND owner) {
    int index = AddCriteriaEntry(ini, list, text);
    if (index < 0)
        win::Ui().ShowMessage(owner, Format("Cannot add anymore entries.\nMaximum limit is %d.", ListInfo(list).capacity),
                              kAppName, MB_OK);
    return index;
}

DeleteEntryResult DeleteCriteriaEntryAsking(IniFile& ini, CriteriaList list, const std::string& selectedText,
                                            bool confirm, HWND owner) {
    if (selectedText.empty()) {
        win::Ui().ShowMessage(owner, "No entry is selected!", "Error", MB_OK | MB_ICONSTOP);
        return DeleteEntryResult::NoSelection;
    }
    int index = FindCriteriaEntry(ini, list, selectedText);
    if (index < 0) return DeleteEntryResult::NotFound;
    if (confirm && win::Ui().ShowMessage(owner, Format("Are you sure you want to\ndelete %s?", selectedText.c_str()),
                                         "Confirm Delete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return DeleteEntryResult::Declined;
    DeleteCriteriaSlot(ini, list, index);
    return DeleteEntryResult::Deleted;
}
