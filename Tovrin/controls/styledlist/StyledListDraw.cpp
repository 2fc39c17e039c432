#include <algorithm>
#include <optional>

#include "CDC.h"
#include "DCSelection.h"
#include "GdiObjects.h"
#include "PLScriptText.h"
#include "SkinFace.h"
#include "StyledListCells.h"
#include "StyledListCtrl.h"
#include "UtilityLib.h"

struct CStyledListCtrl::LineLook {
    const StyledLineRecord* record;
    bool selected;
    bool enabled;
    COLORREF background;
    // The rightmost pixels of every cell.
    COLORREF separator;
    HFONT font;
    CRect client;
};

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kOddLine = RGB(240, 245, 250);
const COLORREF kDisabledOddLine = RGB(220, 220, 220);
const COLORREF kDisabledEvenLine = RGB(230, 230, 230);
const COLORREF kDisabledSeparator = RGB(230, 230, 230);
const COLORREF kDisabledText = RGB(80, 80, 80);
const COLORREF kProgressFill = RGB(160, 160, 160);
const int kSeparatorWidth = 3;
const int kCheckBoxOffset = 5;
const int kCheckBoxSize = 14;
const int kTextGap = 3;
const int kCellTextIndent = 4;
const int kButtonFaceId = 181;
const int kButtonFaceCorner = 6;
const int kButtonFontHeight = -12;
const int kMinimumPathWidth = 100;

std::optional<COLORREF> ColourOfColumn(const std::map<int, COLORREF>& colours, int column) {
    const auto found = colours.find(column);
    return found == colours.end() ? std::nullopt : std::optional<COLORREF>(found->second);
}

void Fill(HDC dc, const CRect& rect, COLORREF colour) {
    CBrush brush(colour);
    ::FillRect(dc, &rect, brush);
}

// Vertically centred; horizontal is 0 (left), DT_CENTER or DT_RIGHT.
void DrawStyledText(HWND window, HDC dc, const CRect& area, const char* text, COLORREF colour, UINT horizontal) {
    CPLScriptText script;
    script.SetDefaultTextColor(colour);
    script.SetScript(window, text);
    const CSize size = script.GetSize();
    CRect at(area);
    at.top += (area.Height() - size.cy) / 2;
    if (horizontal == DT_CENTER)
        at.left += (area.Width() - size.cx) / 2;
    else if (horizontal == DT_RIGHT)
        at.left = area.right - size.cx;
    at.left = std::max(at.left, area.left);
    script.Draw(dc, at, 0);
}

}  // namespace

void CStyledListCtrl::DrawItem(LPDRAWITEMSTRUCT item) {
    const int index = static_cast<int>(item->itemID);
    const CRect row(item->rcItem);
    if (index < 0 || row.IsRectEmpty())
        return;
    NoteLineDrawn(index);

    // Drawn off screen and copied in one go, so the line never flickers.
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(item->hDC) || !bitmap.CreateCompatibleBitmap(item->hDC, row.Width(), row.Height()))
        return;
    CDCSelection bitmapSelection(memory, bitmap);
    // The memory DC's logical coordinates are the list's client coordinates.
    ::SetWindowOrgEx(memory, row.left, row.top, nullptr);
    const LineLook look = LookOfLine(index, item->itemState);
    CDCSelection fontSelection(memory, look.font);
    ::SetBkMode(memory, TRANSPARENT);

    Fill(memory, row, look.background);
    // Wine hands owner-drawn report lines a rectangle 2 pixels right of the header's columns:
    // the cells follow the columns, so that drawing, clicks and the header agree.
    CRect columns(row);
    CRect bounds;
    if (GetItemRect(index, &bounds, LVIR_BOUNDS))
        columns.OffsetRect(bounds.left - row.left, 0);
    for (const Cell& cell : CellsOfRow(columns)) {
        if (!cell.rect.IsRectEmpty() && cell.rect.right > look.client.left && cell.rect.left < look.client.right)
            DrawCell(memory, index, cell, look);
    }
    ::BitBlt(item->hDC, row.left, row.top, row.Width(), row.Height(), memory, row.left, row.top, SRCCOPY);
}

