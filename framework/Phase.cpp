#include "framework/Phase.h"

namespace {
AfxPhaseListener g_phaseListener = nullptr;
}  // namespace

void AfxSetPhaseListener(AfxPhaseListener listener) { g_phaseListener = listener; }

void AfxPhaseDone(const char* pszPhase) {
    if (g_phaseListener) g_phaseListener(pszPhase);
}
