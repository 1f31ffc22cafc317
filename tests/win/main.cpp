// Runs the dialog tests inside a process set up like the program: common controls and GDI+ started.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/GdiplusSession.h"

int main(int argc, char** argv) {
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    CGdiplusSession gdiplus;
    gdiplus.Start();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
