#pragma once
#include "Framework.h"

// Folders of the trace routines, without a trailing "\". An empty result means "skip this part":
// a name joined to an empty base would name a path from the root of the current drive.
namespace TraceFolders {

// SHGetSpecialFolderPathA of a CSIDL folder (not created); "" when it cannot be resolved.
CString Special(int csidl);

// A path with environment variables; "" when one of them is not set, which would otherwise
// leave a relative path such as "%LocalAppData%\..." behind, or when it is too long.
CString Expanded(const char* path);

// Expanded, and "" unless it names an existing folder.
CString ExistingFolder(const char* path);

// base, one "\" and relative; "" when base is empty.
CString Join(const CString& base, const char* relative);

// A folder named by another program's setting (registry, ini file), made canonical; "" unless it
// is a full path with a drive: a relative or blank setting would resolve against the current
// folder, and a server or device path ("\\?\C:\") could name anything.
CString SettingFolder(const CString& setting);

}  // namespace TraceFolders
