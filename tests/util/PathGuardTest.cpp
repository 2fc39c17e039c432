#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

#include "FileProbe.h"
#include "HostTools.h"
#include "PathGuard.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

namespace {

CString ShellFolder(int csidl) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

CString Parent(const CString& path) { return path.Left(path.ReverseFind('\\')); }

CString ShortName(const CString& path) {
    char shortPath[MAX_PATH] = "";
    DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? CString(shortPath) : CString();
}

CString Slashed(CString path) {
    path.Replace('\\', '/');
    return path;
}

CString Lowered(CString path) {
    path.MakeLower();
    return path;
}

struct Spelling {
    const char* what;
    CString path;
};

// Every way of writing each protected folder that a text comparison would let through.
std::vector<Spelling> ProtectedSpellings() {
    char windows[MAX_PATH] = "";
    char system[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    const CString profile = ShellFolder(CSIDL_PROFILE);
    const CString documents = ShellFolder(CSIDL_PERSONAL);
    const CString desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    const CString programFiles = ShellFolder(CSIDL_PROGRAM_FILES);
    return {
        {"drive root", "C:\\"},
        {"drive root with a slash", "c:/"},
        {"drive root behind \\\\?\\", "\\\\?\\C:\\"},
        {"drive root behind \\\\.\\", "\\\\.\\C:\\"},
        {"Windows folder", windows},
        {"Windows folder in lower case with a trailing separator", Lowered(windows) + "\\"},
        {"System32 behind \\\\?\\", CString("\\\\?\\") + system},
        {"System32 through ..", CString(system) + "\\drivers\\.."},
        {"Program Files", programFiles},
        {"Program Files by its short name", ShortName(programFiles)},
        {"profiles root", Parent(profile)},
        {"profile", profile},
        {"profile behind \\\\.\\", "\\\\.\\" + profile},
        {"Documents", documents},
        {"Documents behind \\\\?\\", "\\\\?\\" + documents},
        {"Documents by its short name", ShortName(documents)},
        {"Documents written with slashes", Slashed(documents)},
        {"Documents in lower case behind \\\\?\\ with a trailing dot", "\\\\?\\" + Lowered(documents) + "\\."},
        {"Desktop", desktop},
        {"Desktop through its parent", desktop + "\\..\\Desktop"},
    };
}

// A second drive letter for the profile, as "subst" makes one.
class DriveForProfile {
public:
    DriveForProfile() : m_mapped(HostTools::MapDrive('Q', ShellFolder(CSIDL_PROFILE))) {}
    ~DriveForProfile() {
        if (m_mapped)
            HostTools::UnmapDrive('Q');
    }
    DriveForProfile(const DriveForProfile&) = delete;
    DriveForProfile& operator=(const DriveForProfile&) = delete;

    bool IsMapped() const { return m_mapped; }

private:
    bool m_mapped;
};

}  // namespace

TEST(PathGuard, RefusesEveryProtectedFolderHoweverItIsWritten) {
    for (const Spelling& spelling : ProtectedSpellings()) {
        ASSERT_FALSE(spelling.path.IsEmpty()) << spelling.what;
        EXPECT_EQ("", CPathGuard::CleanableFolder(spelling.path)) << spelling.what << ": " << spelling.path.GetString();
    }
}

TEST(PathGuard, LetsFoldersInsideProtectedOnesBeCleanedUnderTheirCanonicalName) {
    TempFolder temp;
    CString documentsChild = ShellFolder(CSIDL_PERSONAL) + "\\VantrelGuardChild";
    ASSERT_TRUE(CreateDirectoryA(documentsChild, nullptr));
    CString inTemp = temp.MakeFolder("inner");

    EXPECT_EQ(documentsChild, CPathGuard::CleanableFolder("\\\\?\\" + documentsChild + "\\"));
    EXPECT_EQ(inTemp, CPathGuard::CleanableFolder(Slashed(inTemp) + "/../inner/"));
    EXPECT_EQ("", CPathGuard::CleanableFolder(temp / "missing"));
    RemoveDirectoryA(documentsChild);
}

TEST(PathGuard, RefusesAProtectedFolderReachedThroughAnotherDriveLetter) {
    DriveForProfile drive;
    ASSERT_TRUE(drive.IsMapped());
    CString documentsName = CUtilityLib::GetFileName(ShellFolder(CSIDL_PERSONAL));
    CString child = ShellFolder(CSIDL_PERSONAL) + "\\VantrelGuardDrive";
    ASSERT_TRUE(CreateDirectoryA(child, nullptr));

    EXPECT_EQ("", CPathGuard::CleanableFolder("Q:\\" + documentsName));
    EXPECT_EQ("Q:\\" + documentsName + "\\VantrelGuardDrive",
              CPathGuard::CleanableFolder("Q:\\" + documentsName + "\\VantrelGuardDrive"));
    RemoveDirectoryA(child);
}

TEST(PathGuard, CanonicalFormOfPaths) {
    const struct {
        const char* path;
        const char* canonical;
    } cases[] = {
        {"\\\\?\\C:\\vantrel-none\\a\\..\\b\\", "C:\\vantrel-none\\b"},
        {"c:/vantrel-none//x/", "c:\\vantrel-none\\x"},
        {"\\\\?\\UNC\\server\\share\\x", "\\\\server\\share\\x"},
        {"\\\\.\\C:\\", "C:\\"},
        {"relative\\folder", ""},
        {"\\rooted\\on\\the\\current\\drive", ""},
        {"\\\\.\\GLOBALROOT\\Device\\HarddiskVolume1", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.canonical, CPathGuard::Canonical(c.path)) << c.path;
}

TEST(PathGuard, GuardsTheLibrarysFolderDeletions) {
    CString documents = ShellFolder(CSIDL_PERSONAL);
    CString marker = documents + "\\vantrel-guard-marker.txt";
    ASSERT_TRUE(FileProbe::WriteBytes(marker, "keep"));

    EXPECT_EQ(0, CUtilityLib::SHDeleteSubDirectoryAll("\\\\?\\" + documents));
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectory(ShortName(documents)));
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(documents + "\\."));

    EXPECT_EQ("keep", FileProbe::ReadBytes(marker));
    DeleteFileA(marker);
}
