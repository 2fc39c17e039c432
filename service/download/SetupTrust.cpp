#include "SetupTrust.h"

#include <bcrypt.h>
#include <softpub.h>
#include <wintrust.h>

#include <vector>

#include "Handle.h"

namespace {

const DWORD kReadBlock = 65536;

class CHashAlgorithm {
public:
    CHashAlgorithm() { BCryptOpenAlgorithmProvider(&m_handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0); }
    ~CHashAlgorithm() {
        if (m_handle)
            BCryptCloseAlgorithmProvider(m_handle, 0);
    }
    CHashAlgorithm(const CHashAlgorithm&) = delete;
    CHashAlgorithm& operator=(const CHashAlgorithm&) = delete;
    operator BCRYPT_ALG_HANDLE() const { return m_handle; }

private:
    BCRYPT_ALG_HANDLE m_handle = nullptr;
};

class CHash {
public:
    explicit CHash(BCRYPT_ALG_HANDLE algorithm) {
        if (algorithm)
            BCryptCreateHash(algorithm, &m_handle, nullptr, 0, nullptr, 0, 0);
    }
    ~CHash() {
        if (m_handle)
            BCryptDestroyHash(m_handle);
    }
    CHash(const CHash&) = delete;
    CHash& operator=(const CHash&) = delete;
    operator BCRYPT_HASH_HANDLE() const { return m_handle; }

private:
    BCRYPT_HASH_HANDLE m_handle = nullptr;
};

CString Hex(const UCHAR* bytes, size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    CString text;
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

}  // namespace

CString CSetupTrust::Sha256Hex(const char* path) {
    CFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    CHashAlgorithm algorithm;
    CHash hash(algorithm);
    if (!file.IsValid() || !hash)
        return CString();
    std::vector<UCHAR> block(kReadBlock);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, block.data(), kReadBlock, &read, nullptr))
            return CString();
        if (read == 0)
            break;
        if (!BCRYPT_SUCCESS(BCryptHashData(hash, block.data(), read, 0)))
            return CString();
    }
    UCHAR digest[32];
    if (!BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0)))
        return CString();
    return Hex(digest, sizeof digest);
}

bool CSetupTrust::IsSignatureValid(const char* path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::vector<wchar_t> widePath(length);
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath.data(), length);

    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = widePath.data();
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    LONG verdict = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return verdict == ERROR_SUCCESS;
}

bool CSetupTrust::IsTrusted(const char* path, const char* expectedSha256) {
    CString expected(expectedSha256 ? expectedSha256 : "");
    expected.Trim();
    if (!expected.IsEmpty() && expected.CompareNoCase(Sha256Hex(path)) == 0)
        return true;
    return IsSignatureValid(path);
}
