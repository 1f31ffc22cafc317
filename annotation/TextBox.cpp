// The text box: opening it with a click, fitting it to its lines, painting it over the picture and
// turning its text into a mark.
#include "annotation/TextBox.h"

#include <algorithm>
#include <cstdlib>

#include "annotation/logic/Drawing.h"

namespace {

// A release within this many pixels of the press, on both axes, counts as a click that opens a box.
constexpr int kClickSlop = 5;
// The box a click opens, before it fits its (empty) text.
constexpr int kNewBoxWidth = 60;
constexpr int kNewBoxHeight = 40;
// The width an empty text is given when the box fits it, so an empty box still has room for the caret.
constexpr int kEmptyTextWidth = 30;
// The frame the text is measured in; the measure widens it to the widest line, breaking lines only
// at the text's own line ends.
constexpr RECT kMeasureFrame = {0, 0, 200, 200};
// The box's border on each side, and a little room below the last line.
constexpr LONG kBoxBorder = 1;
constexpr LONG kLineSlack = 2;

bool IsClick(POINT press, POINT release) {
    return std::abs(press.x - release.x) <= kClickSlop && std::abs(press.y - release.y) <= kClickSlop;
}

}  // namespace

void TextBox::Create(CWnd* pParent, UINT nID, CFont* pFont, POINT viewOrigin) {
    m_pParent = pParent;
    m_viewOrigin = viewOrigin;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    m_edit.Create(style, RECT{600, 100, 700, 130}, pParent, nID);
    m_edit.SetFont(pFont, FALSE);
    m_edit.ShowWindow(SW_HIDE);
}

RECT TextBox::Rect() const {
    RECT rc;
    m_edit.GetWindowRect(&rc);
    ::OffsetRect(&rc, -m_viewOrigin.x, -m_viewOrigin.y);
    return rc;
}

void TextBox::Press(POINT pt, const RECT& rcSel) {
    if (::PtInRect(&rcSel, pt)) m_press = pt;
}

bool TextBox::Release(POINT pt, const ToolContext& ctx, CFont* pFont) {
    if (!::PtInRect(&ctx.selection, pt) || m_bOpen || !m_press || !IsClick(*m_press, pt)) return false;
    // The box opens where the button went down, not where it came up.
    m_edit.MoveWindow(m_press->x, m_press->y, kNewBoxWidth, kNewBoxHeight, TRUE);
    m_edit.SetFont(pFont, TRUE);
    Fit(ctx.selection, pFont);
    m_edit.ShowWindow(SW_SHOW);
    ::SetFocus(m_edit.m_hWnd);  // EN_SETFOCUS marks the box open
    return true;
}

void TextBox::OnFocus() {
    if (m_edit.IsWindowVisible()) m_bOpen = true;
}

void TextBox::Fit(const RECT& rcSel, CFont* pFont) {
    const std::wstring text = m_edit.GetWindowText();
    // A window DC rather than a paint DC: measuring must not validate what is waiting to be painted.
    int width = kEmptyTextWidth;
    TEXTMETRICW tm = {};
    {
        CClientDC dc(m_pParent);
        CSelectScope font(&dc, pFont);
        if (!text.empty()) {
            RECT frame = kMeasureFrame;
            dc.DrawText(text, &frame, DT_CALCRECT);
            width = frame.right - frame.left;
        }
        ::GetTextMetricsW(dc, &tm);
    }
    const RECT box = drawing::FitTextBox(Rect(), width, rcSel);
    // The box grows to show every line it wraps its text into at that width (the caret's line, when
    // empty), so that the text drawn in its rectangle at the commit keeps all of them: the box itself
    // tells how many there are, once it has the width.
    m_edit.MoveWindow(box.left, box.top, rect::Width(box), rect::Height(box), FALSE);
    const LONG lines = std::max<LONG>(1, static_cast<LONG>(m_edit.SendMessage(EM_GETLINECOUNT)));
    MoveTo(drawing::GrowToText(box, lines * tm.tmHeight + 2 * kBoxBorder + kLineSlack, rcSel), rcSel);
    // The room the box lays its lines out in can be less than its inside (a bordered edit control keeps
    // a little more inside its border once it is tall enough): grow by the lines it still lacks.
    for (int i = 0; i < 2; ++i) {
        RECT room = {0, 0, 0, 0};
        m_edit.SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        const LONG missing = lines * tm.tmHeight - rect::Height(room);
        const RECT now = Rect();
        const RECT grown = drawing::GrowToText(now, rect::Height(now) + missing, rcSel);
        if (missing <= 0 || rect::Equal(grown, now)) break;
        MoveTo(grown, rcSel);
    }
    // While the box was narrower than its text (before this fit), it wrapped the newest character onto
    // a line below and scrolled to it; with the room it has now, its text shows from the top.
    m_edit.ScrollToTop();
}

void TextBox::MoveTo(const RECT& box, const RECT& rcSel) {
    m_edit.MoveWindow(box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    // The view comes back where a narrower box no longer lies; the box, a child of a window that does
    // not clip its children, is repainted with it.
    m_pParent->InvalidateRect(&rcSel, FALSE);
}

HBRUSH TextBox::PaintBackground(CDC* pDC, const CDC& view, COLORREF color) {
    // The typed text lies on the picture itself. The box asks for its colours whenever it paints: the
    // part it is about to paint gets the view under it first, so that erased characters, a selection
    // taken away and text in a former colour do not stay behind. The hollow brush then leaves that
    // background alone (a null brush would make the box fall back to the system's window colour).
    RECT clip;
    ::GetClipBox(*pDC, &clip);
    POINT origin = {0, 0};
    ::MapWindowPoints(m_edit.m_hWnd, m_pParent->m_hWnd, &origin, 1);
    ::BitBlt(*pDC, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, view, origin.x + clip.left,
             origin.y + clip.top, SRCCOPY);
    pDC->SetTextColor(color);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

std::optional<CShape> TextBox::TakeText(const ToolContext& ctx) {
    if (!m_bOpen) return std::nullopt;
    const RECT box = Rect();
    CShape shape;
    shape.nKind = SHAPE_TEXT;
    shape.nSize = ctx.size;
    shape.crColor = ctx.color;
    shape.ptFrom = m_press.value_or(POINT{box.left, box.top});
    shape.ptTo = POINT{box.right, box.bottom};
    shape.strText = m_edit.GetWindowText();
    shape.strShown = m_edit.GetTextAsShown();
    if (shape.strText.empty()) return std::nullopt;
    m_press.reset();
    ::SetWindowTextW(m_edit.m_hWnd, L"");
    return shape;
}

void TextBox::Close(HWND focusTo) {
    m_edit.ShowWindow(SW_HIDE);
    if (::GetFocus() == m_edit.m_hWnd) ::SetFocus(focusTo);
    m_bOpen = false;
}

void TextBox::Discard() {
    // A fresh capture starts without the old box: its text belonged to the marks just thrown away.
    m_edit.ShowWindow(SW_HIDE);
    ::SetWindowTextW(m_edit.m_hWnd, L"");
    if (::GetFocus() == m_edit.m_hWnd) ::SetFocus(m_pParent->m_hWnd);
    m_bOpen = false;
}
