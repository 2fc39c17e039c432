#include <gtest/gtest.h>

#include "CommandLine.h"

TEST(ArgumentsAfterProgramPath, SkipsAQuotedProgramPathWithBlanksInIt) {
    EXPECT_STREQ("/removeietempfiles",
                 ArgumentsAfterProgramPath("\"C:\\Program Files\\Vantrel\\Vantrel.exe\" /removeietempfiles"));
    EXPECT_STREQ("/a,b", ArgumentsAfterProgramPath("\"C:\\Program Files\\Vantrel\\Vantrel.exe\"/a,b"));
}

TEST(ArgumentsAfterProgramPath, SkipsAnUnquotedProgramPathUpToTheFirstBlank) {
    EXPECT_STREQ("/removeiecookies", ArgumentsAfterProgramPath("C:\\Vantrel\\Vantrel.exe /removeiecookies"));
    EXPECT_STREQ("startup now", ArgumentsAfterProgramPath("Vantrel.exe startup now"));
}

TEST(ArgumentsAfterProgramPath, KeepsAnUnquotedHangulPathWholeOutOfTheArguments) {
    EXPECT_STREQ("/removeiecookies", ArgumentsAfterProgramPath("C:\\프로그램\\바탕화면정리\\Vantrel.exe /removeiecookies"));
    EXPECT_STREQ("/x", ArgumentsAfterProgramPath("\"C:\\새 폴더\\Vantrel.exe\" /x"));
}

TEST(ArgumentsAfterProgramPath, StripsEveryBlankAndTabBeforeTheArguments) {
    EXPECT_STREQ("/a ", ArgumentsAfterProgramPath("Vantrel.exe \t  \t/a "));
    EXPECT_STREQ("/a", ArgumentsAfterProgramPath("\"Vantrel.exe\"\t\t/a"));
}

TEST(ArgumentsAfterProgramPath, GivesNothingWhenOnlyTheProgramIsNamed) {
    EXPECT_STREQ("", ArgumentsAfterProgramPath("C:\\Vantrel\\Vantrel.exe"));
    // A slash inside the program path is no argument.
    EXPECT_STREQ("", ArgumentsAfterProgramPath("C:\\/removemediaplayerhistory\\Vantrel.exe"));
    EXPECT_STREQ("", ArgumentsAfterProgramPath("\"C:\\Program Files\\Vantrel\\Vantrel.exe\"   "));
    // An unclosed quote makes the whole line the program path.
    EXPECT_STREQ("", ArgumentsAfterProgramPath("\"C:\\Program Files\\Vantrel\\Vantrel.exe /a"));
    EXPECT_STREQ("", ArgumentsAfterProgramPath(""));
    EXPECT_STREQ("", ArgumentsAfterProgramPath(nullptr));
}
