// The tagged entries of the record's reserved area.
#include "data/GameExtras.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <cstring>

namespace {

constexpr size_t kArea = sizeof(GameRecord::reservedArea);
constexpr size_t kHeader = 6;     // tag and length
constexpr size_t kMaxPath = 259;  // MAX_PATH less its terminator
constexpr char kProgramTag[] = "DBOX", kCdRomTag[] = "CDRM", kLinesTag[] = "DBXL";
const char* const kOurTags[] = {kProgramTag, kCdRomTag, kLinesTag};

struct Entry {
    size_t at = 0;  // offset of its tag in the area
    std::string tag;
    std::string data;
};

struct List {
    std::vector<Entry> entries;
    bool damaged = false;
    size_t damageAt = 0;
};

bool IsTagCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

List ReadList(const char* area) {
    List list;
    size_t at = 0;
    while (kArea - at >= 4) {
        const char* tag = area + at;
        if (tag[0] == 0 && tag[1] == 0 && tag[2] == 0 && tag[3] == 0) break;
        bool named = kArea - at >= kHeader;
        for (int i = 0; i < 4; ++i) named = named && IsTagCharacter(tag[i]);
        const size_t length = named ? static_cast<unsigned char>(tag[4]) | static_cast<unsigned char>(tag[5]) << 8 : 0;
        if (!named || length > kArea - at - kHeader) {
            list.damaged = true;
            list.damageAt = at;
            break;
        }
        list.entries.push_back({at, std::string(tag, 4), std::string(tag + kHeader, length)});
        at += kHeader + length;
    }
    return list;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? "\n" : "") + parts[i];
    return text;
}

bool IsGoodPath(const std::string& path) {
    return !path.empty() && path.size() <= kMaxPath && !HasControlCharacter(path);
}

bool IsGoodImage(const std::string& path) {
    const std::string extension = path.size() > 4 ? path.substr(path.size() - 4) : std::string();
    return IsGoodPath(path) && (EqualNoCase(extension, ".iso") || EqualNoCase(extension, ".cue"));
}

char DriveLetter(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c >= 'A' && c <= 'Z' ? c : 0;
}

// Reads one entry of ours into |extras|; false when its value is refused.
bool TakeEntry(const Entry& entry, GameExtras& extras) {
    if (entry.tag == kProgramTag) {
        if (!IsGoodPath(entry.data)) return false;
        extras.dosBoxProgram = entry.data;
        return true;
    }
    if (entry.tag == kCdRomTag) {
        const std::string rest = entry.data.size() > 1 ? entry.data.substr(1) : std::string();
        if (entry.data.size() == 2 && entry.data[0] == 'D' && DriveLetter(rest[0])) {
            extras.cdRom = {CdRomKind::Drive, DriveLetter(rest[0]), {}};
            return true;
        }
        const std::vector<std::string> images = Split(rest);
        bool good = entry.data.size() > 1 && entry.data[0] == 'I';
        for (const auto& image : images) good = good && IsGoodImage(image);
        if (good) extras.cdRom = {CdRomKind::Images, 0, images};
        return good;
    }
    bool all = true;
    for (const std::string& line : Split(entry.data)) {
        const bool good = CheckExtraLine(line) == ExtraLinePart::None;
        if (good) extras.extraLines.push_back(line);
        all = all && good;
    }
    return all;
}

// The value of each tag of ours as its entry holds it; empty for no entry.
ExtrasWrite Encode(const GameExtras& extras, std::string (&data)[3]) {
    ExtrasWrite problem;
    if (!extras.dosBoxProgram.empty() && !IsGoodPath(extras.dosBoxProgram)) {
        problem.problem = ExtrasProblem::Program;
        return problem;
    }
    data[0] = extras.dosBoxProgram;
    const CdRom& cd = extras.cdRom;
    if (cd.kind == CdRomKind::Drive) {
        if (!DriveLetter(cd.drive)) {
            problem.problem = ExtrasProblem::CdDrive;
            return problem;
        }
        data[1] = std::string("D") + DriveLetter(cd.drive);
    } else if (cd.kind == CdRomKind::Images) {
        for (size_t i = 0; i < cd.images.size() || i == 0; ++i) {
            if (i < cd.images.size() && IsGoodImage(cd.images[i])) continue;
            problem.problem = ExtrasProblem::CdImage;  // an image that fails, or none at all
            problem.index = i;
            return problem;
        }
        data[1] = "I" + Joined(cd.images);
    }
    for (size_t i = 0; i < extras.extraLines.size(); ++i) {
        const ExtraLinePart part = CheckExtraLine(extras.extraLines[i]);
        if (part != ExtraLinePart::None) {
            problem.problem = ExtrasProblem::ExtraLine;
            problem.index = i;
            problem.part = part;
            return problem;
        }
    }
    data[2] = Joined(extras.extraLines);
    return problem;
}

void Append(std::string& bytes, const char* tag, const std::string& data) {
    bytes.append(tag, 4);
    bytes += static_cast<char>(data.size() & 0xFF);
    bytes += static_cast<char>(data.size() >> 8 & 0xFF);
    bytes += data;
}

int OurTag(const std::string& tag) {
    for (int i = 0; i < 3; ++i)
        if (tag == kOurTags[i]) return i;
    return -1;
}

}  // namespace

ExtrasRead ReadGameExtras(const GameRecord& game) {
    ExtrasRead read;
    const List list = ReadList(game.reservedArea);
    bool seen[3] = {};
    for (const Entry& entry : list.entries) {
        const int ours = OurTag(entry.tag);
        if (ours < 0 || seen[ours]) continue;
        seen[ours] = true;
        if (!TakeEntry(entry, read.extras) && read.status == ExtrasStatus::Ok) {
            read.status = ExtrasStatus::Refused;
            read.at = entry.at;
        }
    }
    if (list.damaged) {
        read.status = ExtrasStatus::Damaged;
        read.at = list.damageAt;
    }
    return read;
}

ExtrasWrite WriteGameExtras(GameRecord& game, const GameExtras& extras) {
    std::string data[3];
    ExtrasWrite result = Encode(extras, data);
    if (result.problem != ExtrasProblem::None) return result;
    const List list = ReadList(game.reservedArea);
    if (list.damaged) {
        result.problem = ExtrasProblem::Damaged;
        return result;
    }
    std::string bytes;
    bool written[3] = {};
    for (const Entry& entry : list.entries) {
        const int ours = OurTag(entry.tag);
        if (ours < 0)
            Append(bytes, entry.tag.c_str(), entry.data);
        else if (!written[ours] && !data[ours].empty())
            Append(bytes, kOurTags[ours], data[ours]);
        if (ours >= 0) written[ours] = true;
    }
    for (int i = 0; i < 3; ++i)
        if (!written[i] && !data[i].empty()) Append(bytes, kOurTags[i], data[i]);
    if (bytes.size() > kArea) {
        result.problem = ExtrasProblem::TooLarge;
        result.needed = bytes.size();
        return result;
    }
    std::memset(game.reservedArea, 0, kArea);
    std::memcpy(game.reservedArea, bytes.data(), bytes.size());
    return result;
}

bool CutDamagedExtras(GameRecord& game) {
    const List list = ReadList(game.reservedArea);
    if (!list.damaged) return false;
    std::memset(game.reservedArea + list.damageAt, 0, kArea - list.damageAt);
    return true;
}
