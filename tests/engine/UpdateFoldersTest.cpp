#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "TraceFixtures.h"

using FileProbe::Exists;
using namespace TraceFixtures;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUpdatesKey[] = "Software\\Microsoft\\Updates";

bool Matches(const char* folder, std::initializer_list<const char*> patterns) {
    CStringArray list;
    for (const char* pattern : patterns)
        list.Add(pattern);
    return CHistoryCleaner::MatchesUpdateFolder(folder, list);
}

// An Uninstall entry of the sandbox's HKLM, deleted at the end.
class UninstallEntry : public SeededKey {
public:
    UninstallEntry(const char* name, const CString& command, const char* location)
        : SeededKey(HKEY_LOCAL_MACHINE, CString(kUninstallKey) + "\\" + name) {
        SetText(HKEY_LOCAL_MACHINE, *this, "UninstallString", command);
        if (location)
            SetText(HKEY_LOCAL_MACHINE, *this, "RegistryLocation", location);
    }
};

// Makes a folder current until the end of the test.
class CurrentFolder {
public:
    explicit CurrentFolder(const char* folder) {
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        SetCurrentDirectoryA(folder);
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    char m_previous[MAX_PATH] = {};
};

void RunRemoveNTUninstall() {
    CHistoryCleaner engine;
    RunItem(42, engine);
}

}  // namespace

TEST(MatchesUpdateFolder, MatchesFoldersStartingWithAPatternWhateverTheirCaseAndDigits) {
    EXPECT_TRUE(Matches("C:\\WINDOWS\\$NtUninstallKB123456$\\spuninst", {"c:\\windows\\$ntuninstall"}));
    EXPECT_TRUE(Matches("c:\\windows\\$ntuninstallkb1$", {"C:\\Windows\\$NtUninstall"}));
    EXPECT_TRUE(Matches("c:\\windows\\ie7updates", {"c:\\windows\\$ntuninstall", "c:\\windows\\ie?update"}));
    EXPECT_TRUE(Matches("c:\\windows\\ie8update", {"c:\\windows\\ie?update"}));
    EXPECT_FALSE(Matches("c:\\windows\\ieupdate", {"c:\\windows\\ie?update"}));
    EXPECT_FALSE(Matches("c:\\windows\\iexupdate", {"c:\\windows\\ie?update"}));
    EXPECT_FALSE(Matches("c:\\windows", {"c:\\windows\\$ntuninstall"}));
    EXPECT_FALSE(Matches("d:\\windows\\$ntuninstallkb1$", {"c:\\windows\\$ntuninstall"}));
}

TEST(MatchesUpdateFolder, EmptyFoldersEmptyPatternsAndNoPatternsNeverMatch) {
    EXPECT_FALSE(Matches("", {"", "c:\\windows\\$ntuninstall"}));
    EXPECT_FALSE(Matches(nullptr, {""}));
    EXPECT_FALSE(Matches("c:\\windows\\$ntuninstallkb1$", {""}));
    EXPECT_FALSE(Matches("c:\\windows\\$ntuninstallkb1$", {}));
}

TEST(MatchesUpdateFolder, MasksDigitsOfTheFolderOnlySoDigitsInTheWindowsPathNeverMatch) {
    EXPECT_FALSE(Matches("c:\\win98\\$ntuninstallkb1$", {"c:\\win98\\$ntuninstall"}));
    EXPECT_TRUE(Matches("c:\\win98\\$ntuninstallkb1$", {"c:\\win??\\$ntuninstall"}));
}

TEST(MatchesUpdateFolder, MasksDigitsAfterDoubleByteCharactersAndKeepsTheirBytes) {
    EXPECT_TRUE(Matches("c:\\windows\\업데이트7", {"c:\\windows\\업데이트?"}));
    EXPECT_TRUE(Matches("C:\\WINDOWS\\업데이트7\\ABC", {"c:\\windows\\업데이트?\\abc"}));
    EXPECT_FALSE(Matches("c:\\windows\\업데이트x", {"c:\\windows\\업데이트?"}));
    EXPECT_FALSE(Matches("c:\\windows\\업데이트7", {"c:\\windows\\업데이터?"}));
}

