// Started with administrator rights (its manifest asks for them), it starts Vantrel.exe from its
// own folder with the command line it was given, and ends without a window.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char folder[MAX_PATH + 1] = {0};
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (char* lastSlash = strrchr(folder, '\\'))
        *lastSlash = 0;

    char program[MAX_PATH + 16];
    wsprintfA(program, "%s\\Vantrel.exe", folder);
    ShellExecuteA(nullptr, "open", program, commandLine, folder, SW_SHOW);
    return 0;
}
