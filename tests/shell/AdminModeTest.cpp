#include <gtest/gtest.h>

#include "../engine/RedirectedAppData.h"
#include "FileProbe.h"
#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "ShellExecuteRecorder.h"
#include "admin/AdminMode.h"

namespace {

BOOL g_isAdmin = FALSE;
BOOL WINAPI PatchedIsUserAnAdmin() { return g_isAdmin; }

CDWordArray Lines(std::initializer_list<DWORD> ids) {
    CDWordArray lines;
    for (DWORD id : ids)
        lines.Add(id);
    return lines;
}

}  // namespace

TEST(AdminModeRightsWanted, FollowAlwaysAdminOrAnAdministratorLine) {
    struct Case {
        const char* configIni;  // null: no file
        std::initializer_list<DWORD> checkedLines;
        bool wanted;
    };
    const Case cases[] = {
        {nullptr, {}, true},
        {"[Option]\r\nAlwaysAdmin=1\r\n", {1, 3}, true},
        {"[Option]\r\nAlwaysAdmin=0\r\n", {}, false},
        {"[Option]\r\nAlwaysAdmin=0\r\n", {1, 3, 6, 14}, false},
        {"[Option]\r\nAlwaysAdmin=0\r\n", {1, 28}, true},
        {"[Option]\r\nAlwaysAdmin=0\r\n", {43}, true},
        // Item 22 has no line: checked in [Setting], it only counts when the caller lists it.
        {"[Option]\r\nAlwaysAdmin=0\r\n[Setting]\r\nRemovePrefetch=1\r\n", {1}, false},
        {"[Option]\r\nAlwaysAdmin=0\r\n[Setting]\r\nRemovePrefetch=1\r\n", {22}, true},
    };
    for (const Case& c : cases) {
        RedirectedAppData appData;
        const CString config = appData.ConfigIni();
        ASSERT_FALSE(config.IsEmpty());
        if (c.configIni) {
            CUtilityLib::CreateMultiFolder(config, 0);
            ASSERT_TRUE(FileProbe::WriteBytes(config, c.configIni));
        }
        EXPECT_EQ(c.wanted, AdminMode::RightsWanted(config, Lines(c.checkedLines)))
            << (c.configIni ? c.configIni : "(no file)") << " lines " << c.checkedLines.size();
    }
}

TEST(AdminMode, AsksTheShellAtEveryCall) {
    ImportPatch patch(GetModuleHandleA(nullptr), "shell32.dll", "IsUserAnAdmin",
                      reinterpret_cast<void*>(&PatchedIsUserAnAdmin));
    ASSERT_TRUE(patch.IsActive());
    g_isAdmin = FALSE;
    EXPECT_FALSE(AdminMode::IsRunningAsAdmin());
    g_isAdmin = TRUE;
    EXPECT_TRUE(AdminMode::IsRunningAsAdmin());
}

TEST(AdminMode, AskAndRestartShowsAYesNoQuestionAndStartsNothingOnNoOrAsAdministrator) {
    ImportPatch patch(GetModuleHandleA(nullptr), "shell32.dll", "IsUserAnAdmin",
                      reinterpret_cast<void*>(&PatchedIsUserAnAdmin));
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ShellExecuteRecorder starts(nullptr);
    ASSERT_TRUE(patch.IsActive());
    ASSERT_TRUE(boxes.IsReady());
    ASSERT_TRUE(starts.IsActive());

    g_isAdmin = FALSE;
    boxes.answer = IDNO;
    AdminMode::AskAndRestart(nullptr, AdminMode::kLineButtonQuestion);
    EXPECT_EQ(CString("선택한 기능을 사용하기 위해서는 관리자 권한이 필요합니다.\n\n\n관리자 모드로 다시 실행한 후 "
                      "수행해야 합니다\n\n지금 관리자 모드로 전환하겠습니까 ?"),
              boxes.text);
    EXPECT_EQ(CString("알림"), boxes.caption);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), boxes.style);

    // Yes while already administrator: RestartAsAdmin returns without starting the launcher.
    g_isAdmin = TRUE;
    boxes.answer = IDYES;
    AdminMode::AskAndRestart(nullptr, AdminMode::kCheckedLineQuestion);
    EXPECT_EQ(CString("선택한 기능을 사용하기 위해서는 관리자 권한이 필요합니다.\n\n\n관리자 모드로 전환하지 않으면 "
                      "정상적으로 수행하지 못합니다.\n\n지금 관리자 모드로 전환하겠습니까 ?"),
              boxes.text);
    EXPECT_EQ(2, boxes.Count());
    EXPECT_EQ(0, starts.calls);
}
