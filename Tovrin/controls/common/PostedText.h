#pragma once
#include <windows.h>

// Posts message with a copy of text made with LocalAlloc as lParam; the receiver frees it with
// LocalFree. A copy that cannot be posted (no window, a full queue) is freed here.
bool PostTextCopy(HWND window, UINT message, WPARAM wParam, const char* text);
