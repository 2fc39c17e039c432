// Stands in for the Windows shell (Explorer.exe) in the tests that end and restart it. Writes how
// it was started to StandInShell.txt next to itself, one item a line: its process id, its working
// folder and the show command it was given (-1: none). Then it runs for two minutes, so a test can
// see it running, and ends by itself should a test fail to end it.
#include <windows.h>

#include <string>

#include "StandInRecord.h"

namespace {

const DWORD kRunningMs = 120000;

std::string Record() {
    char workingFolder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    return std::to_string(GetCurrentProcessId()) + "\n" + workingFolder + "\n" + std::to_string(show) + "\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!StandInRecord::Write(StandInRecord::OwnFolder() + "\\StandInShell.txt", Record()))
        return 1;
    Sleep(kRunningMs);
    return 0;
}
