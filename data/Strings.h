// Small text helpers shared by the core and the windows.
#pragma once
#include <string>

// printf-style formatting into a string: never overruns, however long the values.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Compare without regard to case, byte by byte after folding each letter as
// Windows does in the ANSI code page (code page 1252 letters included), so
// that they agree with how file names and INI keys are matched.
bool EqualNoCase(const std::string& a, const std::string& b);
bool LessNoCase(const std::string& a, const std::string& b);

// |text| of code page 1252 as UTF-8. The five bytes that code page 1252 leaves
// unassigned (\x81 \x8D \x8F \x90 \x9D) become the control characters of the
// same number, as Windows converts them.
std::string Cp1252ToUtf8(const std::string& text);
