// Stands in for a setup program that the update downloads and starts. It records its start in the
// file that the environment variable VANTREL_SETUP_RECORD names (its own path, then its command
// line, one a line) and ends at once.
#include <windows.h>

#include <string>

namespace {

std::string Environment(const char* name) {
    char value[MAX_PATH] = {0};
    DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

// Written under another name and renamed, so a test never reads half a record.
bool WriteRecord(const std::string& path, const std::string& record) {
    const std::string partial = path + ".tmp";
    HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string record = Environment("VANTREL_SETUP_RECORD");
    if (record.empty())
        return 1;
    char self[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return WriteRecord(record, std::string(self) + "\n" + GetCommandLineA() + "\n") ? 0 : 1;
}
