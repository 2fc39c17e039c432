#pragma once
#include "Wnd.h"

// A dialog from a template resource. DoModal runs its own modal loop, which never shows a
// hidden dialog by itself: a template without WS_VISIBLE stays hidden until the program shows
// it. Without a parent the dialog is owned by the main window's last active popup (an open modal
// dialog, if there is one). When the loop ends the dialog is hidden, its owner enabled again,
// then it is destroyed.
class FX_API CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    virtual INT_PTR DoModal();
    // Modeless, from a numeric or a named template.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(const char* templateName, CWnd* parent = nullptr);
    // Modal: ends the loop with the result; modeless: hides the dialog (::EndDialog).
    void EndDialog(int result);

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Module whose resources hold the template; the program file unless set.
    HINSTANCE m_hTemplateInstance;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL CreateFromTemplate(const char* templateName, HWND owner);
    void RunModalLoop();

    bool m_modalRunning;
    bool m_modalEnded;
    INT_PTR m_modalResult;
};
