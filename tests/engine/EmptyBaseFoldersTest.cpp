#include <windows.h>

#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ImportPatch.h"
#include "ProgramTraceProfile.h"
#include "ScopedEnvironment.h"
#include "Settings.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

// A base folder that cannot be learnt gives no path at all: joined to a name it would name a
// folder at the root of the current drive.

namespace {

UINT WINAPI NoWindowsFolder(LPSTR, UINT) { return 0; }

}  // namespace

TEST(EmptyBaseFolders, WithoutAWindowsFolderNoPrefetchFolderOfTheDriveRootIsCleaned) {
    SeededPath rootPrefetch("C:\\Prefetch");
    CString stale = MakeFileAt("C:\\Prefetch\\OLD.EXE-12345678.pf");
    ASSERT_TRUE(SetAgeInHours(stale, 48));
    ScopedCurrentFolder onDriveC(WindowsFolder());
    ImportPatch noWindows(GetModuleHandleA("Tovrin.dll"), "kernel32.dll", "GetWindowsDirectoryA",
                          reinterpret_cast<void*>(&NoWindowsFolder));
    ASSERT_TRUE(noWindows.IsActive());
    CHistoryCleaner engine;

    engine.RemovePrefetch();

    EXPECT_TRUE(FileProbe::Exists(stale));
}

TEST(EmptyBaseFolders, WithoutAnApplicationDataFolderThereIsNoSettingsFile) {
    ScopedEnvironment noProfile("USERPROFILE", nullptr);

    EXPECT_EQ("", Settings::ConfigPath());
}
