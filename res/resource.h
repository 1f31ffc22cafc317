// Resource and control identifiers shared by the resource script and the code.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CAPTURE 102
#define IDR_MAINFRAME 128
#define IDR_ACCELERATOR 130
#define IDD_POPUP 150
#define IDC_SAVE_BUTTON 1001
#define IDC_TEXT_EDIT 4001

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
