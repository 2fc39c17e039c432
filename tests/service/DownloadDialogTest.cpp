#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "DialogDriver.h"
#include "ShellExecuteRecorder.h"
#include "UpdateFixture.h"
#include "WindowShot.h"
#include "download/DownloadDialog.h"

namespace {

const int kProgressId = 1005;

// The positions the progress bar of this thread's dialogs is given, as the bar receives them.
class ProgressSpy {
public:
    ProgressSpy() {
        s_active = this;
        m_hook = SetWindowsHookExA(WH_CALLWNDPROC, &Called, nullptr, GetCurrentThreadId());
    }
    ~ProgressSpy() {
        UnhookWindowsHookEx(m_hook);
        s_active = nullptr;
    }
    ProgressSpy(const ProgressSpy&) = delete;
    ProgressSpy& operator=(const ProgressSpy&) = delete;

    std::vector<int> positions;

private:
    static LRESULT CALLBACK Called(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && s_active && call->message == PBM_SETPOS && GetDlgCtrlID(call->hwnd) == kProgressId)
            s_active->positions.push_back(static_cast<int>(call->wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ProgressSpy* s_active = nullptr;
    HHOOK m_hook = nullptr;
};

class DownloadDialogTest : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        m_target = CSetupTarget::PathFor("http://x/setup/body.exe");
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        SetServiceFile("[Update]\r\nSetupExec=0\r\nSetupExitForExec=0\r\nGotoURL=http://goto.example/page\r\n");
        ASSERT_TRUE(m_shell.IsActive());
    }

    CString Url(const char* path) const { return CString(MakerSite::BaseUrl().c_str()) + path; }

    CString m_target;
    ShellExecuteRecorder m_shell{"Selkor.dll"};
};

TEST_F(DownloadDialogTest, TheProgressBarReaches100AndTheDialogClosesItselfAfterTheDownload) {
    const std::string body(4 * 1024 * 1024, 's');
    ASSERT_TRUE(MakerSite::Put("setup/big.exe", body));
    ProgressSpy spy;
    // The server waits a second before the body, so the dialog is photographed at least once;
    // later pictures, taken while the body arrives, replace the first.
    std::string shot;
    DialogDriver driver(kProgressId, [&](HWND dialog) {
        shot = WindowShot::Save(dialog, "download-dialog");
        return SendDlgItemMessageA(dialog, kProgressId, PBM_GETPOS, 0, 0) >= 20;
    });
    CDownloadDialog dialog(nullptr, LoadIconA(nullptr, IDI_INFORMATION), Url("/__slow/1000/setup/big.exe"), m_target);
    EXPECT_EQ(IDOK, dialog.DoModal());

    ASSERT_FALSE(spy.positions.empty());
    EXPECT_EQ(100, spy.positions.back());
    for (size_t i = 1; i < spy.positions.size(); ++i)
        ASSERT_LT(spy.positions[i - 1], spy.positions[i]) << "only changed percentages, rising";
    EXPECT_TRUE(FileProbe::ReadBytes(m_target) == body);
    EXPECT_TRUE(dialog.SetupWentOn());
    ASSERT_EQ(1, m_shell.opened.GetSize()) << "SetupExec 0 opens the page";
    EXPECT_STREQ("open http://goto.example/page", m_shell.opened[0]);
    EXPECT_FALSE(shot.empty());
}

TEST_F(DownloadDialogTest, TheCloseMessageStopsTheDownloadHalfwayAndLeavesNoFile) {
    ASSERT_TRUE(MakerSite::Put("setup/slow.exe", std::string(100000, 's')));
    bool partialWasThere = false;
    DialogDriver driver(kProgressId, [&](HWND dialog) {
        if (SendDlgItemMessageA(dialog, kProgressId, PBM_GETPOS, 0, 0) == 0)
            return false;
        partialWasThere = FileProbe::Exists(m_target);
        PostMessageA(dialog, 0x7D18, 0, 0);
        return true;
    });
    CDownloadDialog dialog(nullptr, nullptr, Url("/__trickle/50/setup/slow.exe"), m_target);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, driver.Seen());
    EXPECT_TRUE(partialWasThere);
    EXPECT_FALSE(dialog.SetupWentOn());
    EXPECT_FALSE(FileProbe::Exists(m_target));
    EXPECT_EQ(0, m_shell.opened.GetSize());
}

TEST_F(DownloadDialogTest, AFailedDownloadLeavesNoFileAndOpensTheGotoPage) {
    const char* paths[] = {"/setup/missing.exe", "/__short/500/setup/short.exe"};
    ASSERT_TRUE(MakerSite::Put("setup/short.exe", std::string(5000, 's')));
    for (const char* path : paths) {
        m_shell.opened.RemoveAll();
        CDownloadDialog dialog(nullptr, nullptr, Url(path), m_target);
        EXPECT_EQ(IDOK, dialog.DoModal()) << path;
        EXPECT_FALSE(dialog.SetupWentOn()) << path;
        EXPECT_FALSE(FileProbe::Exists(m_target)) << path;
        ASSERT_EQ(1, m_shell.opened.GetSize()) << path;
        EXPECT_STREQ("open http://goto.example/page", m_shell.opened[0]);
    }
}

}  // namespace
