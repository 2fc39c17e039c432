#include "Controls.h"

namespace {

BOOL CreateControl(CWnd& control, const char* className, const char* text, DWORD style, const RECT& rect,
                   CWnd* parent, UINT id) {
    return control.CreateEx(0, className, text, style, rect, parent, id);
}

}  // namespace

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateControl(*this, "STATIC", text, style, rect, parent, id);
}

BOOL CButton::Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateControl(*this, "BUTTON", caption, style, rect, parent, id);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return TRUE;
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateControl(*this, "LISTBOX", nullptr, style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const {
    int length = static_cast<int>(SendMessage(LB_GETTEXTLEN, index));
    if (length < 0) {
        text.Empty();
        return;
    }
    char* buffer = text.GetBuffer(length + 1);
    int copied = static_cast<int>(SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    text.ReleaseBuffer(copied < 0 ? 0 : copied);
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
    DWORD result = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    outside = HIWORD(result) != 0;
    return LOWORD(result);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        *result = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    *result = TRUE;
    return TRUE;
}
