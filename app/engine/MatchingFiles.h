#pragma once
#include "HistoryCleaner.h"

// Deletes every file that the wildcard pattern matches; folders and links are left alone.
// With stopSource, its stop check is made before each match.
void DeleteMatchingFiles(const char* pattern, const CHistoryCleaner* stopSource);
