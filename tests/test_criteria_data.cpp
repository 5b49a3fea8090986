// The criteria lists of Data.ini: holes, the publisher stop, the limits and the open check.
#include "DialogProbe.h"
#include "MessageTexts.h"
#include "UiRows.h"
#include "data/CriteriaData.h"
#include "dialogs/CriteriaPrompts.h"
#include "win/Texts.h"

namespace {

class CriteriaDataTest : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
    }
    FakeUi ui;
    TempFolder folder{"criteria"};
    const std::string path = DataIniPath(folder.path);
    IniFile ini;
};

TEST_F(CriteriaDataTest, ReadingSkipsFreeSlots) {
    Load(
        "[Categories]\n00=Strategy\n01=Action\n03=\n05=Adventure\n24=Beyond\n"
        "[Sound Devices]\n00=Sound Blaster\n31=Gravis\n40=AdLib\n"
        "[Publishers]\n00=id\n09=Apogee\n18=Sierra\n100=Late\n127=Last\n");
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Categories), (Strings{"Strategy", "Action", "Adventure"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::SoundDevices, 32), (Strings{"Sound Blaster", "Gravis"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers), (Strings{"id", "Apogee", "Sierra", "Late", "Last"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers, -1, 9), (Strings{"id", "Apogee", "Sierra"}))
        << "eight free slots in a row go on, nine stop";
    Load("[Publishers]\n09=Apogee\n");
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers, -1, 9), Strings{});
}

// A full list says its limit and changes nothing; the last key is "127".
TEST_F(CriteriaDataTest, FullListsTellTheirLimit) {
    std::string full = "[Categories]\n";
    for (int i = 0; i < 24; ++i) full += CriteriaKey(i) + "=C\n";
    full += "[Publishers]\n";
    for (int i = 0; i < 128; ++i) full += CriteriaKey(i) + "=P\n";
    Load(full);
    for (CriteriaList list : {CriteriaList::Categories, CriteriaList::Publishers})
        EXPECT_EQ(AddCriteriaEntryOrTell(ini, list, "One more", nullptr), kListFull);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(Row(ui.Messages()[0]), MessageRow("Cannot add anymore entries.\nMaximum limit is 24.", kAppName, MB_OK));
    EXPECT_EQ(ui.Messages()[1].text, "Cannot add anymore entries.\nMaximum limit is 128.");
    EXPECT_EQ(FileText(path), full) << "nothing changes";
    ini.DeleteKey("Publishers", "127");
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Publishers, "Back", nullptr), 127);
}

TEST_F(CriteriaDataTest, OpenCheckTellsInTheLanguageOfTheMessages) {
    for (Language language : {Language::English, Language::Spanish}) {
        SetLanguage(language);
        EXPECT_FALSE(OpenDataIni(ini, path, nullptr));
    }
    SetLanguage(Language::English);
    EXPECT_EQ(MessageTexts(ui),
              (Strings{Tr(TextId::DataIniFailed, Language::English), Tr(TextId::DataIniFailed, Language::Spanish)}));
}

}  // namespace
