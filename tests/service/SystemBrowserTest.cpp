#include <gtest/gtest.h>

#include "ServiceFiles.h"
#include "ShellExecuteLog.h"
#include "about/HelpPage.h"
#include "browser/SystemBrowser.h"

TEST(SystemBrowser, NavigationsBeforeTheFirstPageLoadedStayInsideLaterOnesGoOutside) {
    ShellExecuteLog shell("Selkor.dll");
    ASSERT_TRUE(shell.IsActive());
    CBrowserNavigation navigation;

    const bool firstCancelled = navigation.Divert("http://first.invalid/page.htm");
    const bool frameCancelled = navigation.Divert("http://first.invalid/frame.htm");
    navigation.FirstPageLoaded();
    const bool clickCancelled = navigation.Divert("http://elsewhere.invalid/a?b=1&c=2");

    EXPECT_FALSE(firstCancelled);
    EXPECT_FALSE(frameCancelled);
    EXPECT_TRUE(clickCancelled);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("open", shell.calls[0].verb);
    EXPECT_EQ("http://elsewhere.invalid/a?b=1&c=2", shell.calls[0].file);
    EXPECT_EQ("", shell.calls[0].parameters);
    EXPECT_EQ(SW_SHOW, shell.calls[0].show);
}

TEST(SystemBrowser, EmptyAddressOpensNothing) {
    ShellExecuteLog shell("Selkor.dll");
    ASSERT_TRUE(shell.IsActive());

    OpenInSystemBrowser("");
    OpenInSystemBrowser(nullptr);

    EXPECT_TRUE(shell.calls.empty());
}

TEST(HelpPage, OpensTheHelpAddressOfTheServiceFileElseAboutBlank) {
    struct Case {
        const char* serviceIni;
        const char* opened;
    } cases[] = {
        {"[Help]\r\nURL=http://maker.invalid/help.htm\r\n", "http://maker.invalid/help.htm"},
        {"[Help]\r\nURL=\r\n[About]\r\nURL=http://maker.invalid/about.htm\r\n", "about:blank"},
        {"", "about:blank"},
    };
    for (const Case& c : cases) {
        ServiceFiles files;
        files.WriteServiceIni(c.serviceIni);
        ShellExecuteLog shell("Selkor.dll");
        ASSERT_TRUE(shell.IsActive());

        OpenHelpPage();

        ASSERT_EQ(1u, shell.calls.size()) << c.serviceIni;
        EXPECT_EQ("open", shell.calls[0].verb);
        EXPECT_EQ(c.opened, shell.calls[0].file);
        EXPECT_EQ(SW_SHOW, shell.calls[0].show);
    }
}
