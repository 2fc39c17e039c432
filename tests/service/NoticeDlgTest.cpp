#include <gtest/gtest.h>

#include <string>

#include "MakerSite.h"
#include "MessagePump.h"
#include "ModalProbe.h"
#include "ResizeDlg.h"
#include "ServiceDialogs.h"
#include "ServiceFiles.h"
#include "WindowShot.h"
#include "notice/NoticeDlg.h"

namespace {

class NoticeDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ASSERT_TRUE(MakerSite::Put("notice/today.htm", "<html><body>오늘의 알림</body></html>"));
    }
    void TearDown() override { CNoticeDlg::DestroyModeless(modeless); }

    std::string PageAddress() const { return MakerSite::BaseUrl() + "/notice/today.htm"; }
    void WriteNotice(const std::string& sizes) {
        files.WriteServiceIni("[POPUP]\r\nURL=" + PageAddress() + "\r\n" + sizes);
    }
    HWND ShowModeless(DWORD align = 0) { return CNoticeDlg::Show(nullptr, "", align, 0, nullptr, modeless); }

    static CSize ClientSize(HWND window) {
        CRect client;
        ::GetClientRect(window, client);
        return client.Size();
    }

    ServiceFiles files;
    HWND modeless = nullptr;
};

}  // namespace

TEST_F(NoticeDlgTest, SizeIsTheSectionsClientSizeOrNothingWithoutAnAddress) {
    files.WriteServiceIni(
        "[POPUP]\r\nURL=http://maker.invalid/n.htm\r\nClientCX=400\r\nClientCY=300\r\n"
        "[POPUP.event]\r\nURL=http://maker.invalid/e.htm\r\nClientCX=200\r\n"
        "[POPUP.nourl]\r\nClientCX=500\r\nClientCY=400\r\n");
    struct Case {
        const char* name;
        CSize size;
    } cases[] = {
        {nullptr, CSize(400, 300)}, {"", CSize(400, 300)}, {"event", CSize(200, 0)},
        {"nourl", CSize(0, 0)},     {"missing", CSize(0, 0)},
    };
    for (const Case& c : cases) {
        const CSize size = CNoticeDlg::ClientSizeOf(c.name);
        EXPECT_EQ(c.size.cx, size.cx) << (c.name ? c.name : "(null)");
        EXPECT_EQ(c.size.cy, size.cy) << (c.name ? c.name : "(null)");
    }
}

TEST_F(NoticeDlgTest, ModelessNoticeHasTheClientSizeLessOnePixelAndShowsItsPage) {
    WriteNotice("ClientCX=400\r\nClientCY=300\r\n");
    MakerSite::ClearRequests();

    const HWND notice = ShowModeless();
    ASSERT_TRUE(notice != nullptr);
    EXPECT_EQ(notice, modeless);
    EXPECT_TRUE(::IsWindowVisible(notice));
    const CSize client = ClientSize(notice);
    EXPECT_EQ(399, client.cx);
    EXPECT_EQ(299, client.cy);

    auto* dialog = dynamic_cast<CNoticeDlg*>(CWnd::FromHandlePermanent(notice));
    ASSERT_NE(nullptr, dialog);
    const CWebBrowserHost& browser = dialog->Browser();
    CRect browserRect;
    browser.GetClientRect(browserRect);
    EXPECT_EQ(CRect(0, 0, 399, 299), browserRect);
    if (browser.IsShowingFallback()) {
        CString text;
        dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(browser.FallbackWindow()))->GetWindowTextA(text);
        EXPECT_NE(-1, text.Find(PageAddress().c_str())) << (const char*)text;
    } else {
        EXPECT_TRUE(PumpUntil([] { return !MakerSite::RequestsFor("/notice/today.htm").empty(); }, 5000));
    }
    PumpFor(200);
    EXPECT_FALSE(WindowShot::Save(notice, "notice-window").empty());
}

TEST_F(NoticeDlgTest, WithoutBothSizesTheTemplateSizeStays) {
    WriteNotice("ClientCX=400\r\n");

    const HWND notice = ShowModeless();

    ASSERT_TRUE(notice != nullptr);
    // 320 x 240 dialog units of the template, whatever the font makes of them, never 399 x 0.
    const CSize client = ClientSize(notice);
    EXPECT_NE(399, client.cx);
    EXPECT_GT(client.cy, 100);
}

