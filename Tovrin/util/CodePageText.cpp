#include "CodePageText.h"

#include <windows.h>

namespace CodePageText {

std::wstring Widened(const char* text) {
    int length = text ? MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0) : 0;
    if (length <= 1)
        return std::wstring();
    std::wstring wide(length - 1, L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, &wide[0], length);
    return wide;
}

CString NarrowedExactly(const wchar_t* text) {
    int length = text ? WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
    if (length <= 1)
        return CString();
    CString narrow;
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.GetBuffer(length - 1), length, nullptr, nullptr);
    narrow.ReleaseBuffer(length - 1);
    return Widened(narrow) == text ? narrow : CString();
}

}  // namespace CodePageText
