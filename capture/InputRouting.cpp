// Input routing: every mouse, keyboard and timer message of the capture goes to the step of the phase
// it belongs to; the child windows are made with the first input or after the first paint.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"
#include "palette/logic/Palette.h"
#include "selection/logic/SelectionGeometry.h"

BEGIN_MESSAGE_MAP(CCorvaneDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYUP()
    ON_WM_TIMER()
    ON_COMMAND(IDC_SAVE_BUTTON, OnSaveCommand)
    ON_COMMAND(ID_SAVE, OnSaveCommand)
    ON_COMMAND_RANGE(ID_TOOL_ARROW, ID_TOOL_ARROW, OnToolCommand)
    ON_COMMAND_RANGE(ID_TOOL_ELLIPSE, ID_TOOL_ELLIPSE, OnToolCommand)
    ON_COMMAND_RANGE(ID_TOOL_RECT, ID_TOOL_RECT, OnToolCommand)
    ON_COMMAND_RANGE(ID_TOOL_PEN, ID_TOOL_PEN, OnToolCommand)
    ON_COMMAND_RANGE(ID_TOOL_TEXT, ID_TOOL_TEXT, OnToolCommand)
    ON_COMMAND(ID_UNDO, OnUndo)
    ON_COMMAND(ID_CLOSE, OnCloseCommand)
    ON_COMMAND(ID_DONE, OnDoneCommand)
    ON_COMMAND_RANGE(ID_SIZE_SMALL, ID_SIZE_SMALL, OnSizeCommand)
    ON_COMMAND_RANGE(ID_SIZE_MEDIUM, ID_SIZE_MEDIUM, OnSizeCommand)
    ON_COMMAND_RANGE(ID_SIZE_LARGE, ID_SIZE_LARGE, OnSizeCommand)
    ON_COMMAND_RANGE(ID_COLOR_RED, ID_COLOR_RED, OnColorCommand)
    ON_COMMAND_RANGE(ID_COLOR_BLUE, ID_COLOR_BLUE, OnColorCommand)
    ON_COMMAND_RANGE(ID_COLOR_GREEN, ID_COLOR_GREEN, OnColorCommand)
    ON_COMMAND_RANGE(ID_COLOR_YELLOW, ID_COLOR_YELLOW, OnColorCommand)
    ON_COMMAND_RANGE(ID_COLOR_BLACK, ID_COLOR_BLACK, OnColorCommand)
    ON_COMMAND_RANGE(ID_COLOR_WHITE, ID_COLOR_WHITE, OnColorCommand)
    ON_WM_CTLCOLOR()
    ON_EN_CHANGE(IDC_TEXT_EDIT, OnEnChangeText)
    ON_EN_KILLFOCUS(IDC_TEXT_EDIT, OnEnKillFocusText)
    ON_EN_SETFOCUS(IDC_TEXT_EDIT, OnEnSetFocusText)
    // The bars' tooltips ask with the button's command id as the sender's id.
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipNeedText)
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CCorvaneDlg::OnLButtonDown(UINT, CPoint point) {
    if (!m_phase.FixedRegion()) HideMagnifier();
    BeginNewSelection(point);
    if (m_phase.FixedRegion()) {
        const int hit = m_selection.HitTest(point);
        const bool onHandle = hit >= HIT_TOPLEFT && hit <= HIT_LEFT;
        // Before the first release (a selection held by a right click while windows are still being
        // detected) a press does not track: its release belongs to the window pick, which would leave
        // the tracking on with the button up.
        if (!m_phase.Detecting() && (onHandle || (hit == HIT_BODY && !ToolChosen()))) {
            BeginTrack(point, hit);
        } else {
            if (m_marks.Press(m_palette.Tool(), point, CurrentTool())) {
                Invalidate(FALSE);
                UpdateWindow();
            }
            if (m_palette.Tool() == TOOL_TEXT) TextToolDown(point);
        }
        // The drag ends here wherever the button comes up: released over a tool bar, it would go to the
        // bar and leave a mark half made.
        ::SetCapture(m_hWnd);
    }
    Default();
}

