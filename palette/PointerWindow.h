// The pointer window: a small translucent triangle resting on the option bar under the active tool's
// button, so that the option bar reads as that tool's options. One fixed picture from the program's
// resources, shown as a layered window with the picture's own alpha.
#pragma once

#include <memory>

#include "framework/Afx.h"
#include "framework/Popup.h"
#include "res/resource.h"

namespace Gdiplus {
class Image;
}

class CPointerWindow : public CPopupWindow {
public:
    CPointerWindow();
    ~CPointerWindow() override;

    // Decodes a resource of type "PNG"; null when it is missing or cannot be decoded.
    static std::unique_ptr<Gdiplus::Image> LoadPngResource(UINT nId);

    // The decoded picture, null until the window is made or when it could not be decoded.
    Gdiplus::Image* Picture() const { return m_pImage.get(); }

protected:
    BOOL OnInitDialog() override;

private:
    std::unique_ptr<Gdiplus::Image> m_pImage;
};
