// CPopupWindow: the small popups that float over the capture window (the magnifier, the pointer) and
// never keep the keyboard for themselves.
#pragma once

#include <functional>

#include "framework/Dialog.h"

class CPopupWindow : public CDialog {
public:
    explicit CPopupWindow(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    // A key that reaches a popup does what it does on the capture window: the keys the capture handles
    // go to m_takeKey, and Esc asks to quit from here too.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The capture's handling of its keys (Esc and Enter end it, others take its steps), for a key that
    // reaches this window; true when it took the key.
    std::function<bool(const MSG*)> m_takeKey;

protected:
    // Adds the extended styles of dwExStyle the window does not have yet.
    void AddExStyle(DWORD dwExStyle);
};
