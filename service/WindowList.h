#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

// The open windows of one kind in the process, so that one call can post to all of them. Any
// thread may add, remove or post; a window removes itself before it is destroyed.
class CWindowList {
public:
    void Add(HWND window);
    void Remove(HWND window);
    void PostToAll(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    std::mutex m_lock;
    std::vector<HWND> m_windows;
};
