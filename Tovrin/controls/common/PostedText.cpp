#include "PostedText.h"

#include <cstring>

bool PostTextCopy(HWND window, UINT message, WPARAM wParam, const char* text) {
    if (!window)
        return false;
    const size_t size = strlen(text) + 1;
    char* copy = static_cast<char*>(::LocalAlloc(LMEM_FIXED, size));
    if (!copy)
        return false;
    memcpy(copy, text, size);
    if (::PostMessageA(window, message, wParam, reinterpret_cast<LPARAM>(copy)))
        return true;
    ::LocalFree(copy);
    return false;
}
