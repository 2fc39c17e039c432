#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// The version rule of the update notice: the local version file's text with one leading "v"
// removed, compared with the service file's as decimal numbers.
class SELKOR_API CUpdateVersion {
public:
    // "v1.20" -> "1.20"; any other text as it is.
    static CString WithoutPrefix(const char* version);
    // Both compared with atof after the local one lost its "v".
    static bool IsOlder(const char* local, const char* server);
    // The service file's literal backslash-n sequences as HTML line breaks: three, then two, then
    // one of them each become one "<br>".
    static CString MessageAsHtml(CString message);
};
