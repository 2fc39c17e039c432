#include <gtest/gtest.h>

#include <windows.h>

#include "HistoryCleaner.h"
#include "ImportPatch.h"
#include "TestFixtures.h"

namespace {

CString SystemRootFile(const char* relative) {
    char root[MAX_PATH] = "";
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    return CString(root) + "\\" + relative;
}

// Counts the engine's loader calls and passes them on.
class LoaderCalls {
public:
    LoaderCalls()
        : m_patch(GetModuleHandleA(nullptr), "kernel32.dll", "LoadLibraryExA", reinterpret_cast<void*>(&Load)) {
        s_count = 0;
    }
    bool IsReady() const { return m_patch.IsActive(); }
    int Count() const { return s_count; }

private:
    static HMODULE WINAPI Load(LPCSTR path, HANDLE file, DWORD flags) {
        ++s_count;
        // This program's own calls go through the patched import too.
        using LoadFunction = HMODULE(WINAPI*)(LPCSTR, HANDLE, DWORD);
        static auto real =
            reinterpret_cast<LoadFunction>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryExA"));
        return real(path, file, flags);
    }

    static int s_count;
    ImportPatch m_patch;
};

int LoaderCalls::s_count = 0;

}  // namespace

TEST(IsLoadableFile, AcceptsAnExistingFileAndModulesFoundByName) {
    TempFolder folder;
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile(folder.MakeFile("data.txt")));
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile("shell32.dll"));
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile("shell32"));    // ".dll" appended
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile("rundll32"));   // ".exe" appended
}

TEST(IsLoadableFile, RejectsMissingFilesAndNoPath) {
    TempFolder folder;
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile(folder / "missing.exe"));
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile("vantrel_no_such_module"));
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile(""));
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile(nullptr));
}

// A full path is judged as the loader would judge it, without asking the loader about files
// that are not there.
TEST(IsLoadableFile, JudgesFullPathsByTheFilesThereAndLoadsOnlyWhatExists) {
    TempFolder folder;
    folder.MakeFile("notes.txt.dll");  // there, but no module
    struct Case {
        CString path;
        int loadable;
        int loaderCalls;
    } const cases[] = {
        {SystemRootFile("system32\\kernel32"), 1, 1},  // the loader's own ".dll"
        {SystemRootFile("notepad"), 1, 1},             // ".exe" appended
        {SystemRootFile("system32\\shell32.dll"), 1, 0},
        {folder / "notes.txt", 0, 1},
        {"C:\\VantrelGone\\tool.exe", 0, 0},
        {"c:/VantrelGone/tool", 0, 0},
        {"\\\\vantrel-no-server\\share\\tool.exe", 0, 0},
    };
    for (const Case& c : cases) {
        LoaderCalls calls;
        ASSERT_TRUE(calls.IsReady());
        EXPECT_EQ(c.loadable, CHistoryCleaner::IsLoadableFile(c.path)) << c.path;
        EXPECT_EQ(c.loaderCalls, calls.Count()) << c.path;
    }
}

TEST(IsLoadableFile, JudgesAPathWithVariablesByItsExpansion) {
    TempFolder folder;
    folder.MakeFile("ding.wav");
    SetEnvironmentVariableA("VANTREL_TEST_MEDIA", folder.Path());
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile("%VANTREL_TEST_MEDIA%\\ding.wav"));
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile("%VANTREL_TEST_MEDIA%\\gone.wav"));
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile("%VANTREL_NO_SUCH_VARIABLE%\\ding.wav"));
    SetEnvironmentVariableA("VANTREL_TEST_MEDIA", nullptr);
}

TEST(IsValidCommandLine, AcceptsAnUnquotedPathWithBlanksWhenTheFileExists) {
    TempFolder folder;
    CString tool = folder.MakeFile("Program Files\\Tool\\tool.exe");
    EXPECT_EQ(1, CHistoryCleaner::IsValidCommandLine(tool));
    EXPECT_EQ(1, CHistoryCleaner::IsValidCommandLine(tool + " /uninstall now"));
}

TEST(IsValidCommandLine, AcceptsAProgramFollowedByArguments) {
    EXPECT_EQ(1, CHistoryCleaner::IsValidCommandLine("rundll32.exe shell32.dll,Control_RunDLL"));
}

TEST(IsValidCommandLine, RejectsAMissingProgram) {
    TempFolder folder;
    EXPECT_EQ(0, CHistoryCleaner::IsValidCommandLine(folder / "Program Files\\Gone\\gone.exe /S"));
    EXPECT_EQ(0, CHistoryCleaner::IsValidCommandLine(folder / "gone.exe"));
    EXPECT_EQ(0, CHistoryCleaner::IsValidCommandLine(""));
}

TEST(StripQuotes, KeepsTheTextBetweenLeadingQuotes) {
    EXPECT_STREQ("C:\\Program Files\\a.exe", CHistoryCleaner::StripQuotes("\"C:\\Program Files\\a.exe\" /x"));
    EXPECT_STREQ("C:\\open end", CHistoryCleaner::StripQuotes("\"C:\\open end"));
    EXPECT_STREQ("", CHistoryCleaner::StripQuotes("\"\""));
}

TEST(StripQuotes, LeavesTextWithoutLeadingQuoteUnchanged) {
    EXPECT_STREQ("C:\\a.exe \"arg\"", CHistoryCleaner::StripQuotes("C:\\a.exe \"arg\""));
    EXPECT_STREQ("", CHistoryCleaner::StripQuotes(""));
    EXPECT_STREQ("", CHistoryCleaner::StripQuotes(nullptr));
}

TEST(MuiCacheNameToPath, ExpandsAResourceReferenceToAFileThatLoads) {
    CString path = CHistoryCleaner::MuiCacheNameToPath("@%SystemRoot%\\system32\\shell32.dll,-123");
    EXPECT_STREQ(SystemRootFile("system32\\shell32.dll"), path);
    EXPECT_EQ(1, CHistoryCleaner::IsLoadableFile(path));
}

TEST(MuiCacheNameToPath, CutsQuotesAndResourceNumbers) {
    EXPECT_STREQ("C:\\a b\\c.dll", CHistoryCleaner::MuiCacheNameToPath("@\"C:\\a b\\c.dll\",-5"));
    EXPECT_STREQ("C:\\프로그램\\앱.exe", CHistoryCleaner::MuiCacheNameToPath("@C:\\프로그램\\앱.exe,-1"));
    EXPECT_STREQ("", CHistoryCleaner::MuiCacheNameToPath("@"));
}

TEST(MuiCacheNameToPath, ReturnsANameWithoutAtSignUnchanged) {
    EXPECT_STREQ("C:\\Tools\\app.exe,1", CHistoryCleaner::MuiCacheNameToPath("C:\\Tools\\app.exe,1"));
    EXPECT_STREQ("%SystemRoot%\\x.exe", CHistoryCleaner::MuiCacheNameToPath("%SystemRoot%\\x.exe"));
}

TEST(MuiCacheNameToPath, KeepsAnExpansionTooLongForAPathUnexpanded) {
    CString name = CString("@%SystemRoot%\\") + CString('a', 400) + ",-1";
    CString path = CHistoryCleaner::MuiCacheNameToPath(name);
    EXPECT_STREQ(CString("%SystemRoot%\\") + CString('a', 400), path);
    EXPECT_EQ(0, CHistoryCleaner::IsLoadableFile(path));
}
