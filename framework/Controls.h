// Child controls and image lists.
#pragma once

#include <string>

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    // Creates the edit control as a child of pParentWnd; rc is in the parent's client coordinates.
    BOOL Create(DWORD dwStyle, const RECT& rc, CWnd* pParentWnd, UINT nID);
    std::wstring GetWindowText() const;
};

// Owner of a common-controls tool bar window.
class CToolBar : public CWnd {};

// Owner of a common-controls image list.
class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL DeleteImageList() {
        if (!m_hImageList) return FALSE;
        BOOL ok = ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
        return ok;
    }
};
