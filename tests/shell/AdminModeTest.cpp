#include <gtest/gtest.h>

#include "../engine/RedirectedAppData.h"
#include "ArgsRecord.h"
#include "FileProbe.h"
#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "ProgramRun.h"
#include "ScopedEnvironment.h"
#include "SeededKey.h"
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

// The restart ends its process, so it runs in the stand-in host bin\standinhost\Vantrel.exe,
// whose VantrelAdmin.exe records its command line and working folder in RecordArgs.txt. A launcher
// that was started is waited for, so none writes into a later test; when the host has ended
// without starting one, the record's absence is final.
class AdminRestartHost : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(m_record); }
    void TearDown() override { DeleteFileA(m_record); }

    DWORD RunHost(const char* admin, const char* arguments) {
        ScopedEnvironment answer("VANTREL_STANDIN_ADMIN", admin);
        DWORD exitCode = 99;
        EXPECT_TRUE(ProgramRun::RunToEnd("\"" + m_folder + "\\Vantrel.exe\" " + arguments, 30000, exitCode));
        return exitCode;
    }

    const CString m_folder = ProgramRun::BuildFolder() + "\\standinhost";
    const CString m_record = m_folder + "\\RecordArgs.txt";
};

TEST_F(AdminRestartHost, WithoutRightsStartsTheLauncherInTheProgramFolderAndEndsWithCodeZero) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");

    EXPECT_EQ(0u, RunHost("0", "--restart-as-admin /removemediaplayerhistory"));

    const ArgsRecord launcher = ArgsRecord::WaitFor(m_folder, 30000);
    ASSERT_TRUE(launcher.found);
    EXPECT_EQ(CString("/removemediaplayerhistory"), launcher.arguments);
    EXPECT_EQ(ProgramRun::BuildFolder() + "\\standinhost", launcher.workingFolder);
    // The process ended at the restart: the line never reached direct mode.
    EXPECT_TRUE(files.Exists());
}

TEST_F(AdminRestartHost, AsAdministratorStartsNoLauncherAndGoesOnWithTheRestOfTheLine) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");

    EXPECT_EQ(0u, RunHost("1", "--restart-as-admin /removemediaplayerhistory"));

    EXPECT_FALSE(FileProbe::Exists(m_record));
    EXPECT_FALSE(files.Exists());
}

TEST_F(AdminRestartHost, CountsAsAdministratorWithoutTheVariable) {
    // Exit code 3 would mean a stand-in could not be put in place and nothing was started.
    EXPECT_EQ(0u, RunHost(nullptr, "--restart-as-admin startup"));
    EXPECT_FALSE(FileProbe::Exists(m_record));
}
