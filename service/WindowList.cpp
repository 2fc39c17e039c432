#include "WindowList.h"

#include <algorithm>

void CWindowList::Add(HWND window) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_windows.push_back(window);
}

void CWindowList::Remove(HWND window) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

void CWindowList::PostToAll(UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> hold(m_lock);
    for (HWND window : m_windows)
        PostMessageA(window, message, wParam, lParam);
}
