// Reading and changing the criteria lists of Data.ini.
#include "data/CriteriaData.h"
#include "app/Texts.h"
#include "win/UserInterface.h"
#include <cstdio>

namespace {

constexpr CriteriaListInfo kLists[] = {
    {"Categories", 24},
    {"Publishers", 128},
    {"Sound Devices", 64},
    {"Music Devices", 64},
};

}  // namespace

const CriteriaListInfo& ListInfo(CriteriaList list) { return kLists[static_cast<int>(list)]; }

std::string CriteriaKey(int index) {
    char key[16];
    snprintf(key, sizeof key, "%02d", index);
    return key;
}

std::string DataIniPath(const std::string& programFolder) { return programFolder + "\\Data.ini"; }

std::vector<std::string> ReadCriteriaList(const IniFile& ini, CriteriaList list, int keyCount, int stopAfterFreeSlots) {
    const CriteriaListInfo& info = ListInfo(list);
    if (keyCount < 0 || keyCount > info.capacity) keyCount = info.capacity;
    std::vector<std::string> values;
    int freeInARow = 0;
    for (int i = 0; i < keyCount; ++i) {
        std::string value = ini.GetString(info.section, CriteriaKey(i));
        if (!value.empty()) {
            values.push_back(std::move(value));
            freeInARow = 0;
        } else if (stopAfterFreeSlots > 0 && ++freeInARow >= stopAfterFreeSlots) {
            break;
        }
    }
    return values;
}

bool OpenDataIni(IniFile& ini, const std::string& path, bool spanish, HWND owner) {
    if (ini.Open(path)) return true;
    win::Ui().ShowMessage(
        owner,
        Tr(spanish, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.",
           "\xA1No se pudo cargar el archivo Data.ini!\n"
           "Recupere el archivo o vuelva a instalar Quillon Loader."),
        kAppName, MB_OK);
    return false;
}

std::string ReadVdmSoundWeb(const IniFile& ini) {
    std::string web = ini.GetString("Misc", "VDMSoundWeb");
    return web.empty() ? kDefaultVdmSoundWeb : web;
}

int AddCriteriaEntry(IniFile& ini, CriteriaList list, const std::string& text, HWND owner) {
    const CriteriaListInfo& info = ListInfo(list);
    for (int i = 0; i < info.capacity; ++i) {
        std::string key = CriteriaKey(i);
        if (ini.GetString(info.section, key).empty()) {
            ini.WriteString(info.section, key, text);
            return i;
        }
    }
    win::Ui().ShowMessage(owner, Format("Cannot add anymore entries.\nMaximum limit is %d.", info.capacity), kAppName,
                          MB_OK);
    return -1;
}

DeleteEntryResult DeleteCriteriaEntry(IniFile& ini, CriteriaList list, const std::string& selectedText, bool confirm,
                                      HWND owner) {
    if (selectedText.empty()) {
        win::Ui().ShowMessage(owner, "No entry is selected!", "Error", MB_OK | MB_ICONSTOP);
        return DeleteEntryResult::NoSelection;
    }
    const CriteriaListInfo& info = ListInfo(list);
    for (int i = 0; i < info.capacity; ++i) {
        std::string key = CriteriaKey(i);
        if (ini.GetString(info.section, key) != selectedText) continue;
        if (confirm &&
            win::Ui().ShowMessage(owner, Format("Are you sure you want to\ndelete %s?", selectedText.c_str()),
                                  "Confirm Delete", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return DeleteEntryResult::Declined;
        ini.DeleteKey(info.section, key);
        return DeleteEntryResult::Deleted;
    }
    return DeleteEntryResult::NotFound;
}