void CCorvaneDlg::OnMouseMove(UINT nFlags, CPoint point) {
    CWindowDC dc(this);  // the pen's live stroke goes straight onto the window
    if (m_phase.Detecting() && !IsLeftDrag(nFlags)) {
        HighlightHoverWindow(point);
        MoveMagnifier();
    } else if (m_phase.NewRegion()) {
        DragNewSelection(nFlags, point);
        MoveMagnifier();
    } else if (m_selection.Tracking()) {
        TrackSelection(nFlags, point);
    } else {
        m_selection.UpdateCursor(point, ToolChosen());
        if (m_marks.Move(m_palette.Tool(), point, IsLeftDrag(nFlags), CurrentTool(), &dc)) {
            // The selection repainted at once, straight onto the window: the view with the preview over it.
            PaintView(&dc, {m_selection.Rect()});
        }
        PlaceToolBars(!IsLeftDrag(nFlags));
    }
    Default();
}

void CCorvaneDlg::OnLButtonUp(UINT, CPoint point) {
    if (::GetCapture() == m_hWnd && !m_bSaveOnRightRelease) ::ReleaseCapture();
    if (m_phase.Detecting()) {
        // The first release of the capture ends window detection.
        m_phase.EndDetection();
        if (rect::SamePoint(m_selection.NewStart(), m_selection.NewEnd())) {
            // A click without a drag picks the window under the point.
            if (!m_windowFinder.FindWindowRectAt(point, &m_rcHover)) ::SetRectEmpty(&m_rcHover);
            m_selection.SetRect(m_rcHover);
        } else if (rect::SamePoint(m_selection.NewEnd(), point)) {
            m_phase.Fix();
        }
        FinishNewSelection();
    } else if (m_selection.Tracking()) {
        EndTrack(point);
        m_selection.UpdateCursor(point, ToolChosen());
    } else if (rect::SamePoint(m_selection.NewEnd(), point)) {
        // Released where the rubber band last was: fixed, even when it is only a line.
        m_phase.Fix();
        FinishNewSelection();
    } else {
        m_marks.Release(m_palette.Tool(), point, CurrentTool());
        if (m_palette.Tool() == TOOL_TEXT) TextToolUp(point);
    }
    ComposeView();
    m_marks.EndPreview();  // the preview ends with the button
    PlaceToolBars(TRUE);
    Invalidate(FALSE);
    UpdateWindow();
    Default();
}

void CCorvaneDlg::OnRButtonDown(UINT, CPoint point) {
    if (m_selection.Contains(point)) {
        // The save dialog opens at the release: opened now, it would receive the release itself (over
        // its file list that opens a menu). The release comes here wherever the pointer then is.
        m_bSaveOnRightRelease = true;
        ::SetCapture(m_hWnd);
    } else {
        if (!m_phase.FixedRegion()) {
            // Hold whatever is selected now, even nothing, as the fixed selection.
            m_phase.Fix();
        } else {
            ClearShapes();
        }
        Invalidate(FALSE);
        UpdateWindow();
    }
    Default();
}

void CCorvaneDlg::OnRButtonUp(UINT, CPoint) {
    if (m_bSaveOnRightRelease) {
        m_bSaveOnRightRelease = false;
        ::ReleaseCapture();
        CommitText();  // the text being typed is part of what is saved, as with every other way to save
        BuildResultImage();
        SaveResultToFile();
    }
    Default();
}

void CCorvaneDlg::OnLButtonDblClk(UINT, CPoint point) {
    if (m_selection.Contains(point)) {
        CommitText();
        BuildResultImage();
        CopyResultToClipboard();
    }
    Default();
}

void CCorvaneDlg::OnSaveCommand() {
    CommitText();
    BuildResultImage();
    SaveResultToFile();
}

