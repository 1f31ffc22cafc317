// Owners of GDI handles: device contexts and the objects drawn with them. Each wrapper owns its handle,
// releases it in its destructor and cannot be copied.
#pragma once

#include <string>

#include <windows.h>

class CWnd;

// GDI objects (DCs, bitmaps, pens, brushes, fonts) this process made and has not deleted, counted where
// they are made, since Wine's GetGuiResources always reports 0: after a capture it is back where it was.
int AfxLiveGdiObjects();
// Deletes the platform refused or left undone (a bitmap still selected into a DC): each one also says so
// on the debug output and stops a debug build.
int AfxFailedGdiDeletes();
// The count's entry for a GDI object made with a raw call rather than by an owner below (null is not
// counted); such an object goes through AfxDeleteGdiObject.
void AfxGdiObjectMade(HGDIOBJ hObject);
BOOL AfxDeleteGdiObject(HGDIOBJ hObject);

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject();
    // Takes ownership of h (counted from here on).
    void Attach(HGDIOBJ h);
    // Gives the handle away (to the clipboard, say): no longer ours, no longer counted.
    HGDIOBJ Detach();

private:
    // Only Attach, DeleteObject and Detach change it, so that the live-object count stays true.
    HGDIOBJ m_hObject = nullptr;
};

class CDC;

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int cx, int cy);
    // A 32-bit top-down DIB section: pixel (x, y) is the DWORD at *ppBits + y * cx + x (blue in the low
    // byte), which the program may read and write directly. *ppBits is null when it cannot be made.
    BOOL CreateDibSection(int cx, int cy, DWORD** ppBits);
};

// For the tests of the out-of-memory paths only: after nSucceed more bitmaps CreateCompatibleBitmap and
// CreateDibSection fail as if memory had run out, until a negative value lifts the limit. The program
// never calls it.
void AfxFailBitmapsAfterForTesting(int nSucceed);

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nStyle, int nWidth, COLORREF cr) { CreatePen(nStyle, nWidth, cr); }
    operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }
    BOOL CreatePen(int nStyle, int nWidth, COLORREF cr);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF cr) { CreateSolidBrush(cr); }
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }
    BOOL CreateSolidBrush(COLORREF cr);
};

class CRgn : public CGdiObject {
public:
    operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }
    BOOL CreateRectRgn(int l, int t, int r, int b);
    // Adds rc to the region.
    void Include(const RECT& rc);
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }
    // A font of nPointSize tenths of a point in the given face; the height is converted to pixels
    // through pDC, or through the screen when pDC is null.
    BOOL CreatePointFont(int nPointSize, const wchar_t* pszFaceName, CDC* pDC = nullptr);
    BOOL CreateFontIndirect(const LOGFONTW& lf);
};

// A device context. Memory DCs made by CreateCompatibleDC are deleted by their owner; a CDC built on a
// borrowed handle (as in a message handler's argument) releases nothing.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
    HGDIOBJ SelectObject(CGdiObject* pObject) { return ::SelectObject(m_hDC, pObject->GetSafeHandle()); }
    HGDIOBJ SelectStockObject(int nIndex) { return ::SelectObject(m_hDC, ::GetStockObject(nIndex)); }

    BOOL BitBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, cx, cy, pSrcDC ? pSrcDC->GetSafeHdc() : nullptr, xSrc, ySrc, rop);
    }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(const RECT* rc) { return ::Rectangle(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
    void FillRect(const RECT* rc, CBrush* pBrush) { ::FillRect(m_hDC, rc, *pBrush); }
    COLORREF SetTextColor(COLORREF cr) { return ::SetTextColor(m_hDC, cr); }
    int SetBkMode(int nMode) { return ::SetBkMode(m_hDC, nMode); }
    int DrawText(const std::wstring& text, RECT* rc, UINT nFormat) {
        return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), rc, nFormat);
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }

protected:
    // For the DCs the system lends (BeginPaint, GetDC): the subclass that borrowed the handle gives it
    // back itself, so this object never deletes it.
    void SetBorrowedHdc(HDC hDC) {
        m_hDC = hDC;
        m_bOwned = false;
    }

private:
    HDC m_hDC = nullptr;
    bool m_bOwned = false;  // created here, so deleted here
};

// An object selected into a DC for the length of a scope: the DC's previous object of that kind goes
// back in at the scope's end, so that a drawing routine reads "make, select, draw" and the object is
// free to be deleted after it (one still selected into a DC cannot be). Declared after the object it
// selects, it is undone before that object goes. Not for regions, whose selection gives no handle back.
class CSelectScope {
public:
    CSelectScope(CDC* pDC, HGDIOBJ hObject) : m_hDC(pDC->GetSafeHdc()), m_hOld(::SelectObject(m_hDC, hObject)) {}
    CSelectScope(CDC* pDC, const CGdiObject* pObject) : CSelectScope(pDC, pObject->GetSafeHandle()) {}
    ~CSelectScope() {
        if (m_hOld) ::SelectObject(m_hDC, m_hOld);
    }
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;

    // A stock object (NULL_BRUSH, DEFAULT_GUI_FONT ...): the system's, never deleted.
    static CSelectScope Stock(CDC* pDC, int nIndex) { return CSelectScope(pDC, ::GetStockObject(nIndex)); }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;  // null when the selection failed: nothing to put back
};

// A memory DC with a bitmap of its own selected into it, both made and released here, so the order
// cannot go wrong: the DC's first bitmap goes back in, then the bitmap is deleted, then the DC. (A
// bitmap still selected into a DC cannot be deleted: Windows refuses and the bitmap leaks.)
class CBitmapDC : public CDC {
public:
    CBitmapDC() = default;
    ~CBitmapDC() override { DeleteDC(); }

    // A DC compatible with pRefDC holding a new cx x cy bitmap compatible with it; FALSE, holding
    // nothing, when either cannot be made (a screen-sized bitmap may not fit in memory).
    BOOL Create(CDC* pRefDC, int cx, int cy);
    // The same with a 32-bit top-down DIB section, whose pixels Pixels() gives for direct access.
    BOOL CreateDib(CDC* pRefDC, int cx, int cy);
    // Releases the pair in order; stands in for CDC::DeleteDC, so that the DC never goes alone.
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* pDC) = delete;  // the DC comes with its bitmap, through Create

    const CBitmap& GetBitmap() const { return m_bitmap; }
    // The pixels of a DIB made by CreateDib, cx per row (null otherwise). GDI may still be drawing into
    // them: GdiFlush before reading what a GDI call drew.
    DWORD* Pixels() const { return m_pBits; }
    int PixelsWidth() const { return m_cx; }
    int PixelsHeight() const { return m_cy; }

private:
    BOOL SelectNewBitmap();

    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

// Fills pDC, a DIB made by CreateDib, with the desktop's area of its size at (x, y).
void ReadDesktopArea(CBitmapDC* pDC, int x, int y);

// BeginPaint/EndPaint around a paint handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};

// The client area's DC of a window, released at the end of the scope.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// The whole window's DC (frame included) of a window, or of the desktop window, released at the end.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    explicit CWindowDC(HWND hWnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
