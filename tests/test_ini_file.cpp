// The INI file accessor: opening, reads and writes, stripped values and the
// section enumeration.
#include "TestEnv.h"
#include "data/IniFile.h"
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { path = (folder = MakeTempFolder("ini")) + "\\test.ini"; }
    void TearDown() override { RemoveTree(folder); }
    std::string Text() const {
        std::vector<char> bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    std::vector<std::string> Sections(size_t maxLength = 260) {
        std::vector<std::string> names;
        std::string name;
        for (bool ok = ini.FirstSection(name, maxLength); ok; ok = ini.NextSection(name, maxLength))
            names.push_back(name);
        return names;
    }

    std::string folder, path;
    IniFile ini;
};

TEST_F(IniFileTest, ClosedAccessorReadsEmptyAndDropsWrites) {
    WriteFileText(path, "[Misc]\nKey=Value\n");
    EXPECT_FALSE(ini.Open(folder + "\\missing.ini"));
    EXPECT_FALSE(ini.IsOpen());
    EXPECT_EQ(ini.GetString("Misc", "Key"), "");
    ini.WriteString("Misc", "Other", "x");
    ini.DeleteKey("Misc", "Key");
    EXPECT_EQ(Text(), "[Misc]\nKey=Value\n");
    EXPECT_TRUE(Sections().empty());

    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetString("misc", "KEY"), "Value");
    EXPECT_FALSE(ini.Open(folder)) << "a folder is no INI file";
    EXPECT_EQ(ini.GetString("Misc", "Key"), "") << "a failed open closes the accessor";
}

TEST_F(IniFileTest, WritesAndDeletesGoToTheFileAtOnce) {
    WriteFileText(path, "[List]\n00=Zero\n01=One\n02=Two\n");
    ASSERT_TRUE(ini.Open(path));
    ini.DeleteKey("List", "01");
    EXPECT_EQ(Text().find("01="), std::string::npos);
    EXPECT_EQ(ini.GetString("List", "02"), "Two");
    ini.WriteString("List", "05", "");
    EXPECT_NE(Text().find("05="), std::string::npos) << "an empty value is still written";
    const std::string before = Text();
    ini.WriteString("", "00", "x");
    ini.WriteString("List", "", "x");
    ini.DeleteKey("", "00");
    ini.DeleteKey("List", "");
    EXPECT_EQ(Text(), before) << "no section or key given";

    DeleteFileA(path.c_str());
    EXPECT_EQ(ini.GetString("List", "00"), "") << "a removed file reads empty";
    ini.WriteString("List", "00", "Again");
    EXPECT_EQ(ini.GetString("List", "00"), "Again") << "the first write makes the file anew";
}

TEST_F(IniFileTest, ValuesAreCutTo259CharactersAndStrippedOnRequest) {
    std::string longValue(300, 'v');
    longValue[258] = 'L';
    WriteFileText(path, "[S]\nlong=" + longValue +
                            "\ncomment=abc   ; the rest\ntwo=a;b;c\nleading=;kept\ndouble=;;\n"
                            "blanks=\"x   \"\nonlyblanks=\"   \"\ntab=\"a\t\"\n");
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetString("S", "long"), longValue.substr(0, 259));
    EXPECT_EQ(ini.GetStringStripped("S", "long"), longValue.substr(0, 259));
    EXPECT_EQ(ini.GetStringStripped("S", "comment"), "abc");
    EXPECT_EQ(ini.GetStringStripped("S", "two"), "a");
    EXPECT_EQ(ini.GetStringStripped("S", "leading"), ";kept") << "a first ';' is part of the value";
    EXPECT_EQ(ini.GetStringStripped("S", "double"), ";");
    EXPECT_EQ(ini.GetStringStripped("S", "blanks"), "x");
    EXPECT_EQ(ini.GetStringStripped("S", "onlyblanks"), " ") << "the first character always stays";
    EXPECT_EQ(ini.GetStringStripped("S", "tab"), "a\t") << "only spaces are blanks";
}

TEST_F(IniFileTest, SectionEnumeration) {
    WriteFileText(path, "");
    ASSERT_TRUE(ini.Open(path));
    EXPECT_TRUE(Sections().empty());
    WriteFileText(path, "[Only]\n");
    EXPECT_EQ(Sections(), std::vector<std::string>{"Only"});

    WriteFileText(path, "[abcde]\na=1\n[fghijklm]\n[no]\n");
    EXPECT_EQ(Sections(), (std::vector<std::string>{"abcde", "fghijklm", "no"}));
    std::string name;
    EXPECT_FALSE(ini.NextSection(name, 260)) << "the names were used up and dropped";
    EXPECT_FALSE(ini.FirstSection(name, 0));
    EXPECT_FALSE(ini.FirstSection(name, 5)) << "a name must be shorter than the maximum";
    ASSERT_TRUE(ini.FirstSection(name, 6));
    EXPECT_FALSE(ini.NextSection(name, 8));
    ASSERT_TRUE(ini.NextSection(name, 9)) << "a refused name is not skipped";
    EXPECT_EQ(name, "fghijklm");

    std::string many;
    for (int i = 0; i < 300; ++i) many += "[Game " + std::to_string(1000 + i) + "]\n";
    WriteFileText(path, many);
    std::vector<std::string> names = Sections();
    ASSERT_EQ(names.size(), 260u);
    EXPECT_EQ(names.back(), "Game 1259");
}

}  // namespace
