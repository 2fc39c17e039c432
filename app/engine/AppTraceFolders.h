#pragma once
#include "Framework.h"

// Folders of other programs' traces. An empty result means "skip this part": joining a name
// to an empty base would give a path from the root of the current drive.
namespace AppTraceFolders {

// The shell folder of a CSIDL without trailing "\", or "" when it cannot be resolved.
CString ShellFolder(int csidl);

// base, one "\" and relative; "" when base is empty.
CString Join(const CString& base, const char* relative);

// A folder named by another program's setting (registry, ini file): without trailing "\",
// or "" unless it is a full path with a drive or a server, so a relative or blank setting
// never resolves against the current folder.
CString FullFolderSetting(const CString& setting);

}  // namespace AppTraceFolders
