// Test helpers.
#include "TestEnv.h"
#include "app/Settings.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    std::vector<char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    fclose(f);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<char>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void WriteFileText(const std::string& path, const std::string& text) {
    WriteFileBytes(path, std::vector<char>(text.begin(), text.end()));
}

std::vector<char> MakeBmp(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    const int stride = (width * 3 + 3) & ~3;
    const int image = stride * height;
    std::vector<char> out(14 + 40 + image, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<uint32_t>(image));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &out[54 + y * stride + x * 3];
            p[0] = static_cast<char>(b);
            p[1] = static_cast<char>(g);
            p[2] = static_cast<char>(r);
        }
    return out;
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

std::string FolderFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    std::string path = value ? value : ".";
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
