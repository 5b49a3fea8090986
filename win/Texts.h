// Names and message helpers shared by every window of the program.
#pragma once
#include "data/Strings.h"
#include <string>

constexpr char kAppName[] = "Quillon Loader";
constexpr char kAppTitle[] = "Quillon Loader 0.8c";  // caption of the main window
constexpr char kExeName[] = "Quillon.exe";

// The English or the Spanish text, by the Spanish messages flag.
inline const char* Tr(bool spanish, const char* english, const char* spanishText) {
    return spanish ? spanishText : english;
}
