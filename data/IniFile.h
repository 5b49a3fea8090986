// The one small class through which the program opens, reads and writes its INI
// files (Data.ini, Loader.ini, VDMS.INI), always through the private-profile API.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class IniFile {
public:
    static constexpr size_t kValueSize = 260;            // a value is read into this many bytes
    static constexpr size_t kSectionBufferSize = 67600;  // raw list of section names
    static constexpr size_t kMaxSections = 260;          // names kept by FirstSection

    IniFile();
    virtual ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Checks that the file can be opened for reading and remembers its path.
    // Nothing is parsed and the file is not kept open. On failure the accessor
    // stays closed.
    bool Open(const std::string& path);
    bool IsOpen() const { return _open; }
    const std::string& Path() const { return _path; }

    // The value (at most 259 characters); empty when closed or absent.
    std::string GetString(const std::string& section, const std::string& key) const;
    // As GetString, then cut before the first ';' that is not the first
    // character, and blanks at the end dropped (never the first character).
    std::string GetStringStripped(const std::string& section, const std::string& key) const;
    // Dropped when closed or when the section or key is empty. An empty value
    // is written as an empty value. False when nothing was written (closed, or
    // the file could not be written: read-only, locked).
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key. Dropped when closed or when the section or key is
    // empty. False when nothing was removed for that reason or the file could
    // not be written; a key that was not there counts as removed.
    bool DeleteKey(const std::string& section, const std::string& key);

    // Section enumeration in file order, at most kMaxSections names. A name of
    // maxLength characters or more fails (NextSection then stays on that name).
    bool FirstSection(std::string& name, size_t maxLength);
    // Fails when the names are used up (and starts over the count), or when
    // fewer than two names were found.
    bool NextSection(std::string& name, size_t maxLength);

private:
    bool _open = false;
    uint16_t _sectionCount = 0;
    uint16_t _sectionCursor = 0;
    std::string _path;
    std::vector<std::string> _sections;
    std::vector<char> _sectionBuffer;
};
