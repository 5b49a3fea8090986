// The criteria lists of Data.ini: reading with holes, the publisher stop,
// adding into the lowest free slot, the limits, deleting, and the open check.
#include "FakeUi.h"
#include "TestEnv.h"
#include "data/CriteriaData.h"
#include "dialogs/CriteriaPrompts.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class CriteriaDataTest : public ::testing::Test {
protected:
    void SetUp() override { path = DataIniPath(folder = MakeTempFolder("criteria")); }
    void TearDown() override { RemoveTree(folder); }
    void Load(const std::string& text) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
    }
    std::string Text() const {
        std::vector<char> bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    void ExpectMessage(size_t index, const std::string& text, const std::string& caption, UINT flags) {
        ASSERT_GT(ui.Messages().size(), index);
        EXPECT_EQ(ui.Messages()[index].text, text);
        EXPECT_EQ(ui.Messages()[index].caption, caption);
        EXPECT_EQ(ui.Messages()[index].flags, flags);
    }

    FakeUi ui;
    std::string folder, path;
    IniFile ini;
};

TEST_F(CriteriaDataTest, ReadingSkipsFreeSlots) {
    Load(
        "[Categories]\n00=Strategy\n01=Action\n03=\n05=Adventure\n24=Beyond\n"
        "[Sound Devices]\n00=Sound Blaster\n31=Gravis\n40=AdLib\n"
        "[Publishers]\n00=id\n09=Apogee\n18=Sierra\n100=Late\n127=Last\n");
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Categories), (Strings{"Strategy", "Action", "Adventure"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::SoundDevices), (Strings{"Sound Blaster", "Gravis", "AdLib"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::SoundDevices, 32), (Strings{"Sound Blaster", "Gravis"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers), (Strings{"id", "Apogee", "Sierra", "Late", "Last"}));
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers, -1, 9), (Strings{"id", "Apogee", "Sierra"}))
        << "eight free slots in a row go on, nine stop";
    Load("[Publishers]\n09=Apogee\n");
    EXPECT_EQ(ReadCriteriaList(ini, CriteriaList::Publishers, -1, 9), Strings{});
}

TEST_F(CriteriaDataTest, AddingFillsTheLowestFreeSlotUpToTheLimit) {
    Load("[Categories]\n00=Action\n01=Adventure\n03=\n05=Strategy\n");
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "Puzzle", nullptr), 2);
    EXPECT_EQ(ini.GetString("Categories", "02"), "Puzzle");
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "", nullptr), 3) << "written as typed";
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "Racing", nullptr), 3) << "an empty value is free";
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "Sports", nullptr), 4);
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "Shooter", nullptr), 6);
    EXPECT_TRUE(ui.calls.empty());

    std::string full = "[Categories]\n";
    for (int i = 0; i < 24; ++i) full += CriteriaKey(i) + "=C" + std::to_string(i) + "\n";
    full += "[Publishers]\n";
    for (int i = 0; i < 128; ++i) full += CriteriaKey(i) + "=P" + std::to_string(i) + "\n";
    Load(full);
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Categories, "One more", nullptr), -1);
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Publishers, "One more", nullptr), -1);
    ExpectMessage(0, "Cannot add anymore entries.\nMaximum limit is 24.", "Quillon Loader", MB_OK);
    ExpectMessage(1, "Cannot add anymore entries.\nMaximum limit is 128.", "Quillon Loader", MB_OK);
    EXPECT_EQ(Text(), full) << "nothing changes";
    ini.DeleteKey("Publishers", "127");
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Publishers, "Back", nullptr), 127) << "key \"127\"";
}

TEST_F(CriteriaDataTest, DeletingRemovesTheFirstKeyWithThatExactText) {
    Load("[Publishers]\n00=Apogee\n01=Sierra\n03=Origin\n07=Origin\n");
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::Publishers, "Origin", false, nullptr), DeleteEntryResult::Deleted);
    EXPECT_EQ(Text().find("03="), std::string::npos);
    EXPECT_EQ(ini.GetString("Publishers", "07"), "Origin");
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::Publishers, "SIERRA", false, nullptr), DeleteEntryResult::NotFound)
        << "case counts";
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::Publishers, "Sierra", false, nullptr), DeleteEntryResult::Deleted);
    EXPECT_EQ(ini.GetString("Publishers", "00"), "Apogee");
    EXPECT_TRUE(ui.calls.empty()) << "no question without the confirm preference";
    EXPECT_EQ(AddCriteriaEntryOrTell(ini, CriteriaList::Publishers, "Epic", nullptr), 1) << "the hole is filled";
}

TEST_F(CriteriaDataTest, DeletingAsksAndTellsWhenNothingIsSelected) {
    Load("[Music Devices]\n00=General MIDI\n02=Roland MT-32\n");
    ui.messageAnswers = {IDNO, IDYES};
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::MusicDevices, "Roland MT-32", true, nullptr),
              DeleteEntryResult::Declined);
    EXPECT_EQ(ini.GetString("Music Devices", "02"), "Roland MT-32");
    ExpectMessage(0, "Are you sure you want to\ndelete Roland MT-32?", "Confirm Delete", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::MusicDevices, "Roland MT-32", true, nullptr),
              DeleteEntryResult::Deleted);
    EXPECT_EQ(ini.GetString("Music Devices", "02"), "");

    const std::string before = Text();
    EXPECT_EQ(DeleteCriteriaEntryAsking(ini, CriteriaList::MusicDevices, "", true, nullptr), DeleteEntryResult::NoSelection);
    ExpectMessage(2, "No entry is selected!", "Error", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Text(), before);
}

TEST_F(CriteriaDataTest, OpenCheckAndVdmSoundAddress) {
    EXPECT_FALSE(OpenDataIni(ini, path, false, nullptr));
    ExpectMessage(0, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.",
                  "Quillon Loader", MB_OK);
    EXPECT_FALSE(OpenDataIni(ini, path, true, nullptr));
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_NE(ui.Messages()[1].text, ui.Messages()[0].text);
    EXPECT_NE(ui.Messages()[1].text.find("Data.ini"), std::string::npos) << "the Spanish text names the file";
    EXPECT_EQ(ReadVdmSoundWeb(ini), kDefaultVdmSoundWeb);

    WriteFileText(path, "[Misc]\nVDMSoundWeb=http://example.org/vdms\n");
    EXPECT_TRUE(OpenDataIni(ini, path, false, nullptr));
    EXPECT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ReadVdmSoundWeb(ini), "http://example.org/vdms");
}

}  // namespace
