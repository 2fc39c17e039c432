#include "DlgGetString.h"

#include <algorithm>

#include "DlgGetStringIds.h"
#include "TovrinModule.h"

namespace {

const int kMargin = 11;
const int kIconSize = 32;
const int kIconGap = 10;
const int kRowGap = 8;
const int kLabelGap = 6;
const int kEditExtraHeight = 8;
const int kMinDescriptionWidth = 240;
const int kMaxTextWidth = 360;
const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kButtonGap = 6;
const int kButtonsGap = 12;
const LANGID kKorean = 1042;

CSize MeasureText(HDC dc, const CString& text, int wrapWidth) {
    if (text.IsEmpty())
        return CSize(0, 0);
    RECT bounds = {0, 0, wrapWidth, 0};
    ::DrawTextA(dc, text, text.GetLength(), &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return CSize(bounds.right, bounds.bottom);
}

void Place(HWND dialog, int id, int x, int y, CSize size) {
    ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDlgGetString::CDlgGetString(CWnd* parent)
    : CLangResizeDlg(IDD_GET_STRING, parent), m_icon(nullptr), m_editWidth(0), m_maxLength(0), m_numeric(false) {
    m_hTemplateInstance = TovrinModule();
    SetEditSize(30, 255, false);
}

// Out of line: the input-method helper is Tovrin's own.
CDlgGetString::~CDlgGetString() = default;

void CDlgGetString::SetTitle(const char* title, const char* text) {
    m_title = title;
    m_heading = text;
}

void CDlgGetString::SetEditSize(int chars, int maxLength, bool numeric) {
    m_editWidth = static_cast<int>(chars * 6.3);
    m_maxLength = maxLength;
    m_numeric = numeric;
}

void CDlgGetString::SetIcon(HICON icon) {
    m_icon = icon;
    SetIcon(icon, false);
}

void CDlgGetString::BindControls() {
    m_result.Empty();
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    SetWindowText(m_title);
    ::SetDlgItemTextA(m_hWnd, IDC_GET_STRING_HEADING, m_heading);
    ::SetDlgItemTextA(m_hWnd, IDC_GET_STRING_NAME, m_name);
    ::SetDlgItemTextA(m_hWnd, IDC_GET_STRING_DESC, m_description);
    if (m_icon)
        ::SendDlgItemMessageA(m_hWnd, IDC_GET_STRING_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon), 0);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_GET_STRING_ICON), m_icon ? SW_SHOWNA : SW_HIDE);
    PrepareEdit();
    LayOut();
}

void CDlgGetString::PrepareEdit() {
    HWND edit = ::GetDlgItem(m_hWnd, IDC_GET_STRING_EDIT);
    CWnd::FromHandle(edit)->ModifyStyle(m_numeric ? 0 : ES_NUMBER, m_numeric ? ES_NUMBER : 0);
    ::SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max<int>(m_maxLength, 0)), 0);
    ::SetWindowTextA(edit, m_default);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    // Its EN_SETFOCUS switches the input method.
    ::SetFocus(edit);
}

void CDlgGetString::LayOut() {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(dc, GetFont());
    const CSize heading = MeasureText(dc, m_heading, kMaxTextWidth);
    const CSize label = MeasureText(dc, m_name, kMaxTextWidth);
    const int lineHeight = MeasureText(dc, "Ag가", kMaxTextWidth).cy;
    const CSize edit(m_editWidth, lineHeight + kEditExtraHeight);
    const int rowWidth = label.cx + (label.cx ? kLabelGap : 0) + edit.cx;
    int contentWidth = std::max<int>(heading.cx, rowWidth);
    const CSize description = MeasureText(dc, m_description, std::max<int>(contentWidth, kMinDescriptionWidth));
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    contentWidth = std::max<int>(contentWidth, description.cx);

    const int left = kMargin + (m_icon ? kIconSize + kIconGap : 0);
    int y = kMargin;
    Place(m_hWnd, IDC_GET_STRING_ICON, kMargin, kMargin, CSize(kIconSize, kIconSize));
    Place(m_hWnd, IDC_GET_STRING_HEADING, left, y, heading);
    if (heading.cy)
        y += heading.cy + kRowGap;
    const int rowHeight = std::max<int>(label.cy, edit.cy);
    Place(m_hWnd, IDC_GET_STRING_NAME, left, y + (rowHeight - label.cy) / 2, label);
    Place(m_hWnd, IDC_GET_STRING_EDIT, left + rowWidth - edit.cx, y + (rowHeight - edit.cy) / 2, edit);
    y += rowHeight;
    if (description.cy) {
        y += kRowGap;
        Place(m_hWnd, IDC_GET_STRING_DESC, left, y, description);
        y += description.cy;
    }
    y = std::max<int>(y, m_icon ? kMargin + kIconSize : 0) + kButtonsGap;

    const int clientWidth = std::max<int>(left + contentWidth + kMargin, 2 * kMargin + 2 * kButtonWidth + kButtonGap);
    const CSize button(kButtonWidth, kButtonHeight);
    Place(m_hWnd, IDCANCEL, clientWidth - kMargin - kButtonWidth, y, button);
    Place(m_hWnd, IDOK, clientWidth - kMargin - 2 * kButtonWidth - kButtonGap, y, button);

    RECT frame = {0, 0, clientWidth, y + kButtonHeight + kMargin};
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDlgGetString::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Every time: the user may have switched the input method elsewhere.
    if (LOWORD(wParam) == IDC_GET_STRING_EDIT && HIWORD(wParam) == EN_SETFOCUS && !m_numeric)
        m_hangulInput.Apply(reinterpret_cast<HWND>(lParam));
    return CLangResizeDlg::OnCommand(wParam, lParam);
}

void CDlgGetString::OnOK() {
    HWND edit = ::GetDlgItem(m_hWnd, IDC_GET_STRING_EDIT);
    CString text;
    CWnd::FromHandle(edit)->GetWindowText(text);
    text.TrimRight(' ');
    if (text.IsEmpty()) {
        const bool korean = LANGIDFROMLCID(::GetThreadLocale()) == kKorean;
        ::MessageBoxA(m_hWnd, korean ? "값을 입력해 주십시오." : "You have to fill out the value", m_title,
                      MB_OK | MB_ICONWARNING);
        ::SetFocus(edit);
        return;
    }
    m_result = text;
    CLangResizeDlg::OnOK();
}
