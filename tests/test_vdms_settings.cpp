// VDMSound's settings in VDMS.INI: the value replaced in a line, what the file keeps, and the dialog.
#include "DialogProbe.h"
#include "data/VdmsSettings.h"
#include "dialogs/VdmSoundDialog.h"
#include "res/VdmSoundDialogRes.h"

namespace {

TEST(VdmsReplace, OnlyTheCharactersAtTheAnchorChange) {
    const std::tuple<VdmsShape, const char*, const char*, const char*> cases[] = {
        {VdmsShape::Version, "4.05 ; DSP version", " 4.15", "4.15 ; DSP version"},
        {VdmsShape::Version, "4.05", " 4.15", nullptr},           // bare: too short for the anchor
        {VdmsShape::Version, ".405 ; odd", " 4.15", nullptr},     // no digit before the "."
        {VdmsShape::Version, "four ; no dot", " 4.15", nullptr},  // no "."
        {VdmsShape::Version, "405 ; 4.05", " 4.15", nullptr},     // the "." lies in the last four characters
        {VdmsShape::Port, "0x220 ; base port", "240", "0x240 ; base port"},
        {VdmsShape::Port, "0x220 ; base port", "2400", "0x240 ; base port"},
        {VdmsShape::Port, "0x220 ; base port", "24", "0x24"},  // short text ends the line
        {VdmsShape::Port, "0x220", "240", nullptr},            // bare
        {VdmsShape::Port, "220 ; base port", "240", nullptr},  // no "0x"
        {VdmsShape::Number, "10   ; IRQ line", "5", "5    ; IRQ line"},
        {VdmsShape::Number, "7 ; IRQ", "10", "10; IRQ"},
        {VdmsShape::Number, "  7 ; IRQ", "5", "  5 ; IRQ"},
        {VdmsShape::Number, "7", "5", nullptr},
        {VdmsShape::SampleRate, "22050 ; rate", "8000", "8000  ; rate"},
        {VdmsShape::SampleRate, "8000  ; rate", "44100", "44100 ; rate"},
        {VdmsShape::SampleRate, "22050", "11025", "11025"},  // five characters are enough
        {VdmsShape::SampleRate, "8000", "11025", nullptr},
    };
    for (const auto& [shape, before, newText, after] : cases) {
        std::string value = before;
        EXPECT_EQ(ReplaceVdmsValue(shape, value, newText), after != nullptr) << before << " <- " << newText;
        EXPECT_EQ(value, after ? after : before) << before << " <- " << newText;
    }
}

TEST(VdmsReplace, SampleRatesAreClampedAndEmptyBoxesTakeTheDefaults) {
    const std::pair<const char*, const char*> rates[] = {{"44101", "44100"}, {"7999", "8000"}, {"abc", "8000"},
        {"", "8000"}, {"8000", "8000"}, {"44100", "44100"}, {"11025Hz", "11025Hz"}, {"-5", "8000"},
        {"99999999999999999999", "44100"}};
    for (const auto& [typed, written] : rates) EXPECT_EQ(ClampSampleRate(typed), written) << typed;
    // The emptied MPU-401 boxes are the dialog test's.
    EXPECT_EQ(VdmsTextToWrite(VdmsField::AdLibSampleRate, ""), "11025");
    EXPECT_EQ(VdmsTextToWrite(VdmsField::AdLibSampleRate, "96000"), "44100");
}

// VDMS.INI as VDMSound lays it out: sections, and a comment after each value.
constexpr char kVdmsIni[] =
    "; VDMSound configuration\r\n[SB Controller]\r\nCLSID=VDDLoader.SBCtrl\r\n[SB Controller.config]\r\n"
    "port=0x220          ; Sound Blaster base port\r\nIRQ=10   ; Sound Blaster IRQ\r\n"
    "DMA8=1              ; 8-bit DMA channel\r\nDMA16=5             ; 16-bit DMA channel\r\n"
    "version=4.05        ; DSP version\r\n[AdLib Controller.config]\r\n"
    "port=0x388          ; AdLib port\r\nsampleRate=22050    ; synthesis rate\r\n"
    "[MPU401 Controller.config]\r\nport=0x300          ; MPU-401 port\r\nIRQ=9               ; MPU-401 IRQ\r\n";

class VdmsFileTest : public DialogTest<VdmSoundDialog> {
protected:
    void Load(const std::string& text) {
        WriteFileText(path, text);
        ASSERT_TRUE(ini.Open(path));
    }
    std::string Text() const { return FileText(path); }
    static std::string Replaced(std::string text, const std::string& from, const std::string& to) {
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
    void OpenDialog() { ASSERT_TRUE(Open(ini)); }
    void Radio(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    const std::string path = folder + "\\VDMS.INI";
    IniFile ini;
};

// A value cut off at 259 characters is not written back: it would lose the rest of its line.
TEST_F(VdmsFileTest, AbsentKeysUnshapedAndCutOffValuesStayAndAreReported) {
    const std::string original =
        "[SB Controller.config]\r\nversion=4.05\r\nport=220 ; no prefix\r\nIRQ=7 ;" + std::string(300, 'c') +
        "\r\nDMA8=1 ; 8-bit DMA\r\n[MPU401 Controller.config]\r\nport=0x330 ; MPU-401 port\r\n";
    Load(original);
    VdmsSettings chosen = ReadVdmsSettings(ini);
    EXPECT_EQ(chosen.version, 3) << "a bare version is still shown";
    VdmsWriteResult same = WriteVdmsSettings(ini, chosen);
    EXPECT_TRUE(!same.writeFailed && same.keysWritten == 0 && Text() == original);
    chosen.version = kVdmsDefaultVersion;
    for (auto [field, text] : {std::pair{VdmsField::SbPort, "240"}, {VdmsField::SbIrq, "5"}, {VdmsField::SbDma8, "3"}})
        chosen.fields[static_cast<int>(field)] = text;
    VdmsWriteResult result = WriteVdmsSettings(ini, chosen);
    EXPECT_FALSE(result.writeFailed);
    EXPECT_EQ(Text(), Replaced(original, "DMA8=1", "DMA8=3"));
    EXPECT_EQ(result.leftUnchanged,
              (std::vector<std::string>{"Sound Blaster model", "Sound Blaster port", "Sound Blaster IRQ"}))
        << "what the player chose; the boxes of absent keys left empty are no choice";
    for (const char* absent : {"DMA16", "sampleRate", "[AdLib"})
        EXPECT_EQ(Text().find(absent), std::string::npos) << absent << " must stay absent";
    OpenDialog();
    Radio(IDC_VDMS_SB16PNP);
    Set(IDC_VDMS_SB_DMA8, "1");
    Click(IDOK);
    EXPECT_TRUE(dialog->Result() == IDOK && Text() == original);
    const std::string text = ui.Messages().empty() ? "" : ui.Messages()[0].text;
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(text.find("Sound Blaster model") != text.npos && text.find("Sound Blaster IRQ") == text.npos &&
                text.find("The other changes were saved.") != text.npos)
        << text;
}

// Defaults and Cancel write nothing; OK writes the choices in place, every other byte stays.
TEST_F(VdmsFileTest, DialogShowsTheFileAndOnlyOkWritesTheChoices) {
    Load(kVdmsIni);
    OpenDialog();
    EXPECT_TRUE(Ticked(IDC_VDMS_SB16) && !Ticked(IDC_VDMS_SB16PNP));
    const std::pair<int, const char*> shown[] = {{IDC_VDMS_SB_PORT, "220"}, {IDC_VDMS_SB_IRQ, "10"},
        {IDC_VDMS_ADLIB_PORT, "388"}, {IDC_VDMS_ADLIB_RATE, "22050"}, {IDC_VDMS_MPU_PORT, "300"}};
    for (const auto& [box, text] : shown) {
        EXPECT_EQ(Get(box), text) << box;
        EXPECT_EQ(SendMessageA(GetWindow(Item(box), GW_CHILD), EM_GETLIMITTEXT, 0, 0), 259) << box;
    }
    Set(IDC_VDMS_SB_DMA8, "8");
    Click(IDC_VDMS_DEFAULTS);
    EXPECT_TRUE(Ticked(IDC_VDMS_SB16PNP) && !Ticked(IDC_VDMS_SB16));
    for (const auto& [box, text] :
         {std::pair{IDC_VDMS_SB_IRQ, "7"}, {IDC_VDMS_SB_DMA8, "1"}, {IDC_VDMS_ADLIB_RATE, "11025"}})
        EXPECT_EQ(Get(box), text) << box;
    Click(IDCANCEL);
    EXPECT_TRUE(dialog->Result() == IDCANCEL && Text() == kVdmsIni);
    OpenDialog();
    Radio(IDC_VDMS_SB16PNP);
    EXPECT_FALSE(Ticked(IDC_VDMS_SB16)) << "one model at a time";
    for (auto [box, text] : {std::pair{IDC_VDMS_SB_PORT, "240"}, {IDC_VDMS_SB_IRQ, "5"}, {IDC_VDMS_MPU_PORT, ""},
                             {IDC_VDMS_MPU_IRQ, ""}, {IDC_VDMS_ADLIB_RATE, "1000"}})
        Set(box, text);
    Click(IDOK);
    EXPECT_TRUE(dialog->Result() == IDOK && ui.Messages().empty());
    std::string expected = kVdmsIni;
    for (const auto& [from, to] : {std::pair{"port=0x220 ", "port=0x240 "}, {"IRQ=10   ;", "IRQ=5    ;"},
                                   {"version=4.05 ", "version=4.15 "}, {"sampleRate=22050", "sampleRate=8000 "},
                                   {"port=0x300", "port=0x330"}, {"IRQ=9", "IRQ=2"}})
        expected = Replaced(expected, from, to);
    EXPECT_EQ(Text(), expected) << "emptied MPU-401 boxes write 330 and 2";
}

TEST_F(VdmsFileTest, ALockedFileIsReportedAndTheDialogStaysOpen) {
    Load(kVdmsIni);
    OpenDialog();
    Set(IDC_VDMS_SB_PORT, "240");
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Click(IDOK);
    CloseHandle(lock);
    EXPECT_FALSE(dialog->Ended());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find("VDMS.INI cannot be written"), std::string::npos);
    EXPECT_TRUE(ui.Messages()[0].flags == (MB_OK | MB_ICONSTOP) && Text() == kVdmsIni);
    Click(IDOK);
    EXPECT_EQ(dialog->Result(), IDOK) << "free again: the second OK saves";
    EXPECT_EQ(ini.GetStringStripped("SB Controller.config", "port"), "0x240");
}

}  // namespace
