// The committed shapes: clearing them all returns the capture to its start.
#include "capture/CorvaneDlg.h"

void CCorvaneDlg::ClearShapes() {
    for (CShape* shape : m_shapes) delete shape;
    m_shapes.clear();
    ResetCapture();
}
