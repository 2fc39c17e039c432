#include "UrlCacheTraces.h"

#include <shlobj.h>
#include <wininet.h>

namespace {

const char kFarExpiry[] = "; expires=Sat, 01-Jan-2039 00:00:00 GMT";

// Wine keeps the entries' files in subfolders of "Content.IE5".
std::string EntryFolderRoot() {
    char cache[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, cache, CSIDL_INTERNET_CACHE, FALSE);
    return std::string(cache) + "\\Content.IE5";
}

}  // namespace

UrlCacheTraces::~UrlCacheTraces() {
    for (const Entry& entry : Entries()) {
        if (entry.url.find(kMarker) != std::string::npos)
            DeleteUrlCacheEntryA(entry.url.c_str());
    }
}

bool UrlCacheTraces::AddPage(const char* url, size_t headerBytes) {
    char file[MAX_PATH] = "";
    if (!CreateUrlCacheEntryA(url, 0, "html", file, 0))
        return false;
    HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(handle, "page", 4, &written, nullptr);
    CloseHandle(handle);
    std::string header(headerBytes, 'h');
    FILETIME never = {};
    return CommitUrlCacheEntryA(url, file, never, never, NORMAL_CACHE_ENTRY,
                                headerBytes ? reinterpret_cast<BYTE*>(&header[0]) : nullptr,
                                static_cast<DWORD>(headerBytes), nullptr, nullptr) != FALSE;
}

bool UrlCacheTraces::AddCookie(const char* url, const char* name) {
    std::string data = std::string("value") + kFarExpiry;
    return InternetSetCookieA(url, name, data.c_str()) != FALSE;
}

std::vector<UrlCacheTraces::Entry> UrlCacheTraces::Entries() {
    std::vector<Entry> entries;
    std::vector<BYTE> buffer(1 << 20);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
    if (!find)
        return entries;
    do {
        if (info->lpszSourceUrlName)
            entries.push_back({info->lpszSourceUrlName, (info->CacheEntryType & COOKIE_CACHE_ENTRY) != 0});
        size = static_cast<DWORD>(buffer.size());
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
    return entries;
}

bool UrlCacheTraces::Has(const char* part, bool cookie) {
    for (const Entry& entry : Entries()) {
        if (entry.cookie == cookie && entry.url.find(part) != std::string::npos)
            return true;
    }
    return false;
}

CacheFoldersKept::CacheFoldersKept() {
    // The first use of the cache in a process makes its folders.
    UrlCacheTraces::Entries();
    std::string root = EntryFolderRoot();
    m_folders.push_back(root);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((root + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && found.cFileName[0] != '.')
            m_folders.push_back(root + "\\" + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

CacheFoldersKept::~CacheFoldersKept() {
    for (const std::string& folder : m_folders)
        CreateDirectoryA(folder.c_str(), nullptr);
}
