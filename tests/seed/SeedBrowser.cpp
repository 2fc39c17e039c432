// Internet Explorer, Flash Player and Opera traces, and the add-on settings of direct mode.
#include <windows.h>
#include <sddl.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstdio>
#include <vector>

#include "SeedItems.h"
#include "TraceSeeder.h"

namespace {

const char kStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider\\";
const char kAutoCompleteGuid[] = "e161255a-37c3-11d2-bcaa-00c04fd929db";
const char kExtSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";

struct CacheEntry {
    CString url;
    CString localFile;
    DWORD type;
};

std::vector<CacheEntry> ListUrlCache() {
    std::vector<CacheEntry> entries;
    std::vector<char> buffer(16384);
    DWORD size = static_cast<DWORD>(buffer.size());
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
    if (!find)
        return entries;
    do {
        entries.push_back({info->lpszSourceUrlName, info->lpszLocalFileName, info->CacheEntryType});
        size = static_cast<DWORD>(buffer.size());
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
    return entries;
}

CString CurrentUserSid() {
    CString text;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return text;
    char buffer[256];
    DWORD size = sizeof buffer;
    char* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, size, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

CString UserName() {
    char name[260] = {0};
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

std::string Page(const char* title, size_t length) {
    std::string page = std::string("<html><head><title>") + title + "</title></head><body>";
    page += Filler("<p>오늘의 뉴스와 날씨, 쇼핑 정보를 한눈에.</p>\r\n", length);
    return page + "</body></html>";
}

}  // namespace

void CTraceSeeder::SeedBrowserTraces() {
    SeedUrlCache();
    SeedCookies();
    SeedInternetExplorerKeys();
    SeedHistory();
    SeedFlashAndOpera();
    SeedAddOns();
}

void CTraceSeeder::SeedUrlCache() {
    struct CachedPage {
        const char* url;
        const char* extension;
        size_t length;
    };
    const CachedPage pages[] = {
        {"http://news.sample-portal.co.kr/", "htm", 18000},
        {"http://news.sample-portal.co.kr/article/1024", "htm", 32000},
        {"http://news.sample-portal.co.kr/img/top_banner.gif", "gif", 4200},
        {"http://shop.sample-mall.co.kr/goods/view?no=7781", "htm", 26000},
        {"http://shop.sample-mall.co.kr/css/main.css", "css", 9000},
        {"http://cafe.sample-portal.co.kr/board/list", "htm", 15000},
        {"http://www.example.com/index.html", "html", 1200},
        {"http://static.sample-cdn.net/js/common.js", "js", 48000},
    };
    FILETIME never = {};
    static const char header[] = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    for (const CachedPage& page : pages) {
        char file[MAX_PATH] = {0};
        std::string content = Page(page.url, page.length);
        if (!CreateUrlCacheEntryA(page.url, static_cast<DWORD>(content.size()), page.extension, file, 0) ||
            !WriteFileBytes(file, content) ||
            !CommitUrlCacheEntryA(page.url, file, never, never, NORMAL_CACHE_ENTRY,
                                  reinterpret_cast<BYTE*>(const_cast<char*>(header)), sizeof header - 1,
                                  page.extension, nullptr)) {
            printf("  cannot cache %s (error %lu)\n", page.url, GetLastError());
            continue;
        }
        TraceEntry(kIETempFiles, SeedKind::CacheEntry, "", page.url);
        TraceEntry(kIETempFiles, SeedKind::File, file, "", 1, static_cast<long long>(content.size()));
    }

    CString cache = ShellFolder(CSIDL_INTERNET_CACHE);
    KeepFile("desktop.ini of the Internet cache", cache + "\\desktop.ini",
             "[.ShellClassInfo]\r\nCLSID={7BD29E00-76C1-11CF-9DD0-00A0C9034933}\r\n");
    KeepFile(".tmp download in the Internet cache", cache + "\\Content.IE5\\download.tmp", Filler("partial", 7000));
    KeepLinkInside("folder link in the Internet cache", cache + "\\Content.IE5");
    if (WriteFileBytes(cache + "\\Low\\Content.IE5\\index.dat", Filler("Client UrlCache MMF Ver 5.2", 32768)))
        TraceEntry(kIECacheIndex, SeedKind::IndexDat, cache + "\\Low\\Content.IE5\\index.dat", "", 1, 32768);

    CString low = ExpandedPath("%LocalAppData%\\Microsoft\\Windows\\Temporary Internet Files\\Low");
    TraceFile(kIETempFiles, low + "\\Content.IE5\\Q1W2E3R4\\banner[1].gif", Filler("GIF89a", 3100));
    TraceFile(kIETempFiles, low + "\\Content.IE5\\Q1W2E3R4\\ad_frame[1].htm", Page("ad", 5400));
    KeepFile("desktop.ini of the low cache", low + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepFile(".tmp file of the low cache", low + "\\Content.IE5\\Q1W2E3R4\\partial.tmp", Filler("partial", 900));
}

void CTraceSeeder::SeedCookies() {
    struct Cookie {
        const char* url;
        const char* name;
        const char* value;
    };
    const Cookie cookies[] = {
        {"http://news.sample-portal.co.kr/", "NID", "a1b2c3d4e5f6; expires=Sat, 01-Jan-2039 00:00:00 GMT"},
        {"http://shop.sample-mall.co.kr/", "cart", "7781-2; expires=Sat, 01-Jan-2039 00:00:00 GMT"},
        {"http://ad.tracker-sample.net/", "uid", "0f1e2d3c4b5a; expires=Sat, 01-Jan-2039 00:00:00 GMT"},
        // The user's cookie exception: direct mode passes no exception list, so it goes too.
        {"http://www.example.com/", "login", "kept-by-exceptions; expires=Sat, 01-Jan-2039 00:00:00 GMT"},
    };
    for (const Cookie& cookie : cookies) {
        if (!InternetSetCookieA(cookie.url, cookie.name, cookie.value))
            printf("  cannot set a cookie for %s (error %lu)\n", cookie.url, GetLastError());
    }
    const char* hosts[] = {"sample-portal.co.kr", "sample-mall.co.kr", "tracker-sample.net", "example.com"};
    for (const CacheEntry& entry : ListUrlCache()) {
        if (!(entry.type & COOKIE_CACHE_ENTRY))
            continue;
        for (const char* host : hosts) {
            if (entry.url.Find(host) < 0)
                continue;
            TraceEntry(kIECookies, SeedKind::CacheEntry, "", entry.url);
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (!entry.localFile.IsEmpty() && GetFileAttributesExA(entry.localFile, GetFileExInfoStandard, &data))
                TraceEntry(kIECookies, SeedKind::File, entry.localFile, "", 1, data.nFileSizeLow);
            break;
        }
    }
    CString configIni = ProgramAppDataFolder() + "\\Config.ini";
    if (GetFileAttributesA(configIni) == INVALID_FILE_ATTRIBUTES)
        Cleanup(SeedKind::File, configIni);
    WritePrivateProfileStringA("CookieException", "0", "example", configIni);

    CString cookieFolder = ShellFolder(CSIDL_COOKIES);
    KeepFile("desktop.ini of the cookie folder", cookieFolder + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepFile(".tmp file of the cookie folder", cookieFolder + "\\cookie-write.tmp", "uid\r\n0f1e\r\n");
    KeepLinkInside("folder link in the cookie folder", cookieFolder);
    if (WriteFileBytes(cookieFolder + "\\Low\\index.dat", Filler("Client UrlCache MMF Ver 5.2", 16384)))
        TraceEntry(kIECookieIndex, SeedKind::IndexDat, cookieFolder + "\\Low\\index.dat", "", 1, 16384);

    CString low = ExpandedPath("%AppData%\\Microsoft\\Windows\\Cookies\\Low");
    TraceFile(kIECookies, low + "\\user@ad.tracker-sample[1].txt",
              "uid\n0f1e2d3c4b5a\nad.tracker-sample.net/\n1024\n2914725376\n31035200\n*\n");
    TraceFile(kIECookies, low + "\\user@example[1].txt", "login\nlow\nexample.com/\n1024\n2914725376\n31035200\n*\n");
    KeepFile("desktop.ini of the low cookie folder", low + "\\desktop.ini", "[.ShellClassInfo]\r\n");
}

void CTraceSeeder::SeedInternetExplorerKeys() {
    const char typed[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    TraceKey(kIEAddressBar, HKEY_CURRENT_USER, typed);
    const char* urls[] = {"http://news.sample-portal.co.kr/", "shop.sample-mall.co.kr", "http://192.168.0.1/",
                          "http://www.example.com/login", "http://cafe.sample-portal.co.kr/board/list"};
    for (int i = 0; i < 5; ++i) {
        CString name;
        name.Format("url%d", i + 1);
        TraceString(kIEAddressBar, HKEY_CURRENT_USER, typed, name, urls[i]);
    }

    const char forms[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
    TraceKey(kIEAutoComplete, HKEY_CURRENT_USER, forms);
    TraceBinary(kIEAutoComplete, HKEY_CURRENT_USER, CString(forms) + "\\Storage2",
                "6B2E0E3E8C7F4A1D9B0E5C4A3F2D1E0C9B8A7F6E", Filler("\x01\x02\x03\xA5", 420));
    TraceBinary(kIEAutoComplete, HKEY_CURRENT_USER, CString(forms) + "\\Storage1", "0F1E2D3C4B5A69788796A5B4C3D2E1F0",
                Filler("\x10\x20\x30", 96));

    CString sid = CurrentUserSid();
    if (!sid.IsEmpty()) {
        CString userKey = CString(kStorageKey) + sid;
        KeepKey("protected storage key of the user", HKEY_CURRENT_USER, userKey);
        KeepBinary("other protected storage data", HKEY_CURRENT_USER,
                   userKey + "\\Data\\5e7e8100-9138-11d1-945a-00c04fc308ff", "Behavior", Bytes({1, 0, 0, 0}));
        CString autoComplete = userKey + "\\Data\\" + kAutoCompleteGuid;
        TraceKey(kIEAutoComplete, HKEY_CURRENT_USER, autoComplete);
        TraceBinary(kIEAutoComplete, HKEY_CURRENT_USER, autoComplete + "\\e161255a-37c3-11d2-bcaa-00c04fd929db",
                    "Item Data", Filler("\x55\xAA\x01", 640));
    }
    CString machineKey = CString(kStorageKey) + UserName() + "\\Data\\" + kAutoCompleteGuid;
    TraceKey(kIEAutoComplete, HKEY_LOCAL_MACHINE, machineKey);
    TraceBinary(kIEAutoComplete, HKEY_LOCAL_MACHINE, machineKey + "\\e161255c-37c3-11d2-bcaa-00c04fd929db", "Item Data",
                Filler("\x5A\xA5", 256));
}

void CTraceSeeder::SeedHistory() {
    CString windowsHistory = WindowsFolder() + "\\History";
    TraceFile(kIEHistory, windowsHistory + "\\History.IE5\\MSHist012024010120240108\\index.dat",
              Filler("Client UrlCache MMF Ver 5.2", 16384));
    TraceFile(kIEHistory, windowsHistory + "\\visit.tmp", Filler("visited", 300));
    KeepFile("desktop.ini of the Windows history folder", windowsHistory + "\\desktop.ini", "[.ShellClassInfo]\r\n");

    CString history = ShellFolder(CSIDL_HISTORY);
    TraceFile(kIEHistory, history + "\\History.IE5\\MSHist012024010120240108\\index.dat",
              Filler("Client UrlCache MMF Ver 5.2", 32768));
    TraceFile(kIEHistory, history + "\\History.IE5\\MSHist012024010820240115\\index.dat",
              Filler("Client UrlCache MMF Ver 5.2", 16384));
    TraceFile(kIEHistory, history + "\\History.IE5\\snapshot.tmp", Filler("visited", 2000));
    KeepFile("desktop.ini of the history folder", history + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepFile("desktop.ini of History.IE5", history + "\\History.IE5\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the history folder", history);

    // Under Wine History\Low lies inside the history folder, which is cleaned with its .tmp files.
    CString low = ExpandedPath("%LocalAppData%\\Microsoft\\Windows\\History\\Low");
    TraceFile(kIEHistory, low + "\\History.IE5\\index.dat", Filler("Client UrlCache MMF Ver 5.2", 16384));
    KeepFile("desktop.ini of the low history folder", low + "\\desktop.ini", "[.ShellClassInfo]\r\n");
}

void CTraceSeeder::SeedFlashAndOpera() {
    CString localLow = LocalLowFolder();
    CString shared = localLow + "\\Macromedia\\Flash Player\\#SharedObjects";
    TraceFile(kFlash, shared + "\\K7PQ2M4A\\www.game-sample.co.kr\\savegame.sol", Filler("\x01\xBF", 2400));
    TraceFile(kFlash, shared + "\\K7PQ2M4A\\localhost\\player.sol", Filler("\x01\xBF", 640));
    TraceFile(kFlash, shared + "\\K7PQ2M4A\\video.sample-portal.co.kr\\volume.tmp", "100");
    KeepFile("desktop.ini of the Flash shared objects", shared + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepFile("Flash Player global settings",
             localLow + "\\Macromedia\\Flash Player\\macromedia.com\\support\\flashplayer\\sys\\settings.sol",
             Filler("\x01\xBF", 300));
    CString assets = localLow + "\\Adobe\\Flash Player\\AssetCache\\RT5X9ZPL";
    TraceFile(kFlash, assets + "\\4B5C6D7E8F.swz", Filler("CWS", 12000));
    TraceFile(kFlash, assets + "\\4B5C6D7E8F.heap", Filler("\x01", 800));

    CString local = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Opera\\Opera";
    TraceFile(kOperaCache, local + "\\cache\\g_0000\\opr00001.htm", Page("opera", 14000));
    TraceFile(kOperaCache, local + "\\cache\\g_0000\\opr00002.tmp", Filler("PNG", 5000));
    TraceFile(kOperaCache, local + "\\cache\\dcache4.url", Filler("\x02\x01", 3000));
    TraceFile(kOperaCache, local + "\\cache\\desktop.ini", "[.ShellClassInfo]\r\n");
    TraceFile(kOperaCache, local + "\\widgets\\widgets.dat", "<widgets></widgets>\r\n");
    TraceFile(kOperaCache, local + "\\widgets\\wuid-4a3b2c1d\\data.xml", "<data>clock</data>\r\n");
    KeepFile("Opera icon cache", local + "\\icons\\favicon-0001.ico", Filler("\x89PNG", 1150));
    KeepLinkInside("folder link in the Opera cache", local + "\\cache");

    CString roaming = ShellFolder(CSIDL_APPDATA) + "\\Opera\\Opera";
    TraceFile(kOperaHistory, roaming + "\\typed_history.xml",
              "<?xml version=\"1.0\"?>\r\n<typed_history>\r\n<typed_history_item content=\"shop.sample-mall.co.kr\"/>\r\n"
              "</typed_history>\r\n");
    TraceFile(kOperaHistory, roaming + "\\global_history.dat",
              "뉴스 홈\nhttp://news.sample-portal.co.kr/\n1704067200\n-1\n");
    CString session = roaming + "\\sessions\\autosave.win";
    WriteFileBytes(session,
                   "Opera Preferences version 2.1\r\n\r\n"
                   "[session]\r\nversion=7000\r\nwindow count=2\r\n\r\n"
                   "[1]\r\ntype=0\r\nmax history=2\r\ncurrent history=2\r\n\r\n"
                   "[1history url]\r\ncount=2\r\n1=http://news.sample-portal.co.kr/\r\n"
                   "2=http://news.sample-portal.co.kr/article/1024\r\n\r\n"
                   "[1history document type]\r\ncount=2\r\n1=0\r\n2=0\r\n\r\n"
                   "[1history title]\r\ncount=2\r\n1=뉴스 홈\r\n2=오늘의 기사\r\n\r\n"
                   "[1history scrollpos list]\r\ncount=2\r\n1=0\r\n2=320\r\n\r\n"
                   "[2]\r\ntype=0\r\nmax history=1\r\ncurrent history=1\r\n\r\n"
                   "[2history url]\r\ncount=1\r\n1=http://shop.sample-mall.co.kr/goods/view?no=7781\r\n\r\n"
                   "[2history document type]\r\ncount=1\r\n1=0\r\n\r\n"
                   "[2history title]\r\ncount=1\r\n1=상품 보기\r\n\r\n"
                   "[2history scrollpos list]\r\ncount=1\r\n1=0\r\n");
    for (int window = 1; window <= 2; ++window) {
        const char* sections[] = {"history url", "history document type", "history title", "history scrollpos list"};
        for (const char* section : sections) {
            CString name;
            name.Format("%d%s", window, section);
            TraceSection(kOperaHistory, session, name);
        }
    }
    KeepEntry("Opera session header", SeedKind::IniSection, session, "session");
    KeepEntry("Opera session window 1", SeedKind::IniSection, session, "1");
    KeepEntry("Opera session window 2", SeedKind::IniSection, session, "2");
    KeepFile("Opera preferences", roaming + "\\operaprefs.ini", "Opera Preferences version 2.1\r\n[User Prefs]\r\n");
    TraceFile(kOperaCookies, roaming + "\\cookies4.dat", Filler("\x10\x01", 2048));
}

void CTraceSeeder::SeedAddOns() {
    const char helpers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
    const char extensions[] = "Software\\Microsoft\\Internet Explorer\\Extensions\\";
    const char toolbar[] = "{6D2A5E3C-1A1B-4A7B-9C2D-0E1F2A3B4C5D}";
    const char button[] = "{7E3B6F4D-2B2C-4B8C-AD3E-1F2A3B4C5D6E}";
    const char keptOn[] = "{8F4C7A5E-3C3D-4C9D-BE4F-2A3B4C5D6E7F}";
    EnsureKey(HKEY_LOCAL_MACHINE, CString(helpers) + toolbar);
    EnsureKey(HKEY_LOCAL_MACHINE, CString(extensions) + button);
    EnsureKey(HKEY_LOCAL_MACHINE, CString(helpers) + keptOn);
    TraceEntry(kAddOns, SeedKind::AddOn, "", toolbar);
    TraceEntry(kAddOns, SeedKind::AddOn, "", button);

    CString configIni = ProgramAppDataFolder() + "\\Config.ini";
    WritePrivateProfileStringA("EnableBHO", keptOn, "1", configIni);
    KeepDword("add-on the user keeps on", HKEY_CURRENT_USER, CString(kExtSettings) + keptOn, "Flags", 0);
    KeepEntry("add-on the user keeps on", SeedKind::AddOn, "", keptOn);
    // The routine writes these keys; they go when the seed is removed.
    Cleanup(SeedKind::Key, RegistryPath(HKEY_CURRENT_USER, CString(kExtSettings) + toolbar));
    Cleanup(SeedKind::Key, RegistryPath(HKEY_CURRENT_USER, CString(kExtSettings) + button));
}
