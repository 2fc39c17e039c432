#include "HTMLLinkOpener.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "Mbcs.h"
#include "PostedText.h"
#include "Wnd.h"

namespace {

const char kCommandScheme[] = "reru://";

CString ReadClassesDefault(const CString& subKey) {
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, subKey, value, &size) != ERROR_SUCCESS)
        return CString();
    value[sizeof(value) - 1] = '\0';
    return value;
}

bool IsCommandLink(const CString& target) {
    const int length = static_cast<int>(strlen(kCommandScheme));
    return Mbcs::CompareNoCase(target.Left(length), kCommandScheme) == 0;
}

}  // namespace

CString FindInternetExplorerProgram() {
    const CString version = ReadClassesDefault("InternetExplorer.Application\\CurVer");
    if (version.IsEmpty())
        return CString();
    const CString classId = ReadClassesDefault(version + "\\CLSID");
    if (classId.IsEmpty())
        return CString();
    CString server = ReadClassesDefault("CLSID\\" + classId + "\\LocalServer32");
    char* program = server.GetBuffer(server.GetLength());
    ::PathRemoveArgsA(program);
    ::PathUnquoteSpacesA(program);
    server.ReleaseBuffer();
    return server;
}

void FollowHTMLLink(HWND control, const char* target) {
    CWnd* mainWnd = AfxGetMainWnd();
    const HWND mainWindow = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
    if (IsCommandLink(target)) {
        PostTextCopy(mainWindow, kHTMLCommandLinkMessage, 0, target);
        return;
    }
    if (mainWindow &&
        ::SendMessageA(mainWindow, kHTMLOpenLinkMessage, reinterpret_cast<WPARAM>(control), reinterpret_cast<LPARAM>(target)))
        return;
    // The target only ever goes to the browser as its argument, never to the shell as a file.
    const CString program = FindInternetExplorerProgram();
    if (!program.IsEmpty())
        ::ShellExecuteA(control, "open", program, target, nullptr, SW_SHOW);
}
