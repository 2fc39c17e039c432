#include "Handle.h"
#include "PLCallback.h"
#include "UtilityLib.h"

namespace {

const DWORD kTimeoutMs = 5000;
const DWORD kBlockSize = 1024;

void Report(CPLCallback* progress, int percent, const char* text) {
    if (progress)
        progress->OnProgress(percent, text);
}

// Holds the session and publishes it in the caller's slot. A thread that aborts takes the
// handle out of the slot (InterlockedExchangePointer with null) and closes it; whoever takes
// the handle closes it, so it is never closed twice.
class CPublishedSession {
public:
    CPublishedSession(HINTERNET session, void** slot) : m_session(session), m_slot(slot) {
        if (m_slot)
            InterlockedExchangePointer(m_slot, session);
    }
    ~CPublishedSession() {
        if (m_slot && InterlockedExchangePointer(m_slot, nullptr) != static_cast<HINTERNET>(m_session))
            m_session.Detach();
    }
    CPublishedSession(const CPublishedSession&) = delete;
    CPublishedSession& operator=(const CPublishedSession&) = delete;

    operator HINTERNET() const { return m_session; }

private:
    CInternetHandle m_session;
    void** m_slot;
};

DWORD QueryNumber(HINTERNET request, DWORD info, DWORD fallback) {
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (!HttpQueryInfoA(request, info | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr))
        return fallback;
    return number;
}

// An HTTP error page is not the file asked for. Other schemes have no status: they pass.
bool IsSuccessStatus(HINTERNET request) {
    DWORD status = QueryNumber(request, HTTP_QUERY_STATUS_CODE, HTTP_STATUS_OK);
    return status >= 200 && status < 300;
}

int Percent(ULONGLONG received, DWORD length) {
    ULONGLONG percent = received * 100 / length;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

// Copies the whole body; false on any read or write error.
bool CopyBody(HINTERNET request, HANDLE target, DWORD length, CPLCallback* progress, ULONGLONG& received) {
    char block[kBlockSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, block, kBlockSize, &read))
            return false;
        if (read == 0)
            return true;
        DWORD written = 0;
        if (!WriteFile(target, block, read, &written, nullptr) || written != read)
            return false;
        received += read;
        if (length > 0)
            Report(progress, Percent(received, length), "다운로드 중...");
    }
}

bool Download(const char* url, const char* file, void** sessionOut, CPLCallback* progress) {
    CPublishedSession session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0), sessionOut);
    if (!session)
        return false;
    DWORD timeout = kTimeoutMs;
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));

    CInternetHandle request(
        InternetOpenUrlA(session, url, nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY, 0));
    if (!request.IsValid() || !IsSuccessStatus(request))
        return false;
    DWORD length = QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, 0);

    CUtilityLib::CreateMultiFolder(file, 0);
    CFileHandle target(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.IsValid())
        return false;
    ULONGLONG received = 0;
    bool complete = CopyBody(request, target, length, progress, received);
    complete = target.Close() && complete;
    if (complete && length > 0 && received < length)
        complete = false;
    if (!complete)
        DeleteFileA(file);
    return complete;
}

}  // namespace

bool CUtilityLib::DownloadURL(const char* url, const char* file, void** sessionOut, CPLCallback* progress) {
    if (!url || !*url || !file || !*file)
        return false;
    Report(progress, 0, "서버에 연결하는 중...");
    bool downloaded = Download(url, file, sessionOut, progress);
    Report(progress, 100, "");
    return downloaded;
}
