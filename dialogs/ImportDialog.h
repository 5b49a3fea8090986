// The Loader.ini import dialog: shows the sections of an old catalogue, lets
// the user mark them and converts the marked ones into game files.
#pragma once
#include "widgets/SkinnedDialog.h"
#include "win/ListView.h"
#include <string>

// At start-up the dialog works on the program folder's Loader.ini and renames
// it after the conversion; from the menu it works on any INI file.
enum class ImportMode { Startup = 0, Menu = 1 };

class ImportDialog final : public SkinnedDialog {
public:
    // Row images, from the game list's image list.
    static constexpr int kMarked = 3;
    static constexpr int kUnmarked = 4;
    static constexpr int kConverted = 5;
    static constexpr int kNotConverted = 6;

    // Out: the counts of the last conversion, and whether Loader.ini was renamed.
    int converted = 0;
    int failed = 0;
    int existing = 0;
    bool renamed = false;

    // |programFolder| has no trailing separator.
    ImportDialog(std::string programFolder, ImportMode mode);
    ~ImportDialog() override;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    void OnDestroy() override;

    void LoadList();
    void Convert();
    void RetireCatalogue();
    void Browse();
    void ToggleMark(int row);
    void ShowSelectedCount();
    void ShowStatus(const std::string& text);
    int RowAt(DWORD screenPos) const;

    std::string _programFolder;
    ImportMode _mode;
    win::ListView _list;
    bool _loaded = true;  // the main button means Convert; false: Reset
    bool _fileExists = false;
    int _unread = 0;
};

struct LoaderIniOutcome {
    int converted = 0;
    bool renamed = false;
};

// Runs the dialog through the user-interface seam.
LoaderIniOutcome AskImportLoaderIni(HWND owner, const std::string& programFolder, ImportMode mode);
