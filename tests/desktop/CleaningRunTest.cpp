#include <map>
#include <vector>

#include "CleanupCatalogue.h"
#include "DesktopFixture.h"
#include "ProgramRun.h"
#include "SeedItems.h"
#include "SeedManifest.h"
#include "UtilityLib.h"

using namespace VantrelDesktop;

namespace {

const DWORD kSeedPatienceMs = 180000;
const DWORD kRunPatienceMs = 240000;

bool RunTraceProfile(const char* command) {
    DWORD exitCode = 99;
    return ProgramRun::RunToEnd("\"" + ProgramRun::BuildFolder() + "\\TraceProfile.exe\" " + command, kSeedPatienceMs,
                                exitCode) &&
           exitCode == 0;
}

// The texts column 1 of each progress line was given, in order, from the probe's record.
std::map<int, std::vector<std::string>> ProgressStates() {
    std::map<int, std::vector<std::string>> states;
    const CString record = ReadRecord("ProgressLines.txt");
    int start = 0;
    while (start < record.GetLength()) {
        int end = record.Find("\r\n", start);
        if (end < 0)
            end = record.GetLength();
        const CString line = record.Mid(start, end - start);
        start = end + 2;
        const int firstTab = line.Find('\t');
        const int secondTab = line.Find('\t', firstTab + 1);
        if (firstTab < 0 || secondTab < 0 || line.Mid(firstTab + 1, secondTab - firstTab - 1) != "1")
            continue;
        states[atoi(line.Left(firstTab))].push_back(std::string(line.Mid(secondTab + 1)));
    }
    return states;
}

std::vector<CString> Backups() {
    std::vector<CString> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(RegHistoryFolder() + "\\*.REG", &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(RegHistoryFolder() + "\\" + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void RemoveBackups() {
    for (const CString& file : Backups())
        DeleteFileA(file);
}

// Entries of the [List] section of a backup (a UTF-16 file the profile functions read).
int ListedFindings(const CString& backup) {
    CStringArray keys, values;
    return CUtilityLib::GetPrivateProfileSectionA("List", keys, values, backup);
}

}  // namespace

// One seeded profile cleaned by a press of "청소 실행" with the checks of a first start.
class DesktopRun : public DesktopTest {
protected:
    static void SetUpTestSuite() {
        s_seeded = RunTraceProfile("seed") && s_manifest.Load();
    }
    static void TearDownTestSuite() { RunTraceProfile("remove"); }

    static bool s_seeded;
    static CSeedManifest s_manifest;
};

bool DesktopRun::s_seeded = false;
CSeedManifest DesktopRun::s_manifest;

TEST_F(DesktopRun, ARegistryLinesOwnButtonBacksUpToAFileOfItsOwnWithItsFindings) {
    ASSERT_TRUE(s_seeded);
    RemoveBackups();
    HWND main = StartShown();
    ASSERT_TRUE(main);

    HWND list = ShowTab(main, 1028, 1006);
    ClickRunButton(list, 0);  // the MUI cache, unchecked but run by its own button
    HWND notice = program.WaitForDialog("청소 실행", 10000);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice); }, 60000));

    const std::vector<CString> backups = Backups();
    ASSERT_EQ(1u, backups.size());
    EXPECT_GT(ListedFindings(backups[0]), 0);
    for (const SeedEntry& entry : s_manifest.Entries()) {
        if (entry.role == SeedRole::Trace && entry.item == 27) {
            EXPECT_EQ(0, PresentUnits(entry)) << (const char*)entry.path;
        }
    }
}

TEST_F(DesktopRun, TheRunButtonCleansTheCheckedItemsShowingEachOneAndEveryRegistryFinding) {
    ASSERT_TRUE(s_seeded);
    RemoveBackups();
    // A first start's checks, with the shell's items off, and MUI cache on: it has findings.
    WriteSetting("Setting", "RegistryCheckMUICache", 1);
    HWND main = StartShown();
    ASSERT_TRUE(main);

    HWND progress = PressRun(main);
    ASSERT_TRUE(progress);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window waits for the run";
    RemoteList registry(GetDlgItem(progress, 1002));
    bool photographed = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (!photographed && registry.Count() >= 3) {
                WindowShot::Save(progress, "progress-window-findings");
                photographed = true;
            }
            return !IsWindow(progress);
        },
        kRunPatienceMs, 10))
        << ProgressStates().size() << " lines\n" << (const char*)program.VisibleWindows();
    EXPECT_TRUE(photographed);

    // 11 Internet, 8 program, 8 Windows and 9 registry lines were checked.
    const std::map<int, std::vector<std::string>> states = ProgressStates();
    EXPECT_EQ(36u, states.size());
    for (const auto& line : states)
        EXPECT_EQ((std::vector<std::string>{" - ", "삭제 중", "완료"}), line.second) << "line " << line.first;

    const std::vector<CString> backups = Backups();
    ASSERT_EQ(1u, backups.size());
    EXPECT_GT(ListedFindings(backups[0]), 0);
    EXPECT_EQ(1, ReadSetting("Setting", "RemoveIECookies", -1));
    EXPECT_EQ(0, ReadSetting("Setting", "RemoveWindowsRunHistory", -1));
    EXPECT_EQ(1, ReadSetting("Setting", "RegistryCheckMUICache", -1));

    for (const SeedEntry& entry : s_manifest.Entries()) {
        const Catalogue::Item* item = Catalogue::FindItem(entry.item);
        if (entry.role != SeedRole::Trace || !item || item->tab == Catalogue::Tab::None)
            continue;
        if (ReadSetting("Setting", item->optionKey, 0)) {
            EXPECT_EQ(0, PresentUnits(entry)) << item->optionKey << " " << (const char*)entry.path;
        }
    }
    for (const SeedEntry& entry : s_manifest.Entries()) {
        if (entry.role == SeedRole::Survivor) {
            EXPECT_TRUE(IsIntact(entry)) << (const char*)entry.label;
        }
    }
}

