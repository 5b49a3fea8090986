// INI file accessor over GetPrivateProfileStringA and friends.
#include "data/IniFile.h"
#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {

// The private-profile functions take paths of at most MAX_PATH - 1 characters.
constexpr size_t kMaxPathChars = 259;

}  // namespace

IniFile::IniFile() : _sectionBuffer(kSectionBufferSize, '\0') { _sections.reserve(kMaxSections); }

IniFile::~IniFile() = default;

bool IniFile::Open(const std::string& path) {
    _open = false;
    if (path.empty() || path.size() > kMaxPathChars) return false;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    fclose(f);
    _path = path;
    _open = true;
    return true;
}

std::string IniFile::GetString(const std::string& section, const std::string& key) const {
    if (!_open) return {};
    char value[kValueSize] = "";
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, _path.c_str());
    if (n == 0) return {};
    return value;
}

std::string IniFile::GetStringStripped(const std::string& section, const std::string& key) const {
    std::string value = GetString(section, key);
    if (value.empty()) return value;
    // An inline comment starts at a ';' - but a value that begins with one keeps it.
    size_t semicolon = value.find(';', 1);
    if (semicolon != std::string::npos) value.erase(semicolon);
    size_t end = value.size();
    while (end > 1 && value[end - 1] == ' ') --end;
    value.erase(end);
    return value;
}

bool IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!_open || section.empty() || key.empty()) return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), _path.c_str()) != FALSE;
}

bool IniFile::DeleteKey(const std::string& section, const std::string& key) {
    // Without a key WritePrivateProfileString would remove the whole section:
    // a missing key deletes nothing.
    if (!_open || section.empty() || key.empty()) return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, _path.c_str()) != FALSE;
}

bool IniFile::FirstSection(std::string& name, size_t maxLength) {
    if (!_open || maxLength == 0) return false;
    _sectionCount = 0;
    _sectionCursor = 0;
    _sections.clear();
    DWORD n =
        GetPrivateProfileSectionNamesA(_sectionBuffer.data(), static_cast<DWORD>(_sectionBuffer.size()), _path.c_str());
    if (n == 0 || _sectionBuffer[0] == '\0') return false;
    // Names separated by single zero bytes, the list ended by a second one.
    const char* const begin = _sectionBuffer.data();
    const char* const end = begin + (n < _sectionBuffer.size() ? n : _sectionBuffer.size());
    const char* at = begin;
    while (at < end && *at != '\0' && _sections.size() < kMaxSections) {
        const void* zero = std::memchr(at, '\0', static_cast<size_t>(end - at));
        const char* stop = zero ? static_cast<const char*>(zero) : end;
        std::string section(at, stop);
        at = stop + 1;
        if (section.size() > kValueSize - 1) section.resize(kValueSize - 1);
        _sections.push_back(std::move(section));
    }
    _sectionCount = static_cast<uint16_t>(_sections.size());
    if (_sectionCount == 0 || _sections[0].size() >= maxLength) return false;
    name = _sections[0];
    _sectionCursor = 1;
    return true;
}

bool IniFile::NextSection(std::string& name, size_t maxLength) {
    if (!_open || maxLength == 0 || _sectionCount < 2) return false;
    if (_sectionCursor >= _sectionCount) {
        _sectionCount = 0;
        _sectionCursor = 0;
        return false;
    }
    const std::string& next = _sections[_sectionCursor];
    if (next.size() >= maxLength) return false;
    name = next;
    ++_sectionCursor;
    return true;
}
