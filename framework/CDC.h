#pragma once
#include <windows.h>

#include "FxApi.h"
#include "GdiTypes.h"

// A device context. Like MFC's CDC it deletes the attached DC when destroyed (DeleteDC): Detach
// a DC that belongs to someone else (GetDC, BeginPaint) before the object goes away.
class FX_API CDC {
public:
    CDC() : m_hDC(nullptr) {}
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // Fails (and changes nothing) when a DC is already attached or hdc is null.
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL DeleteDC();

    // Leaves the background colour set to colour, as MFC does.
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);

    HDC m_hDC;
};
