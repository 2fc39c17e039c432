#pragma once
#include <windows.h>

#include "SelkorApi.h"

// The input a hosted page never sees: right mouse clicks (so no context menu) and the browser's
// own new-window, find and print keys (Ctrl+N, Ctrl+F, Ctrl+P).
SELKOR_API bool IsSwallowedBrowserInput(UINT message, WPARAM wParam, bool controlDown);
// The same for a message of this thread's queue, with the keyboard state it was read with.
SELKOR_API bool IsSwallowedBrowserMessage(const MSG& message);
