// Resource and control identifiers shared by the resource script and the code.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CAPTURE 102
#define IDR_MAINFRAME 128
#define IDR_ACCELERATOR 130
#define IDD_POPUP 150
#define IDR_PNG_POINTER 178

// Tool bar icons. The plain ids equal the command ids of their buttons; an _ON icon is the look of
// the current size or colour.
#define IDI_TOOL_RECT 143
#define IDI_UNDO 144
#define IDI_CLOSE 145
#define IDI_DONE 146
#define IDI_SAVE 147
#define IDI_TOOL_PEN 149
#define IDI_COLOR_BLACK 151
#define IDI_COLOR_BLUE 152
#define IDI_COLOR_GREEN 154
#define IDI_COLOR_RED 156
#define IDI_COLOR_WHITE 157
#define IDI_COLOR_YELLOW 158
#define IDI_TOOL_ARROW 159
#define IDI_TOOL_ELLIPSE 160
#define IDI_SIZE_LARGE 161
#define IDI_SIZE_SMALL 162
#define IDI_SEPARATOR 163
#define IDI_TOOL_TEXT 164
#define IDI_SIZE_LARGE_ON 166
#define IDI_COLOR_BLACK_ON 167
#define IDI_COLOR_BLUE_ON 168
#define IDI_COLOR_GREEN_ON 169
#define IDI_SIZE_MEDIUM_ON 170
#define IDI_COLOR_RED_ON 171
#define IDI_SIZE_SMALL_ON 172
#define IDI_COLOR_WHITE_ON 173
#define IDI_COLOR_YELLOW_ON 174
#define IDI_SIZE_MEDIUM 176
#define IDC_SAVE_BUTTON 1001
#define IDC_TEXT_EDIT 4001

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
