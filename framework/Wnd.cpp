// Window binding and message dispatch through the message maps.
#include "framework/Wnd.h"

#include <unordered_map>

#include "framework/Gdi.h"

namespace {

// Every window created through this layer, by handle. One thread uses it, so no lock.
std::unordered_map<HWND, CWnd*>& BoundWindows() {
    static std::unordered_map<HWND, CWnd*> windows;
    return windows;
}

bool RowMatches(const MsgMapEntry& row, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (row.message != msg) return false;
    switch (row.kind) {
    case MsgKind::Message:
        return true;
    case MsgKind::Command: {
        // Menus send code 0, accelerators code 1 with no control, buttons BN_CLICKED (0).
        const UINT code = HIWORD(wParam);
        const UINT id = LOWORD(wParam);
        const bool isCommand = code == 0 || (code == 1 && lParam == 0);
        return isCommand && id >= row.idFirst && id <= row.idLast;
    }
    case MsgKind::Control:
        return lParam != 0 && HIWORD(wParam) == row.code && LOWORD(wParam) == row.idFirst;
    case MsgKind::Notify: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        return hdr != nullptr && hdr->code == row.code && hdr->idFrom >= row.idFirst && hdr->idFrom <= row.idLast;
    }
    case MsgKind::End:
        break;
    }
    return false;
}

}  // namespace

CWnd::~CWnd() {
    // A window still alive when its owner goes away is destroyed with it.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    Unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& windows = BoundWindows();
    auto it = windows.find(hWnd);
    return it == windows.end() ? nullptr : it->second;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), MAKELPARAM(bRedraw, 0));
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    BOOL ok = ::DestroyWindow(m_hWnd);
    Unbind();
    return ok;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

const MsgMap* CWnd::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, MsgKind::End, 0, 0, 0, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

void CWnd::SubclassWindow(HWND hWnd) {
    m_hWnd = hWnd;
    BoundWindows()[hWnd] = this;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
}

void CWnd::Unbind() {
    if (!m_hWnd) return;
    auto& windows = BoundWindows();
    auto it = windows.find(m_hWnd);
    if (it != windows.end() && it->second == this) windows.erase(it);
    m_hWnd = nullptr;
}

LRESULT CWnd::Default() {
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam);
}

LRESULT CWnd::DefaultWith(WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_msgCurrent.message, wParam, lParam);
}

bool CWnd::DispatchFromMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const MsgMap* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const MsgMapEntry* row = map->entries; row->kind != MsgKind::End; ++row) {
            if (!RowMatches(*row, msg, wParam, lParam)) continue;
            bool handled = true;
            *result = row->pfn(this, wParam, lParam, &handled);
            if (handled) return true;
        }
    }
    return false;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchFromMap(msg, wParam, lParam, &result)) return result;
    return Default();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(hWnd);
    if (!self) return ::DefWindowProcW(hWnd, msg, wParam, lParam);

    // Handlers may send messages to their own window; keep the outer message for its Default().
    const MSG outer = self->m_msgCurrent;
    self->m_msgCurrent = MSG{hWnd, msg, wParam, lParam, 0, {0, 0}};
    LRESULT result;
    if (msg == WM_NCDESTROY) {
        WNDPROC super = self->m_pfnSuper;
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        self->Unbind();
        result = ::CallWindowProcW(super, hWnd, msg, wParam, lParam);
        self->PostNcDestroy();
        return result;
    }
    result = self->WindowProc(msg, wParam, lParam);
    self->m_msgCurrent = outer;
    return result;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; ) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd)) {
            if (wnd->PreTranslateMessage(pMsg)) return TRUE;
        }
        if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) break;  // stop at the top-level window
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

std::vector<RECT> CWnd::GetUpdateRects() const {
    std::vector<RECT> rects;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (region && ::GetUpdateRgn(m_hWnd, region, FALSE) > NULLREGION) {
        const DWORD size = ::GetRegionData(region, 0, nullptr);
        std::vector<DWORD> data((size + sizeof(DWORD) - 1) / sizeof(DWORD));
        auto* rgnData = reinterpret_cast<RGNDATA*>(data.data());
        if (size && ::GetRegionData(region, size, rgnData) == size) {
            const RECT* first = reinterpret_cast<const RECT*>(rgnData->Buffer);
            rects.assign(first, first + rgnData->rdh.nCount);
        }
    }
    if (region) ::DeleteObject(region);
    return rects;
}
