#pragma once
#include <windows.h>

// Tovrin.dll's own module: its resources and window classes, whichever program loaded it.
HMODULE TovrinModule();
// Registers a plain window class of that name in Tovrin's module (the default procedure: the
// window's object subclasses it); true also when it was registered before.
bool RegisterTovrinWindowClass(const char* name);
