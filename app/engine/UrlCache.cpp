#include <windows.h>
#include <wininet.h>

#include <vector>

#include "Handle.h"
#include "HistoryCleaner.h"

namespace {

struct UrlCacheFindTraits {
    using Type = HANDLE;
    static HANDLE None() { return nullptr; }
    static bool Close(HANDLE handle) { return FindCloseUrlCache(handle) != FALSE; }
};
using CUrlCacheFind = CUniqueHandle<UrlCacheFindTraits>;

// Most entries fit at once; a larger one is fetched again with the size WinINet reports.
const DWORD kFirstBufferSize = 4096;
// An entry can grow between the size answer and the next fetch; this many tries, then give up.
const int kFetchTries = 4;

// Walks the URL cache entry by entry. The buffer always holds the entry last fetched.
class UrlCacheEntries {
public:
    UrlCacheEntries() : m_buffer(kFirstBufferSize) {}

    // False when the cache is empty or cannot be listed.
    bool First() {
        return Fetch([this](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
            m_find.Attach(FindFirstUrlCacheEntryA(nullptr, entry, size));
            return m_find.IsValid();
        });
    }

    // False at the end of the cache and on any failure.
    bool Next() {
        return Fetch([this](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
            return FindNextUrlCacheEntryA(m_find, entry, size) != FALSE;
        });
    }

    const INTERNET_CACHE_ENTRY_INFOA& Entry() const {
        return *reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(m_buffer.data());
    }

private:
    // The size passed in is always the buffer's own: WinINet overwrites it with the entry's size.
    template <typename Call>
    bool Fetch(Call call) {
        for (int tries = 0; tries < kFetchTries; ++tries) {
            DWORD size = static_cast<DWORD>(m_buffer.size());
            if (call(reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(m_buffer.data()), &size))
                return true;
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= m_buffer.size())
                return false;
            m_buffer.assign(size + 1, 0);
        }
        return false;
    }

    CUrlCacheFind m_find;
    std::vector<BYTE> m_buffer;
};

bool IsWanted(const INTERNET_CACHE_ENTRY_INFOA& entry, int mode) {
    bool isCookie = (entry.CacheEntryType & COOKIE_CACHE_ENTRY) != 0;
    return entry.lpszSourceUrlName && (mode == 1) == isCookie;
}

bool IsException(const char* url, const CStringArray* exceptions) {
    if (!exceptions || exceptions->GetSize() == 0)
        return false;
    CString lowered(url);
    lowered.MakeLower();
    for (int i = 0; i < exceptions->GetSize(); ++i) {
        if (lowered.Find(exceptions->GetAt(i)) >= 0)
            return true;
    }
    return false;
}

}  // namespace

int CHistoryCleaner::CleanUrlCache(int mode, const CStringArray* exceptions) {
    UrlCacheEntries entries;
    if (!entries.First())
        return 0;
    do {
        if (IsStopRequested())
            break;
        const INTERNET_CACHE_ENTRY_INFOA& entry = entries.Entry();
        if (IsWanted(entry, mode) && !IsException(entry.lpszSourceUrlName, exceptions))
            DeleteUrlCacheEntryA(entry.lpszSourceUrlName);
    } while (entries.Next());
    return 1;
}
