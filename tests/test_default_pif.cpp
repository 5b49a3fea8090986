// The embedded _default.pif and putting it in place of the user's and back.
#include "DialogProbe.h"
#include "launch/DefaultPif.h"
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<char>;

Bytes EmbeddedPif() {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(self, QL_PIF_RESOURCE_TYPE, MAKEINTRESOURCEA(QL_PIF_RESOURCE_ID),
                                 MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    const char* data = info ? static_cast<const char*>(LockResource(LoadResource(self, info))) : nullptr;
    return data ? Bytes(data, data + SizeofResource(self, info)) : Bytes();
}

unsigned Word(const Bytes& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

// The basic section's checksum holds; the section chain from 0x171 stays inside the file.
TEST(DefaultPif, ItsSectionsAreWhole) {
    const Bytes pif = EmbeddedPif();
    ASSERT_GT(pif.size(), 0x171u + 22);
    unsigned sum = 0;
    for (size_t i = 2; i < 0x171; ++i) sum += static_cast<unsigned char>(pif[i]);
    EXPECT_EQ(static_cast<unsigned char>(pif[1]), sum & 0xFF);
    int sections = 0;
    for (size_t at = 0x171; at != 0xFFFF && sections < 16; at = Word(pif, at + 16), ++sections) {
        ASSERT_LE(at + 22, pif.size());
        EXPECT_LE(Word(pif, at + 18) + Word(pif, at + 20), pif.size()) << at;
    }
    EXPECT_EQ(sections, 6) << "PIFEX, 386 and 286 3.0, NT 3.1 and 4.0, VMM 4.0";
}

class DefaultPifInstall : public ::testing::Test {
protected:
    bool Exists(const std::string& name) const {
        return GetFileAttributesA((folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    Bytes Read(const std::string& name) const { return ReadFileBytes(folder + "\\" + name); }
    void Install(const char* module = nullptr) { InstallDefaultPif(folder, GetModuleHandleA(module)); }
    TempFolder temp{"pif"};
    const std::string& folder = temp.path;
    const Bytes pif = EmbeddedPif(), users = {'u', 's', 'e', 'r', 0, '\xFF', '\r', '\n'};
};

// Backed up once and restored; no doubled backslash; a path past MAX_PATH is refused.
TEST_F(DefaultPifInstall, BacksUpTheUsersPifOnceRestoresItAndRefusesLongPaths) {
    RestoreDefaultPif(folder);
    EXPECT_FALSE(Exists("_default.pif")) << "no backup: nothing to restore";
    Install();
    EXPECT_FALSE(Exists("_defaultpif.bak")) << "nothing to back up";
    RestoreDefaultPif(folder);
    EXPECT_EQ(Read("_default.pif"), pif);
    WriteFileBytes(folder + "\\_default.pif", users);
    Install("kernel32.dll");
    EXPECT_TRUE(Read("_default.pif") == users && !Exists("_defaultpif.bak"))
        << "a module without the PIF touches nothing";
    Install();
    Install();  // a second run (say after a crash) must not back up our own copy
    EXPECT_TRUE(Read("_default.pif") == pif && Read("_defaultpif.bak") == users);
    RestoreDefaultPif(folder);
    EXPECT_TRUE(Read("_default.pif") == users && Read("_defaultpif.bak") == users) << "the backup is kept";
    // "\_defaultpif.bak" is 16 characters: a 243-character folder makes the longest backup path, 259.
    for (size_t length : {243u, 244u}) {
        std::string dir = folder + "\\";
        dir.append(length - dir.size(), 'd');
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        WriteFileBytes(dir + "\\_default.pif", users);
        InstallDefaultPif(dir + "\\", GetModuleHandleA(nullptr));
        EXPECT_EQ(ReadFileBytes(dir + "\\_default.pif"), length == 243 ? pif : users) << length;
        EXPECT_EQ(ReadFileBytes(dir + "\\_defaultpif.bak"), length == 243 ? users : Bytes()) << length;
        RestoreDefaultPif(dir + "\\");
        EXPECT_EQ(ReadFileBytes(dir + "\\_default.pif"), users) << length;
    }
}

}  // namespace
