// Test helpers.
#include "TestEnv.h"
#include "BmpBuilder.h"
#include "state/Settings.h"
#include <fstream>
#include <iterator>

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

std::string MakeTempFolder(const std::string& tag) {
    static int counter = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    for (;;) {
        std::string path = std::string(temp) + "ql_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                           std::to_string(++counter);
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

void RemoveTree(const std::string& path) {
    if (path.empty()) return;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(h, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteRegistryTree(h, name);
    }
    RegCloseKey(h);
    RegDeleteKeyA(root, key.c_str());
}

void ResetSettings() { DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoader"); }

std::vector<char> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteFileText(const std::string& path, const std::string& text) {
    WriteFileBytes(path, std::vector<char>(text.begin(), text.end()));
}

void WriteSparseFile(const std::string& path, const std::string& head, uint64_t size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
}

std::vector<char> MakeBmp(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    BmpSpec spec(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) spec.bits.insert(spec.bits.end(), {b, g, r});
        spec.bits.resize((spec.bits.size() + 3) & ~size_t{3});  // rows end on four bytes
    }
    return BuildBmp(spec);
}

GameRecord MakeGame(const std::string& title, const std::string& publisher, const std::string& category,
                    const std::string& path, const std::string& command) {
    GameRecord g = BlankGameRecord();
    SetField(g.title, title.c_str());
    SetField(g.publisher, publisher.c_str());
    SetField(g.category, category.c_str());
    SetField(g.path, path.c_str());
    SetField(g.command, command.c_str());
    return g;
}

void WriteGame(const std::string& path, const GameRecord& record, const std::vector<char>& picture) {
    GameRecord r = record;
    r.pictureSize = static_cast<uint32_t>(picture.size());
    std::vector<char> bytes(reinterpret_cast<const char*>(&r), reinterpret_cast<const char*>(&r) + sizeof r);
    bytes.insert(bytes.end(), picture.begin(), picture.end());
    WriteFileBytes(path, bytes);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
