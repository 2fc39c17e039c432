#pragma once
#include <windows.h>

#include "CString.h"
#include "HangulInput.h"
#include "LangResizeDlg.h"
#include "RichButton.h"
#include "TovrinApi.h"

// A modal dialog that asks for one line of text: heading, a label in front of the edit box and a
// description, laid out from the texts given, with owner-drawn OK and Cancel buttons. OK with
// nothing but spaces keeps the dialog open and asks for a value.
class TOVRIN_API CDlgGetString : public CLangResizeDlg {
public:
    explicit CDlgGetString(CWnd* parent = nullptr);
    ~CDlgGetString() override;

    void SetTitle(const char* title, const char* text);
    void SetName(const char* name) { m_name = name; }
    void SetDesc(const char* description) { m_description = description; }
    void SetDefault(const char* text) { m_default = text; }
    // Edit box width chars x 6.3 pixels (truncated) and its text limit. numeric: digits only,
    // and the input method is left alone.
    void SetEditSize(int chars, int maxLength, bool numeric);
    // Shown in the dialog and as its small window icon; the caller keeps the icon.
    void SetIcon(HICON icon);
    using CResizeDlg::SetIcon;

    // The text accepted with OK, trailing spaces removed; empty until then.
    const CString& GetString() const { return m_result; }

protected:
    void BindControls() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void LayOut();
    void PrepareEdit();

    HICON m_icon;
    CString m_title;
    CString m_heading;
    CString m_name;
    CString m_description;
    CString m_default;
    int m_editWidth;
    int m_maxLength;
    bool m_numeric;
    CString m_result;
    CRichButton m_ok;
    CRichButton m_cancel;
    HangulInput m_hangulInput;
};
