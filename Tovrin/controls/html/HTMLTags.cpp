#include "HTMLTags.h"

#include <cstring>

#include "CString.h"

namespace {

struct TagRule {
    const char* text;
    bool wholeTag;  // otherwise the tag only has to start with text
    HTMLTag tag;
};

const TagRule kRules[] = {
    {"background", false, HTMLTag::kBackground},
    {"img", false, HTMLTag::kImage},
    {"b", true, HTMLTag::kBoldOn},
    {"strong", true, HTMLTag::kBoldOn},
    {"/b", true, HTMLTag::kBoldOff},
    {"/strong", true, HTMLTag::kBoldOff},
    {"i", true, HTMLTag::kItalicOn},
    {"em", true, HTMLTag::kItalicOn},
    {"/i", true, HTMLTag::kItalicOff},
    {"/em", true, HTMLTag::kItalicOff},
    {"u", true, HTMLTag::kUnderlineOn},
    {"/u", true, HTMLTag::kUnderlineOff},
    {"br", true, HTMLTag::kLineBreak},
    {"p", false, HTMLTag::kParagraph},
    {"/p", true, HTMLTag::kParagraphEnd},
    {"center", true, HTMLTag::kCenter},
    {"/center", true, HTMLTag::kCenterEnd},
    {"right", true, HTMLTag::kRight},
    {"/right", true, HTMLTag::kRightEnd},
    {"a", false, HTMLTag::kLink},
    {"/a", false, HTMLTag::kLinkEnd},
    {"font", false, HTMLTag::kFont},
    {"/font", false, HTMLTag::kFontEnd},
};

}  // namespace

HTMLTag ClassifyHTMLTag(const char* tag) {
    CString text(tag);
    text.Trim();
    text.MakeLower();
    for (const TagRule& rule : kRules) {
        const CString compared = rule.wholeTag ? text : text.Left(static_cast<int>(strlen(rule.text)));
        if (compared == rule.text)
            return rule.tag;
    }
    return HTMLTag::kUnknown;
}
