#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "CleaningRun.h"
#include "FileProbe.h"
#include "Handle.h"
#include "ProgramTraceProfile.h"
#include "ProgressRecorder.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "BackupFileProbe.h"

using namespace BackupFileProbe;

namespace {

using Step = std::pair<WPARAM, LPARAM>;

// Records the items it is given and does what the test asks inside them.
class RecordingRunner : public IItemRunner {
public:
    std::function<void(int id, CHistoryCleaner& engine, CRegBackupWriter& writer)> action;
    std::vector<int> ids;
    std::vector<int> logoutFlags;
    std::vector<CString> cookieExceptionsOfItem2;

    void RunItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer,
                 const CStringArray& cookieExceptions) override {
        ids.push_back(id);
        logoutFlags.push_back(engine.LogoutFlag());
        if (id == 2)
            for (int i = 0; i < cookieExceptions.GetSize(); ++i)
                cookieExceptionsOfItem2.push_back(cookieExceptions[i]);
        if (action)
            action(id, engine, writer);
    }
};

CString RunFileNameAt(const CTime& time) {
    CString name;
    name.Format("%04d년%02d월%02d일 %02d시%02d분%02d초 실행.REG", time.GetYear(), time.GetMonth(), time.GetDay(),
                time.GetHour(), time.GetMinute(), time.GetSecond());
    return name;
}

class CleaningRunTest : public ::testing::Test {
protected:
    CleaningRunTest() : m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        m_backupFolder = m_folder.MakeFolder("Local\\vantrel");
    }

    CleaningRunRequest* NewRequest(std::vector<DWORD> checkedIds) {
        auto* request = new CleaningRunRequest;
        request->notifyWindow = m_recorder.Window();
        request->stopEvent = m_stop;
        for (DWORD id : checkedIds)
            request->checkedIds.Add(id);
        request->configIni = m_folder / "Config.ini";
        request->backupFolder = m_backupFolder;
        request->runner = &m_runner;
        return request;
    }

    // As the main window starts it: a suspended thread that is then resumed.
    void RunOnWorkerThread(CleaningRunRequest* request) {
        CHandle thread(CreateThread(nullptr, 0, CleaningRunThread, request, CREATE_SUSPENDED, nullptr));
        ASSERT_TRUE(thread.IsValid());
        ResumeThread(thread);
        EXPECT_TRUE(m_recorder.PumpUntilEnded());
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 30000));
        m_recorder.Pump();
    }

    CString BackupFolderOfRuns() const { return m_backupFolder + "\\RegHistory"; }

    // Backs up one value of the test key through the run's writer.
    void BackUpTestValue(CRegBackupWriter& writer) {
        CUtilityLib::WriteRegistry(m_key.Root(), m_key.Path(), "LastFile", "C:\\없음\\a.txt");
        EXPECT_EQ(1, writer.BackupValue(m_key.Root(), m_key.Path(), "LastFile"));
    }

    TempFolder m_folder;
    TempRegKey m_key;
    CHandle m_stop;
    ProgressRecorder m_recorder;
    RecordingRunner m_runner;
    CString m_backupFolder;
};

TEST_F(CleaningRunTest, NothingCheckedPostsOnlyRepaintAndEndAndWritesNoFile) {
    RunOnWorkerThread(NewRequest({}));

    EXPECT_EQ((std::vector<Step>{{kProgressRepaint, 0}, {kProgressEnded, 0}}), m_recorder.Steps());
    EXPECT_TRUE(m_runner.ids.empty());
    EXPECT_TRUE(FilesIn(BackupFolderOfRuns()).empty());
}

TEST_F(CleaningRunTest, WithoutABackupFolderBacksUpNothingAndMakesNoFolderAtTheDriveRoot) {
    ScopedCurrentFolder onDriveC(m_folder.Path());
    int backedUp = -1;
    m_runner.action = [&](int, CHistoryCleaner&, CRegBackupWriter& writer) {
        CUtilityLib::WriteRegistry(m_key.Root(), m_key.Path(), "LastFile", "C:\\gone\\a.txt");
        backedUp = writer.BackupValue(m_key.Root(), m_key.Path(), "LastFile");
    };
    CleaningRunRequest* request = NewRequest({27});
    request->backupFolder = "";
    RunOnWorkerThread(request);

    EXPECT_EQ(0, backedUp);
    EXPECT_FALSE(FileProbe::Exists("C:\\RegHistory"));
}

TEST_F(CleaningRunTest, AnnouncesAndRunsItemsInOrderWithTheRecycleBinLast) {
    CleaningRunRequest* request = NewRequest({1, 7, 6, 0, 27, 36});
    request->logoutFlag = 1;
    RunOnWorkerThread(request);

    std::vector<Step> expected = {{1, 1}, {1, 6}, {1, 27}, {1, 36}, {1, 7}, {6, 0}};
    for (int id : {1, 6, 27, 36, 7}) {
        expected.emplace_back(kProgressDeleting, id);
        expected.emplace_back(kProgressDone, id);
    }
    expected.emplace_back(kProgressEnded, 0);
    EXPECT_EQ(expected, m_recorder.Steps());
    EXPECT_EQ((std::vector<int>{1, 6, 27, 36, 7}), m_runner.ids);
    EXPECT_EQ((std::vector<int>(5, 1)), m_runner.logoutFlags);
    EXPECT_TRUE(FilesIn(BackupFolderOfRuns()).empty()) << "nothing was backed up";
}

