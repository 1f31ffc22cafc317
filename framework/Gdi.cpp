// GDI handle owners.
#include "framework/Gdi.h"

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

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int cx, int cy) {
    if (g_nBitmapsBeforeFailure == 0) {
        Attach(nullptr);
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    if (g_nBitmapsBeforeFailure > 0) --g_nBitmapsBeforeFailure;
    Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, cx, cy));
    return m_hObject != nullptr;
}

BOOL CPen::CreatePen(int nStyle, int nWidth, COLORREF cr) {
    Attach(::CreatePen(nStyle, nWidth, cr));
    return m_hObject != nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF cr) {
    Attach(::CreateSolidBrush(cr));
    return m_hObject != nullptr;
}

BOOL CFont::CreatePointFont(int nPointSize, const wchar_t* pszFaceName, CDC* pDC) {
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    // Tenths of a point to pixels, rounded to the nearest pixel; negative asks for the character height.
    lf.lfHeight = -::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), nPointSize, 720);
    lstrcpynW(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    if (!pDC) ::ReleaseDC(nullptr, hDC);
    Attach(::CreateFontIndirectW(&lf));
    return m_hObject != nullptr;
}

CDC::~CDC() {
    if (m_bOwned) DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (m_bOwned) DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
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
    if (m_bitmap.CreateCompatibleBitmap(pRefDC, cx, cy)) m_hOldBitmap = CDC::SelectObject(&m_bitmap);
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
    return CDC::DeleteDC();
}

BOOL CopyDesktopArea(CBitmapDC* pDC, int x, int y, int cx, int cy) {
    CWindowDC dcDesktop(::GetDesktopWindow());
    if (!pDC->Create(&dcDesktop, cx, cy)) return FALSE;
    pDC->BitBlt(0, 0, cx, cy, &dcDesktop, x, y, SRCCOPY);
    return TRUE;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(CWnd* pWnd) : CWindowDC(pWnd->m_hWnd) {}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::GetWindowDC(m_hWnd); }

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
