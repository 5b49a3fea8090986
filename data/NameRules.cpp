// Names that stay inside their folder, device names and batch syntax.
#include "data/NameRules.h"
#include "data/Strings.h"
#include <windows.h>
#include <cstring>
#include <vector>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The steps of a path between separators; empty steps included.
std::vector<std::string> Steps(const std::string& path) {
    std::vector<std::string> steps;
    size_t start = 0;
    for (;;) {
        size_t end = path.find_first_of("\\/", start);
        steps.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return steps;
        start = end + 1;
    }
}

bool IsDotStepText(const std::string& step) {
    return !step.empty() && step.find_first_not_of(". ") == std::string::npos && step.find('.') != std::string::npos;
}

}  // namespace

bool IsDosDeviceName(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    // Windows looks only at the part before the first dot, blanks at its end ignored.
    base = base.substr(0, base.find('.'));
    while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (EqualNoCase(base, device)) return true;
    // COM1-COM9 and LPT1-LPT9; newer Windows also takes the superscript digits.
    if (base.size() == 4 && (EqualNoCase(base.substr(0, 3), "COM") || EqualNoCase(base.substr(0, 3), "LPT"))) {
        const unsigned char digit = static_cast<unsigned char>(base[3]);
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

bool HasDeviceStep(const std::string& path) {
    for (const std::string& step : Steps(path))
        if (IsDosDeviceName(step)) return true;
    return false;
}

bool HasDotStep(const std::string& path) {
    for (const std::string& step : Steps(path))
        if (IsDotStepText(step)) return true;
    return false;
}

bool HasDriveOrRoot(const std::string& path) {
    return path.find(':') != std::string::npos || (!path.empty() && IsSeparator(path[0]));
}

bool HasControlCharacter(const std::string& text) {
    for (unsigned char c : text)
        if (c < 32 || c == 127) return true;
    return false;
}

bool IsNameInsideFolder(const std::string& name) {
    if (name.empty() || HasControlCharacter(name) || name.find_first_of("*?\"<>|") != std::string::npos) return false;
    if (HasDriveOrRoot(name)) return false;
    for (const std::string& step : Steps(name)) {
        if (step.empty() || IsDotStepText(step) || IsDosDeviceName(step)) return false;
        // "SUB \X" or "X." would be read as another name than the one shown.
        if (step.back() == ' ' || step.back() == '.') return false;
    }
    return true;
}

bool IsPlainFileName(const std::string& name) {
    return IsNameInsideFolder(name) && name.find_first_of("\\/") == std::string::npos;
}

bool HasBatchSyntax(const std::string& text) {
    return HasCommandSyntax(text) || text.find_first_of(";,=") != std::string::npos;
}

bool ReachesCommandInterpreter(const std::string& program) {
    if (program.size() < 4) return true;
    const std::string extension = program.substr(program.size() - 4);
    return !EqualNoCase(extension, ".exe") && !EqualNoCase(extension, ".com");
}

std::string BatchWord(const std::string& text) {
    return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
}

bool ToWebAddress(const std::string& text, std::string& address) {
    if (text.empty() || HasControlCharacter(text) || text.find_first_of(" \"<>") != std::string::npos) return false;
    for (const char* scheme : {"http://", "https://", "ftp://"}) {
        const size_t n = std::strlen(scheme);
        if (text.size() > n && EqualNoCase(text.substr(0, n), scheme)) {
            address = text;
            return true;
        }
    }
    // A bare host name: no scheme, drive, folder or share of its own.
    if (text.find_first_of(":\\") != std::string::npos || text.find('.') == std::string::npos) return false;
    address = "http://" + text;
    return true;
}

bool HasDosBoxSyntax(const std::string& text) {
    return HasControlCharacter(text) || text.find_first_of("|<>%\"") != std::string::npos;
}

bool HasCommandSyntax(const std::string& text) {
    return HasDosBoxSyntax(text) || text.find_first_of("&^") != std::string::npos;
}

bool IsDosName(const std::string& step) {
    if (HasControlCharacter(step) || step.find_first_of(" \"*+,/:;<=>?[\\]|") != std::string::npos) return false;
    const size_t dot = step.find('.');
    const std::string name = step.substr(0, dot);
    if (name.empty() || name.size() > 8) return false;
    if (dot == std::string::npos) return true;
    const std::string extension = step.substr(dot + 1);
    return !extension.empty() && extension.size() <= 3 && extension.find('.') == std::string::npos;
}
