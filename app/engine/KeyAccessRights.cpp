#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

#include "Handle.h"
#include "HistoryCleaner.h"
#include "RegKey.h"

namespace {

const DWORD kFullKeyAccess = KEY_ALL_ACCESS;  // 0xF003F
const BYTE kInheritToAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
const DWORD kSubkeyNameSize = 261;

struct HeapFreer {
    void operator()(void* block) const { HeapFree(GetProcessHeap(), 0, block); }
};
using CHeapBlock = std::unique_ptr<void, HeapFreer>;

struct SidFreer {
    void operator()(void* sid) const { FreeSid(sid); }
};
using CAllocatedSid = std::unique_ptr<std::remove_pointer_t<PSID>, SidFreer>;

CHeapBlock HeapBlock(DWORD size) { return CHeapBlock(HeapAlloc(GetProcessHeap(), 0, size)); }

CAllocatedSid LocalSystemSid() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &sid))
        return CAllocatedSid();
    return CAllocatedSid(sid);
}

bool AppendAllowedAce(PACL acl, PSID sid) {
    DWORD sidLength = GetLengthSid(sid);
    std::vector<BYTE> ace(offsetof(ACCESS_ALLOWED_ACE, SidStart) + sidLength);
    auto* header = reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace.data());
    header->Header.AceType = ACCESS_ALLOWED_ACE_TYPE;
    header->Header.AceFlags = kInheritToAll;
    header->Header.AceSize = static_cast<WORD>(ace.size());
    header->Mask = kFullKeyAccess;
    if (!CopySid(sidLength, &header->SidStart, sid))
        return false;
    return AddAce(acl, ACL_REVISION, MAXDWORD, ace.data(), static_cast<DWORD>(ace.size())) != FALSE;
}

}  // namespace

int CHistoryCleaner::GetCurrentUserSid(PSID* sid) {
    if (!sid)
        return 0;
    *sid = nullptr;
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken))
        return 0;
    CHandle token(rawToken);
    DWORD size = 0;
    if (GetTokenInformation(token, TokenUser, nullptr, 0, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    CHeapBlock user = HeapBlock(size);
    if (!user || !GetTokenInformation(token, TokenUser, user.get(), size, &size))
        return 0;
    PSID userSid = static_cast<TOKEN_USER*>(user.get())->User.Sid;
    DWORD sidLength = GetLengthSid(userSid);
    CHeapBlock copy = HeapBlock(sidLength);
    if (!copy || !CopySid(sidLength, copy.get(), userSid))
        return 0;
    *sid = copy.release();
    return 1;
}

void CHistoryCleaner::SidToString(PSID sid, char* text) {
    // The authority's last byte holds the whole value for every authority in use (5 = NT).
    int length = wsprintfA(text, "S-1-%lu", static_cast<unsigned long>(GetSidIdentifierAuthority(sid)->Value[5]));
    BYTE count = *GetSidSubAuthorityCount(sid);
    for (DWORD index = 0; index < count; ++index)
        length += wsprintfA(text + length, "-%lu", static_cast<unsigned long>(*GetSidSubAuthority(sid, index)));
}

int CHistoryCleaner::GetKeySecurity(HKEY root, const char* subkey, PSECURITY_DESCRIPTOR* descriptor) {
    if (!descriptor)
        return 0;
    *descriptor = nullptr;
    CRegKey key;
    if (key.Open(root, subkey, READ_CONTROL) != ERROR_SUCCESS)
        return 0;
    DWORD size = 0;
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size) != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    CHeapBlock buffer = HeapBlock(size);
    if (!buffer || RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.get(), &size) != ERROR_SUCCESS)
        return 0;
    *descriptor = buffer.release();
    return 1;
}

int CHistoryCleaner::BuildUserSystemDacl(PSID userSid, PSECURITY_DESCRIPTOR descriptor, PACL* acl) {
    if (!acl)
        return 0;
    *acl = nullptr;
    if (!userSid || !IsValidSid(userSid) || !descriptor)
        return 0;
    CAllocatedSid systemSid = LocalSystemSid();
    if (!systemSid)
        return 0;
    // The header and two ACE headers (mask included) take 8 bytes each.
    DWORD aclSize = GetLengthSid(userSid) + GetLengthSid(systemSid.get()) + 24;
    CHeapBlock buffer = HeapBlock(aclSize);
    auto* newAcl = static_cast<PACL>(buffer.get());
    if (!newAcl || !InitializeAcl(newAcl, aclSize, ACL_REVISION) || !AppendAllowedAce(newAcl, userSid) ||
        !AppendAllowedAce(newAcl, systemSid.get()))
        return 0;
    if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(descriptor, TRUE, newAcl, FALSE))
        return 0;
    *acl = static_cast<PACL>(buffer.release());
    return 1;
}

int CHistoryCleaner::SetKeySecurity(HKEY key, const char* subkey, PSECURITY_DESCRIPTOR descriptor, int recurse) {
    if (!subkey || !descriptor)
        return 0;
    {
        CRegKey target;
        if (target.Open(key, subkey, WRITE_DAC) != ERROR_SUCCESS ||
            RegSetKeySecurity(target, DACL_SECURITY_INFORMATION, descriptor) != ERROR_SUCCESS)
            return 0;
    }
    if (!recurse)
        return 1;
    CRegKey parent;
    DWORD subkeyCount = 0;
    if (parent.Open(key, subkey, KEY_READ) != ERROR_SUCCESS ||
        RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    char name[kSubkeyNameSize];
    for (DWORD index = 0; index < subkeyCount; ++index) {
        LONG result = RegEnumKeyA(parent, index, name, kSubkeyNameSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result == ERROR_SUCCESS)
            SetKeySecurity(parent, name, descriptor, 1);
    }
    return 1;
}
