#pragma once
#include "Framework.h"
#include "HistoryCleaner.h"
#include "RegBackupWriter.h"

// Runs the cleanup routine of an item id with the engine. The registry checks (ids 27 to 36)
// back up through the writer; item 2 keeps cookies named in cookieExceptions (null outside a
// cleaning run). Ids without a routine run nothing.
void DispatchItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer, const CStringArray* cookieExceptions);
