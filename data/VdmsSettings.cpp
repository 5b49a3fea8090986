// Reading and writing the VDMSound settings of VDMS.INI.
#include "data/VdmsSettings.h"
#include <cstdio>

namespace {

constexpr VdmsKeyInfo kVersionKey = {"SB Controller.config", "version", "Sound Blaster model", VdmsShape::Version,
                                     "4.15"};

constexpr VdmsKeyInfo kFieldKeys[kVdmsFieldCount] = {
    {"SB Controller.config", "port", "Sound Blaster port", VdmsShape::Port, "220"},
    {"SB Controller.config", "IRQ", "Sound Blaster IRQ", VdmsShape::Number, "7"},
    {"SB Controller.config", "DMA8", "Sound Blaster DMA8", VdmsShape::Number, "1"},
    {"SB Controller.config", "DMA16", "Sound Blaster DMA16", VdmsShape::Number, "5"},
    {"AdLib Controller.config", "port", "AdLib port", VdmsShape::Port, "388"},
    {"AdLib Controller.config", "sampleRate", "AdLib sample rate", VdmsShape::SampleRate, "11025"},
    {"MPU401 Controller.config", "port", "MPU-401 port", VdmsShape::Port, "330"},
    {"MPU401 Controller.config", "IRQ", "MPU-401 IRQ", VdmsShape::Number, "2"},
};

constexpr const char* kVersionsRead[kVdmsVersionCount] = {"1.05", "2.01", "3.02", "4.05", "4.15"};
constexpr const char* kVersionsWritten[kVdmsVersionCount] = {" 1.05", " 2.01", " 3.02", " 4.05", " 4.15"};

constexpr long kMinSampleRate = 8000;
constexpr long kMaxSampleRate = 44100;

// A value this long may have been cut by the 260-byte read: writing it back
// would drop the rest of the line.
constexpr size_t kLongestWholeValue = IniFile::kValueSize - 2;

// The displayed text of a value read without its comment.
std::string ShownText(VdmsShape shape, const std::string& stripped) {
    if (shape == VdmsShape::Port && stripped.compare(0, 2, "0x") == 0) return stripped.substr(2, 3);
    return stripped;
}

int VersionIndex(const std::string& stripped) {
    for (int i = 0; i < kVdmsVersionCount; ++i)
        if (stripped == kVersionsRead[i]) return i;
    return -1;
}

char CharAt(const std::string& text, size_t index) { return index < text.size() ? text[index] : ' '; }

// Where the anchor starts, or npos. Only the first size - 4 characters count.
size_t FindAnchor(VdmsShape shape, const std::string& value) {
    if (value.size() <= 4) return std::string::npos;
    const std::string searched = value.substr(0, value.size() - 4);
    switch (shape) {
        case VdmsShape::Version: {
            size_t dot = searched.find('.');
            return dot == 0 ? std::string::npos : dot;  // no digit before it
        }
        case VdmsShape::Port: return searched.find("0x");
        case VdmsShape::Number:
        case VdmsShape::SampleRate: return searched.find_first_not_of(' ');
    }
    return std::string::npos;
}

struct PendingWrite {
    const VdmsKeyInfo* key;
    std::string value;
};

// Works out one key's new value: a write to do, nothing to do, or a choice
// that cannot go in.
void PlanKey(const IniFile& ini, const VdmsKeyInfo& key, const std::string& newText, bool choiceDiffers,
             std::vector<PendingWrite>& writes, VdmsWriteResult& result) {
    const std::string current = ini.GetString(key.section, key.key);
    std::string value = current;
    if (current.size() > kLongestWholeValue || !ReplaceVdmsValue(key.shape, value, newText)) {
        if (choiceDiffers) result.leftUnchanged.push_back(key.label);
        return;
    }
    if (value != current) writes.push_back({&key, value});
}

// Whether the file can be opened that way now: the private-profile functions
// read a file that cannot be opened as empty, and drop writes silently.
bool CanOpen(const std::string& path, const char* mode) {
    FILE* f = fopen(path.c_str(), mode);
    if (!f) return false;
    fclose(f);
    return true;
}

}  // namespace

const VdmsKeyInfo& VdmsVersionKey() { return kVersionKey; }
const VdmsKeyInfo& VdmsFieldKey(VdmsField field) { return kFieldKeys[static_cast<int>(field)]; }

