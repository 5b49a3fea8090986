// The DOSBox settings dialog of one game (IDD_DOSBOXSETTINGS) and its controls.
// The numbers are fixed.
#pragma once

#define IDD_DOSBOXSETTINGS 186

// The game's own DOSBox program
#define IDC_DBX_PROGRAM 1200
#define IDC_DBX_BROWSE 1201

// Its CD-ROM: none, a drive, or image files
#define IDC_DBX_CD_NONE 1202
#define IDC_DBX_CD_DRIVE 1203
#define IDC_DBX_CD_LETTER 1204
#define IDC_DBX_CD_IMAGES 1205
#define IDC_DBX_IMAGE_LIST 1206
#define IDC_DBX_IMAGE_ADD 1207
#define IDC_DBX_IMAGE_REMOVE 1208

// The player's own DOSBox lines
#define IDC_DBX_LINES 1209

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
