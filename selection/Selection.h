// The selected region of a capture: dragging it out, its hit test and cursors, moving and resizing it by
// the body and the eight handles, and drawing its frame, handles and size label. The geometry itself is
// in selection/logic.
#pragma once

#include "framework/Afx.h"
#include "selection/logic/SelectionGeometry.h"

class Selection {
public:
    // In view coordinates; all zero when nothing is selected.
    const RECT& Rect() const { return m_rc; }
    void SetRect(const RECT& rc) { m_rc = rc; }
    void Clear() { ::SetRectEmpty(&m_rc); }
    bool Contains(POINT pt) const { return rect::Contains(m_rc, pt); }

    // A new region: the press, each move of the held button, and the points of both.
    void BeginNew(POINT pt) { m_ptStart = m_ptEnd = pt; }
    // The region spans from the press to pt (unless pt is the press); true when it changed.
    bool DragNew(POINT pt);
    POINT NewStart() const { return m_ptStart; }
    POINT NewEnd() const { return m_ptEnd; }

    // The hit code of pt; a handle's hit also records the corner that stays put while it is dragged.
    int HitTest(POINT pt);
    // The cursor for a hit code (null: leave the cursor as it is).
    static HCURSOR CursorFor(int hit, bool toolChosen);
    // Sets the cursor for what pt touches.
    void UpdateCursor(POINT pt, bool toolChosen);

    // Moving or resizing by the body or a handle (hit), from the press at pt.
    void BeginTrack(POINT pt, int hit);
    bool Tracking() const { return m_bTracking; }
    int TrackHit() const { return m_nTrackHit; }
    // One step of the drag to pt, within the view of cx by cy, keeping room around the marks' bounds
    // (when there are marks).
    void TrackTo(POINT pt, bool toolChosen, SIZE view, const RECT* marksBounds);
    void EndTrack() { m_bTracking = false; }

    // The frame, the handles and the size label of rc onto pDC, the label measured in pDC's font.
    static void DrawFrame(CDC* pDC, const RECT& rc);
    // The size label of rc, its box fitted to its text in pDC's font.
    static selection::SizeLabel LabelOf(CDC* pDC, const RECT& rc);

private:
    RECT m_rc = {0, 0, 0, 0};
    POINT m_ptStart = {0, 0};
    POINT m_ptEnd = {0, 0};
    bool m_bTracking = false;
    int m_nTrackHit = 0;
    POINT m_ptTrackStart = {0, 0};
    POINT m_ptAnchor = {0, 0};
};
