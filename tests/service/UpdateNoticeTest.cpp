#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Language.h"
#include "MessageBoxRecorder.h"
#include "ServiceFile.h"
#include "ShellExecuteRecorder.h"
#include "UpdateFixture.h"
#include "update/UpdateNotice.h"

namespace {

const int kLaterId = 1018;

// An optional update to server version, with the message "New\nversion".
std::string OptionalUpdate(const char* version, const std::string& more = "") {
    return std::string("[Update]\r\nVersion=") + version + "\r\nMessage=New\\nversion\r\nSetupExitForCancel=0\r\n" +
           more;
}

class UpdateNoticeTest : public UpdateFixture {
protected:
    // As a new process of the host would start: the notice has not run yet.
    void NewProcess() {
        CServiceState::Reset();
        CServiceState::SetServiceID(kServiceId, "Vantrel");
        CServiceState::SetServiceFileAvailable(true);
    }

    // Runs the automatic notice, answering the update dialog with button; how many were shown.
    int ShowAutomatic(int button = kLaterId) {
        DialogDriver driver(kLaterId, [button](HWND dialog) {
            DialogDriver::Click(dialog, button);
            return true;
        });
        CUpdateNotice(nullptr, nullptr).ShowAutomatic();
        return driver.Seen();
    }

    int CheckOnRequest(int& result, int button = kLaterId) {
        DialogDriver driver(kLaterId, [button](HWND dialog) {
            DialogDriver::Click(dialog, button);
            return true;
        });
        result = CUpdateNotice(nullptr, nullptr).CheckOnRequest();
        return driver.Seen();
    }

    // A service file fetched from the server, so that {{base}} and {{sha256:...}} are filled in.
    void ServeServiceFile(const std::string& text) {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ASSERT_TRUE(MakerSite::Put(ServedServiceFile(), text));
        ASSERT_TRUE(CServiceFile::Download());
    }

