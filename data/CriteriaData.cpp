// Reading and changing the criteria lists of Data.ini.
#include "data/CriteriaData.h"
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

std::string ReadVdmSoundWeb(const IniFile& ini) {
    std::string web = ini.GetString("Misc", "VDMSoundWeb");
    return web.empty() ? kDefaultVdmSoundWeb : web;
}

int AddCriteriaEntry(IniFile& ini, CriteriaList list, const std::string& text) {
    const CriteriaListInfo& info = ListInfo(list);
    for (int i = 0; i < info.capacity; ++i) {
        std::string key = CriteriaKey(i);
        if (ini.GetString(info.section, key).empty()) return ini.WriteString(info.section, key, text) ? i : kNotStored;
    }
    return kListFull;
}

int FindCriteriaEntry(const IniFile& ini, CriteriaList list, const std::string& text) {
    const CriteriaListInfo& info = ListInfo(list);
    for (int i = 0; i < info.capacity; ++i)
        if (ini.GetString(info.section, CriteriaKey(i)) == text) return i;
    return -1;
}

bool DeleteCriteriaSlot(IniFile& ini, CriteriaList list, int index) {
    return ini.DeleteKey(ListInfo(list).section, CriteriaKey(index));
}
