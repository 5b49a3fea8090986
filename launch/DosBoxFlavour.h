// Which DOSBox a program is: DOSBox 0.74 (and the builds that keep its names),
// DOSBox-X or DOSBox Staging. Each reads settings of its own names, so the
// launch writes each the names it knows; a program that cannot be told apart
// gets the 0.74 names, which every flavour reads (with warnings at worst).
#pragma once
#include <string>
#include <vector>

enum class DosBoxFlavour { Dosbox074, DosBoxX, Staging };

// How the flavour was told: from the program's version resource, from its file
// and folder name, or not at all (then Dosbox074).
enum class FlavourSource { VersionResource, FileName, Unrecognised };

struct DosBoxIdentity {
    DosBoxFlavour flavour = DosBoxFlavour::Dosbox074;
    FlavourSource source = FlavourSource::Unrecognised;
};

// The flavour's name as the player knows it: "DOSBox 0.74", "DOSBox-X", "DOSBox Staging".
const char* DosBoxFlavourName(DosBoxFlavour flavour);

// From the texts of a version resource (ProductName, FileDescription,
// InternalName, CompanyName), in any case: "staging" anywhere is DOSBox Staging
// ("DOSBox Staging", "dosbox-staging"); "dosbox-x" is DOSBox-X ("DOSBox-X DOS
// Emulator"); any other "dosbox" is 0.74 ("DOSBox DOS Emulator", as 0.74 to
// 0.74-3 say). False when no text names DOSBox.
bool FlavourOfVersionTexts(const std::vector<std::string>& texts, DosBoxFlavour& flavour);

// From a path: a file named "dosbox-x..." or a folder named "...dosbox-x..." is
// DOSBox-X; a file or folder named "...staging..." is DOSBox Staging (its
// program is "dosbox.exe"); a file named "dosbox..." is 0.74. False otherwise.
bool FlavourOfFileName(const std::string& path, DosBoxFlavour& flavour);

// The strings of a Windows program's version resource (read with version.dll,
// which Windows 95 and NT 4 have, looked up at run time): ProductName,
// FileDescription, InternalName and CompanyName in each of its languages.
// Empty for a file that is no Windows program or has no such resource.
std::vector<std::string> VersionTexts(const std::string& program);

// The version resource first, then the file name.
DosBoxIdentity IdentifyDosBox(const std::string& program);
