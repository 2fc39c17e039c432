#include <string>

#include "AdvertFixture.h"
#include "CrashLog.h"
#include "ShellExecuteRecorder.h"
#include "WindowShot.h"

using FileProbe::Exists;
using FileProbe::ReadBytes;

TEST_F(AdvertTest, DownloadsOnlyWhenTheCachedVersionDiffersOrItsFileIsMissing) {
    // The cache holds the small picture, the server the big one: the control's size tells which is shown.
    struct Case {
        const char* cachedVersion;
        const char* serverVersion;
        bool cacheFile;
        size_t requests;
        const char* versionAfter;
        LONG widthShown;
    };
    const Case cases[] = {
        {"Ab3", "aB3", true, 0, "Ab3", 8},
        {"2", "3", true, 1, "3", 40},
        {"3", "3", false, 1, "3", 40},
        {"", "7", true, 1, "7", 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cachedVersion) + " / " + c.serverVersion);
        WriteServiceFile(std::string("[MAINAD]\r\nVER=") + c.serverVersion + "\r\nIMAGE=" + ImageUrl("/ad/big.gif") +
                         "\r\nURL=http://ads.example/page\r\n");
        CUtilityLib::WritePrivateProfileStringA("MAINAD", "VER", c.cachedVersion, ConfigIni());
        ::DeleteFileA(DefaultCache());
        if (c.cacheFile)
            WriteCache(DefaultCache(), IDI_THREE_FRAMES_GIF);
        MakerSite::ClearRequests();
        CCrashLog::Set("before");

        CAPPMainAdCtrl ad;
        Create(ad);
        ASSERT_TRUE(WaitForRefresh(ad));

        EXPECT_EQ(MakerSite::RequestsFor("/ad/big.gif").size(), c.requests);
        EXPECT_STREQ(CachedVersion("MAINAD"), c.versionAfter);
        EXPECT_TRUE(IsShown(ad));
        EXPECT_EQ(RectInHost(ad).Width(), c.widthShown);
        if (c.requests == 1) {
            EXPECT_EQ(ReadBytes(DefaultCache()), Bytes(IDI_SPINNER_GIF));
            EXPECT_EQ(std::string(CCrashLog::GetPrev()), "MainAdDownload 1 :" + ImageUrl("/ad/big.gif"));
            EXPECT_STREQ(CCrashLog::Get(), "");
        } else {
            EXPECT_STREQ(CCrashLog::Get(), "before") << "no breadcrumb without a download";
        }
    }
}

TEST_F(AdvertTest, ServiceFileWithoutImageLeavesTheControlHidden) {
    WriteServiceFile("[MAINAD]\r\nVER=4\r\nURL=http://ads.example/page\r\nTimerSec=60\r\n");
    CAPPMainAdCtrl ad;
    Create(ad);
    ASSERT_TRUE(WaitForRefresh(ad));
    EXPECT_FALSE(IsShown(ad));
    EXPECT_FALSE(ad.HasPicture());
    EXPECT_FALSE(Exists(DefaultCache()));
    EXPECT_STREQ(CachedVersion("MAINAD"), "");
    EXPECT_TRUE(MakerSite::Requests().empty());
}

TEST_F(AdvertTest, NothingIsFetchedWhileTheServiceFileIsUnavailable) {
    CServiceState::SetServiceFileAvailable(false);
    WriteServiceFile("[MAINAD]\r\nVER=4\r\nIMAGE=" + ImageUrl("/ad/big.gif") + "\r\n");
    CAPPMainAdCtrl ad;
    Create(ad);
    EXPECT_EQ(ad.GetWorkerThread(), nullptr);
    ad.SendMessage(CAPPMainAdCtrl::kRefreshNow);
    ad.SendMessage(WM_TIMER, CAPPMainAdCtrl::kRefreshTimer);
    EXPECT_EQ(ad.GetWorkerThread(), nullptr);
    PumpFor(100);
    EXPECT_FALSE(IsShown(ad));
    EXPECT_TRUE(MakerSite::Requests().empty());
}

