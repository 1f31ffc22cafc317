// CGdiplusSession: GDI+ running from Start until the object's end, so that nothing the program draws,
// decodes or encodes through GDI+ can outlive the library it needs.
#pragma once

#include <windows.h>

class CGdiplusSession {
public:
    CGdiplusSession() = default;
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    // Starts GDI+ unless this session already has; false when it cannot be started.
    bool Start();

private:
    ULONG_PTR m_token = 0;  // nonzero while started
};
