#pragma once
#include "LangResizeDlg.h"
#include "SelkorApi.h"

// A dialog of the service, from Selkor's own templates, that the service window's 0x7D18
// closes: it is listed in CServiceDialogs from its initialisation until it is destroyed.
class SELKOR_API CServiceDialog : public CLangResizeDlg {
public:
    CServiceDialog(UINT templateId, CWnd* parent);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
};
