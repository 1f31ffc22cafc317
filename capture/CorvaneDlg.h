// The capture window: a borderless, topmost dialog over the whole virtual screen that shows the frozen
// desktop and takes every gesture of one capture. Its member functions live with their subsystems:
// capture/ (lifecycle, input routing, view rendering), selection/, annotation/, palette/, output/.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "annotation/logic/Shape.h"
#include "capture/logic/Dimming.h"
#include "framework/Afx.h"
#include "res/resource.h"
#include "selection/logic/SelectionGeometry.h"
#include "selection/logic/WindowFinder.h"

class CMagnifierWindow;
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
    void CreateDimBitmap();
    void CreateTextEdit();
    // The tool bars, the magnifier and the pointer window, once.
    void CreateChildWindows();
    void ForceForeground();

    // View rendering.
    void ComposeView();
    // Blends black at 100/255 over the parts of dc outside rc (a surface of the view's size).
    void DimOutside(HDC dc, RECT rc);
    void BlendDim(HDC dc, const RECT& rc);
    void HighlightHoverWindow(CPoint point);
    // After the capture starts over: the view as the pointer's place shows it (the window under it
    // outlined), and the magnifier beside it.
    void ShowViewAtPointer();
    // Shows the view for a hovered rectangle that was rcOld before the lookup and is m_rcHover now.
    void ShowHoverChange(const RECT& rcOld);
    // The hover view: the frozen screen dimmed around m_rcHover, which is outlined.
    void ComposeHoverView();
    void DrawHoverOutline();
    // Learns from the platform's blend what dimming makes of each byte value (m_dimTable).
    void CreateDimTable();
    // The view buffer becomes the frozen screen, dimmed outside rc (within area only, when given).
    void CopyScreenDimmedOutside(const RECT& rc);
    void CopyScreenDimmedOutside(const RECT& rc, const RECT& area);
    // Recomposes the view and repaints the whole window at once, without erasing.
    void RefreshView();
    // The same for a step of the selection (a drag, a move, a resize): only what changed since the view
    // was last composed is recomposed and repainted, when that can be told; otherwise all of it.
    void RefreshSelectionStep();
    // Recomposes the given rectangles of the view: the frozen screen dimmed outside rcClear, then the
    // marks drawn by drawMarks clipped to them; and has them repainted.
    void RecomposeArea(const std::vector<RECT>& area, const RECT& rcClear, const std::function<void()>& drawMarks);

    // Selection.
    void RectFromPoints(POINT a, POINT b, RECT* out);
    int HitTestSelection(POINT pt);
    void GetHandleRect(int x, int y, RECT* out);
    HCURSOR GetTrackCursor(int hit);
    void UpdateSelectionCursor(UINT nFlags, POINT pt);
    void BeginNewSelection(POINT pt);
    void DragNewSelection(UINT nFlags, POINT pt);
    void FinishNewSelection(POINT pt);
    void BeginTrack(POINT pt, int hit);
    void HideBarsForTrack();
    void TrackSelection(UINT nFlags, POINT pt);
    void MoveResizeSelection(POINT pt);
    void EndTrack(POINT pt);
    void DrawSelectionFrame(CDC* pDC);
    void DrawHandle(CDC* pDC, int x, int y);
    // The size label of a selection, its box fitted to its text in the view's font.
    selection::SizeLabel SizeLabelOf(const RECT& rc);
    void ResetCapture();

    // Window detection and the magnifier.
    void CreateMagnifier();
    void MoveMagnifier();
    void HideMagnifier();

    // Drawing tools: press, move and release of the arrow, rectangle, ellipse and pen.
    POINT ClampToSelection(POINT pt);
    void ArrowToolDown(POINT pt);
    void PenToolDown(POINT pt);
    void EllipseToolDown(POINT pt);
    void RectToolDown(POINT pt);
    void BoxToolDown(int nTool, POINT pt);
    void RectToolMove(CDC* pDC, UINT nFlags, POINT pt);
    void ArrowToolMove(CDC* pDC, UINT nFlags, POINT pt);
    void PenToolMove(CDC* pDC, UINT nFlags, POINT pt);
    void EllipseToolMove(CDC* pDC, UINT nFlags, POINT pt);
    void ArrowToolUp(POINT pt);
    void PenToolUp(POINT pt);
    void RectToolUp(POINT pt);
    void EllipseToolUp(POINT pt);
    // Whether a move drags an armed tool that is the current one.
    bool ToolDrags(int nTool, POINT ptFrom, UINT nFlags) const;
    void CommitShape(int nKind, POINT ptFrom, POINT ptTo, std::vector<POINT> points = {});
    // Repaints the selection area: the view with the preview over it.
    void ShowPreview();

    // Shape rendering.
    void DrawShape(CDC* pDC, const CShape& shape);
    // Draws the shape onto a DC whose pixel (0, 0) shows the view's point origin.
    void DrawShapeAt(CDC* pDC, const CShape& shape, POINT origin);
    void DrawAllShapes(CDC* pDC);

    // Text tool.
    void TextToolDown(POINT pt);
    void TextToolUp(POINT pt);
    void CommitText();
    RECT EditRectInView();
    void MoveTextBox(const RECT& box);
    // Closes the box without keeping its text, for a capture that starts over.
    void DiscardText();

    // Shapes.
    void OnUndo();
    void ClearShapes();
    void UpdateShapesBounds();
    static bool IsPointSet(POINT pt);

    // Tool palette.
    void CreateToolBars();
    void CreateColorIndicator();
    void PlaceToolBars(BOOL bShowInside);
    void PlaceIndicator();
    void SelectTool(int nTool);
    void SelectColor(COLORREF cr, int nIndex);
    void SelectSize(int nSize);
    CFont* GetFontForSize(int nSize);
    void ResetToolButtons();
    // Shows or hides both bars and the pointer window.
    void ShowPalette(bool bShow);
    void ShowIndicator(bool bShow);
    // Moves a child window to rc (view coordinates) unless it is there already.
    void MoveChild(CWnd* pChild, const RECT& rc);

    // Output.
    void BuildResultImage();
    void CopyResultToClipboard();
    void SaveResultToFile();
    // Writes the result image to path in the format its extension names; S_OK or the reason it failed.
    HRESULT WriteResultFile(const std::wstring& path, const std::wstring& ext);

    // State, in the order the capture's parts rely on (see each subsystem for its fields' use).
    HICON m_hIcon;
    int m_nForegroundTicks = 0;
    int m_nColorIndex = 0;
    COLORREF m_crColor = 0x000000FF;
    int m_nSize = 2;
    CFont m_fontLarge;
    CFont m_fontMedium;
    CFont m_fontSmall;
    int m_cxScreen = 0;
    int m_cyScreen = 0;
    RECT m_rcScreen = {0, 0, 0, 0};
    bool m_bNewSelection = true;
    bool m_bEditingText = false;
    int m_nTool = 0;
    bool m_bHasSelection = false;
    bool m_bWindowDetect = true;
    bool m_bShowMagnifier = true;
    bool m_bToolChosen = false;
    bool m_bTracking = false;
    POINT m_ptTrackStart = {0, 0};
    POINT m_ptAnchor = {0, 0};
    int m_nTrackHit = 0;
    // Each buffer's DC owns its bitmap and releases the pair in order; the m_bmp names read the bitmaps.
    CBitmapDC m_dcScreen;
    const CBitmap& m_bmpScreen = m_dcScreen.GetBitmap();
    CBitmapDC m_dcView;
    const CBitmap& m_bmpView = m_dcView.GetBitmap();
    // The dimming's level of each byte value, as the platform's blend makes it; m_bDimRounded when that
    // is plain rounding, which a faster pass computes. Without the table views are blended through GDI.
    // Dimmed rows go through the strip into the view.
    CBitmapDC m_dcDimStrip;
    dimming::DimTable m_dimTable = {};
    bool m_bDimTable = false;
    bool m_bDimRounded = false;
    ViewShown m_viewShown;
    // Something was drawn straight onto the window (the quick look): the next step repaints it whole.
    bool m_bWindowScribbled = false;
    bool m_bChildWindowsMade = false;
    CEdit m_edit;
    POINT m_ptSelStart = {0, 0};
    POINT m_ptSelEnd = {0, 0};
    POINT m_ptLineFrom = {0, 0};
    POINT m_ptLineTo = {0, 0};
    POINT m_ptBoxFrom = {0, 0};
    POINT m_ptBoxTo = {0, 0};
    POINT m_ptPenFrom = {0, 0};
    POINT m_ptPenTo = {0, 0};
    POINT m_ptLastMouse = {0, 0};
    RECT m_rcHover = {0, 0, 0, 0};
    HBITMAP m_hDimBitmap = nullptr;
    CBitmap m_bmpResult;
    HACCEL m_hAccel = nullptr;
    CToolBar m_wndToolBar;
    CToolBar m_wndOptionBar;
    RECT m_rcSelection = {0, 0, 0, 0};
    ShapeList m_shapes;
    std::vector<POINT> m_penPoints;
    CShape m_shapeCurrent;
    CWindowFinder m_windowFinder;
    CImageList m_imlToolBar;
    CImageList m_imlOptionBar;
    CMagnifierWindow* m_pMagnifier = nullptr;
    CPointerWindow* m_pColorIndicator = nullptr;
    int m_cxPrimary = 0;
    int m_cyPrimary = 0;
    RECT m_rcShapesBounds = {0, 0, 0, 0};
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
};
