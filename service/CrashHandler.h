#pragma once
#include <windows.h>

#include "SelkorApi.h"

// Fixed when Selkor is attached to a process.
struct CCrashSettings {
    const char* companyName;  // modules whose version resource names it are reported
    const char* reportName;   // last part of the report file's name
    bool uploadEnabled;       // sent to the maker's server when the service file asks for it
};

// The process-wide handler of unhandled exceptions: writes one report line to
// "<temp>\[<local time>] <report name>" and passes the crash on to the system.
class SELKOR_API CCrashHandler {
public:
    // The settings' texts must outlive the handler.
    static void Install(const CCrashSettings& settings);
    // Puts the filter found at Install back, unless another one has replaced ours since.
    static void Uninstall();
    static LONG WINAPI Filter(EXCEPTION_POINTERS* pointers);
};