TEST_F(CleaningRunTest, StopDuringAnItemEndsThatItemSkipsTheRestAndListsEveryFinding) {
    m_runner.action = [this](int id, CHistoryCleaner& engine, CRegBackupWriter& writer) {
        if (id == 6) {
            BackUpTestValue(writer);
            engine.AddFinding("최근 파일", "C:\\없음\\a.txt", "HKCU\\Software\\A");
        } else if (id == 27) {
            engine.AddFinding("프로그램 경로", "C:\\없음\\b.exe", "HKCU\\Software\\B");
            SetEvent(m_stop);
            engine.AddFinding("도움말 파일", "-", "HKCU\\Software\\C");
        }
    };
    RunOnWorkerThread(NewRequest({1, 6, 27, 36, 7}));

    std::vector<Step> steps = m_recorder.Steps();
    std::vector<Step> tail(steps.begin() + 6, steps.end());
    EXPECT_EQ((std::vector<Step>{{2, 1}, {3, 1}, {2, 6}, {3, 6}, {2, 27}, {3, 27}, {4, 0}}), tail);
    EXPECT_EQ((std::vector<int>{1, 6, 27}), m_runner.ids);
    EXPECT_EQ((std::vector<CString>{"최근 파일\tC:\\없음\\a.txt\tHKCU\\Software\\A",
                                    "프로그램 경로\tC:\\없음\\b.exe\tHKCU\\Software\\B"}),
              m_recorder.FindingTexts());

    std::vector<CString> files = FilesIn(BackupFolderOfRuns());
    ASSERT_EQ(1u, files.size());
    CString backupFile = BackupFolderOfRuns() + "\\" + files[0];
    EXPECT_STREQ("최근 파일\tC:\\없음\\a.txt\tHKCU\\Software\\A", ListEntry(backupFile, 0));
    EXPECT_STREQ("프로그램 경로\tC:\\없음\\b.exe\tHKCU\\Software\\B", ListEntry(backupFile, 1));
    EXPECT_STREQ("도움말 파일\t-\tHKCU\\Software\\C", ListEntry(backupFile, 2)) << "recorded after the stop";
    EXPECT_STREQ("<missing>", ListEntry(backupFile, 3));
}

TEST_F(CleaningRunTest, StopBeforeTheFirstItemStillAnnouncesAndEnds) {
    SetEvent(m_stop);
    RunOnWorkerThread(NewRequest({3, 7}));

    EXPECT_EQ((std::vector<Step>{{1, 3}, {1, 7}, {6, 0}, {4, 0}}), m_recorder.Steps());
    EXPECT_TRUE(m_runner.ids.empty());
}

TEST_F(CleaningRunTest, CookieExceptionsEndAtTheFirstEmptyKeyAndAreLowerCased) {
    CString config = m_folder / "Config.ini";
    // "갂" is 81 41 in CP949: its trail byte is an 'A' that lower-casing must leave alone.
    WritePrivateProfileStringA("CookieException", "0", "갂Mail.Example.COM", config);
    WritePrivateProfileStringA("CookieException", "1", "", config);
    WritePrivateProfileStringA("CookieException", "2", "Other.com", config);

    std::unique_ptr<CleaningRunRequest> request(NewRequest({1, 2}));
    RunCleaning(*request);
    EXPECT_TRUE(m_recorder.PumpUntilEnded());

    EXPECT_EQ((std::vector<int>{1, 2}), m_runner.ids);
    ASSERT_EQ(1u, m_runner.cookieExceptionsOfItem2.size());
    EXPECT_STREQ("갂mail.example.com", m_runner.cookieExceptionsOfItem2[0]);
}

TEST_F(CleaningRunTest, BackupFileIsNamedAfterTheRunsLocalTimeAndMadeOnlyByABackup) {
    m_runner.action = [this](int id, CHistoryCleaner&, CRegBackupWriter& writer) {
        if (id == 30)
            BackUpTestValue(writer);
    };
    CTime before = CTime::GetCurrentTime();
    RunOnWorkerThread(NewRequest({29, 30}));
    CTime after = CTime::GetCurrentTime();

    std::vector<CString> files = FilesIn(BackupFolderOfRuns());
    ASSERT_EQ(1u, files.size());
    bool named = false;
    for (CTime second = before; second <= after && !named; second += CTimeSpan(1))
        named = files[0] == RunFileNameAt(second);
    EXPECT_TRUE(named) << (const char*)files[0];

    CString backupFile = BackupFolderOfRuns() + "\\" + files[0];
    char section[1024] = {};
    GetPrivateProfileSectionA(CString("HKEY_CURRENT_USER\\") + m_key.Path(), section, sizeof(section), backupFile);
    EXPECT_NE(nullptr, strstr(section, "LastFile")) << "the backed-up value is in the file";
    EXPECT_EQ(0u, GetPrivateProfileSectionA("List", section, sizeof(section), backupFile)) << "no findings, no list";
}

}  // namespace
