#include <gtest/gtest.h>

#include <string>

#include "HTMLStatic.h"
#include "Language.h"
#include "MakerSite.h"
#include "ModalProbe.h"
#include "ServiceFiles.h"
#include "about/AboutDlg.h"
#include "about/AboutIds.h"

namespace {

CString TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

CString MarkupOf(HWND dialog, int id) {
    CString text;
    if (auto* html = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, id))))
        html->GetWindowTextA(text);
    return text;
}

CRect ChildRect(HWND dialog, HWND child) {
    CRect rect;
    GetWindowRect(child, rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What the about box showed while it was open.
struct AboutView {
    CString title, subject, version, home, browserMarkup;
    bool frameVisible = true, connectingVisible = true;
    CRect frameRect, browserRect;
};

AboutView ShowAbout(const char* displayName) {
    AboutView view;
    ModalProbe probe([&](HWND dialog) {
        view.title = TextOf(dialog);
        view.subject = MarkupOf(dialog, IDC_ABOUT_SUBJECT);
        view.version = TextOf(GetDlgItem(dialog, IDC_ABOUT_VERSION));
        view.home = MarkupOf(dialog, IDC_ABOUT_HOME);
        const HWND frame = GetDlgItem(dialog, IDC_ABOUT_FRAME);
        view.frameVisible = IsWindowVisible(frame);
        view.connectingVisible = IsWindowVisible(GetDlgItem(dialog, IDC_ABOUT_CONNECTING));
        view.frameRect = ChildRect(dialog, frame);
        auto* about = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(dialog));
        if (about) {
            view.browserRect = ChildRect(dialog, about->Browser().m_hWnd);
            if (auto* link = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(about->Browser().FallbackWindow())))
                link->GetWindowTextA(view.browserMarkup);
        }
    });
    probe.Run([&] { CAboutDlg::Run(nullptr, displayName, LoadIcon(nullptr, IDI_APPLICATION)); });
    EXPECT_TRUE(probe.inspected);
    EXPECT_TRUE(probe.closedByCloseAll);
    return view;
}

}  // namespace

TEST(AboutDlg, ShowsTitleNameVersionAndHomeFromTheLanguageTableAndVersionCfg) {
    ServiceFiles files;
    files.WriteServiceIni("[About]\r\nURL=http://maker.invalid/about.htm\r\n");
    VersionCfgFile version("[Application]\r\nVersion=v1.20\r\nMinor=3\r\n");
    CLanguage::AddMsgText("ABOUT_PROGRAM", "[%s]에 대하여...");
    CLanguage::AddMsgText("ABOUT_SUBJECT", "<font size=5><b>%s</b></font>");
    CLanguage::AddMsgText("ABOUT_HOME", "<a href=\"http://maker.invalid/\">maker.invalid</a>");

    const AboutView view = ShowAbout("반트렐");

    EXPECT_EQ(CString("[반트렐]에 대하여..."), view.title);
    EXPECT_EQ(CString("<font size=5><b>반트렐</b></font>"), view.subject);
    EXPECT_EQ(CString("v1.20"), view.version);
    EXPECT_EQ(CString("<a href=\"http://maker.invalid/\">maker.invalid</a>"), view.home);
}

TEST(AboutDlg, ShownPageTakesTheFramesPlaceAndTheConnectingTextHides) {
    ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
    ASSERT_TRUE(MakerSite::Put("about/vantrel.htm", "<html><body>Vantrel</body></html>"));
    ServiceFiles files;
    const std::string address = MakerSite::BaseUrl() + "/about/vantrel.htm";
    files.WriteServiceIni("[About]\r\nURL=" + address + "\r\n");

    const AboutView view = ShowAbout("Vantrel");

    EXPECT_FALSE(view.frameVisible);
    EXPECT_FALSE(view.connectingVisible);
    EXPECT_FALSE(view.frameRect.IsRectEmpty());
    EXPECT_EQ(view.frameRect, view.browserRect);
    // Without an HTML engine the page's address stands in the frame as a link.
    if (!view.browserMarkup.IsEmpty()) {
        const std::string link = "<a href=\"" + address + "\"><font color=blue><u>" + address + "</u></font></a>";
        EXPECT_EQ(CString(("#255,255,255#" + link).c_str()), view.browserMarkup);
    }
}

TEST(AboutDlg, WithoutAnAboutAddressTheBlankPageIsShown) {
    ServiceFiles files;
    files.WriteServiceIni("[Help]\r\nURL=http://maker.invalid/help.htm\r\n");

    const AboutView view = ShowAbout("Vantrel");

    if (!view.browserMarkup.IsEmpty()) {
        EXPECT_EQ(CString("#255,255,255#<a href=\"about:blank\"><font color=blue><u>about:blank</u></font></a>"),
                  view.browserMarkup);
    }
    EXPECT_EQ(view.frameRect, view.browserRect);
}

TEST(AboutDlg, DisplayNameReplacesEveryPlaceholderAndNoOtherPercentSequence) {
    CLanguage::AddMsgText("ABOUT_TEST_PERCENT", "%d%% %s, %s");
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {
        {"ABOUT_TEST_PERCENT", "%d%% 반트렐, 반트렐"},
        {"ABOUT_TEST_MISSING_%s", "ABOUT_TEST_MISSING_반트렐"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.expected), CAboutDlg::WithName(c.key, "반트렐")) << c.key;
}
