// Writing and deleting one string value, and the message when its key cannot
// be created.
#include "FakeUi.h"
#include "TestEnv.h"
#include "launch/RegistryValue.h"
#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "Software\\Freeware\\QuillonLoaderTest\\Layers";
const char kTestRoot[] = "Software\\Freeware\\QuillonLoaderTest";
const char kProgram[] = "C:\\GAMES\\DOOM\\DOOM.EXE";

class RegistryValueTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot); }
    void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, kTestRoot); }

    // The value's text and type; "<absent>" without the value, "<no key>" without the key.
    std::string Value(const char* name, DWORD* type = nullptr) const {
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

    FakeUi ui;
};

TEST_F(RegistryValueTest, WritesCreatingTheKeyThenDeletesInAnyCase) {
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "WIN95"));
    DWORD type = 0;
    EXPECT_EQ(Value(kProgram, &type), "WIN95");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // Overwritten, also by a shorter text.
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "NT4SP5 256COLOR"));
    EXPECT_EQ(Value(kProgram), "NT4SP5 256COLOR");
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "W"));
    EXPECT_EQ(Value(kProgram), "W");

    for (const char* del : {"DELETE", "delete", "DeLeTe"}) {
        ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "WIN98"));
        ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, del)) << del;
        EXPECT_EQ(Value(kProgram), "<absent>") << del;
    }
    // Deleting what is not there is no failure, and other values stay.
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, "other", "WIN95"));
    EXPECT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "Delete"));
    EXPECT_EQ(Value("other"), "WIN95");

    // Only the whole word deletes.
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "DELETED"));
    EXPECT_EQ(Value(kProgram), "DELETED");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RegistryValueTest, MissingNameOrDataDoesNothing) {
    EXPECT_FALSE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, nullptr, "WIN95"));
    EXPECT_FALSE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, nullptr));
    EXPECT_FALSE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, "", "WIN95"));
    EXPECT_FALSE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, ""));
    EXPECT_EQ(Value(kProgram), "<no key>") << "not even the key is created";

    // An existing value is not deleted by a call without data either.
    ASSERT_TRUE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, "WIN95"));
    EXPECT_FALSE(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kTestKey, kProgram, nullptr));
    EXPECT_EQ(Value(kProgram), "WIN95");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RegistryValueTest, KeyThatCannotBeCreatedIsReported) {
    const HKEY invalid = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345));
    EXPECT_FALSE(WriteOrDeleteRegistryString(invalid, kTestKey, kProgram, "WIN95"));
    auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed RegCreateKeyEx");
    EXPECT_EQ(messages[0].caption, "Quillon Loader");
    EXPECT_EQ(messages[0].flags, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(messages[0].owner, nullptr);

    // Deleting through it is reported the same way.
    ui.Clear();
    EXPECT_FALSE(WriteOrDeleteRegistryString(invalid, kTestKey, kProgram, "DELETE"));
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(Value(kProgram), "<no key>");
}

}  // namespace