void CCorvaneDlg::OnDoneCommand() {
    CommitText();
    BuildResultImage();
    CopyResultToClipboard();
}

void CCorvaneDlg::OnMButtonDblClk(UINT, CPoint) {
    // A quick look at the selected area in the corner; the next repaint removes it.
    CClientDC dc(this);
    const RECT& rc = m_selection.Rect();
    dc.BitBlt(0, 0, rect::Width(rc), rect::Height(rc), &dc, rc.left, rc.top, SRCCOPY);
    m_bWindowScribbled = true;
    Default();
}

BOOL CCorvaneDlg::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }

void CCorvaneDlg::OnKeyUp(UINT nChar, UINT, UINT) {
    if (nChar == VK_ESCAPE) {
        // Only the release of a press this window saw: an Esc that closed the save dialog, a message box
        // or a menu was pressed there, and its release must not end the capture behind it.
        if (m_bEscapePressed) ::PostQuitMessage(1);
        m_bEscapePressed = false;
    } else {
        Default();
    }
}

LRESULT CCorvaneDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A click, a key or a command that comes before the first paint finds the child windows made. A
    // mouse move does not wait for them: it outlines the window under the pointer at once, and the
    // magnifier joins on a later move.
    if (!m_bChildWindowsMade && ((msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
                                 (msg > WM_MOUSEMOVE && msg <= WM_MOUSELAST) || msg == WM_COMMAND)) {
        CreateChildWindows();
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

BOOL CCorvaneDlg::PreTranslateMessage(MSG* pMsg) {
    if (TakeKey(pMsg)) return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) m_bEscapePressed = true;
    if (pMsg->message == WM_KEYDOWN && m_textBox.IsBox(pMsg->hwnd)) {
        // A multi-line box in a dialog would turn Esc into WM_CLOSE, the orderly end that reports
        // success, and Enter into the default button, which abandons every mark. Esc ends the capture
        // as it does everywhere else; Enter closes the box as a click elsewhere does. Ctrl+Enter stays
        // the box's own line break.
        if (pMsg->wParam == VK_ESCAPE) {
            ::PostQuitMessage(1);
            return TRUE;
        }
        if (pMsg->wParam == VK_RETURN && ::GetKeyState(VK_CONTROL) >= 0) {
            CommitText();
            return TRUE;
        }
    }
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && IsCaretKey(pMsg->wParam) && m_textBox.IsOpen()) {
        const BOOL result = CDialog::PreTranslateMessage(pMsg);
        // The edit control is repainted whole so that the caret's old place does not linger.
        const RECT rc = m_textBox.Rect();
        InvalidateRect(&rc, TRUE);
        return result;
    }
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

bool CCorvaneDlg::TakeKey(const MSG* pMsg) { return TakeEndingKey(pMsg) || TakeStepKey(pMsg); }

bool CCorvaneDlg::TakeStepKey(const MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN) return false;
    // Every key the text box gets stays the box's.
    if (m_textBox.IsBox(::GetFocus())) return false;
    keys::Situation now;
    now.regionFixed = m_phase.FixedRegion();
    // Every drag of a fixed region holds the mouse (so does a right press that saves at its release).
    now.buttonDown = ::GetCapture() == m_hWnd;
    now.tracking = m_selection.Tracking();
    now.toolChosen = ToolChosen();
    now.magnifierShown = m_magnifier && m_magnifier->IsWindowVisible();
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    const keys::Action action =
        keys::ForKey(static_cast<unsigned>(pMsg->wParam), ctrl, shift, ::GetKeyState(VK_MENU) < 0, now);
    switch (action.step) {
    case keys::Step::None:
        return false;
    case keys::Step::MovePointer:
        MovePointerBy(action);
        break;
    case keys::Step::MoveRegion:
    case keys::Step::ResizeRegion: {
        const RECT bounds = m_marks.Bounds();
        m_selection.SetRect(keys::StepRegion(action, m_selection.Rect(), m_view.Width(), m_view.Height(),
                                             m_marks.Empty() ? nullptr : &bounds));
        RefreshSelectionStep();
        PlaceToolBars(TRUE);
        break;
    }
    case keys::Step::Undo:
        OnUndo();
        break;
    case keys::Step::Redo:
        RedoMark();
        break;
    case keys::Step::Copy:
        OnDoneCommand();
        break;
    case keys::Step::CopyColour:
        CopyColourUnderPointer();
        break;
    }
    return true;
}

