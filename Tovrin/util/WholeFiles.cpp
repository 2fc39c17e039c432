#include "UtilityLib.h"

#include <climits>
#include <new>

#include "Handle.h"

CString CUtilityLib::LoadFileData(const char* file, int limit) {
    CFileHandle handle(CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!handle.IsValid() || !GetFileSizeEx(handle, &size))
        return CString();
    LONGLONG wanted = (limit > 0 && limit < size.QuadPart) ? limit : size.QuadPart;
    if (wanted >= INT_MAX)
        return CString();
    try {
        CString text;
        char* buffer = text.GetBuffer(static_cast<int>(wanted));
        DWORD read = 0;
        if (!ReadFile(handle, buffer, static_cast<DWORD>(wanted), &read, nullptr))
            read = 0;
        buffer[read] = 0;
        // The text ends at the first NUL byte read.
        text.ReleaseBuffer(-1);
        return text;
    } catch (const std::bad_alloc&) {
        return CString();
    }
}

bool CUtilityLib::SaveFileData(CString text, const char* file, bool writeThrough) {
    if (IsFile(file) && IsReadOnly(file))
        SetReadOnly(file, false);
    if (!IsDirectory(GetParentFolder(file)))
        CreateMultiFolder(file, 0);

    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    CFileHandle handle(CreateFileA(file, GENERIC_WRITE, 0, writeThrough ? &inheritable : nullptr, CREATE_ALWAYS,
                                   writeThrough ? FILE_FLAG_WRITE_THROUGH : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsValid())
        return false;
    DWORD length = static_cast<DWORD>(text.GetLength());
    DWORD written = 0;
    bool saved = WriteFile(handle, text, length, &written, nullptr) && written == length;
    if (writeThrough)
        saved = saved && FlushFileBuffers(handle);
    return handle.Close() && saved;
}
