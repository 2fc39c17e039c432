#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "CString.h"
#include "GdiTypes.h"
#include "TovrinApi.h"

// A picture file loaded through OLE (bitmap, icon, metafile, GIF, JPEG and what else the
// system's OleLoadPicture reads) for the Background and IMG tags of HTML text.
class TOVRIN_API CHTMLPicture {
public:
    CHTMLPicture() : m_picture(nullptr) {}
    ~CHTMLPicture() { Close(); }
    CHTMLPicture(const CHTMLPicture&) = delete;
    CHTMLPicture& operator=(const CHTMLPicture&) = delete;

    // A relative src names a file in the "Image" folder beside the program.
    static CString ResolvePath(const char* src);
    // Loads ResolvePath(src); false (holding no picture) when the file cannot be read as one.
    bool Load(const char* src);
    void Close();
    bool IsLoaded() const { return m_picture != nullptr; }
    // In pixels of the screen; 0, 0 without a picture.
    CSize GetSize() const;
    void Render(HDC dc, const CRect& target) const;

private:
    IPicture* m_picture;
};
