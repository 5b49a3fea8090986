// Controls of the comment dialog (IDD_COMMENT). The numbers are fixed.
#pragma once

#define IDC_COMMENT_TEXT 1001
