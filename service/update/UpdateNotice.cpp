#include "UpdateNotice.h"

#include "download/DownloadDialog.h"
#include "Language.h"
#include "ServiceFile.h"
#include "ServiceState.h"
#include "download/SetupLaunch.h"
#include "download/SetupTarget.h"
#include "UpdateDialog.h"
#include "UpdateVersion.h"
#include "UtilityLib.h"

namespace {

void EndHost() { ExitProcess(0); }

}  // namespace

void CUpdateNotice::ShowAutomatic() {
    if (!CServiceState::IsServiceFileAvailable() || !CServiceState::TakeOnce(CServiceState::onceVersionAlarm))
        return;
    const CString local = CUpdateVersion::WithoutPrefix(CServiceState::LocalVersion());
    const CString server = CServiceFile::Read("Update", "Version");
    const CString message = CServiceFile::Read("Update", "Message");
    if (local.GetLength() <= 1 || server.IsEmpty() || message.IsEmpty() || !CUpdateVersion::IsOlder(local, server)) {
        CSetupTarget::RemoveFolder();
        return;
    }
    const bool mandatory = CServiceFile::ReadInt("Update", "SetupExitForCancel", 1) != 0;
    if (mandatory) {
        if (Box(message, MB_YESNO | MB_ICONINFORMATION) == IDNO)
            EndHost();
    } else {
        const CString config = CServiceState::ConfigPath();
        if (CUtilityLib::GetPrivateProfileIntA("Update", "NoVersionNotify", 0, config) != 0)
            return;
        if (server.CompareNoCase(CUtilityLib::GetPrivateProfileStringA("Update", "DonotUpdate", config)) == 0)
            return;
        if (!AskUser(server, message))
            return;
    }
    RunSetup();
    if (mandatory)
        EndHost();
}

int CUpdateNotice::CheckOnRequest() {
    if (!CServiceState::IsServiceFileAvailable()) {
        if (!CServiceFile::Download()) {
            Box(CLanguage::TXT("MSG_UPDATECHECKFAIL"), MB_ICONINFORMATION);
            return 0;
        }
        CServiceState::SetServiceFileAvailable(true);
    }
    CString local = CUpdateVersion::WithoutPrefix(CServiceState::LocalVersion());
    if (local.IsEmpty())
        local = "0.00";
    const CString server = CServiceFile::Read("Update", "Version");
    if (!CUpdateVersion::IsOlder(local, server)) {
        Box(CLanguage::TXT("MSG_UPDATEINVALID"), MB_ICONINFORMATION);
        return 1;
    }
    if (AskUser(server, CServiceFile::Read("Update", "Message")))
        RunSetup();
    return 1;
}

bool CUpdateNotice::AskUser(const CString& serverVersion, const CString& message) {
    CUpdateDialog dialog(CWnd::FromHandle(m_owner), m_icon, CUpdateVersion::MessageAsHtml(message),
                         !CServiceFile::Read("Update", "SetupURL").IsEmpty());
    dialog.DoModal();
    const CString config = CServiceState::ConfigPath();
    switch (dialog.Choice()) {
    case CUpdateDialog::choiceRemindLater:
        CUtilityLib::DeletePrivateProfile("Update", "DonotUpdate", config);
        return false;
    case CUpdateDialog::choiceDoNotUpdate:
        CUtilityLib::WritePrivateProfileStringA("Update", "DonotUpdate", serverVersion, config);
        return false;
    case CUpdateDialog::choiceUpdate:
        break;
    }
    return true;
}

void CUpdateNotice::RunSetup() {
    const CString url = CServiceFile::Read("Update", "SetupURL");
    const CString target = CSetupTarget::PathFor(url);
    if (url.IsEmpty() || target.IsEmpty()) {
        CSetupLaunch::OpenGotoPage();
        return;
    }
    CDownloadDialog dialog(CWnd::FromHandle(m_owner), m_icon, url, target);
    dialog.DoModal();
    if (dialog.SetupWentOn() && CSetupLaunch::EndsHostAfterSetup())
        EndHost();
}

int CUpdateNotice::Box(const char* text, UINT style) {
    return MessageBoxA(m_owner, text, CLanguage::TXT("Notice"), style);
}
