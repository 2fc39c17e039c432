#pragma once
#include "CString.h"

// Absolute form of a path (GetFullPathNameA, which also turns "/" into "\"); the path itself
// when it cannot be resolved. Internal to the framework.
CString GetFullPath(const char* path);
