// Controls of the text input dialog (IDD_TEXTINPUT). The numbers are fixed.
#pragma once

#define IDC_TEXTINPUT_VALUE 1001
#define IDC_TEXTINPUT_PROMPT 1086
