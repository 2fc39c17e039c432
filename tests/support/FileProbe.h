#pragma once
#include <windows.h>

#include <string>


// What is on disk, asked without the functions under test.
namespace FileProbe {

inline bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

inline bool HasAttribute(const char* path, DWORD attribute) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute);
}

inline bool IsFolder(const char* path) { return HasAttribute(path, FILE_ATTRIBUTE_DIRECTORY); }

// Wine lists a host symbolic link with FILE_ATTRIBUTE_REPARSE_POINT.
inline bool IsLink(const char* path) { return HasAttribute(path, FILE_ATTRIBUTE_REPARSE_POINT); }

inline std::string ReadBytes(const char* path) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

inline bool WriteBytes(const char* path, const std::string& bytes) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

}  // namespace FileProbe
