// Finding VDMSound: through its registry key, or in the fixed folder where our
// own launcher batch file is written.
#include "TestEnv.h"
#include "launch/VdmSound.h"
#include <gtest/gtest.h>

namespace {

const char kKey[] = "Software\\Freeware\\VDMSound";
const char kBatch[] = "dosdrv.exe /i:VDMS.INI\nCall %1";

class VdmSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRegistryTree(HKEY_CURRENT_USER, kKey);
        folder = MakeTempFolder("vdms");
        ASSERT_FALSE(folder.empty());
        folder += "\\";
    }
    void TearDown() override {
        DeleteRegistryTree(HKEY_CURRENT_USER, kKey);
        RemoveTree(folder.substr(0, folder.size() - 1));
    }

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

    std::string folder;  // with its trailing backslash
};

TEST_F(VdmSoundTest, RegistryGivesTheTipsFileFolderAndThePif) {
    SetTipsFile("C:\\Some Folder\\VDMS\\tips.txt");
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_TRUE(found.available);
    EXPECT_EQ(found.folder, "C:\\Some Folder\\VDMS\\");
    EXPECT_EQ(found.launchFile, "C:\\Some Folder\\VDMS\\VDMSRun.pif");

    // The type of the value is not looked at.
    SetTipsFile("D:\\Emu\\tips.txt", REG_EXPAND_SZ);
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_EQ(found.folder, "D:\\Emu\\");
}

TEST_F(VdmSoundTest, RegistryWithoutAUsableFolderFails) {
    const struct {
        const char* value;
        const char* why;
    } bad[] = {{"tips.txt", "no backslash"}, {"\\tips.txt", "only backslash at the start"}, {"", "empty"}};
    for (const auto& b : bad) {
        SetTipsFile(b.value);
        VdmSoundInstall found;
        found.available = true;  // a stale result is cleared
        EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder)) << b.why;
        EXPECT_FALSE(found.available) << b.why;
    }

    // The shortest that works: a backslash at index 1.
    SetTipsFile("C\\tips.txt");
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_EQ(found.folder, "C\\");
}

TEST_F(VdmSoundTest, RegistryWithoutKeyOrValueFails) {
    VdmSoundInstall found;
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_FALSE(found.available);

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder)) << "key without TipsFile";

    // The registry mode never falls back to the folder.
    AddLaunchPad();
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_FALSE(Exists(BatchPath()));
}

TEST_F(VdmSoundTest, TipsFileMustFitItsBuffer) {
    // 300 characters do not fit 260 bytes: the query itself fails.
    SetTipsFile("C:\\" + std::string(296, 'x') + "\\t");
    VdmSoundInstall found;
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromRegistry, found, folder));

    // 259 characters and the terminator fill it exactly.
    const std::string fits = "C:\\" + std::string(250, 'y') + "\\t.txt";
    ASSERT_EQ(fits.size(), 259u);
    SetTipsFile(fits);
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_EQ(found.folder, fits.substr(0, 254));

    // 260 bytes without a terminator: the last one gives way to it, and with
    // it the backslash there.
    const std::string full = "C:\\" + std::string(256, 'z') + "\\";
    ASSERT_EQ(full.size(), 260u);
    SetTipsFile(full, REG_BINARY, false);
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromRegistry, found, folder));
    EXPECT_EQ(found.folder, "C:\\");
}

TEST_F(VdmSoundTest, FixedFolderWritesTheLauncherBatch) {
    AddLaunchPad();
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromFolder, found, folder));
    EXPECT_TRUE(found.available);
    EXPECT_EQ(found.folder, folder);
    EXPECT_EQ(found.launchFile, BatchPath());
    const std::vector<char> bytes = ReadFileBytes(BatchPath());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kBatch);
    EXPECT_EQ(bytes.size(), 30u);  // one line feed, no CR, nothing after "%1"

    // Every mode but the registry's means the folder.
    DeleteFileA(BatchPath().c_str());
    ASSERT_TRUE(FindVdmSound(0, found, folder));
    EXPECT_TRUE(Exists(BatchPath()));
}

TEST_F(VdmSoundTest, FixedFolderReplacesAReadOnlyBatch) {
    AddLaunchPad();
    WriteFileText(BatchPath(), "@echo off\r\nREM a much longer batch file left from an older installation\r\n");
    ASSERT_TRUE(SetFileAttributesA(BatchPath().c_str(), FILE_ATTRIBUTE_READONLY));

    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromFolder, found, folder));
    const std::vector<char> bytes = ReadFileBytes(BatchPath());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kBatch);
    EXPECT_EQ(GetFileAttributesA(BatchPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(VdmSoundTest, FixedFolderSucceedsEvenWhenTheBatchCannotBeWritten) {
    AddLaunchPad();
    // A folder where the batch file should be: fopen fails.
    ASSERT_TRUE(CreateDirectoryA(BatchPath().c_str(), nullptr));
    VdmSoundInstall found;
    EXPECT_TRUE(FindVdmSound(kVdmSoundFromFolder, found, folder));
    EXPECT_TRUE(found.available);
    EXPECT_EQ(found.launchFile, BatchPath());
}

TEST_F(VdmSoundTest, FixedFolderWithoutLaunchPadFails) {
    VdmSoundInstall found;
    found.available = true;
    EXPECT_FALSE(FindVdmSound(kVdmSoundFromFolder, found, folder));
    EXPECT_FALSE(found.available);
    EXPECT_FALSE(Exists(BatchPath()));
}

TEST_F(VdmSoundTest, FixedFolderWithoutTrailingBackslashGetsOne) {
    AddLaunchPad();
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSound(kVdmSoundFromFolder, found, folder.substr(0, folder.size() - 1)));
    EXPECT_EQ(found.folder, folder);
    EXPECT_EQ(found.launchFile, BatchPath());
}

TEST_F(VdmSoundTest, StartupPrefersTheRegistry) {
    SetTipsFile("C:\\Reg\\VDMS\\tips.txt");
    AddLaunchPad();
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSoundAtStartup(found, folder));
    EXPECT_EQ(found.folder, "C:\\Reg\\VDMS\\");
    EXPECT_EQ(found.launchFile, "C:\\Reg\\VDMS\\VDMSRun.pif");
    EXPECT_FALSE(Exists(BatchPath())) << "the fixed folder was not even looked at";
}

TEST_F(VdmSoundTest, StartupFallsBackToTheFixedFolder) {
    SetTipsFile("no folder here");
    AddLaunchPad();
    VdmSoundInstall found;
    ASSERT_TRUE(FindVdmSoundAtStartup(found, folder));
    EXPECT_EQ(found.folder, folder);
    EXPECT_EQ(found.launchFile, BatchPath());
    EXPECT_TRUE(Exists(BatchPath()));
}

TEST_F(VdmSoundTest, StartupWithNeitherFindsNothing) {
    VdmSoundInstall found;
    found.available = true;
    EXPECT_FALSE(FindVdmSoundAtStartup(found, folder));
    EXPECT_FALSE(found.available);
}

}  // namespace
