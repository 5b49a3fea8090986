// Formatting and comparing texts.
#include "data/Strings.h"
#include <windows.h>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        vsnprintf(buf.data(), buf.size(), format, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

namespace {

// Each character in lower case as Windows folds it in the ANSI code page
// (code page 1252: \xC0-\xDE and the letters of \x8A-\x9F too).
unsigned char Lower(char c) {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (size_t i = 0; i < t.size(); ++i) t[i] = static_cast<unsigned char>(i);
        CharLowerBuffA(reinterpret_cast<char*>(&t[1]), 255);  // byte 0 stays the end
        return t;
    }();
    return table[static_cast<unsigned char>(c)];
}

// Below 0, 0 or above 0 as |a| sorts before, with or after |b|, letters folded.
int CompareNoCase(const std::string& a, const std::string& b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
        if (Lower(a[i]) != Lower(b[i])) return Lower(a[i]) < Lower(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool LessNoCase(const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; }

std::string Cp1252ToUtf8(const std::string& text) {
    // \x80 to \x9F; the rest of the code page is Latin-1, whose bytes are their code points.
    static const unsigned short kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    for (unsigned char c : text) {
        const unsigned point = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}
