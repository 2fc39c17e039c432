#include "HTMLLayout.h"

#include "DCSelection.h"
#include "HTMLAttributes.h"
#include "HTMLColours.h"
#include "HTMLLinePlacer.h"
#include "HTMLTags.h"
#include "HTMLTokens.h"
#include "Mbcs.h"

namespace {

CSize TextExtent(HDC dc, const char* text, int length) {
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, length, &size);
    return size;
}

// Byte length of the longest run of whole characters at the start of text that fits in room.
int FittingPrefix(HDC dc, const CString& text, int room) {
    std::vector<int> ends;
    for (const char* p = text; *p; p += Mbcs::CharLength(p))
        ends.push_back(static_cast<int>(p - text.GetString()) + Mbcs::CharLength(p));
    // The whole text is known not to fit: search the character counts below it.
    int fits = 0;
    int tooMany = static_cast<int>(ends.size());
    while (tooMany - fits > 1) {
        const int middle = (fits + tooMany) / 2;
        if (TextExtent(dc, text, ends[middle - 1]).cx <= room)
            fits = middle;
        else
            tooMany = middle;
    }
    return fits == 0 ? 0 : ends[fits - 1];
}

HTMLAlign ReadAlign(const CString& value, HTMLAlign current) {
    if (Mbcs::CompareNoCase(value, "left") == 0)
        return HTMLAlign::kLeft;
    if (Mbcs::CompareNoCase(value, "center") == 0)
        return HTMLAlign::kCenter;
    if (Mbcs::CompareNoCase(value, "right") == 0)
        return HTMLAlign::kRight;
    return current;
}

class CHTMLLayoutBuilder {
public:
    CHTMLLayoutBuilder(HDC dc, const HTMLLayoutSettings& settings, std::vector<HTMLRun>& runs,
                       std::vector<CString>& linkTargets, CHTMLBackground& background)
        : m_dc(dc), m_settings(settings), m_placer(runs, settings), m_linkTargets(linkTargets),
          m_background(background), m_font(settings.font) {}

    void Add(const HTMLToken& token) {
        if (token.kind == HTMLToken::kText)
            PlaceText(token.text);
        else
            ApplyTag(token.text);
    }

    void Finish() {
        if (!m_placer.IsAtLineStart())
            m_placer.Break(0, m_align);
    }

private:
    void PlaceText(const CString& text) {
        CFont font;
        m_font.CreateFont(font, m_dc);
        CDCSelection selection(m_dc, font);
        CString rest = text;
        while (!rest.IsEmpty()) {
            const CSize size = TextExtent(m_dc, rest, rest.GetLength());
            if (!m_settings.autoLineBreak || size.cx <= m_placer.RoomLeft()) {
                m_placer.Add(TextRun(rest, size));
                return;
            }
            int fit = FittingPrefix(m_dc, rest, m_placer.RoomLeft());
            if (fit == 0) {
                if (!m_placer.IsAtLineStart()) {
                    m_placer.Break(0, m_align);
                    continue;
                }
                // A line too narrow for one character still takes one: the text must move on.
                fit = Mbcs::CharLength(rest);
            }
            const CString piece = rest.Left(fit);
            m_placer.Add(TextRun(piece, TextExtent(m_dc, piece, fit)));
            m_placer.Break(0, m_align);
            rest = rest.Mid(fit);
        }
    }

    HTMLRun TextRun(const CString& text, const CSize& size) const {
        HTMLRun run;
        run.text = text;
        run.font = m_font;
        run.link = m_link;
        run.rect = CRect(CPoint(0, 0), size);
        return run;
    }

    void PlaceImage(const CHTMLAttributes& attributes) {
        CString src;
        if (!attributes.Lookup("src", src))
            return;
        auto picture = std::make_shared<CHTMLPicture>();
        if (!picture->Load(src))
            return;
        const CSize natural = picture->GetSize();
        const CSize size(attributes.LookupNumber("width", natural.cx), attributes.LookupNumber("height", natural.cy));
        if (m_settings.autoLineBreak && size.cx > m_placer.RoomLeft() && !m_placer.IsAtLineStart())
            m_placer.Break(0, m_align);
        HTMLRun run;
        run.kind = HTMLRun::kImage;
        run.picture = picture;
        run.link = m_link;
        run.verticalOffset = attributes.LookupNumber("voffset", 0);
        run.rect = CRect(CPoint(0, 0), size);
        m_placer.Add(run);
    }

