#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "BackupFileProbe.h"
#include "FrameworkFileFaults.h"
#include "Handle.h"
#include "ImportPatch.h"
#include "ProgramRun.h"
#include "RegBackupWriter.h"
#include "RemovalGroup.h"
#include "ScopedEnvironment.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

const char kMuiCacheKey[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
// Set by the kill test for its child, a second run of this program: the backup file to write.
const char kChildVariable[] = "VANTREL_KILLED_CHECK_BACKUP";
const int kKilledAtDeletion = 70;
const UINT kKilledExitCode = 0x4B;

// Stands in for GetTickCount64 of this program, whose imports the engine shares: the time stays
// what the test sets.
class SetClock {
public:
    explicit SetClock(ULONGLONG now)
        : m_patch(GetModuleHandleA(nullptr), "kernel32.dll", "GetTickCount64", reinterpret_cast<void*>(&Now)) {
        s_now = now;
    }
    bool IsReady() const { return m_patch.IsActive(); }
    void Set(ULONGLONG now) { s_now = now; }

private:
    static ULONGLONG WINAPI Now() { return s_now; }

    static inline ULONGLONG s_now = 0;
    ImportPatch m_patch;
};

// Deletes through the real SHDeleteValueA and ends the process at once after the
// kKilledAtDeletion-th deletion of a value named "C:\VantrelGone\kill...".
class KillingDeletion {
public:
    KillingDeletion()
        : m_patch(GetModuleHandleA(nullptr), "shlwapi.dll", "SHDeleteValueA", reinterpret_cast<void*>(&Delete)) {}
    bool IsReady() const { return m_patch.IsActive(); }

private:
    static LSTATUS WINAPI Delete(HKEY root, LPCSTR key, LPCSTR name) {
        using DeleteValue = LSTATUS(WINAPI*)(HKEY, LPCSTR, LPCSTR);
        static const DeleteValue real =
            reinterpret_cast<DeleteValue>(GetProcAddress(GetModuleHandleA("shlwapi.dll"), "SHDeleteValueA"));
        LSTATUS result = real(root, key, name);
        if (name && StrCmpNIA(name, "C:\\VantrelGone\\kill", 19) == 0 && ++s_deletions == kKilledAtDeletion)
            TerminateProcess(GetCurrentProcess(), kKilledExitCode);
        return result;
    }

    static inline int s_deletions = 0;
    ImportPatch m_patch;
};

// MUICache values "C:\VantrelGone\<stem>NNN.exe" of missing programs, each with its own text;
// removed at the end.
class GoneMuiValues {
public:
    GoneMuiValues(const char* stem, int count) : m_stem(stem), m_count(count) {
        for (int i = 0; i < count; ++i)
            SetText(HKEY_CURRENT_USER, kMuiCacheKey, Name(i), Text(i));
    }
    ~GoneMuiValues() {
        for (int i = 0; i < m_count; ++i)
            SHDeleteValueA(HKEY_CURRENT_USER, kMuiCacheKey, Name(i));
    }
    GoneMuiValues(const GoneMuiValues&) = delete;
    GoneMuiValues& operator=(const GoneMuiValues&) = delete;

    // Values there with their own text.
    int Intact() const {
        int intact = 0;
        for (int i = 0; i < m_count; ++i) {
            char text[64] = "";
            DWORD size = sizeof text;
            intact += SHGetValueA(HKEY_CURRENT_USER, kMuiCacheKey, Name(i), nullptr, text, &size) == ERROR_SUCCESS &&
                      Text(i) == text;
        }
        return intact;
    }
    int FindingsIn(const CHistoryCleaner& engine) const {
        int own = 0;
        for (int i = 0; i < engine.Findings().GetSize(); ++i)
            own += engine.Findings()[i].Find("C:\\VantrelGone\\" + m_stem) >= 0;
        return own;
    }

private:
    CString Name(int i) const {
        CString name;
        name.Format("C:\\VantrelGone\\%s%03d.exe", (const char*)m_stem, i);
        return name;
    }
    static CString Text(int i) {
        CString text;
        text.Format("seeded %d", i);
        return text;
    }

    EnsuredKey m_key{HKEY_CURRENT_USER, kMuiCacheKey};
    CString m_stem;
    int m_count;
};

CString OwnProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

class RemovalGroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        writer.SetFileName(folder / "backup.reg");
        Seed();
    }
    void Seed() {
        for (int i = 0; i < 70; ++i)
            SetText(HKEY_CURRENT_USER, key.Path(), Name(i), "x");
    }
    static CString Name(int i) {
        CString name;
        name.Format("v%02d", i);
        return name;
    }
    void Remove(CRemovalGroup& group, int i) {
        group.RemoveValue(HKEY_CURRENT_USER, key.Path(), Name(i), "category", Name(i), key / Name(i));
    }
    int Gone(int count) const {
        int gone = 0;
        for (int i = 0; i < count; ++i)
            gone += !ValueExists(HKEY_CURRENT_USER, key.Path(), Name(i));
        return gone;
    }

    TempFolder folder;
    TempRegKey key;
    CHandle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    CRegBackupWriter writer;
    CHistoryCleaner engine{nullptr, stop};
};

}  // namespace

