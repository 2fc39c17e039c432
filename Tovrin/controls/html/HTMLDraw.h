#pragma once
#include <windows.h>

#include "GdiTypes.h"
#include "HTMLLayout.h"
#include "TovrinApi.h"

// How the link under the mouse is drawn.
struct HTMLHighlight {
    int link = -1;  // none
    COLORREF colour = 0xFF0000;
    bool underline = true;
};

// Fills client with the background colour (the markup's <Background color> wins over
// backgroundColour), draws the background picture and then the runs.
TOVRIN_API void DrawHTMLLayout(HDC dc, const CRect& client, const CHTMLLayout& layout, COLORREF backgroundColour,
                               const HTMLHighlight& highlight);