    // An empty line is as tall as the text of the current font.
    void LineBreak() {
        CFont font;
        m_font.CreateFont(font, m_dc);
        CDCSelection selection(m_dc, font);
        m_placer.Break(TextExtent(m_dc, " ", 1).cy, m_align);
    }

    void BreakUnlessAtLineStart() {
        if (!m_placer.IsAtLineStart())
            LineBreak();
    }

    void StartLink(const CHTMLAttributes& attributes) {
        CString target;
        if (!attributes.Lookup("href", target)) {
            m_link = -1;
            return;
        }
        m_linkTargets.push_back(target);
        m_link = static_cast<int>(m_linkTargets.size()) - 1;
    }

    void PushFont(const CHTMLAttributes& attributes) {
        m_fontStack.push_back(m_font);
        CString value;
        if (attributes.Lookup("face", value))
            m_font.m_faceName = value;
        if (attributes.Lookup("size", value))
            m_font.ApplySizeValue(value);
        if (attributes.Lookup("color", value))
            m_font.m_colour = ParseHTMLColour(value);
    }

    void PopFont() {
        if (m_fontStack.empty())
            return;
        m_font = m_fontStack.back();
        m_fontStack.pop_back();
    }

    void ApplyTag(const CString& tag) {
        const HTMLTag kind = ClassifyHTMLTag(tag);
        switch (kind) {
        case HTMLTag::kBackground:
            m_background.Apply(CHTMLAttributes(tag));
            break;
        case HTMLTag::kImage:
            PlaceImage(CHTMLAttributes(tag));
            break;
        case HTMLTag::kBoldOn:
        case HTMLTag::kBoldOff:
            m_font.m_bold = kind == HTMLTag::kBoldOn;
            break;
        case HTMLTag::kItalicOn:
        case HTMLTag::kItalicOff:
            m_font.m_italic = kind == HTMLTag::kItalicOn;
            break;
        case HTMLTag::kUnderlineOn:
        case HTMLTag::kUnderlineOff:
            m_font.m_underline = kind == HTMLTag::kUnderlineOn;
            break;
        case HTMLTag::kLineBreak:
            LineBreak();
            break;
        case HTMLTag::kParagraph: {
            BreakUnlessAtLineStart();
            CString align;
            if (CHTMLAttributes(tag).Lookup("align", align))
                m_align = ReadAlign(align, m_align);
            break;
        }
        case HTMLTag::kParagraphEnd:
        case HTMLTag::kCenterEnd:
        case HTMLTag::kRightEnd:
            BreakUnlessAtLineStart();
            m_align = HTMLAlign::kLeft;
            break;
        case HTMLTag::kCenter:
            BreakUnlessAtLineStart();
            m_align = HTMLAlign::kCenter;
            break;
        case HTMLTag::kRight:
            BreakUnlessAtLineStart();
            m_align = HTMLAlign::kRight;
            break;
        case HTMLTag::kLink:
            StartLink(CHTMLAttributes(tag));
            break;
        case HTMLTag::kLinkEnd:
            m_link = -1;
            break;
        case HTMLTag::kFont:
            PushFont(CHTMLAttributes(tag));
            break;
        case HTMLTag::kFontEnd:
            PopFont();
            break;
        case HTMLTag::kUnknown:
            break;
        }
    }

    HDC m_dc;
    const HTMLLayoutSettings& m_settings;
    CHTMLLinePlacer m_placer;
    std::vector<CString>& m_linkTargets;
    CHTMLBackground& m_background;
    CHTMLFont m_font;
    std::vector<CHTMLFont> m_fontStack;
    HTMLAlign m_align = HTMLAlign::kLeft;
    int m_link = -1;
};

}  // namespace

void CHTMLLayout::Build(HDC dc, const char* markup, const HTMLLayoutSettings& settings) {
    m_runs.clear();
    m_linkTargets.clear();
    m_background = CHTMLBackground();
    CHTMLLayoutBuilder builder(dc, settings, m_runs, m_linkTargets, m_background);
    for (const HTMLToken& token : TokenizeHTML(markup))
        builder.Add(token);
    builder.Finish();
}

int CHTMLLayout::LinkAt(POINT point) const {
    for (const HTMLRun& run : m_runs)
        if (run.link >= 0 && run.rect.PtInRect(point))
            return run.link;
    return -1;
}

CRect CHTMLLayout::GetBoundingRect() const {
    CRect bounds;
    for (const HTMLRun& run : m_runs)
        ::UnionRect(&bounds, &bounds, &run.rect);
    return bounds;
}
