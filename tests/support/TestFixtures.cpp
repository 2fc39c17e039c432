#include "TestFixtures.h"

#include <shlwapi.h>

#include "HostTools.h"

namespace {

CString UniqueName(const char* prefix) {
    static LONG counter = 0;
    CString name;
    // Process ids repeat across Wine runs; the tick count keeps names apart.
    name.Format("%s-%lu-%lu-%ld", prefix, GetCurrentProcessId(), GetTickCount(), InterlockedIncrement(&counter));
    return name;
}

void CreateFolderChain(const CString& folder) {
    for (int at = folder.Find('\\', 3); at >= 0; at = folder.Find('\\', at + 1))
        CreateDirectoryA(folder.Left(at), nullptr);
    CreateDirectoryA(folder, nullptr);
}

}  // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = CString(temp) + UniqueName("vt");
    m_path.Replace("\\\\", "\\");
    CreateFolderChain(m_path);
}

TempFolder::~TempFolder() { HostTools::RemoveTree(m_path); }

CString TempFolder::operator/(const char* name) const { return m_path + "\\" + name; }

CString TempFolder::MakeFolder(const char* relative) const {
    CString folder = *this / relative;
    CreateFolderChain(folder);
    return folder;
}

CString TempFolder::MakeFile(const char* relative, const char* content, DWORD attributes) const {
    CString file = *this / relative;
    int slash = file.ReverseFind('\\');
    CreateFolderChain(file.Left(slash));
    HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(handle, content, lstrlenA(content), &written, nullptr);
        CloseHandle(handle);
    }
    if (attributes)
        SetFileAttributesA(file, attributes);
    return file;
}

TempRegKey::TempRegKey() : m_path("Software\\VantrelTests\\" + UniqueName("key")) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

TempRegKey::~TempRegKey() { SHDeleteKeyA(HKEY_CURRENT_USER, m_path); }
