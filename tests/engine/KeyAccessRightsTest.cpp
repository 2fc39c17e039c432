#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "HistoryCleaner.h"
#include "TestFixtures.h"

namespace {

// The SID text as the system itself prints it, to check ours against.
std::string SystemSidText(PSID sid) {
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text))
        return "<invalid>";
    std::string copy(text);
    LocalFree(text);
    return copy;
}

std::string CurrentUserSidText() {
    PSID sid = nullptr;
    if (!CHistoryCleaner::GetCurrentUserSid(&sid))
        return "<none>";
    std::string text = SystemSidText(sid);
    HeapFree(GetProcessHeap(), 0, sid);
    return text;
}

struct AceView {
    std::string sid;
    BYTE type;
    BYTE flags;
    ACCESS_MASK mask;
};

// The key's DACL as stored, read back through GetKeySecurity; empty when it cannot be read.
std::vector<AceView> StoredAces(HKEY root, const char* subkey) {
    std::vector<AceView> aces;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!CHistoryCleaner::GetKeySecurity(root, subkey, &descriptor))
        return aces;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    if (GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present && dacl) {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace))
                break;
            auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            aces.push_back({SystemSidText(&allowed->SidStart), allowed->Header.AceType, allowed->Header.AceFlags,
                            allowed->Mask});
        }
    }
    HeapFree(GetProcessHeap(), 0, descriptor);
    return aces;
}

bool IsUserAndSystemFullAccess(const std::vector<AceView>& aces, const std::string& userSid) {
    const BYTE inheritToAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    return aces.size() == 2 && aces[0].sid == userSid && aces[1].sid == "S-1-5-18" &&
           aces[0].type == ACCESS_ALLOWED_ACE_TYPE && aces[1].type == ACCESS_ALLOWED_ACE_TYPE &&
           aces[0].mask == 0xF003F && aces[1].mask == 0xF003F && aces[0].flags == inheritToAll &&
           aces[1].flags == inheritToAll;
}

// A user-and-system descriptor with the buffers it needs, freed at the end of the test.
struct UserSystemDescriptor {
    PSID userSid = nullptr;
    PACL acl = nullptr;
    SECURITY_DESCRIPTOR descriptor = {};
    bool built = false;

    UserSystemDescriptor() {
        built = CHistoryCleaner::GetCurrentUserSid(&userSid) &&
                CHistoryCleaner::BuildUserSystemDacl(userSid, &descriptor, &acl);
    }
    ~UserSystemDescriptor() {
        HeapFree(GetProcessHeap(), 0, acl);
        HeapFree(GetProcessHeap(), 0, userSid);
    }
};

void CreateKey(const CString& path) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, path, &key));
    RegCloseKey(key);
}

}  // namespace

TEST(SidToString, PrintsAuthorityAndEverySubAuthorityUnsigned) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&ntAuthority, 5, 21, 3000000000u, 4294967295u, 12345, 1001, 0, 0, 0, &sid));
    char text[256];
    CHistoryCleaner::SidToString(sid, text);
    EXPECT_STREQ("S-1-5-21-3000000000-4294967295-12345-1001", text);
    FreeSid(sid);

    SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
    ASSERT_TRUE(AllocateAndInitializeSid(&worldAuthority, 1, 0, 0, 0, 0, 0, 0, 0, 0, &sid));
    CHistoryCleaner::SidToString(sid, text);
    EXPECT_STREQ("S-1-1-0", text);
    FreeSid(sid);
}

TEST(GetCurrentUserSid, GivesTheProcessUserAsTheSystemPrintsIt) {
    PSID sid = nullptr;
    ASSERT_EQ(1, CHistoryCleaner::GetCurrentUserSid(&sid));
    ASSERT_TRUE(IsValidSid(sid));
    char text[256];
    CHistoryCleaner::SidToString(sid, text);
    EXPECT_EQ(0, strncmp(text, "S-1-5-", 6)) << text;
    EXPECT_EQ(SystemSidText(sid), text);
    HeapFree(GetProcessHeap(), 0, sid);
}

TEST(BuildUserSystemDacl, RefusesAMissingOrInvalidSidAndLeavesNoAcl) {
    SECURITY_DESCRIPTOR descriptor = {};
    PACL acl = reinterpret_cast<PACL>(&descriptor);
    EXPECT_EQ(0, CHistoryCleaner::BuildUserSystemDacl(nullptr, &descriptor, &acl));
    EXPECT_EQ(nullptr, acl);
    BYTE notASid[16] = {};
    EXPECT_EQ(0, CHistoryCleaner::BuildUserSystemDacl(notASid, &descriptor, &acl));
    EXPECT_EQ(nullptr, acl);
}

TEST(SetKeySecurity, StoresExactlyTheUserAndSystemFullAccessEntries) {
    TempRegKey key;
    std::string user = CurrentUserSidText();
    UserSystemDescriptor wanted;
    ASSERT_TRUE(wanted.built);
    ASSERT_FALSE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key.Path()), user));

    EXPECT_EQ(1, CHistoryCleaner::SetKeySecurity(key.Root(), key.Path(), &wanted.descriptor, 0));
    EXPECT_TRUE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key.Path()), user));
}

TEST(SetKeySecurity, WithRecurseOnAKeyWithoutSubkeysSetsThatKey) {
    TempRegKey key;
    UserSystemDescriptor wanted;
    ASSERT_TRUE(wanted.built);
    EXPECT_EQ(1, CHistoryCleaner::SetKeySecurity(key.Root(), key.Path(), &wanted.descriptor, 1));
    EXPECT_TRUE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key.Path()), CurrentUserSidText()));
}

TEST(SetKeySecurity, RecursesIntoEveryNestedSubkeyOnlyWhenAsked) {
    TempRegKey key;
    std::string user = CurrentUserSidText();
    const CString nested[] = {key / "a", key / "a\\b", key / "a\\b\\c", key / "d"};
    for (const CString& path : nested)
        CreateKey(path);
    UserSystemDescriptor wanted;
    ASSERT_TRUE(wanted.built);

    EXPECT_EQ(1, CHistoryCleaner::SetKeySecurity(key.Root(), key / "a", &wanted.descriptor, 0));
    EXPECT_TRUE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key / "a"), user));
    EXPECT_FALSE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key / "a\\b"), user));

    EXPECT_EQ(1, CHistoryCleaner::SetKeySecurity(key.Root(), key.Path(), &wanted.descriptor, 1));
    for (const CString& path : nested)
        EXPECT_TRUE(IsUserAndSystemFullAccess(StoredAces(key.Root(), path), user)) << (const char*)path;
}

TEST(SetKeySecurity, GivesZeroForANullOrMissingSubkey) {
    TempRegKey key;
    UserSystemDescriptor wanted;
    ASSERT_TRUE(wanted.built);
    EXPECT_EQ(0, CHistoryCleaner::SetKeySecurity(key.Root(), nullptr, &wanted.descriptor, 1));
    EXPECT_EQ(0, CHistoryCleaner::SetKeySecurity(key.Root(), key / "missing", &wanted.descriptor, 1));
}

TEST(GetKeySecurity, OnAMissingKeyGivesZeroAndNoBuffer) {
    TempRegKey key;
    BYTE sentinel = 0;
    PSECURITY_DESCRIPTOR descriptor = &sentinel;
    EXPECT_EQ(0, CHistoryCleaner::GetKeySecurity(key.Root(), key / "missing", &descriptor));
    EXPECT_EQ(nullptr, descriptor);
}
