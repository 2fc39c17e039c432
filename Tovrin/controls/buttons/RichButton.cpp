#include "RichButton.h"

#include "SkinFace.h"
#include "UtilityLib.h"

namespace {

enum ButtonFace { kNormal = 181, kHover = 182, kPressed = 183, kFocused = 184, kDisabled = 185 };
const int kImageGap = 4;

}  // namespace

CRichButton::CRichButton() : m_imageFolder(CUtilityLib::GetAppPath() + "\\Image") {}

bool CRichButton::SetButtonImage(const char* name) {
    const bool loaded = m_image.LoadFromFile(m_imageFolder + "\\" + name);
    if (m_hWnd)
        Invalidate(FALSE);
    return loaded;
}

void CRichButton::ApplyText(const char* text) {
    const CString whole(text);
    const int comma = whole.Find(',');
    if (comma < 0) {
        SetCaption(whole);
        return;
    }
    SetButtonImage(whole.Left(comma));
    const int captionEnd = whole.Find(',', comma + 1);
    SetCaption(captionEnd < 0 ? whole.Mid(comma + 1) : whole.Mid(comma + 1, captionEnd - comma - 1));
}

void CRichButton::DrawItem(LPDRAWITEMSTRUCT item) {
    const CRect rect(item->rcItem);
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    int face = kNormal;
    if (disabled)
        face = kDisabled;
    else if (pressed)
        face = kPressed;
    else if (item->itemState & ODS_FOCUS)
        face = kFocused;
    else if (IsMouseOver())
        face = kHover;
    SkinFace::Draw(item->hDC, rect, face);

    // Image and caption side by side, centred together; pressed moves them by a pixel.
    const CSize image = m_image.GetSize(item->hDC);
    const CSize caption = GetCaption().GetSize();
    const int gap = image.cx > 0 && caption.cx > 0 ? kImageGap : 0;
    const int shift = pressed ? 1 : 0;
    const int left = rect.left + (rect.Width() - image.cx - gap - caption.cx) / 2 + shift;
    const int middle = rect.top + rect.Height() / 2 + shift;
    if (m_image.IsLoaded())
        m_image.Draw(item->hDC, left, middle - image.cy / 2);
    DrawCaption(item->hDC, CPoint(left + image.cx + gap, middle - caption.cy / 2), rect, disabled);
}
