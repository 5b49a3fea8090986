// The add-game dialog: collects a new game's fields, writes its game file into
// the Games folder and embeds its preview picture.
#pragma once
#include "data/IniFile.h"
#include "widgets/SkinnedDialog.h"
#include "win/GdiGuards.h"
#include <optional>
#include <string>

struct AddedGame {
    std::string title;    // as entered: the new game file's name
    bool noSetup = true;  // the game's folder held no setup program (or no folder was given)
};

class AddGameDialog final : public SkinnedDialog {
public:
    std::optional<AddedGame> added;  // out, after OK

    // |programFolder| has no trailing separator; |dataIni| fills the publisher
    // and category lists.
    AddGameDialog(std::string programFolder, const IniFile& dataIni);
    ~AddGameDialog() override;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    bool OnOK() override;
    void OnDestroy() override;

    void FillLists();
    void BrowsePicture();
    void BrowseFolder();
    void BrowseFile(int target, const char* filter, const char* dialogTitle);
    void ShowPreview(HBITMAP bitmap);
    bool AcceptTitle(const std::string& gameTitle);
    std::string PictureSource(const std::string& field) const;

    std::string _programFolder;
    const IniFile& _dataIni;
    win::GdiObject _preview;  // the picture we put into the preview
    std::string _chosenPicture;  // full path of the picture last picked with the browser
};

// Runs the dialog through the user-interface seam; nullopt when cancelled or
// when the game file could not be written.
std::optional<AddedGame> AskAddGame(HWND owner, const std::string& programFolder, const IniFile& dataIni);
