#include <gtest/gtest.h>

#include "TestFixtures.h"
#include "main/BackupPruning.h"

namespace {

const ULONGLONG kTicksPerSecond = 10000000ULL;

FILETIME Ticks(ULONGLONG ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

void MakeBackup(const CString& path, ULONGLONG createdTicks) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const FILETIME created = Ticks(createdTicks);
    // Wine keeps no creation time of its own and reports the last write: both are set.
    SetFileTime(file, &created, &created, &created);
    CloseHandle(file);
}

bool Exists(const CString& path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(BackupPruning, DeletesOnlyBackupsCreatedMoreThan31DaysAgo) {
    TempFolder folder;
    const ULONGLONG now = 133000000000000000ULL;
    const ULONGLONG days31 = 31ULL * 24 * 3600 * kTicksPerSecond;
    MakeBackup(folder.Path() + "\\exactly.REG", now - days31);
    MakeBackup(folder.Path() + "\\older.REG", now - days31 - kTicksPerSecond);
    MakeBackup(folder.Path() + "\\recent.REG", now - kTicksPerSecond);
    MakeBackup(folder.Path() + "\\old-note.txt", now - 2 * days31);
    CreateDirectoryA(folder.Path() + "\\old-folder.REG", nullptr);

    EXPECT_EQ(1, PruneRegistryBackups(folder.Path(), Ticks(now)));

    EXPECT_TRUE(Exists(folder.Path() + "\\exactly.REG"));
    EXPECT_FALSE(Exists(folder.Path() + "\\older.REG"));
    EXPECT_TRUE(Exists(folder.Path() + "\\recent.REG"));
    EXPECT_TRUE(Exists(folder.Path() + "\\old-note.txt"));
    EXPECT_TRUE(Exists(folder.Path() + "\\old-folder.REG"));
}
