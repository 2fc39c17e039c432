#include "ServiceDialogs.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "APPCommonServiceWnd.h"

namespace {
std::mutex g_lock;
std::vector<HWND> g_dialogs;
}  // namespace

void CServiceDialogs::Add(HWND dialog) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_dialogs.push_back(dialog);
}

void CServiceDialogs::Remove(HWND dialog) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_dialogs.erase(std::remove(g_dialogs.begin(), g_dialogs.end(), dialog), g_dialogs.end());
}

void CServiceDialogs::CloseAll() {
    std::lock_guard<std::mutex> hold(g_lock);
    for (HWND dialog : g_dialogs)
        PostMessageA(dialog, CAPPCommonServiceWnd::kCloseDialogs, 0, 0);
}
