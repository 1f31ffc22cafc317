// Start-up phases of the capture, announced as each one ends, for a benchmark that links the program's
// code and wants to know where the start goes. The program itself sets no listener, so an announcement
// costs one test of a null pointer.
#pragma once

using AfxPhaseListener = void (*)(const char* pszPhase);

void AfxSetPhaseListener(AfxPhaseListener listener);
void AfxPhaseDone(const char* pszPhase);
