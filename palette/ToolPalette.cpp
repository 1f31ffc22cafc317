// The tool palette: making the bars and the pointer window, the choices of tool, colour and size, and
// placing the bars by the selection.
#include "palette/ToolPalette.h"

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

ToolPalette::ToolPalette() = default;

ToolPalette::~ToolPalette() = default;

void ToolPalette::CreateBars(CWnd* pParent) {
    using namespace palette;
    m_pParent = pParent;
    FillImageList(&m_mainImages, kMainImages, kButtonCount);
    CreateBar(&m_mainBar, pParent, &m_mainImages, kMainButtons, kMainButtonSize);
    for (int i = 0; i < kButtonCount; ++i) {
        if (i == kMainSeparatorIndex) {
            m_mainBar.SetButtonInfo(i, kMainButtons[i], TBBS_SEPARATOR, kMainSeparatorWidth);
        } else {
            m_mainBar.SetButtonInfo(i, kMainButtons[i], i < kToolCount ? TBBS_CHECKGROUP : TBBS_BUTTON, i);
        }
    }

    FillImageList(&m_optionImages, kOptionImages, kOptionImageCount);
    CreateBar(&m_optionBar, pParent, &m_optionImages, kOptionButtons, kOptionButtonSize);
    for (int i = 0; i < kButtonCount; ++i) {
        m_optionBar.SetButtonInfo(i, kOptionButtons[i], i == kOptionSeparatorIndex ? TBBS_SEPARATOR : TBBS_BUTTON,
                                  kOptionImagesAtStart[i]);
    }

    m_nColorIndex = 0;
    RepositionBars(pParent, AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST);
    m_mainBar.EnableToolTips(TRUE);
    m_mainBar.ShowWindow(SW_HIDE);
    m_optionBar.EnableToolTips(TRUE);
    m_optionBar.ShowWindow(SW_HIDE);
}

void ToolPalette::CreatePointer(std::function<bool(const MSG*)> takeKey) {
    m_pointer = std::make_unique<CPointerWindow>();
    m_pointer->m_takeKey = std::move(takeKey);
    m_pointer->Create(IDD_POPUP, nullptr);
    m_pointer->ShowWindow(SW_HIDE);
}

void ToolPalette::Show(bool bShow) {
    const int cmd = bShow ? SW_SHOW : SW_HIDE;
    m_mainBar.ShowWindow(cmd);
    m_optionBar.ShowWindow(cmd);
    ShowPointer(bShow);
}

void ToolPalette::ShowPointer(bool bShow) {
    // Never activated: the keyboard stays with the capture window.
    if (m_pointer) m_pointer->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool ToolPalette::Place(const RECT& rcSel, int cyView, bool showInside) {
    RECT rcMain, rcOption;
    m_mainBar.GetWindowRect(&rcMain);
    m_optionBar.GetWindowRect(&rcOption);
    const palette::BarPlacement place =
        palette::PlaceBars(rcSel, rect::Height(rcMain), rect::Height(rcOption), cyView, showInside);
    if (place.hide) {
        Show(false);
        return false;
    }
    MoveBar(&m_mainBar, place.mainBar);
    m_mainBar.ShowWindow(SW_SHOW);
    MoveBar(&m_optionBar, place.optionBar);
    PlacePointer();
    if (m_nTool != TOOL_NONE && m_pointer) {
        ShowPointer(true);
        m_pointer->Invalidate(FALSE);
        m_pointer->UpdateWindow();
        m_optionBar.ShowWindow(SW_SHOW);
    }
    return true;
}

void ToolPalette::ExcludeBars(HDC dc) const {
    for (const CToolBar* bar : {&m_mainBar, &m_optionBar}) {
        if (!bar->IsWindowVisible()) continue;
        RECT rc;
        bar->GetWindowRect(&rc);
        ::MapWindowPoints(nullptr, m_pParent->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        ::ExcludeClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    }
}

void ToolPalette::MoveBar(CToolBar* pBar, const RECT& rc) {
    // The bars are placed again after every mouse move; one that stays put is not moved or repainted.
    RECT rcNow;
    pBar->GetWindowRect(&rcNow);
    ::MapWindowPoints(nullptr, m_pParent->m_hWnd, reinterpret_cast<POINT*>(&rcNow), 2);
    if (rect::Equal(rcNow, rc)) return;
    pBar->MoveWindow(rc.left, rc.top, rect::Width(rc), rect::Height(rc), TRUE);
}

void ToolPalette::PlacePointer() {
    if (!m_pointer) return;
    RECT m, p;
    m_mainBar.GetWindowRect(&m);
    m_optionBar.GetWindowRect(&p);
    const RECT rc = palette::IndicatorRect(m, p, m_nTool);
    m_pointer->MoveWindow(rc.left, rc.top, rect::Width(rc), rect::Height(rc), TRUE);
}

void ToolPalette::ChooseTool(int nTool) {
    m_nTool = nTool;
    PlacePointer();
    ShowPointer(true);
    m_optionBar.ShowWindow(SW_SHOW);
}

void ToolPalette::ChooseColor(int nIndex) {
    using namespace palette;
    if (nIndex < 0 || nIndex >= kColorCount) return;
    if (m_nColorIndex >= 0 && m_nColorIndex < kColorCount) {
        m_optionBar.SetButtonInfo(ColorButton(m_nColorIndex), kColors[m_nColorIndex].id, TBBS_BUTTON,
                                  ColorImage(m_nColorIndex, false));
    }
    m_optionBar.SetButtonInfo(ColorButton(nIndex), kColors[nIndex].id, TBBS_BUTTON, ColorImage(nIndex, true));
    m_nColorIndex = nIndex;
    m_crColor = kColors[nIndex].cr;
}

void ToolPalette::ChooseSize(int nButton) {
    using namespace palette;
    if (nButton < 0 || nButton >= kSizeCount) return;
    m_nSize = kSizes[nButton].value;
    for (int b = 0; b < kSizeCount; ++b) {
        m_optionBar.SetButtonInfo(b, kSizes[b].id, TBBS_BUTTON, SizeImage(b, b == nButton));
    }
}

void ToolPalette::ResetTool() {
    m_nTool = TOOL_NONE;
    for (int i = 0; i < palette::kToolCount; ++i) {
        m_mainBar.SetButtonInfo(i, palette::kToolButtons[i], TBBS_CHECKGROUP, i);
    }
}
