#include "UpdateVersion.h"

#include <cstdlib>

CString CUpdateVersion::WithoutPrefix(const char* version) {
    CString text(version ? version : "");
    if (!text.IsEmpty() && text[0] == 'v')
        return text.Mid(1);
    return text;
}

bool CUpdateVersion::IsOlder(const char* local, const char* server) {
    return atof(WithoutPrefix(local)) < atof(server ? server : "");
}

CString CUpdateVersion::MessageAsHtml(CString message) {
    message.Replace("\\n\\n\\n", "<br>");
    message.Replace("\\n\\n", "<br>");
    message.Replace("\\n", "<br>");
    return message;
}