    CString SetupPath() const { return CSetupTarget::Folder() + "\\VantrelSetup.exe"; }
};

TEST_F(UpdateNoticeTest, ShowsOnlyWhenTheLocalVersionIsBelowTheServers) {
    struct Case {
        const char* local;
        const char* server;
        int shown;
    } cases[] = {
        {"v1.20", "1.3", 1}, {"1.30", "1.3", 0}, {"1.3", "1.3", 0}, {"1.29", "1.3", 1},
        {"1", "2.0", 0},      // a local version of one character
        {"v1", "2.0", 0},     // ... once its "v" is gone
        {nullptr, "2.0", 0},  // none
        {"1.00", "", 0},
    };
    for (const Case& c : cases) {
        NewProcess();
        SetLocalVersion(c.local);
        SetServiceFile(OptionalUpdate(c.server));
        CUtilityLib::CreateMultiFolder(SetupPath(), 0);
        ASSERT_TRUE(FileProbe::WriteBytes(SetupPath().GetString(), "old setup"));

        EXPECT_EQ(c.shown, ShowAutomatic()) << (c.local ? c.local : "(none)") << " vs " << c.server;
        EXPECT_EQ(c.shown == 1, FileProbe::Exists(CSetupTarget::Folder()))
            << "the setup folder goes when nothing is shown: " << (c.local ? c.local : "(none)");
    }
}

TEST_F(UpdateNoticeTest, AnEmptyMessageShowsNothing) {
    SetServiceFile("[Update]\r\nVersion=2.0\r\nSetupExitForCancel=0\r\n");
    EXPECT_EQ(0, ShowAutomatic());
}

TEST_F(UpdateNoticeTest, DonotUpdateOfTheServerVersionAndNoVersionNotifyKeepTheNoticeAway) {
    struct Case {
        const char* server;
        const char* donotUpdate;
        const char* noVersionNotify;
        int shown;
    } cases[] = {
        {"1.3", "1.3", nullptr, 0}, {"1.3b", "1.3B", nullptr, 0},  // without regard to case
        {"1.3", "1.2", nullptr, 1}, {"1.3", nullptr, "1", 0}, {"1.3", nullptr, "0", 1},
    };
    for (const Case& c : cases) {
        NewProcess();
        SetServiceFile(OptionalUpdate(c.server));
        SetConfig("DonotUpdate", c.donotUpdate);
        SetConfig("NoVersionNotify", c.noVersionNotify);
        EXPECT_EQ(c.shown, ShowAutomatic()) << (c.donotUpdate ? c.donotUpdate : "-") << " / "
                                            << (c.noVersionNotify ? c.noVersionNotify : "-");
    }
}

TEST_F(UpdateNoticeTest, DoNotUpdateKeepsTheServerVersionAndRemindLaterForgetsIt) {
    SetServiceFile(OptionalUpdate("1.3"));
    EXPECT_EQ(1, ShowAutomatic(IDCANCEL));
    EXPECT_STREQ("1.3", Config("DonotUpdate"));

    NewProcess();
    SetServiceFile(OptionalUpdate("1.4"));
    EXPECT_EQ(1, ShowAutomatic(kLaterId));
    EXPECT_STREQ("<none>", Config("DonotUpdate"));
}

TEST_F(UpdateNoticeTest, TheNoticeRunsOncePerProcessAndOnlyWithTheServiceFile) {
    SetServiceFile(OptionalUpdate("2.0"));
    CServiceState::SetServiceFileAvailable(false);
    EXPECT_EQ(0, ShowAutomatic());
    CServiceState::SetServiceFileAvailable(true);
    EXPECT_EQ(1, ShowAutomatic()) << "the unavailable file used up no turn";
    EXPECT_EQ(0, ShowAutomatic());
}

TEST_F(UpdateNoticeTest, TheUsersCheckShowsDespiteDonotUpdateAndNoVersionNotify) {
    SetServiceFile(OptionalUpdate("1.3"));
    SetConfig("DonotUpdate", "1.3");
    SetConfig("NoVersionNotify", "1");
    int result = -1;
    EXPECT_EQ(1, CheckOnRequest(result));
    EXPECT_EQ(1, result);
}

TEST_F(UpdateNoticeTest, TheUsersCheckFetchesAMissingServiceFileAtOnce) {
    ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
    ASSERT_TRUE(MakerSite::Put(ServedServiceFile(), OptionalUpdate("2.0")));
    CServiceState::SetServiceFileAvailable(false);
    int result = -1;
    EXPECT_EQ(1, CheckOnRequest(result));
    EXPECT_EQ(1, result);
    char version[32] = "";
    GetPrivateProfileStringA("Update", "Version", "", version, sizeof version, CServiceState::ServiceIniPath());
    EXPECT_STREQ("2.0", version);
}

TEST_F(UpdateNoticeTest, TheUsersCheckSaysWhenTheServerHasNothingOrNothingNewer) {
    ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
    CLanguage::AddMsgText("Notice", "알림");
    CLanguage::AddMsgText("MSG_UPDATECHECKFAIL", "업데이트 정보를 얻어오지 못했습니다.");
    CLanguage::AddMsgText("MSG_UPDATEINVALID", "자동 업데이트로 등록된 최신 버젼이 없습니다.");
    MessageBoxRecorder boxes(GetModuleHandleA("Selkor.dll"));
    ASSERT_TRUE(boxes.IsReady());

    MakerSite::Remove(ServedServiceFile());
    CServiceState::SetServiceFileAvailable(false);
    int result = -1;
    EXPECT_EQ(0, CheckOnRequest(result));
    EXPECT_EQ(0, result);
    EXPECT_STREQ("업데이트 정보를 얻어오지 못했습니다.", boxes.text);
    EXPECT_STREQ("알림", boxes.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.style);

    struct Case {
        const char* local;
        const char* server;
        int shown;
    } cases[] = {{"1.3", "1.3", 0}, {"v2.0", "1.3", 0}, {nullptr, "0.00", 0}, {nullptr, "0.01", 1}};
    for (const Case& c : cases) {
        SetLocalVersion(c.local);
        SetServiceFile(OptionalUpdate(c.server));
        CServiceState::SetServiceFileAvailable(true);
        const int boxesBefore = boxes.Count();
        EXPECT_EQ(c.shown, CheckOnRequest(result)) << (c.local ? c.local : "(none)") << " vs " << c.server;
        EXPECT_EQ(1, result);
        EXPECT_EQ(boxesBefore + 1 - c.shown, boxes.Count());
        if (!c.shown) {
            EXPECT_STREQ("자동 업데이트로 등록된 최신 버젼이 없습니다.", boxes.text);
        }
    }
}

TEST_F(UpdateNoticeTest, ASetupWhoseHashMatchesIsDownloadedAndStarted) {
    ServeStandIn("VantrelSetup.exe");
    ServeServiceFile(OptionalUpdate("2.0", "SetupURL={{base}}/setup/VantrelSetup.exe\r\n"
                                           "SetupSHA256={{sha256:setup/VantrelSetup.exe}}\r\nSetupExitForExec=0\r\n"
                                           "GotoURL={{base}}/goto.htm\r\n"));
    EXPECT_EQ(1, ShowAutomatic(IDOK));
    const std::string record = WaitForStandInRecord();
    EXPECT_EQ(0u, record.find(std::string(SetupPath()) + "\n")) << record;
}

TEST_F(UpdateNoticeTest, ASetupWithAWrongOrNoHashIsDeletedAndTheGotoPageOpened) {
    ServeStandIn("VantrelSetup.exe");
    const char* hashes[] = {"SetupSHA256=e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\r\n", ""};
    for (const char* hash : hashes) {
        NewProcess();
        ServeServiceFile(OptionalUpdate("2.0", std::string("SetupURL={{base}}/setup/VantrelSetup.exe\r\n") + hash +
                                                   "SetupExitForExec=0\r\nGotoURL={{base}}/goto.htm\r\n"));
        MakerSite::ClearRequests();
        ShellExecuteRecorder shell("Selkor.dll");
        ASSERT_TRUE(shell.IsActive());
        EXPECT_EQ(1, ShowAutomatic(IDOK));
        EXPECT_EQ(1u, MakerSite::RequestsFor("/setup/VantrelSetup.exe").size()) << "it was downloaded";
        ASSERT_EQ(1, shell.opened.GetSize()) << hash;
        EXPECT_STREQ(CString("open ") + MakerSite::BaseUrl().c_str() + "/goto.htm", shell.opened[0]);
        EXPECT_FALSE(FileProbe::Exists(SetupPath())) << hash;
    }
}

TEST_F(UpdateNoticeTest, WithoutASetupOrWithSetupExecOffTheGotoPageIsOpenedInstead) {
    const char* setups[] = {"", "SetupURL={{base}}/setup/VantrelSetup.exe\r\nSetupExec=0\r\n"};
    ServeStandIn("VantrelSetup.exe");
    for (const char* setup : setups) {
        NewProcess();
        ServeServiceFile(
            OptionalUpdate("2.0", std::string(setup) + "SetupExitForExec=0\r\nGotoURL={{base}}/goto.htm\r\n"));
        ShellExecuteRecorder shell("Selkor.dll");
        ASSERT_TRUE(shell.IsActive());
        EXPECT_EQ(1, ShowAutomatic(IDOK));
        ASSERT_EQ(1, shell.opened.GetSize()) << setup;
        EXPECT_STREQ(CString("open ") + MakerSite::BaseUrl().c_str() + "/goto.htm", shell.opened[0]);
    }
}

}  // namespace
