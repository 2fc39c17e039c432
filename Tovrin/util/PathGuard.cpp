#include "PathGuard.h"

#include <shlobj.h>
#include <userenv.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CodePageText.h"
#include "FolderWalk.h"
#include "Handle.h"

using CodePageText::Widened;

namespace {

struct FolderIdentity {
    DWORD volume;
    ULONGLONG index;
    // Wine at times reports a volume serial of 0: an unknown volume matches any, so that a folder
    // is refused rather than let through.
    bool operator==(const FolderIdentity& other) const {
        return index == other.index && (volume == other.volume || volume == 0 || other.volume == 0);
    }
};

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsDrivePath(const std::wstring& path) {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsServerPath(const std::wstring& path) { return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\'; }

std::wstring CanonicalWide(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (StartsWith(path, L"\\\\?\\UNC\\"))
        path = L"\\\\" + path.substr(8);
    else if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\") || StartsWith(path, L"\\??\\"))
        path = path.substr(4);
    // What is left of a device path such as "\\.\GLOBALROOT\..." would resolve against the current folder.
    if (!IsDrivePath(path) && !IsServerPath(path))
        return std::wstring();

    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    wchar_t expanded[MAX_PATH];
    // A missing path keeps its short names; it cannot be walked anyway.
    DWORD longLength = GetLongPathNameW(full, expanded, MAX_PATH);
    std::wstring canonical = (longLength > 0 && longLength < MAX_PATH) ? expanded : full;
    while (canonical.size() > 3 && canonical.back() == L'\\')
        canonical.pop_back();
    return canonical;
}

// "X:\" or "\\server\share".
bool IsRoot(const std::wstring& canonical) {
    if (IsDrivePath(canonical))
        return canonical.size() <= 3;
    size_t server = canonical.find(L'\\', 2);
    return server == std::wstring::npos || canonical.find(L'\\', server + 1) == std::wstring::npos;
}

bool Identify(const std::wstring& path, FolderIdentity& identity) {
    CFileHandle folder(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!folder.IsValid() || !GetFileInformationByHandle(folder, &information))
        return false;
    identity.volume = information.dwVolumeSerialNumber;
    identity.index = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

void AddWithAncestors(std::wstring folder, std::vector<std::wstring>& folders) {
    folder = CanonicalWide(folder);
    while (!folder.empty()) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
        size_t separator = folder.find_last_of(L'\\');
        if (separator == std::wstring::npos || IsRoot(folder))
            break;
        // "C:\a" gives "C:\", whose separator is part of the root.
        folder.resize(separator == 2 ? 3 : separator);
    }
}

// The path with every link resolved, as the system names the opened file or folder; "" when it
// cannot be opened.
std::wstring FinalPath(const std::wstring& path) {
    CFileHandle opened(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    wchar_t final[MAX_PATH * 2];
    DWORD length = opened.IsValid() ? GetFinalPathNameByHandleW(opened, final, MAX_PATH * 2, FILE_NAME_NORMALIZED) : 0;
    return (length > 0 && length < MAX_PATH * 2) ? CanonicalWide(final) : std::wstring();
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::vector<FolderIdentity> IdentifyProtectedFolders() {
    std::vector<std::wstring> folders;
    wchar_t path[MAX_PATH];
    UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        AddWithAncestors(path, folders);
    length = GetSystemDirectoryW(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        AddWithAncestors(path, folders);
    static const int kShellFolders[] = {CSIDL_PROGRAM_FILES,   CSIDL_PROGRAM_FILESX86,       CSIDL_PROFILE,
                                        CSIDL_PERSONAL,        CSIDL_DESKTOPDIRECTORY,       CSIDL_COMMON_DOCUMENTS,
                                        CSIDL_COMMON_DESKTOPDIRECTORY};
    for (int csidl : kShellFolders) {
        if (SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
            AddWithAncestors(path, folders);
    }
    // A 32-bit program sees the 32-bit Program Files through the shell folders.
    length = GetEnvironmentVariableW(L"ProgramW6432", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        AddWithAncestors(path, folders);
    DWORD size = MAX_PATH;
    if (GetProfilesDirectoryW(path, &size))
        AddWithAncestors(path, folders);

    std::vector<FolderIdentity> identities;
    for (const std::wstring& folder : folders) {
        FolderIdentity identity;
        if (Identify(folder, identity))
            identities.push_back(identity);
    }
    return identities;
}

std::wstring ProfileVariable() {
    wchar_t value[MAX_PATH] = L"";
    DWORD length = GetEnvironmentVariableW(L"USERPROFILE", value, MAX_PATH);
    return length < MAX_PATH ? value : L"";
}

// The folder queries cost milliseconds each under Wine, so their result is kept; it is made again
// when %USERPROFILE% changes, from which Wine's shell derives the profile's folders.
std::vector<FolderIdentity> ProtectedIdentities() {
    static SRWLOCK lock = SRWLOCK_INIT;
    static bool made = false;
    static std::wstring madeForProfile;
    static std::vector<FolderIdentity> identities;
    std::wstring profile = ProfileVariable();
    AcquireSRWLockExclusive(&lock);
    if (!made || profile != madeForProfile) {
        identities = IdentifyProtectedFolders();
        madeForProfile = profile;
        made = true;
    }
    std::vector<FolderIdentity> copy = identities;
    ReleaseSRWLockExclusive(&lock);
    return copy;
}

}  // namespace

bool CPathGuard::IsLink(const char* path) {
    std::wstring wide = Widened(path);
    DWORD attributes = wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return true;
    // The parent's final path carries every link above the file (a drive letter for another
    // folder included), so only a link at the file itself makes the two differ.
    std::wstring canonical = CanonicalWide(wide);
    size_t separator = canonical.find_last_of(L'\\');
    if (separator == std::wstring::npos || IsRoot(canonical))
        return false;
    std::wstring parent = FinalPath(canonical.substr(0, separator == 2 ? 3 : separator));
    std::wstring own = FinalPath(canonical);
    if (parent.empty() || own.empty())
        return true;
    if (parent.back() != L'\\')
        parent += L'\\';
    return !SameText(own, parent + canonical.substr(separator + 1));
}

CString CPathGuard::Canonical(const char* path) { return CFolderWalk::AnsiPath(CanonicalWide(Widened(path)).c_str()); }

CString CPathGuard::CleanableFolder(const char* folder) {
    std::wstring canonical = CanonicalWide(Widened(folder));
    FolderIdentity identity;
    if (canonical.empty() || IsRoot(canonical) || !Identify(canonical, identity))
        return CString();
    std::vector<FolderIdentity> protectedFolders = ProtectedIdentities();
    if (std::find(protectedFolders.begin(), protectedFolders.end(), identity) != protectedFolders.end())
        return CString();
    return CFolderWalk::AnsiPath(canonical.c_str());
}
