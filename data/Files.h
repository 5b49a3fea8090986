// Small questions about the file system.
#pragma once
#include <string>

// True for an existing file (not a folder).
bool FileExists(const std::string& path);
// True for an existing folder.
bool FolderExists(const std::string& path);
