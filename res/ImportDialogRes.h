// The Loader.ini import dialog (IDD_IMPORT) and its controls. The numbers are fixed.
#pragma once

#define IDD_IMPORT 177

#define IDC_IMPORT_LIST 1000
#define IDC_IMPORT_PATH 1001
#define IDC_IMPORT_OVERWRITE 1002
#define IDC_IMPORT_CONVERT 1003
#define IDC_IMPORT_FOUND 1004
#define IDC_IMPORT_DUPLICATES 1005
#define IDC_IMPORT_SELECTED 1006
#define IDC_IMPORT_BROWSE 1007
#define IDC_IMPORT_PROGRESS 1087
#define IDC_IMPORT_STATUS 1089

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
