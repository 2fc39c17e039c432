#include <gtest/gtest.h>

#include "HistoryCleaner.h"
#include "UrlCacheTraces.h"

namespace {

const char kPage[] = "http://www.example.vantrel-test/page.html";
const char kOtherPage[] = "http://other.vantrel-test/index.html";
const char kCookieSite[] = "http://www.EXAMPLE.vantrel-test/";
const char kOtherCookieSite[] = "http://other.vantrel-test/";

struct CacheWithBothKinds : UrlCacheTraces {
    CacheWithBothKinds() {
        EXPECT_TRUE(AddPage(kPage));
        EXPECT_TRUE(AddPage(kOtherPage));
        EXPECT_TRUE(AddCookie(kCookieSite, "kept"));
        EXPECT_TRUE(AddCookie(kOtherCookieSite, "gone"));
        EXPECT_TRUE(Has("www.EXAMPLE.vantrel-test", true));
        EXPECT_TRUE(Has("other.vantrel-test", true));
    }
};

}  // namespace

TEST(CleanUrlCache, ModeZeroDeletesEveryPageAndNoCookie) {
    CacheWithBothKinds cache;
    CHistoryCleaner engine;
    EXPECT_EQ(1, engine.CleanUrlCache(0, nullptr));
    for (const UrlCacheTraces::Entry& entry : UrlCacheTraces::Entries())
        EXPECT_TRUE(entry.cookie) << entry.url;
    EXPECT_TRUE(UrlCacheTraces::Has("www.EXAMPLE.vantrel-test", true));
    EXPECT_TRUE(UrlCacheTraces::Has("other.vantrel-test", true));
}

TEST(CleanUrlCache, ModeOneDeletesEveryCookieAndNoPage) {
    CacheWithBothKinds cache;
    CHistoryCleaner engine;
    EXPECT_EQ(1, engine.CleanUrlCache(1, nullptr));
    for (const UrlCacheTraces::Entry& entry : UrlCacheTraces::Entries())
        EXPECT_FALSE(entry.cookie) << entry.url;
    EXPECT_TRUE(UrlCacheTraces::Has(kPage, false));
    EXPECT_TRUE(UrlCacheTraces::Has(kOtherPage, false));
}

TEST(CleanUrlCache, ExceptionsKeepCookiesWhoseUrlHoldsThemInAnyCase) {
    CacheWithBothKinds cache;
    CStringArray exceptions;
    exceptions.Add("example");
    CHistoryCleaner engine;
    EXPECT_EQ(1, engine.CleanUrlCache(1, &exceptions));
    EXPECT_TRUE(UrlCacheTraces::Has("www.EXAMPLE.vantrel-test", true));
    EXPECT_FALSE(UrlCacheTraces::Has("other.vantrel-test", true));
    EXPECT_TRUE(UrlCacheTraces::Has(kOtherPage, false));
}

TEST(CleanUrlCache, EntriesLargerThanTheBufferAreDeletedAndTheWalkGoesOn) {
    UrlCacheTraces cache;
    const char* const pages[] = {"http://big1.vantrel-test/", "http://small1.vantrel-test/",
                                 "http://big2.vantrel-test/", "http://small2.vantrel-test/",
                                 "http://big3.vantrel-test/", "http://small3.vantrel-test/"};
    size_t headerBytes = 6000;
    for (const char* page : pages) {
        ASSERT_TRUE(cache.AddPage(page, headerBytes));
        headerBytes = headerBytes ? 0 : 20000;
    }
    CHistoryCleaner engine;
    EXPECT_EQ(1, engine.CleanUrlCache(0, nullptr));
    for (const char* page : pages)
        EXPECT_FALSE(UrlCacheTraces::Has(page, false)) << page;
}

TEST(CleanUrlCache, WithTheStopEventSetDeletesNothing) {
    CacheWithBothKinds cache;
    HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(nullptr, stop);
    CHistoryCleaner engine(nullptr, stop);
    EXPECT_EQ(1, engine.CleanUrlCache(0, nullptr));
    EXPECT_EQ(1, engine.CleanUrlCache(1, nullptr));
    CloseHandle(stop);
    EXPECT_TRUE(UrlCacheTraces::Has(kPage, false));
    EXPECT_TRUE(UrlCacheTraces::Has("other.vantrel-test", true));
}

TEST(CleanUrlCache, GivesZeroOnceTheCacheIsEmpty) {
    CacheWithBothKinds cache;
    CHistoryCleaner engine;
    engine.CleanUrlCache(0, nullptr);
    engine.CleanUrlCache(1, nullptr);
    ASSERT_TRUE(UrlCacheTraces::Entries().empty());
    EXPECT_EQ(0, engine.CleanUrlCache(0, nullptr));
    EXPECT_EQ(0, engine.CleanUrlCache(1, nullptr));
}
