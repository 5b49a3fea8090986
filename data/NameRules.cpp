// Names that stay inside their folder, device names and batch syntax.
#include "data/NameRules.h"
#include "data/Strings.h"
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
    return HasControlCharacter(text) || text.find_first_of("&|<>^%\";,=") != std::string::npos;
}
