#include "WindowMap.h"

#include <unordered_map>

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;

std::unordered_map<HWND, CWnd*>& Map() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

}  // namespace

namespace WindowMap {

CWnd* Find(HWND window) {
    ::AcquireSRWLockShared(&g_lock);
    auto found = Map().find(window);
    CWnd* wnd = found == Map().end() ? nullptr : found->second;
    ::ReleaseSRWLockShared(&g_lock);
    return wnd;
}

void Add(HWND window, CWnd* wnd) {
    ::AcquireSRWLockExclusive(&g_lock);
    Map()[window] = wnd;
    ::ReleaseSRWLockExclusive(&g_lock);
}

void Remove(HWND window) {
    ::AcquireSRWLockExclusive(&g_lock);
    Map().erase(window);
    ::ReleaseSRWLockExclusive(&g_lock);
}

}  // namespace WindowMap
