#pragma once
#include <windows.h>

#include "CString.h"
#include "TovrinApi.h"

// The "#RRGGBB" form of one of the 140 named colours of CSS (any case; the table spells
// Moccasin "Mocassin"), or false.
TOVRIN_API bool LookUpHTMLColourName(const char* name, CString& hexForm);
// A color attribute: a colour name or "#RRGGBB". A digit that is not hexadecimal or is missing
// counts as 0; without '#' the digits are read from the start.
TOVRIN_API COLORREF ParseHTMLColour(const char* value);