TEST(RemoveNTUninstall, DeletesTheUninstallFolderItsMatchingParentAndItsUpdateKey) {
    CString windows = WindowsFolder();
    EnsuredKey updates(HKEY_LOCAL_MACHINE, kUpdatesKey);
    SeededKey testUpdates(HKEY_LOCAL_MACHINE, CString(kUpdatesKey) + "\\VantrelTest");
    CString updateKey = testUpdates / "KB950001";
    CString siblingKey = testUpdates / "KB950002";
    SetText(HKEY_LOCAL_MACHINE, updateKey + "\\Detail", "a", "b");
    SetText(HKEY_LOCAL_MACHINE, siblingKey, "a", "b");
    // "$mf_mig$" folders are removed through Uninstall entries only, not by the folder scan.
    SeededPath migration(windows + "\\$MF_MIG$KB950001");
    MakeFileAt(migration / "spuninst\\spuninst.exe");
    MakeFileAt(migration / "update.cat");
    UninstallEntry entry("VantrelTestKB950001", "\"" + (migration / "spuninst\\spuninst.exe") + "\" /q",
                         "HKLM\\SOFTWARE\\Microsoft\\Updates\\VantrelTest\\KB950001");

    RunRemoveNTUninstall();

    EXPECT_FALSE(Exists(migration / "spuninst"));
    EXPECT_FALSE(Exists(migration));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, updateKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, siblingKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, entry));
}

TEST(RemoveNTUninstall, KeepsFoldersAndKeysOfEntriesOutsideTheUpdateFolders) {
    CString windows = WindowsFolder();
    EnsuredKey updates(HKEY_LOCAL_MACHINE, kUpdatesKey);
    SeededKey testUpdates(HKEY_LOCAL_MACHINE, CString(kUpdatesKey) + "\\VantrelTest");
    CString updateKey = testUpdates / "KB950003";
    SetText(HKEY_LOCAL_MACHINE, updateKey, "a", "b");
    OutsideFolder program;
    CString uninstaller = program.MakeFile("uninst.exe");
    UninstallEntry plain("VantrelTestProgram", uninstaller, "HKLM\\SOFTWARE\\Microsoft\\Updates\\VantrelTest\\KB950003");
    // Up and out of the Windows folder again: the folder is resolved before it is matched.
    OutsideFolder escaped;
    CString escapedFile = escaped.MakeFile("spuninst\\spuninst.exe");
    UninstallEntry climbing("VantrelTestClimbing",
                            windows + "\\$MF_MIG$KB950004\\..\\.." + escaped.Path().Mid(2) + "\\spuninst\\spuninst.exe",
                            nullptr);
    // Naming the updates key itself must not delete it with every update below it.
    SeededPath migration(windows + "\\$MF_MIG$KB950005");
    MakeFileAt(migration / "spuninst.exe");
    UninstallEntry wholeUpdates("VantrelTestWhole", migration / "spuninst.exe", "HKLM\\SOFTWARE\\Microsoft\\Updates\\");
    // A relative command would name a different folder for each current folder.
    SeededPath relative(windows + "\\$MF_MIG$KB950006");
    CString relativeFile = MakeFileAt(relative / "spuninst\\spuninst.exe");
    UninstallEntry relativeEntry("VantrelTestRelative", "$MF_MIG$KB950006\\spuninst\\spuninst.exe", nullptr);
    CurrentFolder inWindows(windows);

    RunRemoveNTUninstall();

    EXPECT_TRUE(Exists(uninstaller));
    EXPECT_TRUE(Exists(escapedFile));
    EXPECT_TRUE(Exists(relativeFile));
    EXPECT_FALSE(Exists(migration));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, updateKey));
}

