// CDialog: a window created from a dialog template, modal (our own loop, so PreTranslateMessage sees
// every queued message) or modeless.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Creates the dialog, runs its modal loop until EndDialog or a quit request, destroys the window and
    // returns the EndDialog result (-1 when a quit request ended the loop or creation failed).
    virtual INT_PTR DoModal();
    // Creates the dialog as a modeless window; it lives until DestroyWindow or the object's end.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // The platform's dialog keyboard handling (Tab, Enter gives IDOK, Esc gives IDCANCEL) for keyboard
    // messages aimed at the dialog or its controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    DECLARE_MESSAGE_MAP()

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(UINT nIDTemplate, HWND hWndOwner);
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_bInModalLoop = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
