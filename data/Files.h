// Small questions about the file system, and whole-file writes.
#pragma once
#include <cstddef>
#include <string>
#include "data/NameRules.h"

// True for an existing file (not a folder).
bool FileExists(const std::string& path);
// True for an existing folder.
bool FolderExists(const std::string& path);

// Creates or replaces the file with these bytes; a read-only file is replaced
// too. False when it cannot be written completely.
bool WriteWholeFile(const std::string& path, const void* bytes, size_t size);

// Moves a file to the Recycle Bin without asking (the caller asked); false
// when it could not go (read-only, in use, missing).
bool MoveToRecycleBin(const std::string& path);

// Size and last write time of a file, 0 when it is missing: changes whenever
// the file does.
unsigned long long FileStamp(const std::string& path);

// True for a read-only file.
bool IsReadOnlyFile(const std::string& path);


// The full form of |path| (GetFullPathNameA, so "." and ".." are gone) with
// each existing part spelt as the file system stores it, short (8.3) names
// expanded. Empty when the path cannot be made full or holds wildcards.
std::string FullLongPath(const std::string& path);

// True when both paths name the same place: their full long forms are equal
// without regard to case.
bool SamePath(const std::string& a, const std::string& b);

// The long name of the file or folder that |path| reaches, when that is not the
// last part of |path| itself (without regard to case): the name is the short
// (8.3) alias of another file, "KEEN~0HY.QGF" for "Keen Dreams Deluxe.qgf", and
// a write through it would replace that file. Empty when nothing is there or
// the name is its own.
std::string OtherLongName(const std::string& path);
