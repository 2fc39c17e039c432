#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "UpdateFixture.h"
#include "download/SetupTransfer.h"

namespace {

std::string Bytes(size_t count) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

class SetupTransferTest : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        m_target = CSetupTarget::PathFor("http://x/setup/body.exe");
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ASSERT_TRUE(MakerSite::Put("setup/body.exe", m_body));
    }

    bool Fetch(const std::string& path, std::vector<int>* progress = nullptr) {
        CSetupTransfer transfer;
        return transfer.Run((MakerSite::BaseUrl() + path).c_str(), m_target, [progress](int percent) {
            if (progress)
                progress->push_back(percent);
        });
    }

    const std::string m_body = Bytes(10000);
    CString m_target;
};

TEST_F(SetupTransferTest, TheTargetIsTheUrlsFileNameInTheTemporarySetupFolder) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_STREQ(CString(temp) + "vantrelupd\\VantrelSetup.exe", CSetupTarget::PathFor("http://h/a/VantrelSetup.exe"));
    EXPECT_STREQ(CString(temp) + "vantrelupd\\s.exe", CSetupTarget::PathFor("http://h/s.exe?v=2"));
    EXPECT_STREQ("", CSetupTarget::PathFor("http://h/a/"));
    EXPECT_STREQ("", CSetupTarget::PathFor(""));
    CServiceState::SetServiceID("", "Vantrel");
    EXPECT_STREQ("", CSetupTarget::PathFor("http://h/a/VantrelSetup.exe")) << "never the temp folder itself";
}

TEST_F(SetupTransferTest, WritesTheWholeBodyAndReportsEachNewPercentageUpTo100) {
    std::vector<int> progress;
    ASSERT_TRUE(Fetch("/setup/body.exe", &progress));
    EXPECT_TRUE(FileProbe::ReadBytes(m_target) == m_body);
    // 10 blocks of 1024 bytes and one of 784: 10, 20, ... 92, 100.
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40, 51, 61, 71, 81, 92, 100}), progress);
}

TEST_F(SetupTransferTest, WithoutALengthTheBodyIsMeasuredAgainstOneMebibyte) {
    std::vector<int> progress;
    ASSERT_TRUE(Fetch("/__nolength/setup/body.exe", &progress));
    EXPECT_TRUE(FileProbe::ReadBytes(m_target) == m_body);
    EXPECT_EQ((std::vector<int>{0}), progress) << "10000 bytes are below 1% of 1048576";
}

TEST_F(SetupTransferTest, ReplacesAnOldPlainFileWithAFreshOne) {
    CUtilityLib::CreateMultiFolder(m_target, 0);
    ASSERT_TRUE(FileProbe::WriteBytes(m_target.GetString(), std::string(20000, 'o')));
    ASSERT_TRUE(Fetch("/setup/body.exe"));
    EXPECT_TRUE(FileProbe::ReadBytes(m_target) == m_body);
}

TEST_F(SetupTransferTest, FailedShortAndMissingDownloadsLeaveNoFile) {
    const char* paths[] = {"/__short/3000/setup/body.exe", "/setup/missing.exe"};
    for (const char* path : paths) {
        EXPECT_FALSE(Fetch(path)) << path;
        EXPECT_FALSE(FileProbe::Exists(m_target)) << path;
    }
}

TEST_F(SetupTransferTest, ADownloadStoppedHalfwayLeavesNoFile) {
    CSetupTransfer transfer;
    bool complete = true;
    HANDLE firstBlock = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const std::string url = MakerSite::BaseUrl() + "/__trickle/100/setup/body.exe";
    std::thread worker([&] { complete = transfer.Run(url.c_str(), m_target, [&](int) { SetEvent(firstBlock); }); });
    // The worker is joined whatever happens: a joinable thread left behind ends the program.
    const bool started = WaitForSingleObject(firstBlock, 30000) == WAIT_OBJECT_0;
    const bool partialWasThere = FileProbe::Exists(m_target);
    transfer.Stop();
    worker.join();
    CloseHandle(firstBlock);
    ASSERT_TRUE(started) << "no block arrived";
    EXPECT_TRUE(partialWasThere);
    EXPECT_FALSE(complete);
    EXPECT_FALSE(FileProbe::Exists(m_target));
}

TEST_F(SetupTransferTest, ATargetThatIsALinkIsRefusedAndItsTargetUntouched) {
    TempFolder outside;
    const CString outsideFile = outside.MakeFile("victim.exe", "outside");
    CUtilityLib::CreateMultiFolder(m_target, 0);
    ASSERT_TRUE(HostTools::MakeSymlink(m_target, outsideFile));
    ASSERT_TRUE(FileProbe::Exists(m_target));

    EXPECT_FALSE(Fetch("/setup/body.exe"));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
}

TEST_F(SetupTransferTest, ASetupFolderThatIsALinkIsRefusedAndNothingIsWrittenThere) {
    TempFolder outside;
    const CString outsideFolder = outside.MakeFolder("elsewhere");
    ASSERT_TRUE(HostTools::MakeSymlink(CSetupTarget::Folder(), outsideFolder));
    ASSERT_TRUE(FileProbe::IsLink(CSetupTarget::Folder()));

    EXPECT_FALSE(Fetch("/setup/body.exe"));
    EXPECT_FALSE(FileProbe::Exists(outsideFolder + "\\body.exe"));
    CSetupTarget::RemoveFolder();
    EXPECT_TRUE(FileProbe::IsFolder(outsideFolder)) << "the folder a link points to is not removed";
}

TEST_F(SetupTransferTest, RemovingTheSetupFolderRemovesWhatItHolds) {
    ASSERT_TRUE(Fetch("/setup/body.exe"));
    CSetupTarget::RemoveFolder();
    EXPECT_FALSE(FileProbe::Exists(CSetupTarget::Folder()));
}

}  // namespace
