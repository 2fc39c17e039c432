#pragma once
#include "CString.h"
#include "TovrinApi.h"

// The texts of the styled list's special cells.
namespace StyledListCells {

// A cell whose text starts with a line feed is a button: "\nBTN=caption" (plain caption) or
// "\nSBTN=caption" (styled caption). Any other kind is still a button for clicks but draws nothing.
TOVRIN_API bool IsButton(const char* text);
enum class ButtonKind { kNone, kPlain, kStyled };
TOVRIN_API ButtonKind ButtonKindOf(const char* text);
TOVRIN_API CString ButtonCaption(const char* text);

// A progress cell: a decimal percentage clamped to 0..100, then an optional label line.
TOVRIN_API int ProgressPercent(const char* text);
// The second line of the text, or "N%" of the percentage when it is empty.
TOVRIN_API CString ProgressLabel(const char* text);

}  // namespace StyledListCells
