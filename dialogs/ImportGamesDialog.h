// The import of other launchers' libraries: the player picks DOSBox
// configuration files, a D-Fend Reloaded data folder or a DBGL export, sees
// the games found, unmarks the ones not wanted and converts the rest into game
// files; the summary says, game by game, what was not taken.
#pragma once
#include "import/ImportedGame.h"
#include "widgets/SkinnedDialog.h"
#include "win/ListView.h"
#include <string>
#include <vector>

// Where the games come from, in the order of the dialog's list.
enum class LibraryKind { DosBoxConfs = 0, DFendReloaded = 1, DbglExport = 2 };

class ImportGamesDialog final : public SkinnedDialog {
public:
    // Row images, from the game list's image list (as the Loader.ini import's).
    static constexpr int kMarked = 3;
    static constexpr int kUnmarked = 4;
    static constexpr int kConverted = 5;
    static constexpr int kNotConverted = 6;
    // The summary shown at most: an edit box of Windows 95 holds 64 KB.
    static constexpr size_t kSummaryChars = 60000;

    // Out: the games converted while the dialog was open.
    int converted = 0;

    // |programFolder| has no trailing separator.
    explicit ImportGamesDialog(std::string programFolder);
    ~ImportGamesDialog() override;

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    void OnDestroy() override;

    LibraryKind Kind() const;
    void ShowKind();
    void Browse(bool folder);
    void ReadSource();
    void FillList();
    void MarkAll(bool on);
    void ToggleMark(int row);
    void ShowSelectedCount();
    void Convert();
    void ShowStatus(const std::string& text);
    void ShowRowPart(LVITEMA& item) const;
    int RowAt(DWORD screenPos) const;

    std::string _programFolder;
    win::ListView _list;
    std::vector<ImportedGame> _games;  // as read
    std::vector<size_t> _order;        // row i shows _games[_order[i]]: by title
    int _unread = 0;                   // games past the most an import reads
    bool _loaded = false;              // the list holds what was read: the main button converts (else Reset)
};

// Runs the dialog through the user-interface seam; the number of games it
// converted.
int AskImportGames(HWND owner, const std::string& programFolder);
