// Traces Windows itself keeps: temporary folders, recycle bin, recent documents, Run box and
// search histories, network places, prefetch, update leftovers, USB devices, tray icons.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <set>
#include <string>

#include "SeedItems.h"
#include "TraceSeeder.h"

namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char kSearchBars[] = "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::set<CString> FileNames(const char* folder) {
    std::set<CString> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(CString(folder) + "\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

long long RecycleBinItems() {
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    return SUCCEEDED(SHQueryRecycleBinA(nullptr, &info)) ? info.i64NumItems : 0;
}

std::string Utf16File(const char* ansiText) {
    int length = MultiByteToWideChar(CP_ACP, 0, ansiText, -1, nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiText, -1, &wide[0], length);
    wide.resize(length - 1);
    return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

}  // namespace

void CTraceSeeder::SeedWindowsTraces() {
    SeedTempAndRecycleBin();
    SeedRecentAndSearches();
    SeedPrefetch();
    SeedUpdates();
    SeedUsbAndTray();
}

void CTraceSeeder::SeedTempAndRecycleBin() {
    CString windowsTemp = WindowsFolder() + "\\Temp";
    TraceFile(kWindowsTemp, windowsTemp + "\\MSI4a1b2.LOG", Filler("=== Verbose logging started ===\r\n", 22000));
    TraceFile(kWindowsTemp, windowsTemp + "\\~DF7A21.tmp", Filler("\x01", 4096));
    TraceFile(kWindowsTemp, windowsTemp + "\\setup_7781\\data1.cab", Filler("MSCF", 64000));
    TraceFile(kWindowsTemp, windowsTemp + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the Windows temp folder", windowsTemp);

    CString temp = TempFolder();
    TraceFile(kWindowsTemp, temp + "\\~WRL0001.tmp", Filler("\x02", 8192));
    TraceFile(kWindowsTemp, temp + "\\hwp_autosave\\사업계획서.asv", Filler("HWP Document File", 30000));
    TraceFile(kWindowsTemp, temp + "\\setup-log\\install.log", Filler("copying file\r\n", 5000));
    TraceFile(kWindowsTemp, temp + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the temp folder", temp);

    CString lowTemp = ExpandedPath("%LocalAppData%\\Temp\\Low");
    TraceFile(kWindowsTemp, lowTemp + "\\cache_0001.dat", Filler("\x03", 2000));
    TraceFile(kWindowsTemp, lowTemp + "\\plugin\\state.dat", Filler("\x04", 700));
    KeepFile("desktop.ini of the low temp folder", lowTemp + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepFile(".tmp file of the low temp folder", lowTemp + "\\IE8A3.tmp", Filler("\x05", 512));
    KeepLinkInside("folder link in the low temp folder", lowTemp);

    CString source = CString(CSeedManifest::Folder()) + "\\recycled";
    struct Deleted {
        const char* name;
        size_t length;
    };
    const Deleted files[] = {{"지난 보고서.doc", 24000}, {"old-photo.jpg", 56000}, {"notes.txt", 900}};
    std::string list;
    long long bytes = 0;
    for (const Deleted& file : files) {
        std::string content = Filler("deleted by the user\r\n", file.length);
        CString path = source + "\\" + file.name;
        if (!WriteFileBytes(path, content))
            continue;
        bytes += static_cast<long long>(content.size());
        list.append(path.GetString(), path.GetLength() + 1);
    }
    list += '\0';
    long long before = RecycleBinItems();
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    int moved = SHFileOperationA(&operation) == 0 ? static_cast<int>(RecycleBinItems() - before) : 0;
    if (moved > 0)
        TraceEntry(kRecycleBin, SeedKind::RecycleBin, "", "", moved, bytes);
    else
        printf("  the recycle bin took nothing\n");
}

void CTraceSeeder::SeedRecentAndSearches() {
    CString documents = ShellFolder(CSIDL_PERSONAL);
    CString recent = ShellFolder(CSIDL_RECENT);
    std::set<CString> before = FileNames(recent);
    const char* documentNames[] = {"2024 사업계획서.txt", "budget.csv", "회의록 0115.txt"};
    for (const char* name : documentNames) {
        CString path = documents + "\\" + name;
        KeepFile("document in the documents folder", path, Filler("문서 내용 document text\r\n", 4000));
        SHAddToRecentDocs(SHARD_PATHA, path.GetString());
    }
    for (const CString& name : FileNames(recent)) {
        if (before.count(name))
            continue;
        CString path = recent + "\\" + name;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
            TraceEntry(kRecentDocuments, SeedKind::File, path, "", 1, data.nFileSizeLow);
    }
    TraceFile(kRecentDocuments, recent + "\\AutomaticDestinations\\1b4dd67f29cb1962.automaticDestinations-ms",
              Filler("\xD0\xCF\x11\xE0", 7680));
    KeepFile("desktop.ini of the Recent folder", recent + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the Recent folder", recent);

    CString recentDocs = CString(kExplorer) + "RecentDocs";
    TraceKey(kRecentDocuments, HKEY_CURRENT_USER, recentDocs);
    TraceBinary(kRecentDocuments, HKEY_CURRENT_USER, recentDocs + "\\.txt", "0",
                WideBytes(L"2024 business plan.txt") + Filler("\x14\x01", 40));
    TraceBinary(kRecentDocuments, HKEY_CURRENT_USER, recentDocs + "\\.txt", "MRUListEx", Bytes({0, 0, 0, 0, 255, 255, 255, 255}));
    TraceBinary(kRecentDocuments, HKEY_CURRENT_USER, recentDocs + "\\Folder", "0", WideBytes(L"Documents"));

    TraceMruList(kRunHistory, HKEY_CURRENT_USER, CString(kExplorer) + "RunMRU",
                 {"notepad\\1", "cmd\\1", "regedit\\1", "\\\\fileserver\\자료실\\1"});

    TraceMruList(kFindFiles, HKEY_CURRENT_USER, CString(kExplorer) + "Doc Find Spec MRU",
                 {"*.hwp", "사업계획서", "budget"});
    KeepString("search bar settings", HKEY_CURRENT_USER, kSearchBars, "BarSize", "320");
    const char* findMrus[] = {"ContainingTextMRU", "FilesNamedMRU"};
    for (const char* mru : findMrus) {
        CString key = CString(kSearchBars) + "\\" + mru;
        TraceKey(kFindFiles, HKEY_CURRENT_USER, key);
        TraceBinary(kFindFiles, HKEY_CURRENT_USER, key, "0", WideBytes(L"invoice"));
        TraceBinary(kFindFiles, HKEY_CURRENT_USER, key, "1", WideBytes(L"2024"));
    }

    TraceMruList(kFindComputer, HKEY_CURRENT_USER, CString(kExplorer) + "FindComputerMRU", {"FILESERVER", "PRINTSERVER"});
    CString computerNames = CString(kSearchBars) + "\\ComputerNameMRU";
    TraceKey(kFindComputer, HKEY_CURRENT_USER, computerNames);
    TraceBinary(kFindComputer, HKEY_CURRENT_USER, computerNames, "0", WideBytes(L"FILESERVER"));

    CString netHood = ShellFolder(CSIDL_NETHOOD);
    TraceFile(kNetworkPlaces, netHood + "\\자료실 (fileserver)\\target.lnk", Filler("L\x01", 420));
    KeepFile("desktop.ini of a network place", netHood + "\\자료실 (fileserver)\\desktop.ini",
             "[.ShellClassInfo]\r\nCLSID2={0AFACED1-E828-11D1-9187-B532F1E9575D}\r\n");
    TraceFile(kNetworkPlaces, netHood + "\\printserver.lnk", Filler("L\x01", 380));
    KeepFile("desktop.ini of the network places", netHood + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the network places", netHood);
}

void CTraceSeeder::SeedPrefetch() {
    CString prefetch = WindowsFolder() + "\\Prefetch";
    struct PrefetchFile {
        const char* name;
        double ageHours;
        bool removed;
    };
    const PrefetchFile files[] = {
        {"NOTEPAD.EXE-D8414F97.pf", 50, true},      {"HWP.EXE-1A2B3C4D.pf", 25, true},
        {"SETUP.EXE-0F0E0D0C.pf", 400, true},       {"ReadyBoot\\OLDTOOL.EXE-11111111.pf", 80, true},
        {"CALC.EXE-77B1F2C6.pf", 1, false},         {"MSPAINT.EXE-5E6F7A8B.pf", 23, false},
        {"NTOSBOOT-B00DFAAD.pf", 300, false},       {"AgAppLaunch.db", 300, false},
        {"ReadyBoot\\ReadyBoot.etl", 300, false},
    };
    for (const PrefetchFile& file : files) {
        CString path = prefetch + "\\" + file.name;
        std::string content = Filler("SCCA\x11", 9000 + 137 * lstrlenA(file.name));
        if (file.removed)
            TraceFile(kPrefetch, path, content);
        else
            KeepFile(file.ageHours < 24 ? "prefetch file younger than a day" : "prefetch file the items keep", path,
                     content);
        SetLastWriteAge(path, file.ageHours);
    }
    KeepLinkInside("folder link in the prefetch folder", prefetch);

    CString layout = prefetch + "\\Layout.ini";
    CString windows = WindowsFolder();
    CString kept[] = {"Version=1", windows + "\\system32\\ntdll.dll", windows + "\\system32\\kernel32.dll",
                      windows + "\\system32"};
    const char* stale[] = {"C:\\Program Files\\OldApp\\OldApp.exe", "C:\\Program Files\\OldApp\\OldCore.dll",
                           "C:\\Documents and Settings\\user\\Local Settings\\Temp\\~setup.tmp"};
    CString text = "[OptimalLayoutFile]\r\n";
    text += kept[0] + "\r\n" + kept[1] + "\r\n" + stale[0] + "\r\n" + kept[2] + "\r\n" + stale[1] + "\r\n" +
            kept[3] + "\r\n" + stale[2] + "\r\n";
    // Windows writes Layout.ini in UTF-16.
    if (WriteFileBytes(layout, Utf16File(text))) {
        Cleanup(SeedKind::File, layout);
        for (const CString& line : kept)
            KeepEntry("Layout.ini line of an existing path", SeedKind::IniLine, layout, line);
        for (const char* line : stale)
            TraceEntry(kPrefetchLayout, SeedKind::IniLine, layout, line);
    }
}

void CTraceSeeder::SeedUpdates() {
    CString windows = WindowsFolder();
    TraceFile(kUpdateLogs, windows + "\\KB2345678.log", Filler("Update.exe: started\r\n", 12000));
    TraceFile(kUpdateLogs, windows + "\\KB958644.log", Filler("Update.exe: started\r\n", 6000));
    KeepFile("file inside a folder named KB*.log", windows + "\\KB555555.log\\note.txt", "a folder, not a log");
    KeepFile("Windows Update log", windows + "\\WindowsUpdate.log", Filler("AU  ###########\r\n", 3000));

    CString hotfix = windows + "\\$NtUninstallKB123456$";
    TraceFile(kUpdateBackups, hotfix + "\\spuninst\\spuninst.exe", Filler("MZ", 24000));
    TraceFile(kUpdateBackups, hotfix + "\\spuninst\\updspapi.dll", Filler("MZ", 18000));
    TraceFile(kUpdateBackups, hotfix + "\\kernel32.dll", Filler("MZ", 40000));
    CString entry = CString(kUninstall) + "KB123456";
    KeepKey("Uninstall entry of an update", HKEY_LOCAL_MACHINE, entry);
    CString command = "\"" + hotfix + "\\spuninst\\spuninst.exe\"";
    SetValue(HKEY_LOCAL_MACHINE, entry, "UninstallString", REG_SZ, command.GetString(), command.GetLength() + 1);
    const char location[] = "HKLM\\SOFTWARE\\Microsoft\\Updates\\Windows XP\\SP3\\KB123456";
    SetValue(HKEY_LOCAL_MACHINE, entry, "RegistryLocation", REG_SZ, location, sizeof location);
    CString updateKey = "SOFTWARE\\Microsoft\\Updates\\Windows XP\\SP3\\KB123456";
    TraceKey(kUpdateBackups, HKEY_LOCAL_MACHINE, updateKey);
    TraceString(kUpdateBackups, HKEY_LOCAL_MACHINE, updateKey, "Description", "Security Update for Windows XP");
    TraceString(kUpdateBackups, HKEY_LOCAL_MACHINE, updateKey, "InstalledDate", "2024-01-10");
    KeepKey("update key no uninstall entry names", HKEY_LOCAL_MACHINE,
            "SOFTWARE\\Microsoft\\Updates\\Windows XP\\SP3\\KB999999");

    TraceFile(kUpdateBackups, windows + "\\$NtUninstallKB654321$\\mshtml.dll", Filler("MZ", 30000));
    TraceFile(kUpdateBackups, windows + "\\$NtServicePackUninstall$\\ntoskrnl.exe", Filler("MZ", 50000));
    TraceFile(kUpdateBackups, windows + "\\ie7updates\\KB938127-IE7\\iexplore.exe", Filler("MZ", 20000));
    TraceFile(kUpdateBackups, windows + "\\ie8updates\\KB976325-IE8\\mshtml.dll", Filler("MZ", 26000));
    TraceFile(kUpdateBackups, windows + "\\$hf_mig$\\KB111111\\SP3QFE\\win32k.sys", Filler("MZ", 34000));
    TraceFile(kUpdateBackups, windows + "\\$hf_mig$\\KB222222\\update\\update.exe", Filler("MZ", 15000));
    KeepFile("file directly in $hf_mig$", windows + "\\$hf_mig$\\hf_mig.log", "hotfix migration\r\n");
    KeepLinkInside("folder link in $hf_mig$", windows + "\\$hf_mig$");
    KeepFile("installer backup folder of another kind", windows + "\\$MSI31Uninstall_KB893803v2$\\msi.dll",
             Filler("MZ", 9000));
    KeepFile("update folder without a version digit", windows + "\\ieupdate\\readme.txt", "no digit, no match\r\n");
    KeepFile("other folder of the Windows folder", windows + "\\SampleVendor\\vendor.dat", Filler("vendor", 800));
    KeepEntry("system folder of Windows", SeedKind::Existing, windows + "\\system32\\kernel32.dll");
    KeepEntry("fonts folder of Windows", SeedKind::Existing, windows + "\\Fonts");

    CString app = "C:\\Program Files\\SampleApp";
    KeepFile("uninstaller of an installed program", app + "\\uninst.exe", Filler("MZ", 12000));
    CString appEntry = CString(kUninstall) + "SampleApp";
    CString appCommand = "\"" + app + "\\uninst.exe\"";
    KeepString("Uninstall entry of an installed program", HKEY_LOCAL_MACHINE, appEntry, "UninstallString", appCommand);
}

void CTraceSeeder::SeedUsbAndTray() {
    const char* enumRoots[] = {"SYSTEM\\CurrentControlSet\\Enum", "SYSTEM\\ControlSet001\\Enum"};
    for (const char* root : enumRoots) {
        CString usb = CString(root) + "\\USB";
        CString stick = usb + "\\VID_0781&PID_5567\\4C530001230712345678";
        TraceKey(kUsbDevices, HKEY_LOCAL_MACHINE, stick);
        TraceString(kUsbDevices, HKEY_LOCAL_MACHINE, stick, "DeviceDesc", "USB Mass Storage Device");
        TraceString(kUsbDevices, HKEY_LOCAL_MACHINE, stick, "Mfg", "Compatible USB storage device");
        TraceBinary(kUsbDevices, HKEY_LOCAL_MACHINE, stick + "\\Device Parameters", "SymbolicName",
                    WideBytes(L"\\??\\USB#VID_0781&PID_5567#4C530001230712345678"));
        CString mouse = usb + "\\VID_046D&PID_C52B\\5&1a2b3c4d&0&1";
        TraceKey(kUsbDevices, HKEY_LOCAL_MACHINE, mouse);
        TraceString(kUsbDevices, HKEY_LOCAL_MACHINE, mouse, "DeviceDesc", "USB Composite Device");
        KeepString("USB root hub key", HKEY_LOCAL_MACHINE, usb + "\\ROOT_HUB20\\4&2a1b3c4d&0", "DeviceDesc",
                   "USB Root Hub");
        KeepString("device below a USB root hub", HKEY_LOCAL_MACHINE,
                   usb + "\\ROOT_HUB20\\4&2a1b3c4d&0\\Device Parameters", "Port", "1");
        CString storage = CString(root) + "\\USBSTOR\\Disk&Ven_Sample&Prod_Stick&Rev_1.00\\4C530001230712345678&0";
        TraceKey(kUsbDevices, HKEY_LOCAL_MACHINE, storage);
        TraceString(kUsbDevices, HKEY_LOCAL_MACHINE, storage, "FriendlyName", "Sample Stick USB Device");
    }
    CString older = "SYSTEM\\ControlSet002\\Enum\\USBSTOR\\Disk&Ven_Sample&Prod_Card&Rev_2.00\\0000000000001&0";
    TraceKey(kUsbDevices, HKEY_LOCAL_MACHINE, older);
    TraceString(kUsbDevices, HKEY_LOCAL_MACHINE, older, "FriendlyName", "Sample Card USB Device");

    CString windows = WindowsFolder();
    TraceFile(kUsbDevices, windows + "\\setupapi.log", Filler("[2024/01/15 09:12:44 1234.5]\r\n#-019 USBSTOR\r\n", 40000));
    TraceFile(kUsbDevices, windows + "\\setupapi.log.bak", Filler("[2023/12/01 10:00:00 1000.1]\r\n", 9000));
    KeepFile("device installation log in the inf folder", windows + "\\inf\\setupapi.dev.log",
             Filler(">>>  [Device Install]\r\n", 5000));

    const char* trayKeys[] = {
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
        "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify"};
    for (const char* key : trayKeys) {
        TraceBinary(kTrayIcons, HKEY_CURRENT_USER, key, "IconStreams", Filler("\x14\x01\x02\x03", 1640));
        TraceBinary(kTrayIcons, HKEY_CURRENT_USER, key, "PastIconsStream", Filler("\x14\x01\x05", 820));
        KeepBinary("other tray setting", HKEY_CURRENT_USER, key, "UserStartTime", Bytes({0x80, 0x3e, 0x1d, 0x5a, 0x1, 0xd9, 0x1, 0}));
    }
}