TEST(RemoveNTUninstall, DeletesBackupFoldersOfTheWindowsFolderByName) {
    CString windows = WindowsFolder();
    SeededPath uninstall(windows + "\\$NtUninstallKB950016$");
    MakeFileAt(uninstall / "spuninst\\spuninst.exe");
    SeededPath servicePack(windows + "\\$NtServicePackUninstall$");
    MakeFileAt(servicePack / "spuninst.exe");
    SeededPath ie7(windows + "\\ie7updates");
    MakeFileAt(ie7 / "KB950007-IE7\\update.exe");
    SeededPath ieWithoutDigit(windows + "\\ieupdate");
    MakeFileAt(ieWithoutDigit / "kept.txt");
    SeededPath fileNamedLikeBackup(MakeFileAt(windows + "\\$NtUninstallKB950008$.txt"));

    RunRemoveNTUninstall();

    EXPECT_FALSE(Exists(uninstall));
    EXPECT_FALSE(Exists(servicePack));
    EXPECT_FALSE(Exists(ie7));
    EXPECT_TRUE(Exists(ieWithoutDigit / "kept.txt"));
    EXPECT_TRUE(Exists(fileNamedLikeBackup));
}

TEST(RemoveNTUninstall, DeletesTheSubfoldersOfHotfixMigrationButNotItsFiles) {
    EnsuredFolder migration(WindowsFolder() + "\\$hf_mig$");
    SeededPath hotfix(migration / "KB950009");
    MakeFileAt(hotfix / "SP3QFE\\update.exe");
    SeededPath file(MakeFileAt(migration / "vantrel-kept.txt"));

    RunRemoveNTUninstall();

    EXPECT_FALSE(Exists(hotfix));
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(FileProbe::IsFolder(migration));
}

TEST(RemoveNTUninstall, NeverDeletesThroughAFolderLink) {
    CString windows = WindowsFolder();
    OutsideFolder outside;
    CString linkedUninstaller = outside.MakeFile("linked\\spuninst\\spuninst.exe");
    CString linkedContent = outside.MakeFile("linked\\update.cat");
    CString innerContent = outside.MakeFile("inner\\keep.txt");
    CString hotfixContent = outside.MakeFile("hotfix\\keep.txt");

    SeededPath linkedBackup(windows + "\\$NtUninstallKB950010$");
    ASSERT_TRUE(HostTools::MakeSymlink(linkedBackup, outside / "linked"));
    UninstallEntry throughLink("VantrelTestThroughLink", linkedBackup / "spuninst\\spuninst.exe", nullptr);
    SeededPath migration(windows + "\\$MF_MIG$KB950011");
    MakeFileAt(migration / "spuninst\\spuninst.exe");
    ASSERT_TRUE(HostTools::MakeSymlink(migration / "spuninst\\inner", outside / "inner"));
    UninstallEntry withInnerLink("VantrelTestInnerLink", migration / "spuninst\\spuninst.exe", nullptr);
    EnsuredFolder hotfixes(windows + "\\$hf_mig$");
    SeededPath hotfixLink(hotfixes / "KB950012");
    ASSERT_TRUE(HostTools::MakeSymlink(hotfixLink, outside / "hotfix"));

    RunRemoveNTUninstall();

    EXPECT_TRUE(FileProbe::IsLink(linkedBackup));
    EXPECT_TRUE(Exists(linkedUninstaller));
    EXPECT_TRUE(Exists(linkedContent));
    EXPECT_TRUE(FileProbe::IsLink(migration / "spuninst\\inner"));
    EXPECT_TRUE(Exists(innerContent));
    EXPECT_FALSE(Exists(migration / "spuninst\\spuninst.exe"));
    EXPECT_TRUE(FileProbe::IsLink(hotfixLink));
    EXPECT_TRUE(Exists(hotfixContent));
}
