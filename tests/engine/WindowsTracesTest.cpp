#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include "CFileFind.h"
#include "FileProbe.h"
#include "Handle.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "TraceFixtures.h"
#include "UtilityLib.h"

using FileProbe::Exists;
using namespace TraceFixtures;

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kSearchBarKey[] = "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";

CString ShellFolder(int csidl) {
    char folder[MAX_PATH] = {};
    return SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE) ? CString(folder) : CString();
}

CString TempPath() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    CString path(folder);
    path.TrimRight('\\');
    return path;
}

// Names beginning with prefix in a folder of the host, reached through Wine's "\\?\unix" paths.
int CountEntries(const CString& unixFolder, const char* prefix) {
    CString pattern = "\\\\?\\unix" + unixFolder + "/" + prefix + "*";
    pattern.Replace('/', '\\');
    int count = 0;
    CFileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        ++count;
    }
    return count;
}

CString TrashFilesFolder() {
    char data[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", data, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? CString(data) + "/Trash/files" : CString();
}

}  // namespace

// The test program's own fixtures live in the temp folder, so this test keeps its outside
// tree on drive C and accepts that the temp folder is emptied.
TEST(RemoveWindowsTempFiles, EmptiesBothTempFoldersAndTheLowFolderByItsOwnRules) {
    CString windowsTemp = WindowsFolder() + "\\Temp";
    SeededPath windowsSeed(windowsTemp + "\\vantrel-seed");
    MakeFileAt(windowsSeed / "a.txt");
    MakeFileAt(windowsSeed / "desktop.ini");
    SeededPath windowsTmp(MakeFileAt(windowsTemp + "\\vantrel-seed.tmp"));
    SeededPath userSeed(MakeFileAt(TempPath() + "\\vantrel-seed.tmp"));
    SeededPath userFolder(TempPath() + "\\vantrel-seed");
    MakeFileAt(userFolder / "desktop.ini");

    char low[MAX_PATH];
    ASSERT_GT(ExpandEnvironmentStringsA("%LocalAppData%\\Temp\\Low", low, MAX_PATH), 0u);
    EnsuredFolder lowFolder(low);
    SeededPath lowTmp(MakeFileAt(lowFolder / "vantrel-seed.tmp"));
    SeededPath lowFolderSeed(lowFolder / "vantrel-seed");
    CString lowDesktopIni = MakeFileAt(lowFolderSeed / "desktop.ini");
    SeededPath lowText(MakeFileAt(lowFolder / "vantrel-seed.txt"));

    OutsideFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.txt");
    SeededPath link(windowsTemp + "\\vantrel-link");
    ASSERT_TRUE(HostTools::MakeSymlink(link, outside / "target"));

    CHistoryCleaner engine;
    RunItem(6, engine);

    EXPECT_FALSE(Exists(windowsSeed));
    EXPECT_FALSE(Exists(windowsTmp));
    EXPECT_FALSE(Exists(userSeed));
    EXPECT_FALSE(Exists(userFolder));
    EXPECT_TRUE(Exists(lowTmp));
    EXPECT_TRUE(Exists(lowDesktopIni));
    EXPECT_FALSE(Exists(lowText));
    EXPECT_TRUE(FileProbe::IsLink(link));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
}

// Wine leaves folders in its trash when emptying it, so only files are seeded.
TEST(EmptyWindowsRecycleBin, EmptiesTheTrashOfFilesDeletedToIt) {
    CString trash = TrashFilesFolder();
    ASSERT_FALSE(trash.IsEmpty());
    OutsideFolder folder;
    CString first = folder.MakeFile("vantrel-recycled-1.txt");
    CString second = folder.MakeFile("vantrel-recycled-2.txt");
    ASSERT_EQ(1, CUtilityLib::SHDeleteFile(first, nullptr, 0));
    ASSERT_EQ(1, CUtilityLib::SHDeleteFile(second, nullptr, 0));
    ASSERT_FALSE(Exists(first));
    ASSERT_GE(CountEntries(trash, "vantrel-recycled-"), 2);

    CHistoryCleaner engine;
    RunItem(7, engine);

    EXPECT_EQ(0, CountEntries(trash, "vantrel-recycled-"));
}

