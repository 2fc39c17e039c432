#pragma once
#include <windows.h>

#include <memory>

#include "CString.h"
#include "GdiTypes.h"
#include "HTMLAttributes.h"
#include "HTMLPicture.h"
#include "TovrinApi.h"

// What a <Background> tag asks for: a colour and a picture for the whole control.
class TOVRIN_API CHTMLBackground {
public:
    enum Mode { kPlaced, kStretch, kPattern };
    enum HorizontalAlign { kLeft, kMiddle, kRight };
    enum VerticalAlign { kTop, kCenter, kBottom };

    // Reads color, src, mode ("stretch", "Pattern"), align ("left", "middle", "right"), valign
    // ("top", "center", "bottom"), ShiftX and ShiftY; attributes not given keep their values.
    void Apply(const CHTMLAttributes& attributes);

    bool HasColour() const { return m_hasColour; }
    COLORREF GetColour() const { return m_colour; }
    bool HasPicture() const { return m_picture && m_picture->IsLoaded(); }
    Mode GetMode() const { return m_mode; }
    // Where a placed picture goes in the client area.
    CRect PlacedRect(const CRect& client) const;
    // Draws the picture (if any) by its mode; the colour is the caller's to fill.
    void DrawPicture(HDC dc, const CRect& client) const;

private:
    void DrawPattern(HDC dc, const CRect& client) const;

    bool m_hasColour = false;
    COLORREF m_colour = 0;
    std::shared_ptr<CHTMLPicture> m_picture;
    Mode m_mode = kPlaced;
    HorizontalAlign m_align = kLeft;
    VerticalAlign m_valign = kTop;
    int m_shiftX = 0;
    int m_shiftY = 0;
};
