// CWinAppEx: the application object. The program defines one static instance; AfxWinMain runs its
// InitInstance, which does all the work, and returns the process exit code.
#pragma once

#include <string>

#include <windows.h>

class CWnd;

class CWinAppEx {
public:
    CWinAppEx();
    virtual ~CWinAppEx();
    CWinAppEx(const CWinAppEx&) = delete;
    CWinAppEx& operator=(const CWinAppEx&) = delete;

    // Does the application's work; returning FALSE means there is nothing left to run.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }

    // The registry key under which settings would be kept (the program keeps none).
    void SetRegistryKey(const wchar_t* pszKey) { m_strRegistryKey = pszKey; }
    const std::wstring& GetRegistryKey() const { return m_strRegistryKey; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    // The process exit code: the code of the last quit request a modal loop received, or whatever the
    // application set before its loop ended without one.
    int m_nExitCode = 0;

private:
    std::wstring m_strRegistryKey;
};

CWinAppEx* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The window that owns a dialog of `self` made with pParent: the parent, or else the application's main
// window (unless that is `self`), so that the About box, the magnifier and the save dialog stay above
// the capture window.
HWND AfxOwnerWindow(CWnd* pParent, const void* self = nullptr);
// Records the code of a quit request taken by a modal loop as the process exit code.
void AfxRecordQuit(int nExitCode);
// The process entry's work: InitInstance, then ExitInstance's code.
int AfxWinMain(HINSTANCE hInstance);
