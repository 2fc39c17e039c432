#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"

using FileProbe::Exists;
using RegProbe::KeyExists;
using RegProbe::ValueExists;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;

}  // namespace

TEST(OfficeTraces, DeletesRecentListKeysAnywhereBelowOfficeByWholeNameWithoutCase) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\File MRU", "Item 1", "[F00000000]*C:\\a.doc");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\12.0\\Excel\\file name mru", "Item 1", "C:\\b.xls");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\ADAL_1\\File MRU", "Item 1", "C:\\c");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\11.0\\PowerPoint\\RECENT FILES", "1", "C:\\d.ppt");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\File MRU Backup", "Item 1", "kept");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\Place MRU", "Item 1", "kept");
    profile.SetText(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\Options", "Zoom", "100");

    RunItem(20);

    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\File MRU"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Office\\12.0\\Excel\\file name mru"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\ADAL_1\\File MRU"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Office\\11.0\\PowerPoint\\RECENT FILES"));
    EXPECT_TRUE(KeyExists(kUser, "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\ADAL_1"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\File MRU Backup", "Item 1"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\Place MRU", "Item 1"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Office\\12.0\\Word\\Options", "Zoom"));
}

TEST(OfficeTraces, DeletesFrontPageAppletAndRecentDocumentListsAndTheRecentFolder) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs", "URL1", "http://x/");
    profile.SetText(kUser, "Software\\Microsoft\\FrontPage\\Editor", "Mode", "1");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "File1",
                    "C:\\a.bmp");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\View", "Grid", "0");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\\.txt", "0", "a.txt");
    CString recent = profile.MakeFolder(SandboxFolder(CSIDL_APPDATA) + "\\Microsoft\\Office\\Recent");
    profile.MakeFile(recent + "\\a.doc.LNK");
    profile.MakeFile(recent + "\\index.dat");
    profile.MakeFile(recent + "\\old\\b.xls.LNK");
    CString desktopIni = profile.MakeFile(recent + "\\desktop.ini");

    RunItem(20);

    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\FrontPage\\Editor", "Mode"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\View", "Grid"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"));
    EXPECT_TRUE(FileProbe::IsFolder(recent));
    EXPECT_FALSE(Exists(recent + "\\a.doc.LNK"));
    EXPECT_FALSE(Exists(recent + "\\index.dat"));
    EXPECT_FALSE(Exists(recent + "\\old"));
    EXPECT_TRUE(Exists(desktopIni));
}

TEST(HwpTraces, DeletesTheRecentFileKeyOfEveryVersionAndKeepsTheVersionKeys) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\hnc\\hwp\\7.0\\RecentFile", "file0", "C:\\a.hwp");
    profile.SetText(kUser, "Software\\hnc\\hwp\\7.0\\RecentFile\\Pos", "file0", "3");
    profile.SetText(kUser, "Software\\hnc\\hwp\\7.0", "Path", "C:\\HNC");
    profile.SetText(kUser, "Software\\hnc\\hwp\\8.0\\RecentFile", "file0", "C:\\b.hwp");
    profile.SetText(kUser, "Software\\hnc\\hwp\\8.0\\Options", "Zoom", "100");
    profile.SetText(kUser, "Software\\Nexsoft\\Nexcel\\Recent Dir List", "0", "C:\\docs");
    profile.SetText(kUser, "Software\\Nexsoft\\Nexcel\\Recent File List", "0", "C:\\docs\\a.nxl");
    profile.SetText(kUser, "Software\\Nexsoft\\Nexcel\\Options", "Grid", "1");

    RunItem(21);

    EXPECT_FALSE(KeyExists(kUser, "Software\\hnc\\hwp\\7.0\\RecentFile"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\hnc\\hwp\\8.0\\RecentFile"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\hnc\\hwp\\7.0", "Path"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\hnc\\hwp\\8.0\\Options", "Zoom"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Nexsoft\\Nexcel\\Recent Dir List"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Nexsoft\\Nexcel\\Recent File List"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Nexsoft\\Nexcel\\Options", "Grid"));
}

TEST(DevStudioTraces, DeletesRecentFileListsBelowDevStudioOnly) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Microsoft\\DevStudio\\6.0\\Recent File List", "File1", "C:\\a.cpp");
    profile.SetText(kUser, "Software\\Microsoft\\DevStudio\\6.0\\Recent Workspace List", "Project1", "C:\\a.dsw");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "File1",
                    "C:\\a.bmp");

    CHistoryCleaner().RemoveMSDevStudioRecentHistory();

    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\DevStudio\\6.0\\Recent File List"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\DevStudio\\6.0\\Recent Workspace List", "Project1"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
                            "File1"));
}
