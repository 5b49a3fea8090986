// Test helpers: private folders, a clean settings key, game files and bitmaps.
#pragma once
#include "data/GameRecord.h"
#include <windows.h>
#include <string>
#include <vector>

// A new empty folder under the temporary folder; removed by RemoveTree.
std::string MakeTempFolder(const std::string& tag);
void RemoveTree(const std::string& path);

// A private folder, removed with everything in it when the test ends.
struct TempFolder {
    explicit TempFolder(const char* tag) : path(MakeTempFolder(tag)) {}
    ~TempFolder() { RemoveTree(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string path;
};

// Deletes a registry key with everything below it.
void DeleteRegistryTree(HKEY root, const std::string& key);
// Removes the program's settings key.
void ResetSettings();

// This test's own executable: a Windows program (one that may serve as DOSBox).
std::string ThisProgram();

std::vector<char> ReadFileBytes(const std::string& path);
inline std::string FileText(const std::string& path) {
    const std::vector<char> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}
void WriteFileBytes(const std::string& path, const std::vector<char>& bytes);
void WriteFileText(const std::string& path, const std::string& text);
// A file of |size| bytes that takes no room: |head| at its start, nothing written after it.
void WriteSparseFile(const std::string& path, const std::string& head, uint64_t size);

// A 24-bit BMP file image of that size, filled with one colour.
std::vector<char> MakeBmp(int width, int height, unsigned char r, unsigned char g, unsigned char b);

// A blank record with these fields set.
GameRecord MakeGame(const std::string& title, const std::string& publisher = "Unknown",
                    const std::string& category = "Unknown", const std::string& path = "C:\\",
                    const std::string& command = "");
// Writes record and picture bytes as a game file.
void WriteGame(const std::string& path, const GameRecord& record, const std::vector<char>& picture = {});

// Dispatches every waiting message of this thread.
void PumpMessages();
