#pragma once
#include <windows.h>

#include "CDC.h"
#include "GdiTypes.h"
#include "TovrinApi.h"

struct IPicture;

// A picture loaded through the OLE picture loader (BMP, GIF, JPEG, ICO, WMF) and drawn at its
// natural size. The GIF and JPEG loaders need COM initialised on the calling thread.
class TOVRIN_API CPicture {
public:
    CPicture();
    ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // A resource of that type and name (MAKEINTRESOURCE for a numeric id) of module. The earlier
    // picture is unloaded first, so after a failure nothing is loaded.
    bool Load(const char* type, const char* name, HINSTANCE module);
    bool LoadFromFile(const char* path);
    // A copy of the picture file's bytes.
    bool LoadFromMemory(const void* bytes, DWORD size);
    void UnLoad();
    bool IsLoaded() const { return m_picture != nullptr; }

    // Top-left corner at (x, y); false when nothing is loaded or the picture cannot be drawn.
    bool Draw(HDC dc, int x, int y) const;
    bool Draw(CDC* dc, int x, int y) const { return Draw(dc->GetSafeHdc(), x, y); }
    // In pixels of dc (of the screen when dc is null); 0 x 0 when nothing is loaded.
    CSize GetSize(HDC dc) const;
    CSize GetSize(CDC* dc) const { return GetSize(dc ? dc->GetSafeHdc() : nullptr); }

private:
    bool LoadFromBlock(HGLOBAL block, DWORD size);

    IPicture* m_picture;
};
