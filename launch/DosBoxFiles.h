// The configuration files of DOSBox launches: one per launch, in a temporary
// folder of the program's own (never the game's folder, which may be on a CD or
// read-only), the older ones removed as new ones come.
#pragma once
#include <string>

constexpr int kKeptDosBoxConfigs = 8;  // a DOSBox started eight launches ago has read its file long since

// "<the Windows temporary folder>\Quillon Loader\DOSBox".
std::string DosBoxConfigFolder();

// Writes |text| as "<folder>\launch<n>.conf", n one more than the highest
// number there, making the folder (and the one above it) when missing; then
// removes the launch files beyond the newest kKeptDosBoxConfigs. The file's
// path, or empty when it cannot be written.
std::string WriteDosBoxConfig(const std::string& folder, const std::string& text);
