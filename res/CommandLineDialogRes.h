// The command line setup dialog (IDD_COMMANDLINE) and its controls. The numbers are fixed.
#pragma once

#define IDD_COMMANDLINE 150

#define IDC_CL_SOUND 1000
#define IDC_CL_COMMANDLINE 1001
#define IDC_CL_KEYBOARD 1002
#define IDC_CL_MOUSE 1003
#define IDC_CL_JOYSTICK 1004
#define IDC_CL_MUSIC 1005
#define IDC_CL_CLEAR 1007
#define IDC_CL_CUSTOM 1011
#define IDC_CL_VESA 1024
#define IDC_CL_VGA 1025
#define IDC_CL_MCGA 1026
#define IDC_CL_EGA 1027
#define IDC_CL_CGA 1028
#define IDC_CL_TANDY 1029

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
