#include "HTMLPicture.h"

#include <shlwapi.h>

#include "Handle.h"

namespace {

const int kHimetricPerInch = 2540;

// The whole file in a movable global block, as CreateStreamOnHGlobal wants it.
HGLOBAL ReadFileToGlobal(const char* path, DWORD& size) {
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid())
        return nullptr;
    size = ::GetFileSize(file, nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* bytes = ::GlobalLock(block);
    DWORD read = 0;
    const bool complete = bytes && ::ReadFile(file, bytes, size, &read, nullptr) && read == size;
    ::GlobalUnlock(block);
    if (!complete) {
        ::GlobalFree(block);
        return nullptr;
    }
    return block;
}

int HimetricToPixels(OLE_XSIZE_HIMETRIC himetric, int dotsPerInch) {
    return ::MulDiv(himetric, dotsPerInch, kHimetricPerInch);
}

}  // namespace

CString CHTMLPicture::ResolvePath(const char* src) {
    if (!::PathIsRelativeA(src))
        return src;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    ::PathRemoveFileSpecA(path);
    // PathAppendA adds a backslash only where one is missing (a drive root keeps its own).
    if (!::PathAppendA(path, "Image") || !::PathAppendA(path, src))
        return CString();
    return path;
}

bool CHTMLPicture::Load(const char* src) {
    Close();
    DWORD size = 0;
    HGLOBAL block = ReadFileToGlobal(ResolvePath(src), size);
    if (!block)
        return false;
    IStream* stream = nullptr;
    // The stream frees the block when released.
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    IPicture* picture = nullptr;
    HRESULT result = ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                      reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(result) || !picture)
        return false;
    m_picture = picture;
    return true;
}

void CHTMLPicture::Close() {
    if (m_picture) {
        m_picture->Release();
        m_picture = nullptr;
    }
}

CSize CHTMLPicture::GetSize() const {
    if (!m_picture)
        return CSize();
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture->get_Width(&width);
    m_picture->get_Height(&height);
    HDC screen = ::GetDC(nullptr);
    CSize size(HimetricToPixels(width, ::GetDeviceCaps(screen, LOGPIXELSX)),
               HimetricToPixels(height, ::GetDeviceCaps(screen, LOGPIXELSY)));
    ::ReleaseDC(nullptr, screen);
    return size;
}

void CHTMLPicture::Render(HDC dc, const CRect& target) const {
    if (!m_picture)
        return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture->get_Width(&width);
    m_picture->get_Height(&height);
    // HIMETRIC runs upwards: start at the bottom and go up by the whole height.
    m_picture->Render(dc, target.left, target.top, target.Width(), target.Height(), 0, height, width, -height,
                      nullptr);
}
