#pragma once
#include <windows.h>

#include "GdiTypes.h"
#include "ResizeDlg.h"

// A resizable dialog with its protected parts open to the tests, and the measurements they use.
class ResizeDlgProbe : public CResizeDlg {
public:
    using CResizeDlg::AlignDialog;
    using CResizeDlg::CResizeDlg;

    // The child's rectangle in client coordinates.
    CRect ControlRect(int id) const {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }
    CRect WindowRect() const {
        CRect rect;
        GetWindowRect(rect);
        return rect;
    }
    void GrowBy(int dx, int dy) {
        const CRect rect = WindowRect();
        SetWindowPos(nullptr, 0, 0, rect.Width() + dx, rect.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MINMAXINFO TrackLimits() {
        MINMAXINFO info = {};
        info.ptMinTrackSize = CPoint(-7, -7);
        info.ptMaxTrackSize = CPoint(-9, -9);
        SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
};
