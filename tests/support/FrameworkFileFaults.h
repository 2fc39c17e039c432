#pragma once
#include <windows.h>

#include "ImportPatch.h"

// Stand-ins for the kernel32 file calls of Framework.dll, where CFile lives, while they live.
// One of each kind at a time.

// Counts the flushes and can make them fail.
class FlushRecorder {
public:
    explicit FlushRecorder(bool fail)
        : m_fail(fail),
          m_patch(GetModuleHandleA("Framework.dll"), "kernel32.dll", "FlushFileBuffers",
                  reinterpret_cast<void*>(&Flush)) {
        s_active = this;
    }
    ~FlushRecorder() { s_active = nullptr; }
    FlushRecorder(const FlushRecorder&) = delete;
    FlushRecorder& operator=(const FlushRecorder&) = delete;

    bool IsReady() const { return m_patch.IsActive(); }

    int count = 0;

private:
    static BOOL WINAPI Flush(HANDLE file) {
        ++s_active->count;
        return s_active->m_fail ? FALSE : FlushFileBuffers(file);
    }

    static inline FlushRecorder* s_active = nullptr;
    bool m_fail;
    ImportPatch m_patch;
};

// Every write puts the first half of its bytes into the file and fails, as on a full disk.
class HalfWrites {
public:
    HalfWrites()
        : m_patch(GetModuleHandleA("Framework.dll"), "kernel32.dll", "WriteFile", reinterpret_cast<void*>(&Write)) {}
    HalfWrites(const HalfWrites&) = delete;
    HalfWrites& operator=(const HalfWrites&) = delete;

    bool IsReady() const { return m_patch.IsActive(); }

private:
    static BOOL WINAPI Write(HANDLE file, LPCVOID data, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
        WriteFile(file, data, count / 2, written, overlapped);
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }

    ImportPatch m_patch;
};
