// Stands in for Vantrel.exe in the launcher tests and for VantrelAdmin.exe beside the stand-in
// host: writes the command line after its own path and its working folder, one per line, to
// RecordArgs.txt next to itself, then ends.
#include <windows.h>

#include <cstring>
#include <string>

#include "StandInRecord.h"

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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char workingFolder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    std::string record = std::string(AfterProgramPath(GetCommandLineA())) + "\n" + workingFolder + "\n";

    return StandInRecord::Write(StandInRecord::OwnFolder() + "\\RecordArgs.txt", record) ? 0 : 1;
}
