#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CrashLog.h"

TEST(CrashLog, SetFormatsAndKeepsThePreviousText) {
    CCrashLog::Set("ServiceIniDownload:%s", "http://127.0.0.1/service.ini");
    CCrashLog::Set("MainAdDownload %d :%s", 1, "http://127.0.0.1/ad.jpg");

    EXPECT_STREQ("MainAdDownload 1 :http://127.0.0.1/ad.jpg", CCrashLog::Get());
    EXPECT_STREQ("ServiceIniDownload:http://127.0.0.1/service.ini", CCrashLog::GetPrev());
}

TEST(CrashLog, NullFormatClearsTheCurrentTextOnly) {
    CCrashLog::Set("before %s", "download");
    CCrashLog::Set(nullptr);

    EXPECT_STREQ("", CCrashLog::Get());
    EXPECT_STREQ("before download", CCrashLog::GetPrev());
}

TEST(CrashLog, ArgumentMayBeThePreviousText) {
    CCrashLog::Set("first");
    CCrashLog::Set("second");
    CCrashLog::Set("%s+", CCrashLog::GetPrev());

    EXPECT_STREQ("second+", CCrashLog::Get());
    EXPECT_STREQ("second", CCrashLog::GetPrev());
}

TEST(CrashLog, LongTextKeepsItsFirst1023Bytes) {
    std::string longText(1500, 'a');
    for (size_t i = 0; i < longText.size(); ++i)
        longText[i] = static_cast<char>('a' + i % 26);

    CCrashLog::Set("%s", longText.c_str());

    EXPECT_EQ(1023u, strlen(CCrashLog::Get()));
    EXPECT_EQ(longText.substr(0, 1023), CCrashLog::Get());
}

TEST(CrashLog, CutNeverLeavesHalfADoubleByteCharacter) {
    // 1022 ASCII bytes, then Hangul: byte 1023 would be the lead byte of "다".
    std::string text = std::string(1022, 'x') + "다운로드";

    CCrashLog::Set("%s", text.c_str());

    EXPECT_EQ(std::string(1022, 'x'), CCrashLog::Get());
}

TEST(CrashLog, HangulFittingExactlyIsKeptWhole) {
    std::string text = std::string(1021, 'x') + "다";

    CCrashLog::Set("%s", text.c_str());

    EXPECT_EQ(text, CCrashLog::Get());
}
