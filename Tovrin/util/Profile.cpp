#include "UtilityLib.h"

#include <new>
#include <vector>

#include "Mbcs.h"
#include "WholeTextLimit.h"

namespace {

const int kProfileValueChars = 1024;
// A section is never longer than its file; only when the file's size cannot be learnt are
// buffers doubled, up to the limit.
const DWORD kMinSectionBuffer = 4096;
const DWORD kMaxSectionBuffer = kWholeTextLimit + 2;

// The size of the file the platform reads: it looks a bare name up in the Windows folder, and
// takes win.ini without a name.
bool ProfileFileSize(const char* file, ULONGLONG& size) {
    CString path(file ? file : "win.ini");
    if (path.FindOneOf("\\/:") < 0)
        path = CUtilityLib::GetWindowsDirectoryA() + "\\" + path;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

// The section as NUL-separated lines; the returned count excludes the final terminator.
DWORD ReadSection(const char* section, const char* file, std::vector<char>& buffer) {
    ULONGLONG fileSize = 0;
    bool sized = ProfileFileSize(file, fileSize);
    if (sized && fileSize > static_cast<ULONGLONG>(kWholeTextLimit))
        return 0;
    DWORD size = sized ? static_cast<DWORD>(fileSize) + 2 : kMinSectionBuffer;
    if (size < kMinSectionBuffer)
        size = kMinSectionBuffer;
    for (;;) {
        buffer.assign(size, '\0');
        DWORD copied = ::GetPrivateProfileSectionA(section, buffer.data(), size, file);
        // size - 2 is the platform's way of saying the section did not fit.
        if (copied < size - 2)
            return copied;
        if (size >= kMaxSectionBuffer) {
            // Cut: the last line may be partial, so it goes.
            while (copied > 0 && buffer[copied - 1])
                --copied;
            return copied > 0 ? copied - 1 : 0;
        }
        size = size < kMaxSectionBuffer / 2 ? size * 2 : kMaxSectionBuffer;
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
    const int keptKeys = keys.GetSize();
    const int keptValues = values.GetSize();
    try {
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
    } catch (const std::bad_alloc&) {
        // Whole lines or none: the arrays stay parallel.
        keys.SetSize(keptKeys);
        values.SetSize(keptValues);
    }
    return keys.GetSize();
}
