#pragma once
#include <windows.h>

#include "CString.h"

// What a RecordArgs stand-in (tests/launcher/standin) wrote beside itself: the command line after
// its path and its working folder.
struct ArgsRecord {
    bool found = false;
    CString arguments;
    CString workingFolder;

    // Waits up to patienceMs for RecordArgs.txt in folder, since the stand-in is started without
    // anyone waiting for it.
    static ArgsRecord WaitFor(const CString& folder, DWORD patienceMs) {
        ArgsRecord record;
        const CString path = folder + "\\RecordArgs.txt";
        for (DWORD waited = 0; waited < patienceMs; waited += 50) {
            if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
                const CString text = ReadWholeFile(path);
                int firstEnd = text.Find('\n');
                record.found = firstEnd >= 0;
                record.arguments = text.Left(firstEnd);
                record.workingFolder = text.Mid(firstEnd + 1);
                record.workingFolder.TrimRight('\n');
                return record;
            }
            Sleep(50);
        }
        return record;
    }

private:
    static CString ReadWholeFile(const char* path) {
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return CString();
        CString text;
        DWORD size = GetFileSize(file, nullptr);
        DWORD read = 0;
        ReadFile(file, text.GetBuffer(size), size, &read, nullptr);
        text.ReleaseBuffer(read);
        CloseHandle(file);
        return text;
    }
};
