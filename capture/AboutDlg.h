// The About box, opened from the capture window's system menu.
#pragma once

#include "framework/Afx.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
