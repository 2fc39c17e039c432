#include <shlobj.h>

#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ItemDispatch.h"
#include "ProgramTraceProfile.h"
#include "RedirectedAppData.h"
#include "TestFixtures.h"
#include "UrlCacheTraces.h"

using FileProbe::Exists;

namespace {

const char kPage[] = "http://www.example.vantrel-test/page.html";
const char kExampleCookieSite[] = "http://www.EXAMPLE.vantrel-test/";
const char kOtherCookieSite[] = "http://other.vantrel-test/";
const char kExampleCookieHost[] = "www.EXAMPLE.vantrel-test";
const char kOtherCookieHost[] = "other.vantrel-test";

// A folder outside every cleaned folder, reached through a link placed inside one. Declared
// before the profile that holds the link, so that the link is never left dangling.
struct LinkTarget {
    TempFolder folder;
    CString file = folder.MakeFile("target\\keep.txt", "outside");

    bool Intact() const { return FileProbe::ReadBytes(file) == "outside"; }
    CString Path() const { return folder / "target"; }
};

// Traces a folder clean with desktop.ini and ".tmp" excluded must leave, and those it must not.
struct SeededFolder {
    CString kept[3];
    CString gone[2];

    SeededFolder(ProgramTraceProfile& profile, const CString& base) {
        kept[0] = profile.MakeFile(base + "\\vantrel-test.tmp");
        kept[1] = profile.MakeFile(base + "\\vantrel-test-kept\\desktop.ini");
        kept[2] = profile.MakeFile(base + "\\vantrel-test-kept\\part.TMP");
        gone[0] = profile.MakeFile(base + "\\vantrel-test-page.htm");
        gone[1] = profile.MakeFile(base + "\\vantrel-test-folder\\sub\\script.js");
    }
    void ExpectCleaned() const {
        for (const CString& path : kept)
            EXPECT_TRUE(Exists(path)) << (const char*)path;
        for (const CString& path : gone)
            EXPECT_FALSE(Exists(path)) << (const char*)path;
        CString folder = gone[1].Left(gone[1].Find("\\sub"));
        EXPECT_FALSE(Exists(folder)) << (const char*)folder;
    }
};

CString TempFilesLow() {
    return SandboxFolder(CSIDL_LOCAL_APPDATA) + "\\Microsoft\\Windows\\Temporary Internet Files\\Low";
}
CString CookiesLow() {
    return SandboxFolder(CSIDL_APPDATA) + "\\Microsoft\\Windows\\Cookies\\Low";
}

}  // namespace

TEST(RemoveIETempFiles, EmptiesThePageCacheAndBothCacheFoldersButKeepsDesktopIniAndTmp) {
    CacheFoldersKept entryFolders;
    UrlCacheTraces cache;
    ASSERT_TRUE(cache.AddPage(kPage));
    ASSERT_TRUE(cache.AddCookie(kExampleCookieSite, "kept"));
    LinkTarget target;
    ProgramTraceProfile profile;
    CString internetCache = SandboxFolder(CSIDL_INTERNET_CACHE);
    SeededFolder inCache(profile, internetCache);
    SeededFolder inLow(profile, TempFilesLow());
    ASSERT_TRUE(profile.MakeLink(internetCache + "\\vantrel-test-link", target.Path()));

    RunItem(1);
    EXPECT_FALSE(UrlCacheTraces::Has(kPage, false));
    EXPECT_TRUE(UrlCacheTraces::Has(kExampleCookieHost, true));
    inCache.ExpectCleaned();
    inLow.ExpectCleaned();
    EXPECT_TRUE(FileProbe::IsLink(internetCache + "\\vantrel-test-link"));
    EXPECT_TRUE(target.Intact());
}

TEST(RemoveIECookies, ExceptionsKeepMatchingCookieEntriesAndFilesOfBothCookieFolders) {
    UrlCacheTraces cache;
    ASSERT_TRUE(cache.AddPage(kPage));
    ASSERT_TRUE(cache.AddCookie(kExampleCookieSite, "kept"));
    ASSERT_TRUE(cache.AddCookie(kOtherCookieSite, "gone"));
    LinkTarget target;
    ProgramTraceProfile profile;
    const CString folders[] = {SandboxFolder(CSIDL_COOKIES), CookiesLow()};
    for (const CString& folder : folders) {
        profile.MakeFile(folder + "\\root@Example.vantrel-test[1].txt");
        profile.MakeFile(folder + "\\desktop.ini");
        profile.MakeFile(folder + "\\vantrel-test.tmp");
        profile.MakeFile(folder + "\\root@other.vantrel-test[1].txt");
        profile.MakeFile(folder + "\\vantrel-test-sub\\root@example.vantrel-test[2].txt");
    }
    ASSERT_TRUE(profile.MakeLink(folders[0] + "\\vantrel-test-link", target.Path()));
    CStringArray exceptions;
    exceptions.Add("example");

    CHistoryCleaner engine;
    CRegBackupWriter writer;
    DispatchItem(2, engine, writer, &exceptions);
    EXPECT_TRUE(UrlCacheTraces::Has(kExampleCookieHost, true));
    EXPECT_FALSE(UrlCacheTraces::Has(kOtherCookieHost, true));
    EXPECT_TRUE(UrlCacheTraces::Has(kPage, false));
    for (const CString& folder : folders) {
        EXPECT_TRUE(Exists(folder + "\\root@Example.vantrel-test[1].txt")) << (const char*)folder;
        EXPECT_TRUE(Exists(folder + "\\desktop.ini")) << (const char*)folder;
        EXPECT_TRUE(Exists(folder + "\\vantrel-test.tmp")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\root@other.vantrel-test[1].txt")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\vantrel-test-sub")) << (const char*)folder;
    }
    EXPECT_TRUE(target.Intact());
}

