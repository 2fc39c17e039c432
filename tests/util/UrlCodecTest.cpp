#include <gtest/gtest.h>

#include <random>
#include <string>

#include "UrlCodec.h"
#include "UtilityLib.h"

namespace {

// The server's side of URL32Decoding.
std::string Url32Encode(const std::string& bytes, int key) {
    static const char kHex[] = "0123456789abcdef";
    unsigned length = static_cast<unsigned>(bytes.size());
    std::string out;
    for (unsigned j = 0; j < length; ++j) {
        unsigned value = (static_cast<unsigned char>(bytes[j]) + key + (j + 1) * length) & 0xFF;
        out += kHex[value >> 4];
        out += kHex[value & 15];
    }
    return out;
}

std::string AsBytes(const CString& text) { return std::string(text, text.GetLength()); }

}  // namespace

TEST(URLEncoding, KeepsOnlyAsciiLettersAndDigits) {
    EXPECT_STREQ("a%20b", CUtilityLib::URLEncoding("a b"));
    EXPECT_STREQ("Az09", CUtilityLib::URLEncoding("Az09"));
    EXPECT_STREQ("%2d%2e%5f%7e%2b%26%3d%2f%25%0a", CUtilityLib::URLEncoding("-._~+&=/%\n"));
    EXPECT_STREQ("", CUtilityLib::URLEncoding(""));
}

TEST(URLEncoding, KoreanCharacterBecomesTwoEscapes) {
    ASSERT_EQ(949u, GetACP());
    EXPECT_STREQ("%c8%de%c1%f6", CUtilityLib::URLEncoding("휴지"));
    // The trail byte 0x41 is escaped with its lead byte, not copied as the letter A.
    EXPECT_STREQ("%81%41A", CUtilityLib::URLEncoding("갂A"));
}

TEST(URLEncoding, LoneLeadByteAtEndStopsAtTerminator) {
    const char text[] = {'a', '\xc8', '\0', 'Z', '\0'};
    EXPECT_STREQ("a%c8", CUtilityLib::URLEncoding(text));
}

TEST(URL32Decoding, RoundTripsRandomBytesWithExplicitKeys) {
    std::mt19937 random(20240611);
    for (int key : {0, 1, 77, 255}) {
        for (int length : {1, 2, 17, 300}) {
            std::string bytes;
            for (int i = 0; i < length; ++i)
                bytes += static_cast<char>(1 + random() % 255);
            CString decoded = CUtilityLib::URL32Decoding(Url32Encode(bytes, key).c_str(), key);
            EXPECT_EQ(bytes, AsBytes(decoded)) << "key " << key << ", length " << length;
        }
    }
}

TEST(URL32Decoding, RoundTripsKoreanTextWithDefaultKey) {
    ASSERT_EQ(949u, GetACP());
    const char* text = "시스템 청소 중입니다. Vantrel 1.0";
    std::string encoded = Url32Encode(text, kUrl32DefaultKey);
    EXPECT_STREQ(text, CUtilityLib::URL32Decoding(encoded.c_str(), -1));
    EXPECT_STREQ(text, CUtilityLib::URL32Decoding(encoded.c_str()));
    EXPECT_STRNE(text, CUtilityLib::URL32Decoding(encoded.c_str(), kUrl32DefaultKey + 1));
}

TEST(URL32Decoding, KeyIsTakenModulo256) {
    std::string encoded = Url32Encode("modulo", 44);
    EXPECT_STREQ("modulo", CUtilityLib::URL32Decoding(encoded.c_str(), 300));
    EXPECT_STREQ("modulo", CUtilityLib::URL32Decoding(encoded.c_str(), 44 - 256));
    EXPECT_STREQ("modulo", CUtilityLib::URL32Decoding(Url32Encode("modulo", 251).c_str(), -5));
}

TEST(URL32Decoding, AcceptsUpperCaseDigitsAndEmptyText) {
    CString encoded = Url32Encode("Hello", 9).c_str();
    EXPECT_STREQ("Hello", CUtilityLib::URL32Decoding(encoded.MakeUpper(), 9));
    EXPECT_STREQ("", CUtilityLib::URL32Decoding("", 9));
}
