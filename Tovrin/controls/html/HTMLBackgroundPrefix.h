#pragma once
#include <windows.h>

#include "CString.h"
#include "TovrinApi.h"

// Splits "#r,g,b#markup": when text begins with '#', the next '#' stands at a position below 13
// and only digits and commas lie between them, colour gets the three decimal components (each
// modulo 256, missing ones 0), markup what follows, and the result is true. Otherwise markup is
// the whole text and colour is not changed.
TOVRIN_API bool SplitHTMLBackgroundPrefix(const char* text, COLORREF& colour, CString& markup);
