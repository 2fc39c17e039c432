#pragma once
#include <windows.h>

#include "Wnd.h"

// The DRAWITEMSTRUCT a parent's WM_DRAWITEM would carry to draw one item of control into dc.
inline DRAWITEMSTRUCT OwnerDrawItem(const CWnd& control, UINT type, UINT item, UINT state, HDC dc, const RECT& rect) {
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = type;
    draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(control.m_hWnd));
    draw.itemID = item;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = control.m_hWnd;
    draw.hDC = dc;
    draw.rcItem = rect;
    return draw;
}
