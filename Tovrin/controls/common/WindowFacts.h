#pragma once
#include <windows.h>

#include "CString.h"

// Facts about a window read straight from its handle, without temporary CWnd objects.
inline CString GetWindowTextOf(HWND window) {
    CString text;
    const int length = ::GetWindowTextLengthA(window);
    text.ReleaseBuffer(::GetWindowTextA(window, text.GetBuffer(length + 1), length + 1));
    return text;
}

// Class names compare without case ("Static", "STATIC").
inline bool HasWindowClass(HWND window, const char* className) {
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

inline DWORD GetStyleOf(HWND window) { return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)); }
