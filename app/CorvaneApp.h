// The application object: one capture per process.
#pragma once

#include "framework/Afx.h"
#include "framework/GdiplusSession.h"

class CCorvaneApp : public CWinAppEx {
public:
    BOOL InitInstance() override;

private:
    // Started at the first use, ended with the application object, after every window is gone.
    CGdiplusSession m_gdiplus;
};
