// The DOSBox settings of one game, opened from its game settings: its own
// DOSBox program, its CD-ROM (none, a CD drive, or disc images) and the
// player's own DOSBox lines. They live in the record's reserved area
// (data/GameExtras); the dialog works on a copy of the record.
#pragma once
#include "data/GameExtras.h"
#include "widgets/SkinnedDialog.h"
#include <string>
#include <vector>

class DosBoxSettingsDialog final : public SkinnedDialog {
public:
    // In: the game's title, for the caption.
    std::string title;
    // In: the game. Out after OK: the game with its new entries, nothing else
    // changed. A damaged list of entries is cut only when the player agrees;
    // otherwise the dialog closes at once as cancelled.
    GameRecord game = BlankGameRecord();

    DosBoxSettingsDialog();
    ~DosBoxSettingsDialog() override;

private:
    // One line of the extra lines' edit that holds a setting, and where it starts.
    struct Line {
        std::string text;
        int start;
    };

    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    bool OnOK() override;

    void ShowExtras(const GameExtras& extras);
    void ShowCdKind(CdRomKind kind);
    void BrowseProgram();
    void AddImage();
    void RemoveImage();
    std::vector<Line> ReadLines() const;
    GameExtras ShownExtras(const std::vector<Line>& lines) const;
    bool Refuse(int control, const std::string& text, int first = 0, int last = -1);

    CdRomKind _cdKind = CdRomKind::None;
};

struct DosBoxSettingsResult {
    bool accepted = false;  // closed with OK
    GameRecord game;        // as DosBoxSettingsDialog::game after the dialog
};

DosBoxSettingsResult AskDosBoxSettings(HWND owner, const std::string& title, const GameRecord& game);
