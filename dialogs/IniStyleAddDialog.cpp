// The INI-style add-games dialog.
#include "dialogs/IniStyleAddDialog.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "dialogs/PictureMessages.h"
#include "res/IniStyleAddDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <cstdio>

IniStyleAddDialog::IniStyleAddDialog(std::string programFolder, BatchListener& gameList)
    : SkinnedDialog(IDD_ADDGAMESINI), _programFolder(std::move(programFolder)), _gameList(gameList) {}

std::string IniStyleAddDialog::TempFilePath() const { return _programFolder + "\\_temp_.ini"; }

bool IniStyleAddDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    LimitText(IDC_INISTYLE_IMAGES, MAX_PATH - 1);
    PutTemplate();
    const std::string images = _programFolder + "\\Images";
    SetItemText(IDC_INISTYLE_IMAGES, FolderExists(images) ? images : _programFolder);
    LimitText(IDC_INISTYLE_TEXT, kTextLimit);
    return false;  // the focus is set
}

void IniStyleAddDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_INISTYLE_ADD: Add(); break;
        case IDC_INISTYLE_SETFOLDER: SetFolder(); break;
        default: break;
    }
}

void IniStyleAddDialog::PutTemplate() {
    SetItemText(IDC_INISTYLE_TEXT, kEntryTemplate);
    SetFocus(Item(IDC_INISTYLE_TEXT));
    SelectText(IDC_INISTYLE_TEXT, 1, 3);
}

void IniStyleAddDialog::SetFolder() {
    std::string folder;
    if (win::Ui().PickFolder(Handle(), "Select the images folder...", folder) && !folder.empty())
        SetItemText(IDC_INISTYLE_IMAGES, folder);
}

void IniStyleAddDialog::Add() {
    const std::string tempPath = TempFilePath();
    const std::string text = ItemText(IDC_INISTYLE_TEXT, kTextLimit - 1);
    FILE* f = fopen(tempPath.c_str(), "wb");
    bool written = f && fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f && fclose(f) != 0) written = false;
    if (!written) {
        DeleteFileA(tempPath.c_str());
        win::Ui().ShowMessage(Handle(), Format("Could not create temporary file\n%s!", tempPath.c_str()), "Error",
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string images = ItemText(IDC_INISTYLE_IMAGES);
    BatchResult result;
    {
        win::WaitCursor wait;
        result = ConvertCatalogue(tempPath, images, _programFolder, _gameList);
    }
    added += result.added;
    if (result.status == BatchStatus::CannotOpen)
        win::Ui().ShowMessage(Handle(), "Could not init the INI file", "Could not init the INI file", MB_OK);
    else if (result.status == BatchStatus::NoSections)
        win::Ui().ShowMessage(Handle(), "Ini file contains no game entries!", "Could not init the INI file", MB_OK);
    else if (result.unread > 0)
        win::Ui().ShowMessage(Handle(),
                              Format("%d game entries could not be read: at most %d are added at once.", result.unread,
                                     static_cast<int>(kMaxCatalogueSections)),
                              kAppName, MB_OK | MB_ICONEXCLAMATION);
    // Games that exist already are skipped quietly; a name that would reach
    // another game file, and a picture not taken, are told.
    if (!result.notes.empty())
        win::Ui().ShowMessage(Handle(), ConversionNotesText(result.notes), kAppName, MB_OK | MB_ICONEXCLAMATION);
    PutTemplate();
    DeleteFileA(tempPath.c_str());
}

int AskAddGamesIniStyle(HWND owner, const std::string& programFolder, BatchListener& gameList) {
    IniStyleAddDialog dialog(programFolder, gameList);
    win::Ui().RunModal(dialog, owner);
    return dialog.added;
}
