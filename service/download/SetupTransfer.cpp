#include "SetupTransfer.h"

#include "Handle.h"
#include "SetupTarget.h"

namespace {

const DWORD kConnectTimeoutMs = 5000;
const UINT kBlockSize = 1024;
// Assumed when the server gives no length; the percentage then stops at 100.
const DWORD kUnknownLength = 1048576;

int Percent(ULONGLONG received, DWORD length) {
    ULONGLONG percent = received * 100 / length;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

}  // namespace

CSetupTransfer::CSetupTransfer() : m_stopped(false) {
    m_session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
}

void CSetupTransfer::Stop() {
    m_stopped = true;
    m_session.Close();
}

bool CSetupTransfer::Run(const char* url, const char* target, const CProgress& progress) {
    std::unique_ptr<CInternetFile> body = m_session.OpenURL(url, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY);
    if (!body || m_stopped)
        return false;
    DWORD status = body->GetStatusCode();
    if (status != 0 && (status < 200 || status >= 300))
        return false;
    CFileHandle file(CSetupTarget::CreateFresh(target));
    if (!file.IsValid())
        return false;
    bool complete = Copy(*body, file, progress);
    complete = file.Close() && complete;
    if (!complete)
        DeleteFileA(target);
    return complete;
}

bool CSetupTransfer::Copy(CInternetFile& body, HANDLE target, const CProgress& progress) {
    const DWORD announced = body.GetContentLength();
    const DWORD length = announced ? announced : kUnknownLength;
    char block[kBlockSize];
    ULONGLONG received = 0;
    int shown = -1;
    while (!m_stopped) {
        // Read gives 0 both at the end and on an error; only an error sets the last error.
        SetLastError(ERROR_SUCCESS);
        UINT read = body.Read(block, kBlockSize);
        if (read == 0)
            return GetLastError() == ERROR_SUCCESS && !m_stopped && (announced == 0 || received == announced);
        DWORD written = 0;
        if (!WriteFile(target, block, read, &written, nullptr) || written != read)
            return false;
        received += read;
        int percent = Percent(received, length);
        if (percent != shown && progress) {
            shown = percent;
            progress(percent);
        }
    }
    return false;
}
