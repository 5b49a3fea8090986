// The criteria data file Data.ini: four numbered lists (categories, publishers,
// sound and music devices) with fixed capacities, and the VDMSound page address.
// Nothing is cached: every read goes to the file and every change is written at once.
#pragma once
#include "data/IniFile.h"
#include <string>
#include <vector>

enum class CriteriaList { Categories, Publishers, SoundDevices, MusicDevices };

struct CriteriaListInfo {
    const char* section;
    int capacity;  // keys "00" up to capacity - 1
};

const CriteriaListInfo& ListInfo(CriteriaList list);

// The key of slot |index|: "%02d", so "00".."09", then "10", ... "127".
std::string CriteriaKey(int index);

// "%s\Data.ini" for the program folder (which has no trailing separator).
std::string DataIniPath(const std::string& programFolder);

// The non-empty values of the first |keyCount| keys (all keys when negative), in
// key order. |stopAfterFreeSlots| > 0 ends the read once that many free slots
// in a row have been seen.
std::vector<std::string> ReadCriteriaList(const IniFile& ini, CriteriaList list, int keyCount = -1,
                                          int stopAfterFreeSlots = 0);

constexpr char kDefaultVdmSoundWeb[] = "http://sourceforge.net/projects/vdmsound/";

// "Misc"/"VDMSoundWeb", or the built-in address when that is empty.
std::string ReadVdmSoundWeb(const IniFile& ini);

constexpr int kListFull = -1;   // no free slot: nothing changes
constexpr int kNotStored = -2;  // Data.ini is closed or could not be written

// Writes |text| as typed into the lowest free slot and returns its index, or
// kListFull or kNotStored.
int AddCriteriaEntry(IniFile& ini, CriteriaList list, const std::string& text);

// The first slot whose value equals |text| exactly, -1 when none.
int FindCriteriaEntry(const IniFile& ini, CriteriaList list, const std::string& text);

// Empties that slot; false when Data.ini is closed or could not be written.
bool DeleteCriteriaSlot(IniFile& ini, CriteriaList list, int index);
