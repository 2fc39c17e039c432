// Stands in for the Windows shell (Explorer.exe) in the tests that end and restart it. Writes how
// it was started to StandInShell.txt next to itself, one item a line: its process id, its working
// folder and the show command it was given (-1: none). Then it runs for two minutes, so a test can
// see it running, and ends by itself should a test fail to end it.
#include <windows.h>

#include <string>

namespace {

const DWORD kRunningMs = 120000;

std::string OwnFolder() {
    char path[MAX_PATH] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

std::string Record() {
    char workingFolder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    return std::to_string(GetCurrentProcessId()) + "\n" + workingFolder + "\n" + std::to_string(show) + "\n";
}

// Written under another name and renamed, so a test never reads half a record.
bool WriteRecord(const std::string& record) {
    std::string folder = OwnFolder();
    std::string partial = folder + "\\StandInShell.tmp";
    HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return wrote &&
           MoveFileExA(partial.c_str(), (folder + "\\StandInShell.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!WriteRecord(Record()))
        return 1;
    Sleep(kRunningMs);
    return 0;
}