TEST_F(NoticeDlgTest, PlacementFlagsApplyToTheResizedWindow) {
    WriteNotice("ClientCX=300\r\nClientCY=200\r\n");
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));

    const HWND notice = ShowModeless(CResizeDlg::kAlignRight | CResizeDlg::kAlignBottom);

    ASSERT_TRUE(notice != nullptr);
    CRect window;
    ::GetWindowRect(notice, window);
    EXPECT_EQ(work.right, window.right);
    EXPECT_EQ(work.bottom, window.bottom);
    EXPECT_EQ(299, ClientSize(notice).cx);
}

TEST_F(NoticeDlgTest, NothingWhileAModelessNoticeIsOpenAndAgainOnceItIsGone) {
    WriteNotice("");
    const HWND first = ShowModeless();
    ASSERT_TRUE(first != nullptr);

    const HWND whileOpen = ShowModeless();
    const HWND modalWhileOpen = CNoticeDlg::Show(nullptr, "", 0, 1, nullptr, modeless);
    EXPECT_EQ(nullptr, whileOpen);
    EXPECT_EQ(nullptr, modalWhileOpen);
    EXPECT_EQ(first, modeless);

    ::DestroyWindow(first);
    const HWND again = ShowModeless();
    EXPECT_TRUE(again != nullptr);
    EXPECT_TRUE(::IsWindow(again));
    EXPECT_EQ(again, modeless);
}

TEST_F(NoticeDlgTest, NoAddressShowsNothing) {
    files.WriteServiceIni("[POPUP]\r\nClientCX=400\r\nClientCY=300\r\n"
                          "[POPUP.event]\r\nURL=http://maker.invalid/e.htm\r\n");
    ModalProbe probe([](HWND) {});

    const HWND shown = ShowModeless();
    probe.Run([&] { EXPECT_EQ(nullptr, CNoticeDlg::Show(nullptr, "", 0, 1, nullptr, modeless)); });

    EXPECT_EQ(nullptr, shown);
    EXPECT_EQ(nullptr, modeless);
    EXPECT_FALSE(probe.inspected);
}

TEST_F(NoticeDlgTest, ServiceWindowsCloseMessageEndsTheModelessNotice) {
    WriteNotice("");
    const HWND notice = ShowModeless();
    ASSERT_TRUE(notice != nullptr);

    CServiceDialogs::CloseAll();

    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(notice); }));
}

TEST_F(NoticeDlgTest, ModalNoticeRunsUntilTheCloseMessageAndIsNotRemembered) {
    WriteNotice("ClientCX=250\r\nClientCY=150\r\n");
    CSize client;
    ModalProbe probe([&](HWND dialog) { client = ClientSize(dialog); });
    HWND shown = reinterpret_cast<HWND>(1);

    probe.Run([&] { shown = CNoticeDlg::Show(nullptr, "", 0, 1, nullptr, modeless); });

    EXPECT_TRUE(probe.inspected);
    EXPECT_TRUE(probe.closedByCloseAll);
    EXPECT_EQ(nullptr, shown);
    EXPECT_EQ(nullptr, modeless);
    EXPECT_EQ(249, client.cx);
    EXPECT_EQ(149, client.cy);
}

TEST_F(NoticeDlgTest, DestroyingTheServiceWindowsNoticeForgetsIt) {
    WriteNotice("");
    const HWND notice = ShowModeless();
    ASSERT_TRUE(notice != nullptr);

    CNoticeDlg::DestroyModeless(modeless);

    EXPECT_FALSE(::IsWindow(notice));
    EXPECT_EQ(nullptr, modeless);
}

TEST_F(NoticeDlgTest, NamedNoticeReadsItsOwnSection) {
    files.WriteServiceIni("[POPUP]\r\nURL=\r\n[POPUP.event]\r\nURL=" + PageAddress() +
                          "\r\nClientCX=220\r\nClientCY=120\r\n");

    const HWND notice = CNoticeDlg::Show(nullptr, "event", 0, 0, nullptr, modeless);

    ASSERT_TRUE(notice != nullptr);
    EXPECT_EQ(219, ClientSize(notice).cx);
    EXPECT_EQ(119, ClientSize(notice).cy);
}
