// A game as another launcher's library or a DOSBox configuration describes it:
// plain values as they were found, before any rule of our game files applies
// (import/ImportToRecord makes a game record of one).
#pragma once
#include "data/GameExtras.h"
#include "data/GameFile.h"
#include "data/GameFolder.h"
#include <string>
#include <vector>

// How a path was written: the Windows way ("C:\GAMES\KEEN", "\\server\games")
// or the host's own, as DOSBox on Linux or macOS writes it ("/home/ann/dos",
// "~/dos"). The text is kept as written, a relative path made full.
enum class PathStyle { Windows, Host };
struct ImportedPath {
    std::string text;
    PathStyle style = PathStyle::Windows;
};

// CdRomKind: data/GameExtras.h (none, a drive, image files).
struct ImportedCdRom {
    CdRomKind kind = CdRomKind::None;
    char letter = 0;                   // the DOS drive it was mounted as
    ImportedPath drive;                // Drive: what was mounted ("D:\", "/media/cdrom")
    std::vector<ImportedPath> images;  // Images: the image files, in order
};

// The DOSBox settings that map to the game's device choices and its DOSBox
// configuration, as written; empty when not given.
struct DosBoxValues {
    std::string sbtype, sbbase, irq, dma, hdma;  // [sblaster]
    std::string gus;                             // [gus] gus
    std::string mpu401, mididevice;              // [midi]
    std::string machine;                         // [dosbox]
    std::string cycles;                          // [cpu]
};

enum class ImportNoteKind {
    // The game is not converted:
    CannotRead,      // the file (detail) cannot be read
    TooLarge,        // the file (detail) is larger than an import reads
    NoFolder,        // no folder for the game: the program's drive (detail) mounts none
    HostPath,        // a host path (detail) that this Windows cannot reach
    UnusableFolder,  // the folder (detail) holds a control character
    NoName,          // the title gives no game file name
    // The game is converted without something:
    NoProgram,               // no program is started: the game has no Command
    ProgramNotDosName,       // the program (detail) has no 8.3 name inside the folder
    ParametersNotKept,       // the parameters (detail) are too long or hold command syntax
    SetupNotKept,            // the setup program (detail) is outside the folder or has no 8.3 name
    SetupOverParameters,     // the setup program (detail) gave way to the parameters
    DevicesNotInEffect,      // the device choices wait for parameter sets: Setup names the setup program (detail)
    SetupParametersNotKept,  // detail: the setup program's parameters
    ValueNotChosen,          // a DOSBox value ("sblaster.sbtype=gb") no device choice gives
    PictureNotTaken,         // the picture (detail) did not pass the picture check
    ConfigNotRead,           // the game's own configuration (detail) in the export cannot be read
    FolderMissing,           // the folder (detail) does not exist
    CdRomNotKept,            // the CD-ROM (detail: what was mounted) is neither a CD drive nor .iso/.cue images
    ExtraLineRefused,        // the DOSBox line (detail) is not one a game keeps (CheckExtraLine)
    NoRoomForLines,          // no room in the record for the DOSBox lines (detail, separated by ", ")
};
// True for the kinds that keep the game from being converted.
bool StopsImport(ImportNoteKind kind);

struct ImportNote {
    ImportNoteKind kind = ImportNoteKind::CannotRead;
    std::string detail;
    PictureFileStatus picture = PictureFileStatus::Ok;  // PictureNotTaken: why
};

struct ImportedGame {
    std::string source;  // the file it came from (for an export: the export)
    std::string title, publisher, developer, year, genre, notes;
    ImportedPath folder;     // the game's folder
    std::string command;     // the program within the folder, as DOS names it ("KEEN4E.EXE", "BIN\GAME")
    std::string parameters;  // the program line's parameters
    ImportedPath setup;      // the setup program's full path; empty: none
    std::string setupParameters;
    std::vector<char> picture;  // bytes that passed the picture check; empty: none
    ImportedCdRom cdRom;
    DosBoxValues dosBox;
    std::vector<std::string> extraLines;  // every other setting, "section.key=value"
    std::vector<std::string> unmapped;    // autoexec lines (and mounts) that were not understood, as written
    std::vector<ImportNote> importNotes;  // what went wrong, in order

    void Note(ImportNoteKind kind, const std::string& detail = {}) { importNotes.push_back({kind, detail}); }
    bool Stopped() const;
};

// What a source gave: its games, or why there are none.
enum class SourceStatus {
    Ok,
    NotFound,     // no such file or folder
    Empty,        // nothing to import in it
    Damaged,      // the export or its list of profiles is damaged
    Unsupported,  // a kind of zip archive or XML that is not read
    TooLarge,     // larger than an import reads
};
struct ImportSource {
    SourceStatus status = SourceStatus::NotFound;
    std::vector<ImportedGame> games;
    int unread = 0;  // games beyond kMaxImportGames
};

// The most games one import reads: the largest library the program lists.
constexpr size_t kMaxImportGames = kMostMaxGames;
