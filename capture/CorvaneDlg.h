// The capture window: a borderless, topmost dialog over the whole virtual screen that shows the frozen
// desktop and takes every gesture of one capture. It routes each message to the step of the capture's
// phase it belongs to; the parts own their state: the view (capture/View), the selection, the window
// finder and the magnifier (selection/), the marks and the text box (annotation/), the tool palette
// (palette/); output/ makes and hands out the picture.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "annotation/Marks.h"
#include "annotation/TextBox.h"
#include "capture/View.h"
#include "capture/logic/Keys.h"
#include "capture/logic/Phase.h"
#include "framework/Afx.h"
#include "palette/ToolPalette.h"
#include "res/resource.h"
#include "selection/MagnifierWindow.h"
#include "selection/Selection.h"
#include "selection/logic/WindowFinder.h"

// Timer that keeps the capture window in the foreground during its first seconds.
constexpr UINT_PTR TIMER_FOREGROUND = 1024;
constexpr UINT FOREGROUND_PERIOD_MS = 1000;
// Set by the first paint: the child windows are made after it.
constexpr UINT_PTR TIMER_CHILD_WINDOWS = 1025;

class CCorvaneDlg : public CDialog {
public:
    explicit CCorvaneDlg(CWnd* pParent = nullptr);
    ~CCorvaneDlg() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The parts, as they stand.
    const CapturePhase& Phase() const { return m_phase; }
    bool ToolChosen() const { return m_palette.ToolChosen(); }
    View& GetView() { return m_view; }
    Selection& GetSelection() { return m_selection; }
    Marks& GetMarks() { return m_marks; }
    TextBox& GetTextBox() { return m_textBox; }
    ToolPalette& GetPalette() { return m_palette; }
    CMagnifierWindow* GetMagnifier() { return m_magnifier.get(); }
    CWindowFinder& GetWindowFinder() { return m_windowFinder; }
    const RECT& Hovered() const { return m_rcHover; }  // the window outlined while detecting
    const CBitmap& ResultImage() const { return m_bmpResult; }
    bool ChildWindowsMade() const { return m_bChildWindowsMade; }
    int ForegroundTicks() const { return m_nForegroundTicks; }

    // Steps of the capture that its messages take.
    // Composes the selection view (frozen screen dimmed outside the selection, its frame, the marks);
    // RefreshView also repaints it, RefreshSelectionStep only what changed since the last composition.
    void ComposeView();
    void RefreshView();
    void RefreshSelectionStep();
    // The hover view: the frozen screen dimmed around rc, which is outlined. ComposeHoverView composes it
    // into the view buffer; ShowHover shows it on the window, painting only what changed.
    void ComposeHoverView(const RECT& rc);
    void ShowHover(const RECT& rc);
    // Back to the start: no region, no marks, no tool; the window under the pointer outlined.
    void ResetCapture();
    // Closes the text box, its text becoming a mark.
    void CommitText();
    void ShowPalette(bool bShow);
    // The picture of the selection with its marks (ResultImage), copied or saved: the capture ends when
    // it is out, and stays as it is when it cannot be.
    void BuildResultImage();
    void CopyResultToClipboard();
    void SaveResultToFile();

protected:
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCloseCommand();
    void OnSaveCommand();
    void OnDoneCommand();
    void OnToolCommand(UINT nID);
    void OnColorCommand(UINT nID);
    void OnSizeCommand(UINT nID);
    BOOL OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    void OnEnChangeText();
    void OnEnKillFocusText();
    void OnEnSetFocusText();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnClose();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // Takes a key the capture handles before its windows do, whichever of them has the keyboard; true
    // when the message is taken.
    bool TakeKey(const MSG* pMsg);
    // The presses, repeats and release of the keys that end the capture (Esc, Enter).
    bool TakeEndingKey(const MSG* pMsg);
    // The keys of the capture's steps: the pointer and the region by a pixel, undo, redo, copies.
    bool TakeStepKey(const MSG* pMsg);
    void MovePointerBy(const keys::Action& action);
    void EndByKey(WPARAM vk);
    // Lifecycle.
    void InitCaptureState();
    // Freezes the screen and makes the view buffer; false when either does not fit in memory.
    bool CaptureScreen();
    // The tool bars, the magnifier and the pointer window, once.
    void CreateChildWindows();
    void ForceForeground();

