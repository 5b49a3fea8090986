// The rules for names and texts that come from a stranger (a game file, a
// catalogue, a command line) and are about to name a file, reach the shell or
// reach a batch file. Every check of that kind in the program uses these.
#pragma once
#include <string>

// True when the last part of |path| names a DOS device (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, CLOCK$, CONIN$, CONOUT$), with or without an
// extension: Windows opens the device instead of a file of that name, and a
// read may never end.
bool IsDosDeviceName(const std::string& path);

// True when some step of |path| (between \ or /) names a device.
bool HasDeviceStep(const std::string& path);

// True when some step of |path| is made of dots and blanks only ("..", ".. ",
// "...", "."): Windows drops trailing dots and blanks, so such a step names the
// folder above or the folder itself.
bool HasDotStep(const std::string& path);

// True when |path| names a place of its own: a drive ("C:", also a ':' anywhere,
// which would name a stream), or a leading \ or / (root, UNC).
bool HasDriveOrRoot(const std::string& path);

// True for a name that stays inside the folder it is joined to: not empty, no
// control character, none of * ? " < > |, no drive, no root, no empty step, no
// dot step and no device in any step. Subfolders ("SUB\SETUP.EXE") are fine.
bool IsNameInsideFolder(const std::string& name);

// IsNameInsideFolder without any folder step: one plain file name.
bool IsPlainFileName(const std::string& name);

// True when |text| holds what a batch file or the command interpreter would
// read as syntax: a control character or one of & | < > ^ % " ; , =
// (";", "," and "=" split the arguments of "Call %1"). For a text that a batch
// takes as a program's name or as an argument of its own.
bool HasBatchSyntax(const std::string& text);

// True unless |program| ends in ".exe" or ".com": the shell hands a batch file
// (and a PIF or any other kind of file) to a command interpreter, which then
// reads the program's name and its arguments.
bool ReachesCommandInterpreter(const std::string& program);

// |text| as one word of a batch line: in double quotes when it holds a blank,
// otherwise as it is. The text must be free of batch syntax.
std::string BatchWord(const std::string& text);

// A web address that the shell may open: http, https or ftp; a bare host name
// ("www.example.com") gets "http://". Anything else (a file, a program, another
// scheme) and any address holding a blank, a control character, a double quote
// or < > is refused: a browser's command line would split it into options.
bool ToWebAddress(const std::string& text, std::string& address);

// True for a control character (below 32, or 127) anywhere in |text|.
bool HasControlCharacter(const std::string& text);

// True when |text| holds what a DOS command line acts on beyond its arguments:
// a control character (a new line) or one of & | < > ^ % " (chaining,
// redirection, variables, quoting). ";", "," and "=" only separate arguments:
// after the program on a batch line ("@GAME.EXE /sb:220,5,1") they reach the
// program untouched.
bool HasCommandSyntax(const std::string& text);

// HasCommandSyntax for DOSBox's [autoexec]: a control character (a new line
// would add a line, or a section) or one of | < > % " (pipes, redirection,
// batch variables, the quotes around a mounted path). DOSBox's own shell, in
// every flavour, has no & or ^ (a folder "Tom & Jerry^2" mounts and runs), so
// those are plain characters there; they stay refused where a text reaches a
// Windows batch file.
bool HasDosBoxSyntax(const std::string& text);

// True for one step of a DOS path: a name of one to eight characters with an
// optional extension of one to three, of the characters DOS allows (no blank,
// none of " * + , / : ; < = > ? [ \ ] |, no control character).
bool IsDosName(const std::string& step);
