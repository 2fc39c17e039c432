#include <gtest/gtest.h>

#include "HTMLColours.h"

TEST(HTMLColours, NamesAreFoundWithoutRegardToCase) {
    CString hexForm;
    ASSERT_TRUE(LookUpHTMLColourName("blue", hexForm));
    EXPECT_STREQ("#0000FF", hexForm);
    ASSERT_TRUE(LookUpHTMLColourName("LIGHTGOLDENRODYELLOW", hexForm));
    EXPECT_STREQ("#FAFAD2", hexForm);
    ASSERT_TRUE(LookUpHTMLColourName("yellowgreen", hexForm));
    EXPECT_STREQ("#9ACD32", hexForm);
}

TEST(HTMLColours, MoccasinIsSpelledMocassin) {
    CString hexForm = "unchanged";
    EXPECT_TRUE(LookUpHTMLColourName("Mocassin", hexForm));
    EXPECT_STREQ("#FFE4B5", hexForm);

    hexForm = "unchanged";
    EXPECT_FALSE(LookUpHTMLColourName("Moccasin", hexForm));
    EXPECT_FALSE(LookUpHTMLColourName("", hexForm));
    EXPECT_STREQ("unchanged", hexForm);
}

TEST(HTMLColours, ValuesAreReadAsRedGreenBlue) {
    EXPECT_EQ(RGB(0, 0, 255), ParseHTMLColour("blue"));
    EXPECT_EQ(RGB(0x12, 0xAB, 0xcd), ParseHTMLColour("#12ABcd"));
    EXPECT_EQ(RGB(255, 0, 0), ParseHTMLColour("Red"));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), ParseHTMLColour("gray"));
}

TEST(HTMLColours, BadOrMissingDigitsCountAsZero) {
    EXPECT_EQ(RGB(0x0F, 0xF0, 0x00), ParseHTMLColour("#GFFxzz"));
    EXPECT_EQ(RGB(0xF0, 0x00, 0x00), ParseHTMLColour("#F"));
    EXPECT_EQ(RGB(0, 0, 0), ParseHTMLColour("#"));
    EXPECT_EQ(RGB(0, 0, 0), ParseHTMLColour("unknown"));
    // A Korean character is one non-digit, never two.
    EXPECT_EQ(RGB(0x0A, 0xBC, 0xD0), ParseHTMLColour("#가ABCD"));
}

TEST(HTMLColours, DigitsWithoutHashAreReadFromTheStart) {
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), ParseHTMLColour("112233"));
}
