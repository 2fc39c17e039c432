#pragma once
#include <windows.h>

#include "CString.h"
#include "FxApi.h"
#include "GdiTypes.h"

class CWnd;

// A device context. Like MFC's CDC it deletes the attached DC when destroyed (DeleteDC): Detach
// a DC that belongs to someone else before the object goes away. CPaintDC, CClientDC and
// CWindowDC hand their DC back to the window instead. GDI objects are selected by handle.
class FX_API CDC {
public:
    CDC() : m_hDC(nullptr) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // Fails (and changes nothing) when a DC is already attached or hdc is null.
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(HDC reference);

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

    int DrawText(const char* text, int length, LPRECT rect, UINT format) {
        return ::DrawTextA(m_hDC, text, length, rect, format);
    }
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return DrawText(text, text.GetLength(), rect, format);
    }
    BOOL TextOut(int x, int y, const CString& text) {
        return ::TextOutA(m_hDC, x, y, text, text.GetLength());
    }
    CSize GetTextExtent(const char* text, int length) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(TEXTMETRICA* metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }

    // Leaves the background colour set to colour, as MFC does.
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    int FillRect(LPCRECT rect, HBRUSH brush) { return ::FillRect(m_hDC, rect, brush); }
    int FrameRect(LPCRECT rect, HBRUSH brush) { return ::FrameRect(m_hDC, rect, brush); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) {
        return ::DrawFrameControl(m_hDC, rect, type, state);
    }
    BOOL BitBlt(int x, int y, int cx, int cy, HDC source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, cx, cy, source, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int cx, int cy, HDC source, int sx, int sy, int scx, int scy, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, cx, cy, source, sx, sy, scx, scy, rop);
    }
    int IntersectClipRect(LPCRECT rect) {
        return ::IntersectClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    int ExcludeClipRect(LPCRECT rect) {
        return ::ExcludeClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }

    HDC m_hDC;
};

// BeginPaint/EndPaint for the window's WM_PAINT.
class FX_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// GetDC/ReleaseDC (client area) or GetWindowDC/ReleaseDC (whole window).
class FX_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    CClientDC(HWND window, HDC dc);

private:
    HWND m_hWnd;
};

class FX_API CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* wnd);
};
