#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "CString.h"
#include "GdiTypes.h"
#include "HTMLBackground.h"
#include "HTMLFont.h"
#include "HTMLPicture.h"
#include "TovrinApi.h"

// One piece of laid-out HTML text: a text run in one font, or an inline picture.
struct HTMLRun {
    enum Kind { kText, kImage };
    Kind kind = kText;
    CString text;
    CHTMLFont font;
    int link = -1;  // index of the link it belongs to
    std::shared_ptr<CHTMLPicture> picture;
    int verticalOffset = 0;  // an IMG's voffset: moves the picture down (up when negative)
    CRect rect;              // in client coordinates
};

struct HTMLLayoutSettings {
    CHTMLFont font;  // the base font
    CRect client;
    CPoint margin;
    int lineHeightOffset = 0;
    bool autoLineBreak = true;
};

// HTML text markup placed into lines. Lines are laid from the client's top-left corner moved by
// the margin; line i goes down by (lineHeightOffset + 2) x i + 1 more pixels, and runs sit on
// the bottom of their line.
class TOVRIN_API CHTMLLayout {
public:
    // dc measures the text; its LOGPIXELSY sizes the fonts.
    void Build(HDC dc, const char* markup, const HTMLLayoutSettings& settings);

    const std::vector<HTMLRun>& GetRuns() const { return m_runs; }
    int GetLinkCount() const { return static_cast<int>(m_linkTargets.size()); }
    const CString& GetLinkTarget(int link) const { return m_linkTargets[link]; }
    // The link whose run covers point, or -1.
    int LinkAt(POINT point) const;
    // The union of every run's rectangle; empty without runs.
    CRect GetBoundingRect() const;
    const CHTMLBackground& GetBackground() const { return m_background; }

private:
    std::vector<HTMLRun> m_runs;
    std::vector<CString> m_linkTargets;
    CHTMLBackground m_background;
};
