#pragma once
#include <windows.h>

#include <string>
#include <vector>

// WinINet URL cache entries made by a test; every entry whose URL holds kMarker is deleted
// again when the object goes.
class UrlCacheTraces {
public:
    static constexpr const char* kMarker = "vantrel-test";

    struct Entry {
        std::string url;
        bool cookie;
    };

    UrlCacheTraces() = default;
    ~UrlCacheTraces();
    UrlCacheTraces(const UrlCacheTraces&) = delete;
    UrlCacheTraces& operator=(const UrlCacheTraces&) = delete;

    // A page with a local file; headerBytes of header text make the entry that much larger.
    bool AddPage(const char* url, size_t headerBytes = 0);
    // A persistent cookie set through WinINet: listed as "Cookie:<user>@<host>/".
    bool AddCookie(const char* url, const char* name);

    // The whole cache as listed now.
    static std::vector<Entry> Entries();
    // Whether an entry of that kind has a URL containing part (with case).
    static bool Has(const char* part, bool cookie);
};

// Emptying the cache folders removes the subfolders that the cache index, open for the whole
// process, hands out for new entries; Wine then refuses every new entry. They are made again
// when the object goes.
class CacheFoldersKept {
public:
    CacheFoldersKept();
    ~CacheFoldersKept();
    CacheFoldersKept(const CacheFoldersKept&) = delete;
    CacheFoldersKept& operator=(const CacheFoldersKept&) = delete;

private:
    std::vector<std::string> m_folders;
};
