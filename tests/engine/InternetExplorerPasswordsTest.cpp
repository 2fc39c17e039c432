#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "AccessListProbe.h"
#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"

namespace {

const char kIntelliForms[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
const char kProtectedStorage[] = "Software\\Microsoft\\Protected Storage System Provider\\";
const char kPasswordData[] = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";

std::string UserName() {
    char name[261] = "";
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? name : "<none>";
}

// "sid flags mask" for every ACE of the key's DACL, as stored.
std::vector<std::string> StoredAces(const char* path) {
    std::vector<std::string> texts;
    for (const AccessListProbe::Ace& ace : AccessListProbe::StoredAces(HKEY_CURRENT_USER, path)) {
        char numbers[32];
        wsprintfA(numbers, " %u %lx", ace.flags, ace.mask);
        texts.push_back(ace.sid + numbers);
    }
    return texts;
}

// An access list no routine builds: the user without inheritance, everyone reading.
bool SetOwnAccessList(const char* path, const std::string& userSid) {
    PSID user = nullptr;
    PSID everyone = nullptr;
    if (!ConvertStringSidToSidA(userSid.c_str(), &user) || !ConvertStringSidToSidA("S-1-1-0", &everyone))
        return false;
    BYTE aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    SECURITY_DESCRIPTOR descriptor;
    HKEY key = nullptr;
    bool set = InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION) &&
               AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, user) &&
               AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
               InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
               RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
               RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (key)
        RegCloseKey(key);
    LocalFree(user);
    LocalFree(everyone);
    return set;
}

}  // namespace

TEST(RemoveIEAutomaticPassword, DeletesFormDataAndThePasswordKeysOfBothRoots) {
    std::string sid = AccessListProbe::ProcessUserSid();
    std::string userKey = kProtectedStorage + sid;
    std::string passwordKey = userKey + kPasswordData;
    std::string machinePasswordKey = kProtectedStorage + UserName() + kPasswordData;
    ProgramTraceProfile profile;
    profile.SetText(HKEY_CURRENT_USER, CString(kIntelliForms) + "\\Storage1", "entry", "form data");
    profile.SetText(HKEY_CURRENT_USER, (passwordKey + "\\site\\deep").c_str(), "item", "secret");
    profile.SetText(HKEY_CURRENT_USER, (userKey + "\\Data\\other").c_str(), "item", "kept");
    profile.SetText(HKEY_LOCAL_MACHINE, (machinePasswordKey + "\\site").c_str(), "item", "secret");
    profile.SetText(HKEY_LOCAL_MACHINE, (kProtectedStorage + UserName() + "\\Data\\other").c_str(), "item", "kept");
    ASSERT_TRUE(SetOwnAccessList(userKey.c_str(), sid));
    std::vector<std::string> ownAces = StoredAces(userKey.c_str());
    ASSERT_EQ(2u, ownAces.size());

    CHistoryCleaner engine;
    engine.RemoveIEAutomaticPassword();
    EXPECT_FALSE(RegProbe::KeyExists(HKEY_CURRENT_USER, kIntelliForms));
    EXPECT_FALSE(RegProbe::KeyExists(HKEY_CURRENT_USER, passwordKey.c_str()));
    EXPECT_STREQ("kept", RegProbe::ReadBytes(HKEY_CURRENT_USER, (userKey + "\\Data\\other").c_str(), "item").c_str());
    EXPECT_FALSE(RegProbe::KeyExists(HKEY_LOCAL_MACHINE, machinePasswordKey.c_str()));
    EXPECT_TRUE(RegProbe::KeyExists(HKEY_LOCAL_MACHINE, (kProtectedStorage + UserName() + "\\Data\\other").c_str()));

    // The user key gets its own list back; Data keeps the opened one.
    EXPECT_EQ(ownAces, StoredAces(userKey.c_str()));
    std::vector<std::string> opened = {sid + " 3 f003f", "S-1-5-18 3 f003f"};
    EXPECT_EQ(opened, StoredAces((userKey + "\\Data").c_str()));
}

TEST(RemoveIEAutomaticPassword, WithoutAnyStoredDataChangesNothingElse) {
    std::string userKey = kProtectedStorage + AccessListProbe::ProcessUserSid();
    ProgramTraceProfile profile;
    profile.SetText(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page", "kept");
    ASSERT_FALSE(RegProbe::KeyExists(HKEY_CURRENT_USER, userKey.c_str()));
    CHistoryCleaner engine;
    engine.RemoveIEAutomaticPassword();
    EXPECT_FALSE(RegProbe::KeyExists(HKEY_CURRENT_USER, userKey.c_str()));
    EXPECT_TRUE(RegProbe::ValueExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page"));
}
