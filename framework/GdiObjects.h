#pragma once
#include <windows.h>

// GDI objects as MFC names them. Each deletes its object when destroyed; Detach one that
// belongs to someone else. Only the creation functions the controls use exist.
template <typename Handle>
class CGdiHandle {
public:
    CGdiHandle() = default;
    ~CGdiHandle() { DeleteObject(); }
    CGdiHandle(const CGdiHandle&) = delete;
    CGdiHandle& operator=(const CGdiHandle&) = delete;

    operator Handle() const { return m_handle; }
    Handle GetSafeHandle() const { return m_handle; }

    BOOL Attach(Handle handle) {
        if (m_handle || !handle)
            return FALSE;
        m_handle = handle;
        return TRUE;
    }
    Handle Detach() {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    BOOL DeleteObject() { return m_handle ? ::DeleteObject(Detach()) : FALSE; }

protected:
    BOOL Take(Handle handle) {
        DeleteObject();
        m_handle = handle;
        return handle != nullptr;
    }

    Handle m_handle = nullptr;
};

class CFont : public CGdiHandle<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTA* font) { return Take(::CreateFontIndirectA(font)); }
    int GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_handle, sizeof(LOGFONTA), font); }
};

class CBrush : public CGdiHandle<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour) { return Take(::CreateSolidBrush(colour)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return Take(::CreatePatternBrush(bitmap)); }
};

class CPen : public CGdiHandle<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour) { return Take(::CreatePen(style, width, colour)); }
};

class CBitmap : public CGdiHandle<HBITMAP> {
public:
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Take(::CreateCompatibleBitmap(dc, width, height));
    }
    int GetBitmap(BITMAP* info) const { return ::GetObjectA(m_handle, sizeof(BITMAP), info); }
};
