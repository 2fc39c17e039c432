#include <gtest/gtest.h>
#include <windows.h>

#include "ArgsRecord.h"
#include "TestFixtures.h"

namespace {

// Upper bound for the launcher and the stand-in to finish; the usual case takes well under a second.
const DWORD kPatienceMs = 10000;

CString TestProgramFolder() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\'));
}

class ElevationLauncher : public ::testing::Test {
protected:
    // Copies the launcher, and unless told otherwise the stand-in as Vantrel.exe, into a
    // sub-folder of the temp folder; returns the launcher's path.
    CString Install(const char* subFolder, bool withVantrel = true) {
        CString target = m_temp.MakeFolder(subFolder);
        CString launcher = target + "\\VantrelAdmin.exe";
        // A record of an earlier run in a reused folder would pass for this run's.
        DeleteFileA(target + "\\RecordArgs.txt");
        CString built = TestProgramFolder();
        EXPECT_TRUE(CopyFileA(built + "\\VantrelAdmin.exe", launcher, FALSE));
        if (withVantrel) {
            EXPECT_TRUE(CopyFileA(built + "\\standin\\Vantrel.exe", target + "\\Vantrel.exe", FALSE));
        }
        return launcher;
    }

    // Starts the launcher with the whole command line given, from another working folder so
    // that an inherited one would show. Returns its exit code.
    DWORD RunLauncher(const CString& launcher, const CString& commandLine) {
        CString elsewhere = m_temp.MakeFolder("elsewhere");
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        CString line = commandLine;
        if (!CreateProcessA(launcher, line.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, elsewhere, &startup,
                            &process)) {
            ADD_FAILURE() << "CreateProcess failed with " << GetLastError();
            return ~0u;
        }
        DWORD exitCode = ~0u;
        if (WaitForSingleObject(process.hProcess, kPatienceMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
        else
            ADD_FAILURE() << "the launcher did not end";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return exitCode;
    }

    static CString FolderOf(const CString& path) { return path.Left(path.ReverseFind('\\')); }

    TempFolder m_temp;
};

TEST_F(ElevationLauncher, EmptyCommandLineStartsVantrelWithoutArguments) {
    CString launcher = Install("app");
    EXPECT_EQ(0u, RunLauncher(launcher, "\"" + launcher + "\""));

    ArgsRecord record = ArgsRecord::WaitFor(FolderOf(launcher), kPatienceMs);
    ASSERT_TRUE(record.found);
    EXPECT_STREQ("", record.arguments);
}

TEST_F(ElevationLauncher, PassesStartupOnUnchanged) {
    CString launcher = Install("app");
    EXPECT_EQ(0u, RunLauncher(launcher, "\"" + launcher + "\" startup"));

    ArgsRecord record = ArgsRecord::WaitFor(FolderOf(launcher), kPatienceMs);
    ASSERT_TRUE(record.found);
    EXPECT_STREQ("startup", record.arguments);
}

TEST_F(ElevationLauncher, PassesQuotesAndHangulOnByteForByte) {
    CString launcher = Install("app");
    const char* arguments = "/RemoveIECookies,\"내 문서\\a b.txt\" 한글  \"\" end";
    EXPECT_EQ(0u, RunLauncher(launcher, "\"" + launcher + "\" " + arguments));

    ArgsRecord record = ArgsRecord::WaitFor(FolderOf(launcher), kPatienceMs);
    ASSERT_TRUE(record.found);
    EXPECT_STREQ(arguments, record.arguments);
}

TEST_F(ElevationLauncher, StartsVantrelInTheLauncherFolder) {
    CString launcher = Install("app");
    EXPECT_EQ(0u, RunLauncher(launcher, "\"" + launcher + "\" startup"));

    ArgsRecord record = ArgsRecord::WaitFor(FolderOf(launcher), kPatienceMs);
    ASSERT_TRUE(record.found);
    EXPECT_EQ(0, record.workingFolder.CompareNoCase(FolderOf(launcher))) << (const char*)record.workingFolder;
}

// The CRT's own WinMain line would keep part of an unquoted Hangul path in the arguments.
TEST_F(ElevationLauncher, UnquotedHangulPathIsNotPassedOn) {
    CString launcher = Install("관리자");
    ASSERT_LT(launcher.Find(' '), 0) << "the path must hold no blank to be given unquoted";
    EXPECT_EQ(0u, RunLauncher(launcher, launcher + " startup"));

    ArgsRecord record = ArgsRecord::WaitFor(FolderOf(launcher), kPatienceMs);
    ASSERT_TRUE(record.found);
    EXPECT_STREQ("startup", record.arguments);
    EXPECT_EQ(0, record.workingFolder.CompareNoCase(FolderOf(launcher))) << (const char*)record.workingFolder;
}

TEST_F(ElevationLauncher, EndsQuietlyWithoutVantrel) {
    CString launcher = Install("alone", false);
    EXPECT_EQ(0u, RunLauncher(launcher, "\"" + launcher + "\" startup"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(FolderOf(launcher) + "\\RecordArgs.txt"));
}

TEST(ElevationLauncherManifest, EmbedsRequireAdministrator) {
    HMODULE launcher =
        LoadLibraryExA(TestProgramFolder() + "\\VantrelAdmin.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, launcher);
    HRSRC found = FindResourceA(launcher, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(nullptr, found);
    DWORD size = SizeofResource(launcher, found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(launcher, found)));
    ASSERT_NE(nullptr, bytes);
    CString manifest(bytes, static_cast<int>(size));
    FreeLibrary(launcher);

    EXPECT_GE(manifest.Find("level=\"requireAdministrator\""), 0);
    EXPECT_GE(manifest.Find("uiAccess=\"false\""), 0);
    EXPECT_GE(manifest.Find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), 0);
}

}  // namespace
