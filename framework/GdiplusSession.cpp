// GDI+ start-up and shut-down.
#include "framework/GdiplusSession.h"

#include <gdiplus.h>

CGdiplusSession::~CGdiplusSession() {
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}

bool CGdiplusSession::Start() {
    if (m_token) return true;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
    return m_token != 0;
}
