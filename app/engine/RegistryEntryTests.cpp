#include <cstring>

#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "UtilityLib.h"

namespace {

// The longest expansion an ANSI path can use.
const DWORD kExpandedMaxChars = 260;

bool CanLoad(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module)
        return false;
    FreeLibrary(module);
    return true;
}

// The text up to the first character c (all of it when there is none), stepping over whole
// double-byte characters so that a trail byte is never taken for c.
CString CutBefore(const char* text, char c) {
    const char* p = text;
    while (*p && *p != c)
        p += Mbcs::CharLength(p);
    return CString(text, static_cast<int>(p - text));
}

// Unchanged when the expansion fails or does not fit, so a long name never overflows and is
// never judged by a cut path.
CString ExpandVariables(const CString& text) {
    char expanded[kExpandedMaxChars + 1] = {};
    DWORD needed = ExpandEnvironmentStringsA(text, expanded, kExpandedMaxChars);
    if (needed == 0 || needed > kExpandedMaxChars)
        return text;
    return CString(expanded);
}

// "C:\..." or "\\server\...": the loader opens exactly that file and searches nowhere else.
bool IsFullPath(const char* path) {
    char drive = path[0];
    bool isLetter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    bool driveRoot = isLetter && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return driveRoot || (path[0] == '\\' && path[1] == '\\');
}

// A full path can only load from a file that is there, so most missing entries cost a few
// attribute queries instead of a loader search each.
bool IsFileOrModuleAtFullPath(const CString& path) {
    if (CUtilityLib::IsFile(path))
        return true;
    // The loader itself tries the path with ".dll" when its name has no extension.
    for (const char* extension : {".exe", ".dll"}) {
        CString candidate = path + extension;
        if (CUtilityLib::IsFile(candidate) && CanLoad(candidate))
            return true;
    }
    return false;
}

bool IsFileOrModule(const CString& path) {
    if (IsFullPath(path))
        return IsFileOrModuleAtFullPath(path);
    return CUtilityLib::IsFile(path) || CanLoad(path) || CanLoad(path + ".exe") || CanLoad(path + ".dll");
}

}  // namespace

int CHistoryCleaner::IsLoadableFile(const char* path) {
    if (!path || !*path)
        return 0;
    // Sound schemes, Run entries and help folders are often REG_EXPAND_SZ: judged unexpanded,
    // every one of them would look missing and be deleted.
    CString text(path);
    if (strchr(path, '%'))
        text = ExpandVariables(text);
    return IsFileOrModule(text) ? 1 : 0;
}

int CHistoryCleaner::IsValidCommandLine(const char* command) {
    if (!command || !*command)
        return 0;
    for (const char* p = command; *p; p += Mbcs::CharLength(p)) {
        if (*p == ' ' && p != command && IsLoadableFile(CString(command, static_cast<int>(p - command))))
            return 1;
    }
    return IsLoadableFile(command);
}

CString CHistoryCleaner::StripQuotes(const char* text) {
    if (!text)
        return CString();
    if (*text != '"')
        return CString(text);
    return CutBefore(text + 1, '"');
}

CString CHistoryCleaner::MuiCacheNameToPath(const char* valueName) {
    if (!valueName)
        return CString();
    if (*valueName != '@')
        return CString(valueName);
    CString path = StripQuotes(valueName + 1);
    path = CutBefore(path, ',');
    if (strchr(path, '%'))
        path = ExpandVariables(path);
    return path;
}
