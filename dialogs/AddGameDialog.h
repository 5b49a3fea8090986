// The add-game dialog: collects a new game's fields, writes its game file into
// the Games folder and embeds its preview picture.
#pragma once
#include "data/IniFile.h"
#include "widgets/SkinnedDialog.h"
#include <string>

class AddGameDialog final : public SkinnedDialog {
public:
    // A game file path longer than this is refused: saving a game later puts a
    // ".new" and an ".old" file beside it, and those must fit in MAX_PATH too.
    static constexpr size_t kMaxGamePath = MAX_PATH - 1 - 4;

    // Out, after OK: the title as entered, and whether the game's folder held
    // no setup program (also true when no folder was given).
    std::string title;
    bool noSetup = true;

    // |programFolder| has no trailing separator; |dataIni| is the accessor of
    // Data.ini that fills the publisher and category lists.
    AddGameDialog(std::string programFolder, const IniFile& dataIni);
    ~AddGameDialog() override;

    // "%s\Games\%s.qgf" for a title.
    std::string GameFilePath(const std::string& gameTitle) const;

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
    void ReleaseImages();
    bool AcceptTitle(const std::string& gameTitle);
    bool WriteGameFile(const std::string& gamePath, const std::string& setup);
    std::string PictureSource(const std::string& field) const;

    std::string _programFolder;
    const IniFile& _dataIni;
    HICON _browseIcon = nullptr;
    HBITMAP _preview = nullptr;  // the picture we put into the preview, ours to delete
    std::string _chosenPicture;  // full path of the picture last picked with the browser
};
