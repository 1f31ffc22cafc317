// GDI+ start-up and shut-down.
#include "framework/GdiplusSession.h"

#include <gdiplus.h>

namespace {
CGdiplusSession* g_processSession = nullptr;
}  // namespace

CGdiplusSession::CGdiplusSession() { g_processSession = this; }

CGdiplusSession::~CGdiplusSession() {
    if (g_processSession == this) g_processSession = nullptr;
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}

bool AfxStartGdiplus() { return g_processSession && g_processSession->Start(); }

bool CGdiplusSession::Start() {
    if (m_token) return true;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
    return m_token != 0;
}
