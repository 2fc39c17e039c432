#pragma once
#include <windows.h>

// Selects a GDI object into a DC for the life of this object and then puts the previous one
// back, so that the object can be deleted afterwards (a selected object must not be).
class CDCSelection {
public:
    CDCSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CDCSelection() {
        if (m_previous)
            ::SelectObject(m_dc, m_previous);
    }
    CDCSelection(const CDCSelection&) = delete;
    CDCSelection& operator=(const CDCSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
