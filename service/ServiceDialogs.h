#pragma once
#include <windows.h>

#include "SelkorApi.h"

// The open notice, about and download dialogs of the process, so that the service window's
// close message (0x7D18) reaches each of them; every such dialog closes itself on 0x7D18.
class SELKOR_API CServiceDialogs {
public:
    static void Add(HWND dialog);
    static void Remove(HWND dialog);
    // Posts 0x7D18 to every open dialog.
    static void CloseAll();
};
