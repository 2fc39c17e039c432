#include <gtest/gtest.h>

#include "RegKey.h"
#include "TestFixtures.h"

namespace {

bool IsUsable(HKEY key) {
    DWORD subkeys = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

TEST(RegistryKeyWrapper, OpeningEmptyNameLeavesCallersKeyOpen) {
    TempRegKey temp;
    CRegKey parent;
    ASSERT_EQ(parent.Open(temp.Root(), temp.Path(), KEY_READ), ERROR_SUCCESS);
    {
        CRegKey same;
        ASSERT_EQ(same.Open(parent, ""), ERROR_SUCCESS);
        CRegKey created;
        ASSERT_EQ(created.Create(parent, nullptr), ERROR_SUCCESS);
    }
    EXPECT_TRUE(IsUsable(parent));
}

TEST(RegistryKeyWrapper, DetachKeepsKeyOpenAndFailedOpenHoldsNothing) {
    TempRegKey temp;
    HKEY raw = nullptr;
    {
        CRegKey key;
        ASSERT_EQ(key.Create(temp.Root(), temp / "a\\b"), ERROR_SUCCESS);
        raw = key.Detach();
        EXPECT_FALSE(key.IsOpen());
    }
    EXPECT_TRUE(IsUsable(raw));
    CRegKey owner;
    owner.Attach(raw);
    EXPECT_NE(owner.Open(temp.Root(), temp / "missing"), ERROR_SUCCESS);
    EXPECT_FALSE(owner.IsOpen());
}
