// Child controls.
#include "framework/Controls.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rc, CWnd* pParentWnd, UINT nID) {
    HWND hWnd = ::CreateWindowExW(0, L"EDIT", L"", dwStyle, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, pParentWnd->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hWnd) return FALSE;
    SubclassWindow(hWnd);
    return TRUE;
}

std::wstring CEdit::GetWindowText() const {
    const int n = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(m_hWnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}
