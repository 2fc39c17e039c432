#pragma once
#include <windows.h>

#include <string>

// Test-only: a file of the given size that starts with the given bytes and holds zeros after
// them. Setting the end of file allocates nothing on the host, so gigabytes cost no disk.
inline bool MakeSparseFile(const char* path, ULONGLONG size, const std::string& start = std::string()) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = start.empty() || (WriteFile(file, start.data(), static_cast<DWORD>(start.size()), &written, nullptr) &&
                                written == start.size());
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    ok = ok && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    return CloseHandle(file) && ok;
}

const ULONGLONG kOneGiB = 1024ull * 1024 * 1024;
