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

namespace {

// Waits up to 10 s for done() to hold.
template <typename Condition>
bool WaitFor(Condition done) {
    for (int tries = 0; tries < 200; ++tries) {
        if (done())
            return true;
        Sleep(50);
    }
    return done();
}

bool Exists(const char* windowsPath) { return GetFileAttributesA(windowsPath) != INVALID_FILE_ATTRIBUTES; }

// Wine's GetFileAttributesA fails on a host named pipe; its folder listing shows it.
bool Listed(const char* windowsPath) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(windowsPath, &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

}  // namespace

bool Start(const char* unixProgram, std::initializer_list<const char*> args) {
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
    // Wine gives no usable handles for a Linux process.
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    return true;
}

namespace {

// The prefix's dosdevices folder followed by relative, on the host.
CString DosDevices(const char* relative) {
    char prefix[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return CString(prefix) + "/dosdevices/" + relative;
}

CString DriveName(char letter) {
    CString name;
    name.Format("%c:", letter | 0x20);
    return name;
}

CString DriveRoot(char letter) {
    CString root;
    root.Format("%c:\\", letter);
    return root;
}

bool Link(const CString& link, const char* windowsTarget, const char* windowsLink) {
    CString target = UnixPath(windowsTarget);
    return !link.IsEmpty() && !target.IsEmpty() && Start("/bin/ln", {"-s", target, link}) &&
           WaitFor([&] { return Exists(windowsLink); });
}

}  // namespace

bool MakeSymlink(const char* windowsLink, const char* windowsTarget) {
    return Link(UnixPath(windowsLink), windowsTarget, windowsLink);
}

bool MapDrive(char letter, const char* windowsTarget) {
    return Link(DosDevices(DriveName(letter)), windowsTarget, DriveRoot(letter));
}

bool UnmapDrive(char letter) {
    CString link = DosDevices(DriveName(letter));
    return !link.IsEmpty() && Start("/bin/rm", {"-f", link}) && WaitFor([&] { return !Exists(DriveRoot(letter)); });
}

bool MapShare(const char* server, const char* share, const char* windowsTarget) {
    CString serverFolder = DosDevices(CString("unc/") + server);
    CString target = UnixPath(windowsTarget);
    CString name = CString("\\\\") + server + "\\" + share;
    CString command = "mkdir -p '" + serverFolder + "' && ln -s '" + target + "' '" + serverFolder + "/" + share + "'";
    return !serverFolder.IsEmpty() && !target.IsEmpty() && Start("/bin/sh", {"-c", command}) &&
           WaitFor([&] { return Exists(name); });
}

bool UnmapShare(const char* server) {
    CString serverFolder = DosDevices(CString("unc/") + server);
    return !serverFolder.IsEmpty() && Start("/bin/rm", {"-rf", serverFolder});
}

bool MakeFifo(const char* windowsPath) {
    CString path = UnixPath(windowsPath);
    return !path.IsEmpty() && Start("/usr/bin/mkfifo", {path}) && WaitFor([&] { return Listed(windowsPath); });
}

bool RemoveTree(const char* windowsPath) {
    CString path = UnixPath(windowsPath);
    bool insidePrefix = path.Find("/drive_c/") >= 0 || path.Find("/dosdevices/c:/") >= 0;
    if (!insidePrefix || path.Find("..") >= 0)
        return false;
    return Start("/bin/rm", {"-rf", path}) && WaitFor([&] { return !Exists(windowsPath); });
}

}  // namespace HostTools
