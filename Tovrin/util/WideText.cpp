#include "UtilityLib.h"

int CUtilityLib::ConvertToWideChar(const char* text, CBinData& out) {
    if (!text)
        text = "";
    int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        out.Reset();
        return 0;
    }
    // Two spare bytes follow the terminator; zero them rather than leave old or random bytes.
    out.SetSize(2 * units + 2);
    if (out.IsEmpty())
        return 0;
    BYTE* bytes = out.GetData();
    MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(bytes), units);
    bytes[2 * units] = bytes[2 * units + 1] = 0;
    return out.GetLength();
}
