#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "ServiceFile.h"
#include "UpdateFixture.h"

namespace {

const DWORD kNoticeReturned = 7;

// Runs the automatic notice in UpdateChild.exe, whose boxes answer answer.
class UpdateChildTest : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ServeStandIn("VantrelSetup.exe");
        DeleteFileA(m_boxes);
    }
    void TearDown() override {
        DeleteFileA(m_boxes);
        UpdateFixture::TearDown();
    }

    void ServeServiceFile(const std::string& update) {
        ASSERT_TRUE(MakerSite::Put(ServedServiceFile(),
                                   "[Update]\r\nVersion=2.0\r\nMessage=Update now\r\n"
                                   "SetupURL={{base}}/setup/VantrelSetup.exe\r\n"
                                   "SetupSHA256={{sha256:setup/VantrelSetup.exe}}\r\n" +
                                       update));
        ASSERT_TRUE(CServiceFile::Download());
        MakerSite::ClearRequests();
    }

    DWORD RunChild(const char* answer) {
        CString line = "\"" + ProgramRun::BuildFolder() + "\\UpdateChild.exe\" " + kAppDataSubPath + " " + kServiceId +
                       " " + answer + " \"" + m_boxes + "\"";
        DWORD exitCode = 99;
        EXPECT_TRUE(ProgramRun::RunToEnd(line, 60000, exitCode)) << "the child ended by itself";
        return exitCode;
    }

    std::string Boxes() const { return FileProbe::Exists(m_boxes) ? FileProbe::ReadBytes(m_boxes) : std::string(); }

    CString m_boxes = CString(getenv("TEMP") ? getenv("TEMP") : "C:\\") + "\\vantrel-update-boxes.txt";
};

TEST_F(UpdateChildTest, AMandatoryUpdateRefusedWithNoEndsTheHostAndDoesNothingMore) {
    ServeServiceFile("SetupExitForExec=0\r\n");  // no SetupExitForCancel: mandatory
    EXPECT_EQ(0u, RunChild("no"));
    EXPECT_EQ("Update now\nNotice\n" + std::to_string(MB_YESNO | MB_ICONINFORMATION) + "\n", Boxes());
    EXPECT_TRUE(MakerSite::RequestsFor("/setup/VantrelSetup.exe").empty()) << "no setup was fetched";
    EXPECT_FALSE(StandInStarted());
}

TEST_F(UpdateChildTest, AMandatoryUpdateAcceptedRunsTheSetupAndThenEndsTheHost) {
    ServeServiceFile("SetupExitForExec=0\r\n");
    EXPECT_EQ(0u, RunChild("yes"));
    EXPECT_EQ(1u, MakerSite::RequestsFor("/setup/VantrelSetup.exe").size());
    EXPECT_NE("", WaitForStandInRecord());
}

TEST_F(UpdateChildTest, AnOptionalUpdateThatIsNotShownReturnsToTheHost) {
    ServeServiceFile("SetupExitForCancel=0\r\n");
    SetConfig("NoVersionNotify", "1");
    EXPECT_EQ(kNoticeReturned, RunChild("no"));
    EXPECT_EQ("", Boxes());
}

}  // namespace
