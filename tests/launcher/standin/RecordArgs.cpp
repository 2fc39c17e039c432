// Stands in for Vantrel.exe in the launcher tests: writes the command line after its own path
// and its working folder, one per line, to RecordArgs.txt next to itself, then ends.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char* AfterProgramPath(const char* line) {
    if (*line == '"') {
        const char* closing = strchr(line + 1, '"');
        line = closing ? closing + 1 : line + strlen(line);
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

std::string OwnFolder() {
    char path[MAX_PATH] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char workingFolder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    std::string record = std::string(AfterProgramPath(GetCommandLineA())) + "\n" + workingFolder + "\n";

    // Written under another name and renamed, so the test never reads half a record.
    std::string folder = OwnFolder();
    std::string partial = folder + "\\RecordArgs.tmp";
    HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    if (!wrote || !MoveFileExA(partial.c_str(), (folder + "\\RecordArgs.txt").c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    return 0;
}
