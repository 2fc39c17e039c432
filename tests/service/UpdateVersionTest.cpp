#include <gtest/gtest.h>

#include "update/UpdateVersion.h"

namespace {

TEST(UpdateVersion, TheLocalVersionLosesOneLeadingVAndComparesAsADecimalNumber) {
    struct Case {
        const char* local;
        const char* server;
        bool older;
    } cases[] = {
        {"v1.20", "1.3", true},  // 1.20 < 1.3
        {"1.30", "1.3", false},
        {"1.3", "1.3", false},
        {"1.29", "1.3", true},
        {"v2", "10", true},  // numbers, not text
        {"vv1.0", "0.5", true},  // only one "v" goes: "v1.0" reads as 0
        {"", "0.01", true},
        {"0.00", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.older, CUpdateVersion::IsOlder(c.local, c.server)) << c.local << " vs " << c.server;
    EXPECT_STREQ("1.20", CUpdateVersion::WithoutPrefix("v1.20"));
    EXPECT_STREQ("v1.20", CUpdateVersion::WithoutPrefix("vv1.20"));
    EXPECT_STREQ("V1.20", CUpdateVersion::WithoutPrefix("V1.20"));
}

TEST(UpdateVersion, BackslashNRunsOfThreeTwoAndOneBecomeOneLineBreakEach) {
    struct Case {
        const char* message;
        const char* html;
    } cases[] = {
        {"A\\nB", "A<br>B"},
        {"A\\n\\nB", "A<br>B"},
        {"A\\n\\n\\nB", "A<br>B"},
        {"A\\n\\n\\n\\nB", "A<br><br>B"},
        {"A\\n\\n\\n\\n\\nB", "A<br><br>B"},
        {"한글\\n끝", "한글<br>끝"},
        {"no break", "no break"},
        {"A\nB", "A\nB"},  // a real line feed is no marker
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.html, CUpdateVersion::MessageAsHtml(c.message)) << c.message;
}

}  // namespace
