// Umbrella header of the framework layer: the platform headers and every wrapper class the program uses.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Geometry.h"
#include "framework/Wnd.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Controls.h"
#include "framework/WinApp.h"
#include "framework/Phase.h"
