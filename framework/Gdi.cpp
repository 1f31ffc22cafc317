// GDI handle owners.
#include "framework/Gdi.h"

#include <algorithm>
#include <cassert>

#include "framework/Wnd.h"

namespace {

int g_nLiveGdiObjects = 0;
int g_nFailedGdiDeletes = 0;
int g_nBitmapsBeforeFailure = -1;  // no limit

void CountMade(const void* h) {
    if (h) ++g_nLiveGdiObjects;
}

// Whether the delete of h really happened. Windows refuses to delete a bitmap still selected into a
// DC; Wine accepts and defers it. Either way the handle still names an object afterwards, which is how
// the refusal is seen on both. An object that was not deleted stays counted: it is still alive.
BOOL CountDeleted(const void* h, BOOL ok) {
    if (ok && ::GetObjectType(const_cast<void*>(h)) == 0) {
        --g_nLiveGdiObjects;
        return TRUE;
    }
    ++g_nFailedGdiDeletes;
    ::OutputDebugStringW(L"Corvane: a GDI object was not deleted (a bitmap still selected into a DC?)\n");
    assert(!"a GDI object was not deleted");
    return FALSE;
}

}  // namespace

int AfxLiveGdiObjects() { return g_nLiveGdiObjects; }

int AfxFailedGdiDeletes() { return g_nFailedGdiDeletes; }

void AfxGdiObjectMade(HGDIOBJ hObject) { CountMade(hObject); }

BOOL AfxDeleteGdiObject(HGDIOBJ hObject) {
    if (!hObject) return FALSE;
    return CountDeleted(hObject, ::DeleteObject(hObject));
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    const BOOL ok = AfxDeleteGdiObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}

void CGdiObject::Attach(HGDIOBJ h) {
    DeleteObject();
    m_hObject = h;
    CountMade(h);
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    if (h) --g_nLiveGdiObjects;
    return h;
}

void AfxFailBitmapsAfterForTesting(int nSucceed) { g_nBitmapsBeforeFailure = nSucceed; }

namespace {
// Whether the next bitmap may be made, or fails as the out-of-memory tests asked.
bool BitmapAllowed() {
    if (g_nBitmapsBeforeFailure == 0) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    if (g_nBitmapsBeforeFailure > 0) --g_nBitmapsBeforeFailure;
    return true;
}
}  // namespace

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int cx, int cy) {
    Attach(BitmapAllowed() ? ::CreateCompatibleBitmap(pDC ? pDC->GetSafeHdc() : nullptr, cx, cy) : nullptr);
    return GetSafeHandle() != nullptr;
}

BOOL CBitmap::CreateDibSection(int cx, int cy, DWORD** ppBits) {
    *ppBits = nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;  // top-down: row 0 first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Attach(BitmapAllowed() ? ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (GetSafeHandle()) *ppBits = static_cast<DWORD*>(bits);
    return GetSafeHandle() != nullptr;
}

BOOL CPen::CreatePen(int nStyle, int nWidth, COLORREF cr) {
    Attach(::CreatePen(nStyle, nWidth, cr));
    return GetSafeHandle() != nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF cr) {
    Attach(::CreateSolidBrush(cr));
    return GetSafeHandle() != nullptr;
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b) {
    Attach(::CreateRectRgn(l, t, r, b));
    return GetSafeHandle() != nullptr;
}

void CRgn::Include(const RECT& rc) {
    HRGN part = ::CreateRectRgnIndirect(&rc);
    if (!part) return;
    ::CombineRgn(*this, *this, part, RGN_OR);
    ::DeleteObject(part);
}

BOOL CFont::CreatePointFont(int nPointSize, const wchar_t* pszFaceName, CDC* pDC) {
    HDC hDC = pDC ? pDC->GetSafeHdc() : ::GetDC(nullptr);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    // Tenths of a point to pixels, rounded to the nearest pixel; negative asks for the character height.
    lf.lfHeight = -::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), nPointSize, 720);
    lstrcpynW(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    if (!pDC) ::ReleaseDC(nullptr, hDC);
    Attach(::CreateFontIndirectW(&lf));
    return GetSafeHandle() != nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW& lf) {
    Attach(::CreateFontIndirectW(&lf));
    return GetSafeHandle() != nullptr;
}

CDC::~CDC() {
    if (m_bOwned) DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (m_bOwned) DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr);
    m_bOwned = m_hDC != nullptr;
    CountMade(m_hDC);
    return m_bOwned;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    const BOOL ok = m_bOwned ? CountDeleted(m_hDC, ::DeleteDC(m_hDC)) : FALSE;
    m_hDC = nullptr;
    m_bOwned = false;
    return ok;
}

BOOL CBitmapDC::Create(CDC* pRefDC, int cx, int cy) {
    DeleteDC();
    if (!CDC::CreateCompatibleDC(pRefDC)) return FALSE;
    m_bitmap.CreateCompatibleBitmap(pRefDC, cx, cy);
    return SelectNewBitmap();
}

BOOL CBitmapDC::CreateDib(CDC* pRefDC, int cx, int cy) {
    DeleteDC();
    if (!CDC::CreateCompatibleDC(pRefDC)) return FALSE;
    m_bitmap.CreateDibSection(cx, cy, &m_pBits);
    m_cx = cx;
    m_cy = cy;
    return SelectNewBitmap();
}

BOOL CBitmapDC::SelectNewBitmap() {
    if (m_bitmap.GetSafeHandle()) m_hOldBitmap = CDC::SelectObject(&m_bitmap);
    if (!m_hOldBitmap) {
        DeleteDC();
        return FALSE;
    }
    return TRUE;
}

BOOL CBitmapDC::DeleteDC() {
    if (m_hOldBitmap) {
        CDC::SelectObject(m_hOldBitmap);
        m_hOldBitmap = nullptr;
    }
    m_bitmap.DeleteObject();
    m_pBits = nullptr;
    m_cx = m_cy = 0;
    return CDC::DeleteDC();
}

void ReadDesktopArea(CBitmapDC* pDC, int x, int y) {
    CWindowDC dcDesktop(::GetDesktopWindow());
    const int cx = pDC->PixelsWidth(), cy = pDC->PixelsHeight();
    // Read in bands of at most 256 KB: each read of the display passes through buffers of its size, and
    // small ones are used again from band to band, where one frame-sized read makes and fills fresh
    // memory twice over (about three times slower for a 4K screen).
    const int rows = std::max(1, (256 * 1024) / std::max(1, cx * 4));
    for (int top = 0; top < cy; top += rows) {
        pDC->BitBlt(0, top, cx, std::min(rows, cy - top), &dcDesktop, x, y + top, SRCCOPY);
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { SetBorrowedHdc(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    SetBorrowedHdc(nullptr);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { SetBorrowedHdc(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, GetSafeHdc());
    SetBorrowedHdc(nullptr);
}

CWindowDC::CWindowDC(CWnd* pWnd) : CWindowDC(pWnd->m_hWnd) {}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd) { SetBorrowedHdc(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, GetSafeHdc());
    SetBorrowedHdc(nullptr);
}
