#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// What follows a setup download, by the service file's [Update] keys: the program is started
// only when CSetupTrust accepts it; otherwise it is deleted and the GotoURL page opened instead.
class SELKOR_API CSetupLaunch {
public:
    // Opens [Update] GotoURL in the system browser; nothing when it is empty. Also what a failed
    // download ends with (CSetupTransfer leaves no partial file).
    static void OpenGotoPage();
    // After a complete download to path. True when the setup went on (started, or the page opened
    // because SetupExec is 0); false when the program was refused (it is deleted, the page opened).
    static bool Finish(const char* path);
    // [Update] SetupExitForExec, default 1.
    static bool EndsHostAfterSetup();
};
