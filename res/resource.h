// Resource and control numbers of Quillon Loader. Stored files and the help
// file rely on them: never renumber.
#pragma once

// Dialogs
#define IDD_MAIN 102
#define IDD_ADDGAME 141
#define IDD_TEXTINPUT 154
#define IDD_COMMENT 173

// Menus and strings
#define IDR_MAINMENU 129
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 16

// Icons
#define IDI_QUILLON 128
#define IDI_BROWSE 144
#define IDI_RUNGAME 157
#define IDI_GAMESETTINGS 158
#define IDI_MODIFY 159
#define IDI_DOCS 172

// Bitmaps
#define IDB_DEFAULTGAME 130
#define IDB_BACK_RED 133
#define IDB_BACK_GREEN 135
#define IDB_BACK_BLUE 137
#define IDB_ROWIMAGES 146
#define IDB_BACK_GREY 147
#define IDB_DIALOGTILE 152
#define IDB_BACK_ALT 183
#define IDB_SPLASH 140
#define IDB_ABOUT 174
#define IDB_DETAILS_LARGE 1076
#define IDB_DETAILS_SMALL 1077

// Cursors: the folder bar's hand over its headers
#define IDC_HANDCURSOR 1080

// Embedded default program information file
#define IDR_DEFAULTPIF 182

// Main window controls
#define IDC_GAMELIST 1000
#define IDC_SAVEGAME 1002
#define IDC_RUNGAME 1003
#define IDC_GAMESETTINGS 1007
#define IDC_PICTURE 1008
#define IDC_SLOWDOWN 1014
#define IDC_MODIFY 1015
#define IDC_DOCS 1016
#define IDC_SLOWDOWN_LABEL 1073
#define IDC_SLOWDOWN_SLIDER 1072
#define IDC_PROGRESS 1087
// The details bar, a child of the main window, and the tree in its first folder
#define IDC_DETAILSBAR 102
#define IDC_DETAILS_TREE 1010

// Menu commands
#define IDM_BACK_BLUE 32776
#define IDM_BACK_GREEN 32777
#define IDM_BACK_RED 32778
#define IDM_ADDGAME 32779
#define IDM_VERIFYALL 32780
#define IDM_PREFERENCES 32781
#define IDM_DELETEGAME 32782
#define IDM_GAMESFOLDER 32783
#define IDM_RUNGAME 32784
#define IDM_SEARCHALL 32785
#define IDM_BACK_GREY 32786
#define IDM_EDITVDMSINI 32787
#define IDM_VDMSSETTINGS 32788
#define IDM_MANAGEENTRIES 32789
#define IDM_EDITDATAINI 32790
#define IDM_RELOADDATA 32794
#define IDM_VDMSWEB 32795
#define IDM_VDMSHELP 32797
#define IDM_WEBSITE 32798
#define IDM_IMPORT 32799
#define IDM_REFRESH 32801
#define IDM_SENDQGF 32802
#define IDM_HELPTOPICS 32803
#define IDM_ABOUT 32804
#define IDM_ADDGAMESINI 32805
#define IDM_SEARCHGAME 32806
#define IDM_IMPORTGAMES 32807
#define IDM_EXIT 32771
