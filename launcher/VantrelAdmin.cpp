// Started with administrator rights (its manifest asks for them), it starts Vantrel.exe from its
// own folder with the command line it was given, and ends without a window.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

// The command line after the program path and the blanks that follow it. The CRT's WinMain
// line is not used: it ends the program path at the first byte above 0x7F, so an unquoted
// path with Hangul in it leaves part of the path in front of the arguments. No CP949 trail
// byte is a blank or a quote, so a byte scan is safe.
const char* ArgumentsOf(const char* commandLine) {
    const char* at = commandLine;
    bool quoted = false;
    while (*at && (quoted || (*at != ' ' && *at != '\t'))) {
        if (*at == '"')
            quoted = !quoted;
        ++at;
    }
    while (*at == ' ' || *at == '\t')
        ++at;
    return at;
}

// Empty when the path does not fit: a cut path could name another folder's Vantrel.exe,
// which would then run with administrator rights.
std::string OwnFolder() {
    char path[MAX_PATH] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    // Walked by characters: in some double-byte code pages a trail byte equals '\\'.
    const char* lastSlash = nullptr;
    for (const char* at = path; *at; at = CharNextA(at)) {
        if (*at == '\\')
            lastSlash = at;
    }
    if (!lastSlash)
        return std::string();
    return std::string(path, lastSlash - path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string folder = OwnFolder();
    if (folder.empty())
        return 0;
    std::string program = folder + "\\Vantrel.exe";
    // The result is not looked at: a missing Vantrel.exe simply starts nothing.
    ShellExecuteA(nullptr, "open", program.c_str(), ArgumentsOf(GetCommandLineA()), folder.c_str(), SW_SHOW);
    return 0;
}
