#pragma once
#include <windows.h>

// Posted by CStyledListCtrl to its parent. wParam is the list's window handle, except for
// UM_NOTIFYLISTMOREDATA (0).
constexpr UINT UM_NOTIFYLISTMOREDATA = 0x8132;  // the last line was drawn; lParam 0
constexpr UINT UM_NOTIFYLISTSCROLL = 0x8133;    // after a vertical scroll or a key press; lParam 0
constexpr UINT UM_NOTIFYLISTCHECK = 0x8134;     // a click toggled a check box; lParam the line index
constexpr UINT UM_NOTIFYLISTCLICK = 0x8135;     // left click in a cell; lParam MAKELPARAM(line, column)
constexpr UINT UM_NOTIFYLISTBTNCLICK = 0x8136;  // button cell clicked, 10 ms later; lParam as above