void CCorvaneDlg::MovePointerBy(const keys::Action& action) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    const POINT to = keys::StepPointer(action, cursor, m_view.Screen());
    ::SetCursorPos(to.x, to.y);
    // The move as the mouse would make it, with the buttons and keys held now: the outline, the
    // magnifier, a drag under way and a tool's preview follow it.
    UINT flags = 0;
    if (::GetKeyState(VK_LBUTTON) < 0) flags |= MK_LBUTTON;
    if (::GetKeyState(VK_RBUTTON) < 0) flags |= MK_RBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(to.x - m_view.Screen().left, to.y - m_view.Screen().top));
}

bool CCorvaneDlg::TakeEndingKey(const MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_KEYUP) return false;
    const WPARAM vk = pMsg->wParam;
    if (vk != VK_ESCAPE && vk != VK_RETURN) return false;
    if (pMsg->message == WM_KEYUP) {
        if (m_nEndingKey != vk) return false;
        m_nEndingKey = 0;
        EndByKey(vk);
        return true;
    }
    // Enter in the box keeps the text, Ctrl+Enter breaks its line (and repeats, held).
    if (vk == VK_RETURN && m_textBox.IsBox(pMsg->hwnd)) return false;
    // The repeats of a held Esc or Enter do nothing: the key's first press has done what it does.
    if (IsKeyRepeat(pMsg->lParam)) return true;
    // A key that is really down ends the capture when it comes up. Ended at its press, the capture
    // would leave its repeats and its release to whatever program gets the keyboard next (a held
    // Enter types line breaks into the document beneath).
    if (::GetKeyState(static_cast<int>(vk)) >= 0) return false;  // not a key of the keyboard: at once
    m_nEndingKey = static_cast<UINT>(vk);
    return true;
}

void CCorvaneDlg::EndByKey(WPARAM vk) {
    if (vk == VK_ESCAPE) {
        ::PostQuitMessage(1);
    } else {
        // What the dialog makes of Enter: its default command, which abandons the capture.
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    }
}

void CCorvaneDlg::CreateChildWindows() {
    if (m_bChildWindowsMade) return;
    m_bChildWindowsMade = true;
    // Made while the capture is already up, a popup dialog takes the activation as it is made; the
    // keyboard stays with the capture.
    const bool bActive = ::GetActiveWindow() == m_hWnd;
    m_palette.CreateBars(this);
    m_magnifier = std::make_unique<CMagnifierWindow>();
    // One frozen screen for the view and the magnifier.
    m_magnifier->CreateHidden(&m_view.Frozen(), [this](const MSG* pMsg) { return TakeKey(pMsg); });
    m_palette.CreatePointer([this](const MSG* pMsg) { return TakeKey(pMsg); });
    if (bActive && ::GetActiveWindow() != m_hWnd) ::SetActiveWindow(m_hWnd);
    AfxPhaseDone("child windows");
}

void CCorvaneDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_CHILD_WINDOWS) {
        ::KillTimer(m_hWnd, TIMER_CHILD_WINDOWS);
        CreateChildWindows();
        return;
    }
    if (nIDEvent == TIMER_FOREGROUND && ForegroundTickForces(m_nForegroundTicks)) {
        ++m_nForegroundTicks;
        ForceForeground();
    }
    Default();
}
