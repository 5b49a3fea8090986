// Finding VDMSound: through its registry key, or in the fixed folder where our launcher batch file is written.
#include "DialogProbe.h"
#include "launch/VdmSound.h"
#include <gtest/gtest.h>

namespace {

const char kKey[] = "Software\\Freeware\\VDMSound";
const char kBatch[] = "dosdrv.exe /i:VDMS.INI\nCall %1";

class VdmSoundTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, kKey); }
    void SetTipsFile(const std::string& value, DWORD type = REG_SZ, bool terminated = true) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "TipsFile", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + (terminated ? 1 : 0)));
        RegCloseKey(key);
    }
    void AddLaunchPad() { WriteFileText(folder + "LaunchPad.dll", "MZ"); }
    std::string BatchPath() const { return folder + "VDMSRun.bat"; }
    bool Exists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    TempFolder temp{"vdms"};
    const std::string folder = temp.path + "\\";  // with its trailing backslash
};

TEST_F(VdmSoundTest, RegistryGivesTheTipsFileFolderAndThePif) {
    const std::string fits = "C:\\" + std::string(250, 'y') + "\\";
    const std::tuple<std::string, DWORD, bool, const char*> cases[] = {
        {"C:\\Some Folder\\VDMS\\tips.txt", REG_SZ, true, "C:\\Some Folder\\VDMS\\"},
        {"D:\\Emu\\tips.txt", REG_EXPAND_SZ, true, "D:\\Emu\\"},  // the type is not looked at
        {"C\\tips.txt", REG_SZ, true, "C\\"},                     // a backslash at index 1 is enough
        {"\\tips.txt", REG_SZ, true, nullptr},
        {"C:\\" + std::string(296, 'x') + "\\t", REG_SZ, true, nullptr},  // longer than 260 bytes
        {fits + "t.txt", REG_SZ, true, fits.c_str()},  // 259 characters and the terminator fill the buffer
        {"C:\\" + std::string(256, 'z') + "\\", REG_BINARY, false, "C:\\"},  // 260 bytes: the last gives way
    };
    for (const auto& [value, type, terminated, want] : cases) {
        SetTipsFile(value, type, terminated);
        VdmSoundInstall found;
        found.available = true;  // a stale result is cleared
        EXPECT_EQ(FindVdmSound(kVdmSoundFromRegistry, found, folder), want != nullptr) << value;
        EXPECT_EQ(found.available, want != nullptr) << value;
        if (!want) continue;
        EXPECT_EQ(found.folder + "|" + found.launchFile, std::string(want) + "|" + want + "VDMSRun.pif");
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, kKey);
    AddLaunchPad();
    VdmSoundInstall found;
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder) || Exists(BatchPath()))
        << "no key, and no fall back to the folder";
}

// Every mode but the registry's means the fixed folder, with LaunchPad.dll in it.
TEST_F(VdmSoundTest, FixedFolderWritesTheLauncherBatch) {
    VdmSoundInstall found;
    found.available = true;
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromFolder, found, folder) || found.available || Exists(BatchPath()))
        << "without LaunchPad.dll";
    AddLaunchPad();
    WriteFileText(BatchPath(), "@echo off\r\nREM a much longer batch file left from an older installation\r\n");
    ASSERT_TRUE(SetFileAttributesA(BatchPath().c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(FindVdmSound(0, found, folder.substr(0, folder.size() - 1)) && found.available);  // the separator added
    EXPECT_EQ(found.folder + "|" + found.launchFile, folder + "|" + BatchPath());
    EXPECT_EQ(ReadFileBytes(BatchPath()), std::vector<char>(kBatch, kBatch + sizeof kBatch - 1))
        << "a read-only one is replaced";
    DeleteFileA(BatchPath().c_str());
    ASSERT_TRUE(CreateDirectoryA(BatchPath().c_str(), nullptr));
    EXPECT_TRUE(FindVdmSound(kVdmSoundFromFolder, found, folder)) << "found even when the batch cannot be written";
}

// At start-up the registry is asked first, the fixed folder only without it.
TEST_F(VdmSoundTest, StartupTriesTheRegistryFirst) {
    VdmSoundInstall found;
    found.available = true;
    EXPECT_FALSE(FindVdmSoundAtStartup(found, folder) || found.available);
    SetTipsFile("no folder here");
    AddLaunchPad();
    ASSERT_TRUE(FindVdmSoundAtStartup(found, folder));
    EXPECT_EQ(found.launchFile, BatchPath());
    DeleteFileA(BatchPath().c_str());
    SetTipsFile("C:\\Reg\\VDMS\\tips.txt");
    ASSERT_TRUE(FindVdmSoundAtStartup(found, folder));
    EXPECT_EQ(found.launchFile, "C:\\Reg\\VDMS\\VDMSRun.pif");
    EXPECT_FALSE(Exists(BatchPath())) << "the fixed folder was not even looked at";
}

}  // namespace
