#include <gtest/gtest.h>

#include "launch/DefaultPif.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

const size_t kPifSize = 2855;
const size_t kBasicSize = 0x171;
const size_t kHeadingSize = 22;

Bytes EmbeddedPif() {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(self, "PIFFILE", MAKEINTRESOURCEA(182), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (info == nullptr) return Bytes();
    const unsigned char* data = static_cast<const unsigned char*>(LockResource(LoadResource(self, info)));
    if (data == nullptr) return Bytes();
    return Bytes(data, data + SizeofResource(self, info));
}

unsigned Word(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// NUL-terminated text of a fixed-size field.
std::string Field(const Bytes& b, size_t at, size_t size) {
    std::string s(reinterpret_cast<const char*>(&b[at]), size);
    return s.substr(0, s.find('\0'));
}

struct Section {
    std::string name;
    size_t heading;
    size_t data;
    size_t length;
};

// Walks the heading chain from 0x171; every heading and data block must lie
// inside the file and the chain must end with 0xFFFF.
std::vector<Section> Chain(const Bytes& pif) {
    std::vector<Section> sections;
    size_t at = kBasicSize;
    while (at != 0xFFFF) {
        if (sections.size() > 16 || at + kHeadingSize > pif.size()) {
            ADD_FAILURE() << "heading chain broken at " << at;
            break;
        }
        Section s{Field(pif, at, 16), at, Word(pif, at + 18), Word(pif, at + 20)};
        EXPECT_LE(s.data + s.length, pif.size()) << s.name;
        sections.push_back(s);
        at = Word(pif, at + 16);
    }
    return sections;
}

const Section* Find(const std::vector<Section>& sections, const char* name) {
    for (const Section& s : sections)
        if (s.name == name) return &s;
    return nullptr;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(DefaultPifResource, IsA2855BytePifWithItsSectionsChainedInOrder) {
    const Bytes pif = EmbeddedPif();
    ASSERT_EQ(pif.size(), kPifSize);

    const std::vector<Section> sections = Chain(pif);
    const std::vector<std::string> expected = {"MICROSOFT PIFEX", "WINDOWS 386 3.0", "WINDOWS 286 3.0",
                                               "WINDOWS NT  3.1", "WINDOWS NT  4.0", "WINDOWS VMM 4.0"};
    ASSERT_EQ(sections.size(), expected.size());
    const size_t lengths[] = {0x171, 0x68, 6, 0x8C, 0x68C, 0x1AC};
    for (size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(sections[i].name, expected[i]);
        EXPECT_EQ(sections[i].length, lengths[i]) << expected[i];
    }
    EXPECT_EQ(sections[0].data, 0u);
}

TEST(DefaultPifResource, CarriesTheProgramConfigFilesIconAndFonts) {
    const Bytes pif = EmbeddedPif();
    ASSERT_EQ(pif.size(), kPifSize);
    EXPECT_EQ(Field(pif, 0x24, 63), "_DEFAULT.BAT");

    unsigned sum = 0;
    for (size_t i = 2; i < kBasicSize; ++i) sum += pif[i];
    EXPECT_EQ(pif[1], sum & 0xFF) << "basic section checksum";

    const std::vector<Section> sections = Chain(pif);
    const Section* nt = Find(sections, "WINDOWS NT  3.1");
    const Section* vmm = Find(sections, "WINDOWS VMM 4.0");
    ASSERT_TRUE(nt && vmm);
    const std::string ntText(pif.begin() + nt->data, pif.begin() + nt->data + nt->length);
    EXPECT_NE(ntText.find("%SystemRoot%\\SYSTEM32\\CONFIG.NT"), std::string::npos);
    EXPECT_NE(ntText.find("%SystemRoot%\\SYSTEM32\\AUTOEXEC.NT"), std::string::npos);
    EXPECT_EQ(Field(pif, vmm->data + 0x58, 80), "PIFMGR.DLL");
    EXPECT_EQ(Field(pif, vmm->data + 0xEA, 32), "Terminal");
    EXPECT_EQ(Field(pif, vmm->data + 0x10A, 32), "Lucida Console");
}

TEST(DefaultPifResource, MatchesTheFileInTheSourceTree) {
    // The tests run under Wine, where the source tree is seen through drive Z:.
    std::string path = __FILE__;
    for (char& c : path)
        if (c == '/') c = '\\';
    if (!path.empty() && path[0] == '\\') path = "Z:" + path;
    const size_t tests = path.rfind('\\');
    const size_t root = tests == std::string::npos || tests == 0 ? std::string::npos : path.rfind('\\', tests - 1);
    if (root == std::string::npos) GTEST_SKIP() << "no source folder in " << path;
    path = path.substr(0, root) + "\\res\\default.pif";
    if (!Exists(path)) GTEST_SKIP() << path << " is not reachable";
    EXPECT_EQ(EmbeddedPif(), ReadBytes(path));
}

TEST(DefaultPifWindowsFolder, IsAnExistingFolderWithoutTrailingSeparator) {
    const std::string folder = WindowsFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class DefaultPifInstall : public ::testing::Test {
protected:
    void SetUp() override {
        pif_ = EmbeddedPif();
        ASSERT_EQ(pif_.size(), kPifSize);
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        static unsigned counter = 0;
        folder_ = std::string(temp) + "ql_pif_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        installed_ = folder_ + "\\_default.pif";
        backup_ = folder_ + "\\_defaultpif.bak";
    }

    void TearDown() override {
        for (const std::string& dir : extraDirs_) {
            DeleteFileA((dir + "\\_default.pif").c_str());
            DeleteFileA((dir + "\\_defaultpif.bak").c_str());
        }
        for (auto dir = extraDirs_.rbegin(); dir != extraDirs_.rend(); ++dir) RemoveDirectoryA(dir->c_str());
        DeleteFileA(installed_.c_str());
        DeleteFileA(backup_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // A folder inside ours whose full path is exactly `length` characters.
    std::string FolderOfLength(size_t length) {
        std::string dir = folder_ + "\\";
        dir.append(length - dir.size(), 'd');
        EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir.size();
        extraDirs_.push_back(dir);
        return dir;
    }

    Bytes pif_;
    std::string folder_, installed_, backup_;
    std::vector<std::string> extraDirs_;
    const Bytes original_ = {'u', 's', 'e', 'r', 0x00, 0xFF, '\r', '\n'};
};

TEST_F(DefaultPifInstall, WithoutAnExistingPifWritesOursAndNoBackup) {
    InstallDefaultPif(folder_, GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadBytes(installed_), pif_);
    EXPECT_FALSE(Exists(backup_));

    // Nothing was backed up, so there is nothing to restore: our copy stays.
    RestoreDefaultPif(folder_);
    EXPECT_EQ(ReadBytes(installed_), pif_);
    EXPECT_FALSE(Exists(backup_));
}

TEST_F(DefaultPifInstall, BacksUpTheUsersPifOnceAndRestoresIt) {
    WriteBytes(installed_, original_);

    InstallDefaultPif(folder_, GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadBytes(installed_), pif_);
    EXPECT_EQ(ReadBytes(backup_), original_);

    // A second run (say after a crash) must not back up our own copy.
    InstallDefaultPif(folder_, GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadBytes(installed_), pif_);
    EXPECT_EQ(ReadBytes(backup_), original_);

    RestoreDefaultPif(folder_);
    EXPECT_EQ(ReadBytes(installed_), original_);
    EXPECT_EQ(ReadBytes(backup_), original_);
}

TEST_F(DefaultPifInstall, RestoreWithoutBackupChangesNothing) {
    RestoreDefaultPif(folder_);
    EXPECT_FALSE(Exists(installed_));

    WriteBytes(installed_, original_);
    RestoreDefaultPif(folder_);
    EXPECT_EQ(ReadBytes(installed_), original_);
    EXPECT_FALSE(Exists(backup_));
}

TEST_F(DefaultPifInstall, ModuleWithoutThePifTouchesNothing) {
    WriteBytes(installed_, original_);
    InstallDefaultPif(folder_, GetModuleHandleA("kernel32.dll"));
    EXPECT_EQ(ReadBytes(installed_), original_);
    EXPECT_FALSE(Exists(backup_));
}

TEST_F(DefaultPifInstall, TrailingBackslashIsNotDoubledAndLongPathsAreRefused) {
    // "\_defaultpif.bak" is 16 characters: a 243-character folder makes a
    // 259-character backup path, the longest allowed. A doubled backslash
    // would push it over and nothing would be installed.
    const std::string fits = FolderOfLength(243);
    InstallDefaultPif(fits + "\\", GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadBytes(fits + "\\_default.pif"), pif_);
    WriteBytes(fits + "\\_defaultpif.bak", original_);
    RestoreDefaultPif(fits + "\\");
    EXPECT_EQ(ReadBytes(fits + "\\_default.pif"), original_);

    const std::string tooLong = FolderOfLength(244);
    WriteBytes(tooLong + "\\_default.pif", original_);
    InstallDefaultPif(tooLong, GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadBytes(tooLong + "\\_default.pif"), original_);
    EXPECT_FALSE(Exists(tooLong + "\\_defaultpif.bak"));
}
