#pragma once
#include <windows.h>

class CWnd;

// The process-wide map from window handles to their objects.
namespace WindowMap {
CWnd* Find(HWND window);
void Add(HWND window, CWnd* wnd);
void Remove(HWND window);
}  // namespace WindowMap
