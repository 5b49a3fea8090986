// Names and texts shared by every window of the program: the language of the
// messages, held once, and the table of the texts that have a Spanish variant.
// Texts that are English only stay where they are used.
#pragma once
#include "data/Strings.h"
#include <string>

constexpr char kAppName[] = "Quillon Loader";
constexpr char kAppTitle[] = "Quillon Loader 0.8c";  // caption of the main window
constexpr char kExeName[] = "Quillon.exe";

enum class Language { English, Spanish };

// The language of the messages: set at start-up from the "Language" setting,
// English until then.
void SetLanguage(Language language);
Language CurrentLanguage();

// The texts that have a Spanish variant. A "%s" or "%d" is filled by the caller
// with Format; a Spanish variant may leave out what its English one names.
enum class TextId {
    // Start-up and the game list.
    RegistryError,
    NoProgramFolder,
    VdmsIniMissing,
    DataIniFailed,
    ColumnGame,
    ColumnPublisher,
    ColumnCategory,
    ColumnSettings,
    TooManyGames,  // the count found, the limit
    GameCountOne,  // the caption: the program's title, the count
    GameCountMany,
    // Running a game and its setup program.
    NoGameSelected,
    SelectGamePath,
    SelectGamePathForSetup,
    SelectGameFile,
    ExecutablesFilter,
    SelectSetupFile,
    CouldNotExecuteGame,   // the full path of the program
    CouldNotExecuteSetup,  // the full path of the setup program
    LoaderBatchFailed,
    CouldNotOpen,       // the program, or the full path of the program started through VDMSound
    CouldNotOpenSetup,  // a setup program started directly; the Spanish variant names no file
    NotConfigured,
    CannotFindFolder,  // the folder
    // The menu and the details bar.
    SelectGameFirst,
    ConfirmDelete,  // the game's title
    ConfirmDeleteCaption,
    DeleteFailed,  // the game file's path
    GamesFolderFailed,
    AuthorWebFailed,
    DataIniNotOpened,
    VdmSoundMissing,         // VDMSound's web address; Settings and Help
    VdmSoundMissingForEdit,  // the same for Edit VDMS.INI, whose Spanish variant breaks its lines elsewhere
    VdmsIniNotOpened,        // VDMSound's folder
    VdmHelpNotOpened,        // VDMSound's folder; the Spanish variant names none
    VdmSoundWebFailed,
    WebSiteFailed,
    SelectGameProgram,
    // Pictures.
    PictureNotLoaded,  // the picture's path
    PictureUnreadable,
    PictureTooLarge,  // the limit in MiB
    PictureNotBitmap,
    Count
};

// The text in the language of the messages, or in the one given.
const char* Tr(TextId id);
const char* Tr(TextId id, Language language);
