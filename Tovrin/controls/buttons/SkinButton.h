#pragma once
#include <windows.h>

#include "Controls.h"
#include "PLScriptText.h"
#include "TovrinApi.h"

// What Tovrin's skinned buttons share: the owner-draw style, separate clicks for fast clicks,
// mouse-over tracking and a styled-text caption. The window keeps the whole text it was
// given, however it was set (SetWindowTextA, SetDlgItemText, WM_SETTEXT); derived buttons read
// their caption (and more) out of it in ApplyText.
class TOVRIN_API CSkinButton : public CButton {
public:
    CSkinButton();

    void SetWindowTextA(const char* text);
    bool IsMouseOver() const { return m_mouseOver; }
    const CPLScriptText& GetCaption() const { return m_caption; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    virtual void ApplyText(const char* text) { SetCaption(text); }
    void SetCaption(const char* script);
    // Draws the caption with its top-left corner at origin, clipped to clip.
    void DrawCaption(HDC dc, CPoint origin, const CRect& clip, bool disabled) const;

private:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnMouseMove();
    void OnMouseOver(bool over);

    CPLScriptText m_caption;
    CPLScriptText m_disabledCaption;
    bool m_mouseOver;
    bool m_tracking;
};
