#pragma once
#include <windows.h>

#include "SkinButton.h"
#include "TovrinApi.h"

// A skinned two-state button for tab rows and check buttons. Its check state answers
// BM_GETCHECK and BM_SETCHECK, so CButton::GetCheck/SetCheck and IsDlgButtonChecked work.
class TOVRIN_API CRichTabButton : public CSkinButton {
public:
    CRichTabButton();

    // With auto-check on, releasing the left button inside the button while it holds the
    // mouse capture toggles the check state (before the parent hears BN_CLICKED).
    void SetAutoCheckBox(bool autoCheck) { m_autoCheck = autoCheck; }
    void ShowFocusRect(bool show);

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetCheckState(int check);
    void OnLButtonUp(LPARAM lParam);

    int m_check;
    bool m_autoCheck;
    bool m_showFocusRect;
};
