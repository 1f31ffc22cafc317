// The tool palette: the main bar and the option bar beside the selection, their buttons, images and
// tooltips, the pointer window under the current tool's button, and the current tool, colour and size.
// The tables and the placement rules are in palette/logic.
#pragma once

#include <functional>
#include <memory>

#include "framework/Afx.h"
#include "palette/PointerWindow.h"
#include "palette/logic/Palette.h"

class ToolPalette {
public:
    ToolPalette();
    ~ToolPalette();

    // Makes both bars, hidden, as children of pParent.
    void CreateBars(CWnd* pParent);
    // Makes the pointer window, hidden; its keys go to takeKey.
    void CreatePointer(std::function<bool(const MSG*)> takeKey);

    int Tool() const { return m_nTool; }
    bool ToolChosen() const { return m_nTool != TOOL_NONE; }
    COLORREF Color() const { return m_crColor; }
    int ColorIndex() const { return m_nColorIndex; }
    int Size() const { return m_nSize; }

    // The tool becomes the current one: the pointer rests under its button, the option bar shows.
    void ChooseTool(int nTool);
    // The colour of that index becomes the current one, its button marked as chosen.
    void ChooseColor(int nIndex);
    // The size of that button becomes the current one, its button marked as chosen.
    void ChooseSize(int nButton);
    // No tool: every tool button comes back unchecked.
    void ResetTool();

    // Places the bars by the selection in a view cyView high (inside it when showInside and there is no
    // room beside it), with the pointer and the option bar when a tool is chosen. False when they do not
    // fit and are hidden instead.
    bool Place(const RECT& rcSel, int cyView, bool showInside);
    // Shows or hides both bars and the pointer window.
    void Show(bool bShow);
    // The bars' rectangles that the capture window must not paint over (visible bars only).
    void ExcludeBars(HDC dc) const;

    CToolBar& MainBar() { return m_mainBar; }
    const CToolBar& MainBar() const { return m_mainBar; }
    CToolBar& OptionBar() { return m_optionBar; }
    const CToolBar& OptionBar() const { return m_optionBar; }
    const CImageList& MainImages() const { return m_mainImages; }
    const CImageList& OptionImages() const { return m_optionImages; }
    CPointerWindow* Pointer() { return m_pointer.get(); }

private:
    void ShowPointer(bool bShow);
    void PlacePointer();
    // Moves a bar to rc (in the parent's coordinates) unless it is there already.
    void MoveBar(CToolBar* pBar, const RECT& rc);

    CWnd* m_pParent = nullptr;
    CToolBar m_mainBar;
    CToolBar m_optionBar;
    CImageList m_mainImages;
    CImageList m_optionImages;
    std::unique_ptr<CPointerWindow> m_pointer;
    int m_nTool = TOOL_NONE;
    int m_nColorIndex = 0;
    COLORREF m_crColor = 0x000000FF;
    int m_nSize = 2;
};
