#include "HTMLDraw.h"

#include "DCSelection.h"
#include "GdiObjects.h"

namespace {

void DrawTextRun(HDC dc, const HTMLRun& run, bool highlighted, const HTMLHighlight& highlight) {
    CHTMLFont look = run.font;
    if (highlighted && highlight.underline)
        look.m_underline = 1;
    CFont font;
    look.CreateFont(font, dc);
    CDCSelection selection(dc, font);
    ::SetTextColor(dc, highlighted ? highlight.colour : run.font.m_colour);
    ::TextOutA(dc, run.rect.left, run.rect.top, run.text, run.text.GetLength());
}

}  // namespace

void DrawHTMLLayout(HDC dc, const CRect& client, const CHTMLLayout& layout, COLORREF backgroundColour,
                    const HTMLHighlight& highlight) {
    const CHTMLBackground& background = layout.GetBackground();
    CBrush fill(background.HasColour() ? background.GetColour() : backgroundColour);
    ::FillRect(dc, &client, fill);
    background.DrawPicture(dc, client);

    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    for (const HTMLRun& run : layout.GetRuns()) {
        const bool highlighted = run.link >= 0 && run.link == highlight.link;
        if (run.kind == HTMLRun::kImage)
            run.picture->Render(dc, run.rect);
        else
            DrawTextRun(dc, run, highlighted, highlight);
    }
    ::RestoreDC(dc, saved);
}
