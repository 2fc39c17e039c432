#include "UtilityLib.h"

#include "Mbcs.h"

void CUtilityLib::CreateMultiFolder(const char* path, int includeLast) {
    CString whole(path);
    int length = whole.GetLength();
    char previous = 0;
    for (int at = 0, step = 0; at < length; at += step) {
        step = Mbcs::CharLength(whole.GetString() + at);
        char current = step == 1 ? whole[at] : 0;
        // A "\" after "\" or ":" ends no folder (network prefix, drive root); nor does a doubled one.
        if (current == '\\' && at >= 1 && at <= length - 2 && previous != '\\' && previous != ':' &&
            whole[at + 1] != '\\')
            CreateDirectoryA(whole.Left(at), nullptr);
        previous = current;
    }
    if (includeLast)
        CreateDirectoryA(whole, nullptr);
}
