// The messages and questions around the criteria data file: the open check of
// Data.ini, a full list, and the deletion of an entry.
#pragma once
#include "data/CriteriaData.h"
#include <windows.h>
#include <optional>
#include <string>

// Opens Data.ini; on failure tells the user and returns
// false, leaving the accessor closed.
bool OpenDataIni(IniFile& ini, const std::string& path, HWND owner);

// Adds the entry and returns its slot; a full list gets the limit message and
// kListFull, a Data.ini that cannot be written says so and gives kNotStored.
int AddCriteriaEntryOrTell(IniFile& ini, CriteriaList list, const std::string& text, HWND owner);

// Tells the user that a change could not be written to Data.ini; |what| is
// "stored in" or "deleted from" and the like.
void TellDataIniNotWritten(const char* what, HWND owner);

enum class DeleteEntryResult {
    NoSelection,  // told the user; nothing changed
    NotFound,     // no key holds that text
    Declined,     // the user answered No
    Deleted,      // the first key holding the text is gone
    NotStored,    // told the user: Data.ini could not be written
};

// Deletes the first key whose value equals the selected row's text exactly (an
// empty row's text matches the first free slot), after the "Confirm Delete"
// question when |confirm|. No |selectedText|: no row is selected.
DeleteEntryResult DeleteCriteriaEntryAsking(IniFile& ini, CriteriaList list,
                                            const std::optional<std::string>& selectedText, bool confirm, HWND owner);
