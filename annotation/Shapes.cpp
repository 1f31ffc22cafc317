// The committed shapes: undo of the last one, clearing them all, and the extent that a resized
// selection keeps around them.
#include "capture/CorvaneDlg.h"

void CCorvaneDlg::OnUndo() {
    CommitText();  // a text being typed becomes the last shape, so the undo takes it
    if (m_shapes.empty()) {
        // Nothing left to undo: the selection goes too, and the capture starts over.
        ResetCapture();
        return;
    }
    m_shapes.pop_back();
    ComposeView();
    UpdateShapesBounds();
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::ClearShapes() {
    while (!m_shapes.empty()) m_shapes.erase(m_shapes.begin());
    ResetCapture();
}

void CCorvaneDlg::UpdateShapesBounds() { shapes::ShapesBounds(m_shapes, &m_rcShapesBounds); }

bool CCorvaneDlg::IsPointSet(POINT pt) { return shapes::IsPointSet(pt); }
