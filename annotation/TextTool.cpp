// The text tool: a click inside the selection opens the edit box there; the box shows the typed text in
// the current colour straight over the frozen picture and grows with it; a press elsewhere, a tool
// choice, undo, save or done turn the text into a text shape. The fit arithmetic is drawing::FitTextBox.
#include "capture/CorvaneDlg.h"

#include <algorithm>
#include <cstdlib>

#include "annotation/logic/Drawing.h"
#include "palette/logic/Palette.h"

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

RECT CCorvaneDlg::EditRectInView() {
    RECT rc;
    m_edit.GetWindowRect(&rc);
    ::OffsetRect(&rc, -m_rcScreen.left, -m_rcScreen.top);
    return rc;
}

void CCorvaneDlg::TextToolDown(POINT pt) {
    if (m_nTool != TOOL_TEXT) return;
    if (m_bEditingText) {
        const RECT box = EditRectInView();
        if (::PtInRect(&box, pt)) return;  // the press belongs to the box: caret or text selection
        CommitText();
    }
    if (::PtInRect(&m_rcSelection, pt)) {
        m_ptBoxFrom = pt;
        m_ptBoxTo = pt;
    }
}

void CCorvaneDlg::TextToolUp(POINT pt) {
    if (m_nTool != TOOL_TEXT) return;
    if (!::PtInRect(&m_rcSelection, pt) || m_bEditingText || !IsClick(m_ptBoxFrom, pt)) return;
    // The box opens where the button went down, not where it came up.
    m_edit.MoveWindow(m_ptBoxFrom.x, m_ptBoxFrom.y, kNewBoxWidth, kNewBoxHeight, TRUE);
    m_edit.SetFont(GetFontForSize(m_nSize), TRUE);
    OnEnChangeText();
    m_edit.ShowWindow(SW_SHOW);
    ::SetFocus(m_edit.m_hWnd);  // EN_SETFOCUS marks the box open
}

void CCorvaneDlg::OnEnChangeText() {
    const std::wstring text = m_edit.GetWindowText();
    // A window DC rather than a paint DC: measuring must not validate what is waiting to be painted.
    CClientDC dc(this);
    HGDIOBJ oldFont = dc.SelectObject(GetFontForSize(m_nSize));
    int width = kEmptyTextWidth;
    if (!text.empty()) {
        RECT frame = kMeasureFrame;
        dc.DrawText(text, &frame, DT_CALCRECT);
        width = frame.right - frame.left;
    }
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    dc.SelectObject(oldFont);
    const RECT box = drawing::FitTextBox(EditRectInView(), width, m_rcSelection);
    // The box grows to show every line it wraps its text into at that width (the caret's line, when
    // empty), so that the text drawn in its rectangle at the commit keeps all of them: the box itself
    // tells how many there are, once it has the width.
    m_edit.MoveWindow(box.left, box.top, rect::Width(box), rect::Height(box), FALSE);
    const LONG lines = std::max<LONG>(1, static_cast<LONG>(m_edit.SendMessage(EM_GETLINECOUNT)));
    MoveTextBox(drawing::GrowToText(box, lines * tm.tmHeight + 2 * kBoxBorder + kLineSlack, m_rcSelection));
    // The room the box lays its lines out in can be less than its inside (a bordered edit control keeps
    // a little more inside its border once it is tall enough): grow by the lines it still lacks.
    for (int i = 0; i < 2; ++i) {
        RECT room = {0, 0, 0, 0};
        m_edit.SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        const LONG missing = lines * tm.tmHeight - rect::Height(room);
        const RECT now = EditRectInView();
        const RECT grown = drawing::GrowToText(now, rect::Height(now) + missing, m_rcSelection);
        if (missing <= 0 || rect::Equal(grown, now)) break;
        MoveTextBox(grown);
    }
    // While the box was narrower than its text (before this fit), it wrapped the newest character onto
    // a line below and scrolled to it; with the room it has now, its text shows from the top.
    m_edit.ScrollToTop();
}

void CCorvaneDlg::MoveTextBox(const RECT& box) {
    m_edit.MoveWindow(box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    // The view comes back where a narrower box no longer lies; the box, a child of a window that does
    // not clip its children, is repainted with it.
    InvalidateRect(&m_rcSelection, FALSE);
}

void CCorvaneDlg::OnEnSetFocusText() {
    if (m_edit.IsWindowVisible()) m_bEditingText = true;
}

void CCorvaneDlg::OnEnKillFocusText() {
    // The box stays open without the focus: a click on a tool bar button must not lose the text.
}

HBRUSH CCorvaneDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
    const auto result = reinterpret_cast<HBRUSH>(Default());
    if (!pWnd || ::GetDlgCtrlID(pWnd->m_hWnd) != IDC_TEXT_EDIT) return result;
    // The typed text lies on the picture itself. The box asks for its colours whenever it paints: the
    // part it is about to paint gets the view under it first, so that erased characters, a selection
    // taken away and text in a former colour do not stay behind. The hollow brush then leaves that
    // background alone (a null brush would make the box fall back to the system's window colour).
    RECT clip;
    ::GetClipBox(*pDC, &clip);
    POINT origin = {0, 0};
    ::MapWindowPoints(pWnd->m_hWnd, m_hWnd, &origin, 1);
    ::BitBlt(*pDC, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, m_dcView,
             origin.x + clip.left, origin.y + clip.top, SRCCOPY);
    pDC->SetTextColor(m_crColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

void CCorvaneDlg::CommitText() {
    if (m_bEditingText) {
        const RECT box = EditRectInView();
        auto shape = std::make_unique<CShape>();
        shape->nKind = SHAPE_TEXT;
        shape->nSize = m_nSize;
        shape->crColor = m_crColor;
        shape->ptFrom = m_ptBoxFrom;
        shape->ptTo = POINT{box.right, box.bottom};
        shape->strText = m_edit.GetWindowText();
        shape->strShown = m_edit.GetTextAsShown();
        if (!shape->strText.empty()) {
            m_shapes.push_back(std::move(shape));
            m_ptBoxFrom = POINT{0, 0};
            ::SetWindowTextW(m_edit.m_hWnd, L"");
            ComposeView();
        }
    }
    // Hiding the box uncovers the view, where the new shape is drawn now.
    m_edit.ShowWindow(SW_HIDE);
    // The keyboard leaves the hidden box for the main tool bar, so that keys reach the capture again.
    if (::GetFocus() == m_edit.m_hWnd) ::SetFocus(m_wndToolBar.m_hWnd);
    m_bEditingText = false;
}

void CCorvaneDlg::DiscardText() {
    // A fresh capture starts without the old box: its text belonged to the marks just thrown away.
    m_edit.ShowWindow(SW_HIDE);
    ::SetWindowTextW(m_edit.m_hWnd, L"");
    if (::GetFocus() == m_edit.m_hWnd) ::SetFocus(m_hWnd);
    m_bEditingText = false;
}
