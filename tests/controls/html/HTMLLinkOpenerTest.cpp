#include <gtest/gtest.h>

#include "HTMLLinkOpener.h"
#include "LinkMainWindow.h"
#include "Mbcs.h"

TEST(HTMLLinkOpener, CommandLinkIsPostedAsACopyTheReceiverFreesWithLocalFree) {
    LinkMainWindow main;
    ShellExecuteRecorder shell("Tovrin.dll");
    char target[] = "ReRu://Run";

    FollowHTMLLink(nullptr, target);
    target[0] = 'X';

    MSG posted = {};
    ASSERT_TRUE(main.TakePosted(kHTMLCommandLinkMessage, posted));
    EXPECT_EQ(0u, posted.wParam);
    char* copy = reinterpret_cast<char*>(posted.lParam);
    EXPECT_STREQ("ReRu://Run", copy);
    EXPECT_TRUE(LocalFree(copy) == nullptr);
    EXPECT_FALSE(main.TakePosted(kHTMLCommandLinkMessage, posted));
    EXPECT_EQ(0, main.openLinkCount);
    EXPECT_EQ(0, shell.calls);
}

TEST(HTMLLinkOpener, LinkTheMainWindowLeavesOpensInInternetExplorer) {
    LinkMainWindow main;
    ShellExecuteRecorder shell("Tovrin.dll");
    ASSERT_TRUE(shell.IsActive());
    main.answer = 0;

    FollowHTMLLink(main.Handle(), "http://example.invalid/");

    EXPECT_EQ(1, main.openLinkCount);
    ASSERT_EQ(1, shell.calls);
    EXPECT_STREQ("open", shell.verb);
    EXPECT_EQ(FindInternetExplorerProgram(), shell.file);
    EXPECT_STREQ("http://example.invalid/", shell.parameters);
    EXPECT_EQ(SW_SHOW, shell.show);
}

TEST(HTMLLinkOpener, WithoutAMainWindowTheLinkStillOpens) {
    ShellExecuteRecorder shell("Tovrin.dll");
    ASSERT_TRUE(shell.IsActive());

    FollowHTMLLink(nullptr, "http://example.invalid/");

    EXPECT_EQ(1, shell.calls);
}

TEST(HTMLLinkOpener, InternetExplorerIsFoundThroughItsComRegistration) {
    const CString program = FindInternetExplorerProgram();

    ASSERT_FALSE(program.IsEmpty());
    EXPECT_EQ(-1, program.Find('"'));
    EXPECT_EQ(0, Mbcs::CompareNoCase(program.Right(12), "iexplore.exe")) << static_cast<const char*>(program);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(program));
}
