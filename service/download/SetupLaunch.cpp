#include "SetupLaunch.h"

#include <shellapi.h>

#include "ServiceFile.h"
#include "SetupTrust.h"

void CSetupLaunch::OpenGotoPage() {
    CString page = CServiceFile::Read("Update", "GotoURL");
    if (!page.IsEmpty())
        ShellExecuteA(nullptr, "open", page, nullptr, nullptr, SW_SHOW);
}

bool CSetupLaunch::Finish(const char* path) {
    if (CServiceFile::ReadInt("Update", "SetupExec", 1) == 0) {
        OpenGotoPage();
        return true;
    }
    if (!CSetupTrust::IsTrusted(path, CServiceFile::Read("Update", "SetupSHA256"))) {
        DeleteFileA(path);
        OpenGotoPage();
        return false;
    }
    ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOW);
    return true;
}

bool CSetupLaunch::EndsHostAfterSetup() { return CServiceFile::ReadInt("Update", "SetupExitForExec", 1) != 0; }
