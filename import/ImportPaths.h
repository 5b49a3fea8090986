// Paths and files as other launchers and DOSBox write them: which kind a path
// is, relative paths made full, host paths reached through Wine, the words of
// a command line, and a stranger's text file read with a cap.
#pragma once
#include "import/ImportedGame.h"
#include <string>
#include <vector>

// Host for a path that starts with '/' or '~'; Windows for every other.
PathStyle StyleOf(const std::string& path);

// |path| made full: a relative Windows path is taken from |base| (a full
// Windows folder), a root without a drive gets |base|'s drive; "." and ".."
// steps are resolved in the text, separators made those of its kind.
ImportedPath FullPath(const std::string& path, const std::string& base);

// |path| followed by DOS steps ("GAMES\KEEN"), with the separator of its kind.
ImportedPath JoinSteps(const ImportedPath& path, const std::string& dosSteps);
// The folder part and the last step of a path (either separator).
ImportedPath ParentOf(const ImportedPath& path);
std::string LastStep(const std::string& path);

// The Windows path of |path|: a Windows path as it is; a host path ("~" is the
// HOME folder) through Wine's wine_get_dos_file_name, false where the program
// does not run under Wine.
bool WindowsPathOf(const ImportedPath& path, std::string& windows);

// The part of |path| below |folder| ("BIN\GAME.EXE"), both Windows paths,
// compared without regard to case; false when |path| is not below it.
bool RelativeTo(const std::string& folder, const std::string& path, std::string& relative);

// The words of a command line: blanks separate them, double quotes hold
// blanks together and go.
std::vector<std::string> SplitWords(const std::string& line);
// The text after the first word, blanks around it removed.
std::string AfterFirstWord(const std::string& line);
std::string TrimBlanks(const std::string& text);
std::string LowerCase(std::string text);

enum class TextFileStatus { Ok, CannotRead, TooLarge };
// A disk file (never a device) of at most |maxBytes|; a UTF-8 byte order mark
// makes it read as UTF-8 and turned into code page 1252.
TextFileStatus ReadTextFile(const std::string& path, size_t maxBytes, std::string& text);
// The note for a file that could not be read.
ImportNoteKind NoteOf(TextFileStatus status);

// The files of |folder| (not its subfolders) whose names end in |extension|
// (".conf"), sorted without regard to case; at most |maxFiles|, and how many
// more there were.
std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension, size_t maxFiles,
                                            int* more = nullptr);