void CStyledListCtrl::NoteLineDrawn(int index) {
    if (index != GetItemCount() - 1 || index == m_lastDrawnLine)
        return;
    m_lastDrawnLine = index;
    NotifyParent(UM_NOTIFYLISTMOREDATA, 0);
}

CStyledListCtrl::LineLook CStyledListCtrl::LookOfLine(int index, UINT state) const {
    LineLook look{};
    look.record = RecordAt(index);
    look.enabled = IsWindowEnabled() != FALSE;
    look.selected = (state & ODS_SELECTED) && ((GetStyle() & LVS_SHOWSELALWAYS) || ::GetFocus() == m_hWnd);
    const bool odd = index % 2 == 1;
    const bool ownBackground = look.record && look.record->bkgColour;
    if (look.selected)
        look.background = m_focusedColour;
    else if (ownBackground)
        look.background = *look.record->bkgColour;
    else if (!look.enabled)
        look.background = odd ? kDisabledOddLine : kDisabledEvenLine;
    else
        look.background = odd ? kOddLine : kWhite;
    if (ownBackground)
        look.separator = *look.record->bkgColour;
    else
        look.separator = look.enabled ? kWhite : kDisabledSeparator;
    look.font = GetFont();
    GetClientRect(&look.client);
    return look;
}

void CStyledListCtrl::DrawCell(HDC dc, int index, const Cell& cell, const LineLook& look) {
    if (!look.selected) {
        std::optional<COLORREF> background;
        if (look.record)
            background = ColourOfColumn(look.record->columnBkgColours, cell.column);
        if (!background)
            background = ColourOfColumn(m_columnBkgColours, cell.column);
        if (background)
            Fill(dc, cell.rect, *background);
    }
    Fill(dc, CRect(cell.rect.right - kSeparatorWidth, cell.rect.top, cell.rect.right, cell.rect.bottom), look.separator);
    CRect content(cell.rect);
    content.right -= kSeparatorWidth;

    const int textLeft = cell.column == 0 ? DrawFirstColumnLead(dc, index, content, look) : content.left + kCellTextIndent;
    const CString text = GetItemText(index, cell.column);
    if (StyledListCells::IsButton(text))
        DrawButtonCell(dc, content, text);
    else if (cell.column == m_progressColumn)
        DrawProgressCell(dc, content, text);
    else
        DrawTextCell(dc, cell.column, CRect(textLeft, content.top, content.right, content.bottom), text, look);
}

int CStyledListCtrl::DrawFirstColumnLead(HDC dc, int index, const CRect& content, const LineLook& look) {
    int textLeft = content.left;
    const int centre = (content.top + content.bottom) / 2;
    if (m_showCheckBox) {
        CRect box(content.left + kCheckBoxOffset, centre - kCheckBoxSize / 2, 0, 0);
        box.right = box.left + kCheckBoxSize;
        box.bottom = box.top + kCheckBoxSize;
        UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (!look.record || look.record->checked)
            state |= DFCS_CHECKED;
        if (!look.record || look.record->checkDisabled)
            state |= DFCS_INACTIVE;
        ::DrawFrameControl(dc, &box, DFC_BUTTON, state);
        m_checkBoxLeft = box.left;
        m_checkBoxRight = box.right;
        textLeft = box.right + kTextGap;
    }
    HIMAGELIST images = GetImageList(LVSIL_SMALL);
    if (!images)
        return textLeft;
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    GetItem(&item);
    if (item.iImage == 0)
        return textLeft + width + kTextGap;
    if (width <= 1)
        return textLeft;
    ImageList_Draw(images, item.iImage, dc, textLeft, centre - height / 2, ILD_TRANSPARENT);
    return textLeft + width + kTextGap;
}

