// The INI-style add-games dialog (IDD_ADDGAMESINI) and its controls. The numbers are fixed.
#pragma once

#define IDD_ADDGAMESINI 176

#define IDC_INISTYLE_TEXT 1001
#define IDC_INISTYLE_ADD 1003
#define IDC_INISTYLE_IMAGES 1004
#define IDC_INISTYLE_SETFOLDER 1007

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
