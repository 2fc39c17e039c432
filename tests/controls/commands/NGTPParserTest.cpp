#include <gtest/gtest.h>

#include <memory>

#include "NGTPParser.h"

TEST(NGTPParser, IsCommandComparesWithoutCase) {
    const struct {
        const char* command;
        const char* asked;
        bool expected;
    } cases[] = {
        {"CloseWindow", "closewindow", true},
        {"CloseWindow", "CLOSEWINDOW", true},
        {"CloseWindow", "CloseWindow", true},
        {"CloseWindow", "Close", false},
        {"CloseWindow", "CloseWindows", false},
        {"CloseWindow", "", false},
        {"창닫기", "창닫기", true},
        {"창닫기", "창열기", false},
    };
    for (const auto& c : cases) {
        const CNGTPParser packet("from", "to", c.command);
        EXPECT_EQ(c.expected, packet.IsCommand(c.asked)) << c.command << " / " << c.asked;
    }
}

TEST(NGTPParser, ACloneCarriesEveryFieldAndValueAndIsIndependent) {
    CNGTPParser packet("maindlg", "tray", "CloseWindow");
    packet.SetReturn("reply-7");
    packet.SetString("caller", "QueryEndSession");
    packet.SetInt("delay", 500);

    std::unique_ptr<CNGTPParser> clone(packet.Clone());
    clone->SetString("caller", "changed");
    clone->SetCommand("Other");

    EXPECT_STREQ("maindlg", clone->GetFrom());
    EXPECT_STREQ("tray", clone->GetTo());
    EXPECT_STREQ("reply-7", clone->GetReturn());
    EXPECT_EQ(500, clone->GetInt("delay"));
    EXPECT_STREQ("changed", clone->GetString("caller"));
    EXPECT_STREQ("QueryEndSession", packet.GetString("caller"));
    EXPECT_STREQ("CloseWindow", packet.GetCommand());
}

TEST(NGTPParser, AValueReadAsTheOtherTypeOrMissingGivesTheDefault) {
    CNGTPParser packet;
    packet.SetString("text", "12");
    packet.SetInt("number", 12);
    packet.SetInt("replaced", 3);
    packet.SetString("replaced", "now text");

    EXPECT_EQ(-1, packet.GetInt("text", -1));
    EXPECT_STREQ("none", packet.GetString("number", "none"));
    EXPECT_STREQ("none", packet.GetString("missing", "none"));
    EXPECT_EQ(-1, packet.GetInt("replaced", -1));
    EXPECT_STREQ("now text", packet.GetString("replaced"));
    EXPECT_TRUE(packet.HasValue("number"));
    EXPECT_FALSE(packet.HasValue("Number")) << "keys compare with case";
}
