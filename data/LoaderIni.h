// The old Loader.ini catalogue: one INI section per game, turned into game
// files in the Games folder. Window-free: results come back as values.
#pragma once
#include "data/GameFolder.h"
#include "data/GameRecord.h"
#include "data/IniFile.h"
#include <string>
#include <vector>

constexpr char kLoaderIniName[] = "Loader.ini";
constexpr char kRetiredLoaderIniName[] = "Loader07.ini";
constexpr size_t kMaxCatalogueSections = IniFile::kMaxSections;

// A "name, parameter" device value: the name before the first comma as it is,
// the parameter after it without its leading blanks. Without a comma it is all
// name; a value shorter than two characters gives nothing.
struct DeviceValue {
    std::string name;
    std::string parameter;
};
DeviceValue SplitDeviceValue(const std::string& value);

// Selected display number of a display name in any case: VESA 1, VGA 2, MCGA 3,
// EGA 4, CGA 5, TANDY 6; -1 for anything else.
int DisplayNumber(const std::string& name);

// Sets every field that the keys of |section| reach; the other fields keep
// what |record| holds. Values are cut to their fields. An absent or empty
// SelectedSound or SelectedMusic leaves that selection at none (-1).
void ApplyLoaderSection(const IniFile& ini, const std::string& section, GameRecord& record);

// The import dialog's game file name for a section: every '*' and ':' becomes '-'.
std::string ImportFileName(const std::string& section);
// The folder of an INI file followed by "\Images\".
std::string ImagesFolderOf(const std::string& iniPath);

// What became of a section's Picture value when its game was written: None
// when there was none or it was taken, otherwise why it was not taken.
enum class PictureNote { None, OutsideImages, DeviceName, CannotRead, TooLarge, NotABitmap };

// Why a Picture value cannot name a file inside the images folder (a drive, a
// root, a ".." step: OutsideImages; a device in any step: DeviceName; wildcards
// and other names no file has: CannotRead); None for a usable or empty value.
PictureNote CheckPictureValue(const std::string& value);
// The picture file named by a Picture value inside |imagesFolder|; empty when
// the value is empty or CheckPictureValue refuses it.
std::string PicturePathFor(const std::string& imagesFolder, const std::string& value);

// OtherFile: the name is the short (8.3) name of another game file, which is
// kept as it is whatever |overwrite| says.
enum class SectionOutcome { Converted, Exists, OtherFile, Refused, Failed };
struct SectionResult {
    SectionOutcome outcome = SectionOutcome::Failed;
    PictureNote picture = PictureNote::None;  // Converted: why the picture was not taken
    std::string otherFile;                    // OtherFile: the long name of that game file
};

// Writes the game file |fileName|.qgf for one section: a blank record with the
// section's keys applied, and the picture named by its Picture key when that
// file passes ReadPictureFile. An existing game file is kept unless |overwrite|
// and its own long name is |fileName|.qgf; when it is replaced, the new content
// takes its place only when complete.
SectionResult ConvertSectionToGame(const IniFile& ini, const std::string& section, const std::string& fileName,
                                   const std::string& programFolder, const std::string& imagesFolder, bool overwrite);

// A game that the player should hear about after a conversion: its picture
// was not taken, or its name is the short name of another game file.
struct GameNote {
    std::string name;  // the section
    SectionResult result;
};

// The section names of the accessor's INI file, as far as it reads them (at
// most 260), and how many more sections the file holds that it could not read.
struct CatalogueSections {
    bool opened = false;
    std::vector<std::string> names;
    int unread = 0;
};
CatalogueSections ReadCatalogueSections(IniFile& ini);

// Told about the batch conversion's progress; every call has a default that does nothing.
class BatchListener {
public:
    virtual ~BatchListener() = default;
    // The INI file opened: the games shown so far go.
    virtual void ListCleared() {}
    virtual void ProgressRange(int /*maximum*/) {}
    virtual void Progress(int /*position*/) {}
    // A game file was written; |fileName| is "<name>.qgf".
    virtual void GameAdded(const std::string& /*fileName*/) {}
};

enum class BatchStatus { Done, CannotOpen, NoSections };
struct BatchResult {
    BatchStatus status = BatchStatus::Done;
    int added = 0;
    int existing = 0;             // skipped: the game file was there already
    int refused = 0;              // skipped: the section name cannot name a game file
    int failed = 0;               // skipped: the game file could not be written
    int unread = 0;               // sections beyond what the accessor reads
    std::vector<GameNote> notes;  // pictures not taken, names of other game files (counted as existing)
};

// Converts every section of |iniPath| under its own name, never overwriting.
// |imagesFolder| holds the pictures (a trailing separator is optional).
BatchResult ConvertCatalogue(const std::string& iniPath, const std::string& imagesFolder,
                             const std::string& programFolder, BatchListener& listener);

// Gives Loader.ini in the program folder the name Loader07.ini; false when it
// cannot (for one, when Loader07.ini exists).
bool RetireLoaderIni(const std::string& programFolder);
