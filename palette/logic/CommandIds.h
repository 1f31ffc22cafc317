// Command identifiers of the capture window: tool bar buttons and the save accelerator.
#pragma once

enum CommandId : unsigned {
    ID_TOOL_RECT = 143,
    ID_UNDO = 144,
    ID_CLOSE = 145,
    ID_DONE = 146,
    ID_SAVE = 147,
    ID_TOOL_PEN = 149,
    ID_COLOR_BLACK = 151,
    ID_COLOR_BLUE = 152,
    ID_COLOR_GREEN = 154,
    ID_COLOR_RED = 156,
    ID_COLOR_WHITE = 157,
    ID_COLOR_YELLOW = 158,
    ID_TOOL_ARROW = 159,
    ID_TOOL_ELLIPSE = 160,
    ID_SIZE_LARGE = 161,
    ID_SIZE_SMALL = 162,
    ID_TOOLBAR_SEPARATOR = 163,
    ID_TOOL_TEXT = 164,
    ID_SIZE_MEDIUM = 176,
};