TEST_F(AdvertTest, AlignedEdgeStaysWhereTheTemplatePutItWhenTheImageChangesTheWidth) {
    struct Case {
        bool right;
        CRect withBig;
        CRect withSmall;
    };
    const Case cases[] = {
        {true, CRect(160, 10, 200, 50), CRect(192, 10, 200, 16)},
        {false, CRect(100, 10, 140, 50), CRect(100, 10, 108, 16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.right ? "right" : "left");
        ::DeleteFileA(DefaultCache());
        WriteServiceFile("[MAINAD]\r\nVER=1\r\nIMAGE=" + ImageUrl("/ad/big.gif") + "\r\n");
        CAPPMainAdCtrl ad;
        if (c.right)
            ad.AlignRight();
        Create(ad, CRect(100, 10, 200, 50));
        ASSERT_TRUE(WaitForRefresh(ad));
        EXPECT_EQ(RectInHost(ad), c.withBig);

        // The hourly timer brings the next version, of another width.
        WriteServiceFile("[MAINAD]\r\nVER=2\r\nIMAGE=" + ImageUrl("/ad/small.gif") + "\r\n");
        ad.SendMessage(WM_TIMER, CAPPMainAdCtrl::kRefreshTimer);
        ASSERT_TRUE(WaitForRefresh(ad));
        EXPECT_EQ(RectInHost(ad), c.withSmall);
        EXPECT_EQ(MakerSite::RequestsFor("/ad/small.gif").size(), 1u);
        MakerSite::ClearRequests();
    }
}

TEST_F(AdvertTest, HandCursorAndClickOnlyWithAClickAddress) {
    struct Case {
        const char* url;
        bool hand;
        int opened;
    };
    const Case cases[] = {{"", false, 0}, {"http://ads.example/page?id=7", true, 1}};
    const HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        WriteServiceFile("[MAINAD]\r\nVER=1\r\nIMAGE=" + ImageUrl("/ad/small.gif") + "\r\nURL=" + c.url + "\r\n");
        CUtilityLib::WritePrivateProfileStringA("MAINAD", "VER", "", ConfigIni());
        CAPPMainAdCtrl ad;
        Create(ad);
        ASSERT_TRUE(WaitForRefresh(ad));
        ASSERT_TRUE(IsShown(ad));

        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        ad.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(ad.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor() == hand, c.hand);

        ShellExecuteRecorder shell("Selkor.dll");
        ASSERT_TRUE(shell.IsActive());
        ad.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        EXPECT_EQ(shell.calls, c.opened);
        if (c.opened) {
            EXPECT_STREQ(shell.verb, "open");
            EXPECT_STREQ(shell.file, c.url);
            EXPECT_EQ(shell.show, SW_SHOW);
        }
    }
}

TEST_F(AdvertTest, TemplateControlShowsItsCachedImageWithoutARequest) {
    WriteServiceFile("[MAINAD]\r\nVER=9\r\nIMAGE=" + ImageUrl("/ad/big.gif") + "\r\n");
    WriteCache(DefaultCache(), IDI_THREE_FRAMES_GIF);
    CAPPMainAdCtrl ad;
    ad.AlignRight();
    Subclass(ad);
    EXPECT_TRUE(PumpUntil([&] { return IsShown(ad); }));
    EXPECT_EQ(RectInHost(ad), CRect(192, 10, 200, 16));
    EXPECT_EQ(ad.GetWorkerThread(), nullptr) << "a template control waits for its first refresh";
    EXPECT_TRUE(MakerSite::Requests().empty());
}

TEST_F(AdvertTest, AdUpdateNowRefreshesEveryControl) {
    WriteServiceFile("[MAINAD]\r\nVER=1\r\nIMAGE=" + ImageUrl("/ad/big.gif") + "\r\n[MAINAD.RECOVER]\r\nVER=1\r\nIMAGE=" +
                     ImageUrl("/ad/small.gif") + "\r\n");
    CAPPMainAdCtrl main;
    CAPPMainAdCtrl recover("RECOVER");
    Subclass(main);
    Subclass(recover, CRect(0, 60, 100, 100));
    {
        CAPPMainAdCtrl gone("CLOSE");
        Subclass(gone);
    }
    PumpFor(100);
    ASSERT_FALSE(IsShown(main));
    ASSERT_FALSE(IsShown(recover));

    CAPPMainAdCtrl::AdUpdateNow();
    EXPECT_TRUE(PumpUntil([&] { return IsShown(main) && IsShown(recover); }, 10000));
    EXPECT_TRUE(WaitForRefresh(main));
    EXPECT_TRUE(WaitForRefresh(recover));
    EXPECT_EQ(MakerSite::RequestsFor("/ad/big.gif").size(), 1u);
    EXPECT_EQ(MakerSite::RequestsFor("/ad/small.gif").size(), 1u);
    EXPECT_EQ(RectInHost(recover), CRect(0, 60, 8, 66));
    WindowShot::Save(main, "advert-main");
    WindowShot::Save(recover, "advert-recover");
}

TEST_F(AdvertTest, NamedSectionIsCachedUnderItsLowerCaseName) {
    WriteServiceFile("[MAINAD.CLOSE]\r\nVER=5\r\nIMAGE=" + ImageUrl("/ad/small.gif") + "\r\n");
    CAPPMainAdCtrl ad("CLOSE");
    Create(ad);
    ASSERT_TRUE(WaitForRefresh(ad));

    // The names as the file system keeps them, whatever case they are asked for in.
    WIN32_FIND_DATAA found = {};
    HANDLE find = ::FindFirstFileA(AppData() + "\\IMAGE", &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    ::FindClose(find);
    EXPECT_STREQ(found.cFileName, "image");
    find = ::FindFirstFileA(AppData() + "\\image\\*.gif", &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "mainad.close.gif");
    EXPECT_FALSE(::FindNextFileA(find, &found));
    ::FindClose(find);
    EXPECT_EQ(ReadBytes(AppData() + "\\image\\mainad.close.gif"), Bytes(IDI_THREE_FRAMES_GIF));
    EXPECT_STREQ(CachedVersion("MAINAD.CLOSE"), "5");
    EXPECT_STREQ(CachedVersion("MAINAD"), "");
}