// After the run above: the backup of a run is listed first, with its findings, when the user
// answers Yes to the report of the last logout run; an auto-start launch then hides again.
TEST_F(DesktopRun, YesToTheLogoutReportShowsTheHistoryWithTheNewestBackupFirst) {
    const std::vector<CString> backups = Backups();
    ASSERT_FALSE(backups.empty());
    WriteSetting("Logout", "LastRegistryProcessed", 4);
    ASSERT_TRUE(program.Start("startup"));
    EXPECT_NE(-1, Answer("확인", IDYES).Find("4개의 레지스트리 정보"));

    HWND history = program.WaitForDialog("레지스트리 조회 및 복원");
    ASSERT_TRUE(history);
    HWND main = program.WaitForMainWindow(0);
    EXPECT_TRUE(IsWindowVisible(main)) << "shown behind the history window";
    RemoteList files(GetDlgItem(history, 1001));
    RemoteList entries(GetDlgItem(history, 1002));
    EXPECT_TRUE(WaitUntil([&] { return entries.Count() > 0; }, 5000));
    CString newest = backups.back();
    for (const CString& backup : backups)
        newest = backup.Compare(newest) > 0 ? backup : newest;
    EXPECT_STREQ(newest.Mid(newest.ReverseFind('\\') + 1), files.Text(0, 0));
    EXPECT_EQ(ListedFindings(newest), entries.Count());
    WindowShot::Save(history, "history-after-logout-report");

    Click(history, 2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000)) << "an auto-start launch goes back to the tray";
}

TEST_F(DesktopTest, AStopDuringALongRunEndsTheWorkerAndClosesTheProgressWindow) {
    const CString folder = UserTemp() + "\\vantrel-long-run";
    MakeTraceFiles(folder, 120, 100);
    CheckOnly({6});
    HWND main = StartShown();
    ASSERT_TRUE(main);

    HWND progress = PressRun(main);
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitUntil([&] { return ProgressStates()[0].size() == 2; }, 20000, 5)) << "item 6 started";
    Click(progress, 1010);
    // The main window waits 5 s for the worker at most, then ends it.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 15000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 3000));
    // The stopped item still reports its end; what it left shows the stop.
    EXPECT_EQ(1u, ProgressStates().size());
    EXPECT_GT(CountFiles(folder), 0) << "stopped before the end";
}

TEST_F(DesktopTest, ALinesOwnButtonCleansThatItemOnlyBehindTheBusyNotice) {
    const CString temp = UserTemp() + "\\vantrel-one-item";
    MakeTraceFiles(temp, 1, 20);
    char windows[MAX_PATH] = {0};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const CString updateLog = CString(windows) + "\\WindowsUpdate.log";
    HANDLE log = CreateFileA(updateLog, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(log);
    HWND main = StartShown();
    ASSERT_TRUE(main);

    HWND list = ShowTab(main, 1024, 1005);
    ClickRunButton(list, 0);  // Windows' temporary folder
    HWND notice = program.WaitForDialog("청소 실행", 10000);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice); }, 60000));

    EXPECT_EQ(0, CountFiles(temp));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(updateLog)) << "another item's trace stays";
    EXPECT_EQ(-1, ReadSetting("Setting", "RemoveIETempFiles", -1)) << "no check is saved";
    EXPECT_TRUE(ProgressStates().empty()) << "no progress window";
    DeleteFileA(updateLog);
}

TEST_F(DesktopTest, ThePowerOffBoxEndsTheProgramAfterTheRunAndPowersOffOnce) {
    MakeTraceFiles(UserTemp() + "\\vantrel-power-off", 2, 100);
    CheckOnly({6});
    HWND main = StartShown();
    ASSERT_TRUE(main);

    HWND progress = PressRun(main);
    ASSERT_TRUE(progress);
    Click(progress, 1035);
    EXPECT_TRUE(EndsWithCodeZero(60000));
    EXPECT_STREQ("ComputerOff(1)\r\n", ReadRecord("ComputerOff.txt"));
}
