#pragma once
#include <windows.h>

// Tovrin.dll's own module: its resources and window classes, whichever program loaded it.
HMODULE TovrinModule();
