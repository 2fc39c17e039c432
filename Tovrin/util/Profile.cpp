#include "UtilityLib.h"

#include <vector>

#include "Mbcs.h"

namespace {

const int kProfileValueChars = 1024;
// Sections are read whole; this only bounds a buffer when the file's size cannot be learnt
// (a bare file name, which the platform looks up in the Windows folder).
const DWORD kMinSectionBuffer = 4096;
const DWORD kMaxSectionBuffer = 64 * 1024 * 1024;

DWORD FileSizeOrZero(const char* file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!file || !GetFileAttributesExA(file, GetFileExInfoStandard, &data) || data.nFileSizeHigh)
        return 0;
    return data.nFileSizeLow;
}

// The section as NUL-separated lines; the returned count excludes the final terminator.
DWORD ReadSection(const char* section, const char* file, std::vector<char>& buffer) {
    DWORD size = FileSizeOrZero(file) + 2;
    if (size < kMinSectionBuffer)
        size = kMinSectionBuffer;
    for (;;) {
        buffer.assign(size, '\0');
        DWORD copied = ::GetPrivateProfileSectionA(section, buffer.data(), size, file);
        // size - 2 is the platform's way of saying the section did not fit.
        if (copied < size - 2 || size >= kMaxSectionBuffer)
            return copied;
        size *= 2;
    }
}

}  // namespace

CString CUtilityLib::GetPrivateProfileStringA(const char* section, const char* key, const char* file) {
    char value[kProfileValueChars] = {};
    DWORD length = ::GetPrivateProfileStringA(section, key, "", value, kProfileValueChars, file);
    // A cut by bytes, as Windows makes in an ANSI file, may split the last double-byte character;
    // Wine cuts whole characters.
    if (length == kProfileValueChars - 1)
        length = Mbcs::LengthWithoutBrokenTail(value);
    return CString(value, static_cast<int>(length));
}

int CUtilityLib::GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    return static_cast<int>(::GetPrivateProfileIntA(section, key, defaultValue, file));
}

void CUtilityLib::WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                             const char* file) {
    ::WritePrivateProfileStringA(section, key, value, file);
}

void CUtilityLib::WritePrivateProfileInt(const char* section, const char* key, int value, const char* file) {
    CString text;
    text.Format("%d", value);
    ::WritePrivateProfileStringA(section, key, text, file);
}

void CUtilityLib::DeletePrivateProfile(const char* section, const char* key, const char* file) {
    ::WritePrivateProfileStringA(section, key, nullptr, file);
}

int CUtilityLib::GetPrivateProfileSectionA(const char* section, CStringArray& keys, CStringArray& values,
                                           const char* file) {
    std::vector<char> buffer;
    DWORD copied = ReadSection(section, file, buffer);
    const char* end = buffer.data() + copied;
    for (const char* line = buffer.data(); line < end && *line;) {
        CString text(line, static_cast<int>(strnlen(line, end - line)));
        int equals = text.Find('=');
        values.Add(equals < 0 ? CString() : text.Mid(equals + 1));
        keys.Add(equals < 0 ? text : text.Left(equals));
        line += text.GetLength() + 1;
    }
    return keys.GetSize();
}
