// The tool palette on the capture window: the main bar and the option bar beside the selection, their
// buttons, images and tooltips, the current tool, colour and size, and the commands the bars issue.
// The tables and the placement rules are in palette/logic.
#include "capture/CorvaneDlg.h"

#include "palette/PointerWindow.h"
#include "palette/logic/Palette.h"

namespace {

// Both bars: flat buttons, a child row with tooltips, no margins of their own.
constexpr DWORD kBarCtrlStyle = TBSTYLE_FLAT;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

// Fills an image list with the program's icons, in order. Each icon is loaded at the list's own size,
// so the icon's image drawn for that size is used rather than a larger one scaled down.
void FillImageList(CImageList* pList, const unsigned* ids, int count) {
    pList->Create(palette::kImageSize, palette::kImageSize, ILC_COLOR32 | ILC_MASK, 1, 1);
    for (int i = 0; i < count; ++i) {
        HICON icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(ids[i]), IMAGE_ICON,
                                                     palette::kImageSize, palette::kImageSize, LR_DEFAULTCOLOR));
        pList->Add(icon);
        if (icon) ::DestroyIcon(icon);
    }
}

void CreateBar(CToolBar* pBar, CWnd* pParent, CImageList* pList, const unsigned* ids, int buttonSize) {
    pBar->CreateEx(pParent, kBarCtrlStyle, kBarStyle, RECT{0, 0, 0, 0}, AFX_IDW_TOOLBAR);
    pBar->SetButtons(ids, palette::kButtonCount);
    pBar->SetImageList(pList);
    pBar->SetSizes(SIZE{buttonSize, buttonSize}, SIZE{palette::kImageSize, palette::kImageSize});
}

}  // namespace

void CCorvaneDlg::CreateToolBars() {
    using namespace palette;
    FillImageList(&m_imlToolBar, kMainImages, kButtonCount);
    CreateBar(&m_wndToolBar, this, &m_imlToolBar, kMainButtons, kMainButtonSize);
    for (int i = 0; i < kButtonCount; ++i) {
        if (i == kMainSeparatorIndex) {
            m_wndToolBar.SetButtonInfo(i, kMainButtons[i], TBBS_SEPARATOR, kMainSeparatorWidth);
        } else {
            m_wndToolBar.SetButtonInfo(i, kMainButtons[i], i < kToolCount ? TBBS_CHECKGROUP : TBBS_BUTTON, i);
        }
    }

    FillImageList(&m_imlOptionBar, kOptionImages, kOptionImageCount);
    CreateBar(&m_wndOptionBar, this, &m_imlOptionBar, kOptionButtons, kOptionButtonSize);
    for (int i = 0; i < kButtonCount; ++i) {
        m_wndOptionBar.SetButtonInfo(i, kOptionButtons[i], i == kOptionSeparatorIndex ? TBBS_SEPARATOR : TBBS_BUTTON,
                                     kOptionImagesAtStart[i]);
    }

    m_nColorIndex = 0;
    RepositionBars(this, AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST);
    m_wndToolBar.EnableToolTips(TRUE);
    m_wndToolBar.ShowWindow(SW_HIDE);
    m_wndOptionBar.EnableToolTips(TRUE);
    m_wndOptionBar.ShowWindow(SW_HIDE);
}

void CCorvaneDlg::CreateColorIndicator() {
    m_pColorIndicator = new CPointerWindow();
    m_pColorIndicator->m_takeEndingKey = [this](const MSG* pMsg) { return TakeEndingKey(pMsg); };
    m_pColorIndicator->Create(IDD_POPUP, nullptr);
    m_pColorIndicator->ShowWindow(SW_HIDE);
}

void CCorvaneDlg::ShowPalette(bool bShow) {
    const int cmd = bShow ? SW_SHOW : SW_HIDE;
    m_wndToolBar.ShowWindow(cmd);
    m_wndOptionBar.ShowWindow(cmd);
    ShowIndicator(bShow);
}

