// CGdiplusSession: GDI+ running from Start until the object's end, so that nothing the program draws,
// decodes or encodes through GDI+ can outlive the library it needs. The session made last (the
// application's, or a test's) is the process's: AfxStartGdiplus starts it at the first use.
#pragma once

#include <windows.h>

class CGdiplusSession {
public:
    CGdiplusSession();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    // Starts GDI+ unless this session already has; false when it cannot be started.
    bool Start();

private:
    ULONG_PTR m_token = 0;  // nonzero while started
};

// Starts the process's session unless it runs; false when there is none or it cannot be started. Every
// owner of GDI+ work calls it first, so that the library is loaded only when the program first draws a
// mark, shows the pointer window or encodes a picture: after the capture is on the screen.
bool AfxStartGdiplus();
