#include <gtest/gtest.h>
#include <shlobj.h>

#include "FileProbe.h"
#include "HostTools.h"
#include "ScopedEnvironment.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

namespace {

// The sub-path is process-wide: every test sets its own and leaves it empty again.
class ScopedAppDataSubPath {
public:
    explicit ScopedAppDataSubPath(const char* name) { CUtilityLib::SetAppDataSubPath(name); }
    ~ScopedAppDataSubPath() { CUtilityLib::SetAppDataSubPath(""); }
    ScopedAppDataSubPath(const ScopedAppDataSubPath&) = delete;
    ScopedAppDataSubPath& operator=(const ScopedAppDataSubPath&) = delete;
};

// A folder name of this test that no earlier run left behind.
CString FreshName(const char* test) {
    CString name;
    name.Format("VantrelTest-%s-%lu-%llu", test, GetCurrentProcessId(), GetTickCount64());
    return name;
}

CString ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

}  // namespace

TEST(StandardFolders, AppPathHoldsTheRunningProgram) {
    CString folder = CUtilityLib::GetAppPath();
    EXPECT_NE('\\', folder[folder.GetLength() - 1]);
    EXPECT_TRUE(FileProbe::Exists(folder + "\\TovrinUtilTests.exe"));
}

TEST(StandardFolders, WindowsFolderHasNoTrailingBackslash) {
    CString folder = CUtilityLib::GetWindowsDirectoryA();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_NE('\\', folder[folder.GetLength() - 1]);
    EXPECT_TRUE(FileProbe::IsFolder(folder + "\\system32"));
}

TEST(StandardFolders, MyDocumentsIsTheShellsPersonalFolder) {
    CString folder = CUtilityLib::GetMyDocumentPath();
    EXPECT_EQ(0, folder.CompareNoCase(ShellFolder(CSIDL_PERSONAL))) << (const char*)folder;
    EXPECT_TRUE(FileProbe::IsFolder(folder));
}

TEST(StandardFolders, AppDataPathCreatesLocalLowOfTheProfileWithOrWithoutSubPath) {
    ASSERT_GE(LOWORD(CUtilityLib::GetOSVersion()), 6);
    TempFolder profile;
    ScopedEnvironment redirected("USERPROFILE", profile.Path());
    ScopedAppDataSubPath subPath("vantrel");

    CString base = CUtilityLib::GetAppDataPath(false, true);
    EXPECT_STREQ(profile / "AppData\\LocalLow", base);
    EXPECT_TRUE(FileProbe::IsFolder(profile / "AppData\\LocalLow"));
    EXPECT_FALSE(FileProbe::Exists(profile / "AppData\\LocalLow\\vantrel"));

    EXPECT_STREQ(profile / "AppData\\LocalLow\\vantrel", CUtilityLib::GetAppDataPath(true, true));
    EXPECT_TRUE(FileProbe::IsFolder(profile / "AppData\\LocalLow\\vantrel"));
}

TEST(StandardFolders, AppDataPathWithoutAProfileIsEmptyAndCreatesNothing) {
    TempFolder current;
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(current.Path());
    {
        ScopedEnvironment removed("USERPROFILE", nullptr);
        ScopedAppDataSubPath subPath("vantrel");
        EXPECT_STREQ("", CUtilityLib::GetAppDataPath(true, true));
    }
    SetCurrentDirectoryA(saved);
    EXPECT_FALSE(FileProbe::Exists(current / "%USERPROFILE%"));
}

TEST(StandardFolders, AppDataPathWithoutLowUsesLocalAppDataAndCreatesNestedSubPath) {
    CString name = FreshName("nested");
    ScopedAppDataSubPath subPath(name + "\\inner");
    CString expected = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\" + name + "\\inner";

    CString folder = CUtilityLib::GetAppDataPath(true, false);
    EXPECT_EQ(0, folder.CompareNoCase(expected)) << (const char*)folder;
    EXPECT_TRUE(FileProbe::IsFolder(expected));
    HostTools::RemoveTree(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\" + name);
}

TEST(StandardFolders, AppDataLocalPathCreatesTheSubPathOutsideLocalLow) {
    CString name = FreshName("local");
    ScopedAppDataSubPath subPath(name);
    CString expected = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\" + name;

    EXPECT_EQ(0, CUtilityLib::GetAppDataLocalPath(false).CompareNoCase(ShellFolder(CSIDL_LOCAL_APPDATA)));
    CString folder = CUtilityLib::GetAppDataLocalPath(true);
    EXPECT_EQ(0, folder.CompareNoCase(expected)) << (const char*)folder;
    EXPECT_TRUE(FileProbe::IsFolder(expected));
    HostTools::RemoveTree(expected);
}
