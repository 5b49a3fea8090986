// The game settings dialog (IDD_GAMESETTINGS) and its controls. The numbers are fixed.
#pragma once

#define IDD_GAMESETTINGS 151

// Setup mode and its fields
#define IDC_GS_MODE_NONE 1021
#define IDC_GS_MODE_PROGRAM 1022
#define IDC_GS_MODE_PARAMETERS 1023
#define IDC_GS_CONFIG 1012
#define IDC_GS_BROWSE_CONFIG 1013
#define IDC_GS_SETUP 1001
#define IDC_GS_BROWSE_SETUP 1003

// Device table: combo boxes 1052 to 1061, parameter edits in the order below
#define IDC_GS_KIND_SOUND 1033
#define IDC_GS_KIND_MUSIC 1034
#define IDC_GS_DEVICE_1 1052
#define IDC_GS_DEVICE_2 1053
#define IDC_GS_DEVICE_3 1054
#define IDC_GS_DEVICE_4 1055
#define IDC_GS_DEVICE_5 1056
#define IDC_GS_DEVICE_6 1057
#define IDC_GS_DEVICE_7 1058
#define IDC_GS_DEVICE_8 1059
#define IDC_GS_DEVICE_9 1060
#define IDC_GS_DEVICE_10 1061
#define IDC_GS_PARAM_1 1002
#define IDC_GS_PARAM_2 1020
#define IDC_GS_PARAM_3 1025
#define IDC_GS_PARAM_4 1026
#define IDC_GS_PARAM_5 1027
#define IDC_GS_PARAM_6 1028
#define IDC_GS_PARAM_7 1029
#define IDC_GS_PARAM_8 1030
#define IDC_GS_PARAM_9 1031
#define IDC_GS_PARAM_10 1032

// Input, display and custom device parameters
#define IDC_GS_KEYBOARD 1004
#define IDC_GS_MOUSE 1005
#define IDC_GS_JOYSTICK 1006
#define IDC_GS_VESA 1007
#define IDC_GS_VGA 1008
#define IDC_GS_MCGA 1009
#define IDC_GS_EGA 1010
#define IDC_GS_CGA 1019
#define IDC_GS_TANDY 1035
#define IDC_GS_CUSTOM_NAME 1067
#define IDC_GS_CUSTOM_PARAM 1068

// The game's help output
#define IDC_GS_HELP_COMMAND 1088
#define IDC_GS_EXECUTE 1011

// How the game is run: Default, Windows or DOSBox; the game's own DOSBox
// settings; the line that says where its sound setup files disagree
#define IDC_GS_RUN_WITH 1100
#define IDC_GS_DOSBOX 1101
#define IDC_GS_SOUND_MISMATCH 1102

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
