#include <windows.h>

#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"
#include "ScopedEnvironment.h"
#include "TraceFixtures.h"
#include "UrlCacheTraces.h"

using FileProbe::Exists;
using namespace TraceFixtures;

// A "%" in the profile's name is part of a real folder; only a variable that is not set means
// that the Low folders cannot be named.

TEST(LowFolders, OfAProfileNamedWithAPercentSignAreCleaned) {
    CacheFoldersKept entryFolders;
    OutsideFolder profile;
    CString local = profile / "50%\\AppData\\Local";
    ScopedEnvironment localAppData("LOCALAPPDATA", local);
    CString cachePage = MakeFileAt(local + "\\Microsoft\\Windows\\Temporary Internet Files\\Low\\page.htm");
    CString historyPage = MakeFileAt(local + "\\Microsoft\\Windows\\History\\Low\\visited.url");
    CString tempFile = MakeFileAt(local + "\\Temp\\Low\\left-over.txt");
    CHistoryCleaner engine;

    RunItem(1, engine);
    RunItem(5, engine);
    RunItem(6, engine);

    EXPECT_FALSE(Exists(cachePage));
    EXPECT_FALSE(Exists(historyPage));
    EXPECT_FALSE(Exists(tempFile));
}

TEST(LowFolders, AreSkippedWhenTheirVariableIsNotSet) {
    OutsideFolder current;
    // What "%LocalAppData%\Temp\Low" would name relative to the current folder.
    CString literal = MakeFileAt(current / "%LocalAppData%\\Temp\\Low\\keep.txt");
    ScopedCurrentFolder inside(current.Path());
    ScopedEnvironment unset("LOCALAPPDATA", nullptr);
    CHistoryCleaner engine;

    RunItem(6, engine);

    EXPECT_TRUE(Exists(literal));
}
