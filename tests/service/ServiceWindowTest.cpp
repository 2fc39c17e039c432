#include <gtest/gtest.h>

#include "APPCommonServiceWnd.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "ModalProbe.h"
#include "WindowShot.h"
#include "ServiceFile.h"
#include "ServiceSandbox.h"
#include "advert/APPMainAdCtrl.h"

namespace {

const char kLogPath[] = "/log/makelog.php";
const char kServiceFilePath[] = "/appservice/vantrel/kor/service.ini.htm";
const DWORD kRetryLimitMs = 40000;  // one refused attempt, then the 10 s retry

struct LineEndCase {
    const char* downloaded;
    const char* stored;
};

TEST(ServiceFileLineEnds, AreMendedInTheirFixedOrder) {
    const LineEndCase cases[] = {
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\r\nb"},
        {"a\r\nb", "a\r\r\n\r\nb"},
        {"a\n\nb", "a\r\n\r\nb"},
        {"a\r\rb", "a\r\r\n\r\r\nb"},
    };
    for (const LineEndCase& c : cases)
        EXPECT_STREQ(c.stored, CServiceFile::MendLineEnds(c.downloaded)) << c.downloaded;
}

class ServiceFileDownload : public ServiceSandbox {};

TEST_F(ServiceFileDownload, ReadsTheSameValuesWhateverLineEndsTheServerSends) {
    const char* files[] = {"[Update]\nVersion=1.3\nMessage=A\\nB\n",
                           "[Update]\r\nVersion=1.3\r\nMessage=A\\nB\r\n",
                           "[Update]\rVersion=1.3\rMessage=A\\nB\r"};
    CServiceState::SetServiceID("vantrel", "Vantrel");
    for (const char* file : files) {
        PublishServiceFile(file);
        ASSERT_TRUE(CServiceFile::Download());
        EXPECT_STREQ("1.3", CServiceFile::Read("Update", "Version")) << file;
        EXPECT_STREQ("A\\nB", CServiceFile::Read("Update", "Message")) << file;
    }
}

TEST_F(ServiceFileDownload, AsksWithTheQueryOfTheHostEncodedForTheServer) {
    WriteVersionCfg("[Application]\r\nVersion=v1.20\r\nMinor=3\r\n");
    CServiceState::SetServiceID("vantrel", "바로 청소 & 정리");
    PublishServiceFile("[Update]\r\nVersion=1.3\r\n");
    ASSERT_TRUE(CServiceFile::Download());

    std::vector<MakerSite::Request> asked = MakerSite::RequestsFor(kServiceFilePath);
    ASSERT_EQ(1u, asked.size());
    std::map<std::string, std::string>& query = asked[0].query;
    EXPECT_EQ("vantrel", query["id"]);
    EXPECT_EQ("바로 청소 & 정리", query["app"]);
    EXPECT_EQ("v1.20(3)", query["ver"]);
    std::string guid = FileProbe::ReadBytes(CServiceState::GuidPath());
    EXPECT_NE(std::string::npos, guid.find("V=" + query["guid"])) << guid;
    EXPECT_EQ(36u, query["guid"].size());
    EXPECT_FALSE(query["os"].empty());
}

TEST_F(ServiceFileDownload, DebugModeAsksForThePreviewFile) {
    WriteVersionCfg("[Debug]\r\nMode=1\r\n");
    CServiceState::SetServiceID("vantrel", "Vantrel");
    ASSERT_TRUE(MakerSite::Put("appservice/vantrel/kor/_preview.service.ini.htm", "[Update]\r\nVersion=9\r\n"));
    ASSERT_TRUE(CServiceFile::Download());
    EXPECT_EQ(1u, MakerSite::RequestsFor("/appservice/vantrel/kor/_preview.service.ini.htm").size());
    EXPECT_STREQ("9", CServiceFile::Read("Update", "Version"));
}

// A host main window with the service window in it, started as the host starts it; the
// ten-second start timer is fired at once.
class ServiceWindowStart : public ServiceSandbox {
protected:
    void SetUp() override {
        ServiceSandbox::SetUp();
        ASSERT_TRUE(m_host.CreateEx(0, "STATIC", "host", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    }
    void CreateService() {
        m_service = std::make_unique<CAPPCommonServiceWnd>();
        m_service->SetServiceID("vantrel", "Vantrel");
        m_service->SetMakeServiceLog(1);
        ASSERT_TRUE(m_service->Create(m_host, nullptr));
    }
    void StartService() {
        ASSERT_NO_FATAL_FAILURE(CreateService());
        m_service->SendMessage(WM_TIMER, CAPPCommonServiceWnd::kStartTimer);
    }
    // A new start of the host: a new process knows nothing of the last one.
    void Restart() {
        m_service.reset();
        CServiceState::Reset();
        MakerSite::ClearRequests();
        StartService();
    }
    bool UsageLogArrives(DWORD limitMs = 10000) {
        return PumpUntil([] { return !MakerSite::RequestsFor(kLogPath).empty(); }, limitMs);
    }
    void TearDown() override {
        m_service.reset();
        m_host.DestroyWindow();
        ServiceSandbox::TearDown();
    }

    CWnd m_host;
    std::unique_ptr<CAPPCommonServiceWnd> m_service;
};

TEST_F(ServiceWindowStart, LogsTheFirstStartWithFirstAndTheNextWithout) {
    PublishServiceFile("[MAINAD]\r\nVER=1\r\n");
    ASSERT_NO_FATAL_FAILURE(StartService());
    ASSERT_TRUE(UsageLogArrives());
    MakerSite::Request first = MakerSite::RequestsFor(kLogPath)[0];
    EXPECT_EQ("1", first.query["first"]);
    EXPECT_EQ("vantrel", first.query["id"]);
    CString date = CUtilityLib::GetPrivateProfileStringA("Application", "Date", CServiceState::ConfigPath());
    EXPECT_EQ(10, date.GetLength()) << (const char*)date;
    EXPECT_EQ('-', date[4]);

    ASSERT_NO_FATAL_FAILURE(Restart());
    ASSERT_TRUE(UsageLogArrives());
    MakerSite::Request next = MakerSite::RequestsFor(kLogPath)[0];
    EXPECT_EQ(0u, next.query.count("first"));
    EXPECT_EQ("vantrel", next.query["id"]);
}

TEST_F(ServiceWindowStart, SeveralServiceWindowsOfOneProcessLogOnce) {
    PublishServiceFile("[MAINAD]\r\nVER=1\r\n");
    ASSERT_NO_FATAL_FAILURE(StartService());
    CAPPCommonServiceWnd second;
    second.SetServiceID("vantrel", "Vantrel");
    second.SetMakeServiceLog(1);
    ASSERT_TRUE(second.Create(m_host, nullptr));
    second.SendMessage(WM_TIMER, CAPPCommonServiceWnd::kStartTimer);
    ASSERT_TRUE(PumpUntil([] { return MakerSite::RequestsFor(kServiceFilePath).size() == 2; }, 10000));
    PumpFor(1000);
    EXPECT_EQ(1u, MakerSite::RequestsFor(kLogPath).size());
}

TEST_F(ServiceWindowStart, AServiceFileRefreshesTheAdvertsOfTheProcess) {
    PublishServiceFile("[MAINAD]\r\nVER=2\r\nIMAGE={{base}}/vantrel/mainad.gif\r\n");
    // A template control waits for the service file rather than fetching at once.
    CAPPMainAdCtrl advert("");
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_host, nullptr, nullptr, nullptr);
    ASSERT_TRUE(advert.SubclassWindow(window));
    ASSERT_NO_FATAL_FAILURE(StartService());
    EXPECT_TRUE(PumpUntil([] { return !MakerSite::RequestsFor("/vantrel/mainad.gif").empty(); }, 10000));
    advert.DestroyWindow();
}

TEST_F(ServiceWindowStart, TheUsersUpdateCheckSaysInItsOwnWordsWhyThereIsNothingToDo) {
    WriteVersionCfg("[Application]\r\nVersion=1.3\r\n");
    ASSERT_NO_FATAL_FAILURE(CreateService());
    MessageBoxRecorder boxes(GetModuleHandleA("Selkor.dll"));
    ASSERT_TRUE(boxes.IsReady());

    WithdrawServiceFile();
    EXPECT_EQ(0, m_service->CheckVersionAlarm(m_host));
    EXPECT_STREQ("업데이트 정보를 얻어오지 못했습니다.", boxes.text);
    EXPECT_STREQ("알림", boxes.caption);

    PublishServiceFile("[Update]\r\nVersion=1.3\r\nMessage=new\r\n");
    EXPECT_EQ(1, m_service->CheckVersionAlarm(m_host));
    EXPECT_STREQ("자동 업데이트로 등록된 최신 버젼이 없습니다.", boxes.text);
    EXPECT_EQ(2, boxes.Count());
}

TEST_F(ServiceWindowStart, AboutBoxSpeaksTheServicesOwnKoreanTexts) {
    WriteVersionCfg("[Application]\r\nVersion=v1.0.0\r\n");
    PublishServiceFile("[About]\r\nURL={{base}}/vantrel/about.htm\r\n");
    ASSERT_NO_FATAL_FAILURE(CreateService());
    m_service->SetServiceID("vantrel", "반트렐");
    ASSERT_TRUE(CServiceFile::Download());
    CString title;
    ModalProbe probe([&](HWND about) {
        char text[128] = {};
        GetWindowTextA(about, text, sizeof text);
        title = text;
        WindowShot::Save(about, "about-box");
    });
    probe.Run([&] { m_service->ShowAboutDialog(nullptr); });
    EXPECT_TRUE(probe.inspected);
    EXPECT_STREQ("[반트렐]에 대하여...", title);
}

TEST_F(ServiceWindowStart, TriesAgainWhileTheServerRefusesAndGoesOnOnceItAnswers) {
    PublishServiceFile("[MAINAD]\r\nVER=1\r\n");
    ASSERT_TRUE(MakerSite::GoOffline(3000));
    ASSERT_NO_FATAL_FAILURE(StartService());
    ASSERT_TRUE(UsageLogArrives(kRetryLimitMs)) << "no retry reached the server";
    EXPECT_TRUE(CServiceState::IsServiceFileAvailable());
    EXPECT_STREQ("1", CServiceFile::Read("MAINAD", "VER"));
}

TEST_F(ServiceWindowStart, AnOldServiceFileWithAnAdvertVersionCountsWhenTheServerHasNone) {
    WithdrawServiceFile();
    ASSERT_TRUE(FileProbe::WriteBytes(CServiceState::ServiceIniPath(), "[MAINAD]\r\nVER=7\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartService());
    EXPECT_TRUE(UsageLogArrives());
    EXPECT_TRUE(CServiceState::IsServiceFileAvailable());
}

TEST_F(ServiceWindowStart, AnOldServiceFileWithoutAnAdvertVersionDoesNot) {
    WithdrawServiceFile();
    ASSERT_TRUE(FileProbe::WriteBytes(CServiceState::ServiceIniPath(), "[MAINAD]\r\nIMAGE=x.gif\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartService());
    ASSERT_TRUE(PumpUntil([] { return !MakerSite::RequestsFor(kServiceFilePath).empty(); }, 10000));
    PumpFor(1000);
    EXPECT_FALSE(CServiceState::IsServiceFileAvailable());
    EXPECT_TRUE(MakerSite::RequestsFor(kLogPath).empty());
}

}  // namespace
