// Controls of the add-game dialog (IDD_ADDGAME). The numbers are fixed.
#pragma once

#define IDC_ADD_TITLE 1001
#define IDC_ADD_COMMAND 1002
#define IDC_ADD_PATH 1003
#define IDC_ADD_PICTURE 1004
#define IDC_ADD_DOCUMENT 1005
#define IDC_ADD_DATAFILE 1006
#define IDC_ADD_BROWSE_COMMAND 1007
#define IDC_ADD_PREVIEW 1008
#define IDC_ADD_BROWSE_PATH 1009
#define IDC_ADD_BROWSE_PICTURE 1010
#define IDC_ADD_VDMSOUND 1011
#define IDC_ADD_PUBLISHER 1012
#define IDC_ADD_CATEGORY 1013
#define IDC_ADD_BROWSE_DOCUMENT 1014
#define IDC_ADD_WIN95 1015
#define IDC_ADD_BROWSE_DATAFILE 1016

// Labels, frames and fixed texts.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
