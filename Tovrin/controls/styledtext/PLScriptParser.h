#pragma once
#include <vector>

#include "PLScriptText.h"

// Cuts a styled-text script into units (extents left at zero). A '<' with no '>' after it
// starts plain text that runs to the end of the script.
std::vector<PL_SCRIPT_UNIT> ParseStyledScript(const CString& script, COLORREF defaultColour);
// The script with every span from a '<' to the next '>' removed.
CString StripStyledTags(const CString& script);
