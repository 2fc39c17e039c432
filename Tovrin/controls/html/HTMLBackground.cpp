#include "HTMLBackground.h"

#include "CDC.h"
#include "DCSelection.h"
#include "GdiObjects.h"
#include "HTMLColours.h"
#include "Mbcs.h"

namespace {

bool Is(const CString& value, const char* word) { return Mbcs::CompareNoCase(value, word) == 0; }

}  // namespace

void CHTMLBackground::Apply(const CHTMLAttributes& attributes) {
    CString value;
    if (attributes.Lookup("color", value)) {
        m_hasColour = true;
        m_colour = ParseHTMLColour(value);
    }
    if (attributes.Lookup("src", value)) {
        m_picture = std::make_shared<CHTMLPicture>();
        m_picture->Load(value);
    }
    if (attributes.Lookup("mode", value))
        m_mode = Is(value, "stretch") ? kStretch : Is(value, "Pattern") ? kPattern : kPlaced;
    if (attributes.Lookup("align", value))
        m_align = Is(value, "middle") ? kMiddle : Is(value, "right") ? kRight : kLeft;
    if (attributes.Lookup("valign", value))
        m_valign = Is(value, "center") ? kCenter : Is(value, "bottom") ? kBottom : kTop;
    m_shiftX = attributes.LookupNumber("ShiftX", m_shiftX);
    m_shiftY = attributes.LookupNumber("ShiftY", m_shiftY);
}

CRect CHTMLBackground::PlacedRect(const CRect& client) const {
    const CSize size = m_picture ? m_picture->GetSize() : CSize();
    int x = client.left;
    if (m_align == kMiddle)
        x += (client.Width() - size.cx) / 2;
    else if (m_align == kRight)
        x = client.right - size.cx;
    int y = client.top;
    if (m_valign == kCenter)
        y += (client.Height() - size.cy) / 2;
    else if (m_valign == kBottom)
        y = client.bottom - size.cy;
    return CRect(CPoint(x + m_shiftX, y + m_shiftY), size);
}

void CHTMLBackground::DrawPicture(HDC dc, const CRect& client) const {
    if (!HasPicture())
        return;
    switch (m_mode) {
    case kStretch:
        m_picture->Render(dc, client);
        break;
    case kPattern:
        DrawPattern(dc, client);
        break;
    case kPlaced:
        m_picture->Render(dc, PlacedRect(client));
        break;
    }
}

// Renders the picture once into a bitmap (whatever its kind) and tiles that bitmap as a brush.
void CHTMLBackground::DrawPattern(HDC dc, const CRect& client) const {
    const CSize size = m_picture->GetSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    CBitmap tile;
    CDC tileDC;
    if (!tile.CreateCompatibleBitmap(dc, size.cx, size.cy) || !tileDC.CreateCompatibleDC(dc))
        return;
    {
        CDCSelection selection(tileDC, tile);
        m_picture->Render(tileDC, CRect(CPoint(0, 0), size));
    }

    CBrush brush;
    brush.CreatePatternBrush(tile);
    ::SetBrushOrgEx(dc, client.left, client.top, nullptr);
    ::FillRect(dc, &client, brush);
}
