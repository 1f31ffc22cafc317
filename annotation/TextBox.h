// The text box of the text tool: a click inside the selection opens it where the button went down; it
// shows the typed text in the current colour straight over the frozen picture and grows with its lines;
// closing it gives the text mark. The fit arithmetic is drawing::FitTextBox and drawing::GrowToText.
#pragma once

#include <optional>
#include <string>

#include "annotation/Marks.h"
#include "framework/Afx.h"

class TextBox {
public:
    // Makes the hidden box as a child of pParent, whose client point (0, 0) is viewOrigin on the screen.
    void Create(CWnd* pParent, UINT nID, CFont* pFont, POINT viewOrigin);

    // Open: shown and typed into since its click; the keys of the capture then go to it.
    bool IsOpen() const { return m_bOpen; }
    bool IsBox(HWND hWnd) const { return hWnd && hWnd == m_edit.m_hWnd; }
    HWND Handle() const { return m_edit.m_hWnd; }
    bool IsVisible() const { return m_edit.IsWindowVisible() != FALSE; }
    std::wstring Text() const { return m_edit.GetWindowText(); }
    // The box's rectangle in view coordinates.
    RECT Rect() const;

    // A press of the text tool outside the open box: remembers where a box would open.
    void Press(POINT pt, const RECT& rcSel);
    // The release of that press: a click inside the selection opens the box at the press, fitted, with
    // the keyboard. True when it opened.
    bool Release(POINT pt, const ToolContext& ctx, CFont* pFont);
    // The box got the keyboard: open if it shows.
    void OnFocus();
    // Fits the box to its text in pFont within the selection (after every change of the text or font).
    void Fit(const RECT& rcSel, CFont* pFont);
    void SetFont(CFont* pFont) { m_edit.SetFont(pFont, TRUE); }
    // Repaints the box, whose text then shows in the colour the capture uses now.
    void Repaint() { m_edit.Invalidate(FALSE); }
    // The box's background before it paints over it: the view under it. The brush the box then uses.
    HBRUSH PaintBackground(CDC* pDC, const CDC& view, COLORREF color);

    // The text mark of an open box with text in the given pen (the box is emptied); none otherwise.
    std::optional<CShape> TakeText(const ToolContext& ctx);
    // Hides the box; the keyboard, if the box had it, goes to focusTo.
    void Close(HWND focusTo);
    // Closes the box without keeping its text, for a capture that starts over.
    void Discard();
    // Hides the box and nothing else (the result image is made without it).
    void Hide() { m_edit.ShowWindow(SW_HIDE); }

private:
    // Moves the box to rc (view coordinates) and has the selection repainted under it.
    void MoveTo(const RECT& rc, const RECT& rcSel);

    CEdit m_edit;
    CWnd* m_pParent = nullptr;
    POINT m_viewOrigin = {0, 0};
    std::optional<POINT> m_press;
    bool m_bOpen = false;
};
