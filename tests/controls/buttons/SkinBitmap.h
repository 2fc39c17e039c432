#pragma once
#include <windows.h>

#include <cstring>

// One "BMPFILE" skin of Tovrin.dll, read straight from the resource (24-bit, bottom-up rows):
// what SkinFace draws is compared against these pixels.
class SkinBitmap {
public:
    explicit SkinBitmap(int id) {
        HMODULE tovrin = ::GetModuleHandleA("Tovrin.dll");
        HRSRC resource = tovrin ? ::FindResourceA(tovrin, MAKEINTRESOURCEA(id), "BMPFILE") : nullptr;
        HGLOBAL loaded = resource ? ::LoadResource(tovrin, resource) : nullptr;
        m_file = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
        if (!m_file || ::SizeofResource(tovrin, resource) < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) {
            m_file = nullptr;
            return;
        }
        BITMAPFILEHEADER file;
        BITMAPINFOHEADER info;
        std::memcpy(&file, m_file, sizeof(file));
        std::memcpy(&info, m_file + sizeof(file), sizeof(info));
        if (info.biBitCount != 24 || info.biHeight <= 0) {
            m_file = nullptr;
            return;
        }
        m_width = info.biWidth;
        m_height = info.biHeight;
        m_pixels = m_file + file.bfOffBits;
    }

    bool IsLoaded() const { return m_file != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const {
        const int stride = (m_width * 3 + 3) & ~3;
        const BYTE* pixel = m_pixels + (m_height - 1 - y) * stride + x * 3;
        return RGB(pixel[2], pixel[1], pixel[0]);
    }

private:
    const BYTE* m_file = nullptr;
    const BYTE* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
};