TEST(RemoveWindowsRecentDocumentHistory, CleansTheRecentFolderButDesktopIniAndDeletesRecentDocs) {
    CString recent = ShellFolder(CSIDL_RECENT);
    ASSERT_FALSE(recent.IsEmpty());
    bool hadDesktopIni = Exists(recent + "\\desktop.ini");
    SeededPath desktopIni(hadDesktopIni ? CString() : MakeFileAt(recent + "\\desktop.ini", "[.ShellClassInfo]"));
    SeededPath shortcut(MakeFileAt(recent + "\\vantrel-report.lnk"));
    SeededPath tmp(MakeFileAt(recent + "\\vantrel-report.tmp"));
    SeededPath subfolder(recent + "\\vantrel-sub");
    MakeFileAt(subfolder / "nested.lnk");
    OutsideFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.txt");
    SeededPath link(recent + "\\vantrel-link");
    ASSERT_TRUE(HostTools::MakeSymlink(link, outside / "target"));

    CString recentDocs = CString(kExplorerKey) + "\\RecentDocs";
    SeededKey docs(HKEY_CURRENT_USER, recentDocs);
    SetText(HKEY_CURRENT_USER, recentDocs + "\\.txt", "0", "report.txt");

    CHistoryCleaner engine;
    RunItem(8, engine);

    EXPECT_TRUE(Exists(recent + "\\desktop.ini"));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_FALSE(Exists(tmp));
    EXPECT_FALSE(Exists(subfolder));
    EXPECT_TRUE(FileProbe::IsLink(link));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, recentDocs));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kExplorerKey));
}

TEST(RemoveWindowsFindHistories, EachDeletesItsOwnMruKeysWithSubkeysAndNoOthers) {
    CString docFind = CString(kExplorerKey) + "\\Doc Find Spec MRU";
    CString containingText = CString(kSearchBarKey) + "\\ContainingTextMRU";
    CString filesNamed = CString(kSearchBarKey) + "\\FilesNamedMRU";
    CString findComputer = CString(kExplorerKey) + "\\FindComputerMRU";
    CString computerName = CString(kSearchBarKey) + "\\ComputerNameMRU";
    EnsuredKey explorerBars(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Explorer Bars");
    SeededKey seeds[] = {
        {HKEY_CURRENT_USER, docFind},        {HKEY_CURRENT_USER, containingText},
        {HKEY_CURRENT_USER, filesNamed},     {HKEY_CURRENT_USER, findComputer},
        {HKEY_CURRENT_USER, computerName},   {HKEY_CURRENT_USER, CString(kSearchBarKey) + "\\VantrelKeepMRU"},
    };
    SetText(HKEY_CURRENT_USER, docFind + "\\deeper", "a", "report");
    SetText(HKEY_CURRENT_USER, findComputer + "\\deeper", "a", "server");

    CHistoryCleaner engine;
    RunItem(10, engine);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, docFind));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, containingText));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, filesNamed));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, findComputer + "\\deeper"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, computerName));

    RunItem(11, engine);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, findComputer));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, computerName));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, CString(kSearchBarKey) + "\\VantrelKeepMRU"));
}

TEST(RemoveWindowsNetworkConnectionHistory, CleansNetworkPlacesButDesktopIni) {
    CString netHood = ShellFolder(CSIDL_NETHOOD);
    ASSERT_FALSE(netHood.IsEmpty());
    bool hadDesktopIni = Exists(netHood + "\\desktop.ini");
    SeededPath desktopIni(hadDesktopIni ? CString() : MakeFileAt(netHood + "\\desktop.ini", "[.ShellClassInfo]"));
    SeededPath place(netHood + "\\vantrel on server");
    MakeFileAt(place / "target.lnk");
    MakeFileAt(place / "desktop.ini");
    SeededPath tmp(MakeFileAt(netHood + "\\vantrel.tmp"));

    CHistoryCleaner engine;
    RunItem(12, engine);

    EXPECT_TRUE(Exists(netHood + "\\desktop.ini"));
    EXPECT_FALSE(Exists(place / "target.lnk"));
    EXPECT_TRUE(Exists(place / "desktop.ini"));
    EXPECT_FALSE(Exists(tmp));
}

TEST(RemoveWindowsUpdateLogFile, DeletesUpdateLogFilesOfTheWindowsFolderOnly) {
    CString windows = WindowsFolder();
    SeededPath log(MakeFileAt(windows + "\\KB900001.log"));
    SeededPath lowerCaseLog(MakeFileAt(windows + "\\kb900002.LOG"));
    SeededPath folderNamedLikeLog(windows + "\\KB900003.log");
    MakeFileAt(folderNamedLikeLog / "inside.log");
    SeededPath otherFile(MakeFileAt(windows + "\\KB900004.txt"));
    SeededPath nestedFolder(windows + "\\vantrel-logs");
    CString nestedLog = MakeFileAt(nestedFolder / "KB900005.log");

    CHistoryCleaner engine;
    RunItem(39, engine);

    EXPECT_FALSE(Exists(log));
    EXPECT_FALSE(Exists(lowerCaseLog));
    EXPECT_TRUE(Exists(folderNamedLikeLog / "inside.log"));
    EXPECT_TRUE(Exists(otherFile));
    EXPECT_TRUE(Exists(nestedLog));
}

TEST(RemoveWindowsUpdateLogFile, DeletesNothingOnceStopped) {
    SeededPath log(MakeFileAt(WindowsFolder() + "\\KB900006.log"));
    CHandle stop(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    CHistoryCleaner engine(nullptr, stop);

    engine.RemoveWindowsUpdateLogFile();

    EXPECT_TRUE(Exists(log));
}
