#pragma once
#include <windows.h>
#include <wininet.h>

#include <memory>

#include "FxApi.h"

// One answered request of a CInternetSession. Closing it (or destroying it) ends the transfer.
class FX_API CInternetFile {
public:
    explicit CInternetFile(HINTERNET request) : m_hRequest(request) {}
    ~CInternetFile() { Close(); }
    CInternetFile(const CInternetFile&) = delete;
    CInternetFile& operator=(const CInternetFile&) = delete;

    // Bytes read; 0 at the end of the body or on an error (GetLastError tells which).
    UINT Read(void* buffer, UINT count);
    // The HTTP status code, 0 when the request has none (a file or ftp address).
    DWORD GetStatusCode() const;
    // The announced body length, or 0 when the server gives none.
    DWORD GetContentLength() const;
    void Close();
    HINTERNET GetHandle() const { return m_hRequest; }

private:
    DWORD QueryNumber(DWORD info) const;

    HINTERNET m_hRequest;
};

// A WinINet session. Nothing throws: OpenURL returns null when the address does not answer.
class FX_API CInternetSession {
public:
    CInternetSession();
    ~CInternetSession() { Close(); }
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    BOOL SetOption(DWORD option, DWORD value);
    // flags: INTERNET_FLAG_* of InternetOpenUrl.
    std::unique_ptr<CInternetFile> OpenURL(const char* url, DWORD flags);
    // Closing the session from another thread makes its blocking requests return.
    void Close();
    HINTERNET GetHandle() const { return m_hSession; }

private:
    HINTERNET m_hSession;
};
