// The messages and questions around the criteria data file: the open check of
// Data.ini, a full list, and the deletion of an entry.
#pragma once
#include "data/CriteriaData.h"
#include <windows.h>
#include <string>

// Opens Data.ini; on failure tells the user (English or Spanish) and returns
// false, leaving the accessor closed.
bool OpenDataIni(IniFile& ini, const std::string& path, bool spanish, HWND owner);

// Adds the entry; a full list gets the limit message and -1.
int AddCriteriaEntryOrTell(IniFile& ini, CriteriaList list, const std::string& text, HWND owner);

enum class DeleteEntryResult {
    NoSelection,  // told the user; nothing changed
    NotFound,     // no key holds that text
    Declined,     // the user answered No
    Deleted,      // the first key holding the text is gone
};

// Deletes the first key whose value equals the selected row's text exactly,
// after the "Confirm Delete" question when |confirm|. An empty |selectedText|
// means that no row is selected.
DeleteEntryResult DeleteCriteriaEntryAsking(IniFile& ini, CriteriaList list, const std::string& selectedText,
                                            bool confirm, HWND owner);
