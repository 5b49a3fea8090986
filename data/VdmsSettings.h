// The nine VDMSound settings that the program edits in VDMSound's own VDMS.INI:
// the Sound Blaster model, port, IRQ and DMA channels, the AdLib port and sample
// rate, the MPU-401 port and IRQ. Only the characters of the value itself are
// replaced; the comment that VDMSound keeps after a value stays as it is.
#pragma once
#include "data/IniFile.h"
#include <array>
#include <string>
#include <vector>

// How a key's value is laid out, and so where a new value goes into it.
enum class VdmsShape {
    Version,     // "4.05": the digit before the first "." and the two after it
    Port,        // "0x220": the three characters after the first "0x"
    Number,      // "7": the first character that is not a blank, and the next
    SampleRate,  // "22050": the first character that is not a blank, and the next four
};

struct VdmsKeyInfo {
    const char* section;
    const char* key;
    const char* label;  // names the setting in messages
    VdmsShape shape;
    const char* defaultText;  // what Defaults shows and an emptied box writes
};

// The eight settings edited in combo boxes, in the order of the file's keys.
enum class VdmsField { SbPort, SbIrq, SbDma8, SbDma16, AdLibPort, AdLibSampleRate, MpuPort, MpuIrq };
constexpr int kVdmsFieldCount = 8;

const VdmsKeyInfo& VdmsVersionKey();
const VdmsKeyInfo& VdmsFieldKey(VdmsField field);

// The five Sound Blaster models: the version as read from the file, and as
// written into it (with a leading blank).
constexpr int kVdmsVersionCount = 5;
constexpr int kVdmsDefaultVersion = 4;  // 4.15, the Sound Blaster 16 PnP
const char* VdmsVersionRead(int index);
const char* VdmsVersionWritten(int index);

// The settings as the dialog shows them.
struct VdmsSettings {
    int version = -1;                                 // index of the model; -1: none of the five
    std::array<std::string, kVdmsFieldCount> fields;  // ports without their "0x"
};

VdmsSettings ReadVdmsSettings(const IniFile& ini);
VdmsSettings DefaultVdmsSettings();

// "8000" below 8000 (a text without leading digits counts as 0), "44100"
// above 44100, otherwise the text as typed.
std::string ClampSampleRate(const std::string& text);
// The text that a field's box puts into the file: its default when empty, and
// a sample rate clamped.
std::string VdmsTextToWrite(VdmsField field, const std::string& text);

// Overwrites the characters at the shape's anchor in |value| with |newText|,
// keeping the length and everything after them. The anchor must lie within
// the first size - 4 characters, so a bare value with no comment after it has
// none. False, with |value| untouched, when there is no anchor.
bool ReplaceVdmsValue(VdmsShape shape, std::string& value, const std::string& newText);

struct VdmsWriteResult {
    // The file could not be written (read-only, locked). Nothing was written
    // unless a later key failed after earlier ones were in.
    bool writeFailed = false;
    // Labels of the settings whose new choice could not be put into the file:
    // the key is absent, its value lacks the expected shape, or it is too long
    // to be read whole. Their lines were left as they were.
    std::vector<std::string> leftUnchanged;
    int keysWritten = 0;
};

// Puts the chosen settings into the file. A key is written only when its
// value changes, so an absent key stays absent and an unchanged line keeps
// its layout.
VdmsWriteResult WriteVdmsSettings(IniFile& ini, const VdmsSettings& chosen);
