#include "CrashUpload.h"

#include "MakerServer.h"
#include "ServiceFile.h"
#include "ServiceRequest.h"
#include "ServiceState.h"
#include "UtilityLib.h"

namespace {

// A crash may have left a lock taken or the network may not answer: the crashing thread waits
// this long for the upload and then passes the crash on.
const DWORD kUploadPatienceMs = 15000;

DWORD WINAPI Upload(void* reportFile) {
    const char* path = static_cast<const char*>(reportFile);
    CString report = CUtilityLib::LoadFileData(path);
    CString address =
        CMakerServer::Address(CServiceState::IsKorean() ? "/log/makecrashlog.php" : "/log/makecrashlog.eng.php") +
        CServiceState::Query() + "&crash=" + CUtilityLib::URLEncoding(report);
    CServiceRequest::Touch(address);
    DeleteFileA(path);
    return 0;
}

}  // namespace

void CCrashUpload::Send(const char* reportFile) {
    if (CServiceFile::ReadInt("INFO", "CRINFO", 0) == 0)
        return;
    HANDLE uploader = CreateThread(nullptr, 0, Upload, const_cast<char*>(reportFile), 0, nullptr);
    if (!uploader)
        return;
    WaitForSingleObject(uploader, kUploadPatienceMs);
    CloseHandle(uploader);
}
