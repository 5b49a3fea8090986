// The criteria lists of Data.ini: reading with holes, the publisher stop,
// adding into the lowest free slot, the limits, deleting, and the open check.
#include "FakeUi.h"
#include "DialogProbe.h"
#include "data/CriteriaData.h"
#include "dialogs/CriteriaPrompts.h"
#include "win/Texts.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class CriteriaDataTest : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
    }
    void ExpectMessage(size_t index, const std::string& text, const std::string& caption, UINT flags) {
        ASSERT_GT(ui.Messages().size(), index);
        const UiCall m = ui.Messages()[index];
        EXPECT_EQ(std::make_tuple(m.text, m.caption, m.flags), std::make_tuple(text, caption, unsigned(flags)));
    }
    int Add(CriteriaList list, const char* text) { return AddCriteriaEntryOrTell(ini, list, text, nullptr); }
    DeleteEntryResult Delete(std::optional<std::string> text, bool confirm) {
        return DeleteCriteriaEntryAsking(ini, CriteriaList::Publishers, text, confirm, nullptr);
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

TEST_F(CriteriaDataTest, AddingFillsTheLowestFreeSlotUpToTheLimit) {
    Load("[Categories]\n00=Action\n01=Adventure\n03=\n05=Strategy\n");
    const std::pair<const char*, int> adds[] = {{"Puzzle", 2}, {"", 3}, {"Racing", 3}, {"Sports", 4}, {"Shooter", 6}};
    for (const auto& [text, slot] : adds) EXPECT_EQ(Add(CriteriaList::Categories, text), slot) << text;
    EXPECT_EQ(ini.GetString("Categories", "02"), "Puzzle");
    EXPECT_TRUE(ui.calls.empty());

    std::string full = "[Categories]\n";
    for (int i = 0; i < 24; ++i) full += CriteriaKey(i) + "=C\n";
    full += "[Publishers]\n";
    for (int i = 0; i < 128; ++i) full += CriteriaKey(i) + "=P\n";
    Load(full);
    EXPECT_EQ(Add(CriteriaList::Categories, "One more"), -1);
    EXPECT_EQ(Add(CriteriaList::Publishers, "One more"), -1);
    ExpectMessage(0, "Cannot add anymore entries.\nMaximum limit is 24.", "Quillon Loader", MB_OK);
    ExpectMessage(1, "Cannot add anymore entries.\nMaximum limit is 128.", "Quillon Loader", MB_OK);
    EXPECT_EQ(FileText(path), full) << "nothing changes";
    ini.DeleteKey("Publishers", "127");
    EXPECT_EQ(Add(CriteriaList::Publishers, "Back"), 127) << "key \"127\"";
}

TEST_F(CriteriaDataTest, DeletingRemovesTheFirstKeyWithThatExactText) {
    Load("[Publishers]\n00=Apogee\n01=Sierra\n03=Origin\n07=Origin\n");
    EXPECT_EQ(Delete("Origin", false), DeleteEntryResult::Deleted);
    EXPECT_EQ(FileText(path).find("03="), std::string::npos);
    EXPECT_EQ(ini.GetString("Publishers", "07"), "Origin");
    EXPECT_EQ(Delete("SIERRA", false), DeleteEntryResult::NotFound) << "case counts";
    EXPECT_TRUE(ui.calls.empty()) << "no question without the confirm preference";

    // The texts of the questions are the entries dialog's test.
    ui.messageAnswers = {IDNO, IDYES};
    EXPECT_EQ(Delete("Sierra", true), DeleteEntryResult::Declined);
    EXPECT_EQ(ini.GetString("Publishers", "01"), "Sierra");
    EXPECT_EQ(Delete("Sierra", true), DeleteEntryResult::Deleted);
    EXPECT_EQ(Add(CriteriaList::Publishers, "Epic"), 1) << "the hole is filled";

    const std::string before = FileText(path);
    EXPECT_EQ(Delete(std::nullopt, true), DeleteEntryResult::NoSelection);
    EXPECT_EQ(ui.Messages().size(), 3u);
    EXPECT_EQ(FileText(path), before);
}

// The English text and the address read from the file are the start-up test's.
TEST_F(CriteriaDataTest, OpenCheckTellsInEitherLanguage) {
    EXPECT_FALSE(OpenDataIni(ini, path, nullptr));
    SetLanguage(Language::Spanish);
    EXPECT_FALSE(OpenDataIni(ini, path, nullptr));
    SetLanguage(Language::English);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_NE(ui.Messages()[1].text, ui.Messages()[0].text);
    EXPECT_NE(ui.Messages()[1].text.find("Data.ini"), std::string::npos) << "the Spanish text names the file";
    EXPECT_EQ(ReadVdmSoundWeb(ini), kDefaultVdmSoundWeb);
}

}  // namespace
