// The INI file accessor: opening, reads and writes, stripped values and the
// section enumeration.
#include "DialogProbe.h"
#include "data/IniFile.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class IniFileTest : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
    }
    Strings Sections() {
        Strings names;
        std::string name;
        for (bool ok = ini.FirstSection(name, 260); ok; ok = ini.NextSection(name, 260)) names.push_back(name);
        return names;
    }
    TempFolder folder{"ini"};
    const std::string path = folder.path + "\\test.ini";
    IniFile ini;
};

TEST_F(IniFileTest, WritesAtOnceOnlyWhenOpenAndNamed) {
    WriteFileText(path, "[List]\n00=Zero\n01=One\n");
    EXPECT_FALSE(ini.Open(folder.path + "\\missing.ini"));
    ini.WriteString("List", "02", "x");
    ini.DeleteKey("List", "00");
    EXPECT_EQ(FileText(path), "[List]\n00=Zero\n01=One\n") << "a closed accessor drops writes";
    EXPECT_TRUE(Sections().empty());

    ASSERT_TRUE(ini.Open(path));
    ini.DeleteKey("List", "00");
    ini.WriteString("List", "05", "");
    ini.WriteString("", "01", "x");
    ini.WriteString("List", "", "x");
    ini.DeleteKey("", "01");
    ini.DeleteKey("List", "");
    EXPECT_EQ(FileText(path), "[List]\r\n01=One\r\n05=\r\n") << "an empty value is written; no section or key, nothing";
    EXPECT_FALSE(ini.Open(folder.path)) << "a folder is no INI file";
    EXPECT_EQ(ini.GetString("List", "01"), "") << "a failed open closes the accessor";
}

TEST_F(IniFileTest, ValuesAreCutTo259CharactersAndStrippedOnRequest) {
    std::string longValue(300, 'v');
    longValue[258] = 'L';
    // A first ';' is part of the value, the first character always stays, only spaces are blanks.
    const std::pair<const char*, const char*> stripped[] = {
        {"abc   ; the rest", "abc"}, {"a;b;c", "a"},   {";kept", ";kept"}, {";;", ";"},
        {"\"x   \"", "x"},           {"\"   \"", " "}, {"\"a\t\"", "a\t"}};
    std::string text = "[S]\nlong=" + longValue + "\n";
    for (size_t i = 0; i < std::size(stripped); ++i) text += "k" + std::to_string(i) + "=" + stripped[i].first + "\n";
    Load(text);
    EXPECT_EQ(ini.GetString("S", "long"), longValue.substr(0, 259));
    EXPECT_EQ(ini.GetStringStripped("S", "long"), longValue.substr(0, 259));
    for (size_t i = 0; i < std::size(stripped); ++i)
        EXPECT_EQ(ini.GetStringStripped("S", "k" + std::to_string(i)), stripped[i].second) << stripped[i].first;
}

TEST_F(IniFileTest, SectionEnumeration) {
    Load("[abcde]\na=1\n[fghijklm]\n[no]\n");
    EXPECT_EQ(Sections(), (Strings{"abcde", "fghijklm", "no"}));
    std::string name;
    EXPECT_FALSE(ini.NextSection(name, 260)) << "the names were used up and dropped";
    EXPECT_FALSE(ini.FirstSection(name, 5)) << "a name must be shorter than the maximum";
    ASSERT_TRUE(ini.FirstSection(name, 6));
    EXPECT_FALSE(ini.NextSection(name, 8));
    ASSERT_TRUE(ini.NextSection(name, 9)) << "a refused name is not skipped";
    EXPECT_EQ(name, "fghijklm");

    std::string many;
    for (int i = 0; i < 300; ++i) many += "[Game " + std::to_string(1000 + i) + "]\n";
    WriteFileText(path, many);
    const Strings names = Sections();
    ASSERT_EQ(names.size(), 260u);
    EXPECT_EQ(names.back(), "Game 1259");
}

}  // namespace
