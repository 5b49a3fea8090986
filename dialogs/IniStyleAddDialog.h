// The INI-style add-games dialog: game entries typed in the Loader.ini layout
// become game files, one per section, with their pictures from a chosen folder.
#pragma once
#include "data/LoaderIni.h"
#include "widgets/SkinnedDialog.h"
#include <string>

class IniStyleAddDialog final : public SkinnedDialog {
public:
    static constexpr int kTextLimit = 2048;
    // What the text box starts with; typing replaces the blanks between the brackets.
    static constexpr char kEntryTemplate[] =
        "[  ] ;Game Name\r\nPublisher=\r\nCategory=\r\nPath=\r\nPicture=\r\nCommand=\r\nVDMSound=1\r\n";

    // Out: the games added by all Adds together.
    int added = 0;

    // |programFolder| has no trailing separator; |gameList| is told of each
    // Add: it is emptied first and then gets each new game.
    IniStyleAddDialog(std::string programFolder, BatchListener& gameList);

    // "%s\_temp_.ini": the typed text goes there for each Add.
    std::string TempFilePath() const;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;

    void PutTemplate();
    void SetFolder();
    void Add();

    std::string _programFolder;
    BatchListener& _gameList;
};

// Runs the dialog through the user-interface seam and returns the number of
// games added. However it is closed, the caller's game list has been emptied
// if anything was added and must be filled again.
int AskAddGamesIniStyle(HWND owner, const std::string& programFolder, BatchListener& gameList);
