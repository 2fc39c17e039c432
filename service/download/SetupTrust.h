#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// Whether a downloaded setup program may be started: its SHA-256 is the one the service file
// names, or it carries an Authenticode signature that verifies.
class SELKOR_API CSetupTrust {
public:
    // expectedSha256: hexadecimal, either case; empty means no hash was published.
    static bool IsTrusted(const char* path, const char* expectedSha256);
    // Lower-case hexadecimal; "" when the file cannot be read.
    static CString Sha256Hex(const char* path);
    static bool IsSignatureValid(const char* path);
};
