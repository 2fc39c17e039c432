#include "SkinFace.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#include "CDC.h"
#include "DCSelection.h"
#include "GdiObjects.h"
#include "TovrinModule.h"

namespace {

const int kFirstSkin = 181;
const int kLastSkin = 192;
const char kSkinType[] = "BMPFILE";

struct Skin {
    CBitmap bitmap;
    int width = 0;
    int height = 0;
};

struct SkinSet {
    std::once_flag loaded;
    // A bitmap can be selected into one DC at a time: drawing is serialised too.
    std::mutex drawing;
    std::array<Skin, kLastSkin - kFirstSkin + 1> skins;
};

SkinSet& Skins() {
    static SkinSet set;
    return set;
}

// An uncompressed 24- or 32-bit BMP file image. The sizes in its headers are checked against
// the bytes really present before anything is copied.
bool LoadBmpFile(const BYTE* data, DWORD size, Skin& skin) {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    if (size < sizeof(file) + sizeof(info))
        return false;
    std::memcpy(&file, data, sizeof(file));
    std::memcpy(&info, data + sizeof(file), sizeof(info));
    if (file.bfType != 0x4D42 || info.biSize < sizeof(info) || info.biCompression != BI_RGB ||
        (info.biBitCount != 24 && info.biBitCount != 32) || info.biWidth <= 0 || info.biHeight == 0)
        return false;
    const ULONGLONG rows = info.biHeight < 0 ? -static_cast<LONGLONG>(info.biHeight) : info.biHeight;
    const ULONGLONG stride = (static_cast<ULONGLONG>(info.biWidth) * info.biBitCount + 31) / 32 * 4;
    if (file.bfOffBits < sizeof(file) + info.biSize || file.bfOffBits + stride * rows > size)
        return false;

    BITMAPINFO header = {};
    header.bmiHeader = info;
    header.bmiHeader.biSize = sizeof(info);
    void* bits = nullptr;
    if (!skin.bitmap.Attach(::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0)))
        return false;
    std::memcpy(bits, data + file.bfOffBits, static_cast<size_t>(stride * rows));
    skin.width = info.biWidth;
    skin.height = static_cast<int>(rows);
    return true;
}

void LoadSkins(SkinSet& set) {
    HMODULE module = TovrinModule();
    for (int id = kFirstSkin; id <= kLastSkin; ++id) {
        HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), kSkinType);
        HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
        const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
        if (bytes)
            LoadBmpFile(static_cast<const BYTE*>(bytes), ::SizeofResource(module, resource), set.skins[id - kFirstSkin]);
    }
}

// Edges of the three slices along one axis: {start, start + corner, end - corner, end}.
std::array<int, 4> Slices(int start, int length, int corner) {
    return {start, start + corner, start + length - corner, start + length};
}

}  // namespace

bool SkinFace::Draw(HDC dc, const RECT& rect, int id, int corner) {
    if (id < kFirstSkin || id > kLastSkin)
        return false;
    SkinSet& set = Skins();
    std::call_once(set.loaded, LoadSkins, std::ref(set));
    const Skin& skin = set.skins[id - kFirstSkin];
    if (!skin.bitmap.GetSafeHandle())
        return false;

    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    corner = std::max(0, std::min({corner, width / 2, height / 2, skin.width / 2, skin.height / 2}));
    const std::array<int, 4> targetX = Slices(rect.left, width, corner);
    const std::array<int, 4> targetY = Slices(rect.top, height, corner);
    const std::array<int, 4> sourceX = Slices(0, skin.width, corner);
    const std::array<int, 4> sourceY = Slices(0, skin.height, corner);

    std::lock_guard<std::mutex> lock(set.drawing);
    CDC source;
    if (!source.CreateCompatibleDC(dc))
        return false;
    CDCSelection selection(source, skin.bitmap);
    // No blending between pixels: a stretched gradient row keeps its exact colours.
    const int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int cx = targetX[column + 1] - targetX[column];
            const int cy = targetY[row + 1] - targetY[row];
            const int sourceCx = sourceX[column + 1] - sourceX[column];
            const int sourceCy = sourceY[row + 1] - sourceY[row];
            if (cx > 0 && cy > 0 && sourceCx > 0 && sourceCy > 0)
                ::StretchBlt(dc, targetX[column], targetY[row], cx, cy, source, sourceX[column], sourceY[row], sourceCx,
                             sourceCy, SRCCOPY);
        }
    }
    ::SetStretchBltMode(dc, previousMode);
    return true;
}
