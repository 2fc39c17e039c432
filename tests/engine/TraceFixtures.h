#pragma once
#include <windows.h>

#include <shlwapi.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "ItemDispatch.h"
#include "TestFixtures.h"

// Fixtures for the Windows trace tests, which seed the real folders and keys of the sandbox.
namespace TraceFixtures {

// Runs a cleanup item through the item dispatch, as a cleaning run does.
inline void RunItem(int id, CHistoryCleaner& engine) {
    CRegBackupWriter writer;
    DispatchItem(id, engine, writer, nullptr);
}

inline CString WindowsFolder() {
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? CString(folder) : CString();
}

inline void MakeFolderChain(const CString& folder) {
    for (int at = folder.Find('\\', 3); at >= 0; at = folder.Find('\\', at + 1))
        CreateDirectoryA(folder.Left(at), nullptr);
    CreateDirectoryA(folder, nullptr);
}

// Writes a file, creating its folders, and returns its path.
inline CString MakeFileAt(const CString& path, const char* content = "x") {
    MakeFolderChain(path.Left(path.ReverseFind('\\')));
    FileProbe::WriteBytes(path, content);
    return path;
}

// Sets the last write time to the given number of hours before now.
inline bool SetAgeInHours(const char* path, int hours) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER value;
    value.LowPart = now.dwLowDateTime;
    value.HighPart = now.dwHighDateTime;
    value.QuadPart -= static_cast<ULONGLONG>(hours) * 3600 * 10000000;
    FILETIME written = {value.LowPart, value.HighPart};
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool set = SetFileTime(file, nullptr, nullptr, &written) != FALSE;
    CloseHandle(file);
    return set;
}

// A path the test creates in a real folder of the sandbox (a file, a folder or a link),
// removed with everything in it at the end without following links.
class SeededPath {
public:
    // An empty path stands for nothing to remove.
    explicit SeededPath(const CString& path) : m_path(path) {}
    ~SeededPath() {
        if (!m_path.IsEmpty())
            HostTools::RemoveTree(m_path);
    }
    SeededPath(const SeededPath&) = delete;
    SeededPath& operator=(const SeededPath&) = delete;

    operator const char*() const { return m_path; }
    CString operator/(const char* name) const { return m_path + "\\" + name; }

private:
    CString m_path;
};

// A folder the test needs in the sandbox; what the test had to make of its path is removed at
// the end.
class EnsuredFolder {
public:
    explicit EnsuredFolder(const CString& path) : m_path(path) {
        for (CString missing = path; !missing.IsEmpty() && !FileProbe::Exists(missing);
             missing = missing.Left(missing.ReverseFind('\\')))
            m_madeTop = missing;
        MakeFolderChain(path);
    }
    ~EnsuredFolder() {
        if (!m_madeTop.IsEmpty())
            HostTools::RemoveTree(m_madeTop);
    }
    EnsuredFolder(const EnsuredFolder&) = delete;
    EnsuredFolder& operator=(const EnsuredFolder&) = delete;

    operator const char*() const { return m_path; }
    CString operator/(const char* name) const { return m_path + "\\" + name; }

private:
    CString m_path;
    CString m_madeTop;
};

// A fresh folder on drive C, outside the temp folders that some routines empty.
class OutsideFolder {
public:
    OutsideFolder() {
        m_path.Format("C:\\vantrel-outside-%lu-%lu-%ld", GetCurrentProcessId(), GetTickCount(),
                      InterlockedIncrement(&s_counter));
        MakeFolderChain(m_path);
    }
    ~OutsideFolder() { HostTools::RemoveTree(m_path); }
    OutsideFolder(const OutsideFolder&) = delete;
    OutsideFolder& operator=(const OutsideFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString operator/(const char* name) const { return m_path + "\\" + name; }
    CString MakeFile(const char* relative, const char* content = "outside") const {
        return MakeFileAt(*this / relative, content);
    }

private:
    static inline LONG s_counter = 0;
    CString m_path;
};

// A registry key the test creates, deleted with its subtree at the end.
class SeededKey {
public:
    SeededKey(HKEY root, const CString& path) : m_root(root), m_path(path) {
        HKEY key = nullptr;
        if (RegCreateKeyA(root, path, &key) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
    ~SeededKey() { SHDeleteKeyA(m_root, m_path); }
    SeededKey(const SeededKey&) = delete;
    SeededKey& operator=(const SeededKey&) = delete;

    operator const char*() const { return m_path; }
    CString operator/(const char* name) const { return m_path + "\\" + name; }

private:
    HKEY m_root;
    CString m_path;
};

inline bool KeyExists(HKEY root, const char* path);
inline void SetText(HKEY root, const char* path, const char* name, const char* text);

// A text value the test writes into an existing key, deleted at the end.
class SeededValue {
public:
    SeededValue(HKEY root, const CString& path, const CString& name, const char* text)
        : m_root(root), m_path(path), m_name(name) {
        SetText(root, path, name, text);
    }
    ~SeededValue() { SHDeleteValueA(m_root, m_path, m_name); }
    SeededValue(const SeededValue&) = delete;
    SeededValue& operator=(const SeededValue&) = delete;

private:
    HKEY m_root;
    CString m_path;
    CString m_name;
};

// A key the test needs, deleted with its subtree at the end only when the test made it.
class EnsuredKey {
public:
    EnsuredKey(HKEY root, const CString& path) : m_root(root), m_path(path), m_made(!KeyExists(root, path)) {
        HKEY key = nullptr;
        if (RegCreateKeyA(root, path, &key) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
    ~EnsuredKey() {
        if (m_made)
            SHDeleteKeyA(m_root, m_path);
    }
    EnsuredKey(const EnsuredKey&) = delete;
    EnsuredKey& operator=(const EnsuredKey&) = delete;

private:
    HKEY m_root;
    CString m_path;
    bool m_made;
};

inline bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline bool ValueExists(HKEY root, const char* path, const char* name) {
    return SHGetValueA(root, path, name, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

inline void SetText(HKEY root, const char* path, const char* name, const char* text) {
    SHSetValueA(root, path, name, REG_SZ, text, lstrlenA(text) + 1);
}

}  // namespace TraceFixtures
