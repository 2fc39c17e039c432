#pragma once
#include <windows.h>

#include "CDC.h"
#include "CString.h"
#include "Controls.h"
#include "GdiObjects.h"
#include "HTMLDraw.h"
#include "HTMLFont.h"
#include "HTMLLayout.h"
#include "TovrinApi.h"

// A static control that shows HTML text markup with links. It paints from an off-screen copy of
// its client area that is rebuilt when the layout changes or the control is resized. The text
// given to SetWindowTextA (or WM_SETTEXT) may start with a background prefix "#r,g,b#".
//
// Links: a "reru://" target is posted to the main window (kHTMLCommandLinkMessage), any other
// one is offered to it and otherwise opened with Internet Explorer (see HTMLLinkOpener.h). A
// click outside every link posts WM_COMMAND (id, STN_CLICKED) to the parent.
class TOVRIN_API CHTMLStatic : public CStatic {
public:
    CHTMLStatic();
    ~CHTMLStatic() override;

    // Stores text for GetWindowTextA; the background prefix is stripped, the rest is the markup.
    void SetWindowTextA(const char* text);
    void GetWindowTextA(CString& text) const { text = m_windowText; }
    // Copies whole characters, at most size - 1 bytes, and always terminates (size > 0).
    // Returns the number of bytes copied.
    int GetWindowTextA(char* buffer, int size) const;

    void SetScript(const char* markup);
    const CString& GetScript() const { return m_markup; }
    void SetMargin(int x, int y);
    void SetLineHeightOffset(int offset);
    void SetNoAutoLineBreak(bool noAutoLineBreak);
    void SetFont(const CHTMLFont& font);
    const CHTMLFont& GetFont() const { return m_font; }
    void SetBackgroundColour(COLORREF colour);
    COLORREF GetBackgroundColour() const { return m_backgroundColour; }
    void SetHighlightColour(COLORREF colour);
    COLORREF GetHighlightColour() const { return m_highlight.colour; }
    void SetUnderlineWhenHighlight(bool underline);
    bool IsUnderlineWhenHighlight() const { return m_highlight.underline; }
    // The area the laid-out text covers, in client coordinates.
    CRect GetBoundingRect() const { return m_layout.GetBoundingRect(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Dialog-template controls: dialog colours, no automatic line breaks, mouse notifications,
    // and the template's text taken over as markup.
    void PreSubclassWindow() override;

private:
    void TakeOverWindowText();
    void LayoutChanged();
    void LookChanged();
    // Lays out and draws into the cache when it is stale; false without a client area.
    bool EnsureCache();
    void DrawCache();
    void FreeCache();
    void CopyCache(HDC target);

    void OnMouseMove(CPoint point);
    void OnMouseLeave();
    void RestoreCursor();
    BOOL OnSetCursor(UINT hitTest);
    void OnClick(CPoint point);
    void SetHoverLink(int link);

    CHTMLLayout m_layout;
    CHTMLFont m_font;
    CString m_markup;
    CString m_windowText;
    CDC m_cacheDC;
    CBitmap m_cacheBitmap;
    HGDIOBJ m_cacheOldBitmap;
    CSize m_cacheSize;
    bool m_layoutValid;
    bool m_cacheValid;
    COLORREF m_backgroundColour;
    HTMLHighlight m_highlight;  // its link is the link under the mouse
    CPoint m_margin;
    int m_lineHeightOffset;
    bool m_noAutoLineBreak;
    HCURSOR m_handCursor;
    HCURSOR m_replacedCursor;
    bool m_tracking;
    bool m_overLink;
};
