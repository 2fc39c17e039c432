#include "ServiceFile.h"

#include "CrashLog.h"
#include "MakerServer.h"
#include "ServiceState.h"
#include "UtilityLib.h"

CString CServiceFile::Address() {
    CString path = "/appservice/" + CServiceState::ServiceId() + (CServiceState::IsKorean() ? "/kor/" : "/eng/") +
                   CServiceState::PreviewInfix() + "service.ini.htm";
    return CMakerServer::Address(path) + CServiceState::Query();
}

bool CServiceFile::Download(void** sessionOut) {
    CString address = Address();
    CString downloaded = CServiceState::ServiceTmpPath();
    CCrashLog::Set("ServiceIniDownload:%s", (const char*)address);
    bool fetched = CUtilityLib::DownloadURL(address, downloaded, sessionOut);
    CCrashLog::Set(nullptr);
    if (!fetched)
        return false;
    return CUtilityLib::SaveFileData(MendLineEnds(CUtilityLib::LoadFileData(downloaded)),
                                     CServiceState::ServiceIniPath());
}

bool CServiceFile::OldCopyAvailable() { return !Read("MAINAD", "VER").IsEmpty(); }

CString CServiceFile::MendLineEnds(CString text) {
    text.Replace("\r", "\r\n");
    text.Replace("\r\r", "\r");
    text.Replace("\n", "\r\n");
    text.Replace("\n\n", "\n");
    return text;
}

CString CServiceFile::Read(const char* section, const char* key, const char* defaultValue) {
    CString value = CUtilityLib::GetPrivateProfileStringA(section, key, CServiceState::ServiceIniPath());
    return value.IsEmpty() ? CString(defaultValue) : value;
}

int CServiceFile::ReadInt(const char* section, const char* key, int defaultValue) {
    return CUtilityLib::GetPrivateProfileIntA(section, key, defaultValue, CServiceState::ServiceIniPath());
}
