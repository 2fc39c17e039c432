#pragma once
#include <windows.h>

#include <sddl.h>

#include <string>
#include <vector>

// SIDs and key access lists read the way the system reports them, to check the engine against.
namespace AccessListProbe {

// The SID text as the system itself prints it.
inline std::string SidText(PSID sid) {
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text))
        return "<invalid>";
    std::string copy(text);
    LocalFree(text);
    return copy;
}

// The process user, from the token.
inline std::string ProcessUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return "<none>";
    BYTE buffer[512];
    DWORD size = 0;
    std::string text = GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size)
                           ? SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid)
                           : "<none>";
    CloseHandle(token);
    return text;
}

struct Ace {
    std::string sid;
    BYTE type;
    BYTE flags;
    ACCESS_MASK mask;
};

// The key's DACL as stored; empty when it cannot be read.
inline std::vector<Ace> StoredAces(HKEY root, const char* path) {
    std::vector<Ace> aces;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, READ_CONTROL, &key) != ERROR_SUCCESS)
        return aces;
    std::vector<BYTE> descriptor(4096);
    DWORD size = static_cast<DWORD>(descriptor.size());
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data(), &size) == ERROR_SUCCESS &&
        GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted) && present && dacl) {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace))
                break;
            auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            aces.push_back({SidText(&allowed->SidStart), allowed->Header.AceType, allowed->Header.AceFlags,
                            allowed->Mask});
        }
    }
    RegCloseKey(key);
    return aces;
}

}  // namespace AccessListProbe
