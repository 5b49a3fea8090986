// Small questions about the file system.
#pragma once
#include <string>

// True for an existing file (not a folder).
bool FileExists(const std::string& path);
// True for an existing folder.
bool FolderExists(const std::string& path);

// True for a read-only file.
bool IsReadOnlyFile(const std::string& path);

// True when the last part of |path| names a DOS device (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, CLOCK$, ...), with or without an extension: Windows
// opens the device instead of a file of that name, and a read may never end.
bool IsDosDeviceName(const std::string& path);

// The full form of |path| (GetFullPathNameA, so "." and ".." are gone) with
// each existing part spelt as the file system stores it, short (8.3) names
// expanded. Empty when the path cannot be made full or holds wildcards.
std::string FullLongPath(const std::string& path);

// True when both paths name the same place: their full long forms are equal
// without regard to case.
bool SamePath(const std::string& a, const std::string& b);
