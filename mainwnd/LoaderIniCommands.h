// The main window's ways into the old catalogue: the start-up offer to import
// Loader.ini, and the Game List menu's "Import Loader.ini" and "Add new games
// (INI style)".
#pragma once

class MainWindow;

// Start-up, before the game list is filled: when the program folder holds a
// Loader.ini, asks whether to import it and, on Yes, runs the import dialog in
// its start-up mode (which renames the file to Loader07.ini after converting).
void OfferLoaderIniImport(MainWindow& window);

// "Import Loader.ini": the import dialog in its menu mode, then the list is refreshed.
void ImportLoaderIni(MainWindow& window);

// "Add new games (INI style)": the dialog adds each new game to the list as
// it goes; however the dialog is closed, the list is filled again afterwards.
void AddGamesIniStyle(MainWindow& window);
