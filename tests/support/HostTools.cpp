#include "HostTools.h"

#include <windows.h>

#include <cstring>

namespace HostTools {

CString UnixPath(const char* windowsPath) {
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    static auto toUnix = reinterpret_cast<UnixNameFn>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return CString();
    WCHAR wide[MAX_PATH * 2];
    if (!MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, wide, MAX_PATH * 2))
        return CString();
    char* unixName = toUnix(wide);
    if (!unixName)
        return CString();
    CString result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

bool Run(const char* unixProgram, std::initializer_list<const char*> args) {
    CString commandLine = "\\\\?\\unix";
    commandLine += unixProgram;
    commandLine.Replace('/', '\\');
    for (const char* arg : args) {
        commandLine += " \"";
        commandLine += arg;
        commandLine += "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode == 0;
}

bool MakeSymlink(const char* windowsLink, const char* windowsTarget) {
    CString link = UnixPath(windowsLink);
    CString target = UnixPath(windowsTarget);
    return !link.IsEmpty() && !target.IsEmpty() && Run("/bin/ln", {"-s", target, link});
}

bool RemoveTree(const char* windowsPath) {
    CString path = UnixPath(windowsPath);
    if (path.Find("/drive_c/") < 0 || path.Find("..") >= 0)
        return false;
    return Run("/bin/rm", {"-rf", path});
}

}  // namespace HostTools
