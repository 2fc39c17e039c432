// Recent lists, caches and logs of other programs: players, viewers, archivers, office suites,
// developer tools, Adobe products, messengers and the Remote Desktop client.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "SeedItems.h"
#include "TraceSeeder.h"

void CTraceSeeder::SeedProgramTraces() {
    SeedPlayersAndViewers();
    SeedOfficeAndDevTools();
    SeedMessengers();
}

void CTraceSeeder::SeedPlayersAndViewers() {
    const HKEY user = HKEY_CURRENT_USER;
    CString documents = ShellFolder(CSIDL_PERSONAL);
    CString roaming = ShellFolder(CSIDL_APPDATA);

    const char files[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
    TraceKey(kMediaPlayer, user, files);
    TraceString(kMediaPlayer, user, files, "File0", documents + "\\동영상\\가족여행 2023.wmv");
    TraceString(kMediaPlayer, user, files, "File1", documents + "\\music\\track01.mp3");
    const char urls[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList";
    TraceKey(kMediaPlayer, user, urls);
    TraceString(kMediaPlayer, user, urls, "URL0", "mms://media.sample-portal.co.kr/live");
    KeepDword("Media Player volume", user, "Software\\Microsoft\\MediaPlayer\\Preferences", "Volume", 50);

    const char dialogs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32";
    TraceKey(kFileDialogs, user, dialogs);
    TraceMruList(kFileDialogs, user, CString(dialogs) + "\\OpenSaveMRU\\txt",
                 {"C:\\Documents\\회의록 0115.txt", "C:\\Documents\\todo.txt"});
    TraceMruList(kFileDialogs, user, CString(dialogs) + "\\OpenSaveMRU\\*", {"C:\\Documents\\budget.csv"});
    TraceMruList(kFileDialogs, user, CString(dialogs) + "\\LastVisitedMRU", {"notepad.exe", "ALZip.exe"});
    TraceBinary(kFileDialogs, user, CString(dialogs) + "\\OpenSavePidlMRU\\jpg", "0", Filler("\x14\x1f\x50", 180));

    const char gom[] = "Software\\GRETECH\\GomPlayer\\OPTION";
    TraceString(kGomPlayer, user, gom, "sRecentFile", "D:\\Movies\\영화.avi");
    TraceString(kGomPlayer, user, gom, "sRecentFolder", "D:\\Movies");
    TraceString(kGomPlayer, user, gom, "sRecentPLFolder", "D:\\Playlists");
    TraceString(kGomPlayer, user, gom, "sRecentURL", "http://tv.sample-portal.co.kr/live.asx");
    TraceString(kGomPlayer, user, gom, "sURLFileName", "live.asx");
    TraceString(kGomPlayer, user, gom, "0_RECENTMEDIA", "D:\\Movies\\영화.avi|0:42:10");
    TraceString(kGomPlayer, user, gom, "1_RECENTMEDIA", "D:\\Movies\\drama01.mkv|0:12:00");
    TraceString(kGomPlayer, user, gom, "0_SUBFOLDER", "D:\\Movies\\Subtitles");
    TraceString(kGomPlayer, user, gom, "0_FAVORITE", "D:\\Movies\\best.avi");
    KeepString("GOM value named in lower case", user, gom, "2_recentmedia", "D:\\Movies\\kept.avi");
    KeepDword("GOM Player volume", user, gom, "nVolume", 80);
    CString gomFolder = roaming + "\\GRETECH\\GomPlayer";
    TraceFile(kGomPlayer, gomFolder + "\\capture\\영화_0042.jpg", Filler("\xFF\xD8\xFF\xE0", 46000));
    TraceFile(kGomPlayer, gomFolder + "\\playlist.tmp", "D:\\Movies\\영화.avi\r\n");
    KeepFile("desktop.ini of the GOM Player folder", gomFolder + "\\desktop.ini", "[.ShellClassInfo]\r\n");

    const char alsee[] = "Software\\ESTSoft\\ALSee\\Config";
    TraceString(kALSee, user, alsee, "LastExploredPath", "D:\\Photos\\2023 제주도");
    KeepDword("ALSee view mode", user, alsee, "ViewMode", 2);
    CString alseeFolder = roaming + "\\ESTsoft\\ALSEE";
    TraceFile(kALSee, alseeFolder + "\\Cache\\thumb0001.db", Filler("\x01\xA1", 64000));
    TraceFile(kALSee, alseeFolder + "\\Cache\\2023 제주도\\folder.db", Filler("\x01\xA2", 12000));
    TraceFile(kALSee, alseeFolder + "\\Temp\\edit_0001.jpg", Filler("\xFF\xD8\xFF\xE0", 30000));
    TraceFile(kALSee, alseeFolder + "\\PathHistory.dat", "D:\\Photos\r\nD:\\Photos\\2023 제주도\r\n");
    KeepFile("ALSee settings", alseeFolder + "\\ALSee.ini", "[Config]\r\nLanguage=ko\r\n");

    CString alzip = roaming + "\\ESTsoft\\ALZip";
    TraceFile(kALZip, alzip + "\\ExtractHistory.dat", "D:\\Downloads\\자료.zip\r\nD:\\Downloads\\fonts.alz\r\n");
    TraceFile(kALZip, alzip + "\\Recent\\자료.zip.lnk", Filler("L\x01", 600));
    KeepFile("desktop.ini of the ALZip folder", alzip + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the ALZip folder", alzip);

    TraceKey(kAdobe, user, "Software\\Adobe\\MediaBrowser\\MRU");
    TraceString(kAdobe, user, "Software\\Adobe\\MediaBrowser\\MRU", "Path0", "D:\\Photos\\2023 제주도");
    const char photoshop[] = "Software\\Adobe\\Photoshop\\11.0";
    TraceKey(kAdobe, user, CString(photoshop) + "\\VisitedDirs");
    TraceBinary(kAdobe, user, CString(photoshop) + "\\VisitedDirs", "Dir0", WideBytes(L"D:\\Photos"));
    KeepString("Photoshop setting", user, photoshop, "ApplicationPath", "C:\\Program Files\\Adobe\\Photoshop CS4\\");
    CString adobe = roaming + "\\Adobe";
    TraceFile(kAdobe, adobe + "\\Acrobat\\9.0\\Security\\addressbook.acrodata", Filler("\x01\x02", 5200));
    TraceFile(kAdobe, adobe + "\\Bridge CS4\\Cache\\data\\0001.cache", Filler("\x03\x04", 22000));
    TraceFile(kAdobe, adobe + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepEntry("Adobe application-data folder", SeedKind::Existing, adobe);
    KeepLinkInside("folder link in the Adobe folder", adobe);
}

void CTraceSeeder::SeedOfficeAndDevTools() {
    const HKEY user = HKEY_CURRENT_USER;
    CString documents = ShellFolder(CSIDL_PERSONAL);
    const char office[] = "Software\\Microsoft\\Office\\";
    struct OfficeList {
        const char* key;
        const char* value;
    };
    const OfficeList lists[] = {
        {"12.0\\Word\\File MRU", "Item 1"},
        {"12.0\\Excel\\File MRU", "Item 1"},
        {"12.0\\PowerPoint\\File MRU", "Item 1"},
        {"11.0\\Common\\Open Find\\Microsoft Office Word\\Settings\\Save As\\File Name MRU", "Value"},
        {"11.0\\Access\\Settings\\Recent Files", "MRU1"},
    };
    for (const OfficeList& list : lists) {
        CString key = CString(office) + list.key;
        TraceKey(kOffice, user, key);
        TraceString(kOffice, user, key, list.value, "[F00000000][T01DA4C2E5B1A0000]*" + documents + "\\budget.csv");
    }
    KeepDword("Word option", user, CString(office) + "12.0\\Word\\Options", "AutoSaveInterval", 10);
    const char frontPage[] = "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs";
    TraceKey(kOffice, user, frontPage);
    TraceString(kOffice, user, frontPage, "url1", "http://intranet/index.htm");
    const char applets[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\";
    TraceKey(kOffice, user, CString(applets) + "Wordpad\\Recent File List");
    TraceString(kOffice, user, CString(applets) + "Wordpad\\Recent File List", "File1", documents + "\\letter.rtf");
    TraceKey(kOffice, user, CString(applets) + "Paint\\Recent File List");
    TraceString(kOffice, user, CString(applets) + "Paint\\Recent File List", "File1", documents + "\\map.png");
    KeepDword("Paint view setting", user, CString(applets) + "Paint\\View", "ShowThumbnail", 1);
    CString officeRecent = ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\Office\\Recent";
    TraceFile(kOffice, officeRecent + "\\budget.csv.LNK", Filler("L\x01", 720));
    TraceFile(kOffice, officeRecent + "\\index.dat", "[Folders]\r\nDocuments.LNK=0\r\n");
    KeepFile("desktop.ini of the Office Recent folder", officeRecent + "\\desktop.ini", "[.ShellClassInfo]\r\n");

    const char* hwpVersions[] = {"7.0", "8.0"};
    for (const char* version : hwpVersions) {
        CString recent = CString("Software\\hnc\\hwp\\") + version + "\\RecentFile";
        TraceKey(kHwp, user, recent);
        TraceString(kHwp, user, recent, "file0", documents + "\\2024 사업계획서.hwp");
        TraceString(kHwp, user, recent, "file1", documents + "\\공문.hwp");
        KeepString("HWP version key", user, CString("Software\\hnc\\hwp\\") + version + "\\HwpFrame", "Left", "120");
    }
    const char nexcel[] = "software\\Nexsoft\\Nexcel\\";
    TraceKey(kHwp, user, CString(nexcel) + "Recent Dir List");
    TraceString(kHwp, user, CString(nexcel) + "Recent Dir List", "Dir1", documents);
    TraceKey(kHwp, user, CString(nexcel) + "Recent File List");
    TraceString(kHwp, user, CString(nexcel) + "Recent File List", "File1", documents + "\\매출.nxl");
    KeepDword("Nexcel option", user, CString(nexcel) + "Options", "GridLines", 1);

    const char* studios[] = {"Software\\Microsoft\\DevStudio\\6.0", "Software\\Microsoft\\DevStudio\\5.0"};
    for (const char* studio : studios) {
        CString recent = CString(studio) + "\\Recent File List";
        TraceKey(kDevStudio, user, recent);
        TraceString(kDevStudio, user, recent, "File1", "C:\\Projects\\tool\\main.cpp");
        TraceString(kDevStudio, user, recent, "File2", "C:\\Projects\\tool\\resource.h");
    }
    KeepString("DevStudio workspace list", user, "Software\\Microsoft\\DevStudio\\6.0\\Recent Workspace List",
               "Project1", "C:\\Projects\\tool\\tool.dsw");

    const char servers[] = "SOFTWARE\\Microsoft\\Terminal Server Client\\Servers";
    TraceKey(kRemoteDesktop, user, servers);
    TraceString(kRemoteDesktop, user, CString(servers) + "\\192.168.0.10", "UsernameHint", "OFFICE\\user");
    const char defaults[] = "SOFTWARE\\Microsoft\\Terminal Server Client\\Default";
    TraceKey(kRemoteDesktop, user, defaults);
    TraceString(kRemoteDesktop, user, defaults, "MRU0", "192.168.0.10");
    TraceString(kRemoteDesktop, user, defaults, "MRU1", "fileserver");
    KeepDword("Remote Desktop device setting", user, "SOFTWARE\\Microsoft\\Terminal Server Client\\LocalDevices",
              "192.168.0.10", 0x4d);
    TraceFile(kRemoteDesktop, documents + "\\Default.rdp",
              "screen mode id:i:2\r\nfull address:s:192.168.0.10\r\nusername:s:OFFICE\\user\r\n");
}

void CTraceSeeder::SeedMessengers() {
    const HKEY user = HKEY_CURRENT_USER;
    CString roaming = ShellFolder(CSIDL_APPDATA);
    CString local = ShellFolder(CSIDL_LOCAL_APPDATA);
    CString profile = ShellFolder(CSIDL_PROFILE);

    const char unread[] = "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail\\user@hotmail.com";
    TraceKey(kMsnMessenger, user, unread);
    TraceString(kMsnMessenger, user, unread, "Application", "msnmsgr");
    TraceBinary(kMsnMessenger, user, unread, "TimeStamp", Bytes({0x10, 0x32, 0x54, 0x76, 0x98, 0xba, 0xd9, 0x01}));
    const char messenger[] = "Software\\Microsoft\\MSNMessenger";
    TraceString(kMsnMessenger, user, messenger, "AppCompatCanary", "8.5.1302.1018");
    TraceKey(kMsnMessenger, user, CString(messenger) + "\\ListCache\\.NET Messenger Service");
    TraceBinary(kMsnMessenger, user, CString(messenger) + "\\ListCache\\.NET Messenger Service", "IdentityMRU",
                WideBytes(L"user@hotmail.com"));
    KeepBinary("Messenger received-files folder", user, messenger, "FtReceiveFolder",
               WideBytes(L"C:\\users\\user\\Documents\\My Received Files"));
    CString passport = CString(messenger) + "\\PerPassportSettings\\1234567890";
    KeepString("Messenger message log folder", user, passport, "MessageLogPath",
               "C:\\users\\user\\Documents\\My Received Files\\user@hotmail.com\\History");
    TraceBinary(kMsnMessenger, user, passport, "LastLogin", Bytes({0x01, 0x23, 0x45, 0x67}));
    const char live[] = "Software\\Microsoft\\Windows Live\\Messenger";
    TraceKey(kMsnMessenger, user, live);
    TraceString(kMsnMessenger, user, live, "SignInName", "user@hotmail.com");
    TraceFile(kMsnMessenger, profile + "\\Contacts\\user@hotmail.com.contact", Filler("<c:contact>", 2400));
    TraceFile(kMsnMessenger, profile + "\\Contacts\\desktop.ini", "[.ShellClassInfo]\r\n");
    KeepLinkInside("folder link in the contacts folder", profile + "\\Contacts");
    TraceFile(kMsnMessenger, roaming + "\\Microsoft\\Credentials\\DFBE70A7E5CC19A398EBF1B96859CE5D",
              Filler("\x01\x02", 480));
    TraceFile(kMsnMessenger, roaming + "\\Microsoft\\Windows Live Contacts\\{5f3b}\\DBStore\\contacts.edb",
              Filler("\xEF\xCD\xAB\x89", 65536));
    TraceFile(kMsnMessenger, roaming + "\\Microsoft\\MSN Messenger\\1234567890\\Sharing Folders\\list.xml",
              "<sharing/>\r\n");
    TraceFile(kMsnMessenger, local + "\\Microsoft\\Windows Live Contacts\\{5f3b}\\DBStore\\contacts.edb",
              Filler("\xEF\xCD\xAB\x89", 32768));
    TraceFile(kMsnMessenger, local + "\\Microsoft\\Messenger\\user@hotmail.com\\ObjectStore\\UserTile\\tile.dt2",
              Filler("\x89PNG", 9000));

    CString nateOn = "C:\\Program Files\\SK Communications\\NATEON";
    const char configuration[] = "Software\\SK Communications\\Messenger\\Configuration";
    KeepString("NateOn program folder setting", user, configuration, "Nateon Path", nateOn);
    const char settings[] = "Software\\SK Communications\\Messenger\\Settings";
    TraceKey(kNateOn, user, settings);
    TraceString(kNateOn, user, settings, "LastLoginID", "user@nate.com");
    TraceString(kNateOn, user, settings, "AutoLogin", "1");
    const char account[] = "user_nate_com_0123456789abcdef01";  // 31 characters or more: an account folder
    TraceFile(kNateOn, nateOn + "\\Temp\\download.tmp", Filler("\x01", 4000));
    TraceFile(kNateOn, nateOn + "\\Temp\\emoticon_01.gif", Filler("GIF89a", 1800));
    KeepFile("NateOn program", nateOn + "\\BIN\\NateOnMain.exe", Filler("MZ", 30000));
    TraceFile(kNateOn, nateOn + "\\BIN\\" + account + "\\buddy.dat", Filler("\x02", 6000));
    KeepFile("desktop.ini of a NateOn account folder", nateOn + "\\BIN\\" + account + "\\desktop.ini",
             "[.ShellClassInfo]\r\n");
    TraceFile(kNateOn, nateOn + "\\BIN\\maildata\\mail0001.eml", "Subject: 회의 일정\r\n\r\n내일 10시\r\n");
    TraceFile(kNateOn, nateOn + "\\BIN\\profile\\memodata\\memo0001.dat", Filler("\x03", 700));
    KeepFile("NateOn profile settings", nateOn + "\\BIN\\profile\\profile.ini", "[Profile]\r\nSkin=basic\r\n");
    CString nateOnData = local + "\\SK Communications\\NATEON";
    TraceFile(kNateOn, nateOnData + "\\Temp\\img0001.tmp", Filler("\x04", 1500));
    TraceFile(kNateOn, nateOnData + "\\" + account + "\\history\\chat0001.dat", "친구: 안녕하세요\r\n");
    TraceFile(kNateOn, nateOnData + "\\common\\chatdata\\room0001.log", "채팅방 기록\r\n");
    KeepFile("NateOn shared settings", nateOnData + "\\common\\config.ini", "[Common]\r\nVersion=4.0\r\n");

    CString buddyIni = WindowsFolder() + "\\buddybuddy.ini";
    CString buddy = "C:\\Program Files\\BuddyBuddy\\";
    if (WriteFileBytes(buddyIni, "[LOGON]\r\nID=buddyuser\r\nPW=5f4dcc3b\r\nAutoLogon=1\r\n\r\n[ROOT]\r\nPATH=" +
                                     std::string(buddy) + "\r\n\r\n[OPTION]\r\nSound=1\r\n")) {
        Cleanup(SeedKind::File, buddyIni);
        TraceSection(kBuddyBuddy, buddyIni, "LOGON");
        KeepEntry("BuddyBuddy program folder setting", SeedKind::IniSection, buddyIni, "ROOT");
        KeepEntry("BuddyBuddy options", SeedKind::IniSection, buddyIni, "OPTION");
    }
    const char buddyKey[] = "Software\\BuddyBuddy\\BuddyBuddy";
    TraceString(kBuddyBuddy, HKEY_LOCAL_MACHINE, buddyKey, "LID", "buddyuser");
    KeepString("BuddyBuddy version", HKEY_LOCAL_MACHINE, buddyKey, "Version", "3.5");
    TraceFile(kBuddyBuddy, buddy + "Users\\buddyuser\\friends.dat", Filler("\x05", 3000));
    TraceFile(kBuddyBuddy, buddy + "MSG\\buddyuser\\20240115.msg", "버디: 오늘 점심 어때?\r\n");
    KeepFile("BuddyBuddy program", buddy + "BuddyBuddy.exe", Filler("MZ", 28000));
}
