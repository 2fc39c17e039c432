// Stands in for a setup program that the update downloads and starts. It records its start in the
// file that the environment variable VANTREL_SETUP_RECORD names (its own path, then its command
// line, one a line) and ends at once.
#include <windows.h>

#include <string>

#include "StandInRecord.h"

namespace {

std::string Environment(const char* name) {
    char value[MAX_PATH] = {0};
    DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string record = Environment("VANTREL_SETUP_RECORD");
    if (record.empty())
        return 1;
    char self[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return StandInRecord::Write(record, std::string(self) + "\n" + GetCommandLineA() + "\n") ? 0 : 1;
}
