#include <gtest/gtest.h>

#include <string>

#include "HTMLStatic.h"
#include "MakerSite.h"
#include "MessagePump.h"
#include "ShellExecuteRecorder.h"
#include "browser/WebBrowserHost.h"

namespace {

const CRect kHostRect(10, 10, 390, 290);

class RecordingListener : public CWebBrowserHost::Listener {
public:
    void OnPageShown(bool fallback) override {
        ++shown;
        shownAsFallback = fallback;
    }
    void OnPageCloseRequest() override { ++closeRequests; }

    int shown = 0;
    bool shownAsFallback = false;
    int closeRequests = 0;
};

class WebBrowserHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ASSERT_TRUE(MakerSite::Put("notice/host.htm", "<html><body>notice page</body></html>"));
        MakerSite::ClearRequests();
        parent.Attach(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                                      nullptr, nullptr, nullptr));
        ASSERT_TRUE(parent.GetSafeHwnd() != nullptr);
        ASSERT_TRUE(host.Create(&parent, kHostRect, 5, &listener));
    }
    void TearDown() override {
        host.DestroyWindow();
        parent.DestroyWindow();
    }

    std::string PageAddress() const { return MakerSite::BaseUrl() + "/notice/host.htm"; }

    // Navigates and waits until the page reached the server or its address is shown instead.
    void Open() {
        host.Navigate(PageAddress().c_str());
        const DWORD limitMs = host.IsShowingFallback() ? 0 : 5000;
        PumpUntil([] { return !MakerSite::RequestsFor("/notice/host.htm").empty(); }, limitMs);
    }

    static MSG Queued(HWND window, UINT message, WPARAM wParam) {
        MSG queued = {};
        queued.hwnd = window;
        queued.message = message;
        queued.wParam = wParam;
        return queued;
    }

    CHTMLStatic* Fallback() const {
        return dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(host.FallbackWindow()));
    }

    CWnd parent;
    CWebBrowserHost host;
    RecordingListener listener;
};

}  // namespace

TEST_F(WebBrowserHostTest, PageReachesTheServerOrItsAddressIsShownAsALinkOverTheWholeWindow) {
    Open();

    if (!host.IsShowingFallback()) {
        EXPECT_EQ(1u, MakerSite::RequestsFor("/notice/host.htm").size());
        return;
    }
    ASSERT_NE(nullptr, Fallback());
    CString text;
    Fallback()->GetWindowTextA(text);
    const std::string address = PageAddress();
    EXPECT_EQ("#255,255,255#<a href=\"" + address + "\"><font color=blue><u>" + address + "</u></font></a>",
              std::string(text));
    CRect fallbackRect;
    ::GetClientRect(host.FallbackWindow(), fallbackRect);
    EXPECT_EQ(CRect(0, 0, 380, 280), fallbackRect);
    EXPECT_TRUE(::IsWindowVisible(host.FallbackWindow()));
    EXPECT_EQ(1, listener.shown);
    EXPECT_TRUE(listener.shownAsFallback);
}

TEST_F(WebBrowserHostTest, FallbackFollowsTheHostsSize) {
    Open();
    if (!host.IsShowingFallback())
        GTEST_SKIP() << "the browser shows the page itself here";

    host.MoveWindow(0, 0, 200, 120);

    CRect fallbackRect;
    ::GetClientRect(host.FallbackWindow(), fallbackRect);
    EXPECT_EQ(CRect(0, 0, 200, 120), fallbackRect);
}

TEST_F(WebBrowserHostTest, ClickOnTheAddressOpensItInTheSystemBrowser) {
    Open();
    if (!host.IsShowingFallback())
        GTEST_SKIP() << "the browser shows the page itself here";
    ShellExecuteRecorder shell("Tovrin.dll");
    ASSERT_TRUE(shell.IsActive());
    const CRect link = Fallback()->GetBoundingRect();
    ASSERT_FALSE(link.IsRectEmpty());
    const LPARAM at = MAKELPARAM(link.left + 3, (link.top + link.bottom) / 2);

    Fallback()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Fallback()->SendMessage(WM_LBUTTONUP, 0, at);

    ASSERT_EQ(1, shell.calls);
    EXPECT_STREQ("open", shell.verb);
    EXPECT_STREQ(PageAddress().c_str(), shell.parameters);
    EXPECT_EQ(SW_SHOW, shell.show);
}

TEST(WebBrowserHost, FallbackLinkEscapesTheShownTextAndTheTarget) {
    EXPECT_EQ(CString("#255,255,255#<a href=\"http://a.invalid/?q=%22x%22&r=%3Cb%3E\">"
                      "<font color=blue><u>http://a.invalid/?q=\"x\"&amp;r=&lt;b&gt;</u></font></a>"),
              CWebBrowserHost::FallbackMarkup("http://a.invalid/?q=\"x\"&r=<b>"));
}

TEST_F(WebBrowserHostTest, RightClicksAndControlKeysInsideAreSwallowedOthersPassOn) {
    Open();
    const HWND inside = host.IsShowingFallback() ? host.FallbackWindow() : host.m_hWnd;
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    BYTE state[256];
    memcpy(state, saved, sizeof state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);

    MSG rightClick = Queued(inside, WM_RBUTTONDOWN, MK_RBUTTON);
    MSG leftClick = Queued(inside, WM_LBUTTONDOWN, MK_LBUTTON);
    MSG controlN = Queued(inside, WM_KEYDOWN, 'N');
    MSG controlA = Queued(host.m_hWnd, WM_KEYDOWN, 'A');
    MSG rightClickOutside = Queued(parent.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON);
    const BOOL rightClickEaten = host.PreTranslateMessage(&rightClick);
    const BOOL leftClickEaten = host.PreTranslateMessage(&leftClick);
    const BOOL controlNEaten = host.PreTranslateMessage(&controlN);
    const BOOL controlAEaten = host.PreTranslateMessage(&controlA);
    const BOOL outsideEaten = host.PreTranslateMessage(&rightClickOutside);
    SetKeyboardState(saved);

    EXPECT_TRUE(rightClickEaten);
    EXPECT_FALSE(leftClickEaten);
    EXPECT_TRUE(controlNEaten);
    EXPECT_FALSE(controlAEaten);
    EXPECT_FALSE(outsideEaten);
}
