#pragma once
#include "Framework.h"

// Folders of the browser trace routines, without a trailing "\"; "" when they cannot be made.
namespace BrowserFolders {

// SHGetSpecialFolderPathA of a CSIDL folder; the folder is not created.
CString Special(int csidl);

// A path with environment variables; "" when one of them is not set, which would otherwise
// leave a relative path such as "%LocalAppData%\..." behind.
CString Expanded(const char* path);

}  // namespace BrowserFolders
