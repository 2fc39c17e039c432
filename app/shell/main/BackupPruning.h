#pragma once
#include <windows.h>

// Deletes the *.REG files of folder (not its sub-folders) created more than 31 days before now;
// a file exactly 31 days old stays, and so does one without a creation time. Returns how many
// were deleted.
int PruneRegistryBackups(const char* folder, const FILETIME& now);
int PruneRegistryBackups(const char* folder);
