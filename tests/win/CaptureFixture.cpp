#include "tests/win/CaptureFixture.h"

std::vector<COLORREF> ReadBitmap(HBITMAP hbm, int* cx, int* cy) {
    *cx = *cy = 0;
    BITMAP bm = {};
    if (!GetObjectW(hbm, sizeof(bm), &bm)) {
        ADD_FAILURE() << "ReadBitmap: " << hbm << " is no bitmap";
        return {};
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, hbm, 0, bm.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != bm.bmHeight) {
        ADD_FAILURE() << "ReadBitmap: " << rows << " of " << bm.bmHeight << " rows read";
        return {};
    }
    *cx = bm.bmWidth;
    *cy = bm.bmHeight;
    std::vector<COLORREF> out(bits.size());
    for (size_t i = 0; i < bits.size(); ++i) out[i] = RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    return out;
}

MemoryCanvas::MemoryCanvas(int cx, int cy) : m_cx(cx) {
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bmp = CreateCompatibleBitmap(screen, cx, cy);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bmp);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bmp);
    DeleteDC(m_dc);
}

std::vector<COLORREF> MemoryCanvas::Rows(int top, int bottom) const {
    std::vector<COLORREF> px;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < m_cx; ++x) px.push_back(GetPixel(m_dc, x, y));
    return px;
}

void CaptureTest::SetUp() {
    pattern = std::make_unique<testdesk::PatternWindow>();
    LayOutDesktop();
    dlg = std::make_unique<CCorvaneDlg>();
    app.m_pMainWnd = dlg.get();
    ASSERT_TRUE(dlg->Create(IDD_CAPTURE));
    ASSERT_TRUE(testdesk::PumpUntil([&] { return Started(*dlg); }));
}

void CaptureTest::TearDown() {
    dlg.reset();
    app.m_pMainWnd = nullptr;
    pattern.reset();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

int CaptureTest::TakeQuitCode() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

const wchar_t* CaptureTest::TooltipFor(UINT id) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = dlg->GetPalette().MainBar().m_hWnd;
    info.hdr.idFrom = id;
    info.hdr.code = TTN_NEEDTEXTW;
    SendMessageW(dlg->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText;
}

void KeyFromKeyboard(HWND target, UINT msg, WPARAM vk, bool repeat) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[vk] = msg == WM_KEYDOWN ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG m = {target, msg, vk, static_cast<LPARAM>(1 | (repeat || msg == WM_KEYUP ? 1u << 30 : 0)), 0, {0, 0}};
    if (!AfxPreTranslateMessage(&m)) TranslateMessage(&m), DispatchMessageW(&m);
    while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE) && m.message != WM_QUIT) {
        PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);
        if (!AfxPreTranslateMessage(&m)) TranslateMessage(&m), DispatchMessageW(&m);
    }
}
