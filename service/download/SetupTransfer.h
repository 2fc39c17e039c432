#pragma once
#include <atomic>
#include <functional>

#include "Framework.h"
#include "InternetSession.h"
#include "SelkorApi.h"

// Fetches a setup program into a fresh target file (CSetupTarget::CreateFresh). Runs on a worker
// thread; another thread stops it with Stop, which also closes the session so that a blocked read
// returns. A transfer that fails, is stopped, or ends short of its announced length leaves no
// file behind.
class SELKOR_API CSetupTransfer {
public:
    // Called with each new percentage, on the transfer's own thread.
    using CProgress = std::function<void(int percent)>;

    CSetupTransfer();

    bool Run(const char* url, const char* target, const CProgress& progress);
    void Stop();

private:
    bool Copy(CInternetFile& body, HANDLE target, const CProgress& progress);

    CInternetSession m_session;
    std::atomic<bool> m_stopped;
};
