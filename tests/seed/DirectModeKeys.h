#pragma once
#include "CleanupCatalogue.h"

// The direct-mode command line that names every item direct mode can run, in its own order.
inline CString EveryDirectModeKey() {
    CString line = "/";
    for (int id : Catalogue::DirectModeOrder()) {
        if (line.GetLength() > 1)
            line += ",";
        line += Catalogue::FindItem(id)->optionKey;
    }
    return line;
}
