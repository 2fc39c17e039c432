#include "InternetSession.h"

UINT CInternetFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!m_hRequest || !InternetReadFile(m_hRequest, buffer, count, &read))
        return 0;
    return read;
}

DWORD CInternetFile::QueryNumber(DWORD info) const {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!m_hRequest || !HttpQueryInfoA(m_hRequest, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr))
        return 0;
    return value;
}

DWORD CInternetFile::GetStatusCode() const { return QueryNumber(HTTP_QUERY_STATUS_CODE); }

DWORD CInternetFile::GetContentLength() const { return QueryNumber(HTTP_QUERY_CONTENT_LENGTH); }

void CInternetFile::Close() {
    if (m_hRequest)
        InternetCloseHandle(m_hRequest);
    m_hRequest = nullptr;
}

CInternetSession::CInternetSession()
    : m_hSession(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {}

BOOL CInternetSession::SetOption(DWORD option, DWORD value) {
    return m_hSession && InternetSetOptionA(m_hSession, option, &value, sizeof(value));
}

std::unique_ptr<CInternetFile> CInternetSession::OpenURL(const char* url, DWORD flags) {
    if (!m_hSession || !url || !*url)
        return nullptr;
    HINTERNET request = InternetOpenUrlA(m_hSession, url, nullptr, 0, flags, 0);
    if (!request)
        return nullptr;
    return std::make_unique<CInternetFile>(request);
}

void CInternetSession::Close() {
    HINTERNET session = static_cast<HINTERNET>(InterlockedExchangePointer(&m_hSession, nullptr));
    if (session)
        InternetCloseHandle(session);
}
