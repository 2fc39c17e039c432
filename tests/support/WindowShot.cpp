#include "WindowShot.h"

#include <vector>

#include "FileProbe.h"

namespace {

std::string ShotFolder() {
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, length);
    folder = folder.substr(0, folder.rfind('\\')) + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string BitmapFile(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a .bmp file stores it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    if (!GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
        return std::string();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(pixels.data(), pixels.size());
    return bytes;
}

}  // namespace

std::string WindowShot::Save(HWND window, const char* name) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return std::string();
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    // Wine's PrintWindow leaves child windows black: a window on the screen is copied from there.
    bool drawn = false;
    if (IsWindowVisible(window)) {
        HDC windowDc = GetWindowDC(window);
        drawn = BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
        ReleaseDC(window, windowDc);
    } else {
        drawn = PrintWindow(window, memory, 0) != FALSE;
    }
    SelectObject(memory, old);
    std::string bytes = drawn ? BitmapFile(memory, bitmap, width, height) : std::string();
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (bytes.empty())
        return std::string();
    std::string path = ShotFolder() + "\\" + name + ".bmp";
    return FileProbe::WriteBytes(path.c_str(), bytes) ? path : std::string();
}
