// The About box and its controls. The numbers are fixed.
#pragma once

#define IDD_ABOUTBOX 100

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDC_ABOUT_WINDOWS 1092
