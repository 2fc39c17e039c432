#pragma once
#include <windows.h>

#include "CString.h"

// A fresh folder under the sandbox's temp folder, removed with everything in it (links
// included, never their targets) when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString operator/(const char* name) const;
    // Writes a file (creating missing folders) and returns its full path.
    CString MakeFile(const char* relative, const char* content = "x", DWORD attributes = 0) const;
    CString MakeFolder(const char* relative) const;

private:
    CString m_path;
};

// A fresh key under HKEY_CURRENT_USER\Software\VantrelTests, deleted with its subtree afterwards.
class TempRegKey {
public:
    TempRegKey();
    ~TempRegKey();
    TempRegKey(const TempRegKey&) = delete;
    TempRegKey& operator=(const TempRegKey&) = delete;

    HKEY Root() const { return HKEY_CURRENT_USER; }
    const CString& Path() const { return m_path; }
    CString operator/(const char* name) const { return m_path + "\\" + name; }

private:
    CString m_path;
};
