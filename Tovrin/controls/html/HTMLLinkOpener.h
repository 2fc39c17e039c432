#pragma once
#include <windows.h>

#include "CString.h"
#include "TovrinApi.h"

// Posted to the application's main window for a clicked "reru://" link. lParam is a copy of the
// target made with LocalAlloc: the receiver frees it with LocalFree.
const UINT kHTMLCommandLinkMessage = 0x7F0E;
// Sent to the application's main window for any other link (wParam the control, lParam the
// target); a non-zero answer means the main window opened it.
const UINT kHTMLOpenLinkMessage = 0x7F11;

// Hands a clicked link to the main window, or opens it with Internet Explorer when the main
// window leaves it (a missing main window leaves it too).
TOVRIN_API void FollowHTMLLink(HWND control, const char* target);
// The Internet Explorer program from its COM registration, unquoted; empty when not registered.
TOVRIN_API CString FindInternetExplorerProgram();
