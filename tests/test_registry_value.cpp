// Writing and deleting one string value; a key that cannot be created is a
// result, not a message.
#include "TestEnv.h"
#include "launch/RegistryValue.h"
#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "Software\\Freeware\\QuillonLoaderTest\\Layers";
const char kTestRoot[] = "Software\\Freeware\\QuillonLoaderTest";
const char kProgram[] = "C:\\GAMES\\DOOM\\DOOM.EXE";

// The value's text; "<absent>" without the value, "<no key>" without the key.
std::string Value(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char buffer[300] = "";
    DWORD size = sizeof buffer, t = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return "<absent>";
    return t == REG_SZ ? buffer : "<not REG_SZ>";
}

RegistryWrite Write(const char* name, const char* data, HKEY root = HKEY_CURRENT_USER) {
    return WriteOrDeleteRegistryString(root, kTestKey, name, data);
}

TEST(RegistryValueTest, WritesDeletesInAnyCaseAndSkipsMissingNamesOrData) {
    DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot);
    for (auto [name, data] :
         {std::pair<const char*, const char*>{nullptr, "WIN95"}, {"", "WIN95"}, {kProgram, nullptr}, {kProgram, ""}})
        EXPECT_EQ(Write(name, data), RegistryWrite::Skipped);
    EXPECT_EQ(Value(kProgram), "<no key>") << "not even the key is created";

    ASSERT_EQ(Write(kProgram, "NT4SP5 256COLOR"), RegistryWrite::Done);
    ASSERT_EQ(Write(kProgram, "WIN95"), RegistryWrite::Done);
    EXPECT_EQ(Value(kProgram), "WIN95") << "overwritten by a shorter text";
    EXPECT_EQ(Write(kProgram, nullptr), RegistryWrite::Skipped);
    EXPECT_EQ(Value(kProgram), "WIN95") << "a skipped write deletes nothing";
    ASSERT_EQ(Write("other", "WIN95"), RegistryWrite::Done);
    for (const char* del : {"DELETE", "delete", "DeLeTe"}) {
        ASSERT_EQ(Write(kProgram, "WIN98"), RegistryWrite::Done);
        ASSERT_EQ(Write(kProgram, del), RegistryWrite::Done) << del;
        EXPECT_EQ(Value(kProgram), "<absent>") << del;
    }
    EXPECT_EQ(Write(kProgram, "Delete"), RegistryWrite::Done) << "deleting what is not there is no failure";
    EXPECT_EQ(Value("other"), "WIN95");
    ASSERT_EQ(Write(kProgram, "DELETED"), RegistryWrite::Done);
    EXPECT_EQ(Value(kProgram), "DELETED") << "only the whole word deletes";

    for (const char* data : {"WIN95", "DELETE"})
        EXPECT_EQ(Write(kProgram, data, reinterpret_cast<HKEY>(ULONG_PTR{0x12345})), RegistryWrite::KeyFailed);
    DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot);
}

}  // namespace
