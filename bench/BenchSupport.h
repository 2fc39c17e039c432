#pragma once
#include <windows.h>

// Wall-clock time since construction.
class CStopwatch {
public:
    CStopwatch() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

// The baseline: what any deletion of a tree has to do, nothing more.
inline void PlainDelete(const char* folder) {
    char path[MAX_PATH];
    wsprintfA(path, "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const char* name = found.cFileName;
        if (name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])))
            continue;
        wsprintfA(path, "%s\\%s", folder, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            PlainDelete(path);
            RemoveDirectoryA(path);
        } else {
            DeleteFileA(path);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}
