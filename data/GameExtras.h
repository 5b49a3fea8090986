// What a game keeps for DOSBox beyond its Run with choice: its own DOSBox
// program, its CD-ROM and the player's own DOSBox lines. They live in the
// record's reserved area (756 bytes from offset 3644, right after the Run with
// tag and value) as a list of tagged entries:
//
//   tag     4 bytes, letters, digits or '_' ("DBOX")
//   length  2 bytes, unsigned, little-endian: the number of bytes that follow
//   bytes   |length| bytes
//
// The list ends at a tag of four zero bytes, or where fewer than four bytes of
// the area are left. Entries of ours:
//   "DBOX"  the game's DOSBox program: a path of 1 to 259 characters
//   "CDRM"  its CD-ROM: 'D' and a drive letter A-Z, or 'I' and one or more
//           .iso/.cue image paths separated by '\n' (several for a game on
//           more than one disc, in disc order)
//   "DBXL"  the player's DOSBox lines, separated by '\n' (CheckExtraLine)
// Texts never hold a NUL or another control character. An older file, or a
// game without any of them, keeps the area zero.
#pragma once
#include "data/DosBoxExtraLine.h"
#include "data/GameRecord.h"
#include <string>
#include <vector>

enum class CdRomKind { None, Drive, Images };

struct CdRom {
    CdRomKind kind = CdRomKind::None;
    char drive = 0;                   // 'A' to 'Z' for Drive (mounted -t cdrom)
    std::vector<std::string> images;  // for Images: .iso or .cue files, first disc first
    bool operator==(const CdRom& o) const { return kind == o.kind && drive == o.drive && images == o.images; }
};

struct GameExtras {
    std::string dosBoxProgram;  // empty: the DOSBox of the preferences
    CdRom cdRom;
    std::vector<std::string> extraLines;  // "section.key=value", in the order written
    bool operator==(const GameExtras& o) const {
        return dosBoxProgram == o.dosBoxProgram && cdRom == o.cdRom && extraLines == o.extraLines;
    }
};

enum class ExtrasStatus {
    Ok,
    Refused,  // an entry of ours held a value the rules refuse: that value was left out
    Damaged,  // an entry's tag or length does not fit the area: the list was read up to it
};

struct ExtrasRead {
    GameExtras extras;
    ExtrasStatus status = ExtrasStatus::Ok;
    size_t at = 0;  // offset in the area of the damaged entry, or of the first refused one
};

// The entries of ours in the record's area. The first entry of each tag counts;
// entries of other tags are passed over. An extra line that fails
// CheckExtraLine is left out (Refused) and the others are kept.
ExtrasRead ReadGameExtras(const GameRecord& game);

enum class ExtrasProblem {
    None,
    Damaged,    // the area's list is damaged: see CutDamagedExtras
    TooLarge,   // the entries need more than the area's 756 bytes
    Program,    // the DOSBox program: a control character, or longer than 259 characters
    CdDrive,    // not a letter A-Z
    CdImage,    // an image that is empty, too long, holds a control character or is no .iso/.cue
    ExtraLine,  // a line that fails CheckExtraLine
};

struct ExtrasWrite {
    ExtrasProblem problem = ExtrasProblem::None;
    size_t index = 0;                          // which image or line, for CdImage and ExtraLine
    ExtraLinePart part = ExtraLinePart::None;  // for ExtraLine: which part of it
    size_t needed = 0;                         // for TooLarge: the bytes the entries need
};

// Stores |extras| in the record's area. Each entry of ours replaces the first
// entry of its tag where that stood, or is added after the others; entries of
// tags this program does not know stay as they were, in their place, and count
// against the room; a later entry of one of our tags, and an empty value, are
// dropped. The rest of the area becomes zeros, so a game without any entries
// keeps an area of zeros. On any problem the record is left as it was, and a
// damaged area is never written over (Damaged).
ExtrasWrite WriteGameExtras(GameRecord& game, const GameExtras& extras);

// Cuts a damaged list at its damage: the entries before it stay, the bytes from
// the damage on become zeros. False (nothing changed) when the list is whole.
// A caller asks the player first: what stood after the damage is lost.
bool CutDamagedExtras(GameRecord& game);
