#pragma once
#include <windows.h>
#include <shlwapi.h>

#include "CString.h"

// A real registry key of the profile (the ones the cleanup items name) holding one text value,
// deleted with its subtree when the test ends.
class SeededKey {
public:
    SeededKey(HKEY root, const char* path, const char* valueName = "Seeded", const char* text = "trace")
        : m_root(root), m_path(path) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
            RegCloseKey(key);
        }
    }
    ~SeededKey() { SHDeleteKeyA(m_root, m_path); }
    SeededKey(const SeededKey&) = delete;
    SeededKey& operator=(const SeededKey&) = delete;

    bool Exists() const { return KeyExists(m_root, m_path); }

    static bool KeyExists(HKEY root, const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    HKEY m_root;
    CString m_path;
};

// Keys of cheap items, to see which items a run really ran.
namespace TraceKeys {
const char kMediaPlayerFiles[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
const char kMediaPlayerUrls[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList";
const char kFileDialogs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32";
const char kFileDialogMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\txt";
const char kFindComputerMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindComputerMRU";
}  // namespace TraceKeys
