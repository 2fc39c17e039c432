#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "FileProbe.h"
#include "ProgramTraceProfile.h"
#include "ScopedEnvironment.h"
#include "TestFixtures.h"

using FileProbe::Exists;
using FileProbe::IsFolder;
using RegProbe::KeyExists;
using RegProbe::ValueExists;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;

CString RoamingFolder(const char* relative) { return SandboxFolder(CSIDL_APPDATA) + "\\" + relative; }

}  // namespace

TEST(ALSeeTraces, DeletesTheLastPathCacheTempAndPathHistory) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\ESTSoft\\ALSee\\Config", "LastExploredPath", "C:\\photos");
    profile.SetText(kUser, "Software\\ESTSoft\\ALSee\\Config", "ThumbSize", "96");
    CString alsee = profile.MakeFolder(RoamingFolder("ESTsoft\\ALSEE"));
    profile.MakeFile(alsee + "\\Cache\\a.jpg.cache");
    profile.MakeFile(alsee + "\\Cache\\sub\\b.cache");
    CString cacheIni = profile.MakeFile(alsee + "\\Cache\\desktop.ini");
    profile.MakeFile(alsee + "\\Temp\\edit.tmp");
    profile.MakeFile(alsee + "\\PathHistory.dat");
    CString settings = profile.MakeFile(alsee + "\\Settings.ini");

    RunItem(19);

    EXPECT_FALSE(ValueExists(kUser, "Software\\ESTSoft\\ALSee\\Config", "LastExploredPath"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\ESTSoft\\ALSee\\Config", "ThumbSize"));
    EXPECT_TRUE(IsFolder(alsee + "\\Cache"));
    EXPECT_FALSE(Exists(alsee + "\\Cache\\a.jpg.cache"));
    EXPECT_FALSE(Exists(alsee + "\\Cache\\sub"));
    EXPECT_TRUE(Exists(cacheIni));
    EXPECT_TRUE(IsFolder(alsee + "\\Temp"));
    EXPECT_FALSE(Exists(alsee + "\\Temp\\edit.tmp"));
    EXPECT_FALSE(Exists(alsee + "\\PathHistory.dat"));
    EXPECT_TRUE(Exists(settings));
}

TEST(ALZipTraces, CleansItsRoamingFolderAndKeepsTheFolder) {
    ProgramTraceProfile profile;
    CString alzip = profile.MakeFolder(RoamingFolder("ESTsoft\\ALZip"));
    profile.MakeFile(alzip + "\\history.dat");
    profile.MakeFile(alzip + "\\extract\\a.txt");
    CString neighbour = profile.MakeFile(RoamingFolder("ESTsoft\\ALZip Kept\\a.txt"));

    RunItem(40);

    EXPECT_TRUE(IsFolder(alzip));
    EXPECT_FALSE(Exists(alzip + "\\history.dat"));
    EXPECT_FALSE(Exists(alzip + "\\extract"));
    EXPECT_TRUE(Exists(neighbour));
}

TEST(TerminalServiceTraces, DeletesServersDefaultAndTheDefaultRdpOfDocuments) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\Servers\\10.0.0.1", "UsernameHint", "me");
    profile.SetText(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\Default", "MRU0", "10.0.0.1");
    profile.SetText(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\LocalDevices", "10.0.0.1", "13");
    CString documents = SandboxFolder(CSIDL_PERSONAL);
    profile.MakeFile(documents + "\\Default.rdp");
    CString other = profile.MakeFile(documents + "\\Work.rdp");

    RunItem(37);

    EXPECT_FALSE(KeyExists(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\Servers"));
    EXPECT_FALSE(KeyExists(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\Default"));
    EXPECT_TRUE(ValueExists(kUser, "SOFTWARE\\Microsoft\\Terminal Server Client\\LocalDevices", "10.0.0.1"));
    EXPECT_FALSE(Exists(documents + "\\Default.rdp"));
    EXPECT_TRUE(Exists(other));
}

TEST(AdobeTraces, DeletesMruVisitedDirsAndTheContentOfItsRoamingFolder) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, "Software\\Adobe\\MediaBrowser\\MRU\\Photoshop", "0", "C:\\a.psd");
    profile.SetText(kUser, "Software\\Adobe\\MediaBrowser\\Settings", "View", "1");
    profile.SetText(kUser, "Software\\Adobe\\Photoshop\\10.0\\VisitedDirs", "0", "C:\\photos");
    profile.SetText(kUser, "Software\\Adobe\\Photoshop\\11.0\\Plugins\\visiteddirs", "0", "C:\\more");
    profile.SetText(kUser, "Software\\Adobe\\Photoshop\\10.0\\Settings", "Units", "px");
    CString adobe = profile.MakeFolder(RoamingFolder("Adobe"));
    profile.MakeFile(adobe + "\\Acrobat\\9.0\\recent.dat");
    profile.MakeFile(adobe + "\\Flash Player\\x.sol");
    profile.MakeFile(adobe + "\\top.txt");
    TempFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.txt", "outside");
    ASSERT_TRUE(profile.MakeLink(adobe + "\\Linked", outside / "target"));
    CString neighbour = profile.MakeFile(RoamingFolder("Adobe Kept\\a.txt"));

    RunItem(50);

    EXPECT_FALSE(KeyExists(kUser, "Software\\Adobe\\MediaBrowser\\MRU"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Adobe\\MediaBrowser\\Settings", "View"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Adobe\\Photoshop\\10.0\\VisitedDirs"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Adobe\\Photoshop\\11.0\\Plugins\\visiteddirs"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Adobe\\Photoshop\\10.0\\Settings", "Units"));
    EXPECT_TRUE(IsFolder(adobe));
    EXPECT_FALSE(Exists(adobe + "\\Acrobat"));
    EXPECT_FALSE(Exists(adobe + "\\Flash Player"));
    EXPECT_FALSE(Exists(adobe + "\\top.txt"));
    EXPECT_TRUE(FileProbe::IsLink(adobe + "\\Linked"));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
    EXPECT_TRUE(Exists(neighbour));
}

TEST(AdobeTraces, LeavesAFolderLinkInPlaceOfItsRoamingFolderAlone) {
    ASSERT_FALSE(Exists(RoamingFolder("Adobe")));
    TempFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.txt", "outside");
    CString outsideDeep = outside.MakeFile("target\\deep\\keep.txt", "outside");
    ProgramTraceProfile profile;
    ASSERT_TRUE(profile.MakeLink(RoamingFolder("Adobe"), outside / "target"));

    RunItem(50);

    EXPECT_TRUE(FileProbe::IsLink(RoamingFolder("Adobe")));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideDeep));
}

TEST(AdobeTraces, WithoutTheAppDataVariableCleansNoFolderAtAll) {
    TempFolder current;
    CString literal = current.MakeFile("%APPDATA%\\Adobe\\a.txt");
    ScopedCurrentFolder inside(current.Path());
    ProgramTraceProfile profile;
    CString roaming = profile.MakeFile(RoamingFolder("Adobe\\a.txt"));
    ScopedEnvironment unset("APPDATA", nullptr);

    RunItem(50);

    EXPECT_TRUE(Exists(literal));
    EXPECT_TRUE(Exists(roaming));
}
