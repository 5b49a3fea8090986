// Conversion of the old Loader.ini catalogue into game files.
#include "data/LoaderIni.h"
#include "data/Files.h"
#include "data/GameFile.h"
#include "data/NewGame.h"
#include "data/Strings.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// The private-profile lists of a damaged catalogue may need more room than the
// usual buffers; beyond this much the rest is not read.
constexpr DWORD kMaxListBytes = 16UL * 1024 * 1024;
// Windows 9x gives at most this much of a section.
constexpr DWORD kFirstListBytes = 32767;

const char* const kDisplayNames[] = {"VESA", "VGA", "MCGA", "EGA", "CGA", "TANDY"};

bool IsYes(const std::string& value) { return EqualNoCase(value, "Yes"); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Fills |buffer| through |read| (a private-profile call that takes a buffer and
// its size), growing it while the list does not fit: a list that fills the
// buffer comes back as size - 2 characters. Stops when the platform gives no
// more (Windows 9x caps the size) or at the cap. Returns the characters read.
template <class Read>
DWORD ReadProfileList(std::vector<char>& buffer, Read read) {
    DWORD n = 0;
    DWORD previous = 0;
    for (DWORD size = kFirstListBytes;; size *= 4) {
        buffer.assign(size, '\0');
        n = read(buffer.data(), size);
        if (n < size - 2 || n == previous || size > kMaxListBytes / 4) break;
        previous = n;
    }
    return n;
}

// Total of non-empty section names in the file, however many there are.
int CountSectionNames(const std::string& path) {
    std::vector<char> names;
    const DWORD n = ReadProfileList(
        names, [&](char* out, DWORD size) { return GetPrivateProfileSectionNamesA(out, size, path.c_str()); });
    int count = 0;
    for (DWORD i = 0; i < n && i < names.size();) {
        size_t length = strnlen(names.data() + i, n - i);
        if (length > 0) ++count;
        i += static_cast<DWORD>(length) + 1;
    }
    return count;
}

// The keys of one section, read in one call and looked up as GetString would:
// names without regard to case, the first of equal names, blanks around the
// value dropped, one pair of enclosing quotes removed, at most 259 characters.
// (One read per section instead of one per key: a catalogue converts at the
// speed of writing its game files.)
class SectionKeys {
public:
    SectionKeys(const IniFile& ini, const std::string& section) {
        if (!ini.IsOpen() || section.empty()) return;
        std::vector<char> buffer;
        const DWORD n = ReadProfileList(buffer, [&](char* out, DWORD size) {
            return GetPrivateProfileSectionA(section.c_str(), out, size, ini.Path().c_str());
        });
        for (DWORD i = 0; i < n;) {
            const char* line = buffer.data() + i;
            size_t length = strnlen(line, n - i);
            i += static_cast<DWORD>(length) + 1;
            const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
            if (!equals) continue;
            std::string key = Trim(std::string(line, equals));
            if (key.empty() || key[0] == ';') continue;
            _keys.emplace_back(key, Value(std::string(equals + 1, line + length)));
        }
    }

    std::string Get(const char* key) const {
        for (const auto& entry : _keys)
            if (EqualNoCase(entry.first, key)) return entry.second;
        return {};
    }

private:
    static std::string Trim(const std::string& text) {
        size_t begin = text.find_first_not_of(" \t");
        if (begin == std::string::npos) return {};
        size_t end = text.find_last_not_of(" \t");
        return text.substr(begin, end - begin + 1);
    }
    static std::string Value(const std::string& raw) {
        std::string value = Trim(raw);
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        if (value.size() > IniFile::kValueSize - 1) value.resize(IniFile::kValueSize - 1);
        return value;
    }

    std::vector<std::pair<std::string, std::string>> _keys;
};

// Sets the fields that the section's keys reach.
void ApplyKeys(const SectionKeys& keys, const std::string& section, GameRecord& g);

}  // namespace

DeviceValue SplitDeviceValue(const std::string& value) {
    DeviceValue out;
    if (value.size() < 2) return out;
    size_t comma = value.find(',');
    if (comma == std::string::npos) {
        out.name = value;
        return out;
    }
    out.name = value.substr(0, comma);
    size_t start = value.find_first_not_of(' ', comma + 1);
    if (start != std::string::npos) out.parameter = value.substr(start);
    return out;
}

int DisplayNumber(const std::string& name) {
    for (int i = 0; i < 6; ++i)
        if (EqualNoCase(name, kDisplayNames[i])) return i + 1;
    return -1;
}

void ApplyLoaderSection(const IniFile& ini, const std::string& section, GameRecord& record) {
    ApplyKeys(SectionKeys(ini, section), section, record);
}

namespace {

void ApplyKeys(const SectionKeys& keys, const std::string& section, GameRecord& g) {
    auto get = [&](const char* key) { return keys.Get(key); };
    SetField(g.title, section.c_str());
    SetField(g.publisher, get("Publisher").c_str());
    SetField(g.category, get("Category").c_str());
    SetField(g.path, get("Path").c_str());
    SetField(g.command, get("Command").c_str());
    SetField(g.setup, get("Setup").c_str());
    SetField(g.webSite, "");
    SetField(g.keyboardParam, get("Keyboard").c_str());
    SetField(g.mouseParam, get("Mouse").c_str());
    SetField(g.joystickParam, get("Joystick").c_str());
    if (IsYes(get("SelectedKeyboard"))) g.keyboardOn = 1;
    if (IsYes(get("SelectedMouse"))) g.mouseOn = 1;
    if (IsYes(get("SelectedJoystick"))) g.joystickOn = 1;
    int display = DisplayNumber(get("SelectedDisplay"));
    if (display != -1) g.selectedDisplay = display;
    SetField(g.vesaParam, get("DisplayVESA").c_str());
    SetField(g.vgaParam, get("DisplayVGA").c_str());
    SetField(g.mcgaParam, get("DisplayMCGA").c_str());
    SetField(g.egaParam, get("DisplayEGA").c_str());
    SetField(g.cgaParam, get("DisplayCGA").c_str());
    SetField(g.tandyParam, get("DisplayTANDY").c_str());
    const std::string vdmSound = get("VDMSound");
    if (vdmSound == "1") g.options = kOptionVdmSound | kOptionWin95;
    if (vdmSound == "0") g.options = kOptionWin95;
    DeviceValue custom = SplitDeviceValue(get("CustomDevice"));
    SetField(g.customName, custom.name.c_str());
    SetField(g.customParam, custom.parameter.c_str());

    // An empty selection would match every unnamed entry: it selects none.
    const std::string selectedSound = get("SelectedSound");
    const std::string selectedMusic = get("SelectedMusic");
    char key[16];
    for (int i = 0; i < static_cast<int>(kDeviceSlots); ++i) {
        snprintf(key, sizeof key, "SoundDevice%02d", i + 1);
        DeviceValue sound = SplitDeviceValue(get(key));
        SetField(g.soundNames[i], sound.name.c_str());
        SetField(g.soundParams[i], sound.parameter.c_str());
        if (!selectedSound.empty() && EqualNoCase(selectedSound, sound.name)) g.selectedSound = i;
        snprintf(key, sizeof key, "MusicDevice%02d", i + 1);
        DeviceValue music = SplitDeviceValue(get(key));
        SetField(g.musicNames[i], music.name.c_str());
        SetField(g.musicParams[i], music.parameter.c_str());
        if (!selectedMusic.empty() && EqualNoCase(selectedMusic, music.name)) g.selectedMusic = i;
    }
}

}  // namespace

std::string ImportFileName(const std::string& section) {
    std::string name = section;
    for (char& c : name)
        if (c == '*' || c == ':') c = '-';
    return name;
}

std::string ImagesFolderOf(const std::string& iniPath) {
    size_t slash = iniPath.find_last_of("\\/");
    if (slash == std::string::npos) return "Images\\";
    return iniPath.substr(0, slash) + "\\Images\\";
}

PictureNote CheckPictureValue(const std::string& value) {
    if (value.empty()) return PictureNote::None;
    if (HasDriveOrRoot(value) || HasDotStep(value)) return PictureNote::OutsideImages;
    if (HasDeviceStep(value)) return PictureNote::DeviceName;
    return IsNameInsideFolder(value) ? PictureNote::None : PictureNote::CannotRead;
}

std::string PicturePathFor(const std::string& imagesFolder, const std::string& value) {
    if (value.empty() || CheckPictureValue(value) != PictureNote::None) return {};
    std::string folder = imagesFolder;
    if (!folder.empty() && !IsSeparator(folder.back())) folder += '\\';
    return folder + value;
}

namespace {

// The picture of a section and why it was not taken.
PictureNote ReadSectionPicture(const std::string& imagesFolder, const std::string& value, std::vector<char>& bytes) {
    if (value.empty()) return PictureNote::None;
    const PictureNote refused = CheckPictureValue(value);
    if (refused != PictureNote::None) return refused;
    switch (ReadPictureFile(PicturePathFor(imagesFolder, value), bytes)) {
        case PictureFileStatus::Ok: return PictureNote::None;
        case PictureFileStatus::TooLarge: return PictureNote::TooLarge;
        case PictureFileStatus::NotABitmap: return PictureNote::NotABitmap;
        case PictureFileStatus::CannotRead: break;
    }
    return PictureNote::CannotRead;
}

}  // namespace

SectionResult ConvertSectionToGame(const IniFile& ini, const std::string& section, const std::string& fileName,
                                   const std::string& programFolder, const std::string& imagesFolder, bool overwrite) {
    SectionResult result;
    if (CheckGameFileName(fileName, programFolder) != GameNameProblem::None) {
        result.outcome = SectionOutcome::Refused;
        return result;
    }
    const std::string path = GameFilePath(programFolder, fileName);
    const GamePlaceCheck place = CheckGamePlace(path, overwrite);
    switch (place.place) {
        case GamePlace::OtherFile:
            result.outcome = SectionOutcome::OtherFile;
            result.otherFile = place.otherFile;
            return result;
        case GamePlace::Exists: result.outcome = SectionOutcome::Exists; return result;
        case GamePlace::Folder: return result;  // never moved aside
        case GamePlace::Free:
        case GamePlace::Replace: break;
    }

    const SectionKeys keys(ini, section);
    GameRecord record = BlankGameRecord();
    ApplyKeys(keys, section, record);
    std::vector<char> picture;
    result.picture = ReadSectionPicture(imagesFolder, keys.Get("Picture"), picture);
    const bool written = WriteGameAt(path, place.place, record, picture);
    result.outcome = written ? SectionOutcome::Converted : SectionOutcome::Failed;
    return result;
}

CatalogueSections ReadCatalogueSections(IniFile& ini) {
    CatalogueSections out;
    out.opened = ini.IsOpen();
    if (!out.opened) return out;
    // Windows 9x keeps INI files cached: read this one afresh.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.Path().c_str());
    std::string name;
    for (bool ok = ini.FirstSection(name, IniFile::kValueSize); ok; ok = ini.NextSection(name, IniFile::kValueSize))
        out.names.push_back(name);
    int total = CountSectionNames(ini.Path());
    if (total > static_cast<int>(out.names.size())) out.unread = total - static_cast<int>(out.names.size());
    return out;
}

BatchResult ConvertCatalogue(const std::string& iniPath, const std::string& imagesFolder,
                             const std::string& programFolder, BatchListener& listener) {
    BatchResult result;
    IniFile ini;
    if (!ini.Open(iniPath)) {
        result.status = BatchStatus::CannotOpen;
        return result;
    }
    listener.ListCleared();
    CatalogueSections sections = ReadCatalogueSections(ini);
    result.unread = sections.unread;
    if (sections.names.empty()) {
        result.status = BatchStatus::NoSections;
        return result;
    }
    const int count = static_cast<int>(sections.names.size());
    listener.ProgressRange(count + 1);
    listener.Progress(0);
    for (int k = 0; k < count; ++k) {
        listener.Progress(k + 1);
        const std::string& name = sections.names[static_cast<size_t>(k)];
        const SectionResult section = ConvertSectionToGame(ini, name, name, programFolder, imagesFolder, false);
        if (section.picture != PictureNote::None || !section.otherFile.empty()) result.notes.push_back({name, section});
        switch (section.outcome) {
            case SectionOutcome::Converted:
                ++result.added;
                listener.GameAdded(name + ".qgf");
                break;
            case SectionOutcome::Exists:
            case SectionOutcome::OtherFile: ++result.existing; break;
            case SectionOutcome::Refused: ++result.refused; break;
            case SectionOutcome::Failed: ++result.failed; break;
        }
    }
    listener.Progress(0);
    return result;
}

bool RetireLoaderIni(const std::string& programFolder) {
    const std::string from = programFolder + "\\" + kLoaderIniName;
    const std::string to = programFolder + "\\" + kRetiredLoaderIniName;
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}