TEST_F(RemovalGroupTest, DeletesAGroupWhenItHoldsTheLimitAndWhatIsLeftAtItsEnd) {
    SetClock frozen(1000);
    ASSERT_TRUE(frozen.IsReady());
    for (int limit : {2, 5, 64}) {
        SCOPED_TRACE(limit);
        Seed();
        engine.SetRemovalGroupLimit(limit);
        {
            CRemovalGroup group(engine, writer);
            for (int i = 0; i < limit - 1; ++i)
                Remove(group, i);
            EXPECT_EQ(0, Gone(limit + 1));
            Remove(group, limit - 1);
            EXPECT_EQ(limit, Gone(limit + 1));
            Remove(group, limit);
            EXPECT_EQ(limit, Gone(limit + 1));
        }
        EXPECT_EQ(limit + 1, Gone(limit + 1));
    }
    EXPECT_EQ(74, engine.Findings().GetSize());
}

TEST_F(RemovalGroupTest, StartsANewGroupWithWhatIsFound50msAfterTheGroupsFirstEntry) {
    SetClock clock(1000);
    ASSERT_TRUE(clock.IsReady());
    CRemovalGroup group(engine, writer);
    Remove(group, 0);
    clock.Set(1049);
    Remove(group, 1);
    EXPECT_EQ(0, Gone(4));
    clock.Set(1050);
    Remove(group, 2);
    EXPECT_EQ(2, Gone(4));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key.Path(), Name(2)));
    clock.Set(1099);
    Remove(group, 3);
    EXPECT_EQ(2, Gone(4));
    group.Commit();
    EXPECT_EQ(4, Gone(4));
}

TEST_F(RemovalGroupTest, AStopWhileAGroupIsPendingDeletesAndRecordsNothingOfIt) {
    {
        CRemovalGroup group(engine, writer);
        for (int i = 0; i < 3; ++i)
            Remove(group, i);
        SetEvent(stop);
    }
    EXPECT_EQ(0, Gone(3));
    EXPECT_EQ(0, engine.Findings().GetSize());
}

TEST_F(RemovalGroupTest, AFailedWriteOrFlushOfTheBackupsDeletesAndRecordsNothing) {
    GoneMuiValues values("fault", 5);
    ASSERT_EQ(1, writer.Open());
    {
        FlushRecorder failing(true);
        ASSERT_TRUE(failing.IsReady());
        engine.RegistryCheckMUICache(writer);
    }
    {
        HalfWrites failing;
        ASSERT_TRUE(failing.IsReady());
        engine.RegistryCheckMUICache(writer);
    }
    EXPECT_EQ(5, values.Intact());
    EXPECT_EQ(0, values.FindingsIn(engine));
}

TEST_F(RemovalGroupTest, ACheckFlushesOncePerGroupOfRemovedEntries) {
    const struct {
        int limit;
        int invalidValues;
        int flushes;
    } cases[] = {{64, 200, 4}, {1, 10, 10}};
    SetClock frozen(1000);
    ASSERT_TRUE(frozen.IsReady());
    for (const auto& test : cases) {
        SCOPED_TRACE(test.limit);
        GoneMuiValues values("flush", test.invalidValues);
        CRegBackupWriter counted;
        counted.SetFileName(folder / "counted.reg");
        CHistoryCleaner checker;
        checker.SetRemovalGroupLimit(test.limit);
        FlushRecorder flushes(false);
        ASSERT_TRUE(flushes.IsReady());

        checker.RegistryCheckMUICache(counted);

        EXPECT_EQ(0, values.Intact());
        EXPECT_EQ(test.invalidValues, values.FindingsIn(checker));
        EXPECT_EQ(test.flushes, flushes.count);
        EXPECT_EQ(test.flushes, counted.Flushes());
    }
}

// Runs only as the child of the kill test: every group is 64 values, so the deletion that ends
// the process is the sixth of the second group.
TEST(RemovalGroupKilledChild, DeletesUntilTheProcessIsEnded) {
    char backup[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA(kChildVariable, backup, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        GTEST_SKIP() << "started by RemovalGroupKill only";
    SetClock frozen(1000);
    KillingDeletion killer;
    ASSERT_TRUE(frozen.IsReady());
    ASSERT_TRUE(killer.IsReady());
    CRegBackupWriter writer;
    writer.SetFileName(backup);
    CHistoryCleaner engine;

    engine.RegistryCheckMUICache(writer);

    ADD_FAILURE() << "the check ended before deletion " << kKilledAtDeletion;
}

TEST(RemovalGroupKill, AProcessEndedAmidAGroupLeavesEveryDeletedValueInTheBackup) {
    TempFolder folder;
    GoneMuiValues values("kill", 150);
    CString backup = folder / "killed.reg";
    ScopedEnvironment child(kChildVariable, backup);
    DWORD exitCode = 0;

    ASSERT_TRUE(ProgramRun::RunToEnd("\"" + OwnProgram() + "\" --gtest_filter=RemovalGroupKilledChild.*", 120000,
                                     exitCode));

    ASSERT_EQ(kKilledExitCode, exitCode);
    EXPECT_EQ(80, values.Intact());
    ASSERT_TRUE(BackupFileProbe::ImportWithRegistryEditor(backup));
    EXPECT_EQ(150, values.Intact());
}
