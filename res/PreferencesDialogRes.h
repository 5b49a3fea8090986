// The preferences dialog and its controls. The numbers are fixed.
#pragma once

#define IDD_PREFERENCES 145

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDC_PREF_INDIVIDUAL 1002
#define IDC_PREF_VERIFY 1003
#define IDC_PREF_CONFIRMDELETE 1004
#define IDC_PREF_SPANISH 1011
#define IDC_PREF_EMS 1012
#define IDC_PREF_TWEAK 1072
#define IDC_PREF_TWEAK_VALUE 1074
