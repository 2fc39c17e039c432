#include "ServiceDialogs.h"

#include "APPCommonServiceWnd.h"
#include "WindowList.h"

namespace {
CWindowList g_dialogs;
}  // namespace

void CServiceDialogs::Add(HWND dialog) { g_dialogs.Add(dialog); }

void CServiceDialogs::Remove(HWND dialog) { g_dialogs.Remove(dialog); }

void CServiceDialogs::CloseAll() { g_dialogs.PostToAll(CAPPCommonServiceWnd::kCloseDialogs); }
