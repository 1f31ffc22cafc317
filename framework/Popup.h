// CPopupWindow: the small popups that float over the capture window (the magnifier, the pointer) and
// never keep the keyboard for themselves.
#pragma once

#include <functional>

#include "framework/Dialog.h"

class CPopupWindow : public CDialog {
public:
    explicit CPopupWindow(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    // A key that reaches a popup ends the capture as it would on the capture window: the ending keys go
    // to m_takeEndingKey, and Esc asks to quit from here too.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The capture's handling of the keys that end it (held down, they end it when they come up), for a
    // key that reaches this window; true when it took the key.
    std::function<bool(const MSG*)> m_takeEndingKey;

protected:
    // Adds the extended styles of dwExStyle the window does not have yet.
    void AddExStyle(DWORD dwExStyle);
};
