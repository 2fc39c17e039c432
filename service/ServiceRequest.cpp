#include "ServiceRequest.h"

#include "InternetSession.h"

namespace {
const DWORD kConnectTimeoutMs = 5000;
}

void CServiceRequest::Touch(const char* url) {
    CInternetSession session;
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
    session.OpenURL(url, INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_TRANSFER_BINARY);
}
