#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "Framework.h"

// Traces of other programs put where those programs keep them (their real registry keys, the
// sandbox's real shell folders) and removed again when the test ends. Only what the test
// created goes: a key or folder level that existed before stays.
class ProgramTraceProfile {
public:
    ProgramTraceProfile() = default;
    ~ProgramTraceProfile();
    ProgramTraceProfile(const ProgramTraceProfile&) = delete;
    ProgramTraceProfile& operator=(const ProgramTraceProfile&) = delete;

    // Creates the key with its missing parents.
    void MakeKey(HKEY root, const char* path);
    void SetText(HKEY root, const char* path, const char* name, const char* text);
    void SetBinary(HKEY root, const char* path, const char* name, const std::string& bytes);

    // Full paths; missing folders are created. Returns the path.
    CString MakeFolder(const char* folder);
    CString MakeFile(const char* file, const char* content = "trace");
    // A folder link made on the host; false when it could not be made.
    bool MakeLink(const char* link, const char* target);

private:
    void SetValue(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes);

    struct OwnedKey {
        HKEY root;
        CString path;
    };
    std::vector<OwnedKey> m_keys;
    std::vector<CString> m_items;
};

// What the registry holds, asked without the code under test.
namespace RegProbe {
bool KeyExists(HKEY root, const char* path);
bool ValueExists(HKEY root, const char* path, const char* name);
// The stored bytes and type; "<missing>" when the value cannot be read.
std::string ReadBytes(HKEY root, const char* path, const char* name, DWORD* type = nullptr);
std::set<std::string> ValueNames(HKEY root, const char* path);
}  // namespace RegProbe

// Switches the current folder for one test: a relative path would resolve against it.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const char* folder) {
        GetCurrentDirectoryA(MAX_PATH, m_saved);
        SetCurrentDirectoryA(folder);
    }
    ~ScopedCurrentFolder() { SetCurrentDirectoryA(m_saved); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    char m_saved[MAX_PATH] = "";
};

// The sandbox's shell folder of a CSIDL, without trailing "\".
CString SandboxFolder(int csidl);

// Runs one item through the item dispatch, as a cleaning run does.
void RunItem(int id);
