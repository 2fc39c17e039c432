#pragma once
#include "TovrinApi.h"

enum class HTMLTag {
    kUnknown,
    kBackground,
    kImage,
    kBoldOn,
    kBoldOff,
    kItalicOn,
    kItalicOff,
    kUnderlineOn,
    kUnderlineOff,
    kLineBreak,
    kParagraph,
    kParagraphEnd,
    kCenter,
    kCenterEnd,
    kRight,
    kRightEnd,
    kLink,
    kLinkEnd,
    kFont,
    kFontEnd,
};

// What a tag's text (between '<' and '>') stands for. The text is trimmed of spaces and
// compared without regard to case; the first rule that matches decides, so "Background..." and
// "IMG..." win over "b" and "i", and any tag starting with "p" or "a" is a paragraph or a link.
TOVRIN_API HTMLTag ClassifyHTMLTag(const char* tag);
