// The capture window: a borderless, topmost dialog over the whole virtual screen that shows the frozen
// desktop and takes every gesture of one capture. Its member functions live with their subsystems:
// capture/ (lifecycle, input routing, view rendering), selection/, annotation/, palette/, output/.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "annotation/Marks.h"
#include "annotation/TextBox.h"
#include "capture/View.h"
#include "capture/logic/Phase.h"
#include "framework/Afx.h"
#include "palette/ToolPalette.h"
#include "palette/logic/Palette.h"
#include "res/resource.h"
#include "selection/MagnifierWindow.h"
#include "selection/Selection.h"
#include "selection/logic/SelectionGeometry.h"
#include "selection/logic/WindowFinder.h"

class CPointerWindow;

// Timer that keeps the capture window in the foreground during its first seconds.
constexpr UINT_PTR TIMER_FOREGROUND = 1024;
constexpr UINT FOREGROUND_PERIOD_MS = 1000;

// Set by the first paint: the child windows are made after it.
constexpr UINT_PTR TIMER_CHILD_WINDOWS = 1025;

// What the view buffer was last composed as, so that a mouse step recomposes only what changes.
enum ViewKind { VIEW_NONE, VIEW_SELECTION, VIEW_HOVER };
struct ViewShown {
    int nKind = VIEW_NONE;
    RECT rc = {0, 0, 0, 0};  // the selection or the hovered rectangle
    size_t nShapes = 0;      // the marks drawn over a selection view
};

class CCorvaneDlg : public CDialog {
public:
    explicit CCorvaneDlg(CWnd* pParent = nullptr);
    ~CCorvaneDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Takes the presses, repeats and release of the keys that end the capture (Esc, Enter); true when
    // the message is taken.
    bool TakeEndingKey(const MSG* pMsg);
    void EndByKey(WPARAM vk);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Lifecycle.
    void InitCaptureState();
    // Freezes the screen and makes the view buffer; false when either does not fit in memory.
    bool CaptureScreen();
    // The tool bars, the magnifier and the pointer window, once.
    void CreateChildWindows();
    void ForceForeground();

    // View rendering.
    void ComposeView();
    void HighlightHoverWindow(CPoint point);
    // After the capture starts over: the view as the pointer's place shows it (the window under it
    // outlined), and the magnifier beside it.
    void ShowViewAtPointer();
    // Shows the view for a hovered rectangle that was rcOld before the lookup and is m_rcHover now.
    void ShowHoverChange(const RECT& rcOld);
    // The hover view: the frozen screen dimmed around m_rcHover, which is outlined.
    void ComposeHoverView();
    void DrawHoverOutline();
    // Recomposes the view and repaints the whole window at once, without erasing.
    void RefreshView();
    // The same for a step of the selection (a drag, a move, a resize): only what changed since the view
    // was last composed is recomposed and repainted, when that can be told; otherwise all of it.
    void RefreshSelectionStep();
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
    void ResetCapture();
    const CapturePhase& Phase() const { return m_phase; }
    bool ToolChosen() const { return m_palette.ToolChosen(); }
    View& GetView() { return m_view; }
    const View& GetView() const { return m_view; }
    Selection& GetSelection() { return m_selection; }
    const Selection& GetSelection() const { return m_selection; }

    // Window detection and the magnifier.
    // The magnifier beside the cursor while a region is being looked for; hidden otherwise.
    void MoveMagnifier();
    void HideMagnifier();
    CMagnifierWindow* GetMagnifier() { return m_magnifier.get(); }

    // Marks and text.
    // What the tools draw with now: the selection and the pen chosen on the bars.
    ToolContext CurrentTool() const;
    // The text tool's press and release (the press of the open box's own belongs to the box).
    void TextToolDown(POINT pt);
    void TextToolUp(POINT pt);
    // Closes the text box, its text becoming a mark.
    void CommitText();
    void OnUndo();
    void ClearShapes();
    Marks& GetMarks() { return m_marks; }
    const Marks& GetMarks() const { return m_marks; }
    TextBox& GetTextBox() { return m_textBox; }
    const TextBox& GetTextBox() const { return m_textBox; }

    // Tool palette.
    // Where the bars go by the fixed selection (inside it when bShowInside and no room beside it).
    void PlaceToolBars(BOOL bShowInside);
    // Shows or hides both bars and the pointer window.
    void ShowPalette(bool bShow);
    // Closes the text box and makes nTool the current tool.
    void SelectTool(int nTool);
    ToolPalette& GetPalette() { return m_palette; }
    const ToolPalette& GetPalette() const { return m_palette; }

    // Output.
    void BuildResultImage();
    void CopyResultToClipboard();
    void SaveResultToFile();

    // State, in the order the capture's parts rely on (see each subsystem for its fields' use).
    HICON m_hIcon;
    int m_nForegroundTicks = 0;
    bool m_bShowMagnifier = true;
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
    CapturePhase m_phase;
    View m_view;
    ToolPalette m_palette;
    std::unique_ptr<CMagnifierWindow> m_magnifier;
    Selection m_selection;
    Marks m_marks;
    TextBox m_textBox;
};
