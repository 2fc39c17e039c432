#include "HTMLStatic.h"
#include "ResizeDlg.h"
#include "RichButton.h"
#include "WindowFacts.h"

void CResizeDlg::SubclassTemplateControls() {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const DWORD style = GetStyleOf(child);
        const bool held = CWnd::FromHandlePermanent(child) != nullptr;
        if (HasWindowClass(child, "STATIC")) {
            // The style bit, not IsWindowVisible: the dialog itself is still hidden here.
            if (!(style & WS_VISIBLE) && (style & SS_TYPEMASK) == SS_SIMPLE) {
                const CString text = GetWindowTextOf(child);
                if (!text.IsEmpty())
                    AddDecoration(child, text);
            } else if ((style & SS_TYPEMASK) == SS_LEFT && !held) {
                const CString text = GetWindowTextOf(child);
                if (text[0] == '<' || text[0] == '#')
                    AdoptControl(std::make_unique<CHTMLStatic>(), child);
            }
        } else if (HasWindowClass(child, "BUTTON") && !held) {
            switch (style & BS_TYPEMASK) {
            case BS_OWNERDRAW:
                AdoptControl(std::make_unique<CRichButton>(), child);
                break;
            case BS_GROUPBOX:
                AdoptControl(std::make_unique<CButton>(), child);
                break;
            }
        }
    }
}

void CResizeDlg::AdoptControl(std::unique_ptr<CWnd> control, HWND window) {
    if (control->SubclassWindow(window))
        m_ownedControls.push_back(std::move(control));
}
