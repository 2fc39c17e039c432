#pragma once
#include <windows.h>

#include <string>

// What the stand-in programs share: their own folder, and a record of how they were started that
// a test reads. The record is written under another name and renamed, so a test never reads half.
namespace StandInRecord {

inline std::string OwnFolder() {
    char path[MAX_PATH] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

inline bool Write(const std::string& path, const std::string& record) {
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

}  // namespace StandInRecord
