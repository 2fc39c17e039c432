#include "ItemDispatch.h"

void DispatchItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer, const CStringArray* cookieExceptions) {
    // One case per item routine; an id without a case runs nothing.
    switch (id) {
    default:
        break;
    }
}
