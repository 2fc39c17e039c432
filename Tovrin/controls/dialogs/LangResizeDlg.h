#pragma once
#include <windows.h>

#include "ResizeDlg.h"

// A resizable dialog whose menu, title and static and button texts are translated through the
// language table before the base initialisation, so HTML statics and decorations see the
// translated texts.
class TOVRIN_API CLangResizeDlg : public CResizeDlg {
public:
    explicit CLangResizeDlg(UINT templateId, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    virtual CString TXT(const char* text);
    // Every string item, submenus included.
    virtual void ChangeMenuLang(HMENU menu);

private:
    void TranslateWindowText(HWND window);
};