const char* VdmsVersionRead(int index) { return index >= 0 && index < kVdmsVersionCount ? kVersionsRead[index] : ""; }
const char* VdmsVersionWritten(int index) {
    return index >= 0 && index < kVdmsVersionCount ? kVersionsWritten[index] : "";
}

VdmsSettings ReadVdmsSettings(const IniFile& ini) {
    VdmsSettings settings;
    settings.version = VersionIndex(ini.GetStringStripped(kVersionKey.section, kVersionKey.key));
    for (int i = 0; i < kVdmsFieldCount; ++i)
        settings.fields[i] =
            ShownText(kFieldKeys[i].shape, ini.GetStringStripped(kFieldKeys[i].section, kFieldKeys[i].key));
    return settings;
}

VdmsSettings DefaultVdmsSettings() {
    VdmsSettings settings;
    settings.version = kVdmsDefaultVersion;
    for (int i = 0; i < kVdmsFieldCount; ++i) settings.fields[i] = kFieldKeys[i].defaultText;
    return settings;
}

std::string ClampSampleRate(const std::string& text) {
    long rate = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        rate = rate * 10 + (c - '0');
        if (rate > kMaxSampleRate) break;  // already too high; no overflow on long texts
    }
    if (rate < kMinSampleRate) return std::to_string(kMinSampleRate);
    if (rate > kMaxSampleRate) return std::to_string(kMaxSampleRate);
    return text;
}

std::string VdmsTextToWrite(VdmsField field, const std::string& text) {
    const VdmsKeyInfo& key = VdmsFieldKey(field);
    std::string written = text.empty() ? key.defaultText : text;
    if (key.shape == VdmsShape::SampleRate) written = ClampSampleRate(written);
    return written;
}

bool ReplaceVdmsValue(VdmsShape shape, std::string& value, const std::string& newText) {
    const size_t at = FindAnchor(shape, value);
    if (at == std::string::npos) return false;
    switch (shape) {
        case VdmsShape::Version: {
            // The new text carries its own ".": " 4.15" gives 4 and 15.
            size_t dot = newText.find('.');
            if (dot == std::string::npos || dot == 0) return false;
            value[at - 1] = newText[dot - 1];
            value[at + 1] = CharAt(newText, dot + 1);
            value[at + 2] = CharAt(newText, dot + 2);
            return true;
        }
        case VdmsShape::Port:
            if (newText.size() < 3) {
                value.erase(at + 2);  // the rest of the line goes with it
                value += newText;
            } else {
                value.replace(at + 2, 3, newText, 0, 3);
            }
            return true;
        case VdmsShape::Number:
            for (size_t i = 0; i < 2; ++i) value[at + i] = CharAt(newText, i);
            return true;
        case VdmsShape::SampleRate:
            for (size_t i = 0; i < 5; ++i) value[at + i] = CharAt(newText, i);
            return true;
    }
    return false;
}

VdmsWriteResult WriteVdmsSettings(IniFile& ini, const VdmsSettings& chosen) {
    VdmsWriteResult result;
    // A file held by another program would read as if every key were absent.
    if (!CanOpen(ini.Path(), "rb")) {
        result.writeFailed = true;
        return result;
    }
    const VdmsSettings shown = ReadVdmsSettings(ini);
    std::vector<PendingWrite> writes;

    // With no model chosen the first one is written.
    const int version = chosen.version >= 0 && chosen.version < kVdmsVersionCount ? chosen.version : 0;
    // A setting the player left as the dialog showed it is no change of theirs:
    // it is not reported when it cannot go in (an absent key shows empty).
    PlanKey(ini, kVersionKey, kVersionsWritten[version], chosen.version != shown.version, writes, result);
    for (int i = 0; i < kVdmsFieldCount; ++i) {
        const std::string text = VdmsTextToWrite(static_cast<VdmsField>(i), chosen.fields[i]);
        PlanKey(ini, kFieldKeys[i], text, chosen.fields[i] != shown.fields[i], writes, result);
    }

    if (writes.empty()) return result;
    if (!CanOpen(ini.Path(), "r+b")) {
        result.writeFailed = true;
        return result;
    }
    for (const PendingWrite& write : writes) {
        if (!ini.WriteString(write.key->section, write.key->key, write.value)) {
            result.writeFailed = true;
            return result;
        }
        ++result.keysWritten;
    }
    return result;
}
