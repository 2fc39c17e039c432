#include <windows.h>

#include "CrashHandler.h"

namespace {
const CCrashSettings kCrashSettings = {"Ardentis", "Crash", true};
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        CCrashHandler::Install(kCrashSettings);
        break;
    case DLL_PROCESS_DETACH:
        // After FreeLibrary a crash would jump into unmapped code; at process exit (reserved
        // set) nothing runs any more that could crash.
        if (!reserved)
            CCrashHandler::Uninstall();
        break;
    }
    return TRUE;
}
