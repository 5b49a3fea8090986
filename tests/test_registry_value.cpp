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
std::string Value(const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char buffer[300] = "";
    DWORD size = sizeof buffer, t = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return "<absent>";
    if (type) *type = t;
    return buffer;
}

RegistryWrite Write(const char* name, const char* data, HKEY root = HKEY_CURRENT_USER) {
    return WriteOrDeleteRegistryString(root, kTestKey, name, data);
}

TEST(RegistryValueTest, WritesDeletesInAnyCaseAndSkipsMissingNamesOrData) {
    DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot);
    for (const char* name : {static_cast<const char*>(nullptr), ""}) EXPECT_EQ(Write(name, "WIN95"), RegistryWrite::Skipped);
    for (const char* data : {static_cast<const char*>(nullptr), ""}) EXPECT_EQ(Write(kProgram, data), RegistryWrite::Skipped);
    EXPECT_EQ(Value(kProgram), "<no key>") << "not even the key is created";

    ASSERT_EQ(Write(kProgram, "NT4SP5 256COLOR"), RegistryWrite::Done);
    ASSERT_EQ(Write(kProgram, "WIN95"), RegistryWrite::Done);
    DWORD type = 0;
    EXPECT_EQ(Value(kProgram, &type), "WIN95") << "overwritten by a shorter text";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Write(kProgram, nullptr), RegistryWrite::Skipped);
    EXPECT_EQ(Value(kProgram), "WIN95");
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

    const HKEY invalid = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345));
    EXPECT_EQ(Write(kProgram, "WIN95", invalid), RegistryWrite::KeyFailed);
    EXPECT_EQ(Write(kProgram, "DELETE", invalid), RegistryWrite::KeyFailed);
    DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot);
}

}  // namespace