    // View rendering.
    void HighlightHoverWindow(CPoint point);
    // After the capture starts over: the view as the pointer's place shows it (the window under it
    // outlined), and the magnifier beside it.
    void ShowViewAtPointer();
    // The hover view for rc shown on the window whole, painted straight from the frozen screen.
    void ShowWholeHover(const RECT& rc);
    // The view painted onto the window through pDC within areas, at once: the hover view straight from
    // the frozen screen, any other from the buffer; the bars left out, the shape being dragged out over it.
    void PaintView(CDC* pDC, const std::vector<RECT>& areas);
    // Recomposes the given rectangles of the view: the frozen screen dimmed outside rcClear, then the
    // marks drawn by drawMarks clipped to them; and has them repainted.
    void RecomposeArea(const std::vector<RECT>& area, const RECT& rcClear, const std::function<void()>& drawMarks);

    // Selection: the phase changes of a new region, of tracking it, and of starting over.
    void BeginNewSelection(POINT pt);
    void DragNewSelection(UINT nFlags, POINT pt);
    // The region dragged out becomes the fixed selection, unless it has no area.
    void FinishNewSelection();
    // A move or resize by the body or a handle starts: the bars hide until it ends.
    void BeginTrack(POINT pt, int hit);
    void TrackSelection(UINT nFlags, POINT pt);
    void MoveResizeSelection(POINT pt);
    void EndTrack(POINT pt);

    // Window detection and the magnifier.
    // The magnifier beside the cursor while a region is being looked for; hidden otherwise.
    void MoveMagnifier();
    void HideMagnifier();

    // Marks and text.
    // What the tools draw with now: the selection and the pen chosen on the bars.
    ToolContext CurrentTool() const;
    // The text tool's press and release (the press of the open box's own belongs to the box).
    void TextToolDown(POINT pt);
    void TextToolUp(POINT pt);
    void OnUndo();
    // Keeps the text being typed, then brings back the mark undone last, if any.
    void RedoMark();
    void ClearShapes();
    // Puts the colour of the pixel under the pointer on the clipboard as text and ends the capture.
    void CopyColourUnderPointer();

    // Tool palette.
    // Where the bars go by the fixed selection (inside it when bShowInside and no room beside it).
    void PlaceToolBars(BOOL bShowInside);
    // Closes the text box and makes nTool the current tool.
    void SelectTool(int nTool);

    HICON m_hIcon;
    int m_nForegroundTicks = 0;
    bool m_bShowMagnifier = true;
    // What the window was last composed as (the buffer too, unless a hover view painted straight is
    // ahead of it).
    ViewShown m_viewShown;
    // Something was drawn straight onto the window (the quick look): the next step repaints it whole.
    bool m_bWindowScribbled = false;
    bool m_bChildWindowsMade = false;
    RECT m_rcHover = {0, 0, 0, 0};
    CBitmap m_bmpResult;
    HACCEL m_hAccel = nullptr;
    CWindowFinder m_windowFinder;
    // A right press inside the selection saves once the button is up, so that its release never lands
    // on the save dialog.
    bool m_bSaveOnRightRelease = false;
    // An Esc press reached the capture window or one of its children (its release may end the capture).
    bool m_bEscapePressed = false;
    // Esc or Enter held down to end the capture, which ends when it comes up; 0 when none.
    UINT m_nEndingKey = 0;
    CapturePhase m_phase;
    View m_view;
    ToolPalette m_palette;
    std::unique_ptr<CMagnifierWindow> m_magnifier;
    Selection m_selection;
    Marks m_marks;
    TextBox m_textBox;
};
