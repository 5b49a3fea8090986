// Telling the DOSBox flavours apart.
#include "launch/DosBoxFlavour.h"
#include "data/Strings.h"
#include "launch/ProgramKind.h"
#include <windows.h>
#include <cstring>

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The last step of a path; a trailing separator is passed over.
std::string LastStep(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The version API of version.dll, looked up at run time.
class VersionApi {
public:
    VersionApi() : _dll(LoadLibraryA("version.dll")) {
        if (!_dll) return;
        size =
            reinterpret_cast<decltype(size)>(reinterpret_cast<void*>(GetProcAddress(_dll, "GetFileVersionInfoSizeA")));
        info = reinterpret_cast<decltype(info)>(reinterpret_cast<void*>(GetProcAddress(_dll, "GetFileVersionInfoA")));
        query = reinterpret_cast<decltype(query)>(reinterpret_cast<void*>(GetProcAddress(_dll, "VerQueryValueA")));
    }
    ~VersionApi() {
        if (_dll) FreeLibrary(_dll);
    }
    VersionApi(const VersionApi&) = delete;
    VersionApi& operator=(const VersionApi&) = delete;
    bool Usable() const { return size && info && query; }

    DWORD(WINAPI* size)(LPCSTR, LPDWORD) = nullptr;
    BOOL(WINAPI* info)(LPCSTR, DWORD, DWORD, LPVOID) = nullptr;
    BOOL(WINAPI* query)(LPCVOID, LPCSTR, LPVOID*, PUINT) = nullptr;

private:
    HMODULE _dll;
};

}  // namespace

const char* DosBoxFlavourName(DosBoxFlavour flavour) {
    switch (flavour) {
        case DosBoxFlavour::DosBoxX: return "DOSBox-X";
        case DosBoxFlavour::Staging: return "DOSBox Staging";
        case DosBoxFlavour::Dosbox074: break;
    }
    return "DOSBox 0.74";
}

bool FlavourOfVersionTexts(const std::vector<std::string>& texts, DosBoxFlavour& flavour) {
    std::string all;
    for (const auto& text : texts) all += LowerAscii(text) + "|";
    if (!Has(all, "dosbox")) return false;
    flavour = Has(all, "staging")    ? DosBoxFlavour::Staging
              : Has(all, "dosbox-x") ? DosBoxFlavour::DosBoxX
                                     : DosBoxFlavour::Dosbox074;
    return true;
}

bool FlavourOfFileName(const std::string& path, DosBoxFlavour& flavour) {
    const std::string lower = LowerAscii(path);
    const std::string file = LastStep(lower), folder = LastStep(lower.substr(0, lower.size() - file.size()));
    if (file.compare(0, 8, "dosbox-x") == 0 || Has(folder, "dosbox-x"))
        flavour = DosBoxFlavour::DosBoxX;
    else if (Has(file, "staging") || Has(folder, "staging"))
        flavour = DosBoxFlavour::Staging;
    else if (file.compare(0, 6, "dosbox") == 0)
        flavour = DosBoxFlavour::Dosbox074;
    else
        return false;
    return true;
}

std::vector<std::string> VersionTexts(const std::string& program) {
    std::vector<std::string> texts;
    if (!IsWindowsProgram(program)) return texts;
    VersionApi api;
    DWORD ignored = 0;
    const DWORD size = api.Usable() ? api.size(program.c_str(), &ignored) : 0;
    if (size == 0) return texts;
    std::vector<char> block(size);
    if (!api.info(program.c_str(), 0, size, block.data())) return texts;
    // The languages it names, then the usual US English ones (Unicode and 1252).
    std::vector<DWORD> languages;
    void* table = nullptr;
    UINT bytes = 0;
    if (api.query(block.data(), "\\VarFileInfo\\Translation", &table, &bytes) && table)
        for (UINT i = 0; i + 4 <= bytes; i += 4) {
            const auto* pair = static_cast<const WORD*>(table) + i / 2;
            languages.push_back(static_cast<DWORD>(pair[0]) << 16 | pair[1]);
        }
    languages.push_back(0x040904B0);
    languages.push_back(0x040904E4);
    for (DWORD language : languages)
        for (const char* name : {"ProductName", "FileDescription", "InternalName", "CompanyName"}) {
            void* value = nullptr;
            UINT length = 0;
            const std::string key = Format("\\StringFileInfo\\%08lX\\%s", static_cast<unsigned long>(language), name);
            if (api.query(block.data(), key.c_str(), &value, &length) && value && length)
                texts.emplace_back(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), length));
        }
    return texts;
}

DosBoxIdentity IdentifyDosBox(const std::string& program) {
    DosBoxIdentity identity;
    if (FlavourOfVersionTexts(VersionTexts(program), identity.flavour))
        identity.source = FlavourSource::VersionResource;
    else if (FlavourOfFileName(program, identity.flavour))
        identity.source = FlavourSource::FileName;
    else
        identity.flavour = DosBoxFlavour::Dosbox074;
    return identity;
}
