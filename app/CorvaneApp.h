// The application object: one capture per process.
#pragma once

#include "framework/Afx.h"

class CCorvaneApp : public CWinAppEx {
public:
    ~CCorvaneApp() override;
    BOOL InitInstance() override;
};
