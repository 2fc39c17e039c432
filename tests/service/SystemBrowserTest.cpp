#include <gtest/gtest.h>

#include "ServiceFiles.h"
#include "ShellExecuteRecorder.h"
#include "about/HelpPage.h"
#include "browser/SystemBrowser.h"

TEST(SystemBrowser, NavigationsBeforeTheFirstPageLoadedStayInsideLaterOnesGoOutside) {
    ShellExecuteRecorder shell("Selkor.dll");
    ASSERT_TRUE(shell.IsActive());
    CBrowserNavigation navigation;

    const bool firstCancelled = navigation.Divert("http://first.invalid/page.htm");
    const bool frameCancelled = navigation.Divert("http://first.invalid/frame.htm");
    navigation.FirstPageLoaded();
    const bool clickCancelled = navigation.Divert("http://elsewhere.invalid/a?b=1&c=2");

    EXPECT_FALSE(firstCancelled);
    EXPECT_FALSE(frameCancelled);
    EXPECT_TRUE(clickCancelled);
    ASSERT_EQ(1, shell.calls);
    EXPECT_STREQ("open", shell.verb);
    EXPECT_STREQ("http://elsewhere.invalid/a?b=1&c=2", shell.file);
    EXPECT_STREQ("", shell.parameters);
    EXPECT_EQ(SW_SHOW, shell.show);
}

TEST(SystemBrowser, EmptyAddressOpensNothing) {
    ShellExecuteRecorder shell("Selkor.dll");
    ASSERT_TRUE(shell.IsActive());

    OpenInSystemBrowser("");
    OpenInSystemBrowser(nullptr);

    EXPECT_EQ(0, shell.calls);
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
        ShellExecuteRecorder shell("Selkor.dll");
        ASSERT_TRUE(shell.IsActive());

        OpenHelpPage();

        ASSERT_EQ(1, shell.calls) << c.serviceIni;
        EXPECT_STREQ("open", shell.verb);
        EXPECT_STREQ(c.opened, shell.file);
        EXPECT_EQ(SW_SHOW, shell.show);
    }
}
