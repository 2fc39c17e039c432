#pragma once
#include "FxApi.h"

// Double-byte awareness for ANSI text in the system code page (949 here): loops over characters
// must never look at a trail byte on its own.
namespace Mbcs {
FX_API bool IsLeadByte(unsigned char byte);
// Length in bytes of the character that starts at text (1 or 2; 0 at the terminator).
FX_API int CharLength(const char* text);
// Length of text without a lead byte left alone at its end, as a cut by bytes may leave one.
FX_API int LengthWithoutBrokenTail(const char* text);
// Like _mbsicmp: ASCII letters compare without case, double-byte characters compare whole.
FX_API int CompareNoCase(const char* a, const char* b);
// ASCII letters only; trail bytes of double-byte characters are never changed.
FX_API void MakeLower(char* text);
FX_API void MakeUpper(char* text);
}
