#include "HTMLLayout.h"

#include <algorithm>

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

// Byte ends of the first characters of a text, found only as far as they are asked for.
class CharacterEnds {
public:
    explicit CharacterEnds(const char* text) : m_text(text) {}

    // Byte length of the first count characters, or of the whole text when it has fewer.
    int BytesOf(size_t count) {
        while (m_ends.size() < count) {
            const int from = m_ends.empty() ? 0 : m_ends.back();
            const int length = Mbcs::CharLength(m_text + from);
            if (length == 0)
                break;
            m_ends.push_back(from + length);
        }
        return count == 0 || m_ends.empty() ? 0 : m_ends[std::min(count, m_ends.size()) - 1];
    }
    // Characters found so far: all of them once BytesOf was asked for more.
    size_t Found() const { return m_ends.size(); }

private:
    const char* m_text;
    std::vector<int> m_ends;
};

// Byte length of the longest run of whole characters at the start of text that fits in room (all
// of text when it fits). The prefix tried doubles until it is too wide, and the answer is then
// searched below it: what is measured stays a small multiple of what fits, so laying out a run
// takes time in proportion to its length, not to its length times its lines.
int FittingPrefix(HDC dc, const char* text, int room) {
    CharacterEnds ends(text);
    auto fits = [&](size_t count) { return TextExtent(dc, text, ends.BytesOf(count)).cx <= room; };
    size_t fit = 0;
    size_t tooMany = 0;
    for (size_t step = 1; tooMany == 0; step *= 2) {
        const size_t tried = fit + step;
        const bool fitted = fits(tried);
        if (fitted && ends.Found() < tried)
            return ends.BytesOf(tried);
        if (fitted)
            fit = tried;
        else
            tooMany = std::min(tried, ends.Found());
    }
    while (tooMany - fit > 1) {
        const size_t middle = (fit + tooMany) / 2;
        if (fits(middle))
            fit = middle;
        else
            tooMany = middle;
    }
    return ends.BytesOf(fit);
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
        if (!m_settings.autoLineBreak) {
            m_placer.Add(TextRun(text, TextExtent(m_dc, text, text.GetLength())));
            return;
        }
        const char* rest = text;
        for (int length = text.GetLength(); length > 0;) {
            int fit = FittingPrefix(m_dc, rest, m_placer.RoomLeft());
            if (fit == 0) {
                if (!m_placer.IsAtLineStart()) {
                    m_placer.Break(0, m_align);
                    continue;
                }
                // A line too narrow for one character still takes one: the text must move on.
                fit = Mbcs::CharLength(rest);
            }
            const CString piece(rest, fit);
            m_placer.Add(TextRun(piece, TextExtent(m_dc, piece, fit)));
            if (fit == length)
                return;
            m_placer.Break(0, m_align);
            rest += fit;
            length -= fit;
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
