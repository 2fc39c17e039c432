#include <gtest/gtest.h>

#include "../engine/RedirectedAppData.h"
#include "DirectMode.h"
#include "SeededKey.h"
#include "UtilityLib.h"

namespace {

const char kBrowserHelpers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
const char kAddOnSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";
const char kDevStudio[] = "Software\\Microsoft\\DevStudio";

}  // namespace

TEST(DirectModeRun, RemovesTheTracesOfTheNamedItemsOnly) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
    SeededKey urls(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerUrls, "URL0", "mms://media/live");
    SeededKey dialogs(HKEY_CURRENT_USER, TraceKeys::kFileDialogs, "LastUse", "1");
    SeededKey dialogMru(HKEY_CURRENT_USER, TraceKeys::kFileDialogMru, "a", "C:\\notes.txt");
    SeededKey notNamed(HKEY_CURRENT_USER, TraceKeys::kFindComputerMru, "a", "FILESERVER");

    RunDirectMode("/REMOVECOMDLGOPENHISTORY,removemediaplayerhistory,removecomdlgopenhistory");

    EXPECT_FALSE(files.Exists());
    EXPECT_FALSE(urls.Exists());
    EXPECT_FALSE(dialogs.Exists());
    EXPECT_TRUE(notNamed.Exists());
}

TEST(DirectModeRun, BareSlashLeavesEveryTrace) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
    RunDirectMode("/");
    EXPECT_TRUE(files.Exists());
}

TEST(DirectModeRun, SetsTheProgramsApplicationDataSubPathFirst) {
    RedirectedAppData appData;
    CUtilityLib::SetAppDataSubPath("");
    RunDirectMode("/");
    CString folder = CUtilityLib::GetAppDataPath(true, true);
    EXPECT_EQ(CString(appData.Home() + "\\AppData\\LocalLow\\vantrel"), folder);
}

TEST(DirectModeRun, DisableBHOsSwitchesOffEveryAddOnTheUserDidNotKeepOn) {
    RedirectedAppData appData;
    const char unwanted[] = "{0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9}";
    const char kept[] = "{1B2C3D4E-5F60-4172-8384-A5B6C7D8E9FA}";
    SeededKey unwantedHelper(HKEY_LOCAL_MACHINE, CString(kBrowserHelpers) + unwanted);
    SeededKey keptHelper(HKEY_LOCAL_MACHINE, CString(kBrowserHelpers) + kept);
    SeededKey unwantedSettings(HKEY_CURRENT_USER, CString(kAddOnSettings) + unwanted);
    SeededKey keptSettings(HKEY_CURRENT_USER, CString(kAddOnSettings) + kept);
    WritePrivateProfileStringA("EnableBHO", kept, "1", appData.ConfigIni());

    RunDirectMode("/DisableBHOs");

    EXPECT_EQ(1u, CUtilityLib::ReadRegistryDWORD(HKEY_CURRENT_USER, CString(kAddOnSettings) + unwanted, "Flags", 7));
    EXPECT_EQ(CString("*"), CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, CString(kAddOnSettings) + unwanted, "Version"));
    EXPECT_EQ(0u, CUtilityLib::ReadRegistryDWORD(HKEY_CURRENT_USER, CString(kAddOnSettings) + kept, "Flags", 7));
}

TEST(DirectModeRun, DevStudioKeyRemovesTheRecentFileListsOnly) {
    SeededKey studio(HKEY_CURRENT_USER, kDevStudio);
    SeededKey files(HKEY_CURRENT_USER, CString(kDevStudio) + "\\6.0\\Recent File List", "File1", "C:\\main.cpp");
    SeededKey workspaces(HKEY_CURRENT_USER, CString(kDevStudio) + "\\6.0\\Recent Workspace List", "Project1",
                         "C:\\tool.dsw");

    RunDirectMode("/removemsdevstudiorecenthistory");

    EXPECT_FALSE(files.Exists());
    EXPECT_TRUE(workspaces.Exists());
}
