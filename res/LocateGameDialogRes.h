// The error-locating dialog and its controls. The numbers are fixed.
#pragma once

#define IDD_LOCATEGAME 179

#define IDC_LOCATE_TITLE 1001
#define IDC_LOCATE_SEARCH 1003
#define IDC_LOCATE_BROWSE 1004
#define IDC_LOCATE_MESSAGE 1091
