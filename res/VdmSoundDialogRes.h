// The VDMSound settings dialog and its controls. The numbers are fixed.
#pragma once

#define IDD_VDMSOUND 160

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDC_VDMS_DEFAULTS 1003
#define IDC_VDMS_SB_PORT 1012
#define IDC_VDMS_SB_IRQ 1013
#define IDC_VDMS_SB_DMA8 1014
#define IDC_VDMS_SB_DMA16 1015
#define IDC_VDMS_ADLIB_PORT 1016
#define IDC_VDMS_ADLIB_RATE 1017
#define IDC_VDMS_MPU_PORT 1018
#define IDC_VDMS_MPU_IRQ 1019
#define IDC_VDMS_SB1 1021
#define IDC_VDMS_SB2 1022
#define IDC_VDMS_SBPRO 1023
#define IDC_VDMS_SB16 1024
#define IDC_VDMS_SB16PNP 1025
