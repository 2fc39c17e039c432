#pragma once
#include "Framework.h"
#include "TovrinApi.h"

// The one gate for paths that a cleaner deletes in or writes to. Folders: it refuses drive roots,
// the Windows folder and its System32, the Program Files folders, the profiles root, the user's
// profile, Documents and Desktop (the user's and the shared ones), and every folder above any of
// them. They are compared by identity (volume and file index), so no other spelling of a
// protected folder gets past: a "\\?\" prefix, 8.3 names, another drive letter for the same
// folder, "..", "/". Files: it tells a link in a file's place.
class TOVRIN_API CPathGuard {
public:
    CPathGuard() = delete;

    // Full path with long names where they exist, "\\?\" and "\\.\" removed ("\\?\UNC\" becomes
    // "\\"), "/" as "\", no trailing "\" (a drive root keeps it), in its short form where the long one
    // has characters the ANSI code page lacks. "" when the text names neither a drive nor a server
    // path, or when no ANSI form names it.
    static CString Canonical(const char* path);

    // The canonical folder when a walk may delete inside it; "" when it is protected, a drive or
    // share root, or cannot be identified (a missing folder).
    static CString CleanableFolder(const char* folder);

    // The path is a link (junction, symbolic link) or cannot be told from one; deleting it or
    // writing to it would reach its target. Under Wine a host symbolic link to a file carries no
    // reparse flag (and deleting it deletes the target), so the final path of the opened file is
    // compared with the path's own. False for a missing path, which nothing can reach through.
    static bool IsLink(const char* path);
};