TEST(RemoveIECookies, WithoutExceptionsDeletesEveryCookie) {
    UrlCacheTraces cache;
    ASSERT_TRUE(cache.AddPage(kPage));
    ASSERT_TRUE(cache.AddCookie(kExampleCookieSite, "gone"));
    ProgramTraceProfile profile;
    CString file = profile.MakeFile(SandboxFolder(CSIDL_COOKIES) + "\\root@example.vantrel-test[1].txt");

    RunItem(2);
    for (const UrlCacheTraces::Entry& entry : UrlCacheTraces::Entries())
        EXPECT_FALSE(entry.cookie) << entry.url;
    EXPECT_TRUE(UrlCacheTraces::Has(kPage, false));
    EXPECT_FALSE(Exists(file));
}

TEST(RemoveIEAddressBarHistory, DeletesTypedUrlsAndThePageCacheButNoCacheFile) {
    const char typedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    ProgramTraceProfile profile;
    profile.SetText(HKEY_CURRENT_USER, typedUrls, "url1", "http://typed.vantrel-test/");
    CString file = profile.MakeFile(SandboxFolder(CSIDL_INTERNET_CACHE) + "\\vantrel-test-page.htm");
    UrlCacheTraces cache;
    ASSERT_TRUE(cache.AddPage(kPage));
    ASSERT_TRUE(cache.AddCookie(kExampleCookieSite, "kept"));

    RunItem(3);
    EXPECT_FALSE(RegProbe::KeyExists(HKEY_CURRENT_USER, typedUrls));
    EXPECT_FALSE(UrlCacheTraces::Has(kPage, false));
    EXPECT_TRUE(UrlCacheTraces::Has(kExampleCookieHost, true));
    EXPECT_TRUE(Exists(file));
}

TEST(RemoveIEVisitWebSiteHistory, EmptiesBothHistoryFoldersButKeepsDesktopIniThenResetsTheIndexFiles) {
    RedirectedAppData appData;
    LinkTarget target;
    ProgramTraceProfile profile;
    const CString folders[] = {SandboxFolder(CSIDL_HISTORY), SandboxFolder(CSIDL_WINDOWS) + "\\History"};
    for (const CString& folder : folders) {
        profile.MakeFile(folder + "\\vantrel-test.tmp");
        profile.MakeFile(folder + "\\vantrel-test-day\\page.url");
        profile.MakeFile(folder + "\\vantrel-test-kept\\desktop.ini");
    }
    ASSERT_TRUE(profile.MakeLink(folders[0] + "\\vantrel-test-link", target.Path()));
    CString emptyDat = CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat";
    ASSERT_FALSE(Exists(emptyDat));

    RunItem(5);
    for (const CString& folder : folders) {
        EXPECT_FALSE(Exists(folder + "\\vantrel-test.tmp")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\vantrel-test-day")) << (const char*)folder;
        EXPECT_TRUE(Exists(folder + "\\vantrel-test-kept\\desktop.ini")) << (const char*)folder;
    }
    EXPECT_TRUE(target.Intact());
    EXPECT_EQ("", FileProbe::ReadBytes(emptyDat));
}

TEST(RemoveIEVisitWebSiteHistory, AfterAStopResetsNoIndexFile) {
    RedirectedAppData appData;
    ProgramTraceProfile profile;
    CString file = profile.MakeFile(SandboxFolder(CSIDL_HISTORY) + "\\vantrel-test-day\\page.url");
    HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(nullptr, stop);
    CHistoryCleaner engine(nullptr, stop);
    engine.RemoveIEVisitWebSiteHistory();
    CloseHandle(stop);
    EXPECT_TRUE(Exists(file));
    EXPECT_FALSE(Exists(CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat"));
}
