#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "FileProbe.h"
#include "ProgramTraceProfile.h"

using FileProbe::Exists;
using RegProbe::KeyExists;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;
const char kPlayer[] = "Software\\Microsoft\\MediaPlayer\\Player";
const char kGomOption[] = "Software\\GRETECH\\GomPlayer\\OPTION";

}  // namespace

TEST(MediaPlayerTraces, DeletesTheRecentFileAndUrlListsOnly) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0", "C:\\a.avi");
    profile.SetText(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList", "URL0", "http://x/");
    profile.SetText(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\Settings", "Volume", "50");
    profile.SetText(kUser, kPlayer, "Skin", "classic");

    RunItem(14);

    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList"));
    EXPECT_TRUE(RegProbe::ValueExists(kUser, "Software\\Microsoft\\MediaPlayer\\Player\\Settings", "Volume"));
    EXPECT_TRUE(RegProbe::ValueExists(kUser, kPlayer, "Skin"));
}

TEST(ComDlgTraces, DeletesTheWholeComDlg32TreeAndNoSibling) {
    const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\txt", "a",
                    "C:\\a.txt");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU", "a",
                    "notepad.exe");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32Kept", "a", "x");

    RunItem(17);

    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32"));
    EXPECT_TRUE(KeyExists(kUser, kExplorer));
    EXPECT_TRUE(RegProbe::ValueExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32Kept", "a"));
}

TEST(GomPlayerTraces, DeletesRecentValuesAndExactCaseListValuesWithoutSkippingAny) {
    ProgramTraceProfile profile;
    const char* recent[] = {"sRecentFile", "sRecentFolder", "sRecentPLFolder", "sRecentURL", "sURLFileName"};
    for (const char* name : recent)
        profile.SetText(kUser, kGomOption, name, "C:\\movie.avi");
    // Consecutive matches: deleting while enumerating by index would pass every second one over.
    for (int i = 0; i < 8; ++i) {
        CString name;
        name.Format("%d_RECENTMEDIA", i);
        profile.SetText(kUser, kGomOption, name, "C:\\movie.avi");
    }
    profile.SetText(kUser, kGomOption, "Main_SUBFOLDER", "C:\\movies");
    profile.SetText(kUser, kGomOption, "X_FAVORITE_2", "C:\\fav.avi");
    // Value names ignore case, so the kept lower-case names differ in more than their case.
    const std::set<std::string> kept = {"Last_recentmedia", "Dir_subfolder", "sRecentFileMax", "Volume", "_Favorite"};
    for (const std::string& name : kept)
        profile.SetText(kUser, kGomOption, name.c_str(), "1");

    RunItem(18);

    EXPECT_EQ(kept, RegProbe::ValueNames(kUser, kGomOption));
}

TEST(GomPlayerTraces, CleansItsRoamingFolderButKeepsDesktopIni) {
    ProgramTraceProfile profile;
    CString gom = profile.MakeFolder(SandboxFolder(CSIDL_APPDATA) + "\\GRETECH\\GomPlayer");
    profile.MakeFile(gom + "\\playlist.pls");
    profile.MakeFile(gom + "\\cache\\thumb.bmp");
    profile.MakeFile(gom + "\\snap.tmp");
    CString desktopIni = profile.MakeFile(gom + "\\desktop.ini");

    RunItem(18);

    EXPECT_TRUE(FileProbe::IsFolder(gom));
    EXPECT_FALSE(Exists(gom + "\\playlist.pls"));
    EXPECT_FALSE(Exists(gom + "\\cache"));
    EXPECT_FALSE(Exists(gom + "\\snap.tmp"));
    EXPECT_TRUE(Exists(desktopIni));
}