void CStyledListCtrl::DrawButtonCell(HDC dc, const CRect& content, const CString& text) {
    const StyledListCells::ButtonKind kind = StyledListCells::ButtonKindOf(text);
    if (kind == StyledListCells::ButtonKind::kNone)
        return;
    CRect face(content);
    face.InflateRect(2, -1);
    SkinFace::Draw(dc, face, kButtonFaceId, kButtonFaceCorner);
    const CString caption = StyledListCells::ButtonCaption(text);
    if (kind == StyledListCells::ButtonKind::kStyled) {
        DrawStyledText(m_hWnd, dc, face, caption, kBlack, DT_CENTER);
        return;
    }
    CDCSelection font(dc, ButtonFont());
    ::SetTextColor(dc, kBlack);
    ::DrawTextA(dc, caption, caption.GetLength(), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CStyledListCtrl::DrawProgressCell(HDC dc, const CRect& content, const CString& text) {
    CRect bar(content);
    bar.DeflateRect(1, 1);
    if (bar.IsRectEmpty())
        return;
    CBrush frame(kBlack);
    ::FrameRect(dc, &bar, frame);
    CRect inside(bar);
    inside.DeflateRect(1, 1);
    Fill(dc, inside, kWhite);
    CRect filled(inside);
    filled.right = inside.left + inside.Width() * StyledListCells::ProgressPercent(text) / 100;
    Fill(dc, filled, kProgressFill);

    const CString label = StyledListCells::ProgressLabel(text);
    CDCSelection font(dc, ButtonFont());
    ::SetTextColor(dc, kBlack);
    ::DrawTextA(dc, label, label.GetLength(), &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CStyledListCtrl::DrawTextCell(HDC dc, int column, CRect area, const CString& text, const LineLook& look) {
    if (area.IsRectEmpty())
        return;
    const StyledLineRecord* record = look.record;
    CFont flaggedFont;
    if (record) {
        LOGFONTA font{};
        ::GetObjectA(look.font ? static_cast<HGDIOBJ>(look.font) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        const bool bold = record->bold || record->boldColumns.count(column);
        const bool italic = record->italic || record->italicColumns.count(column);
        const bool underline = record->underline || record->underlineColumns.count(column);
        if (bold || italic || underline || record->cancel) {
            if (bold)
                font.lfWeight = FW_BOLD;
            font.lfItalic = italic || font.lfItalic;
            font.lfUnderline = underline || font.lfUnderline;
            font.lfStrikeOut = record->cancel || font.lfStrikeOut;
            flaggedFont.CreateFontIndirect(&font);
        }
    }
    CDCSelection fontSelection(dc, flaggedFont.GetSafeHandle());
    const COLORREF colour = TextColourOf(record, column, look);

    CString shown = text;
    if (column == m_pathColumn) {
        const int width = std::max(kMinimumPathWidth, std::min<int>(area.Width(), look.client.right - area.left));
        shown = CUtilityLib::GetEllipsisText(dc, text, width);
    }
    const UINT alignment = CellAlignment(column);
    if (m_styledText) {
        DrawStyledText(m_hWnd, dc, area, shown, colour, alignment);
        return;
    }
    ::SetTextColor(dc, colour);
    ::DrawTextA(dc, shown, shown.GetLength(), &area,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | alignment);
}

COLORREF CStyledListCtrl::TextColourOf(const StyledLineRecord* record, int column, const LineLook& look) const {
    std::optional<COLORREF> own;
    if (record)
        own = ColourOfColumn(record->columnTextColours, column);
    if (!own && record)
        own = record->textColour;
    const COLORREF colour = own.value_or(look.enabled ? m_normalTextColour : kDisabledText);
    return look.selected ? colour ^ 0xFFFFFF : colour;
}

HFONT CStyledListCtrl::ButtonFont() const {
    // Made once, from the font of the first list that needs it, and shared by every styled list.
    static CFont font;
    if (!font.GetSafeHandle()) {
        LOGFONTA logFont{};
        HFONT listFont = GetFont();
        ::GetObjectA(listFont ? static_cast<HGDIOBJ>(listFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont),
                     &logFont);
        logFont.lfHeight = kButtonFontHeight;
        font.CreateFontIndirect(&logFont);
    }
    return font;
}

UINT CStyledListCtrl::CellAlignment(int column) const {
    const auto found = m_cellAlignment.find(column);
    if (found == m_cellAlignment.end())
        return 0;
    switch (found->second & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_CENTER:
        return DT_CENTER;
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    }
    return 0;
}
