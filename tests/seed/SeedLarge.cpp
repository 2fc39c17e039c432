// The profile of a heavy user, for the benchmark: a full Internet cache and long MRU lists.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "SeedItems.h"
#include "TraceSeeder.h"

namespace {

const int kCacheFolders = 100;
const int kFilesPerFolder = 500;
const int kMruKeys = 10;
const int kValuesPerKey = 500;

}  // namespace

void CTraceSeeder::SeedLargeProfile() {
    CString cache = ShellFolder(CSIDL_INTERNET_CACHE) + "\\Content.IE5";
    std::string content = Filler("<html><body>cached page of a busy profile</body></html>\r\n", 3300);
    for (int folder = 0; folder < kCacheFolders; ++folder) {
        CString path;
        path.Format("%s\\BULK%04d", (const char*)cache, folder);
        EnsureFolder(path);
        long long bytes = 0;
        int made = 0;
        for (int file = 0; file < kFilesPerFolder; ++file) {
            CString name;
            name.Format("%s\\page%04d[1].htm", (const char*)path, file);
            DWORD length = 300 + (file * 37 + folder * 11) % 3000;
            HANDLE handle = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE)
                continue;
            DWORD written = 0;
            WriteFile(handle, content.data(), length, &written, nullptr);
            CloseHandle(handle);
            bytes += written;
            ++made;
        }
        TraceEntry(kIETempFiles, SeedKind::Tree, path, "", made, bytes);
    }
    printf("  %d cache files in %d folders\n", kCacheFolders * kFilesPerFolder, kCacheFolders);

    const char pidlMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSavePidlMRU\\";
    std::string item = Filler("\x14\x1f\x50\xe0\x4f\xd0\x20\xea", 160);
    for (int key = 0; key < kMruKeys; ++key) {
        CString subkey;
        subkey.Format("%sbulk%02d", pidlMru, key);
        EnsureKey(HKEY_CURRENT_USER, subkey);
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
            continue;
        int made = 0;
        for (int value = 0; value < kValuesPerKey; ++value) {
            CString name;
            name.Format("%d", value);
            if (RegSetValueExA(handle, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(item.data()),
                               static_cast<DWORD>(item.size())) == ERROR_SUCCESS)
                ++made;
        }
        RegCloseKey(handle);
        TraceEntry(kFileDialogs, SeedKind::ValueCount, RegistryPath(HKEY_CURRENT_USER, subkey), "", made);
    }
    printf("  %d MRU values in %d keys\n", kMruKeys * kValuesPerKey, kMruKeys);
}
