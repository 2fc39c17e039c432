#pragma once
#include <string>

#include "Framework.h"

// Paths between the system code page and UTF-16, inside Tovrin.
namespace CodePageText {

// "" for null, empty or broken text (a lead byte without its trail).
std::wstring Widened(const char* text);

// The text in the system code page only when it converts back unchanged: Wine and Windows
// replace a missing character by a look-alike ("é" by "e"), which may name another file.
CString NarrowedExactly(const wchar_t* text);

}  // namespace CodePageText
