#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "AccessListProbe.h"
#include "HistoryCleaner.h"
#include "TestFixtures.h"

namespace {

using AccessListProbe::ProcessUserSid;
using AccessListProbe::SidText;
using AccessListProbe::StoredAces;

bool IsUserAndSystemFullAccess(const std::vector<AccessListProbe::Ace>& aces, const std::string& userSid) {
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
    EXPECT_EQ(SidText(sid), text);
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
    std::string user = ProcessUserSid();
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
    EXPECT_TRUE(IsUserAndSystemFullAccess(StoredAces(key.Root(), key.Path()), ProcessUserSid()));
}

TEST(SetKeySecurity, RecursesIntoEveryNestedSubkeyOnlyWhenAsked) {
    TempRegKey key;
    std::string user = ProcessUserSid();
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

TEST(GetKeySecurity, GivesTheAccessListTheKeyHolds) {
    TempRegKey key;
    UserSystemDescriptor wanted;
    ASSERT_TRUE(wanted.built);
    ASSERT_EQ(1, CHistoryCleaner::SetKeySecurity(key.Root(), key.Path(), &wanted.descriptor, 0));

    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(1, CHistoryCleaner::GetKeySecurity(key.Root(), key.Path(), &descriptor));
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present && dacl);
    std::vector<std::string> sids;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        sids.push_back(SidText(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart));
    }
    HeapFree(GetProcessHeap(), 0, descriptor);
    EXPECT_EQ((std::vector<std::string>{ProcessUserSid(), "S-1-5-18"}), sids);
}
