#include "Picture.h"

#include <olectl.h>

#include <cstring>
#include <vector>

#include "PictureFile.h"

namespace {

const int kHimetricPerInch = 2540;

// Owns a movable global memory block until a stream takes it over.
class CMovableBlock {
public:
    explicit CMovableBlock(DWORD size) : m_block(::GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~CMovableBlock() {
        if (m_block)
            ::GlobalFree(m_block);
    }
    CMovableBlock(const CMovableBlock&) = delete;
    CMovableBlock& operator=(const CMovableBlock&) = delete;

    HGLOBAL Get() const { return m_block; }
    HGLOBAL Detach() {
        HGLOBAL block = m_block;
        m_block = nullptr;
        return block;
    }

private:
    HGLOBAL m_block;
};

int HimetricToPixels(OLE_XSIZE_HIMETRIC himetric, HDC dc, int axis) {
    HDC measured = dc ? dc : ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(measured, axis);
    if (!dc)
        ::ReleaseDC(nullptr, measured);
    return ::MulDiv(himetric, pixelsPerInch, kHimetricPerInch);
}

}  // namespace

CPicture::CPicture() : m_picture(nullptr) {}

CPicture::~CPicture() { UnLoad(); }

void CPicture::UnLoad() {
    if (m_picture)
        m_picture->Release();
    m_picture = nullptr;
}

bool CPicture::Load(const char* type, const char* name, HINSTANCE module) {
    UnLoad();
    HRSRC resource = ::FindResourceA(module, name, type);
    const DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    HGLOBAL loaded = size ? ::LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    return bytes && LoadFromMemory(bytes, size);
}

bool CPicture::LoadFromFile(const char* path) {
    UnLoad();
    std::vector<BYTE> bytes;
    return ReadPictureFile(path, bytes) && LoadFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool CPicture::LoadFromMemory(const void* bytes, DWORD size) {
    UnLoad();
    CMovableBlock block(size);
    void* copy = block.Get() ? ::GlobalLock(block.Get()) : nullptr;
    if (!copy)
        return false;
    std::memcpy(copy, bytes, size);
    ::GlobalUnlock(block.Get());
    return LoadFromBlock(block.Detach(), size);
}

bool CPicture::LoadFromBlock(HGLOBAL block, DWORD size) {
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    const HRESULT loaded = ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                            reinterpret_cast<void**>(&m_picture));
    stream->Release();
    if (FAILED(loaded))
        m_picture = nullptr;
    return m_picture != nullptr;
}

CSize CPicture::GetSize(HDC dc) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!m_picture || FAILED(m_picture->get_Width(&width)) || FAILED(m_picture->get_Height(&height)))
        return CSize();
    return CSize(HimetricToPixels(width, dc, LOGPIXELSX), HimetricToPixels(height, dc, LOGPIXELSY));
}

bool CPicture::Draw(HDC dc, int x, int y) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!m_picture || !dc || FAILED(m_picture->get_Width(&width)) || FAILED(m_picture->get_Height(&height)))
        return false;
    const CSize size = GetSize(dc);
    // The source rectangle runs bottom-up in HIMETRIC.
    return SUCCEEDED(m_picture->Render(dc, x, y, size.cx, size.cy, 0, height, width, -height, nullptr));
}
