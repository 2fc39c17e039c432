#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <urlhist.h>

#include "HistoryCleaner.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kTempFilesLow[] = "%LocalAppData%\\Microsoft\\Windows\\Temporary Internet Files\\Low";
const char kCookiesLow[] = "%AppData%\\Microsoft\\Windows\\Cookies\\Low";
const char kHistoryLow[] = "%LocalAppData%\\Microsoft\\Windows\\History\\Low";
const char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

const CLSID kUrlHistoryClsid = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};

// Cleaning runs on a worker thread that nothing else initialises COM for.
class ComScope {
public:
    ComScope() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (m_initialised)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_initialised;
};

void ClearUrlHistoryStore() {
    ComScope com;
    IUrlHistoryStg2* store = nullptr;
    if (FAILED(CoCreateInstance(kUrlHistoryClsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUrlHistoryStg2),
                                reinterpret_cast<void**>(&store))) ||
        !store)
        return;
    store->ClearHistory();
    store->Release();
}

// "<Windows>\History"; "" without a Windows folder, never a path from the drive's root.
CString WindowsHistoryFolder() {
    CString windows = CUtilityLib::GetWindowsDirectoryA();
    return windows.IsEmpty() ? CString() : windows + "\\History";
}

}  // namespace

void CHistoryCleaner::RemoveIETempFiles() {
    CleanUrlCache(0, nullptr);
    CleanFolder(TraceFolders::Special(CSIDL_INTERNET_CACHE), nullptr, false, false, true);
    CString low = TraceFolders::ExistingFolder(kTempFilesLow);
    if (!low.IsEmpty())
        CleanFolder(low, nullptr, false, false, true);
}

void CHistoryCleaner::RemoveIECookies(const CStringArray* exceptions) {
    CleanUrlCache(1, exceptions);
    CleanFolder(TraceFolders::Special(CSIDL_COOKIES), exceptions, false, false, true);
    CString low = TraceFolders::ExistingFolder(kCookiesLow);
    if (!low.IsEmpty())
        CleanFolder(low, exceptions, false, false, true);
}

void CHistoryCleaner::RemoveIEAddressBarHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kTypedUrlsKey);
    CleanUrlCache(0, nullptr);
}

void CHistoryCleaner::RemoveIEVisitWebSiteHistory() {
    ClearUrlHistoryStore();
    CString history = TraceFolders::Special(CSIDL_HISTORY);
    CleanFolder(WindowsHistoryFolder(), nullptr, false, true, true);
    CleanFolder(history, nullptr, false, true, true);
    CString low = TraceFolders::ExistingFolder(kHistoryLow);
    if (!low.IsEmpty())
        CleanFolder(low, nullptr, false, false, true);
    if (IsStopRequested())
        return;
    ResetIndexDat(history.IsEmpty() ? WindowsHistoryFolder() : history,
                  low.IsEmpty() ? nullptr : static_cast<const char*>(low));
}
