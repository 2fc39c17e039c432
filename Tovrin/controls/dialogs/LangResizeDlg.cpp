#include "LangResizeDlg.h"

#include "Language.h"
#include "WindowFacts.h"

CLangResizeDlg::CLangResizeDlg(UINT templateId, CWnd* parent) : CResizeDlg(templateId, parent) {}

CString CLangResizeDlg::TXT(const char* text) { return CLanguage::TXT(text); }

BOOL CLangResizeDlg::OnInitDialog() {
    if (HMENU menu = ::GetMenu(m_hWnd)) {
        ChangeMenuLang(menu);
        ::DrawMenuBar(m_hWnd);
    }
    TranslateWindowText(m_hWnd);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HasWindowClass(child, "STATIC") || HasWindowClass(child, "BUTTON"))
            TranslateWindowText(child);
    }
    return CResizeDlg::OnInitDialog();
}

// Only a changed text is set: setting the same text again would reload an icon or bitmap static.
void CLangResizeDlg::TranslateWindowText(HWND window) {
    const CString text = GetWindowTextOf(window);
    const CString translated = TXT(text);
    if (translated != text)
        ::SetWindowTextA(window, translated);
}

void CLangResizeDlg::ChangeMenuLang(HMENU menu) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu, position, TRUE, &item))
            continue;
        if (item.hSubMenu)
            ChangeMenuLang(item.hSubMenu);
        if (item.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW))
            continue;
        // The whole caption is read: a cut key would replace the item with a cut text.
        CString caption;
        item.cch += 1;
        item.dwTypeData = caption.GetBuffer(static_cast<int>(item.cch));
        const BOOL read = ::GetMenuItemInfoA(menu, position, TRUE, &item);
        caption.ReleaseBuffer(read ? static_cast<int>(item.cch) : 0);
        if (!read)
            continue;
        const CString translated = TXT(caption);
        if (translated == caption)
            continue;
        MENUITEMINFOA change = {};
        change.cbSize = sizeof change;
        change.fMask = MIIM_STRING;
        change.dwTypeData = const_cast<char*>(translated.GetString());
        ::SetMenuItemInfoA(menu, position, TRUE, &change);
    }
}
