#pragma once
#include <windows.h>

#include <string>

#include "CString.h"

// Test-only: entries named with characters that code page 949 lacks, made and probed through
// the wide calls, since the ANSI calls cannot name them.
namespace WidePaths {

// "这文件.txt.lnk": 这 is missing, the ANSI calls show it as "?".
const wchar_t kChineseLink[] = L"\u8FD9\u6587\u4EF6.txt.lnk";
// "Ærø ğ.txt": ğ is missing.
const wchar_t kAccentedFile[] = L"\u00C6r\u00F8 \u011F.txt";
// "résumé": é is missing, and the ANSI calls show the name as "resume".
const wchar_t kAccentedFolder[] = L"r\u00E9sum\u00E9";

inline std::wstring Widened(const char* text) {
    wchar_t wide[2 * MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 2 * MAX_PATH);
    return wide;
}

// folder, "\" and relative, where relative may hold further "\".
inline std::wstring Join(const char* folder, const std::wstring& relative) {
    return Widened(folder) + L"\\" + relative;
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline bool HasAttribute(const std::wstring& path, DWORD attribute) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute);
}

// Creates the folder and every missing parent.
inline bool MakeFolder(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    return HasAttribute(path, FILE_ATTRIBUTE_DIRECTORY);
}

// A file of one byte, with its missing folders; attributes are set afterwards when given.
inline bool MakeFile(const std::wstring& path, DWORD attributes = 0) {
    MakeFolder(path.substr(0, path.rfind(L'\\')));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, "x", 1, &written, nullptr) && written == 1;
    ok = CloseHandle(file) && ok;
    return ok && (!attributes || SetFileAttributesW(path.c_str(), attributes));
}

}  // namespace WidePaths
