#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "SeededKey.h"
#include "TestFixtures.h"

namespace {

// Far above a normal run; only a program stuck on a window would reach it.
const DWORD kPatienceMs = 60000;

CString BuiltVantrel() { return ProgramRun::BuildFolder() + "\\Vantrel.exe"; }

DWORD RunVantrel(const CString& commandLine) {
    DWORD exitCode = 99;
    EXPECT_TRUE(ProgramRun::RunToEnd(commandLine, kPatienceMs, exitCode)) << (const char*)commandLine;
    return exitCode;
}

// Vantrel.exe with the DLLs it loads, in a folder of the test's choice.
CString InstallVantrel(const CString& folder) {
    const char* files[] = {"Vantrel.exe", "Framework.dll", "Tovrin.dll", "Selkor.dll"};
    for (const char* file : files)
        EXPECT_TRUE(CopyFileA(ProgramRun::BuildFolder() + "\\" + file, folder + "\\" + file, FALSE)) << file;
    return folder + "\\Vantrel.exe";
}

}  // namespace

// Ending by itself with 0 also shows that no window was made: a main window would keep it running.
TEST(VantrelProcess, DirectModeRemovesTheNamedItemsTracesAndEndsWithoutAWindow) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
    SeededKey dialogs(HKEY_CURRENT_USER, TraceKeys::kFileDialogs, "LastUse", "1");
    SeededKey dialogMru(HKEY_CURRENT_USER, TraceKeys::kFileDialogMru, "a", "C:\\notes.txt");
    SeededKey notNamed(HKEY_CURRENT_USER, TraceKeys::kFindComputerMru, "a", "FILESERVER");

    EXPECT_EQ(0u, RunVantrel("\"" + BuiltVantrel() + "\" /removemediaplayerhistory,REMOVECOMDLGOPENHISTORY"));

    EXPECT_FALSE(files.Exists());
    EXPECT_FALSE(dialogs.Exists());
    EXPECT_TRUE(notNamed.Exists());
}

TEST(VantrelProcess, FindsTheArgumentsAfterHangulProgramPathsQuotedOrNot) {
    TempFolder temp;
    CString unquoted = InstallVantrel(temp.MakeFolder("바탕정리"));
    CString quoted = InstallVantrel(temp.MakeFolder("새 폴더"));
    {
        SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
        EXPECT_EQ(0u, RunVantrel(unquoted + " /removemediaplayerhistory"));
        EXPECT_FALSE(files.Exists());
    }
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
    EXPECT_EQ(0u, RunVantrel("\"" + quoted + "\"  /removemediaplayerhistory"));
    EXPECT_FALSE(files.Exists());
}

TEST(VantrelResources, AskForNoElevationAndCommonControls6) {
    HMODULE program = LoadLibraryExA(BuiltVantrel(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    HRSRC resource = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, resource);
    CString manifest(static_cast<const char*>(LockResource(LoadResource(program, resource))),
                     static_cast<int>(SizeofResource(program, resource)));
    FreeLibrary(program);
    EXPECT_GE(manifest.Find("level=\"asInvoker\""), 0);
    EXPECT_GE(manifest.Find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), 0);
}
