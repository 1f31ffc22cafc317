// CFileDialog: the platform's new-style save (or open) dialog, configured the classic way: a filter
// string "Name|pattern|...||", a default extension, an initial name and OFN_* flags.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, const wchar_t* pszDefExt = nullptr, const wchar_t* pszFileName = nullptr,
                DWORD dwFlags = 0, const wchar_t* pszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // Shows the dialog modally above its owner (the parent, or else the application's main window);
    // IDOK when the user confirmed a name, IDCANCEL otherwise.
    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_strPath; }
    // The text after the last dot of the chosen file's name, or "" when it has none.
    std::wstring GetFileExt() const;

private:
    BOOL m_bOpen;
    std::wstring m_strDefExt;
    std::wstring m_strFileName;
    DWORD m_dwFlags;
    std::vector<std::pair<std::wstring, std::wstring>> m_filters;  // display name, pattern
    CWnd* m_pParentWnd;
    std::wstring m_strPath;
};

// Splits "Name|pattern|Name|pattern||" into its pairs.
std::vector<std::pair<std::wstring, std::wstring>> ParseFileFilter(const std::wstring& filter);
