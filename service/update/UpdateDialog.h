#pragma once
#include "HTMLStatic.h"
#include "LangResizeDlg.h"
#include "SelkorApi.h"

// The update notice: the server's message, and the user's answer to it. Every button ends the
// dialog with IDOK; Choice() says which one it was.
class SELKOR_API CUpdateDialog : public CLangResizeDlg {
public:
    enum CChoice { choiceUpdate, choiceDoNotUpdate, choiceRemindLater };

    // message: HTML text; withSetup: a setup program can be fetched ("update now").
    CUpdateDialog(CWnd* parent, HICON icon, const char* message, bool withSetup);

    CChoice Choice() const { return m_choice; }

protected:
    BOOL OnInitDialog() override;
    void BindControls() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void Close(CChoice choice);

    HICON m_icon;
    CString m_message;
    bool m_withSetup;
    CChoice m_choice;
    CHTMLStatic m_text;
};
