// The pointer window: a small translucent triangle resting on the option bar under the active tool's
// button, so that the option bar reads as that tool's options. One fixed picture from the program's
// resources, shown as a layered window with the picture's own alpha.
#pragma once

#include <functional>

#include "framework/Afx.h"
#include "res/resource.h"

namespace Gdiplus {
class Image;
}

class CColorIndicatorDlg : public CDialog {
public:
    CColorIndicatorDlg();
    ~CColorIndicatorDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Decodes a resource of type "PNG"; null when it is missing or cannot be decoded. The caller owns
    // the image.
    static Gdiplus::Image* LoadPngResource(UINT nId);

    Gdiplus::Image* m_pImage = nullptr;
    BLENDFUNCTION m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // The capture's handling of the keys that end it (held down, they end it when they come up), for a
    // key that reaches this window; true when it took the key.
    std::function<bool(const MSG*)> m_takeEndingKey;

protected:
    BOOL OnInitDialog() override;
    void OnClose();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
