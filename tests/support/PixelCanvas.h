#pragma once
#include <windows.h>

#include <cstdlib>

#include "GdiTypes.h"

// A 32-bit DIB section selected into a memory DC: drawing needs no display and every pixel can
// be read back directly.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF paper) : m_width(width), m_height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = SelectObject(m_dc, m_bitmap);
        Fill(CRect(0, 0, width, height), paper);
    }
    ~PixelCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    bool IsReady() const { return m_dc && m_bits; }
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(const CRect& rect, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(m_dc, &rect, brush);
        DeleteObject(brush);
    }

    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    // Pixels inside rect (clipped to the canvas) within tolerance of colour in every channel:
    // anti-aliased glyph edges blend, their cores do not.
    int Count(CRect rect, COLORREF colour, int tolerance = 48) const {
        IntersectRect(&rect, &rect, CRect(0, 0, m_width, m_height));
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (IsNear(At(x, y), colour, tolerance))
                    ++count;
        return count;
    }
    int Count(COLORREF colour, int tolerance = 48) const { return Count(CRect(0, 0, m_width, m_height), colour, tolerance); }

    static bool IsNear(COLORREF a, COLORREF b, int tolerance) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
               std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};
