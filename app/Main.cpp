// The process entry and the one application object.
#include "app/CorvaneApp.h"

CCorvaneApp theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) { return AfxWinMain(hInstance); }
