#include <gtest/gtest.h>

#include <vector>

#include "TokenPrivilege.h"

namespace {

enum class State { Absent, Disabled, Enabled };

// The privilege's state as the process token reports it now.
State PrivilegeState(const char* name) {
    LUID luid;
    if (!LookupPrivilegeValueA(nullptr, name, &luid))
        return State::Absent;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return State::Absent;
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    State state = State::Absent;
    if (size && GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const TOKEN_PRIVILEGES* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart)
                state = (entry.Attributes & SE_PRIVILEGE_ENABLED) ? State::Enabled : State::Disabled;
        }
    }
    CloseHandle(token);
    return state;
}

}  // namespace

TEST(CTokenPrivilege, EnablesAHeldPrivilegeAndDisablesItAgainAfterwards) {
    ASSERT_EQ(State::Disabled, PrivilegeState(SE_SHUTDOWN_NAME));
    {
        CTokenPrivilege shutdown(SE_SHUTDOWN_NAME);
        EXPECT_TRUE(shutdown.IsEnabled());
        EXPECT_EQ(State::Enabled, PrivilegeState(SE_SHUTDOWN_NAME));
    }
    EXPECT_EQ(State::Disabled, PrivilegeState(SE_SHUTDOWN_NAME));
}

TEST(CTokenPrivilege, LeavesAPrivilegeThatWasOnAlreadyOn) {
    CTokenPrivilege outer(SE_SHUTDOWN_NAME);
    ASSERT_EQ(State::Enabled, PrivilegeState(SE_SHUTDOWN_NAME));
    {
        CTokenPrivilege inner(SE_SHUTDOWN_NAME);
        EXPECT_TRUE(inner.IsEnabled());
    }
    EXPECT_EQ(State::Enabled, PrivilegeState(SE_SHUTDOWN_NAME));
}

TEST(CTokenPrivilege, ReportsAPrivilegeTheTokenDoesNotHold) {
    ASSERT_EQ(State::Absent, PrivilegeState(SE_CREATE_TOKEN_NAME));
    CTokenPrivilege createToken(SE_CREATE_TOKEN_NAME);
    EXPECT_FALSE(createToken.IsEnabled());
    EXPECT_EQ(State::Absent, PrivilegeState(SE_CREATE_TOKEN_NAME));
}