void CCorvaneDlg::ShowIndicator(bool bShow) {
    // Never activated: the keyboard stays with the capture window.
    if (m_pColorIndicator) m_pColorIndicator->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CCorvaneDlg::PlaceToolBars(BOOL bShowInside) {
    if (!m_phase.FixedRegion()) {
        ShowPalette(false);
        UpdateWindow();
        return;
    }
    RECT rcMain, rcOption;
    m_wndToolBar.GetWindowRect(&rcMain);
    m_wndOptionBar.GetWindowRect(&rcOption);
    const palette::BarPlacement place =
        palette::PlaceBars(m_selection.Rect(), rect::Height(rcMain), rect::Height(rcOption), m_view.Height(), bShowInside != FALSE);
    if (place.hide) {
        ShowPalette(false);
        return;
    }
    MoveChild(&m_wndToolBar, place.mainBar);
    m_wndToolBar.ShowWindow(SW_SHOW);
    MoveChild(&m_wndOptionBar, place.optionBar);
    PlaceIndicator();
    if (m_nTool != TOOL_NONE) {
        ShowIndicator(true);
        m_pColorIndicator->Invalidate(FALSE);
        m_pColorIndicator->UpdateWindow();
        m_wndOptionBar.ShowWindow(SW_SHOW);
    }
    UpdateWindow();
}

void CCorvaneDlg::MoveChild(CWnd* pChild, const RECT& rc) {
    // The bars are placed again after every mouse move; one that stays put is not moved or repainted.
    RECT rcNow;
    pChild->GetWindowRect(&rcNow);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcNow), 2);
    if (rect::Equal(rcNow, rc)) return;
    pChild->MoveWindow(rc.left, rc.top, rect::Width(rc), rect::Height(rc), TRUE);
}

void CCorvaneDlg::PlaceIndicator() {
    if (!m_pColorIndicator) return;
    RECT m, p;
    m_wndToolBar.GetWindowRect(&m);
    m_wndOptionBar.GetWindowRect(&p);
    const RECT rc = palette::IndicatorRect(m, p, m_nTool);
    m_pColorIndicator->MoveWindow(rc.left, rc.top, rect::Width(rc), rect::Height(rc), TRUE);
}

void CCorvaneDlg::SelectTool(int nTool) {
    CommitText();
    m_phase.ChooseTool();
    m_nTool = nTool;
    PlaceIndicator();
    ShowIndicator(true);
    m_wndOptionBar.ShowWindow(SW_SHOW);
}

void CCorvaneDlg::SelectColor(COLORREF cr, int nIndex) {
    using namespace palette;
    if (m_nColorIndex >= 0 && m_nColorIndex < kColorCount) {
        m_wndOptionBar.SetButtonInfo(ColorButton(m_nColorIndex), kColors[m_nColorIndex].id, TBBS_BUTTON,
                                     ColorImage(m_nColorIndex, false));
    }
    if (nIndex >= 0 && nIndex < kColorCount) {
        m_wndOptionBar.SetButtonInfo(ColorButton(nIndex), kColors[nIndex].id, TBBS_BUTTON, ColorImage(nIndex, true));
    }
    m_nColorIndex = nIndex;
    m_crColor = cr;
    m_textBox.Repaint();  // a text being typed shows in the new colour
}

void CCorvaneDlg::SelectSize(int nSize) {
    m_nSize = nSize;
    m_textBox.SetFont(m_marks.Fonts().ForSize(nSize));
    if (m_textBox.IsVisible()) OnEnChangeText();  // the box fits its text in the new font
}

void CCorvaneDlg::ResetToolButtons() {
    for (int i = 0; i < palette::kToolCount; ++i) {
        m_wndToolBar.SetButtonInfo(i, palette::kToolButtons[i], TBBS_CHECKGROUP, i);
    }
}

BOOL CCorvaneDlg::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT*) {
    auto* tip = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    if (const wchar_t* text = palette::ToolTipText(static_cast<unsigned>(pNMHDR->idFrom))) {
        tip->lpszText = const_cast<wchar_t*>(text);
    }
    return TRUE;  // also for the colours, whose tooltips stay empty
}

void CCorvaneDlg::OnToolCommand(UINT nID) { SelectTool(palette::ToolForCommand(nID)); }

void CCorvaneDlg::OnColorCommand(UINT nID) {
    const int index = palette::ColorIndexForCommand(nID);
    if (index >= 0) SelectColor(palette::kColors[index].cr, index);
}

void CCorvaneDlg::OnSizeCommand(UINT nID) {
    using namespace palette;
    const int chosen = SizeButtonForCommand(nID);
    if (chosen < 0) return;
    SelectSize(kSizes[chosen].value);
    for (int b = 0; b < kSizeCount; ++b) {
        m_wndOptionBar.SetButtonInfo(b, kSizes[b].id, TBBS_BUTTON, SizeImage(b, b == chosen));
    }
}
